// grid/shared/GxCalcEdit.cpp
// The calculator edit: its arithmetic, and number typing and pasting.
#include "grid/shared/GxCalcEdit.h"
#include "grid/shared/GxClasses.h"

#include <cmath>

namespace GxCalcEdit {

using namespace GxNumberEdit;
using GxPopupControl::TGxCalcPopup;

namespace {

// Typing and pasting follow the number edits, except that anything goes
// never applies to a calculator.
TGxNumberEditOptions InputOptions(TGxNumberEditOptions Options)
{
    Options.Exclude(eoAllowAll);
    return Options;
}

AnsiString Separator()
{
    return AnsiString(1, FormatSettings.DecimalSeparator);
}

} // namespace

TGxCalcEdit::TGxCalcEdit(TComponent* AOwner) : TGxPopupEdit(AOwner)
{
    TControlStyle Style = GetControlStyle();
    Style.Exclude(csSetCaption);
    SetControlStyle(Style);
}

double TGxCalcEdit::GetValue()
{
    const AnsiString S = GetText();
    if (S.empty()) return 0;
    Extended Number;
    if (!TryStrToFloat(S, Number) &&
        !TryStrToFloat(GxClasses::CleanNumberText(S, FOptions.Contains(eoAllowFloat), FOptions.Contains(eoAllowSigns)),
                       Number))
        return 0;
    double Value = Number;
    // The default range (both 0) bounds nothing, so negative numbers live;
    // a Max below Min means no upper bound, as in the number edits.
    if (FMax != 0 || FMin != 0) {
        if (FMax >= FMin && Value > FMax) Value = FMax;
        if (Value < FMin) Value = FMin;
    }
    return Value;
}

void TGxCalcEdit::SetValue(double Value)
{
    if (!GetEditorUpdating()) SetText(FloatToPlainStr(Value));
}

void TGxCalcEdit::SetOptions(TGxNumberEditOptions Value)
{
    FOptions = Value;
    SetValue(GetValue());
}

// ---- The pad's operations -------------------------------------------------------------------------

void TGxCalcEdit::MoveCursor()
{
    SetSelStart(int(GetText().size()));
    SetSelLength(0);
}

void TGxCalcEdit::StartEntry()
{
    SetText("");
    FNewEntry = false;
}

void TGxCalcEdit::AddNumber(int Digit)
{
    // A lone "0" gives way to the digit, as on a pocket calculator.
    if (FNewEntry || GetText() == "0") StartEntry();
    SetText(GetText() + IntToStr(Digit));
    MoveCursor();
}

void TGxCalcEdit::AddDot()
{
    if (FNewEntry) {
        StartEntry();
        SetText("0" + Separator());
    } else if (GetText().find(FormatSettings.DecimalSeparator) == AnsiString::npos) {
        SetText(GetText() + Separator());
    }
    MoveCursor();
}

void TGxCalcEdit::Backspace()
{
    AnsiString S = GetText();
    if (!S.empty()) S.pop_back();
    if (S.empty() || S == "-") {
        S = "0";
        FNewEntry = true;
    }
    SetText(S);
    MoveCursor();
}

double TGxCalcEdit::Calculate(double Value) const
{
    switch (FOperation) {
    case opDivide:
        if (Value == 0) {
            if (FOperand == 0) throw EInvalidOp("Invalid floating point operation");
            throw EZeroDivide("Floating point division by zero");
        }
        return FOperand / Value;
    case opMultiply:
        return Value * FOperand;
    case opSubtract:
        return FOperand - Value;
    case opAdd:
        return Value + FOperand;
    case opNone:
        break;
    }
    return Value;
}

void TGxCalcEdit::ShowResult(double Value)
{
    if (FFormatMask.empty())
        SetValue(Value);
    else
        SetText(FormatFloat(FFormatMask, Value));
    MoveCursor();
    FNewEntry = true;
}

void TGxCalcEdit::CalculateValue()
{
    if (FOperation == opNone || FNewEntry) return;
    const double Result = Calculate(GetValue());
    FOperation = opNone;
    ShowResult(Result);
}

void TGxCalcEdit::StartOperation(TCalcOperation Operation)
{
    // Right after another operator this one replaces it.
    CalculateValue();
    FOperand = GetValue();
    FOperation = Operation;
    FNewEntry = true;
}

void TGxCalcEdit::Equal()
{
    const double Result = Calculate(GetValue());
    FOperation = opNone;
    ShowResult(Result);
    if (GetDroppedDown() && FAutoClose) SetDroppedDown(false);
}

void TGxCalcEdit::Ratio()
{
    const bool Completes = FOperation != opNone && !FNewEntry;
    const double Value = Completes ? Calculate(GetValue()) : GetValue();
    if (Value == 0) throw EZeroDivide("Floating point division by zero");
    if (Completes) FOperation = opNone;
    ShowResult(1 / Value);
}

void TGxCalcEdit::Sqrt()
{
    const bool Completes = FOperation != opNone && !FNewEntry;
    const double Value = Completes ? Calculate(GetValue()) : GetValue();
    if (Value < 0) throw EInvalidOp("Invalid floating point operation");
    if (Completes) FOperation = opNone;
    ShowResult(std::sqrt(Value));
}

void TGxCalcEdit::Sign()
{
    AnsiString S = GetText();
    if (!S.empty() && S[0] == '-')
        S.erase(0, 1);
    else
        S.insert(0, "-");
    SetText(S);
    MoveCursor();
}

void TGxCalcEdit::Erase()
{
    SetValue(0);
    FNewEntry = true;
    MoveCursor();
}

void TGxCalcEdit::ClearValue()
{
    FOperand = 0;
    FOperation = opNone;
    Erase();
}

void TGxCalcEdit::Memory()
{
    FMemory = GetValue();
    FNewEntry = true;
}

void TGxCalcEdit::MemoryAdd()
{
    FMemory += GetValue();
    FNewEntry = true;
}

void TGxCalcEdit::RestoreMemory()
{
    if (FMemory == 0) return;
    SetValue(FMemory);
    MoveCursor();
    FNewEntry = true;
}

// ---- The edit ------------------------------------------------------------------------------------------

TGxPopupControlClass TGxCalcEdit::GetPopupControlClass()
{
    return PopupControlClass<TGxCalcPopup>;
}

void TGxCalcEdit::BeforeDrop(TPoint& Point)
{
    (void)Point;
    TGxPopupControl* Popup = GetPopupControl();
    Popup->GetFont()->Assign(GetFont());
    // A fresh pad: nothing pending, the next digit starts a number.
    FOperand = 0;
    FOperation = opNone;
    FNewEntry = true;
    Popup->SetWidth(199);
    Popup->SetHeight(139);
}

void TGxCalcEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (FOptions.Contains(eoDisableTyping) && !IsEditKeyAllowed(Key)) return;
    TGxPopupEdit::KeyDown(Key, Shift);
}

void TGxCalcEdit::KeyPress(WideChar& Key)
{
    if (!IsNumberKeyAllowed(this, Key, InputOptions(FOptions))) {
        Key = 0;
        return;
    }
    const bool Digit = Key >= '0' && Key <= '9';
    if (Digit || Key == WideChar(static_cast<unsigned char>(FormatSettings.DecimalSeparator))) {
        // A number typed after an operator starts afresh, as one from the pad
        // does; either way the pad's digits then carry it on.
        if (FNewEntry && FOperation != opNone) {
            StartEntry();
            if (!Digit) SetText("0");
            MoveCursor();
        }
        FNewEntry = false;
    }
    TGxPopupEdit::KeyPress(Key);
}

void TGxCalcEdit::WMKillFocus(TMessage& Message)
{
    TGxPopupEdit::WMKillFocus(Message);
    SetValue(GetValue());
}

void TGxCalcEdit::WMPaste(TMessage& Message)
{
    PasteNumberText(this, InputOptions(FOptions));
    Message.Result = 0;
}

} // namespace GxCalcEdit
