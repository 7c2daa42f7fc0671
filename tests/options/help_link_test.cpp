// The HELP button: the document beside the program, opened without waiting; a failure
// only clears the success flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/help_link.h"
#include "options/options.h"
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

class HelpButtonTest : public FormFixture {};

TEST_F(HelpButtonTest, EveryClickOpensTheDocumentAndAFailureOnlyClearsTheFlag) {
    std::vector<std::string> opened;
    bool taken = true;
    form().MailAndHP1.Opener = [&](const std::string& url) {
        opened.push_back(url);
        return taken;
    };
    Button3Click(form());
    EXPECT_TRUE(form().MailAndHP1.Success);
    taken = false;
    form().Panel1.Click(form().Panel1.Button3);
    EXPECT_FALSE(form().MailAndHP1.Success);
    ASSERT_EQ(opened.size(), 2u) << "twice clicked, twice opened";
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_EQ(opened[0].rfind("file:///", 0), 0u);
    EXPECT_EQ(opened[0].substr(opened[0].size() - 11), "/index.html");
    EXPECT_TRUE(form().Panel1.Visible);
    EXPECT_TRUE(form().Panel1.Message.empty()) << "no message is shown";
}

} // namespace
