#include "app/PieceFilter.h"

#include <algorithm>
#include <cstring>
#include <pcre.h>

namespace PieceFilter {

void TByteSet::Clear()
{
    FIn = {};
    FCount = 0;
    FNext = {};
}

void TByteSet::Add(unsigned char C)
{
    if (FIn[C]) return;
    FIn[C] = true;
    if (FCount < 2) FBytes[static_cast<std::size_t>(FCount)] = C;
    ++FCount;
}

void TByteSet::AddEitherCase(unsigned char C)
{
    Add(C);
    if (C >= 'a' && C <= 'z') Add(static_cast<unsigned char>(C - 'a' + 'A'));
    if (C >= 'A' && C <= 'Z') Add(static_cast<unsigned char>(C - 'A' + 'a'));
}

bool TByteSet::OccursIn(const char* Begin, const char* End, const char* BlockEnd)
{
    if (FCount == 0) return true;
    if (FCount > 2) {
        // A table: one pass, remembered in the first slot.
        const char*& Next = FNext[0];
        if (!Next || Next < Begin) {
            Next = Begin;
            while (Next < BlockEnd && !FIn[static_cast<unsigned char>(*Next)])
                ++Next;
        }
        return Next < End;
    }
    const char* Nearest = BlockEnd;
    for (int I = 0; I < FCount; ++I) {
        const char*& Next = FNext[static_cast<std::size_t>(I)];
        if (!Next || Next < Begin) {
            const void* Found =
                std::memchr(Begin, FBytes[static_cast<std::size_t>(I)], static_cast<std::size_t>(BlockEnd - Begin));
            Next = Found ? static_cast<const char*>(Found) : BlockEnd;
        }
        Nearest = std::min(Nearest, Next);
    }
    return Nearest < End;
}

namespace {

bool IsAlnum(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

// Escapes that stand for one class or assertion and take no argument.
bool IsPlainEscape(char C)
{
    return std::string_view("dDwWsSbBhHvVRNAzZGKtnrfea").find(C) != std::string_view::npos;
}

bool IsRare(char C)
{
    return !IsAlnum(C) && static_cast<unsigned char>(C) < 128 &&
           std::string_view(" \t\r\n.,;:'\"-()!?_").find(C) == std::string_view::npos;
}

// Past a character class that starts at P[I] == '['; npos when it does not end.
std::size_t SkipClass(std::string_view P, std::size_t I)
{
    ++I;
    if (I < P.size() && P[I] == '^') ++I;
    if (I < P.size() && P[I] == ']') ++I; // a leading ']' is a member
    while (I < P.size() && P[I] != ']') {
        if (P[I] == '\\') {
            I += 2;
        } else if (P[I] == '[' && I + 1 < P.size() && P[I + 1] == ':') {
            const std::size_t End = P.find(":]", I + 2);
            if (End == std::string_view::npos) return End;
            I = End + 2;
        } else {
            ++I;
        }
    }
    return I < P.size() ? I + 1 : std::string_view::npos;
}

// Past a plain group that starts at P[I] == '('; npos for anything else.
std::size_t SkipGroup(std::string_view P, std::size_t I)
{
    int Depth = 0;
    while (I < P.size()) {
        const char C = P[I];
        if (C == '\\') {
            if (I + 1 >= P.size() || (IsAlnum(P[I + 1]) && !IsPlainEscape(P[I + 1]))) return std::string_view::npos;
            I += 2;
            continue;
        }
        if (C == '[') {
            I = SkipClass(P, I);
            if (I == std::string_view::npos) return I;
            continue;
        }
        if (C == '(') {
            // Options, verbs, comments and conditions may change what follows.
            if (I + 1 < P.size() && P[I + 1] == '*') return std::string_view::npos;
            if (I + 1 < P.size() && P[I + 1] == '?' &&
                (I + 2 >= P.size() || std::string_view(":=!<>|").find(P[I + 2]) == std::string_view::npos))
                return std::string_view::npos;
            ++Depth;
        } else if (C == ')') {
            if (--Depth == 0) return I + 1;
        }
        ++I;
    }
    return std::string_view::npos;
}

// The least count a quantifier at P[I] allows (1 when there is none), and
// where it ends; -1 for a brace this reading does not take.
int QuantifierMinimum(std::string_view P, std::size_t& I)
{
    if (I >= P.size()) return 1;
    int Min = 1;
    const char C = P[I];
    if (C == '*' || C == '?') {
        Min = 0;
        ++I;
    } else if (C == '+') {
        ++I;
    } else if (C == '{') {
        std::size_t J = I + 1;
        int N = 0;
        bool Digits = false;
        while (J < P.size() && P[J] >= '0' && P[J] <= '9') {
            N = std::min(N * 10 + (P[J] - '0'), 100000);
            Digits = true;
            ++J;
        }
        if (!Digits) return -1;
        if (J < P.size() && P[J] == ',') {
            ++J;
            while (J < P.size() && P[J] >= '0' && P[J] <= '9')
                ++J;
        }
        if (J >= P.size() || P[J] != '}') return -1;
        Min = N > 0 ? 1 : 0;
        I = J + 1;
    } else {
        return 1;
    }
    if (I < P.size() && (P[I] == '+' || P[I] == '?')) ++I; // possessive or lazy
    return Min;
}

} // namespace

int RareRequiredByte(std::string_view P)
{
    std::size_t I = 0;
    int Found = -1;
    while (I < P.size()) {
        const char C = P[I];
        int Literal = -1;
        if (C == '|' || C == ')' || C == '#' || C == '{' || C == '}' || C == '*' || C == '+' || C == '?')
            return -1; // alternation, or something this reading does not take
        if (C == '\\') {
            if (I + 1 >= P.size()) return -1;
            const char E = P[I + 1];
            if (IsAlnum(E) && !IsPlainEscape(E)) return -1;
            if (!IsAlnum(E)) Literal = static_cast<unsigned char>(E);
            I += 2;
        } else if (C == '[') {
            I = SkipClass(P, I);
        } else if (C == '(') {
            I = SkipGroup(P, I);
        } else {
            if (C != '.' && C != '^' && C != '$') Literal = static_cast<unsigned char>(C);
            ++I;
        }
        if (I == std::string_view::npos) return -1;
        const int Min = QuantifierMinimum(P, I);
        if (Min < 0) return -1;
        if (Found < 0 && Min > 0 && Literal >= 0 && IsRare(static_cast<char>(Literal))) Found = Literal;
    }
    return Found;
}

void TPieceFilter::LearnFromText(std::string_view Pattern)
{
    FLiteral.Clear();
    // PCRE reads the pattern up to its first NUL.
    const int Byte = RareRequiredByte(Pattern.substr(0, Pattern.find('\0')));
    if (Byte >= 0) FLiteral.Add(static_cast<unsigned char>(Byte));
}

void TPieceFilter::Learn(const real_pcre* Code, const pcre_extra* Study)
{
    FFirst.Clear();
    FRequired.Clear();
    if (!Code) return;
    unsigned long Options = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_OPTIONS, &Options) != 0) return;
    // In UTF-8 mode caseless letters have partners beyond ASCII: trust nothing.
    if (Options & (PCRE_UTF8 | PCRE_UCP)) return;
    // PCRE keeps no first or required byte for an anchored pattern, so
    // anchoring adds nothing here.
    int Flags = 0;
    unsigned Char = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTCHARACTERFLAGS, &Flags) == 0 && Flags == 1 &&
        pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTCHARACTER, &Char) == 0 && Char < 256) {
        FFirst.AddEitherCase(static_cast<unsigned char>(Char));
    } else {
        const unsigned char* Table = nullptr;
        if (pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTTABLE, &Table) == 0 && Table) {
            for (int C = 0; C < 256; ++C)
                if (Table[C / 8] & (1u << (C % 8))) FFirst.Add(static_cast<unsigned char>(C));
        }
    }
    Flags = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_REQUIREDCHARFLAGS, &Flags) == 0 && Flags == 1 &&
        pcre_fullinfo(Code, Study, PCRE_INFO_REQUIREDCHAR, &Char) == 0 && Char < 256)
        FRequired.AddEitherCase(static_cast<unsigned char>(Char));
}

bool TPieceFilter::MayMatch(const char* Begin, const char* End, const char* BlockEnd)
{
    return FLiteral.OccursIn(Begin, End, BlockEnd) && FFirst.OccursIn(Begin, End, BlockEnd) &&
           FRequired.OccursIn(Begin, End, BlockEnd);
}

} // namespace PieceFilter
