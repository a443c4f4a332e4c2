// grid/GxCustomGridControl_Geometry.cpp: the areas of the grid and where
// rows, slides and cells lie. Row positions walk only the rows on screen
// between the top of the view and the row asked for, and never past the
// body's bottom.
#include "grid/GxCustomGridControl.h"

#include <algorithm>
#include <climits>

namespace GxCustomGridControl {

namespace {

int Saturate(std::int64_t Value)
{
    return int(std::clamp<std::int64_t>(Value, INT_MIN, INT_MAX));
}

} // namespace

// ---- Areas ---------------------------------------------------------------------------------------

int TGxCustomGridControl::ColumnsRight()
{
    return Saturate(std::int64_t(FColumns->GetClientWidth()) - GetHorzScrollPos() + IndicatorLeft());
}

TRect TGxCustomGridControl::GetHeaderRect()
{
    return TRect(IndicatorLeft(), 0, ColumnsRight(), FHeaderSize);
}

TRect TGxCustomGridControl::GetInputRect()
{
    const int Top = FOptions.Contains(goHeader) ? FHeaderSize : 0;
    return TRect(IndicatorLeft(), Top, ColumnsRight(), Top + InputHeight());
}

TRect TGxCustomGridControl::GetBodyRect()
{
    TRect Body = BodyToClientRight();
    if (FGridStyle != gsSlides) Body.Right = std::min(ColumnsRight(), Body.Right);
    return Body;
}

TRect TGxCustomGridControl::BodyToClientRight()
{
    TRect Client = GetClientRect();
    const bool Header = FOptions.Contains(goHeader);
    if (FGridStyle == gsSlides) {
        if (Header) Client.Top += FHeaderSize;
        return Client;
    }
    const int Top = (Header ? FHeaderSize : 0) + (FOptions.Contains(goInput) ? InputHeight() : 0);
    const int Bottom =
        FOptions.Contains(goFooter) ? Client.Bottom - FFooterSize - 4 - FGridSpace[lpBottom] : Client.Bottom;
    return TRect(IndicatorLeft(), Top, Client.Right, Bottom);
}

TRect TGxCustomGridControl::GetFooterRect()
{
    if (FGridStyle == gsSlides) return TRect();
    const int Bottom = GetClientHeight();
    return TRect(IndicatorLeft(), Bottom - (FFooterSize + 4) - FGridSpace[lpBottom], ColumnsRight(), Bottom);
}

TRect TGxCustomGridControl::GetIndicatorRect()
{
    return TRect(0, 0, IndicatorWidth, GetClientHeight());
}

TRect TGxCustomGridControl::GetScrollRect()
{
    const TRect Client = GetClientRect();
    return TRect(GetFixedWidth() + IndicatorLeft(), 0, Client.Right, Client.Bottom);
}

TRect TGxCustomGridControl::GetCaptionRect()
{
    const TRect Body = GetBodyRect();
    const int HPos = GetHorzScrollPos();
    TCanvas* Canvas = GetCanvas();
    Canvas->GetFont()->Assign(GetFont());
    const int Top = Body.Top + 1;
    return TRect(Body.Left - HPos, Top, GetClientWidth() - HPos, Top + GetTextHeight(Canvas, FCaption));
}

int TGxCustomGridControl::GetInnerWidth()
{
    const bool Indicator = FGridStyle == gsReport && HasIndicator();
    return GetClientWidth() - (Indicator ? IndicatorWidth : 0);
}

void TGxCustomGridControl::ExcludeGrid(TRect& Rect)
{
    // A cell's top and bottom lines lie outside its rectangle already; its
    // left and right lines inside it.
    Rect.Left += FGridSpace[lpLeft];
    Rect.Right -= FGridSpace[lpRight];
}

// ---- Rows, slides and cells -----------------------------------------------------------------------------

int TGxCustomGridControl::GetActualRowHeight(int ARow)
{
    return FGridStyle == gsSlides ? FSlideSize : GetRowHeight(ARow);
}

int TGxCustomGridControl::HeightOrRowSize(int ARow)
{
    return ARow >= 0 && ARow < GetRowCount() ? GetRowHeight(ARow) : FRowSize;
}

int TGxCustomGridControl::VisibleFrom(int ARow)
{
    return GetNextOnScreen(std::max(ARow, 0) - 1);
}

int TGxCustomGridControl::GetRowTop(int ARow)
{
    const TRect Body = GetBodyRect();
    std::int64_t Y = Body.Top + FGridSpace[lpTop];
    if (ARow <= FFirstRowInView) return int(Y);
    const int Space = FGridSpace[lpTopBottom];
    for (int Row = VisibleFrom(FFirstRowInView); Row >= 0 && Row < ARow; Row = GetNextOnScreen(Row)) {
        const int Height = GetRowHeight(Row);
        if (Height > 0) Y += Height + Space;
        // Below the body every row is out of sight alike.
        if (Y >= Body.Bottom) return Saturate(Y);
    }
    // Rows past the last are RowSize high.
    const int Count = GetRowCount();
    if (ARow > Count) Y += std::int64_t(ARow - std::max(Count, FFirstRowInView)) * (FRowSize + Space);
    return Saturate(Y);
}

TRect TGxCustomGridControl::GetRowRect(int ARow)
{
    const int Top = GetRowTop(ARow);
    return TRect(0, Top, GetBodyRect().Right, Top + HeightOrRowSize(ARow) + FGridSpace[lpBottom]);
}

int TGxCustomGridControl::GetSlideTop(int Index)
{
    const std::int64_t Slides = Index > FFirstRowInView ? GetRowsInRange(FFirstRowInView, Index) : 0;
    return Saturate(GetBodyRect().Top + Slides * (FSlideSize + FGridSpace[lpTopBottom]));
}

TRect TGxCustomGridControl::GetSlideRect(int Index)
{
    TRect R = GetClientRect();
    R.Top = Saturate(std::int64_t(GetSlideTop(Index)) + FGridSpace[lpTop]);
    R.Bottom = Saturate(std::int64_t(R.Top) + FSlideSize);
    return R;
}

TRect TGxCustomGridControl::GetCellRect(int ACol, int ARow)
{
    TGxCustomColumn* Column = FColumns->GetItem(ACol);
    if (FGridStyle == gsSlides) {
        const TGxSlideBounds* B = Column->GetSlideBounds();
        const int Top = B->GetTop() + GetSlideTop(ARow);
        return TRect(B->GetLeft(), Top, B->GetRight(), Top + B->GetHeight());
    }
    const int Left = Column->GetAbsoluteLeft();
    const int Top = GetRowTop(ARow);
    return TRect(Left, Top, Left + Column->GetWidth(), Top + HeightOrRowSize(ARow));
}

int TGxCustomGridControl::GetCellTop(int ACol, int ARow)
{
    if (FGridStyle == gsReport) return GetRowTop(ARow);
    return GetSlideTop(ARow) + FColumns->GetItem(ACol)->GetSlideBounds()->GetTop();
}

TRect TGxCustomGridControl::GetInputCellRect(int Index)
{
    const TGxCustomColumn* Column = FColumns->GetItem(Index);
    const int Top = GetInputRect().Top;
    const int Left = Column->GetAbsoluteLeft();
    return TRect(Left, Top, Left + Column->GetWidth(), Top + FInputSize);
}

TRect TGxCustomGridControl::GetEditingRect()
{
    if (FGridState.Contains(gtEdit)) return GetCellRect(FEditingCell.X, FEditingCell.Y);
    if (FGridState.Contains(gtInput)) return GetInputCellRect(FInputColumnIndex);
    return TRect();
}

bool TGxCustomGridControl::CellBounds(int ACol, int ARow)
{
    return ACol >= 0 && ACol < FColumns->GetCount() && ARow >= 0 && ARow < GetRowCount();
}

} // namespace GxCustomGridControl
