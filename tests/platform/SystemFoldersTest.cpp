#include "platform/SystemFolders.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::ScopedEnv;

TEST(SystemFoldersTest, DataFoldersFollowTheXdgVariables) {
    {
        ScopedEnv dirs("XDG_DATA_DIRS", "relative:/opt/share:/usr/share");
        ScopedEnv config("XDG_CONFIG_HOME", "/home/u/cfg/");
        EXPECT_EQ(commonDataFolder(), "/opt/share/");
        EXPECT_EQ(userDataFolder(), "/home/u/cfg/");
    }
    {
        ScopedEnv dirs("XDG_DATA_DIRS", std::nullopt);
        ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnv home("HOME", "/home/anna");
        EXPECT_EQ(commonDataFolder(), "/usr/local/share/");
        EXPECT_EQ(userDataFolder(), "/home/anna/.config/");
    }
}

TEST(SystemFoldersTest, TempFolderTakesTempThenTmpThenTheUsualVariables) {
    ScopedEnv a("Temp", std::nullopt), b("Tmp", std::nullopt), c("XDG_RUNTIME_DIR", std::nullopt),
        d("TMPDIR", std::nullopt);
    EXPECT_EQ(tempFolder(), "/tmp");
    ScopedEnv e("TMPDIR", "/var/tmp/");
    EXPECT_EQ(tempFolder(), "/var/tmp");
    ScopedEnv f("Tmp", "/x/tmp");
    EXPECT_EQ(tempFolder(), "/x/tmp");
    ScopedEnv g("Temp", "/x/temp");
    EXPECT_EQ(tempFolder(), "/x/temp");
}

TEST(SystemFoldersTest, LocaleNamesTakeTheDashedForm) {
    EXPECT_EQ(localeNameFrom("de_DE.UTF-8"), "de-DE");
    EXPECT_EQ(localeNameFrom("fr_CA.utf8@euro"), "fr-CA");
    EXPECT_EQ(localeNameFrom("it"), "it-IT");
    EXPECT_EQ(localeNameFrom("C"), "");
    EXPECT_EQ(localeNameFrom("POSIX"), "");
    EXPECT_EQ(localeNameFrom("C.UTF-8"), "");
    ScopedEnv all("LC_ALL", std::nullopt), msg("LC_MESSAGES", "en_GB.UTF-8"), lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(localeName(), "en-GB");
}

TEST(SystemFoldersTest, ExecutablePathIsAbsolute) {
    std::string p = executablePath();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p[0], '/');
}

}  // namespace
}  // namespace sartovin
