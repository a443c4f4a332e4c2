// tests/grid/GxColumnTest.cpp: a column's properties and what each reports,
// its parts, Assign, its notifications, and a column with no collection.
#include "ColumnFixtures.h"
#include "grid/shared/GxEdit.h"

#include <functional>
#include <utility>

using namespace ColumnFixtures;

using Lines = std::vector<std::string>;
using GxColumn = TGridFixture;

TEST_F(GxColumn, EverySetterStoresThenReportsItsChange)
{
    TTestColumn* A = AddColumn("A");
    Grid->Listen(A);
    struct TCase {
        const char* Name;
        std::function<void()> Set;
        Lines Expected;
    };
    const TCase Cases[] = {
        {"Alignment", [&] { A->SetAlignment(taCenter); }, {"notify A ccAlignChange", "ccUndefined A -1"}},
        {"BiDiMode", [&] { A->SetBiDiMode(bdRightToLeft); }, {"ccUndefined A -1"}},
        {"Color", [&] { A->SetColor(clRed); }, {"notify A cnColorChange", "ccUndefined A -1"}},
        {"Cursor", [&] { A->SetCursor(crHandPoint); }, {"ccUndefined A -1"}},
        {"DrawingOptions", [&] { A->SetDrawingOptions(doCustom); }, {"notify A ccDrawingChange", "ccUndefined A -1"}},
        {"InputCaption", [&] { A->SetInputCaption(u"x"); }, {"ccUndefined A -1"}},
        {"InputValue", [&] { A->SetInputValue(u"x"); }, {"ccInputChange A -1"}},
        {"ParentCellColor", [&] { A->SetParentCellColor(true); }, {"refresh A gaBody"}},
        {"SlideCaption", [&] { A->SetSlideCaption("x"); }, {"refresh A gaNone"}},
        {"SlideCaptionLocation", [&] { A->SetSlideCaptionLocation(clLeft); }, {"ccUndefined A -1"}},
        {"SortKind", [&] { A->SetSortKind(skDescending); }, {"ccSortTypeChange A -1"}},
        {"SortType", [&] { A->SetSortType(stNumeric); }, {"ccSortTypeChange A -1"}},
        {"VerticalAlignment", [&] { A->SetVerticalAlignment(taAlignTop); }, {"ccUndefined A -1"}},
        {"WrapKind", [&] { A->SetWrapKind(wkWordWrap); }, {"refresh A gaBody"}},
        {"Name", [&] { A->SetName("Z"); }, {"notify Z cnNameChange"}},
        {"same Name", [&] { A->SetName("Z"); }, {}},
        {"Options",
         [&] { A->SetOptions(TColumnOptions{coEditing}); },
         {"ccUndefined Z -1", "notify Z cnOptionsChange"}},
        {"Visible", [&] { A->SetVisible(false); }, {"notify Z ccVisibleChange", "ccVisible Z -1"}},
        {"same Visible", [&] { A->SetVisible(false); }, {}},
        {"Width", [&] { A->SetWidth(50); }, {"ccWidth Z -30"}},
        {"Header", [&] { A->GetHeader()->SetDisplayMode(dmImageOnly); }, {"ccUndefined Z -1"}},
        {"Header colour", [&] { A->GetHeader()->SetColor(clRed); }, {"refresh Z gaNone"}},
        {"Header caption", [&] { A->GetHeader()->SetCaption(u"c"); }, {"notify Z cnCaptionChange", "refresh Z gaNone"}},
        {"Header hint", [&] { A->GetHeader()->SetHint(u"h"); }, {}},
        {"Header alignment", [&] { A->GetHeader()->SetAlignment(taCenter); }, {"refresh Z gaHeader"}},
        {"Footer alignment", [&] { A->GetFooter()->SetAlignment(taCenter); }, {"refresh Z gaFooter"}},
        {"Footer text", [&] { A->GetFooter()->SetTextAfter(u"%"); }, {"ccUndefined Z -1"}},
        {"Footer value", [&] { A->GetFooter()->SetFormulaValue(2); }, {"ccUndefined Z -1"}},
        {"Slide left", [&] { A->GetSlideBounds()->SetLeft(8); }, {"ccSlideChanged Z -1"}},
        {"Slide width", [&] { A->GetSlideBounds()->SetWidth(90); }, {"ccSlideChanged Z -1"}},
        {"same slide width", [&] { A->GetSlideBounds()->SetWidth(90); }, {}},
    };
    Grid->TakeLog();
    for (const TCase& Case : Cases) {
        Case.Set();
        EXPECT_EQ(Grid->TakeLog(), Case.Expected) << Case.Name;
    }
    EXPECT_EQ(A->GetWidth(), 50);
    EXPECT_EQ(A->GetSlideRect(), TRect(8, 8, 98, 24));
}

TEST_F(GxColumn, OneColumnAtATimeIsSortedOrTheSearchColumn)
{
    TTestColumn* A = AddColumn("A");
    TTestColumn* B = AddColumn("B");
    A->SetSorted(true);
    Grid->TakeLog();
    B->SetSorted(true);
    EXPECT_FALSE(A->GetSorted());
    EXPECT_TRUE(B->GetSorted());
    EXPECT_EQ(Grid->TakeLog(), (Lines{"ccUnsorted A -1", "ccSorted B -1"}));

    B->Style = {csDisableSorting};
    B->SetSorted(false);
    A->SetSorted(true); // B cannot be unsorted
    EXPECT_TRUE(B->GetSorted());
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccSorted A -1"});

    A->SetOptions(A->GetOptions() + TColumnOptions{coSearchColumn});
    Grid->TakeLog();
    B->SetOptions(B->GetOptions() + TColumnOptions{coSearchColumn});
    EXPECT_FALSE(A->GetOptions().Contains(coSearchColumn));
    EXPECT_TRUE(B->GetOptions().Contains(coSearchColumn));
    EXPECT_EQ(Grid->TakeLog(), (Lines{"ccUndefined A -1", "ccUndefined B -1"}));
}

TEST_F(GxColumn, ParentFontCopiesTheGridsFontAndAnOwnChangeClearsIt)
{
    Grid->GetFont()->SetName("Arial");
    TTestColumn* A = AddColumn("A");
    EXPECT_EQ(A->GetFont()->GetName(), "Arial");
    EXPECT_TRUE(A->GetParentFont());

    Grid->GetFont()->SetName("Tahoma");
    Grid->TakeLog();
    A->SetParentFont(true);
    EXPECT_EQ(A->GetFont()->GetName(), "Tahoma");
    EXPECT_TRUE(A->GetParentFont());
    EXPECT_TRUE(Grid->TakeLog().empty());

    A->GetFont()->SetHeight(-20);
    EXPECT_FALSE(A->GetParentFont());
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccUndefined A -1"});
}

TEST_F(GxColumn, AssignCopiesAColumnThroughItsSettersInOrder)
{
    TTestColumn* A = AddColumn("A");
    TTestColumn* B = AddColumn("B");
    A->SetAlignment(taRightJustify);
    A->SetWidth(120);
    A->GetHeader()->SetCaption(u"Head");
    A->GetFooter()->SetTextBefore(u"<");
    A->GetSlideBounds()->SetTop(30);
    Grid->TakeLog();

    B->Assign(A);
    EXPECT_EQ(B->GetAlignment(), taRightJustify);
    EXPECT_EQ(B->GetHeader()->GetCaption(), u"Head");
    EXPECT_EQ(B->GetFooter()->GetTextBefore(), u"<");
    EXPECT_TRUE(B->GetParentFont()); // the font first clears it, ParentFont then copies it
    EXPECT_EQ(B->GetPosition(), 0);  // A's place: B moved to the left
    // Each setter in its turn (the many ccUndefined and repaints aside):
    // input value, position (to A's place), slide left and top, sorted,
    // sort kind, width.
    Lines Reports;
    int Undefined = 0;
    for (const std::string& Line : Grid->TakeLog())
        if (Line == "ccUndefined B -1")
            ++Undefined;
        else if (Line.rfind("refresh", 0) != 0)
            Reports.push_back(Line);
    EXPECT_EQ(Reports, (Lines{"ccInputChange B -1", "ccPosition B 1", "ccPosition B -1", "ccSlideChanged B -1",
                              "ccSlideChanged B -1", "ccUnsorted B -1", "ccSortTypeChange B -1", "ccWidth B 40"}));
    EXPECT_EQ(Undefined, 18);
    EXPECT_THROW(B->Assign(Grid->GetFont()), EConvertError);
}

TEST_F(GxColumn, PartsAssignTheirOwnSettings)
{
    TTestColumn* A = AddColumn("A");
    TTestColumn* B = AddColumn("B");
    TColumnHeader* Header = A->GetHeader();
    Header->SetCaption(u"Name");
    Header->SetColor(clRed);
    Header->SetHint(u"hint");
    Header->SetHideArrow(false);
    TColumnFooter* Footer = A->GetFooter();
    Footer->SetAlignment(taRightJustify);
    Footer->SetFormulaKind(fkSum);
    Footer->SetFormatMask("0.00");
    Footer->SetTextAfter(u")");
    Footer->SetTextBefore(u"(");
    Footer->SetFormulaValue(5);
    Footer->SetCaption(u"Total");

    B->GetHeader()->Assign(Header);
    EXPECT_EQ(B->GetHeader()->GetCaption(), u"Name");
    EXPECT_EQ(B->GetHeader()->GetHint(), u"hint");
    EXPECT_TRUE(B->GetHeader()->GetHideArrow()); // not copied

    // From a footer only the footer's own settings; from another part the part's.
    TColumnFooter* Copy = B->GetFooter();
    Copy->Assign(Footer);
    EXPECT_EQ(Copy->GetAlignment(), taRightJustify);
    EXPECT_EQ(Copy->GetFormulaKind(), fkSum);
    EXPECT_EQ(Copy->GetFormatMask(), "0.00");
    EXPECT_EQ(Copy->GetTextAfter(), u")"); // each from its own name
    EXPECT_EQ(Copy->GetTextBefore(), u"(");
    EXPECT_EQ(Copy->GetFormulaValue(), 0);
    EXPECT_EQ(Copy->GetCaption(), u"");
    Copy->Assign(Header);
    EXPECT_EQ(Copy->GetCaption(), u"Name");
    EXPECT_EQ(Copy->GetColor(), clRed);
    EXPECT_THROW(Copy->Assign(A->GetSlideBounds()), EConvertError);

    A->GetSlideBounds()->SetHeight(40);
    Grid->TakeLog();
    B->GetSlideBounds()->Assign(A->GetSlideBounds());
    EXPECT_EQ(B->GetSlideRect(), TRect(8, 8, 88, 48));
    EXPECT_EQ(Grid->TakeLog(), Lines(3, "ccSlideChanged B -1"));
}

TEST_F(GxColumn, AGlyphTakesItsTransparentColourFromItsBottomLeftPixelWhenItHasOne)
{
    TTestColumn* A = AddColumn("A");
    TOwned<TBitmap> Picture = MakeOwned<TBitmap>();
    Picture->SetSize(4, 3);
    Picture->GetCanvas()->SetPixels(0, 2, clLime);
    Grid->TakeLog();
    A->GetHeader()->SetGlyph(Picture.get());
    TBitmap* Glyph = A->GetHeader()->GetGlyph();
    EXPECT_TRUE(Glyph->GetTransparent());
    EXPECT_EQ(Glyph->GetTransparentMode(), tmFixed);
    EXPECT_EQ(Glyph->GetTransparentColor(), clLime);
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccUndefined A -1"});

    // An empty glyph has no pixel to read.
    TOwned<TBitmap> Empty = MakeOwned<TBitmap>();
    A->GetFooter()->SetGlyph(Empty.get());
    EXPECT_FALSE(A->GetFooter()->GetGlyph()->GetTransparent());
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccUndefined A -1"});
}

namespace {

struct TListener {
    std::vector<std::string>* Log;
    void Heard(TGxCustomColumn*, TColumnNotifyOperation Operation)
    {
        Log->push_back("heard " + std::to_string(Operation));
    }
    void Other(TGxCustomColumn*, TColumnNotifyOperation) { Log->push_back("other"); }
};

} // namespace

TEST_F(GxColumn, UnregisteringDropsEveryMatchingEntry)
{
    TTestColumn* A = AddColumn("A");
    std::vector<std::string> Log;
    TListener One{&Log};
    TListener Two{&Log};
    A->RegisterNotification(NotifyProcOf<&TListener::Heard>(&One));
    A->RegisterNotification(NotifyProcOf<&TListener::Other>(&One));
    A->RegisterNotification(NotifyProcOf<&TListener::Heard>(&One));
    A->RegisterNotification(NotifyProcOf<&TListener::Heard>(&Two));
    A->SetColor(clRed);
    EXPECT_EQ(Log, (Lines{"heard 2", "other", "heard 2", "heard 2"}));

    Log.clear();
    A->UnregisterNotification(NotifyProcOf<&TListener::Heard>(&One));
    A->SetColor(clRed);
    EXPECT_EQ(Log, (Lines{"other", "heard 2"}));
}

TEST_F(GxColumn, ColumnStateNeedsEnabledAndAnEditor)
{
    TTestColumn* A = AddColumn("A");
    A->SetOptions(TColumnOptions{coEditing, coCanInput});
    EXPECT_EQ(A->GetColumnState(), TColumnState{}); // no editor, no csCanEdit
    A->Style = {csCanEdit};
    EXPECT_EQ(A->GetColumnState(), (TColumnState{ceEditable, ceCanInput}));
    A->SetOptions(TColumnOptions{coCanInput});
    EXPECT_EQ(A->GetColumnState(), TColumnState{ceCanInput});
    A->SetEnabled(false);
    EXPECT_EQ(A->GetColumnState(), TColumnState{});
}

namespace {

// A kind that sets its options while it is being made, before any collection has it.
class TAutoSizeColumn : public TTestColumn {
public:
    explicit TAutoSizeColumn(TComponent* AOwner) : TTestColumn(AOwner) { SetOptions(TColumnOptions{coAutoSize}); }
};

} // namespace

TEST_F(GxColumn, AColumnWithoutACollectionKeepsItsOwnRules)
{
    TOwned<TTestColumn> Loose = MakeOwned<TTestColumn>(nullptr);
    std::vector<std::string> Log;
    TListener Listener{&Log};
    Loose->RegisterNotification(NotifyProcOf<&TListener::Heard>(&Listener));

    Loose->SetOptions(TColumnOptions{coSearchColumn});
    Loose->SetSorted(true);
    Loose->SetVisible(false);
    Loose->SetWidth(2);
    Loose->SetSilentWidth(4);
    Loose->SetParentFont(true);
    Loose->SetPosition(3);
    Loose->SetIndex(2);
    Loose->SetWrapKind(wkNone);
    Loose->GetHeader()->SetCaption(u"x");
    Loose->GetSlideBounds()->SetLeft(1);
    Loose->TryUpdateColumns(true);
    Loose->Assign(AddColumn("A"));
    Loose->ReadState();
    EXPECT_EQ(Loose->GetWidth(), 80);
    EXPECT_EQ(Loose->GetPosition(), 0);
    EXPECT_TRUE(Loose->GetVisible());
    EXPECT_FALSE(Loose->GetSorted());
    EXPECT_EQ(Loose->GetIndex(), -1);
    EXPECT_EQ(Loose->GetNextColumn(), Loose.get());
    EXPECT_EQ(Loose->GetParentComponent(), nullptr);
    EXPECT_EQ(Loose->GetMemberRect(ckHeader), TRect());
    EXPECT_FALSE(Loose->IsClipped());
    // Options, visibility and caption, then Assign's alignment, colour,
    // drawing options, header caption, options and visibility.
    EXPECT_EQ(Log, (Lines{"heard 5", "heard 6", "heard 1", "heard 0", "heard 2", "heard 3", "heard 1", "heard 5",
                          "heard 6"}));

    Loose->SetWidth(2);
    EXPECT_EQ(Loose->GetWidth(), 8);
    Loose->Style = {csDisableSorting};
    Loose->SetSorted(true);
    EXPECT_FALSE(Loose->GetSorted());

    // A kind that sets its options in its constructor joins a grid later.
    TGxCustomColumn* Auto = Columns->Add(ColumnClass<TAutoSizeColumn>, u"Auto");
    EXPECT_EQ(Auto->GetHeader()->GetCaption(), u"Auto");
    EXPECT_EQ(Auto->GetWidth(), 720); // the grid's 800 less A's 80
}

TEST_F(GxColumn, AFormPlacesItsStoredColumnsByTheirPositionsAfterReadingThem)
{
    // What a form's builder does for columns stored in a grid: each is made
    // and read under csLoading, handed to its grid, given its stored
    // values, then told its state is read; Loaded follows for all.
    Grid->SetLoading(true);
    const struct {
        const char* Name;
        int Position;
        int Width;
    } Stored[] = {{"A", 2, 50}, {"B", 0, 60}, {"C", 1, 70}};
    std::vector<TGxCustomColumn*> Made;
    for (const auto& S : Stored) {
        auto* Column = New<TTestColumn>(Form.get());
        Column->SetLoading(true);
        Column->SetParentComponent(Grid);
        Column->SetName(S.Name);
        Column->SetPosition(S.Position);
        Column->SetWidth(S.Width);
        Column->ReadState();
        Made.push_back(Column);
    }
    Grid->Loaded();
    for (TGxCustomColumn* Column : Made)
        Column->Loaded();

    EXPECT_TRUE(Made[0]->HasParent());
    EXPECT_EQ(Made[0]->GetParentComponent(), Grid);
    EXPECT_EQ(Columns->GetItem(0), Made[0]);
    EXPECT_EQ(Columns->GetPositionItem(0), Made[1]);
    EXPECT_EQ(Columns->GetPositionItem(2), Made[0]);
    EXPECT_EQ(Made[1]->GetLeft(), 0);
    EXPECT_EQ(Made[2]->GetLeft(), 60);
    EXPECT_EQ(Made[0]->GetLeft(), 130);

    // Anything but a grid is no parent for a column.
    auto* Other = New<TTestColumn>(Form.get());
    Other->SetParentComponent(Form.get());
    EXPECT_EQ(Other->GetColumns(), nullptr);
}

TEST_F(GxColumn, APlayShowsItsCellThroughTheDisplay)
{
    TTestColumn* A = AddColumn("A");
    auto* Display = static_cast<TTestDisplay*>(A->GetDisplay());
    Display->SetAsBoolean(true);
    A->GetPlay()->Show();
    EXPECT_TRUE(A->GetPlay()->GetAsBoolean());
    EXPECT_EQ(Display->Paints, 1);
}

namespace {

class TEditColumn : public TTestColumn {
public:
    using TTestColumn::TTestColumn;
    TGxCustomEditClass GetCellEditorClass() const override { return EditClass<GxEdit::TGxEdit>; }
};

TEST_F(GxColumn, AHandlerThatFreesAColumnWhileOthersAreUnsortedOrUnsearchedIsSafe)
{
    TTestColumn* A = AddColumn("A");
    TTestColumn* B = AddColumn("B");
    TTestColumn* C = AddColumn("C");
    // The handler frees B the first time A reports, before the loops reach B.
    TTestColumn* Victim = nullptr;
    const TColumnChangeEvent Logged = Columns->OnColumnChange;
    Columns->OnColumnChange = [&](TObject* Sender, TGxCustomColumn* Column, TColumnChangeKind Kind, int Param) {
        if (Column == A && Victim) Free(std::exchange(Victim, nullptr));
        Logged(Sender, Column, Kind, Param);
    };
    A->SetSorted(true);
    Victim = B;
    C->SetSorted(true);
    EXPECT_EQ(Columns->GetCount(), 2);
    EXPECT_FALSE(A->GetSorted());
    EXPECT_TRUE(C->GetSorted());

    TTestColumn* D = AddColumn("D");
    A->SetOptions(A->GetOptions() + TColumnOptions{coSearchColumn});
    Victim = C;
    D->SetOptions(D->GetOptions() + TColumnOptions{coSearchColumn});
    EXPECT_EQ(Columns->GetCount(), 2);
    EXPECT_FALSE(A->GetOptions().Contains(coSearchColumn));
    EXPECT_TRUE(D->GetOptions().Contains(coSearchColumn));
}

} // namespace

TEST_F(GxColumn, TheBaseReadiesItsOwnEditorForACell)
{
    TGxCustomColumn* Column = Columns->Add(ColumnClass<TEditColumn>, u"");
    GxEdit::TGxCustomEdit* Editor = Column->GetEditor();
    ASSERT_NE(Editor, nullptr);
    EXPECT_EQ(Editor->GetOwner(), Column);
    EXPECT_FALSE(Editor->GetVisible());

    Column->SetAlignment(taRightJustify);
    Column->BeginEditing();
    EXPECT_TRUE(Editor->GetEditorUpdating());
    EXPECT_EQ(Editor->GetAlignment(), taRightJustify);
    EXPECT_EQ(Editor->GetBorderStyle(), bsNone);
    EXPECT_EQ(Editor->GetBorderWidth(), 0);
    EXPECT_EQ(Editor->GetEditMargins()->GetLeft(), 1);

    // The grid frees its child windows, the editors among them, before the
    // columns; an editor set from outside is forgotten when it goes too.
    auto* Outside = New<GxEdit::TGxEdit>(Form.get());
    Column->SetInplaceEdit(Outside);
    EXPECT_TRUE(Column->GetColumnState().Contains(ceCanInput));
    Free(Outside);
    Free(Editor);
    EXPECT_EQ(Column->GetInplaceEdit(), nullptr);
    EXPECT_EQ(Column->GetEditor(), nullptr);
    EXPECT_EQ(Column->GetColumnState(), TColumnState{});
}
