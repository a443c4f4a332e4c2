// The class library's colour identifiers and the colour texts built on them.
#include "platform/graphics/Colors.h"
#include "platform/rtl/SysUtils.h"

#include <array>

namespace {

struct TColorIdent {
    TColor Color;
    const char* Name;
};

constexpr std::array<TColorIdent, 52> ColorIdents = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

} // namespace

bool ColorToIdent(TColor Color, AnsiString& Ident)
{
    for (const auto& Entry : ColorIdents)
        if (Entry.Color == Color) {
            Ident = Entry.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const AnsiString& Ident, TColor& Color)
{
    for (const auto& Entry : ColorIdents)
        if (SameText(Ident, Entry.Name)) {
            Color = Entry.Color;
            return true;
        }
    return false;
}

AnsiString ColorToString(TColor Color)
{
    AnsiString Ident;
    if (ColorToIdent(Color, Ident)) return Ident;
    return "$" + IntToHex(static_cast<std::uint32_t>(Color), 8);
}

TColor StringToColor(const AnsiString& S)
{
    TColor Color;
    if (IdentToColor(S, Color)) return Color;
    const auto Invalid = [&S] { return EConvertError("'" + S + "' is not a valid integer value"); };
    if (S.size() < 2 || S.size() > 9 || S[0] != '$') throw Invalid();
    std::uint32_t Value = 0;
    for (std::size_t I = 1; I < S.size(); ++I) {
        const char C = S[I];
        int Digit;
        if (C >= '0' && C <= '9')
            Digit = C - '0';
        else if (C >= 'a' && C <= 'f')
            Digit = C - 'a' + 10;
        else if (C >= 'A' && C <= 'F')
            Digit = C - 'A' + 10;
        else
            throw Invalid();
        Value = Value << 4 | std::uint32_t(Digit);
    }
    return static_cast<TColor>(Value);
}
