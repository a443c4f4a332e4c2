// components/XmlPullParser_Chars.h
// Character classes, the small readers and the references every part of the
// parser shares. Private to the unit's sources.
#pragma once
#include "components/XmlPullParser_Types.h"

#include <cstring>
#include <memory>
#include <string_view>

namespace XmlPullParser::detail {

inline constexpr TCharset CWhitespace = {'\t', '\n', '\r', ' '};

inline bool IsWs(char C)
{
    return C == '\t' || C == '\n' || C == '\r' || C == ' ';
}

inline bool IsNameStart(char C)
{
    const auto B = static_cast<unsigned char>(C);
    return B == ':' || (B >= 'A' && B <= 'Z') || B == '_' || (B >= 'a' && B <= 'z') || (B >= 0xC0 && B <= 0xD6) ||
           (B >= 0xD8 && B <= 0xF6) || B >= 0xF8;
}

inline bool IsNameChar(char C)
{
    const auto B = static_cast<unsigned char>(C);
    return IsNameStart(C) || (B >= '0' && B <= '9') || B == '-' || B == '.' || B >= 0x80;
}

inline bool IsAlnum(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}

// Compares without reading past the NUL that ends P.
inline bool StartsWith(const char* P, const char* Prefix)
{
    for (; *Prefix; ++P, ++Prefix)
        if (*P != *Prefix) return false;
    return true;
}

inline const char* EndOfText(const char* P)
{
    return P + std::strlen(P);
}

// The last character of the name that starts at Start: the first character
// always belongs to it, unless the text or the tag ends there.
inline const char* ScanToTerminator(const char* Start, const TCharset& Terminators)
{
    if (*Start == 0 || *Start == '>') return Start - 1;
    const char* P = Start + 1;
    while (*P && *P != '>' && !Terminators.Contains(*P))
        ++P;
    return P - 1;
}

// The next C at or after P, else the last character of the text.
inline const char* ScanFor(const char* P, char C)
{
    while (*P && *P != C)
        ++P;
    return *P ? P : P - 1;
}

// The text between the quote at Start and the next one; returns that closing
// quote, or the last character of the text when there is none.
inline const char* ReadQuoted(const char* Start, AnsiString& Value)
{
    const char* P = Start + 1;
    while (*P && *P != *Start)
        ++P;
    Value.assign(Start + 1, P);
    return *P ? P : P - 1;
}

// The ';' that ends a name reference whose name starts at P, or null.
inline const char* NameReferenceEnd(const char* P)
{
    if (!IsNameStart(*P)) return nullptr;
    do
        ++P;
    while (IsNameChar(*P));
    return *P == ';' ? P : nullptr;
}

// The ';' that ends the reference opened by the '&' at Amp, or null when the
// '&' stands for itself.
inline const char* ReferenceEnd(const char* Amp)
{
    const char* P = Amp + 1;
    if (*P != '#') return NameReferenceEnd(P);
    do
        ++P;
    while (IsAlnum(*P));
    return *P == ';' ? P : nullptr;
}

// A copy of Text with a NUL before it, as before any text, and one after it.
inline std::unique_ptr<char[]> CopyText(std::string_view Text)
{
    auto Copy = std::make_unique<char[]>(Text.size() + 2);
    Copy[0] = 0;
    std::memcpy(Copy.get() + 1, Text.data(), Text.size());
    Copy[Text.size() + 1] = 0;
    return Copy;
}

// The character a predefined entity stands for, or 0.
char PredefinedEntity(const AnsiString& Name);
// The character a reference "#..." stands for, as UTF-8. A value that does not
// parse, or is no Unicode character, gives Unparsable.
AnsiString CharReference(const AnsiString& Name, char32_t Unparsable);
// Character references in a declaration or attribute value: a hexadecimal
// value that does not parse gives the character 0, a decimal one a blank.
AnsiString ReplaceCharRefs(const AnsiString& Source);

} // namespace XmlPullParser::detail
