// grid/GxCustomGrid_Hints.cpp: whether a cell's text fits, the hint that
// shows it whole, footer formulas on request, and the columns' font.
#include "grid/GxCustomGrid.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

namespace GxCustomGrid {

// ---- Text-fit hints ---------------------------------------------------------------------------

bool TGxCustomGrid::IsTextFit(int ACol, int ARow)
{
    TGxCustomColumn* Column = GetColumns()->GetItem(ACol);
    const TCellState State = PrepareMeasure(Column, ARow, GetCellRect(ACol, ARow));
    TFont* Font = GetCanvas()->GetFont();
    if (State.Contains(csBoldTextSelection)) Font->SetStyle(Font->GetStyle() + TFontStyles{fsBold});
    const int Available = GetGridStyle() == gsSlides ? Column->GetSlideWidth() : Column->GetWidth();
    return Column->GetDisplay()->GetContentWidth() + 5 <= Available;
}

void TGxCustomGrid::ShowCellTextFitHint(int ACol, int ARow)
{
    const TCustomForm* Form = GetParentForm(this);
    if (!Form || !Form->GetActive()) return;
    RecreateHintWnd();
    FHintKind = hpTextFit;
    WideString Text = GetDrawText(ACol, ARow);
    DoApplyCell(ACol, ARow, Text);
    TRect R = GxClasses::CalcHintRect(FHintWindow, GetClientWidth(), Text);
    const TPoint Corner = ClientToScreen(GetCellRect(ACol, ARow).TopLeft());
    OffsetRect(R, Corner.X, Corner.Y);
    GxClasses::ActivateHint(FHintWindow, R, Text);
}

// ---- Footer formulas --------------------------------------------------------------------------

double FoldFormula(TFormulaKind Kind, int Rows, const std::function<bool(int ARow, double& Value)>& Number)
{
    if (Kind != fkAverage && Kind != fkSum && Kind != fkMaximum && Kind != fkMinimum) return 0;
    double Value = 0, X = 0;
    bool Seeded = false;
    for (int R = 0; R < Rows; ++R) {
        if (!Number(R, X)) continue;
        if (Kind == fkAverage || Kind == fkSum)
            Value += X;
        else if (!Seeded || (Kind == fkMaximum ? X > Value : X < Value))
            Value = X;
        Seeded = true;
    }
    if (Kind == fkAverage && Rows > 0) Value /= Rows;
    return Value;
}

double TGxCustomGrid::GetFormulaValue(TGxCustomColumn* Column, TFormulaKind FormulaKind)
{
    const int Col = Column->GetIndex();
    // An empty cell has no number to give: one would make every call on the
    // column raise.
    return FoldFormula(FormulaKind, GetRowCount(), [&](int ARow, double& Value) {
        const WideString Text = GetCells(Col, ARow);
        if (Text.empty()) return false;
        Value = double(StrToFloat(WideToUtf8(Text)));
        return true;
    });
}

// ---- Fonts ------------------------------------------------------------------------------------

void TGxCustomGrid::CMParentFontChanged(TMessage& Message)
{
    TGxCustomGridControl::CMParentFontChanged(Message);
    if (!GetParentFont()) return;
    for (int I = 0; I < GetColumns()->GetCount(); ++I)
        if (TGxCustomColumn* Column = GetColumns()->GetItem(I); Column->GetParentFont()) Column->SetParentFont(true);
}

} // namespace GxCustomGrid
