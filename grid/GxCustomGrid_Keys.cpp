// grid/GxCustomGrid_Keys.cpp: the keyboard, and the focus, activation, size
// and scroll messages that keep the grid's input state consistent.
#include "grid/GxCustomGrid.h"
#include "platform/controls/Forms.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxCustomGrid {

// ---- Keys -------------------------------------------------------------------------------------

void TGxCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    TGxCustomGridControl::KeyDown(Key, Shift);
    const TGridState State = GetGridState();
    // The editor moves its caret with these; the grid's table takes the rest.
    const bool Editing = State.Contains(gtEdit) || State.Contains(gtInput);
    const int Col = GetSelectedColumn();
    const bool ColumnExists = Col >= 0 && Col < GetColumns()->GetCount();
    switch (Key) {
    case VK_TAB:
        if (Shift.Contains(ssShift))
            MoveToPrevCell();
        else
            MoveToNextCell(true);
        break;
    case VK_PRIOR:
    case VK_NEXT:
        PageKey(Key == VK_NEXT);
        break;
    case VK_END:
        if (!Editing && ColumnExists) SelectLastRow(Shift);
        break;
    case VK_HOME:
        if (!Editing && ColumnExists) SelectFirstRow(Shift);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!Editing) SidewaysKey(Key == VK_RIGHT);
        break;
    case VK_UP:
        if (!Editing) MoveSelectionUp(Shift);
        break;
    case VK_DOWN:
        if (!Editing) MoveSelectionDown(Shift, false);
        break;
    case VK_F2:
        if (!Editing && !GetInputSelected() && CellBounds(Col, GetSelectedRow()))
            EditCell(Col, GetSelectedRow(), WideString());
        break;
    default:
        break;
    }
}

void TGxCustomGrid::PageKey(bool Down)
{
    const int Count = GetVisibleCount(false);
    const int Row = GetSelectedRow();
    // The first press goes to the edge of the view, the next ones a page on.
    if (Down) {
        const int Last = GetLastRowInView(Count);
        if (Row < Last) {
            SetSelectedRow(Last);
            return;
        }
    } else if (Row > GetFirstRowInView()) {
        SetSelectedRow(GetFirstRowInView());
        return;
    }
    MoveSelectionBy(Down ? Count : -Count);
    GetVertScrollBar()->MoveBy(Down ? Count : -Count);
}

void TGxCustomGrid::SidewaysKey(bool Right)
{
    // With whole rows selected and no cell marked there is no cell to move
    // to: the columns scroll instead.
    if (!GetInputSelected() && GetOptions().Contains(goSelectFullRow) &&
        !GetAppearanceOptions().Contains(aoIndicateSelectedCell)) {
        TGxScrollBar* Bar = GetHorzScrollBar();
        Right ? Bar->Next() : Bar->Prior();
    } else {
        Right ? MoveSelectionRight() : MoveSelectionLeft();
    }
}

void TGxCustomGrid::KeyPress(WideChar& Key)
{
    TGxCustomGridControl::KeyPress(Key);
    const TGridState State = GetGridState();
    if (Key == 0 || Key == 27 || State.Contains(gtEdit) || State.Contains(gtInput)) return;
    if (Key == 13 && GetWantReturns()) ReturnKey();
    const bool Input = GetInputSelected();
    const int Col = GetSelectedColumn(), Row = GetSelectedRow();
    const auto CellGone = [&] {
        return Col < 0 || Col >= GetColumns()->GetCount() || (!Input && (Row < 0 || Row >= GetRowCount()));
    };
    if (CellGone()) return;
    TGxCustomColumn* Column = GetColumns()->GetItem(Col);
    if (!Input && Column->GetPlay() && !GetReadOnly() &&
        (Column->GetOptions().Contains(coEditing) || Column->GetColumnStyle().Contains(csClickable)) &&
        UpdateColumnPlay(Col, Row, GetCellRect(Col, Row))) {
        Column->GetPlay()->KeyPress(Key);
        // The play's change may have taken the row or the column away.
        if (CellGone() || GetColumns()->GetItem(Col) != Column) return;
    }
    if (Key == 13 || Key == 9) {
        Key = 0;
        return;
    }
    if (Key == 0) return;
    if (Column->IsKeyValid(Key)) {
        if (Input)
            StartInput(Col, Key);
        else
            StartEdit(Col, Row, Key);
    }
    SearchKeyPress(Key);
}

void TGxCustomGrid::ReturnKey()
{
    if (!GetInputSelected()) {
        switch (GetSelectionMoveDirection()) {
        case mdUp:
            MoveSelectionUp({});
            break;
        case mdDown:
            MoveSelectionDown({}, false);
            break;
        case mdLeft:
            MoveSelectionLeft();
            break;
        case mdRight:
            MoveSelectionRight();
            break;
        default:
            break;
        }
        return;
    }
    // No edit is open here, so there is no editor to empty and reload: the
    // values kept from the input edits become the new row.
    if (GetInputEnterMode() == imAllways) AddRowFromInput();
}

void TGxCustomGrid::WMGetDlgCode(TMessage& Message)
{
    TGxCustomGridControl::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
    // An empty grid lets Tab move on to the next control.
    const bool Empty = GetColumns()->GetVisibleCount() == 0 || (GetRowCount() == 0 && !GetInputSelected());
    if (GetWantTabs() && !Empty)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~LRESULT(DLGC_WANTTAB);
}

// ---- Focus and activation ---------------------------------------------------------------------

void TGxCustomGrid::RefreshFocusLook()
{
    RefreshSelectedCells();
    if (GetGridStyle() != gsSlides) return;
    RefreshSelectedSlides();
    RefreshSlide(GetSelectedRow(), false);
}

void TGxCustomGrid::WMSetFocus(TMessage& Message)
{
    TGxCustomGridControl::WMSetFocus(Message);
    // A grid without rows is entered at its input row, where rows are made;
    // the slides view shows none.
    if (GetRowCount() == 0 && GetOptions().Contains(goInput) && GetGridStyle() == gsReport) {
        SetInputSelected(true);
        RefreshArea(gaInput);
    } else {
        RefreshFocusLook();
    }
}

void TGxCustomGrid::WMKillFocus(TMessage& Message)
{
    TGxCustomGridControl::WMKillFocus(Message);
    if (GetComponentState().Contains(csDestroying)) return;
    CancelMouseOperations();
    SetHover(nullptr);
    RefreshFocusLook();
}

void TGxCustomGrid::WMActivateApp(TMessage& Message)
{
    TGxCustomGridControl::WMActivateApp(Message);
    if (GetComponentState().Contains(csDestroying)) return;
    if (Message.WParam == 0) CancelMouseOperations();
    RefreshFocusLook();
}

void TGxCustomGrid::CancelMouseOperations()
{
    const TGridState Mouse{gtColumnResizing, gtColumnHeaderDown, gtColumnMoving, gtRolling, gtRowMoving};
    // The screen cursor is the program's (an hourglass, say) unless the
    // mouse was at work here.
    const bool Working = !(GetGridState() * Mouse).Empty() || GetMouseCapture() || FDraggedColumn || FResizingColumn ||
                         FPressedRow != -1 || FResizingRow != -1;
    // The resize lines and the row marker are taken away where they stand;
    // a moving column's box and arrows go, and its pressed header comes up
    // without a click.
    CancelSizing();
    if (Working) CancelMoving();
    if (GetMouseCapture()) SetMouseCapture(false);
    for (TControl* Floating :
         {static_cast<TControl*>(FDragBox), static_cast<TControl*>(FDownArrow), static_cast<TControl*>(FUpArrow)})
        if (Floating) Floating->SetVisible(false);
    SetGridState(GetGridState() - Mouse);
    FMouseDownPoint = TPoint(-1, -1);
    FDownCell = TPoint(-1, -1);
    if (Working && Screen) Screen->SetCursor(crDefault);
}

// ---- Size and scrolling -----------------------------------------------------------------------

void TGxCustomGrid::WMSize(TMessage& Message)
{
    const int Width = GetClientWidth(), Height = GetClientHeight();
    const bool Slides = GetGridStyle() == gsSlides;
    if (Height != FSizedClient.cy) {
        const int Old = FSizedClient.cy;
        if (Slides) {
            RefreshRect(TRect(0, std::min(Old, Height), Width, Height));
        } else if (GetOptions().Contains(goFooter)) {
            // The footer, its indicator corner and the rows it uncovers or covers.
            const int Top = GetFooterRect().Top;
            RefreshRect(TRect(0, std::min(Top, Top - (Height - Old)), Width, Height));
        }
        FSizedClient.cy = Height;
        UpdateVertScrollBar();
    }
    if (Width != FSizedClient.cx) {
        const int Old = FSizedClient.cx;
        if (GetHorzScrollBar()->GetPosition() >= 1)
            RefreshRect(GetClientRect());
        else
            // The slides' frames lie 3 pixels inside the right edge.
            RefreshRect(TRect(std::min(Old, Width) - (Slides ? 3 : 0), 0, std::max(Old, Width), Height));
        FSizedClient.cx = Width;
        UpdateHorzScrollBar();
        FFitPending = true;
        FitPendingColumns();
        if (!GetCaption().empty()) RefreshRect(GetCaptionRect());
    }
    // A scroll bar that comes or goes changes only the client; the editor
    // then just moves along.
    if (GetWidth() != FSizedWindow.cx || GetHeight() != FSizedWindow.cy) {
        FSizedWindow = TSize(GetWidth(), GetHeight());
        ApplyAndEndEditing();
    }
    TGxCustomGridControl::WMSize(Message);
}

void TGxCustomGrid::FitPendingColumns()
{
    if (!FFitPending || GetComponentState().Contains(csLoading) || !GetShowing()) return;
    FFitPending = false;
    GetColumns()->ResizeColumns(nullptr, false);
}

void TGxCustomGrid::Loaded()
{
    TGxCustomGridControl::Loaded();
    FitPendingColumns();
}

void TGxCustomGrid::CMShowingChanged(TMessage& Message)
{
    TGxCustomGridControl::CMShowingChanged(Message);
    FitPendingColumns();
}

void TGxCustomGrid::WMHScroll(TMessage& Message)
{
    ApplyAndEndEditing();
    TGxCustomGridControl::WMHScroll(Message);
}

void TGxCustomGrid::WMVScroll(TMessage& Message)
{
    ApplyAndEndEditing();
    UpdateVertScrollBar();
    TGxCustomGridControl::WMVScroll(Message);
}

} // namespace GxCustomGrid
