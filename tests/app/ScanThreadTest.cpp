// The scan with its matching threads at work: Stop and closing the window
// end it promptly and leave no thread behind; the window hears of progress
// only every so many pumps; a caseless required byte skips no piece that
// matches.
#include "app/ScanSpeed.h"
#include "tests/app/AppTestSupport.h"
#include "platform/controls/Timers.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WindowHook.h"

#include <chrono>
#include <filesystem>
#include <thread>

using namespace Unit1;

namespace {

std::size_t ThreadCount()
{
    std::size_t N = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++N;
    return N;
}

class TScanThreadTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        MakeForm();
        ScanWorkers = 3;
        ScanBlockBytes = 64 * 1024; // many jobs in flight
    }
    void TearDown() override
    {
        ScanWorkers = 0;
        ScanBlockBytes = 1 << 20;
        TMainWindowTest::TearDown();
    }

    AnsiString ManyAddresses(int Lines)
    {
        AnsiString Big;
        for (int I = 0; I < Lines; ++I)
            Big += "line " + IntToStr(I) + " x" + IntToStr(I % 977) + "@y.org\n";
        return AppDir.WriteFile("big.txt", Big);
    }

    void Scan(const TLines& Files, const TLines& Matches, const TLines& Rejects = {})
    {
        SetLines(Form->RichEdit9->GetLines(), Files);
        SetLines(Form->RichEdit3->GetLines(), Matches);
        SetLines(Form->RichEdit4->GetLines(), Rejects);
        Form->BitBtn1Click(Form->BitBtn1);
    }

    // Runs Act once from the scan's pumping, once rows come while its threads
    // are at work, and returns how long the scan took to end after it.
    std::chrono::milliseconds EndAfter(const std::function<void()>& Act, std::size_t& ThreadsAtWork)
    {
        const AnsiString F = ManyAddresses(200000);
        const std::size_t Before = ThreadCount();
        std::chrono::steady_clock::time_point Acted;
        auto* Timer = New<TTimer>(nullptr);
        Timer->SetInterval(20);
        Timer->SetOnTimer([&](TObject*) {
            if (Form->GxGrid1->GetRowCount() == 0) return; // not under way yet
            Timer->SetEnabled(false);
            ThreadsAtWork = ThreadCount() - Before;
            Acted = std::chrono::steady_clock::now();
            Act();
        });
        Scan({F}, {"[a-z0-9]+@[a-z.]+"}, {"qqq", "^zz"});
        const auto Took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Acted);
        Free(Timer);
        EXPECT_EQ(ThreadCount(), Before) << "a matching thread outlived the scan";
        return Took;
    }
};

} // namespace

TEST_F(TScanThreadTest, StopWithWorkersAtWorkEndsTheScanPromptlyAndKeepsWhatWasWritten)
{
    Form->RemoveDuplicates1->Click(); // every extract reaches the final list
    std::size_t Workers = 0;
    const auto Took = EndAfter([&] { Form->BitBtn3->Click(); }, Workers);
    EXPECT_EQ(Workers, 3u);
    EXPECT_LT(Took.count(), 5000);
    EXPECT_EQ(LinesOf(Form->RichEdit2).back(), "Scan Cancelled!");
    EXPECT_EQ(Form->Label4->GetCaption(), "Scan Cancelled.");
    const int Rows = Form->GxGrid1->GetRowCount();
    ASSERT_GT(Rows, 0);
    EXPECT_LT(Rows, 200000);
    // Rows are written in file order with nothing skipped.
    for (int R : {0, Rows / 2, Rows - 1})
        EXPECT_EQ(WideToUtf8(Form->GxGrid1->GetCell(1, R).GetAsString()), IntToStr(R + 1));
    EXPECT_EQ(Form->RichEdit5->GetLines()->GetCount(), Rows);
    ExpectIdle();
}

TEST_F(TScanThreadTest, ClosingTheWindowWithWorkersAtWorkEndsTheScanPromptly)
{
    std::size_t Workers = 0;
    const auto Took = EndAfter([&] { Form->Close(); }, Workers);
    EXPECT_EQ(Workers, 3u);
    EXPECT_LT(Took.count(), 5000);
    EXPECT_EQ(LinesOf(Form->RichEdit2).back(), "Scan Cancelled!");
    EXPECT_FALSE(ScanningFlag);
}

TEST_F(TScanThreadTest, ACaselessRequiredByteLetsThroughEveryPieceThatMatches)
{
    // PCRE's facts: "x(?i)b" needs 'x' first and a caseless 'b'; "(?i)quill"
    // a caseless 'q' first and a caseless 'l'. Small blocks make the skipping
    // start over often.
    ScanBlockBytes = 4998;
    AnsiString Text;
    for (int I = 0; I < 3000; ++I)
        Text += I % 500 == 7 ? "xB QUILL\n" : I % 500 == 9 ? "Xb qUiLl xb\n" : "nothing here\n";
    const AnsiString F = AppDir.WriteFile("case.txt", Text);
    Form->RemoveDuplicates1->Click();
    Scan({F}, {"x(?i)b", "(?i)quill"});
    TLines Rows;
    for (int R = 0; R < Form->GxGrid1->GetRowCount(); ++R)
        Rows.push_back(WideToUtf8(Form->GxGrid1->GetCell(1, R).GetAsString()) + " " +
                       WideToUtf8(Form->GxGrid1->GetCell(2, R).GetAsString()));
    TLines Expected;
    for (int I = 0; I < 3000; ++I) {
        if (I % 500 == 7) Expected.insert(Expected.end(), {IntToStr(I + 1) + " xB", IntToStr(I + 1) + " QUILL"});
        if (I % 500 == 9) Expected.insert(Expected.end(), {IntToStr(I + 1) + " xb", IntToStr(I + 1) + " qUiLl"});
    }
    EXPECT_EQ(Rows, Expected);
}

TEST_F(TScanThreadTest, ProgressAndCaptionReachTheWindowOnlyEveryFiftiethPump)
{
    // A message posted again each time it is handled samples the window once per pump.
    constexpr UINT WM_SAMPLE = WM_APP + 9;
    struct TSample {
        AnsiString Caption;
        int Position;
    };
    std::vector<TSample> Samples;
    TWindowHook Hook;
    Hook.Hook(Form->GetHandle(), [&](TMessage& M) {
        if (M.Msg != WM_SAMPLE) return Hook.PassOn(M);
        Samples.push_back({Form->GetCaption(), Form->ProgressBar1->GetPosition()});
        if (ScanningFlag) PostMessageA(Form->GetHandle(), WM_SAMPLE, 0, 0);
    });
    const AnsiString Text = ReadWholeFile(ManyAddresses(3000));
    TLines Listed;
    for (int I = 0; I < 40; ++I)
        Listed.push_back(AppDir.WriteFile("p" + IntToStr(I), Text));
    PostMessageA(Form->GetHandle(), WM_SAMPLE, 0, 0);
    Scan(Listed, {"[a-z0-9]+@[a-z.]+"}, TLines(20, "qqq"));
    Hook.Unhook();
    ASSERT_GT(Samples.size(), 1u);
    int Changes = 0;
    for (std::size_t I = 1; I < Samples.size(); ++I) {
        const TSample &A = Samples[I - 1], &B = Samples[I];
        EXPECT_GE(B.Position, A.Position);
        if (B.Caption != A.Caption) ++Changes;
        if (B.Position > 0) {
            EXPECT_EQ(B.Caption, "Quillmote - Scan: " + IntToStr(B.Position / 10) + "%");
        }
    }
    // The first progress, then at most one change in 50 pumps (one of slack).
    EXPECT_LE(Changes, static_cast<int>(Samples.size() / 50) + 2) << Samples.size() << " pumps";
    if (Samples.size() >= 100) {
        EXPECT_GT(Changes, 0) << "progress shown while scanning";
    }
}

TEST_F(TScanThreadTest, TheDuplicateListEndsSortedAsItsOwnComparisonOrdersIt)
{
    // Letter case, accents, invalid bytes and prefixes, in an order far from sorted.
    const AnsiString F = AppDir.WriteFile("d.txt", "<zeta>\n<Alpha>\n<\xC3\xA9t\xC3\xA9>\n<\xFF\xFE>\n<alphabet>\n<"
                                                   "\xC3\x89T\xC3\x89>\n<b>\n<\xE2\x82\xAC>\n<Z>\n");
    Scan({F}, {"(?<=<)[^>]+"});
    std::vector<AnsiString> Kept;
    for (int I = 0; I < DuplicateList->GetCount(); ++I)
        Kept.push_back(DuplicateList->Get(I));
    ASSERT_EQ(Kept.size(), 8u); // "ÉTÉ" is "été" again
    for (std::size_t I = 1; I < Kept.size(); ++I)
        EXPECT_LE(AnsiCompareText(Kept[I - 1], Kept[I]), 0) << Kept[I - 1] << " before " << Kept[I];
    EXPECT_EQ(DuplicateList->IndexOf("ALPHABET"),
              static_cast<int>(std::find(Kept.begin(), Kept.end(), "alphabet") - Kept.begin()));
}
