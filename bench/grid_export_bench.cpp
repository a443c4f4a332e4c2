// bench/grid_export_bench.cpp
// A TGxGrid of 1,000,000 rows × 5 scan-like text columns written as
// delimited text in each encoding and as an HTML report, each in MB/s beside
// a plain fwrite of the same bytes; then the 8-bit file loaded back, in rows/s
// beside appending the same rows cell by cell, with the growth of the peak
// resident memory during the load.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

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

double PeakMB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss / 1024.0;
}

// Appends N rows of what a scan finds; the rows per second.
double Fill(TGxGrid* Grid, int N)
{
    const WideString Path = u"/home/user/corpus/part-07.txt", Found = u"E-mail";
    const auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < N; ++I) {
        Grid->AddRow(1);
        const int Row = Grid->GetRowCount() - 1;
        Grid->SetCells(0, Row, Path);
        Grid->SetCells(1, Row, Utf8ToWide(IntToStr(I + 1)));
        Grid->SetCells(2, Row, Utf8ToWide("\"user" + IntToStr((I * 104729) % 99991) + "\"@example.org"));
        Grid->SetCells(3, Row, Found);
        Grid->SetCells(4, Row, I % 5 ? u"" : u"Dup, licate");
    }
    return N / Seconds(Start);
}

// A plain fwrite of the bytes of FileName, in MB/s.
double FwriteRate(const AnsiString& FileName)
{
    const AnsiString Data = ReadFileBytes(FileName);
    const AnsiString Copy = FileName + ".fwrite";
    const auto Start = std::chrono::steady_clock::now();
    FILE* F = std::fopen(Copy.c_str(), "wb");
    std::fwrite(Data.data(), 1, Data.size(), F);
    std::fclose(F);
    const double Rate = Data.size() / 1e6 / Seconds(Start);
    std::remove(Copy.c_str());
    return Rate;
}

void Report(const char* What, const AnsiString& FileName, double Secs)
{
    const double MB = ReadFileBytes(FileName).size() / 1e6;
    const double Plain = FwriteRate(FileName);
    std::printf("grid_export_bench: %-22s %7.1f MB in %6.3f s: %6.1f MB/s, fwrite %6.1f MB/s (%.2fx)\n", What, MB, Secs,
                MB / Secs, Plain, MB / Secs / Plain);
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    auto* Form = New<TForm>(Application);
    auto* Grid = New<TGxGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 577, 424);
    for (const char16_t* Caption : {u"File:", u"Line#:", u"Match:", u"Found By:", u"Rejected By:"})
        Grid->GetColumns()->Add(ColumnClass<TGxTextColumn>, Caption);
    const int Rows = argc > 1 ? 1000000 / std::atoi(argv[1]) : 1000000;
    const double AppendRate = Fill(Grid, Rows);
    const AnsiString Folder = argc > 2 ? AnsiString(argv[2]) : AnsiString("/tmp/");

    const struct {
        TEncodingKind Kind;
        const char* Name;
    } Encodings[] = {{ekAnsi, "8-bit (UTF-8)"}, {ekUnicode, "UTF-16 LE"}, {ekUnicodeBigEndian, "UTF-16 BE"}};
    for (const auto& E : Encodings) {
        const AnsiString File = Folder + "grid_export_bench.txt";
        const auto Start = std::chrono::steady_clock::now();
        Grid->SaveToTextFile(Utf8ToWide(File), u',', u'|', E.Kind);
        Report(E.Name, File, Seconds(Start));
    }
    const AnsiString Html = Folder + "grid_export_bench.html";
    auto Start = std::chrono::steady_clock::now();
    Grid->SaveToHtml(Utf8ToWide(Html), {hsSaveHeaders, hsSaveFooter, hsCreateStyleSheet});
    Report("HTML report", Html, Seconds(Start));

    const AnsiString Text = Folder + "grid_export_bench.txt";
    Grid->SaveToTextFile(Utf8ToWide(Text), u',', u'|', ekAnsi);
    const double FileMB = ReadFileBytes(Text).size() / 1e6;
    const double PeakBefore = PeakMB();
    Start = std::chrono::steady_clock::now();
    Grid->LoadFromTextFile(Utf8ToWide(Text), u',', u'|');
    const double LoadRate = Rows / Seconds(Start);
    std::printf("grid_export_bench: load %d rows: %.0f rows/s, appending cell by cell %.0f rows/s (%.2fx); "
                "peak memory grew %.0f MB for a %.0f MB file\n",
                Grid->GetRowCount(), LoadRate, AppendRate, LoadRate / AppendRate, PeakMB() - PeakBefore, FileMB);
    std::remove(Text.c_str());
    std::remove(Html.c_str());
    std::remove((Folder + "grid_export_bench_styles.css").c_str());
    Free(Form);
    platform::StopApplication();
    return 0;
}
