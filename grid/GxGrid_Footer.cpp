// grid/GxGrid_Footer.cpp: the column sort, footer formulas, and sliding
// rows in and out of view as they are shown or hidden.
#include "grid/GxGrid.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinScroll.h"

#include <unordered_set>

namespace GxGrid {

// ---- Sorting -------------------------------------------------------------------------------------

void TGxGrid::SortColumn(TGxCustomColumn* AColumn, bool Ascending)
{
    TGxCustomGrid::SortColumn(AColumn, Ascending);
    if (!AColumn->GetOptions().Contains(coCanSort)) return;
    FlushVertScrollBar();
    const int Selected = GetSelectedRow();
    const TRow* Kept = Selected >= 0 && Selected < GetRowCount() ? Row(Selected) : nullptr;
    const int Anchor = GetSelectionAnchorRow();
    const TRow* Anchored = Anchor >= 0 && Anchor < GetRowCount() ? Row(Anchor) : nullptr;
    FCells->SortColumn(AColumn->GetIndex(), AColumn->GetSortType(), Ascending ? skAscending : skDescending,
                       AColumn->GetOptions().Contains(coFullResort));
    // The same row stays selected: no selection event, since none changed.
    if (Kept) SetSelectedCell(GetSelectedColumn(), FCells->GetRowIndex(Kept));
    if (Anchored) SetSelectionAnchorRow(FCells->GetRowIndex(Anchored));
    if (GetSelectedRow() >= 0) ScrollToRow(GetSelectedRow());
    SetFirstRowInView(GetFirstRow());
    RenewVisibleBounds();
    RefreshArea(gaBody);
    if (GetOptions().Contains(goIndicator)) RefreshArea(gaIndicator);
    DoAfterSort(AColumn->GetIndex());
}

// ---- Footers -----------------------------------------------------------------------------------------

void TGxGrid::CalculateFooter(bool VisibleOnly)
{
    const int Rows = GetRowCount();
    for (int C = 0; C < GetColumns()->GetCount(); ++C) {
        TColumnFooter* Footer = GetColumns()->GetItem(C)->GetFooter();
        const TFormulaKind Kind = Footer->GetFormulaKind();
        if (Kind == fkNone) continue;
        if (Rows == 0) {
            Footer->SetCaption(u"0");
            continue;
        }
        const auto Counted = [&](int R) { return !VisibleOnly || GetRowVisible(R); };
        // A cell with empty text has no number to give and is passed over.
        const auto Number = [&](int R, double& Value) {
            const TCell Cell = GetCell(C, R);
            if (Cell.GetAsString().empty()) return false;
            Value = Cell.GetAsFloat();
            return true;
        };
        double Value = 0;
        switch (Kind) {
        case fkAverage:
        case fkSum:
        case fkMaximum:
        case fkMinimum:
            // The average is over all rows, counted or not.
            Value = FoldFormula(Kind, Rows, [&](int R, double& X) { return Counted(R) && Number(R, X); });
            break;
        case fkCount:
            Value = Rows;
            break;
        case fkDistinct: {
            std::unordered_set<AnsiString> Texts;
            for (int R = 0; R < Rows; ++R)
                if (Counted(R)) Texts.insert(FoldedKey(WideToUtf8(GetCells(C, R))));
            Value = double(Texts.size());
            break;
        }
        case fkCustom:
            if (Counted(0)) Number(0, Value);
            DoColumnFooterValue(C, Value);
            break;
        default:
            break;
        }
        DoFooterCalculate(C, Value);
        Footer->SetCaption(Utf8ToWide(FloatToStrF(Value, ffGeneral, 15, 0)));
    }
}

// ---- Sliding rows ------------------------------------------------------------------------------------

void TGxGrid::Slide(TRect R, int Dy)
{
    if (HandleAllocated() && R.Top < R.Bottom && Dy != 0)
        ScrollWindowEx(GetHandle(), 0, Dy, &R, &R, nullptr, nullptr, SW_INVALIDATE);
}

void TGxGrid::ShowRow(int ARow, int AHeight, bool AShow, int Steps)
{
    if (IsUpdating()) return;
    TRect R = GetBodyRect();
    R.Left = 0;
    const int Space = GetGridSpace(lpTopBottom);
    const int First = GetFirstRowInView();
    TGxCustomScrollBar* Bar = GetVertScrollBar();
    if (GetVisibleRows() == 0) {
        SetFirstRowInView(0);
        RefreshArea(gaBody);
    } else if (ARow > First) {
        R.Top = GetGridStyle() == gsReport ? GetRowTop(ARow) : GetSlideTop(ARow);
        Slide(R, AShow ? Space + AHeight : -(Space + AHeight));
    } else if (ARow < First) {
        if (Bar->IsFirst()) {
            if (AShow) SetFirstRowInView(ARow);
            Slide(R, AShow ? Space + AHeight : Space - AHeight);
        } else {
            // The first row in view follows the bar's position: one step per
            // row on screen above the view, no compensation of its own.
            BeginUpdate();
            Bar->MoveBy(AShow || Bar->IsLast() ? Steps : -Steps);
            EndUpdate();
        }
    } else if (AShow) {
        Slide(R, GetGridSpace(lpBottom) + AHeight);
    } else {
        if (!Bar->IsLast()) {
            const int Next = GetNextOnScreen(First - 1);
            if (Next >= 0) SetFirstRowInView(Next);
        }
        Slide(R, -(Space + AHeight));
    }
    UpdateVertScrollBar();
}

} // namespace GxGrid
