// bench/grid_view_bench.cpp
// The grid control's geometry, counting and scrolling over the test
// storage (tests/grid/GridStorage), offscreen: each question timed with the
// view at the top, in the middle and at the end of 10,000 and 1,000,000
// rows, all shown, every other row hidden, or all but the first and last 500
// hidden. Each time is the median of 20 runs of a batch of calls (about
// 200 µs each); the ratio
// 1,000,000 : 10,000 must stay at most 2, as the cost follows the rows in
// view, not the rows held.
#include "platform/controls/Forms.h"
#include "tests/grid/GridStorage.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace GridStorage;

namespace {

class TBenchColumn : public TGxCustomColumn {
public:
    QM_CLASS(TBenchColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
};

struct TPattern {
    const char* Name;
    std::function<bool(int Row, int Rows)> Shown;
};
const TPattern Patterns[] = {{"all shown", [](int, int) { return true; }},
                             {"every other hidden", [](int R, int) { return R % 2 == 0; }},
                             {"ends only", [](int R, int N) { return R < 500 || R >= N - 500; }}};
const char* const Views[] = {"top", "middle", "end"};

struct TQuestion {
    const char* Name;
    std::function<void(TStorageGrid* G, int Rows)> Ask;
};

// The rows in view from the top, every cell's rectangle of each: what a
// caller does with the row a cheap question answers.
void WalkView(TStorageGrid* G)
{
    const int Count = G->GetVisibleCount(false);
    const int Cols = G->GetColumns()->GetCount();
    int Row = G->GetFirstVisible(G->GetFirstRowInView());
    for (int I = 0; I < Count && Row >= 0; ++I, Row = G->GetNextOnScreen(Row))
        for (int C = 0; C < Cols; ++C)
            G->GetCellRect(C, Row);
}

// Each question leaves the view where it found it.
std::vector<TQuestion> Questions()
{
    const auto Back = [](TStorageGrid* G, int Position) { G->GetVertScrollBar()->SetPosition(Position); };
    return {
        {"GetRowTop (last row)", [](TStorageGrid* G, int N) { G->GetRowTop(N - 1); }},
        {"GetRowRect (last row)", [](TStorageGrid* G, int N) { G->GetRowRect(N - 1); }},
        {"GetCellRect (last row)", [](TStorageGrid* G, int N) { G->GetCellRect(4, N - 1); }},
        {"GetCellTop (last row)", [](TStorageGrid* G, int N) { G->GetCellTop(4, N - 1); }},
        {"GetVisibleCount (backward)", [](TStorageGrid* G, int) { G->GetVisibleCount(true); }},
        {"GetLastRowInView", [](TStorageGrid* G, int) { G->GetLastRowInView(G->GetVisibleCount(false)); }},
        {"IsRowInView", [](TStorageGrid* G, int) { G->IsRowInView(); }},
        {"GetVertMax", [](TStorageGrid* G, int) { G->GetVertMax(); }},
        {"GetRowsInRange (all)", [](TStorageGrid* G, int N) { G->GetRowsInRange(0, N - 1); }},
        // Alone these take tens of nanoseconds, where cache misses outweigh
        // the rows walked; each is timed as it is used, with the view after it.
        {"GetFirstVisible (middle), view walk",
         [](TStorageGrid* G, int N) {
             G->GetFirstVisible(N / 2 + 1);
             WalkView(G);
         }},
        {"GetLastVisible (middle), view walk",
         [](TStorageGrid* G, int N) {
             G->GetLastVisible(N / 2 + 1);
             WalkView(G);
         }},
        {"GetVertOffset (jump of half, back)",
         [Back](TStorageGrid* G, int) {
             const int P = G->GetVertScrollBar()->GetPosition(), Max = G->GetVertScrollBar()->GetMax();
             Back(G, P < Max / 2 ? P + Max / 2 : P - Max / 2);
             Back(G, P);
         }},
        {"ScrollToRow (first and last, back)",
         [Back](TStorageGrid* G, int N) {
             const int P = G->GetVertScrollBar()->GetPosition();
             G->ScrollToRow(0);
             G->ScrollToRow(N - 1);
             Back(G, P);
         }},
        {"ScrollRows (a quarter)", [](TStorageGrid* G, int N) { G->ScrollRows(G->GetFirstRowInView(), N / 4); }},
    };
}

constexpr int Runs = 20;

// Times[size][question][pattern][view], seconds per call.
using TTimes = std::vector<std::vector<std::vector<std::vector<double>>>>;

TOwned<TStorageGrid> MakeGrid(int Rows)
{
    TOwned<TStorageGrid> Grid(New<TStorageGrid>(nullptr));
    Grid->SetOptions({goHeader, goGrid});
    Grid->SetBounds(0, 0, 800, 600);
    for (int C = 0; C < 5; ++C)
        Grid->GetColumns()->Add(ColumnClass<TBenchColumn>, u"");
    Grid->AddRow(Rows);
    return Grid;
}

// Both sizes side by side, their runs taking turns, so that a change in the
// machine's load reaches both alike.
TTimes Measure(const std::array<int, 2>& Sizes)
{
    const std::vector<TQuestion> Qs = Questions();
    TTimes Times(2, std::vector(Qs.size(), std::vector(std::size(Patterns), std::vector<double>(3))));
    std::array<TOwned<TStorageGrid>, 2> Grids{MakeGrid(Sizes[0]), MakeGrid(Sizes[1])};
    for (std::size_t P = 0; P < std::size(Patterns); ++P) {
        for (int S = 0; S < 2; ++S) {
            for (int R = 0; R < Sizes[S]; ++R)
                Grids[S]->GetStore()->ShowRow(R, Patterns[P].Shown(R, Sizes[S]));
            Grids[S]->GetVertScrollBar()->First();
            Grids[S]->UpdateVertScrollBar();
        }
        for (int V = 0; V < 3; ++V) {
            for (const TOwned<TStorageGrid>& G : Grids) {
                const int Max = G->GetVertScrollBar()->GetMax();
                G->GetVertScrollBar()->SetPosition(V == 0 ? 0 : V == 1 ? Max / 2 : Max);
                G->SetSelectedRow(G->GetFirstRowInView() + 2);
            }
            for (std::size_t Q = 0; Q < Qs.size(); ++Q) {
                // A batch long enough for the clock: about 200 µs.
                const auto Time = [&](int S, int Calls) {
                    const auto Start = std::chrono::steady_clock::now();
                    for (int I = 0; I < Calls; ++I)
                        Qs[Q].Ask(Grids[S].get(), Sizes[S]);
                    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count() / Calls;
                };
                std::array<int, 2> Batch;
                for (int S = 0; S < 2; ++S)
                    Batch[S] = std::clamp(int(200e-6 / std::max(Time(S, 10), 1e-9)), 10, 100000);
                std::array<std::vector<double>, 2> Samples;
                for (int Run = 0; Run < Runs; ++Run)
                    for (int S = 0; S < 2; ++S)
                        Samples[S].push_back(Time(S, Batch[S]));
                for (int S = 0; S < 2; ++S) {
                    std::nth_element(Samples[S].begin(), Samples[S].begin() + Runs / 2, Samples[S].end());
                    Times[S][Q][P][V] = Samples[S][Runs / 2];
                }
            }
        }
    }
    return Times;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    const TTimes Times = Measure({10000, 1000000});
    const auto& Small = Times[0];
    const auto& Large = Times[1];
    const std::vector<TQuestion> Qs = Questions();
    double Worst = 0;
    std::printf("%-36s %-20s %-7s %10s %10s %7s\n", "question", "rows", "view", "10,000", "1,000,000", "ratio");
    for (std::size_t Q = 0; Q < Qs.size(); ++Q)
        for (std::size_t P = 0; P < std::size(Patterns); ++P)
            for (int V = 0; V < 3; ++V) {
                const double Ratio = Large[Q][P][V] / Small[Q][P][V];
                Worst = std::max(Worst, Ratio);
                std::printf("%-36s %-20s %-7s %8.2f us %8.2f us %6.2fx\n", Qs[Q].Name, Patterns[P].Name, Views[V],
                            Small[Q][P][V] * 1e6, Large[Q][P][V] * 1e6, Ratio);
            }
    std::printf("largest ratio %.2f (at most 2 required)\n", Worst);
    platform::StopApplication();
    return Worst <= 2 ? 0 : 1;
}
