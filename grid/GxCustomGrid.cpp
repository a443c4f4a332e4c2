// grid/GxCustomGrid.cpp: life, the window, the search timer, column plays
// and the hint window.
#include "grid/GxCustomGrid.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Forms.h"
#include "platform/win/WinResources.h"

namespace GxCustomGrid {

// GxCustomGrid_Cursors.cpp: "HORZSPLIT", "COLUMNNODRAG", "VERTSPLIT" and "INDICATORSELECT".
void RegisterGridCursorPictures();

// ---- Life -------------------------------------------------------------------------------------

TGxCustomGrid::TGxCustomGrid(TComponent* AOwner) : TGxCustomGridControl(AOwner)
{
    FDownArrow = New<TDragArrow>(this);
    FDownArrow->SetParent(this);
    FUpArrow = New<TDragArrow>(this);
    FUpArrow->SetParent(this);
    FDragBox = New<TColumnDragBox>(this);
    FDragBox->SetParent(this);
    FDragBox->OnDragBoxDrop = [this](TObject* Sender, int X, int Y) { DoDragBoxDrop(Sender, X, Y); };
    FDragBox->OnDragBoxMove = [this](TObject* Sender, int X, int Y) { DoDragBoxMove(Sender, X, Y); };
    FDragBox->OnDragBoxCancel = [this](TObject* Sender) { DoDragBoxCancel(Sender); };
    FDragBox->SetVisible(false);
    SetParentColor(false);
    SetColor(clWindow);
    FSearchTimer.reset(New<TTimer>(nullptr));
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetInterval(500);
    FSearchTimer->SetOnTimer([this](TObject*) {
        FSearchText.clear();
        FSearchTimer->SetEnabled(false);
    });
    RegisterGridCursorPictures();
    if (Screen) {
        Screen->SetCursors(crHorzSplit, LoadCursor(HInstance, "HORZSPLIT"));
        Screen->SetCursors(crColumnNoDrag, LoadCursor(HInstance, "COLUMNNODRAG"));
        Screen->SetCursors(crVertSplit, LoadCursor(HInstance, "VERTSPLIT"));
        Screen->SetCursors(crIndicatorSelect, LoadCursor(HInstance, "INDICATORSELECT"));
    }
}

TGxCustomGrid::~TGxCustomGrid() = default;

void TGxCustomGrid::BeforeDestruction()
{
    // A drag in progress ends quietly: nobody is left to move a column.
    FDragBox->OnDragBoxCancel = nullptr;
    FreeAndNil(FDragBox);
    FreeAndNil(FDownArrow);
    FreeAndNil(FUpArrow);
    if (FHintWindow) {
        GxClasses::DeactivateHint(FHintWindow);
        FreeAndNil(FHintWindow);
    }
    // The base unhooks the columns and frees them.
    TGxCustomGridControl::BeforeDestruction();
}

// ---- The window -------------------------------------------------------------------------------

void TGxCustomGrid::CreateWnd()
{
    TGxCustomGridControl::CreateWnd();
    WindowCreated();
}

void TGxCustomGrid::CMRecreateWnd(TMessage& Message)
{
    TGxCustomGridControl::CMRecreateWnd(Message);
    WindowCreated();
}

void TGxCustomGrid::WindowCreated()
{
    FDownArrow->SetArrowKind(akDown);
    FUpArrow->SetArrowKind(akUp);
    GetHorzScrollBar()->SetLargeChange(10);
    GetHorzScrollBar()->SetSmallChange(5);
    GetVertScrollBar()->SetLargeChange(10);
}

// ---- Columns ----------------------------------------------------------------------------------

void TGxCustomGrid::ColumnsChange(TColumnsOperation Operation, int Value1, int Value2)
{
    TGxCustomGridControl::ColumnsChange(Operation, Value1, Value2);
    for (TGxCustomColumn** Column :
         {&FDraggedColumn, &FResizingColumn, &FGripColumn, &FHeaderHintColumn, &FFooterHintColumn, &FPlayColumn})
        ForgetIfGone(*Column);
    // A resize whose column went ends, its lines taken away.
    if (FColumnLinesShown && !FResizingColumn) CancelSizing();
    if (FDragBox && FDragBox->GetColumn() && GetColumns()->IndexOf(FDragBox->GetColumn()) < 0) FDragBox->ForgetColumn();
}

// ---- Column plays -----------------------------------------------------------------------------

bool TGxCustomGrid::UpdateColumnPlay(int ACol, int ARow, const TRect& Rect)
{
    TColumnPlay* Play = GetColumns()->GetItem(ACol)->GetPlay();
    if (!Play) return false;
    Play->SetCol(ACol);
    Play->SetRow(ARow);
    Play->SetCanvas(GetCanvas());
    SetColumnPlayAttributes(Play);
    Play->SetClientRect(Rect);
    Play->OnChange = [this](TObject* Sender) { DoColumnPlayChange(Sender); };
    Play->OnExpand = [this](TObject* Sender) { DoColumnPlayExpand(Sender); };
    return true;
}

// ---- Hints ------------------------------------------------------------------------------------

void TGxCustomGrid::RecreateHintWnd()
{
    // The program may have chosen another hint window class since.
    if (FHintWindow && !FHintWindow->InheritsFrom(HintWindowClass.Class)) FreeAndNil(FHintWindow);
    if (FHintWindow) return;
    FHintWindow = HintWindowClass.Create(this);
    FHintWindow->SetColor(Application->GetHintColor());
}

} // namespace GxCustomGrid
