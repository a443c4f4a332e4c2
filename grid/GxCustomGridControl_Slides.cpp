// grid/GxCustomGridControl_Slides.cpp: painting the slides view. Every row
// in view is a band SlideSize high across the client width, filled by its
// selection, with each visible column's cell at its own box inside it and
// the column's caption beside or above the box. The rows are walked once
// from the top of the view through the store's on-screen index, so hidden
// rows cost nothing, and a slide outside what is repainted is passed by.
#include "grid/GxCustomGridControl.h"
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <cstdint>

namespace GxCustomGridControl {

using GxSharedCommon::TGraphicsProvider;

void TGxCustomGridControl::PaintSlides()
{
    PaintSlidesParts();
    PaintSlidesRows();
}

void TGxCustomGridControl::PaintSlidesParts()
{
    if (!FOptions.Contains(goHeader)) return;
    DrawHeaders();
    if (FOptions.Contains(goIndicator)) {
        const TRect Box(0, 0, IndicatorWidth, FHeaderSize);
        if (MeetsPaint(Box)) FStyleDisplay->DrawCornerBox(Box, bpAlone);
    }
}

void TGxCustomGridControl::DrawHeaders()
{
    TCanvas* Canvas = GetCanvas();
    const int Width = GetClientWidth();
    int X = GetBodyRect().Left - GetHorzScrollPos();
    for (int Position = 0; Position < FColumns->GetCount() && X < Width; ++Position) {
        TGxCustomColumn* Column = FColumns->GetPositionItem(Position);
        if (!Column->GetVisible()) continue;
        X += Column->GetWidth();
        if (X < 0) continue;
        const TRect R = Column->GetMemberRect(ckHeader);
        if (!MeetsPaint(R)) continue;
        PrepareStyleDisplay();
        FStyleDisplay->DrawHeader(Column, R);
    }
    if (X >= Width) return;
    // The themed look carries the header on as an empty, inactive strip.
    const TRect Rest(std::max(X, 0), 0, Width, FHeaderSize);
    if (!MeetsPaint(Rest)) return;
    if (Themed() && FHeaderStyle == hsAuto) {
        PrepareStyleDisplay();
        FStyleDisplay->DrawInactiveHeader(Rest);
        return;
    }
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(Rest);
}

TColor TGxCustomGridControl::SlideFillColor(bool Selected)
{
    if (!Selected) return GetColor();
    if (Focused()) return FSlideSelectionColor;
    return FSlidesOptions.Contains(soHideSelection) ? GetColor() : clBtnFace;
}

void TGxCustomGridControl::PaintSlidesRows()
{
    TCanvas* Canvas = GetCanvas();
    const TRect Client = GetClientRect();
    const TRect Body = GetBodyRect();
    const int Width = Client.Right;
    const int Count = GetRowCount();
    const int Selected = GetSelectedRow();
    const bool Integral = IntegralHeight();
    const bool Lines = FOptions.Contains(goGrid);
    // A 3-D line lies in the slide's own top space; without one it would
    // paint over the slide above, which a repaint of that slide alone misses.
    const bool Lines3D = FAppearanceOptions.Contains(ao3DGridLines) && FGridSpace[lpTop] > 0;
    const bool HasFocus = Focused();
    // The visible columns, once for all slides.
    FPaintColumns.clear();
    for (int Col = 0; Col < FColumns->GetCount(); ++Col)
        if (FColumns->GetItem(Col)->GetVisible()) FPaintColumns.push_back(Col);
    const TScopeExit Done([this, Canvas, Client] {
        FPaintRow = -1;
        GxSharedDraw::SetClipRect(Canvas, Client);
    });
    std::int64_t Y = Body.Top;
    int Row = VisibleFrom(FFirstRowInView);
    FLastPaintedRow = Row < 0 ? std::max(Count, FFirstRowInView) : Row;
    bool Finished = false;
    while (Row >= 0 && Row < Count && !Finished && Y < Body.Bottom) {
        FPaintRow = Row;
        FPaintTop = int(Y);
        Y += FGridSpace[lpTop];
        const TRect R(0, int(Y), Width, int(Y + FSlideSize + FGridSpace[lpBottom]));
        const bool Cut = Integral && Y + FSlideSize + FGridSpace[lpBottom] > Body.Bottom;
        // The band the slide paints, its 3-D line above it included.
        const TRect Band(0, R.Top - FGridSpace[lpTop], Width, R.Bottom);
        if (MeetsPaint(Band)) {
            if (Lines3D) {
                Canvas->GetPen()->SetColor(GetColor());
                Canvas->Polyline({{0, R.Top - 1}, {Width, R.Top - 1}});
            }
            TColor SlideColor = SlideFillColor(GetSelected(Row));
            TColor GridColor = FGridLinesColor;
            TSlideState State;
            if (Row == Selected) {
                State.Include(stSelected);
                if (FSlidesOptions.Contains(soFrame)) State.Include(stFocused);
            }
            DoSlideColoring(Row, SlideColor, GridColor, State);
            SetClipCellRect(R);
            Canvas->GetBrush()->SetColor(SlideColor);
            Canvas->FillRect(R);
            // A slide passing the body's bottom shows no cells: they would be cut.
            if (!Cut)
                for (const int Col : FPaintColumns) {
                    DrawCell(Col, Row);
                    SetClipCellRect(R);
                    DrawSlideCaption(Col, Row);
                }
            SetClipCellRect(R);
            if (State.Contains(stFocused)) {
                Canvas->GetBrush()->SetColor(HasFocus ? FSelectionColor : FInactiveSelectionColor);
                Canvas->FrameRect(TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
                Canvas->FrameRect(TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2));
            }
            if (Lines) {
                const int Line = R.Bottom - 1;
                Canvas->GetPen()->SetColor(GridColor);
                Canvas->Polyline({{0, Line}, {Width, Line}});
            }
            GxSharedDraw::SetClipRect(Canvas, Client);
        }
        Y += std::int64_t(FSlideSize) + FGridSpace[lpBottom];
        FLastPaintedRow = Row + 1;
        Finished = Cut;
        Row = GetNextOnScreen(Row);
    }
    FPaintRow = -1;
    if (Y < Client.Bottom) {
        const TRect Below(0, int(Y), Width, Client.Bottom);
        if (MeetsPaint(Below)) {
            Canvas->GetBrush()->SetColor(GetColor());
            Canvas->FillRect(Below);
        }
    }
}

void TGxCustomGridControl::DrawSlideCaption(int ACol, int ARow)
{
    TGxCustomColumn* Column = FColumns->GetItem(ACol);
    if (Column->GetSlideCaption().empty()) return;
    const WideString Caption = Utf8ToWide(Column->GetSlideCaption());
    TCanvas* Canvas = GetCanvas();
    TFont* Font = Canvas->GetFont();
    Font->Assign(Column->GetFont());
    Font->SetStyle({});
    const int W = GxClasses::GetTextWidth(Canvas, Caption);
    const int H = GxClasses::GetTextHeight(Canvas, Caption);
    const TGxSlideBounds* B = Column->GetSlideBounds();
    const int Top = PaintCellRect(ACol, ARow).Top;
    TRect Box;
    if (Column->GetSlideCaptionLocation() == clLeft) {
        Box.Left = B->GetLeft() - (W + 2);
        Box.Top = Top;
        Box.Bottom = Top + B->GetHeight();
    } else {
        Box.Left = B->GetLeft() + 2;
        Box.Top = Top - (H + 2);
        Box.Bottom = Box.Top + H;
    }
    Box.Right = Box.Left + W;
    if (!MeetsPaint(Box)) return;
    Font->SetColor(FSlideCaptionColor);
    Canvas->GetBrush()->SetStyle(bsClear);
    const TScopeExit Solid([Canvas] { Canvas->GetBrush()->SetStyle(bsSolid); });
    TGraphicsProvider::DrawTextRect(Canvas, Box, taLeftJustify, Caption, GetBiDiMode());
}

} // namespace GxCustomGridControl
