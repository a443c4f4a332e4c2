#include "platform/rtl/SysUtils.h"

// ---- Exceptions -------------------------------------------------------------

EAssertionFailed::EAssertionFailed(const AnsiString& T, AnsiString Unit, int Line)
    : Exception(T + " (" + Unit + ", line " + std::to_string(Line) + ")"), Text(T), UnitName(std::move(Unit)),
      LineNumber(Line)
{
}

void AssertErrorProc(const AnsiString& Text, const char* UnitName, int Line)
{
    throw EAssertionFailed(Text, UnitName ? UnitName : "", Line);
}

void Abort()
{
    throw EAbort("Operation aborted");
}

// ---- Format settings ----------------------------------------------------------

TFormatSettings DefaultFormatSettings()
{
    TFormatSettings S;
    static const char* const ShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const LongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    static const char* const ShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const LongDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    for (int I = 0; I < 12; ++I) {
        S.ShortMonthNames[I] = ShortMonths[I];
        S.LongMonthNames[I] = LongMonths[I];
    }
    for (int I = 0; I < 7; ++I) {
        S.ShortDayNames[I] = ShortDays[I];
        S.LongDayNames[I] = LongDays[I];
    }
    S.FirstDayOfWeek = 6; // Sunday
    return S;
}

TFormatSettings FormatSettings = DefaultFormatSettings();
