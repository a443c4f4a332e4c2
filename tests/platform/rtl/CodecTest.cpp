#include "platform/rtl/Codec.h"

#include <gtest/gtest.h>

TEST(Codec, ValidUtf8DecodesToItsCodePoints)
{
    EXPECT_EQ(Utf8ToWide("a\xC3\xA9\xE2\x82\xAC"), u"a\u00E9\u20AC");
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), u"\U0001F600"); // a surrogate pair
    EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Codec, EveryInvalidByteEscapesAndRoundTrips)
{
    const char* Cases[] = {
        "\x80",             // lone continuation
        "\xC3",             // truncated two-byte sequence
        "\xC0\xAF",         // overlong slash
        "\xE0\x80\xAF",     // overlong three-byte
        "\xED\xA0\x80",     // encoded surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xF5\x80\x80\x80", // invalid lead
        "\xFF\xFE",         // never valid
        "a\xE2\x82",        // truncated at the end
        "\xE2\x28\xA1",     // bad continuation in the middle
    };
    for (const char* C : Cases) {
        const AnsiString In = C;
        const WideString W = Utf8ToWide(In);
        for (char16_t U : W) {
            if (U >= 0x80) {
                EXPECT_TRUE(U >= 0xDC80 && U <= 0xDCFF) << In;
            }
        }
        EXPECT_EQ(WideToUtf8(W), In);
    }
    EXPECT_EQ(Utf8ToWide("\xFF"), WideString(1, char16_t(0xDCFF)));
}

TEST(Codec, AllByteValuesRoundTrip)
{
    AnsiString All;
    for (int B = 0; B < 256; ++B)
        All += static_cast<char>(B);
    EXPECT_EQ(WideToUtf8(Utf8ToWide(All)), All);
    for (int B = 0x80; B < 0x100; ++B) {
        AnsiString Pair = "\xC3";
        Pair += static_cast<char>(B);
        EXPECT_EQ(WideToUtf8(Utf8ToWide(Pair)), Pair);
    }
}

TEST(Codec, FoldCaseLeavesEscapedBytesAlone)
{
    EXPECT_EQ(FoldCase("AbC"), U"abc");
    EXPECT_EQ(FoldCase("\xC3\x89"), U"\u00E9");
    EXPECT_EQ(FoldCase("\xC9"), std::u32string(1, char32_t(0xDCC9)));
}

TEST(Codec, FoldedKeysAreEqualExactlyWhenTextsCompareEqualIgnoringCase)
{
    EXPECT_EQ(FoldedKey("Anna@Example.ORG"), "anna@example.org");
    EXPECT_EQ(FoldedKey("\xC3\x89T\xC3\x89"), FoldedKey("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(FoldedKey("a\xFF"), "a\xFF");
    EXPECT_NE(FoldedKey("\xC3"
                        "A"),
              FoldedKey("\xC3\xA1")); // an invalid byte never joins a neighbour
}

TEST(Codec, AppendingConvertsEachTextByItselfAfterWhatIsThere)
{
    WideString Out = u"x";
    AppendUtf8ToWide(Out, "\xC3"); // cut short: stays escaped, not joined with the next text
    AppendUtf8ToWide(Out, "\xA9\xF0\x9F\x98\x80");
    AppendUtf8ToWide(Out, "");
    EXPECT_EQ(Out, u"x\xDCC3\xDCA9\U0001F600");
    AssignUtf8ToWide(Out, "\xC3\xA9");
    EXPECT_EQ(Out, u"\u00E9");
}
