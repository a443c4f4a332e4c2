// grid/GxDisplays_Styles.cpp: the five looks of headers, corner boxes, the
// indicator and area splitters.
#include "grid/GxDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/controls/ExtCtrls.h"

namespace GxDisplays {

using namespace GxSharedCommon;

namespace {

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2)
{
    Canvas->GetPen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void Fill(TCanvas* Canvas, TColor Color, const TRect& Rect)
{
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

// A one-pixel 3-D frame on Rect.
void Frame(TCanvas* Canvas, const TRect& Rect, TColor TopLeft, TColor BottomRight)
{
    TRect R = Rect;
    Frame3D(Canvas, R, TopLeft, BottomRight, 1);
}

} // namespace

// ---- Default -----------------------------------------------------------------------------------------

TStyleDisplayAttributes TDefaultStyleDisplay::GetStyleDisplayAttributes()
{
    if (GetThemed()) return {sdaHoverEnabled};
    return {sdaInvertFocus};
}

void TDefaultStyleDisplay::DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect)
{
    if (GetThemed())
        DrawThemedFrameBox(Column, Rect);
    else
        DrawDefaultFrameBox(Column, Rect);
}

void TDefaultStyleDisplay::DrawThemedFrameBox(TGxCustomColumn* Column, const TRect& Rect)
{
    DrawHeaderPart(Rect, 1, Column->GetFocused() ? 3 : Column->GetHover() ? 2 : 1);
}

void TDefaultStyleDisplay::DrawDefaultFrameBox(TGxCustomColumn* Column, const TRect& Rect)
{
    TCanvas* C = GetCanvas();
    const TColor Face = Column->GetHeader()->GetColor();
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    Fill(C, Face, TRect(L + 1, T + 1, R - 1, B - 1));
    const TColumnLocation Location = Column->GetLocation();
    if (Location == clAlone) {
        Frame(C, Rect, clBtnHighlight, clBtnShadow);
        return;
    }
    // Inner edges stop short of the corners, so neighbouring headers read as
    // one strip; the outer ends of the strip run to the corners.
    Line(C, clBtnHighlight, L, T, R, T);
    if (Location == clLeftSide) {
        Line(C, clBtnHighlight, L, T + 1, L, B - 1);
    } else {
        Line(C, clBtnHighlight, L, T + 2, L, B - 2);
        C->SetPixels(L, T + 1, Face);
        C->SetPixels(L, B - 2, Face);
    }
    Line(C, clBtnShadow, L, B - 1, R, B - 1);
    if (Location == clRightSide) {
        Line(C, clBtnShadow, R - 1, T, R - 1, B - 1);
    } else {
        Line(C, clBtnShadow, R - 1, T + 2, R - 1, B - 2);
        C->SetPixels(R - 1, T + 1, Face);
        C->SetPixels(R - 1, B - 2, Face);
    }
}

void TDefaultStyleDisplay::DrawCornerBox(const TRect& Rect, TBoxLocation Location)
{
    TCanvas* C = GetCanvas();
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    switch (Location) {
    case bpAlone:
        if (GetThemed())
            DrawHeaderPart(Rect, 1, 1);
        else
            TGraphicsProvider::DrawButton(C, Rect, false);
        break;
    case bpBottom:
        // The footer's box: lit on the left and under a shadowed top line.
        Fill(C, clBtnFace, TRect(L + 1, T + 1, R - 1, B));
        Line(C, clBtnHighlight, L, T, L, B);
        Line(C, clBtnHighlight, L + 2, T + 1, R - 2, T + 1);
        C->GetPen()->SetColor(clBtnShadow);
        C->MoveTo(R - 1, T);
        C->LineTo(R - 1, B - 1);
        C->LineTo(L - 1, B - 1);
        Line(C, clBtnShadow, L + 2, T, R - 2, T);
        for (const int Y : {T, T + 1}) {
            C->SetPixels(L + 1, Y, clBtnFace);
            C->SetPixels(R - 2, Y, clBtnFace);
        }
        break;
    case bpTop:
        break;
    }
}

void TDefaultStyleDisplay::DrawInactiveHeader(const TRect& Rect)
{
    if (GetThemed())
        DrawHeaderPart(Rect, 2, 1);
    else
        TStyleDisplay::DrawInactiveHeader(Rect);
}

// ---- Flat -------------------------------------------------------------------------------------------------

void TFlatStyleDisplay::DrawFlatBox(const TRect& Rect, TColor Color)
{
    TCanvas* C = GetCanvas();
    Fill(C, Color, Rect);
    C->GetPen()->SetColor(clGrayText);
    C->MoveTo(Rect.Right - 1, Rect.Top);
    C->LineTo(Rect.Right - 1, Rect.Bottom - 1);
    C->LineTo(Rect.Left - 1, Rect.Bottom - 1);
}

void TFlatStyleDisplay::DrawDefaultFrameBox(TGxCustomColumn* Column, const TRect& Rect)
{
    DrawFlatBox(Rect, Column->GetHeader()->GetColor());
}

void TFlatStyleDisplay::DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect)
{
    DrawDefaultFrameBox(Column, Rect);
}

void TFlatStyleDisplay::DrawIndicator(const TRect& Rect, int /*Index*/)
{
    DrawFlatBox(Rect, clBtnFace);
}

void TFlatStyleDisplay::DrawCornerBox(const TRect& Rect, TBoxLocation /*Location*/)
{
    DrawFlatBox(Rect, clBtnFace);
}

void TFlatStyleDisplay::DrawAreaSplitter(const TRect& Rect)
{
    Fill(GetCanvas(), clBtnFace, Rect);
}

// ---- Old ------------------------------------------------------------------------------------------------------

void TOldStyleDisplay::DrawFrameBox(const TRect& Rect)
{
    Fill(GetCanvas(), clBtnFace, TRect(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1));
    Frame(GetCanvas(), Rect, clBtnHighlight, clWindowFrame);
}

void TOldStyleDisplay::DrawHeaderBackground(TGxCustomColumn* /*Column*/, const TRect& Rect)
{
    DrawFrameBox(Rect);
}

void TOldStyleDisplay::DrawIndicator(const TRect& Rect, int /*Index*/)
{
    DrawFrameBox(Rect);
}

void TOldStyleDisplay::DrawCornerBox(const TRect& Rect, TBoxLocation /*Location*/)
{
    DrawFrameBox(Rect);
}

// ---- Outlook ----------------------------------------------------------------------------------------------------

void TOutlookStyleDisplay::DrawShadeLines(const TRect& Rect, TColor Color)
{
    // The shadow fades into the face over the last three lines.
    int Y = Rect.Bottom - 3;
    for (const int Amount : {50, 100, 150})
        Line(GetCanvas(), GxSharedDraw::BlendColor(clBtnShadow, Color, Amount), Rect.Left, Y, Rect.Right, Y), ++Y;
}

void TOutlookStyleDisplay::DrawFrameBox(TGxCustomColumn* Column, const TRect& Rect)
{
    TCanvas* C = GetCanvas();
    const TColor Face = Column->GetHeader()->GetColor();
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    const TColumnLocation Location = Column->GetLocation();
    Fill(C, Face, TRect(L, T, R, B - 3));
    if (Location == clLeftSide || Location == clAlone)
        Line(C, clBtnHighlight, L, T, L, B - 3);
    else
        Line(C, clBtnHighlight, L, T + 2, L, B - 4);
    if (Location == clRightSide || Location == clAlone)
        Line(C, clBtnShadow, R - 1, T, R - 1, B - 1);
    else
        Line(C, clBtnShadow, R - 1, T + 2, R - 1, B - 4);
    DrawShadeLines(Rect, Face);
}

void TOutlookStyleDisplay::DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect)
{
    DrawFrameBox(Column, Rect);
}

void TOutlookStyleDisplay::DrawCornerBox(const TRect& Rect, TBoxLocation /*Location*/)
{
    TCanvas* C = GetCanvas();
    Fill(C, clBtnFace, TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 3));
    Line(C, clBtnShadow, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom - 3);
    DrawShadeLines(Rect, clBtnFace);
}

void TOutlookStyleDisplay::DrawAreaSplitter(const TRect& Rect)
{
    TGraphicsProvider::DrawButton(GetCanvas(), Rect, false);
}

// ---- Vista ----------------------------------------------------------------------------------------------------------

void TVistaStyleDisplay::DrawEdges(const TRect& Rect)
{
    Line(GetCanvas(), clWhite, Rect.Left, Rect.Top, Rect.Left, Rect.Bottom);
    Line(GetCanvas(), clBtnFace, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
}

void TVistaStyleDisplay::DrawFrameBox(TGxCustomColumn* Column, const TRect& Rect)
{
    TCanvas* C = GetCanvas();
    const TRect Inner(Rect.Left + 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
    DrawEdges(Rect);
    if (!Column->GetSorted()) {
        Fill(C, TColor(0xF0F0F0), Inner);
        return;
    }
    const int ShadeBottom = std::min<int>(Inner.Top + 6, Inner.Bottom);
    GxSharedDraw::DrawVertGradient(C, TRect(Inner.Left, Inner.Top, Inner.Right, ShadeBottom), TColor(0xF0DCAF),
                                   clWhite);
    Fill(C, clWhite, TRect(Inner.Left, ShadeBottom, Inner.Right, Inner.Bottom));
    DrawArrow(Rect.Left + Rect.Width() / 2 - 3, Rect.Top, Column->GetSortKind() == skAscending);
}

void TVistaStyleDisplay::DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect)
{
    DrawFrameBox(Column, Rect);
}

void TVistaStyleDisplay::DrawArrow(int X, int Y, bool Ascending)
{
    TCanvas* C = GetCanvas();
    C->GetPen()->SetColor(clWhite);
    C->GetBrush()->SetColor(clWhite);
    if (Ascending)
        C->Polygon({{X + 3, Y}, {X + 6, Y + 3}, {X, Y + 3}});
    else
        C->Polygon({{X, Y}, {X + 3, Y + 3}, {X + 6, Y}});
}

void TVistaStyleDisplay::DrawIndicator(const TRect& Rect, int /*Index*/)
{
    Fill(GetCanvas(), TColor(0xF0F0F0), TRect(Rect.Left + 1, Rect.Top, Rect.Right - 1, Rect.Bottom));
    DrawEdges(Rect);
}

} // namespace GxDisplays
