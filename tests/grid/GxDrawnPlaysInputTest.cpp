// tests/grid/GxDrawnPlaysInputTest.cpp: the tree, check box, rate and HTML
// columns under a user's pointer and keys: Qt events on a shown grid, which
// hands them to the column's play; what changes is read back from the grid.
#include "SolidBitmap.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/Pointer.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <string>
#include <utility>
#include <vector>

using namespace GxColumnClasses;
using namespace platform::test;

namespace {

using TLog = std::vector<std::string>;

class GxDrawnPlaysInput : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        // Room beside the grid, for a pointer that leaves it.
        Form->SetClientWidth(440);
        Form->SetClientHeight(240);
        Grid = New<GxGrid::TGxGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 400, 200);
        Grid->SetRowSize(24);
        Grid->OnChange = [this](TObject*, int ACol, int ARow) {
            Log.push_back("change " + std::to_string(ACol) + "," + std::to_string(ARow));
        };
        Grid->HandleNeeded();
    }
    void TearDown() override
    {
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    template <typename T> T* Add(int Width)
    {
        auto* Column = static_cast<T*>(Grid->GetColumns()->Add(ColumnClass<T>, u"column"));
        Column->SetWidth(Width);
        return Column;
    }
    // A point DX, DY into the cell, in the grid's client coordinates.
    TPoint At(int ACol, int ARow, int DX, int DY)
    {
        const TRect R = Grid->GetCellRect(ACol, ARow);
        return TPoint(R.Left + DX, R.Top + DY);
    }
    // DX into the cell, on its middle line.
    TPoint Mid(int ACol, int ARow, int DX) { return At(ACol, ARow, DX, Grid->GetCellRect(ACol, ARow).Height() / 2); }
    void ClickAt(const TPoint& P) { Click(Grid, P.X, P.Y); }
    // Through the window system, which tells the grid when the pointer leaves it.
    void MoveTo(const TPoint& P) { MouseMoveAtScreen(Grid->ClientToScreen(P)); }
    TLog TakeLog() { return std::exchange(Log, {}); }

    GxGrid::TGxGrid* Grid = nullptr;
    TLog Log;
};

// ---- Tree -------------------------------------------------------------------------------------

TEST_F(GxDrawnPlaysInput, TheButtonAndPlusOrMinusOnTheSelectedRowExpandAndCollapseUnlessLocked)
{
    auto* Tree = Add<TGxTreeColumn>(150);
    Grid->AddRow(1);
    Grid->AddChildRow(0, GxGrid::crLast);
    Grid->AddChildRow(1, GxGrid::crLast);
    Grid->SetExpanded(0, true);
    Grid->SetExpanded(1, false);
    // Row 1 is at level 1: its button covers 21..29 of the cell, its text starts at 35.
    const TPoint Button = Mid(0, 1, 19 + 6), Text = Mid(0, 1, 60);

    ClickAt(Button);
    EXPECT_TRUE(Grid->GetExpanded(1));
    ClickAt(Button);
    EXPECT_FALSE(Grid->GetExpanded(1));
    // Beside the button a click only selects.
    ClickAt(Mid(0, 1, 19 + 13));
    ClickAt(Text);
    EXPECT_FALSE(Grid->GetExpanded(1));
    EXPECT_EQ(Grid->GetSelectedRow(), 1);

    TypeText(Grid, "+");
    EXPECT_TRUE(Grid->GetExpanded(1));
    PressKey(Grid, VK_SUBTRACT, {}, u"-");
    EXPECT_FALSE(Grid->GetExpanded(1));
    PressKey(Grid, VK_ADD, {}, u"+");
    EXPECT_TRUE(Grid->GetExpanded(1));
    TypeText(Grid, "-");
    EXPECT_FALSE(Grid->GetExpanded(1));
    TypeText(Grid, "x");
    EXPECT_FALSE(Grid->GetExpanded(1));

    Tree->SetExpandLock(true);
    ClickAt(Button);
    TypeText(Grid, "+");
    PressKey(Grid, VK_ADD, {}, u"+");
    EXPECT_FALSE(Grid->GetExpanded(1));
    Grid->SetExpanded(1, true);
    TypeText(Grid, "-");
    ClickAt(Button);
    EXPECT_TRUE(Grid->GetExpanded(1));
    // Expanding changes no cell.
    EXPECT_TRUE(Log.empty());
}

// ---- Check box --------------------------------------------------------------------------------

TEST_F(GxDrawnPlaysInput, AClickInTheBoxOrTheBlankTogglesTheStoredValueAndAClickBesideItDoesNot)
{
    auto* Check = Add<TGxCheckBoxColumn>(60);
    Check->SetOptions(Check->GetOptions() + TColumnOptions{coEditing});
    Add<TGxTextColumn>(60);
    Grid->AddRow(2);
    TLog Edits;
    Grid->OnAfterEdit = [&](TObject*, int, int, const WideString& Value) { Edits.push_back(WideToUtf8(Value)); };
    // Left and centred in the row: the box spans 1 .. Size in x, Size high about the middle line.
    const int Size = GxThemesSupport::IsThemed() ? 13 : 11;
    const int Middle = Grid->GetCellRect(0, 1).Height() / 2, Top = Middle - Size / 2;

    ClickAt(At(0, 1, Size, Middle));
    EXPECT_TRUE(Grid->GetCell(0, 1).GetAsBoolean());
    EXPECT_EQ(TakeLog(), TLog{"change 0,1"});
    ClickAt(At(0, 1, 1, Top));
    EXPECT_FALSE(Grid->GetCell(0, 1).GetAsBoolean());
    EXPECT_EQ(TakeLog(), TLog{"change 0,1"});
    EXPECT_EQ(Edits, (TLog{"True", "False"}));

    for (const TPoint& Beside : {At(0, 1, Size + 1, Middle), At(0, 1, 5, Top - 1), At(0, 1, 5, Top + Size),
                                 At(0, 1, 40, Middle), At(1, 1, 5, Middle)})
        ClickAt(Beside);
    EXPECT_FALSE(Grid->GetCell(0, 1).GetAsBoolean());
    EXPECT_FALSE(Grid->GetCell(0, 0).GetAsBoolean());
    EXPECT_TRUE(Log.empty());

    // The blank on the selected cell; other keys leave it.
    ClickAt(At(0, 0, 40, Middle));
    TypeText(Grid, " ");
    EXPECT_TRUE(Grid->GetCell(0, 0).GetAsBoolean());
    EXPECT_EQ(TakeLog(), TLog{"change 0,0"});
    TypeText(Grid, "x");
    EXPECT_TRUE(Grid->GetCell(0, 0).GetAsBoolean());
    EXPECT_TRUE(Log.empty());

    // A column that does not take edits takes no clicks or keys either.
    Check->SetOptions(Check->GetOptions() - TColumnOptions{coEditing});
    ClickAt(At(0, 1, Size, Middle));
    TypeText(Grid, " ");
    EXPECT_FALSE(Grid->GetCell(0, 1).GetAsBoolean());
    EXPECT_TRUE(Log.empty());
}

// ---- Rate -------------------------------------------------------------------------------------

TEST_F(GxDrawnPlaysInput, AClickOnTheFourthGlyphStoresFourAndPlusAndMinusStepWhileNineIsIgnored)
{
    auto* Rate = Add<TGxRateColumn>(80);
    Rate->SetOptions(Rate->GetOptions() + TColumnOptions{coEditing});
    SolidBitmap::FillBitmap(Rate->GetGlyph(), 10, 10, clRed);
    SolidBitmap::FillBitmap(Rate->GetEmptyGlyph(), 10, 10, clBlue);
    Grid->AddRow(2);

    ClickAt(Mid(0, 1, 35));
    EXPECT_EQ(Grid->GetCell(0, 1).GetAsInteger(), 4);
    EXPECT_EQ(TakeLog(), TLog{"change 0,1"});
    // The rate it holds, and past the last glyph: nothing changes.
    ClickAt(Mid(0, 1, 31));
    ClickAt(Mid(0, 1, 55));
    EXPECT_EQ(Grid->GetCell(0, 1).GetAsInteger(), 4);
    EXPECT_TRUE(Log.empty());

    const std::pair<const char*, int> Keys[] = {{"9", 4}, {"+", 5}, {"+", 5}, {"-", 4}, {"-", 3}, {"2", 2}};
    for (const auto& [Key, Value] : Keys) {
        TypeText(Grid, Key);
        EXPECT_EQ(Grid->GetCell(0, 1).GetAsInteger(), Value) << Key;
    }
    PressKey(Grid, VK_SUBTRACT, {}, u"-");
    EXPECT_EQ(Grid->GetCell(0, 1).GetAsInteger(), 1);
    EXPECT_EQ(TakeLog().size(), 5u);
    EXPECT_EQ(Grid->GetCell(0, 0).GetAsInteger(), 0);
}

// ---- HTML -------------------------------------------------------------------------------------

class GxDrawnHtmlInput : public GxDrawnPlaysInput {
protected:
    void SetUp() override
    {
        GxDrawnPlaysInput::SetUp();
        Html = Add<TGxHtmlColumn>(200);
        Add<TGxTextColumn>(80);
        Html->SetTagBefore(u"<b>");
        Html->SetTagAfter(u"</b>");
        Html->OnClick = [this](TObject* Sender, const WideString& Href) {
            Clicks.push_back(WideToUtf8(Href) + (Sender == Html->GetPlay() ? " from the play" : ""));
        };
        Grid->AddRow(2);
        Grid->SetCells(0, 0, u"<a href=\"first\">link</a>");
        Grid->SetCells(0, 1, u"<a href=\"second\">link</a> and more");
        Grid->SetCells(1, 0, u"text");
        Log.clear();
    }
    void TearDown() override
    {
        Screen->SetCursor(crDefault);
        GxDrawnPlaysInput::TearDown();
    }
    // On the word "link" drawn at the cell's top left, and well right of it.
    TPoint OnLink(int ARow) { return At(0, ARow, 6, 7); }
    TPoint OffLink(int ARow) { return At(0, ARow, 180, 7); }
    // On the form, right of the grid.
    TPoint Beside = TPoint(420, 50);

    TGxHtmlColumn* Html = nullptr;
    TLog Clicks;
};

TEST_F(GxDrawnHtmlInput, AClickOnALinkFiresOnClickWithItsHref)
{
    Html->SetOptions(Html->GetOptions() + TColumnOptions{coEditing});
    ClickAt(OnLink(1));
    ClickAt(OffLink(1));
    ClickAt(OnLink(0));
    EXPECT_EQ(Clicks, (TLog{"second from the play", "first from the play"}));
    // Pressed on one link and released on another is no click.
    MouseDown(Grid, OnLink(0).X, OnLink(0).Y);
    MouseUp(Grid, OnLink(1).X, OnLink(1).Y);
    EXPECT_EQ(Clicks.size(), 2u);
    EXPECT_TRUE(Log.empty());
}

TEST_F(GxDrawnHtmlInput, ThePointerIsAHandOverALinkOnlyAndNotAfterItLeavesTheGrid)
{
    MoveTo(OnLink(0));
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    MoveTo(OffLink(0));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    MoveTo(OnLink(1));
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    // Straight from the link into the next column, and into the header.
    MoveTo(At(1, 1, 5, 7));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    MoveTo(OnLink(1));
    MoveTo(TPoint(OnLink(0).X, 2));
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    // Straight from the link out of the grid.
    MoveTo(OnLink(0));
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    MoveTo(Beside);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

// A cell gone from under the hand, or moved away with its column, takes the hand with it.
TEST_F(GxDrawnHtmlInput, TheHandGoesWithThePointerAfterItsRowWentOrItsColumnMoved)
{
    MoveTo(OnLink(1));
    ASSERT_EQ(Screen->GetCursor(), crHandPoint);
    Grid->DeleteRow(1);
    MoveTo(Beside);
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    MoveTo(OnLink(0));
    ASSERT_EQ(Screen->GetCursor(), crHandPoint);
    Grid->GetColumns()->GetItem(1)->SetIndex(0);
    MoveTo(Beside);
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    // Moved within the grid: the next cell's move tells the play that left.
    Grid->GetColumns()->GetItem(1)->SetIndex(0);
    MoveTo(OnLink(0));
    ASSERT_EQ(Screen->GetCursor(), crHandPoint);
    Grid->GetColumns()->GetItem(1)->SetIndex(0);
    MoveTo(At(0, 0, 8, 7));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

} // namespace
