#include "platform/rtl/MaskUtils.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/SysUtils.h"

#include <vector>

namespace {

struct TMaskPosition {
    bool Input;
    char Shift;            // '>' or '<' for input positions under a case shift, else 0
    std::string_view Text; // a literal's characters
};

struct TMask {
    std::vector<TMaskPosition> Positions;
    bool SaveLiterals = true;
    bool Reverse = false;
    std::string_view Blank = "_";
};

// The characters of Text, each as its UTF-8 bytes.
std::vector<std::string_view> SplitChars(std::string_view Text)
{
    std::vector<std::string_view> Chars;
    for (std::size_t Pos = 0; Pos < Text.size();) {
        const std::size_t Start = Pos;
        DecodeUtf8Char(Text, Pos);
        Chars.push_back(Text.substr(Start, Pos - Start));
    }
    return Chars;
}

bool IsInputChar(char C)
{
    return std::string_view("LlAaCc09#").find(C) != std::string_view::npos;
}

TMask ParseMask(std::string_view EditMask)
{
    static const std::string_view Space = " ";
    TMask Mask;
    const std::vector<std::string_view> Chars = SplitChars(EditMask);
    char Shift = 0;
    std::size_t I = 0;
    for (; I < Chars.size(); ++I) {
        const std::string_view C = Chars[I];
        const char First = C[0];
        if (C.size() > 1) {
            Mask.Positions.push_back({false, 0, C});
        } else if (First == ';') {
            break;
        } else if (First == '\\') {
            if (++I < Chars.size()) Mask.Positions.push_back({false, 0, Chars[I]});
        } else if (First == '!') {
            Mask.Reverse = true;
        } else if (First == '<' && I + 1 < Chars.size() && Chars[I + 1] == ">") {
            Shift = 0;
            ++I;
        } else if (First == '<' || First == '>') {
            Shift = First;
        } else if (IsInputChar(First)) {
            Mask.Positions.push_back({true, Shift, {}});
        } else if (First == ':') {
            Mask.Positions.push_back({false, 0, std::string_view(&FormatSettings.TimeSeparator, 1)});
        } else if (First == '/') {
            Mask.Positions.push_back({false, 0, std::string_view(&FormatSettings.DateSeparator, 1)});
        } else if (First == '_') {
            Mask.Positions.push_back({false, 0, Space});
        } else {
            Mask.Positions.push_back({false, 0, C});
        }
    }
    // The sections after the mask: whether literals are saved, then the blank.
    if (++I < Chars.size() && Chars[I] != ";") Mask.SaveLiterals = Chars[I] != "0";
    while (I < Chars.size() && Chars[I] != ";")
        ++I;
    if (++I < Chars.size()) Mask.Blank = Chars[I];
    return Mask;
}

void AppendShifted(AnsiString& Out, std::string_view C, char Shift)
{
    std::size_t Pos = 0;
    const char32_t Code = DecodeUtf8Char(C, Pos);
    const char32_t Shifted = Shift == '>' ? UpperCaseChar(Code) : Shift == '<' ? LowerCaseChar(Code) : Code;
    if (Shifted == Code)
        Out += C; // the bytes as they were, an escaped invalid byte included
    else
        AppendUtf8(Out, Shifted);
}

} // namespace

AnsiString FormatMaskText(std::string_view EditMask, std::string_view Value)
{
    const TMask Mask = ParseMask(EditMask);
    if (Mask.Positions.empty()) return AnsiString(Value);
    const std::vector<std::string_view> Chars = SplitChars(Value);
    // Which character of Value each input position shows (-1: a space),
    // matched from the left, or from the right under '!'.
    const std::ptrdiff_t Count = std::ptrdiff_t(Mask.Positions.size()), CharCount = std::ptrdiff_t(Chars.size());
    std::vector<std::ptrdiff_t> Source(Mask.Positions.size(), -1);
    const std::ptrdiff_t Step = Mask.Reverse ? -1 : 1;
    std::ptrdiff_t Next = Mask.Reverse ? CharCount - 1 : 0;
    for (std::ptrdiff_t I = Mask.Reverse ? Count - 1 : 0; I >= 0 && I < Count && Next >= 0 && Next < CharCount;
         I += Step) {
        const TMaskPosition& P = Mask.Positions[I];
        if (P.Input) {
            if (Chars[Next] != Mask.Blank) Source[I] = Next;
            Next += Step;
        } else if (Mask.SaveLiterals && Chars[Next] == P.Text) {
            Next += Step;
        }
    }
    AnsiString Result;
    Result.reserve(Value.size() + Mask.Positions.size());
    for (std::ptrdiff_t I = 0; I < Count; ++I) {
        const TMaskPosition& P = Mask.Positions[I];
        if (!P.Input)
            Result += P.Text;
        else if (Source[I] < 0)
            Result += ' ';
        else
            AppendShifted(Result, Chars[Source[I]], P.Shift);
    }
    return Result;
}
