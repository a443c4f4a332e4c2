#include "tests/app/AppTestSupport.h"
#include "platform/controls/Timers.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WindowHook.h"
#include "platform/testing/Drops.h"

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Unit1;

namespace {

class TScanTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        MakeForm();
        Form->RichEdit9->GetLines()->Clear();
        Form->RichEdit3->GetLines()->Clear();
        Form->RichEdit4->GetLines()->Clear();
    }

    AnsiString File(const AnsiString& Name, const AnsiString& Bytes) { return AppDir.WriteFile(Name, Bytes); }

    void Scan(const TLines& Files, const TLines& Matches, const TLines& Rejects = {})
    {
        SetLines(Form->RichEdit9->GetLines(), Files);
        SetLines(Form->RichEdit3->GetLines(), Matches);
        SetLines(Form->RichEdit4->GetLines(), Rejects);
        Form->BitBtn1Click(Form->BitBtn1);
    }

    // Row cells as "file|line|match|found|rejected".
    TLines Rows()
    {
        TLines V;
        for (int R = 0; R < Form->GxGrid1->GetRowCount(); ++R) {
            AnsiString S;
            for (int C = 0; C < Form->GxGrid1->GetColumns()->GetCount(); ++C) {
                if (C) S += '|';
                S += WideToUtf8(Form->GxGrid1->GetCell(C, R).GetAsString());
            }
            V.push_back(S);
        }
        return V;
    }

    TLines Log() { return LinesOf(Form->RichEdit2); }
    AnsiString LastLog() { return Log().empty() ? AnsiString() : Log().back(); }
};

} // namespace

TEST_F(TScanTest, EmptyFileListDoesNothing)
{
    SetLines(Form->RichEdit3->GetLines(), {"x"});
    Form->BitBtn1Click(nullptr);
    EXPECT_EQ(Log().size(), 2u); // the stored greeting is still there
    EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
}

TEST_F(TScanTest, StartCheckRefusesListsWithoutAPatternToUse)
{
    const AnsiString F = File("a.txt", "abc\n");
    const std::vector<TLines> Refused = {{}, {"$$ note"}, {"$$ a", "$$ b"}, {"("}, {"$name:"}};
    for (const auto& Patterns : Refused) {
        Script.Messages.clear();
        Form->PageControl1->SetActivePageIndex(0);
        Scan({F}, Patterns);
        ASSERT_EQ(Script.Messages.size(), 1u);
        EXPECT_EQ(Script.Messages[0].Text, "Please make sure you have entered some extract patterns");
        EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 1);
        EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
        EXPECT_TRUE(Log().empty()); // cleared before the check, and stays cleared
        ExpectIdle();
    }
    // Two lines that both fail to compile pass the check and simply find nothing.
    Script.Messages.clear();
    Scan({F}, {"(", "[z"});
    EXPECT_TRUE(Script.Messages.empty());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Complete.");
}

TEST_F(TScanTest, PatternLinesNameTheirExtractsAndRunInListOrder)
{
    const AnsiString F = File("p.txt", "mail anna@x.org and b:c here\n");
    Scan({F}, {"$mail:[a-z]+@[a-z.]+", "x\\.org", "$$ skipped", "$a:b:c", "$nocolon", "$trailing:", ""});
    EXPECT_EQ(Rows(), (TLines{F + "|1|anna@x.org|mail|", F + "|1|x.org|Regex #2|", F + "|1|b:c|a|"}));
}

TEST_F(TScanTest, LongLinesComeInPiecesAndLineNumbersRunAcrossFiles)
{
    const AnsiString Long(10000, 'a');
    const AnsiString A = File("a.txt", Long + "\nx\n");
    const AnsiString B = File("b.txt", "a\na\n");
    const AnsiString Empty = File("e.txt", "");
    Scan({A, Empty, B}, {"a+"});
    const auto R = Rows();
    ASSERT_EQ(R.size(), 5u);
    EXPECT_EQ(R[0], A + "|1|" + AnsiString(4998, 'a') + "|Regex #1|");
    EXPECT_EQ(R[1], A + "|2|" + AnsiString(4998, 'a') + "|Regex #1|Duplicate");
    EXPECT_EQ(R[2], A + "|3|aaaa|Regex #1|");
    EXPECT_EQ(R[3], B + "|5|a|Regex #1|");
    EXPECT_EQ(R[4], B + "|6|a|Regex #1|Duplicate");
    EXPECT_EQ(LastLog().rfind("Processed 6 lines in ", 0), 0u);
}

TEST_F(TScanTest, WindowsLineEndsKeepTheirCarriageReturnAndNulEndsAPiece)
{
    const AnsiString F = File("crlf.txt", AnsiString("one two\r\nthree\0four\r\n", 20));
    Scan({F}, {"t.*"});
    EXPECT_EQ(Rows(), (TLines{F + "|1|two\r|Regex #1|", F + "|2|three|Regex #1|"}));
}

TEST_F(TScanTest, RejectsNameTheFirstRejectingLineAndKeepTheRestInTheFinalList)
{
    const AnsiString F = File("r.txt", "anna@skip.org\nbob@keep.org\n");
    Scan({F}, {"[a-z]+@[a-z.]+"}, {"$$ comment", "$skip:skip", "skip\\.org"});
    EXPECT_EQ(Rows(), (TLines{F + "|1|anna@skip.org|Regex #1|skip", F + "|2|bob@keep.org|Regex #1|"}));
    EXPECT_EQ(LinesOf(Form->RichEdit5), TLines{"bob@keep.org"});
    EXPECT_EQ(Form->TabSheet6->GetCaption(), "Final Matches (1)");
    // An unnamed reject line is named by its position.
    Scan({F}, {"[a-z]+@[a-z.]+"}, {"nothing", "keep"});
    EXPECT_EQ(WideToUtf8(Form->GxGrid1->GetCell(4, 1).GetAsString()), "Regex #2");
}

TEST_F(TScanTest, APatternThatGivesUpCountsAsNoMatchAndIsLoggedOncePerFile)
{
    const AnsiString Hostile = AnsiString(30, 'a') + "b" + AnsiString(30, 'a');
    const AnsiString F = File("h.txt", "aaa\n" + Hostile + "\n" + Hostile + "\n" + AnsiString(30, 'a') + "\n");
    Scan({F}, {"$nest:(a+)+$", "b"}, {"$rej:(a+)+[bc]"});
    EXPECT_EQ(Rows(), (TLines{F + "|1|aaa|nest|", F + "|2|b|Regex #2|", F + "|3|b|Regex #2|Duplicate",
                              F + "|4|" + AnsiString(30, 'a') + "|nest|"}));
    const auto L = Log();
    const auto Logged = [&](const AnsiString& Line) { return std::count(L.begin(), L.end(), Line); };
    EXPECT_EQ(Logged("Pattern \"nest\" gave up on line 2 of " + F +
                     " (Line# 2): match limit exceeded; taken as no match there."),
              1);
    EXPECT_EQ(Logged("Pattern \"rej\" gave up on line 4 of " + F +
                     " (Line# 4): match limit exceeded; taken as no match there."),
              1);
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Complete.");
}

TEST_F(TScanTest, AGaveUpLineNamesTheLineWithinItsFileAndTheRunWideLineNumber)
{
    const AnsiString Hostile = AnsiString(30, 'a') + "b" + AnsiString(30, 'a');
    const AnsiString First = File("one.txt", "x\ny\nz\n");
    // A line longer than a read counts as two within the file too.
    const AnsiString Second = File("two.txt", AnsiString(6000, 'c') + "\n" + Hostile + "\n");
    Scan({First, Second}, {"$nest:(a+)+$"});
    const auto L = Log();
    EXPECT_EQ(std::count(L.begin(), L.end(),
                         "Pattern \"nest\" gave up on line 3 of " + Second +
                             " (Line# 6): match limit exceeded; taken as no match there."),
              1)
        << ::testing::PrintToString(L);
}

TEST_F(TScanTest, DuplicatesIgnoreCaseWhileRemoveDuplicatesIsOn)
{
    const AnsiString F = File("d.txt", "Anna@X.org\nanna@x.ORG\nbob@x.org\n");
    Scan({F}, {"[A-Za-z]+@[A-Za-z.]+"});
    EXPECT_EQ(WideToUtf8(Form->GxGrid1->GetCell(4, 1).GetAsString()), "Duplicate");
    EXPECT_EQ(LinesOf(Form->RichEdit5), (TLines{"Anna@X.org", "bob@x.org"}));
    EXPECT_EQ(Form->TabSheet6->GetCaption(), "Final Matches (2)");
    EXPECT_EQ(Log()[Log().size() - 2], "Scan Complete, found 2 matches.");

    Form->RemoveDuplicates1->Click();
    Scan({F}, {"[A-Za-z]+@[A-Za-z.]+"});
    EXPECT_EQ(LinesOf(Form->RichEdit5).size(), 3u);
    EXPECT_EQ(Form->TabSheet6->GetCaption(), "Final Matches (3)");
    EXPECT_EQ(WideToUtf8(Form->GxGrid1->GetCell(4, 1).GetAsString()), "");
}

TEST_F(TScanTest, CompletedScanLogsItsFilesAndTotalsAndSwitchesToTheMatches)
{
    const AnsiString F = File("c.txt", "a\nb\nc\n");
    Scan({F}, {"b"});
    EXPECT_EQ(Log(), (TLines{"Opened " + F + "...", "Scanning...", "Closing " + F + "...",
                             "Scan Complete, found 1 matches.", "Processed 3 lines in 1 second(s) (3.00 lines/sec)."}));
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Complete.");
    EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 3);
    ExpectIdle();

    Form->Autoswitch1->Click();
    Form->PageControl1->SetActivePageIndex(1);
    Scan({F}, {"b"});
    EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 1);
}

TEST_F(TScanTest, MissingFilesFoldersAndBlankLinesEndTheScan)
{
    const AnsiString F = File("ok.txt", "hit\n");
    for (const AnsiString& Bad : {AppDir.Path() + "missing.txt", AppDir.Path(), AnsiString()}) {
        Form->PageControl1->SetActivePageIndex(2);
        Scan({F, Bad, F}, {"hit"});
        EXPECT_EQ(LastLog(), "File: " + Bad + " does not exist!");
        EXPECT_EQ(Rows().size(), 1u); // the file before it stays scanned
        EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
        EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 0);
        ExpectIdle();
    }
}

TEST_F(TScanTest, APipeDroppedWithAFolderEndsTheScanAtOnceAsAFileThatCannotBeOpened)
{
    TTempDir Data;
    const AnsiString A = Data.WriteFile("tree/a.txt", "hit\n");
    const AnsiString Pipe = Data.Path() + "tree/pipe";
    ASSERT_EQ(::mkfifo(Pipe.c_str(), 0600), 0);
    Form->RichEdit9->GetLines()->Clear();
    ASSERT_TRUE(platform::test::DropFiles(Form->RichEdit9, {Data.Path() + "tree"}));
    Application->ProcessMessages();
    EXPECT_EQ(LinesOf(Form->RichEdit9), (TLines{A, Pipe}));

    // Should the scan wait for a writer, one comes after a while and the clock tells.
    std::mutex Lock;
    std::condition_variable Wake;
    bool Finished = false;
    std::thread Writer([&] {
        std::unique_lock L(Lock);
        if (Wake.wait_for(L, std::chrono::seconds(10), [&] { return Finished; })) return;
        const int Fd = ::open(Pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (Fd >= 0) ::close(Fd);
    });
    const Int64 Start = MonotonicMilliseconds();
    SetLines(Form->RichEdit3->GetLines(), {"hit"});
    Form->BitBtn1Click(Form->BitBtn1);
    const Int64 Took = MonotonicMilliseconds() - Start;
    {
        std::lock_guard L(Lock);
        Finished = true;
    }
    Wake.notify_one();
    Writer.join();
    EXPECT_LT(Took, 10000);
    EXPECT_EQ(LastLog(), "File: " + Pipe + " does not exist!");
    EXPECT_EQ(Rows(), TLines{A + "|1|hit|Regex #1|"});
    ExpectIdle();
}

TEST_F(TScanTest, BlockBreakCharactersInNamesPatternsAndExtractsStayInsideTheirLine)
{
    // U+2029 and the two characters Qt's documents use to mark frames.
    for (const AnsiString Break : {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"}) {
        const AnsiString F = File("odd" + Break + "name.txt", "say a" + Break + "b here\n");
        Form->RichEdit9->GetLines()->Clear();
        ASSERT_TRUE(platform::test::DropFiles(Form->RichEdit9, {F}));
        Application->ProcessMessages();
        EXPECT_EQ(LinesOf(Form->RichEdit9), TLines{F});
        SetLines(Form->RichEdit3->GetLines(), {"a" + Break + "b", "here"});
        Form->BitBtn1Click(Form->BitBtn1);
        EXPECT_EQ(Rows(), (TLines{F + "|1|a" + Break + "b|Regex #1|", F + "|1|here|Regex #2|"}));
        EXPECT_EQ(LinesOf(Form->RichEdit5), (TLines{"a" + Break + "b", "here"}));
        EXPECT_EQ(Form->RichEdit5->GetLines()->GetText(), "a" + Break + "b\nhere\n");
    }
}

TEST_F(TScanTest, StopScanCancelsARunningScanAndKeepsWhatWasFound)
{
    AnsiString Big;
    for (int I = 0; I < 200000; ++I)
        Big += "line " + IntToStr(I) + " x@y.org\n";
    const AnsiString F = File("big.txt", Big);
    Form->RemoveDuplicates1->Click(); // keep every extract
    int Ticks = 0;
    auto* Timer = New<TTimer>(nullptr);
    Timer->SetInterval(20);
    Timer->SetOnTimer([&](TObject*) {
        if (Form->GxGrid1->GetRowCount() == 0) return; // the matching threads' first rows are yet to come
        ++Ticks;
        EXPECT_TRUE(Form->BitBtn3->GetVisible());
        EXPECT_FALSE(Form->RichEdit9->GetEnabled());
        EXPECT_EQ(Form->GetCaption().rfind("Quillmote - Scan: ", 0), 0u);
        Form->BitBtn3->Click();
        Timer->SetEnabled(false);
    });
    Scan({F}, {"x@y\\.org"});
    Free(Timer);
    EXPECT_EQ(Ticks, 1);
    EXPECT_EQ(LastLog(), "Scan Cancelled!");
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Cancelled.");
    EXPECT_GT(Form->GxGrid1->GetRowCount(), 0);
    EXPECT_LT(Form->GxGrid1->GetRowCount(), 200000);
    EXPECT_EQ(Form->RichEdit5->GetLines()->GetCount(), Form->GxGrid1->GetRowCount());
    ExpectIdle();
}

TEST_F(TScanTest, AnErrorDuringTheScanGivesTheWindowBackAndIsShown)
{
    // A rule the window never sets: a duplicate then raises, as the list would.
    DuplicateList->SetDuplicates(dupError);
    const AnsiString F = File("e.txt", "same\nSAME\n");
    Form->RichEdit9->GetLines()->Add(F);
    SetLines(Form->RichEdit3->GetLines(), {"same|SAME"});
    platform::test::Click(Form->BitBtn1, 5, 5); // through the window, which shows what escapes
    ExpectIdle();
    EXPECT_EQ(Form->Label4->GetCaption(), "Ready.");
    ASSERT_FALSE(Script.Messages.empty());
    EXPECT_EQ(Script.Messages.back().Text, "String list does not allow duplicates.");
}

namespace {

// Runs Step once, from the scan's pumping, after the grid's cell (Col, Row)
// was written: the reject test of that row's extract is still to come.
class TScanPumpTest : public TScanTest {
protected:
    static constexpr UINT WM_STEP = WM_APP + 7;
    void AfterCell(int Col, std::function<void(int Row)> Step)
    {
        Hook.Hook(Form->GetHandle(), [this, Step](TMessage& M) {
            if (M.Msg == WM_STEP) {
                Step(int(M.WParam));
                Due = false;
            } else {
                Hook.PassOn(M);
            }
        });
        Form->GxGrid1->OnChange = [this, Col](TObject*, int C, int R) {
            if (C != Col || Due) return;
            Due = true;
            PostMessageA(Form->GetHandle(), WM_STEP, WPARAM(R), 0);
            // The scan pumps every 2 ms at most: past that, its next pump runs the step.
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        };
    }
    void TearDown() override
    {
        Form->GxGrid1->OnChange = nullptr;
        Hook.Unhook();
        TScanTest::TearDown();
    }
    // Extract and verdict of every row, sorted.
    TLines Verdicts()
    {
        TLines V;
        for (const AnsiString& Row : Rows()) {
            const auto Match = Row.find('|', Row.find('|') + 1) + 1;
            const auto Found = Row.find('|', Match);
            V.push_back(Row.substr(Match, Found - Match) + "=" + Row.substr(Row.rfind('|') + 1));
        }
        std::sort(V.begin(), V.end());
        return V;
    }
    TWindowHook Hook;
    bool Due = false;
};

} // namespace

TEST_F(TScanPumpTest, VerdictsLandOnTheirExtractsRowsWhenTheGridIsSortedBeforeTheRejectTest)
{
    const AnsiString F = File("s.txt", "b@x.org\nskip@x.org\nB@x.org\nc@x.org\n");
    TGxTextColumn* Match = Form->GxTextColumn2;
    int Sorts = 0;
    std::vector<bool> Pending; // the row's verdict was still to come when the sort ran
    AfterCell(3, [&](int Row) {
        Pending.push_back(WideToUtf8(Form->GxGrid1->GetCell(3, Row).GetAsString()) != "" &&
                          Form->GxGrid1->GetCell(4, Row).GetAsString().empty());
        Match->SetSortKind(Sorts % 2 ? skAscending : skDescending);
        Form->GxGrid1->SortColumn(Match, Sorts++ % 2 != 0);
    });
    TLines Rejects(40, "qqq");
    Rejects.push_back("$rej:^skip");
    Scan({F}, {"[A-Za-z]+@[a-z.]+"}, Rejects);
    EXPECT_EQ(Sorts, 4);
    EXPECT_EQ(Pending, std::vector<bool>(4, true));
    EXPECT_EQ(Verdicts(), (TLines{"B@x.org=Duplicate", "b@x.org=", "c@x.org=", "skip@x.org=rej"}));
    EXPECT_EQ(LinesOf(Form->RichEdit5), (TLines{"b@x.org", "c@x.org"}));
}

TEST_F(TScanPumpTest, ARowClearedBeforeItsVerdictIsLeftAloneAndTheScanGoesOn)
{
    const AnsiString F = File("c.txt", "skip@x.org\nb@x.org\nb@x.org\n");
    bool Cleared = false;
    AfterCell(3, [&](int) {
        if (!Cleared) Form->GxGrid1->ClearRows();
        Cleared = true;
    });
    TLines Rejects(40, "qqq");
    Rejects.push_back("$rej:^skip");
    Scan({F}, {"[a-z]+@[a-z.]+"}, Rejects);
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Complete.");
    EXPECT_EQ(Verdicts(), (TLines{"b@x.org=", "b@x.org=Duplicate"}));
}

TEST_F(TScanTest, TheGridShowsTheExtractsInTheOrderFound)
{
    const AnsiString F = File("o.txt", "9 z@x.org\n10 a@x.org\n");
    Scan({F}, {"[0-9]+", "[a-z]+@[a-z.]+"});
    EXPECT_EQ(Rows(), (TLines{F + "|1|9|Regex #1|", F + "|1|z@x.org|Regex #2|", F + "|2|10|Regex #1|",
                              F + "|2|a@x.org|Regex #2|"}));
    // Start Scan clears the rows of the scan before.
    Scan({F}, {"z@"});
    EXPECT_EQ(Rows(), TLines{F + "|1|z@|Regex #1|"});
}
