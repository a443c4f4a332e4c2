// tests/grid/GxDrawnColumnsTest.cpp: the tree, check box, HTML, image,
// progress, rate and graphic columns as their collection makes them: what
// each kind fixes, its properties, which setters repaint, and Assign.
#include "CellsFixture.h"
#include "SolidBitmap.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxEdit.h"

#include <functional>
#include <tuple>

using namespace CellsFixture;
using namespace GxColumnClasses;
using namespace GxDisplays;

namespace {

struct GxDrawnColumns : TCellsFixture {
    template <typename T> T* Add(const char* Name)
    {
        auto* Column = static_cast<T*>(Columns->Add(ColumnClass<T>, u""));
        Column->SetName(Name);
        Grid->TakeLog();
        return Column;
    }
    // A square of one colour with its bottom-left pixel in Corner.
    static void Paint(TBitmap* Bitmap, int Size, TColor Color, TColor Corner)
    {
        SolidBitmap::FillBitmap(Bitmap, Size, Size, Color);
        Bitmap->GetCanvas()->SetPixels(0, Size - 1, Corner);
    }
};

TClass ClassOf(const TObject* Object)
{
    return Object ? Object->ClassType() : nullptr;
}

TEST_F(GxDrawnColumns, EachKindFixesItsTypeSortDefaultClassesAndStyle)
{
    struct TKind {
        TGxCustomColumnClass Class;
        TColumnType Type;
        TSortType Sort;
        const char16_t* Default;
        TClass Editor, Display, Play;
        TColumnStyle Style;
    };
    const TClass Edit = GxEdit::TGxEdit::StaticClassType();
    const TKind Kinds[] = {
        {ColumnClass<TGxTreeColumn>,
         ctString,
         stAlphabetic,
         u"",
         Edit,
         TTreeColumnDisplay::StaticClassType(),
         TTreeColumnPlay::StaticClassType(),
         {csClickable, csCanEdit, csDisableSorting, csFitToLargest}},
        {ColumnClass<TGxCheckBoxColumn>,
         ctBoolean,
         stBoolean,
         u"",
         nullptr,
         TCheckBoxColumnDisplay::StaticClassType(),
         TCheckBoxColumnPlay::StaticClassType(),
         {csCanEdit, csFitToLargest}},
        {ColumnClass<TGxHtmlColumn>,
         ctString,
         stAlphabetic,
         u"",
         nullptr,
         THtmlColumnDisplay::StaticClassType(),
         THtmlColumnPlay::StaticClassType(),
         {}},
        {ColumnClass<TGxImageColumn>,
         ctInteger,
         stNumeric,
         u"0",
         nullptr,
         TImageColumnDisplay::StaticClassType(),
         nullptr,
         {csFitToLargest}},
        {ColumnClass<TGxProgressColumn>,
         ctFloat,
         stNumeric,
         u"0",
         nullptr,
         TProgressColumnDisplay::StaticClassType(),
         nullptr,
         {}},
        {ColumnClass<TGxRateColumn>,
         ctInteger,
         stNumeric,
         u"0",
         nullptr,
         TRateColumnDisplay::StaticClassType(),
         TRateColumnPlay::StaticClassType(),
         {csFitToLargest}},
        {ColumnClass<TGxGraphicColumn>,
         ctGraphic,
         stAlphabetic,
         u"",
         nullptr,
         TGraphicColumnDisplay::StaticClassType(),
         nullptr,
         {}},
    };
    for (const TKind& Kind : Kinds) {
        TGxCustomColumn* Column = Columns->Add(Kind.Class, u"K");
        SCOPED_TRACE(Column->ClassName());
        EXPECT_EQ(std::tuple(Column->GetColumnType(), Column->GetSortType(), Column->GetDefaultValue()),
                  std::tuple(Kind.Type, Kind.Sort, WideString(Kind.Default)));
        EXPECT_EQ(std::tuple(ClassOf(Column->GetEditor()), ClassOf(Column->GetDisplay()), ClassOf(Column->GetPlay())),
                  std::tuple(Kind.Editor, Kind.Display, Kind.Play));
        EXPECT_EQ(Column->GetColumnStyle(), Kind.Style);
    }
    // Cells of the new columns are of their types' classes.
    Cells->AddRow(1);
    EXPECT_EQ(Cells->GetCell(1, 0).ClassName(), "TBooleanCell");
    EXPECT_EQ(Cells->GetCell(4, 0).GetAsFloat(), 0.0);
}

TEST_F(GxDrawnColumns, PropertiesStartAtTheirDefaults)
{
    auto* Tree = Add<TGxTreeColumn>("T");
    EXPECT_EQ(std::tuple(Tree->GetExpandLock(), Tree->GetShowButtons(), Tree->GetShowLines()),
              std::tuple(false, true, false));
    auto* Html = Add<TGxHtmlColumn>("H");
    EXPECT_EQ(std::tuple(Html->GetTagBefore(), Html->GetTagAfter(), bool(Html->OnClick)), std::tuple(u"", u"", false));
    auto* Image = Add<TGxImageColumn>("I");
    EXPECT_EQ(std::tuple(Image->GetImages(), Image->GetTransparent()), std::tuple(nullptr, true));
    auto* P = Add<TGxProgressColumn>("P");
    EXPECT_EQ(std::tuple(P->GetBorderColor(), P->GetHideWhenEmpty(), P->GetHighValueBound(), P->GetHighValueColor(),
                         P->GetLowValueBound(), P->GetLowValueColor(), P->GetMargin(), P->GetMax()),
              std::tuple(clGray, false, 0, clHighlight, 0, clHighlight, 2, 100));
    EXPECT_EQ(std::tuple(P->GetProgressColor(), P->GetProgressHeight(), P->GetProgressStyle(), P->GetRoundCorners(),
                         P->GetShowText(), P->GetTextPosition(), P->GetTransparent()),
              std::tuple(clHighlight, 0, GxColumnClasses::psSolid, false, false, tpBeside, false));
    auto* Rate = Add<TGxRateColumn>("R");
    EXPECT_EQ(std::tuple(Rate->GetGlyph()->GetEmpty(), Rate->GetEmptyGlyph()->GetEmpty(), Rate->GetHideWhenEmpty(),
                         Rate->GetMax(), Rate->GetTransparent()),
              std::tuple(true, true, false, 5, false));
    auto* Graphic = Add<TGxGraphicColumn>("G");
    EXPECT_EQ(std::tuple(Graphic->GetBorderWidth(), Graphic->GetMargin(), Graphic->GetStretch()),
              std::tuple(1, 4, false));
}

TEST_F(GxDrawnColumns, SettersThatChangeTheDrawingRepaintOnceAndTheRestOnlyStore)
{
    auto* Tree = Add<TGxTreeColumn>("T");
    auto* Html = Add<TGxHtmlColumn>("H");
    auto* Image = Add<TGxImageColumn>("I");
    auto* P = Add<TGxProgressColumn>("P");
    auto* Rate = Add<TGxRateColumn>("R");
    auto* Graphic = Add<TGxGraphicColumn>("G");
    // Each setter twice with the same new value: one repaint at most.
    const std::tuple<const char*, std::function<void()>, const char*> Steps[] = {
        {"ShowButtons", [&] { Tree->SetShowButtons(false); }, "T"},
        {"ShowLines", [&] { Tree->SetShowLines(true); }, "T"},
        {"TagBefore", [&] { Html->SetTagBefore(u"<b>"); }, "H"},
        {"TagAfter", [&] { Html->SetTagAfter(u"</b>"); }, "H"},
        {"Max", [&] { Rate->SetMax(7); }, "R"},
        {"BorderWidth", [&] { Graphic->SetBorderWidth(3); }, "G"},
        {"Margin", [&] { Graphic->SetMargin(0); }, "G"},
        {"Stretch", [&] { Graphic->SetStretch(true); }, "G"},
        {"ExpandLock", [&] { Tree->SetExpandLock(true); }, nullptr},
        {"Image Transparent", [&] { Image->SetTransparent(false); }, nullptr},
        {"Progress",
         [&] {
             P->SetBorderColor(clRed), P->SetHideWhenEmpty(true), P->SetHighValueBound(9), P->SetMax(9);
             P->SetProgressStyle(psBoxes), P->SetShowText(true), P->SetTextPosition(tpInside), P->SetTransparent(true);
             P->SetMargin(0), P->SetProgressHeight(4), P->SetRoundCorners(true), P->SetProgressColor(clRed);
         },
         nullptr},
        {"Rate", [&] { Rate->SetHideWhenEmpty(true), Rate->SetTransparent(true); }, nullptr},
    };
    for (const auto& [What, Step, Refreshed] : Steps) {
        SCOPED_TRACE(What);
        Step();
        Step();
        EXPECT_EQ(Grid->TakeLog(), Refreshed ? std::vector<std::string>{"refresh " + std::string(Refreshed) + " gaNone"}
                                             : std::vector<std::string>{});
    }
    EXPECT_EQ(std::tuple(Tree->GetShowButtons(), Html->GetTagBefore(), Rate->GetMax(), P->GetProgressHeight()),
              std::tuple(false, u"<b>", 7, 4));
    EXPECT_EQ(Html->Tagged(u"x"), u"<b>x</b>");
}

TEST_F(GxDrawnColumns, AssignCopiesTheListedPropertiesFromTheSameKindAndOnlyTheBasesFromAnother)
{
    auto* Source = Add<TGxProgressColumn>("S");
    Source->SetAlignment(taCenter);
    Source->SetBorderColor(clRed), Source->SetMargin(5), Source->SetMax(50), Source->SetProgressColor(clLime);
    Source->SetProgressStyle(psCylinder), Source->SetTextPosition(tpInside), Source->SetShowText(true);
    // Not copied:
    Source->SetHideWhenEmpty(true), Source->SetHighValueBound(3), Source->SetHighValueColor(clRed);
    Source->SetLowValueBound(1), Source->SetLowValueColor(clRed), Source->SetProgressHeight(6);
    Source->SetRoundCorners(true), Source->SetTransparent(true);
    auto* Target = Add<TGxProgressColumn>("P");
    Target->Assign(Source);
    EXPECT_EQ(std::tuple(Target->GetAlignment(), Target->GetBorderColor(), Target->GetMargin(), Target->GetMax(),
                         Target->GetProgressColor(), Target->GetProgressStyle(), Target->GetTextPosition(),
                         Target->GetShowText()),
              std::tuple(taCenter, clRed, 5, 50, clLime, psCylinder, tpInside, true));
    EXPECT_EQ(std::tuple(Target->GetHideWhenEmpty(), Target->GetHighValueBound(), Target->GetHighValueColor(),
                         Target->GetLowValueBound(), Target->GetLowValueColor(), Target->GetProgressHeight(),
                         Target->GetRoundCorners(), Target->GetTransparent()),
              std::tuple(false, 0, clHighlight, 0, clHighlight, 0, false, false));

    auto* RateSource = Add<TGxRateColumn>("RS");
    Paint(RateSource->GetGlyph(), 12, clRed, clRed);
    Paint(RateSource->GetEmptyGlyph(), 7, clBlue, clBlue);
    RateSource->SetMax(9), RateSource->SetTransparent(true), RateSource->SetHideWhenEmpty(true);
    auto* Rate = Add<TGxRateColumn>("R");
    Rate->Assign(RateSource);
    EXPECT_EQ(std::tuple(Rate->GetGlyph()->GetWidth(), Rate->GetEmptyGlyph()->GetWidth(), Rate->GetMax(),
                         Rate->GetTransparent(), Rate->GetHideWhenEmpty()),
              std::tuple(12, 7, 9, true, false));
    // The copies are the column's own.
    EXPECT_NE(Rate->GetGlyph(), RateSource->GetGlyph());

    // Kinds that copy only the base's settings, and another kind as source.
    auto* TreeSource = Add<TGxTreeColumn>("TS");
    TreeSource->SetShowLines(true), TreeSource->SetExpandLock(true), TreeSource->SetAlignment(taRightJustify);
    auto* Tree = Add<TGxTreeColumn>("T");
    Tree->Assign(TreeSource);
    EXPECT_EQ(std::tuple(Tree->GetAlignment(), Tree->GetShowLines(), Tree->GetExpandLock()),
              std::tuple(taRightJustify, false, false));
    Target->Assign(Tree);
    EXPECT_EQ(std::tuple(Target->GetAlignment(), Target->GetMax(), Target->GetBorderColor()),
              std::tuple(taRightJustify, 50, clRed));
}

TEST_F(GxDrawnColumns, AnImageColumnForgetsItsImageListWhenTheListGoes)
{
    auto* List = New<TImageList>(nullptr);
    auto* Image = Add<TGxImageColumn>("I");
    auto* Copy = Add<TGxImageColumn>("C");
    Image->SetImages(List);
    Image->SetTransparent(false);
    Copy->Assign(Image);
    EXPECT_EQ(std::tuple(Copy->GetImages(), Copy->GetTransparent()), std::tuple(List, true));
    auto* Other = New<TImageList>(nullptr);
    Image->SetImages(Other);
    Free(List);
    EXPECT_EQ(std::tuple(Image->GetImages(), Copy->GetImages()), std::tuple(Other, nullptr));
    Free(Other);
    EXPECT_EQ(Image->GetImages(), nullptr);
}

// Glyphs set while Transparent holds take their bottom-left pixel as the
// transparent colour; an empty glyph has no pixel to read.
TEST_F(GxDrawnColumns, RateGlyphsTurnTransparentByTheirCornerOnlyWithPixels)
{
    auto* Rate = Add<TGxRateColumn>("R");
    TBitmap Glyph;
    Paint(&Glyph, 8, clRed, clLime);
    Rate->SetGlyph(&Glyph);
    EXPECT_FALSE(Rate->GetGlyph()->GetTransparent());

    Rate->SetTransparent(true);
    Rate->SetGlyph(&Glyph);
    EXPECT_TRUE(Rate->GetGlyph()->GetTransparent());
    EXPECT_EQ(Rate->GetGlyph()->GetTransparentColor(), clLime);
    // A change of the pixels later takes the new corner.
    Rate->GetEmptyGlyph()->Assign(&Glyph);
    Rate->GetEmptyGlyph()->GetCanvas()->SetPixels(0, 7, clBlue);
    EXPECT_EQ(Rate->GetEmptyGlyph()->GetTransparentColor(), clBlue);

    TBitmap Empty;
    Rate->SetGlyph(&Empty);
    EXPECT_TRUE(Rate->GetGlyph()->GetEmpty());
    EXPECT_FALSE(Rate->GetGlyph()->GetTransparent());
    EXPECT_TRUE(Grid->TakeLog().empty());
}

TEST_F(GxDrawnColumns, TheTreeEditsPastItsButtonWithTheBasePreparationOnly)
{
    auto* Tree = Add<TGxTreeColumn>("T");
    TRect R(10, 5, 200, 21);
    Tree->AdjustEditRect(2, R);
    EXPECT_EQ(R, TRect(64, 5, 200, 21));

    Tree->SetAlignment(taRightJustify);
    Tree->BeginEditing();
    auto* Editor = static_cast<GxEdit::TGxEdit*>(Tree->GetEditor());
    EXPECT_TRUE(Editor->GetEditorUpdating());
    EXPECT_EQ(Editor->GetAlignment(), taRightJustify);
    // Not marked as a cell editor, as the text column's is.
    EXPECT_FALSE(Editor->GetInplaceEditor());
    auto* Text = Add<TGxTextColumn>("X");
    Text->BeginEditing();
    EXPECT_TRUE(Text->GetEditor()->GetInplaceEditor());

    EXPECT_TRUE(Tree->IsKeyValid(u'a') && Tree->IsKeyValid(u'\u00E9'));
    EXPECT_FALSE(Tree->IsKeyValid(u' ') || Tree->IsKeyValid(u'\r'));
}

} // namespace
