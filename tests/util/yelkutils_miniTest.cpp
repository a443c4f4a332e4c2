#include "util/yelkutils.h"
#include "util/yelkutils_mini.h"
#include "tests/support/TestSupport.h"
#include "tests/util/Edited.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

using namespace yelkutils_mini;

TEST(yelkutils_mini, SplitOffAtCharHonoursQuotesAndTrims)
{
    struct {
        const char *Text, *Head, *Rest;
    } Cases[] = {
        {"a, b", "a", "b"},    {" \"x,y\" ,z,", "\"x,y\"", "z,"},
        {"z,", "z", ""}, // the separator was the last character
        {",tail", "", "tail"}, {"\tno separator\r\n", "no separator", ""},
    };
    for (const auto& C : Cases) {
        std::string S = C.Text, Head;
        EXPECT_TRUE(SplitOffAtChar(S, Head, ','));
        EXPECT_EQ(Head, C.Head) << C.Text;
        EXPECT_EQ(S, C.Rest) << C.Text;
    }
    std::string Empty, Head = "stale";
    EXPECT_FALSE(SplitOffAtChar(Empty, Head, ','));
    EXPECT_EQ(Head, "");
}

TEST(yelkutils_mini, WhitespaceIsBlankTabCrAndLf)
{
    EXPECT_EQ(Edited(" \t\r\n a b\v\n\t ", TrimWhitespace), "a b\v");
    EXPECT_EQ(Edited(" \t ", TrimWhitespace), "");
    EXPECT_EQ(Edited(" a\tb\r\nc \vd", RemoveAllWhitespace), "abc\vd");
}

TEST(yelkutils_mini, NumbersReadAsAtoiDoesButStopAtThe32BitLimits)
{
    // Wrapping would read the last one as 1.
    const std::pair<const char*, int> Cases[] = {{"  -42abc", -42},
                                                 {"+17", 17},
                                                 {"x1", 0},
                                                 {nullptr, 0},
                                                 {"2147483647", INT_MAX},
                                                 {"2147483648", INT_MAX},
                                                 {"-2147483648", INT_MIN},
                                                 {"-99999999999999999999999", INT_MIN},
                                                 {"4294967297", INT_MAX}};
    for (const auto& [Text, Value] : Cases) {
        EXPECT_EQ(StringToInt(Text), Value) << (Text ? Text : "null");
        EXPECT_EQ(CStringToInt(Text), Value) << (Text ? Text : "null");
    }
    EXPECT_EQ(IntToString(INT_MIN), "-2147483648");
    EXPECT_EQ(LongToString(123456L), "123456");
    EXPECT_EQ(LongToStringAlt(-5L), "-5");
}

TEST(yelkutils_mini, BooleansAcceptTheirWordsOrAPositiveNumber)
{
    for (const char* T : {"true", "True", "TRUE", "1", "7", " 3", "4294967296"})
        EXPECT_TRUE(StringToBool(T)) << T;
    for (const char* T : {"false", "False", "FALSE", "tRUE", "0", "-1", "", "yes"})
        EXPECT_FALSE(StringToBool(T)) << T;
    EXPECT_EQ(BoolToString(true) + BoolToString(false), "truefalse");
}

TEST(yelkutils_mini, ZeroControlCharsLeavesBytesAbove127Alone)
{
    char S[] = "ab\tc\xC3\xA9\x7F\x0D\x0E!";
    ZeroControlChars(S);
    EXPECT_EQ(std::string(S, sizeof S - 1), std::string("ab\0c\xC3\xA9\x7F\0\x0E!", sizeof S - 1));
    ZeroControlChars(nullptr);
}

TEST(yelkutils_mini, ReplaceAllInStringNeverSearchesWhatItInsertedAndCanSkipEscapedOccurrences)
{
    struct {
        const char *Text, *Find, *Repl;
        bool SkipEscaped;
        int Count;
        const char* Result;
    } Cases[] = {
        {"aaa", "a", "aa", false, 3, "aaaaaa"},
        {"one two one", "one", "", false, 2, " two "},
        {"keep", "", "x", false, 0, "keep"},
        {"keep", "", "x", true, 0, "keep"},
        {"a\\\\nb\\nc", "\\n", "<LF>", true, 1, "a\\\\nb<LF>c"}, // a \\n b \n c
        {"a\\\\nb\\nc", "\\n", "<LF>", false, 2, "a\\<LF>b<LF>c"},
        {"\\x", "x", "y", true, 1, "\\y"}, // only a search text that begins with a backslash is escapable
    };
    for (const auto& C : Cases) {
        std::string S = C.Text;
        EXPECT_EQ(ReplaceAllInString(S, C.Find, C.Repl, C.SkipEscaped), C.Count) << C.Text << " " << C.Find;
        EXPECT_EQ(S, C.Result) << C.Text << " " << C.Find;
    }
}

TEST(yelkutils_mini, StripEnclosingQuotesNeedsAQuoteAtBothEnds)
{
    EXPECT_EQ(Edited("\"quoted\"", StripEnclosingQuotes), "quoted");
    EXPECT_EQ(Edited("\"\"", StripEnclosingQuotes), "");
    for (const char* Unchanged : {"\"", "\"half"})
        EXPECT_EQ(Edited(Unchanged, StripEnclosingQuotes), Unchanged);
}

TEST(yelkutils_mini, FilesExistWhenTheyOpenAndAreRegularFiles)
{
    TTempDir D;
    const std::string File = D.WriteFile("f.txt", "x");
    EXPECT_TRUE(FileExistsByOpen(File.c_str()));
    // A pipe is no file to open, and nobody waits for a writer to find out.
    ASSERT_EQ(::mkfifo((D.Path() + "pipe").c_str(), 0600), 0);
    for (const std::string& Not : {D.Path(), D.Path() + "missing", D.Path() + "pipe", std::string()})
        EXPECT_FALSE(FileExistsByOpen(Not.c_str())) << Not;
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
