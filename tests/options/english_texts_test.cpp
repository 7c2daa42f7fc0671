// In English the panel's memo and the HELP button use the English option text and help
// document, and both explain every option by the caption the English panel shows.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "options/options.h"
#include "tests/support/form_fixture.h"
#include "tests/support/language_scope.h"

namespace {

std::string ReadGameFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EnglishTextsTest : public FormFixture {
protected:
    void SetUp() override {
        english_ = std::make_unique<LanguageScope>(Language::English);
        FormFixture::SetUp(); // the form reads its texts in English
    }
    void TearDown() override {
        FormFixture::TearDown();
        english_.reset();
    }

    // The captions of every option a player can see, as the English panel shows them: all
    // but the hidden bonus modes, START, HELP, EXIT and the panel's own labels.
    std::vector<std::string> OptionCaptions() {
        const std::set<std::string> left_out = {
            "GroupBox11", "RadioButton13", "RadioButton14", "Button1", "Button2",
            "Button3",    "Label1",        "Label2",        "Label3",  "Label4"};
        std::vector<std::string> captions;
        for (const TControl* c : form().Panel1.CaptionedControls())
            if (!left_out.contains(c->Name)) captions.push_back(CaptionText(c->Caption));
        return captions;
    }

    std::unique_ptr<LanguageScope> english_;
};

TEST_F(EnglishTextsTest, TheMemoAndHelpAreTheEnglishOnes) {
    const std::vector<std::string>& lines = form().Panel1.Memo1.Lines;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Brannock Version 0.5  About the options");
    std::string opened;
    form().MailAndHP1.Opener = [&](const std::string& url) {
        opened = url;
        return std::string();
    };
    Button3Click(form());
    EXPECT_TRUE(opened.ends_with("/index.en.html")) << opened;
}

TEST_F(EnglishTextsTest, BothTextsExplainEveryOptionByItsEnglishCaption) {
    for (const char* name : {"option.en.txt", "index.en.html"}) {
        const std::string text = ReadGameFile(name);
        ASSERT_FALSE(text.empty()) << name;
        for (const std::string& caption : OptionCaptions())
            EXPECT_NE(text.find(caption), std::string::npos) << name << " lacks " << caption;
        // Written for players who do not read Japanese: no Japanese letters outside the
        // names of the picture files the manual shows.
        for (const char* japanese : {"の", "を", "ボタン", "設定"})
            EXPECT_EQ(text.find(japanese), std::string::npos) << name << " has " << japanese;
    }
}

} // namespace
