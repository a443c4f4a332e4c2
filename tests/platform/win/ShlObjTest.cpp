#include "platform/win/ShlObj.h"
#include "platform/rtl/XdgFolders.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

AnsiString Folder(int Csidl, bool* Known = nullptr)
{
    AnsiString Path = "stale";
    const bool Ok = SHGetSpecialFolderPathA(nullptr, Path, Csidl, false);
    if (Known) *Known = Ok;
    return Path;
}

} // namespace

TEST(ShlObj, FoldersFallBackToTheHomeFolder)
{
    TTemporaryHome Home;
    EXPECT_EQ(Folder(CSIDL_PERSONAL), Home.Home() + "/Documents");
    EXPECT_EQ(Folder(CSIDL_MYPICTURES), Home.Home() + "/Pictures");
    EXPECT_EQ(Folder(CSIDL_APPDATA), Home.DataHome());
    EXPECT_EQ(Folder(CSIDL_COMMON_APPDATA), Home.DataHome());
    EXPECT_EQ(Folder(CSIDL_PROFILE), Home.Home());
}

TEST(ShlObj, UserDirsNameDocumentsAndPictures)
{
    TTemporaryHome Home;
    Home.Dir().WriteFile("home/.config/user-dirs.dirs", "# written by xdg-user-dirs-update\r\n"
                                                        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\r\n"
                                                        "XDG_DOCUMENTS_DIR=\"$HOME/Papiere/\"\r\n"
                                                        "XDG_PICTURES_DIR=\"/srv/Bilder \\\"neu\\\"\"\n");
    EXPECT_EQ(Folder(CSIDL_PERSONAL), Home.Home() + "/Papiere");
    EXPECT_EQ(Folder(CSIDL_MYPICTURES), "/srv/Bilder \"neu\"");

    // A relative entry is not valid and the default holds.
    Home.Dir().WriteFile("home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"Docs\"\n");
    EXPECT_EQ(Folder(CSIDL_PERSONAL), Home.Home() + "/Documents");
}

TEST(ShlObj, RelativeXdgVariablesAreIgnored)
{
    TTemporaryHome Home;
    TScopedEnvironment Env;
    Env.Set("XDG_DATA_HOME", "relative/share");
    Env.Set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(Folder(CSIDL_APPDATA), Home.Home() + "/.local/share");
    EXPECT_EQ(platform::UserConfigDirectory(), Home.Home() + "/.config");

    Env.Set("XDG_DATA_HOME", "/data/share/");
    EXPECT_EQ(Folder(CSIDL_COMMON_APPDATA), "/data/share");
}

TEST(ShlObj, WindowsOnlyFoldersGiveNothing)
{
    TTemporaryHome Home;
    for (int Csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_STARTMENU, CSIDL_FAVORITES, 0x7777}) {
        bool Known = true;
        EXPECT_EQ(Folder(Csidl, &Known), "") << Csidl;
        EXPECT_FALSE(Known) << Csidl;
    }
}

TEST(ShlObj, CreateMakesTheMissingFolder)
{
    TTemporaryHome Home;
    AnsiString Path;
    ASSERT_FALSE(DirectoryExists(Home.DataHome()));
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, Path, CSIDL_APPDATA, false));
    EXPECT_FALSE(DirectoryExists(Path));
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, Path, CSIDL_APPDATA, true));
    EXPECT_TRUE(DirectoryExists(Path));
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, Path, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, false));
    EXPECT_TRUE(DirectoryExists(Home.Home() + "/Documents"));
}
