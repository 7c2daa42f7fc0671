// The HELP button: the document beside the program, opened without waiting; a failure is
// shown in a message box naming the document and the reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "options/dialogs.h"
#include "options/help_link.h"
#include "options/options.h"
#include "tests/support/env_scope.h"
#include "tests/support/form_fixture.h"

namespace {

TEST(HelpLink, ABareNameIsAFileUrlBesideTheProgram) {
    EXPECT_EQ(DocumentUrl("index.html", "/opt/brannock/bin/"),
              "file:///opt/brannock/bin/index.html");
    EXPECT_EQ(DocumentUrl("index.html", "/home/me/My Games/ブ/"),
              "file:///home/me/My%20Games/%E3%83%96/index.html");
    EXPECT_EQ(DocumentUrl("a#b?.html", "/x"), "file:///x/a%23b%3F.html");
    EXPECT_EQ(DocumentUrl("http://example.org/help", "/x"), "http://example.org/help");
}

class HelpButtonTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form().ShowModal = [this](TModalDialog& dialog) {
            boxes.push_back(static_cast<TMessageDialog&>(dialog).Text);
            dialog.ModalResult = TModalResult::OK;
        };
    }
    std::vector<std::string> boxes;
};

TEST_F(HelpButtonTest, EveryClickOpensTheDocumentAndAFailureIsShownWithItsReason) {
    std::vector<std::string> opened;
    std::string failure;
    form().MailAndHP1.Opener = [&](const std::string& url) {
        opened.push_back(url);
        return failure;
    };
    Button3Click(form());
    EXPECT_TRUE(form().MailAndHP1.Success);
    failure = "xdg-open reported error or failed to launch: 1";
    testing::internal::CaptureStderr();
    form().Panel1.Click(form().Panel1.Button3);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(opened.size(), 2u) << "twice clicked, twice opened";
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_TRUE(opened[0].starts_with("file:///") && opened[0].ends_with("/index.html"));
    const std::string document = form().MailAndHP1.Document;
    EXPECT_TRUE(document.starts_with("/") && document.ends_with("/index.html")) << document;
    const std::string message = "ヘルプ文書 " + document + " を開けません（" + failure + "）";
    EXPECT_EQ(boxes, std::vector<std::string>{message}) << "only the failure is said";
    EXPECT_EQ(said, "brannock: " + message + "\n");
}

// SDL runs xdg-open from PATH without waiting for it: none there is said; a stand-in that
// notes its URL is run.
TEST_F(HelpButtonTest, WithoutADesktopOpenerTheMessageSaysSo) {
    const std::filesystem::path bin = home_ / "bin", noted = home_ / "opened.txt";
    std::filesystem::create_directories(bin);
    std::optional<EnvScope> path(std::in_place, "PATH", bin.c_str());
    testing::internal::CaptureStderr();
    Button3Click(form());
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].ends_with("（文書を開くプログラム xdg-open が見つかりません）"))
        << boxes[0];
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\necho \"$1\" > " << noted.string() << "\n";
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    Button3Click(form());
    path.reset();
    EXPECT_EQ(boxes.size(), 1u) << form().MailAndHP1.Failure;
    std::string url; // the opener runs on its own: give it a moment
    for (int i = 0; i < 200 && url.empty(); ++i, SDL_Delay(10)) std::ifstream(noted) >> url;
    EXPECT_TRUE(url.starts_with("file:///") && url.ends_with("/index.html")) << url;
}

} // namespace
