// The application object: the message loop, the single idle slot the frame timers share,
// the active (focused) state, and the default error box for exceptions that escape a
// handler.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "media/clock.h"
#include "media/events.h"

union SDL_Event;

class TApplication {
public:
    explicit TApplication(Clock& clock);

    std::string Title;
    Clock& clock() { return clock_; }

    // --- the idle slot: one (owner, callback) pair, called when the queue is empty ---
    void SetIdleSlot(const void* owner, std::function<void()> callback);
    void ClearIdleSlot();
    const void* IdleOwner() const { return idle_owner_; }
    bool HasIdleSlot() const { return static_cast<bool>(idle_callback_); }

    // --- activation: the main window has the focus ---
    bool Active() const { return active_; }
    void SetActive(bool active);
    // When false the window's focus no longer moves the active state: a demo plays back
    // its own focus changes, whatever has the focus meanwhile.
    bool FollowFocus = true;
    // Listeners are told of every change of the active state; the returned id removes one.
    int AddActivationListener(std::function<void(bool active)> listener);
    void RemoveActivationListener(int id);

    // --- the message loop ---
    // Every event goes here (the main form dispatches it).
    std::function<void(const TEvent&)> OnEvent;
    // Called on a loop pass when no timer holds the idle slot (the options panel draws).
    // While no timer is installed the loop sleeps between events: OnIdle runs on the few
    // passes after each event or change of the slot, then only when the next event comes
    // (or IdleWakeMs has passed). KeepIdling asks for those few passes again (something
    // changed that the next drawing must show).
    std::function<void()> OnIdle;
    int IdleWakeMs = -1; // -1: only events wake the loop; a blinking caret would set it
    void KeepIdling();
    // Shows an error message; by default stderr and a message box.
    std::function<void(const std::string& message)> ErrorBox;

    // One pass: handle every pending event, then tick the idle slot (or OnIdle). With
    // wait set, no timer installed and nothing left to draw, waits for an event first.
    void Step(bool wait);
    // True when the next Step(true) would sleep until an event comes (tests).
    bool Quiet() const { return !idle_callback_ && idle_passes_ == 0; }
    void Run(); // until Terminate
    // A loop of its own while a modal dialog is up: until done() or Terminate, draw() and
    // then every event to handle(), waiting up to 50 ms for one. Closing the window asks
    // the program to end (Terminate) and is not handed on. The mouse cursor shows, and text
    // input runs when text_input is set, while it lasts; both are as before after it.
    void RunModal(const std::function<bool()>& done, const std::function<void()>& draw,
                  const std::function<void(const TEvent&)>& handle, bool text_input);
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    // What the default handler of a form application does with an escaped exception:
    // show its message and carry on.
    void HandleException(const std::exception& e);
    void HandleUnknownException();

private:
    void Dispatch(const SDL_Event& event);
    void Guarded(const std::function<void()>& action);

    Clock& clock_;
    const void* idle_owner_ = nullptr;
    std::function<void()> idle_callback_;
    bool active_ = true;
    bool terminated_ = false;
    int idle_passes_; // OnIdle passes still due before the loop may sleep
    int next_listener_id_ = 1;
    std::vector<std::pair<int, std::function<void(bool)>>> activation_listeners_;
};

// The platform's events, joysticks and game controllers (SDL) for the program's life, from
// construction to destruction; the display starts on top of it (StartRealVideo). Error() is
// "" once it has started, else the player's message saying why not.
class PlatformSession {
public:
    PlatformSession();
    ~PlatformSession();
    PlatformSession(const PlatformSession&) = delete;
    PlatformSession& operator=(const PlatformSession&) = delete;
    const std::string& Error() const { return error_; }

private:
    std::string error_;
};

// Shows a message on stderr and, where a display exists, in a native message box.
void ShowErrorMessage(const std::string& title, const std::string& message);
