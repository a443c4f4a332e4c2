// bench/grid_export_bench.cpp
// A TGxGrid of 1,000,000 rows × 5 scan-like text columns written as
// delimited text in each encoding and as an HTML report, each in MB/s beside
// a plain fwrite of the same bytes, and beside fwrite and fsync (a save
// reaches the disk before it replaces the old file), and the save less the
// time its writer spent bringing the file to the disk; then the 8-bit file
// loaded back, in rows/s beside appending the same rows cell by cell, with
// how far the resident memory rose above where it stood before the load.
// Every time is the best of three runs.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sys/syscall.h>
#include <unistd.h>

using namespace GxGrid;
using namespace GxColumnClasses;

namespace {

double Seconds(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Seconds spent in fsync since the program started, every caller counted.
double SyncSeconds = 0;

} // namespace

// Stands in for the C library's fsync, so that the time a save spends on the
// disk is measured inside the save itself, with the same bytes and the same
// file, rather than guessed from another write.
extern "C" int fsync(int Fd)
{
    const auto Start = std::chrono::steady_clock::now();
    const int Result = int(::syscall(SYS_fsync, Fd));
    SyncSeconds += Seconds(Start);
    return Result;
}

namespace {

// A field of the process status in MB: VmRSS now, VmHWM the peak since ResetPeak.
double StatusMB(const char* Field)
{
    const AnsiString Status = ReadFileBytes("/proc/self/status");
    const std::size_t At = Status.find(Field);
    return At == AnsiString::npos ? 0 : std::atof(Status.c_str() + At + std::strlen(Field)) / 1024.0;
}

void ResetPeak()
{
    if (FILE* F = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", F);
        std::fclose(F);
    }
}

struct TTimes {
    double Whole = 1e9;    // the step
    double Unsynced = 1e9; // the step less its fsync calls
};

template <typename TStep> TTimes Best(TStep&& Step)
{
    TTimes Times;
    for (int Run = 0; Run < 3; ++Run) {
        const double Synced = SyncSeconds;
        const auto Start = std::chrono::steady_clock::now();
        Step();
        const double Secs = Seconds(Start);
        Times.Whole = std::min(Times.Whole, Secs);
        Times.Unsynced = std::min(Times.Unsynced, Secs - (SyncSeconds - Synced));
    }
    return Times;
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
        Grid->SetCells(2, Row, Utf8ToWide("\"user" + IntToStr(std::int64_t(I) * 104729 % 99991) + "\"@example.org"));
        Grid->SetCells(3, Row, Found);
        Grid->SetCells(4, Row, I % 5 ? u"" : u"Dup, licate");
    }
    return N / Seconds(Start);
}

// Seconds to write Data with fwrite into a new file, and to bring it to the disk as well.
void FwriteTimes(const AnsiString& Data, const AnsiString& FileName, double& Plain, double& Synced)
{
    const AnsiString Copy = FileName + ".fwrite";
    for (const bool Sync : {false, true}) {
        const TTimes Times = Best([&] {
            std::remove(Copy.c_str());
            FILE* F = std::fopen(Copy.c_str(), "wb");
            std::fwrite(Data.data(), 1, Data.size(), F);
            std::fflush(F);
            if (Sync) ::fsync(::fileno(F));
            std::fclose(F);
        });
        (Sync ? Synced : Plain) = Times.Whole;
    }
    std::remove(Copy.c_str());
}

void Report(const char* What, const AnsiString& FileName, TTimes Save)
{
    const AnsiString Data = ReadFileBytes(FileName);
    const double MB = Data.size() / 1e6;
    double Plain = 0, Synced = 0;
    FwriteTimes(Data, FileName, Plain, Synced);
    const double Secs = Save.Whole;
    std::printf("grid_export_bench: %-14s %6.1f MB in %6.3f s: %6.1f MB/s; fwrite %6.1f MB/s (%.2fx), "
                "fwrite+fsync %6.1f MB/s (%.2fx); without its fsync %6.1f MB/s (%.2fx fwrite)\n",
                What, MB, Secs, MB / Secs, MB / Plain, Plain / Secs, MB / Synced, Synced / Secs, MB / Save.Unsynced,
                Plain / Save.Unsynced);
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
        Report(E.Name, File, Best([&] { Grid->SaveToTextFile(Utf8ToWide(File), u',', u'|', E.Kind); }));
    }
    const AnsiString Html = Folder + "grid_export_bench.html";
    Report("HTML report", Html, Best([&] {
               Grid->SaveToHtml(Utf8ToWide(Html), {hsSaveHeaders, hsSaveFooter, hsCreateStyleSheet});
           }));

    const AnsiString Text = Folder + "grid_export_bench.txt";
    Grid->SaveToTextFile(Utf8ToWide(Text), u',', u'|', ekAnsi);
    const double FileMB = ReadFileBytes(Text).size() / 1e6;
    double LoadSecs = 1e9, Rise = 0;
    for (int Run = 0; Run < 3; ++Run) {
        const double Before = StatusMB("VmRSS:");
        ResetPeak();
        const auto Start = std::chrono::steady_clock::now();
        Grid->LoadFromTextFile(Utf8ToWide(Text), u',', u'|');
        LoadSecs = std::min(LoadSecs, Seconds(Start));
        Rise = std::max(Rise, StatusMB("VmHWM:") - Before);
    }
    const double LoadRate = Rows / LoadSecs;
    std::printf("grid_export_bench: load %d rows (%.1f MB/s): %.0f rows/s, appending cell by cell %.0f rows/s "
                "(%.2fx); resident memory rose at most %.0f MB above its level before, for a %.0f MB file\n",
                Grid->GetRowCount(), FileMB / LoadSecs, LoadRate, AppendRate, LoadRate / AppendRate, Rise, FileMB);
    std::remove(Text.c_str());
    std::remove(Html.c_str());
    std::remove((Folder + "grid_export_bench_styles.css").c_str());
    Free(Form);
    platform::StopApplication();
    return 0;
}
