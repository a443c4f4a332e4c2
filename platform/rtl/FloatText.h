// Private to the run-time library: the text of numbers, shared by Format and
// the float conversions.
#pragma once
#include "platform/rtl/SysUtils.h"

namespace platform::detail {

// Pads S on the left with C to Width characters.
inline void PadLeft(AnsiString& S, int Width, char C)
{
    if (static_cast<int>(S.size()) < Width) S.insert(S.begin(), static_cast<std::size_t>(Width) - S.size(), C);
}

// Fixed: [-]ddd.ddd with Prec decimals (18 at most), thousands separated when asked.
AnsiString FixedText(double V, int Prec, bool Thousands, const TFormatSettings& FS);
// Scientific: d.ddd…E+ddd with Prec significant digits (1 to 18), ExpDigits exponent digits at least.
AnsiString ExponentText(double V, int Prec, int ExpDigits, const TFormatSettings& FS);
// General: the shortest of fixed and scientific with Prec significant digits.
AnsiString GeneralText(double V, int Prec, const TFormatSettings& FS);

} // namespace platform::detail
