// grid/shared/GxConsts.h
// The colour-name tables of the grid library: the class library's colour
// identifiers and the web colour names with their "#RRGGBB" values, walked
// by the colour editors and by the HTML-like text drawing.
#pragma once
#include "platform/rtl/System.h"

namespace GxConsts {

struct TColorName {
    const char* cnColorName;
    const char* cnColorValue; // "#" and six upper-case hexadecimal digits, red first
};

inline constexpr int DelphiColorNameCount = 52;
inline constexpr int WebColorNameCount = 141;

// "clBlack" ... "clWindowText", in the class library's order.
extern const char* const DelphiColorNames[DelphiColorNameCount];
// "transparent" (#FFFFFF) first, then the 140 lower-case web colour names in
// alphabetical order.
extern const TColorName WebColorNames[WebColorNameCount];

// The tables as other units walk them.
inline const char* const* const PDelphiColorNames = DelphiColorNames;
inline const TColorName* const PWebColorNames = WebColorNames;

} // namespace GxConsts
