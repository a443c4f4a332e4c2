#include "InputGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/testing/Scroll.h"

#include <string>
#include <vector>

namespace {

using namespace InputGridFixture;
using namespace platform::test;

class GxColumnDragBoxTest : public TInputGridTest {
protected:
    void SetUp() override
    {
        TInputGridTest::SetUp();
        Box = Grid->GetDragBox();
        Column = Grid->GetColumns()->GetItem(0);
        Box->SetBounds(100, 100, 80, 18);
        Box->OnDragBoxMove = [this](TObject* Sender, int X, int Y) {
            EXPECT_EQ(Sender, Box);
            // Reported before the box moves.
            Log.push_back("move " + std::to_string(X) + "," + std::to_string(Y) + " from " +
                          std::to_string(Box->GetLeft()) + "," + std::to_string(Box->GetTop()));
        };
        Box->OnDragBoxDrop = [this](TObject*, int X, int Y) {
            Log.push_back("drop " + std::to_string(X) + "," + std::to_string(Y));
        };
        Box->OnDragBoxCancel = [this](TObject*) { Log.push_back("cancel"); };
    }
    TColumnDragBox* Box = nullptr;
    TGxCustomColumn* Column = nullptr;
    std::vector<std::string> Log;
};

TEST_F(GxColumnDragBoxTest, ShowTakesTheMouseWithTheGridsFontAndNoSortArrow)
{
    Grid->GetFont()->SetSize(15);
    Box->Show(0, 0, Column, true);
    EXPECT_FALSE(Box->GetStyleDisplay()->GetShowSortArrows());
    EXPECT_EQ(Box->GetStyleDisplay()->GetCanvas(), Box->GetCanvas());
    EXPECT_EQ(Box->GetCanvas()->GetFont()->GetSize(), 15);
    EXPECT_EQ(Box->GetColumn(), Column);
    // Hidden, it holds the mouse all the same.
    EXPECT_FALSE(Box->GetVisible());
    EXPECT_EQ(GetCapture(), Box->GetHandle());

    Box->Show(0, 0, Column, false);
    EXPECT_TRUE(Box->GetVisible());
    EXPECT_TRUE(IsWindowVisible(Box->GetHandle()));
    EXPECT_EQ(GetCapture(), Box->GetHandle());
}

TEST_F(GxColumnDragBoxTest, TheBoxTakesOverTheGridsPressUntilTheLeftButtonComesUp)
{
    // The press reaches the grid, which holds the mouse; then the drag starts.
    const TPoint Pressed = Grid->ClientToScreen(TPoint(40, 8));
    MouseDownAtScreen(Pressed);
    ASSERT_EQ(GetCapture(), Grid->GetHandle());
    Box->Show(Pressed.X, Pressed.Y, Column, false);
    ASSERT_EQ(GetCapture(), Box->GetHandle());

    // Moves and the release come through the grid's window, wherever the pointer is.
    MouseMoveAtScreen(TPoint(500, 300));
    EXPECT_EQ(Box->GetBoundsRect(), Bounds(460, 286, 80, 18));
    TRect R;
    GetWindowRect(Box->GetHandle(), &R);
    EXPECT_EQ(R, Bounds(460, 286, 80, 18));
    EXPECT_EQ(Box->ClientToScreen(TPoint(0, 0)), TPoint(460, 286));
    const TPoint OverGrid = Grid->ClientToScreen(TPoint(150, 60));
    MouseMoveAtScreen(OverGrid);
    // A right button's release neither drops nor hides.
    Box->Perform(WM_RBUTTONUP, 0, PointToLParam(TPoint(3, 3)));
    EXPECT_TRUE(Box->GetVisible());
    MouseUpAtScreen(OverGrid);

    EXPECT_FALSE(Box->GetVisible());
    EXPECT_EQ(GetCapture(), nullptr);
    const std::vector<std::string> Expected = {"move 500,300 from 100,100",
                                               "move " + std::to_string(OverGrid.X) + "," + std::to_string(OverGrid.Y) +
                                                   " from 460,286",
                                               "drop " + std::to_string(OverGrid.X) + "," + std::to_string(OverGrid.Y)};
    EXPECT_EQ(Log, Expected);
}

TEST_F(GxColumnDragBoxTest, LosingTheMouseBeforeTheReleaseCancelsWithoutADrop)
{
    // Another window takes the mouse.
    MouseDownAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    Box->Show(0, 0, Column, false);
    SetCapture(Form->GetHandle());
    EXPECT_FALSE(Box->GetVisible());
    EXPECT_EQ(Log, std::vector<std::string>{"cancel"});
    MouseUpAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    EXPECT_EQ(Log, std::vector<std::string>{"cancel"});

    // Another window is activated: the window system cancels the mode (the
    // release that makes up drops nothing).
    Log.clear();
    TOwned<TForm> Other(New<TForm>(Application));
    Other->Show();
    ActivateWindow(Form);
    Box->Show(0, 0, Column, true);
    ActivateWindow(Other.get());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log, std::vector<std::string>{"cancel"});
}

TEST_F(GxColumnDragBoxTest, TheBoxShowsTheHeaderWithABlackBottomAndRightEdge)
{
    Box->Show(0, 0, Column, false);
    PaintNow(Box);
    for (const TPoint P : {TPoint(0, 17), TPoint(40, 17), TPoint(79, 0), TPoint(79, 9), TPoint(79, 17)})
        EXPECT_EQ(PixelAt(Box, P.X, P.Y), clBlack) << P.X << "," << P.Y;
    // Inside, the header's face.
    EXPECT_NE(PixelAt(Box, 70, 9), clBlack);
    EXPECT_NE(PixelAt(Box, 78, 16), clBlack);
    Box->Perform(WM_CANCELMODE, 0, 0);
}

TEST_F(GxColumnDragBoxTest, ArrowsAreRedNineByNineWindowsShapedUpOrDown)
{
    TDragArrow* Arrow = Grid->GetUpArrow();
    EXPECT_EQ(Arrow->GetBoundsRect().Width(), 9);
    EXPECT_EQ(Arrow->GetBoundsRect().Height(), 9);
    // Points that tell the shapes apart: the tips, the wide rows and the stems.
    struct TProbe {
        int X, Y;
        bool Up, Down;
    };
    const TProbe Probes[] = {{3, 0, false, true}, {2, 2, true, false}, {1, 3, true, false},  {0, 4, true, true},
                             {8, 4, true, true},  {1, 5, false, true}, {7, 5, false, true},  {6, 6, false, true},
                             {3, 8, true, false}, {4, 8, true, true},  {0, 5, false, false}, {4, 9, false, false}};
    auto Check = [&](bool Up) {
        for (const TProbe& P : Probes)
            EXPECT_EQ(WindowShapeContains(Arrow, P.X, P.Y), Up ? P.Up : P.Down) << P.X << "," << P.Y;
    };
    Check(true);
    Arrow->SetArrowKind(akDown);
    Check(false);
    Arrow->SetArrowKind(akNone);
    Check(false);
    EXPECT_EQ(Arrow->GetArrowKind(), akNone);

    Arrow->Show();
    PaintNow(Arrow);
    for (int I = 0; I < 9; ++I)
        EXPECT_EQ(PixelAt(Arrow, I, 8 - I), TColor(0x0000FF));
}

} // namespace
