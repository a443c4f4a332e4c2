// tests/grid/GxVirtualColumnTest.cpp: GUID and virtual columns, their cells
// in the store, and how a grid draws them. QUILLMOTE_SHEET_DIR keeps the
// drawn grid as GxVirtualColumns.png.
#include "CellsFixture.h"

#include "grid/GxGrid.h"
#include "grid/GxVirtualColumn.h"
#include "grid/shared/GxEdit.h"
#include "platform/testing/TestDriving.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <functional>
#include <set>
#include <tuple>
#include <vector>

using namespace CellsFixture;
using namespace GxVirtualColumn;

namespace {

// The registry form of a version 4 GUID with the standard variant.
bool IsFreshGuidText(const WideString& Text)
{
    const TGUID G = StringToGUID(WideToUtf8(Text));
    return Utf8ToWide(GUIDToString(G)) == Text && G.D3 >> 12 == 4 && G.D4[0] >> 6 == 2;
}

TGUID GuidOf(std::uint8_t First)
{
    TGUID G;
    G.D1 = std::uint32_t(First) << 24;
    G.D4[7] = First;
    return G;
}

using TChanges = std::vector<std::pair<int, int>>;

struct GxVirtualColumns : TCellsFixture {
    template <typename T> T* Add(const char* Name)
    {
        auto* Column = static_cast<T*>(Columns->Add(ColumnClass<T>, u""));
        Column->SetName(Name);
        return Column;
    }
    TGUID Guid(int ACol, int ARow) { return TGuidCell(Cells->GetCell(ACol, ARow)).GetAsGuid(); }
    void SetGuid(int ACol, int ARow, const TGUID& G) { TGuidCell(Cells->GetCell(ACol, ARow)).SetAsGuid(G); }
    // The conversion error's message, or "none".
    static AnsiString Raised(const std::function<void()>& Step)
    {
        try {
            Step();
        } catch (const EConvertError& E) {
            return E.Message;
        }
        return "none";
    }
};

// ---- GUID cells ---------------------------------------------------------------------

TEST_F(GxVirtualColumns, AddedRowsAndColumnsGetFreshGuidsInsertedAndChildRowsTextCells)
{
    Add<TGxGuidColumn>("G");
    Cells->AddRow(2);
    const TCell A = Cells->GetCell(0, 0);
    EXPECT_EQ(A.ClassName(), "TGuidCell");
    EXPECT_TRUE(IsFreshGuidText(A.GetAsString()) && IsFreshGuidText(Cells->GetCell(0, 1).GetAsString()));
    EXPECT_NE(A.GetAsString(), Cells->GetCell(0, 1).GetAsString());
    EXPECT_TRUE(Changes.empty());

    Cells->InsertRow(1);
    Cells->AddChildRow(0, 1);
    for (int Row : {1, 2}) {
        EXPECT_EQ(Cells->GetCell(0, Row).ClassType(), TStringCell::StaticClassType()) << Row;
        EXPECT_EQ(Cells->GetCell(0, Row).GetAsString(), u"");
        EXPECT_THROW(TGuidCell(Cells->GetCell(0, Row)), EInvalidOperation);
    }
    // A GUID column added or inserted later draws one for every row.
    Add<TGxGuidColumn>("H");
    Columns->Insert(ColumnClass<TGxGuidColumn>, 0);
    std::set<WideString> Seen;
    for (int Col : {0, 2})
        for (int Row = 0; Row < 4; ++Row)
            if (IsFreshGuidText(Cells->GetCell(Col, Row).GetAsString()))
                Seen.insert(Cells->GetCell(Col, Row).GetAsString());
    EXPECT_EQ(Seen.size(), 8u);
    EXPECT_EQ(Cells->GetCell(1, 0).GetAsString(), A.GetAsString());
}

TEST_F(GxVirtualColumns, AHundredThousandRowsGetAsManyDistinctGuids)
{
    Add<TGxGuidColumn>("G");
    Cells->AddRow(100000);
    std::vector<std::array<std::uint64_t, 2>> All;
    for (int Row = 0; Row < 100000; ++Row)
        All.push_back(std::bit_cast<std::array<std::uint64_t, 2>>(Guid(0, Row)));
    std::sort(All.begin(), All.end());
    EXPECT_EQ(std::adjacent_find(All.begin(), All.end()), All.end());
}

TEST_F(GxVirtualColumns, GuidTextsParseBackAndEverythingElseRaisesWithTheOldGuidKept)
{
    Add<TGxGuidColumn>("G");
    Cells->AddRow(1);
    TCell Cell = Cells->GetCell(0, 0);
    Cell.SetAsString(u"{0123abcd-ef01-4a2b-8c3d-00ff11ee22dd}");
    EXPECT_EQ(Cell.GetAsString(), u"{0123ABCD-EF01-4A2B-8C3D-00FF11EE22DD}");
    EXPECT_EQ(Changes.size(), 1u);
    // Values become a text cell's texts first, which are no GUIDs.
    EXPECT_EQ(Raised([&] { Cell.SetAsString(u"0123abcd-ef01-4a2b-8c3d-00ff11ee22dd"); }),
              "'0123abcd-ef01-4a2b-8c3d-00ff11ee22dd' is not a valid GUID value");
    EXPECT_EQ(Raised([&] { Cell.SetAsBoolean(true); }), "'True' is not a valid GUID value");
    EXPECT_EQ(Raised([&] { Cell.SetAsInteger(-42); }), "'-42' is not a valid GUID value");
    EXPECT_EQ(Raised([&] { Cell.SetAsFloat(2.5); }), "'2.5' is not a valid GUID value");
    EXPECT_EQ(Raised([&] { Cell.SetAsDateTime(EncodeDate(2024, 3, 5)); }), "'3/5/2024' is not a valid GUID value");
    EXPECT_EQ(Cell.GetAsString(), u"{0123ABCD-EF01-4A2B-8C3D-00FF11EE22DD}");
    EXPECT_EQ(Changes.size(), 1u);
    EXPECT_THROW(Cell.GetAsBoolean(), EConvertError);
    EXPECT_THROW(Cell.GetAsDateTime(), EConvertError);
    EXPECT_THROW(Cell.GetAsFloat(), EConvertError);
    EXPECT_THROW(Cell.GetAsInteger(), EConvertError);
}

// SetAsGuid reports nothing, so it forgets the order itself: a later request
// in the other direction sorts again instead of reversing a stale order.
TEST_F(GxVirtualColumns, GuidBytesRoundTripSilentlyForgetTheOrderAndSurviveClear)
{
    Add<TGxGuidColumn>("G");
    Cells->AddRow(3);
    TGUID G = GuidOf(0x9C);
    G.D2 = 0xBEEF;
    G.D4[3] = 0xF3;
    SetGuid(0, 1, G);
    EXPECT_EQ(Guid(0, 1), G);
    EXPECT_EQ(Cells->GetCell(0, 1).GetAsString(), Utf8ToWide(GUIDToString(G)));
    EXPECT_TRUE(Changes.empty());
    Cells->GetCell(0, 1).Clear();
    EXPECT_EQ(Changes, (TChanges{{0, 1}}));
    EXPECT_EQ(Guid(0, 1), G);

    for (int Row = 0; Row < 3; ++Row)
        SetGuid(0, Row, GuidOf(std::uint8_t(0x10 * (Row + 1))));
    Cells->SortColumn(0, stAlphabetic, skAscending, false);
    SetGuid(0, 0, GuidOf(0x40));
    EXPECT_FALSE(Cells->GetSorted());
    Cells->SortColumn(0, stAlphabetic, skDescending, false);
    EXPECT_EQ(std::tuple(Guid(0, 0).D1, Guid(0, 1).D1, Guid(0, 2).D1),
              std::tuple(0x40000000u, 0x30000000u, 0x20000000u));
}

// The 16 bytes lie in the column's text arena beside the texts of its text
// cells; packing the arena moves them with the rest.
TEST_F(GxVirtualColumns, GuidsOutliveTheirColumnsTextsBeingPacked)
{
    Add<TGxGuidColumn>("G");
    Cells->AddRow(50);
    const std::vector<WideString> Before = Texts();
    Cells->InsertRow(50);
    for (std::size_t Length = 40000; Length < 40010; ++Length)
        Cells->GetCell(0, 50).SetAsString(WideString(Length, u'x'));
    std::vector<WideString> After = Texts();
    After.pop_back();
    EXPECT_EQ(After, Before);
}

// ---- Virtual cells --------------------------------------------------------------------

TEST_F(GxVirtualColumns, WithoutAHandlerAVirtualCellIsEmptyAndShowsOnlyItsFrame)
{
    auto* Column = Add<TGxVirtualColumn>("V");
    Cells->AddRow(1);
    TCell Cell = Cells->GetCell(0, 0);
    EXPECT_EQ(TVirtualCell(Cell).GetColumn(), Column);
    EXPECT_EQ(Cell.GetAsString(), u"");
    Column->SetTextBefore(u"<");
    Column->SetTextAfter(u"/>");
    EXPECT_EQ(Column->GetDrawText(TCellInfo{.AsString = Cell.GetAsString()}), u"</>");
    EXPECT_EQ(Column->GetDrawText(TCellInfo{.AsString = u"b"}), u"<b/>");
    EXPECT_THROW(Cell.GetAsBoolean(), EConvertError);
    EXPECT_THROW(Cell.GetAsDateTime(), EConvertError);
    EXPECT_THROW(Cell.GetAsFloat(), EConvertError);
    EXPECT_THROW(Cell.GetAsInteger(), EConvertError);
    Cell.SetAsString(u"lost");
    EXPECT_EQ(std::tuple(Cell.GetAsString(), Changes.size()), std::tuple(u"", 1u));
}

TEST_F(GxVirtualColumns, OnGetTextHearsEachCellsOwnColumnAndRowAndValuesParseItsText)
{
    AddColumn("T");
    auto* Column = Add<TGxVirtualColumn>("V");
    Cells->AddRow(3);
    std::vector<TObject*> Senders;
    Column->OnGetText = [&](TObject* Sender, int ACol, int ARow, WideString& Value) {
        Senders.push_back(Sender);
        Value = ARow == 2 ? u"2.5" : Utf8ToWide("c" + IntToStr(ACol) + "r" + IntToStr(ARow));
    };
    const TCell First = Cells->GetCell(1, 0), Last = Cells->GetCell(1, 2);
    EXPECT_EQ(Last.GetAsFloat(), 2.5);
    EXPECT_EQ(First.GetAsString(), u"c1r0");
    EXPECT_EQ(Senders, (std::vector<TObject*>{Column, Column}));
    EXPECT_THROW(First.GetAsFloat(), EConvertError);
    // Where the cell is now: a column before it and a row above it.
    Columns->Insert(ColumnClass<TTestColumn>, 0);
    Cells->InsertRow(0);
    EXPECT_EQ(First.GetAsString(), u"c2r1");
}

TEST_F(GxVirtualColumns, ValuesGoToOnSetTextAsTextAndReportTwice)
{
    auto* Column = Add<TGxVirtualColumn>("V");
    Cells->AddRow(2);
    std::vector<std::string> Told;
    Column->OnSetText = [&](TObject*, int ACol, int ARow, const WideString& Value) {
        Told.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + " " + WideToUtf8(Value));
    };
    TCell Cell = Cells->GetCell(0, 1);
    Cell.SetAsInteger(42);
    EXPECT_EQ(Changes, (TChanges{{0, 1}, {0, 1}}));
    Cell.SetAsBoolean(false);
    Cell.SetAsDateTime(EncodeDate(2024, 3, 5) + 0.5);
    Cell.Clear();
    EXPECT_EQ(Told, (std::vector<std::string>{"0,1 42", "0,1 False", "0,1 3/5/2024 12:00:00 PM"}));
    EXPECT_EQ(Changes.size(), 7u);
}

// The application keys its texts by the row its events are told: a sort
// moves the rows of the other columns and leaves the answers to it.
TEST_F(GxVirtualColumns, SortingMovesTheOtherColumnsAndSettingForgetsTheOrder)
{
    AddColumn("T");
    FillTexts({u"a", u"b", u"c"});
    auto* Column = Add<TGxVirtualColumn>("V");
    const std::vector<WideString> ByRow{u"3", u"1", u"2"};
    Column->OnGetText = [&](TObject*, int, int ARow, WideString& Value) { Value = ByRow[std::size_t(ARow)]; };
    Cells->SortColumn(1, stAlphabetic, skAscending, false);
    EXPECT_EQ(Texts(0), (std::vector<WideString>{u"b", u"c", u"a"}));
    EXPECT_EQ(Texts(1), ByRow);
    Cells->GetCell(1, 0).SetAsString(u"0");
    EXPECT_FALSE(Cells->GetSorted());
}

// ---- The columns ----------------------------------------------------------------------

TEST_F(GxVirtualColumns, BothKindsStartAsTextColumnsOfTheirType)
{
    const std::tuple<TGxFramedTextColumn*, TColumnType, TClass> Kinds[] = {
        {Add<TGxGuidColumn>("G"), ctGuid, TGxGuidColumnDisplay::StaticClassType()},
        {Add<TGxVirtualColumn>("V"), ctVirtual, GxDisplays::TTextColumnDisplay::StaticClassType()}};
    for (const auto& [Column, Type, Display] : Kinds) {
        SCOPED_TRACE(Column->GetName());
        EXPECT_EQ(std::tuple(Column->GetColumnType(), Column->GetDisplay()->ClassType(), Column->GetPlay()),
                  std::tuple(Type, Display, nullptr));
        EXPECT_NE(dynamic_cast<GxEdit::TGxEdit*>(Column->GetEditor()), nullptr);
        EXPECT_EQ(Column->GetColumnStyle(), (TColumnStyle{csCanEdit, csFitToLargest, csTextFitHint}));
        EXPECT_EQ(Column->GetOptions(),
                  (TColumnOptions{coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint}));
        EXPECT_EQ(std::tuple(Column->GetSortType(), Column->GetDefaultValue(), Column->GetAutoExecute(),
                             Column->GetTextBefore(), Column->GetTextAfter()),
                  std::tuple(stAlphabetic, u"", false, u"", u""));
        EXPECT_FALSE(Column->IsKeyValid(u' ') || Column->IsKeyValid(u'\r') || Column->IsKeyValid(u'\0'));
        EXPECT_TRUE(Column->IsKeyValid(u'!') && Column->IsKeyValid(u'\u00E9'));
    }
}

TEST_F(GxVirtualColumns, AssignTakesTheFrameFromTheSameKindOnly)
{
    auto* Guid = Add<TGxGuidColumn>("G");
    auto* Source = Add<TGxGuidColumn>("S");
    auto* Virtual = Add<TGxVirtualColumn>("V");
    Source->SetAlignment(taCenter);
    Source->SetAutoExecute(true);
    Grid->TakeLog();
    Source->SetTextBefore(u"(");
    Source->SetTextAfter(u")");
    Source->SetTextAfter(u")");
    EXPECT_EQ(Grid->TakeLog(), std::vector<std::string>(2, "refresh S gaNone"));
    Guid->Assign(Source);
    EXPECT_EQ(std::tuple(Guid->GetAlignment(), Guid->GetAutoExecute(), Guid->GetTextBefore(), Guid->GetTextAfter()),
              std::tuple(taCenter, true, u"(", u")"));
    Virtual->Assign(Source);
    EXPECT_EQ(std::tuple(Virtual->GetAlignment(), Virtual->GetAutoExecute(), Virtual->GetTextBefore()),
              std::tuple(taCenter, false, u""));
    AddColumn("B")->SetAlignment(taRightJustify);
    Guid->Assign(Columns->GetItem(3));
    EXPECT_EQ(std::tuple(Guid->GetAlignment(), Guid->GetTextBefore()), std::tuple(taRightJustify, u"("));
    Virtual->SetTextAfter(u"}");
    Add<TGxVirtualColumn>("C")->Assign(Virtual);
    EXPECT_EQ(static_cast<TGxVirtualColumn*>(Columns->GetItem(4))->GetTextAfter(), u"}");
}

TEST_F(GxVirtualColumns, AColumnBuiltAsAFormBuildsItJoinsItsGrid)
{
    auto* Column = New<TGxGuidColumn>(Form.get());
    Column->SetParentComponent(Grid);
    Column->ReadState();
    Column->Loaded();
    ASSERT_EQ(Columns->GetItem(0), Column);
    Cells->AddRow(1);
    EXPECT_TRUE(IsFreshGuidText(Cells->GetCell(0, 0).GetAsString()));
}

// ---- Drawing ------------------------------------------------------------------------------

// The display draws the frame around the text while GetDrawText stays bare:
// the ink's columns on a white cell.
TEST_F(GxVirtualColumns, AGuidColumnDrawsItsTextBetweenItsParentheses)
{
    auto* Column = Add<TGxGuidColumn>("G");
    const WideString Text = u"{0123ABCD-EF01-4A2B-8C3D-00FF11EE22DD}";
    TBitmap Picture;
    Picture.SetSize(400, 30);
    TCanvas* Canvas = Picture.GetCanvas();
    TColumnDisplay* Display = Column->GetDisplay();
    Display->SetCanvas(Canvas);
    Display->SetClientRect(TRect(0, 0, 400, 30));
    Display->SetAsString(Text);
    // The first and last column with ink, and whether X1..X2-1 has any.
    std::vector<bool> Ink(400);
    const auto Paint = [&] {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->FillRect(TRect(0, 0, 400, 30));
        Display->Paint();
        for (int X = 0; X < 400; ++X) {
            Ink[std::size_t(X)] = false;
            for (int Y = 0; Y < 30; ++Y)
                Ink[std::size_t(X)] = Ink[std::size_t(X)] || Canvas->GetPixels(X, Y) != clWhite;
        }
        return std::pair(int(std::find(Ink.begin(), Ink.end(), true) - Ink.begin()),
                         int(Ink.rend() - std::find(Ink.rbegin(), Ink.rend(), true)));
    };
    const auto InkIn = [&](int X1, int X2) {
        return std::find(Ink.begin() + X1, Ink.begin() + X2, true) != Ink.begin() + X2;
    };
    const auto [BareLeft, BareRight] = Paint();
    Column->SetTextBefore(u"(");
    Column->SetTextAfter(u")");
    const auto [Left, Right] = Paint();
    const int Open = GetTextWidth(Canvas, u"("), Close = GetTextWidth(Canvas, u")");
    EXPECT_NEAR(Left, BareLeft, 1);
    EXPECT_NEAR(Right, BareRight + Open + Close, 2);
    EXPECT_TRUE(InkIn(Left, Left + Open) && InkIn(Right - Close, Right));
    EXPECT_EQ(Column->GetDrawText(TCellInfo{.AsString = Text}), Text);
}

class GxVirtualColumnsInAGrid : public TFormTest {};

// Both kinds in a shown grid, from their cells: the virtual cells framed by
// the column's draw text, bare "<>" where the application answers nothing.
TEST_F(GxVirtualColumnsInAGrid, DrawsGuidAndVirtualColumnsFromTheirCells)
{
    Form->SetClientWidth(520);
    auto* Grid = New<GxGrid::TGxGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 520, 120);
    auto* Guid = static_cast<TGxGuidColumn*>(Grid->GetColumns()->Add(ColumnClass<TGxGuidColumn>, u"Id"));
    Guid->SetWidth(300);
    Guid->SetTextBefore(u"(");
    Guid->SetTextAfter(u")");
    auto* Virtual = static_cast<TGxVirtualColumn*>(Grid->GetColumns()->Add(ColumnClass<TGxVirtualColumn>, u"Name"));
    Virtual->SetWidth(200);
    Virtual->SetTextBefore(u"<");
    Virtual->SetTextAfter(u">");
    Virtual->SetColor(clWhite);
    Virtual->OnGetText = [](TObject*, int, int ARow, WideString& Value) {
        Value = ARow == 1 ? WideString() : Utf8ToWide("row " + IntToStr(ARow));
    };
    Grid->AddRow(3);
    Grid->HandleNeeded();
    platform::test::PaintNow(Grid);
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
        platform::test::SaveWindowImage(Grid, AnsiString(Dir) + "/GxVirtualColumns.png");

    EXPECT_TRUE(IsFreshGuidText(Grid->GetCells(0, 2)));
    EXPECT_EQ(Grid->GetDrawText(0, 2), Grid->GetCells(0, 2));
    EXPECT_EQ(Grid->GetDrawText(1, 2), u"<row 2>");
    // The rightmost ink in each virtual cell's text band.
    const auto InkRight = [&](int ARow) {
        const TRect R = Grid->GetCellRect(1, ARow);
        int Right = 0;
        for (int Y = R.Top + 2; Y < R.Bottom - 2; ++Y)
            for (int X = R.Left + 1; X < R.Right - 2; ++X)
                if (platform::test::PixelAt(Grid, X, Y) != clWhite) Right = std::max(Right, X - int(R.Left));
        return Right;
    };
    TBitmap Measure;
    Measure.GetCanvas()->GetFont()->Assign(Grid->GetFont());
    EXPECT_GT(InkRight(0), GetTextWidth(Measure.GetCanvas(), u"<row 0"));
    EXPECT_LE(InkRight(1), GetTextWidth(Measure.GetCanvas(), u"<>") + 3);
    EXPECT_GT(InkRight(1), 0);
    FreeAndNil(Grid);
}

} // namespace
