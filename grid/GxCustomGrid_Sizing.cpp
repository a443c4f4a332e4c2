// grid/GxCustomGrid_Sizing.cpp: sizing columns by their splitters and rows
// in the indicator, double clicks, and the lines a resize shows. The lines
// are inverted on the canvas outside Paint; each Paint inverts them again
// inside what it repainted, so a line stays whole while rows arrive under it.
#include "grid/GxCustomGrid.h"
#include "platform/win/WinGdi.h"

#include <algorithm>
#include <cstdint>

namespace GxCustomGrid {

namespace {

// A splitter reaches 3 pixels left of a column's right edge and 2 right of it.
constexpr int GripLeft = 3, GripRight = 2;
// Row splitters are found in the indicator strip and one pixel beside it.
constexpr int RowGripWidth = IndicatorWidth + 1;
// Neither a column nor a row is sized below this.
constexpr int MinSize = 8;

int ToClient(std::int64_t Value)
{
    return int(std::clamp<std::int64_t>(Value, INT32_MIN / 2, INT32_MAX / 2));
}

} // namespace

// ---- Where the splitters are ------------------------------------------------------------------

TGxCustomColumn* TGxCustomGrid::GetColumnSizeGripAtPos(int X, int /*Y*/)
{
    TGxColumns* Columns = GetColumns();
    const int ScrollLeft = GetScrollRect().Left;
    for (int Pos = 0; Pos < Columns->GetCount(); ++Pos) {
        TGxCustomColumn* Column = Columns->GetPositionItem(Pos);
        if (!Column->GetVisible() || Column->GetOptions().Contains(coFixedSize)) continue;
        const int Right = Column->GetAbsoluteLeft() + Column->GetWidth();
        if (X < Right - GripLeft || X > Right + GripRight) continue;
        // A scrolled column's splitter never lies under the fixed columns.
        if (Pos < Columns->GetFixedCols() || X >= ScrollLeft) return Column;
    }
    return nullptr;
}

int TGxCustomGrid::GetRowSizeGripAtPos(int X, int Y)
{
    const TRect Body = GetBodyRect();
    if (X >= RowGripWidth || Y < Body.Top || Y >= Body.Bottom) return -1;
    // Rows are stepped as GetRowTop steps them, so each splitter lies on its
    // row's lower grid line whatever lines the grid draws.
    const int Space = GetGridSpace(lpTopBottom);
    std::int64_t Bottom = Body.Top;
    for (int Row = GetNextOnScreen(std::max(GetFirstRowInView(), 0) - 1); Row >= 0; Row = GetNextOnScreen(Row)) {
        const int Height = GetActualRowHeight(Row);
        if (Height <= 0) continue;
        Bottom += Height + Space;
        if (Y > Bottom - 3 && Y < Bottom + 1) return Row;
        if (Bottom >= Body.Bottom) break;
    }
    return -1;
}

int TGxCustomGrid::GetBodyDownLimit()
{
    const TRect Body = GetBodyRect();
    const int Space = GetGridSpace(lpTopBottom);
    std::int64_t Limit = Body.Top;
    // The row after the last one that reaches the body's bottom is not asked for.
    for (int Row = GetNextOnScreen(std::max(GetFirstRowInView(), 0) - 1); Row >= 0; Row = GetNextOnScreen(Row)) {
        const int Height = GetActualRowHeight(Row);
        if (Height > 0) Limit += Height + Space;
        if (Limit > Body.Bottom) break;
    }
    return ToClient(Limit);
}

// ---- Double clicks ----------------------------------------------------------------------------

void TGxCustomGrid::DoubleClickAt(TPoint P)
{
    FMouseDownPoint = TPoint(-1, -1);
    if (FGripColumn && FGripColumn->GetColumnStyle().Contains(csFitToLargest)) {
        TGxCustomColumn* Column = FGripColumn;
        FGripColumn = nullptr;
        BestFitColumn(Column->GetIndex(), bfCells);
        return;
    }
    switch (GetGridArea(P)) {
    case gaBody:
        if (CellBounds(FDownCell.X, FDownCell.Y)) DoCellDblClick(FDownCell.X, FDownCell.Y);
        break;
    case gaHeader:
        if (TGxCustomColumn* Column = GetColumnAtPos(P)) DoHeaderDblClick(Column->GetIndex());
        break;
    case gaIndicator:
        if (GetOptions().Contains(goRowResizing))
            if (const int Row = GetRowSizeGripAtPos(P.X, P.Y); Row >= 0) BestFitRow(Row);
        break;
    default:
        break;
    }
}

// ---- Column sizing ----------------------------------------------------------------------------

void TGxCustomGrid::StartColumnSizing()
{
    SetGridState(GetGridState() + TGridState{gtColumnResizing});
    FResizeDelta = 0;
    const int X = FResizingColumn->GetAbsoluteLeft();
    FResizeStartX = FResizingColumn->GetIndex() == 0 ? X : X - 1;
    FResizeLineX = X + FResizingColumn->GetWidth() - 1;
    FColumnLinesShown = true;
    InvertLine(true, FResizeStartX);
    InvertLine(true, FResizeLineX);
}

void TGxCustomGrid::MoveColumnSizing(int X)
{
    SetGridState(GetGridState() + TGridState{gtColumnResizing});
    const int Width = FResizingColumn->GetWidth();
    const int Right = FResizingColumn->GetAbsoluteLeft() + Width;
    FResizeDelta = std::max(X - Right, MinSize - Width);
    const int LineX = Right + FResizeDelta - 1;
    if (LineX == FResizeLineX) return;
    InvertLine(true, FResizeLineX);
    FResizeLineX = LineX;
    InvertLine(true, FResizeLineX);
}

void TGxCustomGrid::EndColumnSizing(int X, int Y)
{
    TGxCustomColumn* Column = FResizingColumn;
    const bool Sizing = GetGridState().Contains(gtColumnResizing);
    const int Width = Column->GetWidth() + FResizeDelta;
    CancelSizing();
    if (Sizing) Column->SetWidth(Width);
    // The window system follows a release with a move where the pointer
    // stands, now on the column's new splitter; Qt does not, and a double
    // click there would find no splitter without it.
    if (GetGridArea(TPoint(X, Y)) == gaHeader) FGripColumn = GetColumnSizeGripAtPos(X, Y);
}

// ---- Row sizing -------------------------------------------------------------------------------

bool TGxCustomGrid::StartRowSizing(int X, int Y)
{
    if (!GetOptions().Contains(goRowResizing)) return false;
    const int Row = GetRowSizeGripAtPos(X, Y);
    if (Row < 0) return false;
    FResizingRow = Row;
    FRowResizePoint = TPoint(X, Y);
    FRowLineShown = true;
    InvertLine(false, Y);
    return true;
}

void TGxCustomGrid::MoveRowSizing(int X, int Y)
{
    const int LineY = std::max(Y, GetRowTop(FResizingRow) + MinSize);
    if (LineY != FRowResizePoint.Y) {
        InvertLine(false, FRowResizePoint.Y);
        InvertLine(false, LineY);
    }
    FRowResizePoint = TPoint(X, LineY);
}

void TGxCustomGrid::EndRowSizing()
{
    const int Row = FResizingRow;
    const int Height = FRowResizePoint.Y - GetRowTop(Row);
    CancelSizing();
    if (Row < GetRowCount()) SetRowHeight(Row, Height);
}

void TGxCustomGrid::IndicatorMove(int X, int Y)
{
    if (GetOptions().Contains(goRowResizing) && GetRowSizeGripAtPos(X, Y) >= 0)
        SetCursor(crVertSplit);
    else if (Y > GetBodyRect().Top && Y < GetBodyDownLimit())
        SetCursor(crIndicatorSelect);
    else
        SetCursor(crDefault);
}

// ---- The lines --------------------------------------------------------------------------------

void TGxCustomGrid::InvertLine(bool Vertical, int At)
{
    if (!HandleAllocated()) return;
    TCanvas* Canvas = GetCanvas();
    // Whatever clip region the painting left selected, a line is inverted
    // whole, within what a paint repaints when it runs inside one.
    SelectClipRgn(Canvas->GetHandle(), nullptr);
    TPen* Pen = Canvas->GetPen();
    Pen->SetStyle(psSolid);
    Pen->SetWidth(1);
    Pen->SetMode(pmNot);
    if (Vertical) {
        Canvas->MoveTo(At, 0);
        Canvas->LineTo(At, GetClientHeight());
    } else {
        Canvas->MoveTo(0, At);
        Canvas->LineTo(GetClientWidth(), At);
    }
    Pen->SetMode(pmCopy);
}

void TGxCustomGrid::Paint()
{
    TGxCustomGridControl::Paint();
    PaintOverlays();
}

void TGxCustomGrid::PaintOverlays()
{
    // The paint has just put back what lay under the lines where it
    // repainted; inverting there again leaves each pixel inverted once.
    if (FColumnLinesShown) {
        InvertLine(true, FResizeStartX);
        InvertLine(true, FResizeLineX);
    }
    if (FRowLineShown) InvertLine(false, FRowResizePoint.Y);
    // The row marker is opaque: drawn again over what the paint put back.
    RedrawRowMarker();
}

void TGxCustomGrid::WMCaptureChanged(TMessage& Message)
{
    TGxCustomGridControl::WMCaptureChanged(Message);
    // The release lets the mouse go once the button is up: that one ends
    // the resize itself, sized.
    if (Sizing() && GetControlState().Contains(csLButtonDown)) CancelSizing();
}

void TGxCustomGrid::CancelSizing()
{
    if (FColumnLinesShown) {
        FColumnLinesShown = false;
        InvertLine(true, FResizeStartX);
        InvertLine(true, FResizeLineX);
    }
    if (FRowLineShown) {
        FRowLineShown = false;
        InvertLine(false, FRowResizePoint.Y);
    }
    FResizingColumn = nullptr;
    FGripColumn = nullptr;
    FResizingRow = -1;
    SetGridState(GetGridState() - TGridState{gtColumnResizing});
}

} // namespace GxCustomGrid
