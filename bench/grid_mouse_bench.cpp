// bench/grid_mouse_bench.cpp
// The main window's grid under the pointer, offscreen, at 10,000 and
// 1,000,000 rows, all shown or all but the first and last 500 hidden, the
// view in the middle of the rows on screen. Each time is the median of 20
// runs: a pointer move (a sweep of moves across the body at fixed points,
// per move), a wheel step (down and back up, each with the repaint it
// asks for, per step) and a header click on "Match:" (a sort, then a
// reversal, per click). Moves and wheel steps may cost at most twice as
// much at 1,000,000 rows as at 10,000, as hit tests walk only the rows in
// view. Then a double click on the splitter of "Match:" (fitting it to its
// cells, which measures every row on screen), once per size.
#include "bench/MainWindowGrid.h"
#include "platform/testing/TestDriving.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace GxGrid;
using namespace platform::test;

namespace {

constexpr int Runs = 20;
constexpr int MatchColumn = 2;

double Seconds(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

double Median(std::vector<double> Samples)
{
    std::nth_element(Samples.begin(), Samples.begin() + Samples.size() / 2, Samples.end());
    return Samples[Samples.size() / 2];
}

void Fill(TGxGrid* Grid, int N, bool EndsOnly)
{
    Grid->BeginUpdate();
    Grid->AddRow(N);
    for (int Row = 0; Row < N; ++Row) {
        Grid->GetCell(0, Row).SetAsString(u"/home/user/corpus/part-07.txt");
        Grid->GetCell(1, Row).SetAsString(Utf8ToWide(IntToStr((Row * 7919) % N + 1)));
        Grid->GetCell(2, Row).SetAsString(Utf8ToWide("user" + IntToStr(std::int64_t(Row) * 104729 % 99991) + "@example.org"));
        Grid->GetCell(3, Row).SetAsString(u"E-mail");
        Grid->GetCell(4, Row).SetAsString(Row % 5 ? u"" : u"Duplicate");
        if (EndsOnly && Row >= 500 && Row < N - 500) Grid->SetRowVisible(Row, false);
    }
    Grid->EndUpdate();
    const int Max = Grid->GetVertScrollBar()->GetMax();
    Grid->GetVertScrollBar()->SetPosition(Max / 2);
    PaintNow(Grid);
}

// Seconds per call of Step, the median of Runs batches of Calls calls.
double Time(int Calls, const std::function<void(int)>& Step)
{
    std::vector<double> Samples;
    for (int Run = 0; Run < Runs; ++Run) {
        const auto Start = std::chrono::steady_clock::now();
        for (int I = 0; I < Calls; ++I)
            Step(I);
        Samples.push_back(Seconds(Start) / Calls);
    }
    return Median(Samples);
}

struct TFigures {
    double Move = 0, Wheel = 0, Click = 0, Fit = 0;
};

TFigures Measure(TForm* Form, int N, bool EndsOnly)
{
    TGxGrid* Grid = MakeMainWindowGrid(Form);
    Fill(Grid, N, EndsOnly);
    TFigures F;
    // Fixed points over the body: 8 columns by 12 rows of the view.
    const TRect Body = Grid->GetBodyRect();
    std::vector<TPoint> Points;
    for (int Y = 0; Y < 12; ++Y)
        for (int X = 0; X < 8; ++X)
            Points.emplace_back(Body.Left + 3 + X * (Body.Width() - 6) / 8,
                                Body.Top + 3 + Y * (Body.Height() - 6) / 12);
    F.Move =
        Time(int(Points.size()), [&](int I) { MouseMove(Grid, Points[std::size_t(I)].X, Points[std::size_t(I)].Y); });
    const TPoint Mid(Body.Left + Body.Width() / 2, Body.Top + Body.Height() / 2);
    F.Wheel = Time(20, [&](int I) {
        MouseWheel(Grid, Mid.X, Mid.Y, I % 2 ? 120 : -120);
        PaintNow(Grid);
    });
    TGxCustomColumn* Match = Grid->GetColumns()->GetItem(MatchColumn);
    const TPoint Header(Match->GetAbsoluteLeft() + 20, Grid->GetHeaderSize() / 2);
    F.Click = Time(2, [&](int) {
        Click(Grid, Header.X, Header.Y);
        PaintNow(Grid);
    });
    const TPoint Splitter(Match->GetAbsoluteLeft() + Match->GetWidth() - 1, Header.Y);
    MouseMove(Grid, Splitter.X, Splitter.Y);
    Match->SetWidth(60);
    MouseMove(Grid, Match->GetAbsoluteLeft() + Match->GetWidth() - 1, Header.Y);
    const auto Start = std::chrono::steady_clock::now();
    DoubleClick(Grid, Match->GetAbsoluteLeft() + Match->GetWidth() - 1, Header.Y);
    F.Fit = Seconds(Start);
    if (Match->GetWidth() == 60) std::printf("grid_mouse_bench: the splitter's double click did not fit\n");
    Free(Grid);
    return F;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    TForm* Form = MakeMainWindowForm();
    ActivateWindow(Form);
    const std::array<int, 2> Sizes{10000, 1000000};
    double Worst = 0;
    std::printf("%-24s %-10s %12s %12s %12s %12s\n", "rows", "size", "move", "wheel step", "header click",
                "splitter fit");
    for (const bool EndsOnly : {false, true}) {
        std::array<TFigures, 2> F;
        for (int S = 0; S < 2; ++S) {
            F[S] = Measure(Form, Sizes[S], EndsOnly);
            std::printf("%-24s %-10d %9.2f us %9.2f us %9.2f ms %9.2f ms\n",
                        EndsOnly ? "all but 1,000 hidden" : "all shown", Sizes[S], F[S].Move * 1e6, F[S].Wheel * 1e6,
                        F[S].Click * 1e3, F[S].Fit * 1e3);
        }
        Worst = std::max({Worst, F[1].Move / F[0].Move, F[1].Wheel / F[0].Wheel});
        std::printf("%-24s ratio      %11.2fx %11.2fx %11.2fx %11.2fx\n", "", F[1].Move / F[0].Move,
                    F[1].Wheel / F[0].Wheel, F[1].Click / F[0].Click, F[1].Fit / F[0].Fit);
    }
    std::printf("largest ratio of moves and wheel steps %.2f (at most 2 required)\n", Worst);
    Free(Form);
    platform::StopApplication();
    return Worst <= 2 ? 0 : 1;
}
