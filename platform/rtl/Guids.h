// Globally unique identifiers: the Win32 value type and its registry text
// form. Apart from WinTypes.h, which every unit includes, so that only the
// units that use GUIDs see them.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/WinTypes.h"

#include <cstdint>
#include <string_view>

// The standard 16-byte layout: a 32-bit, two 16-bit and eight 8-bit fields,
// the integers in the machine's byte order.
struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::uint8_t D4[8] = {};
    friend bool operator==(const TGUID&, const TGUID&) = default;
};
static_assert(sizeof(TGUID) == 16, "a GUID is 16 bytes");
using GUID = TGUID;

// The registry form: 38 characters, "{" and "}" around upper-case hexadecimal
// groups of 8-4-4-4-12 digits.
AnsiString GUIDToString(const TGUID& Guid);
// The registry form, its digits in either case and nothing around it;
// anything else raises EConvertError "'%s' is not a valid GUID value".
TGUID StringToGUID(std::string_view S);
