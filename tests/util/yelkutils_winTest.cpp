#include "util/yelkutils_win.h"
#include "platform/win/ShlObj.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>

using namespace yelkutils_win;

TEST(yelkutils_win, UnixTimeBecomesAFileTimeCountHeldAtBothEnds)
{
    const std::pair<std::int64_t, std::uint64_t> Cases[] = {
        {0, UINT64_C(116444736000000000)},
        {1, UINT64_C(116444736010000000)},
        {-11644473600, 0}, // 1601-01-01
        {-11644473601, 0},
        {1833029933770, UINT64_C(1844674407370) * 10000000}, // the last second a count holds
        {1833029933771, UINT64_MAX},
        {INT64_MAX, UINT64_MAX},
    };
    for (const auto& [Seconds, Count] : Cases)
        EXPECT_EQ(UnixTimeToFileTime(Seconds), Count) << Seconds;
}

TEST(yelkutils_win, CreateDirectoryPathMakesEveryLevelOfFoldersOnly)
{
    TTempDir D;
    const std::string Deep = D.Path() + "a/b c/\"d\"/e";
    EXPECT_TRUE(CreateDirectoryPath(Deep));
    EXPECT_TRUE(IsExistingDirectory(Deep.c_str()));
    EXPECT_TRUE(CreateDirectoryPath(Deep + "/")); // all there: nothing to do
    EXPECT_TRUE(CreateDirectoryPath(D.Path() + "a//b c///x/"));
    EXPECT_TRUE(IsExistingDirectory((D.Path() + "a/b c/x").c_str()));

    const std::string Blocker = D.WriteFile("a/blocker", "");
    EXPECT_FALSE(IsExistingDirectory(Blocker.c_str()));
    EXPECT_FALSE(CreateDirectoryPath(Blocker + "/sub"));
    EXPECT_FALSE(IsExistingDirectory((Blocker + "/sub").c_str()));
    EXPECT_FALSE(IsExistingDirectory(""));

    // A relative path stays relative.
    const AnsiString Before = GetCurrentDir();
    ASSERT_EQ(::chdir(D.Path().c_str()), 0);
    const bool Made = CreateDirectoryPath("rel/sub");
    ASSERT_EQ(::chdir(Before.c_str()), 0);
    EXPECT_TRUE(Made);
    EXPECT_TRUE(IsExistingDirectory((D.Path() + "rel/sub").c_str()));
}

TEST(yelkutils_win, FolderTokensBecomeTheXdgFoldersAndEnvironmentTokensTheirValues)
{
    TTemporaryHome Home;
    TScopedEnvironment Env;
    const std::string Long(3000, 'w'); // longer than any buffer guessed for it
    Env.Set("WinDir", Long.c_str());
    Env.Set("SystemRoot", nullptr);

    for (const char* Unchanged : {"/plain/path", "100%", "%appdata%/x"}) { // tokens are case-sensitive
        std::string S = Unchanged;
        EXPECT_FALSE(ExpandPathTokens(S));
        EXPECT_EQ(S, Unchanged);
    }
    const std::string H = Home.Home(), Data = Home.DataHome();
    std::string S = "%MyDocuments%|%MYDOCUMENTS%|%MyPictures%|%MYPICTURES%|%PROFILE%|%COMMONAPPDATA%|%APPDATA%/n";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, H + "/Documents|" + H + "/Documents|" + H + "/Pictures|" + H + "/Pictures|" + H + "|" + Data + "|" +
                     Data + "/n");

    // Windows folders mean nothing here; the token still counts.
    S = "[%SystemRoot%][%WinDir%][%SystemDirectory%][%ProgramFiles%][%StartMenu%][%Favorites%][%WinDir%]";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, "[][" + Long + "][][][][][" + Long + "]");

    // A suffix follows the folder, or stands alone.
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA, "/Maker"), Data + "/Maker");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_SYSTEM, "/x"), "/x");
}
