// Every drawing provider in a cell of a sheet, with the pixels each must and
// must not paint; QUILLMOTE_SHEET_DIR keeps the sheet as GxSharedCommon.png.
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/graphics/Resources.h"
#include "platform/win/WinGdi.h"
#include "tests/grid/shared/SheetSupport.h"

using namespace GxSharedCommon;

namespace {

const TColor Face = ColorToRGB(clBtnFace), Light = ColorToRGB(clBtnHighlight), Shade = ColorToRGB(clBtnShadow),
             Highlight = ColorToRGB(clHighlight);

// Six check boxes in 20-pixel squares: (checked, down, hover) for each.
constexpr bool BoxStates[][3] = {{false, false, false}, {true, false, false}, {false, true, true},
                                 {true, true, true},    {false, false, true}, {true, false, true}};

std::vector<TProbe> CheckBoxProbes()
{
    std::vector<TProbe> P;
    const bool Themed = GxThemesSupport::IsThemed();
    for (int I = 0; I < 6; ++I) {
        const int X = I * 20 + 2; // the box's left, two pixels in
        const bool Checked = BoxStates[I][0], Down = BoxStates[I][1];
        P.push_back({X - 1, 8, clWhite});
        if (Themed) {
            // The themed 13 x 13 part: its frame, and the tick or the window colour inside.
            P.push_back({X, 8, Shade, 0x30});
            P.push_back({X + 13, 8, clWhite});
            P.push_back(Checked ? TProbe{X + 4, 10, clBlack, 0x60} : TProbe{X + 6, 8, clWhite, 0x30});
            continue;
        }
        // The classic 11 x 11 box in the shadow colour, the button face inside when down.
        P.push_back({X, 2, Shade});
        P.push_back({X + 10, 12, Shade});
        P.push_back({X + 11, 8, clWhite});
        P.push_back({X + 5, 10, Down ? Face : clWhite});
        // The tick: three lines from (2, 4) by (4, 6) towards (9, 1), their ends unpainted.
        for (TProbe T : {TProbe{2, 4, clBlack}, {4, 6, clBlack}, {4, 8, clBlack}, {8, 2, clBlack}})
            P.push_back(Checked ? TProbe{X + T.X, 2 + T.Y, T.Color} : TProbe{X + T.X, 2 + T.Y, Down ? Face : clWhite});
        P.push_back({X + 9, 3, Down ? Face : clWhite});
    }
    return P;
}

// The ink of the text drawn in each band of a cell.
void ExpectTextPlaced(const TCellView& V)
{
    const TRect Left = V.Ink(TRect(0, 0, 120, 15)), Right = V.Ink(TRect(0, 15, 120, 30)),
                Centre = V.Ink(TRect(0, 30, 120, 45)), Cut = V.Ink(TRect(0, 45, 120, 60));
    EXPECT_LE(Left.Left, 1);
    EXPECT_GE(Right.Right, 118);
    EXPECT_NEAR((Centre.Left + Centre.Right) / 2.0, 60, 2);
    EXPECT_NEAR((Left.Top + Left.Bottom) / 2.0, 7.5, 3); // vertically centred
    EXPECT_EQ(Left.Width(), Right.Width());
    // Too long for 60 pixels: cut there, and the end is dots low on the line.
    EXPECT_LE(Cut.Right, 60);
    EXPECT_LE(V.Ink(TRect(Cut.Right - 3, 45, Cut.Right, 60)).Height(), 3);
}

void ExpectWrappedPlaced(const TCellView& V)
{
    const TRect Top = V.Ink(TRect(0, 0, 38, 60)), Bottom = V.Ink(TRect(41, 0, 79, 60)),
                Middle = V.Ink(TRect(82, 0, 120, 60));
    EXPECT_GT(Top.Height(), 2 * 10); // several lines
    EXPECT_LE(Top.Top, 4);
    EXPECT_GE(Bottom.Bottom, 55);
    EXPECT_EQ(Bottom.Height(), Top.Height());
    EXPECT_NEAR((Middle.Top + Middle.Bottom) / 2.0, 30, 4);
}

std::vector<TSheetCell> Cells()
{
    std::vector<TSheetCell> List;
    // Rows from the first colour towards the second (the middle one exactly half way);
    // one row is the first colour; empty rectangles take nothing.
    List.push_back({"DrawGradient",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawGradient(C, Bounds(A.Left, A.Top, 120, 50), clRed, clBlue);
                        TGraphicsProvider::DrawGradient(C, Bounds(A.Left, A.Top + 54, 120, 1), clLime, clBlue);
                        TGraphicsProvider::DrawGradient(C, Bounds(A.Left, A.Top + 57, 120, 0), clRed, clBlue);
                        TGraphicsProvider::DrawGradient(C, TRect(A.Left, A.Top + 59, A.Right, A.Top + 56), clRed,
                                                        clBlue);
                    },
                    Probes({0,  0,  clRed,   119, 0,  clRed,  60, 25, TColor(0x800080), 60, 49, TColor(RGB(5, 0, 250)),
                            60, 50, clWhite, 60,  54, clLime, 60, 57, clWhite,          60, 58, clWhite})});
    List.push_back({"DrawVertGradient",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawVertGradient(C, Bounds(A.Left, A.Top, 100, 60), clBlack, clWhite);
                    },
                    Probes({0, 30, clBlack, 0, 59, clBlack, 50, 0, TColor(0x808080), 75, 30, TColor(0xBFBFBF), 99, 59,
                            TColor(0xFCFCFC), 100, 30, clWhite})});
    List.push_back({"DrawButton up/down",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawButton(C, Bounds(A.Left + 5, A.Top + 5, 50, 25), false);
                        TGraphicsProvider::DrawButton(C, Bounds(A.Left + 65, A.Top + 5, 50, 25), true);
                    },
                    Probes({5,  5,  Light, 5,  28, Light,   54, 5, Shade, 54,  29, Shade,
                            30, 17, Face,  55, 17, clWhite, 65, 5, Light, 114, 29, ColorToRGB(clWindowFrame),
                            90, 17, Face})});
    // Solid; dotted; dotted twice, which erases itself.
    List.push_back({"DrawFocused solid/dotted",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawFocused(C, Bounds(A.Left, A.Top + 5, 38, 25), true);
                        HDC DC = C->GetHandle();
                        SetBkColor(DC, RGB(1, 2, 3));
                        SetTextColor(DC, RGB(4, 5, 6));
                        TGraphicsProvider::DrawFocused(C, Bounds(A.Left + 41, A.Top + 5, 38, 25), false);
                        EXPECT_EQ(GetBkColor(DC), RGB(1, 2, 3)); // the colours are put back
                        EXPECT_EQ(GetTextColor(DC), RGB(4, 5, 6));
                        for (int I = 0; I < 2; ++I)
                            TGraphicsProvider::DrawFocused(C, Bounds(A.Left + 82, A.Top + 5, 38, 25), false);
                    },
                    Probes({0,       5,  Highlight, 37,      29, Highlight, 19,      17,  clWhite, 60,     17,
                            clWhite, 82, 5,         clWhite, 83, 5,         clWhite, 119, 29,      clWhite}),
                    [](const TCellView& V) {
                        // Every other pixel of the edge turned from white to black.
                        EXPECT_NE(V.At(41, 5), V.At(42, 5));
                        EXPECT_EQ(V.At(41, 5) + V.At(42, 5), TColor(0xFFFFFF));
                    }});
    List.push_back({"DrawCheckBox states",
                    [](TCanvas* C, const TRect& A) {
                        for (int I = 0; I < 6; ++I)
                            TGraphicsProvider::DrawCheckBox(nullptr, C, Bounds(A.Left + I * 20, A.Top, 20, 20),
                                                            taLeftJustify, taAlignTop, BoxStates[I][0], BoxStates[I][1],
                                                            BoxStates[I][2]);
                    },
                    CheckBoxProbes()});
    List.push_back(
        {"DrawTextRect l/r/c",
         [](TCanvas* C, const TRect& A) {
             TGraphicsProvider::DrawTextRect(C, Bounds(A.Left, A.Top, 120, 15), taLeftJustify, u"WW", bdLeftToRight);
             EXPECT_EQ(C->GetBrush()->GetStyle(), bsSolid);
             DrawTextRect(C, Bounds(A.Left, A.Top + 15, 120, 15), taRightJustify, u"WW", bdLeftToRight);
             DrawTextRect(C, Bounds(A.Left, A.Top + 30, 120, 15), taCenter, u"WW", bdLeftToRight);
             DrawTextRect(C, Bounds(A.Left, A.Top + 45, 60, 15), taLeftJustify, u"WWWWWWWWWWWWWWWW", bdLeftToRight);
         },
         Probes({119, 7, clWhite, 0, 22, clWhite, 2, 37, clWhite, 118, 37, clWhite, 90, 52, clWhite}),
         ExpectTextPlaced});
    List.push_back({"DrawWrapedTextRect",
                    [](TCanvas* C, const TRect& A) {
                        const WideString Text = u"aaa bbb ccc";
                        TGraphicsProvider::DrawWrapedTextRect(C, Bounds(A.Left, A.Top, 38, 60), taLeftJustify,
                                                              taAlignTop, true, Text, bdLeftToRight);
                        TGraphicsProvider::DrawWrapedTextRect(C, Bounds(A.Left + 41, A.Top, 38, 60), taLeftJustify,
                                                              taAlignBottom, true, Text, bdLeftToRight);
                        TGraphicsProvider::DrawWrapedTextRect(C, Bounds(A.Left + 82, A.Top, 38, 60), taCenter,
                                                              taVerticalCenter, true, Text, bdLeftToRight);
                        EXPECT_EQ(C->GetBrush()->GetStyle(), bsSolid);
                    },
                    Probes({20, 58, clWhite, 60, 1, clWhite, 100, 1, clWhite, 100, 58, clWhite}), ExpectWrappedPlaced});
    // Upwards from the bottom of its rectangle and no further than its top;
    // the brush stays clear, the font as it was.
    List.push_back({"DrawVerticalText",
                    [](TCanvas* C, const TRect& A) {
                        const int Height = C->TextHeight("W");
                        DrawVerticalText(C, Bounds(A.Left + 5, A.Top + 20, 40, 40), "Upwards and upwards");
                        EXPECT_EQ(C->GetBrush()->GetStyle(), bsClear);
                        C->GetBrush()->SetStyle(bsSolid);
                        EXPECT_EQ(C->TextHeight("W"), Height);
                    },
                    Probes({25, 10, clWhite, 4, 40, clWhite, 40, 40, clWhite}),
                    [](const TCellView& V) {
                        const TRect Ink = V.Ink(TRect(0, 0, 120, 60));
                        EXPECT_GE(Ink.Top, 20);
                        EXPECT_LE(Ink.Bottom, 60 - 13 + 1); // the line's cell sits at the bottom
                        EXPECT_GT(Ink.Height(), 2 * Ink.Width());
                        EXPECT_GE(Ink.Left, 5);
                        EXPECT_LE(Ink.Right, 5 + 16);
                    }});
    // Red through a mask of white, black and grey thirds onto navy.
    List.push_back({"DrawMaskedImage",
                    [](TCanvas* C, const TRect& A) {
                        TBitmap Image, Mask;
                        Image.SetSize(60, 40);
                        Image.GetCanvas()->GetBrush()->SetColor(clRed);
                        Image.GetCanvas()->FillRect(TRect(0, 0, 60, 40));
                        Mask.SetPixelFormat(pf4bit);
                        Mask.SetSize(60, 40);
                        for (auto [Left, Color] : {std::pair{0, clWhite}, {20, clBlack}, {40, clGray}}) {
                            Mask.GetCanvas()->GetBrush()->SetColor(Color);
                            Mask.GetCanvas()->FillRect(TRect(Left, 0, Left + 20, 40));
                        }
                        C->GetBrush()->SetColor(clNavy);
                        C->FillRect(Bounds(A.Left, A.Top, 60, 40));
                        TMaskProvider::DrawMaskedImage(C, A.Left, A.Top, &Image, &Mask);
                        EXPECT_EQ(Mask.GetPixelFormat(), pf24bit);
                    },
                    Probes({10, 20, TColor(0x0000FE), 30, 20, TColor(0x7F0000), 50, 20,
                            TMaskProvider::MixColors(clRed, clNavy, 128), 60, 20, clWhite})});
    // Each band of the picture (alpha 255, 0, 128) over blue, four ways; a
    // picture of another format is drawn as it is, or turned grey in place.
    const TColor Mixed = TMaskProvider::MixColors(clRed, clBlue, 128);
    List.push_back({"ApplyBitmap x2 / DrawBitmap / Grayscale",
                    [](TCanvas* C, const TRect& A) {
                        auto P = AlphaBands();
                        C->GetBrush()->SetColor(clBlue);
                        C->FillRect(Bounds(A.Left, A.Top, 120, 36));
                        TDrawProvider::ApplyBitmap(C, A.Left, A.Top, P.get());
                        ApplyBitmap(C, A.Left + 25, A.Top, P.get());
                        TDrawProvider::DrawBitmap(C, A.Left + 50, A.Top, P.get(), clLime);
                        TDrawProvider::GrayscaleBitmap(C, A.Left + 75, A.Top, P.get(), clWhite);
                        TBitmap Plain;
                        Plain.SetPixelFormat(pf8bit);
                        Plain.SetSize(20, 20);
                        Plain.GetCanvas()->GetBrush()->SetColor(clRed);
                        Plain.GetCanvas()->FillRect(TRect(0, 0, 20, 20));
                        TDrawProvider::ApplyBitmap(C, A.Left, A.Top + 40, &Plain);
                        TDrawProvider::GrayscaleBitmap(C, A.Left + 25, A.Top + 40, &Plain, clLime);
                        EXPECT_EQ(Plain.GetPixelFormat(), pf24bit);
                    },
                    Probes({10, 5,  clRed, 10, 17, clBlue,   10,  30, 0x7F0080, 35, 5, 0x0000FE, 35, 17, 0xFE0000,
                            35, 30, Mixed, 60, 5,  0x0000FE, 60,  17, 0x00FE00, 85, 5, 0x545454, 85, 17, 0xFEFEFE,
                            10, 50, clRed, 35, 50, 0x555555, 100, 17, clBlue})});
    List.push_back({"DrawFontPreview",
                    [](TCanvas* C, const TRect& A) {
                        TDisplayProvider::DrawFontPreview(C, Bounds(A.Left, A.Top, 40, 20), "Tahoma");
                        EXPECT_EQ(C->GetFont()->GetName(), "Tahoma");
                        C->GetFont()->SetColor(clBlack);
                    },
                    Probes({0, 19, Highlight, 39, 0, Highlight, 40, 5, clWhite, 5, 20, clWhite}),
                    [](const TCellView& V) { EXPECT_NE(V.Ink(TRect(0, 0, 40, 20), Highlight), TRect()); }});
    // The same line, flipped in a 40-pixel rectangle first: the copy moves, not the line.
    List.push_back({"DrawPolyline / flipped",
                    [](TCanvas* C, const TRect& A) {
                        const std::vector<TPoint> Line{{A.Left, A.Top + 2}, {A.Left + 100, A.Top + 2}};
                        C->GetPen()->SetColor(clRed);
                        DrawPolyline(C, Line, Bounds(A.Left, A.Top, 100, 40), true);
                        C->GetPen()->SetColor(clBlue);
                        DrawPolyline(C, Line, Bounds(A.Left, A.Top, 100, 40), false);
                        C->GetPen()->SetColor(clBlack);
                    },
                    Probes({50, 38, clRed, 50, 2, clBlue, 50, 20, clWhite})});
    // A rectangle, then a square polygon whose every corner counts.
    List.push_back({"Clip rect / polygon",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::SetClipingRect(C, Bounds(A.Left + 5, A.Top + 5, 40, 30));
                        C->GetBrush()->SetColor(clTeal);
                        C->FillRect(A);
                        const std::vector<TPoint> Square{{A.Left + 60, A.Top},
                                                         {A.Left + 100, A.Top},
                                                         {A.Left + 100, A.Top + 40},
                                                         {A.Left + 60, A.Top + 40}};
                        TGraphicsProvider::SetClipingPolygon(C, Square, int(Square.size()));
                        C->GetBrush()->SetColor(clFuchsia);
                        C->FillRect(A);
                        SelectClipRgn(C->GetHandle(), nullptr);
                    },
                    Probes({5,  5,  clTeal,    44, 34, clTeal,    45,  20, clWhite, 20, 35, clWhite,
                            62, 38, clFuchsia, 98, 2,  clFuchsia, 100, 20, clWhite, 80, 40, clWhite})});
    // A lime glyph with a purple disc, then twice without its bottom-left colour.
    List.push_back({"DrawBitmapFromRes / Image",
                    [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawBitmapFromRes(C, A.Left, A.Top, "GXSHEETGLYPH", false);
                        TGraphicsProvider::DrawBitmapFromRes(C, A.Left + 30, A.Top, "gxsheetglyph", true);
                        TGraphicsProvider::DrawImageFromRes(C, A.Left + 60, A.Top, "GxSheetGlyph");
                        EXPECT_THROW(TGraphicsProvider::DrawImageFromRes(C, A.Left, A.Top, "NOSUCHGLYPH"),
                                     EResNotFound);
                    },
                    Probes({0, 0, clLime, 12, 12, clPurple, 30, 0, clWhite, 42, 12, clPurple, 60, 23, clWhite, 72, 12,
                            clPurple})});
    return List;
}

TEST(GxSharedCommonSheet, EveryProviderPaintsWhatItIsAskedFor)
{
    RegisterBitmapResource("GXSHEETGLYPH", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(24, 24);
        B->GetCanvas()->GetBrush()->SetColor(clLime);
        B->GetCanvas()->FillRect(TRect(0, 0, 24, 24));
        B->GetCanvas()->GetBrush()->SetColor(clPurple);
        B->GetCanvas()->GetPen()->SetColor(clPurple);
        B->GetCanvas()->Ellipse(3, 3, 21, 21);
    });
    CheckSheet(Cells(), 130, "GxSharedCommon.png");
}

} // namespace
