// grid/shared/GxCalcEdit.h
// The calculator edit: a number edit whose drop-down is a pocket calculator.
#pragma once
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxNumberEdit.h"
#include "grid/shared/GxPopupCalc.h"

namespace GxCalcEdit {

using namespace GxButtonEdit;
using GxNumberEdit::TGxNumberEditOption;
using GxNumberEdit::TGxNumberEditOptions;

enum TCalcOperation { opNone, opDivide, opMultiply, opSubtract, opAdd };

// A number typed as in the number edits or worked out on the calculator pad.
// The arithmetic is a pocket calculator's: an operator completes the
// operation pending before it (unless it follows another operator, which it
// then replaces), "=" completes it and ends it. Division by zero and the
// square root of a negative number raise EZeroDivide or EInvalidOp before
// anything changes.
class TGxCalcEdit : public TGxPopupEdit, public GxPopupControl::IGxCalculator {
public:
    QM_CLASS(TGxCalcEdit, TGxPopupEdit)
    explicit TGxCalcEdit(TComponent* AOwner);

    // The whole text as a number; a text that does not convert is cleaned as
    // typing would clean it. Max and Min hold while one of them is not 0.
    double GetValue();
    // The text becomes Value as a plain decimal (never an exponent).
    void SetValue(double Value);
    double GetAsFloat() override { return GetValue(); }
    void SetAsFloat(double Value) override { SetValue(Value); }

    bool GetAutoClose() const { return FAutoClose; }
    void SetAutoClose(bool Value) { FAutoClose = Value; }
    const AnsiString& GetFormatMask() const { return FFormatMask; }
    void SetFormatMask(const AnsiString& Value) { FFormatMask = Value; }
    double GetMax() const { return FMax; }
    void SetMax(double Value) { FMax = Value; }
    double GetMin() const { return FMin; }
    void SetMin(double Value) { FMin = Value; }
    TGxNumberEditOptions GetOptions() const { return FOptions; }
    void SetOptions(TGxNumberEditOptions Value);
    double GetMemoryValue() const { return FMemory; }
    TCalcOperation GetOperation() const { return FOperation; }

    void AddNumber(int Digit) override;
    void AddDot() override;
    void Backspace() override;
    void Plus() override { StartOperation(opAdd); }
    void Minus() override { StartOperation(opSubtract); }
    void Multiply() override { StartOperation(opMultiply); }
    void Divide() override { StartOperation(opDivide); }
    void Equal() override;
    void Ratio() override;
    void Sqrt() override;
    // Changes the sign of the shown number only.
    void Sign() override;
    void Erase() override;
    // Erase, and the pending operation ends.
    void ClearValue() override;
    void Memory() override;
    void MemoryAdd() override;
    void RestoreMemory() override;
    void ClearMemory() override { FMemory = 0; }
    bool IsMemoryEmpty() const override { return FMemory == 0; }
    // Completes the pending operation when a number was entered after its operator.
    void CalculateValue();
    void MoveCursor();

protected:
    TGxPopupControlClass GetPopupControlClass() override;
    void BeforeDrop(TPoint& Point) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void WMKillFocus(TMessage& Message) override;
    void WMPaste(TMessage& Message) override;

private:
    void StartOperation(TCalcOperation Operation);
    // The pending operation on the operand and Value.
    double Calculate(double Value) const;
    void ShowResult(double Value);
    // Starts a new number: the text empties and the mark clears.
    void StartEntry();

    bool FAutoClose = false;
    AnsiString FFormatMask;
    double FMax = 0;
    double FMemory = 0;
    double FMin = 0;
    TCalcOperation FOperation = opNone;
    TGxNumberEditOptions FOptions{GxNumberEdit::eoAllowFloat, GxNumberEdit::eoAllowSigns};
    bool FNewEntry = true;
    double FOperand = 0;
};

} // namespace GxCalcEdit
