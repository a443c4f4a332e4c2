// grid/shared/GxNumberEdit.cpp
// Number input shared with the calculator edit (the key filter and the
// paste), and the number edit: reading, range, format.
#include "grid/shared/GxNumberEdit.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Clipbrd.h"

#include <algorithm>
#include <charconv>

namespace GxNumberEdit {

using namespace GxClasses;

// ---- Number input -------------------------------------------------------------------------------

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

// Whether StrToFloat refuses S only because its number lies beyond the
// double's range: "1e400", four hundred digits.
bool IsBeyondRange(AnsiString S)
{
    S = Trim(S);
    const char Separator = FormatSettings.DecimalSeparator;
    if (Separator != '.' && S.find('.') != AnsiString::npos) return false;
    std::replace(S.begin(), S.end(), Separator, '.');
    const char* B = S.data();
    const char* E = B + S.size();
    if (B != E && *B == '+' && ++B != E && *B == '-') return false; // one sign at most
    double Value;
    const auto [End, Error] = std::from_chars(B, E, Value);
    return Error == std::errc::result_out_of_range && End == E;
}

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
    // A number too large or too small for a double is not cleaned into
    // another ("1e400" is not 1400): the last value stands.
    Extended Number;
    if (!TryStrToFloat(S, Number) &&
        (IsBeyondRange(S) ||
         !TryStrToFloat(GetValidText(S, FOptions.Contains(eoAllowFloat), FOptions.Contains(eoAllowSigns)), Number)))
        return FLastValue;
    double Value = Number;
    AdjustToRange(Value);
    FLastValue = Value;
    return Value;
}

AnsiString TGxCustomNumberEdit::GetValidText(const AnsiString& S, bool AllowFloat, bool AllowSigns) const
{
    AnsiString Result = KeepNumberChars(S, AllowFloat, AllowSigns);
    if (Result.find_first_of("0123456789") == AnsiString::npos) Result = "0";
    Extended Number;
    if (!TryStrToFloat(Result, Number)) return Result; // digits beyond the double's range
    double Value = Number;
    AdjustToRange(Value);
    return FloatToPlainStr(Value);
}

void TGxCustomNumberEdit::SetValue(double Value)
{
    AdjustToRange(Value);
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
