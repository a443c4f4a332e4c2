#include "platform/rtl/FileSearch.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

namespace {

struct TFound {
    AnsiString Name;
    int Attr;
    Int64 Size;
};

std::vector<TFound> SearchAll(const AnsiString& Path, int Attr)
{
    std::vector<TFound> Out;
    TSearchRec F;
    if (FindFirst(Path, Attr, F) == 0) {
        do
            Out.push_back({F.Name, F.Attr, F.Size});
        while (FindNext(F) == 0);
        FindClose(F);
    }
    return Out;
}

std::vector<AnsiString> Names(const std::vector<TFound>& Found)
{
    std::vector<AnsiString> Out;
    for (const auto& F : Found)
        Out.push_back(F.Name);
    return Out;
}

} // namespace

TEST(FileSearch, MasksMatchAsTheClassLibraryDoes)
{
    EXPECT_TRUE(MatchesMask("README", "*.*")); // every name, dot or not
    EXPECT_TRUE(MatchesMask("notes.txt", "*.TXT"));
    EXPECT_FALSE(MatchesMask("notes.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
    EXPECT_TRUE(MatchesMask("xaxxb", "*a*b")); // the star has to give back characters
    EXPECT_FALSE(MatchesMask("xaxxbx", "*a*b"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("a", ""));
    EXPECT_TRUE(MatchesMask("\xC3\x89t\xC3\xA9.txt", "\xC3\xA9*")); // "Été.txt" fits "é*"
    EXPECT_TRUE(MatchesMask("\xC3\xA9", "?"));                      // one letter, two bytes
}

TEST(FileSearch, EntriesComeInNameOrderAndOnlyWhatTheCallerAskedFor)
{
    TTempDir D;
    D.WriteFile("b.txt", "12345");
    D.WriteFile("A.txt", "1");
    D.WriteFile(".hidden", "");
    D.WriteFile("sub/inner.txt", "");
    D.WriteFile("c.dat", "");

    EXPECT_EQ(Names(SearchAll(D.Path() + "*.*", 0)), (std::vector<AnsiString>{"A.txt", "b.txt", "c.dat"}));
    EXPECT_EQ(Names(SearchAll(D.Path() + "*.txt", 0)), (std::vector<AnsiString>{"A.txt", "b.txt"}));
    EXPECT_EQ(Names(SearchAll(D.Path() + "*", faDirectory)),
              (std::vector<AnsiString>{".", "..", "A.txt", "b.txt", "c.dat", "sub"}));
    EXPECT_EQ(Names(SearchAll(D.Path() + "*.*", faAnyFile)),
              (std::vector<AnsiString>{".", "..", ".hidden", "A.txt", "b.txt", "c.dat", "sub"}));

    const auto Found = SearchAll(D.Path() + "*", faAnyFile);
    EXPECT_EQ(Found[2].Attr & faHidden, faHidden);
    EXPECT_EQ(Found[0].Attr & faHidden, 0); // "." is a folder, not a hidden name
    EXPECT_EQ(Found[4].Size, 5);
    EXPECT_EQ(Found[6].Attr & faDirectory, faDirectory);
}

TEST(FileSearch, ReportsReadOnlyFilesAndLargeSizes)
{
    TTempDir D;
    const AnsiString Locked = D.WriteFile("locked.txt", "x");
    ASSERT_EQ(::chmod(Locked.c_str(), 0444), 0);
    const AnsiString Big = D.WriteFile("big.bin", "");
    ASSERT_EQ(::truncate(Big.c_str(), INT64_C(5) << 30), 0); // sparse: nothing is written

    const auto Found = SearchAll(D.Path() + "*", 0);
    ASSERT_EQ(Found.size(), 2u);
    EXPECT_EQ(Found[0].Size, INT64_C(5) << 30);
    EXPECT_EQ(Found[1].Attr & faReadOnly, faReadOnly);
    EXPECT_EQ(Found[0].Attr & faReadOnly, 0);
}

TEST(FileSearch, FailedSearchesReportAnErrorAndLeaveNothingOpen)
{
    TTempDir D;
    D.WriteFile("only.txt", "");
    TSearchRec F;
    EXPECT_NE(FindFirst(D.Path() + "missing/*.*", faAnyFile, F), 0);
    EXPECT_EQ(F.FindHandle, INVALID_HANDLE_VALUE);
    EXPECT_NE(FindFirst(D.Path() + "*.none", faAnyFile, F), 0);
    // Matching entries that the caller excluded count as none found.
    D.WriteFile(".only-hidden/x", "");
    EXPECT_EQ(FindFirst(D.Path() + ".only*", 0, F), static_cast<int>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(F.FindHandle, INVALID_HANDLE_VALUE);

    ASSERT_EQ(FindFirst(D.Path() + "only.txt", 0, F), 0);
    EXPECT_EQ(F.Name, "only.txt");
    EXPECT_EQ(FindNext(F), static_cast<int>(ERROR_NO_MORE_FILES));
    FindClose(F);
    EXPECT_EQ(F.FindHandle, INVALID_HANDLE_VALUE);
}
