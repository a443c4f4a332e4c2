// grid/GxColumns.cpp: a column's life, its parent grid, its place and its reports.
#include "grid/GxColumns.h"
#include "grid/shared/GxEdit.h"

#include <algorithm>

namespace GxColumns {

using namespace GxEdit;

TGxCustomColumn::TGxCustomColumn(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FFooter(New<TColumnFooter>(this)),
      FHeader(New<TColumnHeader>(this)), FSlideBounds(New<TGxSlideBounds>(this))
{
    FFont->OnChange = [this](TObject* Sender) { DoFontChange(Sender); };
    FHeader->OnChange = [this](TObject* Sender) { DoColumnPartChange(Sender); };
    FFooter->OnChange = FHeader->OnChange;
}

void TGxCustomColumn::AfterConstruction()
{
    TComponent::AfterConstruction();
    if (TGxCustomEditClass EditorClass = GetCellEditorClass()) {
        FEditor = EditorClass(this);
        FEditor->SetVisible(false);
    }
    if (TColumnDisplayClass DisplayClass = GetColumnDisplayClass()) FDisplay.reset(DisplayClass(this));
    if (TColumnPlayClass PlayClass = GetColumnPlayClass()) FPlay.reset(PlayClass(this));
}

void TGxCustomColumn::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    if (FColumns) FColumns->Remove(this);
}

TGxCustomColumn::~TGxCustomColumn()
{
    if (FColumns) FColumns->Remove(this);
    FreeAndNil(FEditor);
}

void TGxCustomColumn::Assign(TPersistent* Source)
{
    auto* Column = dynamic_cast<TGxCustomColumn*>(Source);
    if (!Column) {
        TComponent::Assign(Source);
        return;
    }
    SetAlignment(Column->FAlignment);
    SetColor(Column->FColor);
    SetCursor(Column->FCursor);
    SetDefaultValue(Column->FDefaultValue);
    SetDrawingOptions(Column->FDrawingOptions);
    SetFont(Column->GetFont());
    SetFooter(Column->GetFooter());
    SetHeader(Column->GetHeader());
    SetInputCaption(Column->FInputCaption);
    SetInputValue(Column->FInputValue);
    SetOptions(Column->FOptions);
    SetParentFont(Column->FParentFont);
    SetPosition(Column->FPosition);
    SetSlideBounds(Column->GetSlideBounds());
    SetSorted(Column->FSorted);
    SetSortKind(Column->FSortKind);
    SetVerticalAlignment(Column->FVerticalAlignment);
    SetVisible(Column->FVisible);
    SetWidth(Column->FWidth);
    SetWrapKind(Column->FWrapKind);
}

void TGxCustomColumn::SetName(const AnsiString& Value)
{
    if (Value == GetName()) return;
    TComponent::SetName(Value);
    Notify(cnNameChange);
}

void TGxCustomColumn::ReadState()
{
    if (!FColumns) return;
    FColumns->UpdatePositionList(this);
    FColumns->UpdateColumns(false);
}

TComponent* TGxCustomColumn::GetParentComponent() const
{
    return FColumns ? FColumns->GetOwner() : nullptr;
}

void TGxCustomColumn::SetParentComponent(TComponent* AParent)
{
    auto* Host = dynamic_cast<IGridHost*>(AParent);
    TGxColumns* Columns = Host ? Host->GetColumns() : nullptr;
    if (!Columns) return;
    Columns->Adopt(this);
    Columns->FItems.push_back(this);
    Columns->DoChange(opAdd, ctNone, -1, -1);
}

void TGxCustomColumn::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != ::opRemove) return;
    // The grid frees its child windows, the editors among them, before the
    // columns that the form owns.
    if (AComponent == FEditor) FEditor = nullptr;
    if (AComponent == FInplaceEdit) FInplaceEdit = nullptr;
}

// ---- The kind's operations --------------------------------------------------------------------

TColumnState TGxCustomColumn::GetColumnState()
{
    if (!FEnabled) return {};
    if (!GetColumnStyle().Contains(csCanEdit) && !FInplaceEdit) return {};
    TColumnState State;
    if (FOptions.Contains(coEditing)) State.Include(ceEditable);
    if (FOptions.Contains(coCanInput)) State.Include(ceCanInput);
    return State;
}

int TGxCustomColumn::GetDisplayTextWidth(const WideString& Text) const
{
    TCanvas* Canvas = FDisplay ? FDisplay->GetCanvas() : nullptr;
    return Canvas ? GetTextWidth(Canvas, Text) : 0;
}

int TGxCustomColumn::GetCellBestFit(const WideString& Text)
{
    return std::max(GetDisplayTextWidth(Text) + 6, 8);
}

void TGxCustomColumn::BeginEditing()
{
    if (!FEditor) return;
    FEditor->SetEditorUpdating(true);
    FEditor->SetAlignment(FAlignment);
    FEditor->SetBorderStyle(bsNone);
    FEditor->SetBorderWidth(0);
    FEditor->GetEditMargins()->SetLeft(1);
}

// ---- Place ------------------------------------------------------------------------------------------

IGridHost* TGxCustomColumn::Grid() const
{
    return FColumns ? FColumns->GetGrid() : nullptr;
}

bool TGxCustomColumn::IsLoading() const
{
    return GetComponentState().Contains(csLoading) || (FColumns && FColumns->IsReadingState());
}

int TGxCustomColumn::GetIndex() const
{
    return FColumns ? FColumns->IndexOf(this) : -1;
}

void TGxCustomColumn::SetIndex(int Value)
{
    const int Index = GetIndex();
    if (FColumns && Value != Index) FColumns->Move(Index, Value);
}

TColumnLocation TGxCustomColumn::GetLocation() const
{
    const int Count = FColumns ? FColumns->GetVisibleCount() : 0;
    if (Count == 1) return clAlone;
    if (FVisibleIndex == 0) return clLeftSide;
    if (FVisibleIndex == Count - 1) return clRightSide;
    return clMiddle;
}

bool TGxCustomColumn::IsAlone() const
{
    return FColumns && FColumns->GetVisibleCount() == 1;
}

bool TGxCustomColumn::IsClipped() const
{
    return FColumns && FColumns->Clipped(this);
}

TGxCustomColumn* TGxCustomColumn::GetNextColumn()
{
    return FColumns ? FColumns->GetNextColumn(this) : this;
}

TGxCustomColumn* TGxCustomColumn::GetPrevColumn()
{
    return FColumns ? FColumns->GetPrevColumn(this) : this;
}

int TGxCustomColumn::GetAbsoluteLeft() const
{
    if (!FColumns || FPosition < FColumns->GetFixedCols()) return FLeft;
    return FLeft - FColumns->GetGrid()->GetHorzScrollPos();
}

TRect TGxCustomColumn::GetClientRect() const
{
    IGridHost* Host = Grid();
    const int Left = GetAbsoluteLeft();
    const int HeaderHeight = Host ? Host->GetHeaderRect().Height() : 0;
    const int ClientHeight = Host ? Host->GetClientHeight() : 0;
    return TRect(Left, HeaderHeight, Left + FWidth, ClientHeight - HeaderHeight - 4);
}

TRect TGxCustomColumn::GetSlideRect() const
{
    const TGxSlideBounds& B = *FSlideBounds;
    return TRect(B.GetLeft(), B.GetTop(), B.GetRight(), B.GetBottom());
}

int TGxCustomColumn::GetSlideWidth() const
{
    return FSlideBounds->GetRight() - FSlideBounds->GetLeft();
}

TRect TGxCustomColumn::GetMemberRect(TColumnMemberKind Kind) const
{
    IGridHost* Host = Grid();
    if (!Host) return TRect();
    TRect R;
    switch (Kind) {
    case ckFooter:
        R = Host->GetFooterRect();
        R.Top += 4;
        break;
    case ckHeader:
        R = Host->GetHeaderRect();
        break;
    case ckInput:
        R = Host->GetInputRect();
        R.Bottom -= 6;
        break;
    default:
        return TRect();
    }
    R.Left = GetAbsoluteLeft();
    R.Right = R.Left + FWidth;
    return R;
}

bool TGxCustomColumn::GetFocused() const
{
    IGridHost* Host = Grid();
    return Host && Host->GetHeaderDownColumn() == this;
}

bool TGxCustomColumn::GetHover() const
{
    IGridHost* Host = Grid();
    return Host && Host->GetHoverColumn() == this;
}

bool TGxCustomColumn::GetSelected() const
{
    IGridHost* Host = Grid();
    return Host && Host->GetSelectedColumn() == GetIndex();
}

// ---- Reports ----------------------------------------------------------------------------------------

void TGxCustomColumn::Refresh(TGridArea Area)
{
    if (FColumns) FColumns->UpdateColumn(this, Area);
}

void TGxCustomColumn::NotifyColumnChange(TColumnChangeKind Kind, int Param)
{
    if (FColumns) FColumns->DoColumnChange(this, Kind, Param);
}

void TGxCustomColumn::TryUpdateColumns(bool UpdatePositions)
{
    if (FColumns) FColumns->UpdateColumns(UpdatePositions);
}

void TGxCustomColumn::RegisterNotification(const TColumnNotifyProc& Proc)
{
    FNotifyList.push_back(Proc);
}

void TGxCustomColumn::UnregisterNotification(const TColumnNotifyProc& Proc)
{
    std::erase(FNotifyList, Proc);
}

void TGxCustomColumn::Notify(TColumnNotifyOperation Operation)
{
    if (FNotifyList.empty()) return;
    // A listener may register or unregister while it is told.
    const std::vector<TColumnNotifyProc> List = FNotifyList;
    for (const TColumnNotifyProc& Proc : List)
        Proc(this, Operation);
}

void TGxCustomColumn::DoFontChange(TObject*)
{
    if (FCopyingParentFont) return;
    FParentFont = false;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::DoColumnPartChange(TObject*)
{
    NotifyColumnChange(ccUndefined, -1);
}

} // namespace GxColumns
