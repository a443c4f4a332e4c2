// The real scan of the main window, offscreen, with the extract grid's page
// showing: one e-mail and one web-address pattern, or the pattern lines of a
// file (-p). Folders stand for the files in them, in name order. With -stop,
// a second scan is stopped at a third of the first one's time and the time
// Stop takes to give the window back is printed against its 100 ms target.
//   scan_bench [-stop] [-p <pattern file>] <file or folder>...
#include "app/Unit1.h"
#include "bench/BenchFiles.h"
#include "platform/controls/Timers.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point Start)
{
    return std::chrono::duration<double>(TClock::now() - Start).count();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<AnsiString> Patterns = {"$E-mail:[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}",
                                        "$Web:(?:https?|ftp)://[^\\s\"'<>()]+"};
    std::vector<AnsiString> Paths;
    bool StopToo = false;
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "-stop") == 0) {
            StopToo = true;
        } else if (std::strcmp(argv[I], "-p") == 0 && I + 1 < argc) {
            Patterns.clear();
            std::ifstream In(argv[++I]);
            for (std::string L; std::getline(In, L);)
                if (!L.empty()) Patterns.push_back(L);
        } else {
            for (auto& F : BenchFiles(argv[I]))
                Paths.push_back(F);
        }
    }
    if (Paths.empty()) {
        std::fprintf(stderr, "usage: scan_bench [-stop] [-p <pattern file>] <file or folder>...\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Unit1::RegisterUnit();
    Application->Initialize();
    Application->CreateForm(Unit1::Form1);
    Unit1::TForm1* Form = Unit1::Form1;
    Form->Show();
    Form->PageControl1->SetActivePageIndex(2);
    Application->ProcessMessages();
    AnsiString Listed;
    Int64 Bytes = 0;
    for (const AnsiString& P : Paths) {
        Listed += P + "\n";
        Bytes += FileSizeOf(P);
    }
    Form->RichEdit9->GetLines()->SetText(Listed);
    TStrings* Lines = Form->RichEdit3->GetLines();
    Lines->Clear();
    for (const AnsiString& P : Patterns)
        Lines->Add(P);
    Form->RichEdit4->GetLines()->Clear();

    auto Start = TClock::now();
    Form->BitBtn1Click(Form->BitBtn1);
    const double Secs = SecondsSince(Start);
    const int Rows = Form->GxGrid1->GetRowCount();
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    std::printf("scan_bench: %d rows, %d final matches, %.3f s, %.1f MB/s, peak %.0f MB (%.0f bytes a row)\n", Rows,
                Form->RichEdit5->GetLines()->GetCount(), Secs, static_cast<double>(Bytes) / 1048576.0 / Secs,
                Usage.ru_maxrss / 1024.0, Rows ? Usage.ru_maxrss * 1024.0 / Rows : 0.0);
    TStrings* Log = Form->RichEdit2->GetLines();
    if (Log->GetCount() > 0) std::printf("  %s\n", Log->Get(Log->GetCount() - 1).c_str());

    if (!StopToo) {
        platform::StopApplication();
        return 0;
    }
    // Stop at a third of the scan's time, from the window's own pumping.
    auto* Timer = New<TTimer>(nullptr);
    Timer->SetInterval(std::max(1, static_cast<int>(Secs * 1000 / 3)));
    TClock::time_point Clicked;
    Timer->SetOnTimer([&](TObject*) {
        Timer->SetEnabled(false);
        Clicked = TClock::now();
        Form->BitBtn3->Click();
    });
    Form->BitBtn1Click(Form->BitBtn1);
    if (Timer->GetEnabled())
        std::printf("stop: the scan ended before Stop was clicked\n");
    else
        std::printf("stop: %.1f ms from the click to the window given back (target 100 ms)\n",
                    SecondsSince(Clicked) * 1000.0);
    Free(Timer);
    platform::StopApplication();
    return 0;
}
