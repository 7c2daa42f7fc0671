// The options panel without a window: designed defaults, lookup by name, radio groups and
// the keyboard of a desktop form.
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/events.h"
#include "options/options_panel.h"

namespace {

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7"}) {
            TButton* b = panel.FindButton(name);
            ASSERT_NE(b, nullptr) << name;
            b->OnClick = [this, name] { clicks.push_back(name); };
        }
    }

    bool Key(int key, bool shift = false, bool alt = false) {
        return panel.KeyDown(key, shift, alt);
    }
    // A key pressed and let go.
    void Tap(int key) {
        panel.KeyDown(key, false, false);
        panel.KeyUp(key);
    }

    std::vector<std::string> TabWalk(bool forward, size_t count) {
        std::vector<std::string> names;
        for (size_t i = 0; i < count; ++i) {
            Key(key_code::Tab, !forward);
            names.push_back(panel.Focused()->Name);
        }
        return names;
    }

    TOptionsPanel panel;
    std::vector<std::string> clicks;
};

std::string CheckedIn(TOptionsPanel& p, const TGroupBox& group) {
    std::string names;
    for (TRadioButton* r : p.GroupMembers(group))
        if (r->Checked) names += r->Name + " ";
    return names;
}

TEST_F(PanelTest, DesignedDefaultsOneCheckedPerGroup) {
    EXPECT_EQ(CheckedIn(panel, panel.LightGroup), "RadioButton19 ");
    EXPECT_EQ(CheckedIn(panel, panel.CameraGroup), "RadioButton7 ");
    EXPECT_EQ(CheckedIn(panel, panel.ControlGroup), "RadioButton6 ");
    EXPECT_EQ(CheckedIn(panel, panel.MonitorGroup), "RadioButton15 ");
    EXPECT_EQ(CheckedIn(panel, panel.DifficultyGroup), "RadioButton3 ");
    EXPECT_EQ(CheckedIn(panel, panel.BonusGroup), "");
    EXPECT_TRUE(panel.CheckBox4.Checked);
    EXPECT_FALSE(panel.CheckBox2.Checked);
    EXPECT_EQ(panel.TrackBar1.Position(), 2);
    EXPECT_TRUE(panel.Button1.Default);
    EXPECT_TRUE(panel.Button2.Cancel);
    EXPECT_TRUE(panel.Memo1.ReadOnly);
    // The difficulty group lists its choices from the top as designed.
    std::vector<std::string> order;
    for (TRadioButton* r : panel.GroupMembers(panel.DifficultyGroup)) order.push_back(r->Caption);
    EXPECT_EQ(order, (std::vector<std::string>{"Eazy", "Normal", "Hard", "Very Hard", "練習モード",
                                               "タイムアタックモード"}));
}

TEST_F(PanelTest, BonusModesAreBelowTheVisibleAreaDisabledAndNeverTabbedTo) {
    EXPECT_GE(panel.BonusGroup.Top, panel.Height);
    EXPECT_GE(panel.RadioButton13.Top, panel.Height);
    EXPECT_FALSE(panel.RadioButton13.Enabled);
    EXPECT_FALSE(panel.RadioButton14.Enabled);
    // Even when enabled by the play count they are no tab stops.
    panel.RadioButton13.Enabled = panel.RadioButton14.Enabled = true;
    const auto walk = TabWalk(true, 2 * panel.TabOrder().size());
    EXPECT_EQ(std::set<std::string>(walk.begin(), walk.end()).count("RadioButton13"), 0u);
    EXPECT_EQ(std::set<std::string>(walk.begin(), walk.end()).count("RadioButton14"), 0u);
}

TEST_F(PanelTest, FindsControlsByName) {
    for (int i = 1; i <= 21; ++i) {
        const std::string name = "RadioButton" + std::to_string(i);
        TRadioButton* r = panel.FindRadioButton(name);
        ASSERT_NE(r, nullptr) << name;
        EXPECT_EQ(r->Name, name);
        EXPECT_NE(r->Group, nullptr) << name;
    }
    EXPECT_EQ(panel.FindCheckBox("CheckBox2"), &panel.CheckBox2);
    EXPECT_EQ(panel.FindCheckBox("CheckBox4"), &panel.CheckBox4);
    EXPECT_EQ(panel.FindButton("Button3"), &panel.Button3);
    EXPECT_EQ(panel.FindTrackBar("TrackBar1"), &panel.TrackBar1);
    EXPECT_EQ(panel.FindRadioButton("RadioButton22"), nullptr);
    EXPECT_EQ(panel.FindCheckBox("CheckBox1"), nullptr);
    EXPECT_EQ(panel.FindButton("Button9"), nullptr);
    EXPECT_EQ(panel.FindButton("button1"), nullptr);
}

TEST_F(PanelTest, CheckingUnchecksOnlyTheOthersOfItsGroup) {
    panel.Check(panel.RadioButton5);
    EXPECT_EQ(CheckedIn(panel, panel.DifficultyGroup), "RadioButton5 ");
    panel.Check(panel.RadioButton12); // below the rule, still the same group
    EXPECT_EQ(CheckedIn(panel, panel.DifficultyGroup), "RadioButton12 ");
    EXPECT_EQ(CheckedIn(panel, panel.LightGroup), "RadioButton19 ");
    EXPECT_EQ(CheckedIn(panel, panel.CameraGroup), "RadioButton7 ");
    EXPECT_EQ(CheckedIn(panel, panel.MonitorGroup), "RadioButton15 ");
}

TEST_F(PanelTest, TabVisitsStartTheCheckedChoiceOfEachGroupAndWraps) {
    EXPECT_EQ(panel.Focused(), &panel.Button1) << "START has the focus first";
    const auto forward = TabWalk(true, 18);
    EXPECT_EQ(forward, (std::vector<std::string>{"RadioButton19", "CheckBox4", "RadioButton7",
                                                 "CheckBox2", "RadioButton6", "RadioButton15",
                                                 "TrackBar1", "RadioButton3", "Button4", "Button5",
                                                 "Button6", "Button7", "Memo1", "Button8", "Button3",
                                                 "Button2", "Button1", "RadioButton19"}));
    panel.Check(panel.RadioButton17);
    Key(key_code::Tab, true); // back from RadioButton19 to START
    const auto backward = TabWalk(false, 3);
    EXPECT_EQ(backward, (std::vector<std::string>{"Button2", "Button3", "Button8"}));
    TabWalk(false, 8);
    EXPECT_EQ(panel.Focused()->Name, "RadioButton17") << "the group's stop follows its check";

    // A group without a checked button is entered at its first one.
    panel.RadioButton7.Checked = false;
    panel.SetFocus(panel.CheckBox4);
    Key(key_code::Tab);
    EXPECT_EQ(panel.Focused(), &panel.RadioButton7);
    Key(key_code::Tab);
    EXPECT_EQ(panel.Focused(), &panel.CheckBox2);
}

TEST_F(PanelTest, ArrowsMoveTheCheckInsideARadioGroupAndWrap) {
    panel.SetFocus(panel.RadioButton3);
    Key(key_code::Down);
    EXPECT_TRUE(panel.RadioButton4.Checked);
    EXPECT_FALSE(panel.RadioButton3.Checked);
    EXPECT_EQ(panel.Focused(), &panel.RadioButton4);
    Key(key_code::Right);
    Key(key_code::Down);
    Key(key_code::Down);
    EXPECT_TRUE(panel.RadioButton12.Checked);
    Key(key_code::Down);
    EXPECT_TRUE(panel.RadioButton2.Checked) << "wraps to the top";
    Key(key_code::Up);
    EXPECT_TRUE(panel.RadioButton12.Checked);
    EXPECT_EQ(CheckedIn(panel, panel.LightGroup), "RadioButton19 ") << "other groups untouched";

    // The bonus group's disabled buttons are skipped, so nothing moves there.
    panel.Check(panel.RadioButton13);
    panel.SetFocus(panel.RadioButton13);
    EXPECT_FALSE(Key(key_code::Down));
    EXPECT_TRUE(panel.RadioButton13.Checked);
}

TEST_F(PanelTest, ArrowsOnOtherControlsMoveTheFocus) {
    panel.SetFocus(panel.Button4);
    Key(key_code::Down);
    EXPECT_EQ(panel.Focused(), &panel.Button5);
    Key(key_code::Left);
    EXPECT_EQ(panel.Focused(), &panel.Button4);
    Key(key_code::Up);
    EXPECT_EQ(panel.Focused(), &panel.RadioButton3);
    EXPECT_TRUE(panel.RadioButton3.Checked) << "moving the focus checks nothing";
}

TEST_F(PanelTest, EnterPressesStartUnlessAnotherButtonHasTheFocus) {
    panel.SetFocus(panel.CheckBox4);
    Key(key_code::Enter);
    panel.SetFocus(panel.TrackBar1);
    Key(key_code::Enter);
    panel.SetFocus(panel.Button3);
    Key(key_code::Enter);
    Tap(key_code::Space);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Button1", "Button1", "Button3", "Button3"}));
    clicks.clear();
    Key(key_code::Escape);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Button2"})) << "EXIT is the cancel button";
}

TEST_F(PanelTest, SpaceClicksAPushButtonWhenItComesUp) {
    panel.SetFocus(panel.Button1);
    Key(key_code::Space);
    Key(key_code::Space); // held: the keyboard repeats
    EXPECT_TRUE(clicks.empty()) << "nothing while Space is down";
    EXPECT_EQ(panel.SpacePressed(), &panel.Button1) << "drawn pressed";
    EXPECT_TRUE(panel.KeyUp(key_code::Space));
    EXPECT_EQ(clicks, (std::vector<std::string>{"Button1"})) << "one click on the way up";
    EXPECT_EQ(panel.SpacePressed(), nullptr);
    EXPECT_FALSE(panel.KeyUp(key_code::Space)) << "a second release clicks nothing";
    EXPECT_EQ(clicks.size(), 1u);

    clicks.clear();
    Key(key_code::Space);
    Key(key_code::Tab); // the focus leaves while Space is held
    panel.KeyUp(key_code::Space);
    EXPECT_TRUE(clicks.empty()) << "let go elsewhere: no click";

    panel.SetFocus(panel.CheckBox2);
    Key(key_code::Space);
    panel.KeyUp(key_code::Space);
    EXPECT_TRUE(clicks.empty()) << "a check box is no push button";
    panel.SetFocus(panel.Button3);
    panel.KeyUp(key_code::Space);
    EXPECT_TRUE(clicks.empty()) << "a release without its press";
}

TEST_F(PanelTest, SpaceConfirmingTheErrorBoxPressesNothingAfterIt) {
    panel.SetFocus(panel.Button1);
    panel.ShowMessage("bn.ini に書き込めません");
    Tap(key_code::Space);
    EXPECT_TRUE(panel.Message.empty());
    EXPECT_TRUE(clicks.empty()) << "START stays unpressed";
    panel.ShowMessage("bn.ini に書き込めません");
    Key(key_code::Escape);
    EXPECT_TRUE(panel.Message.empty()) << "Escape confirms the box too";
    EXPECT_TRUE(clicks.empty()) << "without pressing EXIT";
}

TEST_F(PanelTest, SpaceTogglesCheckBoxesAndChecksRadioButtons) {
    panel.SetFocus(panel.CheckBox2);
    Key(key_code::Space);
    EXPECT_TRUE(panel.CheckBox2.Checked);
    Key(key_code::Space);
    EXPECT_FALSE(panel.CheckBox2.Checked);
    EXPECT_TRUE(panel.CheckBox4.Checked);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(PanelTest, AltWithTheUnderlinedLetterPressesItsButton) {
    EXPECT_EQ(AcceleratorOf("&START"), 'S');
    EXPECT_EQ(AcceleratorOf("ハイスコア(&P)"), 'P');
    EXPECT_EQ(AcceleratorOf("A&&B"), 0);
    EXPECT_EQ(CaptionText("Ｔｏｐ１０(&T)"), "Ｔｏｐ１０(T)");
    EXPECT_EQ(CaptionText("A&&B"), "A&B");

    EXPECT_FALSE(Key('S')) << "a plain letter is no accelerator";
    for (int key : {'S', 'H', 'E', 'P', 'C', 'T', 'D'}) Key(key, false, true);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Button1", "Button3", "Button2", "Button4",
                                                "Button5", "Button6", "Button7"}));
    EXPECT_EQ(panel.Focused(), &panel.Button7);
    EXPECT_FALSE(Key('X', false, true));
    panel.Button4.Enabled = false;
    EXPECT_FALSE(Key('P', false, true)) << "a disabled button cannot be pressed";
}

TEST_F(PanelTest, TrackBarKeysStayWithinItsRange) {
    panel.SetFocus(panel.TrackBar1);
    for (int i = 0; i < 5; ++i) Key(key_code::Left);
    EXPECT_EQ(panel.TrackBar1.Position(), 0);
    Key(key_code::Right);
    Key(key_code::PageDown);
    EXPECT_EQ(panel.TrackBar1.Position(), 2);
    Key(key_code::End);
    Key(key_code::Down);
    EXPECT_EQ(panel.TrackBar1.Position(), 5);
    Key(key_code::Home);
    EXPECT_EQ(panel.TrackBar1.Position(), 0);
    panel.TrackBar1.SetPosition(9);
    EXPECT_EQ(panel.TrackBar1.Position(), 5);
    panel.TrackBar1.SetPosition(-1);
    EXPECT_EQ(panel.TrackBar1.Position(), 0);
}

TEST_F(PanelTest, MemoScrollsByKeyboard) {
    panel.SetFocus(panel.Memo1);
    Key(key_code::Down);
    Key(key_code::Down);
    Key(key_code::PageDown);
    Key(key_code::Up);
    EXPECT_EQ(panel.PendingMemoScroll, 1 + 1 + 8 - 1);
    EXPECT_EQ(panel.Focused(), &panel.Memo1);
}

TEST_F(PanelTest, KeyEventsReachTheKeyboardWithTheirModifiers) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_h;
    event.key.keysym.mod = KMOD_LALT;
    EXPECT_TRUE(panel.HandleEvent(EventOf(event)));
    event.key.keysym.sym = SDLK_TAB;
    event.key.keysym.mod = KMOD_RSHIFT;
    EXPECT_TRUE(panel.HandleEvent(EventOf(event)));
    EXPECT_EQ(clicks, (std::vector<std::string>{"Button3"}));
    EXPECT_EQ(panel.Focused(), &panel.Button8) << "Shift+Tab went back from HELP";
    event.type = SDL_MOUSEBUTTONDOWN;
    EXPECT_FALSE(panel.HandleEvent(EventOf(event))) << "no window, no mouse";
}

TEST_F(PanelTest, ErrorOfAButtonReachesTheCallerAndThePanelGoesOn) {
    panel.Button1.OnClick = [] { throw std::runtime_error("cannot write"); };
    EXPECT_THROW(Key(key_code::Enter), std::runtime_error);
    Key(key_code::Tab);
    EXPECT_EQ(panel.Focused(), &panel.RadioButton19);
    Key(key_code::Down);
    EXPECT_TRUE(panel.RadioButton20.Checked);
}

} // namespace
