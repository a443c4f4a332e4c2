// tests/grid/GxCustomGridClicksTest.cpp: what the pointer hands on: a
// column's play in cell coordinates, an edit on the second click, the footer
// and the input row, and the hints of headers and footers.
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
    void MouseLeave() override { Note("leave", -1, -1); }

private:
    void Note(const char* What, int X, int Y)
    {
        std::string S = std::string(What) + " " + IntToStr(GetCol()) + "," + IntToStr(GetRow());
        Notes->push_back(X < 0 ? S : S + " at " + IntToStr(X) + "," + IntToStr(Y));
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
        AddRows(3);
    }
    void TearDown() override
    {
        EXPECT_TRUE(Script.Messages.empty());
        TGxGridTest::TearDown();
        TNotingPlay::Notes = nullptr;
    }
    // A point DX, DY into the cell.
    TPoint At(int Col, int Row, int DX = 5, int DY = 3)
    {
        const TRect R = Grid->GetCellRect(Col, Row);
        return TPoint(R.Left + DX, R.Top + DY);
    }
    void ClickAt(const TPoint& P) { Click(Grid, P.X, P.Y); }
    void MoveTo(const TPoint& P) { MouseMove(Grid, P.X, P.Y); }
    bool Editing() { return Grid->GetGridState().Contains(gtEdit); }

    TScriptedInteraction Script;
    TGxCustomColumn* Play = nullptr;
    TGxCustomColumn* Text = nullptr;
};

TEST_F(GxCustomGridClicks, APlayHearsItsCellInCellCoordinatesAndClicksOnlyWhenItsColumnTakesThem)
{
    // Moves whatever the column takes; no click without coEditing or csClickable.
    MoveTo(At(3, 1));
    ClickAt(At(3, 1));
    Play->SetOptions(Play->GetOptions() + TColumnOptions{coEditing});
    MouseDown(Grid, At(3, 1, 7, 4).X, At(3, 1, 7, 4).Y);
    MouseUp(Grid, At(3, 1, 9, 4).X, At(3, 1, 9, 4).Y);
    MoveTo(At(3, 2));
    MoveTo(At(1, 2));
    MoveTo(At(3, 0));
    MouseMoveAtScreen(Grid->ClientToScreen(TPoint(Grid->GetWidth() + 10, 5)));
    EXPECT_EQ(Log, (std::vector<std::string>{"move 3,1 at 5,3", "down 3,1 at 7,4", "up 3,1 at 9,4", "leave 3,1",
                                             "move 3,2 at 5,3", "leave 3,2", "move 3,0 at 5,3", "leave 3,0"}));

    // Read-only: nothing at all.
    Grid->SetReadOnly(true);
    Log.clear();
    MoveTo(At(3, 1));
    ClickAt(At(3, 1));
    EXPECT_TRUE(Log.empty());
}

TEST_F(GxCustomGridClicks, APressWhereNoCellIsHandsNothingToAPlayAndSelectsNothing)
{
    static_cast<TPlayColumn*>(Play)->Style = {csClickable};
    Grid->SetSelectedColumn(3);
    ClickAt(TPoint(At(3, 0).X, Grid->GetRowTop(2) + Grid->GetRowHeight(2) + 20));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
}

TEST_F(GxCustomGridClicks, ACellIsEditedOnItsClickOrWithSecondClickEditOnTheClickAfterSelecting)
{
    Text->SetOptions(Text->GetOptions() + TColumnOptions{coEditing});
    ClickAt(At(4, 0, 25));
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(4, 0));
    EXPECT_TRUE(Editing());
    // Left of where its editor starts, a click only selects.
    ClickAt(At(4, 1, 10));
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(4, 1));

    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSecondClickEdit});
    ClickAt(At(4, 2, 25));
    EXPECT_FALSE(Editing());
    ClickAt(At(4, 2, 25));
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(4, 2));
    EXPECT_TRUE(Editing());
    // Pressed on one cell and released on another: no click, no edit.
    Grid->EndEditing();
    MouseDown(Grid, At(4, 2, 25).X, At(4, 2, 25).Y);
    MouseUp(Grid, At(4, 1, 25).X, At(4, 1, 25).Y);
    EXPECT_FALSE(Editing());
}

TEST_F(GxCustomGridClicks, TheFooterHearsItsClicksAndTheInputRowOpensTheColumnsInput)
{
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

TEST_F(GxCustomGridClicks, HeaderAndFooterHintsShowBelowTheirColumnOnlyWhileTheProgramShowsHints)
{
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter});
    TGxCustomColumn* B = Grid->GetColumns()->GetItem(1);
    B->GetHeader()->SetHint(u"the header");
    B->GetFooter()->SetHint(u"the footer");
    ActivateWindow(Form);
    const TPoint Header(B->GetAbsoluteLeft() + 10, 5), Footer(Header.X, B->GetMemberRect(ckFooter).Top + 5);
    const auto Shown = [&](const char* Caption, int Y) {
        THintWindow* Hint = Grid->GetHintWindow();
        return Hint && IsWindowVisible(Hint->GetHandle()) && Hint->GetCaption() == Caption &&
               Hint->GetBoundsRect().TopLeft() == Grid->ClientToScreen(TPoint(B->GetAbsoluteLeft(), Y));
    };
    MoveTo(Header);
    EXPECT_TRUE(Shown("the header", Grid->GetHeaderSize() + 2));
    EXPECT_EQ(Grid->GetHintKind(), hpHeader);
    MoveTo(TPoint(20, 5));
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    MoveTo(Footer);
    EXPECT_TRUE(Shown("the footer", Grid->GetClientHeight() + 2));
    MoveTo(Header);
    EXPECT_TRUE(Shown("the header", Grid->GetHeaderSize() + 2));

    // The program shows no hints: neither these nor a cell's own.
    MoveTo(TPoint(20, 5));
    Application->SetShowHint(false);
    Grid->OnCellHint = [](TObject*, int, int, WideString& Hint) { Hint = u"cell"; };
    MoveTo(Header);
    MoveTo(At(1, 0));
    Application->SetShowHint(true);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
}

} // namespace
