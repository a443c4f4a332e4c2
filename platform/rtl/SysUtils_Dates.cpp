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

} // namespace

bool IsLeapYear(Word Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

Word DaysInAMonth(Word Year, Word Month)
{
    if (Month < 1 || Month > 12) return 0;
    return static_cast<Word>(MonthDays[IsLeapYear(Year)][Month - 1]);
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
    Int64 T = static_cast<Int64>(std::floor(Value)) + DaysBefore1900Epoch; // days since 0001-01-01, 1-based
    if (T <= 0) {
        Year = Month = Day = 0;
        return;
    }
    --T;
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
    Year = static_cast<Word>(Y);
    const bool Leap = IsLeapYear(Year);
    int M = 0;
    while (T >= MonthDays[Leap][M])
        T -= MonthDays[Leap][M++];
    Month = static_cast<Word>(M + 1);
    Day = static_cast<Word>(T + 1);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
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
    const Int64 D = static_cast<Int64>(std::floor(Value));
    return static_cast<int>(((D - 1) % 7 + 7) % 7) + 1; // 1899-12-30 was a Saturday (7)
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

AnsiString FormatDateTime(std::string_view Fmt, TDateTime Value)
{
    Word Y, Mo, D, H, Mi, S, Ms;
    DecodeDate(Value, Y, Mo, D);
    DecodeTime(Value, H, Mi, S, Ms);
    const TFormatSettings& FS = FormatSettings;
    AnsiString Out;
    auto Two = [](int V) {
        AnsiString S = std::to_string(V);
        PadLeft(S, 2, '0');
        return S;
    };
    // "m" right after an hour means minutes.
    bool AfterHour = false;
    const bool HasAmPm = [&] {
        AnsiString L = LowerCase(Fmt);
        return L.find("am/pm") != AnsiString::npos || L.find("a/p") != AnsiString::npos ||
               L.find("ampm") != AnsiString::npos;
    }();
    std::size_t I = 0;
    auto Run = [&](char C) {
        std::size_t N = 0;
        while (I + N < Fmt.size() && std::tolower(static_cast<unsigned char>(Fmt[I + N])) == C)
            ++N;
        return N;
    };
    while (I < Fmt.size()) {
        const char Raw = Fmt[I];
        const char C = static_cast<char>(std::tolower(static_cast<unsigned char>(Raw)));
        if (Raw == '\'' || Raw == '"') {
            std::size_t E = Fmt.find(Raw, I + 1);
            if (E == std::string_view::npos) E = Fmt.size();
            Out.append(Fmt.substr(I + 1, E - I - 1));
            I = E + 1;
            continue;
        }
        if (C == 'y') {
            std::size_t N = Run('y');
            Out += N <= 2 ? Two(Y % 100) : std::to_string(Y);
            I += N;
        } else if (C == 'm') {
            std::size_t N = Run('m');
            if (AfterHour && N <= 2)
                Out += N == 1 ? std::to_string(Mi) : Two(Mi);
            else if (N == 1)
                Out += std::to_string(Mo);
            else if (N == 2)
                Out += Two(Mo);
            else if (N == 3)
                Out += FS.ShortMonthNames[Mo - 1];
            else
                Out += FS.LongMonthNames[Mo - 1];
            I += N;
            AfterHour = false;
            continue;
        } else if (C == 'd') {
            std::size_t N = Run('d');
            const int Dow = DayOfWeek(Value) - 1;
            if (N == 1)
                Out += std::to_string(D);
            else if (N == 2)
                Out += Two(D);
            else if (N == 3)
                Out += FS.ShortDayNames[Dow];
            else if (N == 4)
                Out += FS.LongDayNames[Dow];
            else if (N == 5)
                Out += FormatDateTime(FS.ShortDateFormat, Value);
            else
                Out += FormatDateTime(FS.LongDateFormat, Value);
            I += N;
        } else if (C == 'h') {
            std::size_t N = Run('h');
            int Hour = H;
            if (HasAmPm) {
                Hour %= 12;
                if (Hour == 0) Hour = 12;
            }
            Out += N == 1 ? std::to_string(Hour) : Two(Hour);
            I += N;
            AfterHour = true;
            continue;
        } else if (C == 'n') {
            std::size_t N = Run('n');
            Out += N == 1 ? std::to_string(Mi) : Two(Mi);
            I += N;
        } else if (C == 's') {
            std::size_t N = Run('s');
            Out += N == 1 ? std::to_string(S) : Two(S);
            I += N;
        } else if (C == 'z') {
            std::size_t N = Run('z');
            AnsiString Z = std::to_string(Ms);
            if (N >= 3) PadLeft(Z, 3, '0');
            Out += Z;
            I += N;
        } else if (C == 't') {
            std::size_t N = Run('t');
            Out += FormatDateTime(N == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, Value);
            I += N;
        } else if (C == 'c') {
            Out += FormatDateTime(FS.ShortDateFormat, Value);
            if (Value - std::floor(Value) != 0) Out += " " + FormatDateTime(FS.LongTimeFormat, Value);
            ++I;
        } else if (C == 'a') {
            AnsiString Rest = LowerCase(Fmt.substr(I, 5));
            if (Rest.rfind("am/pm", 0) == 0) {
                Out += H < 12 ? "am" : "pm";
                if (std::isupper(static_cast<unsigned char>(Raw)))
                    Out = Out.substr(0, Out.size() - 2) + (H < 12 ? "AM" : "PM");
                I += 5;
            } else if (Rest.rfind("a/p", 0) == 0) {
                Out += H < 12 ? (std::isupper(static_cast<unsigned char>(Raw)) ? "A" : "a")
                              : (std::isupper(static_cast<unsigned char>(Raw)) ? "P" : "p");
                I += 3;
            } else if (Rest.rfind("ampm", 0) == 0) {
                Out += H < 12 ? FS.TimeAMString : FS.TimePMString;
                I += 4;
            } else {
                Out += Raw;
                ++I;
            }
        } else if (Raw == '/') {
            Out += FS.DateSeparator;
            ++I;
        } else if (Raw == ':') {
            Out += FS.TimeSeparator;
            ++I;
        } else {
            Out += Raw;
            ++I;
            continue;
        }
        AfterHour = false;
    }
    return Out;
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
