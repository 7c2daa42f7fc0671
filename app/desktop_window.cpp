#include "app/desktop_window.h"

#include "app/main_form.h"
#include "media/report.h"
#include "options/option_table.h"
#include "options/options.h"

namespace {

TWindowState StateOf(const TWindow& window) {
    if (window.FullScreen()) return TWindowState::FullScreen;
    if (window.Maximized()) return TWindowState::Maximized;
    return TWindowState::Normal;
}

bool IsFullScreenKey(const TEvent& key) {
    return key.key == key_code::F11 || (key.key == key_code::Enter && key.alt);
}

} // namespace

TDesktopWindow::~TDesktopWindow() {
    if (listener_ != 0) form_.DXDraw.RemoveNotifyListener(listener_);
}

void TDesktopWindow::Open() {
    if (open_) return;
    TWindow& window = form_.Window;
    TDXDraw& draw = form_.DXDraw;
    open_ = true;
    listener_ = draw.AddNotifyListener([this](TDXDraw::Notify what) {
        if (what == TDXDraw::Notify::Finalize) Close();
    });
    window.SetResizable(true, MinWidth, MinHeight);
    stored_width_ = TDXDraw::DesignWidth;
    stored_height_ = TDXDraw::DesignHeight;
    stored_state_ = TWindowState::Normal;
    if (!form_.DemoPlayback) {
        stored_width_ = ReadCheckedSetting(WindowWidthKey, MinWidth, MaxSide, stored_width_);
        stored_height_ = ReadCheckedSetting(WindowHeightKey, MinHeight, MaxSide, stored_height_);
        stored_state_ = static_cast<TWindowState>(ReadCheckedSetting(
            WindowStateKey, static_cast<int>(TWindowState::Normal),
            static_cast<int>(TWindowState::FullScreen), static_cast<int>(TWindowState::Normal)));
    }
    // A size from another, larger screen (or a hand-edited file) is made to fit this one.
    int screen_width = stored_width_, screen_height = stored_height_;
    window.UsableScreenSize(screen_width, screen_height);
    const int width = std::clamp(stored_width_, MinWidth, std::max(MinWidth, screen_width));
    const int height = std::clamp(stored_height_, MinHeight, std::max(MinHeight, screen_height));
    if (width != window.ClientWidth() || height != window.ClientHeight()) {
        window.SetClientSize(width, height);
        window.Centre();
    }
    if (stored_state_ == TWindowState::Maximized) window.SetMaximized(true);
    if (stored_state_ == TWindowState::FullScreen) window.SetFullScreen(true);
    draw.SetControlSize(window.ClientWidth(), window.ClientHeight());
}

void TDesktopWindow::Close() {
    if (!open_) return;
    open_ = false;
    TWindow& window = form_.Window;
    TDXDraw& draw = form_.DXDraw;
    // Told while the display finalises: the listener goes after this call.
    const int listener = listener_;
    listener_ = 0;
    draw.RemoveNotifyListener(listener);
    const TWindowState state = StateOf(window);
    const int width = window.WindowedWidth(), height = window.WindowedHeight();
    if (!form_.DemoPlayback && !form_.SettingsNotStored &&
        (width != stored_width_ || height != stored_height_ || state != stored_state_)) {
        try {
            WriteSettingInt(WindowWidthKey, width);
            WriteSettingInt(WindowHeightKey, height);
            WriteSettingInt(WindowStateKey, static_cast<int>(state));
        } catch (const EIniFileException& e) {
            // Nothing of the game is lost; the next start opens the designed window.
            form_.SettingsNotStored = true;
            if (!e.KeptAsIs) ReportProblemLine("", e.what());
        }
    }
    if (state == TWindowState::FullScreen) window.SetFullScreen(false);
    if (state == TWindowState::Maximized) window.SetMaximized(false);
    window.SetResizable(false, MinWidth, MinHeight);
    window.SetClientSize(form_.ClientWidth * form_.Panel1.Scale,
                         form_.ClientHeight * form_.Panel1.Scale);
    draw.SetControlSize(form_.ClientWidth, form_.ClientHeight);
}

bool TDesktopWindow::HandleEvent(const TEvent& event) {
    if (!open_ || event.window_id != form_.Window.window_id()) return false;
    TWindow& window = form_.Window;
    if (event.kind == TEventKind::KeyDown && IsFullScreenKey(event)) {
        if (!event.repeat) window.SetFullScreen(!window.FullScreen());
        form_.Screens.ShowPointer();
        return true;
    }
    // A window without a border has no title bar to double-click.
    if (event.kind == TEventKind::MouseDown && event.double_click && !window.FullScreen())
        window.SetMaximized(!window.Maximized());
    if (event.kind == TEventKind::Window && event.resized) {
        form_.DXDraw.SetControlSize(window.ClientWidth(), window.ClientHeight());
        form_.Screens.ShowPointer(); // the desktop may have made it full-screen, or not
    }
    return false;
}
