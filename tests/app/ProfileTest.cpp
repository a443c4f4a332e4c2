#include "app/ProfileFormat.h"
#include "tests/app/AppTestSupport.h"

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
    const std::vector<AnsiString> Includes = {"  lead and trail  ",
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
    EXPECT_EQ(LinesOf(Form->RichEdit3->GetLines()), Includes);
    EXPECT_EQ(LinesOf(Form->RichEdit4->GetLines()), (std::vector<AnsiString>{"", "<"}));
    EXPECT_EQ(LinesOf(Form->RichEdit9->GetLines()), (std::vector<AnsiString>{"/data/a b/c.txt", "/data/\xC3\xBC.txt"}));
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(TProfileTest, ProfilesOfEarlierVersionsLoad)
{
    MakeForm();
    Load(DataDir + "earlier-no-excludes.qmp");
    EXPECT_EQ(
        LinesOf(Form->RichEdit3->GetLines()),
        (std::vector<AnsiString>{"$E-mail address:[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}", "https?://\\S+"}));
    EXPECT_TRUE(LinesOf(Form->RichEdit4->GetLines()).empty());
    EXPECT_EQ(LinesOf(Form->RichEdit9->GetLines()),
              (std::vector<AnsiString>{"/home/anna/mail/inbox.txt", "/home/anna/notes.txt"}));
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());
    EXPECT_FALSE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupAccept);
    EXPECT_EQ(Form->GetHeight(), 560);
    EXPECT_EQ(Form->GetWidth(), 640);

    // "yes" in lower case changes nothing; "Yes" checks.
    Load(DataDir + "earlier-with-excludes.qmp");
    EXPECT_EQ(LinesOf(Form->RichEdit4->GetLines()), (std::vector<AnsiString>{"$skip:example", "noreply"}));
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
    EXPECT_EQ(LinesOf(Form->RichEdit9->GetLines()), (std::vector<AnsiString>{"/new"}));
    EXPECT_TRUE(LinesOf(Form->RichEdit2->GetLines()).empty());
    EXPECT_EQ(LinesOf(Form->RichEdit5->GetLines()), (std::vector<AnsiString>{"kept@x.org"}));
    EXPECT_EQ(DuplicateList->GetCount(), 1);
    EXPECT_GE(Form->GetHeight(), 480);
    EXPECT_EQ(Form->GetWidth(), 800);
}

TEST_F(TProfileTest, BadProfilesLoadWhatTheyCanAndSaySo)
{
    MakeForm();
    Load(AppDir.WriteFile("bad.qmp", "<Local><Include>first</Include><FormHeight>tall</FormHeight>"
                                     "<Include>second</Include></Local>"));
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Profile could not be loaded");
    EXPECT_EQ(LinesOf(Form->RichEdit3->GetLines()), (std::vector<AnsiString>{"first"}));

    // Truncated and malformed input never hangs or crashes.
    for (const char* Broken : {"<Local><Include>cut", "<Local><Include>a</Inc", "<<<&&&;;", "<Local><!-- never",
                               "<Local><Include><![CDATA[x"}) {
        Load(AppDir.WriteFile("broken.qmp", Broken));
    }
    // A missing file scans as empty.
    Load(AppDir.Path() + "missing.qmp");
    EXPECT_TRUE(LinesOf(Form->RichEdit3->GetLines()).empty());
}

TEST_F(TProfileTest, AProfileReadsNoOtherFile)
{
    MakeForm();
    const AnsiString Secret = AppDir.WriteFile("secret.txt", "SECRET");
    const AnsiString Dtd = AppDir.WriteFile("ext.dtd", "<!ENTITY leak \"LEAK\">");
    Load(AppDir.WriteFile("ext.qmp", "<!DOCTYPE Local SYSTEM \"" + Dtd + "\" [<!ENTITY s SYSTEM \"" + Secret +
                                         "\">]><Local><Include>[&s;]</Include><Include>[&leak;]</Include></Local>"));
    EXPECT_TRUE(Script.Messages.empty());
    EXPECT_EQ(LinesOf(Form->RichEdit3->GetLines()), (std::vector<AnsiString>{"[&s;]", "[leak]"}));
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
    EXPECT_EQ(LinesOf(Form->RichEdit9->GetLines()), (std::vector<AnsiString>{"/still/here"}));
}

TEST_F(TProfileTest, TheLastProfileIsReadAtStartAndWrittenOnCloseButNotOnExit)
{
    AppDir.WriteFile("LastProfile.qmp", "<?xml version=\"1.0\" ?>\n<Local>\n<Include>from last time</Include>\n"
                                        "<AutoSwitch>No</AutoSwitch>\n</Local>\n");
    MakeForm();
    EXPECT_EQ(LinesOf(Form->RichEdit3->GetLines()), (std::vector<AnsiString>{"from last time"}));
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());

    // Exit ends the program at once: no last profile, but a running scan is told to stop.
    const AnsiString Before = ReadWholeFile(AppDir.Path() + "LastProfile.qmp");
    SetLines(Form->RichEdit3->GetLines(), {"changed"});
    Form->Exit1Click(nullptr);
    EXPECT_TRUE(Application->GetTerminated());
    EXPECT_TRUE(CancelFlag);
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "LastProfile.qmp"), Before);
    CancelFlag = false;

    bool CanClose = true;
    Form->FormCloseQuery(Form, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(CancelFlag);
    EXPECT_NE(ReadWholeFile(AppDir.Path() + "LastProfile.qmp").find("<Include>changed</Include>"), AnsiString::npos);

    // Without a last profile the lists start empty and the options checked.
    FreeAndNil(Form);
    DeleteFile(AppDir.Path() + "LastProfile.qmp");
    MakeForm();
    EXPECT_TRUE(LinesOf(Form->RichEdit3->GetLines()).empty());
    EXPECT_TRUE(Form->Autoswitch1->GetChecked());
}
