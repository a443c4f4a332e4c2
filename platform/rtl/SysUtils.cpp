#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Codec.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

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

// ---- Format -----------------------------------------------------------------

namespace {

// Pads S on the left with C to Width characters.
void PadLeft(AnsiString& S, int Width, char C)
{
    if (static_cast<int>(S.size()) < Width) S.insert(S.begin(), static_cast<std::size_t>(Width) - S.size(), C);
}

[[noreturn]] void FormatError(std::string_view Fmt)
{
    throw EConvertError("Format '" + AnsiString(Fmt) + "' invalid or incompatible with argument");
}

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

// Scientific: d.ddd…E+ddd with Prec significant digits, three exponent digits.
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

// General: the shortest of fixed and scientific with Prec significant digits.
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

} // namespace

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> ArgList)
{
    const std::vector<const TVarRec*> Args = [&] {
        std::vector<const TVarRec*> V;
        for (auto& A : ArgList)
            V.push_back(&A);
        return V;
    }();
    AnsiString Out;
    std::size_t ArgIndex = 0;
    std::size_t I = 0;
    auto NextArg = [&]() -> const TVarRec& {
        if (ArgIndex >= Args.size()) FormatError(Fmt);
        return *Args[ArgIndex++];
    };
    auto ReadNumber = [&](int& N) -> bool {
        if (I < Fmt.size() && Fmt[I] == '*') {
            const auto& A = NextArg();
            if (auto P = std::get_if<std::int64_t>(&A.Value))
                N = static_cast<int>(*P);
            else
                FormatError(Fmt);
            ++I;
            return true;
        }
        bool Any = false;
        N = 0;
        while (I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9') {
            N = N * 10 + (Fmt[I] - '0');
            Any = true;
            ++I;
        }
        return Any;
    };
    while (I < Fmt.size()) {
        char C = Fmt[I];
        if (C != '%') {
            Out += C;
            ++I;
            continue;
        }
        ++I;
        if (I < Fmt.size() && Fmt[I] == '%') {
            Out += '%';
            ++I;
            continue;
        }
        bool Left = false;
        int Width = -1, Prec = -1, N = 0;
        // [index:]
        std::size_t Save = I;
        if (I < Fmt.size() && Fmt[I] != '*' && ReadNumber(N) && I < Fmt.size() && Fmt[I] == ':') {
            ArgIndex = static_cast<std::size_t>(N);
            ++I;
        } else {
            I = Save;
        }
        if (I < Fmt.size() && Fmt[I] == '-') {
            Left = true;
            ++I;
        }
        if (ReadNumber(N)) Width = N;
        if (I < Fmt.size() && Fmt[I] == '.') {
            ++I;
            Prec = ReadNumber(N) ? N : 0;
        }
        if (I >= Fmt.size()) FormatError(Fmt);
        const char Type = static_cast<char>(std::tolower(static_cast<unsigned char>(Fmt[I++])));
        const TVarRec& A = NextArg();
        AnsiString Text;
        auto AsDouble = [&]() -> double {
            if (auto P = std::get_if<double>(&A.Value)) return *P;
            if (auto P = std::get_if<std::int64_t>(&A.Value)) return static_cast<double>(*P);
            if (auto P = std::get_if<std::uint64_t>(&A.Value)) return static_cast<double>(*P);
            FormatError(Fmt);
        };
        switch (Type) {
        case 'd':
        case 'u':
        case 'x': {
            std::uint64_t Mag = 0;
            bool Neg = false;
            if (auto P = std::get_if<std::int64_t>(&A.Value)) {
                if (Type == 'd') {
                    Neg = *P < 0;
                    Mag = Neg ? 0 - static_cast<std::uint64_t>(*P) : static_cast<std::uint64_t>(*P);
                } else {
                    // %u and %x of a negative 32-bit value show its 32-bit pattern.
                    Mag = (*P >= INT32_MIN && *P < 0) ? static_cast<std::uint32_t>(*P) : static_cast<std::uint64_t>(*P);
                }
            } else if (auto U = std::get_if<std::uint64_t>(&A.Value)) {
                Mag = *U;
            } else {
                FormatError(Fmt);
            }
            char Buf[32];
            auto R = std::to_chars(Buf, Buf + sizeof Buf, Mag, Type == 'x' ? 16 : 10);
            Text.assign(Buf, R.ptr);
            if (Type == 'x')
                for (auto& Ch : Text)
                    Ch = static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
            PadLeft(Text, Prec, '0');
            if (Neg) Text.insert(Text.begin(), '-');
            break;
        }
        case 's':
            if (auto P = std::get_if<AnsiString>(&A.Value))
                Text = *P;
            else
                FormatError(Fmt);
            if (Prec >= 0 && static_cast<int>(Text.size()) > Prec) Text.resize(Prec);
            break;
        case 'f':
            Text = FixedText(AsDouble(), Prec < 0 ? 2 : Prec, false, FormatSettings);
            break;
        case 'n':
            Text = FixedText(AsDouble(), Prec < 0 ? 2 : Prec, true, FormatSettings);
            break;
        case 'm': {
            double V = AsDouble();
            Text = FixedText(std::fabs(V), Prec < 0 ? FormatSettings.CurrencyDecimals : Prec, true, FormatSettings);
            Text = (V < 0 ? "-" : "") + FormatSettings.CurrencyString + Text;
            break;
        }
        case 'e':
            Text = ExponentText(AsDouble(), Prec < 0 ? 15 : Prec, 3, FormatSettings);
            break;
        case 'g':
            Text = GeneralText(AsDouble(), Prec < 0 ? 15 : Prec, FormatSettings);
            break;
        case 'p': {
            auto P = std::get_if<const void*>(&A.Value);
            if (!P) FormatError(Fmt);
            char Buf[32];
            auto R = std::to_chars(Buf, Buf + sizeof Buf, reinterpret_cast<std::uintptr_t>(*P), 16);
            Text.assign(Buf, R.ptr);
            for (auto& Ch : Text)
                Ch = static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
            PadLeft(Text, static_cast<int>(sizeof(void*) * 2), '0');
            break;
        }
        default:
            FormatError(Fmt);
        }
        if (Width > static_cast<int>(Text.size())) {
            if (Left)
                Text.append(Width - Text.size(), ' ');
            else
                Text.insert(0, Width - Text.size(), ' ');
        }
        Out += Text;
    }
    return Out;
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

// ---- Strings ------------------------------------------------------------------

namespace {

template <typename S> S CopyImpl(const S& Str, int Index, int Count)
{
    if (Index < 1) Index = 1;
    const int Len = static_cast<int>(Str.size());
    if (Index > Len || Count <= 0) return S();
    if (Count > Len - Index + 1) Count = Len - Index + 1;
    return Str.substr(Index - 1, Count);
}

template <typename S> void DeleteImpl(S& Str, int Index, int Count)
{
    const int Len = static_cast<int>(Str.size());
    if (Index < 1 || Index > Len || Count <= 0) return;
    if (Count > Len - Index + 1) Count = Len - Index + 1;
    Str.erase(Index - 1, Count);
}

template <typename S, typename V> void InsertImpl(V Source, S& Str, int Index)
{
    if (Source.empty()) return;
    if (Index < 1) Index = 1;
    if (Index > static_cast<int>(Str.size())) Index = static_cast<int>(Str.size()) + 1;
    Str.insert(Index - 1, Source);
}

template <typename Fn> AnsiString MapCodePoints(std::string_view S, Fn F)
{
    AnsiString Out;
    Out.reserve(S.size());
    std::size_t P = 0;
    while (P < S.size()) {
        const auto B = static_cast<unsigned char>(S[P]);
        if (B < 0x80) {
            Out += static_cast<char>(F(B));
            ++P;
        } else {
            AppendUtf8(Out, F(DecodeUtf8Char(S, P)));
        }
    }
    return Out;
}

int Sign(int V)
{
    return (V > 0) - (V < 0);
}

} // namespace

AnsiString Copy(const AnsiString& S, int Index, int Count)
{
    return CopyImpl(S, Index, Count);
}
WideString Copy(const WideString& S, int Index, int Count)
{
    return CopyImpl(S, Index, Count);
}

int Pos(std::string_view Sub, std::string_view S)
{
    if (Sub.empty()) return 0;
    auto P = S.find(Sub);
    return P == std::string_view::npos ? 0 : static_cast<int>(P) + 1;
}

int Pos(std::u16string_view Sub, std::u16string_view S)
{
    if (Sub.empty()) return 0;
    auto P = S.find(Sub);
    return P == std::u16string_view::npos ? 0 : static_cast<int>(P) + 1;
}

int PosEx(std::string_view Sub, std::string_view S, int Offset)
{
    if (Sub.empty() || Offset < 1 || Offset > static_cast<int>(S.size())) return 0;
    auto P = S.find(Sub, Offset - 1);
    return P == std::string_view::npos ? 0 : static_cast<int>(P) + 1;
}

void Delete(AnsiString& S, int Index, int Count)
{
    DeleteImpl(S, Index, Count);
}
void Delete(WideString& S, int Index, int Count)
{
    DeleteImpl(S, Index, Count);
}
void Insert(std::string_view Source, AnsiString& S, int Index)
{
    InsertImpl(Source, S, Index);
}
void Insert(std::u16string_view Source, WideString& S, int Index)
{
    InsertImpl(Source, S, Index);
}
void SetLength(AnsiString& S, int NewLength)
{
    S.resize(NewLength < 0 ? 0 : NewLength);
}
AnsiString StringOfChar(char C, int Count)
{
    return Count > 0 ? AnsiString(Count, C) : AnsiString();
}

AnsiString UpperCase(std::string_view S)
{
    AnsiString Out(S);
    for (auto& C : Out)
        if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 32);
    return Out;
}

AnsiString LowerCase(std::string_view S)
{
    AnsiString Out(S);
    for (auto& C : Out)
        if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
    return Out;
}

AnsiString AnsiUpperCase(std::string_view S)
{
    return MapCodePoints(S, UpperCaseChar);
}
AnsiString AnsiLowerCase(std::string_view S)
{
    return MapCodePoints(S, LowerCaseChar);
}
WideString WideUpperCase(std::u16string_view S)
{
    return Utf8ToWide(AnsiUpperCase(WideToUtf8(S)));
}
WideString WideLowerCase(std::u16string_view S)
{
    return Utf8ToWide(AnsiLowerCase(WideToUtf8(S)));
}

AnsiString TrimLeft(std::string_view S)
{
    std::size_t B = 0;
    while (B < S.size() && static_cast<unsigned char>(S[B]) <= ' ')
        ++B;
    return AnsiString(S.substr(B));
}

AnsiString TrimRight(std::string_view S)
{
    std::size_t E = S.size();
    while (E > 0 && static_cast<unsigned char>(S[E - 1]) <= ' ')
        --E;
    return AnsiString(S.substr(0, E));
}

AnsiString Trim(std::string_view S)
{
    return TrimLeft(TrimRight(S));
}

WideString Trim(std::u16string_view S)
{
    std::size_t B = 0, E = S.size();
    while (B < E && S[B] <= u' ')
        ++B;
    while (E > B && S[E - 1] <= u' ')
        --E;
    return WideString(S.substr(B, E - B));
}

int CompareStr(std::string_view A, std::string_view B)
{
    return Sign(A.compare(B));
}

int CompareText(std::string_view A, std::string_view B)
{
    const std::size_t N = std::min(A.size(), B.size());
    for (std::size_t I = 0; I < N; ++I) {
        auto X = static_cast<unsigned char>(A[I]), Y = static_cast<unsigned char>(B[I]);
        if (X >= 'A' && X <= 'Z') X += 32;
        if (Y >= 'A' && Y <= 'Z') Y += 32;
        if (X != Y) return X < Y ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

bool SameText(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && CompareText(A, B) == 0;
}

int AnsiCompareStr(std::string_view A, std::string_view B)
{
    // UTF-8 byte order is code-point order, but escaped bytes (U+DC80..) must
    // sort as their code units do.
    std::size_t PA = 0, PB = 0;
    while (PA < A.size() && PB < B.size()) {
        const char32_t X = DecodeUtf8Char(A, PA), Y = DecodeUtf8Char(B, PB);
        if (X != Y) return X < Y ? -1 : 1;
    }
    return (PA < A.size()) - (PB < B.size());
}

int AnsiCompareText(std::string_view A, std::string_view B)
{
    std::size_t PA = 0, PB = 0;
    while (PA < A.size() && PB < B.size()) {
        char32_t X, Y;
        const auto BA = static_cast<unsigned char>(A[PA]), BB = static_cast<unsigned char>(B[PB]);
        if ((BA | BB) < 0x80) { // both ASCII: the common case
            X = (BA >= 'A' && BA <= 'Z') ? BA + 32 : BA;
            Y = (BB >= 'A' && BB <= 'Z') ? BB + 32 : BB;
            ++PA, ++PB;
        } else {
            X = FoldCaseChar(DecodeUtf8Char(A, PA));
            Y = FoldCaseChar(DecodeUtf8Char(B, PB));
        }
        if (X != Y) return X < Y ? -1 : 1;
    }
    return (PA < A.size()) - (PB < B.size());
}

bool AnsiSameText(std::string_view A, std::string_view B)
{
    return AnsiCompareText(A, B) == 0;
}
bool AnsiSameStr(std::string_view A, std::string_view B)
{
    return A == B;
}

int WideCompareStr(std::u16string_view A, std::u16string_view B)
{
    return AnsiCompareStr(WideToUtf8(A), WideToUtf8(B));
}

int WideCompareText(std::u16string_view A, std::u16string_view B)
{
    return AnsiCompareText(WideToUtf8(A), WideToUtf8(B));
}

bool WideSameText(std::u16string_view A, std::u16string_view B)
{
    return WideCompareText(A, B) == 0;
}

AnsiString StringReplace(std::string_view S, std::string_view Old, std::string_view New, bool All, bool IgnoreCase)
{
    if (Old.empty()) return AnsiString(S);
    AnsiString Out;
    const AnsiString Hay = IgnoreCase ? AnsiUpperCase(S) : AnsiString(S);
    const AnsiString Needle = IgnoreCase ? AnsiUpperCase(Old) : AnsiString(Old);
    if (IgnoreCase && Hay.size() != S.size()) {
        // Case mapping changed the length: fall back to a code-point search.
        std::size_t P = 0;
        while (P < S.size()) {
            if (AnsiSameText(S.substr(P, Old.size()), Old)) {
                Out += New;
                P += Old.size();
                if (!All) return Out + AnsiString(S.substr(P));
            } else {
                Out += S[P++];
            }
        }
        return Out;
    }
    std::size_t P = 0;
    while (true) {
        auto F = Hay.find(Needle, P);
        if (F == AnsiString::npos) break;
        Out.append(S.substr(P, F - P));
        Out += New;
        P = F + Old.size();
        if (!All) break;
    }
    Out.append(S.substr(P));
    return Out;
}

AnsiString AnsiQuotedStr(std::string_view S, char Quote)
{
    AnsiString Out(1, Quote);
    for (char C : S) {
        Out += C;
        if (C == Quote) Out += C;
    }
    Out += Quote;
    return Out;
}

AnsiString QuotedStr(std::string_view S)
{
    return AnsiQuotedStr(S, '\'');
}

AnsiString AnsiExtractQuotedStr(std::string_view S, std::size_t& Pos, char Quote)
{
    AnsiString Out;
    if (Pos >= S.size() || S[Pos] != Quote) return Out;
    ++Pos;
    while (Pos < S.size()) {
        if (S[Pos] == Quote) {
            if (Pos + 1 < S.size() && S[Pos + 1] == Quote) {
                Out += Quote;
                Pos += 2;
                continue;
            }
            ++Pos;
            return Out;
        }
        Out += S[Pos++];
    }
    return Out;
}

AnsiString AnsiDequotedStr(std::string_view S, char Quote)
{
    std::size_t P = 0;
    if (S.empty() || S[0] != Quote) return AnsiString(S);
    AnsiString R = AnsiExtractQuotedStr(S, P, Quote);
    return P == S.size() ? R : AnsiString(S);
}

bool StartsStr(std::string_view Sub, std::string_view Text)
{
    return Text.substr(0, Sub.size()) == Sub;
}
bool EndsStr(std::string_view Sub, std::string_view Text)
{
    return Text.size() >= Sub.size() && Text.substr(Text.size() - Sub.size()) == Sub;
}
bool StartsText(std::string_view Sub, std::string_view Text)
{
    return Text.size() >= Sub.size() && AnsiSameText(Text.substr(0, Sub.size()), Sub);
}
bool EndsText(std::string_view Sub, std::string_view Text)
{
    return Text.size() >= Sub.size() && AnsiSameText(Text.substr(Text.size() - Sub.size()), Sub);
}

// ---- Numbers -------------------------------------------------------------------

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

// ---- Dates and times ------------------------------------------------------------

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

// ---- Files and folders -----------------------------------------------------------

bool FileExists(const AnsiString& FileName)
{
    struct stat St;
    return !FileName.empty() && ::stat(FileName.c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const AnsiString& Directory)
{
    struct stat St;
    return !Directory.empty() && ::stat(Directory.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

Int64 FileSizeOf(const AnsiString& FileName)
{
    struct stat St;
    if (::stat(FileName.c_str(), &St) != 0) return -1;
    return static_cast<Int64>(St.st_size);
}

bool DeleteFile(const AnsiString& FileName)
{
    return ::unlink(FileName.c_str()) == 0;
}
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName)
{
    return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}
bool CreateDir(const AnsiString& Dir)
{
    return ::mkdir(Dir.c_str(), 0777) == 0;
}
bool RemoveDir(const AnsiString& Dir)
{
    return ::rmdir(Dir.c_str()) == 0;
}

bool ForceDirectories(const AnsiString& Dir)
{
    if (Dir.empty()) return false;
    std::error_code Ec;
    fs::create_directories(fs::path(Dir), Ec);
    return DirectoryExists(ExcludeTrailingPathDelimiter(Dir).empty() ? "/" : ExcludeTrailingPathDelimiter(Dir));
}

AnsiString GetCurrentDir()
{
    std::error_code Ec;
    return fs::current_path(Ec).string();
}

AnsiString ExtractFilePath(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    return P == AnsiString::npos ? AnsiString() : FileName.substr(0, P + 1);
}

AnsiString ExtractFileDir(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    if (P == AnsiString::npos) return AnsiString();
    return P == 0 ? AnsiString("/") : FileName.substr(0, P);
}

AnsiString ExtractFileName(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    return P == AnsiString::npos ? FileName : FileName.substr(P + 1);
}

AnsiString ExtractFileExt(const AnsiString& FileName)
{
    auto P = FileName.find_last_of("./");
    if (P == AnsiString::npos || FileName[P] != '.') return AnsiString();
    return FileName.substr(P);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension)
{
    auto P = FileName.find_last_of("./");
    if (P == AnsiString::npos || FileName[P] != '.') return FileName + Extension;
    return FileName.substr(0, P) + Extension;
}

AnsiString ExpandFileName(const AnsiString& FileName)
{
    if (FileName.empty()) return FileName;
    fs::path P(FileName);
    if (P.is_relative()) P = fs::path(GetCurrentDir()) / P;
    return P.lexically_normal().string();
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S)
{
    return (!S.empty() && S.back() == '/') ? S : S + '/';
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S)
{
    return (!S.empty() && S.back() == '/') ? S.substr(0, S.size() - 1) : S;
}

bool IsPathDelimiter(const AnsiString& S, int Index)
{
    return Index >= 1 && Index <= static_cast<int>(S.size()) && S[Index - 1] == '/';
}

AnsiString GetEnvironmentVariable(const AnsiString& Name)
{
    const char* V = std::getenv(Name.c_str());
    return V ? AnsiString(V) : AnsiString();
}
