#include "platform/rtl/Guids.h"
#include "platform/rtl/SysUtils.h"

#include <charconv>

namespace {

// The Digits hexadecimal digits at S[From], all of them digits, as a number.
bool HexGroup(std::string_view S, std::size_t From, std::size_t Digits, std::uint64_t& Value)
{
    const char* Last = S.data() + From + Digits;
    const auto R = std::from_chars(S.data() + From, Last, Value, 16);
    return R.ec == std::errc() && R.ptr == Last;
}

} // namespace

AnsiString GUIDToString(const TGUID& Guid)
{
    AnsiString Text = "{" + IntToHex(Guid.D1, 8) + "-" + IntToHex(Guid.D2, 4) + "-" + IntToHex(Guid.D3, 4) + "-";
    for (int I = 0; I < 8; ++I)
        Text += (I == 2 ? "-" : "") + IntToHex(Guid.D4[I], 2);
    return Text + "}";
}

TGUID StringToGUID(std::string_view S)
{
    std::uint64_t D1 = 0, D2 = 0, D3 = 0, D4High = 0, D4Low = 0;
    if (S.size() != 38 || S[0] != '{' || S[9] != '-' || S[14] != '-' || S[19] != '-' || S[24] != '-' || S[37] != '}' ||
        !HexGroup(S, 1, 8, D1) || !HexGroup(S, 10, 4, D2) || !HexGroup(S, 15, 4, D3) || !HexGroup(S, 20, 4, D4High) ||
        !HexGroup(S, 25, 12, D4Low))
        throw EConvertError("'" + AnsiString(S) + "' is not a valid GUID value");
    TGUID G;
    G.D1 = std::uint32_t(D1);
    G.D2 = std::uint16_t(D2);
    G.D3 = std::uint16_t(D3);
    G.D4[0] = std::uint8_t(D4High >> 8);
    G.D4[1] = std::uint8_t(D4High);
    for (int I = 0; I < 6; ++I)
        G.D4[2 + I] = std::uint8_t(D4Low >> (40 - 8 * I));
    return G;
}
