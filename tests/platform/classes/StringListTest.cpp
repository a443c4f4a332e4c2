#include "platform/classes/Classes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(StringList, SortedListKeepsOrderAndAppliesTheDuplicatesRule)
{
    TStringList L;
    L.SetSorted(true);
    L.Add("pear");
    L.Add("Apple");
    L.Add("banana");
    EXPECT_EQ(L.GetCommaText(), "Apple,banana,pear");
    EXPECT_EQ(L.Add("APPLE"), 0); // dupIgnore: case-insensitive match, nothing added
    EXPECT_EQ(L.GetCount(), 3);
    L.SetDuplicates(dupAccept);
    L.Add("APPLE");
    EXPECT_EQ(L.GetCount(), 4);
    L.SetDuplicates(dupError);
    EXPECT_THROW(L.Add("pear"), EStringListError);
    EXPECT_THROW(L.Insert(0, "x"), EStringListError);
    int Index = -1;
    EXPECT_TRUE(L.Find("BANANA", Index));
    EXPECT_EQ(L.Get(Index), "banana");
    EXPECT_FALSE(L.Find("cherry", Index));
    EXPECT_EQ(Index, 3);
}

// A list may copy the string it is given or take it; either way the same
// rules place it, and a string the list refuses is left as it was.
TEST(StringList, CopiedAndTakenStringsFollowTheSameRules)
{
    for (const bool Take : {false, true}) {
        THashedStringList L;
        L.SetSorted(true);
        std::vector<int> Places;
        for (const char* Text : {"pear", "Apple", "banana", "APPLE"}) {
            AnsiString S = Text;
            Places.push_back(Take ? L.AddMoved(std::move(S)) : L.Add(S));
        }
        EXPECT_EQ(Places, (std::vector<int>{0, 0, 1, 0})) << Take;
        EXPECT_EQ(L.GetCommaText(), "Apple,banana,pear");
        EXPECT_EQ(L.IndexOf("BANANA"), 1); // the hash follows
        L.SetDuplicates(dupError);
        AnsiString Pear = "PEAR";
        EXPECT_THROW(Take ? L.AddMoved(std::move(Pear)) : L.Add(Pear), EStringListError);
        EXPECT_EQ(Pear, "PEAR");
        EXPECT_EQ(L.GetCount(), 3);
    }
}

TEST(StringList, CaseSensitiveListsTreatCaseVariantsAsDifferent)
{
    TStringList L;
    L.SetCaseSensitive(true);
    L.SetSorted(true);
    L.Add("a");
    L.Add("A");
    EXPECT_EQ(L.GetCount(), 2);
    EXPECT_EQ(L.Get(0), "A"); // code-point order
    EXPECT_EQ(L.IndexOf("a"), 1);
    L.SetCaseSensitive(false);
    EXPECT_EQ(L.IndexOf("a") >= 0, true);
}

TEST(StringList, IndexErrorsNameTheIndex)
{
    TStringList L;
    L.Add("x");
    try {
        L.Get(5);
        FAIL();
    } catch (const EStringListError& E) {
        EXPECT_EQ(E.Message, "List index out of bounds (5)");
    }
    EXPECT_THROW(L.Delete(-1), EStringListError);
}

TEST(StringList, TextReadsEveryLineBreakAndWritesLineFeeds)
{
    TStringList L;
    L.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(L.GetCount(), 4);
    EXPECT_EQ(L.Get(3), "d");
    EXPECT_EQ(L.GetText(), "a\nb\nc\nd\n");
    L.SetText("one\r\n\r\n");
    ASSERT_EQ(L.GetCount(), 2);
    EXPECT_EQ(L.Get(1), "");
    L.SetText("");
    EXPECT_EQ(L.GetCount(), 0);
    L.SetText("\n");
    EXPECT_EQ(L.GetCount(), 1);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt)
{
    TStringList L;
    L.Add("plain");
    L.Add("with blank");
    L.Add("say \"hi\"");
    L.Add("");
    EXPECT_EQ(L.GetCommaText(), "plain,\"with blank\",\"say \"\"hi\"\"\",");
    TStringList M;
    M.SetCommaText(L.GetCommaText());
    EXPECT_EQ(M.GetCount(), 4);
    EXPECT_EQ(M.Get(2), "say \"hi\"");
    M.SetCommaText("a b,c");
    EXPECT_EQ(M.GetCount(), 3); // blanks delimit outside quotes
}

TEST(StringList, NamesAndValues)
{
    TStringList L;
    L.Add("Key=Value");
    L.Add("Other=1=2");
    EXPECT_EQ(L.GetNames(1), "Other");
    EXPECT_EQ(L.GetValues("KEY"), "Value");
    EXPECT_EQ(L.GetValues("Other"), "1=2");
    L.SetValues("New", "x");
    EXPECT_EQ(L.Get(2), "New=x");
    L.SetValues("Key", "");
    EXPECT_EQ(L.IndexOfName("Key"), -1);
}

TEST(StringList, ChangeEventsRespectUpdateNesting)
{
    TStringList L;
    int Changes = 0, Changings = 0;
    L.OnChange = [&](TObject*) { ++Changes; };
    L.OnChanging = [&](TObject*) { ++Changings; };
    L.Add("a");
    EXPECT_EQ(Changes, 1);
    L.BeginUpdate();
    L.Add("b");
    L.Add("c");
    L.BeginUpdate();
    L.EndUpdate();
    EXPECT_EQ(Changes, 1);
    L.EndUpdate();
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Changings, 2);

    // A copy that fails half way ends its update all the same, and a change
    // handler that raises at the end of an update reaches the caller.
    TStringList Source;
    Source.Add("x");
    Source.Add("x");
    L.SetSorted(true);
    L.SetDuplicates(dupError);
    EXPECT_THROW(L.AddStrings(&Source), EStringListError);
    const int Before = Changes;
    L.Add("d");
    EXPECT_EQ(Changes, Before + 1);
    L.OnChange = [](TObject*) { throw Exception("Change refused"); };
    EXPECT_THROW(L.Exchange(0, 1), Exception);
}

TEST(StringList, FilesRoundTripBytesAndAcceptWindowsLineEnds)
{
    TTempDir Dir;
    const AnsiString Name = Dir.WriteFile("in.txt", "one\r\ntwo\xFF\r\n");
    TStringList L;
    L.LoadFromFile(Name);
    ASSERT_EQ(L.GetCount(), 2);
    EXPECT_EQ(L.Get(1), "two\xFF");
    L.SaveToFile(Dir.Path() + "out.txt");
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "out.txt"), "one\ntwo\xFF\n");
    EXPECT_THROW(L.LoadFromFile(Dir.Path() + "missing.txt"), EFOpenError);
}

TEST(StringList, HashedListFindsByFoldedKeyAndFollowsChanges)
{
    THashedStringList L;
    L.Add("Alpha");
    L.Add("\xC3\x89t\xC3\xA9");
    EXPECT_EQ(L.IndexOf("ALPHA"), 0);
    EXPECT_EQ(L.IndexOf("\xC3\xA9T\xC3\x89"), 1);
    L.Delete(0);
    EXPECT_EQ(L.IndexOf("alpha"), -1);
    EXPECT_EQ(L.IndexOf("\xC3\xA9t\xC3\xA9"), 0);
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf("\xC3\xA9t\xC3\xA9"), -1);
}
