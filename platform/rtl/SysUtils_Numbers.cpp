#include "platform/rtl/FloatText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace platform::detail {

namespace {

AnsiString InsertThousands(std::string_view Digits, char Sep)
{
    // Digits holds only the integer part's digits.
    AnsiString Out;
    const int N = static_cast<int>(Digits.size());
    for (int I = 0; I < N; ++I) {
        if (I > 0 && (N - I) % 3 == 0 && Sep) Out += Sep;
        Out += Digits[I];
    }
    return Out;
}

// As in the class library, fixed texts show at most 18 decimals and
// scientific ones at most 18 significant digits.
constexpr int MaxDigits = 18;

// The digits of V in format F: into Buf, which fits every number at up to
// MaxDigits decimals. A conversion that fails raises rather than leaving
// the buffer's bytes undefined.
template <std::size_t N> std::string_view ToChars(char (&Buf)[N], double V, std::chars_format F, int Prec)
{
    const auto R = std::to_chars(Buf, Buf + N, V, F, Prec);
    if (R.ec != std::errc()) throw EConvertError("Floating point value cannot be converted to text");
    return {Buf, static_cast<std::size_t>(R.ptr - Buf)};
}

using TNumberBuffer = char[400];

// Splits scientific digits "d.ddde+xx" into the mantissa and the exponent.
int SplitExponent(std::string_view Sci, std::string_view& Mantissa)
{
    const auto E = Sci.find('e');
    Mantissa = Sci.substr(0, E);
    int Exp = 0;
    std::from_chars(Sci.data() + E + 1 + (Sci[E + 1] == '+'), Sci.data() + Sci.size(), Exp);
    return Exp;
}

// Drops the zeros that end a text with a decimal point, and the point if nothing follows it.
void TrimDecimals(AnsiString& Text)
{
    if (Text.find('.') == AnsiString::npos) return;
    while (Text.back() == '0')
        Text.pop_back();
    if (Text.back() == '.') Text.pop_back();
}

void LocalizePoint(AnsiString& Text, const TFormatSettings& FS)
{
    for (auto& C : Text)
        if (C == '.') C = FS.DecimalSeparator;
}

const char* NonFiniteText(double V)
{
    return std::isnan(V) ? "NAN" : V < 0 ? "-INF" : "INF";
}

} // namespace

AnsiString FixedText(double V, int Prec, bool Thousands, const TFormatSettings& FS)
{
    if (!std::isfinite(V)) return NonFiniteText(V);
    TNumberBuffer Buf;
    const std::string_view Text = ToChars(Buf, std::fabs(V), std::chars_format::fixed, std::clamp(Prec, 0, MaxDigits));
    const auto Dot = Text.find('.');
    const std::string_view IntPart = Text.substr(0, Dot);
    AnsiString Out = Thousands ? InsertThousands(IntPart, FS.ThousandSeparator) : AnsiString(IntPart);
    if (Dot != std::string_view::npos) {
        Out += FS.DecimalSeparator;
        Out.append(Text.substr(Dot + 1));
    }
    const bool AllZero = Text.find_first_not_of("0.") == std::string_view::npos;
    if (V < 0 && !AllZero) Out.insert(0, "-");
    return Out;
}

AnsiString ExponentText(double V, int Prec, int ExpDigits, const TFormatSettings& FS)
{
    if (!std::isfinite(V)) return NonFiniteText(V);
    TNumberBuffer Buf;
    std::string_view Mantissa;
    const int Exp =
        SplitExponent(ToChars(Buf, V, std::chars_format::scientific, std::clamp(Prec, 1, MaxDigits) - 1), Mantissa);
    AnsiString Out(Mantissa);
    LocalizePoint(Out, FS);
    AnsiString ExpText = std::to_string(std::abs(Exp));
    PadLeft(ExpText, ExpDigits, '0');
    return Out + "E" + (Exp < 0 ? "-" : "+") + ExpText;
}

AnsiString GeneralText(double V, int Prec, const TFormatSettings& FS)
{
    if (!std::isfinite(V)) return NonFiniteText(V);
    if (Prec <= 0 || Prec > 15) Prec = 15;
    if (V == 0) return "0";
    TNumberBuffer Buf;
    std::string_view Mantissa;
    const int Exp = SplitExponent(ToChars(Buf, V, std::chars_format::scientific, Prec - 1), Mantissa);
    if (Exp >= Prec || Exp < -5) {
        // Scientific, trailing zeros of the mantissa dropped, exponent as short as it goes.
        AnsiString Out(Mantissa);
        TrimDecimals(Out);
        LocalizePoint(Out, FS);
        return Out + "E" + (Exp < 0 ? "-" : "+") + std::to_string(std::abs(Exp));
    }
    AnsiString Fix(ToChars(Buf, V, std::chars_format::fixed, std::max(Prec - 1 - Exp, 0)));
    TrimDecimals(Fix);
    LocalizePoint(Fix, FS);
    if (Fix == "-0") Fix = "0";
    return Fix;
}

} // namespace platform::detail

using namespace platform::detail;

AnsiString IntToStr(Int64 Value)
{
    return std::to_string(Value);
}

AnsiString IntToHex(Int64 Value, int Digits)
{
    char Buf[32];
    auto R = std::to_chars(Buf, Buf + sizeof Buf, static_cast<std::uint64_t>(Value), 16);
    AnsiString Text = UpperCase(std::string_view(Buf, R.ptr - Buf));
    PadLeft(Text, Digits, '0');
    return Text;
}

bool TryStrToInt64(std::string_view S, Int64& Value)
{
    std::size_t I = 0;
    while (I < S.size() && S[I] == ' ')
        ++I;
    bool Neg = false;
    if (I < S.size() && (S[I] == '-' || S[I] == '+')) Neg = S[I++] == '-';
    int Base = 10;
    if (I < S.size() && S[I] == '$') {
        Base = 16;
        ++I;
    } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
        Base = 16;
        I += 2;
    }
    if (I >= S.size()) return false;
    std::uint64_t Mag = 0;
    auto R = std::from_chars(S.data() + I, S.data() + S.size(), Mag, Base);
    if (R.ec != std::errc() || R.ptr != S.data() + S.size()) return false;
    if (Base == 16 && !Neg) {
        Value = static_cast<Int64>(Mag); // hex may name the full 64-bit pattern
        return true;
    }
    if (Neg ? Mag > std::uint64_t(INT64_MAX) + 1 : Mag > std::uint64_t(INT64_MAX)) return false;
    Value = Neg ? static_cast<Int64>(0 - Mag) : static_cast<Int64>(Mag);
    return true;
}

bool TryStrToInt(std::string_view S, Integer& Value)
{
    Int64 V;
    if (!TryStrToInt64(S, V)) return false;
    // Hexadecimal texts name a 32-bit pattern ("$FFFFFFFF" is -1).
    const bool Hex = S.find('$') != std::string_view::npos || S.find("0x") != std::string_view::npos ||
                     S.find("0X") != std::string_view::npos;
    if (Hex && V >= 0 && V <= INT64_C(0xFFFFFFFF)) {
        Value = static_cast<Integer>(static_cast<std::uint32_t>(V));
        return true;
    }
    if (V < INT32_MIN || V > INT32_MAX) return false;
    Value = static_cast<Integer>(V);
    return true;
}

namespace {

// The throwing and the defaulting forms of a Try conversion; What names the
// kind of value in the error's message.
template <typename T> T Converted(bool (*Try)(std::string_view, T&), std::string_view S, const char* What)
{
    T V;
    if (!Try(S, V)) throw EConvertError("'" + AnsiString(S) + "' is not a valid " + What);
    return V;
}

template <typename T> T ConvertedOr(bool (*Try)(std::string_view, T&), std::string_view S, T Default)
{
    T V;
    return Try(S, V) ? V : Default;
}

} // namespace

Integer StrToInt(std::string_view S)
{
    return Converted<Integer>(TryStrToInt, S, "integer value");
}

Integer StrToIntDef(std::string_view S, Integer Default)
{
    return ConvertedOr<Integer>(TryStrToInt, S, Default);
}

AnsiString FloatToStr(Extended Value, const TFormatSettings& Settings)
{
    return GeneralText(Value, 15, Settings);
}
AnsiString FloatToStr(Extended Value)
{
    return FloatToStr(Value, FormatSettings);
}

bool TryStrToFloat(std::string_view S, Extended& Value, const TFormatSettings& Settings)
{
    AnsiString T = Trim(S);
    if (T.empty()) return false;
    for (auto& C : T) {
        if (C == Settings.DecimalSeparator)
            C = '.';
        else if (C == '.' && Settings.DecimalSeparator != '.')
            return false;
    }
    const char* B = T.data();
    const char* E = T.data() + T.size();
    if (*B == '+' && (++B == E || *B == '-')) return false; // one sign at most
    double V = 0;
    auto R = std::from_chars(B, E, V);
    // Only digits make a number: "nan", "inf" and "infinity" do not.
    if (R.ec != std::errc() || R.ptr != E || !std::isfinite(V)) return false;
    Value = V;
    return true;
}

bool TryStrToFloat(std::string_view S, Extended& Value)
{
    return TryStrToFloat(S, Value, FormatSettings);
}

Extended StrToFloat(std::string_view S)
{
    return Converted<Extended>(TryStrToFloat, S, "floating point value");
}

Extended StrToFloatDef(std::string_view S, Extended Default)
{
    return ConvertedOr<Extended>(TryStrToFloat, S, Default);
}

AnsiString FloatToStrF(Extended Value, TFloatFormat Fmt, int Precision, int Digits)
{
    switch (Fmt) {
    case ffExponent:
        return ExponentText(Value, Precision, Digits, FormatSettings);
    case ffFixed:
        return FixedText(Value, Digits, false, FormatSettings);
    case ffNumber:
        return FixedText(Value, Digits, true, FormatSettings);
    case ffCurrency:
        return (Value < 0 ? "-" : "") + FormatSettings.CurrencyString +
               FixedText(std::fabs(Value), Digits, true, FormatSettings);
    case ffGeneral:
    default:
        return GeneralText(Value, Precision, FormatSettings);
    }
}

namespace {

// FormatFloat's pictures. A picture has up to three sections (positive;
// negative; zero), each made of digit placeholders '0' (a digit always) and
// '#' (a digit where it means something), the decimal point '.', ',' (asking
// for thousand separators), an exponent "E+" "E-" "e+" "e-" with up to four
// '0's for its least digits, quoted text, and any other character as itself.

enum TPictureKind { pkDigit, pkPoint, pkComma, pkExponent, pkSection, pkLiteral };

struct TPictureToken {
    TPictureKind Kind;
    std::string_view Text; // a literal's text, else the token as written
    char Sign = 0;         // of an exponent: '+' shows either sign, '-' only a minus
    int ExpDigits = 0;
};

TPictureToken NextPictureToken(std::string_view S, std::size_t& Pos)
{
    const std::size_t Start = Pos;
    const char C = S[Pos++];
    switch (C) {
    case '0':
    case '#':
        return {pkDigit, S.substr(Start, 1)};
    case '.':
        return {pkPoint, S.substr(Start, 1)};
    case ',':
        return {pkComma, S.substr(Start, 1)};
    case ';':
        return {pkSection, S.substr(Start, 1)};
    case '\'':
    case '"': {
        const std::size_t End = std::min(S.find(C, Pos), S.size());
        const TPictureToken T{pkLiteral, S.substr(Pos, End - Pos)};
        Pos = std::min(End + 1, S.size());
        return T;
    }
    case 'E':
    case 'e':
        if (Pos < S.size() && (S[Pos] == '+' || S[Pos] == '-')) {
            const char Sign = S[Pos++];
            int Digits = 0;
            while (Pos < S.size() && S[Pos] == '0' && Digits < 4)
                ++Pos, ++Digits;
            return {pkExponent, S.substr(Start, Pos - Start), Sign, Digits};
        }
        break;
    }
    return {pkLiteral, S.substr(Start, 1)};
}

// The positive, negative and zero sections; those not given are empty.
// Whatever follows a third section is ignored.
std::array<std::string_view, 3> PictureSections(std::string_view Fmt)
{
    std::array<std::string_view, 3> Sections;
    std::size_t N = 0, Start = 0, Pos = 0;
    while (Pos < Fmt.size()) {
        const std::size_t At = Pos;
        if (NextPictureToken(Fmt, Pos).Kind != pkSection) continue;
        Sections[N] = Fmt.substr(Start, At - Start);
        Start = Pos;
        if (++N == Sections.size()) return Sections;
    }
    Sections[N] = Fmt.substr(Start);
    return Sections;
}

// What a section asks for.
struct TPicture {
    int IntPlaces = 0;  // placeholders before the decimal point
    int Places = 0;     // all placeholders
    int FirstZero = -1; // the first '0' placeholder; digits from there on always show
    int LastZero = 0;   // one past the last '0' placeholder
    bool Thousands = false;
    bool Scientific = false;
};

TPicture ScanPicture(std::string_view Section)
{
    TPicture P;
    bool Point = false;
    for (std::size_t Pos = 0; Pos < Section.size();) {
        const TPictureToken T = NextPictureToken(Section, Pos);
        if (T.Kind == pkDigit) {
            if (T.Text[0] == '0') {
                if (P.FirstZero < 0) P.FirstZero = P.Places;
                P.LastZero = P.Places + 1;
            }
            ++P.Places;
            if (!Point) ++P.IntPlaces;
        }
        Point |= T.Kind == pkPoint;
        P.Thousands |= T.Kind == pkComma;
        P.Scientific |= T.Kind == pkExponent;
    }
    return P;
}

// The digits a section shows of a magnitude.
struct TPictureDigits {
    AnsiString Int;  // the integer digits, leading zeros only where the picture forces them
    AnsiString Frac; // the decimals, trailing zeros only where the picture forces them
    int Exponent = 0;
    bool Zero = true; // every digit shown is 0
};

TPictureDigits PictureDigits(const TPicture& P, double Magnitude)
{
    TPictureDigits D;
    TNumberBuffer Buf;
    if (P.Scientific) {
        // Rounded to as many significant digits as there are placeholders, the
        // exponent placing the decimal point after the integer placeholders.
        std::string_view Mantissa;
        const int Exp = SplitExponent(
            ToChars(Buf, Magnitude, std::chars_format::scientific, std::clamp(P.Places, 1, MaxDigits) - 1), Mantissa);
        AnsiString Digits(Mantissa);
        std::erase(Digits, '.');
        if (static_cast<int>(Digits.size()) < P.Places) Digits.resize(P.Places, '0');
        D.Int = Digits.substr(0, P.IntPlaces);
        D.Frac = Digits.substr(P.IntPlaces);
        D.Exponent = Magnitude == 0 ? 0 : Exp + 1 - P.IntPlaces;
    } else {
        // Rounded to as many decimals as there are placeholders after the point.
        const int Decimals = P.Places - P.IntPlaces;
        const std::string_view Text = ToChars(Buf, Magnitude, std::chars_format::fixed, std::min(Decimals, MaxDigits));
        const auto Dot = Text.find('.');
        D.Int = Text.substr(0, Dot);
        if (Dot != std::string_view::npos) D.Frac = Text.substr(Dot + 1);
        D.Frac.resize(Decimals, '0');
    }
    D.Int.erase(0, std::min(D.Int.find_first_not_of('0'), D.Int.size()));
    D.Zero = D.Int.empty() && D.Frac.find_first_not_of('0') == AnsiString::npos;
    if (P.FirstZero >= 0 && P.FirstZero < P.IntPlaces) PadLeft(D.Int, P.IntPlaces - P.FirstZero, '0');
    const std::size_t ForcedDecimals = std::max(P.LastZero - P.IntPlaces, 0);
    while (D.Frac.size() > ForcedDecimals && D.Frac.back() == '0')
        D.Frac.pop_back();
    return D;
}

// Digits go where the placeholders are; integer digits beyond the
// placeholders show before the first one.
AnsiString ApplyPicture(std::string_view Section, const TPicture& P, const TPictureDigits& D, const TFormatSettings& FS)
{
    AnsiString Out;
    const int IntCount = static_cast<int>(D.Int.size());
    int NextInt = 0, Place = 0;
    bool Point = false, Exponent = false;
    auto ShowIntUpTo = [&](int End) {
        for (; NextInt < End && P.Places > 0; ++NextInt) {
            Out += D.Int[NextInt];
            const int Left = IntCount - NextInt - 1;
            if (P.Thousands && FS.ThousandSeparator && Left > 0 && Left % 3 == 0) Out += FS.ThousandSeparator;
        }
    };
    for (std::size_t Pos = 0; Pos < Section.size();) {
        const TPictureToken T = NextPictureToken(Section, Pos);
        switch (T.Kind) {
        case pkDigit:
            if (Place < P.IntPlaces) {
                ShowIntUpTo(IntCount - (P.IntPlaces - Place - 1));
            } else {
                ShowIntUpTo(IntCount);
                if (static_cast<std::size_t>(Place - P.IntPlaces) < D.Frac.size()) Out += D.Frac[Place - P.IntPlaces];
            }
            ++Place;
            break;
        case pkPoint:
            if (Point) break; // only the first point counts
            ShowIntUpTo(IntCount);
            if (!D.Frac.empty()) Out += FS.DecimalSeparator;
            Point = true;
            break;
        case pkExponent: {
            if (Exponent) { // only the first exponent counts
                Out.append(T.Text);
                break;
            }
            ShowIntUpTo(IntCount);
            Out += T.Text[0];
            if (D.Exponent < 0 || T.Sign == '+') Out += D.Exponent < 0 ? '-' : '+';
            AnsiString Digits = std::to_string(std::abs(D.Exponent));
            PadLeft(Digits, T.ExpDigits, '0');
            Out += Digits;
            Exponent = true;
            break;
        }
        case pkLiteral:
            Out.append(T.Text);
            break;
        case pkComma:
        case pkSection:
            break;
        }
    }
    return Out;
}

} // namespace

AnsiString FormatFloat(std::string_view Fmt, Extended Value)
{
    const TFormatSettings& FS = FormatSettings;
    if (!std::isfinite(Value)) return NonFiniteText(Value);
    const auto Sections = PictureSections(Fmt);
    if (Sections[0].empty()) return GeneralText(Value, 15, FS);
    std::size_t Index = Value == 0 ? 2 : Value < 0 ? 1 : 0;
    if (Sections[Index].empty()) Index = 0;
    const TPicture P = ScanPicture(Sections[Index]);
    // A fixed picture has no exact digits to show past 18 before the point.
    if (!P.Scientific && std::fabs(Value) >= 1e18) return GeneralText(Value, 15, FS);
    const TPictureDigits D = PictureDigits(P, std::fabs(Value));
    if (D.Zero && Index != 2 && !Sections[2].empty()) { // what rounds to zero shows as zero
        const TPicture Z = ScanPicture(Sections[2]);
        return ApplyPicture(Sections[2], Z, PictureDigits(Z, 0), FS);
    }
    AnsiString Out = ApplyPicture(Sections[Index], P, D, FS);
    if (Value < 0 && Index == 0 && !D.Zero) Out.insert(Out.begin(), '-');
    return Out;
}

namespace {

// A real outside Int64, or no number at all, has no integer to give.
Int64 ToInt64(double Value)
{
    if (!(Value >= -0x1p63 && Value < 0x1p63)) throw EInvalidOp("Invalid floating point operation");
    return static_cast<Int64>(Value);
}

} // namespace

Int64 Round(Extended Value)
{
    return ToInt64(std::nearbyint(Value));
}
Int64 Trunc(Extended Value)
{
    return ToInt64(std::trunc(Value));
}

AnsiString BoolToStr(bool B, bool UseBoolStrs)
{
    if (UseBoolStrs) return B ? "True" : "False";
    return B ? "-1" : "0";
}

bool TryStrToBool(std::string_view S, bool& Value)
{
    Extended Number = 0;
    if (TryStrToFloat(S, Number)) {
        Value = Number != 0;
        return true;
    }
    const AnsiString T = Trim(S);
    if (!AnsiSameText(T, "True") && !AnsiSameText(T, "False")) return false;
    Value = AnsiSameText(T, "True");
    return true;
}

bool StrToBool(std::string_view S)
{
    return Converted<bool>(TryStrToBool, S, "boolean value");
}
