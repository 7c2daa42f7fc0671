// Game controllers (pads SDL knows the layout of) through SDL's virtual joysticks: the
// named buttons and sticks map to the game's input states, plugged in before or during
// the game, and a pad SDL cannot name keeps the plain joystick reading.
#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "media/application.h"
#include "media/clock.h"
#include "media/input.h"

namespace {

TDXInputStates Only(std::initializer_list<TDXInputState> states) {
    TDXInputStates set;
    for (auto s : states) set.set(static_cast<size_t>(s));
    return set;
}

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    void TearDown() override {
        input_.reset();
        if (handle_ != nullptr) SDL_JoystickClose(handle_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        SDL_Quit();
    }

    // A virtual pad; as_controller gives it every button and axis of the usual layout.
    void Attach(bool as_controller) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = as_controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = as_controller ? "test pad" : "test stick";
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index_, 0) << SDL_GetError();
        handle_ = SDL_JoystickOpen(index_);
        ASSERT_NE(handle_, nullptr) << SDL_GetError();
    }
    void MakeInput() { input_ = std::make_unique<TDXInput>(application_); }
    void PassEvents() {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
            if (input_) input_->HandleEvent(EventOf(event));
    }
    // The states after setting one button (SDL_CONTROLLER_BUTTON_*) and one axis.
    TDXInputStates With(int button, int axis = -1, Sint16 value = 0) {
        if (button >= 0) SDL_JoystickSetVirtualButton(handle_, button, 1);
        if (axis >= 0) SDL_JoystickSetVirtualAxis(handle_, axis, value);
        SDL_JoystickUpdate();
        input_->UpdateInput();
        const TDXInputStates states = input_->States;
        if (button >= 0) SDL_JoystickSetVirtualButton(handle_, button, 0);
        if (axis >= 0) SDL_JoystickSetVirtualAxis(handle_, axis, 0);
        SDL_JoystickUpdate();
        input_->UpdateInput();
        return states;
    }

    VirtualClock clock_;
    TApplication application_{clock_};
    std::unique_ptr<TDXInput> input_;
    int index_ = -1;
    SDL_Joystick* handle_ = nullptr;
};

TEST_F(GamepadTest, NamedButtonsAreTheGameButtonsAndTheShouldersTurn) {
    Attach(true);
    MakeInput();
    ASSERT_TRUE(input_->GamepadOpen());
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_A), Only({InButton1}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_B), Only({InButton2}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_X), Only({InButton3}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_Y), Only({InButton4}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), Only({InButton7}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), Only({InButton8}));
    // Buttons the game gives no meaning stay silent; Start is the program's own (it pauses).
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_BACK), TDXInputStates{});
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_START), TDXInputStates{});
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_LEFTSTICK), TDXInputStates{});
}

TEST_F(GamepadTest, DpadAndLeftStickAreTheArrowsBeyondTheDeadZone) {
    Attach(true);
    MakeInput();
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_DPAD_UP), Only({InUp}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_DPAD_DOWN), Only({InDown}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_DPAD_LEFT), Only({InLeft}));
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), Only({InRight}));
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTX, -32768), Only({InLeft}));
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTX, 32767), Only({InRight}));
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTY, -32768), Only({InUp}));
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTY, 32767), Only({InDown}));
    // Half the travel is the dead zone: 16000 is inside it, 17000 beyond.
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTX, 16000), TDXInputStates{});
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTX, 17000), Only({InRight}));
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_LEFTX, -17000), Only({InLeft}));
    // The right stick does not steer.
    EXPECT_EQ(With(-1, SDL_CONTROLLER_AXIS_RIGHTX, 32767), TDXInputStates{});
}

TEST_F(GamepadTest, APadPluggedInDuringTheGameIsReadAndItsRemovalForgotten) {
    MakeInput();
    EXPECT_FALSE(input_->JoystickOpen());
    Attach(true);
    PassEvents();
    ASSERT_TRUE(input_->GamepadOpen());
    EXPECT_EQ(With(SDL_CONTROLLER_BUTTON_B), Only({InButton2}));
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(index_), 0);
    index_ = -1;
    PassEvents();
    EXPECT_FALSE(input_->JoystickOpen());
    EXPECT_FALSE(input_->GamepadOpen());
}

TEST_F(GamepadTest, AStickSdlCannotNameKeepsItsNumberedButtons) {
    Attach(false);
    MakeInput();
    ASSERT_TRUE(input_->JoystickOpen());
    EXPECT_FALSE(input_->GamepadOpen());
    // Raw button 2 is button 3 of the game, whatever a pad would call it.
    EXPECT_EQ(With(2), Only({InButton3}));
    EXPECT_EQ(With(-1, 0, -32768), Only({InLeft}));
}

} // namespace
