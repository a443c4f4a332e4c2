#include "tests/app/AppTestSupport.h"
#include "platform/controls/Clipbrd.h"
#include "platform/testing/Drops.h"

#include <fstream>
#include <map>
#include <sstream>

using namespace Unit1;

// The test program's unit start-up: the window's duplicate list.
void RegisterTestUnits()
{
    Unit1::RegisterUnit();
}

TEST_F(TMainWindowTest, FormHoldsItsStoredComponentsAndValues)
{
    MakeForm();
    EXPECT_EQ(Form->GetCaption(), "Quillmote");
    EXPECT_EQ(Form->GetClientWidth(), 601);
    EXPECT_EQ(Form->GetClientHeight(), 507);
    EXPECT_EQ(Form->GetFont()->GetName(), "Tahoma");
    EXPECT_EQ(Form->GetFont()->GetHeight(), -11);
    EXPECT_TRUE(Form->Label1->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_TRUE(Form->Label2->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_FALSE(Form->Label3->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(Form->Label3->GetFont()->GetName(), "Tahoma");

    ASSERT_EQ(Form->PageControl1->GetPageCount(), 4);
    const char* Pages[] = {"Files to Scan", "Patterns to Search", "Chomping Grid", "Final Matches"};
    for (int I = 0; I < 4; ++I)
        EXPECT_EQ(Form->PageControl1->GetPages(I)->GetCaption(), Pages[I]);
    EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 0);

    EXPECT_EQ(
        LinesOf(Form->RichEdit2->GetLines()),
        (std::vector<AnsiString>{"Quillmote v1.0.1.16 from https://www.brackenhollow.com", "Ready for operation."}));
    EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
    EXPECT_TRUE(Form->BitBtn1->GetVisible());
    EXPECT_FALSE(Form->BitBtn3->GetVisible());
    EXPECT_FALSE(Form->ProgressBar1->GetVisible());
    EXPECT_EQ(Form->Shape1->GetShape(), stCircle);
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
    EXPECT_EQ(Form->Memo1->GetLeft(), -800);

    EXPECT_EQ(Form->File1->GetCaption(), "File");
    EXPECT_EQ(Form->Exit1->GetCaption(), "Exit");
    EXPECT_EQ(Form->N1->GetCaption(), "-");
    EXPECT_TRUE(Form->Autoswitch1->GetChecked());
    EXPECT_TRUE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(Form->CheckforUpdates1->GetCaption(), "Check for Updates");
    EXPECT_EQ(Form->SaveDialog1->GetTitle(), "Export Matches...");
    EXPECT_EQ(Form->SaveDialog1->GetFilter(), "Text File|*.txt");
    EXPECT_EQ(Form->LoadProfile->GetFilter(), "Quillmote Profile|*.qmp");
    EXPECT_EQ(Form->SaveProfile->GetTitle(), "Save Profile");
}

TEST_F(TMainWindowTest, PresetsLoadFromTheApplicationFolderAndMissingOnesAreSkipped)
{
    AppDir.WriteFile("RegexPresets/RegexIncludes.txt", "$mail:a@b\nplain\n");
    AppDir.WriteFile("RegexPresets/RegexExcludesCustom.txt", "$own:x\r\n$two:y\r\n");
    MakeForm();
    EXPECT_EQ(LinesOf(Form->ComboBox1->GetItems()), (std::vector<AnsiString>{"$mail:a@b", "plain"}));
    EXPECT_EQ(LinesOf(Form->ComboBox2->GetItems()), (std::vector<AnsiString>{"$own:x", "$two:y"}));
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupIgnore);
    EXPECT_TRUE(DuplicateList->GetSorted());
}

// Every shipped preset compiles and finds what its name promises.
TEST(ShippedPresets, EveryLineCompilesAndMatchesItsSample)
{
    const std::map<AnsiString, AnsiString> Samples = {
        {"E-mail address", "write to Anna.Smith@mail.example.org today"},
        {"Web address", "see https://www.brackenhollow.com/quill?x=1 now"},
        {"Bare www address", "visit www.riverstone.co.uk/path"},
        {"IPv4 address", "host 192.168.10.254 up"},
        {"Phone number (North America)", "call (555) 123-4567"},
        {"International phone number", "call +44 20 7946 0958"},
        {"ISO date", "on 2026-12-06"},
        {"Date (month/day/year)", "on 12/6/2026"},
        {"Time of day", "at 13:05:09"},
        {"Hash tag", "tagged #quillmote"},
        {"Money amount", "costs $1,234.50"},
        {"Hexadecimal colour", "colour #1a2B3c"},
        {"Example domains", "anna@example.com"},
        {"Image file names", "http://x.org/logo.PNG"},
        {"Local host", "http://localhost:8080/"},
        {"No-reply addresses", "noreply@shop.org"},
        {"Private IPv4 ranges", "192.168.1.1"},
        {"Style and script files", "http://x.org/site.css?v=2"},
        {"Placeholder user names", "test@mail.org"},
    };
    int Checked = 0;
    for (const char* File : {"RegexIncludes.txt", "RegexExcludes.txt"}) {
        std::ifstream In(AnsiString(QUILLMOTE_SOURCE_DIR) + "/app/RegexPresets/" + File);
        ASSERT_TRUE(In.good()) << File;
        AnsiString Line;
        int Count = 0;
        while (std::getline(In, Line)) {
            if (Line.empty()) continue;
            ++Count;
            ASSERT_EQ(Line[0], '$') << Line;
            const auto Colon = Line.find(':');
            ASSERT_NE(Colon, AnsiString::npos) << Line;
            const AnsiString Name = Line.substr(1, Colon - 1);
            auto R = MakeOwned<PcreRegex::TPcreRegex>(nullptr);
            R->SetRegEx(Line.substr(Colon + 1));
            EXPECT_NO_THROW(R->Compile()) << Line;
            auto Sample = Samples.find(Name);
            ASSERT_NE(Sample, Samples.end()) << "no sample for " << Name;
            R->SetSubject(Sample->second);
            EXPECT_TRUE(R->Match()) << Name;
            R->SetSubject("plain words and nothing else");
            EXPECT_FALSE(R->Match()) << Name;
            ++Checked;
        }
        EXPECT_GE(Count, 5) << File;
    }
    EXPECT_EQ(Checked, static_cast<int>(Samples.size()));
}

TEST_F(TMainWindowTest, DroppedPathIsAddedOnceComparedWithCase)
{
    MakeForm();
    TStrings* Files = Form->RichEdit9->GetLines();
    Files->Clear();
    Form->FileDropper1Drop(nullptr, "/data/a.txt");
    Form->FileDropper1Drop(nullptr, "/data/a.txt");
    Form->FileDropper1Drop(nullptr, "/data/A.txt");
    EXPECT_EQ(LinesOf(Files), (std::vector<AnsiString>{"/data/a.txt", "/data/A.txt"}));
}

TEST_F(TMainWindowTest, AddButtonsAppendThePickOnceAndClearThePicker)
{
    AppDir.WriteFile("RegexPresets/RegexIncludes.txt", "$mail:a@b\n");
    AppDir.WriteFile("RegexPresets/RegexExcludes.txt", "$skip:x\n");
    MakeForm();
    SetLines(Form->RichEdit3->GetLines(), {});
    Form->BitBtn2Click(nullptr); // nothing picked
    EXPECT_EQ(Form->RichEdit3->GetLines()->GetCount(), 0);
    Form->ComboBox1->SetItemIndex(0);
    Form->BitBtn2Click(nullptr);
    EXPECT_EQ(Form->ComboBox1->GetText(), "");
    Form->ComboBox1->SetItemIndex(0);
    Form->BitBtn2Click(nullptr); // already listed: only clears
    EXPECT_EQ(LinesOf(Form->RichEdit3->GetLines()), (std::vector<AnsiString>{"$mail:a@b"}));
    EXPECT_EQ(Form->ComboBox1->GetText(), "");
    Form->ComboBox2->SetItemIndex(0);
    platform::test::Click(Form->BitBtn6, 5, 5);
    EXPECT_EQ(LinesOf(Form->RichEdit4->GetLines()), (std::vector<AnsiString>{"$skip:x"}));
}

TEST_F(TMainWindowTest, TestCircleIsGreenWhileThePatternCompilesOrTheBoxIsEmpty)
{
    MakeForm();
    Form->Edit1->SetText("(");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clRed);
    Form->Edit1->SetText("");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
    Form->Edit1->SetText("$name:a(b"); // the name prefix is part of the pattern here
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clRed);
    Form->PageControl1->SetActivePageIndex(1);
    platform::test::ActivateWindow(Form);
    Form->Edit1->SetText("");
    platform::test::TypeText(Form->Edit1, "a(b");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clRed);
    platform::test::TypeText(Form->Edit1, ")");
    EXPECT_EQ(Form->Edit1->GetText(), "a(b)");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
}

TEST_F(TMainWindowTest, SaveMatchesAppendsTxtAndReportsTheOutcome)
{
    MakeForm();
    TStrings* Final = Form->RichEdit5->GetLines();
    Final->Clear();
    Form->BitBtn5Click(nullptr);
    EXPECT_TRUE(Script.FileDialogs.empty()); // an empty list opens no dialog

    SetLines(Final, {"a@b.org", "c@d.org"});
    Script.FileDialogAnswers = {AppDir.Path() + "out", AppDir.Path() + "kept.txt", AppDir.Path() + "upper.TXT",
                                AppDir.Path() + "no/such/folder/x.txt"};
    for (int I = 0; I < 4; ++I)
        Form->BitBtn5Click(nullptr);
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "out.txt"), "a@b.org\nc@d.org\n");
    EXPECT_TRUE(FileExists(AppDir.Path() + "kept.txt"));
    EXPECT_TRUE(FileExists(AppDir.Path() + "upper.TXT.txt"));
    ASSERT_EQ(Script.Messages.size(), 4u);
    EXPECT_EQ(Script.Messages[0].Text, "Successfully exported!");
    EXPECT_EQ(Script.Messages[0].Title, Application->GetTitle());
    EXPECT_EQ(Script.Messages[3].Text, "Matches could not be exported.");
    EXPECT_EQ(Script.FileDialogs[0].Title, "Export Matches...");
}

TEST_F(TMainWindowTest, SaveMatchesAsksBeforeReplacingTheFileItAppendedTxtTo)
{
    MakeForm();
    SetLines(Form->RichEdit5->GetLines(), {"new"});
    AppDir.WriteFile("old.txt", "precious\n");
    // "No" to replacing, then the dialog is cancelled.
    Script.FileDialogAnswers = {AppDir.Path() + "old", ""};
    Script.MessageBoxAnswers = {IDNO};
    Form->BitBtn5Click(nullptr);
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "old.txt"), "precious\n");
    Script.FileDialogAnswers = {AppDir.Path() + "old"};
    Script.MessageBoxAnswers = {IDYES};
    Form->BitBtn5Click(nullptr);
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "old.txt"), "new\n");
    ASSERT_FALSE(Script.Messages.empty());
    EXPECT_EQ(Script.Messages.back().Text, "Successfully exported!");
}

TEST_F(TMainWindowTest, CopyToClipboardCopiesTheWholeFinalList)
{
    MakeForm();
    SetLines(Form->RichEdit5->GetLines(), {"one@x.org", "two@x.org"});
    Form->BitBtn4Click(nullptr);
    EXPECT_EQ(Clipboard()->GetAsText(), "one@x.org\ntwo@x.org\n");
}

TEST_F(TMainWindowTest, OptionTogglesAndTheRefusalWhileScanning)
{
    MakeForm();
    Form->Autoswitch1->Click();
    EXPECT_FALSE(Form->Autoswitch1->GetChecked());
    Form->Autoswitch1->Click();
    EXPECT_TRUE(Form->Autoswitch1->GetChecked());

    Form->RemoveDuplicates1->Click();
    EXPECT_FALSE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupAccept);
    ScanningFlag = true;
    Form->RemoveDuplicates1->Click();
    EXPECT_FALSE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupAccept);
    ScanningFlag = false;
    Form->RemoveDuplicates1->Click();
    EXPECT_TRUE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupIgnore);
}

TEST_F(TMainWindowTest, ResizeLimitClampsOrRefusesAsTheRulesSay)
{
    MakeForm();
    struct TCase {
        int W, H;
        bool Resize;
        int OutW, OutH;
    } Cases[] = {
        {500, 400, false, 500, 400}, {500, 600, true, 525, 600},  {600, 400, true, 600, 480},
        {500, 480, false, 500, 480}, {525, 400, false, 525, 400}, {525, 480, true, 525, 480},
        {700, 700, true, 700, 700},
    };
    for (const auto& C : Cases) {
        int W = C.W, H = C.H;
        bool Resize = true;
        Form->FormCanResize(Form, W, H, Resize);
        EXPECT_EQ(Resize, C.Resize) << C.W << "x" << C.H;
        EXPECT_EQ(W, C.OutW) << C.W << "x" << C.H;
        EXPECT_EQ(H, C.OutH) << C.W << "x" << C.H;
    }
    // Through the form itself: narrower than the limit with a tall window holds the width.
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), 400, 700);
    EXPECT_EQ(Form->GetWidth(), 525);
    EXPECT_EQ(Form->GetHeight(), 700);
    const int W = Form->GetWidth(), H = Form->GetHeight();
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), 300, 300);
    EXPECT_EQ(Form->GetWidth(), W);
    EXPECT_EQ(Form->GetHeight(), H);
}

TEST_F(TMainWindowTest, ControlsFollowTheirAnchorsWhenTheWindowGrows)
{
    MakeForm();
    const int ListWidth = Form->RichEdit9->GetWidth(), ListHeight = Form->RichEdit9->GetHeight();
    const int LogTop = Form->RichEdit2->GetTop(), LogHeight = Form->RichEdit2->GetHeight();
    const int ShapeLeft = Form->Shape1->GetLeft(), ShapeTop = Form->Shape1->GetTop();
    const int StartLeft = Form->BitBtn1->GetLeft();
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), Form->GetWidth() + 100, Form->GetHeight() + 50);
    EXPECT_EQ(Form->RichEdit9->GetWidth(), ListWidth + 100);
    EXPECT_EQ(Form->RichEdit9->GetHeight(), ListHeight + 50);
    EXPECT_EQ(Form->RichEdit2->GetTop(), LogTop + 50);
    EXPECT_EQ(Form->RichEdit2->GetHeight(), LogHeight);
    Form->PageControl1->SetActivePageIndex(1); // a hidden page follows when it is shown
    EXPECT_EQ(Form->Shape1->GetLeft(), ShapeLeft + 100);
    EXPECT_EQ(Form->Shape1->GetTop(), ShapeTop + 50);
    EXPECT_EQ(Form->BitBtn1->GetLeft(), StartLeft + 100);
    EXPECT_EQ(Form->Panel1->GetTop() + Form->Panel1->GetHeight(), Form->GetClientHeight());
    EXPECT_EQ(Form->Panel1->GetHeight(), 40);
}

TEST_F(TMainWindowTest, HelpOpensThePageBesideTheProgram)
{
    MakeForm();
    Form->Help2->Click();
    ASSERT_EQ(Script.ShellCalls.size(), 1u);
    EXPECT_EQ(Script.ShellCalls[0].Verb, "open");
    EXPECT_EQ(Script.ShellCalls[0].File, AppDir.Path() + "Quillmote.html");
}

TEST_F(TMainWindowTest, CheckForUpdatesWithoutAnUpdaterWarnsWithTheUpdaterTitle)
{
    TTemporaryHome Home;
    MakeForm();
    Form->CheckforUpdates1->Click();
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Title, "WARNING: Brackenhollow Updater Utility Not Found");
    EXPECT_NE(Script.Messages[0].Text.find("In order to check for updates for Quillmote"), AnsiString::npos);
}

TEST_F(TMainWindowTest, DroppedFilesAndFoldersLandInTheFileListOnce)
{
    TTempDir Data;
    const AnsiString A = Data.WriteFile("tree/a.txt", "a");
    const AnsiString B = Data.WriteFile("tree/sub/b.txt", "b");
    MakeForm();
    Form->RichEdit9->GetLines()->Clear();
    EXPECT_TRUE(platform::test::DropFiles(Form->RichEdit9, {Data.Path() + "tree", A}));
    EXPECT_EQ(LinesOf(Form->RichEdit9->GetLines()), (std::vector<AnsiString>{A, B}));
}
