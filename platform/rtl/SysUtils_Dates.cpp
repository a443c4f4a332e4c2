#include "platform/rtl/FloatText.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>

using namespace platform::detail;

namespace {

constexpr int DaysBefore1900Epoch = 693594; // days from 0001-01-01 to 1899-12-30, plus one
constexpr int MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                  {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

constexpr bool IsLeap(Int64 Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

} // namespace

bool IsLeapYear(Word Year)
{
    return IsLeap(Year);
}

Word DaysInAMonth(Word Year, Word Month)
{
    if (Month < 1 || Month > 12) return 0;
    return static_cast<Word>(MonthDays[IsLeapYear(Year)][Month - 1]);
}

Word DaysInMonth(TDateTime Value)
{
    Word Year, Month, Day;
    DecodeDate(Value, Year, Month, Day);
    return DaysInAMonth(Year, Month);
}

TDateTime IncMonth(TDateTime Value, int NumberOfMonths)
{
    Word Year, Month, Day;
    DecodeDate(Value, Year, Month, Day);
    const Int64 Months = Int64(Year) * 12 + (Month - 1) + NumberOfMonths;
    const Int64 NewYear = Months >= 0 ? Months / 12 : -1;
    if (NewYear < 1 || NewYear > 9999) throw EConvertError("Invalid argument to date encode");
    const Word NewMonth = static_cast<Word>(Months % 12 + 1);
    const Word Last = DaysInAMonth(static_cast<Word>(NewYear), NewMonth);
    const TDateTime Result = EncodeDate(static_cast<Word>(NewYear), NewMonth, Day < Last ? Day : Last);
    // The time is the fraction away from the date, before the epoch too.
    const double Time = std::fabs(Value - std::trunc(Value));
    return Result >= 0 ? Result + Time : Result - Time;
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
    int D = Day;
    for (int M = 1; M < Month; ++M)
        D += MonthDays[IsLeapYear(Year)][M - 1];
    const int Y = Year - 1;
    D += Y * 365 + Y / 4 - Y / 100 + Y / 400;
    Value = static_cast<double>(D - DaysBefore1900Epoch);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime V;
    if (!TryEncodeDate(Year, Month, Day, V)) throw EConvertError("Invalid argument to date encode");
    return V;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
    Value = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / 86400000.0;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime V;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, V)) throw EConvertError("Invalid argument to time encode");
    return V;
}

void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day)
{
    Year = Month = Day = 0;
    const double Days = std::trunc(Value) + DaysBefore1900Epoch; // days since 0001-01-01, 1-based
    if (!(Days > 0 && Days < 1e15)) return;                      // before year 1, or no date at all
    Int64 T = static_cast<Int64>(Days) - 1;
    Int64 Y = 1;
    constexpr int D400 = 146097, D100 = 36524, D4 = 1461;
    Y += (T / D400) * 400;
    T %= D400;
    Int64 C = T / D100;
    if (C == 4) C = 3;
    Y += C * 100;
    T -= C * D100;
    Y += (T / D4) * 4;
    T %= D4;
    Int64 Q = T / 365;
    if (Q == 4) Q = 3;
    Y += Q;
    T -= Q * 365;
    // The year itself decides, not its 16-bit remainder: far years must not run past December.
    const bool Leap = IsLeap(Y);
    int M = 0;
    while (T >= MonthDays[Leap][M])
        T -= MonthDays[Leap][M++];
    Year = static_cast<Word>(Y);
    Month = static_cast<Word>(M + 1);
    Day = static_cast<Word>(T + 1);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    Hour = Min = Sec = MSec = 0;
    if (!std::isfinite(Value)) return; // no time at all
    double Frac = std::fabs(Value - std::trunc(Value));
    Int64 Ms = static_cast<Int64>(std::llround(Frac * 86400000.0));
    if (Ms >= 86400000) Ms = 86399999;
    Hour = static_cast<Word>(Ms / 3600000);
    Min = static_cast<Word>(Ms / 60000 % 60);
    Sec = static_cast<Word>(Ms / 1000 % 60);
    MSec = static_cast<Word>(Ms % 1000);
}

int DayOfWeek(TDateTime Value)
{
    // 1899-12-30 was a Saturday (7); before it too the date is the whole part.
    return static_cast<int>((Trunc(Value) % 7 + 6) % 7) + 1;
}

TDateTime Now()
{
    const auto T = std::chrono::system_clock::now();
    const std::time_t Secs = std::chrono::system_clock::to_time_t(T);
    std::tm Local{};
    localtime_r(&Secs, &Local);
    const auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(T.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(Local.tm_year + 1900), static_cast<Word>(Local.tm_mon + 1),
                      static_cast<Word>(Local.tm_mday)) +
           EncodeTime(static_cast<Word>(Local.tm_hour), static_cast<Word>(Local.tm_min),
                      static_cast<Word>(std::min(Local.tm_sec, 59)), static_cast<Word>(Ms));
}

TDateTime Date()
{
    return std::floor(Now());
}
TDateTime Time()
{
    const TDateTime N = Now();
    return N - std::floor(N);
}

Int64 MonotonicMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {

// True when Fmt holds Tag at Pos, ignoring the case of ASCII letters.
bool TagAt(std::string_view Fmt, std::size_t Pos, std::string_view Tag)
{
    return SameText(Fmt.substr(Pos, Tag.size()), Tag);
}

bool AmPmAt(std::string_view Fmt, std::size_t Pos)
{
    return TagAt(Fmt, Pos, "am/pm") || TagAt(Fmt, Pos, "a/p") || TagAt(Fmt, Pos, "ampm");
}

// The class library's rule: an hour shows on the 12-hour clock when the first
// 'a' outside quotes after it, before any other hour, begins an AM/PM marker.
bool TwelveHourClock(std::string_view Fmt, std::size_t Pos)
{
    bool Quoted = false;
    for (; Pos < Fmt.size(); ++Pos) {
        const char C = Fmt[Pos];
        if (C == '\'' || C == '"')
            Quoted = !Quoted;
        else if (!Quoted && (C == 'a' || C == 'A'))
            return AmPmAt(Fmt, Pos);
        else if (C == 'h' || C == 'H')
            return false;
    }
    return false;
}

void AppendNumber(AnsiString& Out, int Value, int Digits)
{
    AnsiString Text = std::to_string(Value);
    PadLeft(Text, Digits, '0');
    Out += Text;
}

// Writes a date and time by a format, token by token.
class TDateTimeWriter {
public:
    TDateTimeWriter(TDateTime Value, const TFormatSettings& Settings) : FValue(Value), FS(Settings)
    {
        DecodeDate(Value, FYear, FMonth, FDay);
        DecodeTime(Value, FHour, FMin, FSec, FMSec);
    }

    AnsiString Write(std::string_view Fmt)
    {
        Append(Fmt);
        return std::move(FOut);
    }

private:
    // Formats nest (the date and time formats inside "c", "t", "ddddd" ...)
    // two levels deep at most, so a format that names itself ends.
    void Append(std::string_view Fmt)
    {
        if (FLevel >= 2) return;
        ++FLevel;
        for (std::size_t I = 0; I < Fmt.size();)
            I = AppendToken(Fmt, I);
        --FLevel;
    }

    std::size_t AppendToken(std::string_view Fmt, std::size_t I)
    {
        const char Raw = Fmt[I];
        char Token = static_cast<char>(std::toupper(static_cast<unsigned char>(Raw)));
        std::size_t Count = 1;
        while (I + Count < Fmt.size() && std::toupper(static_cast<unsigned char>(Fmt[I + Count])) == Token)
            ++Count;
        if (Token >= 'A' && Token <= 'Z') {
            // "m" after an hour, whatever stands between them but another letter, means minutes.
            if (Token == 'M' && FLastToken == 'H') Token = 'N';
            FLastToken = Token;
        }
        const int Short = Count == 1 ? 1 : 2;
        switch (Token) {
        case 'Y':
            AppendNumber(FOut, Count <= 2 ? FYear % 100 : FYear, Count <= 2 ? 2 : 4);
            return I + Count;
        case 'M':
            if (Count <= 2)
                AppendNumber(FOut, FMonth, static_cast<int>(Count));
            else if (FMonth >= 1) // a date before year 1 has no month to name
                FOut += Count == 3 ? FS.ShortMonthNames[FMonth - 1] : FS.LongMonthNames[FMonth - 1];
            return I + Count;
        case 'D':
            if (Count <= 2)
                AppendNumber(FOut, FDay, static_cast<int>(Count));
            else if (Count == 3 && FYear)
                FOut += FS.ShortDayNames[DayOfWeek(FValue) - 1];
            else if (Count == 4 && FYear)
                FOut += FS.LongDayNames[DayOfWeek(FValue) - 1];
            else if (Count >= 5)
                Append(Count == 5 ? FS.ShortDateFormat : FS.LongDateFormat);
            return I + Count;
        case 'H': {
            int H = FHour;
            if (TwelveHourClock(Fmt, I + Count)) H = H % 12 == 0 ? 12 : H % 12;
            AppendNumber(FOut, H, Short);
            return I + Count;
        }
        case 'N':
            AppendNumber(FOut, FMin, Short);
            return I + Count;
        case 'S':
            AppendNumber(FOut, FSec, Short);
            return I + Count;
        case 'Z':
            AppendNumber(FOut, FMSec, Count == 1 ? 1 : 3);
            return I + Count;
        case 'T':
            Append(Count == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat);
            return I + Count;
        case 'C':
            Append(FS.ShortDateFormat);
            if (FHour || FMin || FSec) {
                FOut += ' ';
                Append(FS.LongTimeFormat);
            }
            return I + Count;
        case 'A':
            // The markers "am/pm" and "a/p" show in the case they are written.
            if (TagAt(Fmt, I, "am/pm")) {
                FOut.append(Fmt.substr(FHour < 12 ? I : I + 3, 2));
                return I + 5;
            }
            if (TagAt(Fmt, I, "a/p")) {
                FOut += Fmt[FHour < 12 ? I : I + 2];
                return I + 3;
            }
            if (TagAt(Fmt, I, "ampm")) {
                FOut += FHour < 12 ? FS.TimeAMString : FS.TimePMString;
                return I + 4;
            }
            break;
        case '/':
            if (FS.DateSeparator) FOut += FS.DateSeparator;
            return I + 1;
        case ':':
            if (FS.TimeSeparator) FOut += FS.TimeSeparator;
            return I + 1;
        case '\'':
        case '"': {
            const std::size_t End = std::min(Fmt.find(Raw, I + 1), Fmt.size());
            FOut.append(Fmt.substr(I + 1, End - I - 1));
            return End + 1;
        }
        }
        FOut += Raw;
        return I + 1;
    }

    const TDateTime FValue;
    const TFormatSettings& FS;
    Word FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
    AnsiString FOut;
    int FLevel = 0;
    char FLastToken = 0;
};

} // namespace

AnsiString FormatDateTime(std::string_view Fmt, TDateTime Value)
{
    return TDateTimeWriter(Value, FormatSettings).Write(Fmt.empty() ? "c" : Fmt);
}

AnsiString DateToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings.ShortDateFormat, Value);
}
AnsiString TimeToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings.LongTimeFormat, Value);
}
AnsiString DateTimeToStr(TDateTime Value)
{
    return FormatDateTime("c", Value);
}

namespace {

// Reads a text as the class library's date and time scanner does: blanks
// are skipped before every item.
class TDateTimeScanner {
public:
    TDateTimeScanner(std::string_view Text, const TFormatSettings& Settings) : FText(Text), FS(Settings) {}

    bool AtEnd()
    {
        SkipBlanks();
        return FPos >= FText.size();
    }

    bool Date(TDateTime& Value)
    {
        Word N1 = 0, N2 = 0, N3 = 0;
        int L1 = 0, L2 = 0, L3 = 0;
        if (!Number(N1, L1) || !Char(FS.DateSeparator) || !Number(N2, L2)) return false;
        Word Y = 0, M = 0, D = 0;
        const char Order = DateOrder();
        if (Char(FS.DateSeparator)) {
            if (!Number(N3, L3)) return false;
            int YearDigits = L3;
            if (Order == 'Y') {
                Y = N1, M = N2, D = N3;
                YearDigits = L1;
            } else if (Order == 'D') {
                Y = N3, M = N2, D = N1;
            } else {
                Y = N3, M = N1, D = N2;
            }
            if (YearDigits <= 2) Y = Word(Y + CenturyOfTwoDigitYear(Y));
        } else {
            // No year: this year's.
            Word Month = 0, Day = 0;
            DecodeDate(Now(), Y, Month, Day);
            if (Order == 'D')
                D = N1, M = N2;
            else
                M = N1, D = N2;
        }
        Char(FS.DateSeparator);
        return TryEncodeDate(Y, M, D, Value);
    }

    bool Time(TDateTime& Value)
    {
        int Base = AmPm();
        Word Hour = 0, Min = 0, Sec = 0, MSec = 0;
        int Digits = 0;
        if (!Number(Hour, Digits)) return false;
        if (Char(FS.TimeSeparator)) {
            if (!Number(Min, Digits)) return false;
            if (Char(FS.TimeSeparator)) {
                if (!Number(Sec, Digits)) return false;
                if (Char(FS.DecimalSeparator) && !Number(MSec, Digits)) return false;
            }
        }
        if (Base < 0) Base = AmPm();
        if (Base >= 0) {
            if (Hour == 0 || Hour > 12) return false;
            Hour = Word(Hour % 12 + Base);
        }
        return TryEncodeTime(Hour, Min, Sec, MSec, Value);
    }

private:
    void SkipBlanks()
    {
        while (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
    }

    bool Char(char C)
    {
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] != C) return false;
        ++FPos;
        return true;
    }

    // Up to four digits: a number stops growing at 1000.
    bool Number(Word& Value, int& Digits)
    {
        SkipBlanks();
        const std::size_t Start = FPos;
        int N = 0;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9' && N < 1000)
            N = N * 10 + (FText[FPos++] - '0');
        Digits = int(FPos - Start);
        Value = Word(N);
        return Digits > 0;
    }

    bool Symbol(std::string_view S)
    {
        SkipBlanks();
        if (S.empty() || !AnsiSameText(FText.substr(FPos, S.size()), S)) return false;
        FPos += S.size();
        return true;
    }

    // 0 for a morning marker, 12 for an afternoon one, -1 for none.
    int AmPm()
    {
        if (Symbol(FS.TimeAMString) || Symbol("AM")) return 0;
        if (Symbol(FS.TimePMString) || Symbol("PM")) return 12;
        return -1;
    }

    // 'Y', 'M' or 'D': the item the short date format begins with.
    char DateOrder() const
    {
        for (char C : FS.ShortDateFormat) {
            const char U = char(std::toupper(static_cast<unsigned char>(C)));
            if (U == 'Y' || U == 'M' || U == 'D') return U;
        }
        return 'M';
    }

    // The years to add to a two-digit year: the century that puts it inside
    // the window of years before this one.
    int CenturyOfTwoDigitYear(int Year) const
    {
        Word This = 0, Month = 0, Day = 0;
        DecodeDate(Now(), This, Month, Day);
        const int Base = int(This) - FS.TwoDigitYearCenturyWindow;
        int Century = Base / 100 * 100;
        if (FS.TwoDigitYearCenturyWindow > 0 && Year + Century < Base) Century += 100;
        return Century;
    }

    std::string_view FText;
    const TFormatSettings& FS;
    std::size_t FPos = 0;
};

} // namespace

bool TryStrToDateTime(std::string_view S, TDateTime& Value)
{
    TDateTime Day = 0, Clock = 0;
    TDateTimeScanner Scan(S, FormatSettings);
    if (Scan.Date(Day) && (Scan.AtEnd() || (Scan.Time(Clock) && Scan.AtEnd()))) {
        Value = Day >= 0 ? Day + Clock : Day - Clock;
        return true;
    }
    TDateTimeScanner TimeOnly(S, FormatSettings);
    if (!TimeOnly.Time(Clock) || !TimeOnly.AtEnd()) return false;
    Value = Clock;
    return true;
}

TDateTime StrToDateTime(std::string_view S)
{
    TDateTime Value = 0;
    if (!TryStrToDateTime(S, Value)) throw EConvertError("'" + AnsiString(S) + "' is not a valid date and time");
    return Value;
}
