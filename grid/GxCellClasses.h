// grid/GxCellClasses.h
// The typed cells of the store and how each converts its value to and from
// Boolean, date-time, float, integer and wide text. A TCell behaves as one of
// them; these names say which (Cell.ClassType() == TStringCell::StaticClassType()).
#pragma once
#include "grid/GxCell.h"

namespace GxCellClasses {

using namespace GxCells;

#define QM_CELL_CLASS(Name)                                                                                            \
    class Name : public TCell {                                                                                        \
    public:                                                                                                            \
        static TClass StaticClassType();                                                                               \
    }

QM_CELL_CLASS(TBooleanCell);
QM_CELL_CLASS(TDateTimeCell);
QM_CELL_CLASS(TFloatCell);
QM_CELL_CLASS(TIntegerCell);
QM_CELL_CLASS(TStringCell);
// Holds nothing: its value is its row's index + 1.
QM_CELL_CLASS(TIncrementCell);

#undef QM_CELL_CLASS

// The behaviour of the classes above, for the store's tables.
const TCellBehaviour& CellBehaviour(TCellSlot Slot);

// The texts a TStringCell takes for a value: "True" or "False", the default
// date-time text (short date, then long time unless midnight), the general
// float text and the decimal text.
std::u16string_view BoolText(bool Value);
WideString DateTimeText(TDateTime Value);
WideString FloatText(double Value);
WideString IntegerText(int Value);

} // namespace GxCellClasses
