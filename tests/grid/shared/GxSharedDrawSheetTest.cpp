// Every shared drawing routine in a cell of a sheet, with the pixels each must
// and must not paint; QUILLMOTE_SHEET_DIR keeps the sheet as GxSharedDraw.png.
#include "grid/shared/GxSharedDraw.h"
#include "platform/graphics/Resources.h"
#include "tests/grid/shared/SheetSupport.h"

using namespace GxSharedDraw;

namespace {

const TColor Face = ColorToRGB(clBtnFace), Light = ColorToRGB(clBtnHighlight), Shade = ColorToRGB(clBtnShadow);

// Row Y of 40 of a vertical blend from blue to navy, as glass and shine start from.
TColor Plain(int Y)
{
    return BlendColor(clNavy, clBlue, int(Round(Y / 40.0 * 255)));
}

void Fill(TCanvas* C, const TRect& R, TColor Color)
{
    C->GetBrush()->SetColor(Color);
    C->FillRect(R);
}

// A child that shows its parent's picture through itself inside a black frame.
class TSeeThrough : public TCustomControl {
public:
    explicit TSeeThrough(TComponent* AOwner) : TCustomControl(AOwner) {}

protected:
    void Paint() override
    {
        DrawTransparent(this, GetCanvas());
        GetCanvas()->GetBrush()->SetColor(clBlack);
        GetCanvas()->FrameRect(GetClientRect()); // the canvas is its own again
    }
};

// Embossed text: the highlight copy one pixel right of and below the shadow one.
void ExpectEmbossed(const TCellView& V)
{
    TRect Light(1000, 1000, -1, -1), Dark(1000, 1000, -1, -1);
    for (int Y = 0; Y < 60; ++Y)
        for (int X = 0; X < 160; ++X) {
            const Byte G = GetGValue(COLORREF(V.At(X, Y)));
            if (G == GetGValue(COLORREF(Face))) continue;
            TRect& Box = G > GetGValue(COLORREF(Face)) ? Light : Dark;
            Box = TRect(std::min<LONG>(Box.Left, X), std::min<LONG>(Box.Top, Y), std::max<LONG>(Box.Right, X),
                        std::max<LONG>(Box.Bottom, Y));
        }
    ASSERT_GE(Dark.Right, 0);
    EXPECT_EQ(Light.Right, Dark.Right + 1);
    EXPECT_EQ(Light.Bottom, Dark.Bottom + 1);
    EXPECT_NEAR((Dark.Left + Dark.Right) / 2.0, 80, 3); // centred
}

std::vector<TSheetCell> Cells()
{
    std::vector<TSheetCell> List;
    List.push_back(
        {"DrawHorzGradient",
         [](TCanvas* C, const TRect& A) { DrawHorzGradient(C, Bounds(A.Left, A.Top, 100, 60), clRed, clBlue); },
         Probes({0, 0, clRed, 50, 59, TColor(0x800080), 99, 10, TColor(RGB(3, 0, 252)), 100, 10, clWhite})});
    // FromColor in the middle column, the same blend at equal distances to either side.
    List.push_back({"DrawHorzReflectGrad",
                    [](TCanvas* C, const TRect& A) {
                        DrawHorzReflectGrad(C, Bounds(A.Left, A.Top, 101, 60), clWhite, clBlack);
                        Fill(C, Bounds(A.Left + 110, A.Top, 1, 1), clRed);
                        DrawHorzReflectGrad(C, Bounds(A.Left + 110, A.Top, 1, 1), clWhite, clBlack);
                    },
                    Probes({50, 0, clWhite, 0, 59, TColor(0x030303), 100, 59, TColor(0x030303), 110, 0, clWhite}),
                    [](const TCellView& V) {
                        for (int D = 1; D <= 50; D += 7) {
                            EXPECT_EQ(V.At(50 - D, 30), V.At(50 + D, 30)) << D;
                            EXPECT_LT(GetGValue(V.At(50 + D, 30)), GetGValue(V.At(50 + D - 1, 30))) << D;
                        }
                    }});
    // White at the top, fading to the plain rows by GlassHeight (10).
    List.push_back(
        {"DrawVertGlass",
         [](TCanvas* C, const TRect& A) { DrawVertGlass(C, Bounds(A.Left, A.Top, 100, 40), clBlue, clNavy, 10); },
         Probes({0, 0, TColor(0xFEFEFE), 99, 5, BlendColor(Plain(5), clWhite, 64), 50, 10, Plain(10), 50, 39, Plain(39),
                 100, 20, clWhite})});
    // White down the middle column (100 of 255 the row colour), less by two a pixel to either side.
    List.push_back(
        {"DrawVertShine",
         [](TCanvas* C, const TRect& A) { DrawVertShine(C, Bounds(A.Left, A.Top, 160, 40), clBlue, clNavy, 0); },
         Probes({80, 20, BlendColor(Plain(20), clWhite, 100), 79, 20, BlendColor(Plain(20), clWhite, 102), 0, 20,
                 BlendColor(Plain(20), clWhite, 255), 80, 40, clWhite})});
    // The top rows whitened, less by 7 a row, never past the top half.
    List.push_back(
        {"DrawVertFade",
         [](TCanvas* C, const TRect& A) {
             Fill(C, Bounds(A.Left, A.Top, 30, 60), TColor(0x204060));
             DrawVertFade(C, Bounds(A.Left, A.Top, 30, 60));
             Fill(C, Bounds(A.Left + 40, A.Top, 10, 11), TColor(0x204060));
             DrawVertFade(C, Bounds(A.Left + 40, A.Top, 10, 11));
         },
         Probes({0, 0, BlendColor(clWhite, TColor(0x204060), 150), 29, 1, BlendColor(clWhite, TColor(0x204060), 143),
                 10, 21, BlendColor(clWhite, TColor(0x204060), 3), 10, 22, TColor(0x204060), 45, 4,
                 BlendColor(clWhite, TColor(0x204060), 122), 45, 5, TColor(0x204060)})});
    // Each routine with empty and inverted rectangles, and empty or missing bitmaps.
    List.push_back({"Nothing to draw",
                    [](TCanvas* C, const TRect& A) {
                        for (const TRect& R :
                             {Bounds(A.Left + 5, A.Top + 5, 0, 40), Bounds(A.Left + 20, A.Top + 5, 40, 0),
                              TRect(A.Left + 80, A.Top + 50, A.Left + 70, A.Top + 10)}) {
                            DrawHorzGradient(C, R, clBlack, clBlack);
                            DrawHorzReflectGrad(C, R, clBlack, clBlack);
                            DrawVertGradient(C, R, clBlack, clBlack);
                            DrawVertGlass(C, R, clBlack, clBlack, 5);
                            DrawVertShine(C, R, clBlack, clBlack, 5);
                            DrawVertFade(C, R);
                        }
                        Fill(C, Bounds(A.Left + 100, A.Top, 20, 1), clRed);
                        DrawVertFade(C, Bounds(A.Left + 100, A.Top, 20, 1)); // no whole row in the top half
                        TBitmap Empty;
                        Empty.SetPixelFormat(pf32bit);
                        ApplyBitmap(C, A.Left, A.Top, &Empty);
                        DrawBitmap(C, A.Left, A.Top, &Empty, clBlack);
                        GrayscaleBitmap(&Empty);
                        GrayscaleSimpleBitmap(&Empty);
                        ApplyBitmap(C, A.Left, A.Top, nullptr);
                        GrayscaleBitmap(nullptr);
                    },
                    Probes({0, 0, clWhite, 5, 20, clWhite, 40, 5, clWhite, 75, 30, clWhite, 110, 0, clRed})});
    // Grey by the mean of the channels (alpha kept); a palette bitmap stays;
    // a 16-colour one becomes the embossed disabled picture.
    List.push_back({"GrayscaleBitmap 24 / 32 / 8 / 4 bit",
                    [](TCanvas* C, const TRect& A) {
                        TBitmap B;
                        B.SetPixelFormat(pf24bit);
                        B.SetSize(20, 20);
                        Fill(B.GetCanvas(), TRect(0, 0, 20, 20), TColor(RGB(30, 60, 91)));
                        GrayscaleBitmap(&B);
                        C->Draw(A.Left, A.Top, &B);
                        B.SetPixelFormat(pf32bit);
                        B.GetScanLine(0)[3] = 77;
                        B.GetScanLine(0)[0] = 255;
                        GrayscaleBitmap(&B);
                        EXPECT_EQ(B.GetScanLine(0)[0], 125); // (255 + 60 + 60) div 3
                        EXPECT_EQ(B.GetScanLine(0)[3], 77);
                        B.SetPixelFormat(pf8bit);
                        Fill(B.GetCanvas(), TRect(0, 0, 20, 20), clRed);
                        GrayscaleBitmap(&B);
                        C->Draw(A.Left + 25, A.Top, &B);
                        TBitmap Simple;
                        Simple.SetPixelFormat(pf24bit);
                        Simple.SetSize(10, 10);
                        Fill(Simple.GetCanvas(), TRect(0, 0, 10, 10), clWhite);
                        Fill(Simple.GetCanvas(), TRect(2, 2, 6, 6), clNavy);
                        Simple.SetPixelFormat(pf4bit);
                        GrayscaleBitmap(&Simple);
                        C->Draw(A.Left + 50, A.Top, &Simple);
                    },
                    Probes({10,    10, 0x3C3C3C, 35,    10, clRed, 50,    0,  Face, 59,    9,  Face, 52,  2,
                            Shade, 55, 5,        Shade, 56, 6,     Light, 56, 3,    Light, 57, 7,    Face})});
    // Routines that hand over to GxSharedCommon's providers (probed in full on its sheet), each
    // by a pixel that tells its arguments went over: a gradient down, half alpha over DrawBitmap's
    // colour, and a glyph without its bottom-left colour.
    const TColor LowRow = BlendColor(clBlack, clLime, 29.0 / 30), HalfLime = BlendColor(clRed, clLime, 128);
    List.push_back({"Handed over",
                    [](TCanvas* C, const TRect& A) {
                        DrawVertGradient(C, Bounds(A.Left, A.Top, 30, 30), clBlack, clLime);
                        auto P = AlphaBands();
                        Fill(C, Bounds(A.Left + 35, A.Top, 20, 36), clBlue);
                        ApplyBitmap(C, A.Left + 35, A.Top, P.get());
                        DrawBitmap(C, A.Left + 60, A.Top, P.get(), clLime);
                        DrawBitmapRes(C, A.Left + 85, A.Top, "GXDRAWSHEETGLYPH", true);
                        DrawBitmapRes(C, A.Left + 120, A.Top, "GXDRAWSHEETGLYPH", false);
                    },
                    Probes({10, 29, LowRow,   29, 0, clBlack, 45,  17, 0xFE0000, 45,  5, 0x0000FE,
                            70, 30, HalfLime, 85, 0, clWhite, 101, 16, clMaroon, 120, 0, clAqua})});
    // On a yellow band, so that a brush that is not clear would show.
    List.push_back({"DrawText left/centre/right",
                    [](TCanvas* C, const TRect& A) {
                        Fill(C, A, clYellow);
                        GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top, 160, 18), taLeftJustify, u"Left", false);
                        GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top + 18, 160, 18), taCenter, u"Centre", true);
                        GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top + 36, 60, 18), taRightJustify,
                                               u"Right, and too long", false);
                        EXPECT_EQ(C->GetBrush()->GetStyle(), bsSolid);
                    },
                    Probes({0, 17, clYellow, 159, 2, clYellow, 2, 27, clYellow, 157, 27, clYellow, 100, 45, clYellow}),
                    [](const TCellView& V) {
                        EXPECT_LE(V.Ink(TRect(0, 0, 160, 18), clYellow).Left, 1);
                        const TRect Centre = V.Ink(TRect(0, 18, 160, 36), clYellow);
                        EXPECT_NEAR((Centre.Left + Centre.Right) / 2.0, 80, 2);
                        EXPECT_LE(V.Ink(TRect(0, 36, 160, 54), clYellow).Right, 60);
                    }});
    List.push_back({"DrawPrefixText / DrawTextRect",
                    [](TCanvas* C, const TRect& A) {
                        DrawPrefixText(C, Bounds(A.Left, A.Top, 160, 25), u"&File and S&ave");
                        DrawTextRect(C, Bounds(A.Left, A.Top + 25, 160, 25), u"&File and S&ave", bdLeftToRight);
                    },
                    Probes({150, 12, clWhite, 150, 37, clWhite}),
                    [](const TCellView& V) {
                        EXPECT_LE(V.Ink(TRect(0, 0, 160, 25)).Left, 1);
                        // The literal ampersands make the second line the wider.
                        EXPECT_GT(V.Ink(TRect(0, 25, 160, 50)).Right, V.Ink(TRect(0, 0, 160, 25)).Right + 4);
                    }});
    List.push_back({"DrawDisabledText",
                    [](TCanvas* C, const TRect& A) {
                        Fill(C, A, clBtnFace);
                        DrawDisabledText(C, A, "&Disabled", taCenter, false);
                        EXPECT_EQ(C->GetFont()->GetColor(), clBtnShadow);
                    },
                    Probes({0, 0, Face, 159, 59, Face, 80, 5, Face}), ExpectEmbossed});
    // The see-through child (added below) sits at (30, 10), 80 x 40; a
    // control without a parent window draws nothing.
    List.push_back({"DrawTransparent (child)",
                    [](TCanvas* C, const TRect& A) {
                        Fill(C, Bounds(A.Left, A.Top, 70, 60), clFuchsia);
                        Fill(C, Bounds(A.Left + 70, A.Top, 90, 60), clGreen);
                        Fill(C, TRect(A.Left, A.Top + 25, A.Right, A.Top + 35), clNavy);
                        std::unique_ptr<TSeeThrough, FreeDeleter> Orphan(New<TSeeThrough>(nullptr));
                        DrawTransparent(Orphan.get(), C);
                    },
                    Probes({29, 30, clNavy, 110, 30, clNavy}),
                    [](const TCellView& V) {
                        auto* Child = static_cast<TWinControl*>(V.Sheet)->GetControls(0);
                        for (TProbe P : {TProbe{0, 0, clBlack},
                                         {79, 39, clBlack},
                                         {1, 1, clFuchsia},
                                         {10, 5, clFuchsia},
                                         {70, 35, clGreen},
                                         {30, 20, clNavy}})
                            EXPECT_EQ(platform::test::PixelAt(Child, P.X, P.Y), P.Color) << P.X << "," << P.Y;
                    }});
    return List;
}

TEST(GxSharedDrawSheet, EveryRoutinePaintsWhatItIsAskedFor)
{
    RegisterBitmapResource("GXDRAWSHEETGLYPH", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(32, 32);
        Fill(B->GetCanvas(), TRect(0, 0, 32, 32), clAqua);
        B->GetCanvas()->GetBrush()->SetColor(clMaroon);
        B->GetCanvas()->GetPen()->SetColor(clMaroon);
        B->GetCanvas()->Ellipse(3, 3, 29, 29);
    });
    CheckSheet(Cells(), 170, "GxSharedDraw.png", [](TSheet* Sheet) {
        auto* Child = New<TSeeThrough>(Sheet->GetOwner());
        Child->SetParent(Sheet);
        const TRect Last = Sheet->Area(int(Sheet->List.size()) - 1);
        Child->SetBounds(Last.Left + 30, Last.Top + 10, 80, 40);
    });
}

} // namespace
