// grid/GxCustomGridControl_Paint.cpp: painting the report view (rows, cells,
// grid lines, the space below the rows, the focus frame, the indicator, the
// header, input and footer parts), the colours and states cells are drawn
// in, and the border. A paint touches only the rows in view: the rows are
// walked once from the top of the view, each cell's rectangle comes from the
// running top of its row, and whatever lies outside the clip box is skipped.
#include "grid/GxCustomGridControl.h"
#include "grid/shared/GxEdit.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinScroll.h"

#include <algorithm>
#include <cstdint>

namespace GxCustomGridControl {

using GxSharedCommon::TCalcProvider;
using GxSharedCommon::TGraphicsProvider;

namespace {

bool Meets(const TRect& A, const TRect& B)
{
    return TCalcProvider::IsRectInRect(A, B);
}

// Whether two rectangles share a pixel (right and bottom edges excluded).
bool Overlaps(const TRect& A, const TRect& B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// Rows may be far taller than the screen: their edges are summed in 64 bits
// and brought back within a billion pixels, far off any screen, which leaves
// room for the few pixels of grid lines added on either side.
int ToPixels(std::int64_t Value)
{
    constexpr std::int64_t Far = 1 << 30;
    return int(std::clamp<std::int64_t>(Value, -Far, Far));
}

} // namespace

// ---- The state and colours of a cell ------------------------------------------------------------

bool TGxCustomGridControl::Focused()
{
    return TGxScrollControl::Focused() || (FInplaceEdit && FInplaceEdit->Focused());
}

bool TGxCustomGridControl::IsCellHighlighted(int ACol, int ARow)
{
    if (FGridStyle == gsSlides && !FAppearanceOptions.Contains(aoHighlightSlideCells)) return false;
    if (FInputSelected) return false;
    if (FColumns->GetItem(ACol)->GetOptions().Contains(coDontHighlight)) return false;
    if (FAppearanceOptions.Contains(aoHideSelection) && !Focused()) return false;
    const bool SelectedCell = ACol == FSelectedColumn && ARow == GetSelectedRow();
    if (FOptions.Contains(goSelectFullRow)) {
        if (!GetSelected(ARow)) return false;
        if (!SelectedCell) return true;
        if (FAppearanceOptions.Contains(aoIndicateSelectedCell)) return false;
    } else if (!SelectedCell) {
        return false;
    }
    return !(FGridState.Contains(gtEdit) && FEditingCell == TPoint(ACol, ARow));
}

TColor TGxCustomGridControl::GetActualCellColor(int ACol, int ARow)
{
    TColor Base = GetCellColor(ACol, ARow);
    if (FAppearanceOptions.Contains(aoIndicateSortedColumn) && FColumns->GetItem(ACol)->GetSorted())
        Base = GxSharedDraw::BlendColor(clBlack, Base, 10);
    if (!IsCellHighlighted(ACol, ARow)) return Base;
    if (!Focused()) return FInactiveSelectionColor;
    if (FAppearanceOptions.Contains(aoAlphaBlendedSelection)) return GxSharedDraw::BlendColor(Base, clHighlight, 0.25);
    return FSelectionColor;
}

TColor TGxCustomGridControl::GetActualCellFontColor(int ACol, int ARow)
{
    if (IsCellHighlighted(ACol, ARow) && Focused()) return FHighlightedTextColor;
    return FColumns->GetItem(ACol)->GetFont()->GetColor();
}

TCellState TGxCustomGridControl::GetCellState(int ACol, int ARow)
{
    TCellState State;
    if (IsCellHighlighted(ACol, ARow)) {
        State.Include(csSelected);
        if (FAppearanceOptions.Contains(aoBoldTextSelection)) State.Include(csBoldTextSelection);
    }
    if (Focused() && !FAppearanceOptions.Contains(aoHideFocus)) State.Include(GxCustomGridControl::csFocused);
    TColor CellColor = GetActualCellColor(ACol, ARow);
    TColor GridColor = FGridLinesColor;
    DoCellColoring(ACol, ARow, CellColor, GridColor, State);
    return State;
}

// ---- Paint --------------------------------------------------------------------------------------------

bool TGxCustomGridControl::Themed()
{
    return FEnableVisualStyles && GxThemesSupport::IsThemed();
}

void TGxCustomGridControl::PrepareStyleDisplay()
{
    FStyleDisplay->SetThemed(Themed());
    FStyleDisplay->SetCanvas(GetCanvas());
    GetCanvas()->GetFont()->Assign(GetFont());
}

void TGxCustomGridControl::Paint()
{
    TCanvas* Canvas = GetCanvas();
    const TRect Client = GetClientRect();
    FPaintClip = Canvas->GetClipRect();
    // The region asked for, not its bounding box, decides which cells are
    // drawn: two rows far apart repaint as two rows. A region of one
    // rectangle is its box, which says all.
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    TRect Box;
    const bool Complex = GetClipRgn(Canvas->GetHandle(), Region) == 1 && GetRgnBox(Region, &Box) == COMPLEXREGION;
    FPaintRgn = Complex ? Region : nullptr;
    const TScopeExit Forget([this, Region] {
        FPaintRgn = nullptr;
        DeleteObject(Region);
    });
    if (FGridStyle == gsReport) {
        const TRect Body = GetBodyRect();
        FHorzClipRect = TRect(Body.Left + GetFixedWidth(), 0, Client.Right, Client.Bottom);
        FVertClipRect = TRect(0, Body.Top, Client.Right, Body.Bottom);
        PrepareStyleDisplay();
        PaintReport();
        PaintRightOfColumns();
    } else {
        FHorzClipRect = Client;
        FVertClipRect = TRect(0, GetBodyRect().Top, Client.Right, Client.Bottom);
        PrepareStyleDisplay();
        PaintSlides();
    }
    if (GetVisibleRows() == 0) PaintCaption();
    DoPostDraw();
    PaintOverlays(FPaintClip);
}

void TGxCustomGridControl::PaintReport()
{
    PaintReportRows();
    PaintReportParts();
}

void TGxCustomGridControl::PaintRightOfColumns()
{
    const int HPos = GetHorzScrollPos();
    const int Width = GetClientWidth();
    if (FColumns->GetClientWidth() - HPos >= Width) return;
    TCanvas* Canvas = GetCanvas();
    const TRect Body = GetBodyRect();
    const int Height = GetClientHeight();
    Canvas->GetBrush()->SetColor(GetColor());
    if (!Themed() || FHeaderStyle != hsAuto) {
        Canvas->FillRect(TRect(Body.Right, 0, Width, Height));
        return;
    }
    const TRect Strip(Body.Right, 0, Width, GetHeaderRect().Bottom);
    if (MeetsPaint(Strip)) FStyleDisplay->DrawInactiveHeader(Strip);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(TRect(Body.Right, GetInputRect().Top, Width, Height));
    Canvas->FillRect(TRect(Body.Right, Body.Bottom, Width, Height));
}

bool TGxCustomGridControl::MeetsPaint(const TRect& R)
{
    return Overlaps(R, FPaintClip) && (!FPaintRgn || RectInRegion(FPaintRgn, &R));
}

void TGxCustomGridControl::PaintCaption()
{
    TCanvas* Canvas = GetCanvas();
    const TRect R = GetCaptionRect(); // gives the canvas the grid's font
    if (!GetEnabled()) Canvas->GetFont()->SetColor(clGrayText);
    TGraphicsProvider::DrawTextRect(Canvas, R, taCenter, FCaption, GetBiDiMode());
}

// ---- Rows ------------------------------------------------------------------------------------------------

TRect TGxCustomGridControl::PaintCellRect(int ACol, int ARow)
{
    if (ARow != FPaintRow) return GetCellRect(ACol, ARow);
    const TGxCustomColumn* Column = FColumns->GetItem(ACol);
    if (FGridStyle == gsSlides) {
        const TGxSlideBounds* B = Column->GetSlideBounds();
        const int Top = FPaintTop + B->GetTop();
        return TRect(B->GetLeft(), Top, B->GetRight(), ToPixels(std::int64_t(Top) + B->GetHeight()));
    }
    const int Left = Column->GetAbsoluteLeft();
    return TRect(Left, FPaintTop, ToPixels(std::int64_t(Left) + Column->GetWidth()),
                 ToPixels(std::int64_t(FPaintTop) + FPaintHeight));
}

TRect TGxCustomGridControl::CellExtent(const TRect& CellRect, bool Scrolling)
{
    TRect R(ToPixels(std::int64_t(CellRect.Left) - FGridSpace[lpLeft]),
            ToPixels(std::int64_t(CellRect.Top) - FGridSpace[lpTop]),
            ToPixels(std::int64_t(CellRect.Right) + FGridSpace[lpRight]),
            ToPixels(std::int64_t(CellRect.Bottom) + FGridSpace[lpBottom]));
    R.Bottom = std::min<int>(R.Bottom, GetBodyRect().Bottom);
    // A scrolled cell's lines stop where the fixed columns begin: grown to
    // the left it would paint over their last grid line.
    if (Scrolling) R.Left = std::max<int>(R.Left, GetScrollRect().Left);
    return R;
}

void TGxCustomGridControl::PaintReportRows()
{
    const TRect Body = GetBodyRect();
    const int HPos = GetHorzScrollPos();
    const int ClientWidth = GetClientWidth();
    // The columns in view, once for all rows.
    FPaintColumns.clear();
    for (int Position = 0; Position < FColumns->GetCount(); ++Position) {
        const TGxCustomColumn* Column = FColumns->GetPositionItem(Position);
        if (!Column->GetVisible()) continue;
        const bool Fixed = Column->GetPosition() < FFixedCols;
        const int HOff = Fixed ? 0 : HPos;
        const int Left = Column->GetLeft() - HOff;
        const int Right = Left + Column->GetWidth();
        if (!Fixed && Right < GetFixedWidth()) continue; // under the fixed columns
        if (Left <= ClientWidth && Right >= 0) FPaintColumns.push_back(Column->GetIndex());
    }
    const bool Indicator = FOptions.Contains(goIndicator);
    const int Count = GetRowCount();
    const int Space = FGridSpace[lpTopBottom];
    const int Selected = GetSelectedRow();
    const TScopeExit Done([this] { FPaintRow = -1; });
    // The top of each row as GetRowTop has it, walked once; rows of any
    // height add up without overflow.
    std::int64_t Top = Body.Top + FGridSpace[lpTop];
    int Row = VisibleFrom(FFirstRowInView);
    if (Row < 0) Row = std::max(Count, FFirstRowInView);
    FLastPaintedRow = Row;
    // A row whose top line alone shows at the body's bottom is painted too.
    while (Top - FGridSpace[lpTop] < Body.Bottom) {
        const bool Past = Row >= Count;
        FPaintRow = Row;
        FPaintTop = int(Top);
        FPaintHeight = Past ? FRowSize : GetRowHeight(Row);
        const std::int64_t Bottom = Top + FPaintHeight;
        // A row whose cells all lie outside what is repainted is passed by whole.
        const TRect Band(0, ToPixels(Top - FGridSpace[lpTop]), ClientWidth, ToPixels(Bottom + FGridSpace[lpBottom]));
        if (MeetsPaint(Band)) {
            const bool Cut = !Past && IntegralHeight() && Bottom + FGridSpace[lpBottom] > Body.Bottom;
            for (const int Col : FPaintColumns)
                if (Past || Cut)
                    DrawEmptyCell(Col, Row);
                else
                    DrawCell(Col, Row);
            if (Indicator) {
                const bool Own = !Past && !FInputSelected;
                DrawRowIndicator(Row, Own && Row == Selected, Own && (Row == Selected || GetSelected(Row)));
            }
        }
        FLastPaintedRow = Row + 1;
        if (FPaintHeight > 0) Top += std::int64_t(FPaintHeight) + Space;
        if (Past) {
            ++Row;
        } else {
            Row = GetNextOnScreen(Row);
            if (Row < 0) Row = Count;
        }
    }
    FPaintRow = -1;
    if (FOptions.Contains(goSelectFullRow)) DrawFocusCell();
}

void TGxCustomGridControl::SetClipCellRect(const TRect& Rect)
{
    GxSharedDraw::SetClipRect(GetCanvas(), CellExtent(Rect, false));
}

void TGxCustomGridControl::DrawGrid(int ACol, int ARow, const TRect& R, TColor GridColor)
{
    TCanvas* Canvas = GetCanvas();
    TPen* Pen = Canvas->GetPen();
    const bool Framed = FGridLinesStyle == lsFramed;
    const auto Line = [Canvas](int X1, int Y1, int X2, int Y2) { Canvas->Polyline({{X1, Y1}, {X2, Y2}}); };
    if (FGridSpace[lpBottom] > 0) {
        Pen->SetColor(Framed && ARow == GetRowCount() - 1 ? clBlack : GridColor);
        Line(R.Left, R.Bottom, R.Right + 1, R.Bottom);
    }
    if (FGridSpace[lpTop] > 0) {
        Pen->SetColor(clBtnHighlight);
        Line(R.Left, R.Top - 1, R.Right + 1, R.Top - 1);
    }
    if (FGridSpace[lpLeft] > 0) {
        Pen->SetColor(clBtnHighlight);
        Line(R.Left, R.Top - 1, R.Left, R.Bottom + 1);
    }
    if (FGridSpace[lpRight] > 0) {
        const bool Edge = Framed && ARow < GetRowCount() && FColumns->GetItem(ACol)->GetLocation() == clRightSide;
        Pen->SetColor(Edge ? clBlack : GridColor);
        Line(R.Right - 1, R.Top - 1, R.Right - 1, R.Bottom + 1);
    }
}

void TGxCustomGridControl::DrawCell(int ACol, int ARow)
{
    TGxCustomColumn* Column = FColumns->GetItem(ACol);
    if (!Column->GetVisible()) return;
    TRect CellRect = PaintCellRect(ACol, ARow);
    const bool Scrolling = Column->GetPosition() >= FFixedCols;
    const TRect Extent = CellExtent(CellRect, Scrolling);
    if (!MeetsPaint(Extent)) return;
    TCanvas* Canvas = GetCanvas();
    TColumnDisplay* Display = Column->GetDisplay();
    TCellState CellState;
    TColor GridColor = FGridLinesColor;
    bool Fill = true;
    Canvas->GetFont()->Assign(Column->GetFont());
    TColor CellColor = GetActualCellColor(ACol, ARow);
    const bool Highlighted = IsCellHighlighted(ACol, ARow);
    if (Highlighted) {
        CellState.Include(csSelected);
        if (FAppearanceOptions.Contains(aoBoldTextSelection)) CellState.Include(csBoldTextSelection);
    }
    if (Display) Display->SetHighlighted(Highlighted);
    if (Focused() && !FAppearanceOptions.Contains(aoHideFocus)) CellState.Include(GxCustomGridControl::csFocused);
    DoCellColoring(ACol, ARow, CellColor, GridColor, CellState);
    if (Column->GetSorted() && !CellState.Contains(csSelected)) {
        if (FSortedStyle == soDarker)
            CellColor = GxSharedDraw::BlendColor(clBlack, CellColor, 10);
        else if (FSortedStyle == soWhite)
            CellColor = clWhite;
    }
    GxSharedDraw::SetClipRect(Canvas, Extent);
    const TScopeExit Unclip([this, Canvas] { GxSharedDraw::SetClipRect(Canvas, GetClientRect()); });
    if (FOptions.Contains(goGrid) && FGridStyle == gsReport) DrawGrid(ACol, ARow, CellRect, GridColor);
    ExcludeGrid(CellRect);
    const TDrawingOptions Drawing = Column->GetDrawingOptions();
    if (FAppearanceOptions.Contains(aoDontFillCells) || Drawing == doCustomOnly) Fill = false;
    DoDrawCellBackground(ACol, ARow, CellRect, CellState, Fill);
    if (Display) {
        Display->SetHandle(GetHandle());
        Display->SetCanvas(Canvas);
        Display->SetClientRect(CellRect);
        Display->SetHighlightedTextColor(FHighlightedTextColor);
        SetDisplayParams(ACol, ARow, Display);
    }
    TRect Edit;
    if (FGridState.Contains(gtEdit) && FEditingCell == TPoint(ACol, ARow) && CellEditorRect(Edit))
        // The editor lies over this cell: leave its pixels alone.
        ExcludeClipRect(Canvas->GetHandle(), Edit.Left, Edit.Top, Edit.Right, Edit.Bottom);
    if (Fill) {
        Canvas->GetBrush()->SetColor(CellColor);
        Canvas->FillRect(CellRect);
    }
    if (Display) {
        Display->SetFocused(ACol == FSelectedColumn && ARow == GetSelectedRow());
        if ((Drawing == doNormal || Drawing == doCustom) && !IsCellEmpty(ACol, ARow) &&
            DrawCellData(ACol, ARow, CellState))
            Display->Paint();
        if (FAppearanceOptions.Contains(aoHintMarks) && !GetCellHint(ACol, ARow).empty()) Display->DrawHintMark();
    }
    if (Drawing != doNormal) DoCustomDrawCell(ACol, ARow, CellRect, CellState);
    if (!FOptions.Contains(goSelectFullRow) && ACol == FSelectedColumn && ARow == GetSelectedRow()) DrawFocusCell();
}

bool TGxCustomGridControl::DrawCellData(int ACol, int ARow, TCellState CellState)
{
    TFont* Font = GetCanvas()->GetFont();
    Font->Assign(FColumns->GetItem(ACol)->GetFont());
    Font->SetColor(GetEnabled() ? GetActualCellFontColor(ACol, ARow) : clGrayText);
    if (CellState.Contains(csBoldTextSelection)) Font->SetStyle(Font->GetStyle() + TFontStyles{fsBold});
    return false;
}

void TGxCustomGridControl::DrawEmptyCell(int ACol, int ARow)
{
    TGxCustomColumn* Column = FColumns->GetItem(ACol);
    TRect CellRect = PaintCellRect(ACol, ARow);
    const TRect Extent = CellExtent(CellRect, Column->GetPosition() >= FFixedCols);
    if (!MeetsPaint(Extent)) return;
    TCanvas* Canvas = GetCanvas();
    TColor Base = GetColor();
    if (FAppearanceOptions.Contains(aoIndicateSortedColumn) && Column->GetSorted())
        Base = GxSharedDraw::BlendColor(clBlack, Base, 10);
    // Lines that follow only the rows vanish below them.
    TColor GridColor = FGridLinesStyle == lsActiveRows || FGridLinesStyle == lsActiveHorzOnly ? Base : FGridLinesColor;
    const TCellState CellState{csEmpty};
    GxSharedDraw::SetClipRect(Canvas, Extent);
    const TScopeExit Unclip([this, Canvas] { GxSharedDraw::SetClipRect(Canvas, GetClientRect()); });
    DoCellColoring(ACol, ARow, Base, GridColor, CellState);
    if (FOptions.Contains(goGrid)) DrawGrid(ACol, ARow, CellRect, GridColor);
    ExcludeGrid(CellRect);
    bool Fill = true;
    DoDrawCellBackground(ACol, ARow, CellRect, CellState, Fill);
    Canvas->GetBrush()->SetColor(Base);
    if (Fill) Canvas->FillRect(CellRect);
}

void TGxCustomGridControl::DrawFocusCell()
{
    const int Row = GetSelectedRow();
    if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->GetCount() || Row < 0 || Row >= GetRowCount()) return;
    // Only a row painted this time can carry the frame: one far below the
    // view is never walked to.
    if (Row < FFirstRowInView || (Row != FPaintRow && Row >= FLastPaintedRow)) return;
    if (FInputSelected || !Focused() || FAppearanceOptions.Contains(aoHideFocus)) return;
    TCanvas* Canvas = GetCanvas();
    TRect R, Clip;
    const bool Scrolling = FColumns->GetItem(FSelectedColumn)->GetPosition() >= FFixedCols;
    if (!FOptions.Contains(goSelectFullRow)) {
        R = PaintCellRect(FSelectedColumn, Row);
        R.Left += FGridSpace[lpLeft];
        R.Right -= FGridSpace[lpRight];
        Clip = R;
        if (Scrolling) Clip.Left = std::max<int>(Clip.Left, GetScrollRect().Left);
        ExcludeGrid(Clip);
        Clip = CellExtent(Clip, Scrolling);
    } else {
        const int Left = GetBodyRect().Left - GetHorzScrollPos();
        const int Top = GetRowTop(Row);
        R = TRect(Left - FGridSpace[lpLeft], Top, Left + FColumns->GetClientWidth() - FGridSpace[lpRight],
                  ToPixels(std::int64_t(Top) + GetRowHeight(Row)));
        Clip = R;
        Clip.Left = GetBodyRect().Left;
        Clip = CellExtent(Clip, false);
    }
    if (!Meets(R, GetBodyRect()) || !MeetsPaint(Clip)) return;
    GxSharedDraw::SetClipRect(Canvas, Clip);
    const TScopeExit Unclip([this, Canvas] { GxSharedDraw::SetClipRect(Canvas, GetClientRect()); });
    TGraphicsProvider::DrawFocused(Canvas, R, FAppearanceOptions.Contains(aoAlphaBlendedSelection));
}

void TGxCustomGridControl::DrawRowIndicator(int ARow, bool Selected, bool Highlighted)
{
    const int Top = ARow == FPaintRow ? FPaintTop : GetRowTop(ARow);
    const int Height = ARow >= 0 && ARow < GetRowCount() ? GetRowHeight(ARow) : FRowSize;
    const TRect R(0, Top - FGridSpace[lpTop], IndicatorWidth,
                  ToPixels(std::int64_t(Top) + Height + FGridSpace[lpBottom]));
    if (!MeetsPaint(R)) return;
    FStyleDisplay->DrawIndicator(R, ARow);
    FStyleDisplay->DrawIndicatorState(R, Selected, Highlighted);
}

// ---- Header, input and footer -----------------------------------------------------------------------

void TGxCustomGridControl::PaintReportParts()
{
    TCanvas* Canvas = GetCanvas();
    const TRect Client = GetClientRect();
    const int HPos = GetHorzScrollPos();
    const bool Header = FOptions.Contains(goHeader);
    const bool Input = FOptions.Contains(goInput);
    const bool Footer = FOptions.Contains(goFooter);
    const bool Lines = FOptions.Contains(goGrid);
    const bool HasFocus = Focused();
    for (int Position = 0; Position < FColumns->GetCount(); ++Position) {
        TGxCustomColumn* Column = FColumns->GetPositionItem(Position);
        const bool Scrolling = Column->GetPosition() >= FFixedCols;
        const int Left = Column->GetLeft() - (Scrolling ? HPos : 0);
        if (Left > Client.Right) break;
        if (!Column->GetVisible() || Column->GetLeft() < 0) continue;
        if (Scrolling && Left + Column->GetWidth() < GetFixedWidth()) continue;
        if (Scrolling) GxSharedDraw::SetClipRect(Canvas, GetScrollRect());
        const TScopeExit Unclip([Scrolling, Canvas, &Client] {
            if (Scrolling) GxSharedDraw::SetClipRect(Canvas, Client);
        });
        PrepareStyleDisplay();
        TRect R;
        if (Header && MeetsPaint(R = Column->GetMemberRect(ckHeader))) FStyleDisplay->DrawHeader(Column, R);
        if (Input && MeetsPaint(R = Column->GetMemberRect(ckInput)))
            FStyleDisplay->DrawInput(Column, R, Lines, FInputSelected, HasFocus);
        if (Footer && MeetsPaint(R = Column->GetMemberRect(ckFooter))) FStyleDisplay->DrawFooter(Column, R, Lines);
    }
    const TRect InputRect = GetInputRect();
    const TRect FooterRect = GetFooterRect();
    const auto Splitter = [this](const TRect& R) {
        if (MeetsPaint(R)) FStyleDisplay->DrawAreaSplitter(R);
    };
    if (Input) Splitter(TRect(FooterRect.Left - HPos, InputRect.Bottom - 6, InputRect.Right, InputRect.Bottom));
    if (Footer) Splitter(TRect(FooterRect.Left - HPos, FooterRect.Top, FooterRect.Right, FooterRect.Top + 4));
    if (!FOptions.Contains(goIndicator)) return;
    // The boxes stand only beside the parts that are shown.
    const auto Box = [this](const TRect& R, TBoxLocation Location) {
        if (MeetsPaint(R)) FStyleDisplay->DrawCornerBox(R, Location);
    };
    if (Input) Box(TRect(0, InputRect.Top, IndicatorWidth, InputRect.Bottom), bpAlone);
    if (Footer) Box(TRect(0, FooterRect.Top, IndicatorWidth, FooterRect.Bottom), bpBottom);
    if (Header) Box(TRect(0, 0, IndicatorWidth, FHeaderSize), bpAlone);
}

// ---- The border -----------------------------------------------------------------------------------------

void TGxCustomGridControl::PaintThemedBorder()
{
    HWND Handle = GetHandle();
    HDC DC = GetWindowDC(Handle);
    const TScopeExit Release([Handle, DC] { ReleaseDC(Handle, DC); });
    TRect R;
    GetWindowRect(Handle, &R);
    OffsetRect(R, -R.Left, -R.Top);
    const int Inset = GetBorderWidth() + 1;
    ExcludeClipRect(DC, R.Left + Inset, R.Top + Inset, R.Right - Inset, R.Bottom - Inset);
    GxThemesSupport::ThemeRect(Handle, DC, R, u"listview", 1, 0);
}

void TGxCustomGridControl::RedrawBorder()
{
    if (!HandleAllocated()) return;
    if (Themed() && FBorderStyle == bsSingle)
        PaintThemedBorder();
    else
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TGxCustomGridControl::WMNCPaint(TMessage& Message)
{
    TGxScrollControl::WMNCPaint(Message);
    if (Themed() && FBorderStyle == bsSingle) PaintThemedBorder();
}

} // namespace GxCustomGridControl
