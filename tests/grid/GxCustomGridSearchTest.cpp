// tests/grid/GxCustomGridSearchTest.cpp: finding rows by a column's text,
// and the incremental search of typed keys.
#include "GxGridFixture.h"
#include "grid/GxVirtualColumn.h"

#include <random>

namespace {

using namespace GxGridTests;

class GxCustomGridSearch : public TGxGridTest {
protected:
    void Fill(const std::vector<WideString>& Texts)
    {
        for (const WideString& T : Texts)
            Grid->AddCells({T});
    }
    // The row Find selects, or "none" with the selection left as it was.
    AnsiString Found(const std::function<bool()>& Find)
    {
        const int Before = Grid->GetSelectedRow();
        if (!Find()) return Grid->GetSelectedRow() == Before ? "none" : "none, but moved";
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
};

TEST_F(GxCustomGridSearch, TheFourRulesKeepTheSelectedColumnAndAnEmptyTextMatchesOnlyWholeEmptyCells)
{
    Fill({u"Abacus", u"cab", u"abacus", u"ab", u"", u"xAB"});
    Grid->SetSelectedColumn(2);
    EXPECT_EQ(Locate(0, 5, u"ab", {}), "1"); // a part, case counting
    EXPECT_EQ(Locate(0, 5, u"ab", {soExactMatch}), "3");
    EXPECT_EQ(Locate(0, 5, u"AB", {soCaseInsensitive}), "0");
    EXPECT_EQ(Locate(1, 5, u"ABACUS", {soCaseInsensitive, soExactMatch}), "2");
    EXPECT_EQ(Locate(0, 5, u"Aba", {soExactMatch}), "none");
    for (TSearchOptions Part : {TSearchOptions{}, TSearchOptions{soCaseInsensitive}})
        EXPECT_EQ(Locate(0, 5, u"", Part), "none");
    EXPECT_EQ(Locate(0, 5, u"", {soExactMatch, soCaseInsensitive}), "4");
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
}

TEST_F(GxCustomGridSearch, LocateSkipsHiddenRowsUnlessToldAndTestsOnlyTheRowsThatExist)
{
    Fill({u"x", u"key", u"y", u"key", u"z"});
    Grid->SetRowVisible(1, false);
    EXPECT_EQ(Locate(0, 4, u"key", {}), "3");
    EXPECT_EQ(Locate(-10, 2, u"key", {soSearchInvisible}), "1"); // cut to the rows there are
    EXPECT_EQ(Locate(2, 1000, u"key", {}), "3");
    EXPECT_EQ(Locate(5, 1000, u"x", {}), "none");
    EXPECT_EQ(Locate(-10, -1, u"x", {}), "none");
    EXPECT_EQ(Locate(3, 2, u"y", {}), "none");
    // A column that does not exist raises before anything is selected, whatever the range.
    for (int Col : {3, -1}) {
        try {
            Grid->Locate(Col, 1, 4, u"key", {});
            ADD_FAILURE() << "no exception for column " << Col;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, "Cell out of bounds (" + IntToStr(Col) + ", 1)");
        }
        EXPECT_THROW(Grid->Locate(Col, 50, 60, u"key", {}), Exception);
    }
    EXPECT_EQ(Grid->GetSelectedRow(), 3);
}

TEST_F(GxCustomGridSearch, FindTextFromTheSelectionTurnsBackToTheTopOnlyWhenTold)
{
    EXPECT_FALSE(Grid->FindText(0, u"", {soExactMatch}));
    Fill({u"one", u"match", u"two", u"three"});
    Grid->SetSelectedRow(2);
    const auto Find = [&](TSearchOptions Options) {
        return Found([&] { return Grid->FindText(0, u"match", Options); });
    };
    EXPECT_EQ(Find({soFromSelected}), "none");
    EXPECT_EQ(Find({soFromSelected, soContinueFromTop}), "1");
    EXPECT_EQ(Find({soFromSelected, soContinueFromTop}), "1"); // the selected row, found last
    Grid->SetSelectedRow(3);
    EXPECT_EQ(Find({}), "1");
}

TEST_F(GxCustomGridSearch, SearchNextMatchesPrefixesOfVisibleRowsAndComesRoundToTheSelectedRow)
{
    EXPECT_EQ(Found([&] { return Grid->SearchNext(0, u"a", true); }), "none");
    Fill({u"cab", u"x", u"Abacus", u"abyss", u"ABBA"});
    Grid->SetSelectedRow(1);
    const auto Next = [&](const WideString& Text, bool FromTop = false) {
        return Found([&] { return Grid->SearchNext(0, Text, FromTop); });
    };
    EXPECT_EQ(Next(u"ab"), "2");
    EXPECT_EQ(Next(u"ab"), "3");
    EXPECT_EQ(Next(u"ab", true), "2");
    EXPECT_EQ(Next(u"abyssal"), "none");
    EXPECT_EQ(Next(u"ABA"), "2"); // the only match is the selected row
    Grid->SetRowVisible(3, false);
    EXPECT_EQ(Next(u"aby"), "none");
}

TEST_F(GxCustomGridSearch, TypedKeysFormOnePrefixUntilTheTimerFiresAndAGrowingPrefixKeepsItsRow)
{
    TGxCustomColumn* Search = Grid->GetColumns()->GetItem(0);
    Search->SetOptions(Search->GetOptions() + TColumnOptions{coSearchColumn});
    Fill({u"apple", u"avocado", u"banana", u"abacus", u"Apricot", u"abalone"});
    Grid->SetSelectedColumn(2);
    Grid->SetSelectedRow(0);
    const auto Fire = [&] { Grid->GetSearchTimer()->GetOnTimer()(Grid->GetSearchTimer()); };
    EXPECT_EQ(Type(u'a'), "1"); // a new prefix moves on
    EXPECT_TRUE(Grid->GetSearchTimer()->GetEnabled());
    EXPECT_EQ(Type(u'b'), "3");
    EXPECT_EQ(Type(u'A'), "3"); // "abacus" still starts with "abA"
    EXPECT_EQ(Type(u'l'), "5");
    EXPECT_EQ(WideToUtf8(Grid->GetSearchText()), "abAl");
    Fire();
    EXPECT_EQ(Type(u'a'), "0"); // round from the top
    EXPECT_EQ(Type(u'v'), "1");
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);

    // No search where keys edit, nor without a search column.
    Fire();
    TGxCustomColumn* Selected = Grid->GetColumns()->GetItem(2);
    Selected->SetOptions(Selected->GetOptions() + TColumnOptions{coEditing});
    EXPECT_EQ(Type(u'b'), "1");
    Selected->SetOptions(Selected->GetOptions() - TColumnOptions{coEditing});
    Search->SetOptions(Search->GetOptions() - TColumnOptions{coSearchColumn});
    EXPECT_EQ(Type(u'b'), "1");
    EXPECT_EQ(Grid->GetSearchText(), u"");
}

TEST_F(GxCustomGridSearch, AFoundRowIsScrolledToUnlessTheGridIsUpdating)
{
    for (int R = 0; R < 60; ++R)
        Fill({Utf8ToWide("row " + IntToStr(R))});
    const auto InView = [&](int Row) {
        return Row >= Grid->GetFirstRowInView() && Row <= Grid->GetLastRowInView(Grid->GetVisibleCount(false));
    };
    EXPECT_TRUE(!InView(55) && Grid->FindText(0, u"row 55", {soExactMatch}) && InView(55));
    Grid->BeginUpdate();
    EXPECT_TRUE(Grid->FindText(0, u"ROW 2", {soExactMatch, soCaseInsensitive}));
    EXPECT_FALSE(InView(2));
    Grid->EndUpdate();
}

TEST_F(GxCustomGridSearch, CellsThatAreNoTextAreSearchedByTheirText)
{
    Grid->GetColumns()->GetItem(1)->SetColumnType(ctInteger);
    for (const char16_t* K : {u"7", u"42", u"420", u"42"})
        Grid->AddCells({u"", K});
    Grid->SetRowVisible(1, false);
    EXPECT_TRUE(Grid->Locate(1, 0, 3, u"42", {soExactMatch}));
    EXPECT_EQ(Grid->GetSelectedRow(), 3);
    EXPECT_TRUE(Grid->SearchNext(1, u"42", false));
    EXPECT_EQ(Grid->GetSelectedRow(), 2);
}

TEST_F(GxCustomGridSearch, AProgramThatAddsRowsWhileItsCellsAreReadStopsTheSearch)
{
    auto* Column = static_cast<GxVirtualColumn::TGxVirtualColumn*>(
        Grid->GetColumns()->Add(ColumnClass<GxVirtualColumn::TGxVirtualColumn>, u""));
    Grid->AddRow(3);
    Column->OnGetText = [&](TObject*, int, int ARow, WideString& Value) {
        Value = ARow == 1 ? u"hit" : u"";
        if (ARow == 0) Grid->AddRow(1);
    };
    EXPECT_THROW(Grid->Locate(Column->GetIndex(), 0, 2, u"hit", {}), EInvalidOperation);
    Column->OnGetText = [&](TObject*, int, int ARow, WideString& Value) { Value = ARow == 1 ? u"hit" : u""; };
    EXPECT_TRUE(Grid->Locate(Column->GetIndex(), 0, 2, u"hit", {}));
    EXPECT_EQ(Grid->GetSelectedRow(), 1);
}

// The rules that ignore case fold cells where they lie; they must select
// what lowering or comparing copies of the texts' UTF-8 forms selects:
// letters beyond ASCII, both sigmas, surrogate pairs and lone halves, and
// escaped bytes, alone and spelling characters.
TEST_F(GxCustomGridSearch, RulesIgnoringCaseSelectWhatTheTextsUtf8FormsSelect)
{
    const std::vector<WideString> Cells = {u"\u00C9t\u00E9",
                                           u"\u03A3\u03BF\u03C6\u03BF\u03C2",
                                           u"\u03C3\u03BF\u03C6\u03BF\u03C3",
                                           u"x\U00010400y",
                                           u"\U00010428",
                                           u"\xD801x",
                                           u"a\xDC28",
                                           u"\xDCC3\xDC89t",
                                           u"\xDC80\xDCFF",
                                           u"\xDCED\xDCA0\xDC80",
                                           u"\xD800",
                                           u"\xDCC3"};
    Fill(Cells);
    std::vector<WideString> Needles = Cells;
    for (const char16_t* N :
         {u"\u00C9", u"\u03C3", u"\u03C2", u"\U00010400", u"\xD801", u"\xDC28", u"\xDC89", u"\xDCC3", u"\xDC80", u"T"})
        Needles.push_back(N);
    const auto Lower = [](const WideString& S) { return Utf8ToWide(AnsiLowerCase(WideToUtf8(S))); };
    const auto First = [&](const std::function<bool(const WideString& Cell)>& Rule) {
        for (int R = 0; R < int(Cells.size()); ++R)
            if (Rule(Cells[R])) return IntToStr(R);
        return AnsiString("none");
    };
    for (const WideString& N : Needles) {
        const AnsiString At = WideToUtf8(N);
        EXPECT_EQ(Locate(0, 99, N, {soCaseInsensitive}), First([&](auto& C) { return Pos(Lower(N), Lower(C)) > 0; }))
            << At;
        EXPECT_EQ(Locate(0, 99, N, {soCaseInsensitive, soExactMatch}),
                  First([&](auto& C) { return AnsiSameText(WideToUtf8(C), WideToUtf8(N)); }))
            << At;
        EXPECT_EQ(Found([&] { return Grid->SearchNext(0, N, true); }),
                  First([&](auto& C) { return AnsiSameText(WideToUtf8(Copy(C, 1, Length(N))), WideToUtf8(N)); }))
            << At;
    }
}

} // namespace
