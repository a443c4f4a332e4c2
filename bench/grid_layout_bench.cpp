// bench/grid_layout_bench.cpp
// A grid's column layout of 10, 100 and 1,025 columns saved and loaded
// through an INI file and through the registry, in seconds each way.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace GxGrid;
using namespace GxColumnClasses;

namespace {

double Seconds(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

template <typename TStep> double Timed(TStep&& Step)
{
    const auto Start = std::chrono::steady_clock::now();
    Step();
    return Seconds(Start);
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char Folder[] = "/tmp/grid_layout_bench.XXXXXX";
    if (!::mkdtemp(Folder)) return 1;
    ::setenv("XDG_CONFIG_HOME", Folder, 1); // the registry goes there too
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    auto* Form = New<TForm>(Application);
    for (const int Count : {10, 100, 1025}) {
        auto* Grid = New<TGxGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 600, 400);
        for (int I = 0; I < Count; ++I)
            Grid->GetColumns()->Add(ColumnClass<TGxTextColumn>, Utf8ToWide("C" + IntToStr(I)))->SetWidth(20 + I % 50);
        for (int I = 0; I < Count; I += 3)
            Grid->GetColumns()->GetItem(I)->SetVisible(false);
        const WideString File = Utf8ToWide(AnsiString(Folder) + "/layout" + IntToStr(Count) + ".ini");
        const WideString Key = Utf8ToWide("Software\\Bench\\Layout" + IntToStr(Count));
        const double IniSave = Timed([&] { Grid->SaveToIni(File, "Grid"); });
        const double IniLoad = Timed([&] { Grid->LoadFromIni(File, "Grid"); });
        const double RegSave = Timed([&] { Grid->SaveToRegistry(Key, "Grid"); });
        const double RegLoad = Timed([&] { Grid->LoadFromRegistry(Key, "Grid"); });
        std::printf("grid_layout_bench: %5d columns: INI file save %.4f s, load %.4f s; registry save %.4f s, "
                    "load %.4f s\n",
                    Count, IniSave, IniLoad, RegSave, RegLoad);
        Free(Grid);
    }
    Free(Form);
    platform::StopApplication();
    std::filesystem::remove_all(Folder);
    return 0;
}
