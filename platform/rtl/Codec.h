// Lossless conversion between 8-bit text (UTF-8) and 16-bit text.
// Valid UTF-8 decodes normally; each byte b of an invalid sequence becomes the
// code unit U+DC00 + b and turns back into the same byte, so any byte string
// survives a round trip through WideString and the controls.
#pragma once
#include "platform/rtl/System.h"

#include <string_view>

WideString Utf8ToWide(std::string_view Text);
AnsiString WideToUtf8(std::u16string_view Text);

// The next code point of Text from Pos (advanced past it); an invalid byte b
// gives U+DC00 + b.
char32_t DecodeUtf8Char(std::string_view Text, std::size_t& Pos);
void AppendUtf8(AnsiString& Out, char32_t CodePoint);

// Case folding for comparisons that ignore case: code points of the decoded
// text, folded; escaped bytes stay as they are.
std::u32string FoldCase(std::string_view Text);
char32_t FoldCaseChar(char32_t C);
// The case-folded text as UTF-8 (escaped bytes kept): two texts are equal
// ignoring case exactly when their keys are equal, so the key can be hashed.
AnsiString FoldedKey(std::string_view Text);
char32_t UpperCaseChar(char32_t C);
char32_t LowerCaseChar(char32_t C);
