// tests/grid/GxCustomGridClicksTest.cpp: what a click hands on: a column's
// play in cell coordinates, an edit on the second click, the footer and the
// input row, and the hints of headers and footers.
#include "GxGridFixture.h"
#include "grid/GxTextColumn.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UserInteraction.h"

namespace {

using namespace GxGridTests;
using namespace platform::test;
using GxColumnClasses::TGxTextColumn;

// Notes every mouse call it hears with the cell it was readied for.
class TNotingPlay : public TColumnPlay {
public:
    QM_CLASS(TNotingPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;
    static std::vector<std::string>* Notes;
    void MouseDown(TMouseButton, TShiftState, int X, int Y) override { Note("down", X, Y); }
    void MouseMove(TShiftState, int X, int Y) override { Note("move", X, Y); }
    void MouseUp(TMouseButton, TShiftState, int X, int Y) override { Note("up", X, Y); }
    void MouseLeave() override { Notes->push_back("leave " + Cell()); }

private:
    std::string Cell() const { return IntToStr(GetCol()) + "," + IntToStr(GetRow()); }
    void Note(const char* What, int X, int Y)
    {
        Notes->push_back(std::string(What) + " " + Cell() + " at " + IntToStr(X) + "," + IntToStr(Y));
    }
};
std::vector<std::string>* TNotingPlay::Notes = nullptr;

class TPlayColumn : public ColumnFixtures::TTestColumn {
public:
    QM_CLASS(TPlayColumn, ColumnFixtures::TTestColumn)
    using TTestColumn::TTestColumn;
    TColumnPlayClass GetColumnPlayClass() const override { return PlayClass<TNotingPlay>; }
};

// A text column whose editor starts 20 pixels into its cell.
class TInsetColumn : public TGxTextColumn {
public:
    QM_CLASS(TInsetColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    void AdjustEditRect(int, TRect& EditRect) override { EditRect.Left += 20; }
};

class GxCustomGridClicks : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        TNotingPlay::Notes = &Log;
        Form->SetClientWidth(420);
        Grid->SetWidth(400);
        Play = Grid->GetColumns()->Add(ColumnClass<TPlayColumn>, u"P");
        Text = Grid->GetColumns()->Add(ColumnClass<TInsetColumn>, u"T");
        for (int I = 0; I < 5; ++I)
            Grid->GetColumns()->GetItem(I)->SetWidth(70);
        Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSelectFullRow});
    }
    void TearDown() override
    {
        EXPECT_TRUE(Script.Messages.empty());
        TGxGridTest::TearDown();
        TNotingPlay::Notes = nullptr;
    }
    TPoint At(int Col, int Row, int DX = 5, int DY = 3)
    {
        const TRect R = Grid->GetCellRect(Col, Row);
        return TPoint(R.Left + DX, R.Top + DY);
    }
    void ClickAt(const TPoint& P) { Click(Grid, P.X, P.Y); }
    bool Editing() { return Grid->GetGridState().Contains(gtEdit); }

    TScriptedInteraction Script;
    TGxCustomColumn* Play = nullptr;
    TGxCustomColumn* Text = nullptr;
};

// ---- Plays ------------------------------------------------------------------------------------

TEST_F(GxCustomGridClicks, APlayHearsItsCellsPointerInCellCoordinatesAndWhenItLeaves)
{
    AddRows(3);
    Play->SetOptions(Play->GetOptions() + TColumnOptions{coEditing});
    MouseMove(Grid, At(3, 1).X, At(3, 1).Y);
    MouseDown(Grid, At(3, 1, 7, 4).X, At(3, 1, 7, 4).Y);
    MouseUp(Grid, At(3, 1, 9, 4).X, At(3, 1, 9, 4).Y);
    MouseMove(Grid, At(3, 2).X, At(3, 2).Y);
    MouseMove(Grid, At(1, 2).X, At(1, 2).Y);
    EXPECT_EQ(Log, (std::vector<std::string>{"move 3,1 at 5,3", "down 3,1 at 7,4", "up 3,1 at 9,4", "leave 3,1",
                                             "move 3,2 at 5,3", "leave 3,2"}));

    // Leaving the grid from a play's cell.
    Log.clear();
    MouseMove(Grid, At(3, 0).X, At(3, 0).Y);
    MouseMoveAtScreen(Grid->ClientToScreen(TPoint(Grid->GetWidth() + 10, 5)));
    EXPECT_EQ(Log, (std::vector<std::string>{"move 3,0 at 5,3", "leave 3,0"}));
}

TEST_F(GxCustomGridClicks, APlayHearsClicksOnlyWhenItsColumnTakesThemAndTheGridIsNotReadOnly)
{
    AddRows(2);
    ClickAt(At(3, 0));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
    // Moves it hears whatever the column takes.
    MouseMove(Grid, At(3, 0).X, At(3, 0).Y);
    EXPECT_EQ(Log, std::vector<std::string>{"move 3,0 at 5,3"});

    static_cast<TPlayColumn*>(Play)->Style = {csClickable};
    Log.clear();
    ClickAt(At(3, 1));
    EXPECT_EQ(Log, (std::vector<std::string>{"down 3,1 at 5,3", "up 3,1 at 5,3"}));

    // Read-only: the play that heard the last move hears the pointer go, nothing else.
    Grid->SetReadOnly(true);
    Log.clear();
    ClickAt(At(3, 1));
    MouseMove(Grid, At(3, 1).X, At(3, 1).Y);
    EXPECT_EQ(Log, std::vector<std::string>{"leave 3,0"});
}

TEST_F(GxCustomGridClicks, APressWhereNoCellIsHandsNothingToAPlayAndSelectsNothing)
{
    AddRows(2);
    Play->SetOptions(Play->GetOptions() + TColumnOptions{coEditing});
    Grid->SetSelectedColumn(3);
    const int Below = Grid->GetRowTop(1) + Grid->GetRowHeight(1) + 20;
    ClickAt(TPoint(At(3, 0).X, Below));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
    EXPECT_EQ(Grid->GetPressedRow(), -1);
}

// ---- Edits ------------------------------------------------------------------------------------

TEST_F(GxCustomGridClicks, ACellIsEditedOnItsClickOrWithSecondClickEditOnTheClickAfterSelecting)
{
    AddRows(3);
    Text->SetOptions(Text->GetOptions() + TColumnOptions{coEditing});
    ClickAt(At(4, 0, 25));
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(4, 0));

    // Left of where its editor starts, a click only selects.
    ClickAt(At(4, 1, 10));
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(4, 1));

    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSecondClickEdit});
    ClickAt(At(4, 2, 25));
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(4, 2));
    ClickAt(At(4, 2, 25));
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(4, 2));

    // Pressed on one cell and released on another: no click, no edit.
    Grid->EndEditing();
    MouseDown(Grid, At(4, 2, 25).X, At(4, 2, 25).Y);
    MouseUp(Grid, At(4, 1, 25).X, At(4, 1, 25).Y);
    EXPECT_FALSE(Editing());
}

// ---- Footer and input row ---------------------------------------------------------------------

TEST_F(GxCustomGridClicks, TheFooterHearsItsClicksAndTheInputRowOpensTheColumnsInput)
{
    AddRows(2);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter, goInput});
    std::vector<int> Footers;
    Grid->OnFooterClick = [&](TObject*, int Col) { Footers.push_back(Col); };
    const TRect Footer = Text->GetMemberRect(ckFooter);
    ClickAt(TPoint(Footer.Left + 5, Footer.Top + 5));
    ClickAt(TPoint(Grid->GetColumns()->GetClientWidth() + 20, Footer.Top + 5));
    EXPECT_EQ(Footers, std::vector<int>{4});

    const TRect Input = Text->GetMemberRect(ckInput);
    ClickAt(TPoint(Input.Left + 5, Input.Top + 5));
    EXPECT_TRUE(Grid->GetGridState().Contains(gtInput));
    EXPECT_EQ(Grid->GetInputColumnIndex(), 4);
}

// ---- The wheel --------------------------------------------------------------------------------

TEST_F(GxCustomGridClicks, WithoutAVerticalBarTheWheelScrollsSideways)
{
    AddRows(2);
    Text->SetWidth(400);
    ASSERT_FALSE(Grid->GetVertScrollBar()->GetVisible());
    ASSERT_GT(Grid->GetHorzScrollBar()->GetMax(), 0);
    MouseWheel(Grid, At(0, 0).X, At(0, 0).Y, -120);
    const int Step = Grid->GetHorzScrollPos();
    EXPECT_GT(Step, 0);
    MouseWheel(Grid, At(0, 0).X, At(0, 0).Y, 120);
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
}

// ---- Hints ------------------------------------------------------------------------------------

TEST_F(GxCustomGridClicks, HeaderAndFooterHintsShowBelowTheirColumnOnlyWhileTheProgramShowsHints)
{
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter});
    TGxCustomColumn* B = Grid->GetColumns()->GetItem(1);
    B->GetHeader()->SetHint(u"the header");
    B->GetFooter()->SetHint(u"the footer");
    ActivateWindow(Form);
    const int HeaderY = Grid->GetHeaderSize() / 2;
    const int FooterY = B->GetMemberRect(ckFooter).Top + 5;

    MouseMove(Grid, B->GetAbsoluteLeft() + 10, HeaderY);
    ASSERT_NE(Grid->GetHintWindow(), nullptr);
    EXPECT_EQ(Grid->GetHintKind(), hpHeader);
    EXPECT_TRUE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    EXPECT_EQ(Grid->GetHintWindow()->GetCaption(), "the header");
    EXPECT_EQ(Grid->GetHintWindow()->GetBoundsRect().TopLeft(),
              Grid->ClientToScreen(TPoint(B->GetAbsoluteLeft(), Grid->GetHeaderSize() + 2)));
    MouseMove(Grid, 20, HeaderY);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));

    MouseMove(Grid, B->GetAbsoluteLeft() + 10, FooterY);
    EXPECT_EQ(Grid->GetHintKind(), hpFooter);
    EXPECT_EQ(Grid->GetHintWindow()->GetCaption(), "the footer");
    EXPECT_EQ(Grid->GetHintWindow()->GetBoundsRect().TopLeft(),
              Grid->ClientToScreen(TPoint(B->GetAbsoluteLeft(), Grid->GetClientHeight() + 2)));
    MouseMove(Grid, B->GetAbsoluteLeft() + 10, HeaderY);
    EXPECT_EQ(Grid->GetHintWindow()->GetCaption(), "the header");
    EXPECT_TRUE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));

    // The program shows no hints: neither these nor a cell's own.
    MouseMove(Grid, 20, HeaderY);
    Application->SetShowHint(false);
    Grid->OnCellHint = [](TObject*, int, int, WideString& Hint) { Hint = u"cell"; };
    AddRows(1);
    MouseMove(Grid, B->GetAbsoluteLeft() + 10, HeaderY);
    MouseMove(Grid, At(1, 0).X, At(1, 0).Y);
    Application->SetShowHint(true);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
}

} // namespace
