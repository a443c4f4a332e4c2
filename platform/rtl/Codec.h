// Lossless conversion between 8-bit text (UTF-8) and 16-bit text.
// Valid UTF-8 decodes normally; each byte b of an invalid sequence becomes the
// code unit U+DC00 + b and turns back into the same byte, so any byte string
// survives a round trip through WideString and the controls.
#pragma once
#include "platform/rtl/System.h"

#include <string_view>

WideString Utf8ToWide(std::string_view Text);
// The same into Out, whose memory is reused.
void AssignUtf8ToWide(WideString& Out, std::string_view Text);
// The same after what Out holds.
void AppendUtf8ToWide(WideString& Out, std::string_view Text);
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
// The same key appended to To, for keys kept side by side in one buffer.
void AppendFoldedKey(AnsiString& To, std::string_view Text);
char32_t UpperCaseChar(char32_t C);
char32_t LowerCaseChar(char32_t C);

// The code points DecodeUtf8Char reads from WideToUtf8(Text), read from Text
// where it lies. A surrogate pair gives its code point and an escaped byte
// (U+DC80..U+DCFF) itself, unless escaped bytes in a row spell a valid UTF-8
// character, which they then give; any other lone surrogate is written as
// three bytes that are no UTF-8, so it gives those three escaped bytes.
class TWideCodePoints {
public:
    explicit TWideCodePoints(std::u16string_view Text) : FP(Text.data()), FEnd(Text.data() + Text.size()) {}
    // False at the end of the text.
    bool Next(char32_t& C)
    {
        if (FQueued) {
            C = FQueue[2 - FQueued--];
            return true;
        }
        if (FP == FEnd) return false;
        if (*FP < 0xD800 || *FP > 0xDFFF) {
            C = *FP++;
            return true;
        }
        C = NextSurrogate();
        return true;
    }

private:
    char32_t NextSurrogate();

    const char16_t* FP;
    const char16_t* FEnd;
    char32_t FQueue[2] = {};
    int FQueued = 0;
};
