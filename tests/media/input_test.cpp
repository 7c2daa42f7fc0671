// Input states from the keyboard table, the update rule that keeps removed states out,
// the inactive window, and the joystick axis conversion.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/form_design.h"
#include "media/application.h"
#include "media/clock.h"
#include "media/input.h"
#include "media/ui_input.h"
#include "media/window.h"

namespace {

TDXInputStates Only(std::initializer_list<TDXInputState> states) {
    TDXInputStates set;
    for (auto s : states) set.set(static_cast<size_t>(s));
    return set;
}

SDL_Event KeyEvent(SDL_Scancode scancode, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = scancode;
    return e;
}

class InputTest : public ::testing::Test {
protected:
    InputTest() { input.KeyAssigns = DesignedKeyAssigns(); }
    void Press(SDL_Scancode s) { input.HandleEvent(EventOf(KeyEvent(s, true))); }
    void Release(SDL_Scancode s) { input.HandleEvent(EventOf(KeyEvent(s, false))); }
    TDXInputStates StatesForKey(uint32_t virtual_key) {
        input.SetScriptedKeys(std::set<uint32_t>{virtual_key});
        input.UpdateInput();
        const TDXInputStates states = input.States;
        input.SetScriptedKeys(std::set<uint32_t>{});
        input.UpdateInput();
        return states;
    }
    VirtualClock clock;
    TApplication application{clock};
    TDXInput input{application};
};

} // namespace

TEST(InputNames, StatesAreNamedInTheirOrder) {
    EXPECT_STREQ(InputStateName(InUp), "InUp");
    EXPECT_STREQ(InputStateName(InRight), "InRight");
    EXPECT_STREQ(InputStateName(InButton1), "InButton1");
    EXPECT_STREQ(InputStateName(InButton32), "InButton32");
    EXPECT_EQ(InButton32, 35);
    EXPECT_STREQ(InputStateName(36), "");
    EXPECT_STREQ(InputStateName(-1), "");
}

TEST(InputKeyCodes, ScancodesGiveTheVirtualKeysOfTheTable) {
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_LEFT), 37u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_UP), 38u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_A), 65u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_Z), 90u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_9), 57u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_SPACE), 32u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_RETURN), 13u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_ESCAPE), 27u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_BACKSPACE), 8u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_TAB), 9u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_5), 101u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_9), 105u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_UNKNOWN), 0u);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_RSHIFT), 16u);
    EXPECT_EQ(SideVirtualKeyOfScancode(SDL_SCANCODE_RSHIFT), 161u);
    EXPECT_EQ(SideVirtualKeyOfScancode(SDL_SCANCODE_A), 0u);
}

TEST_F(InputTest, TheDesignedTableMapsEachKeyToItsState) {
    EXPECT_EQ(StatesForKey(38), Only({InUp}));
    EXPECT_EQ(StatesForKey(98), Only({InDown}));
    EXPECT_EQ(StatesForKey(102), Only({InRight}));
    EXPECT_EQ(StatesForKey(13), Only({InButton1}));
    EXPECT_EQ(StatesForKey(68), Only({InButton2}));
    EXPECT_EQ(StatesForKey(71), Only({InButton4}));
    EXPECT_EQ(StatesForKey(65), Only({InButton7}));
    EXPECT_EQ(StatesForKey(72), Only({InButton29}));
    EXPECT_EQ(StatesForKey(78), Only({InButton32}));
    EXPECT_EQ(StatesForKey(66), Only({})); // B has no state
    EXPECT_EQ(StatesForKey(0), Only({}));  // an empty slot is no key
}

TEST_F(InputTest, NumericPadFiveIsDown) {
    Press(SDL_SCANCODE_KP_5);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InDown}));
}

TEST_F(InputTest, ReleasingZWhileSpaceIsHeldKeepsButtonOne) {
    Press(SDL_SCANCODE_Z);
    Press(SDL_SCANCODE_SPACE);
    input.UpdateInput();
    EXPECT_TRUE(input.Has(InButton1));
    Release(SDL_SCANCODE_Z);
    input.UpdateInput();
    EXPECT_TRUE(input.Has(InButton1));
    Release(SDL_SCANCODE_SPACE);
    input.UpdateInput();
    EXPECT_FALSE(input.Has(InButton1));
}

TEST_F(InputTest, AStateTheGameRemovedStaysOutUntilPressedAgain) {
    Press(SDL_SCANCODE_X);
    input.UpdateInput();
    input.States.reset(InButton2);
    input.UpdateInput();
    EXPECT_FALSE(input.Has(InButton2)) << "a held key must not bring a removed state back";
    Release(SDL_SCANCODE_X);
    input.UpdateInput();
    Press(SDL_SCANCODE_X);
    input.UpdateInput();
    EXPECT_TRUE(input.Has(InButton2));
}

// After a pause: Enter, which chose "resume" and may still be down, fires nothing until
// pressed again; Up, held since before the pause, walks on; X, let go meanwhile, is out.
TEST_F(InputTest, KeysPressedDuringAPauseAreNoPressesAfterIt) {
    Press(SDL_SCANCODE_UP);
    Press(SDL_SCANCODE_X);
    input.UpdateInput();
    Release(SDL_SCANCODE_X);
    Press(SDL_SCANCODE_RETURN);
    input.ForgetPressesSincePause();
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InUp}));
    Release(SDL_SCANCODE_RETURN);
    input.UpdateInput();
    Press(SDL_SCANCODE_RETURN);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InUp, InButton1}));
    input.ForgetStates();
    EXPECT_EQ(input.States, TDXInputStates{}) << "a new game starts from nothing";
}

TEST_F(InputTest, AnInactiveApplicationEmptiesTheUnionAndRemovesHeldStates) {
    Press(SDL_SCANCODE_UP);
    Press(SDL_SCANCODE_G);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InUp, InButton4}));
    application.SetActive(false);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({}));
    application.SetActive(true);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InUp, InButton4}));

    input.ActiveOnly = false;
    application.SetActive(false);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InUp, InButton4}));
}

TEST_F(InputTest, LosingTheFocusForgetsHeldKeys) {
    Press(SDL_SCANCODE_Z);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    input.HandleEvent(EventOf(focus));
    input.UpdateInput();
    EXPECT_FALSE(input.Has(InButton1));
}

TEST_F(InputTest, ScriptedKeysReplaceTheKeyboard) {
    Press(SDL_SCANCODE_Z);
    input.SetScriptedKeys(std::set<uint32_t>{37});
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InLeft}));
    input.SetScriptedKeys(std::nullopt);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InButton1}));
}

TEST_F(InputTest, ADisabledOrUnboundKeyboardGivesNothing) {
    Press(SDL_SCANCODE_Z);
    input.Keyboard.BindInputStates = false;
    input.UpdateInput();
    EXPECT_TRUE(input.Keyboard.States.test(InButton1));
    EXPECT_FALSE(input.Has(InButton1));
    input.Keyboard.BindInputStates = true;
    input.Keyboard.Enabled = false;
    input.UpdateInput();
    EXPECT_FALSE(input.Has(InButton1));
}

TEST_F(InputTest, ShiftKeysSetTheSharedAndTheirOwnSideCode) {
    input.KeyAssigns[InButton5] = {16, 0, 0};
    input.KeyAssigns[InButton6] = {160, 0, 0};
    Press(SDL_SCANCODE_RSHIFT);
    input.UpdateInput();
    EXPECT_EQ(input.States, Only({InButton5}));
}

TEST(JoystickAxis, TheDeadZoneSwallowsSmallDeflections) {
    // SDL's raw range; 10 % right of centre is inside a 50 % dead zone.
    EXPECT_EQ(ConvertJoystickAxis(3277, -32768, 32767, 50, 1000), 0);
    EXPECT_EQ(ConvertJoystickAxis(-16000, -32768, 32767, 50, 1000), 0);
    EXPECT_EQ(ConvertJoystickAxis(32767, -32768, 32767, 50, 1000), 1000);
    EXPECT_EQ(ConvertJoystickAxis(-32768, -32768, 32767, 50, 1000), -1000);
    // The multimedia range of 0 .. 65535 gives the same.
    EXPECT_EQ(ConvertJoystickAxis(65535, 0, 65535, 50, 1000), 1000);
    EXPECT_EQ(ConvertJoystickAxis(32767, 0, 65535, 50, 1000), 0);
    // A dead zone of 100 % leaves nothing to scale.
    EXPECT_EQ(ConvertJoystickAxis(32767, -32768, 32767, 100, 1000), 0);
}

TEST(JoystickAxis, ScalingRoundsToNearestWithHalvesToEven) {
    // Half 32767, dead 16383: the value is (centred - 16383) x 1000 / 16384.
    EXPECT_EQ(ConvertJoystickAxis(16383 + 1024 - 1, -32768, 32767, 50, 1000), 62);  // 62.5
    EXPECT_EQ(ConvertJoystickAxis(16383 + 3072 - 1, -32768, 32767, 50, 1000), 188); // 187.5
    EXPECT_EQ(ConvertJoystickAxis(16383 + 1, -32768, 32767, 50, 1000), 0);          // 0.12
    EXPECT_EQ(ConvertJoystickAxis(16383 + 10, -32768, 32767, 50, 1000), 1);         // 0.67
    EXPECT_EQ(ConvertJoystickAxis(-(16383 + 1024), -32768, 32767, 50, 1000), -62);
    // A wide range needs more than 32 bits in between.
    EXPECT_EQ(ConvertJoystickAxis(32767, -32768, 32767, 50, 1000000), 1000061);
}

// A virtual joystick stands in for a plugged-in one.
class JoystickInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        input = std::make_unique<TDXInput>(application);
    }
    void TearDown() override {
        input.reset();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    // What the message loop does: pump and hand every event to the input.
    void DispatchEvents() {
        SDL_Event e;
        while (SDL_PollEvent(&e) == 1) input->HandleEvent(EventOf(e));
    }
    VirtualClock clock;
    TApplication application{clock};
    std::unique_ptr<TDXInput> input;
};

TEST_F(JoystickInput, PluggingInOpensItAndItsAxesAndButtonsGiveStates) {
    EXPECT_FALSE(input->JoystickOpen());
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 40, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    DispatchEvents();
    ASSERT_TRUE(input->JoystickOpen());
    SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    ASSERT_NE(stick, nullptr);

    SDL_JoystickSetVirtualAxis(stick, 0, 32767);
    SDL_JoystickSetVirtualAxis(stick, 1, 3277); // inside the dead zone
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    SDL_JoystickSetVirtualButton(stick, 31, 1);
    SDL_JoystickSetVirtualButton(stick, 35, 1); // past button 32: no state
    DispatchEvents();
    input->UpdateInput();
    EXPECT_EQ(input->States, Only({InRight, InButton1, InButton32}));

    SDL_JoystickSetVirtualAxis(stick, 0, -32768);
    SDL_JoystickSetVirtualAxis(stick, 1, -32768);
    SDL_JoystickSetVirtualButton(stick, 0, 0);
    SDL_JoystickSetVirtualButton(stick, 31, 0);
    DispatchEvents();
    input->UpdateInput();
    EXPECT_EQ(input->States, Only({InLeft, InUp}));

    // Scripted runs ignore whatever is plugged in.
    input->SetScriptedKeys(std::set<uint32_t>{});
    input->UpdateInput();
    EXPECT_EQ(input->States, Only({}));
    input->SetScriptedKeys(std::nullopt);

    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
    DispatchEvents();
    EXPECT_FALSE(input->JoystickOpen());
    input->UpdateInput();
    EXPECT_EQ(input->States, Only({}));
}

namespace {

// Key events go through SDL's queue and the application's message loop, as in the game.
class QueuedInputTest : public InputTest {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        application.OnEvent = [this](const TEvent& e) { input.HandleEvent(e); };
    }
    void TearDown() override {
        application.OnEvent = nullptr;
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
    void Queue(SDL_Scancode s, bool down) {
        SDL_Event e = KeyEvent(s, down);
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }
    // What happens between two frames: the loop takes every queued event, then the frame
    // reads the input once.
    TDXInputStates NextFrame() {
        application.Step(false);
        input.UpdateInput();
        return input.States;
    }
};

} // namespace

TEST_F(QueuedInputTest, AKeyTappedBetweenTwoFramesIsHeldForOneFrame) {
    Queue(SDL_SCANCODE_C, true);
    Queue(SDL_SCANCODE_C, false);
    EXPECT_EQ(NextFrame(), Only({InButton3}));
    EXPECT_EQ(NextFrame(), Only({})) << "a single tap must not last two frames";
    // Six quick taps, one between each pair of frames: six presses.
    int presses = 0;
    bool was_held = false;
    for (int i = 0; i < 6; ++i) {
        Queue(SDL_SCANCODE_C, true);
        Queue(SDL_SCANCODE_C, false);
        for (int frame = 0; frame < 2; ++frame) {
            const bool held = NextFrame().test(InButton3);
            if (held && !was_held) ++presses;
            was_held = held;
        }
    }
    EXPECT_EQ(presses, 6);
}

TEST_F(QueuedInputTest, AHeldKeyLetGoAndPressedAgainBetweenFramesStaysHeld) {
    Queue(SDL_SCANCODE_LEFT, true);
    EXPECT_EQ(NextFrame(), Only({InLeft}));
    Queue(SDL_SCANCODE_LEFT, false);
    Queue(SDL_SCANCODE_LEFT, true);
    EXPECT_EQ(NextFrame(), Only({InLeft}));
    // Let go for good: out at the next frame, not one later.
    Queue(SDL_SCANCODE_LEFT, false);
    EXPECT_EQ(NextFrame(), Only({}));
    // The mirrored key behaves the same.
    Queue(SDL_SCANCODE_RIGHT, true);
    Queue(SDL_SCANCODE_RIGHT, false);
    EXPECT_EQ(NextFrame(), Only({InRight}));
    EXPECT_EQ(NextFrame(), Only({}));
}

TEST_F(QueuedInputTest, ATapWhileInactiveIsNotRememberedForLater) {
    application.SetActive(false);
    Queue(SDL_SCANCODE_X, true);
    Queue(SDL_SCANCODE_X, false);
    EXPECT_EQ(NextFrame(), Only({}));
    application.SetActive(true);
    EXPECT_EQ(NextFrame(), Only({}));
}

// The program's own keys and the pause menu's input: Escape, P and Start; arrows, keypad,
// d-pad and stick; Enter, Space, Z and A choose (not Alt+Enter, the full-screen key); B
// goes back; the d-pad and the stick also go left and right (the keyboard's arrows do not).
// Only up and down repeat; the stick moves once per push.
TEST(UiInput, KeysButtonsAndTheStickGiveTheirInput) {
    const auto key = [](SDL_Keycode sym, bool repeat = false, Uint16 mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        e.key.repeat = repeat ? 1 : 0;
        return e;
    };
    const auto pad = [](Uint8 button) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.button = button;
        return e;
    };
    const auto stick = [](Uint8 axis, Sint16 value) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERAXISMOTION;
        e.caxis.axis = axis;
        e.caxis.value = value;
        return e;
    };
    const struct {
        SDL_Event event;
        UiInput input;
    } rows[] = {
        {key(SDLK_ESCAPE), UiInput::Escape},
        {key(SDLK_ESCAPE, true), UiInput::None},
        {key(SDLK_p), UiInput::Pause},
        {key(SDLK_p, true), UiInput::None},
        {key(SDLK_UP, true), UiInput::Up},
        {key(SDLK_KP_2), UiInput::Down},
        {key(SDLK_RETURN), UiInput::Choose},
        {key(SDLK_RETURN, false, KMOD_LALT), UiInput::None},
        {key(SDLK_SPACE), UiInput::Choose},
        {key(SDLK_z), UiInput::Choose},
        {key(SDLK_x), UiInput::None},
        {pad(SDL_CONTROLLER_BUTTON_START), UiInput::Pause},
        {pad(SDL_CONTROLLER_BUTTON_A), UiInput::Choose},
        {pad(SDL_CONTROLLER_BUTTON_B), UiInput::Back},
        {pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN), UiInput::Down},
        {pad(SDL_CONTROLLER_BUTTON_X), UiInput::None},
        // One reader through these: the stick pushed, pushed further, back, then up.
        {stick(SDL_CONTROLLER_AXIS_LEFTY, 20000), UiInput::Down},
        {stick(SDL_CONTROLLER_AXIS_LEFTY, 32767), UiInput::None},
        {stick(SDL_CONTROLLER_AXIS_LEFTY, 1000), UiInput::None},
        {stick(SDL_CONTROLLER_AXIS_LEFTY, 20000), UiInput::Down},
        {stick(SDL_CONTROLLER_AXIS_LEFTY, -32768), UiInput::Up},
        {stick(SDL_CONTROLLER_AXIS_LEFTX, -32768), UiInput::Left},
        {stick(SDL_CONTROLLER_AXIS_LEFTX, -30000), UiInput::None},
        {stick(SDL_CONTROLLER_AXIS_LEFTX, 30000), UiInput::Right},
        {stick(SDL_CONTROLLER_AXIS_RIGHTX, -32768), UiInput::None},
        {pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT), UiInput::Left},
        {pad(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), UiInput::Right},
        {key(SDLK_LEFT), UiInput::None},
    };
    TUiReader reader;
    const TWindow window; // no window: no pointer
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(reader.Read(EventOf(rows[i].event), window).input, rows[i].input) << "row " << i;
}
