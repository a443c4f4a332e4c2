// grid/GxCell.h
// A cell as the grid hands it out: a small value naming its store, column
// and row, which behaves as the class the creation tables chose for it.
// Cells live as values in their column's arrays (GxCellColumn.h); a TCell
// follows its cell wherever rows and columns move, and raises once that
// cell's row or column has gone.
#pragma once
#include "grid/GxCellColumn.h"
#include "grid/GxRow.h"

#include <cstdint>
#include <string_view>

namespace GxCells {

class TCells;
class TCellBehaviour;

enum TGxCellStateItem { cstEmpty, cstLocked };
using TGxCellState = Set<TGxCellStateItem>;

class TCell {
public:
    TCell() = default;

    // The class the cell behaves as (TStringCell, TIntegerCell ..., GxCellClasses.h).
    TClass ClassType() const;
    AnsiString ClassName() const { return ClassType()->ClassName(); }
    bool InheritsFrom(TClass Class) const { return ClassType()->InheritsFrom(Class); }
    static TClass StaticClassType();

    TCells* GetCells() const { return FCells; }
    // Where the cell is now.
    int GetColumnIndex() const;
    int GetRowIndex() const;

    // Conversion errors raise EConvertError and leave the cell as it was.
    bool GetAsBoolean() const;
    TDateTime GetAsDateTime() const;
    double GetAsFloat() const;
    int GetAsInteger() const;
    WideString GetAsString() const;
    // Every setter stores, then reports the change (locked or not).
    void SetAsBoolean(bool Value);
    void SetAsDateTime(TDateTime Value);
    void SetAsFloat(double Value);
    void SetAsInteger(int Value);
    void SetAsString(std::u16string_view Value);
    void Clear();

    // Colour, style and hint report a change unless the cell is locked.
    TColor GetColor() const;
    void SetColor(TColor Value);
    TFontStyles GetFontStyle() const;
    void SetFontStyle(TFontStyles Value);
    WideString GetHint() const;
    void SetHint(std::u16string_view Value);
    TObject* GetObjectReference() const;
    void SetObjectReference(TObject* Value);
    TGxCellState GetState() const;
    bool GetLocked() const;
    void SetLocked(bool Value);
    bool GetEmpty() const;
    void SetEmpty(bool Value); // reports the change even when locked

    // The grid's answers for this cell.
    TColor GetActualColor() const;
    TColor GetActualFontColor() const;
    bool GetHighlighted() const;

    // The same cell of the same store.
    bool operator==(const TCell& Other) const
    {
        return FCells == Other.FCells && FColumnSerial == Other.FColumnSerial && FRowSlot == Other.FRowSlot &&
               FRowSerial == Other.FRowSerial;
    }

private:
    friend class TCells;
    friend class TCellBehaviour;
    TCell(TCells* ACells, int AColumn, std::uint32_t AColumnSerial, std::uint32_t ARowSlot, std::uint32_t ARowSerial)
        : FCells(ACells), FColumnHint(AColumn), FColumnSerial(AColumnSerial), FRowSlot(ARowSlot), FRowSerial(ARowSerial)
    {
    }
    TCellColumn& Column(std::uint32_t& Slot) const;
    const TCellBehaviour& Behaviour() const;
    void Changed() const;
    void SetAttr(std::uint16_t Bit, bool Value, bool Report);

    TCells* FCells = nullptr;
    mutable int FColumnHint = 0; // where the column was last seen
    std::uint32_t FColumnSerial = 0;
    std::uint32_t FRowSlot = 0;
    std::uint32_t FRowSerial = 0;
};

// What a cell class does with the value the store keeps for a cell: one
// static object per class. Setters only store (or raise first); the cell
// reports the change. GxCellClasses has the six classes of the store; the
// GUID and virtual cells register theirs from their own unit.
class TCellBehaviour {
public:
    virtual ~TCellBehaviour() = default;
    virtual TClass ClassType() const = 0;
    virtual bool GetAsBoolean(const TCell& Cell) const = 0;
    virtual TDateTime GetAsDateTime(const TCell& Cell) const = 0;
    virtual double GetAsFloat(const TCell& Cell) const = 0;
    virtual int GetAsInteger(const TCell& Cell) const = 0;
    virtual WideString GetAsString(const TCell& Cell) const = 0;
    virtual void SetAsBoolean(const TCell& Cell, bool Value) const = 0;
    virtual void SetAsDateTime(const TCell& Cell, TDateTime Value) const = 0;
    virtual void SetAsFloat(const TCell& Cell, double Value) const = 0;
    virtual void SetAsInteger(const TCell& Cell, int Value) const = 0;
    virtual void SetAsString(const TCell& Cell, std::u16string_view Value) const = 0;
    // False when the class has nothing to clear and reports nothing.
    virtual bool Clear(const TCell& Cell) const = 0;
    // Run once when the store makes a cell of the class.
    virtual void Made(const TCell&) const {}

    static void Register(TCellSlot Slot, const TCellBehaviour* Behaviour);
    static const TCellBehaviour& Of(TCellSlot Slot);

protected:
    static std::uint64_t Value(const TCell& Cell);
    static void StoreValue(const TCell& Cell, std::uint64_t Value);
    static std::u16string_view Text(const TCell& Cell);
    static void StoreText(const TCell& Cell, std::u16string_view Value);
    static TGxCustomColumn* Column(const TCell& Cell);
    // For a value written without a change report: the store no longer takes
    // its rows to be in order, so no later request reverses an order that
    // may not hold.
    static void ForgetOrder(const TCell& Cell);
};

} // namespace GxCells
