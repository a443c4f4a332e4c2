// A sheet of every drawing provider's output, one cell each, painted in a
// window. Each cell must receive ink; with QUILLMOTE_SHEET_DIR set the sheet
// is also saved there as GxSharedCommon.png to be looked at.
#include "grid/shared/GxSharedCommon.h"
#include "platform/graphics/Resources.h"
#include "platform/win/WinGdi.h"
#include "tests/grid/shared/SheetSupport.h"

using namespace GxSharedCommon;

namespace {

constexpr int CellWidth = 130;
using TCell = TSheetCell;

std::vector<TCell> Cells()
{
    std::vector<TCell> List;
    List.push_back(
        {"DrawGradient", [](TCanvas* C, const TRect& A) { TGraphicsProvider::DrawGradient(C, A, clRed, clBlue); }});
    List.push_back({"DrawVertGradient",
                    [](TCanvas* C, const TRect& A) { TGraphicsProvider::DrawVertGradient(C, A, clBlack, clYellow); }});
    List.push_back({"DrawButton up/down", [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawButton(C, Bounds(A.Left + 5, A.Top + 5, 50, 25), false);
                        TGraphicsProvider::DrawButton(C, Bounds(A.Left + 65, A.Top + 5, 50, 25), true);
                    }});
    List.push_back({"DrawFocused solid/dotted", [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawFocused(C, Bounds(A.Left + 5, A.Top + 5, 50, 25), true);
                        TGraphicsProvider::DrawFocused(C, Bounds(A.Left + 65, A.Top + 5, 50, 25), false);
                    }});
    List.push_back({"DrawCheckBox states", [](TCanvas* C, const TRect& A) {
                        const bool States[][3] = {{false, false, false}, {true, false, false}, {false, true, true},
                                                  {true, true, true},    {false, false, true}, {true, false, true}};
                        int X = A.Left;
                        for (const auto& S : States) {
                            TGraphicsProvider::DrawCheckBox(nullptr, C, Bounds(X, A.Top, 20, 20), taLeftJustify,
                                                            taAlignTop, S[0], S[1], S[2]);
                            X += 20;
                        }
                    }});
    List.push_back({"DrawTextRect l/c/r", [](TCanvas* C, const TRect& A) {
                        DrawTextRect(C, Bounds(A.Left, A.Top, 120, 15), taLeftJustify, u"Left", bdLeftToRight);
                        DrawTextRect(C, Bounds(A.Left, A.Top + 15, 120, 15), taCenter, u"Centre", bdLeftToRight);
                        TGraphicsProvider::DrawTextRect(C, Bounds(A.Left, A.Top + 30, 120, 15), taRightJustify,
                                                        u"Right", bdLeftToRight);
                        DrawTextRect(C, Bounds(A.Left, A.Top + 45, 60, 15), taLeftJustify, u"A long text that is cut",
                                     bdLeftToRight);
                    }});
    List.push_back({"DrawWrapedTextRect", [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawWrapedTextRect(C, A, taCenter, taVerticalCenter, true,
                                                              u"Wrapped words in the middle of a cell", bdLeftToRight);
                    }});
    List.push_back({"DrawVerticalText", [](TCanvas* C, const TRect& A) {
                        DrawVerticalText(C, Bounds(A.Left + 5, A.Top, 30, A.Height()), "Upwards");
                        C->GetBrush()->SetStyle(bsSolid);
                    }});
    List.push_back({"DrawMaskedImage", [](TCanvas* C, const TRect& A) {
                        TBitmap Image, Mask;
                        Image.SetPixelFormat(pf24bit);
                        Image.SetSize(60, 40);
                        Mask.SetPixelFormat(pf24bit);
                        Mask.SetSize(60, 40);
                        TGraphicsProvider::DrawGradient(Image.GetCanvas(), TRect(0, 0, 60, 40), clLime, clRed);
                        TGraphicsProvider::DrawVertGradient(Mask.GetCanvas(), TRect(0, 0, 60, 40), clBlack, clWhite);
                        C->GetBrush()->SetColor(clNavy);
                        C->FillRect(Bounds(A.Left, A.Top, 60, 40));
                        TMaskProvider::DrawMaskedImage(C, A.Left, A.Top, &Image, &Mask);
                    }});
    List.push_back({"ApplyBitmap x2 / DrawBitmap", [](TCanvas* C, const TRect& A) {
                        auto P(Picture32(36, 40));
                        C->GetBrush()->SetColor(clSilver);
                        C->FillRect(Bounds(A.Left, A.Top, 120, 40));
                        TDrawProvider::ApplyBitmap(C, A.Left, A.Top, P.get());
                        ApplyBitmap(C, A.Left + 40, A.Top, P.get());
                        TDrawProvider::DrawBitmap(C, A.Left + 80, A.Top, P.get(), clYellow);
                    }});
    List.push_back({"GrayscaleBitmap 32/24", [](TCanvas* C, const TRect& A) {
                        auto P(Picture32(40, 40));
                        TDrawProvider::GrayscaleBitmap(C, A.Left, A.Top, P.get(), clWhite);
                        P->SetPixelFormat(pf24bit);
                        TDrawProvider::GrayscaleBitmap(C, A.Left + 50, A.Top, P.get(), clWhite);
                    }});
    List.push_back({"DrawFontPreview", [](TCanvas* C, const TRect& A) {
                        TDisplayProvider::DrawFontPreview(C, Bounds(A.Left, A.Top, 40, 20), "Tahoma");
                        TDisplayProvider::DrawFontPreview(C, Bounds(A.Left + 50, A.Top, 40, 20), "Courier New");
                        C->GetFont()->SetColor(clBlack);
                    }});
    List.push_back({"DrawPolyline / flipped", [](TCanvas* C, const TRect& A) {
                        const std::vector<TPoint> Zigzag{{A.Left, A.Top + 40},
                                                         {A.Left + 20, A.Top + 5},
                                                         {A.Left + 40, A.Top + 30},
                                                         {A.Left + 60, A.Top}};
                        C->GetPen()->SetColor(clBlue);
                        DrawPolyline(C, Zigzag, Bounds(A.Left, A.Top, 60, 45), false);
                        C->GetPen()->SetColor(clRed);
                        DrawPolyline(C, Zigzag, Bounds(A.Left, A.Top, 60, 45), true);
                        C->GetPen()->SetColor(clBlack);
                    }});
    List.push_back({"Clip rect / polygon", [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::SetClipingRect(C, Bounds(A.Left + 5, A.Top + 5, 40, 30));
                        TGraphicsProvider::DrawGradient(C, A, clTeal, clWhite);
                        const std::vector<TPoint> Star{{A.Left + 85, A.Top},
                                                       {A.Left + 95, A.Top + 40},
                                                       {A.Left + 65, A.Top + 15},
                                                       {A.Left + 105, A.Top + 15},
                                                       {A.Left + 75, A.Top + 40}};
                        TGraphicsProvider::SetClipingPolygon(C, Star, int(Star.size()));
                        C->GetBrush()->SetColor(clFuchsia);
                        C->FillRect(A);
                        SelectClipRgn(C->GetHandle(), nullptr);
                    }});
    List.push_back({"DrawBitmapFromRes / Image", [](TCanvas* C, const TRect& A) {
                        TGraphicsProvider::DrawBitmapFromRes(C, A.Left, A.Top, "GXSHEETGLYPH", false);
                        TGraphicsProvider::DrawImageFromRes(C, A.Left + 30, A.Top, "GXSHEETGLYPH");
                    }});
    List.push_back({"BlendColor int / real", [](TCanvas* C, const TRect& A) {
                        for (int I = 0; I < 6; ++I) {
                            C->GetBrush()->SetColor(TGraphicsProvider::BlendColor(clRed, clBlue, I * 51));
                            C->FillRect(Bounds(A.Left + I * 20, A.Top, 20, 20));
                            C->GetBrush()->SetColor(TGraphicsProvider::BlendColor(clRed, clBlue, I / 5.0));
                            C->FillRect(Bounds(A.Left + I * 20, A.Top + 22, 20, 20));
                        }
                    }});
    List.push_back({"HTML colours", [](TCanvas* C, const TRect& A) {
                        const char* Names[] = {"coral", "#3366CC", "darkseagreen", "gold", "indigo", "not a colour"};
                        for (int I = 0; I < 6; ++I) {
                            const TColor Color = GetColorFromHTML(Names[I]);
                            C->GetBrush()->SetColor(Color == clNone ? clWhite : Color);
                            C->GetPen()->SetColor(clBlack);
                            C->Rectangle(Bounds(A.Left + I * 20, A.Top, 18, 18));
                        }
                        C->GetBrush()->SetColor(clWhite);
                        C->TextOut(A.Left, A.Top + 24, HTMLColorToString(GetColorFromHTML("coral")));
                    }});
    return List;
}

TEST(GxSharedCommonSheet, EveryProviderPaintsItsCell)
{
    RegisterBitmapResource("GXSHEETGLYPH", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(24, 24);
        B->GetCanvas()->GetBrush()->SetColor(clLime);
        B->GetCanvas()->FillRect(TRect(0, 0, 24, 24));
        B->GetCanvas()->GetBrush()->SetColor(clPurple);
        B->GetCanvas()->Ellipse(3, 3, 21, 21);
    });
    CheckSheet(Cells(), CellWidth, "GxSharedCommon.png");
}

} // namespace
