// bench/grid_export_bench.cpp
// A TGxGrid of 1,000,000 rows × 5 scan-like text columns written as
// delimited text in each encoding and as an HTML report, formatted on worker
// threads and on the window's thread alone, each in MB/s beside a plain
// fwrite of the same bytes, beside fwrite and fsync (a save reaches the disk
// before it replaces the old file), and the save less the time its writer
// spent bringing the file to the disk. Every run writes a file that does not
// exist yet, so none pays for freeing an older one; what replacing an
// existing synced file costs is shown once on its own. Then the rows at
// which the threads start to pay, and the 8-bit file loaded back, in rows/s
// beside appending the same rows cell by cell, with how far the resident
// memory rose above where it stood before the load. Every time is the best
// of three runs.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "grid/GxSaveSpeed.h"
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

// Prepare runs before the clock starts, each run.
template <typename TPrepare, typename TStep> TTimes Best(TPrepare&& Prepare, TStep&& Step)
{
    TTimes Times;
    for (int Run = 0; Run < 3; ++Run) {
        Prepare();
        const double Synced = SyncSeconds;
        const auto Start = std::chrono::steady_clock::now();
        Step();
        const double Secs = Seconds(Start);
        Times.Whole = std::min(Times.Whole, Secs);
        Times.Unsynced = std::min(Times.Unsynced, Secs - (SyncSeconds - Synced));
    }
    return Times;
}

void Remove(std::initializer_list<AnsiString> Files)
{
    for (const AnsiString& File : Files)
        std::remove(File.c_str());
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

void Fwrite(const AnsiString& Data, const AnsiString& FileName, bool Sync)
{
    FILE* F = std::fopen(FileName.c_str(), "wb");
    std::fwrite(Data.data(), 1, Data.size(), F);
    std::fflush(F);
    if (Sync) ::fsync(::fileno(F));
    std::fclose(F);
}

// Seconds to write Data with fwrite into a new file, and to bring it to the disk as well.
void FwriteTimes(const AnsiString& Data, const AnsiString& FileName, double& Plain, double& Synced)
{
    const AnsiString Copy = FileName + ".fwrite";
    for (const bool Sync : {false, true}) {
        const TTimes Times = Best([&] { Remove({Copy}); }, [&] { Fwrite(Data, Copy, Sync); });
        (Sync ? Synced : Plain) = Times.Whole;
    }
    Remove({Copy});
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
    // Shown at the main window's size, as the grid whose rows are saved and
    // loaded is, and as bench/grid_rows's is.
    Form->SetClientWidth(601);
    Form->SetClientHeight(507);
    Form->Show();
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
    const AnsiString Text = Folder + "grid_export_bench.txt", Html = Folder + "grid_export_bench.html",
                     Sheet = Folder + "grid_export_bench_styles.css";
    const auto SaveText = [&](TEncodingKind Kind) { Grid->SaveToTextFile(Utf8ToWide(Text), u',', u'|', Kind); };
    const auto SaveHtml = [&] {
        Grid->SaveToHtml(Utf8ToWide(Html), {hsSaveHeaders, hsSaveFooter, hsCreateStyleSheet});
    };
    for (const bool Threads : {true, false}) {
        GxCustomGridControl::SaveThreads = Threads;
        for (const auto& E : Encodings) {
            const AnsiString Name = AnsiString(E.Name) + (Threads ? "" : ", 1 thread");
            Report(Name.c_str(), Text, Best([&] { Remove({Text}); }, [&] { SaveText(E.Kind); }));
        }
        Report(Threads ? "HTML report" : "HTML, 1 thread", Html, Best([&] { Remove({Html, Sheet}); }, SaveHtml));
    }
    GxCustomGridControl::SaveThreads = true;

    // Replacing a file that is on the disk frees its blocks first.
    {
        const TTimes New = Best([&] { Remove({Text}); }, [&] { SaveText(ekAnsi); });
        const TTimes Over = Best([] {}, [&] { SaveText(ekAnsi); });
        const AnsiString Data = ReadFileBytes(Text), Copy = Text + ".fwrite";
        const TTimes FwriteNew = Best([&] { Remove({Copy}); }, [&] { Fwrite(Data, Copy, true); });
        const TTimes FwriteOver = Best([] {}, [&] { Fwrite(Data, Copy, true); });
        Remove({Copy});
        std::printf("grid_export_bench: replacing a synced %.1f MB file: the 8-bit save over its own output %.3f s "
                    "against %.3f s new (+%.0f ms); fwrite+fsync over it %.3f s against %.3f s new (+%.0f ms)\n",
                    Data.size() / 1e6, Over.Whole, New.Whole, 1e3 * (Over.Whole - New.Whole), FwriteOver.Whole,
                    FwriteNew.Whole, 1e3 * (FwriteOver.Whole - FwriteNew.Whole));
    }

    // Where the threads start to pay: the save less its fsync, with the
    // threads and without, for the first rows of the grid.
    {
        auto* Small = New<TGxGrid>(Form);
        Small->SetParent(Form);
        for (int C = 0; C < Grid->GetColumns()->GetCount(); ++C)
            Small->GetColumns()->Add(ColumnClass<TGxTextColumn>,
                                     Grid->GetColumns()->GetItem(C)->GetHeader()->GetCaption());
        const int Fewest = GxCustomGridControl::SaveFewestRows;
        GxCustomGridControl::SaveFewestRows = 0;
        for (const int N : {3000, 10000, 20000, 30000, 100000}) {
            if (N > Rows) break;
            Small->AddRow(N - Small->GetRowCount());
            for (int R = 0; R < N; ++R)
                for (int C = 0; C < Grid->GetColumns()->GetCount(); ++C)
                    Small->SetCells(C, R, Grid->GetCells(C, R));
            double Secs[2];
            for (const bool Threads : {true, false}) {
                GxCustomGridControl::SaveThreads = Threads;
                Secs[Threads] =
                    Best([&] { Remove({Text}); }, [&] { Small->SaveToTextFile(Utf8ToWide(Text), u',', u'|', ekAnsi); })
                        .Unsynced;
            }
            std::printf("grid_export_bench: %6d rows, 8-bit, without fsync: threads %.2f ms, one thread %.2f ms "
                        "(%.2fx)\n",
                        N, 1e3 * Secs[1], 1e3 * Secs[0], Secs[0] / Secs[1]);
        }
        GxCustomGridControl::SaveThreads = true;
        GxCustomGridControl::SaveFewestRows = Fewest;
        Free(Small);
    }

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
    Remove({Text, Html, Sheet});
    Free(Form);
    platform::StopApplication();
    return 0;
}
