#include "platform/rtl/Codec.h"
#include "platform/rtl/SysUtils.h"

#include <type_traits>
#include <utility>
#include <vector>

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

// The 16-bit units of WideLowerCase(Text), one at a time, lowered where Text lies.
class TLowerUnits {
public:
    explicit TLowerUnits(std::u16string_view Text) : FPoints(Text) {}
    bool Next(char16_t& U)
    {
        if (FLow) {
            U = std::exchange(FLow, u'\0');
            return true;
        }
        char32_t C;
        if (!FPoints.Next(C)) return false;
        if (C < 0x80) {
            U = char16_t(C >= 'A' && C <= 'Z' ? C + 32 : C);
            return true;
        }
        C = LowerCaseChar(C);
        if (C < 0x10000) {
            U = char16_t(C);
        } else {
            U = char16_t(0xD800 + ((C - 0x10000) >> 10));
            FLow = char16_t(0xDC00 + ((C - 0x10000) & 0x3FF));
        }
        return true;
    }

private:
    TWideCodePoints FPoints;
    char16_t FLow = 0; // the second half of a pair still to give
};

// Code points of A and B one by one, each through Map, as AnsiCompareStr
// compares them.
template <typename Fn> int CompareCodePoints(std::u16string_view A, std::u16string_view B, Fn Map)
{
    TWideCodePoints PA(A), PB(B);
    for (char32_t X, Y;;) {
        const bool MoreA = PA.Next(X), MoreB = PB.Next(Y);
        if (!MoreA || !MoreB) return int(MoreA) - int(MoreB);
        X = Map(X);
        Y = Map(Y);
        if (X != Y) return X < Y ? -1 : 1;
    }
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

// S without the characters <= ' ' at the ends asked for; one copy at most
// is made of what remains.
template <typename C> std::basic_string_view<C> Trimmed(std::basic_string_view<C> S, bool Left, bool Right)
{
    using U = std::make_unsigned_t<C>;
    std::size_t B = 0, E = S.size();
    if (Left)
        while (B < E && static_cast<U>(S[B]) <= ' ')
            ++B;
    if (Right)
        while (E > B && static_cast<U>(S[E - 1]) <= ' ')
            --E;
    return S.substr(B, E - B);
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
// Every wide function that ignores or maps case answers what its 8-bit
// namesake answers for the text's UTF-8 form, without making that form.
WideString WideLowerCase(std::u16string_view S)
{
    WideString Out;
    Out.reserve(S.size());
    TLowerUnits Units(S);
    for (char16_t U; Units.Next(U);)
        Out += U;
    return Out;
}

int WideLowerCasePos(std::u16string_view LowerSub, std::u16string_view S)
{
    if (LowerSub.empty()) return 0;
    TLowerUnits From(S);
    int Index = 0;
    for (char16_t U; From.Next(U);) {
        ++Index;
        if (U != LowerSub[0]) continue;
        TLowerUnits Rest = From;
        std::size_t K = 1;
        for (char16_t V; K < LowerSub.size() && Rest.Next(V) && V == LowerSub[K];)
            ++K;
        if (K == LowerSub.size()) return Index;
    }
    return 0;
}

AnsiString TrimLeft(std::string_view S)
{
    return AnsiString(Trimmed(S, true, false));
}

AnsiString TrimRight(std::string_view S)
{
    return AnsiString(Trimmed(S, false, true));
}

AnsiString Trim(std::string_view S)
{
    return AnsiString(Trimmed(S, true, true));
}

WideString Trim(std::u16string_view S)
{
    return WideString(Trimmed(S, true, true));
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

int WideCompareStr(std::u16string_view A, std::u16string_view B)
{
    return CompareCodePoints(A, B, [](char32_t C) { return C; });
}

int WideCompareText(std::u16string_view A, std::u16string_view B)
{
    return CompareCodePoints(
        A, B, [](char32_t C) { return C < 0x80 ? (C >= 'A' && C <= 'Z' ? C + 32 : C) : FoldCaseChar(C); });
}

bool WideSameText(std::u16string_view A, std::u16string_view B)
{
    return WideCompareText(A, B) == 0;
}

AnsiString StringReplace(std::string_view S, std::string_view Old, std::string_view New, bool All, bool IgnoreCase)
{
    if (Old.empty()) return AnsiString(S);
    AnsiString Out;
    std::size_t P = 0;
    if (IgnoreCase) {
        // Folding may change a character's length, so the search runs on the
        // folded code points and each match maps back to whole characters of S.
        std::u32string Hay;
        std::vector<std::size_t> Starts; // where each code point of S begins, and S's end
        Hay.reserve(S.size());
        Starts.reserve(S.size() + 1);
        for (std::size_t Q = 0; Q < S.size();) {
            Starts.push_back(Q);
            Hay += FoldCaseChar(DecodeUtf8Char(S, Q));
        }
        Starts.push_back(S.size());
        const std::u32string Needle = FoldCase(Old);
        for (std::size_t From = 0;;) {
            const auto F = Hay.find(Needle, From);
            if (F == std::u32string::npos) break;
            Out.append(S.substr(P, Starts[F] - P));
            Out += New;
            From = F + Needle.size();
            P = Starts[From];
            if (!All) break;
        }
    } else {
        while (true) {
            const auto F = S.find(Old, P);
            if (F == std::string_view::npos) break;
            Out.append(S.substr(P, F - P));
            Out += New;
            P = F + Old.size();
            if (!All) break;
        }
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

bool EndsStr(std::string_view Sub, std::string_view Text)
{
    return Text.size() >= Sub.size() && Text.substr(Text.size() - Sub.size()) == Sub;
}
