#include "media/application.h"

#include <SDL.h>

#include <cstring>

#include "media/language.h"
#include "media/report.h"

namespace {
// Enough for a drawing that reacts to an event one frame late (a click runs after the
// frame that saw it, a popup opens a frame after it is asked for) to be shown.
constexpr int IdlePassesAfterChange = 4;
constexpr Uint32 WaitErrorDelayMs = 10;
// A modal dialog draws at least this often while no event comes.
constexpr int ModalWaitMs = 50;
} // namespace

TApplication::TApplication(Clock& clock) : clock_(clock), idle_passes_(IdlePassesAfterChange) {
    ErrorBox = [this](const std::string& message) { ShowErrorMessage(Title, message); };
}

void TApplication::SetIdleSlot(const void* owner, std::function<void()> callback) {
    idle_owner_ = owner;
    idle_callback_ = std::move(callback);
    KeepIdling();
}

void TApplication::ClearIdleSlot() {
    idle_owner_ = nullptr;
    idle_callback_ = nullptr;
    KeepIdling();
}

void TApplication::KeepIdling() {
    idle_passes_ = IdlePassesAfterChange;
}

void TApplication::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    // Copy: a listener may remove itself while being told.
    auto listeners = activation_listeners_;
    for (auto& [id, listener] : listeners) listener(active);
}

int TApplication::AddActivationListener(std::function<void(bool)> listener) {
    activation_listeners_.emplace_back(next_listener_id_, std::move(listener));
    return next_listener_id_++;
}

void TApplication::RemoveActivationListener(int id) {
    std::erase_if(activation_listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TApplication::Dispatch(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        terminated_ = true;
        return;
    }
    if (event.type == SDL_WINDOWEVENT && FollowFocus) {
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) SetActive(true);
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) SetActive(false);
    }
    if (OnEvent) OnEvent(EventOf(event));
}

void TApplication::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleUnknownException();
    }
}

void TApplication::Step(bool wait) {
    SDL_Event event;
    bool have = false;
    if (wait && Quiet() && !terminated_) {
        if (IdleWakeMs >= 0) {
            have = SDL_WaitEventTimeout(&event, IdleWakeMs) == 1;
        } else {
            have = SDL_WaitEvent(&event) == 1;
            if (!have) SDL_Delay(WaitErrorDelayMs); // no event queue: never spin
        }
    } else {
        have = SDL_PollEvent(&event) == 1;
    }
    if (have) KeepIdling();
    while (have && !terminated_) {
        Guarded([&] { Dispatch(event); });
        have = SDL_PollEvent(&event) == 1;
    }
    if (terminated_) return;
    if (idle_callback_) {
        auto callback = idle_callback_; // the handler may change the slot
        Guarded(callback);
    } else if (OnIdle) {
        if (idle_passes_ > 0) --idle_passes_;
        Guarded(OnIdle);
    }
}

void TApplication::Run() {
    while (!terminated_) Step(true);
}

void TApplication::RunModal(const std::function<bool()>& done, const std::function<void()>& draw,
                            const std::function<void(const TEvent&)>& handle, bool text_input) {
    const int cursor = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    const bool was_typing = SDL_IsTextInputActive() == SDL_TRUE;
    if (text_input) SDL_StartTextInput();
    while (!done() && !terminated_) {
        draw();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, ModalWaitMs) == 0) continue;
        do {
            if (event.type == SDL_QUIT)
                Terminate();
            else
                handle(EventOf(event));
        } while (SDL_PollEvent(&event) != 0);
    }
    if (text_input && !was_typing) SDL_StopTextInput();
    SDL_ShowCursor(cursor);
}

void TApplication::HandleException(const std::exception& e) {
    if (ErrorBox) ErrorBox(e.what());
}

void TApplication::HandleUnknownException() {
    if (ErrorBox) ErrorBox(Tr("原因のわからないエラーが起きました"));
}

PlatformSession::PlatformSession() {
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
        error_ = Format(Tr("SDL を開始できません: %s"), SDL_GetError());
}

PlatformSession::~PlatformSession() {
    if (error_.empty()) SDL_Quit();
}

void ShowErrorMessage(const std::string& title, const std::string& message) {
    ReportProblemLine("", message);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "dummy") != 0)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
}
