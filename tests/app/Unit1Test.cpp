#include "tests/app/AppTestSupport.h"
#include "tests/support/PumpUntil.h"
#include "platform/controls/Clipbrd.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/Drops.h"
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxThemesSupport.h"

#include <fstream>
#include <map>
#include <cstdlib>
#include <deque>

using namespace Unit1;

// The test program's unit start-up: the window's duplicate list.
void RegisterTestUnits()
{
    Unit1::RegisterUnit();
}

TEST_F(TMainWindowTest, TheWindowStartsIdleOnItsFirstPageWithTheGreeting)
{
    MakeForm();
    EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 0);
    EXPECT_EQ(LinesOf(Form->RichEdit2),
              (TLines{"Quillmote v1.0.1.16 from https://www.brackenhollow.com", "Ready for operation."}));
    EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
    ExpectIdle();
}

TEST_F(TMainWindowTest, TheGridsUnitsStartBeforeTheWindow)
{
    // The program registers only the window's unit; the grid's start-ups
    // come with it, or its grid paints without themes or wide text.
    MakeForm();
    EXPECT_TRUE(GxClasses::GxWideText);
    EXPECT_EQ(GxThemesSupport::IsThemed(), std::getenv("QUILLMOTE_NO_THEME") == nullptr);
}

TEST_F(TMainWindowTest, PresetsFillThePickersAndAddAppendsThePickOnce)
{
    AppDir.WriteFile("RegexPresets/RegexIncludes.txt", "$mail:a@b\nplain\n");
    AppDir.WriteFile("RegexPresets/RegexExcludes.txt", "$skip:x\n");
    AppDir.WriteFile("RegexPresets/RegexExcludesCustom.txt", "$own:x\r\n$two:y\r\n");
    MakeForm();
    EXPECT_EQ(LinesOf(Form->ComboBox1->GetItems()), (TLines{"$mail:a@b", "plain"}));
    EXPECT_EQ(LinesOf(Form->ComboBox2->GetItems()), (TLines{"$skip:x", "$own:x", "$two:y"}));
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupIgnore);
    EXPECT_TRUE(DuplicateList->GetSorted());

    SetLines(Form->RichEdit3->GetLines(), {});
    Form->BitBtn2Click(nullptr); // nothing picked
    EXPECT_EQ(Form->RichEdit3->GetLines()->GetCount(), 0);
    for (int Twice = 0; Twice < 2; ++Twice) { // the second time only clears
        Form->ComboBox1->SetItemIndex(0);
        Form->BitBtn2Click(nullptr);
        EXPECT_EQ(Form->ComboBox1->GetText(), "");
    }
    EXPECT_EQ(LinesOf(Form->RichEdit3), TLines{"$mail:a@b"});
    Form->ComboBox2->SetItemIndex(0);
    platform::test::Click(Form->BitBtn6, 5, 5);
    EXPECT_EQ(LinesOf(Form->RichEdit4), TLines{"$skip:x"});
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

TEST_F(TMainWindowTest, TestCircleIsGreenWhileThePatternCompilesOrTheBoxIsEmpty)
{
    MakeForm();
    Form->Edit1->SetText("(");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clRed);
    Form->Edit1->SetText("");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
    Form->Edit1->SetText("$name:a(b"); // the name prefix is part of the pattern here
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clRed);
    Form->Edit1->SetText("a(b)");
    EXPECT_EQ(Form->Shape1->GetBrush()->GetColor(), clGreen);
}

TEST_F(TMainWindowTest, SaveMatchesAppendsTxtAsksBeforeReplacingAndReportsTheOutcome)
{
    MakeForm();
    TStrings* Final = Form->RichEdit5->GetLines();
    Final->Clear();
    Form->BitBtn5Click(nullptr);
    EXPECT_TRUE(Script.FileDialogs.empty()); // an empty list opens no dialog

    SetLines(Final, {"a@b.org", "c@d.org"});
    const AnsiString Old = AppDir.WriteFile("old.txt", "precious\n");
    auto Save = [&](std::deque<AnsiString> Names, std::deque<int> Answers) {
        Script.MessageBoxAnswers = Answers;
        for (Script.FileDialogAnswers = Names; !Script.FileDialogAnswers.empty();)
            Form->BitBtn5Click(nullptr);
    };
    Save({AppDir.Path() + "out", AppDir.Path() + "kept.txt", AppDir.Path() + "upper.TXT", AppDir.Path() + "old"},
         {IDNO});
    EXPECT_EQ(ReadWholeFile(AppDir.Path() + "out.txt"), "a@b.org\nc@d.org\n");
    EXPECT_TRUE(FileExists(AppDir.Path() + "kept.txt"));
    EXPECT_TRUE(FileExists(AppDir.Path() + "upper.TXT.txt"));
    EXPECT_EQ(ReadWholeFile(Old), "precious\n");
    Save({AppDir.Path() + "old", "", AppDir.Path() + "no/such/folder/x.txt"}, {IDYES});
    EXPECT_EQ(ReadWholeFile(Old), "a@b.org\nc@d.org\n");

    const AnsiString Replace = Old + " already exists.\nDo you want to replace it?";
    TLines Texts;
    for (const auto& M : Script.Messages)
        Texts.push_back(M.Text);
    EXPECT_EQ(Texts, (TLines{"Successfully exported!", "Successfully exported!", "Successfully exported!", Replace,
                             Replace, "Successfully exported!", "Matches could not be exported."}));
    EXPECT_EQ(Script.Messages[0].Title, Application->GetTitle());
    EXPECT_EQ(Script.FileDialogs[0].Title, "Export Matches...");
}

TEST_F(TMainWindowTest, CopyToClipboardCopiesTheWholeFinalList)
{
    MakeForm();
    SetLines(Form->RichEdit5->GetLines(), {"one@x.org", "two@x.org"});
    Form->BitBtn4Click(nullptr);
    EXPECT_EQ(Clipboard()->GetAsText(), "one@x.org\ntwo@x.org\n");
}

TEST_F(TMainWindowTest, RemoveDuplicatesTogglesTheListsRuleButNotWhileScanning)
{
    MakeForm();
    ScanningFlag = true;
    Form->RemoveDuplicates1->Click();
    ScanningFlag = false;
    EXPECT_TRUE(Form->RemoveDuplicates1->GetChecked());
    Form->RemoveDuplicates1->Click();
    EXPECT_FALSE(Form->RemoveDuplicates1->GetChecked());
    EXPECT_EQ(DuplicateList->GetDuplicates(), dupAccept);
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
    } Cases[] = {{500, 400, false, 500, 400}, {500, 600, true, 525, 600},  {600, 400, true, 600, 480},
                 {500, 480, false, 500, 480}, {525, 400, false, 525, 400}, {525, 480, true, 525, 480},
                 {700, 700, true, 700, 700}};
    for (const auto& C : Cases) {
        int W = C.W, H = C.H;
        bool Resize = true;
        Form->FormCanResize(Form, W, H, Resize);
        EXPECT_EQ(Resize, C.Resize) << C.W << "x" << C.H;
        EXPECT_EQ(W, C.OutW) << C.W << "x" << C.H;
        EXPECT_EQ(H, C.OutH) << C.W << "x" << C.H;
    }
    // Through the form itself: a tall window narrower than the limit holds
    // the width, and a window too small both ways is refused.
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), 400, 700);
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), 300, 300);
    EXPECT_EQ(Form->GetWidth(), 525);
    EXPECT_EQ(Form->GetHeight(), 700);
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
    MakeForm();
    Form->CheckforUpdates1->Click();
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Title, "WARNING: Brackenhollow Updater Utility Not Found");
    EXPECT_NE(Script.Messages[0].Text.find("In order to check for updates for Quillmote"), AnsiString::npos);
}

TEST_F(TMainWindowTest, DroppedFilesAndFoldersLandInTheFileListOnceComparedWithCase)
{
    TTempDir Data;
    const AnsiString A = Data.WriteFile("tree/a.txt", "a");
    const AnsiString B = Data.WriteFile("tree/sub/b.txt", "b");
    MakeForm();
    Form->RichEdit9->GetLines()->Clear();
    EXPECT_TRUE(platform::test::DropFiles(Form->RichEdit9, {Data.Path() + "tree", A}));
    Form->FileDropper1Drop(nullptr, Data.Path() + "tree/A.txt");
    Application->ProcessMessages();
    EXPECT_EQ(LinesOf(Form->RichEdit9), (TLines{A, B, Data.Path() + "tree/A.txt"}));
}

TEST_F(TMainWindowTest, ALargeDropAppendsItsNewPathsOnceInWalkOrderInOneChangeWhenTheDropIsOver)
{
    TTempDir Data;
    TLines Walked; // the dropper's order: a folder's files by name, then its sub-folders
    for (int I = 0; I < 1500; ++I)
        Walked.push_back(Data.WriteFile("tree/f" + IntToStr(10000 + I) + ".txt", "x"));
    Walked.push_back(Data.WriteFile("tree/sub/g.txt", "g"));
    const AnsiString OtherCase = Data.Path() + "tree/F10009.txt";
    MakeForm();
    // The last line lacks its line break, as a user may leave it.
    Form->RichEdit9->SetText(Walked[7] + "\n" + OtherCase + "\n" + Walked[1200]);
    int Changes = 0;
    Form->RichEdit9->OnChange = [&](TObject*) { ++Changes; };

    ASSERT_TRUE(platform::test::DropFiles(Form->RichEdit9, {Data.Path() + "tree", Walked[3], Walked[1500]}));
    // The list is left alone while the drop is handled, under the busy cursor.
    EXPECT_EQ(LinesOf(Form->RichEdit9), (TLines{Walked[7], OtherCase, Walked[1200]}));
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    Application->ProcessMessages();
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(Changes, 1);
    TLines Expected{Walked[7], OtherCase, Walked[1200]};
    for (std::size_t I = 0; I < Walked.size(); ++I)
        if (I != 7 && I != 1200) Expected.push_back(Walked[I]);
    EXPECT_EQ(LinesOf(Form->RichEdit9), Expected);

    // The next drop knows the list as it stands then: a line the user took
    // out comes back, a kept one does not, and a list that ends with a line
    // break gets no empty line.
    Form->RichEdit9->GetLines()->Delete(0);
    Expected.erase(Expected.begin());
    Form->RichEdit9->SetText(Form->RichEdit9->GetLines()->GetText());
    ASSERT_TRUE(platform::test::DropFiles(Form->RichEdit9, {Walked[8], Walked[7], Walked[7]}));
    Application->ProcessMessages();
    Expected.push_back(Walked[7]);
    EXPECT_EQ(LinesOf(Form->RichEdit9), Expected);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST_F(TMainWindowTest, TheWindowOpensWithTheFocusOnThePageTabsWhichLikeThePresetsShowIt)
{
    MakeForm();
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Form->GetActive(); }));
    EXPECT_EQ(Form->GetActiveControl(), Form->PageControl1);
    EXPECT_TRUE(Form->PageControl1->Focused());

    TTempDir Shots;
    auto Looks = [&](TWinControl* Control) {
        const AnsiString File = Shots.Path() + "shot.png";
        EXPECT_TRUE(platform::test::SaveWindowImage(Control, File));
        return ReadWholeFile(File);
    };
    const AnsiString TabsFocused = Looks(Form->PageControl1);
    Form->BitBtn1->SetFocus();
    EXPECT_NE(Looks(Form->PageControl1), TabsFocused);
    platform::test::PressKey(Form->PageControl1, VK_TAB);
    EXPECT_TRUE(Form->RichEdit9->Focused());

    Form->PageControl1->SetActivePageIndex(1);
    for (TComboBox* Box : {Form->ComboBox1, Form->ComboBox2}) {
        const AnsiString Unfocused = Looks(Box);
        Box->SetFocus();
        EXPECT_NE(Looks(Box), Unfocused) << Box->GetName();
    }
}

TEST_F(TMainWindowTest, TheChompingGridListsTheFiveColumnsAndSortsLineNumbersAsNumbers)
{
    MakeForm();
    TGxGrid* Grid = Form->GxGrid1;
    EXPECT_EQ(Grid->GetParent(), Form->TabSheet5);
    EXPECT_EQ(Grid->GetOptions(), (TGridOptions{goHeader, goSelectFullRow}));
    EXPECT_EQ(Grid->GetAppearanceOptions(), (TAppearanceOptions{aoHideFocus, aoHideSelection}));
    TGxColumns* Columns = Grid->GetColumns();
    ASSERT_EQ(Columns->GetCount(), 5);
    const char* Captions[] = {"File:", "Line#:", "Match:", "Found By:", "Rejected By:"};
    const int Widths[] = {109, 80, 195, 116, 83};
    for (int C = 0; C < 5; ++C) {
        EXPECT_EQ(WideToUtf8(Columns->GetItem(C)->GetHeader()->GetCaption()), Captions[C]);
        EXPECT_EQ(Columns->GetItem(C)->GetWidth(), Widths[C]);
    }
    EXPECT_EQ(Columns->GetItem(1), Form->GxTextColumn5);
    EXPECT_EQ(Form->GxTextColumn5->GetSortType(), stNumeric);
    EXPECT_EQ(Form->GxTextColumn5->GetAlignment(), taCenter);
    EXPECT_TRUE(Form->GxTextColumn4->GetOptions().Contains(coShowTextFitHint));

    // As a header click will: the column's Sorted sorts, keeping the selected row.
    for (const char* Line : {"9", "10", "2"})
        Grid->AddCells({u"f", Utf8ToWide(Line), u"m", u"r", u""});
    Grid->HandleNeeded();
    Grid->SetSelectedRow(0);
    Form->GxTextColumn5->SetSorted(true);
    EXPECT_EQ(WideToUtf8(Grid->GetCells(1, 0) + Grid->GetCells(1, 1) + Grid->GetCells(1, 2)), "2910");
    EXPECT_EQ(WideToUtf8(Grid->GetCells(1, Grid->GetSelectedRow())), "9");
}
