#include "../controls/ControlFixtures.h"

#include <functional>

namespace {

// A white control whose Paint runs the test's drawing.
class TSheet : public TCustomControl {
public:
    explicit TSheet(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 120, 80); }
    std::function<void(TCanvas*)> Draw;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        GetCanvas()->GetBrush()->SetColor(clWhite);
        GetCanvas()->FillRect(GetClientRect());
        GetCanvas()->GetPen()->SetColor(clBlack);
        GetCanvas()->GetPen()->SetMode(pmCopy);
        if (Draw) Draw(GetCanvas());
    }
};

class CanvasTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Sheet = New<TSheet>(Form);
        Sheet->SetParent(Form);
    }
    TColor At(int X, int Y) { return platform::test::PixelAt(Sheet, X, Y); }
    void Paint(std::function<void(TCanvas*)> Draw)
    {
        Sheet->Draw = std::move(Draw);
        Sheet->Invalidate();
        platform::test::PaintNow(Sheet);
    }
    TSheet* Sheet = nullptr;
};

TEST_F(CanvasTest, FillRectAndFrameRectLeaveTheRightAndBottomEdges)
{
    Paint([](TCanvas* C) {
        C->GetBrush()->SetColor(clRed);
        C->FillRect(Rect(10, 10, 20, 20));
        C->GetBrush()->SetColor(clBlue);
        C->FrameRect(Rect(30, 10, 40, 20));
    });
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(19, 19), clRed);
    EXPECT_EQ(At(20, 19), clWhite);
    EXPECT_EQ(At(19, 20), clWhite);
    EXPECT_EQ(At(9, 10), clWhite);

    EXPECT_EQ(At(30, 10), clBlue);
    EXPECT_EQ(At(39, 19), clBlue);
    EXPECT_EQ(At(39, 15), clBlue);
    EXPECT_EQ(At(35, 19), clBlue);
    EXPECT_EQ(At(35, 15), clWhite);
    EXPECT_EQ(At(40, 15), clWhite);
    EXPECT_EQ(At(35, 20), clWhite);
}

TEST_F(CanvasTest, LineToLeavesItsEndPointAndMovesThePen)
{
    Paint([](TCanvas* C) {
        C->MoveTo(10, 30);
        C->LineTo(20, 30); // horizontal
        C->LineTo(20, 40); // vertical, on from where the pen is
        C->MoveTo(30, 30);
        C->LineTo(35, 35); // 45 degrees
        C->MoveTo(50, 30);
        C->LineTo(60, 33); // a shallow slope
        C->MoveTo(70, 30);
        C->LineTo(70, 30); // nothing at all
    });
    EXPECT_EQ(At(10, 30), clBlack);
    EXPECT_EQ(At(19, 30), clBlack);
    EXPECT_EQ(At(20, 30), clBlack); // the vertical line's first point
    EXPECT_EQ(At(20, 39), clBlack);
    EXPECT_EQ(At(20, 40), clWhite);
    EXPECT_EQ(At(21, 30), clWhite);
    EXPECT_EQ(At(34, 34), clBlack);
    EXPECT_EQ(At(35, 35), clWhite);
    EXPECT_EQ(At(50, 30), clBlack);
    EXPECT_EQ(At(60, 33), clWhite);
    EXPECT_EQ(At(70, 30), clWhite);
    int Painted = 0;
    for (int X = 50; X <= 60; ++X)
        for (int Y = 29; Y <= 34; ++Y)
            Painted += At(X, Y) == clBlack;
    EXPECT_EQ(Painted, 10); // one pixel per column, the last column left out
}

TEST_F(CanvasTest, RectangleAndEllipseStayInsideTheirRectangles)
{
    Paint([](TCanvas* C) {
        C->GetBrush()->SetColor(clLime);
        C->Rectangle(10, 10, 30, 30);
        C->Ellipse(40, 10, 60, 30);
        C->GetPen()->SetStyle(psClear);
        C->Rectangle(70, 10, 80, 20); // no pen: the fill stops one short
    });
    EXPECT_EQ(At(10, 10), clBlack);
    EXPECT_EQ(At(29, 29), clBlack);
    EXPECT_EQ(At(20, 20), clLime);
    EXPECT_EQ(At(30, 20), clWhite);
    EXPECT_EQ(At(20, 30), clWhite);

    EXPECT_EQ(At(50, 20), clLime);
    EXPECT_EQ(At(40, 10), clWhite); // the corner of the bounding box
    bool Outside = false, LeftEdge = false;
    for (int Y = 9; Y <= 30; ++Y) {
        Outside |= At(39, Y) != clWhite || At(60, Y) != clWhite;
        LeftEdge |= At(40, Y) == clBlack;
    }
    for (int X = 39; X <= 60; ++X)
        Outside |= At(X, 9) != clWhite || At(X, 30) != clWhite;
    EXPECT_FALSE(Outside);
    EXPECT_TRUE(LeftEdge);

    EXPECT_EQ(At(70, 10), clLime);
    EXPECT_EQ(At(78, 18), clLime);
    EXPECT_EQ(At(79, 18), clWhite);
}

TEST_F(CanvasTest, RasterOperationsTwiceRestoreThePixels)
{
    Paint([](TCanvas* C) {
        C->GetBrush()->SetColor(TColor(0x336699));
        C->FillRect(Rect(0, 0, 50, 50));
        C->GetPen()->SetMode(pmNotXor);
        C->GetPen()->SetColor(clWhite);
        C->MoveTo(0, 10);
        C->LineTo(50, 10);
        C->MoveTo(0, 20);
        C->LineTo(50, 20);
        C->LineTo(0, 20); // the same pixels again, but its last point (0, 20)
        C->GetPen()->SetMode(pmXor);
        C->GetPen()->SetColor(TColor(0x0000FF));
        C->MoveTo(0, 30);
        C->LineTo(50, 30);
    });
    // White NOT-XOR keeps the colour: NOT (white XOR c) = c.
    EXPECT_EQ(At(5, 10), TColor(0x336699));
    EXPECT_EQ(At(5, 20), TColor(0x336699));
    EXPECT_EQ(At(0, 20), TColor(0x336699));
    EXPECT_EQ(At(5, 30), TColor(0x336699 ^ 0x0000FF));

    // Outside Paint: XOR drawing lands at once, and a second time undoes it.
    TCanvas* C = Sheet->GetCanvas();
    C->GetPen()->SetMode(pmXor);
    C->GetPen()->SetColor(clWhite);
    C->MoveTo(0, 40);
    C->LineTo(40, 40);
    EXPECT_EQ(At(5, 40), TColor(~0x336699 & 0xFFFFFF));
    C->MoveTo(0, 40);
    C->LineTo(40, 40);
    EXPECT_EQ(At(5, 40), TColor(0x336699));
    C->GetPen()->SetMode(pmCopy);
}

TEST_F(CanvasTest, DrawingOutsidePaintShowsWithoutARepaint)
{
    Paint(nullptr);
    const int Paints = Sheet->Paints;
    Sheet->GetCanvas()->SetPixels(3, 4, clRed);
    EXPECT_EQ(Sheet->GetCanvas()->GetPixels(3, 4), clRed);
    EXPECT_EQ(At(3, 4), clRed);
    EXPECT_EQ(Sheet->Paints, Paints);
    Sheet->Invalidate(); // the next paint covers it again
    EXPECT_EQ(At(3, 4), clWhite);
    EXPECT_EQ(Sheet->Paints, Paints + 1);
    EXPECT_EQ(Sheet->GetCanvas()->GetPixels(500, 4), CLR_INVALID);
}

TEST_F(CanvasTest, TextOutFillsItsCellWithASolidBrushOnly)
{
    TCanvas* C = Sheet->GetCanvas();
    C->GetFont()->SetName("MS Sans Serif");
    C->GetFont()->SetHeight(-11);
    EXPECT_EQ(C->TextHeight("Wg"), 13); // DejaVu Sans, 11 pixels
    EXPECT_GT(C->TextWidth("WW"), C->TextWidth("W"));
    Paint([](TCanvas* C) {
        C->GetFont()->SetHeight(-11);
        C->GetBrush()->SetColor(clYellow);
        C->TextOut(10, 10, "  ");
        EXPECT_EQ(C->GetPenPos(), TPoint(10 + C->TextWidth("  "), 10));
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(10, 40, "  ");
    });
    EXPECT_EQ(At(10, 10), clYellow);
    EXPECT_EQ(At(10, 22), clYellow);
    EXPECT_EQ(At(10, 23), clWhite);
    EXPECT_EQ(At(10, 40), clWhite);
}

TEST(Fonts, SizeAndHeightAreTwoViewsOfOneValue)
{
    TFont F;
    EXPECT_EQ(F.GetName(), "MS Sans Serif");
    EXPECT_EQ(F.GetHeight(), -11);
    EXPECT_EQ(F.GetSize(), 8);
    int Changes = 0;
    F.OnChange = [&](TObject*) { ++Changes; };
    F.SetSize(10);
    EXPECT_EQ(F.GetHeight(), -13);
    F.SetHeight(-13);
    F.SetStyle({fsBold});
    EXPECT_EQ(Changes, 2);
    TBrush B;
    B.SetStyle(bsClear);
    B.SetColor(clRed); // a colour makes a clear brush solid
    EXPECT_EQ(B.GetStyle(), bsSolid);
}

} // namespace
