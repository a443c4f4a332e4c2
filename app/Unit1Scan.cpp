// Start Scan and Stop Scan: every listed file read in pieces of at most 4,998
// bytes, each piece tested against every match pattern, each extract against
// the reject patterns, the survivors kept in the final list.
//
// The scan runs on the user-interface thread and pumps messages while it
// works. Its results are those of testing every pattern on every piece, but
// it compiles each pattern once per scan, pumps at most every 2 ms, and
// hands the window its progress, caption and new final-list lines every
// 100 ms (and whenever it writes to the log) rather than after every piece.
#include "app/PieceFilter.h"
#include "app/PieceReader.h"
#include "app/ScanSpeed.h"
#include "app/Unit1.h"
#include "platform/rtl/Codec.h"

#include <memory>
#include <pcre.h>
#include <set>
#include <sys/stat.h>
#include <unordered_set>
#include <vector>

namespace Unit1 {

bool ScanSpeedUps = true;

using namespace PieceReader;
using PieceFilter::TPieceFilter;

namespace {

constexpr Int64 PumpIntervalMs = 2;      // Stop and the menus answer within this
constexpr Int64 RefreshIntervalMs = 100; // progress, caption and final list follow at this pace
constexpr unsigned ClockCheckEvery = 16; // pump calls between looks at the clock

// One line of a pattern list, read by the pattern-line syntax.
struct TPatternLine {
    bool Comment = false; // begins with "$$"
    AnsiString Name;
    AnsiString Pattern;
    WideString WideName; // as the grid's cells take it
};

TPatternLine ParsePatternLine(const AnsiString& Line, int Position)
{
    TPatternLine P;
    if (Line.size() >= 2 && Line[0] == '$' && Line[1] == '$') {
        P.Comment = true;
    } else if (!Line.empty() && Line[0] == '$') {
        // The colon is looked for in every character but the last.
        const auto Colon = Line.find(':');
        if (Colon != AnsiString::npos && Colon + 1 < Line.size()) {
            P.Name = Line.substr(1, Colon - 1);
            P.Pattern = Line.substr(Colon + 1);
        }
    } else {
        P.Name = "Regex #" + IntToStr(Position);
        P.Pattern = Line;
    }
    P.WideName = Utf8ToWide(P.Name);
    return P;
}

// The JIT stack of the calling thread: it grows on demand up to the
// component's bound, as the component's own does.
pcre_jit_stack* ThreadJitStack()
{
    struct TStack {
        pcre_jit_stack* Stack = pcre_jit_stack_alloc(32 * 1024, TPcreRegex::JitStackLimit);
        ~TStack()
        {
            if (Stack) pcre_jit_stack_free(Stack);
        }
    };
    thread_local TStack S;
    return S.Stack;
}

// A pattern of a list, compiled once; one that does not compile matches nothing.
struct TCompiledPattern {
    AnsiString Line; // the list line it was made from
    TPatternLine Parsed;
    std::unique_ptr<TPcreRegex, FreeDeleter> Regex;
    bool Jit = false; // PCRE made JIT code for it: the scan may call it directly
    TPieceFilter Filter;

    // The leftmost match in Text into Extract; false for none. EPcreRegexError
    // when PCRE gave up, as the component reports it.
    bool Matches(std::string_view Text, AnsiString& Extract)
    {
        if (!Regex) return false;
        if (!ScanSpeedUps || !Jit) {
            Regex->SetSubject(AnsiString(Text));
            if (!Regex->Match()) return false;
            Extract = Regex->GetMatchedExpression();
            return true;
        }
        // The component's search without its subject copy and NUL search:
        // the text ends at its first NUL already, and is far shorter than
        // PCRE's limit.
        int Offsets[3];
        pcre_jit_stack* Stack = ThreadJitStack();
        if (!Stack) throw EPcreRegexError(TPcreRegex::FailureReason(PCRE_ERROR_NOMEMORY, Offsets), PCRE_ERROR_NOMEMORY);
        const int Rc = pcre_jit_exec(Regex->GetCompiledPattern(), Regex->GetStudyData(), Text.data(),
                                     static_cast<int>(Text.size()), 0, PCRE_NOTEMPTY, Offsets, 3, Stack);
        if (Rc == PCRE_ERROR_NOMATCH) return false;
        if (Rc < 0) throw EPcreRegexError(TPcreRegex::FailureReason(Rc, Offsets), Rc);
        // 0: more groups than the offsets hold; the whole match is there.
        const int Length = Offsets[1] - Offsets[0];
        if (Length > 0)
            Extract.assign(Text.data() + Offsets[0], static_cast<std::size_t>(Length));
        else
            Extract.clear();
        return true;
    }
};

// The compiled patterns of one list, remade only for lines whose text changed.
class TPatternCache {
public:
    void Refresh(TStrings* Lines)
    {
        const int Count = Lines->GetCount();
        FPatterns.resize(static_cast<std::size_t>(Count));
        for (int I = 0; I < Count; ++I) {
            TCompiledPattern& P = FPatterns[static_cast<std::size_t>(I)];
            const AnsiString Line = Lines->Get(I);
            if (P.Regex && P.Line == Line) continue;
            P.Line = Line;
            P.Parsed = ParsePatternLine(Line, I + 1);
            P.Regex.reset();
            if (P.Parsed.Comment || P.Parsed.Pattern.empty()) continue;
            auto R = std::unique_ptr<TPcreRegex, FreeDeleter>(New<TPcreRegex>(nullptr));
            try {
                R->SetRegEx(P.Parsed.Pattern);
                R->Compile();
                R->Study();
                // The direct call skips the check of the subject's UTF-8 that
                // makes a (*UTF8) pattern give up on bad bytes: those stay
                // with the component.
                int Jit = 0;
                unsigned long Options = 0;
                P.Jit = pcre_fullinfo(R->GetCompiledPattern(), R->GetStudyData(), PCRE_INFO_JIT, &Jit) == 0 && Jit &&
                        pcre_fullinfo(R->GetCompiledPattern(), nullptr, PCRE_INFO_OPTIONS, &Options) == 0 &&
                        !(Options & PCRE_UTF8);
                P.Filter.Learn(R->GetCompiledPattern(), R->GetStudyData());
                P.Filter.LearnFromText(P.Parsed.Pattern);
                P.Regex = std::move(R);
            } catch (const Exception&) {
                // A pattern that does not compile is skipped without a word.
            }
        }
    }
    std::size_t Count() const { return FPatterns.size(); }
    TCompiledPattern& operator[](std::size_t I) { return FPatterns[I]; }

private:
    std::vector<TCompiledPattern> FPatterns;
};

} // namespace

// The state of one running scan.
class TScanRun {
public:
    explicit TScanRun(TForm1* AForm) : Form(AForm) {}

    // The whole scan after the start check; restores the window on every end.
    void Execute();

private:
    enum TEnd { enCompleted, enCancelled, enMissingFile };

    TEnd ScanFiles();
    TEnd ScanFile(const AnsiString& Path);
    bool TestPiece(const AnsiString& Path, std::string_view Piece); // false: cancelled
    bool Matches(TCompiledPattern& P, const AnsiString& Path, std::string_view Text, AnsiString& Extract);
    void RecordExtract(const AnsiString& Path, const AnsiString& Extract, const TPatternLine& FoundBy);
    // Writes the verdict into the extract's row, wherever a sort has put it; a
    // row that has gone since (the grid cleared) is left alone.
    static void Mark(TCell& Cell, const WideString& Text);
    bool Rejects(const AnsiString& Path, const AnsiString& Extract, AnsiString& RejectedBy);
    void Pump();
    int Progress() const;
    void FlushToWindow();
    // Log lines reach the log in batches, with the final list's.
    void Log(AnsiString Line) { PendingLog.push_back(std::move(Line)); }
    void KeepDuplicateList();
    Int64 TotalSize();
    void Finish(TEnd End);

    TForm1* Form;
    TPatternCache Includes, Excludes;
    Int64 LineCounter = 0;
    Int64 FileLineCounter = 0; // the same count within the file being read
    Int64 FinishedBytes = 0;
    TPieceReader Reader;
    WideString WidePath; // the file being read, as the grid's cells take it
    bool Reading = false;
    Int64 StartMs = 0;
    Int64 LastPumpMs = 0;
    Int64 LastRefreshMs = 0;
    unsigned PumpCalls = 0;
    int ShownPosition = -1;
    bool KeepAll = false; // Remove Duplicates is off
    std::unordered_set<AnsiString> Kept;
    std::vector<AnsiString> KeptInOrder;
    std::size_t ShownFinal = 0;         // KeptInOrder before this is in the final list
    std::vector<AnsiString> PendingLog; // log lines not yet in the log
    int KeptCount = 0;
    bool CaptionDirty = false;
    std::set<std::pair<const TCompiledPattern*, AnsiString>> GaveUp; // logged once per pattern and file
    AnsiString RejectMatch;                                          // what a reject pattern matched, unused
    AnsiString Found;               // the last match, its string kept from extract to extract
    const char* BlockEnd = nullptr; // the reader's block holding the piece being tested
    unsigned BlockNumber = 0;
};

void TScanRun::Execute()
{
    LineCounter = 0;
    FinishedBytes = 0;
    StartMs = MonotonicMilliseconds();
    StartTime = Now();
    KeepAll = DuplicateList->GetDuplicates() == dupAccept;
    TotalInputBytes = TotalSize();
    TEnd End;
    try {
        End = ScanFiles();
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
    TStrings* Files = Form->RichEdit9->GetLines();
    const int Count = Files->GetCount();
    for (int I = 0; I < Count; ++I) {
        const AnsiString Path = Files->Get(I);
        if (FileExists(Path)) Total += std::max<Int64>(0, FileSizeOf(Path));
    }
    return Total;
}

TScanRun::TEnd TScanRun::ScanFiles()
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
    Reading = true;
    WidePath = Utf8ToWide(Path);
    Log("Opened " + Path + "...\nScanning...");
    // The lists cannot change while a scan runs (their controls are disabled),
    // so their patterns are compiled once per file.
    Includes.Refresh(Form->RichEdit3->GetLines());
    Excludes.Refresh(Form->RichEdit4->GetLines());
    AnsiString Copy; // one string for every piece when pieces are copied
    Copy.reserve(MaxPieceBytes);
    std::string_view Piece;
    FileLineCounter = 0;
    while (ScanSpeedUps ? Reader.Next(Piece) : Reader.Next(Copy)) {
        ++LineCounter;
        ++FileLineCounter;
        if (ScanSpeedUps) {
            if (Reader.GetBlockNumber() != BlockNumber || Reader.GetBlockEnd() != BlockEnd) {
                BlockNumber = Reader.GetBlockNumber();
                BlockEnd = Reader.GetBlockEnd();
                for (std::size_t J = 0; J < Includes.Count(); ++J)
                    Includes[J].Filter.Restart();
            }
        } else {
            Piece = Copy;
        }
        if (!TestPiece(Path, Piece)) {
            Reading = false;
            Reader.Close();
            return enCancelled;
        }
    }
    FinishedBytes += Reader.GetPosition();
    Reading = false;
    Reader.Close();
    FlushToWindow();
    Log("Closing " + Path + "...");
    return enCompleted;
}

// The bar's position from the bytes read so far; asked for only when the
// window is about to show it, which gives what every piece would have shown.
int TScanRun::Progress() const
{
    const Int64 Done = FinishedBytes + (Reading ? Reader.GetPosition() : 0);
    if (TotalInputBytes <= 0) return 0;
    const int P = static_cast<int>(static_cast<double>(Done) / static_cast<double>(TotalInputBytes) * 1000.0f);
    return std::clamp(P, 0, 1000);
}

bool TScanRun::TestPiece(const AnsiString& Path, std::string_view Piece)
{
    for (std::size_t J = 0; J < Includes.Count(); ++J) {
        Pump();
        if (CancelFlag) return false;
        TCompiledPattern& P = Includes[J];
        if (P.Parsed.Comment) continue;
        // A piece is run whole from its start, so the leftmost match stays the same.
        if (ScanSpeedUps && !P.Filter.MayMatch(Piece.data(), Piece.data() + Piece.size(), BlockEnd)) continue;
        if (!Matches(P, Path, Piece, Found)) continue;
        RecordExtract(Path, Found, P.Parsed);
    }
    return true;
}

void TScanRun::RecordExtract(const AnsiString& Path, const AnsiString& Extract, const TPatternLine& FoundBy)
{
    TGxGrid* Grid = Form->GxGrid1;
    Grid->AddRow(1);
    const int Row = Grid->GetRowCount() - 1;
    Grid->GetCell(0, Row).SetAsString(WidePath);
    Grid->GetCell(1, Row).SetAsString(Utf8ToWide(IntToStr(LineCounter)));
    Grid->GetCell(2, Row).SetAsString(Utf8ToWide(Extract));
    Grid->GetCell(3, Row).SetAsString(FoundBy.WideName);
    // The reject test pumps messages: the grid may be sorted meanwhile, and
    // the cell follows its row.
    TCell Verdict = Grid->GetCell(4, Row);
    AnsiString RejectedBy;
    if (Rejects(Path, Extract, RejectedBy)) {
        Mark(Verdict, Utf8ToWide(RejectedBy));
        return;
    }
    if (!KeepAll && !Kept.insert(FoldedKey(Extract)).second) {
        if (DuplicateList->GetDuplicates() == dupError) throw EStringListError("String list does not allow duplicates");
        Mark(Verdict, u"Duplicate");
        return;
    }
    KeptInOrder.push_back(Extract);
    ++KeptCount;
    CaptionDirty = true;
}

void TScanRun::Mark(TCell& Cell, const WideString& Text)
{
    TCells* Store = Cell.GetCells();
    if (Store->GetCellRowIndex(Cell) >= 0) Cell.SetAsString(Text);
}

// A pattern that gives up on a text (PCRE's limits) does not match it; the
// log says so once per pattern and file, so that the user learns of it.
bool TScanRun::Matches(TCompiledPattern& P, const AnsiString& Path, std::string_view Text, AnsiString& Match)
{
    try {
        return P.Matches(Text, Match);
    } catch (const EPcreRegexError& E) {
        if (GaveUp.emplace(&P, Path).second) {
            // The line as the file counts it, and as the grid's Line# column does.
            Log("Pattern \"" + P.Parsed.Name + "\" gave up on line " + IntToStr(FileLineCounter) + " of " + Path +
                " (Line# " + IntToStr(LineCounter) + "): " + E.Reason + "; taken as no match there.");
        }
        return false;
    }
}

bool TScanRun::Rejects(const AnsiString& Path, const AnsiString& Extract, AnsiString& RejectedBy)
{
    for (std::size_t K = 0; K < Excludes.Count(); ++K) {
        Pump();
        TCompiledPattern& P = Excludes[K];
        Pump();
        if (P.Parsed.Comment || !Matches(P, Path, Extract, RejectMatch)) continue;
        RejectedBy = P.Parsed.Name;
        return true;
    }
    return false;
}

void TScanRun::Pump()
{
    // Even reading the clock costs more than a pattern test on a short line.
    if (++PumpCalls % ClockCheckEvery != 0) return;
    const Int64 Ms = MonotonicMilliseconds();
    if (Ms - LastPumpMs < PumpIntervalMs) return;
    LastPumpMs = Ms;
    if (Ms - LastRefreshMs >= RefreshIntervalMs) {
        LastRefreshMs = Ms;
        FlushToWindow();
    }
    Application->ProcessMessages();
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
        TStrings* Final = Form->RichEdit5->GetLines();
        Final->BeginUpdate();
        for (; ShownFinal < KeptInOrder.size(); ++ShownFinal)
            Final->Add(KeptInOrder[ShownFinal]);
        Final->EndUpdate();
    }
    if (!PendingLog.empty()) {
        TStrings* Lines = Form->RichEdit2->GetLines();
        Lines->BeginUpdate();
        for (const auto& Line : PendingLog)
            Lines->Add(Line);
        Lines->EndUpdate();
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
    const bool WasSorted = DuplicateList->GetSorted();
    DuplicateList->BeginUpdate();
    DuplicateList->SetSorted(false);
    for (const auto& Extract : KeptInOrder)
        DuplicateList->Add(Extract);
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
            regex->SetRegEx(ParsePatternLine(Lines->Get(0), 1).Pattern);
            regex->Compile();
            return true;
        } catch (const Exception&) {
            return false;
        }
    }
    for (int I = 0; I < Count; ++I)
        if (!ParsePatternLine(Lines->Get(I), I + 1).Comment) return true;
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
