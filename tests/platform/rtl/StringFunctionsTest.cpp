#include "platform/rtl/Codec.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

TEST(StringFunctions, CopyPosDeleteInsertUseOneBasedPositionsAndClampRanges)
{
    EXPECT_EQ(Copy(AnsiString("abcdef"), 2, 3), "bcd");
    EXPECT_EQ(Copy(AnsiString("abcdef"), 0, 2), "ab"); // index below 1 starts at 1
    EXPECT_EQ(Copy(AnsiString("abcdef"), 5, 100), "ef");
    EXPECT_EQ(Copy(AnsiString("abcdef"), 7, 1), "");
    EXPECT_EQ(Copy(AnsiString("abcdef"), 2, -1), "");
    EXPECT_EQ(Pos("cd", "abcdef"), 3);
    EXPECT_EQ(Pos("x", "abcdef"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("a", "abca", 2), 4);
    EXPECT_EQ(PosEx("a", "abca", 5), 0);

    AnsiString S = "abcdef";
    Delete(S, 2, 2);
    EXPECT_EQ(S, "adef");
    Delete(S, 10, 1);
    EXPECT_EQ(S, "adef");
    Delete(S, 3, 100);
    EXPECT_EQ(S, "ad");
    Insert("XY", S, 2);
    EXPECT_EQ(S, "aXYd");
    Insert("!", S, 99);
    EXPECT_EQ(S, "aXYd!");
    Insert("<", S, 0);
    EXPECT_EQ(S, "<aXYd!");
}

TEST(StringFunctions, CaseMappingAsciiOnlyVersusEveryLetter)
{
    EXPECT_EQ(UpperCase("abc\xC3\xA9"), "ABC\xC3\xA9");     // é untouched
    EXPECT_EQ(AnsiUpperCase("abc\xC3\xA9"), "ABC\xC3\x89"); // É
    EXPECT_EQ(AnsiLowerCase("\xC3\x89Z"), "\xC3\xA9z");
    EXPECT_EQ(AnsiUpperCase("a\xFF"), "A\xFF"); // an invalid byte survives
    EXPECT_EQ(LowerCase("ABC"), "abc");
}

TEST(StringFunctions, TrimRemovesControlCharactersAndBlanksOnly)
{
    EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x"); // bytes above 127 are not blanks
    EXPECT_EQ(Trim(""), "");
}

TEST(StringFunctions, ComparisonsIgnoringCaseFoldCodePoints)
{
    EXPECT_EQ(AnsiCompareText("abc", "ABC"), 0);
    EXPECT_EQ(AnsiCompareText("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"), 0);
    EXPECT_LT(AnsiCompareText("a", "B"), 0);
    EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
    EXPECT_GT(AnsiCompareStr("a", "B"), 0);            // code points: 'a' > 'B'
    EXPECT_NE(CompareText("\xC3\xA9", "\xC3\x89"), 0); // ASCII-only comparison
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_TRUE(WideSameText(u"Stra\u00DFe", u"STRA\u00DFE"));
    EXPECT_EQ(WideLowerCase(u"\u00C9Z\u00E9"), u"\u00E9z\u00E9");
    EXPECT_LT(WideCompareStr(u"B", u"a"), 0); // code points, case counts
    EXPECT_GT(WideCompareStr(u"\u00E9", u"z"), 0);
    EXPECT_EQ(WideCompareStr(u"\u00E9", u"\u00E9"), 0);
}

namespace {

// Texts of units chosen where 16-bit and 8-bit text part ways: letters whose
// case maps outside ASCII or changes their length in bytes, both sigmas,
// surrogate pairs and their halves alone, and escaped bytes, some of which
// spell characters together.
std::vector<WideString> AwkwardTexts()
{
    const std::vector<WideString> Pieces = {
        u"a",      u"A",      u"b",      u"\u00E9",     u"\u00C9",     u"\u03A3", u"\u03C3", u"\u03C2",
        u"\u0130", u"\u212A", u"\u1E9E", u"\U00010400", u"\U00010428", u"\xD801", u"\xDC00", u"\xDC28",
        u"\xD800", u"\xDFFF", u"\xDC80", u"\xDCC3",     u"\xDCA9",     u"\xDC89", u"\xDCED", u"\xDC9F",
        u"\xDCBF", u"\xDCF0", u"\xDC90", u"\xDCFF",     u"\xDCE2",     u"\xDC82", u"\xDCAC"};
    std::vector<WideString> Texts = {u"", u"\xDCC3\xDC89", u"\xDCE2\xDC82\xDCAC", u"\xDCED\xDCA0\xDC80", u"\xD800"};
    std::mt19937 Random(34);
    for (int I = 0; I < 1500; ++I) {
        WideString T;
        for (int N = int(Random() % 7); N > 0; --N)
            T += Pieces[Random() % Pieces.size()];
        Texts.push_back(T);
    }
    return Texts;
}

int Sign(int X)
{
    return (X > 0) - (X < 0);
}

} // namespace

TEST(StringFunctions, WideCaseAndComparisonsAnswerAsTheTextsUtf8FormDoes)
{
    const auto Lowered = [](const WideString& S) { return Utf8ToWide(AnsiLowerCase(WideToUtf8(S))); };
    const std::vector<WideString> Texts = AwkwardTexts();
    std::mt19937 Random(52);
    int Found = 0;
    for (const WideString& A : Texts) {
        ASSERT_EQ(WideLowerCase(A), Lowered(A)) << WideToUtf8(A);
        for (int K = 0; K < 12; ++K) {
            // A text beside a piece of another or of itself, so that some are found.
            const WideString& Other = Texts[Random() % Texts.size()];
            const WideString B = K % 2 ? Other : A.substr(Random() % (A.size() + 1), Random() % 4);
            const AnsiString A8 = WideToUtf8(A), B8 = WideToUtf8(B);
            ASSERT_EQ(Sign(WideCompareStr(A, B)), Sign(AnsiCompareStr(A8, B8))) << A8 << " / " << B8;
            ASSERT_EQ(Sign(WideCompareText(A, B)), Sign(AnsiCompareText(A8, B8))) << A8 << " / " << B8;
            const int At = WideLowerCasePos(WideLowerCase(B), A);
            ASSERT_EQ(At, Pos(Lowered(B), Lowered(A))) << A8 << " / " << B8;
            Found += At > 0;
        }
    }
    EXPECT_GT(Found, 3000);
    // Lower case keeps the final sigma, folding does not.
    EXPECT_EQ(WideLowerCasePos(u"\u03C3\u03C3", u"\u03A3\u03C2"), 0);
    EXPECT_EQ(WideCompareText(u"\u03A3\u03C2", u"\u03C3\u03C3"), 0);
}

TEST(StringFunctions, StringReplaceIgnoringCaseReplacesWholeFoldedCharacters)
{
    EXPECT_EQ(StringReplace("aAa", "A", "b", true, true), "bbb");
    EXPECT_EQ(StringReplace("aAa", "A", "b", false, true), "bAa");
    EXPECT_EQ(StringReplace("aAa", "A", "b"), "aba");
    // Folding changes the length of these characters: the long s is s, the Kelvin sign k.
    EXPECT_EQ(StringReplace("x\xC5\xBFy", "S", "#", true, true), "x#y");
    EXPECT_EQ(StringReplace("\xE2\x84\xAA"
                            "1 k2",
                            "k", "#", true, true),
              "#1 #2");
    EXPECT_EQ(StringReplace("sS\xC5\xBF!", "\xC5\xBF", "t", true, true), "ttt!");
    // Upper case would make the dotless i an I; folded they differ.
    EXPECT_EQ(StringReplace("xIy", "\xC4\xB1", "#", true, true), "xIy");
    // A byte never matches inside a character.
    EXPECT_EQ(StringReplace("\xC5\xBF\xC3\xA9", "\xC3", "#", true, true), "\xC5\xBF\xC3\xA9");
    EXPECT_EQ(StringReplace("a\xC3", "\xC3", "#", true, true), "a#");
    EXPECT_EQ(StringReplace("\xC3\x89t\xC3\xA9", "\xC3\xA9T", "e", true, true), "e\xC3\xA9");
}

TEST(StringFunctions, IntegerConversionsAndTheirErrors)
{
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(StrToInt(" 17"), 17);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToIntDef("2147483648", -1), -1);
    EXPECT_EQ(StrToIntDef("12a", 7), 7);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "'abc' is not a valid integer value");
    }
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(StringFunctions, FileNameFunctionsUseSlashes)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
    EXPECT_EQ(ExtractFileExt("/a/c.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a/c.txt", ".qmp"), "/a/c.qmp");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_FALSE(FileExists("/"));
    EXPECT_TRUE(DirectoryExists("/"));
}

TEST(StringFunctions, AssertionNamesTheUnitAndLine)
{
    try {
        QM_ASSERT(false, "REQUIRE: Something", "PcreRegex");
        FAIL();
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.Text, "REQUIRE: Something");
        EXPECT_EQ(E.UnitName, "PcreRegex");
        EXPECT_GT(E.LineNumber, 0);
        EXPECT_EQ(E.Message.rfind("REQUIRE: Something (PcreRegex, line ", 0), 0u);
    }
}

TEST(Sets, MembershipAndAlgebra)
{
    enum TColorKind { ckRed, ckGreen, ckBlue };
    Set<TColorKind> A{ckRed, ckBlue};
    EXPECT_TRUE(A.Contains(ckRed));
    EXPECT_FALSE(A.Contains(ckGreen));
    A.Include(ckGreen).Exclude(ckRed);
    EXPECT_EQ(A, (Set<TColorKind>{ckGreen, ckBlue}));
    EXPECT_EQ(A * Set<TColorKind>{ckBlue}, Set<TColorKind>{ckBlue});
    EXPECT_EQ(A - Set<TColorKind>{ckBlue} + Set<TColorKind>{ckRed}, (Set<TColorKind>{ckRed, ckGreen}));
    EXPECT_TRUE(Set<TColorKind>{ckBlue} <= A);
    Set<char> Chars{'a', '\xFF'};
    EXPECT_TRUE(Chars.Contains('\xFF'));
    EXPECT_EQ(Chars.Count(), 2);
}
