#include "app/FoldedKeys.h"
#include "platform/rtl/Codec.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>

using namespace FoldedKeys;

namespace {

// The order the duplicate list's keys must come in: by key bytes, equal keys as they came.
std::vector<std::size_t> ExpectedOrder(const std::vector<AnsiString>& Texts)
{
    std::vector<std::size_t> Order(Texts.size());
    for (std::size_t I = 0; I < Order.size(); ++I)
        Order[I] = I;
    std::stable_sort(Order.begin(), Order.end(),
                     [&](std::size_t A, std::size_t B) { return FoldedKey(Texts[A]) < FoldedKey(Texts[B]); });
    return Order;
}

} // namespace

TEST(FoldedKeys, RefusesTextsEqualIgnoringCaseOnlyWhenUnique)
{
    TFoldedKeys Keys;
    EXPECT_TRUE(Keys.Add("Anna@Example.org", true));
    EXPECT_FALSE(Keys.Add("anna@EXAMPLE.ORG", true));
    EXPECT_TRUE(Keys.Add("\xC3\x89t\xC3\xA9@x.fr", true)); // non-ASCII folds too
    EXPECT_FALSE(Keys.Add("\xC3\xA9T\xC3\x89@X.FR", true));
    EXPECT_TRUE(Keys.Add("anna@example.orgx", true)); // a longer key is another key
    EXPECT_TRUE(Keys.Add("", true));
    EXPECT_FALSE(Keys.Add("", true));
    ASSERT_EQ(Keys.GetCount(), 4u);
    EXPECT_EQ(Keys.Get(0), "anna@example.org");
    EXPECT_EQ(Keys.Get(2), "anna@example.orgx");
    // A refused key leaves nothing behind: the next key is whole.
    EXPECT_TRUE(Keys.Add("Bob", false));
    EXPECT_TRUE(Keys.Add("BOB", false));
    EXPECT_EQ(Keys.Get(4), "bob");
    EXPECT_EQ(Keys.Get(5), "bob");
    Keys.Clear();
    EXPECT_EQ(Keys.GetCount(), 0u);
    EXPECT_TRUE(Keys.Add("anna@example.org", true));
}

// Many keys (the hash grows many times), sharing long prefixes, shorter than
// the eight bytes compared as numbers, with high bytes and invalid UTF-8: every
// repeat is found, and the order is the keys' byte order, ties as they came.
TEST(FoldedKeys, FindsEveryRepeatAndSortsAsTheKeysCompare)
{
    std::mt19937 Random(35);
    const char* Pieces[] = {"a", "B", "ab", "\xC3\xA9", "\xC3\x89", "\xFF", "\x80", "z", "0", ".", "@"};
    std::vector<AnsiString> Texts;
    for (int I = 0; I < 20000; ++I) {
        AnsiString T = (Random() % 3 == 0) ? "shared.prefix@" : "";
        const int Length = static_cast<int>(Random() % 7);
        for (int J = 0; J < Length; ++J)
            T += Pieces[Random() % std::size(Pieces)];
        Texts.push_back(T);
    }
    TFoldedKeys All, Unique;
    std::vector<AnsiString> Kept;
    std::set<AnsiString> Seen;
    for (const AnsiString& T : Texts) {
        ASSERT_TRUE(All.Add(T, false));
        const bool New = Seen.insert(FoldedKey(T)).second;
        ASSERT_EQ(Unique.Add(T, true), New) << T;
        if (New) Kept.push_back(T);
    }
    ASSERT_LT(Kept.size(), Texts.size()); // repeats were met
    EXPECT_EQ(All.SortedOrder(), ExpectedOrder(Texts));
    EXPECT_EQ(Unique.SortedOrder(), ExpectedOrder(Kept));
    for (std::size_t I = 0; I < Kept.size(); ++I)
        ASSERT_EQ(Unique.Get(I), FoldedKey(Kept[I]));
}

// Keys folded elsewhere (the scan's workers make them) find the same repeats
// as texts folded here, and the keys sorted in runs on several threads come
// in the same order as sorted on one: ties between runs as they came, and
// keys alike in their first sixteen bytes ordered by the rest.
TEST(FoldedKeys, PreparedKeysAndKeysSortedOnThreadsAgreeWithThePlainWay)
{
    std::mt19937 Random(3535);
    std::vector<AnsiString> Texts;
    for (int I = 0; I < 90000; ++I) {
        AnsiString T = (Random() % 2 ? "Carol.Longname.0" : "carol.longname.0"); // sixteen bytes alike
        T += std::to_string(Random() % 40000);                                   // many repeats
        if (Random() % 5 == 0) T += "\xC3\x89\xFF";
        Texts.push_back(T);
    }
    TFoldedKeys ByText, Prepared, All;
    AnsiString Buffer;
    for (const AnsiString& T : Texts) {
        Buffer = "ahead of the key ";
        const TFoldedKey Key = TFoldedKeys::AppendKey(Buffer, T);
        EXPECT_EQ(Key.Bytes, FoldedKey(T));
        ASSERT_EQ(Prepared.Add(Key, true), ByText.Add(T, true)) << T;
        All.Add(Key, false);
    }
    ASSERT_EQ(Prepared.GetCount(), ByText.GetCount());
    ASSERT_LT(Prepared.GetCount(), Texts.size());
    EXPECT_EQ(All.SortedOrder(4), ExpectedOrder(Texts));
    EXPECT_EQ(All.SortedOrder(3), All.SortedOrder(1));
    EXPECT_EQ(Prepared.SortedOrder(4), ByText.SortedOrder(1));
}
