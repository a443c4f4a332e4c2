// tests/grid/GxCellsTest.cpp
#include "CellsFixture.h"

using namespace CellsFixture;

namespace {

using GxCells::TRow;
using Cells_t = std::vector<std::pair<int, int>>;

struct GxCells : TCellsFixture {
    // Three text columns; cell (c, r) reads "<r><letter c>".
    void Grid3(int Rows)
    {
        for (int C = 0; C < 3; ++C)
            AddTyped(ctString);
        Cells->AddRow(Rows);
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < 3; ++C)
                Cells->GetCell(C, R).SetAsString(Utf8ToWide(std::to_string(R) + char('a' + C)));
        Changes.clear();
    }
    // Every row as its cells' texts joined.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> Out;
        for (int R = 0; R < Cells->GetRowCount(); ++R) {
            std::string Row;
            for (int C = 0; C < Cells->GetColumnCount(); ++C)
                Row += WideToUtf8(Cells->GetCell(C, R).GetAsString()) + ' ';
            Out.push_back(Row);
        }
        return Out;
    }
};

TEST_F(GxCells, EachOperationMakesCellsByItsOwnTable)
{
    TTestColumn* Inc = AddTyped(ctAutoInc);
    Inc->SetColor(clRed);
    Inc->GetFont()->SetStyle({fsBold});
    Cells->AddRow(2);
    Cells->InsertRow(1);
    Cells->AddChildRow(0, 1);
    EXPECT_EQ(Cells->GetCell(0, 0).ClassType(), TIncrementCell::StaticClassType());
    EXPECT_EQ(Cells->GetCell(0, 2).ClassType(), TIntegerCell::StaticClassType());
    EXPECT_EQ(Cells->GetCell(0, 2).GetAsInteger(), 0);
    EXPECT_EQ(Cells->GetCell(0, 1).ClassType(), TIncrementCell::StaticClassType()); // the child
    EXPECT_EQ(Cells->GetCell(0, 3).GetAsInteger(), 4);
    // A new column fills the rows by its own table: an appended
    // auto-increment column counts, an inserted one holds integers.
    AddTyped(ctAutoInc);
    Cells->DeleteColumn(1);
    Cells->AddColumn();
    EXPECT_EQ(Cells->GetCell(1, 3).GetAsInteger(), 4);
    Cells->DeleteColumn(1);
    Cells->InsertColumn(1);
    EXPECT_EQ(Cells->GetCell(1, 3).ClassType(), TIntegerCell::StaticClassType());
    EXPECT_EQ(Cells->GetCell(1, 3).GetAsInteger(), 0);
    // Colour and style come from the column, unlocked and unreported.
    const TCell C = Cells->GetCell(0, 2);
    EXPECT_EQ(C.GetColor(), clRed);
    EXPECT_EQ(C.GetFontStyle(), TFontStyles{fsBold});
    EXPECT_FALSE(C.GetLocked());
    EXPECT_TRUE(Changes.empty());
}

TEST_F(GxCells, MembersReportChangesUnlessLocked)
{
    Grid3(3);
    TCell C = Cells->GetCell(1, 2);
    C.SetColor(clBlue);
    C.SetFontStyle({fsItalic, fsStrikeOut});
    C.SetHint(u"tip");
    TObject Object;
    C.SetObjectReference(&Object); // carried, not reported
    EXPECT_EQ(Changes, (Cells_t{{1, 2}, {1, 2}, {1, 2}}));
    C.SetLocked(true);
    Changes.clear();
    C.SetColor(clGreen);
    C.SetHint(u"");
    C.SetEmpty(true); // reported even when locked
    EXPECT_EQ(Changes, (Cells_t{{1, 2}}));
    EXPECT_EQ(C.GetState(), (TGxCellState{cstEmpty, cstLocked}));
    EXPECT_EQ(C.GetColor(), clGreen);
    EXPECT_EQ(C.GetFontStyle(), (TFontStyles{fsItalic, fsStrikeOut}));
    EXPECT_EQ(C.GetHint(), u"");
    EXPECT_EQ(C.GetObjectReference(), &Object);
    EXPECT_EQ(Cells->GetCell(1, 1).GetObjectReference(), nullptr);
    EXPECT_EQ(C.GetAsString(), u"2b");
}

TEST_F(GxCells, ACellIsItsOwnColumnAndRowWhereverTheyMove)
{
    Grid3(4);
    TCell C = Cells->GetCell(0, 1);
    Cells->GetCell(2, 3); // the store's current cell is another one
    C.SetAsString(u"x");
    EXPECT_EQ(Changes, (Cells_t{{0, 1}}));
    EXPECT_EQ(Cells->GetCurrentColumn(), 2);
    Cells->InsertRow(0);
    Columns->Move(0, 2);
    EXPECT_EQ(C.GetRowIndex(), 2);
    EXPECT_EQ(C.GetColumnIndex(), 2);
    EXPECT_EQ(Cells->GetCellRowIndex(C), 2);
    EXPECT_EQ(C.GetAsString(), u"x");
    EXPECT_EQ(Cells->GetCell(2, 2), C);
    // The grid answers for the cell where it is now.
    EXPECT_EQ(C.GetActualColor(), 2 * 1000 + 2);
    EXPECT_EQ(C.GetActualFontColor(), -(2 * 1000 + 2));
    EXPECT_TRUE(C.GetHighlighted());
}

TEST_F(GxCells, ACellWhoseRowOrColumnHasGoneRaises)
{
    Grid3(3);
    TCell Row1 = Cells->GetCell(0, 1), Col2 = Cells->GetCell(2, 0), Kept = Cells->GetCell(1, 2);
    Cells->DeleteRow(1);
    Cells->AddRow(1); // may take the freed row's place
    EXPECT_THROW(Row1.GetAsString(), EListError);
    EXPECT_THROW(Row1.SetAsString(u"y"), EListError);
    EXPECT_EQ(Cells->GetCellRowIndex(Row1), -1);
    Columns->Delete(2);
    EXPECT_THROW(Col2.GetColor(), EListError);
    EXPECT_EQ(Cells->GetCellRowIndex(Col2), -1);
    EXPECT_EQ(Kept.GetAsString(), u"2b");
    Cells->ClearRows();
    EXPECT_THROW(Kept.GetAsInteger(), EListError);
    EXPECT_THROW(TCell().GetAsString(), EListError);
}

TEST_F(GxCells, BadIndicesRaiseListErrors)
{
    Grid3(2);
    EXPECT_THROW(Cells->GetCell(3, 0), EListError);
    EXPECT_THROW(Cells->GetCell(-1, 0), EListError);
    EXPECT_THROW(Cells->GetCell(0, 2), EListError);
    EXPECT_THROW(Cells->GetRow(-1), EListError);
    EXPECT_THROW(Cells->InsertRow(3), EListError);
    EXPECT_THROW(Cells->DeleteRow(2), EListError);
    EXPECT_THROW(Cells->MoveRow(0, 2), EListError);
    EXPECT_THROW(Cells->SwapRows(-1, 0), EListError);
    EXPECT_THROW(Cells->ShowRow(5, false), EListError);
    EXPECT_THROW(Cells->AddChildRow(0, 3), EListError);
    EXPECT_THROW(Cells->DeleteColumn(3), EListError);
    EXPECT_THROW(Cells->MoveColumn(0, 3), EListError);
    try {
        Cells->GetCell(7, 0);
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message, "List index out of bounds (7)");
    }
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0a 0b 0c ", "1a 1b 1c "}));
}

TEST_F(GxCells, RowAndColumnOperationsKeepEveryColumnInStep)
{
    Grid3(4);
    TRow* Third = Cells->GetRow(2);
    Cells->InsertRow(1);
    Cells->DeleteRow(0);
    Cells->MoveRow(0, 3);
    Cells->SwapRows(0, 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2a 2b 2c ", "1a 1b 1c ", "3a 3b 3c ", "   "}));
    EXPECT_EQ(Cells->GetRowIndex(Third), 0);
    Columns->Insert(ColumnClass<TTestColumn>, 1);
    Columns->Move(0, 3);
    Columns->Delete(2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{" 2b 2a ", " 1b 1a ", " 3b 3a ", "   "}));
    // The last column takes the rows with it.
    Columns->Clear();
    AddTyped(ctString);
    Cells->AddRow(1);
    Columns->Delete(0);
    EXPECT_EQ(Cells->GetRowCount(), 0);
    EXPECT_EQ(Cells->GetVisibleRowCount(), 0);
    EXPECT_EQ(Cells->GetRowIndex(Third), -1);
    EXPECT_EQ(Cells->GetRowIndex(reinterpret_cast<TRow*>(&Changes)), -1);
}

TEST_F(GxCells, TextsAndColoursHoldAcrossTheStoresPieces)
{
    // Enough rows for two blocks of cells and texts for several chunks of
    // text: lengths that end chunks anywhere, and two longer than a chunk.
    TTestColumn* Column = AddTyped(ctString);
    Column->SetColor(clRed);
    const int Rows = 5000;
    Cells->AddRow(Rows);
    auto TextOf = [](int R) {
        const std::size_t Length = R == 7 ? 40000 : R == 4095 ? 32769 : std::size_t(R % 41);
        return WideString(Length, char16_t(u'a' + R % 26));
    };
    for (int R = 0; R < Rows; ++R)
        Cells->GetCell(0, R).SetAsString(TextOf(R));
    Cells->GetCell(0, 5).SetColor(clGreen);
    Column->SetColor(clBlue);
    Cells->AddRow(1); // in a block whose cells were all red
    for (int R = 0; R < Rows; ++R)
        ASSERT_EQ(Cells->GetCell(0, R).GetAsString(), TextOf(R)) << R;
    const std::pair<int, TColor> Colours[] = {{4, clRed}, {5, clGreen}, {6, clRed}, {4999, clRed}, {5000, clBlue}};
    for (const auto& [Row, Colour] : Colours)
        EXPECT_EQ(Cells->GetCell(0, Row).GetColor(), Colour) << Row;
}

TEST_F(GxCells, TreeCountsAndChildren)
{
    Grid3(3);
    // 0, its children 1 (with child 2) and 3, then the old rows 1 and 2.
    Cells->AddChildRow(0, 1);
    Cells->AddChildRow(1, 2);
    Cells->AddChildRow(0, 3);
    EXPECT_EQ(Cells->GetChildCount(0), 3);
    EXPECT_EQ(Cells->GetChildsCount(0), 1); // stops at the grandchild
    EXPECT_EQ(Cells->GetRow(0)->GetChildCount(), 2);
    EXPECT_EQ(Cells->GetRow(2)->GetLevel(), 2);
    EXPECT_EQ(Cells->GetRow(2)->GetParent(), Cells->GetRow(1));
    EXPECT_EQ(Cells->GetAbsoluteIndex(0, 0), 1);
    EXPECT_EQ(Cells->GetAbsoluteIndex(1, 0), 3);
    EXPECT_EQ(Cells->GetAbsoluteIndex(2, 0), -1);
    EXPECT_EQ(Cells->GetAbsoluteIndex(0, 4), -1);
    // A child of a collapsed row starts hidden.
    Cells->GetRow(3)->SetExpanded(false);
    Cells->AddChildRow(3, 4);
    EXPECT_FALSE(Cells->GetRow(4)->GetVisible());
    EXPECT_EQ(Cells->GetVisibleRowCount(), 6);
    // A deleted parent leaves no dangling parent behind.
    Cells->DeleteRow(1);
    EXPECT_EQ(Cells->GetRow(1)->GetParent(), nullptr);
}

TEST_F(GxCells, EveryChangeOfOrderClearsSorted)
{
    Grid3(3);
    const std::vector<std::function<void()>> Changers = {
        [&] { Cells->AddRow(0); },         [&] { Cells->InsertRow(0); },
        [&] { Cells->MoveRow(0, 1); },     [&] { Cells->SwapRows(0, 1); },
        [&] { Cells->AddChildRow(0, 1); }, [&] { Cells->GetCell(0, 0).SetAsString(u"z"); },
        [&] { Columns->Move(0, 1); },      [&] { Columns->Insert(ColumnClass<TTestColumn>, 0); },
        [&] { Columns->Delete(0); },       [&] { Cells->ClearRows(); },
    };
    for (std::size_t I = 0; I < Changers.size(); ++I) {
        Cells->SortColumn(0, stAlphabetic, skAscending, false);
        ASSERT_TRUE(Cells->GetSorted());
        Changers[I]();
        EXPECT_FALSE(Cells->GetSorted()) << I;
    }
}

} // namespace
