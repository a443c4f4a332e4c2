// The real scan of the main window, offscreen, on the benchmark corpus with
// one e-mail and one web-address pattern, the extract grid's page showing.
//   scan_bench <file>...
#include "app/Unit1.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_bench <file>...\n");
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
    TStrings* Files = Form->RichEdit9->GetLines();
    Files->Clear();
    Int64 Bytes = 0;
    for (int I = 1; I < argc; ++I) {
        Files->Add(argv[I]);
        Bytes += FileSizeOf(argv[I]);
    }
    TStrings* Patterns = Form->RichEdit3->GetLines();
    Patterns->Clear();
    Patterns->Add("$E-mail:[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}");
    Patterns->Add("$Web:(?:https?|ftp)://[^\\s\"'<>()]+");
    Form->RichEdit4->GetLines()->Clear();

    const auto Start = std::chrono::steady_clock::now();
    Form->BitBtn1Click(Form->BitBtn1);
    const double Secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::printf("scan_bench: %d rows, %d final matches, %.3f s, %.1f MB/s\n", Form->GxGrid1->GetRowCount(),
                Form->RichEdit5->GetLines()->GetCount(), Secs, static_cast<double>(Bytes) / 1048576.0 / Secs);
    TStrings* Log = Form->RichEdit2->GetLines();
    if (Log->GetCount() > 0) std::printf("  %s\n", Log->Get(Log->GetCount() - 1).c_str());
    platform::StopApplication();
    return 0;
}
