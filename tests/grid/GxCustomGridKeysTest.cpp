// tests/grid/GxCustomGridKeysTest.cpp: a shown grid of text cells under the
// keyboard: the key table, Enter, Tab and typing, and the focus, activation,
// size and scroll messages around an edit or a press.
#include "GxGridFixture.h"
#include "grid/GxColumnClasses.h"
#include "grid/shared/GxEdit.h"

namespace {

using namespace GxGridTests;
using namespace GxColumnClasses;
using namespace platform::test;

// A play that notes the keys it is handed, with the row it was readied for.
class TKeyPlay : public TColumnPlay {
public:
    QM_CLASS(TKeyPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;
    static inline std::vector<std::string>* Log = nullptr;
    void KeyPress(WideChar& Key) override
    {
        Log->push_back("play " + IntToStr(int(Key)) + " row " + IntToStr(GetRow()));
    }
};

class TPlayColumn : public TGxTextColumn {
public:
    QM_CLASS(TPlayColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    TColumnPlayClass GetColumnPlayClass() const override { return PlayClass<TKeyPlay>; }
};

class GxCustomGridKeys : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        TKeyPlay::Log = &Log;
        Grid->GetColumns()->Clear();
        for (const char* Name : {"A", "B", "C"}) {
            TGxCustomColumn* Column = Grid->GetColumns()->Add(ColumnClass<TPlayColumn>, Utf8ToWide(Name));
            Column->SetOptions(Column->GetOptions() + TColumnOptions{coEditing});
        }
        AddRows(30);
        Grid->SetSelectedRow(0);
        Grid->SetFocus();
    }
    void Key(Word VK, TShiftState Shift = {}, const WideString& Text = {}) { PressKey(Grid, VK, Shift, Text); }
    TPoint Selected() { return Grid->GetSelectedCell(); }
    GxEdit::TGxCustomEdit* Editor() { return Grid->GetInplaceEdit(); }
    AnsiString EditorText() { return Editor() ? WideToUtf8(Editor()->GetAsString()) : "<none>"; }
    // A focusable control after the grid in the Tab order.
    TWinControl* Next()
    {
        auto* Other = New<TProbeControl>(Form);
        Other->SetParent(Form);
        return Other;
    }
    // F2 on the selected cell, its text replaced.
    void Edit(const char16_t* Value)
    {
        Key(VK_F2);
        ASSERT_NE(Editor(), nullptr);
        Editor()->SetAsString(Value);
    }
};

TEST_F(GxCustomGridKeys, TheKeyTableMovesTheCellStretchesRowsWithShiftAndScrollsWholeRowsSideways)
{
    Key(VK_DOWN);
    Key(VK_RIGHT);
    EXPECT_EQ(Selected(), TPoint(1, 1));
    Key(VK_END);
    EXPECT_EQ(Selected(), TPoint(1, 29));
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_EQ(Selected(), TPoint(0, 0));

    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSelectFullRow, goMultiSelect});
    Key(VK_DOWN, {ssShift});
    Key(VK_DOWN, {ssShift});
    EXPECT_EQ(Grid->GetSelectedCount(), 3);
    Key(VK_UP);
    Key(VK_END, {ssShift});
    EXPECT_EQ(Grid->GetSelectedCount(), 30 - 1);

    // No cell is marked in a whole row: Left and Right scroll the columns.
    for (int Col = 0; Col < 3; ++Col)
        Grid->GetColumns()->GetItem(Col)->SetWidth(200);
    Key(VK_RIGHT);
    EXPECT_GT(Grid->GetHorzScrollPos(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
    Grid->SetAppearanceOptions(Grid->GetAppearanceOptions() + TAppearanceOptions{aoIndicateSelectedCell});
    Key(VK_RIGHT);
    EXPECT_EQ(Selected(), TPoint(1, 29));
}

TEST_F(GxCustomGridKeys, PageKeysGoToTheEdgeOfTheViewFirstThenAPageOnHiddenRowsLeftOut)
{
    Grid->SetRowVisible(2, false);
    const int Count = Grid->GetVisibleCount(false);
    const int Last = Grid->GetLastRowInView(Count);
    ASSERT_EQ(Last, Count);
    // In view, though the first row + count - 1 says it is the last.
    Grid->SetSelectedRow(Count - 1);
    Key(VK_NEXT);
    EXPECT_EQ(Selected().Y, Last);
    EXPECT_EQ(Grid->GetFirstRowInView(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(Selected().Y, Last + Count);
    EXPECT_TRUE(Grid->IsRowInView());

    const int First = Grid->GetFirstRowInView();
    ASSERT_GT(First, 0);
    Key(VK_PRIOR);
    EXPECT_EQ(Selected().Y, First);
    Key(VK_PRIOR);
    EXPECT_LT(Selected().Y, First);
    EXPECT_TRUE(Grid->IsRowInView());
}

TEST_F(GxCustomGridKeys, WhileEditingArrowsStayWithTheEditorAndPageKeysAndTabMoveTheGrid)
{
    Grid->SetWantTabs(true);
    Key(VK_F2);
    EXPECT_EQ(EditorText(), "A0");
    PressKey(Editor(), VK_DOWN);
    ASSERT_EQ(Grid->GetEditingCell(), TPoint(0, 0));
    PressKey(Editor(), VK_LEFT);
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(0, 0));

    Editor()->SetAsString(u"paged");
    PressKey(Editor(), VK_NEXT);
    EXPECT_EQ(Text(0, 0), "paged");
    const int Row = Selected().Y;
    EXPECT_GT(Row, 0);
    Edit(u"tabbed");
    PressKey(Editor(), VK_TAB, {}, u"\t");
    EXPECT_EQ(Text(0, Row), "tabbed");
    EXPECT_EQ(Selected(), TPoint(1, Row));
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GxCustomGridKeys, EnterGoesToThePlayThenIsConsumedMovingOnlyWithWantReturns)
{
    const auto Enter = [&] {
        TMessage M{WM_CHAR, 13, 0};
        Grid->Perform(M);
        return M.WParam;
    };
    EXPECT_EQ(Enter(), 0u);
    EXPECT_EQ(Selected(), TPoint(0, 0));
    Grid->SetWantReturns(true);
    Enter();
    Grid->SetSelectionMoveDirection(mdRight);
    Enter();
    EXPECT_EQ(Selected(), TPoint(1, 1));
    Grid->SetReadOnly(true);
    Enter();
    EXPECT_EQ(Log, (std::vector<std::string>{"play 13 row 0", "play 13 row 1", "play 13 row 1"}));
}

TEST_F(GxCustomGridKeys, AKeyThatEndsAnEditReachesTheGridOnceAndEnterMovesOnOnlyWithWantReturns)
{
    std::vector<int> Heard;
    Grid->OnKeyPress = [&](TObject*, WideChar& K) { Heard.push_back(K); };
    const auto Enter = [&](const char16_t* Value) {
        Edit(Value);
        PressKey(Editor(), VK_RETURN, {}, u"\r");
    };
    Enter(u"stays");
    EXPECT_EQ(Text(0, 0), "stays");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Selected(), TPoint(0, 0));
    Grid->SetWantReturns(true);
    Enter(u"down");
    EXPECT_EQ(Text(0, 0), "down");
    EXPECT_EQ(Selected(), TPoint(0, 1));
    Grid->SetSelectionMoveDirection(mdRight);
    Enter(u"right");
    EXPECT_EQ(Text(0, 1), "right");
    EXPECT_EQ(Selected(), TPoint(1, 1));
    EXPECT_TRUE(Grid->Focused());
    // The play hears each Enter at the cell the selection reached.
    EXPECT_EQ(Log, (std::vector<std::string>{"play 13 row 0", "play 13 row 1", "play 13 row 1"}));

    // A refused value keeps the editor, and the selection, where they are.
    Grid->OnEditAccept = [](TObject*, int, int, const WideString&, bool& Accept) { Accept = false; };
    Enter(u"refused");
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(1, 1));
    EXPECT_EQ(Selected(), TPoint(1, 1));
    Grid->OnEditAccept = nullptr;
    // Esc that only empties the editor leaves its character to the editor.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEscClearEdit});
    PressKey(Editor(), VK_ESCAPE, {}, u"\x1b");
    EXPECT_EQ(EditorText(), "");
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goEscClearEdit});
    PressKey(Editor(), VK_ESCAPE, {}, u"\x1b");
    Grid->SetWantTabs(true);
    Edit(u"tabbed");
    PressKey(Editor(), VK_TAB, {}, u"\t");
    EXPECT_EQ(Selected(), TPoint(2, 1));
    EXPECT_EQ(Heard, (std::vector<int>{13, 13, 13, 13, 27, 27, 9}));
}

TEST_F(GxCustomGridKeys, TypingOpensTheCellOrTheInputRowUnlessAHandlerClearsTheKey)
{
    Grid->OnKeyDown = [](TObject*, Word& K, TShiftState) { K = 0; };
    Grid->OnKeyPress = [](TObject*, WideChar& K) { K = K == u'x' ? 0 : K; };
    Key(VK_DOWN);
    Key(VK_F2);
    Key('X', {}, u"x");
    EXPECT_EQ(Selected(), TPoint(0, 0));
    EXPECT_EQ(Editor(), nullptr);

    Key('Q', {}, u"q");
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(0, 0));
    EXPECT_EQ(EditorText(), "q");
    Grid->EndEditing();
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    Grid->SetInputSelected(true);
    Key('Z', {}, u"z");
    EXPECT_EQ(Grid->GetInputColumnIndex(), 0);
    EXPECT_EQ(EditorText(), "z");
    EXPECT_EQ(Text(0, 0), "A0");
}

TEST_F(GxCustomGridKeys, TypedKeysSearchByPrefixUntilTheTimerFiresButOpenTheEditorOfAnEditingColumn)
{
    TGxColumns* Columns = Grid->GetColumns();
    Columns->GetItem(1)->SetOptions(Columns->GetItem(1)->GetOptions() + TColumnOptions{coSearchColumn});
    TGxCustomColumn* Plain = Columns->GetItem(2);
    Plain->SetOptions(Plain->GetOptions() - TColumnOptions{coEditing});
    Grid->SetCells(1, 3, u"apple");
    Grid->SetCells(1, 5, u"abacus");
    Grid->SetCells(1, 8, u"Abalone");
    Grid->SetSelectedColumn(2);
    TypeText(Grid, "a");
    EXPECT_EQ(Selected(), TPoint(2, 3));
    TypeText(Grid, "ba");
    EXPECT_EQ(Selected(), TPoint(2, 5));
    TypeText(Grid, "l");
    EXPECT_EQ(Selected(), TPoint(2, 8));
    TTimer* Timer = Grid->GetSearchTimer();
    Timer->GetOnTimer()(Timer);
    // "b", not "abalb": the first row below that starts with it.
    TypeText(Grid, "b");
    EXPECT_EQ(Selected(), TPoint(2, 9));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(Log.empty());

    Timer->GetOnTimer()(Timer);
    Grid->SetSelectedColumn(0);
    TypeText(Grid, "a");
    ASSERT_NE(Editor(), nullptr);
    TypeText(Editor(), "b");
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(0, 9));
    EXPECT_EQ(EditorText(), "ab");
    EXPECT_EQ(Selected(), TPoint(0, 9));
    EXPECT_TRUE(Grid->GetSearchText().empty());
}

TEST_F(GxCustomGridKeys, EnterOnTheInputRowWithNoEditOpenAddsTheKeptValues)
{
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    Grid->SetWantReturns(true);
    Grid->SetInputEnterMode(imAllways);
    Grid->GetColumns()->GetItem(1)->SetInputValue(u"kept");
    Grid->SetInputSelected(true);
    Key(VK_RETURN, {}, u"\r");
    ASSERT_EQ(Grid->GetRowCount(), 31);
    EXPECT_EQ(Text(1, 30), "kept");
    EXPECT_TRUE(Grid->GetColumns()->GetItem(1)->GetInputValue().empty());
}

TEST_F(GxCustomGridKeys, TabWithWantTabsMovesThroughTheCellsButLeavesAnEmptyGrid)
{
    TWinControl* Other = Next();
    Grid->SetWantTabs(true);
    Key(VK_TAB, {}, u"\t");
    EXPECT_EQ(Selected(), TPoint(1, 0));
    EXPECT_TRUE(Grid->Focused());
    Grid->ClearRows();
    Key(VK_TAB, {}, u"\t");
    EXPECT_TRUE(Other->Focused());
}

TEST_F(GxCustomGridKeys, FocusLossAndDeactivationEachCutAHeaderPressCleanly)
{
    TWinControl* Other = Next();
    Grid->OnHeaderClick = [&](TObject*, int C) { Log.push_back("click " + IntToStr(C)); };
    const TPoint P(Grid->GetColumns()->GetItem(0)->GetAbsoluteLeft() + 5, 5);
    for (const std::function<void()>& Cut : std::vector<std::function<void()>>{
             [&] { Other->SetFocus(); }, [] { SetApplicationActive(false), SetApplicationActive(true); }}) {
        MouseDown(Grid, P.X, P.Y);
        ASSERT_TRUE(Grid->GetGridState().Contains(gtColumnHeaderDown));
        Screen->SetCursor(crHorzSplit);
        Cut();
        EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnHeaderDown));
        EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
        EXPECT_FALSE(Grid->GetMouseCapture());
        EXPECT_EQ(Grid->GetMouseDownPoint(), TPoint(-1, -1));
        EXPECT_EQ(Screen->GetCursor(), crDefault);
        MouseUp(Grid, P.X, P.Y);
        EXPECT_TRUE(Log.empty());
        Click(Grid, P.X, P.Y);
        EXPECT_EQ(Log, std::vector<std::string>{"click 0"});
        Log.clear();
    }
    // The program's own screen cursor outlives a focus change with no press.
    Screen->SetCursor(crHourGlass);
    Other->SetFocus();
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    Screen->SetCursor(crDefault);
}

TEST_F(GxCustomGridKeys, ANewSizeOrABarScrollAppliesTheOpenEditButABarThatComesKeepsIt)
{
    Edit(u"sized");
    Grid->SetBounds(0, 0, 280, 190);
    EXPECT_EQ(Text(0, 0), "sized");
    Edit(u"scrolled");
    Grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Text(0, 0), "scrolled");
    EXPECT_EQ(Editor(), nullptr);

    // Rows that just fit; the input row adds one, and the bar comes.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    while (Grid->GetVertScrollBar()->GetMax() > 0)
        Grid->DeleteRow(Grid->GetRowCount() - 1);
    const int Rows = Grid->GetRowCount();
    Grid->InputColumn(Grid->GetColumns()->GetItem(1), u"new");
    PressKey(Editor(), VK_RETURN, {}, u"\r");
    ASSERT_EQ(Grid->GetRowCount(), Rows + 1);
    EXPECT_EQ(Text(1, Rows), "new");
    EXPECT_GT(Grid->GetVertScrollBar()->GetMax(), 0);
    EXPECT_EQ(Grid->GetInputColumnIndex(), 1);
}

TEST_F(GxCustomGridKeys, SelfSizingColumnsFitTheWidthTakenWhileLoadingOnceTheGridShows)
{
    TGxColumns* Columns = Grid->GetColumns();
    const auto Fits = [&] { return Columns->GetClientWidth() == Grid->GetInnerWidth(); };
    Grid->SetLoading(true);
    for (int Col = 0; Col < 3; ++Col)
        Columns->GetItem(Col)->SetOptions(Columns->GetItem(Col)->GetOptions() + TColumnOptions{coAutoSize});
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetVisible(false);
    Grid->SetLoading(false);
    Grid->Loaded();
    EXPECT_FALSE(Fits());
    Grid->SetVisible(true);
    EXPECT_TRUE(Fits());
    Grid->SetBounds(0, 0, 250, 200);
    EXPECT_TRUE(Fits());
}

} // namespace
