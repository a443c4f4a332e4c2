#include "ControlFixtures.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Labels.h"
#include "platform/graphics/DeviceContext.h"

namespace {

using PaintedControlsTest = TFormTest;

const TColor Face = ColorToRGB(clBtnFace);
const TColor Highlight = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);

template <typename T> T* Place(TWinControl* Parent, int Left, int Top, int Width, int Height)
{
    auto* C = New<T>(Parent);
    C->SetBounds(Left, Top, Width, Height);
    C->SetParent(Parent);
    return C;
}

TEST_F(PaintedControlsTest, PanelPaintsItsBevelsAroundItsColour)
{
    auto* P = Place<TPanel>(Form, 10, 10, 100, 40);
    EXPECT_EQ(platform::test::PixelAt(P, 0, 0), Highlight);
    EXPECT_EQ(platform::test::PixelAt(P, 99, 0), Shadow); // the top right corner is the bottom colour's
    EXPECT_EQ(platform::test::PixelAt(P, 99, 39), Shadow);
    EXPECT_EQ(platform::test::PixelAt(P, 0, 39), Shadow);
    EXPECT_EQ(platform::test::PixelAt(P, 1, 1), Face);

    P->SetBevelOuter(bvLowered);
    P->SetBevelInner(bvRaised);
    P->SetColor(clAqua);
    EXPECT_EQ(platform::test::PixelAt(P, 0, 0), Shadow);
    EXPECT_EQ(platform::test::PixelAt(P, 1, 1), Highlight);
    EXPECT_EQ(platform::test::PixelAt(P, 98, 38), Shadow);
    EXPECT_EQ(platform::test::PixelAt(P, 99, 39), Highlight);
    EXPECT_EQ(platform::test::PixelAt(P, 2, 2), clAqua);

    // Children are aligned inside the bevels.
    auto* Inner = Place<TProbeControl>(P, 0, 0, 10, 10);
    Inner->SetAlign(alClient);
    EXPECT_EQ(Inner->GetBoundsRect(), Bounds(2, 2, 96, 36));

    P->SetBevelOuter(bvNone);
    P->SetBevelInner(bvNone);
    EXPECT_EQ(Inner->GetBoundsRect(), Bounds(0, 0, 100, 40));
}

TEST_F(PaintedControlsTest, AClientEdgeIsNonClientArea)
{
    auto* P = Place<TPanel>(Form, 10, 10, 100, 40);
    P->SetBevelOuter(bvNone);
    P->SetBorderStyle(bsSingle);
    EXPECT_EQ(P->GetClientWidth(), 96);
    EXPECT_EQ(P->GetClientHeight(), 36);
    // Client (0, 0) is window (2, 2); the frame is outside the client area.
    EXPECT_EQ(platform::test::PixelAt(P, 0, 0), Face);
    EXPECT_EQ(platform::test::PixelAt(P, -2, -2), Shadow);
    EXPECT_EQ(platform::test::PixelAt(P, -1, -1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(platform::test::PixelAt(P, 97, 37), Highlight);
    const TPoint Corner = P->ClientToScreen(TPoint(-2, -2));
    EXPECT_EQ(SendMessageA(P->GetHandle(), WM_NCHITTEST, 0, MAKELONG(WORD(Corner.X), WORD(Corner.Y))), HTBORDER);
}

TEST_F(PaintedControlsTest, ShapeFollowsItsBrushAndPen)
{
    auto* S = Place<TShape>(Form, 10, 10, 40, 40);
    S->SetShape(stCircle);
    S->GetBrush()->SetColor(clGreen);
    EXPECT_EQ(platform::test::PixelAt(S, 20, 20), clGreen);
    EXPECT_EQ(platform::test::PixelAt(S, 1, 1), Face); // outside the circle: the form shows
    EXPECT_EQ(platform::test::PixelAt(S, 0, 20), clBlack);

    S->GetBrush()->SetColor(clRed); // repaints by itself
    EXPECT_EQ(platform::test::PixelAt(S, 20, 20), clRed);

    S->SetShape(stRectangle);
    S->GetPen()->SetColor(clBlue);
    EXPECT_EQ(platform::test::PixelAt(S, 0, 0), clBlue);
    EXPECT_EQ(platform::test::PixelAt(S, 39, 39), clBlue);
    EXPECT_EQ(platform::test::PixelAt(S, 1, 1), clRed);
    EXPECT_EQ(platform::test::PixelAt(S, 40, 40), Face);

    // A wide shape makes a square in its middle.
    S->SetBounds(10, 10, 80, 40);
    S->SetShape(stSquare);
    EXPECT_EQ(platform::test::PixelAt(S, 20, 20), clBlue);
    EXPECT_EQ(platform::test::PixelAt(S, 10, 20), Face);
}

TEST_F(PaintedControlsTest, BevelDrawsItsLines)
{
    auto* B = Place<TBevel>(Form, 10, 10, 40, 30);
    EXPECT_EQ(platform::test::PixelAt(B, 0, 0), Shadow);
    EXPECT_EQ(platform::test::PixelAt(B, 39, 29), Highlight);
    EXPECT_EQ(platform::test::PixelAt(B, 20, 15), Face);
    B->SetShape(bsTopLine);
    B->SetStyle(bsRaised);
    EXPECT_EQ(platform::test::PixelAt(B, 20, 0), Highlight);
    EXPECT_EQ(platform::test::PixelAt(B, 20, 1), Shadow);
    EXPECT_EQ(platform::test::PixelAt(B, 39, 29), Face);
}

TEST_F(PaintedControlsTest, LabelSizesItselfToItsText)
{
    auto* L = Place<TLabel>(Form, 10, 10, 5, 5);
    L->GetFont()->SetName("Tahoma");
    L->GetFont()->SetHeight(-11);
    L->SetCaption("Patterns to &Search");
    const int Plain = L->GetWidth();
    EXPECT_EQ(L->GetHeight(), 13);
    EXPECT_GT(Plain, 50);
    L->GetFont()->SetStyle({fsBold});
    EXPECT_GT(L->GetWidth(), Plain);

    // Right-justified labels keep their right edge.
    L->SetAlignment(taRightJustify);
    const int Right = L->GetLeft() + L->GetWidth();
    L->SetCaption("Go");
    EXPECT_EQ(L->GetLeft() + L->GetWidth(), Right);

    // Word wrapping in a fixed width makes it taller.
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 40, 13);
    L->SetWordWrap(true);
    L->SetAutoSize(true);
    L->SetCaption("one two three four");
    EXPECT_GT(L->GetHeight(), 13);
    EXPECT_LE(L->GetWidth(), 45);
}

TEST_F(PaintedControlsTest, LabelPaintsItsBackgroundUnlessTransparent)
{
    Form->SetColor(clSilver);
    auto* L = Place<TLabel>(Form, 10, 10, 100, 30);
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 100, 30); // it took its text's size when it got its parent's font
    L->SetCaption("x");
    // The label takes the form's colour until it has its own.
    EXPECT_EQ(platform::test::PixelAt(L, 95, 25), clSilver);
    L->SetColor(clYellow);
    EXPECT_EQ(platform::test::PixelAt(L, 95, 25), clYellow);
    L->SetTransparent(true);
    EXPECT_EQ(platform::test::PixelAt(L, 95, 25), clSilver);
    bool Ink = false;
    for (int X = 0; X < 10; ++X)
        for (int Y = 0; Y < 13; ++Y)
            Ink |= platform::test::PixelAt(L, X, Y) != clSilver;
    EXPECT_TRUE(Ink);
}

TEST_F(PaintedControlsTest, APaintThatRaisesGivesBackItsContextAndClip)
{
    Place<TShape>(Form, 10, 10, 20, 20);
    Form->OnPaint = [](TObject*) { throw EAbort(""); };
    HDC DC = GetDC(Form->GetHandle());
    DC->Clip.reset();
    EXPECT_THROW(Form->Perform(WM_PAINT, WPARAM(DC), 0), EAbort);
    EXPECT_FALSE(DC->Clip.has_value());
    ReleaseDC(Form->GetHandle(), DC);
    // The context the handler makes for itself goes too (the leak check sees it).
    EXPECT_THROW(Form->Perform(WM_PAINT, 0, 0), EAbort);
    Form->OnPaint = nullptr;
}

TEST_F(PaintedControlsTest, AFormWithPanelShapeAndLabelsRendersToAnImage)
{
    Form->GetFont()->SetName("Tahoma");
    auto* P = Place<TPanel>(Form, 0, 0, 100, 40);
    P->SetAlign(alBottom);
    P->SetCaption("Ready.");
    auto* S = Place<TShape>(Form, 250, 20, 20, 20);
    S->SetShape(stCircle);
    S->GetBrush()->SetColor(clGreen);
    S->SetAnchors({akRight, akBottom});
    auto* L = Place<TLabel>(Form, 10, 10, 10, 10);
    L->GetFont()->SetStyle({fsBold});
    L->SetCaption("Extract patterns that match:");
    Place<TLabel>(Form, 10, 30, 10, 10)->SetCaption("Presets:");
    Form->SetClientWidth(350);
    EXPECT_EQ(S->GetLeft(), 300);
    EXPECT_TRUE(platform::test::SaveWindowImage(Form, "/tmp/quillmote-controls-form.png"));
    EXPECT_EQ(platform::test::PixelAt(S, 10, 10), clGreen);
    EXPECT_EQ(platform::test::PixelAt(P, 1, 1), Face);
}

} // namespace
