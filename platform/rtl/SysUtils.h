// The run-time library's utilities: exceptions, assertions, string and number
// functions with the class library's 1-based positions, format settings,
// dates and file-name functions.
#pragma once
#include "platform/rtl/System.h"

#include <cstdint>
#include <exception>
#include <string_view>
#include <variant>
#include <vector>

// ---- Exceptions -------------------------------------------------------------

class Exception : public std::exception {
public:
    explicit Exception(AnsiString Msg) : Message(std::move(Msg)) {}
    ~Exception() override = default;
    const char* what() const noexcept override { return Message.c_str(); }
    AnsiString Message;
};

#define QM_DECLARE_EXCEPTION(Name, Base)                                                                               \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
    }

QM_DECLARE_EXCEPTION(EAbort, Exception);
QM_DECLARE_EXCEPTION(EConvertError, Exception);
QM_DECLARE_EXCEPTION(EListError, Exception);
QM_DECLARE_EXCEPTION(EStringListError, Exception);
QM_DECLARE_EXCEPTION(EInOutError, Exception);
QM_DECLARE_EXCEPTION(EStreamError, Exception);
QM_DECLARE_EXCEPTION(EFCreateError, EStreamError);
QM_DECLARE_EXCEPTION(EFOpenError, EStreamError);
QM_DECLARE_EXCEPTION(EReadError, EStreamError);
QM_DECLARE_EXCEPTION(EWriteError, EStreamError);
QM_DECLARE_EXCEPTION(EInvalidOperation, Exception);
QM_DECLARE_EXCEPTION(EInvalidPointer, Exception);
QM_DECLARE_EXCEPTION(EAbstractError, Exception);
QM_DECLARE_EXCEPTION(EOutOfResources, Exception);
QM_DECLARE_EXCEPTION(EComponentError, Exception);
QM_DECLARE_EXCEPTION(EThread, Exception);
QM_DECLARE_EXCEPTION(ERegistryException, Exception);
QM_DECLARE_EXCEPTION(EIniFileException, Exception);
QM_DECLARE_EXCEPTION(EMathError, Exception);
QM_DECLARE_EXCEPTION(EInvalidOp, EMathError);
QM_DECLARE_EXCEPTION(EZeroDivide, EMathError);
QM_DECLARE_EXCEPTION(EDivByZero, Exception);
QM_DECLARE_EXCEPTION(EVariantError, Exception);

// A broken precondition: "<text> (<unit>, line <n>)".
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(const AnsiString& Text, AnsiString Unit, int Line);
    AnsiString Text;
    AnsiString UnitName;
    int LineNumber = 0;
};

[[noreturn]] void AssertErrorProc(const AnsiString& Text, const char* UnitName, int Line);
[[noreturn]] void Abort();

// Raises EAssertionFailed naming the unit and line when Cond is false.
#define QM_ASSERT(Cond, Text, Unit)                                                                                    \
    do {                                                                                                               \
        if (!(Cond)) ::AssertErrorProc((Text), (Unit), __LINE__);                                                      \
    } while (0)

// ---- Format -----------------------------------------------------------------

// One argument of Format: an integer, a real, a text or a pointer.
struct TVarRec {
    std::variant<std::int64_t, std::uint64_t, double, AnsiString, const void*> Value;
    TVarRec(int V) : Value(std::int64_t(V)) {}
    TVarRec(long V) : Value(std::int64_t(V)) {}
    TVarRec(long long V) : Value(std::int64_t(V)) {}
    TVarRec(unsigned V) : Value(std::uint64_t(V)) {}
    TVarRec(unsigned long V) : Value(std::uint64_t(V)) {}
    TVarRec(unsigned long long V) : Value(std::uint64_t(V)) {}
    TVarRec(double V) : Value(V) {}
    TVarRec(const char* V) : Value(AnsiString(V ? V : "")) {}
    TVarRec(AnsiString V) : Value(std::move(V)) {}
    TVarRec(std::string_view V) : Value(AnsiString(V)) {}
    TVarRec(char V) : Value(AnsiString(1, V)) {}
    TVarRec(const void* V) : Value(V) {}
};

// The class library's Format: %d %u %x %s %f %e %g %n %m %p %%, with
// [index:][-][width][.precision] and * for width or precision. A mismatch
// raises EConvertError "Format '<fmt>' invalid or incompatible with argument".
AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args);

// ---- Format settings ----------------------------------------------------------

struct TFormatSettings {
    AnsiString CurrencyString = "$";
    Byte CurrencyFormat = 0;
    Byte NegCurrFormat = 0;
    Byte CurrencyDecimals = 2;
    char ThousandSeparator = ',';
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    AnsiString ShortDateFormat = "M/d/yyyy";
    AnsiString LongDateFormat = "dddd, MMMM d, yyyy";
    AnsiString TimeAMString = "AM";
    AnsiString TimePMString = "PM";
    AnsiString ShortTimeFormat = "h:mm AMPM";
    AnsiString LongTimeFormat = "h:mm:ss AMPM";
    AnsiString ShortMonthNames[12];
    AnsiString LongMonthNames[12];
    AnsiString ShortDayNames[7]; // Sunday first, as the class library has them
    AnsiString LongDayNames[7];
    int FirstDayOfWeek = 0; // 0 = Monday ... 6 = Sunday (the locale's first day)
    Word TwoDigitYearCenturyWindow = 50;
};

extern TFormatSettings FormatSettings;

// A fixed English (United States) profile; tests install it.
TFormatSettings DefaultFormatSettings();
// Fills FormatSettings and SysLocale from the user's locale; run once at start.
void GetLocaleFormatSettings();

// What the program knows of the user's locale beyond the formats:
// MiddleEast is true for a language written from right to left (Arabic,
// Hebrew, Persian ...), where controls may put their scroll bars on the left.
struct TSysLocale {
    bool MiddleEast = false;
};

extern TSysLocale SysLocale;

// ---- Strings (1-based where the class library is) ------------------------------

inline int Length(const AnsiString& S)
{
    return static_cast<int>(S.size());
}
inline int Length(const WideString& S)
{
    return static_cast<int>(S.size());
}
AnsiString Copy(const AnsiString& S, int Index, int Count);
WideString Copy(const WideString& S, int Index, int Count);
int Pos(std::string_view Sub, std::string_view S);
int Pos(std::u16string_view Sub, std::u16string_view S);
int PosEx(std::string_view Sub, std::string_view S, int Offset = 1);
void Delete(AnsiString& S, int Index, int Count);
void Delete(WideString& S, int Index, int Count);
void Insert(std::string_view Source, AnsiString& S, int Index);
void Insert(std::u16string_view Source, WideString& S, int Index);

AnsiString UpperCase(std::string_view S); // ASCII letters only
AnsiString LowerCase(std::string_view S);
AnsiString AnsiUpperCase(std::string_view S); // every letter
AnsiString AnsiLowerCase(std::string_view S);
WideString WideLowerCase(std::u16string_view S);
// Pos(LowerSub, WideLowerCase(S)) for LowerSub = WideLowerCase(Sub), S lowered where it lies.
int WideLowerCasePos(std::u16string_view LowerSub, std::u16string_view S);

AnsiString Trim(std::string_view S); // removes characters <= ' '
AnsiString TrimLeft(std::string_view S);
AnsiString TrimRight(std::string_view S);
WideString Trim(std::u16string_view S);

int CompareText(std::string_view A, std::string_view B); // ASCII case ignored
bool SameText(std::string_view A, std::string_view B);
int AnsiCompareStr(std::string_view A, std::string_view B);  // code points
int AnsiCompareText(std::string_view A, std::string_view B); // folded code points
bool AnsiSameText(std::string_view A, std::string_view B);
int WideCompareStr(std::u16string_view A, std::u16string_view B);
int WideCompareText(std::u16string_view A, std::u16string_view B);
bool WideSameText(std::u16string_view A, std::u16string_view B);

AnsiString StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                         bool ReplaceAll = true, bool IgnoreCase = false);
AnsiString AnsiQuotedStr(std::string_view S, char Quote);
// Removes the quotes around the start of S (advancing Pos); the text up to
// the closing quote, doubled quotes undone.
AnsiString AnsiExtractQuotedStr(std::string_view S, std::size_t& Pos, char Quote);
bool EndsStr(std::string_view SubText, std::string_view Text);

// ---- Numbers -------------------------------------------------------------------

AnsiString IntToStr(Int64 Value);
AnsiString IntToHex(Int64 Value, int Digits);
Integer StrToInt(std::string_view S); // EConvertError "'%s' is not a valid integer value"
Integer StrToIntDef(std::string_view S, Integer Default);
bool TryStrToInt(std::string_view S, Integer& Value);
bool TryStrToInt64(std::string_view S, Int64& Value);
AnsiString FloatToStr(Extended Value);
AnsiString FloatToStr(Extended Value, const TFormatSettings& Settings);
// Digits only: "nan", "inf" and "infinity" are no number. StrToFloat raises
// EConvertError "'%s' is not a valid floating point value".
Extended StrToFloat(std::string_view S);
Extended StrToFloatDef(std::string_view S, Extended Default);
bool TryStrToFloat(std::string_view S, Extended& Value);
bool TryStrToFloat(std::string_view S, Extended& Value, const TFormatSettings& Settings);
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// Fixed formats show at most 18 decimals, as the class library does.
AnsiString FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
// The class library's pictures: "0" and "#" digit placeholders, '.', ',' for
// thousand separators, "E+" "E-" "e+" "e-" with up to four '0's, quoted text,
// and up to three sections "positive;negative;zero". Any other character
// shows as itself; no picture raises.
AnsiString FormatFloat(std::string_view Format, Extended Value);
// Rounds halves to the even neighbour. Round and Trunc raise EInvalidOp for a
// value that is not a number or lies outside Int64.
Int64 Round(Extended Value);
Int64 Trunc(Extended Value);
// UseBoolStrs: "True" / "False"; otherwise "-1" / "0".
AnsiString BoolToStr(bool B, bool UseBoolStrs = false);
// A number (anything but 0 is true) or "True" / "False", case ignored.
// StrToBool raises EConvertError "'%s' is not a valid boolean value".
bool StrToBool(std::string_view S);
bool TryStrToBool(std::string_view S, bool& Value);

// ---- Dates and times ------------------------------------------------------------

TDateTime Now();
TDateTime Date();
TDateTime Time();
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value);
void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec);
int DayOfWeek(TDateTime Value); // 1 = Sunday ... 7 = Saturday
bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
// The number of days of the month Value lies in.
Word DaysInMonth(TDateTime Value);
// Months later (earlier when negative), the time kept and the day cut to the
// last of a shorter month; EConvertError past the years 1..9999.
TDateTime IncMonth(TDateTime Value, int NumberOfMonths = 1);
AnsiString FormatDateTime(std::string_view Format, TDateTime Value);
AnsiString DateToStr(TDateTime Value);
AnsiString TimeToStr(TDateTime Value);
AnsiString DateTimeToStr(TDateTime Value);
// A date in the order of FormatSettings.ShortDateFormat with its
// DateSeparator (the year may be left out, or given with two digits inside
// TwoDigitYearCenturyWindow), then optionally a time: hours, minutes,
// seconds and milliseconds apart by TimeSeparator and DecimalSeparator,
// with the AM/PM strings before or after it; or a time alone. StrToDateTime
// raises EConvertError "'%s' is not a valid date and time".
TDateTime StrToDateTime(std::string_view S);
bool TryStrToDateTime(std::string_view S, TDateTime& Value);
// Milliseconds of a steady clock, for durations that must not jump.
Int64 MonotonicMilliseconds();

// ---- Files and folders -----------------------------------------------------------

bool FileExists(const AnsiString& FileName); // false for folders
bool DirectoryExists(const AnsiString& Directory);
Int64 FileSizeOf(const AnsiString& FileName); // -1 when it cannot be read
bool DeleteFile(const AnsiString& FileName);
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName);
// Makes Dir and the folders above it as needed; false, with errno telling
// why, when Dir is no folder afterwards.
bool ForceDirectories(const AnsiString& Dir);
AnsiString GetCurrentDir();
AnsiString ExtractFilePath(const AnsiString& FileName); // up to and including the last '/'
AnsiString ExtractFileDir(const AnsiString& FileName);  // without the last '/'
AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFileExt(const AnsiString& FileName); // with its '.'
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S);
AnsiString GetEnvironmentVariable(const AnsiString& Name);
