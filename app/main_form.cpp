#include "app/main_form.h"

#include "app/form_design.h"
#include "app/game.h"
#include "media/game_folder.h"
#include "media/language.h"
#include "media/report.h"
#include "media/user_folders.h"
#include "options/options.h"
#include "options/panel_scale.h"
#include "screens/screens.h"

namespace {

// A memo file that cannot be read shows why as the memo's one line.
void LoadMemo(TMainForm& form, const std::string& path) {
    ReadOptionText(path, form.Panel1.Memo1.Lines);
}

void DispatchEvent(TMainForm& form, const TEvent& event) {
    form.Window.HandleEvent(event);
    if (form.DesktopWindow.HandleEvent(event)) return;
    form.DXInput1.HandleEvent(event);
    const bool key_down = event.kind == TEventKind::KeyDown;
    // An error box over the panel is modal: it takes the keys, Escape included.
    const bool box_up = form.Panel1.Visible && !form.Panel1.Message.empty();
    if (box_up && key_down) {
        form.Panel1.HandleEvent(event);
        return;
    }
    if (event.kind == TEventKind::RenderReset) {
        if (form.DXDraw.Initialized()) form.DXDraw.RestoreSurfaces();
        return;
    }
    const TUiEvent ui = form.UiReader.Read(event, form.Window);
    if (ui.input == UiInput::Escape) {
        FormKeyDown(form, key_code::Escape); // the form sees every key first
        return;
    }
    if (ui.input == UiInput::Pause && form.Screens.Take(ProgramEvent::PauseKey)) return;
    if (ui.input == UiInput::Mute && form.Screens.Current() != Screen::Panel) {
        ToggleMute(form);
        return;
    }
    if (form.Screens.Current() == Screen::Paused) {
        form.Screens.TakeMenuInput(ui);
        return;
    }
    if (!form.Panel1.Visible) return;
    if (const DialogAction action = DialogActionOf(ui); action != DialogAction::None)
        form.Panel1.PadInput(action);
    else
        form.Panel1.HandleEvent(event);
}

} // namespace

TMainForm::TMainForm(TApplication& application, bool open_window)
    : Application(application), DXDraw(Window), DXTimer(application, Tape), DXInput1(application),
      DXWaveList1(DXSound1), DXImageList1(DXDraw), OPTimer(application, Tape),
      EndingTimer(application, Tape), TunagiTimer(application, Tape) {
    DXTimer.SetActiveOnly(true);
    DXTimer.SetInterval(0);
    DXTimer.OnTimer = [this](TDXTimer&, int) { DXTimerTimer(MakeScreenContext()); };
    OPTimer.SetInterval(1);
    OPTimer.OnTimer = [this](TDXTimer&, int) { OPTimerTimer(MakeScreenContext()); };
    EndingTimer.SetInterval(1);
    EndingTimer.OnTimer = [this](TDXTimer&, int) { EndingTimerTimer(MakeScreenContext()); };
    TunagiTimer.SetInterval(1);
    TunagiTimer.OnTimer = [this](TDXTimer&, int) { TunagiTimerTimer(MakeScreenContext()); };
    // Each timer runs a screen. A key pressed before a screen began is no tap on it: Space
    // that clicked START on the panel must not also start the game on the title.
    for (TDXTimer* timer : {&DXTimer, &OPTimer, &EndingTimer, &TunagiTimer})
        timer->OnEnable = [this](TDXTimer&) { DXInput1.ForgetTaps(); };

    DesignDisplay(*this);
    DXDraw.OnInitialize = [this](TDXDraw&) { DXDrawInitialize(*this); };
    DXDraw.OnFinalize = [this](TDXDraw&) { DXDrawFinalize(*this); };
    DXDraw.OnInitializeSurface = [this](TDXDraw&) { DXDrawInitializeSurface(*this); };
    DXDraw.OnRestoreSurface = [this](TDXDraw&) { DXDrawRestoreSurface(*this); };

    MailAndHP1.HomePageAddress = "index.html";
    Panel1.Button1.OnClick = [this] { Button1Click(*this); };
    Panel1.Button2.OnClick = [this] { Button2Click(*this); };
    Panel1.Button3.OnClick = [this] { Button3Click(*this); };
    Panel1.Button4.OnClick = [this] { Button4Click(*this); };
    Panel1.Button5.OnClick = [this] { Button5Click(*this); };
    Panel1.Button6.OnClick = [this] { Button6Click(*this); };
    Panel1.Button7.OnClick = [this] { Button7Click(*this); };
    Panel1.Button8.OnClick = [this] { Button8Click(*this); };

    DXSound1.Initialize(); // no device: the game runs silently
    const std::string game_folder = GameFolder();
    LoadFormDesign(*this, game_folder);
    // The help document in the player's language.
    MailAndHP1.HomePageAddress = LocalizedFileName(game_folder, MailAndHP1.HomePageAddress);

    if (open_window) {
        Window.Create(Caption, ClientWidth, ClientHeight);
        int usable_width = 0, usable_height = 0;
        if (Window.UsableScreenSize(usable_width, usable_height))
            ShowPanelAtScale(*this, PanelScaleFor(usable_width, usable_height));
        Panel1.Attach(Window);
        // While the panel is up, errors show in the game window over it.
        default_error_box_ = Application.ErrorBox;
        Application.ErrorBox = [this](const std::string& message) {
            if (!Panel1.Visible) return default_error_box_(message);
            ReportProblemLine("", message);
            Panel1.ShowMessage(message);
            Application.KeepIdling(); // the box must be drawn without waiting for an event
        };
    }
    ShowModal = [this](TModalDialog& dialog) { RunModalInWindow(*this, dialog); };
    // The pad in use pulled out mid-game pauses it.
    DXInput1.OnJoystickLost = [this] { Screens.Take(ProgramEvent::PadLost); };
    Application.OnEvent = [this](const TEvent& event) { DispatchEvent(*this, event); };
    Application.OnIdle = [this] {
        if (Panel1.Visible && Panel1.Draw()) Application.KeepIdling();
    };
    FormCreate(*this);
}

TMainForm::~TMainForm() {
    Application.OnEvent = nullptr;
    Application.OnIdle = nullptr;
    if (default_error_box_) Application.ErrorBox = default_error_box_;
    DXTimer.SetEnabled(false);
    OPTimer.SetEnabled(false);
    EndingTimer.SetEnabled(false);
    TunagiTimer.SetEnabled(false);
    // Finalising the display stops the frames and frees the HUD surfaces.
    if (DXDraw.Initialized()) DXDraw.FinalizeDisplay();
    Panel1.Detach();
    DXSound1.Finalize();
}

GameContext TMainForm::MakeGameContext() {
    return {world, DXInput1.States, DXDraw.Scene(), DXDraw.Viewport(), DXWaveList1};
}

ScreenContext TMainForm::MakeScreenContext() {
    return {MakeGameContext(),
            DXDraw,
            DXImageList1,
            DXInput1,
            Tape,
            Radar_Surface.get(),
            Gauge_Surface.get(),
            {&Image1, &Image2, &Image3, &Image4, &Image5, &Image6},
            DXTimer.FramesPerSecond(),
            FlashesOff(*this),
            Button1Names,
            [this](Screen next) { Screens.Change(next); }};
}

void TMainForm::Close() {
    if (closed_) return;
    if (!FormCloseQuery(*this)) return;
    closed_ = true;
    Application.Terminate();
}

void FormCreate(TMainForm& form) {
    World& w = form.world;
    ReadPlayCount(form);
    w.Energy = FullEnergy;
    w.Button_Latch = w.Missile_Latch = w.Blade_Latch = w.Camera_Latch = true;
    // The clock already has 1 ms resolution; nothing to raise.
    w.App_Dir = GameFolder();
    w.Win_Dir = GameUserFolder(UserFolder::Data).string();
    w.Score_File = w.Win_Dir + "/bnscore.dat";
    w.Time_File = w.Win_Dir + "/bntime2.dat";
    LoadMemo(form, w.App_Dir + LocalizedFileName(w.App_Dir, "option.txt"));
    ReadRemainingOptions(form);
    ShowChangedControls(form);
    ApplySoundSettings(form);
    w.Pose_Step = 0;
    w.Robo_HP = FullHitPoints;
    PlaceEnemiesAtStart(w);
}

void ShowPanelAtScale(TMainForm& form, int scale) {
    form.Panel1.Scale = scale;
    if (!form.Window.Created()) return;
    form.Window.SetClientSize(form.ClientWidth * scale, form.ClientHeight * scale);
    form.Window.Centre();
}

void DesignDisplay(TMainForm& form) {
    TDXDraw& draw = form.DXDraw;
    draw.SetOptions({doFullScreen, do3D});
    draw.Display = TDisplay{};
    draw.Display.BitCount = 16;
    draw.SetControlSize(form.ClientWidth, form.ClientHeight);
}

// Escape: the screen machine says what it does where (it closes the program on the panel,
// as designed).
void FormKeyDown(TMainForm& form, int key) {
    if (key == key_code::Escape) form.Screens.Take(ProgramEvent::Escape);
}

void Button2Click(TMainForm& form) {
    form.Close();
}

bool FormCloseQuery(TMainForm&) {
    // Closing is never refused.
    return true;
}

void DXDrawInitialize(TMainForm& form) {
    form.Radar_Surface = std::make_unique<TDirectDrawSurface>();
    form.Gauge_Surface = std::make_unique<TDirectDrawSurface>();
}

void DXDrawFinalize(TMainForm& form) {
    form.DXTimer.SetEnabled(false);
    form.Radar_Surface.reset();
    form.Gauge_Surface.reset();
}

void DXDrawInitializeSurface(TMainForm& form) {
    rm::Device* device = form.DXDraw.D3DRMDevice();
    if (device == nullptr) return;
    device->SetRenderMode(rm::RenderModeBlendedTransparency | rm::RenderModeSortedTransparency);
}

namespace {
void LoadSurfaceFromDIB(TDirectDrawSurface& surface, const TDIB& dib) {
    surface.SetSize(dib.Width(), dib.Height());
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) surface.SetPixel(x, y, dib.Pixel(x, y));
}
} // namespace

void DXDrawRestoreSurface(TMainForm& form) {
    if (form.Radar_Surface) {
        LoadSurfaceFromDIB(*form.Radar_Surface, form.PicBack.DIB);
        form.Radar_Surface->ColorKey = 0x00FF00; // lime
    }
    if (form.Gauge_Surface) {
        LoadSurfaceFromDIB(*form.Gauge_Surface, form.PicBack2.DIB);
        form.Gauge_Surface->ColorKey = 0x000000; // black
    }
}
