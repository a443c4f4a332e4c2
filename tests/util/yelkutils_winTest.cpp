#include "util/yelkutils_win.h"
#include "platform/win/ShlObj.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>

using namespace yelkutils_win;

TEST(yelkutils_win, UnixTimeBecomesAFileTimeCount)
{
    EXPECT_EQ(UnixTimeToFileTime(0), UINT64_C(116444736000000000));
    EXPECT_EQ(UnixTimeToFileTime(1), UINT64_C(116444736010000000));
    EXPECT_EQ(UnixTimeToFileTime(1700000000), UINT64_C(133444736000000000));
    EXPECT_EQ(UnixTimeToFileTime(-11644473600), 0u); // 1601-01-01
    EXPECT_EQ(UnixTimeToFileTime(-11644473601), 0u);
    EXPECT_EQ(UnixTimeToFileTime(INT64_MAX), UINT64_MAX);
    EXPECT_EQ(UnixTimeToFileTime(1833029933770), UINT64_C(1844674407370) * 10000000);
    EXPECT_EQ(UnixTimeToFileTime(1833029933771), UINT64_MAX);
}

TEST(yelkutils_win, ExistingDirectoriesAreFoldersOnly)
{
    TTempDir D;
    const std::string File = D.WriteFile("f", "");
    EXPECT_TRUE(IsExistingDirectory(D.Path().c_str()));
    EXPECT_FALSE(IsExistingDirectory(File.c_str()));
    EXPECT_FALSE(IsExistingDirectory((D.Path() + "none").c_str()));
    EXPECT_FALSE(IsExistingDirectory(""));
}

TEST(yelkutils_win, CreateDirectoryPathKeepsTheRootAndMakesEveryLevel)
{
    TTempDir D;
    const std::string Deep = D.Path() + "a/b c/\"d\"/e";
    EXPECT_TRUE(CreateDirectoryPath(Deep));
    EXPECT_TRUE(DirectoryExists(Deep));
    EXPECT_TRUE(CreateDirectoryPath(Deep + "/")); // all there: nothing to do
    EXPECT_TRUE(CreateDirectoryPath(D.Path() + "a//b c///x/"));
    EXPECT_TRUE(DirectoryExists(D.Path() + "a/b c/x"));

    D.WriteFile("a/blocker", "");
    EXPECT_FALSE(CreateDirectoryPath(D.Path() + "a/blocker/sub"));
    EXPECT_FALSE(DirectoryExists(D.Path() + "a/blocker/sub"));
}

TEST(yelkutils_win, CreateDirectoryPathOfARelativePathStaysRelative)
{
    TTempDir D;
    const AnsiString Before = GetCurrentDir();
    ASSERT_EQ(::chdir(D.Path().c_str()), 0);
    const bool Made = CreateDirectoryPath("rel/sub");
    ASSERT_EQ(::chdir(Before.c_str()), 0);
    EXPECT_TRUE(Made);
    EXPECT_TRUE(DirectoryExists(D.Path() + "rel/sub"));
}

TEST(yelkutils_win, SpecialFoldersAreTheXdgFoldersWithTheSuffix)
{
    TTemporaryHome Home;
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA, "/Maker"), Home.DataHome() + "/Maker");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL, ""), Home.Home() + "/Documents");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_SYSTEM, "/x"), "/x");
}

TEST(yelkutils_win, ExpandPathTokensReplacesEveryKnownToken)
{
    TTemporaryHome Home;
    TScopedEnvironment Env;
    Env.Set("SystemRoot", nullptr);
    Env.Set("WinDir", nullptr);

    std::string S = "/plain/path";
    EXPECT_FALSE(ExpandPathTokens(S));
    EXPECT_EQ(S, "/plain/path");
    S = "100%";
    EXPECT_FALSE(ExpandPathTokens(S));
    EXPECT_EQ(S, "100%");
    S = "%appdata%/x"; // tokens are case-sensitive
    EXPECT_FALSE(ExpandPathTokens(S));

    S = "%APPDATA%/name";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, Home.DataHome() + "/name");

    S = "%MyDocuments%|%MYDOCUMENTS%|%MyPictures%|%MYPICTURES%|%PROFILE%|%COMMONAPPDATA%|%APPDATA%";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, Home.Home() + "/Documents|" + Home.Home() + "/Documents|" + Home.Home() + "/Pictures|" + Home.Home() +
                     "/Pictures|" + Home.Home() + "|" + Home.DataHome() + "|" + Home.DataHome());

    // Windows folders mean nothing here; the token still counts.
    S = "[%SystemRoot%][%WinDir%][%SystemDirectory%][%ProgramFiles%][%StartMenu%][%Favorites%]";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, "[][][][][][]");
}

TEST(yelkutils_win, EnvironmentTokensTakeValuesOfAnyLength)
{
    TScopedEnvironment Env;
    const std::string Long(3000, 'w');
    Env.Set("WinDir", Long.c_str());
    Env.Set("SystemRoot", "/sys/root");
    std::string S = "%WinDir%/%SystemRoot%/%WinDir%";
    EXPECT_TRUE(ExpandPathTokens(S));
    EXPECT_EQ(S, Long + "//sys/root/" + Long);
}
