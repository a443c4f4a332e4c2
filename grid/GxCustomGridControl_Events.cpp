// grid/GxCustomGridControl_Events.cpp: each dispatcher fires its event when one is assigned.
#include "grid/GxCustomGridControl.h"

namespace GxCustomGridControl {

void TGxCustomGridControl::DoAfterEdit(int ACol, int ARow, const WideString& Value)
{
    if (OnAfterEdit) OnAfterEdit(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoAfterRowMove(int FromPos, int ToPos)
{
    if (OnAfterRowMove) OnAfterRowMove(this, FromPos, ToPos);
}

void TGxCustomGridControl::DoAfterSort(int ACol)
{
    if (OnAfterSort) OnAfterSort(this, ACol);
}

void TGxCustomGridControl::DoApplyCell(int ACol, int ARow, WideString& Value)
{
    if (OnApplyCell) OnApplyCell(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoApplyEditText(int ACol, int ARow, WideString& Value)
{
    if (OnApplyEditText) OnApplyEditText(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoBeforeEdit(int ACol, int ARow, bool& Accept)
{
    if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, Accept);
}

void TGxCustomGridControl::DoBeforeSelect(int ACol, int ARow, bool& Accept)
{
    if (OnBeforeSelect) OnBeforeSelect(this, ACol, ARow, Accept);
}

void TGxCustomGridControl::DoCellClick(int ACol, int ARow)
{
    if (OnCellClick) OnCellClick(this, ACol, ARow);
}

void TGxCustomGridControl::DoCellColoring(int ACol, int ARow, TColor& CellColor, TColor& GridColor,
                                          TCellState CellState)
{
    if (OnCellColoring) OnCellColoring(this, ACol, ARow, CellColor, GridColor, CellState);
}

void TGxCustomGridControl::DoCellDblClick(int ACol, int ARow)
{
    if (OnCellDblClick) OnCellDblClick(this, ACol, ARow);
}

void TGxCustomGridControl::DoCellHint(int ACol, int ARow, WideString& Value)
{
    if (OnCellHint) OnCellHint(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoChange(int ACol, int ARow)
{
    if (OnChange) OnChange(this, ACol, ARow);
}

void TGxCustomGridControl::DoChangeRowHeight(int Index, int Height)
{
    if (OnChangeRowHeight) OnChangeRowHeight(this, Index, Height);
}

void TGxCustomGridControl::DoColumnFooterValue(int ACol, double& Value)
{
    if (OnColumnFooterValue) OnColumnFooterValue(this, ACol, Value);
}

void TGxCustomGridControl::DoColumnMove(int ACol, int FromPos, int ToPos)
{
    if (OnColumnMove) OnColumnMove(this, ACol, FromPos, ToPos);
}

void TGxCustomGridControl::DoColumnResize(int ACol)
{
    if (OnColumnResize) OnColumnResize(this, ACol);
}

void TGxCustomGridControl::DoCustomDrawCell(int ACol, int ARow, const TRect& CellRect, TCellState CellState)
{
    if (OnCustomDrawCell) OnCustomDrawCell(this, ACol, ARow, CellRect, CellState);
}

void TGxCustomGridControl::DoDeselectCell(int ACol, int ARow)
{
    if (OnDeselectCell) OnDeselectCell(this, ACol, ARow);
}

void TGxCustomGridControl::DoDrawCellBackground(int ACol, int ARow, const TRect& CellRect, TCellState CellState,
                                                bool& DefaultDrawing)
{
    if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, ARow, CellRect, CellState, DefaultDrawing);
}

void TGxCustomGridControl::DoEdit(int ACol, int ARow, const WideString& Value)
{
    if (OnEdit) OnEdit(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoEditAccept(int ACol, int ARow, const WideString& Value, bool& Accept)
{
    if (OnEditAccept) OnEditAccept(this, ACol, ARow, Value, Accept);
}

void TGxCustomGridControl::DoEditExit()
{
    if (OnEditExit) OnEditExit(this);
}

void TGxCustomGridControl::DoEditText(int ACol, int ARow, WideString& Value)
{
    if (OnEditText) OnEditText(this, ACol, ARow, Value);
}

void TGxCustomGridControl::DoFooterCalculate(int ACol, double& Value)
{
    if (OnFooterCalculate) OnFooterCalculate(this, ACol, Value);
}

void TGxCustomGridControl::DoFooterClick(int ACol)
{
    if (OnFooterClick) OnFooterClick(this, ACol);
}

void TGxCustomGridControl::DoHeaderClick(int ACol)
{
    if (OnHeaderClick) OnHeaderClick(this, ACol);
}

void TGxCustomGridControl::DoHeaderDblClick(int ACol)
{
    if (OnHeaderDblClick) OnHeaderDblClick(this, ACol);
}

void TGxCustomGridControl::DoInputAccept(bool& Accept)
{
    if (OnInputAccept) OnInputAccept(this, Accept);
}

void TGxCustomGridControl::DoInputAdded()
{
    if (OnInputAdded) OnInputAdded(this);
}

void TGxCustomGridControl::DoInputSelectCell(int ACol)
{
    if (OnInputSelectCell) OnInputSelectCell(this, ACol);
}

void TGxCustomGridControl::DoMeasuringRowHeight(int Index, int& RowHeight)
{
    if (OnMeasuringRowHeight) OnMeasuringRowHeight(this, Index, RowHeight);
}

void TGxCustomGridControl::DoPostDraw()
{
    if (OnPostDraw) OnPostDraw(this);
}

void TGxCustomGridControl::DoRowMove(int FromPos, int ToPos, bool& Accept)
{
    if (OnRowMove) OnRowMove(this, FromPos, ToPos, Accept);
}

void TGxCustomGridControl::DoSelectCell(int ACol, int ARow)
{
    if (OnSelectCell) OnSelectCell(this, ACol, ARow);
}

void TGxCustomGridControl::DoSlideChange(int ACol)
{
    if (OnSlideChange) OnSlideChange(this, ACol);
}

void TGxCustomGridControl::DoSlideColoring(int Index, TColor& SlideColor, TColor& GridColor, TSlideState SlideState)
{
    if (OnSlideColoring) OnSlideColoring(this, Index, SlideColor, GridColor, SlideState);
}

void TGxCustomGridControl::DoSortColumn(int ACol, bool Ascending)
{
    if (OnSortColumn) OnSortColumn(this, ACol, Ascending);
}

} // namespace GxCustomGridControl
