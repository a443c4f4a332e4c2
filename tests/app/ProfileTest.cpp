#include "app/ProfileFormat.h"
#include "tests/app/AppTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace Unit1;

namespace {

const AnsiString DataDir = AnsiString(QUILLMOTE_SOURCE_DIR) + "/tests/data/profiles/";

class TProfileTest : public TMainWindowTest {
protected:
    void SaveAs(const AnsiString& Name)
    {
        Script.FileDialogAnswers = {Name};
        Form->SaveCurrentProfile1Click(nullptr);
    }
    void Load(const AnsiString& Name)
    {
        Script.FileDialogAnswers = {Name};
        Form->LoadProfile1Click(nullptr);
    }
};

} // namespace

TEST(ProfileFormat, WritesOneElementALineWithReferencesForMarkupAndControls)
{
    ProfileFormat::TProfile P;
    P.FormHeight = 560;
    P.FormWidth = 601;
    P.Includes = {"a<b", "x & y > z"};
    P.Filenames = {"/t/tab\there"};
    P.AutoSwitch = false;
    EXPECT_EQ(ProfileFormat::ProfileText(P), "<?xml version=\"1.0\" ?>\n"
                                             "<Local>\n"
                                             "<FormHeight>560</FormHeight>\n"
                                             "<FormWidth>601</FormWidth>\n"
                                             "<Include>a&#60;b</Include>\n"
                                             "<Include>x &#38; y &#62; z</Include>\n"
                                             "<DeleteDuplicates>No</DeleteDuplicates>\n"
                                             "<Filename>/t/tab&#9;here</Filename>\n"
                                             "<AutoSwitch>No</AutoSwitch>\n"
                                             "<RemoveDuplicates>Yes</RemoveDuplicates>\n"
                                             "</Local>\n");
}

TEST_F(TProfileTest, AwkwardListLinesSurviveASaveAndALoadByteForByte)
{
    MakeForm();
    const TLines Includes = {"  lead and trail  ",
                             "two  blanks",
                             "",
                             "<tag> & \"q\" 'a'",
                             "caf\xC3\xA9 \xE2\x82\xAC",
                             "bad \xFF\xFE bytes",
                             "tab\there\rcr",
                             "&#38; literal",
                             "$name:(?i)x+",
                             "last"};
    SetLines(Form->RichEdit3->GetLines(), Includes);
    SetLines(Form->RichEdit4->GetLines(), {"", "<"});
    SetLines(Form->RichEdit9->GetLines(), {"/data/a b/c.txt", "/data/\xC3\xBC.txt"});
    SaveAs(AppDir.Path() + "awkward");
    ASSERT_TRUE(FileExists(AppDir.Path() + "awkward.qmp"));
    Load(AppDir.Path() + "awkward.qmp");
    EXPECT_EQ(LinesOf(Form->RichEdit3), Includes);
    EXPECT_EQ(LinesOf(Form->RichEdit4), (TLines{"", "<"}));
    EXPECT_EQ(LinesOf(Form->RichEdit9), (TLines{"/data/a b/c.txt", "/data/\xC3\xBC.txt"}));
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(TProfileTest, ProfilesOfEarlierVersionsLoad)
{
    MakeForm();
    Load(DataDir + "earlier-no-excludes.qmp");
    EXPECT_EQ(LinesOf(Form->RichEdit3),
              (TLines{"$E-mail address:[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}", "https?://\\S+"}));
    EXPECT_TRUE(LinesOf(Form->RichEdit4).empty());
    EXPECT_EQ(LinesOf(Form->RichEdit9), (TLines{"/home/anna/mail/inbox.txt", "/home/anna/notes.txt"}));
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());
    EXPECT_FALSE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupAccept);
    EXPECT_EQ(Form->GetHeight(), 560);
    EXPECT_EQ(Form->GetWidth(), 640);

    // "yes" in lower case changes nothing; "Yes" checks.
    Load(DataDir + "earlier-with-excludes.qmp");
    EXPECT_EQ(LinesOf(Form->RichEdit4), (TLines{"$skip:example", "noreply"}));
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());
    EXPECT_TRUE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupIgnore);
}

TEST_F(TProfileTest, LoadingClearsTheListsButNotTheFinalMatchesAndKeepsTheSizeLimit)
{
    MakeForm();
    SetLines(Form->RichEdit5->GetLines(), {"kept@x.org"});
    DuplicateList->Add("kept@x.org");
    SetLines(Form->RichEdit2->GetLines(), {"old log"});
    SetLines(Form->RichEdit9->GetLines(), {"/old"});
    const AnsiString Small = AppDir.WriteFile(
        "small.qmp", "<Local><FormHeight>300</FormHeight><FormWidth>800</FormWidth><Filename>/new</Filename></Local>");
    Load(Small);
    EXPECT_EQ(LinesOf(Form->RichEdit9), TLines{"/new"});
    EXPECT_TRUE(LinesOf(Form->RichEdit2).empty());
    EXPECT_EQ(LinesOf(Form->RichEdit5), TLines{"kept@x.org"});
    EXPECT_EQ(DuplicateList->GetCount(), 1);
    EXPECT_GE(Form->GetHeight(), 480);
    EXPECT_EQ(Form->GetWidth(), 800);
}

TEST_F(TProfileTest, BadValuesLoadWhatCameBeforeThemAndFilesThatAreNoProfileChangeNothing)
{
    MakeForm();
    Load(AppDir.WriteFile("bad.qmp", "<Local><Include>first</Include><FormHeight>tall</FormHeight>"
                                     "<Include>second</Include></Local>"));
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Profile could not be loaded");
    EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"first"});

    SetLines(Form->RichEdit2->GetLines(), {"log"});
    SetLines(Form->RichEdit4->GetLines(), {"reject"});
    SetLines(Form->RichEdit9->GetLines(), {"/file"});
    AnsiString Random;
    for (int I = 0; I < 4096; ++I)
        Random += char((I * 7919 + 13) % 251);
    const AnsiString Cut = ReadWholeFile(DataDir + "earlier-no-excludes.qmp").substr(0, 40);
    for (const AnsiString& Broken :
         {AnsiString(), Random, Cut, AnsiString("<?xml version=\"1.0\" ?>\n<Local>\n<FormHeight>5"),
          AnsiString("<Other><Include>x</Include></Other>"), AnsiString("<Local><Include>cut"),
          AnsiString("<Local><!-- never"), AnsiString("<<<&&&;;")}) {
        Script.Messages.clear();
        Load(AppDir.WriteFile("broken.qmp", Broken));
        ASSERT_EQ(Script.Messages.size(), 1u) << Broken;
        EXPECT_EQ(Script.Messages[0].Text, "Profile could not be loaded");
        EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"first"}) << Broken;
        EXPECT_EQ(LinesOf(Form->RichEdit4), TLines{"reject"});
        EXPECT_EQ(LinesOf(Form->RichEdit9), TLines{"/file"});
        EXPECT_EQ(LinesOf(Form->RichEdit2), TLines{"log"});
    }
    // So does a file that has gone, or a pipe, which is never waited on.
    ASSERT_EQ(::mkfifo((AppDir.Path() + "pipe.qmp").c_str(), 0600), 0);
    for (const char* Name : {"missing.qmp", "pipe.qmp"}) {
        Script.Messages.clear();
        Load(AppDir.Path() + Name);
        EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"first"});
        ASSERT_EQ(Script.Messages.size(), 1u);
        EXPECT_EQ(Script.Messages[0].Text, "Profile could not be loaded");
    }
}

TEST_F(TProfileTest, SizesAreHeldToTheScreensRoomAndTheLeastSizeAndKeptSo)
{
    MakeForm();
    const TRect Room = Screen->GetWorkAreaRect();
    ASSERT_GT(Room.Width(), TForm1::LeastWidth);
    Load(AppDir.WriteFile("huge.qmp", "<Local><FormHeight>30000</FormHeight><FormWidth>40000</FormWidth></Local>"));
    EXPECT_EQ(Form->GetWidth(), Room.Width());
    EXPECT_LE(Form->GetHeight(), Room.Height());
    bool CanClose = true;
    Form->FormCloseQuery(Form, CanClose);
    const AnsiString Kept = ReadWholeFile(Home.ConfigHome() + "/quillmote/LastProfile.qmp");
    EXPECT_NE(Kept.find("<FormWidth>" + IntToStr(Room.Width()) + "</FormWidth>"), AnsiString::npos) << Kept;
    EXPECT_NE(Kept.find("<FormHeight>" + IntToStr(Form->GetHeight()) + "</FormHeight>"), AnsiString::npos);

    Load(AppDir.WriteFile("tiny.qmp", "<Local><FormHeight>-5</FormHeight><FormWidth>10</FormWidth></Local>"));
    EXPECT_EQ(Form->GetWidth(), TForm1::LeastWidth);
    EXPECT_EQ(Form->GetHeight(), TForm1::LeastHeight);
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(TProfileTest, AWindowSizedByAProfileIsMovedIntoTheWorkAreaAsLittleAsItTakes)
{
    MakeForm();
    const TRect Area = Screen->GetWorkAreaRect();
    ASSERT_GE(Area.Width(), 600);
    ASSERT_GE(Area.Height(), 500);
    Form->SetBounds(300, 300, Form->GetWidth(), Form->GetHeight());
    Load(AppDir.WriteFile("huge.qmp", "<Local><FormHeight>100000</FormHeight><FormWidth>100000</FormWidth></Local>"));
    EXPECT_EQ(Form->GetBoundsRect(), Area);

    // Only as far as it hangs off: past the right edge, the top stays.
    Form->SetBounds(Area.Right - 100, Area.Top + 20, 600, 500);
    Load(AppDir.WriteFile("small.qmp", "<Local><FormHeight>500</FormHeight><FormWidth>600</FormWidth></Local>"));
    EXPECT_EQ(Form->GetBoundsRect(), TRect(Area.Right - 600, Area.Top + 20, Area.Right, Area.Top + 520));
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(TProfileTest, AProfileReadsNoOtherFile)
{
    MakeForm();
    const AnsiString Secret = AppDir.WriteFile("secret.txt", "SECRET");
    const AnsiString Dtd = AppDir.WriteFile("ext.dtd", "<!ENTITY leak \"LEAK\">");
    Load(AppDir.WriteFile("ext.qmp", "<!DOCTYPE Local SYSTEM \"" + Dtd + "\" [<!ENTITY s SYSTEM \"" + Secret +
                                         "\">]><Local><Include>[&s;]</Include><Include>[&leak;]</Include></Local>"));
    EXPECT_TRUE(Script.Messages.empty());
    EXPECT_EQ(LinesOf(Form->RichEdit3), (TLines{"[&s;]", "[leak]"}));
}

TEST_F(TProfileTest, SavingAppendsQmpAsksBeforeReplacingAndReportsFailure)
{
    MakeForm();
    AppDir.WriteFile("keep.qmp", "precious");
    Script.MessageBoxAnswers = {IDNO};
    SaveAs(AppDir.Path() + "keep");
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "keep.qmp"), "precious");

    SaveAs(AppDir.Path() + "no/such/folder/p.qmp");
    EXPECT_EQ(Script.Messages.back().Text, "Your profile could not be saved.");
    EXPECT_EQ(Script.FileDialogs[0].Title, "Save Profile");
}

TEST_F(TProfileTest, LoadIsRefusedWhileAScanRuns)
{
    MakeForm();
    SetLines(Form->RichEdit9->GetLines(), {"/still/here"});
    ScanningFlag = true;
    Load(DataDir + "earlier-no-excludes.qmp");
    ScanningFlag = false;
    EXPECT_TRUE(Script.FileDialogs.empty());
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Please stop the scan before loading a profile.");
    EXPECT_EQ(LinesOf(Form->RichEdit9), TLines{"/still/here"});
}

TEST_F(TProfileTest, TheLastProfileIsKeptInTheConfigFolderWithTheProgramsCopyAsTheDefault)
{
    const AnsiString Kept = Home.ConfigHome() + "/quillmote/LastProfile.qmp";
    const AnsiString Shipped = AppDir.WriteFile(
        "LastProfile.qmp", "<?xml version=\"1.0\" ?>\n<Local>\n<Include>shipped</Include>\n</Local>\n");
    MakeForm();
    EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"shipped"});

    // Closing makes the folder and writes there; the program's copy stays.
    SetLines(Form->RichEdit3->GetLines(), {"changed"});
    Form->Autoswitch1->Click();
    bool CanClose = true;
    Form->FormCloseQuery(Form, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(CancelFlag);
    EXPECT_NE(ReadWholeFile(Kept).find("<Include>changed</Include>"), AnsiString::npos);
    EXPECT_NE(ReadWholeFile(Shipped).find("shipped"), AnsiString::npos);
    EXPECT_TRUE(Script.Messages.empty());

    // The kept one wins at the next start.
    FreeAndNil(Form);
    MakeForm();
    EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"changed"});
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());

    // Exit ends the program at once: no last profile, but a running scan is told to stop.
    const AnsiString Before = ReadWholeFile(Kept);
    SetLines(Form->RichEdit3->GetLines(), {"after"});
    CancelFlag = false;
    Form->Exit1Click(nullptr);
    EXPECT_TRUE(Application->GetTerminated());
    EXPECT_TRUE(CancelFlag);
    EXPECT_EQ(ReadWholeFile(Kept), Before);

    // Without either the lists start empty and the options checked.
    FreeAndNil(Form);
    DeleteFile(Kept);
    DeleteFile(Shipped);
    MakeForm();
    EXPECT_TRUE(LinesOf(Form->RichEdit3).empty());
    EXPECT_TRUE(Form->Autoswitch1->GetChecked());
}

TEST_F(TProfileTest, ALastProfileThatCannotBeWrittenIsToldNamingTheFileAndWhy)
{
    MakeForm();
    struct TCase {
        AnsiString ConfigHome, Folder, Reason;
    };
    // A file where the program's folder should be, and a configuration folder below a file.
    const AnsiString File = AppDir.WriteFile("plain", "x");
    std::vector<TCase> Cases = {
        {AppDir.Path() + "cfg", "Cannot create folder \"" + AppDir.Path() + "cfg/quillmote\"", "Not a directory"},
        {File + "/cfg", "Cannot create folder \"" + File + "/cfg/quillmote\"", "Not a directory"},
    };
    AppDir.WriteFile("cfg/quillmote", "not a folder");
    if (::geteuid() != 0) {
        const AnsiString ReadOnly = AppDir.Path() + "ro";
        ForceDirectories(ReadOnly + "/quillmote");
        ::chmod((ReadOnly + "/quillmote").c_str(), 0555);
        Cases.push_back({ReadOnly, "Cannot create file", "Permission denied"});
    }
    for (const TCase& C : Cases) {
        TScopedEnvironment Env;
        Env.Set("XDG_CONFIG_HOME", C.ConfigHome.c_str());
        Script.Messages.clear();
        bool CanClose = true;
        Form->FormCloseQuery(Form, CanClose);
        EXPECT_TRUE(CanClose);
        ASSERT_EQ(Script.Messages.size(), 1u) << C.ConfigHome;
        const AnsiString& Text = Script.Messages[0].Text;
        EXPECT_EQ(
            Text.rfind("The last profile could not be saved as \"" + C.ConfigHome + "/quillmote/LastProfile.qmp\".\n",
                       0),
            0u)
            << Text;
        EXPECT_NE(Text.find(C.Folder), AnsiString::npos) << Text;
        EXPECT_NE(Text.find(C.Reason), AnsiString::npos) << Text;
    }
    ::chmod((AppDir.Path() + "ro/quillmote").c_str(), 0755);
}
