#include "platform/rtl/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace platform::detail {

namespace {

AnsiString InsertThousands(const AnsiString& Digits, char Sep)
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

} // namespace

AnsiString FixedText(double V, int Prec, bool Thousands, const TFormatSettings& FS)
{
    if (std::isnan(V)) return "NAN";
    if (std::isinf(V)) return V < 0 ? "-INF" : "INF";
    char Buf[400];
    auto R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(V), std::chars_format::fixed, Prec);
    AnsiString Text(Buf, R.ptr);
    AnsiString IntPart = Text, Frac;
    if (auto Dot = Text.find('.'); Dot != AnsiString::npos) {
        IntPart = Text.substr(0, Dot);
        Frac = Text.substr(Dot + 1);
    }
    AnsiString Out = Thousands ? InsertThousands(IntPart, FS.ThousandSeparator) : IntPart;
    if (!Frac.empty()) Out += FS.DecimalSeparator + Frac;
    bool AllZero = Out.find_first_not_of("0.,") == AnsiString::npos;
    if (V < 0 && !AllZero) Out.insert(0, "-");
    return Out;
}

AnsiString ExponentText(double V, int Prec, int ExpDigits, const TFormatSettings& FS)
{
    if (std::isnan(V)) return "NAN";
    if (std::isinf(V)) return V < 0 ? "-INF" : "INF";
    if (Prec < 1) Prec = 1;
    if (Prec > 18) Prec = 18;
    char Buf[64];
    auto R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific, Prec - 1);
    AnsiString Text(Buf, R.ptr);
    auto E = Text.find('e');
    AnsiString Mant = Text.substr(0, E);
    int Exp = std::atoi(Text.c_str() + E + 1);
    for (auto& C : Mant)
        if (C == '.') C = FS.DecimalSeparator;
    AnsiString ExpText = std::to_string(std::abs(Exp));
    PadLeft(ExpText, ExpDigits, '0');
    return Mant + "E" + (Exp < 0 ? "-" : "+") + ExpText;
}

AnsiString GeneralText(double V, int Prec, const TFormatSettings& FS)
{
    if (std::isnan(V)) return "NAN";
    if (std::isinf(V)) return V < 0 ? "-INF" : "INF";
    if (Prec <= 0 || Prec > 15) Prec = 15;
    if (V == 0) return "0";
    char Buf[64];
    auto R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific, Prec - 1);
    AnsiString Sci(Buf, R.ptr);
    int Exp = std::atoi(Sci.c_str() + Sci.find('e') + 1);
    if (Exp >= Prec || Exp < -5) {
        // Scientific, trailing zeros of the mantissa dropped, exponent as short as it goes.
        AnsiString Mant = Sci.substr(0, Sci.find('e'));
        if (Mant.find('.') != AnsiString::npos) {
            while (Mant.back() == '0')
                Mant.pop_back();
            if (Mant.back() == '.') Mant.pop_back();
        }
        for (auto& C : Mant)
            if (C == '.') C = FS.DecimalSeparator;
        return Mant + "E" + (Exp < 0 ? "-" : "+") + std::to_string(std::abs(Exp));
    }
    int Decimals = Prec - 1 - Exp;
    if (Decimals < 0) Decimals = 0;
    R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::fixed, Decimals);
    AnsiString Fix(Buf, R.ptr);
    if (Fix.find('.') != AnsiString::npos) {
        while (Fix.back() == '0')
            Fix.pop_back();
        if (Fix.back() == '.') Fix.pop_back();
    }
    for (auto& C : Fix)
        if (C == '.') C = FS.DecimalSeparator;
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

Integer StrToInt(std::string_view S)
{
    Integer V;
    if (!TryStrToInt(S, V)) throw EConvertError("'" + AnsiString(S) + "' is not a valid integer value");
    return V;
}

Int64 StrToInt64(std::string_view S)
{
    Int64 V;
    if (!TryStrToInt64(S, V)) throw EConvertError("'" + AnsiString(S) + "' is not a valid integer value");
    return V;
}

Integer StrToIntDef(std::string_view S, Integer Default)
{
    Integer V;
    return TryStrToInt(S, V) ? V : Default;
}

Int64 StrToInt64Def(std::string_view S, Int64 Default)
{
    Int64 V;
    return TryStrToInt64(S, V) ? V : Default;
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
    if (*B == '+') ++B;
    if (B == E) return false;
    double V = 0;
    auto R = std::from_chars(B, E, V);
    if (R.ec != std::errc() || R.ptr != E) return false;
    Value = V;
    return true;
}

bool TryStrToFloat(std::string_view S, Extended& Value)
{
    return TryStrToFloat(S, Value, FormatSettings);
}

Extended StrToFloat(std::string_view S)
{
    Extended V;
    if (!TryStrToFloat(S, V)) throw EConvertError("'" + AnsiString(S) + "' is not a valid floating point value");
    return V;
}

Extended StrToFloatDef(std::string_view S, Extended Default)
{
    Extended V;
    return TryStrToFloat(S, V) ? V : Default;
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

AnsiString FormatFloat(std::string_view Fmt, Extended Value)
{
    // The common picture formats: "0", "0.00", "#,##0.00", "0.###" and a literal prefix or suffix.
    std::size_t First = Fmt.find_first_of("0#"), Last = Fmt.find_last_of("0#");
    if (First == std::string_view::npos) return AnsiString(Fmt);
    std::string_view Pic = Fmt.substr(First, Last - First + 1);
    const bool Thousands = Pic.find(',') != std::string_view::npos;
    int MinDec = 0, MaxDec = 0;
    if (auto Dot = Pic.find('.'); Dot != std::string_view::npos) {
        for (char C : Pic.substr(Dot + 1)) {
            if (C == '0') ++MinDec, ++MaxDec;
            if (C == '#') ++MaxDec;
        }
    }
    AnsiString Text = FixedText(Value, MaxDec, Thousands, FormatSettings);
    if (MaxDec > MinDec) {
        while (MaxDec-- > MinDec && !Text.empty() && Text.back() == '0')
            Text.pop_back();
        if (!Text.empty() && Text.back() == FormatSettings.DecimalSeparator) Text.pop_back();
    }
    return AnsiString(Fmt.substr(0, First)) + Text + AnsiString(Fmt.substr(Last + 1));
}

Int64 Round(Extended Value)
{
    return static_cast<Int64>(std::nearbyint(Value));
}
Int64 Trunc(Extended Value)
{
    return static_cast<Int64>(std::trunc(Value));
}

AnsiString BoolToStr(bool B, bool UseBoolStrs)
{
    if (UseBoolStrs) return B ? "True" : "False";
    return B ? "-1" : "0";
}
