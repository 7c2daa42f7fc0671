#include <gtest/gtest.h>

#include <set>
#include <string>

#include <SDL.h>

#include "media/input.h"
#include "tools/replay/script_line.h"

namespace {

// The message a line is refused with, or "" when it reads.
std::string Refusal(const std::string& text) {
    try {
        ReadScriptLine(text);
    } catch (const ScriptLineError& e) {
        return e.what();
    }
    return "";
}

TEST(ScriptLineTest, CommentsAndBlankLinesReadAsNothing) {
    EXPECT_EQ(ReadScriptLine("").command, "");
    EXPECT_EQ(ReadScriptLine("   \t").command, "");
    EXPECT_EQ(ReadScriptLine("# frames 10").command, "");
    EXPECT_EQ(ReadScriptLine("frames 3 # Left").keys.size(), 0u) << "a word-starting # comments";
    // A '#' inside a word is part of the word.
    EXPECT_EQ(ReadScriptLine("shot stage#1").words.at(0), "stage#1");
}

TEST(ScriptLineTest, FrameCountsFromZeroAndKeyNamesWithSpaces) {
    EXPECT_EQ(ReadScriptLine("frames 0").number, 0);
    EXPECT_EQ(Refusal("frames -1"), "a frame count cannot be negative");
    EXPECT_EQ(Refusal("frames 2x"), "expected a frame count, got '2x'");
    EXPECT_EQ(Refusal("frames"), "expected a frame count");

    const ScriptLine keypad = ReadScriptLine("frames 1 Keypad 5");
    EXPECT_EQ(keypad.keys, (std::set<uint32_t>{VirtualKeyOfScancode(SDL_SCANCODE_KP_5)}));
    // "Keypad +" holds the separator itself, at the end and before another key.
    const std::set<uint32_t> left_and_plus = {VirtualKeyOfScancode(SDL_SCANCODE_LEFT),
                                              VirtualKeyOfScancode(SDL_SCANCODE_KP_PLUS)};
    EXPECT_EQ(ReadScriptLine("frames 2 Left + Keypad +").keys, left_and_plus);
    EXPECT_EQ(ReadScriptLine("frames 2 Keypad ++Left").keys, left_and_plus);
    EXPECT_EQ(Refusal("frames 1 Left + Nokey"), "unknown key 'Nokey'");
}

TEST(ScriptLineTest, LeversTakeExactlyTheirWords) {
    const ScriptLine set = ReadScriptLine("set Robo_HP 100");
    EXPECT_EQ(set.words, (std::vector<std::string>{"Robo_HP", "100"}));
    EXPECT_EQ(Refusal("set Robo_HP 100 5"), "unexpected '5' at the end of the line");
    EXPECT_EQ(Refusal("set Robo_HP"), "expected a value");

    const ScriptLine turned = ReadScriptLine("place robo 10.5 -3 0 1");
    EXPECT_FLOAT_EQ(turned.x, 10.5f);
    EXPECT_FLOAT_EQ(turned.z, -3.0f);
    ASSERT_TRUE(turned.facing.has_value());
    EXPECT_FLOAT_EQ(turned.facing->dz, 1.0f);
    EXPECT_FALSE(ReadScriptLine("place boss 1 2").facing.has_value());
    EXPECT_EQ(Refusal("place robo 1 2 0"), "expected DZ");
    EXPECT_NE(Refusal("place robo 1 z"), "");
}

TEST(ScriptLineTest, AnswersKeepInnerSpacesAndUnknownCommandsAreNamed) {
    EXPECT_EQ(ReadScriptLine("answer  Ace  Pilot \r").text, "Ace  Pilot");
    EXPECT_EQ(ReadScriptLine("type 太郎").text, "太郎");
    EXPECT_EQ(ReadScriptLine("trackbar 4").number, 4);
    EXPECT_EQ(Refusal("trackbar four"), "expected a position, got 'four'");
    EXPECT_EQ(Refusal("jump 3"), "unknown command 'jump'");
}

} // namespace

namespace {

TEST(ScriptLineTest, WindowSizesAndPressedKeysWithTheirModifiers) {
    EXPECT_EQ(ReadScriptLine("window 1920 1080").height, 1080);
    EXPECT_EQ(Refusal("window 0 480"), "a window size must be positive");
    const ScriptLine alt_enter = ReadScriptLine("press Alt+Return");
    EXPECT_EQ(alt_enter.key, SDLK_RETURN);
    EXPECT_EQ(alt_enter.modifiers, KMOD_LALT);
    EXPECT_EQ(Refusal("press Super+F11"), "unknown modifier 'Super' (Alt, Ctrl or Shift)");
    EXPECT_EQ(Refusal("press Alt+"), "expected a key");
}

// The pad's lines: its buttons by name, a tap of one, held sets, the sticks' readings.
TEST(ScriptLineTest, PadLinesNameTheirButtonsAndStickReadings) {
    const struct {
        const char* text;
        std::set<int> buttons;
        int x, y;
        const char* refusal;
    } rows[] = {
        {"pad attach", {}, 0, 0, ""},
        {"pad unplug", {}, 0, 0, "expected attach or detach, got 'unplug'"},
        {"tap start", {SDL_CONTROLLER_BUTTON_START}, 0, 0, ""},
        {"tap a+b", {}, 0, 0, "a tap is one button"},
        {"tap z",
         {},
         0,
         0,
         "unknown pad button 'z' (a, b, x, y, start, back, up, down, left, right, lb, rb)"},
        {"hold a+up+rb",
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_UP,
          SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
         0,
         0,
         ""},
        {"hold", {}, 0, 0, ""},
        {"hold a+", {}, 0, 0, "expected a pad button after '+'"},
        {"stick left -32768 32767", {}, -32768, 32767, ""},
        {"stick left 0 40000", {}, 0, 0, "a stick reading lies in -32768 .. 32767"},
        {"stick middle 0 0", {}, 0, 0, "expected left or right, got 'middle'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Refusal(row.text), row.refusal);
        if (*row.refusal != 0) continue;
        const ScriptLine line = ReadScriptLine(row.text);
        EXPECT_EQ(line.buttons, row.buttons);
        EXPECT_EQ(line.stick_x, row.x);
        EXPECT_EQ(line.stick_y, row.y);
    }
}

} // namespace
