// bench/grid_rows.cpp
// The main window's grid as the scan fills it: a shown TGxGrid offscreen,
// the window's five text columns at its size, appending N rows of short
// texts (AddRow(1) and five SetAsString, no BeginUpdate) and pumping
// messages every 2 ms at most. Prints rows/s for N = 100,000 and 1,000,000
// and their ratio, the peak resident memory, and the time of SortColumn by
// "Line#:" and by "Match:". Then the store's range delete: 100,000
// descendants of the top row deleted at once from 1,000,000 rows, beside
// deleting the top row alone (one renumbering of every row after it).
#include "bench/MainWindowGrid.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

using namespace GxGrid;
using namespace GxColumnClasses;

namespace {

double Seconds(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Appends N rows as the scan does; the rows per second.
double Fill(TGxGrid* Grid, int N)
{
    const WideString Path = u"/home/user/corpus/part-07.txt", Found = u"E-mail";
    Int64 LastPump = 0;
    const auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < N; ++I) {
        Grid->AddRow(1);
        const int Row = Grid->GetRowCount() - 1;
        Grid->GetCell(0, Row).SetAsString(Path);
        Grid->GetCell(1, Row).SetAsString(Utf8ToWide(IntToStr((I * 7919) % N + 1)));
        Grid->GetCell(2, Row).SetAsString(Utf8ToWide("user" + IntToStr(std::int64_t(I) * 104729 % 99991) + "@example.org"));
        Grid->GetCell(3, Row).SetAsString(Found);
        Grid->GetCell(4, Row).SetAsString(I % 5 ? u"" : u"Duplicate");
        if ((I & 15) == 0) {
            const Int64 Ms = MonotonicMilliseconds();
            if (Ms - LastPump >= 2) {
                LastPump = Ms;
                Application->ProcessMessages();
            }
        }
    }
    Application->ProcessMessages();
    return N / Seconds(Start);
}

void Rows(TForm* Form, int N, double& Rate)
{
    TGxGrid* Grid = MakeMainWindowGrid(Form);
    Application->ProcessMessages();
    Rate = Fill(Grid, N);
    std::printf("grid_rows: %8d rows appended: %10.0f rows/s\n", N, Rate);
    for (int C : {1, 2}) {
        TGxCustomColumn* Column = Grid->GetColumns()->GetItem(C);
        const auto Start = std::chrono::steady_clock::now();
        Grid->SortColumn(Column, true);
        Application->ProcessMessages();
        std::printf("grid_rows: %8d rows, SortColumn by %-8s %8.3f s\n", N,
                    WideToUtf8(Column->GetHeader()->GetCaption()).c_str(), Seconds(Start));
    }
    Free(Grid);
}

void RangeDelete(TForm* Form)
{
    TGxGrid* Grid = MakeMainWindowGrid(Form);
    TCells* Store = Grid->GetStore();
    constexpr int Descendants = 100000, Total = 1000000;
    Store->AddRow(1);
    for (int K = 1; K <= Descendants; ++K)
        Store->AddChildRow(K < 1000 ? 0 : K / 1000, K); // children and grandchildren, in order
    Store->AddRow(Total - Store->GetRowCount());
    auto Start = std::chrono::steady_clock::now();
    Grid->ClearChildRows(0);
    const double Range = Seconds(Start);
    Start = std::chrono::steady_clock::now();
    Store->DeleteRow(0);
    const double One = Seconds(Start);
    std::printf("grid_rows: %d descendants of the top row of %d deleted: %.4f s; the top row alone: %.4f s "
                "(ratio %.2f)\n",
                Descendants, Total, Range, One, Range / One);
    Free(Grid);
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    TForm* Form = MakeMainWindowForm();
    const int Scale = argc > 1 ? std::atoi(argv[1]) : 1; // a smaller run: grid_rows 10
    double Small = 0, Large = 0;
    Rows(Form, 100000 / Scale, Small);
    Rows(Form, 1000000 / Scale, Large);
    std::printf("grid_rows: 1,000,000 rate / 100,000 rate: %.2f\n", Large / Small);
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    std::printf("grid_rows: peak resident memory %.0f MB\n", Usage.ru_maxrss / 1024.0);
    RangeDelete(Form);
    Free(Form);
    platform::StopApplication();
    return 0;
}
