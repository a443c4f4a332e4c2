// In-place editing with the text column's own TGxEdit: the events in order,
// the keys, the input row, where the editor sits, the focus, and values the
// storage refuses.
#include "GridTestFixture.h"
#include "grid/GxColumnClasses.h"
#include "grid/shared/GxEdit.h"
#include "platform/rtl/Codec.h"

#include <cstdlib>

namespace {

using namespace GridStorage;
using namespace GxColumnClasses;
using namespace platform::test;
using GxEdit::TGxCustomEdit;
using GxEdit::TGxEdit;

// A text column whose editor keeps Return for itself.
class TReturnsColumn : public TGxTextColumn {
public:
    QM_CLASS(TReturnsColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    TColumnStyle GetColumnStyle() override { return TGxTextColumn::GetColumnStyle() + TColumnStyle{csWantReturns}; }
};

// A text column whose editor leaves room at the left, as a tree's does.
class TIndentColumn : public TGxTextColumn {
public:
    QM_CLASS(TIndentColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    void AdjustEditRect(int Level, TRect& EditRect) override { EditRect.Left += Level * 19 + 16; }
};

class GxGridEdit : public TGridTest {
protected:
    TStorageGrid* MakeGrid(TComponent* AOwner) override { return New<TEditGrid>(AOwner); }
    void SetUp() override
    {
        TGridTest::SetUp();
        Edit = static_cast<TEditGrid*>(Grid);
        Columns->Clear();
        for (const char* Name : {"A", "B", "C"}) {
            TGxCustomColumn* Column = Columns->Add(ColumnClass<TGxTextColumn>, Utf8ToWide(Name));
            Column->SetName(Name);
            Column->SetOptions(Column->GetOptions() + TColumnOptions{coEditing});
        }
        AddRows(5);
        Grid->SetFocus();
        Grid->OnBeforeEdit = [this](TObject*, int C, int R, bool& Accept) {
            Log.push_back("before " + Cell(C, R));
            Accept = !RefuseEdit;
        };
        Grid->OnApplyEditText = [this](TObject*, int C, int R, WideString& V) {
            Log.push_back("load " + Cell(C, R) + " " + WideToUtf8(V));
        };
        Grid->OnEdit = [this](TObject*, int C, int R, const WideString& V) {
            Log.push_back("edit " + Cell(C, R) + " " + WideToUtf8(V));
        };
        Grid->OnEditAccept = [this](TObject*, int C, int R, const WideString& V, bool& Accept) {
            Log.push_back("accept " + Cell(C, R) + " " + WideToUtf8(V));
            Accept = !RefuseAccept;
        };
        Grid->OnEditText = [this](TObject*, int C, int R, WideString& V) {
            Log.push_back("text " + Cell(C, R) + " " + WideToUtf8(V));
        };
        Grid->OnAfterEdit = [this](TObject*, int C, int R, const WideString& V) {
            Log.push_back("after " + Cell(C, R) + " " + WideToUtf8(V));
        };
        Grid->OnEditExit = [this](TObject*) { Log.push_back("exit"); };
        Application->OnException = [this](TObject*, const Exception& E) { Reports.push_back(E.Message); };
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        TGridTest::TearDown();
    }
    static std::string Cell(int C, int R) { return IntToStr(C) + "," + IntToStr(R); }
    TGxCustomEdit* Editor() { return Grid->GetInplaceEdit(); }
    std::string EditorText() { return Editor() ? WideToUtf8(Editor()->GetAsString()) : "<none>"; }
    std::string CellText(int C, int R) { return WideToUtf8(Grid->GetCells(C, R)); }
    void Type(const char* Text)
    {
        for (const char* P = Text; *P; ++P)
            Editor()->PressKey(WideChar(*P));
    }
    void Key(Word K)
    {
        ASSERT_NE(Editor(), nullptr);
        Editor()->Perform(WM_KEYDOWN, K, 0);
    }
    // An edit of B2 with the text typed over the cell's own.
    void EditB2(const char* Text)
    {
        Grid->EditCell(1, 2, u"");
        ASSERT_NE(Editor(), nullptr);
        Editor()->SetAsString(u"");
        Type(Text);
        Log.clear();
    }
    bool Editing() const { return Grid->GetGridState().Contains(gtEdit); }
    // The rectangle of the cell's editor, in the grid's client coordinates.
    TRect EditorBounds() { return Editor()->GetBoundsRect(); }

    TEditGrid* Edit = nullptr;
    bool RefuseEdit = false;
    bool RefuseAccept = false;
    std::vector<AnsiString> Reports;
};

using Lines = std::vector<std::string>;

TEST_F(GxGridEdit, AnOrdinaryEditFiresItsEventsInOrderAndStores)
{
    Grid->EditCell(1, 2, u"");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->GetParent(), Grid);
    EXPECT_TRUE(Editor()->GetVisible());
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_TRUE(Grid->Focused());
    EXPECT_EQ(EditorText(), "B2");
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(1, 2));
    // The cell's own text comes without OnEdit; typing fires it.
    Type("x");
    // Editing the cell being edited does nothing.
    Grid->EditCell(1, 2, u"");
    Key(VK_RETURN);
    EXPECT_EQ(Log, (Lines{"before 1,2", "load 1,2 B2", "edit 1,2 B2x", "accept 1,2 B2x", "text 1,2 B2x",
                          "after 1,2 B2x", "exit"}));
    EXPECT_EQ(CellText(1, 2), "B2x");
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(-1, -1));
    EXPECT_TRUE(Grid->Focused());
    // The key still reached the grid.
    EXPECT_EQ(Edit->Keys, (Lines{"key 13"}));

    // A value given is loaded as typed; an unchanged text accepts nothing.
    Log.clear();
    Grid->SetEditingCell(TPoint(0, 1));
    EXPECT_EQ(EditorText(), "A1");
    Key(VK_TAB);
    EXPECT_EQ(Log, (Lines{"before 0,1", "load 0,1 A1", "exit"}));
    Log.clear();
    Grid->EditCell(0, 3, u"given");
    EXPECT_EQ(Log, (Lines{"before 0,3", "load 0,3 given", "edit 0,3 given"}));
}

TEST_F(GxGridEdit, TypingStartsAnEditWithItsCharacterAloneAndTheInputRowToo)
{
    Grid->StartEdit(0, 1, u'q');
    EXPECT_EQ(EditorText(), "q");
    EXPECT_EQ(Editor()->GetSelStart(), 1);
    EXPECT_EQ(Log, (Lines{"before 0,1", "edit 0,1 q"}));
    Log.clear();
    std::vector<int> InputSelected;
    Grid->OnInputSelectCell = [&](TObject*, int C) { InputSelected.push_back(C); };
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    Grid->StartInput(1, u'z');
    // The body edit was stored first.
    EXPECT_EQ(CellText(0, 1), "q");
    EXPECT_EQ(Log, (Lines{"accept 0,1 q", "text 0,1 q", "after 0,1 q", "exit"}));
    EXPECT_TRUE(Grid->GetGridState().Contains(gtInput));
    EXPECT_EQ(Grid->GetInputColumnIndex(), 1);
    EXPECT_TRUE(Columns->GetItem(1)->GetInputActive());
    EXPECT_EQ(EditorText(), "z");
    EXPECT_EQ(InputSelected, (std::vector<int>{1}));
    // A program's input value fills the editor of InputColumn.
    Columns->GetItem(2)->SetInputValue(u"kept");
    Grid->InputColumn(Columns->GetItem(2), u"");
    EXPECT_EQ(Columns->GetItem(1)->GetInputValue(), u"z");
    EXPECT_FALSE(Columns->GetItem(1)->GetInputActive());
    EXPECT_EQ(EditorText(), "kept");
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
    Grid->EndEditing();
    EXPECT_EQ(Grid->GetInputColumnIndex(), -1);
    EXPECT_FALSE(Columns->GetItem(2)->GetInputActive());
}

TEST_F(GxGridEdit, NoEditStartsWhereItMayNot)
{
    auto NoEdit = [&](int C, int R) {
        Grid->EditCell(C, R, u"");
        Grid->StartEdit(C, R, u'k');
        return !Editing() && Editor() == nullptr;
    };
    Columns->GetItem(0)->SetOptions(Columns->GetItem(0)->GetOptions() - TColumnOptions{coEditing});
    EXPECT_TRUE(NoEdit(0, 0));
    Grid->SetReadOnly(true);
    EXPECT_TRUE(NoEdit(1, 0));
    Grid->SetReadOnly(false);
    Edit->Locked = {{1, 1}};
    EXPECT_TRUE(NoEdit(1, 1));
    EXPECT_TRUE(NoEdit(1, 5));
    EXPECT_TRUE(NoEdit(3, 0));
    // A column without an editor of its own.
    auto* Plain = Columns->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"P");
    static_cast<ColumnFixtures::TTestColumn*>(Plain)->Style = {csCanEdit};
    Plain->SetOptions(Plain->GetOptions() + TColumnOptions{coEditing});
    EXPECT_TRUE(NoEdit(3, 0));
    RefuseEdit = true;
    EXPECT_TRUE(NoEdit(2, 0));
    // Only the last condition asks OnBeforeEdit.
    EXPECT_EQ(Log, (Lines{"before 2,0", "before 2,0"}));
}

TEST_F(GxGridEdit, ARefusingAcceptKeepsTheCellAndTheEditorOpen)
{
    RefuseAccept = true;
    EditB2("new");
    Key(VK_RETURN);
    Key(VK_TAB);
    EXPECT_EQ(Log, (Lines{"accept 1,2 new", "accept 1,2 new"}));
    EXPECT_EQ(CellText(1, 2), "B2");
    EXPECT_TRUE(Editing());
    EXPECT_EQ(EditorText(), "new");
    EXPECT_TRUE(Editor()->GetVisible());
}

TEST_F(GxGridEdit, ReturnTabAndEscape)
{
    // A column that wants Return keeps the editor open; the grid still sees the key.
    Columns->Add(ColumnClass<TReturnsColumn>, u"R")->SetOptions({coEditing});
    Grid->EditCell(3, 0, u"");
    Key(VK_RETURN);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Edit->Keys, (Lines{"key 13"}));

    // Tab stores and ends, then reaches the grid.
    EditB2("tabbed");
    Key(VK_TAB);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(CellText(1, 2), "tabbed");
    EXPECT_EQ(Edit->Keys, (Lines{"key 13", "key 9"}));

    // Escape without goEscClearEdit closes and keeps the cell.
    EditB2("gone");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(CellText(1, 2), "tabbed");
    EXPECT_EQ(Log, (Lines{"exit"}));
    EXPECT_TRUE(Grid->Focused());
    // With it the editor empties and stays.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEscClearEdit});
    EditB2("cleared");
    Key(VK_ESCAPE);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(EditorText(), "");
}

TEST_F(GxGridEdit, ReturnInTheInputRowAddsTheRowAndStartsAgain)
{
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    int Added = 0;
    Grid->OnInputAdded = [&](TObject*) { ++Added; };
    bool AcceptInput = false;
    Grid->OnInputAccept = [&](TObject*, bool& Accept) { Accept = AcceptInput; };
    Columns->GetItem(2)->SetDefaultValue(u"dflt");
    Columns->GetItem(0)->SetInputValue(u"first");
    Grid->StartInput(1, u's');
    Type("econd");
    // Refused: no row, the values stay as typed.
    Key(VK_RETURN);
    EXPECT_EQ(Grid->GetRowCount(), 5);
    EXPECT_EQ(Added, 0);
    EXPECT_EQ(EditorText(), "second");
    EXPECT_EQ(Columns->GetItem(1)->GetInputValue(), u"second");

    AcceptInput = true;
    Key(VK_RETURN);
    ASSERT_EQ(Grid->GetRowCount(), 6);
    EXPECT_EQ(CellText(0, 5), "first");
    EXPECT_EQ(CellText(1, 5), "second");
    EXPECT_EQ(CellText(2, 5), "dflt");
    EXPECT_EQ(Added, 1);
    for (int Col = 0; Col < 3; ++Col)
        EXPECT_TRUE(Columns->GetItem(Col)->GetInputValue().empty());
    EXPECT_TRUE(Grid->GetGridState().Contains(gtInput));
    EXPECT_EQ(EditorText(), "");

    // The editor comes back fully selected with what the column holds.
    Columns->GetItem(1)->SetInputValue(u"");
    Type("ab");
    Edit->Refused = u"ab";
    Key(VK_RETURN);
    // A value that fails to store: no row at all, the input kept, one report.
    EXPECT_EQ(Grid->GetRowCount(), 6);
    EXPECT_EQ(Added, 1);
    EXPECT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Columns->GetItem(1)->GetInputValue(), u"ab");
    EXPECT_EQ(EditorText(), "ab");
    EXPECT_EQ(Editor()->GetSelLength(), 2);
    EXPECT_TRUE(Grid->GetGridState().Contains(gtInput));
}

TEST_F(GxGridEdit, AutoSelectAndUserEditors)
{
    Columns->GetItem(0)->SetOptions(Columns->GetItem(0)->GetOptions() + TColumnOptions{coEditorAutoSelect});
    Grid->EditCell(0, 1, u"");
    EXPECT_EQ(Editor()->GetSelStart(), 0);
    EXPECT_EQ(Editor()->GetSelLength(), 2);
    Grid->EditCell(1, 1, u"");
    EXPECT_EQ(Editor()->GetSelLength(), 0);
    EXPECT_EQ(Editor()->GetSelStart(), 2);
    Grid->EndEditing();

    auto* User = New<TGxEdit>(Form);
    Columns->GetItem(2)->SetInplaceEdit(User);
    Grid->EditCell(2, 3, u"");
    EXPECT_EQ(Editor(), User);
    EXPECT_EQ(EditorText(), "C3");
    Type("!");
    Key(VK_RETURN);
    EXPECT_EQ(CellText(2, 3), "C3!");
    EXPECT_FALSE(Editing());
    // The editor no longer calls into the grid once released.
    EXPECT_FALSE(User->OnKeyDown);

    // With goInplaceEditEvents the user's events stay the user's.
    int UserKeys = 0;
    User->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++UserKeys; };
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInplaceEditEvents});
    Grid->EditCell(2, 3, u"");
    Key(VK_RETURN);
    EXPECT_EQ(UserKeys, 1);
    EXPECT_TRUE(Editing());
}

TEST_F(GxGridEdit, TheEditorSitsOverItsCellThroughLayoutAndScrolling)
{
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goGrid});
    Grid->EditCell(1, 2, u"");
    // The cell less its grid lines and a pixel all round.
    auto Expected = [&] {
        TRect R = Grid->GetCellRect(1, 2);
        Grid->ExcludeGrid(R);
        InflateRect(R, -1, -1);
        R.Left = std::max<LONG>(R.Left, Grid->GetBodyRect().Left);
        return R;
    };
    EXPECT_EQ(EditorBounds(), Expected());
    Columns->GetItem(0)->SetWidth(120);
    EXPECT_EQ(EditorBounds(), Expected());
    Columns->GetItem(1)->SetWidth(60);
    EXPECT_EQ(EditorBounds(), Expected());
    Grid->SetHeaderSize(30);
    EXPECT_EQ(EditorBounds(), Expected());
    Grid->SetRowSize(20);
    EXPECT_EQ(EditorBounds(), Expected());
    Columns->GetItem(1)->SetPosition(0);
    EXPECT_EQ(EditorBounds(), Expected());
    EXPECT_TRUE(Editing());
    // Scrolled sideways the cell's left passes the body's: the editor keeps to the body.
    Columns->GetItem(2)->SetWidth(400);
    Columns->GetItem(1)->SetPosition(1);
    Grid->GetHorzScrollBar()->SetPosition(100);
    EXPECT_EQ(EditorBounds(), Expected());
    Grid->GetHorzScrollBar()->SetPosition(130);
    EXPECT_EQ(EditorBounds(), Expected());
    EXPECT_EQ(EditorBounds().Left, 0);
    EXPECT_TRUE(Editor()->GetVisible());
    Grid->GetHorzScrollBar()->SetPosition(0);

    // Without grid lines the right edge gives up one more pixel.
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goGrid});
    TRect Cell = Grid->GetCellRect(1, 2);
    EXPECT_EQ(EditorBounds(), TRect(Cell.Left + 1, Cell.Top + 1, Cell.Right - 2, Cell.Bottom - 1));

    // The column moves the editor's rectangle.
    Grid->EndEditing();
    Columns->Add(ColumnClass<TIndentColumn>, u"I")->SetOptions({coEditing});
    Columns->GetItem(3)->SetPosition(0);
    Grid->EditCell(3, 2, u"");
    Cell = Grid->GetCellRect(3, 2);
    EXPECT_EQ(EditorBounds(), TRect(Cell.Left + 17, Cell.Top + 1, Cell.Right - 2, Cell.Bottom - 1));
    Grid->EndEditing();
    Grid->EditCell(1, 2, u"");

    // Scrolled above the body, or below it, the editor hides; back in view it returns.
    AddRows(30);
    Grid->GetVertScrollBar()->SetPosition(3);
    EXPECT_FALSE(Editor()->GetVisible());
    EXPECT_TRUE(Editing());
    Grid->GetVertScrollBar()->SetPosition(0);
    EXPECT_TRUE(Editor()->GetVisible()) << Grid->GetFirstRowInView() << " " << EditorBounds().Top;
    Grid->EndEditing();
    Grid->EditCell(1, 5, u"");
    ASSERT_TRUE(Editor()->GetVisible());
    Grid->SetHeight(Grid->GetHeight() - 60);
    EXPECT_FALSE(Editor()->GetVisible());
    Grid->SetHeight(Grid->GetHeight() + 60);
    EXPECT_TRUE(Editor()->GetVisible());
    Grid->SetFooterSize(60);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter});
    EXPECT_FALSE(Editor()->GetVisible());
    EXPECT_TRUE(Grid->Focused());
    // On a hidden form the editor opens without the focus.
    Grid->EndEditing();
    Form->Hide();
    Grid->EditCell(1, 1, u"");
    EXPECT_TRUE(Editing());
    EXPECT_FALSE(Editor()->Focused());
}

TEST_F(GxGridEdit, FocusLeavingTheGridAppliesTheEditBeforeOnExit)
{
    auto* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    Other->SetTop(150);
    int Exits = 0;
    Grid->OnExit = [&](TObject*) {
        Log.push_back("grid exit");
        ++Exits;
    };
    EditB2("left");
    // The focus went from the grid into its own editor: no exit.
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Exits, 0);
    Other->SetFocus();
    ProcessEvents();
    EXPECT_EQ(Log, (Lines{"accept 1,2 left", "text 1,2 left", "after 1,2 left", "exit", "grid exit"}));
    EXPECT_EQ(CellText(1, 2), "left");
    EXPECT_FALSE(Editing());
}

TEST_F(GxGridEdit, EveryEndButEscapeStoresTheTypedText)
{
    Grid->OnBeforeSelect = [this](TObject*, int C, int R, bool&) { Log.push_back("before select " + Cell(C, R)); };
    Grid->OnDeselectCell = [this](TObject*, int C, int R) { Log.push_back("deselect " + Cell(C, R)); };
    Grid->OnSelectCell = [this](TObject*, int C, int R) { Log.push_back("select " + Cell(C, R)); };
    Grid->SetSelectedCell(1, 2);
    EditB2("moved");
    Grid->SetSelectedRow(3);
    EXPECT_EQ(Log, (Lines{"before select 1,3", "deselect 1,2", "accept 1,2 moved", "text 1,2 moved", "after 1,2 moved",
                          "exit", "select 1,3"}));
    EXPECT_EQ(CellText(1, 2), "moved");

    // A page down moves the selection as the keys do.
    Grid->SetSelectedCell(1, 2);
    EditB2("paged");
    Grid->MoveSelectionBy(Grid->GetVisibleCount(false));
    EXPECT_EQ(CellText(1, 2), "paged");

    // A sort stores before it orders anything.
    Columns->GetItem(0)->SetOptions(Columns->GetItem(0)->GetOptions() + TColumnOptions{coCanSort});
    std::string SeenBySort;
    Grid->OnSortColumn = [&](TObject*, int, bool) { SeenBySort = CellText(1, 2); };
    EditB2("sorted");
    Grid->SortColumn(Columns->GetItem(0), true);
    EXPECT_EQ(SeenBySort, "sorted");
    EXPECT_FALSE(Editing());

    // A column inserted before the edited one: the edit stores into B2.
    EditB2("inserted");
    Columns->Insert(ColumnClass<TGxTextColumn>, 0);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(CellText(2, 2), "inserted");

    // A resize moves the editor and keeps the text, which the next end stores.
    Grid->EditCell(2, 2, u"");
    Type("+");
    Columns->GetItem(2)->SetWidth(50);
    Grid->SetWidth(200);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(EditorText(), "inserted+");
    Key(VK_RETURN);
    EXPECT_EQ(CellText(2, 2), "inserted+");
}

TEST_F(GxGridEdit, AValueTheCellRefusesIsReportedOnceAndNeverHalfStored)
{
    Edit->Refused = u"bad";
    EditB2("bad");
    // Return and Tab leave the editor open with the text.
    Key(VK_RETURN);
    Key(VK_TAB);
    EXPECT_EQ(Reports.size(), 2u);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(1, 2));
    EXPECT_EQ(EditorText(), "bad");
    EXPECT_EQ(CellText(1, 2), "B2");
    EXPECT_TRUE(Edit->Keys.empty());
    EXPECT_EQ(Log, (Lines{"accept 1,2 bad", "text 1,2 bad", "accept 1,2 bad", "text 1,2 bad"}));

    // Focus loss closes cleanly, reports once and OnExit still fires.
    auto* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    int Exits = 0;
    Grid->OnExit = [&](TObject*) { ++Exits; };
    Other->SetFocus();
    ProcessEvents();
    EXPECT_EQ(Reports.size(), 3u);
    EXPECT_EQ(Exits, 1);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetInplaceEdit(), nullptr);
    EXPECT_EQ(Grid->GetEditingCell(), TPoint(-1, -1));
    EXPECT_EQ(CellText(1, 2), "B2");

    // So does a selection move.
    Grid->SetFocus();
    EditB2("bad");
    Grid->SetSelectedRow(4);
    EXPECT_EQ(Reports.size(), 4u);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetSelectedRow(), 4);
    EXPECT_EQ(Reports.back(), "'bad' is not a valid value");
}

TEST_F(GxGridEdit, AnEditWhoseRowWentStoresNothing)
{
    EditB2("late");
    // The rows go behind the grid's back.
    Edit->GetStore()->ClearRows();
    EXPECT_FALSE(Grid->ApplyEditing());
    Grid->EndEditing();
    EXPECT_EQ(Log, (Lines{"exit"}));
    EXPECT_TRUE(Reports.empty());

    // An editor freed while in use ends the edit with it.
    AddRows(3);
    auto* User = New<TGxEdit>(Form);
    Columns->GetItem(0)->SetInplaceEdit(User);
    Grid->EditCell(0, 1, u"");
    ASSERT_EQ(Editor(), User);
    Free(User);
    EXPECT_EQ(Grid->GetInplaceEdit(), nullptr);
    EXPECT_FALSE(Editing());
}

TEST_F(GxGridEdit, APaintLeavesTheEditorsRectangleAlone)
{
    const TColor Marker = TColor(0x0000FF);
    Grid->EditCell(1, 2, u"");
    PaintNow(Grid);
    const TRect R = EditorBounds();
    TCanvas* Canvas = Grid->GetCanvas();
    Canvas->GetBrush()->SetColor(Marker);
    Canvas->FillRect(R);
    Grid->Invalidate();
    PaintNow(Grid);
    EXPECT_EQ(PixelAt(Grid, R.Left, R.Top), ColorToRGB(Marker));
    EXPECT_EQ(PixelAt(Grid, R.Right - 1, R.Bottom - 1), ColorToRGB(Marker));
    EXPECT_NE(PixelAt(Grid, R.Left - 1, R.Top), ColorToRGB(Marker));
    EXPECT_NE(PixelAt(Grid, R.Right, R.Bottom), ColorToRGB(Marker));
}

TEST_F(GxGridEdit, TheEditorShowsExactlyOverItsCell)
{
    Grid->SetBorderStyle(bsNone);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goGrid, goIndicator});
    Grid->SetGridLinesColor(clBlack);
    Grid->EditCell(1, 2, u"");
    Editor()->SetColor(clYellow);
    ProcessEvents();
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
        SaveWindowImage(Grid, AnsiString(Dir) + "/grid-editor.png");
    // Probed without text, which could fall on a probe.
    Editor()->SetAsString(u"");
    ProcessEvents();
    TBitmap Shot;
    GrabWindow(Grid, &Shot);
    // What the user sees: yellow from a pixel inside the cell's left line to
    // two pixels before its right one, the lines and the cells around untouched.
    const TRect Cell = Grid->GetCellRect(1, 2);
    const int Y = (Cell.Top + Cell.Bottom) / 2;
    const int X = (Cell.Left + Cell.Right) / 2;
    TCanvas* C = Shot.GetCanvas();
    EXPECT_EQ(C->GetPixels(Cell.Left + 1, Y), ColorToRGB(clYellow));
    EXPECT_EQ(C->GetPixels(Cell.Right - 3, Y), ColorToRGB(clYellow));
    EXPECT_EQ(C->GetPixels(X, Cell.Top + 1), ColorToRGB(clYellow));
    EXPECT_EQ(C->GetPixels(X, Cell.Bottom - 2), ColorToRGB(clYellow));
    EXPECT_NE(C->GetPixels(Cell.Left, Y), ColorToRGB(clYellow));
    EXPECT_NE(C->GetPixels(Cell.Right - 2, Y), ColorToRGB(clYellow));
    EXPECT_NE(C->GetPixels(X, Cell.Top), ColorToRGB(clYellow));
    EXPECT_NE(C->GetPixels(X, Cell.Bottom - 1), ColorToRGB(clYellow));
    EXPECT_EQ(C->GetPixels(Cell.Right - 1, Y), ColorToRGB(clBlack));
}

} // namespace
