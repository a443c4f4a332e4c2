#include "platform/rtl/Guids.h"
#include "platform/win/ObjBase.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <set>

// Over many draws every bit but the version's (the high digit of D3: 4) and
// the variant's (the top bits of D4[0]: 10) takes both values, and no draw
// repeats.
TEST(ObjBase, CoCreateGuidDrawsDistinctRandomVersionFourIdentifiers)
{
    EXPECT_EQ(CoCreateGuid(nullptr), E_INVALIDARG);
    using TBytes = std::array<std::uint8_t, 16>;
    TBytes Any{}, All;
    All.fill(0xFF);
    std::set<AnsiString> Texts;
    for (int N = 0; N < 2000; ++N) {
        TGUID G;
        ASSERT_EQ(CoCreateGuid(&G), S_OK);
        Texts.insert(GUIDToString(G));
        const auto B = std::bit_cast<TBytes>(G);
        for (std::size_t I = 0; I < B.size(); ++I) {
            Any[I] |= B[I];
            All[I] &= B[I];
        }
    }
    EXPECT_EQ(Texts.size(), 2000u);
    TBytes Ones{}, Zeros;
    Zeros.fill(0xFF);
    Ones[7] = 0x40; // D3's high byte
    Zeros[7] = 0x4F;
    Ones[8] = 0x80; // D4[0]
    Zeros[8] = 0xBF;
    EXPECT_EQ(All, Ones);
    EXPECT_EQ(Any, Zeros);
}
