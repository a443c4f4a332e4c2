// grid/shared/GxNumberEdit.cpp
// Number input shared with the calculator edit (the plain number text, the
// key filter and the paste), and the number edit: reading, range, format.
#include "grid/shared/GxNumberEdit.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Clipbrd.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace GxNumberEdit {

using namespace GxClasses;

// ---- Number input -------------------------------------------------------------------------------

AnsiString FloatToPlainStr(double Value)
{
    if (!std::isfinite(Value)) return FloatToStr(Value);
    // "d.dddddddddddddde-x": the 15 significant digits and where they stand.
    char Buffer[32];
    const char* End =
        std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(Value), std::chars_format::scientific, 14).ptr;
    const char* E = std::find(static_cast<const char*>(Buffer), End, 'e');
    AnsiString Digits(1, Buffer[0]);
    Digits.append(Buffer + 2, std::size_t(E - Buffer - 2));
    Digits.erase(Digits.find_last_not_of('0') + 1);
    if (Digits.empty()) return "0";
    int Exponent = 0;
    std::from_chars(E + 2, End, Exponent);
    if (E[1] == '-') Exponent = -Exponent;

    AnsiString Result = Value < 0 ? "-" : "";
    if (Exponent < 0) {
        Result += '0';
        Result += FormatSettings.DecimalSeparator;
        Result.append(std::size_t(-Exponent - 1), '0');
        return Result + Digits;
    }
    const std::size_t Whole = std::size_t(Exponent) + 1;
    if (Digits.size() <= Whole) return Result + Digits + AnsiString(Whole - Digits.size(), '0');
    return Result + Digits.substr(0, Whole) + FormatSettings.DecimalSeparator + Digits.substr(Whole);
}

bool IsNumberKeyAllowed(TCustomEdit* Edit, WideChar Key, TGxNumberEditOptions Options)
{
    if (Options.Contains(eoDisableTyping)) return false;
    // Copy, Tab, paste and cut.
    if (Options.Contains(eoAllowAll) || Key == 3 || Key == 9 || Key == 22 || Key == 24) return true;
    if (Key == 8 || (Key >= '0' && Key <= '9')) return true;
    const char Separator = FormatSettings.DecimalSeparator;
    const bool IsSeparator = Key == WideChar(static_cast<unsigned char>(Separator));
    if (!IsSeparator && Key != '-' && Key != '+') return false;

    const AnsiString Text = Edit->GetText();
    const std::size_t SelStart = std::size_t(Edit->GetSelStart());
    const std::size_t SelEnd = SelStart + std::size_t(Edit->GetSelLength());
    const auto IsSign = [](char C) { return C == '-' || C == '+'; };
    bool SeparatorOutside = false, SignInside = false, Signed = false;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const bool Inside = I >= SelStart && I < SelEnd;
        SeparatorOutside = SeparatorOutside || (Text[I] == Separator && !Inside);
        SignInside = SignInside || (IsSign(Text[I]) && Inside);
        Signed = Signed || IsSign(Text[I]);
    }
    if (IsSeparator) return Options.Contains(eoAllowFloat) && !SeparatorOutside;
    return Options.Contains(eoAllowSigns) && ((SelStart == 0 && !Signed) || SignInside);
}

void PasteNumberText(TCustomEdit* Edit, TGxNumberEditOptions Options)
{
    if (Edit->GetReadOnly()) return;
    const AnsiString Pasted = Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->GetAsText() : AnsiString();
    AnsiString Text = Edit->GetText();
    const std::size_t Caret = std::min(std::size_t(Edit->GetSelStart()), Text.size());
    Text.erase(Caret, std::size_t(Edit->GetSelLength()));
    // Only what typing could put there: a separator where the rest has none,
    // a sign at the start of a text without one.
    const AnsiString Piece = KeepNumberChars(
        Pasted, Options.Contains(eoAllowFloat) && Text.find(FormatSettings.DecimalSeparator) == AnsiString::npos,
        Options.Contains(eoAllowSigns) && Caret == 0 && Text.find_first_of("+-") == AnsiString::npos);
    if (Piece.empty()) return;
    Text.insert(Caret, Piece);
    Edit->SetText(Text);
    Edit->SetSelStart(int(Caret));
}

// ---- The number edit ---------------------------------------------------------------------------

TGxCustomNumberEdit::TGxCustomNumberEdit(TComponent* AOwner) : TGxEdit(AOwner)
{
    TControlStyle Style = GetControlStyle();
    Style.Exclude(csSetCaption);
    SetControlStyle(Style);
}

void TGxCustomNumberEdit::SetAsFloat(double Value)
{
    SetText(FloatToPlainStr(Value));
    SetValue(Value);
}

void TGxCustomNumberEdit::ApplyEditing()
{
    if (!FOptions.Contains(eoAllowAll)) SetValueToText(GetValue());
}

void TGxCustomNumberEdit::Assign(TPersistent* Source)
{
    auto* Edit = dynamic_cast<TGxCustomNumberEdit*>(Source);
    if (!Edit) {
        TGxEdit::Assign(Source);
        return;
    }
    FMax = Edit->FMax;
    FMin = Edit->FMin;
    FNullText = Edit->FNullText;
    FOptions = Edit->FOptions;
    FPrecision = Edit->FPrecision;
    SetValue(Edit->GetValue());
}

namespace {

// S less a trailing Suffix, as written or without its blanks.
void DropSuffix(AnsiString& S, const AnsiString& Suffix)
{
    for (const AnsiString& T : {Suffix, Trim(Suffix)})
        if (!T.empty() && S.size() >= T.size() && S.compare(S.size() - T.size(), T.size(), T) == 0) {
            S.resize(S.size() - T.size());
            return;
        }
}

} // namespace

double TGxCustomNumberEdit::GetValue()
{
    AnsiString S = GetText();
    if (S.empty()) return FMin;
    if (!FNullText.empty() && S == FNullText) S = "0";
    DropSuffix(S, FTextAfter);
    // A text the grid or a program wrote reads as it stands, exponent and
    // sign included; only what does not convert is cleaned as typing would.
    Extended Number;
    if (!TryStrToFloat(S, Number) &&
        !TryStrToFloat(CleanNumberText(S, FOptions.Contains(eoAllowFloat), FOptions.Contains(eoAllowSigns)), Number))
        return FLastValue;
    double Value = Number;
    AdjustToRange(Value);
    FLastValue = Value;
    return Value;
}

void TGxCustomNumberEdit::SetValue(double Value)
{
    SetValueToText(Value);
}

void TGxCustomNumberEdit::SetNullText(const AnsiString& Value)
{
    const double Current = GetValue(); // read while the old text still applies
    FNullText = Value;
    SetValueToText(Current);
}

void TGxCustomNumberEdit::SetPrecision(int Value)
{
    FPrecision = Value;
    SetValueToText(GetValue());
}

void TGxCustomNumberEdit::SetTextAfter(const AnsiString& Value)
{
    const double Current = GetValue(); // read while the old unit still applies
    FTextAfter = Value;
    if (!FOptions.Contains(eoAllowAll)) SetValueToText(Current);
}

void TGxCustomNumberEdit::AdjustToRange(double& Value) const
{
    if (!CheckRange()) return;
    // A Max below Min means no upper bound.
    if (FMax >= FMin && Value > FMax) Value = FMax;
    if (Value < FMin) Value = FMin;
}

AnsiString TGxCustomNumberEdit::GetFormatedValue(double Value) const
{
    if (Value == 0 && !FNullText.empty()) return FNullText;
    if (!FOptions.Contains(eoAllowFloat)) return FloatToStrF(Value, ffFixed, 18, 0) + FTextAfter;
    if (FPrecision < 1) return FloatToPlainStr(Value) + FTextAfter;
    return FloatToStrF(Value, ffFixed, 18, FPrecision) + FTextAfter;
}

void TGxCustomNumberEdit::SetValueToText(double Value)
{
    if (!GetEditorUpdating()) SetText(GetFormatedValue(Value));
}

void TGxCustomNumberEdit::CreateWnd()
{
    TGxEdit::CreateWnd();
    SetValueToText(GetValue());
}

void TGxCustomNumberEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TGxEdit::KeyDown(Key, Shift);
    if (FOptions.Contains(eoDisableTyping)) IsEditKeyAllowed(Key);
}

void TGxCustomNumberEdit::KeyPress(WideChar& Key)
{
    if (!IsNumberKeyAllowed(this, Key, FOptions)) {
        Key = 0;
        return;
    }
    TGxEdit::KeyPress(Key);
}

void TGxCustomNumberEdit::WMKillFocus(TMessage& Message)
{
    TGxEdit::WMKillFocus(Message);
    if (!FOptions.Contains(eoAllowAll)) SetValueToText(GetValue());
}

void TGxCustomNumberEdit::WMPaste(TMessage& Message)
{
    if (!FOptions.Contains(eoDisablePaste)) PasteNumberText(this, FOptions);
    Message.Result = 0;
}

} // namespace GxNumberEdit
