// A sheet of every shared drawing routine's output, one cell each, painted
// in a window. Each cell must receive ink; with QUILLMOTE_SHEET_DIR set the
// sheet is also saved there as GxSharedDraw.png to be looked at.
#include "grid/shared/GxSharedDraw.h"
#include "platform/graphics/Resources.h"
#include "tests/grid/shared/SheetSupport.h"

using namespace GxSharedDraw;

namespace {

constexpr int CellWidth = 150;
using TCell = TSheetCell;

// A navy disc on white, in Format.
std::unique_ptr<TBitmap> Disc(TPixelFormat Format)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(40, 40);
    B->GetCanvas()->GetBrush()->SetColor(clWhite);
    B->GetCanvas()->FillRect(TRect(0, 0, 40, 40));
    B->GetCanvas()->GetBrush()->SetColor(clNavy);
    B->GetCanvas()->GetPen()->SetColor(clRed);
    B->GetCanvas()->Ellipse(4, 4, 36, 36);
    B->SetPixelFormat(Format);
    return B;
}

std::vector<TCell> Cells()
{
    std::vector<TCell> List;
    List.push_back({"DrawHorzGradient", [](TCanvas* C, const TRect& A) { DrawHorzGradient(C, A, clRed, clBlue); }});
    List.push_back(
        {"DrawHorzReflectGrad", [](TCanvas* C, const TRect& A) { DrawHorzReflectGrad(C, A, clWhite, clTeal); }});
    List.push_back({"DrawVertGradient", [](TCanvas* C, const TRect& A) { DrawVertGradient(C, A, clBlack, clYellow); }});
    List.push_back({"DrawVertGlass", [](TCanvas* C, const TRect& A) {
                        DrawVertGlass(C, A, GetColor(ceToolBtnFromColor), GetColor(ceToolBtnToColor), 25);
                    }});
    List.push_back({"DrawVertShine", [](TCanvas* C, const TRect& A) {
                        DrawVertShine(C, A, GetColor(ceToolBtnHFromColor), TColor(0x8B4513), 25);
                    }});
    List.push_back({"DrawVertFade on navy", [](TCanvas* C, const TRect& A) {
                        C->GetBrush()->SetColor(clNavy);
                        C->FillRect(A);
                        DrawVertFade(C, A);
                    }});
    List.push_back({"ApplyBitmap / DrawBitmap", [](TCanvas* C, const TRect& A) {
                        auto B = Picture32(60, 50);
                        C->GetBrush()->SetColor(clLime);
                        C->FillRect(Bounds(A.Left, A.Top, 60, 50));
                        ApplyBitmap(C, A.Left, A.Top, B.get());
                        DrawBitmap(C, A.Left + 68, A.Top, B.get(), clYellow);
                    }});
    List.push_back({"GrayscaleBitmap 24 / 4 bit", [](TCanvas* C, const TRect& A) {
                        auto Colour = Disc(pf24bit);
                        GrayscaleBitmap(Colour.get());
                        C->Draw(A.Left, A.Top, Colour.get());
                        auto Simple = Disc(pf4bit);
                        GrayscaleBitmap(Simple.get());
                        C->Draw(A.Left + 50, A.Top, Simple.get());
                    }});
    List.push_back({"DrawBitmapRes", [](TCanvas* C, const TRect& A) {
                        DrawBitmapRes(C, A.Left, A.Top, "GXDRAWSHEETGLYPH", false);
                        DrawBitmapRes(C, A.Left + 40, A.Top, "GXDRAWSHEETGLYPH", true);
                    }});
    List.push_back({"GetColor elements", [](TCanvas* C, const TRect& A) {
                        for (int E = ceMenuHighlight; E <= ceWhidbeyTabBorder; ++E) {
                            C->GetBrush()->SetColor(GetColor(TColorElement(E)));
                            C->FillRect(Bounds(A.Left + (E % 7) * 19, A.Top + (E / 7) * 26, 17, 24));
                        }
                    }});
    List.push_back({"Lighten -100..+100", [](TCanvas* C, const TRect& A) {
                        for (int I = 0; I < 5; ++I) {
                            C->GetBrush()->SetColor(Lighten(TColor(0x408060), -100 + I * 50));
                            C->FillRect(Bounds(A.Left + I * 26, A.Top, 24, 50));
                        }
                    }});
    List.push_back(
        {"DrawText left/centre/right", [](TCanvas* C, const TRect& A) {
             GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top, A.Right - A.Left, 18), taLeftJustify, u"&Left", false);
             GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top + 18, A.Right - A.Left, 18), taCenter, u"&Centre", true);
             GxSharedDraw::DrawText(C, Bounds(A.Left, A.Top + 36, A.Right - A.Left, 18), taRightJustify,
                                    u"Right a long one cut", false);
         }});
    List.push_back({"DrawPrefixText / DrawTextRect", [](TCanvas* C, const TRect& A) {
                        DrawPrefixText(C, Bounds(A.Left, A.Top, A.Right - A.Left, 25), u"&File and S&ave");
                        DrawTextRect(C, Bounds(A.Left, A.Top + 25, A.Right - A.Left, 25), u"&File and S&ave",
                                     bdLeftToRight);
                    }});
    List.push_back({"DrawDisabledText", [](TCanvas* C, const TRect& A) {
                        C->GetBrush()->SetColor(clBtnFace);
                        C->FillRect(A);
                        DrawDisabledText(C, A, "&Disabled", taCenter, false);
                    }});
    // The see-through child (below) sits in the middle of this cell.
    List.push_back({"DrawTransparent (child)", [](TCanvas* C, const TRect& A) {
                        DrawHorzGradient(C, A, clFuchsia, clGreen);
                        C->GetBrush()->SetColor(clNavy);
                        C->FillRect(TRect(A.Left, A.Top + 25, A.Right, A.Top + 35));
                    }});
    return List;
}

// A framed child that shows its parent's picture through itself.
class TSeeThrough : public TCustomControl {
public:
    explicit TSeeThrough(TComponent* AOwner) : TCustomControl(AOwner) {}

protected:
    void Paint() override
    {
        DrawTransparent(this, GetCanvas());
        GetCanvas()->GetBrush()->SetColor(clBlack);
        GetCanvas()->FrameRect(GetClientRect());
    }
};

TEST(GxSharedDrawSheet, EveryRoutinePaintsItsCell)
{
    RegisterBitmapResource("GXDRAWSHEETGLYPH", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(32, 32);
        B->GetCanvas()->GetBrush()->SetColor(clAqua);
        B->GetCanvas()->FillRect(TRect(0, 0, 32, 32));
        B->GetCanvas()->GetBrush()->SetColor(clMaroon);
        B->GetCanvas()->Ellipse(3, 3, 29, 29);
    });
    CheckSheet(Cells(), CellWidth, "GxSharedDraw.png", [](TSheet* Sheet) {
        auto* Child = New<TSeeThrough>(Sheet->GetOwner());
        Child->SetParent(Sheet);
        const TRect Last = Sheet->Area(int(Sheet->List.size()) - 1);
        Child->SetBounds(Last.Left + 30, Last.Top + 10, 80, 40);
    });
}

} // namespace
