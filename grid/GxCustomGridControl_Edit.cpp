// grid/GxCustomGridControl_Edit.cpp: in-place editing. A column's editor
// (the user's InplaceEdit, else the one the column made) becomes a child
// window of the grid, placed over the cell or input cell being edited; the
// grid loads it, follows it with scrolling and layout, and stores its text.
#include "grid/GxCustomGridControl.h"
#include "grid/shared/GxEdit.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxCustomGridControl {

using GxEdit::TGxCustomEdit;

// ---- Opening ---------------------------------------------------------------------------------------

TGxCustomEdit* TGxCustomGridControl::EditorOf(TGxCustomColumn* Column)
{
    return Column->GetInplaceEdit() ? Column->GetInplaceEdit() : Column->GetEditor();
}

void TGxCustomGridControl::TakeEditor(TGxCustomColumn* Column, bool Input, int ACol, int ARow)
{
    TGxCustomEdit* User = Column->GetInplaceEdit();
    SetInplaceEdit(EditorOf(Column));
    if (User) {
        if (!FOptions.Contains(goInplaceEditEvents)) SetInplaceEditEvents();
        return;
    }
    SetInplaceEditEvents();
    Column->BeginEditing();
    FInplaceEdit->SetEditorUpdating(false);
    FInplaceEdit->SetFont(Column->GetFont());
    if (Input) {
        FInplaceEdit->SetColor(Column->GetColor());
        FInplaceEdit->GetFont()->SetColor(Column->GetFont()->GetColor());
    } else {
        FInplaceEdit->SetColor(GetCellColor(ACol, ARow));
    }
    FInplaceEdit->BeginEditing();
}

void TGxCustomGridControl::PlaceCaret(TGxCustomColumn* Column)
{
    if (!FInplaceEdit) return;
    if (Column->GetOptions().Contains(coEditorAutoSelect))
        FInplaceEdit->SelectAll();
    else
        FInplaceEdit->SetSelStart(int(FInplaceEdit->GetText().size()));
}

void TGxCustomGridControl::TypeIntoEditor(WideChar Key)
{
    if (!FInplaceEdit || Key == 0) return;
    // The editor treats a character that comes while the grid is not
    // loading a value as the user's.
    const bool Updating = FInplaceEdit->GetEditorUpdating();
    FInplaceEdit->SetEditorUpdating(false);
    const TScopeExit Restore([this, Updating] {
        if (FInplaceEdit) FInplaceEdit->SetEditorUpdating(Updating);
    });
    FInplaceEdit->PressKey(Key);
}

TGxCustomColumn* TGxCustomGridControl::OpenCellEdit(int ACol, int ARow)
{
    if (FGridState.Contains(gtEdit) && FEditingCell == TPoint(ACol, ARow)) return nullptr;
    if (!CellBounds(ACol, ARow) || FReadOnly) return nullptr;
    TGxCustomColumn* Column = FColumns->GetItem(ACol);
    if (!Column->GetColumnState().Contains(ceEditable) || !EditorOf(Column) || !CanEdit(ACol, ARow)) return nullptr;
    bool Accept = true;
    DoBeforeEdit(ACol, ARow, Accept);
    if (!Accept) return nullptr;
    ApplyAndEndEditing();
    // The old edit's end may have changed the rows or columns.
    if (!CellBounds(ACol, ARow) || FColumns->GetItem(ACol) != Column) return nullptr;
    FGridState.Include(gtEdit);
    FEditingCell = TPoint(ACol, ARow);
    TakeEditor(Column, false, ACol, ARow);
    return Column;
}

void TGxCustomGridControl::EditCell(int ACol, int ARow, const WideString& Value)
{
    TGxCustomColumn* Column = OpenCellEdit(ACol, ARow);
    if (!Column) return;
    WideString Text = Value.empty() ? GetCells(ACol, ARow) : Value;
    {
        FLoadingEditText = Value.empty();
        const TScopeExit Loaded([this] { FLoadingEditText = false; });
        DoApplyEditText(ACol, ARow, Text);
        if (!FInplaceEdit) return;
        FInplaceEdit->SetAsString(Text);
        PrepareEdit();
        Column->UpdateEdit();
    }
    RefreshCellEditor();
    PlaceCaret(Column);
}

void TGxCustomGridControl::StartEdit(int ACol, int ARow, WideChar Key)
{
    if (!OpenCellEdit(ACol, ARow)) return;
    TypeIntoEditor(Key);
    PrepareEdit();
    FLoadingEditText = false;
    RefreshCellEditor();
    if (FInplaceEdit) FInplaceEdit->SetSelStart(int(FInplaceEdit->GetText().size()));
}

bool TGxCustomGridControl::OpenInput(TGxCustomColumn* Column)
{
    SetInputSelected(true);
    ApplyAndEndEditing();
    if (FColumns->IndexOf(Column) < 0) return false;
    if (!EditorOf(Column) || !Column->GetColumnState().Contains(ceCanInput) || FReadOnly) return false;
    FGridState.Include(gtInput);
    TakeEditor(Column, true, -1, -1);
    FInputColumnIndex = Column->GetIndex();
    Column->SetInputActive(true);
    FEditingCell = TPoint(-1, -1);
    return FInplaceEdit != nullptr;
}

void TGxCustomGridControl::StartInput(int Index, WideChar Key)
{
    if (Index < 0 || Index >= FColumns->GetCount()) return;
    TGxCustomColumn* Column = FColumns->GetItem(Index);
    if (!OpenInput(Column)) return;
    {
        FLoadingEditText = true;
        const TScopeExit Loaded([this] { FLoadingEditText = false; });
        if (Key != 0) FInplaceEdit->PressKey(Key);
    }
    RefreshCellEditor();
    PlaceCaret(Column);
    DoInputSelectCell(Index);
}

void TGxCustomGridControl::InputColumn(TGxCustomColumn* Column, const WideString& Value)
{
    if (!Column || FColumns->IndexOf(Column) < 0) return;
    SetSelectedCell(Column->GetIndex(), GetSelectedRow());
    if (!OpenInput(Column)) return;
    {
        FLoadingEditText = true;
        const TScopeExit Loaded([this] { FLoadingEditText = false; });
        FInplaceEdit->SetAsString(Value.empty() ? Column->GetInputValue() : Value);
        if (Value.empty()) Column->UpdateEdit();
    }
    RefreshCellEditor();
    PlaceCaret(Column);
    DoInputSelectCell(Column->GetIndex());
}

// ---- Storing and ending ----------------------------------------------------------------------------

bool TGxCustomGridControl::ApplyEditing()
{
    FEditRefused = false;
    if (!FInplaceEdit) return false;
    if (FGridState.Contains(gtEdit)) {
        const int ACol = FEditingCell.X;
        const int ARow = FEditingCell.Y;
        // The row may have gone, or the grid been emptied, since the edit began.
        if (!CellBounds(ACol, ARow)) return false;
        FInplaceEdit->ApplyEditing();
        WideString Value = FInplaceEdit->GetAsString();
        FColumns->GetItem(ACol)->ApplyEditing(Value);
        if (Value == GetCells(ACol, ARow)) return false;
        bool Accept = true;
        DoEditAccept(ACol, ARow, Value, Accept);
        if (!Accept) {
            FEditRefused = true;
            return false;
        }
        DoEditText(ACol, ARow, Value);
        CompleteEdit(ACol, ARow, Value);
        DoAfterEdit(ACol, ARow, Value);
        return true;
    }
    if (FGridState.Contains(gtInput)) {
        if (FInputColumnIndex < 0 || FInputColumnIndex >= FColumns->GetCount()) return false;
        TGxCustomColumn* Column = FColumns->GetItem(FInputColumnIndex);
        FInplaceEdit->ApplyEditing();
        WideString Value = FInplaceEdit->GetAsString();
        Column->ApplyEditing(Value);
        Column->SetInputValue(Value);
        Column->SetInputActive(false);
        return true;
    }
    return false;
}

void TGxCustomGridControl::CompleteEdit(int ACol, int ARow, const WideString& Value)
{
    SetCells(ACol, ARow, Value);
}

void TGxCustomGridControl::EndEditing()
{
    TGxCustomColumn* InputColumn = FInputColumnIndex >= 0 && FInputColumnIndex < FColumns->GetCount()
                                       ? FColumns->GetItem(FInputColumnIndex)
                                       : nullptr;
    if (FInplaceEdit) {
        FocusGridFromEditor();
        FInplaceEdit->SetVisible(false);
        if (FGridState.Contains(gtEdit) && CellBounds(FEditingCell.X, FEditingCell.Y))
            RefreshCell(FEditingCell.X, FEditingCell.Y);
        if (FGridState.Contains(gtInput) && InputColumn) RefreshColumn(InputColumn, gaInput);
        GxSharedDraw::SetClipRect(GetCanvas(), GetClientRect());
    }
    if (FGridState.Contains(gtEdit)) DoEditExit();
    FGridState.Exclude(gtEdit);
    FGridState.Exclude(gtInput);
    FEditingCell = TPoint(-1, -1);
    if (InputColumn) InputColumn->SetInputActive(false);
    FInputColumnIndex = -1;
    SetInplaceEdit(nullptr);
}

void TGxCustomGridControl::ApplyAndEndEditing()
{
    if (!FGridState.Contains(gtEdit) && !FGridState.Contains(gtInput)) return;
    try {
        ApplyEditing();
    } catch (...) {
        // The edit ends all the same, so that what called for the end finds
        // the grid as it expects; the refusal is reported once.
        EndEditing();
        if (Application) Application->HandleException(this);
        return;
    }
    EndEditing();
}

void TGxCustomGridControl::AddRowFromInput()
{
    bool Accept = true;
    DoInputAccept(Accept);
    if (!Accept) return;
    AddRow(1);
    const int Row = GetRowCount() - 1;
    const int Count = FColumns->GetCount();
    try {
        for (int Col = 0; Col < Count; ++Col) {
            TGxCustomColumn* Column = FColumns->GetItem(Col);
            const WideString& Value =
                Column->GetInputValue().empty() ? Column->GetDefaultValue() : Column->GetInputValue();
            if (!Value.empty()) SetCells(Col, Row, Value);
        }
    } catch (...) {
        // A whole row or none; the input edit stays open through the removal.
        const TGridState Editing = FGridState * TGridState{gtEdit, gtInput};
        FGridState = FGridState - Editing;
        const TScopeExit Reopen([this, Editing] { FGridState = FGridState + Editing; });
        if (Row >= 0 && Row < GetRowCount()) DeleteRow(Row);
        throw;
    }
    for (int Col = 0; Col < Count; ++Col)
        FColumns->GetItem(Col)->SetInputValue(WideString());
    DoInputAdded();
}

// ---- The editor window -----------------------------------------------------------------------------

void TGxCustomGridControl::SetInplaceEdit(TGxCustomEdit* Editor)
{
    if (FInplaceEdit && FInplaceEdit != Editor) {
        FInplaceEdit->RemoveFreeNotification(this);
        if (FEditorEventsTaken) {
            // The editor may serve elsewhere: it no longer calls into the grid.
            FInplaceEdit->OnChange = nullptr;
            FInplaceEdit->OnEnter = FInplaceEdit->OnExit = nullptr;
            FInplaceEdit->OnKeyDown = FInplaceEdit->OnKeyUp = nullptr;
            FInplaceEdit->OnKeyPress = nullptr;
        }
    }
    FEditorEventsTaken = false;
    FInplaceEdit = Editor;
    if (!Editor) return;
    Editor->FreeNotification(this);
    Editor->OnChange = nullptr;
    Editor->SetParent(this);
    Editor->SetAsString(WideString());
    Editor->SetWantTabs(FWantTabs);
    Editor->SetBiDiMode(GetBiDiMode());
}

void TGxCustomGridControl::SetInplaceEditEvents()
{
    if (!FInplaceEdit) return;
    FEditorEventsTaken = true;
    FInplaceEdit->OnChange = [this](TObject* Sender) { DoCellEditorChange(Sender); };
    FInplaceEdit->OnEnter = [this](TObject* Sender) { DoCellEditorEnter(Sender); };
    FInplaceEdit->OnExit = [this](TObject* Sender) { DoCellEditorExit(Sender); };
    FInplaceEdit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        DoCellEditorKeyDown(Sender, Key, Shift);
    };
    FInplaceEdit->OnKeyPress = [this](TObject* Sender, WideChar& Key) { DoCellEditorKeyPress(Sender, Key); };
    FInplaceEdit->OnKeyUp = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        DoCellEditorKeyUp(Sender, Key, Shift);
    };
}

bool TGxCustomGridControl::CellEditorRect(TRect& Rect)
{
    const TRect Body = GetBodyRect();
    if (FGridState.Contains(gtEdit)) {
        // A row above the view (which reports the body's top) or off screen.
        if (!CellBounds(FEditingCell.X, FEditingCell.Y) || FEditingCell.Y < FFirstRowInView ||
            !GetRowVisible(FEditingCell.Y))
            return false;
        Rect = GetCellRect(FEditingCell.X, FEditingCell.Y);
        FColumns->GetItem(FEditingCell.X)->AdjustEditRect(GetRowLevel(FEditingCell.Y), Rect);
        ExcludeGrid(Rect);
        if (!FOptions.Contains(goGrid)) --Rect.Right;
        // Partly under the header, or under the footer and the client's
        // bottom, the editor would cover what the grid paints there.
        if (Rect.Top < Body.Top || Rect.Bottom > Body.Bottom) return false;
    } else if (FGridState.Contains(gtInput)) {
        if (FInputColumnIndex < 0 || FInputColumnIndex >= FColumns->GetCount()) return false;
        Rect = GetInputCellRect(FInputColumnIndex);
    } else {
        return false;
    }
    InflateRect(Rect, -1, -1);
    Rect.Left = std::max({Rect.Left, 0, Body.Left});
    return true;
}

void TGxCustomGridControl::RefreshCellEditor()
{
    if (!FInplaceEdit || !HandleAllocated()) return;
    TRect R;
    if (!CellEditorRect(R)) {
        if (FGridState.Contains(gtEdit)) {
            FocusGridFromEditor();
            FInplaceEdit->SetVisible(false);
        }
        return;
    }
    TGxCustomColumn* Column = FColumns->GetItem(FGridState.Contains(gtEdit) ? FEditingCell.X : FInputColumnIndex);
    UINT Flags = SWP_SHOWWINDOW;
    if (!Column->GetColumnStyle().Contains(csRedrawInplaceEdit)) Flags |= SWP_NOREDRAW;
    // Moved while shown: hiding it first would take the focus away.
    SetWindowPos(FInplaceEdit->GetHandle(), HWND_TOP, R.Left, R.Top, R.Width(), R.Height(), Flags);
    FInplaceEdit->SetVisible(true);
    // A grid on a form not shown yet edits without the focus.
    if (FInplaceEdit->GetShowing() && FInplaceEdit->CanFocus() && !FInplaceEdit->Focused()) FInplaceEdit->SetFocus();
    FInplaceEdit->Invalidate();
}

void TGxCustomGridControl::FocusGridFromEditor()
{
    // A hidden editor that keeps the focus would hand it to the form, and
    // the grid would take that for the user leaving it.
    if (FInplaceEdit && FInplaceEdit->Focused() && CanFocus()) SetFocus();
}

void TGxCustomGridControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxScrollControl::Notification(AComponent, Operation);
    if (Operation != ::opRemove || AComponent != FInplaceEdit) return;
    // The editor went while in use: the edit ends with it, storing nothing.
    FInplaceEdit = nullptr;
    FEditorEventsTaken = false;
    EndEditing();
}

// ---- The editor's events ---------------------------------------------------------------------------

void TGxCustomGridControl::DoCellEditorChange(TObject*)
{
    if (FLoadingEditText || !FInplaceEdit) return;
    DoEdit(FEditingCell.X, FEditingCell.Y, FInplaceEdit->GetAsString());
}

void TGxCustomGridControl::DoCellEditorEnter(TObject*)
{
    if (!Focused()) Invalidate();
}

void TGxCustomGridControl::DoCellEditorExit(TObject*)
{
    if (!Focused()) Invalidate();
}

bool TGxCustomGridControl::ApplyAndEndAtKey()
{
    try {
        ApplyEditing();
    } catch (...) {
        if (Application) Application->HandleException(this);
        return false;
    }
    if (FEditRefused) return false;
    EndEditing();
    return true;
}

void TGxCustomGridControl::DoCellEditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    // The character these keys type comes to the editor after the key. When
    // the key ends the edit, the editor is let go and no longer hands that
    // character to the grid, so the grid takes it here: Return moves on with
    // WantReturns, and the grid's OnKeyPress and the cell's play hear it.
    const WideChar Typed = Key == VK_RETURN ? 13 : Key == VK_TAB ? 9 : Key == VK_ESCAPE ? 27 : 0;
    const auto Forwarding = [this, Sender] { return FInplaceEdit && FInplaceEdit == Sender && FEditorEventsTaken; };
    const bool WasForwarding = Forwarding();
    switch (Key) {
    case VK_TAB:
        if (!ApplyAndEndAtKey()) {
            Key = 0;
            return;
        }
        break;
    case VK_RETURN:
        if (FGridState.Contains(gtEdit) &&
            !FColumns->GetItem(FEditingCell.X)->GetColumnStyle().Contains(csWantReturns)) {
            if (!ApplyAndEndAtKey()) {
                Key = 0;
                return;
            }
            if (CanFocus()) SetFocus();
        } else if (FGridState.Contains(gtInput) && FInplaceEdit) {
            TGxCustomColumn* Column = FColumns->GetItem(FInputColumnIndex);
            try {
                ApplyEditing();
                FInplaceEdit->SetAsString(WideString());
                AddRowFromInput();
            } catch (...) {
                Key = 0;
                if (Application) Application->HandleException(this);
            }
            // The values kept (all empty once a row was added) come back.
            if (FInplaceEdit) {
                FLoadingEditText = true;
                const TScopeExit Loaded([this] { FLoadingEditText = false; });
                FInplaceEdit->SetAsString(Column->GetInputValue());
                FInplaceEdit->SelectAll();
                Column->SetInputActive(true);
            }
            if (Key == 0) return;
        }
        break;
    case VK_ESCAPE:
        if (FOptions.Contains(goEscClearEdit)) {
            if (FInplaceEdit) FInplaceEdit->Clear();
        } else {
            EndEditing();
            if (CanFocus()) SetFocus();
        }
        break;
    default:
        break;
    }
    KeyDown(Key, Shift);
    if (Typed && WasForwarding && !Forwarding()) {
        WideChar Char = Typed;
        KeyPress(Char);
    }
}

void TGxCustomGridControl::DoCellEditorKeyPress(TObject*, WideChar& Key)
{
    KeyPress(Key);
}

void TGxCustomGridControl::DoCellEditorKeyUp(TObject*, Word& Key, TShiftState Shift)
{
    KeyUp(Key, Shift);
}

// ---- Focus and layout ------------------------------------------------------------------------------

void TGxCustomGridControl::DoExit()
{
    ApplyAndEndEditing();
    TGxScrollControl::DoExit();
}

void TGxCustomGridControl::Resize()
{
    TGxScrollControl::Resize();
    RefreshCellEditor();
}

void TGxCustomGridControl::AfterScroll(TScrollBarKind Kind)
{
    TGxScrollControl::AfterScroll(Kind);
    RefreshCellEditor();
}

} // namespace GxCustomGridControl
