// tests/grid/GxDrawnPlaysTest.cpp: the plays of the tree, check box, rate and
// HTML columns in a shown grid, driven as the grid drives them (the play
// readied for the cell, then its call with cell coordinates), and every
// drawn kind painted by the grid. QUILLMOTE_SHEET_DIR keeps that sheet as
// GxDrawnColumns.png (GxDrawnColumnsClassic.png without a theme).
#include "SolidBitmap.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxGrid.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/TestDriving.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace GxColumnClasses;
using namespace GxDisplays;

namespace {

class GxDrawnPlays : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Form->SetClientWidth(620);
        Form->SetClientHeight(260);
        Grid = New<GxGrid::TGxGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 620, 260);
        Grid->OnChange = [this](TObject*, int ACol, int ARow) {
            Log.push_back("change " + std::to_string(ACol) + "," + std::to_string(ARow));
        };
        Grid->OnAfterEdit = [this](TObject*, int, int, const WideString& Value) {
            Log.push_back("edit " + WideToUtf8(Value));
        };
        Grid->HandleNeeded();
    }
    void TearDown() override
    {
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    template <typename T> T* Add(int Width = 80)
    {
        auto* Column = static_cast<T*>(Grid->GetColumns()->Add(
            ColumnClass<T>, Utf8ToWide(AnsiString(T::StaticClassType()->ClassName()).substr(3))));
        Column->SetWidth(Width);
        return Column;
    }
    // The play of column ACol readied for cell (ACol, ARow), as the grid does before a call.
    TColumnPlay* Play(int ACol, int ARow)
    {
        EXPECT_TRUE(Grid->UpdateColumnPlay(ACol, ARow, Grid->GetCellRect(ACol, ARow)));
        return Grid->GetColumns()->GetItem(ACol)->GetPlay();
    }
    int CellHeight(int ACol, int ARow) { return Grid->GetCellRect(ACol, ARow).Height(); }
    void Press(int ACol, int ARow, WideChar Key) { Play(ACol, ARow)->KeyPress(Key); }
    std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }

    GxGrid::TGxGrid* Grid = nullptr;
    std::vector<std::string> Log;
};

using TLog = std::vector<std::string>;

// ---- Tree -------------------------------------------------------------------------------------

TEST_F(GxDrawnPlays, PlusMinusAndTheButtonExpandAndCollapseUnlessLocked)
{
    auto* Tree = Add<TGxTreeColumn>(120);
    Grid->AddRow(1);
    Grid->AddChildRow(0, GxGrid::crLast);
    Grid->AddChildRow(1, GxGrid::crLast);
    Grid->SetExpanded(0, true);
    ASSERT_EQ(Grid->GetLevel(1), 1);
    const bool Before = Grid->GetExpanded(1);

    Tree->SetExpandLock(true);
    Press(0, 1, u'+');
    Press(0, 1, u'-');
    const int Middle = CellHeight(0, 1) / 2;
    Play(0, 1)->MouseUp(mbLeft, {}, 19 + 6, Middle);
    EXPECT_EQ(Grid->GetExpanded(1), Before);

    Tree->SetExpandLock(false);
    Press(0, 1, u'+');
    EXPECT_EQ(Grid->GetExpanded(1), !Before);
    Press(0, 1, u'-');
    EXPECT_EQ(Grid->GetExpanded(1), Before);
    Press(0, 1, u'x');
    EXPECT_EQ(Grid->GetExpanded(1), Before);
    // The button of a level-1 row lies at 21..29; a release beside it does nothing.
    Play(0, 1)->MouseUp(mbLeft, {}, 19 + 6, Middle);
    EXPECT_EQ(Grid->GetExpanded(1), !Before);
    Play(0, 1)->MouseUp(mbLeft, {}, 19 + 1, Middle);
    Play(0, 1)->MouseUp(mbLeft, {}, 19 + 11, Middle);
    Play(0, 1)->MouseUp(mbLeft, {}, 19 + 6, Middle + 6);
    EXPECT_EQ(Grid->GetExpanded(1), !Before);
    Play(0, 0)->MouseUp(mbLeft, {}, 6, Middle);
    EXPECT_FALSE(Grid->GetExpanded(0));
    EXPECT_TRUE(TakeLog().empty());
}

// ---- Check box --------------------------------------------------------------------------------

TEST_F(GxDrawnPlays, AReleaseInTheBoxOrTheBlankTogglesTheCellThroughTheGrid)
{
    Add<TGxTreeColumn>();
    auto* Column = Add<TGxCheckBoxColumn>(60);
    Grid->AddRow(2);
    const int Size = GxThemesSupport::IsThemed() ? 13 : 11;
    const int Middle = CellHeight(1, 1) / 2;
    // The box lies 2 pixels inside the cell grown by 1: from x = 1.
    Play(1, 1)->MouseUp(mbLeft, {}, 1 + Size + 1, Middle);
    Play(1, 1)->MouseUp(mbLeft, {}, 0, Middle);
    EXPECT_TRUE(TakeLog().empty());
    Play(1, 1)->MouseUp(mbLeft, {}, 1 + Size - 1, Middle);
    EXPECT_TRUE(Grid->GetCell(1, 1).GetAsBoolean());
    EXPECT_EQ(TakeLog(), (TLog{"change 1,1", "edit True"}));
    EXPECT_EQ(Play(1, 1)->GetAsString(), u"True");
    Press(1, 1, u' ');
    EXPECT_FALSE(Grid->GetCell(1, 1).GetAsBoolean());
    EXPECT_EQ(TakeLog(), (TLog{"change 1,1", "edit False"}));
    Press(1, 1, u'x');
    EXPECT_TRUE(TakeLog().empty());

    // Centred, the box follows.
    Column->SetAlignment(taCenter);
    Play(1, 0)->MouseUp(mbLeft, {}, 1 + Size / 2, Middle);
    EXPECT_FALSE(Grid->GetCell(1, 0).GetAsBoolean());
    Play(1, 0)->MouseUp(mbLeft, {}, 30, Middle);
    EXPECT_TRUE(Grid->GetCell(1, 0).GetAsBoolean());

    // The grid's OnEditAccept may refuse the change.
    Grid->OnEditAccept = [](TObject*, int, int, const WideString&, bool& Accept) { Accept = false; };
    TakeLog();
    Press(1, 0, u' ');
    EXPECT_TRUE(Grid->GetCell(1, 0).GetAsBoolean());
    EXPECT_TRUE(TakeLog().empty());
}

// ---- Rate -------------------------------------------------------------------------------------

TEST_F(GxDrawnPlays, APressOnAGlyphAndTheKeysSetTheRate)
{
    auto* Rate = Add<TGxRateColumn>(80);
    Grid->AddRow(1);
    const int Middle = CellHeight(0, 0) / 2;
    // Without glyph widths no glyph lies anywhere.
    EXPECT_EQ(static_cast<TRateColumnPlay*>(Play(0, 0))->GetValueAtPos(5, Middle), -1);
    Play(0, 0)->MouseDown(mbLeft, {}, 0, Middle);
    SolidBitmap::FillBitmap(Rate->GetGlyph(), 10, 10, clRed);
    SolidBitmap::FillBitmap(Rate->GetEmptyGlyph(), 10, 10, clBlue);

    Play(0, 0)->MouseDown(mbLeft, {}, 35, Middle);
    EXPECT_EQ(Grid->GetCell(0, 0).GetAsInteger(), 4);
    EXPECT_EQ(TakeLog(), (TLog{"change 0,0", "edit 4"}));
    Play(0, 0)->MouseDown(mbLeft, {}, 30, Middle); // the same rate: no change
    Play(0, 0)->MouseDown(mbLeft, {}, 50, Middle); // past the glyphs
    Play(0, 0)->MouseUp(mbLeft, {}, 5, Middle);
    EXPECT_TRUE(TakeLog().empty());
    Play(0, 0)->MouseDown(mbLeft, {}, 0, Middle);
    EXPECT_EQ(Grid->GetCell(0, 0).GetAsInteger(), 1);

    const std::pair<WideChar, int> Keys[] = {{u'9', 1}, {u'+', 2}, {u'5', 5}, {u'+', 5}, {u'-', 4},
                                             {u'0', 0}, {u'-', 0}, {u'3', 3}, {u'a', 3}};
    TakeLog();
    for (const auto& [Key, Value] : Keys) {
        Press(0, 0, Key);
        EXPECT_EQ(Grid->GetCell(0, 0).GetAsInteger(), Value) << char(Key);
    }
    EXPECT_EQ(TakeLog().size(), 2u * 5);
    // Right-aligned glyphs: the first starts 50 pixels from the right edge.
    Rate->SetAlignment(taRightJustify);
    Play(0, 0)->MouseDown(mbLeft, {}, 80 - 50 + 1, Middle);
    EXPECT_EQ(Grid->GetCell(0, 0).GetAsInteger(), 1);
}

// ---- HTML -------------------------------------------------------------------------------------

class GxDrawnHtmlPlay : public GxDrawnPlays {
protected:
    void SetUp() override
    {
        GxDrawnPlays::SetUp();
        Column = Add<TGxHtmlColumn>(200);
        Column->SetTagBefore(u"<font size=\"14\"><b>");
        Column->SetTagAfter(u"</b></font>");
        Column->OnClick = [this](TObject* Sender, const WideString& Href) {
            Clicks.push_back(WideToUtf8(Href) + (Sender == Column->GetPlay() ? " by the play" : ""));
        };
        Grid->SetRowSize(30);
        Grid->AddRow(1);
        Grid->SetCells(0, 0, u"<a href=\"u\">link</a>");
        // The drawn link: from 2 pixels into the cell, as wide as the word in 14-point bold.
        TBitmap Measure;
        TFont* Font = Measure.GetCanvas()->GetFont();
        Font->Assign(Column->GetFont());
        Font->SetSize(14);
        Font->SetStyle({fsBold});
        Right = 2 + GetTextWidth(Measure.GetCanvas(), u"link");
        Log.clear();
    }
    void TearDown() override
    {
        Screen->SetCursor(crDefault);
        GxDrawnPlays::TearDown();
    }

    TGxHtmlColumn* Column = nullptr;
    int Right = 0;
    std::vector<std::string> Clicks;
};

TEST_F(GxDrawnHtmlPlay, AClickOnTheDrawnLinkFiresOnClickWithItsHref)
{
    // Whatever font the last paint left on the grid's canvas.
    Grid->GetCanvas()->GetFont()->SetSize(6);
    for (int X : {1, Right, Right + 3})
        Play(0, 0)->MouseUp(mbLeft, {}, X, 8);
    EXPECT_TRUE(Clicks.empty());
    for (int X : {2, Right - 1})
        Play(0, 0)->MouseUp(mbLeft, {}, X, 8);
    EXPECT_EQ(Clicks, (TLog{"u by the play", "u by the play"}));
    EXPECT_EQ(Grid->GetCanvas()->GetFont()->GetSize(), 6);
    EXPECT_TRUE(Log.empty());
    // Without a handler nothing happens.
    Column->OnClick = nullptr;
    Play(0, 0)->MouseUp(mbLeft, {}, 5, 8);
    EXPECT_EQ(Clicks.size(), 2u);
}

// The hand shows over a link only, and goes with the pointer.
TEST_F(GxDrawnHtmlPlay, TheHandNeverOutlivesTheLink)
{
    Play(0, 0)->MouseMove({}, 5, 8);
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    Play(0, 0)->MouseMove({}, Right + 20, 8);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    Play(0, 0)->MouseMove({}, Right - 1, 8);
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    Play(0, 0)->MouseLeave();
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    // A cursor the program set stays its own.
    Screen->SetCursor(crHourGlass);
    Play(0, 0)->MouseMove({}, Right + 20, 8);
    Play(0, 0)->MouseLeave();
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    // A column freed under the hand takes it away.
    Play(0, 0)->MouseMove({}, 5, 8);
    Grid->GetColumns()->Delete(0);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

// ---- The sheet --------------------------------------------------------------------------------

// Every drawn kind in several states, painted by the grid from its cells.
TEST_F(GxDrawnPlays, TheGridPaintsEveryDrawnKindFromItsCells)
{
    Grid->SetRowSize(24);
    auto* Tree = Add<TGxTreeColumn>(110);
    Tree->SetShowLines(true);
    auto* Check = Add<TGxCheckBoxColumn>(40);
    Check->SetAlignment(taCenter);
    Add<TGxHtmlColumn>(130);
    auto* Image = Add<TGxImageColumn>(40);
    TImageList List(nullptr);
    List.AddStockImage("files");
    List.AddStockImage("patterns");
    Image->SetImages(&List);
    auto* Progress = Add<TGxProgressColumn>(100);
    Progress->SetShowText(true);
    Progress->SetHighValueBound(100);
    Progress->SetLowValueBound(30);
    Progress->SetLowValueColor(clRed);
    Progress->SetHighValueColor(clGreen);
    auto* Rate = Add<TGxRateColumn>(70);
    SolidBitmap::FillBitmap(Rate->GetGlyph(), 12, 12, clYellow);
    SolidBitmap::FillBitmap(Rate->GetEmptyGlyph(), 12, 12, clSilver);
    for (TBitmap* Glyph : {Rate->GetGlyph(), Rate->GetEmptyGlyph()}) {
        Glyph->GetCanvas()->GetPen()->SetColor(clGray);
        Glyph->GetCanvas()->Rectangle(TRect(1, 1, 11, 11));
    }
    auto* Graphic = Add<TGxGraphicColumn>(60);
    Graphic->SetMargin(2);
    TBitmap Picture;
    SolidBitmap::FillBitmap(&Picture, 20, 10, clTeal);
    Picture.GetCanvas()->GetBrush()->SetColor(clYellow);
    Picture.GetCanvas()->FillRect(TRect(5, 2, 15, 8));

    Grid->AddRow(1);
    Grid->AddChildRow(0, GxGrid::crLast);
    Grid->AddChildRow(1, GxGrid::crLast);
    Grid->AddChildRow(2, GxGrid::crLast);
    Grid->AddRow(1);
    Grid->AddChildRow(4, GxGrid::crLast);
    for (int Row : {0, 1, 2})
        Grid->SetExpanded(Row, true);
    Grid->SetExpanded(4, false);
    const char16_t* Texts[][6] = {
        {u"root", u"True", u"<b>bold</b> and <a href=\"x\">link</a>", u"0", u"25", u"0"},
        {u"child", u"False", u"<font color=\"red\">red</font> <i>italic</i>", u"1", u"60", u"2"},
        {u"grandchild", u"True", u"plain", u"-1", u"150", u"5"},
        {u"leaf", u"False", u"<u>under</u><br>line", u"7", u"0", u"3"},
        {u"collapsed", u"True", u"", u"0", u"100", u"1"},
    };
    for (int Row = 0; Row < 5; ++Row)
        for (int Col = 0; Col < 6; ++Col)
            Grid->SetCells(Col, Row, Texts[Row][Col]);
    for (int Row : {0, 2, 4})
        Grid->GetCell(6, Row).SetObjectReference(&Picture);
    Graphic->SetStretch(false);
    platform::test::PaintNow(Grid);
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
        platform::test::SaveWindowImage(
            Grid,
            AnsiString(Dir) + (GxThemesSupport::IsThemed() ? "/GxDrawnColumns.png" : "/GxDrawnColumnsClassic.png"));

    const auto Ink = [&](int ACol, int ARow, TColor Color) {
        const TRect R = Grid->GetCellRect(ACol, ARow);
        int Count = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Count += platform::test::PixelAt(Grid, X, Y) == ColorToRGB(Color);
        return Count;
    };
    // Checked and unchecked boxes differ; the low, middle and clamped bars
    // take their colours; the rates show as many yellow glyphs.
    EXPECT_GT(Ink(1, 0, clWindowText), Ink(1, 1, clWindowText));
    EXPECT_GT(Ink(4, 0, clRed), 0);
    EXPECT_GT(Ink(4, 1, clHighlight), 0);
    EXPECT_GT(Ink(4, 2, clGreen), Ink(4, 4, clGreen) - 1);
    EXPECT_EQ(Ink(4, 3, clRed) + Ink(4, 3, clGreen) + Ink(4, 3, clHighlight), 0);
    EXPECT_EQ(Ink(5, 1, clYellow), 2 * (12 * 12 - 36));
    EXPECT_EQ(Ink(5, 2, clYellow), 5 * Ink(5, 4, clYellow));
    EXPECT_EQ(Ink(3, 2, clWindow) + Ink(3, 3, clWindow), 2 * 40 * Grid->GetCellRect(3, 2).Height());
    EXPECT_GT(Ink(6, 0, clYellow), 0);
    EXPECT_EQ(Ink(6, 1, clTeal), 0);
    Image->SetImages(nullptr);
}

} // namespace
