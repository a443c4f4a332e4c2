// Colours: RGB values, the system colours and their fixed palette.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/WinTypes.h"

// 0x00BBGGRR; a negative value (0xFF0000nn) names system colour nn.
using TColor = std::int32_t;

constexpr COLORREF RGB(Byte R, Byte G, Byte B)
{
    return COLORREF(R) | (COLORREF(G) << 8) | (COLORREF(B) << 16);
}
constexpr Byte GetRValue(COLORREF C)
{
    return Byte(C & 0xFF);
}
constexpr Byte GetGValue(COLORREF C)
{
    return Byte((C >> 8) & 0xFF);
}
constexpr Byte GetBValue(COLORREF C)
{
    return Byte((C >> 16) & 0xFF);
}

// System colour indexes (GetSysColor).
inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
                     COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
                     COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
                     COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
                     COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
                     COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
                     COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
                     COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30, COLOR_3DFACE = COLOR_BTNFACE,
                     COLOR_3DSHADOW = COLOR_BTNSHADOW, COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
                     COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT, COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;

inline constexpr TColor clSystemColor = TColor(0xFF000000);
inline constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR, clBackground = clSystemColor | COLOR_BACKGROUND,
                        clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                        clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION, clMenu = clSystemColor | COLOR_MENU,
                        clWindow = clSystemColor | COLOR_WINDOW, clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                        clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                        clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                        clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                        clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                        clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE,
                        clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                        clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT,
                        clBtnFace = clSystemColor | COLOR_BTNFACE, clBtnShadow = clSystemColor | COLOR_BTNSHADOW,
                        clGrayText = clSystemColor | COLOR_GRAYTEXT, clBtnText = clSystemColor | COLOR_BTNTEXT,
                        clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                        clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT,
                        cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW, cl3DLight = clSystemColor | COLOR_3DLIGHT,
                        clInfoText = clSystemColor | COLOR_INFOTEXT, clInfoBk = clSystemColor | COLOR_INFOBK,
                        clHotLight = clSystemColor | COLOR_HOTLIGHT,
                        clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION,
                        clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION,
                        clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT, clMenuBar = clSystemColor | COLOR_MENUBAR;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                        clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                        clCream = 0xF0FBFF, clMedGray = 0xA4A0A0, clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The colour of a system colour index, from a fixed palette (the classic
// Windows scheme), so that drawing looks and tests the same everywhere.
COLORREF GetSysColor(int Index);
// A system colour resolved to its RGB value; other colours pass unchanged.
TColor ColorToRGB(TColor Color);

// A pixel's colour outside the drawable area, a refused colour call.
inline constexpr TColor CLR_INVALID = -1;

// ---- Colour texts -------------------------------------------------------------------

// The 52 colour identifiers ("clBlack" ... "clWindowText"): the name of a
// colour that has one, and the colour of a name (case ignored).
bool ColorToIdent(TColor Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, TColor& Color);
// A colour's identifier, else "$" and eight hexadecimal digits.
AnsiString ColorToString(TColor Color);
// An identifier or a "$" hexadecimal number; EConvertError for anything else.
TColor StringToColor(const AnsiString& S);
