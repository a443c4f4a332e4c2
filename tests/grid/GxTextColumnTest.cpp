// tests/grid/GxTextColumnTest.cpp: the text column kind, its drawn text, the
// editing it readies, and where its display puts a cell's text (ink against
// background in coarse bands). QUILLMOTE_SHEET_DIR keeps a sheet of five text
// columns' cells as GxTextColumns.png.
#include "ColumnFixtures.h"
#include "tests/grid/shared/SheetSupport.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxEdit.h"

#include <functional>
#include <tuple>

using namespace ColumnFixtures;
using namespace GxColumnClasses;

namespace {

TGxTextColumn* AddText(TGxColumns* Columns)
{
    return static_cast<TGxTextColumn*>(Columns->Add(ColumnClass<TGxTextColumn>, u""));
}

struct GxTextColumn : TGridFixture {
    TGxTextColumn* Column = AddText(Columns);
    TOwned<TBitmap> Picture = MakeOwned<TBitmap>();
    TCanvas* Canvas = Picture->GetCanvas();

    GxTextColumn()
    {
        Column->SetName("T");
        Grid->TakeLog();
        Picture->SetSize(120, 40);
        Column->GetDisplay()->SetCanvas(Canvas);
        Column->GetDisplay()->SetClientRect(TRect(0, 0, 120, 40));
    }
    WideString Drawn(const WideString& Text) { return Column->GetDrawText(TCellInfo{.AsString = Text}); }
    // Paints Text as a cell and gives the box of its ink.
    TRect Paint(const WideString& Text)
    {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->FillRect(TRect(0, 0, 120, 40));
        Column->GetDisplay()->SetAsString(Text);
        Column->GetDisplay()->Paint();
        return Ink(0, 120);
    }
    // The box of the ink in columns X1..X2-1.
    TRect Ink(int X1, int X2)
    {
        TRect Box(X2, 40, X1, 0);
        for (int Y = 0; Y < 40; ++Y)
            for (int X = X1; X < X2; ++X)
                if (Canvas->GetPixels(X, Y) != clWhite)
                    Box = TRect(std::min<LONG>(Box.Left, X), std::min<LONG>(Box.Top, Y),
                                std::max<LONG>(Box.Right, X + 1), std::max<LONG>(Box.Bottom, Y + 1));
        return Box;
    }
    // Whether the ink from X, Width pixels wide, keeps below the middle of
    // all the ink (dots beside letters).
    bool LowInk(const TRect& All, int X, int Width = 4) { return Ink(X, X + Width).Top > (All.Top + All.Bottom) / 2; }
};

} // namespace

TEST_F(GxTextColumn, TheCollectionMakesItWithItsEditorAndDisplay)
{
    auto* Editor = dynamic_cast<GxEdit::TGxEdit*>(Column->GetEditor());
    ASSERT_NE(Editor, nullptr);
    EXPECT_FALSE(Editor->GetVisible());
    EXPECT_NE(dynamic_cast<GxDisplays::TTextColumnDisplay*>(Column->GetDisplay()), nullptr);
    EXPECT_EQ(Column->GetPlay(), nullptr);
    EXPECT_EQ(Column->GetColumnType(), ctString);
    EXPECT_EQ(Column->GetColumnStyle(), (TColumnStyle{csCanEdit, csFitToLargest, csTextFitHint}));
    EXPECT_EQ(Column->GetOptions(),
              (TColumnOptions{coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint}));
    EXPECT_EQ(Column->GetDefaultValue(), u"");
}

TEST_F(GxTextColumn, SettersRepaintAndAssignTakesThemFromATextColumnOnly)
{
    TGxTextColumn* Source = AddText(Columns);
    Source->SetName("S");
    Source->SetAlignment(taCenter);
    Grid->TakeLog();
    Source->SetMaxLength(7);
    Source->SetMultiLine(true);
    Source->SetPasswordChar('#');
    Source->SetTextAfter(u"]");
    Source->SetTextBefore(u"[");
    EXPECT_EQ(Grid->TakeLog(), std::vector<std::string>(5, "refresh S gaNone"));
    Column->Assign(Source);
    EXPECT_EQ(std::tuple(Column->GetAlignment(), Column->GetMaxLength(), Column->GetMultiLine(),
                         Column->GetPasswordChar(), Column->GetTextAfter(), Column->GetTextBefore()),
              std::tuple(taCenter, 7, true, '#', u"]", u"["));
    Grid->TakeLog();
    Column->SetTextBefore(u"[");
    EXPECT_TRUE(Grid->TakeLog().empty());

    TTestColumn* Base = AddColumn("B");
    Base->SetAlignment(taRightJustify);
    Column->Assign(Base);
    EXPECT_EQ(std::tuple(Column->GetAlignment(), Column->GetMaxLength(), Column->GetTextBefore()),
              std::tuple(taRightJustify, 7, u"["));
}

TEST_F(GxTextColumn, DrawnTextCarriesTheTextsAroundItOrIsMasked)
{
    EXPECT_EQ(Drawn(u"abc"), u"abc");
    Column->SetTextBefore(u"[");
    Column->SetTextAfter(u"]");
    EXPECT_EQ(Drawn(u"abc"), u"[abc]");
    // Every character of the joined text is masked, the texts around it too.
    Column->SetTextBefore(u"<<");
    Column->SetPasswordChar('*');
    EXPECT_EQ(Drawn(u"s\u00E9cret"), u"*********");
    // A byte that is no character alone masks as the editor shows it.
    Column->SetPasswordChar('\x95');
    EXPECT_EQ(Drawn(u""), WideString(3, u'\xDC95'));
}

TEST_F(GxTextColumn, OnlyCharactersAboveTheBlankStartEditing)
{
    for (WideChar Key : {u'\0', u'\b', u'\t', u'\r', u'\x1B', u' '})
        EXPECT_FALSE(Column->IsKeyValid(Key)) << int(Key);
    for (WideChar Key : {u'!', u'a', u'Z', u'0', u'\u00E9'})
        EXPECT_TRUE(Column->IsKeyValid(Key)) << int(Key);
}

TEST_F(GxTextColumn, BeginEditingReadiesTheTextEditAsACellEditor)
{
    GxEdit::TGxCustomEdit* Editor = Column->GetEditor();
    Column->SetAlignment(taRightJustify);
    Column->SetMaxLength(12);
    Column->SetPasswordChar('#');
    Column->BeginEditing();
    EXPECT_EQ(std::tuple(Editor->GetEditorUpdating(), Editor->GetAlignment(), Editor->GetBorderStyle(),
                         Editor->GetBorderWidth(), Editor->GetEditMargins()->GetLeft()),
              std::tuple(true, taRightJustify, bsNone, 0, 1));
    EXPECT_EQ(std::tuple(Editor->GetInplaceEditor(), Editor->GetMaxLength(), Editor->GetPasswordChar()),
              std::tuple(true, 12, '#'));
    Free(Editor); // the grid frees it first: nothing left to ready
    Column->BeginEditing();
}

TEST_F(GxTextColumn, BestFitHasNoMinimumAndMultiLineIsADisplayOption)
{
    EXPECT_EQ(Column->GetCellBestFit(u""), 5);
    EXPECT_EQ(Column->GetCellBestFit(u"Wide text"), GetTextWidth(Canvas, u"Wide text") + 5);
    EXPECT_EQ(Column->GetDisplayOptions(), TDisplayOptions{});
    Column->SetMultiLine(true);
    EXPECT_EQ(Column->GetDisplayOptions(), TDisplayOptions{doMultiLine});
}

TEST_F(GxTextColumn, TheDisplayDrawsTheDrawTextWhereTheAlignmentsSay)
{
    EXPECT_LE(Paint(u"").Width(), 0);
    Column->SetTextBefore(u"W");
    EXPECT_GT(Paint(u"").Width(), 0);
    const TAlignment Alignments[] = {taLeftJustify, taCenter, taRightJustify};
    const TVerticalAlignment Verticals[] = {taAlignTop, taVerticalCenter, taAlignBottom};
    for (int H = 0; H < 3; ++H)
        for (int V = 0; V < 3; ++V) {
            Column->SetAlignment(Alignments[H]);
            Column->SetVerticalAlignment(Verticals[V]);
            const TRect Box = Paint(u"WW");
            // The ink's left, middle or right on the text rectangle's (2, 60,
            // 118); its top, middle or bottom on the cell's (0, 20, 40).
            EXPECT_NEAR(Box.Left + Box.Width() * H / 2, 2 + 58 * H, 3) << H << V;
            EXPECT_NEAR(Box.Top + Box.Height() * V / 2, 20 * V, 4) << H << V;
        }
}

TEST_F(GxTextColumn, TheDisplayEndsLongTextWrapsWordsAndReadsRightToLeft)
{
    Column->SetWrapKind(wkNone);
    TRect Box = Paint(WideString(30, u'W'));
    EXPECT_FALSE(LowInk(Box, Box.Right - 4));
    Column->SetWrapKind(wkEllipsis);
    Box = Paint(WideString(30, u'W'));
    EXPECT_TRUE(Box.Right <= 118 && LowInk(Box, Box.Right - 4));

    EXPECT_FALSE(LowInk(Paint(u"WWW...."), 2));
    Column->SetBiDiMode(bdRightToLeft);
    Box = Paint(u"WWW....");
    EXPECT_TRUE(Box.Left < 5 && LowInk(Box, Box.Left)); // the dots lead; the alignment stays

    const int Line = GetTextHeight(Canvas, u"Wg");
    Column->GetDisplay()->SetClientRect(TRect(0, 0, 60, 40));
    Column->SetVerticalAlignment(taAlignTop);
    EXPECT_LE(Paint(u"one two three").Height(), Line);
    Column->SetMultiLine(true);
    Column->SetWrapKind(wkWordWrap);
    Box = Paint(u"one two three");
    EXPECT_TRUE(Box.Height() > Line * 3 / 2 && Box.Right <= 58) << Box.Height();
}

TEST(GxTextColumnSheet, FiveTextColumnsCells)
{
    // Each cell is checked by where its ink lies inside its silver frame.
    using TInkCheck = std::function<void(const TRect& Ink, int Width)>;
    auto Cell = [](const char* Title, const WideString& Text, std::function<void(TGxTextColumn*)> Setup,
                   TInkCheck Check) {
        return TSheetCell{Title,
                          [=](TCanvas* C, const TRect& A) {
                              TOwned<TComponent> Form = MakeOwned<TComponent>(nullptr);
                              TGxTextColumn* Column = AddText(New<TFakeGrid>(Form.get())->GetColumns());
                              Setup(Column);
                              TColumnDisplay* Display = Column->GetDisplay();
                              Display->SetCanvas(C);
                              Display->SetClientRect(A);
                              Display->PaintBackground(clSilver, false);
                              Display->SetAsString(Text);
                              Display->Paint();
                          },
                          {},
                          [=](const TCellView& V) {
                              const int W = V.Area.Width(), H = V.Area.Height();
                              EXPECT_EQ(V.At(0, H - 1), clSilver);
                              EXPECT_EQ(V.At(W - 1, 0), clSilver);
                              const TRect Ink = V.Ink(TRect(1, 1, W - 1, H - 1));
                              ASSERT_GT(Ink.Width(), 0) << "no text drawn";
                              Check(Ink, W);
                          }};
    };
    const int Line = 14; // one line of the column's font, with room to spare
    const auto LeftLine = [Line](int Least) {
        return [Least, Line](const TRect& Ink, int) {
            EXPECT_LE(Ink.Left, 4);
            EXPECT_GE(Ink.Width(), Least);
            EXPECT_LE(Ink.Height(), Line);
        };
    };
    // The probes above say where text goes; here nothing may land beside a
    // cell, every cell shows its text where it belongs, and the picture is
    // for the eye.
    CheckSheet({Cell(
                    "Plain", u"abc@example.org", [](TGxTextColumn*) {}, LeftLine(60)),
                Cell(
                    "Bracketed", u"abc",
                    [](TGxTextColumn* C) {
                        C->SetTextBefore(u"[");
                        C->SetTextAfter(u"]");
                    },
                    LeftLine(18)),
                Cell(
                    "Masked", u"secret", [](TGxTextColumn* C) { C->SetPasswordChar('*'); }, LeftLine(20)),
                Cell(
                    "Right-aligned", u"1234", [](TGxTextColumn* C) { C->SetAlignment(taRightJustify); },
                    [](const TRect& Ink, int W) {
                        EXPECT_GE(Ink.Right, W - 5);
                        EXPECT_GT(Ink.Left, W / 2);
                    }),
                Cell(
                    "Wrapped", u"one two three four five",
                    [](TGxTextColumn* C) {
                        C->SetMultiLine(true);
                        C->SetWrapKind(wkWordWrap);
                    },
                    [Line](const TRect& Ink, int) {
                        EXPECT_LE(Ink.Left, 4);
                        EXPECT_GT(Ink.Height(), Line);
                    })},
               130, "GxTextColumns.png");
}
