// tests/grid/GxCustomGridHintsTest.cpp: whether a cell's text fits, the hint
// that shows it whole, footer formulas on request and the columns' font.
// QUILLMOTE_SHEET_DIR keeps the form with a cut-off match and its hint over
// it as GxTextFitHint.bmp.
#include "GxGridFixture.h"
#include "grid/GxColumnClasses.h"
#include "platform/rtl/ScopeExit.h"

#include <cstdlib>

namespace {

using namespace GxGridTests;
using namespace GxColumnClasses;
using namespace platform::test;

class GxCustomGridHints : public TGxGridTest {
protected:
    TGxCustomColumn* Column(int ACol) { return Grid->GetColumns()->GetItem(ACol); }
    // The least width at which the cell's text fits, from the display's own
    // measuring of the text as the cell paints it.
    int LeastFit(int ACol, int ARow)
    {
        TGxCustomColumn* C = Column(ACol);
        const int Old = C->GetWidth();
        C->SetWidth(2000);
        EXPECT_TRUE(Grid->IsTextFit(ACol, ARow));
        const int Width = C->GetDisplay()->GetContentWidth();
        C->SetWidth(Old);
        return Width + 5;
    }
    // Column A holds Texts, one row each, and nothing else.
    void Fill(std::initializer_list<const char16_t*> Texts)
    {
        Grid->ClearRows();
        for (const char16_t* Text : Texts) {
            Grid->AddRow(1);
            Grid->SetCells(0, Grid->GetRowCount() - 1, Text);
        }
    }
    double Formula(TFormulaKind Kind) { return Grid->GetFormulaValue(Column(0), Kind); }
};

// ---- Whether a text fits ----------------------------------------------------------------------

TEST_F(GxCustomGridHints, ATextFitsWithFivePixelsToSpareInItsColumnOrItsSlide)
{
    AddRows(2);
    Grid->SetCells(0, 1, u"Match: someone@example.com");
    const int Least = LeastFit(0, 1);
    EXPECT_GT(Least, LeastFit(0, 0));
    Column(0)->SetWidth(Least);
    EXPECT_TRUE(Grid->IsTextFit(0, 1));
    Column(0)->SetWidth(Least - 1);
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
    EXPECT_TRUE(Grid->IsTextFit(0, 0));

    // Slides compare with the slide's width, whatever the column's.
    Grid->SetGridStyle(gsSlides);
    Column(0)->GetSlideBounds()->SetWidth(Least - 1);
    Column(0)->SetWidth(2000);
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
    Column(0)->GetSlideBounds()->SetWidth(Least);
    Column(0)->SetWidth(10);
    EXPECT_TRUE(Grid->IsTextFit(0, 1));
}

TEST_F(GxCustomGridHints, ABoldSelectedCellIsMeasuredBold)
{
    AddRows(2);
    Grid->SetCells(0, 1, u"Match: someone@example.com");
    const int Plain = LeastFit(0, 1);
    // The selection shows without the focus, its text bold.
    Grid->SetAppearanceOptions({aoBoldTextSelection});
    Grid->SetSelectedCell(0, 1);
    const int Bold = LeastFit(0, 1);
    EXPECT_GT(Bold, Plain);
    EXPECT_TRUE(Grid->GetCanvas()->GetFont()->GetStyle().Contains(fsBold));
    Column(0)->SetWidth(Plain);
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
    Grid->SetSelectedCell(0, 0);
    EXPECT_TRUE(Grid->IsTextFit(0, 1));
}

TEST_F(GxCustomGridHints, TheAppliedTextAndTheCellsFormattingAreMeasured)
{
    AddRows(2);
    Grid->SetCells(0, 1, u"Match: someone@example.com");
    Column(0)->SetWidth(LeastFit(0, 1));
    Grid->OnApplyCell = [](TObject*, int, int ARow, WideString& Value) {
        if (ARow == 1) Value += u" and more";
    };
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
    Grid->OnApplyCell = nullptr;
    EXPECT_TRUE(Grid->IsTextFit(0, 1));
    Grid->OnCellFormating = [](TObject*, int, int, TColor&, TFontStyles& Style, TCellState) { Style.Include(fsBold); };
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
    // The column's font, not the grid's.
    Grid->OnCellFormating = nullptr;
    Column(0)->GetFont()->SetHeight(Column(0)->GetFont()->GetHeight() * 2);
    EXPECT_FALSE(Grid->IsTextFit(0, 1));
}

// ---- The hint ---------------------------------------------------------------------------------

TEST_F(GxCustomGridHints, TheHintShowsTheAppliedTextWholeOverTheCellWhileTheFormIsActive)
{
    AddRows(3);
    Grid->SetCells(0, 2, u"Match: someone@example.com");
    Column(0)->SetWidth(40);
    Grid->OnApplyCell = [](TObject*, int, int, WideString& Value) { Value += u" !"; };
    ASSERT_FALSE(Grid->GetShowHint());
    ActivateWindow(Form);
    ASSERT_TRUE(Form->GetActive());

    Grid->ShowCellTextFitHint(0, 2);
    THintWindow* Hint = Grid->GetHintWindow();
    ASSERT_NE(Hint, nullptr);
    EXPECT_EQ(Grid->GetHintKind(), hpTextFit);
    EXPECT_TRUE(IsWindowVisible(Hint->GetHandle()));
    EXPECT_EQ(Hint->GetCaption(), "Match: someone@example.com !");
    EXPECT_EQ(Hint->GetBoundsRect().TopLeft(), Grid->ClientToScreen(Grid->GetCellRect(0, 2).TopLeft()));
    EXPECT_GT(Hint->GetWidth(), Column(0)->GetWidth());
    EXPECT_TRUE(Form->GetActive());

    // Another cell reuses the window.
    Column(1)->SetWidth(120);
    Grid->ShowCellTextFitHint(1, 1);
    EXPECT_EQ(Grid->GetHintWindow(), Hint);
    EXPECT_EQ(Hint->GetCaption(), "B1 !");
    EXPECT_EQ(Hint->GetBoundsRect().TopLeft(), Grid->ClientToScreen(Grid->GetCellRect(1, 1).TopLeft()));
}

TEST_F(GxCustomGridHints, NoHintWhileTheFormIsInactiveOrThereIsNone)
{
    AddRows(1);
    TOwned<TForm> Other(New<TForm>(Application));
    ActivateWindow(Other.get());
    ASSERT_FALSE(Form->GetActive());
    Grid->ShowCellTextFitHint(0, 0);
    EXPECT_EQ(Grid->GetHintWindow(), nullptr);
    EXPECT_EQ(Grid->GetHintKind(), hpNone);

    Grid->SetParent(nullptr);
    Grid->ShowCellTextFitHint(0, 0);
    EXPECT_EQ(Grid->GetHintWindow(), nullptr);
}

TEST_F(GxCustomGridHints, ACutOffMatchShowsWholeInTheHintOverIt)
{
    Form->SetClientWidth(480);
    Grid->SetWidth(480);
    Grid->GetColumns()->Clear();
    for (auto [Name, Width] : {std::pair{u"File", 70}, {u"Line", 40}, {u"Match", 150}})
        Grid->GetColumns()->Add(ColumnClass<TGxTextColumn>, Name)->SetWidth(Width);
    const char16_t* Rows[][3] = {{u"notes.txt", u"3", u"Match: ann@ex.org"},
                                 {u"notes.txt", u"17", u"Match: bartholomew.long-name@example.com"},
                                 {u"list.csv", u"2", u"Match: cy@example.net"}};
    for (auto& Row : Rows) {
        Grid->AddRow(1);
        for (int C = 0; C < 3; ++C)
            Grid->SetCells(C, Grid->GetRowCount() - 1, Row[C]);
    }
    ActivateWindow(Form);
    PaintNow(Grid);
    EXPECT_TRUE(Grid->IsTextFit(2, 0));
    ASSERT_FALSE(Grid->IsTextFit(2, 1));

    Grid->ShowCellTextFitHint(2, 1);
    THintWindow* Hint = Grid->GetHintWindow();
    PaintNow(Hint);
    const TRect Cell = Grid->GetCellRect(2, 1);
    const TPoint At = Grid->ScreenToClient(Hint->GetBoundsRect().TopLeft());
    EXPECT_EQ(At, Cell.TopLeft());
    // The hint reaches past the column, in the hint colour, and leaves the
    // cell's height covered.
    EXPECT_GT(At.X + Hint->GetWidth(), Cell.Right);
    EXPECT_GE(Hint->GetHeight(), Cell.Height());
    EXPECT_EQ(PixelAt(Hint, Hint->GetClientWidth() - 2, 1), ColorToRGB(Application->GetHintColor()));

    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        TBitmap Picture, HintPicture;
        GrabWindow(Form, &Picture);
        GrabWindow(Hint, &HintPicture);
        const TPoint Origin = Form->ClientToScreen(TPoint(0, 0));
        Picture.GetCanvas()->Draw(Hint->GetLeft() - Origin.X, Hint->GetTop() - Origin.Y, &HintPicture);
        Picture.SaveToFile(AnsiString(Dir) + "/GxTextFitHint.bmp");
    }
}

// ---- Footer formulas --------------------------------------------------------------------------

TEST_F(GxCustomGridHints, FormulasTakeTheColumnsTextsOfEveryRow)
{
    Fill({});
    for (TFormulaKind Kind : {fkAverage, fkSum, fkMaximum, fkMinimum})
        EXPECT_EQ(Formula(Kind), 0) << Kind;
    Fill({u"1", u"2", u"3"});
    EXPECT_DOUBLE_EQ(Formula(fkAverage), 2);
    EXPECT_DOUBLE_EQ(Formula(fkSum), 6);
    Grid->SetRowVisible(2, false);
    EXPECT_DOUBLE_EQ(Formula(fkAverage), 2);
    EXPECT_DOUBLE_EQ(Formula(fkMaximum), 3);
    Fill({u"5", u"3", u"9"});
    EXPECT_DOUBLE_EQ(Formula(fkMinimum), 3);
    EXPECT_DOUBLE_EQ(Formula(fkMaximum), 9);
    Fill({u"-1", u"-2"});
    EXPECT_DOUBLE_EQ(Formula(fkMaximum), -1);
    EXPECT_DOUBLE_EQ(Formula(fkMinimum), -2);
    // The kinds without a value of their own give 0, whatever the handlers say.
    Grid->OnColumnFooterValue = [](TObject*, int, double& Value) { Value = 7; };
    for (TFormulaKind Kind : {fkCount, fkDistinct, fkNone, fkCustom})
        EXPECT_EQ(Formula(Kind), 0) << Kind;
}

TEST_F(GxCustomGridHints, EmptyCellsArePassedOverAndANumberlessTextRaises)
{
    Fill({u"", u"-4", u"", u"-2"});
    EXPECT_DOUBLE_EQ(Formula(fkMaximum), -2);
    EXPECT_DOUBLE_EQ(Formula(fkMinimum), -4);
    EXPECT_DOUBLE_EQ(Formula(fkSum), -6);
    EXPECT_DOUBLE_EQ(Formula(fkAverage), -1.5); // still over every row
    Fill({u"", u""});
    EXPECT_EQ(Formula(fkMinimum), 0);
    Fill({u"3", u"three"});
    EXPECT_THROW(Formula(fkSum), EConvertError);
    EXPECT_THROW(Formula(fkMinimum), EConvertError);
    EXPECT_EQ(Formula(fkCount), 0);
}

// ---- Fonts ------------------------------------------------------------------------------------

TEST_F(GxCustomGridHints, ColumnsThatTakeTheGridsFontFollowItToItsParentsFont)
{
    Column(1)->GetFont()->SetStyle({fsItalic});
    ASSERT_TRUE(Column(0)->GetParentFont());
    ASSERT_FALSE(Column(1)->GetParentFont());
    const AnsiString Own = Column(1)->GetFont()->GetName();
    Form->GetFont()->SetName("DejaVu Serif");
    Form->GetFont()->SetHeight(-17);
    EXPECT_EQ(Grid->GetFont()->GetName(), "DejaVu Serif");
    for (int C : {0, 2}) {
        EXPECT_EQ(Column(C)->GetFont()->GetName(), "DejaVu Serif") << C;
        EXPECT_EQ(Column(C)->GetFont()->GetHeight(), -17) << C;
        EXPECT_TRUE(Column(C)->GetParentFont()) << C;
    }
    EXPECT_EQ(Column(1)->GetFont()->GetName(), Own);
    EXPECT_EQ(Column(1)->GetFont()->GetStyle(), TFontStyles{fsItalic});

    // A grid with a font of its own keeps its columns' too.
    Grid->SetParentFont(false);
    Form->GetFont()->SetName("DejaVu Sans Mono");
    EXPECT_EQ(Column(0)->GetFont()->GetName(), "DejaVu Serif");
    // The columns stored inside the grid keep their owner.
    EXPECT_EQ(Grid->GetChildOwner(), nullptr);
}

} // namespace
