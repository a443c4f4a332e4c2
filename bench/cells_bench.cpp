// bench/cells_bench.cpp
// The cell store as the scan fills it: 100,000 and 1,000,000 rows of five
// text columns (scan-like texts, 16 characters on average), each row made by
// AddRow(1) and five SetAsString calls; then sorts (alphabetic,
// case-insensitive, numeric), a reversal, clearing and freeing. Beside it the
// same work on plain vectors: appending the texts to one vector per column,
// and a std::stable_sort of a row permutation applied to every column.
// Prints each phase at both sizes with their ratio, and the store's bytes
// per cell (resident growth ÷ cells, from the first round) with and without
// the text itself. Each time is the median of three rounds.
//
// Before that, what clearing and freeing give back: 1,000,000 rows filled
// while the program makes one small allocation every 16 rows and keeps it,
// as a scan does beside the grid; resident memory before, full and after.
// That comes first, before anything in the program trims the heap, so the
// figures show what the store gave back by itself. After the timings, trees: a 100,000-row
// chain and a balanced tree of as many rows, each built depth-first by
// appending, sorted and reversed against a flat store of as many rows.
#include "grid/GxCells.h"
#include "platform/controls/Forms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <numeric>
#include <string>

using namespace GxCells;

namespace {

// The grid as the columns and the store see it, and no more.
class TBenchGrid : public TComponent, public IGridHost {
public:
    using TComponent::TComponent;
    ~TBenchGrid() override { FreeAndNil(FColumns); }
    void AfterConstruction() override
    {
        TComponent::AfterConstruction();
        FColumns = New<TGxColumns>(this);
    }
    TFont* GetFont() const override { return FFont.get(); }
    TColor GetColor() const override { return clWindow; }
    TCursor GetCursor() const override { return crDefault; }
    TComponent* GetOwner() const override { return nullptr; }
    TGxColumns* GetColumns() const override { return FColumns; }
    bool IsLoading() const override { return false; }
    TRect GetBodyRect() override { return TRect(0, 20, 800, 600); }
    int GetInnerWidth() override { return 800; }
    int GetClientHeight() override { return 600; }
    TRect GetHeaderRect() override { return TRect(0, 0, 800, 20); }
    TRect GetInputRect() override { return TRect(); }
    TRect GetFooterRect() override { return TRect(); }
    int GetHorzScrollPos() override { return 0; }
    bool HasIndicator() const override { return false; }
    TGxCustomColumn* GetHeaderDownColumn() const override { return nullptr; }
    TGxCustomColumn* GetHoverColumn() const override { return nullptr; }
    int GetSelectedColumn() const override { return 0; }
    TColor GetActualCellColor(int, int) override { return clWindow; }
    TColor GetActualCellFontColor(int, int) override { return clWindowText; }
    bool IsCellHighlighted(int, int) override { return false; }
    void RefreshColumn(TGxCustomColumn*, TGridArea) override {}
    void SetOnUpdateColumns(const TNotifyEvent&) override {}

private:
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    TGxColumns* FColumns = nullptr;
};

class TBenchColumn : public TGxCustomColumn {
public:
    QM_CLASS(TBenchColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
};

constexpr int ColumnCount = 5;

// A fixed pseudo-random sequence, so that every run fills the same texts.
struct TRandom {
    std::uint32_t State = 12345;
    std::uint32_t Next(std::uint32_t Range)
    {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) % Range;
    }
};

// Every text of every row, in one block: what a scan hands the grid (file,
// line number, match, pattern name, rejecting pattern).
struct TTexts {
    WideString Pool;
    std::vector<std::uint32_t> Starts; // row * ColumnCount + column; one more at the end

    std::u16string_view At(std::size_t Row, int Col) const
    {
        const std::size_t I = Row * ColumnCount + std::size_t(Col);
        return std::u16string_view(Pool).substr(Starts[I], Starts[I + 1] - Starts[I]);
    }
};

TTexts MakeTexts(std::size_t Rows)
{
    static const char* const Names[] = {"E-mail address", "Web address", "Regex #3", "Phone number", "IPv4 address"};
    static const char* const Hosts[] = {"example.com", "Mail.Example.org", "post.net", "ACME.co.uk"};
    static const char* const Words[] = {"alpha", "Beta", "gamma", "delta", "Epsilon", "zeta", "eta", "Theta"};
    TRandom R;
    TTexts T;
    T.Starts.reserve(Rows * ColumnCount + 1);
    std::string Row[ColumnCount];
    for (std::size_t I = 0; I < Rows; ++I) {
        Row[0] = std::string("/home/data/d") + char('a' + R.Next(8)) + "/" + Words[R.Next(8)] +
                 std::to_string(R.Next(5000)) + ".txt";
        Row[1] = std::to_string(1 + R.Next(2000000));
        Row[2] = std::string(Words[R.Next(8)]) + "." + std::to_string(R.Next(100000)) + "@" + Hosts[R.Next(4)];
        Row[3] = Names[R.Next(5)];
        Row[4] = R.Next(3) == 0 ? "Duplicate" : R.Next(2) ? std::string("Rejected by ") + Words[R.Next(8)] : "";
        for (const std::string& Text : Row) {
            T.Starts.push_back(std::uint32_t(T.Pool.size()));
            T.Pool.append(Text.begin(), Text.end());
        }
    }
    T.Starts.push_back(std::uint32_t(T.Pool.size()));
    return T;
}

double Seconds(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

template <typename F> double Timed(F Work)
{
    const auto Start = std::chrono::steady_clock::now();
    Work();
    return Seconds(Start);
}

// The median of three rounds' Field, so that one disturbed round on a shared
// machine does not decide.
template <typename T> double MiddleOf(const T (&Rounds)[3], double T::*Field)
{
    double V[3] = {Rounds[0].*Field, Rounds[1].*Field, Rounds[2].*Field};
    std::sort(V, V + 3);
    return V[1];
}

long ResidentBytes()
{
    std::ifstream Status("/proc/self/statm");
    long Pages = 0, Resident = 0;
    Status >> Pages >> Resident;
    return Resident * 4096;
}

struct TPhases {
    double Fill, Baseline, Alpha, Folded, Numeric, Reverse, Clear, Free, BareSort, BytesPerCell, TextPerCell;
};

// A grid of five columns and its store.
struct TBenchStore {
    TBenchGrid* Grid = New<TBenchGrid>(nullptr);
    TCells* Cells;
    TBenchStore()
    {
        for (int C = 0; C < ColumnCount; ++C)
            Grid->GetColumns()->Add(ColumnClass<TBenchColumn>, u"Column");
        Cells = New<TCells>(Grid, Grid->GetColumns());
        for (int C = 0; C < ColumnCount; ++C)
            Cells->AddColumn();
    }
    ~TBenchStore()
    {
        if (Cells) Free(Cells);
        Free(Grid);
    }
    void SetRow(const TTexts& Texts, std::size_t From, int Row)
    {
        for (int C = 0; C < ColumnCount; ++C)
            Cells->GetCell(C, Row).SetAsString(Texts.At(From, C));
    }
};

// ---- Memory given back -----------------------------------------------------------

void PrintReturned(const char* What, long Before, long Full, long After)
{
    std::printf("%-28s %8.1f MB %8.1f MB %8.1f MB   %5.1f%% of the fill given back\n", What, Before / 1048576.0,
                Full / 1048576.0, After / 1048576.0, 100.0 * double(Full - After) / double(Full - Before));
}

void MemoryBack(const TTexts& Texts, std::size_t Rows)
{
    // Kept alive to the end, between the store's blocks.
    std::vector<std::unique_ptr<char[]>> Pins;
    Pins.reserve(2 * Rows / 16 + 2);
    TBenchStore Store;
    const auto Fill = [&] {
        for (std::size_t R = 0; R < Rows; ++R) {
            Store.Cells->AddRow(1);
            Store.SetRow(Texts, R, Store.Cells->GetRowCount() - 1);
            if (R % 16 == 0) Pins.push_back(std::make_unique<char[]>(100));
        }
    };
    std::printf("%-28s %11s %11s %11s\n", "1,000,000 rows, resident", "before", "full", "after");
    long Before = ResidentBytes();
    Fill();
    long Full = ResidentBytes();
    Store.Cells->ClearRows();
    PrintReturned("ClearRows", Before, Full, ResidentBytes());
    Before = ResidentBytes();
    Fill();
    Full = ResidentBytes();
    Free(Store.Cells);
    Store.Cells = nullptr;
    PrintReturned("freeing the store", Before, Full, ResidentBytes());
    std::printf("\n");
}

// ---- Trees -------------------------------------------------------------------------

struct TTreeTimes {
    double Sort, Reverse;
};

// Sorts by the matches, then reverses; MakeRows makes the rows.
template <typename Build> TTreeTimes TimeTree(const TTexts& Texts, Build MakeRows)
{
    TBenchStore Store;
    MakeRows(*Store.Cells);
    for (int R = 0; R < Store.Cells->GetRowCount(); ++R)
        Store.SetRow(Texts, std::size_t(R), R);
    TTreeTimes T;
    T.Sort = Timed([&] { Store.Cells->SortColumn(2, stAlphabetic, skAscending, true); });
    T.Reverse = Timed([&] { Store.Cells->SortColumn(2, stAlphabetic, skDescending, false); });
    return T;
}

// A complete binary tree of Count rows in depth-first order: row Node's
// children are nodes 2 Node + 1 and 2 Node + 2.
void AppendBalanced(TCells& Cells, int Node, int Parent, int Count)
{
    if (Node >= Count) return;
    if (Parent < 0)
        Cells.AddRow(1);
    else
        Cells.AddChildRow(Parent, Cells.GetRowCount());
    const int Row = Cells.GetRowCount() - 1;
    AppendBalanced(Cells, 2 * Node + 1, Row, Count);
    AppendBalanced(Cells, 2 * Node + 2, Row, Count);
}

void Trees(std::size_t Rows)
{
    const TTexts Texts = MakeTexts(Rows);
    const int N = int(Rows);
    const auto Flat = [N](TCells& Cells) { Cells.AddRow(N); };
    const auto Chain = [N](TCells& Cells) {
        Cells.AddRow(1);
        for (int R = 1; R < N; ++R)
            Cells.AddChildRow(R - 1, R);
    };
    const auto Balanced = [N](TCells& Cells) { AppendBalanced(Cells, 0, -1, N); };
    const auto Median = [&](auto MakeRows) {
        TTreeTimes Rounds[3];
        for (TTreeTimes& Round : Rounds)
            Round = TimeTree(Texts, MakeRows);
        return TTreeTimes{MiddleOf(Rounds, &TTreeTimes::Sort), MiddleOf(Rounds, &TTreeTimes::Reverse)};
    };
    const TTreeTimes F = Median(Flat), C = Median(Chain), B = Median(Balanced);
    std::printf("\n%-32s %12s %12s %14s %14s\n", "100,000 rows", "sort", "reverse", "sort ÷ flat", "reverse ÷ flat");
    for (const auto& [Name, T] : {std::pair{"flat", F}, std::pair{"chain", C}, std::pair{"balanced binary tree", B}})
        std::printf("%-32s %9.1f ms %9.1f ms %13.2fx %13.2fx\n", Name, T.Sort * 1e3, T.Reverse * 1e3, T.Sort / F.Sort,
                    T.Reverse / F.Reverse);
}

TPhases Run(std::size_t Rows)
{
    // Every round starts with the memory a fresh process has, as the scan
    // does: what earlier rounds freed goes back to the system first.
    ::malloc_trim(0);
    const TTexts Texts = MakeTexts(Rows);
    TPhases P{};
    TBenchStore Store;
    TCells* Cells = Store.Cells;
    // What making the texts freed must not pass for the store's memory.
    ::malloc_trim(0);
    const long Before = ResidentBytes();
    P.Fill = Timed([&] {
        for (std::size_t R = 0; R < Rows; ++R) {
            Cells->AddRow(1);
            const int Row = Cells->GetRowCount() - 1;
            for (int C = 0; C < ColumnCount; ++C)
                Cells->GetCell(C, Row).SetAsString(Texts.At(R, C));
        }
    });
    const double CellCount = double(Rows) * ColumnCount;
    P.BytesPerCell = double(ResidentBytes() - Before) / CellCount;
    P.TextPerCell = 2.0 * double(Texts.Pool.size()) / CellCount;

    P.Alpha = Timed([&] { Cells->SortColumn(2, stAlphabetic, skAscending, false); });
    P.Folded = Timed([&] { Cells->SortColumn(0, stCaseInsensitive, skAscending, false); });
    P.Numeric = Timed([&] { Cells->SortColumn(1, stNumeric, skAscending, false); });
    P.Reverse = Timed([&] { Cells->SortColumn(1, stNumeric, skDescending, false); });
    P.Clear = Timed([&] { Cells->ClearRows(); });
    // Freeing a full, sorted store.
    Cells->AddRow(int(Rows));
    for (std::size_t R = 0; R < Rows; ++R)
        Store.SetRow(Texts, R, int(R));
    Cells->SortColumn(2, stAlphabetic, skAscending, false);
    P.Free = Timed([&] { Free(Cells); });
    Store.Cells = nullptr;

    // The same texts appended to one vector per column, then sorted by a
    // permutation applied to rows and columns. They start from trimmed
    // memory as the store did, not from the pages earlier rounds freed.
    ::malloc_trim(0);
    std::vector<WideString> Columns[ColumnCount];
    P.Baseline = Timed([&] {
        for (std::size_t R = 0; R < Rows; ++R)
            for (int C = 0; C < ColumnCount; ++C)
                Columns[C].push_back(WideString(Texts.At(R, C)));
    });
    std::vector<std::uint32_t> RowIds(Rows);
    std::iota(RowIds.begin(), RowIds.end(), 0u);
    P.BareSort = Timed([&] {
        std::vector<std::u16string_view> Keys(Columns[2].begin(), Columns[2].end());
        std::vector<std::uint32_t> Order(Rows);
        std::iota(Order.begin(), Order.end(), 0u);
        std::stable_sort(Order.begin(), Order.end(),
                         [&](std::uint32_t A, std::uint32_t B) { return Keys[A] < Keys[B]; });
        std::vector<std::uint32_t> NewIds(Rows);
        for (std::size_t I = 0; I < Rows; ++I)
            NewIds[I] = RowIds[Order[I]];
        RowIds.swap(NewIds);
        for (auto& Column : Columns) {
            std::vector<WideString> Moved(Rows);
            for (std::size_t I = 0; I < Rows; ++I)
                Moved[I] = std::move(Column[Order[I]]);
            Column.swap(Moved);
        }
    });
    return P;
}

// Each phase's median of three rounds.
TPhases Median(std::size_t Rows)
{
    TPhases Rounds[3];
    for (TPhases& Round : Rounds)
        Round = Run(Rows);
    TPhases Out = Rounds[0];
    for (double TPhases::*Field :
         {&TPhases::Fill, &TPhases::Baseline, &TPhases::Alpha, &TPhases::Folded, &TPhases::Numeric, &TPhases::Reverse,
          &TPhases::Clear, &TPhases::Free, &TPhases::BareSort})
        Out.*Field = MiddleOf(Rounds, Field);
    return Out;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    MemoryBack(MakeTexts(1000000), 1000000);
    const TPhases Small = Median(100000), Large = Median(1000000);
    struct TLine {
        const char* Name;
        double TPhases::*Field;
    };
    const TLine Lines[] = {{"fill (AddRow + 5 SetAsString)", &TPhases::Fill},
                           {"append to vectors (baseline)", &TPhases::Baseline},
                           {"sort alphabetic", &TPhases::Alpha},
                           {"sort case-insensitive", &TPhases::Folded},
                           {"sort numeric", &TPhases::Numeric},
                           {"reverse", &TPhases::Reverse},
                           {"bare stable_sort (baseline)", &TPhases::BareSort},
                           {"clear", &TPhases::Clear},
                           {"free", &TPhases::Free}};
    std::printf("%-32s %12s %12s %8s\n", "phase", "100,000", "1,000,000", "ratio");
    for (const TLine& L : Lines)
        std::printf("%-32s %10.1f ms %10.1f ms %7.2fx\n", L.Name, Small.*L.Field * 1e3, Large.*L.Field * 1e3,
                    Large.*L.Field / (Small.*L.Field));
    for (const TPhases* P : {&Small, &Large})
        std::printf("%s rows: %.1f bytes per cell, %.1f beyond its text (%.1f bytes of text)\n",
                    P == &Small ? "100,000" : "1,000,000", P->BytesPerCell, P->BytesPerCell - P->TextPerCell,
                    P->TextPerCell);
    std::printf("fill rate against the vectors: %.2f; sort against stable_sort: %.2f; growth against its growth: %.2f;"
                " clear against fill: %.2f, free against fill: %.2f\n",
                Large.Baseline / Large.Fill, Large.Alpha / Large.BareSort,
                (Large.Alpha / Small.Alpha) / (Large.BareSort / Small.BareSort), Large.Clear / Large.Fill,
                Large.Free / Large.Fill);
    Trees(100000);
    platform::StopApplication();
    return 0;
}
