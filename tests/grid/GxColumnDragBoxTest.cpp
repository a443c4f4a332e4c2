#include "InputGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/testing/Scroll.h"

namespace {

using namespace InputGridFixture;
using namespace platform::test;

class GxColumnDragBoxTest : public TInputGridTest {
protected:
    void SetUp() override
    {
        TInputGridTest::SetUp();
        Box = Grid->GetDragBox();
        Box->SetBounds(100, 100, 80, 18);
        auto Note = [this](const char* What, int X, int Y) {
            Log += What + std::to_string(X) + "," + std::to_string(Y) + " ";
        };
        // A move is reported before the box moves.
        Box->OnDragBoxMove = [=, this](TObject*, int X, int Y) {
            Note("move ", X - Box->GetLeft(), Y - Box->GetTop());
        };
        Box->OnDragBoxDrop = [=](TObject*, int X, int Y) { Note("drop ", X, Y); };
        Box->OnDragBoxCancel = [this](TObject*) { Log += "cancel"; };
    }
    TColumnDragBox* Box = nullptr;
    std::string Log;
};

TEST_F(GxColumnDragBoxTest, TheBoxTakesOverTheGridsPressAndDropsWhereTheLeftButtonComesUp)
{
    const TPoint Pressed = Grid->ClientToScreen(TPoint(40, 8));
    MouseDownAtScreen(Pressed);
    ASSERT_EQ(GetCapture(), Grid->GetHandle());
    Grid->GetFont()->SetSize(15);
    Box->Show(Pressed.X, Pressed.Y, Grid->GetColumns()->GetItem(0), true);
    // Hidden, the box holds the mouse all the same; the header shows no sort arrow.
    EXPECT_EQ(GetCapture(), Box->GetHandle());
    EXPECT_FALSE(Box->GetVisible());
    EXPECT_FALSE(Box->GetStyleDisplay()->GetShowSortArrows());
    EXPECT_EQ(Box->GetCanvas()->GetFont()->GetSize(), 15);
    Box->Show(Pressed.X, Pressed.Y, Grid->GetColumns()->GetItem(0), false);
    EXPECT_TRUE(IsWindowVisible(Box->GetHandle()));

    // Moves and the release come through the grid's window, wherever the pointer is.
    MouseMoveAtScreen(TPoint(500, 300));
    TRect R;
    GetWindowRect(Box->GetHandle(), &R);
    EXPECT_EQ(R, Bounds(460, 286, 80, 18));
    EXPECT_EQ(Box->ClientToScreen(TPoint(0, 0)), TPoint(460, 286));
    Box->Perform(WM_RBUTTONUP, 0, PointToLParam(TPoint(3, 3)));
    EXPECT_TRUE(Box->GetVisible());
    MouseUpAtScreen(TPoint(510, 320));
    EXPECT_FALSE(Box->GetVisible());
    EXPECT_EQ(GetCapture(), nullptr);
    // (The release at a new point moves the box there first.)
    EXPECT_EQ(Log, "move 400,200 move 50,34 drop 510,320 ");
}

TEST_F(GxColumnDragBoxTest, LosingTheMouseBeforeTheReleaseHidesTheBoxWithoutADrop)
{
    const TPoint Pressed = Grid->ClientToScreen(TPoint(40, 8));
    MouseDownAtScreen(Pressed);
    Box->Show(0, 0, Grid->GetColumns()->GetItem(0), false);
    SetCapture(Form->GetHandle());
    EXPECT_FALSE(Box->GetVisible());
    MouseUpAtScreen(Pressed);
    // The user turns to another window: the mode ends (the release it makes up drops nothing).
    TOwned<TForm> Other(New<TForm>(Application));
    Other->Show();
    ActivateWindow(Form);
    Box->Show(0, 0, Grid->GetColumns()->GetItem(0), true);
    ActivateWindow(Other.get());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log, "cancelcancel");
}

TEST_F(GxColumnDragBoxTest, TheBoxIsAHeaderWithBlackEdgesAndTheArrowsAreRedArrowShapes)
{
    Box->Show(0, 0, Grid->GetColumns()->GetItem(0), false);
    for (const TPoint P : {TPoint(0, 17), TPoint(79, 0), TPoint(79, 17)})
        EXPECT_EQ(PixelAt(Box, P.X, P.Y), clBlack);
    EXPECT_NE(PixelAt(Box, 78, 16), clBlack);
    Box->Perform(WM_CANCELMODE, 0, 0);

    TDragArrow* Arrow = Grid->GetUpArrow();
    EXPECT_EQ(Arrow->GetBoundsRect(), Bounds(Arrow->GetLeft(), Arrow->GetTop(), 9, 9));
    // Up, down and neither at points that tell the shapes apart ('^' up only, 'v' down only).
    const char Shape[] = "^v^v^";
    const TPoint Probes[] = {{2, 2}, {3, 0}, {3, 8}, {6, 6}, {1, 3}};
    for (TArrowKind Kind : {akUp, akDown, akNone}) {
        Arrow->SetArrowKind(Kind); // akNone keeps the downward shape
        for (int I = 0; I < 5; ++I)
            EXPECT_EQ(WindowShapeContains(Arrow, Probes[I].X, Probes[I].Y), Shape[I] == (Kind == akUp ? '^' : 'v'));
    }
    for (int I = 0; I < 9; ++I)
        EXPECT_EQ(PixelAt(Arrow, I, 8 - I), TColor(0x0000FF));
}

TEST_F(GxColumnDragBoxTest, TheBoxForgetsAColumnThatGoesAndADragOnItEndsWithoutADrop)
{
    TGxColumns* Columns = Grid->GetColumns();
    MouseDownAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    Box->Show(0, 0, Columns->GetItem(1), false);
    Columns->Delete(1);
    EXPECT_EQ(Box->GetColumn(), nullptr);
    EXPECT_FALSE(Box->GetVisible());
    EXPECT_NE(GetCapture(), Box->GetHandle());
    EXPECT_EQ(Log, "cancel");
    // Shown again without a column, it paints its edges only.
    Box->SetVisible(true);
    PaintNow(Box);
    EXPECT_EQ(PixelAt(Box, 0, 17), clBlack);
    Box->SetVisible(false);
    MouseUpAtScreen(Grid->ClientToScreen(TPoint(40, 8)));

    // After a drop the box still names its column until the column goes, quietly.
    MouseDownAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    Box->Show(0, 0, Columns->GetItem(1), true);
    MouseUpAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    Log.clear();
    ASSERT_EQ(Box->GetColumn(), Columns->GetItem(1));
    Columns->Clear();
    EXPECT_EQ(Box->GetColumn(), nullptr);
    EXPECT_EQ(Log, "");
}

} // namespace
