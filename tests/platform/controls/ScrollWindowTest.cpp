#include "ControlFixtures.h"
#include "platform/graphics/Resources.h"
#include "platform/testing/Scroll.h"
#include "platform/win/WinResources.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinShape.h"
#include "platform/win/WinTimers.h"
#include "tests/support/PumpUntil.h"

namespace {

using namespace platform::test;
using ScrollWindowTest = TFormTest;

// Ten-pixel bands of colours that tell the band's number; records the clip
// rectangle of each paint.
class TBandsProbe : public TProbeControl {
public:
    using TProbeControl::TProbeControl;
    int FirstBand = 0;
    std::vector<TRect> Paints;
    std::vector<std::pair<WPARAM, UINT>> Timers;
    int NCPaints = 0;

    static TColor BandColor(int Band) { return TColor(RGB(Byte(Band * 20), Byte(255 - Band * 10), 0x40)); }

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        Paints.push_back(C->GetClipRect());
        for (int Y = 0; Y < GetClientHeight(); Y += 10) {
            C->GetBrush()->SetColor(BandColor(FirstBand + Y / 10));
            C->FillRect(Rect(0, Y, GetClientWidth(), Y + 10));
        }
    }
    void WMTimer(TMessage& M) override { Timers.push_back({M.WParam, UINT(M.LParam)}); }
    void WMNCPaint(TMessage& M) override
    {
        ++NCPaints;
        TProbeControl::WMNCPaint(M);
    }
};

TBandsProbe* PlaceBands(TWinControl* Parent)
{
    auto* C = New<TBandsProbe>(Parent);
    C->SetBounds(0, 0, 100, 100);
    C->SetParent(Parent);
    PaintNow(C);
    C->Paints.clear();
    return C;
}

TEST_F(ScrollWindowTest, ScrollingMovesThePixelsAndRepaintsOnlyWhatItUncovers)
{
    auto* C = PlaceBands(Form);
    C->FirstBand = 2; // the contents move up by two bands
    TRect Update;
    EXPECT_EQ(ScrollWindowEx(C->GetHandle(), 0, -20, nullptr, nullptr, nullptr, &Update, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_EQ(Update, Rect(0, 80, 100, 100));
    EXPECT_EQ(PixelAt(C, 50, 0), TBandsProbe::BandColor(2)); // moved, not painted
    EXPECT_EQ(PixelAt(C, 50, 79), TBandsProbe::BandColor(9));
    EXPECT_EQ(PixelAt(C, 50, 85), TBandsProbe::BandColor(10)); // painted
    ASSERT_EQ(C->Paints.size(), 1u);
    EXPECT_EQ(C->Paints[0], Rect(0, 80, 100, 100));

    // Downwards and sideways the same; pixels leave on the far side.
    C->FirstBand = 1;
    C->Paints.clear();
    ScrollWindowEx(C->GetHandle(), 0, 10, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    EXPECT_EQ(PixelAt(C, 50, 95), TBandsProbe::BandColor(10));
    EXPECT_EQ(PixelAt(C, 50, 5), TBandsProbe::BandColor(1));
    EXPECT_EQ(C->Paints, (std::vector<TRect>{Rect(0, 0, 100, 10)}));
    C->Paints.clear();
    ScrollWindowEx(C->GetHandle(), 30, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    PaintNow(C);
    EXPECT_EQ(C->Paints, (std::vector<TRect>{Rect(0, 0, 30, 100)}));

    // What is validated again before the paint is not painted.
    C->Paints.clear();
    InvalidateRect(C->GetHandle(), nullptr, false);
    const TRect Top = Rect(0, 0, 100, 50);
    EXPECT_TRUE(ValidateRect(C->GetHandle(), &Top));
    PaintNow(C);
    EXPECT_EQ(C->Paints, (std::vector<TRect>{Rect(0, 50, 100, 100)}));
}

TEST_F(ScrollWindowTest, OnlyThePixelsInsideTheClipRectangleMove)
{
    auto* C = PlaceBands(Form);
    const TRect Clip = Rect(0, 30, 100, 100); // a fixed header of three bands above
    C->Paints.clear();
    HRGN Uncovered = CreateRectRgn(0, 0, 0, 0);
    ScrollWindowEx(C->GetHandle(), 0, -10, nullptr, &Clip, Uncovered, nullptr, 0);
    // Without SW_INVALIDATE nothing is marked for painting.
    PaintNow(C);
    EXPECT_TRUE(C->Paints.empty());
    EXPECT_EQ(PixelAt(C, 50, 25), TBandsProbe::BandColor(2)); // the header stays
    EXPECT_EQ(PixelAt(C, 50, 30), TBandsProbe::BandColor(4)); // band 3 left the clip area
    EXPECT_EQ(PixelAt(C, 50, 85), TBandsProbe::BandColor(9));
    TRect Box;
    EXPECT_EQ(GetRgnBox(Uncovered, &Box), SIMPLEREGION);
    EXPECT_EQ(Box, Rect(0, 90, 100, 100));
    DeleteObject(Uncovered);

    // A scroll rectangle narrower than the clip moves only its own pixels.
    const TRect Scroll = Rect(0, 50, 50, 100);
    ScrollWindowEx(C->GetHandle(), 0, 10, &Scroll, &Clip, nullptr, nullptr, SW_INVALIDATE);
    EXPECT_EQ(PixelAt(C, 60, 65), TBandsProbe::BandColor(7));
    EXPECT_EQ(PixelAt(C, 20, 65), TBandsProbe::BandColor(6));
}

TEST_F(ScrollWindowTest, WhatWaitsForPaintingMovesWithThePixels)
{
    auto* C = PlaceBands(Form);
    const TRect Strip = Rect(0, 40, 100, 50);
    InvalidateRect(C->GetHandle(), &Strip, false);
    ScrollWindowEx(C->GetHandle(), 0, -20, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    PaintNow(C);
    // The waiting strip is painted where its pixels are now (and where it was).
    bool Moved = false;
    for (const TRect& R : C->Paints)
        Moved = Moved || (R.Top <= 20 && R.Bottom >= 30);
    EXPECT_TRUE(Moved);
}

TEST_F(ScrollWindowTest, RedrawWindowInvalidatesValidatesAndPaintsAtOnce)
{
    auto* C = PlaceBands(Form);
    HRGN Part = CreateRectRgn(10, 10, 20, 20);
    RedrawWindow(C->GetHandle(), nullptr, Part, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(C->Paints, (std::vector<TRect>{Rect(10, 10, 20, 20)})); // painted before returning
    DeleteObject(Part);

    C->Paints.clear();
    const TRect R = Rect(0, 0, 50, 50);
    RedrawWindow(C->GetHandle(), &R, nullptr, RDW_INVALIDATE);
    RedrawWindow(C->GetHandle(), nullptr, nullptr, RDW_VALIDATE);
    PaintNow(C);
    EXPECT_TRUE(C->Paints.empty());

    const int Before = C->NCPaints;
    RedrawWindow(C->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(C->NCPaints, Before + 1);
    EXPECT_EQ(C->Paints.size(), 1u);
}

TEST_F(ScrollWindowTest, TimersTickAsMessagesUntilKilled)
{
    auto* C = PlaceBands(Form);
    EXPECT_EQ(SetTimer(C->GetHandle(), 7, 10, nullptr), 7u);
    ASSERT_TRUE(PumpUntil([&] { return C->Timers.size() >= 2; }));
    EXPECT_EQ(C->Timers[0].first, 7u);
    EXPECT_TRUE(KillTimer(C->GetHandle(), 7));
    EXPECT_FALSE(KillTimer(C->GetHandle(), 7));
    const std::size_t Ticks = C->Timers.size();
    PumpFor(40);
    EXPECT_EQ(C->Timers.size(), Ticks);

    // A timer procedure is called instead of the message; a window's timer goes with the window.
    static int ProcTicks;
    ProcTicks = 0;
    SetTimer(C->GetHandle(), 8, 10, [](HWND, UINT Msg, UINT_PTR Id, DWORD) {
        if (Msg == WM_TIMER && Id == 8) ++ProcTicks;
    });
    ASSERT_TRUE(PumpUntil([] { return ProcTicks >= 1; }));
    EXPECT_EQ(C->Timers.size(), Ticks);
    SetTimer(C->GetHandle(), 9, 10, nullptr);
    FreeAndNil(C);
    PumpFor(40); // nothing ticks into a freed control
}

TEST_F(ScrollWindowTest, AWindowRegionShapesTheWindowAndBelongsToIt)
{
    auto* C = PlaceBands(Form);
    HRGN Shape = CreateEllipticRgn(0, 0, 40, 40);
    EXPECT_EQ(SetWindowRgn(C->GetHandle(), Shape, true), 1);
    EXPECT_TRUE(WindowShapeContains(C, 20, 20));
    EXPECT_FALSE(WindowShapeContains(C, 1, 1));
    EXPECT_FALSE(WindowShapeContains(C, 60, 60));
    EXPECT_FALSE(DeleteObject(Shape)); // the window took it
    SetWindowRgn(C->GetHandle(), nullptr, true);
    EXPECT_TRUE(WindowShapeContains(C, 60, 60));
}

TEST(WinResources, CursorsComeFromTheirPictures)
{
    RegisterCursorResource(
        "TESTCROSS",
        [](TBitmap* B) {
            B->SetPixelFormat(pf32bit);
            B->SetSize(16, 16);
        },
        TPoint(8, 8));
    HCURSOR Cursor = LoadCursor(HInstance, "testcross");
    ASSERT_NE(Cursor, nullptr);
    Screen->SetCursors(4100, Cursor);
    EXPECT_EQ(Screen->GetCursors(4100), Cursor);
    EXPECT_NE(Screen->GetCursors(4100), Screen->GetCursors(crArrow));
    Screen->SetCursors(4100, nullptr);
    EXPECT_EQ(LoadCursor(HInstance, "NO SUCH CURSOR"), nullptr);
}

} // namespace
