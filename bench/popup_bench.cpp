// The drop-down item list over 1,000 and 1,000,000 lines, offscreen: opening
// it (with its first paint), then paging through it a page at a time with a
// paint after each page, and jumping to the last line. The list reads the
// edit's lines where they are and paints only the lines it shows, so the
// figures should not grow with the number of lines. Medians of five rounds.
//   popup_bench
#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/Forms.h"
#include "platform/testing/TestDriving.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace GxPopupControl;
using Clock = std::chrono::steady_clock;

struct TFigures {
    double Open = 0, Page = 0, Last = 0; // ms
};

double Since(Clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

TFigures Round(TStrings* Lines)
{
    constexpr int Pages = 40; // 800 lines: the small list pages all the way too
    TOwned<TGxPopupList> List(New<TGxPopupList>(nullptr));
    List->SetBounds(0, 0, 240, 20 * 16 + 4);
    List->SetItems(Lines);
    TFigures F;
    auto Start = Clock::now();
    List->Popup(100, 100);
    platform::test::PaintNow(List.get());
    F.Open = Since(Start);
    Start = Clock::now();
    for (int P = 1; P <= Pages; ++P) {
        List->SetItemIndex(P * List->GetVisibleCount());
        platform::test::PaintNow(List.get());
    }
    F.Page = Since(Start) / Pages;
    List->SetItemIndex(0);
    platform::test::PaintNow(List.get());
    Start = Clock::now();
    List->SetItemIndex(Lines->GetCount() - 1);
    platform::test::PaintNow(List.get());
    F.Last = Since(Start);
    List->ClosePopup();
    return F;
}

TFigures Median(int Count)
{
    TStringList Lines;
    for (int I = 0; I < Count; ++I)
        Lines.Add("someone" + IntToStr(I) + "@example.com");
    std::vector<TFigures> All;
    for (int R = 0; R < 5; ++R)
        All.push_back(Round(&Lines));
    TFigures M;
    for (double TFigures::*Field : {&TFigures::Open, &TFigures::Page, &TFigures::Last}) {
        std::vector<double> V;
        for (const TFigures& F : All)
            V.push_back(F.*Field);
        std::sort(V.begin(), V.end());
        M.*Field = V[V.size() / 2];
    }
    return M;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    GxThemesSupport::RegisterUnit();
    Application->Initialize();
    const TFigures Small = Median(1000), Large = Median(1000000);
    std::printf("%-34s %12s %12s %8s\n", "step", "1,000", "1,000,000", "ratio");
    std::printf("%-34s %9.3f ms %9.3f ms %7.2fx\n", "open (with its first paint)", Small.Open, Large.Open,
                Large.Open / Small.Open);
    std::printf("%-34s %9.3f ms %9.3f ms %7.2fx\n", "a page down and its paint", Small.Page, Large.Page,
                Large.Page / Small.Page);
    std::printf("%-34s %9.3f ms %9.3f ms %7.2fx\n", "to the last line and its paint", Small.Last, Large.Last,
                Large.Last / Small.Last);
    platform::StopApplication();
    return 0;
}
