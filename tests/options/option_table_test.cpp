// The option table read both ways: whatever the file, a demo or the world holds, the panel
// shows it so that START takes the same value back, and a value outside an option's range
// changes no control.
#include <gtest/gtest.h>

#include <vector>

#include "options/option_table.h"

namespace {

// Every value an option takes, with a few for the play count, which takes any.
std::vector<int32_t> ValuesOf(const OptionRow& row) {
    if (row.id == Option::PlayCount) return {-7, 0, 4, 5, 10, 11, INT32_MAX};
    std::vector<int32_t> values;
    for (int32_t v = row.min; v <= row.max; ++v) values.push_back(v);
    return values;
}

bool OnPanel(const OptionRow& row) {
    return row.control == OptionControl::Choice || row.control == OptionControl::CheckBox ||
           row.control == OptionControl::TrackBar;
}

// What START takes for the option: the panel's choice, or else the world's own value.
int32_t Started(const OptionRow& row, const TOptionsPanel& p, const World& w) {
    return PanelChoice(row, p).value_or(StoredValueOfWorld(row, w));
}

// Every control's state, to see whether anything changed.
std::vector<int> PanelState(TOptionsPanel& p) {
    std::vector<int> state;
    for (TRadioButton* b :
         {&p.RadioButton1,  &p.RadioButton2,  &p.RadioButton3,  &p.RadioButton4,  &p.RadioButton5,
          &p.RadioButton6,  &p.RadioButton7,  &p.RadioButton8,  &p.RadioButton9,  &p.RadioButton10,
          &p.RadioButton11, &p.RadioButton12, &p.RadioButton13, &p.RadioButton14, &p.RadioButton15,
          &p.RadioButton16, &p.RadioButton17, &p.RadioButton18, &p.RadioButton19, &p.RadioButton20,
          &p.RadioButton21})
        state.push_back(b->Checked ? 1 : 0);
    state.push_back(p.CheckBox2.Checked ? 1 : 0);
    state.push_back(p.CheckBox4.Checked ? 1 : 0);
    state.push_back(p.TrackBar1.Position());
    return state;
}

TEST(OptionTableTest, AValueReadFromTheFileIsTheValueStartTakes) {
    for (const OptionRow& row : OptionTable) {
        if (!row.key) continue;
        for (const int32_t v : ValuesOf(row)) {
            TOptionsPanel panel;
            World world;
            ShowStoredValue(row, panel, world, v);
            EXPECT_EQ(Started(row, panel, world), v) << row.key << " = " << v;
        }
    }
}

TEST(OptionTableTest, WhatADemoRecordsIsWhatStartTakesWhenItPlays) {
    for (size_t i = 0; i < DemoOptionCount; ++i) {
        const OptionRow& row = OptionTable[i];
        for (const int32_t v : ValuesOf(row)) {
            // Every other button of the group checked first: the demo's choice must win.
            TOptionsPanel panel;
            World world;
            for (const auto button : row.buttons)
                if (button) (panel.*button).Checked = true;
            PrepareChoice(row, panel, world, StoredValueOfDemo(row, DemoValueOf(row, v)));
            EXPECT_EQ(Started(row, panel, world), v) << row.name << " = " << v;
        }
    }
}

TEST(OptionTableTest, TheWorldGivesBackTheValueItWasGiven) {
    for (const OptionRow& row : OptionTable) {
        for (const int32_t v : ValuesOf(row)) {
            World world;
            SetWorldValue(row, world, v);
            EXPECT_EQ(StoredValueOfWorld(row, world), v) << row.name << " = " << v;
        }
    }
    // The background distance is kept as the viewport's depth.
    World world;
    SetWorldValue(RowOf(Option::BackDistance), world, 5);
    EXPECT_EQ(world.Back_Distance, 320);
}

TEST(OptionTableTest, AValueJustOutsideTheRangeSetsNoControlButTheTrackBarKeepsItInRange) {
    for (const OptionRow& row : OptionTable) {
        if (!OnPanel(row)) continue;
        for (const int32_t v : {row.min - 1, row.max + 1}) {
            TOptionsPanel panel;
            World world;
            const std::vector<int> before = PanelState(panel);
            ShowStoredValue(row, panel, world, v);
            if (row.control == OptionControl::TrackBar)
                EXPECT_EQ(Started(row, panel, world), v < row.min ? row.min : row.max);
            else
                EXPECT_EQ(PanelState(panel), before) << row.key << " = " << v;
        }
    }
}

} // namespace
