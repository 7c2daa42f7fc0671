// The per-user folders: an absolute XDG variable is used, anything else falls back below HOME.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "media/user_folders.h"
#include "tests/support/env_scope.h"

namespace {

TEST(UserFolders, OnlyAnAbsoluteXdgVariableCountsElseTheFolderIsBelowHome) {
    const struct {
        UserFolder which;
        const char* variable;
        const char* value; // nullptr: unset
        const char* home;
        const char* expected;
    } cases[] = {
        {UserFolder::Config, "XDG_CONFIG_HOME", "/cfg", "/home/p", "/cfg/brannock"},
        {UserFolder::Config, "XDG_CONFIG_HOME", "cfg", "/home/p", "/home/p/.config/brannock"},
        {UserFolder::Config, "XDG_CONFIG_HOME", "", "/home/p", "/home/p/.config/brannock"},
        {UserFolder::Config, "XDG_CONFIG_HOME", nullptr, "/home/p", "/home/p/.config/brannock"},
        {UserFolder::Config, "XDG_CONFIG_HOME", nullptr, "", "./.config/brannock"},
        {UserFolder::Data, "XDG_DATA_HOME", "/data", "/home/p", "/data/brannock"},
        {UserFolder::Data, "XDG_DATA_HOME", "data", "/home/p", "/home/p/.local/share/brannock"},
        {UserFolder::Data, "XDG_DATA_HOME", "", "/home/p", "/home/p/.local/share/brannock"},
        {UserFolder::Data, "XDG_DATA_HOME", nullptr, "/home/p", "/home/p/.local/share/brannock"},
        {UserFolder::Data, "XDG_DATA_HOME", nullptr, nullptr, "./.local/share/brannock"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variable) + "=" + (c.value ? c.value : "(unset)") +
                     " HOME=" + (c.home ? c.home : "(unset)"));
        const EnvScope variable(c.variable, c.value);
        const EnvScope home("HOME", c.home);
        EXPECT_EQ(GameUserFolder(c.which).string(), c.expected);
    }
}

} // namespace
