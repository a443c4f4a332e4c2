// grid/GxColumnClasses_Text.cpp: the text column.
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxEdit.h"
#include "platform/rtl/Codec.h"

#include <typeinfo>

namespace GxColumnClasses {

using namespace GxDisplays;
using namespace GxEdit;

TGxTextColumn::TGxTextColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetOptions({coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint});
}

void TGxTextColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctString);
}

void TGxTextColumn::Assign(TPersistent* Source)
{
    TGxCustomColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxTextColumn*>(Source);
    if (!Column) return;
    SetMaxLength(Column->FMaxLength);
    SetMultiLine(Column->FMultiLine);
    SetPasswordChar(Column->FPasswordChar);
    SetTextAfter(Column->FTextAfter);
    SetTextBefore(Column->FTextBefore);
}

TGxCustomEditClass TGxTextColumn::GetCellEditorClass() const
{
    return EditClass<TGxEdit>;
}

TColumnDisplayClass TGxTextColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TTextColumnDisplay>;
}

int TGxTextColumn::GetCellBestFit(const WideString& Text)
{
    return GetDisplayTextWidth(Text) + 5;
}

TDisplayOptions TGxTextColumn::GetDisplayOptions()
{
    if (FMultiLine) return {doMultiLine};
    return {};
}

WideString TGxTextColumn::GetDrawText(const TCellInfo& CellInfo)
{
    WideString Text = TGxCustomColumn::GetDrawText(CellInfo);
    if (FPasswordChar) {
        // The mask is the character the editor shows for this Char.
        const WideChar Mask = Utf8ToWide(std::string_view(&FPasswordChar, 1)).front();
        return WideString(FTextBefore.size() + Text.size() + FTextAfter.size(), Mask);
    }
    if (FTextBefore.empty() && FTextAfter.empty()) return Text;
    WideString Joined;
    Joined.reserve(FTextBefore.size() + Text.size() + FTextAfter.size());
    Joined.append(FTextBefore).append(Text).append(FTextAfter);
    return Joined;
}

// A class derived from this one may draw its cells otherwise.
bool TGxTextColumn::DrawsCellText() const
{
    return typeid(*this) == typeid(TGxTextColumn) && GetColumnType() == ctString && !FPasswordChar &&
           FTextBefore.empty() && FTextAfter.empty();
}

void TGxTextColumn::BeginEditing()
{
    TGxCustomColumn::BeginEditing();
    TGxCustomEdit* Editor = GetEditor();
    if (!Editor) return;
    Editor->SetInplaceEditor(true);
    Editor->SetMaxLength(FMaxLength);
    Editor->SetPasswordChar(FPasswordChar);
}

void TGxTextColumn::SetMaxLength(int Value)
{
    StoreAndRepaint(this, FMaxLength, Value);
}

void TGxTextColumn::SetMultiLine(bool Value)
{
    StoreAndRepaint(this, FMultiLine, Value);
}

void TGxTextColumn::SetPasswordChar(Char Value)
{
    StoreAndRepaint(this, FPasswordChar, Value);
}

void TGxTextColumn::SetTextAfter(const WideString& Value)
{
    StoreAndRepaint(this, FTextAfter, Value);
}

void TGxTextColumn::SetTextBefore(const WideString& Value)
{
    StoreAndRepaint(this, FTextBefore, Value);
}

} // namespace GxColumnClasses
