// tests/grid/GxCellsSortTest.cpp
#include "CellsFixture.h"

#include <algorithm>
#include <random>

using namespace CellsFixture;

namespace {

using Texts_t = std::vector<WideString>;

struct GxCellsSort : TCellsFixture {
    GxCellsSort()
    {
        AddTyped(ctString);
        AddTyped(ctString); // each row's original position, to follow the rows
    }
    void Fill(std::initializer_list<const char16_t*> Values)
    {
        FillTexts(Values);
        for (int R = 0; R < Cells->GetRowCount(); ++R)
            Cells->GetCell(1, R).SetAsInteger(R);
        Changes.clear();
    }
    void Sort(TSortType Type, TSortKind Kind, bool FullResort = false) { Cells->SortColumn(0, Type, Kind, FullResort); }
    std::vector<int> Origins()
    {
        std::vector<int> Out;
        for (int R = 0; R < Cells->GetRowCount(); ++R)
            Out.push_back(Cells->GetCell(1, R).GetAsInteger());
        return Out;
    }
};

TEST_F(GxCellsSort, EachTypeBothWays)
{
    Fill({u"b", u"A", u"é", u"a", u"B", u"C"});
    Sort(stAlphabetic, skAscending);
    EXPECT_EQ(Texts(), (Texts_t{u"A", u"B", u"C", u"a", u"b", u"é"}));
    Sort(stCaseInsensitive, skAscending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"A", u"a", u"B", u"b", u"C", u"é"})); // equal keys keep their order
    Sort(stCaseInsensitive, skDescending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"é", u"C", u"B", u"b", u"A", u"a"}));

    Cells->ClearRows();
    Fill({u"10", u"9.5", u"-1", u"100"});
    Sort(stNumeric, skAscending);
    EXPECT_EQ(Texts(), (Texts_t{u"-1", u"9.5", u"10", u"100"}));
    Sort(stAlphabetic, skAscending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"-1", u"10", u"100", u"9.5"}));

    Cells->ClearRows();
    Fill({u"3/5/2024", u"", u"1/2/2025", u"12/31/2023"});
    Sort(stDate, skDescending);
    EXPECT_EQ(Texts(), (Texts_t{u"1/2/2025", u"3/5/2024", u"12/31/2023", u""}));

    Cells->ClearRows();
    Fill({u"True", u"False", u"1", u"0"});
    Sort(stBoolean, skAscending);
    EXPECT_EQ(Texts(), (Texts_t{u"False", u"0", u"True", u"1"}));
}

TEST_F(GxCellsSort, AddressesWeighTheFourthNumberMostAndAscendGreatestFirst)
{
    Fill({u"10.0.0.1", u"10.0.0.3", u"9.0.0.2", u"1.2.3.4.99"});
    Sort(stIP, skAscending);
    EXPECT_EQ(Texts(), (Texts_t{u"1.2.3.4.99", u"10.0.0.3", u"9.0.0.2", u"10.0.0.1"}));
    Sort(stIP, skDescending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"10.0.0.1", u"9.0.0.2", u"10.0.0.3", u"1.2.3.4.99"}));
    EXPECT_EQ(Cells->CompareCells(stIP, Cells->GetCell(0, 0), Cells->GetCell(0, 1)), -1);
}

TEST_F(GxCellsSort, AConversionErrorRaisesBeforeAnyRowMoves)
{
    Fill({u"3", u"1", u"", u"2"});
    Sort(stAlphabetic, skDescending);
    const auto Before = Origins();
    EXPECT_THROW(Sort(stNumeric, skAscending, true), EConvertError);
    EXPECT_EQ(Origins(), Before);
    EXPECT_EQ(Cells->GetSortKind(), skDescending);
    EXPECT_TRUE(Cells->GetSorted());

    Cells->ClearRows();
    Fill({u"1.1.1.1", u"1..2", u"2.2.2.2"});
    EXPECT_THROW(Sort(stIP, skAscending), EConvertError);
    EXPECT_EQ(Origins(), (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(Cells->GetSorted());
    for (const char16_t* Bad : {u".1", u"1.2..", u"abc"}) {
        Cells->GetCell(0, 1).SetAsString(Bad);
        EXPECT_THROW(Sort(stIP, skAscending), EConvertError) << WideToUtf8(Bad);
    }
}

TEST_F(GxCellsSort, ReversalMatchesAFreshSortUntilSomethingChanges)
{
    std::mt19937 Random(7);
    for (int R = 0; R < 300; ++R) {
        Cells->AddRow(1);
        Cells->GetCell(0, R).SetAsString(Utf8ToWide(std::to_string(Random() % 40)));
        Cells->GetCell(1, R).SetAsInteger(R);
    }
    Sort(stNumeric, skAscending);
    const auto Ascending = Origins();
    Sort(stNumeric, skDescending); // reverses, equal keys included
    auto Reversed = Ascending;
    std::reverse(Reversed.begin(), Reversed.end());
    EXPECT_EQ(Origins(), Reversed);
    const auto Keys = Texts();
    Sort(stNumeric, skDescending, true);
    EXPECT_EQ(Texts(), Keys);
    // A change in between makes the next request a sort.
    Cells->GetCell(0, 0).SetAsString(u"0");
    Sort(stNumeric, skAscending);
    EXPECT_EQ(Cells->GetCell(0, 0).GetAsString(), u"0");
    EXPECT_TRUE(std::is_sorted(Keys.rbegin(), Keys.rend(), [](const WideString& A, const WideString& B) {
        return std::stoi(WideToUtf8(A)) < std::stoi(WideToUtf8(B));
    }));
}

TEST_F(GxCellsSort, CustomSortAsksTheHandlerAndEndsWhateverItAnswers)
{
    Fill({u"ccc", u"a", u"bb", u"dddd"});
    Sort(stCustom, skAscending); // no handler: every pair is equal
    EXPECT_EQ(Origins(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(Cells->GetSorted());
    Cells->OnCompare = [](TObject*, const TCell& A, const TCell& B, int& Compare) {
        Compare = int(A.GetAsString().size()) - int(B.GetAsString().size());
    };
    Sort(stCustom, skDescending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"dddd", u"ccc", u"bb", u"a"}));
    EXPECT_EQ(Cells->CompareCells(stCustom, Cells->GetCell(0, 3), Cells->GetCell(0, 0)), -3);

    std::mt19937 Random(1);
    Cells->OnCompare = [&Random](TObject*, const TCell&, const TCell&, int& Compare) {
        Compare = int(Random() % 3) - 1;
    };
    for (int R = 4; R < 504; ++R) {
        Cells->AddRow(1);
        Cells->GetCell(1, R).SetAsInteger(R);
    }
    Sort(stCustom, skAscending, true);
    auto Shuffled = Origins();
    std::sort(Shuffled.begin(), Shuffled.end());
    EXPECT_EQ(Shuffled.back(), 503);
    EXPECT_EQ(std::unique(Shuffled.begin(), Shuffled.end()), Shuffled.end()); // every row once
    // A handler that adds rows stops the sort, which then moves nothing.
    Cells->OnCompare = [this](TObject*, const TCell&, const TCell&, int&) { Cells->AddRow(1); };
    const auto Before = Origins();
    EXPECT_THROW(Sort(stCustom, skAscending, true), EInvalidOperation);
    for (std::size_t R = 0; R < Before.size(); ++R)
        ASSERT_EQ(Cells->GetCell(1, int(R)).GetAsInteger(), Before[R]);
}

TEST_F(GxCellsSort, SiblingsSortWithTheirDescendants)
{
    Fill({u"b", u"a", u"c"});
    // b has children b2, b1 (b1 has child x); c has child c1.
    Cells->AddChildRow(0, 1);
    Cells->GetCell(0, 1).SetAsString(u"b2");
    Cells->AddChildRow(0, 2);
    Cells->GetCell(0, 2).SetAsString(u"b1");
    Cells->AddChildRow(2, 3);
    Cells->GetCell(0, 3).SetAsString(u"x");
    Cells->AddChildRow(5, 6);
    Cells->GetCell(0, 6).SetAsString(u"c1");
    Sort(stAlphabetic, skAscending);
    EXPECT_EQ(Texts(), (Texts_t{u"a", u"b", u"b1", u"x", u"b2", u"c", u"c1"}));
    Sort(stAlphabetic, skDescending);
    EXPECT_EQ(Texts(), (Texts_t{u"c", u"c1", u"b", u"b2", u"b1", u"x", u"a"}));
    Sort(stAlphabetic, skDescending, true);
    EXPECT_EQ(Texts(), (Texts_t{u"c", u"c1", u"b", u"b2", u"b1", u"x", u"a"}));
    EXPECT_EQ(Cells->GetRow(3)->GetParent(), Cells->GetRow(2));
}

TEST_F(GxCellsSort, AnEmptyOrSingleRowStoreIsSortedAtOnce)
{
    Sort(stNumeric, skAscending);
    EXPECT_TRUE(Cells->GetSorted());
    Fill({u"not a number"});
    Sort(stAlphabetic, skDescending);
    EXPECT_EQ(Cells->GetSortedColumn(), 0);
    EXPECT_EQ(Cells->GetSortKind(), skDescending);
}

} // namespace
