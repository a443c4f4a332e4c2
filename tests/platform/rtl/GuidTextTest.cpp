#include "platform/rtl/Guids.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TGUID Sample()
{
    TGUID G;
    G.D1 = 0x01ABCDEF;
    G.D2 = 0x2345;
    G.D3 = 0x6789;
    const std::uint8_t D4[8] = {0xA0, 0x0B, 0xC1, 0x2D, 0x3E, 0xF4, 0x56, 0x07};
    for (int I = 0; I < 8; ++I)
        G.D4[I] = D4[I];
    return G;
}

} // namespace

TEST(GuidText, TheRegistryFormShowsEachFieldFromItsHighDigitInUpperCase)
{
    EXPECT_EQ(GUIDToString(Sample()), "{01ABCDEF-2345-6789-A00B-C12D3EF45607}");
    EXPECT_EQ(GUIDToString(TGUID()), "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidText, ParsingTakesEitherCaseAndGivesTheSameBytes)
{
    EXPECT_EQ(StringToGUID("{01ABCDEF-2345-6789-A00B-C12D3EF45607}"), Sample());
    EXPECT_EQ(StringToGUID("{01abcdef-2345-6789-a00b-c12d3ef45607}"), Sample());
    EXPECT_EQ(StringToGUID("{01aBcDeF-2345-6789-A00b-C12d3Ef45607}"), Sample());
    const TGUID Max = StringToGUID("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
    EXPECT_EQ(GUIDToString(Max), "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
}

TEST(GuidText, AnythingButTheExactFormIsAConversionError)
{
    for (const char* Text : {
             "",
             "01ABCDEF-2345-6789-A00B-C12D3EF45607",    // no braces
             "{01ABCDEF-2345-6789-A00B-C12D3EF4560}",   // a digit short
             "{01ABCDEF2-345-6789-A00B-C12D3EF45607}",  // a hyphen out of place
             "{01ABCDEG-2345-6789-A00B-C12D3EF45607}",  // no hexadecimal digit
             "{-1ABCDEF-2345-6789-A00B-C12D3EF45607}",  // a sign
             "{01ABCDEF-2345-6789-A00B-C12D3EF45607} ", // a blank after
         }) {
        try {
            StringToGUID(Text);
            ADD_FAILURE() << "accepted '" << Text << "'";
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message, "'" + AnsiString(Text) + "' is not a valid GUID value");
        }
    }
}
