// Reads the user's locale into FormatSettings and SysLocale once at start, so that no
// conversion depends on the C library's locale afterwards.
#include "platform/rtl/QtStrings.h"
#include "platform/rtl/SysUtils.h"

#include <QLocale>

namespace {

using platform::detail::ToAnsi;

char FirstChar(const QString& S, char Fallback)
{
    const AnsiString U = ToAnsi(S);
    return U.size() == 1 ? U[0] : Fallback;
}

// Qt's date patterns differ from the class library's in the AM/PM marker only.
AnsiString Pattern(QString P)
{
    P.replace(QLatin1String("AP"), QLatin1String("AMPM"));
    P.replace(QLatin1String("ap"), QLatin1String("ampm"));
    return ToAnsi(P);
}

} // namespace

TSysLocale SysLocale;

void GetLocaleFormatSettings()
{
    const QLocale L;
    TFormatSettings S = DefaultFormatSettings();
    S.DecimalSeparator = FirstChar(L.decimalPoint(), '.');
    S.ThousandSeparator = FirstChar(L.groupSeparator(), ',');
    S.CurrencyString = ToAnsi(L.currencySymbol());
    S.ShortDateFormat = Pattern(L.dateFormat(QLocale::ShortFormat));
    S.LongDateFormat = Pattern(L.dateFormat(QLocale::LongFormat));
    S.ShortTimeFormat = Pattern(L.timeFormat(QLocale::ShortFormat));
    S.LongTimeFormat = Pattern(L.timeFormat(QLocale::LongFormat).remove(QLatin1String(" t")));
    S.TimeAMString = ToAnsi(L.amText());
    S.TimePMString = ToAnsi(L.pmText());
    for (int M = 1; M <= 12; ++M) {
        S.ShortMonthNames[M - 1] = ToAnsi(L.monthName(M, QLocale::ShortFormat));
        S.LongMonthNames[M - 1] = ToAnsi(L.monthName(M, QLocale::LongFormat));
    }
    for (int D = 0; D < 7; ++D) {
        const int QtDay = D == 0 ? 7 : D; // Qt counts Monday 1 .. Sunday 7
        S.ShortDayNames[D] = ToAnsi(L.dayName(QtDay, QLocale::ShortFormat));
        S.LongDayNames[D] = ToAnsi(L.dayName(QtDay, QLocale::LongFormat));
    }
    S.FirstDayOfWeek = static_cast<int>(L.firstDayOfWeek()) - 1;
    for (char Sep : {'/', '-', '.'})
        if (S.ShortDateFormat.find(Sep) != AnsiString::npos) {
            S.DateSeparator = Sep;
            break;
        }
    FormatSettings = S;
    SysLocale.MiddleEast = L.textDirection() == Qt::RightToLeft;
}
