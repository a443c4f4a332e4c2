#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TPictureCase {
    const char* Picture;
    double Value;
    const char* Text;
};

void ExpectPictures(std::initializer_list<TPictureCase> Cases)
{
    for (const TPictureCase& C : Cases)
        EXPECT_EQ(FormatFloat(C.Picture, C.Value), C.Text) << "picture " << C.Picture << ", value " << C.Value;
}

} // namespace

TEST(Numbers, FormatCoversTheClassLibraryDirectives)
{
    EXPECT_EQ(Format("TPcreRegex.Compile() - Error in regex at offset %d: %s", {3, "missing )"}),
              "TPcreRegex.Compile() - Error in regex at offset 3: missing )");
    EXPECT_EQ(Format("%5d|%-5d|%.3d", {42, 42, 7}), "   42|42   |007");
    EXPECT_EQ(Format("%x %u", {255, -1}), "FF 4294967295");
    EXPECT_EQ(Format("%.2f %n", {3.14159, 1234567.5}), "3.14 1,234,567.50");
    EXPECT_EQ(Format("%g", {0.5}), "0.5");
    EXPECT_EQ(Format("%e", {1.5}), "1.50000000000000E+000");
    EXPECT_EQ(Format("%.3s|%%|%1:s%0:s", {"abcdef", "Z"}), "abc|%|Zabcdef");
    EXPECT_EQ(Format("%*d", {4, 1}), "   1");
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    // Widths beyond any integer are no format.
    EXPECT_THROW(Format("%99999999999d", {1}), EConvertError);
    EXPECT_THROW(Format("%*d", {5000000000LL, 1}), EConvertError);
}

TEST(Numbers, LargePrecisionsShowAtMostEighteenDecimalsOfEveryDigitTheyHave)
{
    // 1e308 has 309 digits before the point; 100 decimals once overran the conversion.
    const AnsiString Digits309 = FloatToStrF(1e308, ffFixed, 15, 0);
    ASSERT_EQ(Digits309.size(), 309u);
    EXPECT_EQ(Digits309.rfind("1000000000000000010979", 0), 0u);
    const AnsiString Decimals18 = "." + AnsiString(18, '0');
    EXPECT_EQ(Format("%.100f", {1e308}), Digits309 + Decimals18);
    EXPECT_EQ(Format("%.100f", {-1e308}), "-" + Digits309 + Decimals18);
    EXPECT_EQ(FloatToStrF(1e308, ffFixed, 15, 1000), Digits309 + Decimals18);
    EXPECT_EQ(FloatToStrF(1e308, ffNumber, 15, 1000).size(), 309 + 102 + 19u); // with 102 separators
    EXPECT_EQ(Format("%.40f", {0.5}), "0.5" + AnsiString(17, '0'));
    EXPECT_EQ(Format("%.40e", {0.5}), "5.00000000000000000E-001");
    EXPECT_EQ(FloatToStrF(0.5, ffGeneral, 40, 0), "0.5");
}

TEST(Numbers, FloatConversionsFollowFormatSettingsNotTheCLocale)
{
    TFormatSettingsGuard Guard;
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_DOUBLE_EQ(StrToFloat("1.25"), 1.25);
    EXPECT_DOUBLE_EQ(StrToFloat(" -1e3 "), -1000);
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_DOUBLE_EQ(StrToFloat("1,25"), 1.25);
    EXPECT_THROW(StrToFloat("1.25"), EConvertError);
}

TEST(Numbers, TextToFloatTakesDigitsOnly)
{
    for (const char* Text : {"nan", "NaN", "-nan", "nan(1)", "inf", "+INF", "-Inf", "infinity", "-INFINITY", " inf ",
                             "+-1", "1e999", "", "+"}) {
        Extended V = 7;
        EXPECT_FALSE(TryStrToFloat(Text, V)) << Text;
        EXPECT_EQ(V, 7) << Text;
        EXPECT_THROW(StrToFloat(Text), EConvertError) << Text;
    }
    EXPECT_EQ(StrToFloatDef("Infinity", -1), -1);
}

TEST(Numbers, RoundAndTruncRaiseForWhatNoInt64Holds)
{
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Round(-0x1p63), INT64_MIN);
    EXPECT_EQ(Trunc(0x1p63 - 1024), INT64_MAX - 1023);
    for (double V : {NaN, Inf, -Inf, 0x1p63, -0x1p64, 1e300}) {
        EXPECT_THROW(Round(V), EInvalidOp) << V;
        EXPECT_THROW(Trunc(V), EInvalidOp) << V;
    }
    try {
        Round(NaN);
    } catch (const EMathError& E) { // as the class library derives it
        EXPECT_EQ(E.Message, "Invalid floating point operation");
    }
}

TEST(Numbers, FormatFloatPlaceholdersPointAndThousands)
{
    ExpectPictures({
        {"0", 2.4, "2"},
        {"000", 7, "007"},
        {"00", 12345, "12345"}, // more digits than places show before the first
        {"00-00", 1234, "12-34"},
        {"#", 0, ""},
        {"#.##", 0.5, ".5"},
        {"#0.##", 0.5, "0.5"},
        {"0.##", 1.5, "1.5"},
        {"0.##", 2, "2"},
        {"0.00", 1.5, "1.50"},
        {"0.0#", 1.234, "1.23"},
        {"0.#0", 1.5, "1.50"},   // a '0' forces the places before it
        {"0.0.0", 1.25, "1.25"}, // only the first point counts
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", -1234, "-1,234"},
        {"#,##0", 999, "999"},
        {"0,", 1234567, "1,234,567"}, // where the comma stands does not matter
    });
    EXPECT_EQ(FormatFloat("0." + AnsiString(25, '0'), 0.25), "0.25" + AnsiString(23, '0'));
    // A fixed picture has nothing exact to show past 18 digits.
    EXPECT_EQ(FormatFloat("0.00", 1e20), FloatToStr(1e20));
    TFormatSettingsGuard Guard;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
}

TEST(Numbers, FormatFloatScientificForms)
{
    ExpectPictures({
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.00E+00", 0.00012, "1.20E-04"},
        {"0.00E-00", 1234.5, "1.23E03"},
        {"0.00E-00", 0.00012, "1.20E-04"},
        {"0.00e+00", 1234.5, "1.23e+03"},
        {"0.00e-0", 0.00012, "1.20e-4"},
        {"0.###E+0", 1500, "1.5E+3"},
        {"00.0E+0", 1234, "12.3E+2"},
        {"0E+0000", 5, "5E+0000"},
        {"0.00E+00", 0, "0.00E+00"},
        {"0.0E+0", -2500, "-2.5E+3"},
    });
}

TEST(Numbers, FormatFloatQuotedTextAndLiterals)
{
    ExpectPictures({
        {"'Total: '0.00' EUR'", 5, "Total: 5.00 EUR"},
        {"\"#0;\"0", 5, "#0;5"},
        {"0 'o''clock'", 5, "5 oclock"},
        {"0 'open", 5, "5 open"},
        {"$#,##0.00", -1234.5, "-$1,234.50"},
        {"0%", 50, "50%"},
        {"0 EUR", 5, "5 EUR"}, // an E without a sign is a letter
        {"Pi", 3, "Pi"},
        {"\xC3\xA9#\xE2\x82\xAC", 12,
         "\xC3\xA9"
         "12\xE2\x82\xAC"},
    });
}

TEST(Numbers, FormatFloatSectionsForPositiveNegativeAndZero)
{
    ExpectPictures({
        {"0.00;(0.00);'zero'", 1.5, "1.50"},
        {"0.00;(0.00);'zero'", -1.5, "(1.50)"},
        {"0.00;(0.00);'zero'", 0, "zero"},
        {"0.00;(0.00);'zero'", 0.001, "zero"}, // what rounds to zero shows as zero
        {"0.00;(0.00);'zero'", -0.001, "zero"},
        {"0.00;;'zero'", -1.5, "-1.50"}, // an empty section gives way to the first
        {"0.00;(0.00)", 0, "0.00"},
        {"0.0", -0.01, "0.0"},
        {"0;1;2;3", 0, "2"}, // a fourth section is ignored
        {"", 1.5, "1.5"},    // no first section: general
        {";0", -2, "-2"},
    });
}

TEST(Numbers, FormatFloatNeverRaisesForAPicture)
{
    ExpectPictures({{"0.00", NaN, "NAN"}, {"0.00", Inf, "INF"}, {"0.00", -Inf, "-INF"}});
    for (const char* Picture : {"E+", "e-", ".", ",", "''", "\"", ";;;;", "0E+0E+0", "#.#.#", "E-0000000", ".E+",
                                "#,#,#.#,#", "0.0e+0000", "0E+00000", "'", "0;'"}) {
        for (double V : {0.0, -1.0, 123456.789, -9.87e-30, 1.7e308, 5e-324})
            EXPECT_NO_THROW(FormatFloat(Picture, V)) << Picture << " " << V;
    }
}
