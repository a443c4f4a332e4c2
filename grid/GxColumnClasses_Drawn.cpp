// grid/GxColumnClasses_Drawn.cpp: the tree, check box, HTML, image,
// progress, rate and graphic columns.
#include "grid/GxDrawnColumns.h"
#include "grid/GxDrawnDisplays.h"
#include "grid/shared/GxEdit.h"

namespace GxColumnClasses {

using namespace GxDisplays;
using namespace GxEdit;

// ---- Tree -------------------------------------------------------------------------------------

void TGxTreeColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctString);
}

TGxCustomEditClass TGxTreeColumn::GetCellEditorClass() const
{
    return EditClass<TGxEdit>;
}

TColumnDisplayClass TGxTreeColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TTreeColumnDisplay>;
}

TColumnPlayClass TGxTreeColumn::GetColumnPlayClass() const
{
    return PlayClass<TTreeColumnPlay>;
}

void TGxTreeColumn::AdjustEditRect(int Level, TRect& EditRect)
{
    EditRect.Left += Level * TreeIndent + TreeButtonArea;
}

void TGxTreeColumn::SetShowButtons(bool Value)
{
    StoreAndRepaint(this, FShowButtons, Value);
}

void TGxTreeColumn::SetShowLines(bool Value)
{
    StoreAndRepaint(this, FShowLines, Value);
}

// ---- Check box --------------------------------------------------------------------------------

TGxCheckBoxColumn::TGxCheckBoxColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetSortType(stBoolean);
}

void TGxCheckBoxColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctBoolean);
}

TColumnDisplayClass TGxCheckBoxColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TCheckBoxColumnDisplay>;
}

TColumnPlayClass TGxCheckBoxColumn::GetColumnPlayClass() const
{
    return PlayClass<TCheckBoxColumnPlay>;
}

// ---- HTML -------------------------------------------------------------------------------------

void TGxHtmlColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctString);
}

TColumnDisplayClass TGxHtmlColumn::GetColumnDisplayClass() const
{
    return DisplayClass<THtmlColumnDisplay>;
}

TColumnPlayClass TGxHtmlColumn::GetColumnPlayClass() const
{
    return PlayClass<THtmlColumnPlay>;
}

WideString TGxHtmlColumn::Tagged(const WideString& Text) const
{
    WideString Joined;
    Joined.reserve(FTagBefore.size() + Text.size() + FTagAfter.size());
    return Joined.append(FTagBefore).append(Text).append(FTagAfter);
}

void TGxHtmlColumn::SetTagAfter(const WideString& Value)
{
    StoreAndRepaint(this, FTagAfter, Value);
}

void TGxHtmlColumn::SetTagBefore(const WideString& Value)
{
    StoreAndRepaint(this, FTagBefore, Value);
}

// ---- Image ------------------------------------------------------------------------------------

TGxImageColumn::TGxImageColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetDefaultValue(u"0");
    SetSortType(stNumeric);
}

void TGxImageColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctInteger);
}

void TGxImageColumn::Assign(TPersistent* Source)
{
    TGxCustomColumn::Assign(Source);
    if (auto* Column = dynamic_cast<TGxImageColumn*>(Source)) SetImages(Column->FImages);
}

TColumnDisplayClass TGxImageColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TImageColumnDisplay>;
}

void TGxImageColumn::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TGxImageColumn::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxCustomColumn::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// ---- Progress ---------------------------------------------------------------------------------

TGxProgressColumn::TGxProgressColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetDefaultValue(u"0");
    SetSortType(stNumeric);
}

void TGxProgressColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctFloat);
}

void TGxProgressColumn::Assign(TPersistent* Source)
{
    TGxCustomColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxProgressColumn*>(Source);
    if (!Column) return;
    SetBorderColor(Column->FBorderColor);
    SetMargin(Column->FMargin);
    SetMax(Column->FMax);
    SetProgressColor(Column->FProgressColor);
    SetProgressStyle(Column->FProgressStyle);
    SetTextPosition(Column->FTextPosition);
    SetShowText(Column->FShowText);
}

TColumnDisplayClass TGxProgressColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TProgressColumnDisplay>;
}

// ---- Rate -------------------------------------------------------------------------------------

TGxRateColumn::TGxRateColumn(TComponent* AOwner)
    : TGxCustomColumn(AOwner), FEmptyGlyph(std::make_unique<TBitmap>()), FGlyph(std::make_unique<TBitmap>())
{
    FEmptyGlyph->OnChange = [this](TObject* Sender) { DoGlyphChanged(Sender); };
    FGlyph->OnChange = FEmptyGlyph->OnChange;
    SetDefaultValue(u"0");
    SetSortType(stNumeric);
}

void TGxRateColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctInteger);
}

void TGxRateColumn::Assign(TPersistent* Source)
{
    TGxCustomColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxRateColumn*>(Source);
    if (!Column) return;
    // Transparent first, so that the glyphs copied after it follow it.
    SetTransparent(Column->FTransparent);
    SetEmptyGlyph(Column->GetEmptyGlyph());
    SetGlyph(Column->GetGlyph());
    SetMax(Column->FMax);
}

TColumnDisplayClass TGxRateColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TRateColumnDisplay>;
}

TColumnPlayClass TGxRateColumn::GetColumnPlayClass() const
{
    return PlayClass<TRateColumnPlay>;
}

void TGxRateColumn::SetMax(int Value)
{
    StoreAndRepaint(this, FMax, Value);
}

void TGxRateColumn::DoGlyphChanged(TObject* Sender)
{
    if (FTransparent) MakeGlyphTransparent(static_cast<TBitmap*>(Sender));
}

// ---- Graphic ----------------------------------------------------------------------------------

void TGxGraphicColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctGraphic);
}

TColumnDisplayClass TGxGraphicColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TGraphicColumnDisplay>;
}

void TGxGraphicColumn::SetBorderWidth(int Value)
{
    StoreAndRepaint(this, FBorderWidth, Value);
}

void TGxGraphicColumn::SetMargin(int Value)
{
    StoreAndRepaint(this, FMargin, Value);
}

void TGxGraphicColumn::SetStretch(bool Value)
{
    StoreAndRepaint(this, FStretch, Value);
}

} // namespace GxColumnClasses
