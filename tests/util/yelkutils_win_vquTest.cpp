#include "util/yelkutils_win_vqu.h"
#include "util/yelkutils_win_mini.h"
#include "platform/classes/Registry.h"
#include "platform/win/UserInteraction.h"
#include "tests/support/TestSupport.h"
#include "tests/util/Edited.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace yelkutils_win_vqu;
using yelkutils_win_mini::GetApplicationDirectory;

namespace {

const std::string Title = "WARNING: Brackenhollow Updater Utility Not Found";
const std::string Intro = "ATTENTION:\r\n\r\n"
                          "In order to check for updates for Quillmote, you need to install the free\r\n"
                          " Brackenhollow update utility (VqUpdater), which is not installed on your computer.\r\n\r\n";

void RegisterInstallLocation(const std::string& Folder)
{
    auto Reg = MakeOwned<TRegistry>();
    Reg->SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(Reg->OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VqUpdater_is1", true));
    Reg->WriteString("InstallLocation", Folder);
}

std::string WithoutSlash(const std::string& S)
{
    return Edited(S, yelkutils_win_mini::RemoveTrailingSlash);
}

// A fresh home (data folder and registry store), a program folder and a
// scripted user.
class UpdaterLaunch : public ::testing::Test {
protected:
    bool Launch(const std::string& Name, const std::string& ScanDir, const std::string& ExtraArgs = "-show",
                const std::string& LaunchTitle = "a", bool ForceNotFound = false)
    {
        return LaunchUpdateCheck(Name, nullptr, ScanDir, "", ExtraArgs, LaunchTitle, ForceNotFound);
    }

    TTemporaryHome Home;
    TTempDir Program;
    TTempDir Elsewhere;
    TScriptedInteraction Script;
    const std::string RedirectFolder = Home.DataHome() + "/Brackenhollow/VqUpdaterRedirectFiles/";
};

} // namespace

TEST_F(UpdaterLaunch, TheRedirectFileIsReplacedAndAFailureReportedOnStandardOutput)
{
    WriteUpdaterRedirectFile("Quillmote", "/opt/quillmote/");
    WriteUpdaterRedirectFile("Quillmote", "/srv/q");
    EXPECT_EQ(ReadWholeFile(RedirectFolder + "Quillmote.vqupdateredirect"), "/srv/q");

    ASSERT_EQ(::mkdir((RedirectFolder + "Blocked.vqupdateredirect").c_str(), 0777), 0);
    ::testing::internal::CaptureStdout();
    WriteUpdaterRedirectFile("Blocked", "/opt/q/");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR: Could not create file '" + RedirectFolder +
                                                            "Blocked.vqupdateredirect' for redirect to '/opt/q/'.\n");
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(UpdaterLaunch, FindsTheUpdaterInTheHintTheInstallLocationOrTheProgramFolder)
{
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), ""), "");

    // A folder named like the updater is no updater.
    ASSERT_EQ(::mkdir((Program.Path() + "VqUppdater").c_str(), 0777), 0);
    const std::string InProgram = Program.WriteFile("vqupdater", "");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), ""), InProgram); // exactly one separator
    EXPECT_EQ(FindUpdaterExecutable(WithoutSlash(Program.Path()), ""), InProgram);

    // The install location, with or without its final separator.
    const std::string Installed = Elsewhere.WriteFile("install/vqupdater", "");
    RegisterInstallLocation(Elsewhere.Path() + "install");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), ""), Installed);
    RegisterInstallLocation(Elsewhere.Path() + "install/");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), ""), Installed);

    // The hint: a folder that holds the updater, or the updater itself.
    const std::string Hint = Elsewhere.Path() + "hint";
    const std::string Hinted = Elsewhere.WriteFile("hint/vqupdater", "");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), Hint), Hinted);
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), Hinted), Hinted);

    // "VqUppdater" anywhere comes before "vqupdater" anywhere.
    const std::string Preferred = Elsewhere.WriteFile("install/VqUppdater", "");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), Hint), Preferred);
    const std::string HintedPreferred = Elsewhere.WriteFile("hint/VqUppdater", "");
    EXPECT_EQ(FindUpdaterExecutable(Program.Path(), Hint), HintedPreferred);
}

TEST_F(UpdaterLaunch, StartsTheUpdaterWithTheScanFolderAsOneArgumentAndSaysWhetherItStarted)
{
    const std::string Exe = Elsewhere.WriteFile("VqUppdater", "");
    RegisterInstallLocation(Elsewhere.Path());
    const std::string Folder = WithoutSlash(Program.Path());

    EXPECT_TRUE(Launch("Quillmote", Program.Path()));
    ASSERT_EQ(Script.ShellCalls.size(), 1u);
    const TShellCall Call = Script.ShellCalls[0];
    EXPECT_EQ(Call.Verb, "open");
    EXPECT_EQ(Call.File, Exe);
    EXPECT_EQ(Call.Parameters, "-show -check -closexits \"-scandir=" + Folder + "\"");
    EXPECT_EQ(Call.Directory, Folder);
    EXPECT_EQ(Call.ShowCmd, SW_SHOWNORMAL);

    // Dots stand for the application directory and its parent; quotes and
    // backslashes reach the updater unchanged.
    const std::string App = GetApplicationDirectory();
    const std::string Odd = Program.Path() + "say \"hi\" \\";
    const std::pair<std::string, std::string> ScanDirs[] = {
        {"", App}, {".", App}, {"./", App}, {"..", yelkutils_win_mini::ParentDirectory(App)}, {Odd, Odd}};
    for (const auto& [ScanDir, Expected] : ScanDirs) {
        Script.ShellCalls.clear();
        EXPECT_TRUE(Launch("Quillmote", ScanDir, ""));
        ASSERT_EQ(Script.ShellCalls.size(), 1u);
        const AnsiString& Parameters = Script.ShellCalls[0].Parameters;
        EXPECT_EQ(Parameters.rfind("-check ", 0), 0u) << Parameters; // no blank for the missing extra arguments
        EXPECT_EQ(SplitCommandLine(Parameters),
                  (std::vector<AnsiString>{"-check", "-closexits", "-scandir=" + Expected}))
            << ScanDir;
        EXPECT_EQ(Script.ShellCalls[0].Directory, Expected) << ScanDir;
    }

    Script.ShellResult = false;
    EXPECT_FALSE(Launch("Quillmote", Program.Path()));
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(UpdaterLaunch, WithoutTheUpdaterItOffersTheUpdatersPage)
{
    Script.MessageBoxAnswers = {IDCANCEL, IDOK};
    EXPECT_FALSE(Launch("Quillmote", Program.Path()));
    EXPECT_TRUE(Script.ShellCalls.empty()); // cancelled: nothing opened
    EXPECT_FALSE(Launch("Quillmote", Program.Path()));

    ASSERT_EQ(Script.Messages.size(), 2u);
    EXPECT_TRUE(Script.Messages[1].IsMessageBox);
    EXPECT_EQ(Script.Messages[1].Title, Title);
    EXPECT_EQ(Script.Messages[1].Flags, 0x31u);
    EXPECT_EQ(Script.Messages[1].Text, Intro + "The updater utility web page will now be opened so you can learn more "
                                               "about it and download it if you want.");
    ASSERT_EQ(Script.ShellCalls.size(), 1u);
    EXPECT_EQ(Script.ShellCalls[0].Verb, "open");
    EXPECT_EQ(Script.ShellCalls[0].File, UpdaterWebPage);
    EXPECT_EQ(Script.ShellCalls[0].Parameters + Script.ShellCalls[0].Directory, "");

    // Without a program name, and with a title of the caller's own.
    Launch("", Program.Path(), "", "Updates");
    EXPECT_EQ(Script.Messages[2].Title, "Updates");
    EXPECT_TRUE(Script.Messages[2].Text.starts_with(
        "ATTENTION:\r\n\r\nIn order to check for updates, you need to install the free\r\n Brackenhollow"));
}

TEST_F(UpdaterLaunch, WithoutTheUpdaterItAlsoOffersTheProgramsPage)
{
    Program.WriteFile("Quillmote.vqupdate",
                      "[Info]\r\nName=Quillmote\r\n<WebPage>https://quillmote.example/</WebPage>");
    Script.MessageBoxAnswers = {IDOK, IDOK};
    EXPECT_FALSE(Launch("Quillmote", Program.Path()));
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text,
              Intro + "The following pages will now be opened in your browser:\r\n"
                      "1. The Quillmote web page so you can manually check for updates.\r\n"
                      "2. The VqUpdater web page so you can learn more about it and download it if you want.\r\n");
    ASSERT_EQ(Script.ShellCalls.size(), 2u);
    EXPECT_EQ(Script.ShellCalls[0].File, "https://quillmote.example/");
    EXPECT_EQ(Script.ShellCalls[1].File, UpdaterWebPage);

    Launch("", Program.Path());
    EXPECT_NE(Script.Messages[1].Text.find("1. The program web page (https://quillmote.example/) so you can "
                                           "manually check for updates.\r\n"),
              std::string::npos);
}

TEST_F(UpdaterLaunch, OnlyWebAddressesAreOpened)
{
    for (const char* Page :
         {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)", "http://a b/", "https://"}) {
        Program.WriteFile("Quillmote.vqupdate", std::string("<WebPage>") + Page + "</WebPage>\n");
        Script.Messages.clear();
        Script.ShellCalls.clear();
        Script.MessageBoxAnswers = {IDOK};
        Launch("Quillmote", Program.Path());
        ASSERT_EQ(Script.ShellCalls.size(), 1u) << Page;
        EXPECT_EQ(Script.ShellCalls[0].File, UpdaterWebPage) << Page;
        EXPECT_EQ(Script.Messages[0].Text.find("following pages"), std::string::npos) << Page;
    }
    Program.WriteFile("Quillmote.vqupdate", "<WebPage>HTTP://Upper.example/</WebPage>\n");
    EXPECT_EQ(ReadUpdateWebPage(Program.Path()), "HTTP://Upper.example/");
}

TEST_F(UpdaterLaunch, AShortTitleMeansNoMessageAndForcingHidesTheUpdater)
{
    Program.WriteFile("Quillmote.vqupdate", "<WebPage>https://quillmote.example/</WebPage>\n");
    EXPECT_FALSE(Launch("Quillmote", Program.Path(), "-show", "b"));
    EXPECT_FALSE(Launch("Quillmote", Program.Path(), "-show", ""));
    EXPECT_TRUE(Script.Messages.empty());
    EXPECT_TRUE(Script.ShellCalls.empty());

    Program.WriteFile("VqUppdater", "");
    EXPECT_FALSE(Launch("Quillmote", Program.Path(), "-show", "a", true));
    EXPECT_EQ(Script.Messages.size(), 1u);
    EXPECT_TRUE(Script.ShellCalls.empty());
}

TEST_F(UpdaterLaunch, TheInformationFileIsTheFirstVqupdateFileByName)
{
    EXPECT_EQ(FindUpdateInfoFile(Program.Path()), "");
    ASSERT_EQ(::mkdir((Program.Path() + "a.vqupdate").c_str(), 0777), 0);
    EXPECT_EQ(FindUpdateInfoFile(Program.Path()), "");
    Program.WriteFile("C.VQUPDATE", "");
    const std::string First = Program.WriteFile("b.vqupdate", "");
    Program.WriteFile("b.vqupdate.bak", "");
    EXPECT_EQ(FindUpdateInfoFile(Program.Path()), First);
    EXPECT_EQ(FindUpdateInfoFile(WithoutSlash(Program.Path())), First);
    EXPECT_EQ(FindUpdateInfoFile(Program.Path() + "missing"), "");
}

TEST_F(UpdaterLaunch, TheWebPageTagIsFoundOnAnyLineHoweverLong)
{
    EXPECT_EQ(ReadWebPageTag(Program.Path() + "missing.vqupdate"), "");
    const std::string Padding(1015, 'x'); // the tag crosses the old 1,023-byte piece boundary
    const std::string File = Program.WriteFile("a.vqupdate", "<WebPage>unclosed\r\n" + Padding +
                                                                 "<WebPage>https://long.example/</WebPage>\r\nrest");
    EXPECT_EQ(ReadWebPageTag(File), "https://long.example/");

    Program.WriteFile("a.vqupdate", "first\n<WebPage>https://last.example/</WebPage>");
    EXPECT_EQ(ReadWebPageTag(File), "https://last.example/");
    Program.WriteFile("a.vqupdate", "</WebPage><WebPage>\n");
    EXPECT_EQ(ReadWebPageTag(File), "");
}

TEST_F(UpdaterLaunch, CheckForUpdatesLeavesTheRedirectAndStartsTheUpdaterForThisProgram)
{
    const std::string App = GetApplicationDirectory();
    const std::string Exe = Elsewhere.WriteFile("VqUppdater", "");
    RegisterInstallLocation(Elsewhere.Path());

    CheckForUpdates(nullptr);
    EXPECT_EQ(ReadWholeFile(RedirectFolder + "Quillmote.vqupdateredirect"), App);
    ASSERT_EQ(Script.ShellCalls.size(), 1u);
    EXPECT_EQ(Script.ShellCalls[0].File, Exe);
    EXPECT_EQ(SplitCommandLine(Script.ShellCalls[0].Parameters),
              (std::vector<AnsiString>{"-show", "-check", "-closexits", "-scandir=" + WithoutSlash(App)}));
}
