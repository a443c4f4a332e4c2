#include "platform/rtl/Codec.h"

#include <QChar>

namespace {

constexpr char32_t EscapeBase = 0xDC00;

bool IsContinuation(unsigned char B)
{
    return (B & 0xC0) == 0x80;
}

} // namespace

char32_t DecodeUtf8Char(std::string_view Text, std::size_t& Pos)
{
    const auto B0 = static_cast<unsigned char>(Text[Pos]);
    if (B0 < 0x80) {
        ++Pos;
        return B0;
    }
    int Len = 0;
    char32_t Min = 0;
    char32_t C = 0;
    if (B0 >= 0xC2 && B0 <= 0xDF) {
        Len = 2, Min = 0x80, C = B0 & 0x1F;
    } else if (B0 >= 0xE0 && B0 <= 0xEF) {
        Len = 3, Min = 0x800, C = B0 & 0x0F;
    } else if (B0 >= 0xF0 && B0 <= 0xF4) {
        Len = 4, Min = 0x10000, C = B0 & 0x07;
    }
    if (Len && Pos + Len <= Text.size()) {
        bool Ok = true;
        for (int I = 1; I < Len && Ok; ++I) {
            const auto B = static_cast<unsigned char>(Text[Pos + I]);
            Ok = IsContinuation(B);
            C = (C << 6) | (B & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (Ok && C >= Min && C <= 0x10FFFF && !(C >= 0xD800 && C <= 0xDFFF)) {
            Pos += Len;
            return C;
        }
    }
    ++Pos;
    return EscapeBase + B0;
}

void AppendUtf8(AnsiString& Out, char32_t C)
{
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C >= 0xDC80 && C <= 0xDCFF) {
        Out += static_cast<char>(C - EscapeBase); // an escaped invalid byte
    } else if (C < 0x10000) {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (C >> 18));
        Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

WideString Utf8ToWide(std::string_view Text)
{
    WideString Out;
    AssignUtf8ToWide(Out, Text);
    return Out;
}

void AssignUtf8ToWide(WideString& Out, std::string_view Text)
{
    Out.clear();
    Out.reserve(Text.size());
    AppendUtf8ToWide(Out, Text);
}

void AppendUtf8ToWide(WideString& Out, std::string_view Text)
{
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
        if (const auto B = static_cast<unsigned char>(Text[Pos]); B < 0x80) { // most text: no decoding
            Out += static_cast<char16_t>(B);
            ++Pos;
            continue;
        }
        const char32_t C = DecodeUtf8Char(Text, Pos);
        if (C >= 0x10000) {
            Out += static_cast<char16_t>(0xD800 + ((C - 0x10000) >> 10));
            Out += static_cast<char16_t>(0xDC00 + ((C - 0x10000) & 0x3FF));
        } else {
            Out += static_cast<char16_t>(C);
        }
    }
}

AnsiString WideToUtf8(std::u16string_view Text)
{
    AnsiString Out;
    Out.reserve(Text.size());
    for (std::size_t I = 0; I < Text.size(); ++I) {
        char32_t C = Text[I];
        if (C >= 0xD800 && C <= 0xDBFF && I + 1 < Text.size() && Text[I + 1] >= 0xDC00 && Text[I + 1] <= 0xDFFF) {
            C = 0x10000 + ((C - 0xD800) << 10) + (Text[I + 1] - 0xDC00);
            ++I;
        }
        AppendUtf8(Out, C); // a lone surrogate outside the escape range is written as is
    }
    return Out;
}

char32_t FoldCaseChar(char32_t C)
{
    if (C < 0x80) return (C >= 'A' && C <= 'Z') ? C + 32 : C;
    if (C >= 0xDC80 && C <= 0xDCFF) return C;
    return QChar::toCaseFolded(C);
}

char32_t UpperCaseChar(char32_t C)
{
    if (C < 0x80) return (C >= 'a' && C <= 'z') ? C - 32 : C;
    if (C >= 0xDC80 && C <= 0xDCFF) return C;
    return QChar::toUpper(C);
}

char32_t LowerCaseChar(char32_t C)
{
    if (C < 0x80) return (C >= 'A' && C <= 'Z') ? C + 32 : C;
    if (C >= 0xDC80 && C <= 0xDCFF) return C;
    return QChar::toLower(C);
}

char32_t TWideCodePoints::NextSurrogate()
{
    const char16_t U = *FP++;
    if (U <= 0xDBFF && FP != FEnd && *FP >= 0xDC00 && *FP <= 0xDFFF)
        return 0x10000 + ((char32_t(U) - 0xD800) << 10) + (*FP++ - 0xDC00);
    if (U >= 0xDC80 && U <= 0xDCFF) {
        // The escaped byte starts a character when the escaped bytes after it
        // complete one: only they can, as every other unit starts with a lead
        // byte or an ASCII one.
        char Bytes[4] = {char(U - EscapeBase)};
        std::size_t Length = 1;
        for (const char16_t* Q = FP; Length < 4 && Q != FEnd && *Q >= 0xDC80 && *Q <= 0xDCBF; ++Q)
            Bytes[Length++] = char(*Q - EscapeBase);
        std::size_t Pos = 0;
        const char32_t C = DecodeUtf8Char(std::string_view(Bytes, Length), Pos);
        FP += Pos - 1;
        return C;
    }
    // 0xED and two continuation bytes: a surrogate's code, which UTF-8 refuses byte by byte.
    FQueue[0] = EscapeBase + (0x80 | ((U >> 6) & 0x3F));
    FQueue[1] = EscapeBase + (0x80 | (U & 0x3F));
    FQueued = 2;
    return EscapeBase + 0xED;
}

std::u32string FoldCase(std::string_view Text)
{
    std::u32string Out;
    Out.reserve(Text.size());
    std::size_t Pos = 0;
    while (Pos < Text.size())
        Out += FoldCaseChar(DecodeUtf8Char(Text, Pos));
    return Out;
}

AnsiString FoldedKey(std::string_view Text)
{
    AnsiString Key;
    AppendFoldedKey(Key, Text);
    return Key;
}

void AppendFoldedKey(AnsiString& To, std::string_view Text)
{
    if (To.empty()) To.reserve(Text.size());
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
        const auto B = static_cast<unsigned char>(Text[Pos]);
        if (B < 0x80) {
            To += static_cast<char>(B >= 'A' && B <= 'Z' ? B + 32 : B);
            ++Pos;
        } else {
            AppendUtf8(To, FoldCaseChar(DecodeUtf8Char(Text, Pos)));
        }
    }
}
