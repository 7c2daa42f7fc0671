// The panel's font atlas: the Japanese font at every size the panel and its dialogs use,
// built again when new characters appear, and without keeping the font file in memory.
#include <gtest/gtest.h>
#include <imgui.h>

#include <set>

#include "options/panel_fonts.h"

namespace {

class PanelFontsTest : public ::testing::Test {
protected:
    void SetUp() override { context = ImGui::CreateContext(); }
    void TearDown() override { ImGui::DestroyContext(context); }

    // Glyph ranges for ImGui's default set and the given characters.
    static ImVector<ImWchar> Ranges(const char* text) {
        ImFontGlyphRangesBuilder builder;
        builder.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesDefault());
        builder.AddText(text);
        ImVector<ImWchar> ranges;
        builder.BuildRanges(&ranges);
        return ranges;
    }
    static bool KeepsFontData() {
        for (const ImFontConfig& config : ImGui::GetIO().Fonts->ConfigData)
            if (config.FontData != nullptr) return true;
        return false;
    }

    ImGuiContext* context = nullptr;
    ImFont* regular = nullptr;
    ImFont* bold = nullptr;
    DialogFonts dialog;
};

} // namespace

TEST_F(PanelFontsTest, EverySizeHasTheJapaneseGlyphsAndNoCopyOfTheFile) {
    const ImVector<ImWchar> ranges = Ranges("設定");
    BuildPanelFonts(ranges, regular, bold, dialog);
    ASSERT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
    std::set<ImFont*> fonts{regular, bold};
    for (ImFont* f : dialog.bold) fonts.insert(f);
    EXPECT_EQ(fonts.size(), 2 + DialogFonts::BoldSizes.size()) << "one font per size";
    EXPECT_EQ(dialog.regular, regular);
    for (ImFont* f : fonts) {
        ASSERT_NE(f, nullptr);
        EXPECT_NE(f->FindGlyphNoFallback(0x8A2D), nullptr) << "設 at " << f->FontSize;
        EXPECT_EQ(f->FindGlyphNoFallback(0x753B), nullptr) << "画 was not asked for";
    }
    EXPECT_FLOAT_EQ(regular->FontSize, PanelFontSize);
    EXPECT_FLOAT_EQ(bold->FontSize, PanelBoldFontSize);
    EXPECT_FALSE(KeepsFontData());

    // A new character: the atlas is built again from the file, which goes again after.
    const ImVector<ImWchar> more = Ranges("設定画");
    BuildPanelFonts(more, regular, bold, dialog);
    ASSERT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
    EXPECT_NE(regular->FindGlyphNoFallback(0x753B), nullptr);
    EXPECT_NE(dialog.bold.back()->FindGlyphNoFallback(0x753B), nullptr);
    EXPECT_FALSE(KeepsFontData());
}

TEST_F(PanelFontsTest, WithoutTheFontFileEverySizeIsTheDefaultFont) {
    const ImVector<ImWchar> ranges = Ranges("設定");
    testing::internal::CaptureStderr();
    BuildPanelFonts(ranges, regular, bold, dialog, "/nonexistent/panel-font.ttf");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "brannock: /nonexistent/panel-font.ttf: "
                    "見つかりません。パネルは日本語のないフォントで描きます。\n");
    ASSERT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(bold, regular);
    EXPECT_EQ(dialog.regular, regular);
    EXPECT_EQ(regular->FindGlyphNoFallback(0x8A2D), nullptr) << "no Japanese in the default";
    EXPECT_NE(regular->FindGlyphNoFallback('A'), nullptr);
    for (ImFont* f : dialog.bold) EXPECT_EQ(f, nullptr);
}
