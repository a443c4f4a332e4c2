// Every style display painting every piece in every state on a sheet, with
// the pixels each must paint; QUILLMOTE_SHEET_DIR keeps the sheet as
// GxDisplays-themed.png or GxDisplays-classic.png.
#include "grid/GxDisplays.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "tests/grid/ColumnFixtures.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/support/TestSupport.h"
#include "platform/win/WinGdi.h"

using namespace GxDisplays;
using ColumnFixtures::TFakeGrid;
using ColumnFixtures::TTestColumn;

namespace {

const TColor HL = ColorToRGB(clBtnHighlight), SH = ColorToRGB(clBtnShadow), Face = ColorToRGB(clBtnFace),
             Gray = ColorToRGB(clGrayText), WF = ColorToRGB(clWindowFrame), Hi = ColorToRGB(clHighlight),
             Head = TColor(0xC0FFFF), Owner = clMoneyGreen, Pale = TColor(0xF0F0F0);

TColor Inverted(TColor C)
{
    return TColor(~C & 0xFFFFFF);
}

const TColor InvFace = Inverted(Face), InvHead = Inverted(Head);

TColor Shade(TColor Color, int Amount)
{
    return GxSharedDraw::BlendColor(clBtnShadow, Color, Amount);
}

bool IsText(TColor C)
{
    return C != clWhite && C != clRed;
}

// Columns in three places of one grid, one column alone in another, the
// five styles, and what the cells noted while drawing for their checks.
struct TBench {
    TOwned<TComponent> Form{New<TComponent>(nullptr)};
    TFakeGrid* Grid = New<TFakeGrid>(Form.get());
    TFakeGrid* Lone = New<TFakeGrid>(Form.get());
    TTestColumn *A = Add(Grid, u"Ab"), *B = Add(Grid, u"Bb"), *C = Add(Grid, u"Cb"), *D = Add(Lone, u"Db");
    TOwned<TStyleDisplay> Styles[5];
    bool Themed = GxThemesSupport::IsThemed();
    TBitmap Glyph; // red, its bottom-left pixel lime (the transparent colour)

    TBench()
    {
        Glyph.SetPixelFormat(pf24bit);
        Glyph.SetSize(8, 8);
        Glyph.GetCanvas()->GetBrush()->SetColor(clRed);
        Glyph.GetCanvas()->FillRect(TRect(0, 0, 8, 8));
        Glyph.GetCanvas()->SetPixels(0, 7, clLime);
    }
    static TTestColumn* Add(TFakeGrid* Grid, const WideString& Caption)
    {
        auto* Column =
            static_cast<TTestColumn*>(Grid->GetColumns()->Add(ColumnFixtures::ColumnClass<TTestColumn>, u""));
        Column->GetHeader()->SetCaption(Caption);
        Column->GetHeader()->SetColor(Head);
        return Column;
    }
    TStyleDisplay* Style(THeaderStyle S, TCanvas* Canvas)
    {
        TStyleDisplay* Display = Styles[S].get();
        Display->SetCanvas(Canvas);
        Display->SetThemed(Themed);
        return Display;
    }
};

TBench* Bench = nullptr;

// Left, middle and right headers, then the lone one, A pressed and A hovered.
void DrawHeaders(TStyleDisplay* S, const TRect& Area)
{
    TBench& Bn = *Bench;
    const int L = Area.Left, T = Area.Top;
    S->DrawHeader(Bn.A, Bounds(L, T, 80, 20));
    S->DrawHeader(Bn.B, Bounds(L + 80, T, 80, 20));
    S->DrawHeader(Bn.C, Bounds(L + 160, T, 80, 20));
    S->DrawHeader(Bn.D, Bounds(L, T + 30, 80, 20));
    Bn.Grid->HeaderDownColumn = Bn.A;
    S->DrawHeader(Bn.A, Bounds(L + 80, T + 30, 80, 20));
    Bn.Grid->HeaderDownColumn = nullptr;
    Bn.Grid->HoverColumn = Bn.A;
    S->DrawHeader(Bn.A, Bounds(L + 160, T + 30, 80, 20));
    Bn.Grid->HoverColumn = nullptr;
}

TSheetCell Frames(const char* Title, THeaderStyle Style, std::vector<TProbe> Probes,
                  std::function<void(const TCellView&)> Check = {})
{
    return {Title, [Style](TCanvas* C, const TRect& A) { DrawHeaders(Bench->Style(Style, C), A); }, std::move(Probes),
            std::move(Check)};
}

std::vector<TSheetCell> HeaderCells()
{
    std::vector<TSheetCell> List;
    if (Bench->Themed)
        List.push_back(Frames("Default themed", hsAuto, Probes({60, 4, clNone, 150, 4, clNone, 230, 4, clNone}),
                              [](const TCellView& V) {
                                  // Hot and pressed looks differ from the normal one.
                                  EXPECT_NE(V.At(60, 10), V.At(220, 40));
                                  EXPECT_NE(V.At(60, 10), V.At(140, 40));
                              }));
    else
        List.push_back(Frames(
            "Default classic", hsAuto,
            Probes({0,    1,   HL, 0,  18,   HL, 79, 2,   SH,  79, 1,    Head, 80,   0,  HL,      80,  1,    Head, 80,
                    2,    HL,  80, 18, Head, 80, 19, SH,  159, 1,  Head, 159,  2,    SH, 159,     18,  Head, 150,  4,
                    Head, 239, 0,  SH, 239,  1,  SH, 239, 18,  SH, 160,  1,    Head, 0,  30,      HL,  0,    48,   HL,
                    79,   30,  SH, 0,  49,   SH, 79, 49,  SH,  70, 34,   Head, 150,  34, InvHead, 230, 34,   Head})));
    List.push_back(Frames("Flat", hsFlatBorders,
                          Probes({79, 5, Gray, 0,   19, Gray, 40, 19, Gray, 159, 5,  Gray, 239, 5,  Gray,
                                  80, 0, Head, 150, 4,  Head, 79, 35, Gray, 150, 34, Head, 230, 34, Head})));
    List.push_back(Frames("Old", hsOldStyle, Probes({0,  0,   HL, 80,   0, HL, 159, 19,  WF, 159,     0,   WF, 80,  19,
                                                     WF, 150, 4,  Face, 0, 30, HL,  150, 34, InvFace, 230, 34, Face})));
    List.push_back(
        Frames("Outlook", hsOutlook,
               Probes({80,  0,  Head, 80,  2,  HL,   80,  15, HL,   80, 16, Head, 159, 0,  Head,    159, 2,  SH,
                       159, 15, SH,   159, 16, Head, 150, 4,  Head, 0,  0,  HL,   0,   16, HL,      239, 0,  SH,
                       239, 16, SH,   0,   30, HL,   79,  30, SH,   79, 46, SH,   150, 34, InvHead, 230, 34, Head}),
               [](const TCellView& V) {
                   for (int Y : {17, 18, 19})
                       EXPECT_EQ(V.At(120, Y), Shade(Head, (Y - 16) * 50)) << Y;
               }));
    List.push_back(Frames("Vista", hsVista, Probes({0,    5,   clWhite, 79,   5,   Face, 80,   5,   clWhite, 159, 5,
                                                    Face, 150, 4,       Pale, 150, 34,   Pale, 230, 34,      Pale})));
    return List;
}

// Sort arrows drawn on their own, themed and classic, both ways; Vista's on black.
TSheetCell Arrows()
{
    return {"Arrows",
            [](TCanvas* C, const TRect& A) {
                TStyleDisplay* S = Bench->Style(hsAuto, C);
                const int L = A.Left, T = A.Top;
                S->SetThemed(true);
                S->DrawArrow(L + 10, T + 10, true);
                S->DrawArrow(L + 30, T + 10, false);
                S->SetThemed(false);
                S->DrawArrow(L + 50, T + 10, true);
                S->DrawArrow(L + 70, T + 10, false);
                C->GetBrush()->SetColor(clBlack);
                C->FillRect(TRect(L + 95, T + 5, L + 135, T + 20));
                Bench->Style(hsVista, C)->DrawArrow(L + 100, T + 8, true);
                Bench->Style(hsVista, C)->DrawArrow(L + 120, T + 8, false);
            },
            // Each shape by its tip and a pixel just outside it; a classic arrow's shadow and lit sides.
            Probes({14,      10, Gray,    11,  10, clWhite, 14,  15, clWhite, 34,  14, Gray,   34, 15,
                    clWhite, 53, 16,      SH,  51, 14,      SH,  53, 10,      SH,  54, 10,     HL, 57,
                    15,      HL, 74,      10,  SH, 73,      16,  SH, 74,      16,  HL, 77,     11, HL,
                    103,     10, clWhite, 103, 12, clBlack, 123, 9,  clWhite, 123, 12, clBlack})};
}

// The arrow's pixel at its box (X, Y) that each look paints.
TColor ArrowAt(const TCellView& V, int X, int Y, bool Ascending, bool Themed)
{
    if (Themed) return V.At(X + 4, Y + 2);
    return Ascending ? V.At(X + 3, Y + 6) : V.At(X + 4, Y);
}

TSheetCell SortedHeaders()
{
    auto Noted = std::make_shared<std::vector<int>>();
    return {"Sorted, narrow, Vista",
            [Noted](TCanvas* C, const TRect& A) {
                TBench& Bn = *Bench;
                TStyleDisplay* S = Bn.Style(hsAuto, C);
                const int W = GetTextWidth(C, u"Ab") + 2;
                *Noted = {W};
                Bn.A->SetSorted(true);
                Bn.D->SetSorted(true); // in a grid of its own, so both stay sorted
                Bn.D->SetSortKind(skDescending);
                Bn.D->GetHeader()->SetAlignment(taRightJustify);
                S->DrawHeader(Bn.A, Bounds(A.Left, A.Top, 60, 20));
                S->DrawHeader(Bn.D, Bounds(A.Left + 60, A.Top, 60, 20));
                // Too narrow for the arrow: hidden while HideArrow is on.
                S->SetDrawBackgrounds(false);
                S->DrawHeader(Bn.A, Bounds(A.Left, A.Top + 30, W + 25, 20));
                Bn.A->GetHeader()->SetHideArrow(false);
                S->DrawHeader(Bn.A, Bounds(A.Left + 60, A.Top + 30, W + 25, 20));
                Bn.A->GetHeader()->SetHideArrow(true);
                S->SetDrawBackgrounds(true);
                Bn.Style(hsVista, C)->DrawHeader(Bn.A, Bounds(A.Left + 130, A.Top, 100, 20));
                Bn.Style(hsVista, C)->DrawHeader(Bn.D, Bounds(A.Left + 130, A.Top + 30, 100, 20));
                Bn.A->SetSorted(false);
                Bn.D->SetSorted(false);
                Bn.D->SetSortKind(skAscending);
                Bn.D->GetHeader()->SetAlignment(taLeftJustify);
            },
            Probes({200, 0, 0xF0DCAF, 200, 6, clWhite, 180, 2, clWhite, 180, 31, clWhite}),
            [Noted](const TCellView& V) {
                const int W = (*Noted)[0];
                const bool Themed = Bench->Themed;
                // Left-aligned: after the text; right-aligned: 12 from the right edge.
                EXPECT_EQ(ArrowAt(V, 2 + W + 19, 6, true, Themed), Themed ? Gray : SH);
                EXPECT_EQ(ArrowAt(V, 120 - 12, 6, false, Themed), Themed ? Gray : SH);
                EXPECT_LE(V.Where(TRect(W + 21, 30, W + 25, 50), IsText).Width(), 0) << "hidden";
                EXPECT_GT(V.Where(TRect(60 + W + 21, 30, 60 + W + 25, 50), IsText).Width(), 0) << "shown";
                // Vista: the shade between its first colour and white, and no base arrow.
                EXPECT_EQ(V.At(200, 3), GxSharedDraw::BlendColor(TColor(0xF0DCAF), clWhite, 0.5));
                EXPECT_LE(V.Where(TRect(130 + W + 21, 6, 229, 20), [](TColor C) { return C != clWhite; }).Width(), 0);
            }};
}

// A header's caption and glyph by Alignment: without a glyph above, with one
// below, unsorted left and sorted right; backgrounds off, so only content shows.
TSheetCell Placement(const char* Title, TAlignment Alignment)
{
    auto Noted = std::make_shared<std::vector<int>>();
    return {Title,
            [Alignment, Noted](TCanvas* C, const TRect& A) {
                TBench& Bn = *Bench;
                TStyleDisplay* S = Bn.Style(hsAuto, C);
                S->SetDrawBackgrounds(false);
                Bn.A->GetHeader()->SetAlignment(Alignment);
                const int W = GetTextWidth(C, u"Ab") + 2;
                for (int Glyph = 0; Glyph < 2; ++Glyph) {
                    Bn.A->GetHeader()->SetDisplayMode(Glyph ? dmTextAndImage : dmTextOnly);
                    Bn.A->GetHeader()->SetGlyph(&Bn.Glyph);
                    for (int Sorted = 0; Sorted < 2; ++Sorted) {
                        Bn.A->SetSorted(Sorted);
                        const TRect R = Bounds(Sorted * 120, Glyph * 30, 110, 20);
                        S->DrawHeader(Bn.A, TRect(A.Left + R.Left, A.Top + R.Top, A.Left + R.Right, A.Top + R.Bottom));
                        // Where the glyph (or, without one, the text) must start.
                        const int Room = Glyph ? 8 + W + (Sorted ? 33 : 2) : W + (Sorted ? 31 : 0);
                        Noted->push_back(Alignment == taLeftJustify    ? R.Left + 2 + Glyph
                                         : Alignment == taRightJustify ? R.Right - Room
                                                                       : R.Left + 55 - (W + Glyph * 8) / 2);
                    }
                }
                Bn.A->SetSorted(false);
                Bn.A->GetHeader()->SetDisplayMode(dmTextOnly);
                Bn.A->GetHeader()->SetAlignment(taLeftJustify);
                S->SetDrawBackgrounds(true);
            },
            {},
            [Noted](const TCellView& V) {
                for (int I = 0; I < 4; ++I) {
                    const bool Glyph = I >= 2;
                    const int X = (*Noted)[I], Top = Glyph * 30, Left = I % 2 * 120;
                    SCOPED_TRACE(I);
                    const TRect R(Left, Top, Left + 110, Top + 20);
                    const TRect Text = V.Where(R, IsText);
                    const TRect Red = V.Where(R, [](TColor C) { return C == clRed; });
                    const int TextX = Glyph ? X + 10 : X;
                    EXPECT_GE(Text.Left, TextX);
                    EXPECT_LE(Text.Left, TextX + 2);
                    if (Glyph)
                        EXPECT_EQ(Red, TRect(X, Top + 6, X + 8, Top + 14));
                    else
                        EXPECT_LE(Red.Width(), 0);
                }
            }};
}

// Vertical and multi-line captions, a single-line one with the same text,
// and a header that shows only its glyph.
TSheetCell CaptionForms()
{
    auto Noted = std::make_shared<std::vector<int>>();
    return {"Vertical, lines, image only",
            [Noted](TCanvas* C, const TRect& A) {
                TBench& Bn = *Bench;
                TStyleDisplay* S = Bn.Style(hsAuto, C);
                S->SetDrawBackgrounds(false);
                TColumnHeader* H = Bn.A->GetHeader();
                H->SetOrientation(hoVertical);
                S->DrawHeader(Bn.A, Bounds(A.Left, A.Top, 30, 60));
                H->SetOrientation(hoHorizontal);
                H->SetCaption(u"Ab\nCd");
                H->SetMultiLine(true);
                S->DrawHeader(Bn.A, Bounds(A.Left + 40, A.Top, 80, 40));
                H->SetMultiLine(false);
                S->DrawHeader(Bn.A, Bounds(A.Left + 130, A.Top, 80, 40));
                H->SetCaption(u"Ab");
                H->SetGlyph(&Bn.Glyph);
                H->SetDisplayMode(dmImageOnly);
                S->DrawHeader(Bn.A, Bounds(A.Left + 40, A.Top + 42, 80, 18));
                H->SetDisplayMode(dmTextOnly);
                S->SetDrawBackgrounds(true);
                *Noted = {GetTextHeight(C, u"Ab")};
            },
            Probes({43, 47, clRed}),
            [Noted](const TCellView& V) {
                const int LineHeight = (*Noted)[0];
                const TRect Vertical = V.Where(TRect(0, 0, 30, 60), IsText);
                EXPECT_GT(Vertical.Height(), Vertical.Width());
                EXPECT_GT(V.Where(TRect(40, 0, 120, 40), IsText).Height(), LineHeight * 3 / 2);
                EXPECT_LE(V.Where(TRect(130, 0, 210, 40), IsText).Height(), LineHeight);
                EXPECT_LE(V.Where(TRect(40, 42, 120, 60), IsText).Width(), 0);
            }};
}

// A sorted right-aligned caption keeps exactly its arrow's room, measured
// against the same caption left-aligned; a left-aligned sorted header shows
// its arrow from the first width that holds it, and not a pixel narrower.
TSheetCell SortedBoundaries()
{
    auto Noted = std::make_shared<int>(0);
    return {"Sorted room, arrow edge",
            [Noted](TCanvas* C, const TRect& A) {
                TBench& Bn = *Bench;
                TStyleDisplay* S = Bn.Style(hsAuto, C);
                S->SetDrawBackgrounds(false);
                const int W = GetTextWidth(C, u"Ab") + 2;
                *Noted = W;
                TColumnHeader* H = Bn.A->GetHeader();
                S->DrawHeader(Bn.A, Bounds(A.Left, A.Top, 110, 20));
                Bn.A->SetSorted(true);
                H->SetAlignment(taRightJustify);
                S->DrawHeader(Bn.A, Bounds(A.Left + 120, A.Top, 110, 20));
                H->SetAlignment(taLeftJustify);
                S->DrawHeader(Bn.A, Bounds(A.Left, A.Top + 30, W + 29, 20));
                S->DrawHeader(Bn.A, Bounds(A.Left + 120, A.Top + 30, W + 30, 20));
                Bn.A->SetSorted(false);
                S->SetDrawBackgrounds(true);
            },
            {},
            [Noted](const TCellView& V) {
                const int W = *Noted;
                // Where the caption's ink begins within its text box, from the left-aligned one.
                const int Lead = V.Where(TRect(0, 0, 110, 20), IsText).Left - 2;
                EXPECT_EQ(V.Where(TRect(120, 0, 230 - 12, 20), IsText).Left, 230 - W - 31 + Lead);
                // The arrow's box begins 19 after the caption's: hidden one pixel short of it.
                EXPECT_LE(V.Where(TRect(W + 21, 30, W + 29, 50), IsText).Width(), 0) << "hidden";
                EXPECT_GT(V.Where(TRect(120 + W + 21, 30, 120 + W + 30, 50), IsText).Width(), 0) << "shown";
            }};
}

std::vector<TSheetCell> ContentCells()
{
    return {Arrows(),
            SortedHeaders(),
            SortedBoundaries(),
            Placement("Left", taLeftJustify),
            Placement("Right", taRightJustify),
            Placement("Centre", taCenter),
            CaptionForms()};
}

// ---- Footers and the input row ----------------------------------------------------------------

// Footer A in Masked and footer B, unmasked, showing Expected in Plain: the
// two must paint the same pixels.
void DrawFooterPair(TStyleDisplay* S, const TRect& Masked, const TRect& Plain, const WideString& Expected)
{
    TBench& Bn = *Bench;
    EXPECT_NO_THROW(S->DrawFooter(Bn.A, Masked, false));
    Bn.B->GetFooter()->SetCaption(Expected);
    S->DrawFooter(Bn.B, Plain, false);
}

void ExpectSamePixels(const TCellView& V, const TRect& R1, const TRect& R2)
{
    int Differ = 0;
    for (int Y = 0; Y < R1.Height(); ++Y)
        for (int X = 0; X < R1.Width(); ++X)
            Differ += V.At(R1.Left + X, R1.Top + Y) != V.At(R2.Left + X, R2.Top + Y);
    EXPECT_EQ(Differ, 0) << R1.Left << "," << R1.Top;
}

std::vector<TSheetCell> FooterCells()
{
    TSheetCell Fills{"Footer fills and clip",
                     [](TCanvas* C, const TRect& A) {
                         TBench& Bn = *Bench;
                         TStyleDisplay* S = Bn.Style(hsAuto, C);
                         TColumnFooter* F = Bn.A->GetFooter();
                         F->SetColor(clAqua);
                         S->DrawFooter(Bn.A, Bounds(A.Left, A.Top, 80, 20), true);
                         S->DrawFooter(Bn.A, Bounds(A.Left + 90, A.Top, 80, 20), false);
                         // A long right-aligned text and its glyph stay inside the
                         // cell and inside the clip the caller set, which comes back.
                         F->SetCaption(u"A long footer text wider than its cell");
                         F->SetAlignment(taRightJustify);
                         F->SetGlyph(&Bn.Glyph);
                         F->SetDisplayMode(dmTextAndImage);
                         HDC DC = C->GetHandle();
                         HRGN Before = CreateRectRgn(0, 0, 0, 0), Clip = CreateRectRgn(0, 0, 0, 0);
                         const int HadClip = GetClipRgn(DC, Before);
                         IntersectClipRect(DC, A.Left, A.Top, A.Left + 200, A.Bottom);
                         GetClipRgn(DC, Clip);
                         S->DrawFooter(Bn.A, Bounds(A.Left + 100, A.Top + 30, 120, 20), false);
                         HRGN After = CreateRectRgn(0, 0, 0, 0);
                         EXPECT_EQ(GetClipRgn(DC, After), 1);
                         EXPECT_TRUE(EqualRgn(After, Clip));
                         SelectClipRgn(DC, HadClip == 1 ? Before : nullptr);
                         for (HRGN R : {Before, Clip, After})
                             DeleteObject(R);
                         F->SetCaption(u"");
                         F->SetAlignment(taLeftJustify);
                         F->SetDisplayMode(dmTextOnly);
                         F->SetColor(clWindow);
                     },
                     Probes({79,   5,   Face, 40,     19,  Face, 78,     18,  clAqua, 79,     20,
                             Face, 169, 19,   clAqua, 110, 31,   clAqua, 205, 35,     clWhite}),
                     [](const TCellView& V) {
                         EXPECT_LE(V.Where(TRect(0, 30, 100, 50), [](TColor C) { return C != clWhite; }).Width(), 0);
                         EXPECT_GT(V.Where(TRect(100, 30, 200, 50), IsText).Width(), 20);
                     }};
    TSheetCell Masks{
        "Footer masks",
        [](TCanvas* C, const TRect& A) {
            TBench& Bn = *Bench;
            TFormatSettingsGuard Guard;
            FormatSettings.DecimalSeparator = ',';
            FormatSettings.ThousandSeparator = '.';
            TStyleDisplay* S = Bn.Style(hsAuto, C);
            TColumnFooter* F = Bn.A->GetFooter();
            F->SetFormatMask("(000)-0;0");
            F->SetCaption(u"1234");
            F->SetTextBefore(u"<");
            F->SetTextAfter(u">");
            DrawFooterPair(S, Bounds(A.Left, A.Top, 110, 18), Bounds(A.Left + 120, A.Top, 110, 18), u"<(123)-4>");
            F->SetFormatMaskKind(mkFloat);
            F->SetFormatMask("#,##0.00");
            DrawFooterPair(S, Bounds(A.Left, A.Top + 20, 110, 18), Bounds(A.Left + 120, A.Top + 20, 110, 18),
                           u"<1.234,00>");
            // A caption that is no number counts as 0.
            F->SetCaption(u"n/a");
            F->SetTextBefore(u"");
            F->SetTextAfter(u"");
            DrawFooterPair(S, Bounds(A.Left, A.Top + 40, 110, 18), Bounds(A.Left + 120, A.Top + 40, 110, 18), u"0,00");
            F->SetFormatMask("");
            F->SetFormatMaskKind(mkText);
            F->SetCaption(u"");
            Bn.B->GetFooter()->SetCaption(u"");
        },
        {},
        [](const TCellView& V) {
            for (int Y : {0, 20, 40}) {
                ExpectSamePixels(V, Bounds(0, Y, 110, 18), Bounds(120, Y, 110, 18));
                EXPECT_GT(V.Where(Bounds(0, Y, 110, 18), [](TColor C) { return C != clWhite; }).Width(), 10);
            }
        }};
    return {Fills, Masks};
}

// The input row in six states: not selected; selected and focused, then
// unfocused; the column selected; the column's input being edited; and
// selected and focused without grid lines.
TSheetCell InputCells()
{
    return {"Input row",
            [](TCanvas* C, const TRect& A) {
                TBench& Bn = *Bench;
                TStyleDisplay* S = Bn.Style(hsAuto, C);
                Bn.A->SetColor(clYellow);
                Bn.A->SetInputCaption(u"In");
                Bn.Grid->SelectedColumn = 1;
                const auto At = [&](int X, int Y) { return Bounds(A.Left + X, A.Top + Y, 80, 20); };
                S->DrawInput(Bn.A, At(0, 0), true, false, true);
                S->DrawInput(Bn.A, At(80, 0), true, true, true);
                S->DrawInput(Bn.A, At(160, 0), true, true, false);
                Bn.Grid->SelectedColumn = 0;
                S->DrawInput(Bn.A, At(0, 30), true, true, true);
                Bn.Grid->SelectedColumn = 1;
                Bn.A->SetInputActive(true);
                Bn.A->SetInputValue(u"v");
                S->DrawInput(Bn.A, At(80, 30), true, true, true);
                Bn.A->SetInputActive(false);
                S->DrawInput(Bn.A, At(160, 30), false, true, true);
                Bn.A->SetInputValue(u"");
                Bn.A->SetColor(clWindow);
                Bn.Grid->SelectedColumn = 0;
            },
            Probes({5,    2,   clYellow, 79, 2,        clYellow, 79, 19,  clYellow, 85,   2,  Hi,  165,      2,
                    Face, 239, 2,        Hi, 170,      19,       Hi, 238, 18,       Face, 5,  32,  clYellow, 79,
                    32,   Hi,  85,       32, clYellow, 159,      49, Hi,  165,      32,   Hi, 239, 49,       Hi}),
            [](const TCellView& V) {
                // The caption is centred; a value starts at the left.
                const TRect Caption = V.Where(TRect(0, 0, 79, 19), [](TColor C) { return C != clYellow; });
                EXPECT_NEAR((Caption.Left + Caption.Right) / 2.0, 41, 3);
                EXPECT_LE(V.Where(TRect(80, 30, 159, 49), [](TColor C) { return C != clYellow; }).Left, 84);
                EXPECT_GT(V.Where(TRect(80, 0, 159, 19), [](TColor C) { return C != Hi; }).Width(), 0);
            }};
}

// ---- Indicator and boxes ------------------------------------------------------------------------------

TSheetCell IndicatorCell()
{
    return {"Indicators",
            [](TCanvas* C, const TRect& A) {
                const THeaderStyle Looks[] = {hsAuto, hsFlatBorders, hsOldStyle, hsOutlook, hsVista};
                for (int I = 0; I < 5; ++I) {
                    TStyleDisplay* S = Bench->Style(Looks[I], C);
                    S->DrawIndicator(Bounds(A.Left + I * 20, A.Top, 12, 20), 0);
                    S->DrawIndicator(Bounds(A.Left + I * 20, A.Top + 20, 12, 20), 1);
                }
                TStyleDisplay* S = Bench->Style(hsAuto, C);
                for (int X : {100, 120, 140}) {
                    const TRect R = Bounds(A.Left + X, A.Top, 12, 20);
                    S->DrawIndicator(R, 1);
                    S->DrawIndicatorState(R, X == 100, X >= 120);
                    if (X == 140) S->DrawIndicatorState(R, false, true); // twice inverted is as before
                }
            },
            // The base's face on both rows (the default look and Outlook's share it), then
            // each look's own, and the state marks over the base.
            Probes({0,  19, HL,   1,  0,  HL,   11,  0,  SH,      1,   19, Face, 2,   19, SH,      10,  19, Face,
                    5,  10, Face, 1,  20, Face, 2,   20, HL,      10,  20, Face, 9,   20, HL,      31,  5,  Gray,
                    25, 19, Gray, 25, 5,  Face, 40,  0,  HL,      51,  19, WF,   45,  5,  Face,    80,  5,  clWhite,
                    91, 5,  Face, 85, 5,  Pale, 104, 10, clBlack, 110, 3,  Face, 125, 10, InvFace, 145, 10, Face})};
}

// Corner boxes at the three locations, an area splitter and the inactive header.
TSheetCell Boxes(const char* Title, THeaderStyle Style, std::vector<TProbe> Probes)
{
    return {Title,
            [Style](TCanvas* C, const TRect& A) {
                TStyleDisplay* S = Bench->Style(Style, C);
                S->DrawCornerBox(Bounds(A.Left, A.Top, 12, 20), bpAlone);
                S->DrawCornerBox(Bounds(A.Left + 20, A.Top, 12, 20), bpBottom);
                S->DrawCornerBox(Bounds(A.Left + 40, A.Top, 12, 20), bpTop);
                S->DrawAreaSplitter(Bounds(A.Left + 60, A.Top, 100, 6));
                S->DrawInactiveHeader(Bounds(A.Left + 60, A.Top + 10, 100, 20));
            },
            std::move(Probes)};
}

std::vector<TSheetCell> BoxCells()
{
    const bool Themed = Bench->Themed;
    const TColor FaceShade[] = {Shade(Face, 50), Shade(Face, 100), Shade(Face, 150)};
    std::vector<TProbe> Default = Probes({20, 5, HL,   22, 1, HL,   31, 0, SH,   25, 19, SH,   22, 0,  SH,
                                          21, 0, Face, 21, 1, Face, 30, 1, Face, 25, 10, Face, 45, 10, clWhite});
    const std::vector<TProbe> Classic =
        Probes({0, 0, HL, 11, 19, SH, 5, 10, Face, 60, 0, HL, 159, 5, SH, 100, 20, Owner});
    const std::vector<TProbe> Theme = Probes({5, 10, clNone, 100, 3, clNone, 100, 20, clNone});
    Default.insert(Default.end(), (Themed ? Theme : Classic).begin(), (Themed ? Theme : Classic).end());
    return {Boxes("Default boxes", hsAuto, Default),
            Boxes("Flat boxes", hsFlatBorders,
                  Probes({11, 5, Gray, 5, 19, Gray, 5, 5, Face, 51, 5, Gray, 100, 3, Face, 100, 20, Owner})),
            Boxes("Old boxes", hsOldStyle,
                  Probes({0, 0, HL, 11, 19, WF, 5, 5, Face, 40, 0, HL, 60, 0, HL, 159, 5, WF, 100, 20, Owner})),
            Boxes("Outlook boxes", hsOutlook,
                  Probes({5,  5, Face, 11,  5, SH, 5,   17, FaceShade[0], 5,   19, FaceShade[2], 45, 18, FaceShade[1],
                          60, 0, HL,   159, 5, SH, 100, 3,  Face,         100, 20, Owner})),
            Boxes("Vista boxes", hsVista, Probes({5, 5, Owner, 45, 5, Owner, 100, 3, Owner, 100, 20, Owner}))};
}

} // namespace

TEST(GxStyleDisplay, EveryStylePaintsEveryPieceInEveryState)
{
    TBench Bn;
    Bench = &Bn;
    std::vector<TSheetCell> Cells = HeaderCells();
    for (auto* Part : {&ContentCells, &FooterCells, &BoxCells})
        for (TSheetCell& Cell : (*Part)())
            Cells.push_back(std::move(Cell));
    Cells.push_back(InputCells());
    Cells.push_back(IndicatorCell());
    CheckSheet(
        std::move(Cells), 250, Bn.Themed ? "GxDisplays-themed.png" : "GxDisplays-classic.png",
        [&](TSheet* Sheet) {
            Sheet->SetColor(Owner);
            const THeaderStyle Looks[] = {hsAuto, hsFlatBorders, hsOldStyle, hsOutlook, hsVista};
            for (THeaderStyle Look : Looks)
                Bn.Styles[Look].reset(GetStyleDisplayClass(Look)(Sheet));
        },
        3);
    Bench = nullptr;
}

TEST(GxStyleDisplay, AttributesMarginsAndContentWidth)
{
    TBench Bn;
    TOwned<TCustomControl> Control(New<TCustomControl>(nullptr));
    const THeaderStyle Looks[] = {hsAuto, hsFlatBorders, hsOldStyle, hsOutlook, hsVista};
    // Which class each style makes shows on the sheet; here what each says of itself.
    const TStyleDisplayAttributes Attributes[] = {
        {sdaInvertFocus}, {}, {sdaInvertFocus}, {sdaInvertFocus}, {sdaCustomArrow}};
    for (int I = 0; I < 5; ++I)
        EXPECT_TRUE(TOwned<TStyleDisplay>(GetStyleDisplayClass(Looks[I])(Control.get()))->GetStyleDisplayAttributes() ==
                    Attributes[I])
            << I;
    TOwned<TStyleDisplay> S(GetStyleDisplayClass(hsAuto)(Control.get()));
    S->SetThemed(true);
    EXPECT_TRUE(S->GetStyleDisplayAttributes() == TStyleDisplayAttributes{sdaHoverEnabled});
    // Margins: room for the arrow only while arrows and backgrounds are drawn.
    EXPECT_EQ(S->GetHeaderMargin(Bn.A), 11);
    Bn.A->GetHeader()->SetDisplayMode(dmTextAndImage);
    EXPECT_EQ(S->GetHeaderMargin(Bn.A), 2);
    S->SetThemed(false);
    Bn.A->GetHeader()->SetDisplayMode(dmTextOnly);
    EXPECT_EQ(S->GetHeaderMargin(Bn.A), 2);
    S->SetShowSortArrows(false);
    EXPECT_EQ(S->GetHeaderMargin(Bn.A), 0);
    // Content width: the caption, the glyph, or both with 2 between.
    TBitmap Canvas;
    Canvas.SetSize(10, 10);
    S->SetCanvas(Canvas.GetCanvas());
    const int Text = GetTextWidth(Canvas.GetCanvas(), u"Ab");
    Bn.A->GetHeader()->SetGlyph(&Bn.Glyph);
    EXPECT_EQ(S->GetHeaderContentWidth(Bn.A), Text);
    Bn.A->GetHeader()->SetDisplayMode(dmTextAndImage);
    EXPECT_EQ(S->GetHeaderContentWidth(Bn.A), Text + 2 + 8);
    Bn.A->GetHeader()->SetDisplayMode(dmImageOnly);
    EXPECT_EQ(S->GetHeaderContentWidth(Bn.A), 8);
    Bn.A->GetHeader()->SetOrientation(hoVertical);
    Bn.A->GetHeader()->SetDisplayMode(dmTextOnly);
    EXPECT_EQ(S->GetHeaderContentWidth(Bn.A), GetTextHeight(Canvas.GetCanvas(), u"Ab"));
}
