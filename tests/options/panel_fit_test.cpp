// Every caption of the options panel and of its dialogs fits its control at the designed
// size, in Japanese and in English: measured with the font the panel draws with, the way
// the panel places it. The Alt letters of each form's buttons stay unique.
#include <gtest/gtest.h>
#include <imgui.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "options/dialogs.h"
#include "options/options_panel.h"
#include "options/panel_fonts.h"
#include "options/record_table.h"
#include "tests/support/language_scope.h"

namespace {

struct Box {
    int left, top, right, bottom;
    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

Box BoxOf(const TControl& c) {
    return {c.Left, c.Top, c.Left + c.Width, c.Top + c.Height};
}

class PanelFitTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        language_ = std::make_unique<LanguageScope>(GetParam());
        panel_ = std::make_unique<TOptionsPanel>();
        context_ = ImGui::CreateContext();
        // Every glyph the captions and dialogs of this language need.
        TMessageDialog box(Tr(ClearQuestion), Tr(ClearCaption), TMessageDialog::Kind::YesNo);
        TfrmInput input;
        TfrmScore score;
        std::string text = box.GlyphText() + input.GlyphText() + score.GlyphText() +
                           ScoreText(0, true) + ScoreText(INT32_MIN, false);
        for (const TControl* c : panel_->CaptionedControls()) text += c->Caption;
        ImFontGlyphRangesBuilder builder;
        builder.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesDefault());
        builder.AddText(text.c_str());
        builder.BuildRanges(&ranges_);
        BuildPanelFonts(ranges_, regular_, bold_, dialog_);
        panel_->FitTrackBarToLabels([this](const std::string& caption) {
            return static_cast<int>(std::ceil(Width(regular_, PanelFontSize, caption)));
        });
    }
    void TearDown() override {
        ImGui::DestroyContext(context_);
        language_.reset();
    }

    static float Width(ImFont* font, float size, const std::string& text) {
        return font->CalcTextSizeA(size, FLT_MAX, 0, text.c_str()).x;
    }
    float PanelWidth(const TControl& c) const { return Width(regular_, PanelFontSize, c.Caption); }

    // The panel's captioned controls whose names begin with prefix.
    std::vector<const TControl*> Named(const std::string& prefix) const {
        std::vector<const TControl*> found;
        for (const TControl* c : panel_->CaptionedControls())
            if (c->Name.starts_with(prefix)) found.push_back(c);
        return found;
    }

    std::unique_ptr<LanguageScope> language_;
    std::unique_ptr<TOptionsPanel> panel_;
    ImGuiContext* context_ = nullptr;
    ImVector<ImWchar> ranges_;
    ImFont* regular_ = nullptr;
    ImFont* bold_ = nullptr;
    DialogFonts dialog_;
};

// A group's caption sits on its frame from 8 pixels in and needs the frame's corner free.
TEST_P(PanelFitTest, GroupCaptionsStayOnTheirFrames) {
    for (const TControl* g : Named("GroupBox"))
        EXPECT_LE(PanelWidth(*g) + 16, g->Width) << g->Name << " \"" << g->Caption << "\"";
}

// A radio button or check box is its mark, a gap and the caption, inside its control.
TEST_P(PanelFitTest, ChoiceCaptionsFitBesideTheirMarks) {
    const float mark = PanelFontSize + 2 + 4; // the framed mark and the gap after it
    std::vector<const TControl*> choices = Named("RadioButton");
    for (const TControl* c : Named("CheckBox")) choices.push_back(c);
    for (const TControl* c : choices)
        EXPECT_LE(mark + PanelWidth(*c), c->Width) << c->Name << " \"" << c->Caption << "\"";
}

// A button's caption clears the focus rectangle drawn 4 pixels inside its edge.
TEST_P(PanelFitTest, ButtonCaptionsClearTheirFocusRectangles) {
    for (const TControl* b : Named("Button"))
        EXPECT_LE(Width(regular_, PanelFontSize, CaptionText(b->Caption)) + 10, b->Width)
            << b->Name << " \"" << b->Caption << "\"";
}

// Labels with a width keep to it; the others overlap no other control and stay on the panel.
TEST_P(PanelFitTest, LabelsOverlapNoNeighbour) {
    const TOptionsPanel& p = *panel_;
    for (const TControl* c : Named("Label")) {
        const auto* l = static_cast<const TLabel*>(c);
        ImFont* font = l->Bold ? bold_ : regular_;
        const float size = l->FontSize == 16 ? PanelBoldFontSize : PanelFontSize;
        const float width = Width(font, size, l->Caption);
        if (l->Width > 0) {
            EXPECT_LE(width, l->Width) << l->Name << " \"" << l->Caption << "\"";
            continue;
        }
        const Box text{l->Left, l->Top, l->Left + static_cast<int>(std::ceil(width)),
                       l->Top + l->Height};
        EXPECT_LE(text.right, p.Width) << l->Name;
        for (const TControl* other : p.CaptionedControls()) {
            if (other == l || !other->Visible) continue;
            EXPECT_FALSE(text.Overlaps(BoxOf(*other)))
                << l->Name << " \"" << l->Caption << "\" runs into " << other->Name;
        }
        EXPECT_FALSE(text.Overlaps(BoxOf(p.Memo1))) << l->Name;
    }
}

// The slider keeps a usable length between its end labels, inside its group.
TEST_P(PanelFitTest, TheSliderFitsBetweenItsEndLabels) {
    const TOptionsPanel& p = *panel_;
    const TLabel& near = p.TrackNearLabel;
    const TLabel& far = p.TrackFarLabel;
    EXPECT_GT(p.TrackBar1.Left, near.Left + near.Width);
    EXPECT_LT(p.TrackBar1.Left + p.TrackBar1.Width, far.Left);
    EXPECT_GE(p.TrackBar1.Width, 100) << "room for six ticks a thumb apart";
    EXPECT_GE(near.Left, p.BackGroup.Left + 6);
    EXPECT_LE(far.Left + far.Width, p.BackGroup.Left + p.BackGroup.Width - 4);
    if (GetParam() == Language::Japanese) {
        // The designed places.
        EXPECT_EQ(near.Left, 304);
        EXPECT_EQ(p.TrackBar1.Left, 318);
        EXPECT_EQ(p.TrackBar1.Width, 128);
        EXPECT_EQ(far.Left, 448);
    }
}

TEST_P(PanelFitTest, AltLettersAreUniqueOnEveryForm) {
    std::set<char> letters;
    for (const TControl* b : Named("Button")) {
        const char letter = AcceleratorOf(b->Caption);
        EXPECT_NE(letter, 0) << b->Name << " \"" << b->Caption << "\" has no Alt letter";
        EXPECT_TRUE(letters.insert(letter).second)
            << b->Name << " \"" << b->Caption << "\" repeats " << letter;
    }
    TMessageDialog box(Tr(ClearQuestion), Tr(ClearCaption), TMessageDialog::Kind::YesNo);
    const char yes = AcceleratorOf(box.ButtonList[0].Caption);
    const char no = AcceleratorOf(box.ButtonList[1].Caption);
    EXPECT_NE(yes, 0);
    EXPECT_NE(no, 0);
    EXPECT_NE(yes, no);
}

// The dialogs' texts in their bold fonts: the name entry's label, the table's title and its
// widest numbers, and the buttons of the clear confirmation.
TEST_P(PanelFitTest, DialogTextsFitTheirLabelsAndButtons) {
    TfrmInput input;
    EXPECT_LE(Width(dialog_.Bold(input.Label1.FontSize), static_cast<float>(input.Label1.FontSize),
                    input.Label1.Caption),
              input.Label1.Width);
    TfrmScore score;
    const auto fits = [&](const TLabel& label, const std::string& text) {
        return Width(dialog_.Bold(label.FontSize), static_cast<float>(label.FontSize), text) <=
               static_cast<float>(label.Width);
    };
    EXPECT_TRUE(fits(score.Title, score.Title.Caption));
    const TLabel& column = score.Rows[0].mPlayersScore;
    for (const std::string& shown : {ScoreText(0, true), ScoreText(INT32_MIN, false)})
        EXPECT_TRUE(fits(column, shown)) << shown;
    TMessageDialog box(Tr(ClearQuestion), Tr(ClearCaption), TMessageDialog::Kind::YesNo);
    for (const TButton& b : box.ButtonList)
        EXPECT_LE(Width(dialog_.regular, 12, CaptionText(b.Caption)) + 10, b.Width) << b.Caption;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PanelFitTest,
                         ::testing::Values(Language::Japanese, Language::English),
                         [](const ::testing::TestParamInfo<Language>& row) {
                             return row.param == Language::English ? "English" : "Japanese";
                         });

} // namespace
