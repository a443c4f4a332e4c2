#include "util/yelkutils.h"
#include "util/yelkutils_mini.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace yelkutils_mini;

TEST(yelkutils_mini, SplitOffAtCharHonoursQuotesAndTrims)
{
    std::string S = "a, b", Head;
    EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "a");
    EXPECT_EQ(S, "b");

    S = " \"x,y\" ,z,";
    EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "\"x,y\"");
    EXPECT_EQ(S, "z,");
    EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "z");
    EXPECT_EQ(S, ""); // the separator was the last character

    S = ",tail";
    EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "");
    EXPECT_EQ(S, "tail");

    S = "\tno separator\r\n";
    EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "no separator");
    EXPECT_EQ(S, "");
    EXPECT_FALSE(SplitOffAtChar(S, Head, ','));
    EXPECT_EQ(Head, "");
}

TEST(yelkutils_mini, WhitespaceIsBlankTabCrAndLf)
{
    std::string S = " \t\r\n a b\v\n\t ";
    TrimWhitespace(S);
    EXPECT_EQ(S, "a b\v");
    S = " a\tb\r\nc \vd";
    RemoveAllWhitespace(S);
    EXPECT_EQ(S, "abc\vd");
    S = " \t ";
    TrimWhitespace(S);
    EXPECT_EQ(S, "");
}

TEST(yelkutils_mini, NumbersReadAsAtoiDoesButStopAtThe32BitLimits)
{
    EXPECT_EQ(StringToInt("  -42abc"), -42);
    EXPECT_EQ(CStringToInt("+17"), 17);
    EXPECT_EQ(StringToInt("x1"), 0);
    EXPECT_EQ(StringToInt(nullptr), 0);
    EXPECT_EQ(StringToInt("2147483647"), 2147483647);
    EXPECT_EQ(StringToInt("2147483648"), 2147483647);
    EXPECT_EQ(StringToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(CStringToInt("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(StringToInt("4294967297"), 2147483647); // wrapping would give 1
}

TEST(yelkutils_mini, BooleansAcceptTheirWordsOrAPositiveNumber)
{
    for (const char* T : {"true", "True", "TRUE", "1", "7", " 3", "4294967296"})
        EXPECT_TRUE(StringToBool(T)) << T;
    for (const char* T : {"false", "False", "FALSE", "tRUE", "0", "-1", "", "yes"})
        EXPECT_FALSE(StringToBool(T)) << T;
    EXPECT_EQ(BoolToString(true), "true");
    EXPECT_EQ(BoolToString(false), "false");
}

TEST(yelkutils_mini, ZeroControlCharsLeavesBytesAbove127Alone)
{
    char S[] = "ab\tc\xC3\xA9\x7F\x0D\x0E!";
    ZeroControlChars(S);
    EXPECT_EQ(std::string(S, sizeof S - 1), std::string("ab\0c\xC3\xA9\x7F\0\x0E!", sizeof S - 1));
    ZeroControlChars(nullptr);
}

TEST(yelkutils_mini, NumbersBecomeDecimalText)
{
    EXPECT_EQ(IntToString(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToString(0), "0");
    EXPECT_EQ(LongToString(123456L), "123456");
    EXPECT_EQ(LongToStringAlt(-5L), "-5");
}

TEST(yelkutils_mini, ReplaceAllInStringNeverSearchesWhatItInserted)
{
    std::string S = "aaa";
    EXPECT_EQ(ReplaceAllInString(S, "a", "aa", false), 3);
    EXPECT_EQ(S, "aaaaaa");

    S = "one two one";
    EXPECT_EQ(ReplaceAllInString(S, "one", "", false), 2);
    EXPECT_EQ(S, " two ");

    S = "keep";
    EXPECT_EQ(ReplaceAllInString(S, "", "x", false), 0);
    EXPECT_EQ(S, "keep");
    EXPECT_EQ(ReplaceAllInString(S, "", "x", true), 0);
    EXPECT_EQ(S, "keep");
}

TEST(yelkutils_mini, ReplaceAllInStringCanSkipEscapedOccurrences)
{
    std::string S = "a\\\\nb\\nc"; // a \\n b \n c
    EXPECT_EQ(ReplaceAllInString(S, "\\n", "<LF>", true), 1);
    EXPECT_EQ(S, "a\\\\nb<LF>c");

    S = "a\\\\nb\\nc";
    EXPECT_EQ(ReplaceAllInString(S, "\\n", "<LF>", false), 2);
    EXPECT_EQ(S, "a\\<LF>b<LF>c");

    // Only a search text that begins with a backslash can be escaped.
    S = "\\x";
    EXPECT_EQ(ReplaceAllInString(S, "x", "y", true), 1);
    EXPECT_EQ(S, "\\y");
}

TEST(yelkutils_mini, StripEnclosingQuotesNeedsAQuoteAtBothEnds)
{
    std::string S = "\"quoted\"";
    StripEnclosingQuotes(S);
    EXPECT_EQ(S, "quoted");
    S = "\"";
    StripEnclosingQuotes(S);
    EXPECT_EQ(S, "\"");
    S = "\"\"";
    StripEnclosingQuotes(S);
    EXPECT_EQ(S, "");
    S = "\"half";
    StripEnclosingQuotes(S);
    EXPECT_EQ(S, "\"half");
}

TEST(yelkutils_mini, FilesExistWhenTheyOpenAndAreNoFolders)
{
    TTempDir D;
    const std::string File = D.WriteFile("f.txt", "x");
    EXPECT_TRUE(FileExistsByOpen(File.c_str()));
    EXPECT_FALSE(FileExistsByOpen(D.Path().c_str()));
    EXPECT_FALSE(FileExistsByOpen((D.Path() + "missing").c_str()));
    EXPECT_FALSE(FileExistsByOpen(""));
    EXPECT_FALSE(FileExistsByOpen(nullptr));
    // A Windows network name is an ordinary (here missing) name.
    EXPECT_TRUE(IsUncPath("\\\\server\\share"));
    EXPECT_FALSE(IsUncPath("\\single"));
    EXPECT_FALSE(IsUncPath("//server/share"));
    EXPECT_FALSE(FileExistsByOpen("\\\\server\\share\\file"));

    EXPECT_TRUE(yelkutils::RemoveFileByName(File.c_str()));
    EXPECT_FALSE(FileExistsByOpen(File.c_str()));
    EXPECT_FALSE(yelkutils::RemoveFileByName(File.c_str()));
    EXPECT_FALSE(yelkutils::RemoveFileByName(nullptr));
}
