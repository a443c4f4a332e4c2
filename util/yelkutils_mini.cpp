#include "util/yelkutils_mini.h"
#include "platform/rtl/FileAccess.h"

#include <unistd.h>

#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace yelkutils_mini {

namespace {

bool IsWhitespace(char C)
{
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

// atoi's reading (leading white space, a sign, digits), but a number too big
// for 32 bits stops at the nearest limit instead of wrapping.
int LeadingInteger(const char* Text)
{
    if (!Text) return 0;
    while (*Text == ' ' || (*Text >= '\t' && *Text <= '\r'))
        ++Text;
    const bool Negative = *Text == '-';
    if (*Text == '-' || *Text == '+') ++Text;
    std::int64_t Value = 0;
    for (; *Text >= '0' && *Text <= '9'; ++Text) {
        Value = Value * 10 + (*Text - '0');
        if (Value > std::int64_t(INT_MAX) + 1) break;
    }
    if (Negative) return Value > std::int64_t(INT_MAX) ? INT_MIN : static_cast<int>(-Value);
    return Value > INT_MAX ? INT_MAX : static_cast<int>(Value);
}

template <typename T> std::string Decimal(T Value)
{
    char Buffer[24];
    const auto R = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
    return std::string(Buffer, R.ptr);
}

} // namespace

bool SplitOffAtChar(std::string& S, std::string& Head, char Sep)
{
    if (S.empty()) {
        Head.clear();
        return false;
    }
    bool Quoted = false;
    std::size_t P = 0;
    for (; P < S.size(); ++P) {
        if (S[P] == '"')
            Quoted = !Quoted;
        else if (S[P] == Sep && !Quoted)
            break;
    }
    Head = S.substr(0, P);
    S = P < S.size() ? S.substr(P + 1) : std::string();
    TrimWhitespace(Head);
    TrimWhitespace(S);
    return true;
}

void TrimWhitespace(std::string& S)
{
    std::size_t End = S.size();
    while (End > 0 && IsWhitespace(S[End - 1]))
        --End;
    std::size_t Start = 0;
    while (Start < End && IsWhitespace(S[Start]))
        ++Start;
    S = S.substr(Start, End - Start);
}

void RemoveAllWhitespace(std::string& S)
{
    std::erase_if(S, IsWhitespace);
}

int StringToInt(const char* Text)
{
    return LeadingInteger(Text);
}

int CStringToInt(const char* Text)
{
    return LeadingInteger(Text);
}

bool StringToBool(const char* Text)
{
    if (!Text) return false;
    const std::string T = Text;
    if (T == "true" || T == "True" || T == "TRUE") return true;
    if (T == "false" || T == "False" || T == "FALSE") return false;
    return LeadingInteger(Text) >= 1;
}

void ZeroControlChars(char* S)
{
    if (!S) return;
    for (std::size_t I = std::strlen(S); I-- > 0;)
        if (static_cast<unsigned char>(S[I]) < 14) S[I] = '\0';
}

std::string IntToString(int Value)
{
    return Decimal(Value);
}

std::string LongToString(long Value)
{
    return Decimal(Value);
}

std::string LongToStringAlt(long Value)
{
    return Decimal(Value);
}

std::string BoolToString(bool Value)
{
    return Value ? "true" : "false";
}

int ReplaceAllInString(std::string& S, const std::string& Find, const std::string& Repl, bool SkipEscaped)
{
    if (Find.empty()) return 0;
    const bool Escapable = SkipEscaped && Find[0] == '\\';
    int Count = 0;
    std::size_t P = S.find(Find);
    while (P != std::string::npos) {
        if (Escapable && P > 0 && S[P - 1] == '\\') {
            P = S.find(Find, P + 1);
            continue;
        }
        S.replace(P, Find.size(), Repl);
        ++Count;
        P = S.find(Find, P + Repl.size());
    }
    return Count;
}

void StripEnclosingQuotes(std::string& S)
{
    if (S.size() >= 2 && S.front() == '"' && S.back() == '"') S = S.substr(1, S.size() - 2);
}

bool IsUncPath(const char* Name)
{
    return Name && Name[0] == '\\' && Name[1] == '\\';
}

bool FileExistsByOpen(const char* Name)
{
    if (!Name || !*Name) return false;
    const int Fd = OpenFileForReading(Name);
    if (Fd < 0) return false;
    ::close(Fd);
    return true;
}

} // namespace yelkutils_mini
