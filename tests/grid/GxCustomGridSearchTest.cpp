// tests/grid/GxCustomGridSearchTest.cpp: finding rows by a column's text,
// and the incremental search of typed keys.
#include "GxGridFixture.h"

#include <random>

namespace {

using namespace GxGridTests;

class GxCustomGridSearch : public TGxGridTest {
protected:
    // Column A holds Texts, B and C the row number.
    void Fill(const std::vector<WideString>& Texts)
    {
        for (const WideString& T : Texts) {
            const WideString N = Utf8ToWide(IntToStr(Grid->GetRowCount()));
            Grid->AddCells({T, N, N});
        }
    }
    // The row Find selects, or "none" with the selection left as it was.
    AnsiString Found(const std::function<bool()>& Find)
    {
        const int Before = Grid->GetSelectedRow();
        const bool Result = Find();
        if (!Result) return Grid->GetSelectedRow() == Before ? "none" : "none, but moved";
        return IntToStr(Grid->GetSelectedRow());
    }
    AnsiString Locate(int From, int To, const WideString& Text, TSearchOptions Options)
    {
        return Found([&] { return Grid->Locate(0, From, To, Text, Options); });
    }
    AnsiString Type(WideChar Key)
    {
        Grid->SearchKeyPress(Key);
        return IntToStr(Grid->GetSelectedRow());
    }
    void FireSearchTimer() { Grid->GetSearchTimer()->GetOnTimer()(Grid->GetSearchTimer()); }
};

TEST_F(GxCustomGridSearch, TheFourRulesKeepTheSelectedColumnAndAnEmptyTextMatchesOnlyWholeEmptyCells)
{
    Fill({u"Abacus", u"cab", u"abacus", u"ab", u"", u"xAB"});
    Grid->SetSelectedColumn(2);
    Grid->SetSelectedRow(5);
    const int Last = Grid->GetRowCount() - 1;
    EXPECT_EQ(Locate(0, Last, u"ab", {}), "1"); // a part, case counting
    EXPECT_EQ(Locate(0, Last, u"ab", {soExactMatch}), "3");
    EXPECT_EQ(Locate(0, Last, u"AB", {soCaseInsensitive}), "0");
    EXPECT_EQ(Locate(1, Last, u"ABACUS", {soCaseInsensitive, soExactMatch}), "2");
    EXPECT_EQ(Locate(0, Last, u"Aba", {soExactMatch}), "none");
    EXPECT_EQ(Locate(0, Last, u"", {}), "none");
    EXPECT_EQ(Locate(0, Last, u"", {soCaseInsensitive}), "none");
    EXPECT_EQ(Locate(0, Last, u"", {soExactMatch}), "4");
    EXPECT_EQ(Locate(0, Last, u"", {soExactMatch, soCaseInsensitive}), "4");
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
}

TEST_F(GxCustomGridSearch, LocateSkipsHiddenRowsUnlessToldAndTestsOnlyTheRowsThatExist)
{
    Fill({u"x", u"key", u"y", u"key", u"z"});
    Grid->SetRowVisible(1, false);
    EXPECT_EQ(Locate(0, 4, u"key", {}), "3");
    EXPECT_EQ(Locate(0, 4, u"key", {soSearchInvisible}), "1");
    // A range reaching past either end is cut to the rows there are.
    EXPECT_EQ(Locate(-10, 2, u"key", {soSearchInvisible}), "1");
    EXPECT_EQ(Locate(2, 1000, u"key", {}), "3");
    EXPECT_EQ(Locate(5, 1000, u"x", {}), "none");
    EXPECT_EQ(Locate(-10, -1, u"x", {}), "none");
    EXPECT_EQ(Locate(3, 2, u"y", {}), "none");

    // A column that does not exist raises before anything is selected,
    // whatever range goes with it.
    Grid->SetSelectedRow(0);
    for (int Col : {3, -1}) {
        try {
            Grid->Locate(Col, 1, 4, u"key", {});
            ADD_FAILURE() << "no exception for column " << Col;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, "Cell out of bounds (" + IntToStr(Col) + ", 1)");
        }
        EXPECT_THROW(Grid->Locate(Col, 50, 60, u"key", {}), Exception);
    }
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
}

TEST_F(GxCustomGridSearch, FindTextFromTheSelectionTurnsBackToTheTopOnlyWhenTold)
{
    EXPECT_FALSE(Grid->FindText(0, u"", {soExactMatch})); // no rows: nothing to match
    Fill({u"one", u"match", u"two", u"three", u"four"});
    Grid->SetSelectedRow(3);
    const auto Find = [&](TSearchOptions Options) {
        return Found([&] { return Grid->FindText(0, u"match", Options); });
    };
    EXPECT_EQ(Find({soFromSelected}), "none");
    EXPECT_EQ(Find({soFromSelected, soContinueFromTop}), "1");
    // The selected row itself is found last, once round.
    EXPECT_EQ(Find({soFromSelected, soContinueFromTop}), "1");
    Grid->SetSelectedRow(4);
    EXPECT_EQ(Find({}), "1");
    Grid->SetSelectedRow(0);
    EXPECT_EQ(Find({soFromSelected}), "1");
}

TEST_F(GxCustomGridSearch, SearchNextMatchesPrefixesOfVisibleRowsAndComesRoundToTheSelectedRow)
{
    EXPECT_FALSE(Grid->SearchNext(0, u"a", true));
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
    Fill({u"cab", u"x", u"Abacus", u"abyss", u"ABBA"});
    Grid->SetSelectedRow(1);
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"ab", false); }), "2");
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"ab", false); }), "3");
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"ab", true); }), "2");
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"abyssal", false); }), "none"); // longer than the cell
    // The only match is the selected row: found again after going round.
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"ABA", false); }), "2");
    Grid->SetRowVisible(3, false);
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"aby", false); }), "none");
    EXPECT_EQ(Grid->GetSelectedColumn(), 0);
}

TEST_F(GxCustomGridSearch, TypedKeysFormOnePrefixUntilTheTimerFiresAndAGrowingPrefixKeepsItsRow)
{
    Grid->GetColumns()->GetItem(1)->SetOptions(Grid->GetColumns()->GetItem(1)->GetOptions() +
                                               TColumnOptions{coSearchColumn});
    for (const char16_t* T : {u"apple", u"avocado", u"banana", u"abacus", u"Apricot", u"abalone"})
        Grid->AddCells({u"", T, u""});
    Grid->SetSelectedColumn(2);
    Grid->SetSelectedRow(0);
    EXPECT_EQ(Type(u'a'), "1"); // a new prefix moves on
    EXPECT_TRUE(Grid->GetSearchTimer()->GetEnabled());
    EXPECT_EQ(Type(u'b'), "3");
    EXPECT_EQ(Type(u'A'), "3"); // "abacus" still starts with "abA"
    EXPECT_EQ(Type(u'l'), "5");
    EXPECT_EQ(WideToUtf8(Grid->GetSearchText()), "abAl");
    FireSearchTimer();
    EXPECT_EQ(Grid->GetSearchText(), u"");
    EXPECT_EQ(Type(u'a'), "0"); // round from the top
    EXPECT_EQ(Type(u'v'), "1");
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);

    // No search where keys edit or go to the input row, or without a search column.
    FireSearchTimer();
    TGxCustomColumn* Selected = Grid->GetColumns()->GetItem(2);
    Selected->SetOptions(Selected->GetOptions() + TColumnOptions{coEditing});
    EXPECT_EQ(Type(u'b'), "1");
    Selected->SetOptions(Selected->GetOptions() - TColumnOptions{coEditing});
    Grid->GetColumns()->GetItem(1)->SetOptions(Grid->GetColumns()->GetItem(1)->GetOptions() -
                                               TColumnOptions{coSearchColumn});
    EXPECT_EQ(Grid->GetSearchColumn(), nullptr);
    EXPECT_EQ(Type(u'b'), "1");
    EXPECT_EQ(Grid->GetSearchText(), u"");
}

TEST_F(GxCustomGridSearch, AFoundRowIsScrolledToUnlessTheGridIsUpdating)
{
    for (int R = 0; R < 60; ++R)
        Grid->AddCells({Utf8ToWide("row " + IntToStr(R))});
    const auto InView = [&](int Row) {
        return Row >= Grid->GetFirstRowInView() && Row <= Grid->GetLastRowInView(Grid->GetVisibleCount(false));
    };
    ASSERT_FALSE(InView(55));
    EXPECT_TRUE(Grid->FindText(0, u"row 55", {soExactMatch}));
    EXPECT_TRUE(InView(55));
    Grid->BeginUpdate();
    EXPECT_TRUE(Grid->FindText(0, u"ROW 2", {soExactMatch, soCaseInsensitive}));
    EXPECT_FALSE(InView(2));
    Grid->EndUpdate();
    EXPECT_EQ(Grid->GetSelectedRow(), 2);
}

TEST_F(GxCustomGridSearch, CellsOfOtherClassesAreSearchedByTheirText)
{
    TGxCustomColumn* Number = Grid->GetColumns()->GetItem(1);
    Number->SetColumnType(ctInteger);
    for (int K : {7, 42, 420})
        Grid->AddCells({u"", Utf8ToWide(IntToStr(K))});
    EXPECT_TRUE(Grid->Locate(1, 0, 2, u"42", {soExactMatch}));
    EXPECT_EQ(Grid->GetSelectedRow(), 1);
    EXPECT_TRUE(Grid->FindText(1, u"20", {}));
    EXPECT_EQ(Grid->GetSelectedRow(), 2);
}

// A grid that searches cell by cell through GetCells, as a grid over
// another storage does.
class TCellByCellGrid : public TGxGrid {
public:
    QM_CLASS(TCellByCellGrid, TGxGrid)
    using TGxGrid::TGxGrid;

protected:
    int SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match) override
    {
        return TGxCustomGrid::SearchCells(ACol, From, To, Invisible, Match);
    }
};

TEST_F(GxCustomGridSearch, TheStoresSearchFindsWhatASearchCellByCellFinds)
{
    TOwned<TCellByCellGrid> Other(New<TCellByCellGrid>(Form));
    Other->SetParent(Form);
    for (TGxGrid* G : {static_cast<TGxGrid*>(Grid), static_cast<TGxGrid*>(Other.get())}) {
        while (G->GetColumns()->GetCount() < 2)
            G->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"");
        G->GetColumns()->GetItem(1)->SetColumnType(ctInteger);
        for (int R = 0; R < 30; ++R)
            G->AddCells({Utf8ToWide(std::string(1, char('a' + R % 4)) + IntToStr(R % 7)), Utf8ToWide(IntToStr(R % 9))});
        for (int R = 0; R < 30; R += 4)
            G->SetRowVisible(R, false);
    }
    std::mt19937 Random(7);
    for (int K = 0; K < 300; ++K) {
        const int Col = int(Random() % 2), From = int(Random() % 40) - 5, To = From + int(Random() % 30);
        const WideString Needle = Utf8ToWide(Col ? IntToStr(Random() % 9) : std::string(1, char('A' + Random() % 4)));
        TSearchOptions Options;
        for (TSearchOption O : {soCaseInsensitive, soSearchInvisible, soExactMatch})
            if (Random() % 2) Options.Include(O);
        const int Selected = int(Random() % 30);
        std::vector<AnsiString> Rows;
        for (TGxGrid* G : {static_cast<TGxGrid*>(Grid), static_cast<TGxGrid*>(Other.get())}) {
            G->SetSelectedRow(Selected);
            const bool Located = G->Locate(Col, From, To, Needle, Options);
            const int LocatedRow = G->GetSelectedRow();
            G->SetSelectedRow(Selected);
            const bool Next = G->SearchNext(Col, Needle, false);
            Rows.push_back(IntToStr(Located ? LocatedRow : -1) + " " + IntToStr(Next ? G->GetSelectedRow() : -1));
        }
        EXPECT_EQ(Rows[0], Rows[1]) << K;
    }
}

// The rules that ignore case fold cells where they lie; they must select
// what lowering or comparing copies of the texts' UTF-8 forms selects.
TEST_F(GxCustomGridSearch, RulesIgnoringCaseSelectWhatTheTextsUtf8FormsSelect)
{
    const std::vector<WideString> Pieces = {u"a",          u"\u00C9",     u"\u00E9", u"\u03A3", u"\u03C3", u"\u03C2",
                                            u"\U00010400", u"\U00010428", u"\xD801", u"\xDC28", u"\xDC80", u"\xDCC3",
                                            u"\xDC89",     u"\xDCA9",     u"\xDCED", u"\xDCA0"};
    std::mt19937 Random(148);
    const auto Text = [&](int Most) {
        WideString T;
        for (int N = 1 + int(Random() % Most); N > 0; --N)
            T += Pieces[Random() % Pieces.size()];
        return T;
    };
    std::vector<WideString> Cells;
    for (int R = 0; R < 40; ++R)
        Cells.push_back(Text(5));
    Cells.push_back(u"\xDCED\xDCA0\xDC80"); // the bytes a lone U+D800 is written as
    Fill(Cells);
    const auto Lower = [](const WideString& S) { return Utf8ToWide(AnsiLowerCase(WideToUtf8(S))); };
    int Hits = 0;
    for (int K = 0; K < 200; ++K) {
        const WideString Needle = K == 0 ? WideString(u"\xD800") : K % 3 ? Text(2) : Cells[Random() % Cells.size()];
        const int Selected = int(Random() % Cells.size());
        int Part = -1, Whole = -1, Below = -1, Prefix = -1;
        for (int R = int(Cells.size()) - 1; R >= 0; --R) {
            if (Pos(Lower(Needle), Lower(Cells[R])) > 0) Part = R;
            if (AnsiCompareText(WideToUtf8(Cells[R]), WideToUtf8(Needle)) == 0) Whole = R;
            if (AnsiSameText(WideToUtf8(Copy(Cells[R], 1, Length(Needle))), WideToUtf8(Needle))) {
                Prefix = R;
                if (R > Selected) Below = R;
            }
        }
        if (Below >= 0) Prefix = Below;
        const auto Row = [](int R) { return R < 0 ? AnsiString("none") : IntToStr(R); };
        const AnsiString At = "needle " + IntToStr(K) + ": " + WideToUtf8(Needle);
        EXPECT_EQ(Locate(0, 999, Needle, {soCaseInsensitive}), Row(Part)) << At;
        EXPECT_EQ(Locate(0, 999, Needle, {soCaseInsensitive, soExactMatch}), Row(Whole)) << At;
        Grid->SetSelectedRow(Selected);
        EXPECT_EQ(Found([&] { return Grid->SearchNext(0, Needle, false); }), Row(Prefix)) << At;
        Hits += (Part >= 0) + (Whole >= 0) + (Prefix >= 0);
    }
    EXPECT_GT(Hits, 150);
}

} // namespace
