// grid/GxColumnClasses_Lists.cpp: the kinds that edit text with a button
// edit or a drop-down: the button, popup, strings, combo box and list columns.
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxValueColumnsSupport.h"
#include "grid/shared/GxComboBox.h"
#include "platform/rtl/Codec.h"

namespace GxColumnClasses {

using namespace GxDisplays;
using namespace ValueSupport;
using GxButtonEdit::dsDropDown;
using GxButtonEdit::dsDropDownList;
using GxButtonEdit::TGxButtonEdit;
using GxButtonEdit::TGxCustomButtonEdit;
using GxButtonEdit::TGxPopupEdit;
using GxComboBox::TGxComboBox;
using GxEdit::TGxCustomEdit;

// ---- TGxButtonColumn --------------------------------------------------------------------------------

TGxButtonColumn::TGxButtonColumn(TComponent* AOwner) : TGxTextColumn(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetSortType(stAlphabetic);
}

TGxButtonColumn::~TGxButtonColumn() = default;

void TGxButtonColumn::AfterConstruction()
{
    TGxTextColumn::AfterConstruction();
    if (auto* Edit = dynamic_cast<TGxCustomButtonEdit*>(GetEditor()))
        Edit->OnButtonClick = [this](TObject*) { DoButtonClick(); };
}

TGxCustomEditClass TGxButtonColumn::GetCellEditorClass() const
{
    return EditClass<TGxButtonEdit>;
}

void TGxButtonColumn::BeginEditing()
{
    TGxTextColumn::BeginEditing();
    auto* Edit = dynamic_cast<TGxButtonEdit*>(GetEditor());
    if (!Edit) return;
    Edit->SetButtonCaption(FButtonCaption);
    Edit->SetButtonGlyph(FGlyph.get());
    Edit->SetOptions(FEditOptions);
    Edit->SetTransparentColor(FGlyph->GetTransparentColor());
}

void TGxButtonColumn::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyph->SetTransparent(true);
    // A glyph without pixels has no corner to read.
    if (!FGlyph->GetEmpty()) FGlyph->SetTransparentColor(FGlyph->GetCanvas()->GetPixels(0, FGlyph->GetHeight() - 1));
}

void TGxButtonColumn::DoButtonClick()
{
    if (OnButtonClick) OnButtonClick(this);
}

// ---- TGxPopupColumn ---------------------------------------------------------------------------------

void TGxPopupColumn::AfterConstruction()
{
    TGxTextColumn::AfterConstruction();
    auto* Edit = dynamic_cast<TGxPopupEdit*>(GetEditor());
    if (!Edit) return;
    Edit->OnCloseUp = [this](TObject*) { DoCloseUp(); };
    Edit->OnSelect = [this](TObject*) { DoSelect(); };
}

TGxCustomEditClass TGxPopupColumn::GetCellEditorClass() const
{
    return EditClass<TGxPopupEdit>;
}

void TGxPopupColumn::DoCloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TGxPopupColumn::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

// ---- TGxStringsColumn, TGxComboBoxColumn, TGxListColumn ---------------------------------------------

int LocateKey(WideChar Key, TStrings* Items)
{
    const int Count = Items->GetCount();
    for (int I = 0; I < Count; ++I)
        if (GxComboBox::ItemBeginsWith(Items->Get(I), Key)) return I;
    return -1;
}

TGxStringsColumn::TGxStringsColumn(TComponent* AOwner) : TGxPopupColumn(AOwner), FItems(std::make_unique<TStringList>())
{
}

TGxStringsColumn::~TGxStringsColumn() = default;

void TGxStringsColumn::Assign(TPersistent* Source)
{
    TGxPopupColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxStringsColumn*>(Source);
    if (!Column) return;
    SetDropDownCount(Column->FDropDownCount);
    SetItems(Column->GetItems());
}

TGxCustomEditClass TGxStringsColumn::GetCellEditorClass() const
{
    return EditClass<TGxComboBox>;
}

TColumnDisplayClass TGxStringsColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TStringsColumnDisplay>;
}

void TGxStringsColumn::BeginEditing()
{
    TGxPopupColumn::BeginEditing();
    auto* Combo = dynamic_cast<TGxComboBox*>(GetEditor());
    if (!Combo) return;
    Combo->SetDropDownCount(FDropDownCount);
    Combo->SetImages(FImages);
    Combo->SetItems(FItems.get());
    Combo->SetListWidth(FListWidth);
    Combo->SetPreviewBorder(false);
    Combo->SetShowPreview(FDisplayMode != dmTextOnly);
}

void TGxStringsColumn::SetDisplayMode(TDisplayMode Value)
{
    StoreAndRepaint(this, FDisplayMode, Value);
}

void TGxStringsColumn::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TGxStringsColumn::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

void TGxStringsColumn::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxPopupColumn::Notification(AComponent, Operation);
    if (Operation == ::opRemove && AComponent == FImages) FImages = nullptr;
}

void TGxComboBoxColumn::Assign(TPersistent* Source)
{
    TGxStringsColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxComboBoxColumn*>(Source);
    if (!Column) return;
    SetDataMode(Column->FDataMode);
    SetStyle(Column->FStyle);
}

bool TGxComboBoxColumn::IsKeyValid(WideChar Key)
{
    if (FStyle == cbsDropDownList) return LocateKey(Key, GetItems()) != -1;
    return TGxStringsColumn::IsKeyValid(Key);
}

void TGxComboBoxColumn::BeginEditing()
{
    TGxStringsColumn::BeginEditing();
    auto* Combo = dynamic_cast<TGxComboBox*>(GetEditor());
    if (!Combo) return;
    Combo->SetStyle(FStyle == cbsDropDownList ? dsDropDownList : dsDropDown);
    Combo->SetDisplayMode(FDataMode);
}

void TGxComboBoxColumn::UpdateEdit()
{
    if (FStyle != cbsDropDownList) return;
    auto* Combo = dynamic_cast<TGxComboBox*>(ActiveEditor(this));
    if (!Combo) return;
    const int Index = Combo->GetItems()->IndexOf(WideToUtf8(Combo->GetAsString()));
    if (Index >= 0) Combo->SetItemIndex(Index);
}

TGxListColumn::TGxListColumn(TComponent* AOwner) : TGxStringsColumn(AOwner)
{
    SetDefaultValue(u"0");
    SetSortType(stNumeric);
}

void TGxListColumn::AfterConstruction()
{
    TGxStringsColumn::AfterConstruction();
    SetColumnType(ctInteger);
}

WideString TGxListColumn::GetDrawText(const TCellInfo& CellInfo)
{
    const int Index = CellInfo.AsInteger;
    if (Index < 0 || Index >= GetItems()->GetCount()) return {};
    return TGxStringsColumn::GetDrawText(TCellInfo{.AsString = Utf8ToWide(GetItems()->Get(Index))});
}

WideString TGxListColumn::GetInputDrawText()
{
    const WideString& Input = GetInputValue();
    int Index = 0;
    if (Input.empty() || !TryStrToInt(WideToUtf8(Input), Index)) return {};
    if (Index < 0 || Index >= GetItems()->GetCount()) return {};
    return Utf8ToWide(GetItems()->Get(Index));
}

void TGxListColumn::BeginEditing()
{
    TGxStringsColumn::BeginEditing();
    auto* Combo = dynamic_cast<TGxComboBox*>(GetEditor());
    if (!Combo) return;
    Combo->SetStyle(dsDropDownList);
    if (auto* List = dynamic_cast<TStringList*>(Combo->GetItems())) List->SetSorted(FSorted);
}

// Index moved from the item list From to where the same item stands in To.
// The column's own editor sorts its copy of Items when the column is Sorted,
// and the cell keeps the index in the column's Items.
int TGxListColumn::MapIndex(int Index, TStrings* From, TStrings* To) const
{
    if (!FSorted || Index < 0 || Index >= From->GetCount()) return Index;
    return To->IndexOf(From->Get(Index));
}

void TGxListColumn::UpdateEdit()
{
    auto* Combo = dynamic_cast<TGxComboBox*>(ActiveEditor(this));
    if (!Combo) return;
    const AnsiString Text = WideToUtf8(Combo->GetAsString());
    int Index = 0;
    // A text that is no index (an input value typed elsewhere) selects nothing new.
    if (!Text.empty() && !TryStrToInt(Text, Index)) return;
    if (Combo == GetEditor()) Index = MapIndex(Index, GetItems(), Combo->GetItems());
    Combo->SetItemIndex(Index);
}

void TGxListColumn::ApplyEditing(WideString& Value)
{
    TGxCustomEdit* User = GetInplaceEdit();
    auto* Combo = dynamic_cast<TGxComboBox*>(User ? User : GetEditor());
    if (!Combo) return;
    int Index = Combo->GetItemIndex();
    if (Combo == GetEditor()) Index = MapIndex(Index, Combo->GetItems(), GetItems());
    Value = Utf8ToWide(IntToStr(Index));
}

} // namespace GxColumnClasses
