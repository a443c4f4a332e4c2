// tests/grid/GxCellsSortTest.cpp
#include "CellsFixture.h"

#include <algorithm>
#include <functional>
#include <limits>
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
    // A change in between makes the next request a sort: the greatest key,
    // now the smallest, leads instead of trailing as a reversal would leave it.
    const int Changed = Cells->GetCell(1, 0).GetAsInteger();
    Cells->GetCell(0, 0).SetAsString(u"-1");
    Sort(stNumeric, skAscending);
    EXPECT_EQ(Cells->GetCell(1, 0).GetAsInteger(), Changed);
    const auto After = Texts();
    EXPECT_TRUE(std::is_sorted(After.begin(), After.end(), [](const WideString& A, const WideString& B) {
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
    // Under every type, though the text converts to none of them.
    Fill({u"not a number"});
    int Calls = 0;
    Cells->OnCompare = [&Calls](TObject*, const TCell&, const TCell&, int&) { ++Calls; };
    for (TSortType Type : {stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP})
        for (TSortKind Kind : {skDescending, skAscending}) {
            Cells->GetCell(1, 0).SetAsString(u"changed"); // no reversal: a sort each time
            ASSERT_NO_THROW(Sort(Type, Kind)) << int(Type);
            EXPECT_TRUE(Cells->GetSorted());
            EXPECT_EQ(Cells->GetSortedColumn(), 0);
            EXPECT_EQ(Cells->GetSortKind(), Kind);
        }
    EXPECT_EQ(Calls, 0);
    EXPECT_EQ(Texts(), (Texts_t{u"not a number"}));
}

TEST_F(GxCellsSort, NotANumberSortsAfterEveryNumberAndKeepsItsPlaceAmongItsKind)
{
    AddTyped(ctFloat);
    AddTyped(ctDate);
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const double Keys[] = {5, NaN, 3, 4, NaN, 1, 2, 0};
    for (double Key : Keys) {
        Cells->AddRow(1);
        const int R = Cells->GetRowCount() - 1;
        Cells->GetCell(1, R).SetAsInteger(R);
        Cells->GetCell(2, R).SetAsFloat(Key);
        Cells->GetCell(3, R).SetAsDateTime(Key);
    }
    for (int Col : {2, 3}) {
        const TSortType Type = Col == 2 ? stNumeric : stDate;
        Cells->SortColumn(Col, Type, skAscending, true);
        EXPECT_EQ(Origins(), (std::vector<int>{7, 5, 6, 2, 3, 0, 1, 4})) << Col;
        Cells->SortColumn(Col, Type, skDescending, true);
        EXPECT_EQ(Origins(), (std::vector<int>{1, 4, 0, 3, 2, 6, 5, 7})) << Col;
        // Where a NaN stands is where the descending sort put it.
        const TCell NaNCell = Cells->GetCell(Col, 0), Other = Cells->GetCell(Col, 1), Five = Cells->GetCell(Col, 2);
        EXPECT_EQ(Cells->CompareCells(Type, NaNCell, Five), 1);
        EXPECT_EQ(Cells->CompareCells(Type, Five, NaNCell), -1);
        EXPECT_EQ(Cells->CompareCells(Type, NaNCell, Other), 0);
    }
    Cells->SortColumn(3, stDate, skAscending, false); // the reversal
    EXPECT_EQ(Origins(), (std::vector<int>{7, 5, 6, 2, 3, 0, 4, 1}));
}

TEST_F(GxCellsSort, AChangeHandlerThatRaisesLeavesNoStaleOrder)
{
    Fill({u"10", u"30", u"20", u"40"});
    Sort(stNumeric, skAscending);
    Cells->OnCellChange = [](TObject*, int, int) { throw EInvalidOperation("refused"); };
    EXPECT_THROW(Cells->GetCell(0, 0).SetAsString(u"99"), EInvalidOperation);
    EXPECT_FALSE(Cells->GetSorted());
    Sort(stNumeric, skDescending); // a sort, not a reversal of 99 20 30 40
    EXPECT_EQ(Texts(), (Texts_t{u"99", u"40", u"30", u"20"}));
}

// The order the tree sort first had, as the reference: at every level it
// looks for each sibling block's end row by row, then orders the blocks
// stably (or reverses them).
std::vector<int> TreeOrderModel(const std::vector<int>& Levels, const std::function<bool(int, int)>& Less)
{
    std::vector<int> Out;
    std::function<void(int, int)> Place = [&](int Lo, int Hi) {
        std::vector<std::pair<int, int>> Blocks;
        for (int I = Lo; I < Hi;) {
            int J = I + 1;
            while (J < Hi && Levels[std::size_t(J)] > Levels[std::size_t(I)])
                ++J;
            Blocks.emplace_back(I, J);
            I = J;
        }
        if (Less)
            std::stable_sort(Blocks.begin(), Blocks.end(), [&](auto& A, auto& B) { return Less(A.first, B.first); });
        else
            std::reverse(Blocks.begin(), Blocks.end());
        for (const auto& [Head, End] : Blocks) {
            Out.push_back(Head);
            Place(Head + 1, End);
        }
    };
    Place(0, int(Levels.size()));
    return Out;
}

TEST_F(GxCellsSort, TreesSortAndReverseAsTheyAlwaysDid)
{
    std::mt19937 Random(11);
    for (int Round = 0; Round < 12; ++Round) {
        SCOPED_TRACE(Round);
        Cells->ClearRows();
        Cells->OnCompare = nullptr;
        // Rows appended, children put anywhere among their parent's, now
        // and then at any place at all and rows deleted, so that levels
        // also come in orders no tree of the grid's own would have.
        const int Target = 1 + int(Random() % 400);
        while (Cells->GetRowCount() < Target) {
            const int N = Cells->GetRowCount(), Pick = Random() % 10;
            if (N == 0 || Pick < 2) {
                Cells->AddRow(1);
            } else if (Pick == 2 && Round % 3 == 0) {
                Cells->AddChildRow(int(Random() % N), int(Random() % (N + 1)));
            } else if (Pick == 3 && Round % 3 == 0) {
                Cells->DeleteRow(int(Random() % N));
            } else {
                const int Parent = int(Random() % N);
                Cells->AddChildRow(Parent, Parent + 1 + int(Random() % (Cells->GetChildCount(Parent) + 1)));
            }
        }
        std::vector<int> Levels, Keys;
        for (int R = 0; R < Cells->GetRowCount(); ++R) {
            Keys.push_back(int(Random() % 20));
            Cells->GetCell(0, R).SetAsString(Utf8ToWide(std::to_string(Keys.back())));
            Cells->GetCell(1, R).SetAsInteger(R);
            Levels.push_back(Cells->GetRow(R)->GetLevel());
        }
        const bool Down = Round % 2;
        Cells->OnCompare = [](TObject*, const TCell& A, const TCell& B, int& Compare) {
            Compare = A.GetAsInteger() - B.GetAsInteger();
        };
        Sort(Round % 4 < 2 ? stNumeric : stCustom, Down ? skDescending : skAscending, true);
        // Every row's origin is its position before the sort.
        const auto Sorted = TreeOrderModel(Levels, [&](int A, int B) {
            return Down ? Keys[std::size_t(A)] > Keys[std::size_t(B)] : Keys[std::size_t(A)] < Keys[std::size_t(B)];
        });
        ASSERT_EQ(Origins(), Sorted);
        // The reversal works on the order just made.
        std::vector<int> SortedLevels;
        for (int Origin : Sorted)
            SortedLevels.push_back(Levels[std::size_t(Origin)]);
        std::vector<int> Reversed;
        for (int Position : TreeOrderModel(SortedLevels, nullptr))
            Reversed.push_back(Sorted[std::size_t(Position)]);
        Sort(stNumeric, Down ? skAscending : skDescending);
        ASSERT_EQ(Origins(), Reversed);
    }
}

// Each handler changes the store on its first call. The sort must read no
// cell after that, so it asks no second time, and it moves no row itself.
TEST_F(GxCellsSort, ACompareHandlerThatChangesTheStoreStopsTheSortAtOnce)
{
    enum TChange { Clear, DeleteSortedColumn, NestedSort, NestedReversal };
    for (const TChange Change : {Clear, DeleteSortedColumn, NestedSort, NestedReversal})
        for (const bool Tree : {false, true}) {
            SCOPED_TRACE(testing::Message() << "change " << int(Change) << (Tree ? " in a tree" : ""));
            Cells->OnCompare = nullptr;
            Columns->Clear();
            AddTyped(ctString);
            AddTyped(ctString);
            std::mt19937 Random(3);
            for (int R = 0; R < 200; ++R) {
                if (Tree && R % 3 != 0)
                    Cells->AddChildRow(R - 1, R); // chains three rows deep
                else
                    Cells->AddRow(1);
                Cells->GetCell(0, R).SetAsString(Utf8ToWide(std::to_string(Random() % 50)));
                Cells->GetCell(1, R).SetAsInteger(R);
            }
            Cells->SortColumn(1, stNumeric, skAscending, false); // what the nested reversal reverses
            int Calls = 0;
            Cells->OnCompare = [&](TObject*, const TCell& A, const TCell& B, int& Compare) {
                if (Calls++ > 0) {
                    Compare = A.GetAsInteger() - B.GetAsInteger();
                    return;
                }
                switch (Change) {
                case Clear:
                    Cells->ClearRows();
                    break;
                case DeleteSortedColumn:
                    Columns->Delete(0);
                    break;
                case NestedSort:
                case NestedReversal:
                    Cells->SortColumn(1, stNumeric, skDescending, Change == NestedSort);
                    break;
                }
            };
            EXPECT_THROW(Cells->SortColumn(0, stCustom, skDescending, true), EInvalidOperation);
            EXPECT_EQ(Calls, 1);
            if (Change == Clear) {
                EXPECT_EQ(Cells->GetRowCount(), 0);
            } else if (Change == DeleteSortedColumn) {
                EXPECT_FALSE(Cells->GetSorted());
                EXPECT_EQ(Cells->GetSortKind(), skAscending);
                for (int R = 0; R < 200; ++R)
                    ASSERT_EQ(Cells->GetCell(0, R).GetAsInteger(), R);
            } else {
                // The handler's own sort or reversal stands, untouched by the
                // outer sort: a fresh descending sort finds nothing to move.
                EXPECT_TRUE(Cells->GetSorted());
                EXPECT_EQ(Cells->GetSortedColumn(), 1);
                EXPECT_EQ(Cells->GetSortKind(), skDescending);
                const auto After = Origins();
                EXPECT_NE(After[0], 0);
                Cells->OnCompare = nullptr;
                Cells->SortColumn(1, stNumeric, skDescending, true);
                EXPECT_EQ(Origins(), After);
            }
        }
}

} // namespace
