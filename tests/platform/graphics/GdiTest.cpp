// Regions, clipping, fonts and text output on bitmaps and windows.
#include "../controls/ControlFixtures.h"
#include "platform/graphics/HandleTable.h"
#include "platform/win/WinGdi.h"

#include <cstring>

namespace {

// A white bitmap to draw on.
struct TPaper {
    explicit TPaper(int Width = 40, int Height = 40)
    {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(Width, Height);
    }
    TCanvas* Canvas() { return Bitmap.GetCanvas(); }
    HDC DC() { return Bitmap.GetCanvas()->GetHandle(); }
    TColor At(int X, int Y) { return Bitmap.GetCanvas()->GetPixels(X, Y); }
    void Fill(const TRect& R, TColor Color)
    {
        Canvas()->GetBrush()->SetColor(Color);
        Canvas()->FillRect(R);
    }
    // The bounding box of the pixels that are not white (empty when none).
    TRect Ink()
    {
        TRect Box(1 << 20, 1 << 20, -1, -1);
        for (int Y = 0; Y < Bitmap.GetHeight(); ++Y)
            for (int X = 0; X < Bitmap.GetWidth(); ++X)
                if (At(X, Y) != clWhite) {
                    Box.Left = std::min<LONG>(Box.Left, X);
                    Box.Top = std::min<LONG>(Box.Top, Y);
                    Box.Right = std::max<LONG>(Box.Right, X + 1);
                    Box.Bottom = std::max<LONG>(Box.Bottom, Y + 1);
                }
        return Box.Right < 0 ? TRect() : Box;
    }
    TBitmap Bitmap;
};

TEST(Regions, ShapesHoldTheirPixelsAndCombine)
{
    HRGN Box = CreateRectRgn(0, 0, 10, 10);
    EXPECT_TRUE(PtInRegion(Box, 9, 9));
    EXPECT_FALSE(PtInRegion(Box, 10, 9));
    TRect R;
    EXPECT_EQ(GetRgnBox(Box, &R), SIMPLEREGION);
    EXPECT_EQ(R, TRect(0, 0, 10, 10));

    const TPoint Triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN Tri = CreatePolygonRgn(Triangle, 3, WINDING);
    EXPECT_TRUE(PtInRegion(Tri, 1, 1));
    EXPECT_FALSE(PtInRegion(Tri, 8, 8));
    EXPECT_FALSE(PtInRegion(Tri, 10, 0)); // right edge left out, as for rectangles

    HRGN Round = CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_TRUE(PtInRegion(Round, 5, 5));
    EXPECT_FALSE(PtInRegion(Round, 0, 0));
    EXPECT_EQ(GetRgnBox(Round, &R), COMPLEXREGION);
    EXPECT_GE(R.Left, 0);
    EXPECT_LE(R.Right, 10);

    HRGN Result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(Result, Box, Tri, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(Result, 8, 8));
    EXPECT_FALSE(PtInRegion(Result, 1, 1));
    EXPECT_EQ(CombineRgn(Result, Box, Box, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(Result, Round, nullptr, RGN_COPY), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(Result, Round));
    EXPECT_EQ(OffsetRgn(Result, 100, 0), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(Result, 105, 5));

    const TPoint Two[] = {{0, 0}, {5, 5}};
    HRGN Line = CreatePolygonRgn(Two, 2, ALTERNATE);
    EXPECT_EQ(GetRgnBox(Line, &R), NULLREGION);
    EXPECT_EQ(CreatePolygonRgn(Two, 2, 7), nullptr);

    for (HRGN H : {Box, Tri, Round, Result, Line})
        EXPECT_TRUE(DeleteObject(H));
}

TEST(Regions, DeletedAndForeignHandlesAreRefused)
{
    HRGN Region = CreateRectRgn(0, 0, 5, 5);
    ASSERT_TRUE(DeleteObject(Region));
    // The next region takes the freed memory and table slot; the old handle still reaches nothing.
    HRGN Dest = CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(Dest, Region);
    EXPECT_FALSE(DeleteObject(Region));
    EXPECT_FALSE(PtInRegion(Region, 0, 0));
    EXPECT_EQ(OffsetRgn(Region, 1, 1), ERROR);
    EXPECT_EQ(CombineRgn(Dest, Region, Dest, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(Region, Dest, nullptr, RGN_COPY), ERROR);
    EXPECT_TRUE(PtInRegion(Dest, 0, 0));
    int NotAnObject = 0;
    EXPECT_FALSE(DeleteObject(&NotAnObject));
    EXPECT_EQ(GetObject(&NotAnObject, 4, &NotAnObject), 0);
    EXPECT_EQ(SelectObject(nullptr, Dest), nullptr);

    // The same for fonts, and a region is no font.
    LOGFONT LF;
    HFONT Font = CreateFontIndirect(&LF);
    ASSERT_TRUE(DeleteObject(Font));
    HFONT Next = CreateFontIndirect(&LF);
    TPaper P;
    EXPECT_EQ(SelectObject(P.DC(), Font), nullptr);
    EXPECT_EQ(GetObject(Font, sizeof(LF), &LF), 0);
    EXPECT_EQ(GetObject(Next, sizeof(LF), &LF), int(sizeof(LF)));
    EXPECT_EQ(GetObject(Dest, sizeof(LF), &LF), 0);
    EXPECT_TRUE(DeleteObject(Next));
    EXPECT_TRUE(DeleteObject(Dest));
}

TEST(Regions, AMillionFreedRegionsLeaveTheHandleTableAsItWas)
{
    const std::size_t Before = platform::detail::LiveHandleCount();
    HRGN First = CreateRectRgn(0, 0, 1, 1);
    ASSERT_TRUE(DeleteObject(First));
    // Every round reuses the same slots; the first handle never reaches their new regions.
    std::vector<HRGN> Batch(1000);
    int Deleted = 0, StaleReached = 0;
    for (int Round = 0; Round < 1000; ++Round) {
        for (HRGN& Region : Batch)
            Region = CreateRectRgn(0, 0, 1, 1);
        if (Round == 0) {
            EXPECT_EQ(platform::detail::LiveHandleCount(), Before + Batch.size());
        }
        StaleReached += PtInRegion(First, 0, 0);
        for (HRGN Region : Batch)
            Deleted += DeleteObject(Region);
    }
    EXPECT_EQ(Deleted, 1000000);
    EXPECT_EQ(StaleReached, 0);
    EXPECT_EQ(platform::detail::LiveHandleCount(), Before);
}

TEST(Clipping, SelectedRegionsLimitDrawingUntilRemoved)
{
    TPaper P;
    HRGN Region = CreateRectRgn(5, 5, 15, 15);
    EXPECT_EQ(SelectClipRgn(P.DC(), Region), SIMPLEREGION);
    DeleteObject(Region); // the context keeps its own copy
    P.Fill(TRect(0, 0, 40, 40), clRed);
    EXPECT_EQ(P.At(5, 5), clRed);
    EXPECT_EQ(P.At(14, 14), clRed);
    EXPECT_EQ(P.At(15, 14), CLR_INVALID); // outside the clip, not drawable
    EXPECT_EQ(P.Canvas()->GetClipRect(), TRect(5, 5, 15, 15));

    EXPECT_EQ(ExcludeClipRect(P.DC(), 8, 8, 10, 10), COMPLEXREGION);
    P.Fill(TRect(0, 0, 40, 40), clBlue);
    EXPECT_EQ(P.At(7, 7), clBlue);
    EXPECT_EQ(P.At(8, 8), CLR_INVALID);
    TRect Box;
    EXPECT_EQ(GetClipBox(P.DC(), &Box), COMPLEXREGION);
    EXPECT_EQ(Box, TRect(5, 5, 15, 15));

    HRGN Copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(P.DC(), Copy), 1);
    EXPECT_FALSE(PtInRegion(Copy, 9, 9));
    EXPECT_TRUE(PtInRegion(Copy, 5, 5));

    EXPECT_EQ(SelectClipRgn(P.DC(), nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(P.DC(), Copy), 0);
    EXPECT_EQ(P.At(9, 9), clRed); // the hole kept what it had
    EXPECT_EQ(P.At(0, 0), clWhite);
    EXPECT_EQ(IntersectClipRect(P.DC(), 30, 30, 50, 50), SIMPLEREGION);
    P.Fill(TRect(0, 0, 40, 40), clLime);
    EXPECT_EQ(P.At(35, 35), clLime);
    SelectClipRgn(P.DC(), nullptr);
    EXPECT_EQ(P.At(29, 29), clWhite);
    DeleteObject(Copy);
}

// A white control whose Paint runs the test's drawing.
class TClipSheet : public TCustomControl {
public:
    explicit TClipSheet(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(10, 10, 60, 40); }
    std::function<void(TCanvas*)> Draw;

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(clWhite);
        GetCanvas()->FillRect(GetClientRect());
        if (Draw) Draw(GetCanvas());
    }
};

class ClipWindowTest : public TFormTest {};

TEST_F(ClipWindowTest, AClipPolygonInPaintMeetsThePaintRegion)
{
    auto* Sheet = New<TClipSheet>(Form);
    Sheet->SetParent(Form);
    Sheet->Draw = [](TCanvas* C) {
        const TPoint Diamond[] = {{20, 0}, {40, 20}, {20, 40}, {0, 20}};
        HRGN Region = CreatePolygonRgn(Diamond, 4, WINDING);
        SelectClipRgn(C->GetHandle(), Region);
        DeleteObject(Region);
        C->GetBrush()->SetColor(clNavy);
        C->FillRect(TRect(0, 0, 60, 40));
        SelectClipRgn(C->GetHandle(), nullptr);
    };
    Sheet->Invalidate();
    platform::test::PaintNow(Sheet);
    EXPECT_EQ(platform::test::PixelAt(Sheet, 20, 20), clNavy);
    EXPECT_EQ(platform::test::PixelAt(Sheet, 1, 1), clWhite);
    EXPECT_EQ(platform::test::PixelAt(Sheet, 50, 20), clWhite);
    // Outside Paint the canvas has no clip region left over.
    Sheet->GetCanvas()->GetBrush()->SetColor(clRed);
    Sheet->GetCanvas()->FillRect(TRect(0, 0, 3, 3));
    EXPECT_EQ(platform::test::PixelAt(Sheet, 1, 1), clRed);
}

TEST(Fonts, LogicalDescriptionsRoundTripAndSelectionRestores)
{
    TPaper P;
    TFont* Font = P.Canvas()->GetFont();
    Font->SetName("Tahoma");
    Font->SetHeight(-11);
    Font->SetStyle({fsBold, fsUnderline});
    LOGFONT LF;
    ASSERT_EQ(GetObject(Font->GetHandle(), sizeof(LF), &LF), int(sizeof(LF)));
    EXPECT_EQ(LF.lfHeight, -11);
    EXPECT_EQ(LF.lfWeight, FW_BOLD);
    EXPECT_EQ(LF.lfUnderline, 1);
    EXPECT_EQ(LF.lfItalic, 0);
    EXPECT_STREQ(LF.lfFaceName, "Tahoma");
    EXPECT_EQ(Font->GetHandle(), Font->GetHandle()); // one handle for the font's life

    const int Normal = P.Canvas()->TextHeight("Wg");
    LF.lfHeight = -22;
    HFONT Big = CreateFontIndirect(&LF);
    HGDIOBJ Old = SelectObject(P.DC(), Big);
    EXPECT_EQ(Old, Font->GetHandle());
    EXPECT_GT(P.Canvas()->TextHeight("Wg"), Normal + 8);
    EXPECT_EQ(SelectObject(P.DC(), Old), Big);
    EXPECT_EQ(P.Canvas()->TextHeight("Wg"), Normal);
    EXPECT_TRUE(DeleteObject(Big));

    // A fresh context answers its stock font, which cannot be deleted.
    HDC Screen = GetDC(nullptr);
    LOGFONT Other = LF;
    HFONT F = CreateFontIndirect(&Other);
    HGDIOBJ Stock = SelectObject(Screen, F);
    ASSERT_NE(Stock, nullptr);
    EXPECT_FALSE(DeleteObject(Stock));
    SelectObject(Screen, Stock);
    ReleaseDC(nullptr, Screen);
    DeleteObject(F);

    // A face name longer than the description holds is cut, not overrun.
    Font->SetName(std::string(60, 'x'));
    ASSERT_EQ(GetObject(Font->GetHandle(), sizeof(LF), &LF), int(sizeof(LF)));
    EXPECT_EQ(std::strlen(LF.lfFaceName), std::size_t(LF_FACESIZE - 1));
}

TEST(TextOutput, EscapementTurnsTextToRunUpwards)
{
    TPaper P(60, 80);
    LOGFONT LF;
    GetObject(P.Canvas()->GetFont()->GetHandle(), sizeof(LF), &LF);
    LF.lfEscapement = 900;
    HFONT Vertical = CreateFontIndirect(&LF);
    HGDIOBJ Old = SelectObject(P.DC(), Vertical);
    SetBkMode(P.DC(), TRANSPARENT);
    const WideString Text = u"WWWWWW";
    ExtTextOutW(P.DC(), 10, 70, 0, nullptr, Text.data(), UINT(Text.size()), nullptr);
    SelectObject(P.DC(), Old);
    DeleteObject(Vertical);
    const TRect Ink = P.Ink();
    EXPECT_GT(Ink.Height(), 2 * Ink.Width()); // tall, not wide
    EXPECT_GE(Ink.Left, 10);
    EXPECT_LE(Ink.Right, 10 + 14);
    EXPECT_LE(Ink.Bottom, 71);
    EXPECT_LT(Ink.Top, 40);
}

TEST(TextOutput, OpaqueClippedTextAndTheTextRectangle)
{
    TPaper P(60, 30);
    HDC DC = P.DC();
    SetBkColor(DC, RGB(255, 255, 0));
    EXPECT_EQ(SetBkMode(DC, TRANSPARENT), OPAQUE);
    TRect Box(20, 2, 30, 12);
    EXPECT_TRUE(ExtTextOutW(DC, 0, 0, ETO_OPAQUE, &Box, nullptr, 0, nullptr));
    EXPECT_EQ(P.At(20, 2), clYellow);
    EXPECT_EQ(P.At(29, 11), clYellow);
    EXPECT_EQ(P.At(30, 11), clWhite);
    EXPECT_FALSE(ExtTextOutW(DC, 0, 0, 0, nullptr, nullptr, 3, nullptr));

    const WideString Text = u"WWWWWWWWWW";
    TRect Clip(0, 14, 10, 30);
    SetTextColor(DC, RGB(0, 0, 0));
    ExtTextOutW(DC, 0, 14, ETO_CLIPPED, &Clip, Text.data(), UINT(Text.size()), nullptr);
    bool Inside = false, Outside = false;
    for (int Y = 14; Y < 30; ++Y)
        for (int X = 0; X < 60; ++X)
            (X < 10 ? Inside : Outside) |= P.At(X, Y) != clWhite;
    EXPECT_TRUE(Inside);
    EXPECT_FALSE(Outside);

    TPaper Q(60, 30);
    Q.Canvas()->GetBrush()->SetColor(clAqua);
    Q.Canvas()->TextRect(TRect(5, 5, 25, 25), 8, 8, "x");
    EXPECT_EQ(Q.At(5, 5), clAqua);
    EXPECT_EQ(Q.At(24, 24), clAqua);
    EXPECT_EQ(Q.At(25, 24), clWhite);
    Q.Canvas()->GetBrush()->SetStyle(bsClear);
    Q.Canvas()->TextRect(TRect(30, 5, 50, 25), 30, 5, " ");
    EXPECT_EQ(Q.At(30, 5), clWhite);
}

TEST(TextOutput, ColoursAnswerTheirPreviousValues)
{
    TPaper P;
    HDC DC = P.DC();
    SetTextColor(DC, RGB(1, 2, 3));
    EXPECT_EQ(SetTextColor(DC, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(DC), RGB(4, 5, 6));
    SetBkColor(DC, RGB(7, 8, 9));
    EXPECT_EQ(GetBkColor(DC), RGB(7, 8, 9));
    EXPECT_EQ(SetBkMode(DC, 99), 0);
    EXPECT_EQ(GetTextColor(nullptr), COLORREF(CLR_INVALID));
}

} // namespace
