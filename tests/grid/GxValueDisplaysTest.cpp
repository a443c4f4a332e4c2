// tests/grid/GxValueDisplaysTest.cpp: where the value kinds' displays put a
// cell's ink, and a shown grid of every kind with a cell of each open in its
// editor. QUILLMOTE_SHEET_DIR keeps that grid as GxValueColumns.png.
#include "ColumnFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxGrid.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/TestDriving.h"

#include <cstdlib>

using namespace ColumnFixtures;
using namespace GxColumnClasses;

namespace {

struct GxValueDisplays : TGridFixture {
    TFormatSettingsGuard Settings;
    TBitmap Picture;
    TCanvas* Canvas = Picture.GetCanvas();

    GxValueDisplays()
    {
        FormatSettings = DefaultFormatSettings();
        Picture.SetSize(120, 40);
    }
    template <typename T> T* Add()
    {
        auto* Column = static_cast<T*>(Columns->Add(ColumnClass<T>, u""));
        Column->GetDisplay()->SetCanvas(Canvas);
        Column->GetDisplay()->SetClientRect(TRect(0, 0, 120, 40));
        return Column;
    }
    // Paints the cell white and then through its display; the box of the ink.
    TRect Paint(TGxCustomColumn* Column)
    {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->FillRect(TRect(0, 0, 120, 40));
        Column->GetDisplay()->Paint();
        return Ink(0, 120, [](TColor C) { return C != clWhite; });
    }
    TRect Ink(int X1, int X2, bool (*Is)(TColor))
    {
        TRect Box(X2, 40, X1, 0);
        for (int Y = 0; Y < 40; ++Y)
            for (int X = X1; X < X2; ++X)
                if (Is(Canvas->GetPixels(X, Y)))
                    Box = TRect(std::min<LONG>(Box.Left, X), std::min<LONG>(Box.Top, Y),
                                std::max<LONG>(Box.Right, X + 1), std::max<LONG>(Box.Bottom, Y + 1));
        return Box;
    }
    int Width(const WideString& Text) { return GetTextWidth(Canvas, Text); }
};

} // namespace

// Each display draws its column's text of the value in its own member,
// whatever the others hold.
TEST_F(GxValueDisplays, EachDrawsItsColumnsTextOfItsOwnValue)
{
    auto* Number = Add<TGxNumberColumn>();
    Number->GetDisplay()->SetAsFloat(12345);
    Number->GetDisplay()->SetAsString(u"x");
    const TRect N = Paint(Number);
    // Right-aligned, two pixels in.
    EXPECT_NEAR(N.Right, 118, 1);
    EXPECT_NEAR(N.Width(), Width(u"12345"), 2);

    auto* Date = Add<TGxDateColumn>();
    Date->GetDisplay()->SetAsDateTime(EncodeDate(2024, 12, 25));
    const TRect D = Paint(Date);
    EXPECT_NEAR(D.Left, 2, 1);
    EXPECT_NEAR(D.Width(), Width(u"12/25/2024"), 2);

    auto* Time = Add<TGxTimeColumn>();
    Time->GetDisplay()->SetAsDateTime(EncodeTime(23, 59, 58, 0));
    Time->GetDisplay()->SetAsString(u"wrong wrong wrong");
    EXPECT_NEAR(Paint(Time).Width(), Width(u"11:59:58 PM"), 2);

    auto* Increment = Add<TGxIncrementColumn>();
    Increment->GetDisplay()->SetAsInteger(99);
    EXPECT_NEAR(Paint(Increment).Width(), Width(u"100"), 2);
}

TEST_F(GxValueDisplays, StringsDisplaysPutTheItemImageAtTheLeftAndTheTextBesideIt)
{
    auto* List = Add<TGxListColumn>();
    TStringList Items;
    Items.SetText("first\nsecond");
    List->SetItems(&Items);
    TOwned<TCustomImageList> Images = MakeOwned<TCustomImageList>(nullptr);
    Images->SetWidth(10);
    Images->SetHeight(10);
    TBitmap Red;
    Red.SetSize(20, 10);
    Red.GetCanvas()->GetBrush()->SetColor(clRed);
    Red.GetCanvas()->FillRect(TRect(0, 0, 20, 10));
    Red.GetCanvas()->GetBrush()->SetColor(clBlue);
    Red.GetCanvas()->FillRect(TRect(10, 0, 20, 10));
    Images->Add(&Red, nullptr);
    List->SetImages(Images.get());
    TColumnDisplay* Display = List->GetDisplay();
    Display->SetAsInteger(1);
    const auto IsBlue = [](TColor C) { return C == clBlue; };
    const auto IsInk = [](TColor C) { return C != clWhite && C != clBlue; };

    // Text only: no image, the text where a text column's would be.
    EXPECT_NEAR(Paint(List).Left, 2, 1);
    EXPECT_LE(Ink(0, 120, IsBlue).Width(), 0);
    const int TextWidth = Display->GetContentWidth();
    // Image 1 of the list, 2 pixels in and centred down; the text 4 pixels after it.
    List->SetDisplayMode(dmTextAndImage);
    Paint(List);
    EXPECT_EQ(Ink(0, 120, IsBlue), TRect(2, 15, 12, 25));
    EXPECT_NEAR(Ink(12, 120, IsInk).Left, 16, 1);
    EXPECT_EQ(Display->GetContentWidth(), TextWidth + 14);
    List->SetDisplayMode(dmImageOnly);
    Paint(List);
    EXPECT_EQ(Ink(0, 120, IsBlue), TRect(2, 15, 12, 25));
    EXPECT_LE(Ink(12, 120, IsInk).Width(), 0);
    EXPECT_EQ(Display->GetContentWidth(), 10);
    // A combo box column's index stays 0: its image is the first.
    auto* Combo = Add<TGxComboBoxColumn>();
    Combo->SetImages(Images.get());
    Combo->SetDisplayMode(dmImageOnly);
    Paint(Combo);
    EXPECT_EQ(Ink(0, 120, [](TColor C) { return C == clRed; }), TRect(2, 15, 12, 25));
}

TEST_F(GxValueDisplays, AMemoCellKeepsItsLineBreaks)
{
    auto* Memo = Add<TGxMemoColumn>();
    Memo->SetVerticalAlignment(taAlignTop);
    EXPECT_EQ(Memo->GetDisplay()->GetTextRect(), TRect(2, 1, 119, 40));
    Memo->GetDisplay()->SetAsString(u"one");
    const TRect One = Paint(Memo);
    Memo->GetDisplay()->SetAsString(u"one\r\ntwo\nsix");
    const TRect Three = Paint(Memo);
    EXPECT_EQ(Three.Left, One.Left);
    EXPECT_GT(Three.Height(), 2 * One.Height());
    EXPECT_LT(Three.Width(), Width(u"one two six"));
}

// Every kind in a shown grid, and a cell of each open in its editor: one grid
// a kind, each with its kind's cell in row 1 being edited.
TEST(GxValueColumnsShown, EveryKindShowsItsCellsAndOpensItsEditorOverItsCell)
{
    TFormatSettingsGuard Settings;
    FormatSettings = DefaultFormatSettings();
    TOwned<TForm> Form(New<TForm>(Application));
    const int Kinds = 12, GridHeight = 62;
    Form->SetClientWidth(990);
    Form->SetClientHeight(Kinds * GridHeight);
    Form->Show();
    TStringList Items;
    Items.SetText("alpha\nBeta\ngamma");
    std::vector<GxGrid::TGxGrid*> Grids;
    for (int K = 0; K < Kinds; ++K) {
        auto* Grid = New<GxGrid::TGxGrid>(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, K * GridHeight, 990, GridHeight - 2);
        TGxColumns* Columns = Grid->GetColumns();
        const TGxCustomColumnClass Classes[] = {
            ColumnClass<TGxTimeColumn>,      ColumnClass<TGxButtonColumn>,       ColumnClass<TGxPopupColumn>,
            ColumnClass<TGxStringsColumn>,   ColumnClass<TGxComboBoxColumn>,     ColumnClass<TGxListColumn>,
            ColumnClass<TGxIncrementColumn>, ColumnClass<TGxCustomNumberColumn>, ColumnClass<TGxNumberColumn>,
            ColumnClass<TGxCalcColumn>,      ColumnClass<TGxDateColumn>,         ColumnClass<TGxMemoColumn>};
        const char* Captions[] = {"Time", "Button", "Popup",  "Strings", "Combo", "List",
                                  "Row",  "Custom", "Number", "Calc",    "Date",  "Memo"};
        for (int C = 0; C < Kinds; ++C) {
            TGxCustomColumn* Column = Columns->Add(Classes[C], Utf8ToWide(Captions[C]));
            Column->SetWidth(80);
            Column->SetOptions(Column->GetOptions() + TColumnOptions{coEditing});
            if (auto* Strings = dynamic_cast<TGxStringsColumn*>(Column)) Strings->SetItems(&Items);
        }
        Grid->AddRow(2);
        for (int Row = 0; Row < 2; ++Row) {
            Grid->GetCell(0, Row).SetAsDateTime(EncodeTime(9 + Row, 30, 0, 0));
            Grid->SetCells(1, Row, u"file.txt");
            Grid->SetCells(2, Row, u"popup");
            Grid->SetCells(3, Row, u"alpha");
            Grid->SetCells(4, Row, u"Beta");
            Grid->GetCell(5, Row).SetAsInteger(2);
            for (int C : {7, 8, 9})
                Grid->GetCell(C, Row).SetAsFloat(Row ? -5 : 1234.5);
            Grid->GetCell(10, Row).SetAsDateTime(EncodeDate(2024, 3, 5 + Row));
            Grid->SetCells(11, Row, u"one\ntwo");
        }
        Grid->HandleNeeded();
        if (K != 6 && K != 7) Grid->EditCell(K, 1, u""); // the row and custom number kinds edit nothing
        Grids.push_back(Grid);
    }
    platform::test::ProcessEvents();
    // Each editor's window paints itself; the form's picture only gathers them.
    for (GxGrid::TGxGrid* Grid : Grids)
        if (Grid->GetInplaceEdit()) platform::test::PaintNow(Grid->GetInplaceEdit());
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
        platform::test::SaveWindowImage(Form.get(), AnsiString(Dir) + "/GxValueColumns.png");
    for (int K = 0; K < Kinds; ++K) {
        SCOPED_TRACE(K);
        GxGrid::TGxGrid* Grid = Grids[std::size_t(K)];
        EXPECT_EQ(Grid->GetDrawText(5, 0), u"gamma");
        EXPECT_EQ(Grid->GetDrawText(6, 1), u"2");
        if (K == 6 || K == 7) {
            EXPECT_EQ(Grid->GetInplaceEdit(), nullptr);
            continue;
        }
        ASSERT_NE(Grid->GetInplaceEdit(), nullptr);
        EXPECT_TRUE(Grid->GetInplaceEdit()->GetVisible());
        const TRect Cell = Grid->GetCellRect(K, 1);
        const TRect Editor = Grid->GetInplaceEdit()->GetBoundsRect();
        EXPECT_TRUE(Editor.Left > Cell.Left && Editor.Right < Cell.Right && Editor.Top > Cell.Top &&
                    Editor.Bottom <= Cell.Bottom);
    }
}
