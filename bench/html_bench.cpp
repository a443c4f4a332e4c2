// The HTML-like cell text, offscreen: drawing and measuring (with a hit
// test) two typical cell texts on a bitmap, calls per second, the median of
// five rounds. The HTML column calls this for every painted cell and every
// mouse move over one.
//   html_bench
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/controls/Forms.h"
#include "platform/testing/TestDriving.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace GxSharedCommon;
using Clock = std::chrono::steady_clock;

double CallsPerSecond(TCanvas* Canvas, const WideString& Text, bool Draw)
{
    constexpr int Calls = 20000;
    std::vector<double> Rates;
    for (int Round = 0; Round < 5; ++Round) {
        const auto Start = Clock::now();
        for (int I = 0; I < Calls; ++I) {
            Canvas->GetFont()->SetHeight(-11);
            Canvas->GetFont()->SetStyle({});
            Canvas->GetFont()->SetColor(clBlack);
            ProcessHTML(Canvas, TRect(4, 4, 300, 60), Text, TPoint(60, 5), Draw);
        }
        Rates.push_back(Calls / std::chrono::duration<double>(Clock::now() - Start).count());
    }
    std::sort(Rates.begin(), Rates.end());
    return Rates[2];
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    TBitmap Bitmap;
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(320, 80);
    TCanvas* Canvas = Bitmap.GetCanvas();
    Canvas->GetFont()->SetName("Tahoma");
    const WideString Line = u"Sent by <b>Mary</b>: see <a href=\"https://example.com/a?b=1\">the page</a> "
                            u"<font color=\"red\" size=\"9\">today</font>";
    const WideString Lines = u"first line<br>second <i>line</i><br>third line";
    std::printf("%-40s %14s %14s\n", "text", "draw /s", "measure /s");
    std::printf("%-40s %14.0f %14.0f\n", "a line: bold, a link, a font tag", CallsPerSecond(Canvas, Line, true),
                CallsPerSecond(Canvas, Line, false));
    std::printf("%-40s %14.0f %14.0f\n", "three lines with breaks", CallsPerSecond(Canvas, Lines, true),
                CallsPerSecond(Canvas, Lines, false));
    platform::StopApplication();
    return 0;
}
