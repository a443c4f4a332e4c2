// Start Scan and Stop Scan: every listed file read in pieces of at most 4,998
// bytes, each piece tested against every match pattern, each extract against
// the reject patterns, the survivors kept in the final list.
//
// The window's thread owns the scan: it writes every row, the final list and
// the log in file and piece order, shows progress and pumps messages. Worker
// threads find the matches and run the reject tests (app/ScanPipeline). The
// results are those of testing every pattern on every piece; the window's
// thread pumps at most every 2 ms and hands the window its progress, caption,
// new final-list lines and log lines every 50th pump rather than after every
// piece.
#include "app/FoldedKeys.h"
#include "app/PieceReader.h"
#include "app/ScanPatterns.h"
#include "app/ScanPipeline.h"
#include "app/ScanSpeed.h"
#include "app/Unit1.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <set>
#include <span>
#include <vector>

namespace Unit1 {

bool ScanSpeedUps = true;
int ScanWorkers = 0;
std::size_t ScanBlockBytes = 1 << 20;

using namespace FoldedKeys;
using namespace PieceReader;
using namespace ScanPatterns;
using namespace ScanPipeline;

namespace {

constexpr Int64 PumpIntervalMs = 2;      // Stop and the menus answer within this
constexpr unsigned RefreshEvery = 50;    // pumps between hand-overs to the window: 100 ms at the least
constexpr unsigned ClockCheckEvery = 16; // pump calls between looks at the clock
constexpr std::size_t LookAhead = 8;     // items between asking for what one needs and using it

std::vector<AnsiString> LinesOf(TStrings* Lines)
{
    std::vector<AnsiString> V(static_cast<std::size_t>(Lines->GetCount()));
    for (std::size_t I = 0; I < V.size(); ++I)
        V[I] = Lines->Get(static_cast<int>(I));
    return V;
}

} // namespace

// The state of one running scan.
class TScanRun {
public:
    explicit TScanRun(TForm1* AForm) : Form(AForm) {}

    // The whole scan after the start check; restores the window on every end.
    void Execute();

private:
    enum TEnd { enCompleted, enCancelled, enMissingFile, enGoingOn };

    // Every pattern on every piece through the component, on this thread.
    TEnd ScanPlain();
    TEnd ScanFile(const AnsiString& Path);
    bool TestPiece(const AnsiString& Path, std::string_view Piece); // false: cancelled
    // Jobs matched on worker threads, written in file order.
    TEnd ScanThreaded();
    TEnd TakeJob(TScanJob& Job);
    void Prefetch(const TScanJob& Job, const TScanEvent& Ev) const;

    void BeginFile(const AnsiString& Path);
    void EndFile(const AnsiString& Path, Int64 Size);
    // Writes the extract's row and returns its verdict cell, which the
    // verdict reaches after the reject test.
    TCell WriteRow(std::u16string_view Extract, const TPatternLine& FoundBy, Int64 Line);
    // Writes the verdict into the extract's row, wherever a sort has put it
    // (a row that has gone since is left alone), and keeps an unrejected,
    // new extract, taking its string (Key is its folded key, made only for
    // such an extract).
    void Judge(TCell& Verdict, AnsiString& Extract, const TPatternLine* RejectedBy, TFoldedKey Key);
    // The first reject line that matches, run here; nullptr for none.
    const TPatternLine* Rejects(const AnsiString& Path, std::string_view Extract);
    // A pattern that gives up on a text (PCRE's limits) does not match it;
    // the log says so once per pattern and file, so that the user learns of it.
    // FileLine and Line count the piece within its file and within the scan.
    void GaveUp(const TCompiledPattern& P, const AnsiString& Path, Int64 FileLine, Int64 Line,
                const AnsiString& Reason);
    // Counts Calls pump calls, pumping when one of them would have (Now: this one).
    void Pump(unsigned Calls = 1, bool Now = false);
    int Progress() const;
    void FlushToWindow();
    // Log lines reach the log in batches, with the final list's.
    void Log(AnsiString Line) { PendingLog.push_back(std::move(Line)); }
    void KeepDuplicateList();
    Int64 TotalSize();
    void Finish(TEnd End);

    TForm1* Form;
    std::vector<AnsiString> Paths; // the file list as the scan began
    TPatternCache Includes, Excludes;
    Int64 LineCounter = 0;
    Int64 FileLineCounter = 0; // the same count within the file being read
    Int64 FinishedBytes = 0;
    Int64 FilePosition = 0; // bytes of the file being read consumed so far
    TPieceReader Reader;
    WideString WidePath; // the file being read, as the grid's cells take it
    WideString WideText; // a cell's text on its way into the grid
    AnsiString KeyText;  // an extract's folded key on its way to the duplicate test
    AnsiString NoCopy;   // a rejected extract's: none is made
    bool Reading = false;
    Int64 StartMs = 0;
    Int64 LastPumpMs = 0;
    unsigned PumpCalls = 0;
    unsigned Pumps = 0;
    int ShownPosition = -1;
    bool KeepAll = false; // Remove Duplicates is off
    TFoldedKeys Kept;     // the kept extracts' keys, in KeptInOrder's order
    std::vector<AnsiString> KeptInOrder;
    std::size_t ShownFinal = 0;         // KeptInOrder before this is in the final list
    std::vector<AnsiString> PendingLog; // log lines not yet in the log
    int KeptCount = 0;
    bool CaptionDirty = false;
    std::set<std::pair<const TCompiledPattern*, AnsiString>> GaveUpOn; // logged once per pattern and file
};

void TScanRun::Execute()
{
    LineCounter = 0;
    FinishedBytes = 0;
    StartMs = MonotonicMilliseconds();
    StartTime = Now();
    KeepAll = DuplicateList->GetDuplicates() == dupAccept;
    // The lists cannot change while a scan runs: their controls are disabled
    // and Load Profile is refused.
    Paths = LinesOf(Form->RichEdit9->GetLines());
    TotalInputBytes = TotalSize();
    TEnd End;
    try {
        End = ScanSpeedUps ? ScanThreaded() : ScanPlain();
    } catch (...) {
        // Whatever went wrong, the window is given back before the error is shown.
        Reading = false;
        Reader.Close();
        try {
            FlushToWindow(); // the final list comes from what KeepDuplicateList hands over
            KeepDuplicateList();
        } catch (...) {
        }
        Form->RestoreAfterScan();
        Form->Label4->SetCaption("Ready.");
        throw;
    }
    FlushToWindow();
    KeepDuplicateList();
    Finish(End);
}

Int64 TScanRun::TotalSize()
{
    Int64 Total = 0;
    for (const AnsiString& Path : Paths)
        if (FileExists(Path)) Total += std::max<Int64>(0, FileSizeOf(Path));
    return Total;
}

TScanRun::TEnd TScanRun::ScanPlain()
{
    TStrings* Files = Form->RichEdit9->GetLines();
    for (int Index = 0; Index < Files->GetCount(); ++Index) {
        const TEnd End = ScanFile(Files->Get(Index));
        if (End != enCompleted) return End;
    }
    return enCompleted;
}

TScanRun::TEnd TScanRun::ScanFile(const AnsiString& Path)
{
    // A folder, or a file that cannot be opened, ends the scan as a missing file does.
    if (!FileExists(Path) || !Reader.Open(Path)) {
        Log("File: " + Path + " does not exist!");
        return enMissingFile;
    }
    BeginFile(Path);
    Includes.Refresh(LinesOf(Form->RichEdit3->GetLines()));
    Excludes.Refresh(LinesOf(Form->RichEdit4->GetLines()));
    AnsiString Piece; // one string for every piece
    Piece.reserve(MaxPieceBytes);
    while (Reader.Next(Piece)) {
        ++LineCounter;
        ++FileLineCounter;
        FilePosition = Reader.GetPosition();
        if (!TestPiece(Path, Piece)) {
            Reading = false;
            Reader.Close();
            return enCancelled;
        }
    }
    Reader.Close();
    EndFile(Path, FilePosition);
    FlushToWindow();
    return enCompleted;
}

bool TScanRun::TestPiece(const AnsiString& Path, std::string_view Piece)
{
    for (std::size_t J = 0; J < Includes.Count(); ++J) {
        Pump();
        if (CancelFlag) return false;
        TCompiledPattern& P = Includes[J];
        if (P.Parsed.Comment) continue;
        std::string_view Found;
        try {
            if (!P.Find(Piece, Found, false)) continue;
        } catch (const EPcreRegexError& E) {
            GaveUp(P, Path, FileLineCounter, LineCounter, E.Reason);
            continue;
        }
        AssignUtf8ToWide(WideText, Found);
        TCell Verdict = WriteRow(WideText, P.Parsed, LineCounter);
        AnsiString Extract(Found); // the reject tests reuse the component's subject
        const TPatternLine* RejectedBy = Rejects(Path, Extract);
        KeyText.clear();
        Judge(Verdict, Extract, RejectedBy, RejectedBy ? TFoldedKey{} : TFoldedKeys::AppendKey(KeyText, Extract));
    }
    return true;
}

const TPatternLine* TScanRun::Rejects(const AnsiString& Path, std::string_view Extract)
{
    for (std::size_t K = 0; K < Excludes.Count(); ++K) {
        Pump();
        TCompiledPattern& P = Excludes[K];
        Pump();
        if (P.Parsed.Comment) continue;
        std::string_view Found;
        try {
            if (P.Find(Extract, Found, false)) return &P.Parsed;
        } catch (const EPcreRegexError& E) {
            GaveUp(P, Path, FileLineCounter, LineCounter, E.Reason);
        }
    }
    return nullptr;
}

TScanRun::TEnd TScanRun::ScanThreaded()
{
    std::vector<AnsiString> Matches = LinesOf(Form->RichEdit3->GetLines());
    std::vector<AnsiString> Rejected = LinesOf(Form->RichEdit4->GetLines());
    Includes.Refresh(Matches);
    Excludes.Refresh(Rejected);
    TScanPipeline Pipe(Paths, std::move(Matches), std::move(Rejected), ScanWorkers > 0 ? ScanWorkers : WorkerCount(),
                       ScanBlockBytes);
    for (;;) {
        bool End = false;
        std::unique_ptr<TScanJob> Job = Pipe.Next(static_cast<int>(PumpIntervalMs), End);
        if (End) return enCompleted;
        if (Job) {
            const TEnd Taken = TakeJob(*Job);
            if (Taken != enGoingOn) return Taken;
            Pipe.Recycle(std::move(Job));
        }
        Pump(1, !Job);
        if (CancelFlag) return enCancelled;
    }
}

// Writes what the workers found in one job, in the order the plain scan
// finds it; line numbers follow from the pieces each segment held.
TScanRun::TEnd TScanRun::TakeJob(TScanJob& Job)
{
    std::size_t E = 0;
    for (std::size_t S = 0; S < Job.Segments.size(); ++S) {
        const TSegment& Seg = Job.Segments[S];
        const AnsiString& Path = Paths[Seg.File];
        if (Seg.Unreadable) {
            Log("File: " + Path + " does not exist!");
            return enMissingFile;
        }
        if (Seg.First) BeginFile(Path);
        // The segment has been read: progress and the count of lines include it.
        const Int64 BaseLine = LineCounter, BaseFileLine = FileLineCounter;
        LineCounter += Seg.Pieces;
        FileLineCounter += Seg.Pieces;
        FilePosition = Seg.Position;
        for (; E < Job.Events.size() && Job.Events[E].Segment == S; ++E) {
            // What a worker made is in its processor's cache and the
            // duplicate test's hash slots in none: ask for what an extract a
            // few events ahead needs while this one is written.
            if (E + LookAhead < Job.Events.size()) Prefetch(Job, Job.Events[E + LookAhead]);
            const TScanEvent& Ev = Job.Events[E];
            const Int64 Line = BaseLine + Ev.Piece + 1, FileLine = BaseFileLine + Ev.Piece + 1;
            if (Ev.Kind == TScanEvent::ekRejectGaveUp) {
                GaveUp(Excludes[Ev.Pattern], Path, FileLine, Line, Job.Reasons[Ev.Length]);
                continue;
            }
            // Stop is seen before each pattern's result, as before each of its tests.
            Pump();
            if (CancelFlag) return enCancelled;
            const TCompiledPattern& P = Includes[Ev.Pattern];
            if (Ev.Kind == TScanEvent::ekGaveUp) {
                GaveUp(P, Path, FileLine, Line, Job.Reasons[Ev.Length]);
                continue;
            }
            TCell Verdict = WriteRow(Job.WideText(Ev), P.Parsed, Line);
            // The reject tests ran on a worker; the window is pumped as if they ran here.
            Pump(2 * static_cast<unsigned>(Excludes.Count()));
            if (Ev.RejectedBy >= 0)
                Judge(Verdict, NoCopy, &Excludes[Ev.RejectedBy].Parsed, {});
            else
                Judge(Verdict, Job.Copies[Ev.Copy], nullptr, Job.Key(Ev));
        }
        if (Seg.Last) EndFile(Path, Seg.Position);
        Pump();
        if (CancelFlag) return enCancelled;
    }
    return enGoingOn;
}

void TScanRun::Prefetch(const TScanJob& Job, const TScanEvent& Ev) const
{
    if (Ev.Kind != TScanEvent::ekExtract) return;
    __builtin_prefetch(Job.WideText(Ev).data());
    if (Ev.RejectedBy >= 0) return;
    __builtin_prefetch(Job.Key(Ev).Bytes.data());
    Kept.Prefetch(Ev.KeyHash);
}

void TScanRun::BeginFile(const AnsiString& Path)
{
    Reading = true;
    FilePosition = 0;
    FileLineCounter = 0;
    WidePath = Utf8ToWide(Path);
    Log("Opened " + Path + "...\nScanning...");
}

void TScanRun::EndFile(const AnsiString& Path, Int64 Size)
{
    FinishedBytes += Size;
    Reading = false;
    Log("Closing " + Path + "...");
}

TCell TScanRun::WriteRow(std::u16string_view Extract, const TPatternLine& FoundBy, Int64 Line)
{
    TGxGrid* Grid = Form->GxGrid1;
    Grid->AddRow(1);
    const int Row = Grid->GetRowCount() - 1;
    Grid->GetCell(0, Row).SetAsString(WidePath);
    // Both texts are made where nothing is allocated for them: the cells keep their own copies.
    const AnsiString Number = IntToStr(Line); // short enough to live inside the string
    char16_t Digits[24];
    std::copy(Number.begin(), Number.end(), Digits);
    Grid->GetCell(1, Row).SetAsString(std::u16string_view(Digits, Number.size()));
    Grid->GetCell(2, Row).SetAsString(Extract);
    Grid->GetCell(3, Row).SetAsString(FoundBy.WideName);
    // The reject test pumps messages: the grid may be sorted meanwhile, and
    // the cell follows its row.
    return Grid->GetCell(4, Row);
}

void TScanRun::Judge(TCell& Verdict, AnsiString& Extract, const TPatternLine* RejectedBy, TFoldedKey Key)
{
    const bool Alive = Verdict.GetCells()->GetCellRowIndex(Verdict) >= 0;
    if (RejectedBy) {
        if (Alive) Verdict.SetAsString(RejectedBy->WideName);
        return;
    }
    // The key is kept for the duplicate list's sort at the end, whether or
    // not duplicates are refused.
    if (!Kept.Add(Key, !KeepAll)) {
        if (DuplicateList->GetDuplicates() == dupError) throw EStringListError("String list does not allow duplicates");
        if (Alive) Verdict.SetAsString(u"Duplicate");
        return;
    }
    KeptInOrder.push_back(std::move(Extract));
    ++KeptCount;
    CaptionDirty = true;
}

void TScanRun::GaveUp(const TCompiledPattern& P, const AnsiString& Path, Int64 FileLine, Int64 Line,
                      const AnsiString& Reason)
{
    if (!GaveUpOn.emplace(&P, Path).second) return;
    // The line as the file counts it, and as the grid's Line# column does.
    Log("Pattern \"" + P.Parsed.Name + "\" gave up on line " + IntToStr(FileLine) + " of " + Path + " (Line# " +
        IntToStr(Line) + "): " + Reason + "; taken as no match there.");
}

void TScanRun::Pump(unsigned Calls, bool Now)
{
    // Even reading the clock costs more than a pattern test on a short line.
    const unsigned Before = PumpCalls;
    PumpCalls += Calls;
    if (!Now && Before / ClockCheckEvery == PumpCalls / ClockCheckEvery) return;
    const Int64 Ms = MonotonicMilliseconds();
    if (Ms - LastPumpMs < PumpIntervalMs) return;
    LastPumpMs = Ms;
    // The first progress is shown as soon as there is any.
    if (Pumps++ % RefreshEvery == 0 || ShownPosition < 0) FlushToWindow();
    Application->ProcessMessages();
}

// The bar's position from the bytes read so far; asked for only when the
// window is about to show it, which gives what every piece would have shown.
int TScanRun::Progress() const
{
    const Int64 Done = FinishedBytes + (Reading ? FilePosition : 0);
    if (TotalInputBytes <= 0) return 0;
    const int P = static_cast<int>(static_cast<double>(Done) / static_cast<double>(TotalInputBytes) * 1000.0f);
    return std::clamp(P, 0, 1000);
}

void TScanRun::FlushToWindow()
{
    if (LineCounter > 0) {
        const int Position = Progress();
        if (Position != ShownPosition) {
            ShownPosition = Position;
            Form->ProgressBar1->SetPosition(Position);
            Form->SetCaption("Quillmote - Scan: " + IntToStr(Form->ProgressBar1->GetPosition() / 10) + "%");
        }
    }
    if (ShownFinal < KeptInOrder.size()) {
        Form->RichEdit5->GetLines()->AddStrings(std::span<const AnsiString>(KeptInOrder).subspan(ShownFinal));
        ShownFinal = KeptInOrder.size();
    }
    if (!PendingLog.empty()) {
        Form->RichEdit2->GetLines()->AddStrings(PendingLog);
        PendingLog.clear();
    }
    if (CaptionDirty) {
        Form->TabSheet6->SetCaption("Final Matches (" + IntToStr(DuplicateList->GetCount() + KeptCount) + ")");
        CaptionDirty = false;
    }
}

// The duplicate list gets the scan's kept extracts in one go, sorted once.
void TScanRun::KeepDuplicateList()
{
    if (KeptInOrder.empty()) return;
    // The kept extracts in the order the list sorts them (case-folded code
    // points, equal ones as they came), found on their folded keys, whose
    // bytes order as the code points do: the list then finds itself in order,
    // and sorts itself again only where bytes the keys keep as they are
    // (invalid UTF-8) order otherwise. The workers are done by now, so their
    // processors sort (the plain scan's on one). The list takes each extract's
    // string as it is, so that nothing is copied and nothing adds to the peak.
    const int Threads = !ScanSpeedUps ? 1 : ScanWorkers > 0 ? ScanWorkers : WorkerCount();
    const std::vector<std::size_t> Order = Kept.SortedOrder(Threads);
    Kept.Clear();
    const bool WasSorted = DuplicateList->GetSorted();
    DuplicateList->BeginUpdate();
    DuplicateList->SetSorted(false);
    for (std::size_t N = 0; N < Order.size(); ++N) {
        // The strings are read in another order than they were kept: ask for them ahead.
        if (N + LookAhead < Order.size() && Order[N + LookAhead] < KeptInOrder.size())
            __builtin_prefetch(&KeptInOrder[Order[N + LookAhead]]);
        const std::size_t I = Order[N];
        if (I >= KeptInOrder.size()) continue; // its key kept, its extract lost to a failure in Judge
        DuplicateList->AddMoved(std::move(KeptInOrder[I]));
    }
    DuplicateList->SetSorted(WasSorted);
    DuplicateList->EndUpdate();
    KeptCount = 0;
    KeptInOrder.clear();
    ShownFinal = 0;
}

void TScanRun::Finish(TEnd End)
{
    FlushToWindow();
    Form->RestoreAfterScan();
    switch (End) {
    case enCompleted: {
        Form->Label4->SetCaption("Scan Complete.");
        Int64 Seconds = (MonotonicMilliseconds() - StartMs) / 1000;
        if (Seconds == 0) Seconds = 1;
        const float Rate = static_cast<float>(LineCounter) / static_cast<float>(Seconds);
        TStrings* Log = Form->RichEdit2->GetLines();
        Log->Add("Scan Complete, found " + IntToStr(DuplicateList->GetCount()) + " matches.");
        Log->Add("Processed " + IntToStr(LineCounter) + " lines in " + IntToStr(Seconds) + " second(s) (" +
                 FloatToStrF(Rate, ffFixed, 15, 2) + " lines/sec).");
        if (Form->Autoswitch1->GetChecked()) Form->PageControl1->SetActivePageIndex(3);
        break;
    }
    case enCancelled:
        Form->RichEdit2->GetLines()->Add("Scan Cancelled!");
        Form->Label4->SetCaption("Scan Cancelled.");
        break;
    case enMissingFile:
    case enGoingOn:
        Form->Label4->SetCaption("Ready.");
        Form->PageControl1->SetActivePageIndex(0);
        break;
    }
}

// ---- The window's side ----------------------------------------------------------

void TForm1::SetScanControlsEnabled(bool Enabled)
{
    for (TWinControl* C :
         std::initializer_list<TWinControl*>{RichEdit9, RichEdit3, RichEdit4, BitBtn5, BitBtn2, BitBtn6, BitBtn4})
        C->SetEnabled(Enabled);
}

void TForm1::RestoreAfterScan()
{
    BitBtn3->SetEnabled(true);
    BitBtn3->SetVisible(false);
    BitBtn1->SetVisible(true);
    SetCaption("Quillmote");
    ProgressBar1->SetPosition(0);
    SetScanControlsEnabled(true);
    ProgressBar1->SetVisible(false);
    ScanningFlag = false;
}

bool TForm1::PassesStartCheck()
{
    TStrings* Lines = RichEdit3->GetLines();
    const int Count = Lines->GetCount();
    if (Count == 1) {
        try {
            regex->SetRegEx(ScanPatterns::ParsePatternLine(Lines->Get(0), 1).Pattern);
            regex->Compile();
            return true;
        } catch (const Exception&) {
            return false;
        }
    }
    for (int I = 0; I < Count; ++I)
        if (!ScanPatterns::ParsePatternLine(Lines->Get(I), I + 1).Comment) return true;
    return false;
}

void TForm1::BitBtn1Click(TObject*)
{
    if (RichEdit9->GetLines()->GetCount() == 0) return;
    ScanningFlag = true;
    CancelFlag = false;
    RichEdit2->Clear();
    GxGrid1->ClearRows();
    RichEdit5->Clear();
    // Its window made while the list is empty: made later, over the scan's
    // lines, it would lay out every one of them at once.
    RichEdit5->HandleNeeded();
    DuplicateList->Clear();
    TabSheet6->SetCaption("Final Matches");
    Label4->SetCaption("Scan Progress:");
    ProgressBar1->SetVisible(true);
    SetScanControlsEnabled(false);
    BitBtn1->SetVisible(false);
    BitBtn3->SetVisible(true);
    bool Passed;
    try {
        Passed = PassesStartCheck();
    } catch (...) {
        RestoreAfterScan();
        Label4->SetCaption("Ready.");
        throw;
    }
    if (!Passed) {
        ShowMessage("Please make sure you have entered some extract patterns");
        PageControl1->SetActivePageIndex(1);
        RestoreAfterScan();
        Label4->SetCaption("Ready.");
        return;
    }
    TScanRun(this).Execute();
}

void TForm1::BitBtn3Click(TObject*)
{
    CancelFlag = true;
}

} // namespace Unit1
