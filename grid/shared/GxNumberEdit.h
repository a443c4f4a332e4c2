// grid/shared/GxNumberEdit.h
// The edits that hold a number: typing and pasting filtered to a number, the
// value kept in an optional range and shown with fixed decimals, a unit text
// after it and a text for zero; the spin edit that steps it by its buttons,
// the arrow keys and the wheel; and the time edit.
#pragma once
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxEdit.h"

namespace GxNumberEdit {

using namespace GxEdit;

enum TGxNumberEditOption { eoAllowAll, eoAllowFloat, eoAllowSigns, eoDisablePaste, eoDisableTyping };
using TGxNumberEditOptions = Set<TGxNumberEditOption>;

using GxClasses::FloatToPlainStr;

// Whether number typing takes the character Key into Edit as its text, caret
// and selection stand: digits and Backspace; the decimal separator with
// eoAllowFloat while no other stands outside the selection; a sign with
// eoAllowSigns at the start of a text without one, or over a selected one.
// Copy, Tab, paste and cut always, eoAllowAll everything; eoDisableTyping
// nothing.
bool IsNumberKeyAllowed(TCustomEdit* Edit, WideChar Key, TGxNumberEditOptions Options);
// Puts the clipboard's text into Edit over its selection, keeping only the
// characters number typing would take there; the caret stays where it was.
void PasteNumberText(TCustomEdit* Edit, TGxNumberEditOptions Options);

// A text edit that holds a number. Focus loss and ApplyEditing (unless
// eoAllowAll) rewrite the text from the value, formatted and in range.
class TGxCustomNumberEdit : public TGxEdit {
public:
    QM_CLASS(TGxCustomNumberEdit, TGxEdit)
    explicit TGxCustomNumberEdit(TComponent* AOwner);

    double GetAsFloat() override { return GetValue(); }
    void SetAsFloat(double Value) override;
    void ApplyEditing() override;
    // Takes range, texts, options, precision and value from another number
    // edit; refuses anything else.
    void Assign(TPersistent* Source) override;

    // The number in the text; the last one read when the text holds none
    // or one beyond the double's range.
    double GetValue();
    // Writes Value in range, unless the grid is loading the editor.
    void SetValue(double Value);
    // S cleaned as typing would clean it (no digit reads as 0), kept in
    // range and written as a plain decimal; digits beyond the double's range
    // come back as they were cleaned.
    AnsiString GetValidText(const AnsiString& S, bool AllowFloat, bool AllowSigns) const;
    double GetMax() const { return FMax; }
    void SetMax(double Value) { FMax = Value; }
    double GetMin() const { return FMin; }
    void SetMin(double Value) { FMin = Value; }
    const AnsiString& GetNullText() const { return FNullText; }
    void SetNullText(const AnsiString& Value);
    TGxNumberEditOptions GetOptions() const { return FOptions; }
    void SetOptions(TGxNumberEditOptions Value) { FOptions = Value; }
    int GetPrecision() const { return FPrecision; }
    void SetPrecision(int Value);
    const AnsiString& GetTextAfter() const { return FTextAfter; }
    void SetTextAfter(const AnsiString& Value);

protected:
    // The range holds while Max or Min is not 0; Max bounds it only when it
    // is not below Min.
    bool CheckRange() const { return FMax != 0 || FMin != 0; }
    void AdjustToRange(double& Value) const;
    AnsiString GetFormatedValue(double Value) const;
    // Writes the value as text, unless the grid is loading the editor.
    void SetValueToText(double Value);

    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void WMKillFocus(TMessage& Message) override;
    void WMPaste(TMessage& Message) override;

private:
    double FMax = 0;
    double FMin = 0;
    AnsiString FNullText;
    TGxNumberEditOptions FOptions{eoAllowFloat, eoAllowSigns};
    int FPrecision = 2;
    AnsiString FTextAfter;
    double FLastValue = 0;
};

class TGxNumberEdit : public TGxCustomNumberEdit {
public:
    QM_CLASS(TGxNumberEdit, TGxCustomNumberEdit)
    explicit TGxNumberEdit(TComponent* AOwner) : TGxCustomNumberEdit(AOwner) {}
};

// A number edit with spin buttons at its right. The buttons, Up and Down and
// the wheel step the value by Increment; in a grid cell the keys and the
// wheel are the grid's.
class TGxSpinEdit : public TGxCustomNumberEdit {
public:
    QM_CLASS(TGxSpinEdit, TGxCustomNumberEdit)
    explicit TGxSpinEdit(TComponent* AOwner);

    // Rounded to the nearest integer, halves to even.
    int GetAsInteger() override;
    void SetAsFloat(double Value) override { SetValue(Value); }
    void SetAsInteger(int Value) override { SetValue(Value); }
    void BeginEditing() override;

    TGxSpinButtons* GetButtons() const { return FButtons; }
    double GetIncrement() const { return FIncrement; }
    void SetIncrement(double Value) { FIncrement = Value; }
    bool GetSpinButtons() const { return FSpinButtons; }
    void SetSpinButtons(bool Value);

    TSpinEvent OnSpin;

protected:
    // One step, from the buttons; nothing while the edit is read-only.
    virtual void DoSpin(TSpinButtonSet Buttons);
    void UpdateEditMargins(int& Left, int& Right) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CreateWnd() override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMKeyUp(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;

private:
    bool SpinsHere() const { return FSpinButtons && !GetInplaceEditor(); }
    bool Wheel(TSpinButton Button);
    void StopSpinning();

    TGxSpinButtons* FButtons = nullptr;
    double FIncrement = 1.0;
    bool FSpinButtons = true;
};

// Format with only the first two ':' and the first two of each of h (or H),
// m and s kept, in order: "hh:mm:ss AM/PM" gives "hh:mm:ss".
AnsiString CleanTimeFormat(const AnsiString& S);

// A text edit that shows a time; it takes any text. Its spin buttons stay
// hidden and step nothing.
class TGxTimeEdit : public TGxEdit {
public:
    QM_CLASS(TGxTimeEdit, TGxEdit)
    explicit TGxTimeEdit(TComponent* AOwner);

    TGxSpinButtons* GetButtons() const { return FButtons; }
    bool GetSpinButtons() const { return FSpinButtons; }
    void SetSpinButtons(bool Value) { FSpinButtons = Value; }
    // TimeFormat, or the locale's long time format, cleaned.
    AnsiString GetTimeFormat() const;
    void SetTimeFormat(const AnsiString& Value) { FTimeFormat = Value; }
    // TimeSeparator, or the locale's.
    AnsiString GetTimeSeparator() const;
    void SetTimeSeparator(const AnsiString& Value) { FTimeSeparator = Value; }

protected:
    void WMSize(TMessage& Message) override;

private:
    TGxSpinButtons* FButtons = nullptr;
    bool FSpinButtons = false;
    AnsiString FTimeFormat;
    AnsiString FTimeSeparator;
};

} // namespace GxNumberEdit
