// A folder dropped on the main window's file list, offscreen with the window
// shown: 1,000 files on a list of 1,000 lines beside 100,000 files on 100,000
// lines, timed from the drop until the list has its new lines and the window
// has painted them. Every dropped path is new to the list. The best of several
// runs counts, by the clock on the wall and by the process's processor time
// (the one to trust on a busy machine).
//   drop_bench [large count]
#include "app/Unit1.h"
#include "platform/testing/Drops.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

// Wall-clock and processor seconds since a start.
struct TStopwatch {
    TClock::time_point Wall = TClock::now();
    double Cpu = CpuSeconds();

    static double CpuSeconds()
    {
        timespec T{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
        return double(T.tv_sec) + double(T.tv_nsec) * 1e-9;
    }
    double WallSeconds() const { return std::chrono::duration<double>(TClock::now() - Wall).count(); }
    double CpuSecondsSince() const { return CpuSeconds() - Cpu; }
};

// A folder of Count empty files named like a download folder's.
AnsiString MakeFolder(const AnsiString& Root, int Count)
{
    const AnsiString Folder = Root + "/drop" + IntToStr(Count);
    std::filesystem::create_directories(Folder);
    for (int I = 0; I < Count; ++I) {
        const AnsiString Name = Folder + "/document-" + IntToStr(1000000 + I) + ".txt";
        const int Fd = ::open(Name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (Fd >= 0) ::close(Fd);
    }
    return Folder;
}

// Lines like the dropped paths, none of them equal to one.
AnsiString ListText(const AnsiString& Root, int Count)
{
    AnsiString Text;
    for (int I = 0; I < Count; ++I)
        Text += Root + "/listed/document-" + IntToStr(1000000 + I) + ".txt\n";
    return Text;
}

struct TRun {
    double Walk = 0;  // the drop message (the walk and the look-ups), processor time
    double Total = 0; // until the lines are in and painted, processor time
    double Wall = 0;  // the same on the wall clock
};

TRun DropOnce(Unit1::TForm1* Form, const AnsiString& Root, const AnsiString& Folder, int Count)
{
    Form->RichEdit9->SetText(ListText(Root, Count));
    Application->ProcessMessages();
    const TStopwatch Start;
    if (!platform::test::DropFiles(Form->RichEdit9, {Folder})) {
        std::fprintf(stderr, "drop_bench: the drop was refused\n");
        std::exit(1);
    }
    TRun Run;
    Run.Walk = Start.CpuSecondsSince();
    Application->ProcessMessages(); // the append
    Application->ProcessMessages(); // the paint
    Run.Total = Start.CpuSecondsSince();
    Run.Wall = Start.WallSeconds();
    if (Form->RichEdit9->GetLines()->GetCount() != 2 * Count) {
        std::fprintf(stderr, "drop_bench: %d lines after the drop, %d expected\n",
                     Form->RichEdit9->GetLines()->GetCount(), 2 * Count);
        std::exit(1);
    }
    return Run;
}

TRun Best(Unit1::TForm1* Form, const AnsiString& Root, const AnsiString& Folder, int Count, int Times)
{
    TRun B{1e9, 1e9, 1e9};
    for (int I = 0; I < Times; ++I) {
        const TRun R = DropOnce(Form, Root, Folder, Count);
        B.Walk = std::min(B.Walk, R.Walk);
        B.Total = std::min(B.Total, R.Total);
        B.Wall = std::min(B.Wall, R.Wall);
    }
    return B;
}

} // namespace

int main(int argc, char** argv)
{
    const int Large = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int Small = 1000;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char Template[] = "/tmp/drop_bench.XXXXXX";
    if (!::mkdtemp(Template)) return 1;
    const AnsiString Root = Template;
    const AnsiString SmallFolder = MakeFolder(Root, Small);
    const AnsiString LargeFolder = MakeFolder(Root, Large);

    platform::StartTestApplication(argc, argv);
    Unit1::RegisterUnit();
    Application->Initialize();
    Application->CreateForm(Unit1::Form1);
    Unit1::TForm1* Form = Unit1::Form1;
    Form->Show();
    Application->ProcessMessages();

    const TRun S = Best(Form, Root, SmallFolder, Small, 20);
    const TRun L = Best(Form, Root, LargeFolder, Large, 3);
    const auto PerPath = [](double Seconds, int Count) { return Seconds / Count * 1e6; };
    for (const auto& [Run, Count] : {std::pair{S, Small}, std::pair{L, Large}})
        std::printf("drop_bench: %6d files on %6d lines: %6.2f us a path (drop message %6.2f us), wall %6.2f us\n",
                    Count, Count, PerPath(Run.Total, Count), PerPath(Run.Walk, Count), PerPath(Run.Wall, Count));
    std::printf("drop_bench: large / small per path: %.2f (wall %.2f)\n",
                PerPath(L.Total, Large) / PerPath(S.Total, Small), PerPath(L.Wall, Large) / PerPath(S.Wall, Small));
    platform::StopApplication();
    std::filesystem::remove_all(Root.c_str());
    return 0;
}
