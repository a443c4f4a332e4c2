// tests/components/PcreRegexTest.cpp
#include "components/PcreRegex.h"

#include <gtest/gtest.h>
#include <vector>

using namespace PcreRegex;

namespace {

using TRegex = TOwned<TPcreRegex>;

TRegex NewRegex(const AnsiString& Pattern, const AnsiString& Subject = AnsiString())
{
    TRegex R(New<TPcreRegex>(nullptr));
    R->SetRegEx(Pattern);
    R->SetSubject(Subject);
    return R;
}

template <typename Fn> AnsiString ErrorText(Fn F)
{
    try {
        F();
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.UnitName, "PcreRegex");
        return E.Text;
    } catch (const Exception& E) {
        return E.Message;
    }
    return "(nothing raised)";
}

// The replacement of Template for the first match of Pattern in Subject.
AnsiString Expand(const AnsiString& Pattern, const AnsiString& Subject, const AnsiString& Template)
{
    TRegex R = NewRegex(Pattern, Subject);
    EXPECT_TRUE(R->Match()) << Pattern;
    R->SetReplacement(Template);
    return R->ComputeReplacement();
}

std::vector<AnsiString> Lines(const TStrings& S)
{
    std::vector<AnsiString> Out;
    for (int I = 0; I < S.GetCount(); ++I)
        Out.push_back(S.Get(I));
    return Out;
}

std::vector<AnsiString> SplitBy(const AnsiString& Pattern, const AnsiString& Subject, int Limit)
{
    TRegex R = NewRegex(Pattern, Subject);
    TStringList Strings;
    R->Split(&Strings, Limit);
    return Lines(Strings);
}

} // namespace

TEST(PcreRegex, CompileErrorsCarryTheirTexts)
{
    TRegex R = NewRegex("");
    EXPECT_EQ(ErrorText([&] { R->Compile(); }),
              "TPcreRegex.Compile() - Please specify a regular expression in RegEx first");
    R->SetRegEx("a(b");
    EXPECT_EQ(ErrorText([&] { R->Compile(); }), "TPcreRegex.Compile() - Error in regex at offset 3: missing )");
    R->SetRegEx("a)");
    EXPECT_EQ(ErrorText([&] { R->Match(); }),
              "TPcreRegex.Compile() - Error in regex at offset 1: unmatched parentheses");
    R->SetRegEx("\\q");
    R->SetOptions({preExtra});
    EXPECT_EQ(ErrorText([&] { R->Study(); }),
              "TPcreRegex.Compile() - Error in regex at offset 1: unrecognized character follows \\");
}

TEST(PcreRegex, SetRegExWithTheSameTextKeepsThePatternButCompileAlwaysStartsAnew)
{
    TRegex R = NewRegex("b", "abc");
    ASSERT_TRUE(R->Match());
    R->SetRegEx("b");
    R->SetOptions({});
    EXPECT_TRUE(R->GetFoundMatch());
    R->Compile();
    EXPECT_FALSE(R->GetFoundMatch());
    ASSERT_TRUE(R->Match());
    R->SetRegEx("c");
    EXPECT_FALSE(R->GetFoundMatch());
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetMatchedExpressionOffset(), 3);
}

TEST(PcreRegex, OptionsChangeHowThePatternMatches)
{
    auto Found = [](const AnsiString& Pattern, const AnsiString& Subject, Set<TPcreRegexOptions> Options) {
        TRegex R = NewRegex(Pattern, Subject);
        R->SetOptions(Options);
        return R->Match() ? R->GetMatchedExpression() : AnsiString("(none)");
    };
    EXPECT_EQ(Found("abc", "xABC", {}), "(none)");
    EXPECT_EQ(Found("abc", "xABC", {preCaseLess}), "ABC");
    EXPECT_EQ(Found("^b", "a\nb", {}), "(none)");
    EXPECT_EQ(Found("^b", "a\nb", {preMultiLine}), "b");
    EXPECT_EQ(Found("a.b", "a\nb", {}), "(none)");
    EXPECT_EQ(Found("a.b", "a\nb", {preSingleLine}), "a\nb");
    EXPECT_EQ(Found("a b # note", "xab", {preExtended}), "ab");
    EXPECT_EQ(Found("b", "ab", {preAnchored}), "(none)");
    EXPECT_EQ(Found("a$", "a\n", {}), "a");
    EXPECT_EQ(Found("a$", "a\n", {preDollarEndOnly}), "(none)");
    EXPECT_EQ(Found("a+", "aaa", {preUnGreedy}), "a");
    EXPECT_EQ(Found("a+?", "aaa", {preUnGreedy}), "aaa");
}

TEST(PcreRegex, StateBitsGoToEveryMatch)
{
    TRegex R = NewRegex("x*", "ab");
    EXPECT_FALSE(R->Match()); // only empty matches exist, and by default they do not count

    R->SetState({});
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetMatchedExpressionOffset(), 1);
    EXPECT_EQ(R->GetMatchedExpressionLength(), 0);
    EXPECT_EQ(R->GetStart(), 2); // an empty match moves the next search on by one

    R->SetRegEx("^a|b$");
    R->SetState({preNotBOL, preNotEOL});
    EXPECT_FALSE(R->Match());
    R->SetState({preNotEOL});
    EXPECT_TRUE(R->Match());
}

TEST(PcreRegex, OffsetsAreOneBasedAndGroupsReadTheirText)
{
    TRegex R = NewRegex("(\\d+)-(x)?(\\w+)", "ab 12-cd!");
    EXPECT_EQ(ErrorText([&] { R->GetMatchedExpression(); }), "REQUIRE: There must be a successful match first");
    EXPECT_EQ(ErrorText([&] { R->GetSubExpressionOffsets(0); }), "REQUIRE: There must be a successful match first");
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetSubExpressionCount(), 3);
    EXPECT_EQ(R->GetMatchedExpression(), "12-cd");
    EXPECT_EQ(R->GetMatchedExpressionOffset(), 4);
    EXPECT_EQ(R->GetMatchedExpressionLength(), 5);
    EXPECT_EQ(R->GetSubExpressions(1), "12");
    EXPECT_EQ(R->GetSubExpressionOffsets(3), 7);
    EXPECT_EQ(R->GetSubExpressionLengths(3), 2);
    // a group that took no part, one above the count and one below 0
    EXPECT_EQ(R->GetSubExpressions(2), "");
    EXPECT_EQ(R->GetSubExpressionOffsets(2), 0);
    EXPECT_EQ(R->GetSubExpressions(4), "");
    EXPECT_EQ(R->GetSubExpressions(-1), "");
    EXPECT_EQ(R->GetSubExpressionOffsets(-1), 0);
    EXPECT_EQ(R->GetSubExpressionLengths(-5), 0);
    EXPECT_EQ(ErrorText([&] { R->GetSubExpressionOffsets(4); }), "REQUIRE: Index <= SubExpressionCount");
    EXPECT_EQ(ErrorText([&] { R->GetSubExpressionLengths(4); }), "REQUIRE: Index <= SubExpressionCount");
}

TEST(PcreRegex, MatchFindsTheFirstMatchWhereverStartStandsAndOnMatchFiresForEach)
{
    TRegex R = NewRegex("b", "ab");
    std::vector<int> Seen;
    R->OnMatch = [&](TObject* Sender) {
        EXPECT_EQ(Sender, R.get());
        Seen.push_back(R->GetMatchedExpressionOffset());
    };
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetStart(), 3); // beyond Stop: the last match ended at the end
    EXPECT_FALSE(R->MatchAgain());
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetMatchedExpressionOffset(), 2);
    R->SetSubject("abb");
    ASSERT_TRUE(R->MatchAgain());
    ASSERT_TRUE(R->MatchAgain());
    R->SetRegEx("z");
    R->Match();
    EXPECT_EQ(Seen, (std::vector<int>{2, 2, 2, 3})); // successful matches only
}

TEST(PcreRegex, StartAndStopBoundMatchAgain)
{
    TRegex R = NewRegex("\\d", "a1b2c3");
    R->SetStart(3);
    ASSERT_TRUE(R->MatchAgain());
    EXPECT_EQ(R->GetMatchedExpression(), "2");
    R->SetStart(-4);
    EXPECT_EQ(R->GetStart(), 1);
    R->SetStop(3);
    ASSERT_TRUE(R->MatchAgain());
    EXPECT_EQ(R->GetMatchedExpression(), "1");
    EXPECT_FALSE(R->MatchAgain()); // "2" lies beyond Stop
    R->SetStop(100);
    EXPECT_EQ(R->GetStop(), 6);
}

TEST(PcreRegex, MoreGroupsThanTheOffsetsHoldIsStillAMatch)
{
    AnsiString Pattern;
    for (int I = 0; I < 120; ++I)
        Pattern += "(.)";
    AnsiString Subject;
    for (int I = 0; I < 120; ++I)
        Subject += static_cast<char>('A' + I % 26);
    TRegex R = NewRegex(Pattern, Subject);
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetSubExpressionCount(), 99);
    EXPECT_EQ(R->GetMatchedExpression(), Subject);
    EXPECT_EQ(R->GetSubExpressions(99), "U"); // the 99th letter, 'A' + 98 % 26
    EXPECT_EQ(R->GetSubExpressionOffsets(99), 99);
    EXPECT_EQ(R->GetSubExpressions(100), "");
}

TEST(PcreRegex, StoredSubExpressionsSurviveASubjectChange)
{
    TRegex R = NewRegex("(\\w)(\\w)", "xy");
    ASSERT_TRUE(R->Match());
    R->StoreSubExpressions();
    R->SetSubject("--");
    EXPECT_TRUE(R->GetFoundMatch());
    EXPECT_EQ(R->GetMatchedExpression(), "xy");
    EXPECT_EQ(R->GetSubExpressions(2), "y");
    R->SetReplacement("$2$1");
    EXPECT_EQ(R->ComputeReplacement(), "yx");

    EXPECT_FALSE(R->Match()); // a new search drops the copies
    EXPECT_FALSE(R->GetFoundMatch());

    R->SetSubject("ab");
    ASSERT_TRUE(R->Match());
    R->StoreSubExpressions();
    R->ClearStoredSubExpressions();
    R->SetSubject("cd");
    EXPECT_FALSE(R->GetFoundMatch());
}

TEST(PcreRegex, TemplateGroupReferences)
{
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "\\U1-$2"), "AB-cd");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "[\\2\\1$0]"), "[cdababcd]");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "${1}0"), "ab0");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "x$"), "x$");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "x\\"), "x\\");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "$$1"), "$1");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "\\\\1\\$2"), "\\1$2");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "<${9}>"), "<>");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "<$9>"), "<>");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "$12"), "ab2"); // no group 12: one digit
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "${99999999999999999999}|$99"), "|9");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "${1|${}|${x-y}|\\x|$x"), "${1|${}|${x-y}|\\x|$x");
    EXPECT_EQ(Expand("(ab)(cd)", "abcd", "$1${2"), "ab${2"); // no closing brace
    EXPECT_EQ(Expand("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", "abcdefghijkl", "$12\\10$1"), "lja");
    EXPECT_EQ(Expand("(a)(x)?", "a", "[$2]"), "[]");   // a group that took no part
    EXPECT_EQ(Expand("(\\$1)", "$1", "$1$1"), "$1$1"); // inserted text is not read again

    TRegex R = NewRegex("(z)", "abc"); // without a match every reference is dropped
    EXPECT_FALSE(R->Match());
    R->SetReplacement("a$1b\\U1${x}");
    EXPECT_EQ(R->ComputeReplacement(), "ab");
}

TEST(PcreRegex, NamedGroupsGiveTheirNumbersAndTemplatesReferToThem)
{
    const AnsiString Pattern = "(?<first>\\w+) (?<_2nd>\\w+)";
    TRegex R = NewRegex(Pattern, "hello world");
    EXPECT_LT(R->NamedSubExpression("first"), 0); // nothing compiled yet
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->NamedSubExpression("first"), 1);
    EXPECT_EQ(R->NamedSubExpression("_2nd"), 2);
    EXPECT_LT(R->NamedSubExpression("none"), 0);

    EXPECT_EQ(Expand(Pattern, "hello world", "${_2nd}, \\g<first>! \\G<_2nd>"), "world, hello! world");
    EXPECT_EQ(Expand(Pattern, "hello world", "[\\g<none>${none}]"), "[]");
    EXPECT_EQ(Expand(Pattern, "hello world", "\\g<1st> \\g<first \\g first>"), "\\g<1st> \\g<first \\g first>");
}

TEST(PcreRegex, TemplateCaseConversions)
{
    const AnsiString Pattern = "(.*)";
    EXPECT_EQ(Expand(Pattern, "hELLO wORLD", "\\F1"), "Hello world");
    EXPECT_EQ(Expand(Pattern, "hELLO wORLD", "\\L1 \\u1"), "hello world HELLO WORLD");
    EXPECT_EQ(Expand(Pattern, "hELLO wORLD-foo's(bar)x.y/z:q", "\\I1"), "Hello World-Foo's(Bar)X.Y/z:q");
    EXPECT_EQ(Expand(Pattern, "a\tb!c\"d#e$f%g&h*i+j,k<l?m[n{o", "\\i1"), "A\tB!C\"D#E$F%G&H*I+J,K<L?M[N{O");
    EXPECT_EQ(Expand(Pattern,
                     "a\xC2\xB7"
                     "b",
                     "\\I1"),
              "A\xC2\xB7"
              "B"); // the middle dot
    EXPECT_EQ(Expand(Pattern, "\xC3\xA9t\xC3\xA9", "\\U1 \\F1"), "\xC3\x89T\xC3\x89 \xC3\x89t\xC3\xA9");
    EXPECT_EQ(Expand(Pattern, "ab", "\\Ux \\U{1} \\U"), "\\Ux \\U{1} \\U"); // no group number: literal
}

TEST(PcreRegex, ReplacePutsTheReplacementIntoTheSubject)
{
    TRegex R = NewRegex("(\\w+)", "one two");
    R->SetReplacement("<$1>");
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->Replace(), "<one>");
    EXPECT_EQ(R->GetSubject(), "<one> two");
    EXPECT_EQ(R->GetStart(), 6);
    EXPECT_EQ(R->GetStop(), 9);
    EXPECT_FALSE(R->GetFoundMatch());
    EXPECT_EQ(ErrorText([&] { R->Replace(); }), "REQUIRE: There must be a successful match first");

    ASSERT_TRUE(R->MatchAgain());
    EXPECT_EQ(R->GetMatchedExpression(), "two");
    R->OnReplace = [&](TObject* Sender, AnsiString& ReplaceWith) {
        EXPECT_EQ(Sender, R.get());
        ReplaceWith += "!";
    };
    EXPECT_EQ(R->Replace(), "<two>!");
    EXPECT_EQ(R->GetSubject(), "<one> <two>!");
}

TEST(PcreRegex, ReplaceAllReplacesEveryMatch)
{
    TRegex R = NewRegex("\\d+", "a1b22c");
    R->SetReplacement("#");
    EXPECT_TRUE(R->ReplaceAll());
    EXPECT_EQ(R->GetSubject(), "a#b#c");
    EXPECT_FALSE(R->ReplaceAll());
    EXPECT_EQ(R->GetSubject(), "a#b#c");

    R->SetRegEx("x*"); // empty matches move on by one character each time
    R->SetState({});
    R->SetSubject("ab");
    R->SetReplacement("-");
    EXPECT_TRUE(R->ReplaceAll());
    EXPECT_EQ(R->GetSubject(), "-a-b");
}

TEST(PcreRegex, SplitHonoursItsLimit)
{
    using V = std::vector<AnsiString>;
    EXPECT_EQ(SplitBy(",", "a,b,,c", 0), (V{"a", "b", "", "c"}));
    EXPECT_EQ(SplitBy(",", "a,b,,c", -1), (V{"a", "b", "", "c"}));
    EXPECT_EQ(SplitBy(",", "a,b,,c", 1), (V{"a,b,,c"}));
    EXPECT_EQ(SplitBy(",", "a,b,,c", 2), (V{"a", "b,,c"}));
    EXPECT_EQ(SplitBy(",", "a,b,,c", 3), (V{"a", "b", ",c"}));
    EXPECT_EQ(SplitBy(",", ",a,", 0), (V{"", "a", ""}));
    EXPECT_EQ(SplitBy(";", "a,b", 0), (V{"a,b"}));

    TRegex R = NewRegex(",", "a,b");
    EXPECT_EQ(ErrorText([&] { R->Split(nullptr, 0); }), "REQUIRE: Strings");
}

TEST(PcreRegex, EscapeRegExCharsMakesTextMatchItself)
{
    EXPECT_EQ(TPcreRegex::EscapeRegExChars("$()*+.?[\\]^{|}"), "\\$\\(\\)\\*\\+\\.\\?\\[\\\\\\]\\^\\{\\|\\}");
    EXPECT_EQ(TPcreRegex::EscapeRegExChars("-/#<>'\"&"), "-/#<>'\"&");
    EXPECT_EQ(TPcreRegex::EscapeRegExChars(AnsiString("a\0b", 3)), "a\\0b");

    const AnsiString Text = "1+1=2? (yes) [maybe] {x|y} ^$ \\d.*";
    TRegex R = NewRegex(TPcreRegex::EscapeRegExChars(Text), "say " + Text + "!");
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetMatchedExpression(), Text);
}

TEST(PcreRegex, SubjectEndsAtItsFirstNulForThePattern)
{
    TRegex R = NewRegex("b", AnsiString("a\0b", 3));
    EXPECT_FALSE(R->Match());
    R->SetSubject(AnsiString("xa\0b", 4));
    R->SetRegEx("x");
    R->SetReplacement("bb");
    ASSERT_TRUE(R->Match());
    R->Replace();
    R->SetRegEx("a");
    EXPECT_TRUE(R->Match()); // the NUL moved on with the edit
    R->SetRegEx(AnsiString("a\0x", 3));
    ASSERT_TRUE(R->Match());
    EXPECT_EQ(R->GetMatchedExpression(), "a");
}

// The reason of the EPcreRegexError that Match raises, or "" when it does not.
AnsiString GiveUpReason(TPcreRegex* R)
{
    try {
        R->Match();
    } catch (const EPcreRegexError& E) {
        EXPECT_EQ(E.Message, "TPcreRegex.Match() - Error matching the regex: " + E.Reason);
        EXPECT_FALSE(R->GetFoundMatch());
        return E.Reason;
    }
    return "";
}

TEST(PcreRegex, ASearchThatGivesUpRaisesWithItsReasonInsteadOfFindingNothing)
{
    for (bool Studied : {false, true}) {
        // The last 30 a's match, but backtracking from the first ones runs out first.
        TRegex R = NewRegex("(a+)+$", AnsiString(30, 'a') + "b" + AnsiString(30, 'a'));
        if (Studied) R->Study();
        EXPECT_EQ(GiveUpReason(R.get()), "match limit exceeded") << Studied;
        R->SetSubject(AnsiString(30, 'a'));
        EXPECT_TRUE(R->Match()); // the same pattern still matches where it can

        R = NewRegex("(a|b)*c", AnsiString(5000000, 'a') + "c");
        if (Studied) R->Study();
        EXPECT_EQ(GiveUpReason(R.get()), "JIT stack limit of 64 MB exceeded") << Studied;
    }
    TRegex R = NewRegex("(*UTF8)b", "a\xC3(b");
    EXPECT_EQ(GiveUpReason(R.get()), "invalid UTF-8 in the subject at offset 1");
}

TEST(PcreRegex, DeepRecursionFindsTheMatchWithoutOverflowingTheStack)
{
    // Each character is a level of backtracking: far deeper than the machine
    // stack holds for the interpreter, and than JIT code's default stack.
    const AnsiString Long(10000, 'a');
    for (bool Studied : {false, true}) {
        TRegex R = NewRegex("(a|b)*c", Long + "c");
        if (Studied) R->Study();
        ASSERT_TRUE(R->Match()) << Studied;
        EXPECT_EQ(R->GetMatchedExpressionLength(), 10001);
        R->SetSubject(Long + "b");
        EXPECT_FALSE(R->Match());
    }
}

TEST(PcreRegex, StudiedAndUnstudiedPatternsAgree)
{
    const AnsiString Subject = "Mail ann@example.org, BOB@Example.COM and x@y";
    std::vector<std::vector<AnsiString>> Results;
    for (bool Studied : {false, true}) {
        TRegex R = NewRegex("(\\w+)@(\\w+)\\.(\\w+)", Subject);
        R->SetOptions({preCaseLess});
        if (Studied) R->Study();
        std::vector<AnsiString> Found;
        for (bool Ok = R->Match(); Ok; Ok = R->MatchAgain())
            Found.push_back(R->GetSubExpressions(1) + "|" + R->GetSubExpressions(3) + "|" +
                            IntToStr(R->GetMatchedExpressionOffset()));
        Results.push_back(Found);
    }
    EXPECT_EQ(Results[0], (std::vector<AnsiString>{"ann|org|6", "BOB|COM|23"}));
    EXPECT_EQ(Results[0], Results[1]);
}

// ---- TPcreRegexList -------------------------------------------------------------

namespace {

struct TListFixture {
    std::vector<TRegex> Items;
    TPcreRegexList List;
    explicit TListFixture(std::initializer_list<AnsiString> Patterns)
    {
        for (const auto& P : Patterns) {
            Items.push_back(NewRegex(P));
            List.Add(Items.back().get());
        }
    }
    // Pattern index and offset of each match, Match then MatchAgain.
    std::vector<std::pair<int, int>> All(int Limit = 20)
    {
        std::vector<std::pair<int, int>> Out;
        for (bool Ok = List.Match(); Ok && Limit-- > 0; Ok = List.MatchAgain())
            Out.emplace_back(List.IndexOf(List.GetMatchedRegEx()),
                             List.GetMatchedRegEx()->GetMatchedExpressionOffset());
        return Out;
    }
};

using Hits = std::vector<std::pair<int, int>>;

} // namespace

TEST(PcreRegexList, ReportsTheEarliestMatchOfAnyItem)
{
    TListFixture F{"c", "b+", "z"};
    F.List.SetSubject("abbcab");
    EXPECT_EQ(F.All(), (Hits{{1, 2}, {0, 4}, {1, 6}}));
    EXPECT_EQ(F.List.GetMatchedRegEx(), nullptr);

    ASSERT_TRUE(F.List.Match());
    ASSERT_TRUE(F.List.MatchAgain());
    ASSERT_TRUE(F.List.MatchAgain()); // "c" now has no match, "b+" holds the last "b"
    ASSERT_TRUE(F.List.Match());      // from the start again, whatever the items held
    EXPECT_EQ(F.List.GetMatchedRegEx(), F.Items[1].get());
    EXPECT_EQ(F.Items[1]->GetMatchedExpression(), "bb");
}

TEST(PcreRegexList, TiesGoToTheEarlierItem)
{
    TListFixture F{"e\\w+", "ef", "\\w"};
    F.List.SetSubject("abcdef gh");
    ASSERT_TRUE(F.List.Match());
    EXPECT_EQ(F.List.GetMatchedRegEx(), F.Items[2].get());
    F.List.Delete(2);
    EXPECT_EQ(F.List.GetMatchedRegEx(), nullptr);
    EXPECT_EQ(F.All(), (Hits{{0, 5}}));
    F.List.Delete(1);
    F.List.Insert(0, F.Items[1].get());
    ASSERT_TRUE(F.List.Match());
    EXPECT_EQ(F.List.GetMatchedRegEx(), F.Items[1].get());
    EXPECT_EQ(F.Items[1]->GetMatchedExpressionOffset(), 5);
}

TEST(PcreRegexList, EmptyMatchesNeverRepeat)
{
    TListFixture F{"x*"};
    F.Items[0]->SetState({});
    F.List.SetSubject("ab");
    EXPECT_EQ(F.All(), (Hits{{0, 1}, {0, 2}}));
}

TEST(PcreRegexList, ItemsFollowTheListsSubjectAndBounds)
{
    TListFixture F{"\\d"};
    F.List.SetSubject("a1b2c3");
    EXPECT_EQ(F.Items[0]->GetSubject(), "a1b2c3");
    F.List.SetStart(3);
    EXPECT_EQ(F.Items[0]->GetStart(), 3);
    ASSERT_TRUE(F.List.MatchAgain());
    EXPECT_EQ(F.Items[0]->GetMatchedExpressionOffset(), 4);
    F.List.SetStop(4);
    EXPECT_EQ(F.Items[0]->GetStop(), 4);
    EXPECT_FALSE(F.List.MatchAgain());

    // Items added or put in later follow as well.
    TRegex Late = NewRegex("c");
    F.List.Add(Late.get());
    EXPECT_EQ(Late->GetSubject(), "a1b2c3");
    EXPECT_EQ(Late->GetStart(), 3);
    TRegex Other = NewRegex("b");
    F.List.SetRegEx(1, Other.get());
    EXPECT_EQ(Other->GetSubject(), "a1b2c3");
    F.List.Clear();
    EXPECT_FALSE(F.List.Match());
}
