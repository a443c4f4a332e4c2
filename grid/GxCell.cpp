// grid/GxCell.cpp
#include "grid/GxCell.h"
#include "grid/GxCellClasses.h"
#include "grid/GxCells.h"

namespace GxCells {

// ---- TCell ------------------------------------------------------------------

TClass TCell::StaticClassType()
{
    static const TMetaClass Meta{"TCell", nullptr};
    return &Meta;
}

TCellColumn& TCell::Column(std::uint32_t& Slot) const
{
    if (!FCells) throw EListError("Cell out of any store");
    return FCells->Resolve(*this, Slot);
}

const TCellBehaviour& TCell::Behaviour() const
{
    std::uint32_t Slot;
    return TCellBehaviour::Of(Column(Slot).GetSlot(Slot));
}

TClass TCell::ClassType() const
{
    return Behaviour().ClassType();
}

int TCell::GetColumnIndex() const
{
    std::uint32_t Slot;
    Column(Slot);
    return FCells->ColumnIndexOf(*this);
}

int TCell::GetRowIndex() const
{
    std::uint32_t Slot;
    Column(Slot);
    return FCells->IndexOfSlot(Slot);
}

// Only after the cell was found in this same call, so nothing is looked up twice.
void TCell::Changed() const
{
    FCells->Changed(FCells->ColumnIndexOf(*this), FCells->IndexOfSlot(FRowSlot));
}

bool TCell::GetAsBoolean() const
{
    return Behaviour().GetAsBoolean(*this);
}
TDateTime TCell::GetAsDateTime() const
{
    return Behaviour().GetAsDateTime(*this);
}
double TCell::GetAsFloat() const
{
    return Behaviour().GetAsFloat(*this);
}
int TCell::GetAsInteger() const
{
    return Behaviour().GetAsInteger(*this);
}
WideString TCell::GetAsString() const
{
    return Behaviour().GetAsString(*this);
}

void TCell::SetAsBoolean(bool Value)
{
    Behaviour().SetAsBoolean(*this, Value);
    Changed();
}
void TCell::SetAsDateTime(TDateTime Value)
{
    Behaviour().SetAsDateTime(*this, Value);
    Changed();
}
void TCell::SetAsFloat(double Value)
{
    Behaviour().SetAsFloat(*this, Value);
    Changed();
}
void TCell::SetAsInteger(int Value)
{
    Behaviour().SetAsInteger(*this, Value);
    Changed();
}
void TCell::SetAsString(std::u16string_view Value)
{
    // The scan's one call per cell: a text cell takes the text as it is,
    // without a second look-up.
    std::uint32_t Slot;
    TCellColumn& C = Column(Slot);
    if (C.GetSlot(Slot) == TCellSlot::String)
        C.SetText(Slot, Value);
    else
        TCellBehaviour::Of(C.GetSlot(Slot)).SetAsString(*this, Value);
    Changed();
}
void TCell::Clear()
{
    if (Behaviour().Clear(*this)) Changed();
}

TColor TCell::GetColor() const
{
    std::uint32_t Slot;
    return Column(Slot).GetColor(Slot);
}

void TCell::SetColor(TColor Value)
{
    std::uint32_t Slot;
    Column(Slot).SetColor(Slot, Value);
    if (!GetLocked()) Changed();
}

TFontStyles TCell::GetFontStyle() const
{
    std::uint32_t Slot;
    return TCellColumn::StyleOf(Column(Slot).Attr(Slot));
}

void TCell::SetFontStyle(TFontStyles Value)
{
    std::uint32_t Slot;
    std::uint16_t& Attr = Column(Slot).Attr(Slot);
    Attr = std::uint16_t((Attr & ~(15 << TCellColumn::StyleShift)) | TCellColumn::StyleBits(Value));
    if (!GetLocked()) Changed();
}

WideString TCell::GetHint() const
{
    std::uint32_t Slot;
    const TCellColumn& C = Column(Slot);
    return C.Attr(Slot) & TCellColumn::HintBit ? C.Hints.at(Slot) : WideString();
}

void TCell::SetHint(std::u16string_view Value)
{
    std::uint32_t Slot;
    TCellColumn& C = Column(Slot);
    if (Value.empty()) {
        C.Hints.erase(Slot);
        C.Attr(Slot) &= std::uint16_t(~TCellColumn::HintBit);
    } else {
        C.Hints[Slot] = WideString(Value);
        C.Attr(Slot) |= TCellColumn::HintBit;
    }
    if (!GetLocked()) Changed();
}

TObject* TCell::GetObjectReference() const
{
    std::uint32_t Slot;
    const TCellColumn& C = Column(Slot);
    return C.Attr(Slot) & TCellColumn::ObjectBit ? C.Objects.at(Slot) : nullptr;
}

void TCell::SetObjectReference(TObject* Value)
{
    std::uint32_t Slot;
    TCellColumn& C = Column(Slot);
    if (Value) {
        C.Objects[Slot] = Value;
        C.Attr(Slot) |= TCellColumn::ObjectBit;
    } else {
        C.Objects.erase(Slot);
        C.Attr(Slot) &= std::uint16_t(~TCellColumn::ObjectBit);
    }
}

TGxCellState TCell::GetState() const
{
    TGxCellState State;
    if (GetEmpty()) State.Include(cstEmpty);
    if (GetLocked()) State.Include(cstLocked);
    return State;
}

bool TCell::GetLocked() const
{
    std::uint32_t Slot;
    return Column(Slot).Attr(Slot) & TCellColumn::LockedBit;
}

bool TCell::GetEmpty() const
{
    std::uint32_t Slot;
    return Column(Slot).Attr(Slot) & TCellColumn::EmptyBit;
}

void TCell::SetAttr(std::uint16_t Bit, bool Value, bool Report)
{
    std::uint32_t Slot;
    std::uint16_t& Attr = Column(Slot).Attr(Slot);
    Attr = Value ? std::uint16_t(Attr | Bit) : std::uint16_t(Attr & ~Bit);
    if (Report) Changed();
}

void TCell::SetLocked(bool Value)
{
    SetAttr(TCellColumn::LockedBit, Value, false);
}

void TCell::SetEmpty(bool Value)
{
    SetAttr(TCellColumn::EmptyBit, Value, true);
}

TColor TCell::GetActualColor() const
{
    return FCells->GetOwner()->GetActualCellColor(GetColumnIndex(), GetRowIndex());
}

TColor TCell::GetActualFontColor() const
{
    return FCells->GetOwner()->GetActualCellFontColor(GetColumnIndex(), GetRowIndex());
}

bool TCell::GetHighlighted() const
{
    return FCells->GetOwner()->IsCellHighlighted(GetColumnIndex(), GetRowIndex());
}

// ---- TCellBehaviour -----------------------------------------------------------

namespace {

const TCellBehaviour* Registered[CellSlotCount] = {};

} // namespace

void TCellBehaviour::Register(TCellSlot Slot, const TCellBehaviour* Behaviour)
{
    Registered[int(Slot)] = Behaviour;
}

const TCellBehaviour& TCellBehaviour::Of(TCellSlot Slot)
{
    const TCellBehaviour* B = Registered[int(Slot)];
    return B ? *B : GxCellClasses::CellBehaviour(Slot);
}

std::uint64_t TCellBehaviour::Value(const TCell& Cell)
{
    std::uint32_t Slot;
    return Cell.Column(Slot).Value(Slot);
}

void TCellBehaviour::StoreValue(const TCell& Cell, std::uint64_t Value)
{
    std::uint32_t Slot;
    Cell.Column(Slot).Value(Slot) = Value;
}

std::u16string_view TCellBehaviour::Text(const TCell& Cell)
{
    std::uint32_t Slot;
    return Cell.Column(Slot).GetText(Slot);
}

void TCellBehaviour::StoreText(const TCell& Cell, std::u16string_view Value)
{
    std::uint32_t Slot;
    Cell.Column(Slot).SetText(Slot, Value);
}

void TCellBehaviour::ForgetOrder(const TCell& Cell)
{
    Cell.FCells->FSorted = false;
}

TGxCustomColumn* TCellBehaviour::Column(const TCell& Cell)
{
    return Cell.FCells->GetColumns()->GetItem(Cell.GetColumnIndex());
}

} // namespace GxCells
