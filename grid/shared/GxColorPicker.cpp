// grid/shared/GxColorPicker.cpp
// The colour edit: colour texts in both notations, typing and pasting them,
// the preview box and the colour popup.
#include "grid/shared/GxColorPicker.h"
#include "grid/shared/GxConsts.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/controls/Clipbrd.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <cctype>

namespace GxColorPicker {

using namespace GxPopupControl;

namespace {

bool IsHexDigit(char C)
{
    return std::isxdigit(static_cast<unsigned char>(C)) != 0;
}

// "$" and one to eight hexadecimal digits as a colour.
bool HexToColor(const AnsiString& S, TColor& Color)
{
    if (S.size() < 2 || S.size() > 9 || S[0] != '$') return false;
    std::uint32_t Value = 0;
    for (std::size_t I = 1; I < S.size(); ++I) {
        if (!IsHexDigit(S[I])) return false;
        const char C = char(std::toupper(static_cast<unsigned char>(S[I])));
        Value = Value * 16 + std::uint32_t(C <= '9' ? C - '0' : C - 'A' + 10);
    }
    Color = static_cast<TColor>(Value);
    return true;
}

} // namespace

TGxColorPicker::TGxColorPicker(TComponent* AOwner) : TGxPopupEdit(AOwner)
{
    SetShowPreview(true);
    SetPreviewBorder(true);
    SetText("$00FFFFFF");
}

TColorDialog* TGxColorPicker::GetColorDialog() const
{
    auto* Popup = dynamic_cast<TGxColorPopup*>(GetPopupControl());
    return Popup ? Popup->GetColorDialog() : nullptr;
}

// ---- Colour texts ---------------------------------------------------------------------------------

AnsiString TGxColorPicker::GetColorAsString(TColor Color) const
{
    if (Color == clNone) return AnsiString();
    const bool Names = FOptions.Contains(coAllowColorNames);
    return FWebColorFormat ? WebColorToString(Color, Names) : DelphiColorToString(Color, Names);
}

bool TGxColorPicker::GetColorFromText(const AnsiString& S, TColor& Color) const
{
    if (S.empty()) {
        Color = clNone;
        return true;
    }
    if (FWebColorFormat) {
        // Nothing but a colour gives clNone, so clNone means the text is none.
        const TColor C = GxSharedCommon::GetColorFromHTML(S);
        if (C == clNone) return false;
        Color = C;
        return true;
    }
    return IdentToColor(S, Color) || HexToColor(S, Color);
}

bool TGxColorPicker::IsValidColorName(const AnsiString& S) const
{
    if (FWebColorFormat) {
        for (const auto& Entry : GxConsts::WebColorNames)
            if (SameText(S, Entry.cnColorName)) return true;
        return false;
    }
    for (const char* Name : GxConsts::DelphiColorNames)
        if (SameText(S, Name)) return true;
    return false;
}

AnsiString TGxColorPicker::GetValidText(const AnsiString& S, bool AddPrefix) const
{
    AnsiString Result;
    for (const char C : S) {
        const bool IsPrefix = C == '#' || C == '$';
        if (IsPrefix) {
            if (!Result.empty() || (FWebColorFormat && C != '#')) continue;
        } else if (C != 8 && !IsHexDigit(C)) {
            continue;
        }
        Result += C;
    }
    if (AddPrefix && Result.find(Prefix()) == AnsiString::npos) Result.insert(0, 1, Prefix());
    return Result;
}

void TGxColorPicker::CorrectLenght(AnsiString& S) const
{
    S.resize(TextLength(), '0');
}

void TGxColorPicker::SetTextToColor(const AnsiString& S)
{
    TColor Color = clNone;
    if (S.empty()) {
        // An empty text (typed, or None picked) is no colour.
    } else if (FOptions.Contains(coAllowColorNames) && IsValidColorName(S)) {
        if (!GetColorFromText(S, Color)) return;
    } else {
        // A "#" text is no colour in the "$" notation, however it came in.
        if (!FWebColorFormat && S.find('#') != AnsiString::npos) return;
        AnsiString Text = GetValidText(S, true);
        CorrectLenght(Text);
        if (!GetColorFromText(Text, Color)) return;
    }
    FSelectedColor = Color;
    RefreshPreview();
}

void TGxColorPicker::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    SetText(GetColorAsString(Value));
    RefreshPreview();
}

void TGxColorPicker::SetWebColorFormat(bool Value)
{
    if (Value == FWebColorFormat) return;
    FWebColorFormat = Value;
    SetAsString(Utf8ToWide(GetColorAsString(FSelectedColor)));
}

// ---- The popup -------------------------------------------------------------------------------------

TGxPopupControlClass TGxColorPicker::GetPopupControlClass()
{
    return PopupControlClass<TGxColorPopup>;
}

void TGxColorPicker::CreatePopupControl()
{
    TGxPopupEdit::CreatePopupControl();
    auto* Popup = static_cast<TGxColorPopup*>(GetPopupControl());
    Popup->OnColorOver = [this](TObject*, TColor Value) { DoColorOver(Value); };
    Popup->OnDialogClose = [this](TObject*, bool Executed) { DoDialogClose(Executed); };
}

void TGxColorPicker::BeforeDrop(TPoint& Point)
{
    (void)Point;
    auto* Popup = static_cast<TGxColorPopup*>(GetPopupControl());
    Popup->GetFont()->Assign(GetFont());
    Popup->GetColorsButton()->SetVisible(FOptions.Contains(coColorsButton));
    Popup->GetNoneButton()->SetVisible(FOptions.Contains(coNoneButton));
    Popup->SetSelectedColor(FSelectedColor);
    Popup->SetUseColorNames(FOptions.Contains(coAllowColorNames));
    Popup->SetWebColorFormat(FWebColorFormat);
    Popup->SetWidth(213);
    Popup->SetHeight(151);
}

void TGxColorPicker::DoDropDownInput(TObject* Sender, const AnsiString& Value)
{
    SetTextToColor(Value);
    TGxPopupEdit::DoDropDownInput(Sender, Value);
}

void TGxColorPicker::DoColorOver(TColor Value)
{
    if (OnColorOver) OnColorOver(this, Value);
}

void TGxColorPicker::DoDialogClose(bool Executed)
{
    if (OnDialogClose) OnDialogClose(this, Executed);
}

// ---- The edit ----------------------------------------------------------------------------------------

void TGxColorPicker::DoTextChange()
{
    if (!GetComponentState().Contains(csLoading) && HandleAllocated()) SetTextToColor(GetText());
}

// Typing changes the text without CM_TEXTCHANGED; the colour follows it too.
void TGxColorPicker::Change()
{
    TGxPopupEdit::Change();
    DoTextChange();
}

void TGxColorPicker::PaintPreview(TCanvas* ACanvas, const TRect& Rect)
{
    TGxPopupEdit::PaintPreview(ACanvas, Rect);
    if (!GetText().empty()) {
        ACanvas->GetBrush()->SetColor(FSelectedColor);
        ACanvas->FillRect(Rect);
        return;
    }
    ACanvas->GetBrush()->SetColor(clWhite);
    ACanvas->FillRect(Rect);
    ACanvas->GetPen()->SetColor(TColor(0x0000FF));
    ACanvas->MoveTo(Rect.Left, Rect.Top);
    ACanvas->LineTo(Rect.Right, Rect.Bottom);
    ACanvas->MoveTo(Rect.Right - 1, Rect.Top);
    ACanvas->LineTo(Rect.Left - 1, Rect.Bottom);
}

void TGxColorPicker::KeyPress(WideChar& Key)
{
    const bool Control = Key == 3 || Key == 8 || Key == 9 || Key == 22 || Key == 24;
    if (!Control && !FOptions.Contains(coAllowColorNames)) {
        const int Caret = GetSelStart();
        const bool IsPrefix = Key == '#' || Key == '$';
        const bool Refused = (GetSelLength() == 0 && GetText().size() >= TextLength()) || (Caret == 0 && !IsPrefix) ||
                             (!IsPrefix && (Key > 0x7F || !IsHexDigit(char(Key)))) ||
                             (IsPrefix && (Caret != 0 || Key != WideChar(static_cast<unsigned char>(Prefix()))));
        if (Refused) {
            Key = 0;
            return;
        }
    }
    TGxPopupEdit::KeyPress(Key);
}

void TGxColorPicker::WMKillFocus(TMessage& Message)
{
    TGxPopupEdit::WMKillFocus(Message);
    SetTextToColor(GetText());
}

void TGxColorPicker::WMPaste(TMessage& Message)
{
    Message.Result = 0;
    if (GetReadOnly()) return;
    const AnsiString Pasted = Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->GetAsText() : AnsiString();
    if (Pasted.empty()) return;
    const int Caret = GetSelStart();
    AnsiString Text = GetText();
    const std::size_t At = std::min(std::size_t(Caret), Text.size());
    AnsiString Piece = GetValidText(Pasted, Caret == 0);
    // Typing takes a prefix only at the start; neither does a paste put one elsewhere.
    if (Caret != 0 && !Piece.empty() && (Piece[0] == '#' || Piece[0] == '$')) Piece.erase(0, 1);
    Text.replace(At, std::size_t(GetSelLength()), Piece);
    CorrectLenght(Text);
    SetText(Text);
    SetSelStart(Caret);
}

} // namespace GxColorPicker
