#include "ControlFixtures.h"
#include "platform/testing/Pointer.h"

#include <string>
#include <utility>
#include <vector>

using namespace platform::test;

namespace {

// Two windows side by side, A at the left, B at the right, each logging what
// reaches it: "A move 5,5", "B up 10,10", "A enter" ...
class MouseCaptureTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        A = Watch("A", 10, 10);
        B = Watch("B", 150, 10);
        MoveTo(Form, 5, 150); // over neither
        Take();
    }

    TProbeControl* Watch(const std::string& Name, int Left, int Top)
    {
        auto* C = New<TProbeControl>(Form);
        C->SetBounds(Left, Top, 100, 50);
        C->SetParent(Form);
        auto At = [this, Name](const char* What, int X, int Y) {
            Log.push_back(Name + " " + What + " " + std::to_string(X) + "," + std::to_string(Y));
        };
        C->OnMouseMove = [At](TObject*, TShiftState, int X, int Y) { At("move", X, Y); };
        C->OnMouseDown = [At](TObject*, TMouseButton, TShiftState, int X, int Y) { At("down", X, Y); };
        C->OnMouseUp = [At](TObject*, TMouseButton, TShiftState, int X, int Y) { At("up", X, Y); };
        C->OnMouseEnter = [this, Name](TObject*) { Log.push_back(Name + " enter"); };
        C->OnMouseLeave = [this, Name](TObject*) { Log.push_back(Name + " leave"); };
        return C;
    }

    // A client point of a control on the screen.
    static TPoint On(TControl* C, int X, int Y) { return C->ClientToScreen(TPoint(X, Y)); }
    void MoveTo(TControl* C, int X, int Y) { MouseMoveAtScreen(On(C, X, Y)); }
    // A press at From, then what reaches the windows as the pointer moves to To and lets go.
    std::vector<std::string> Drag(const TPoint& From, const TPoint& To)
    {
        MouseDownAtScreen(From);
        Take();
        MouseMoveAtScreen(To);
        MouseUpAtScreen(To);
        return Take();
    }
    std::vector<std::string> Take() { return std::exchange(Log, {}); }

    TProbeControl* A = nullptr;
    TProbeControl* B = nullptr;
    std::vector<std::string> Log;
};

using Lines = std::vector<std::string>;

TEST_F(MouseCaptureTest, TheCaptureHolderHearsTheMouseWhereverThePointerIs)
{
    MoveTo(A, 5, 5);
    SetCapture(A->GetHandle());
    Take();
    MoveTo(B, 10, 20);
    ClickAtScreen(On(B, 10, 20));
    // In A's client coordinates; B hears nothing, not even that the pointer came.
    EXPECT_EQ(Take(), (Lines{"A leave", "A move 150,20", "A down 150,20", "A up 150,20"}));
    EXPECT_EQ(GetCapture(), nullptr); // the release ended A's capture

    MoveTo(B, 11, 20);
    EXPECT_EQ(Take(), (Lines{"B enter", "B move 11,20"}));
}

TEST_F(MouseCaptureTest, DuringAPressTheMouseGoesWhereTheCaptureWentOrElseUnderThePointer)
{
    A->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { B->SetMouseCapture(true); };
    EXPECT_EQ(Drag(On(A, 5, 5), On(A, 20, 5)), (Lines{"A leave", "B move -120,5", "B up -120,5"}));
    EXPECT_EQ(GetCapture(), nullptr);

    A->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { A->SetMouseCapture(false); };
    EXPECT_EQ(Drag(On(A, 5, 5), On(B, 10, 20)), (Lines{"A leave", "B enter", "B move 10,20", "B up 10,20"}));
}

TEST_F(MouseCaptureTest, EnterAndLeaveFollowThePointerUnderACapture)
{
    // A graphic control inside the window that holds the capture is entered
    // as the pointer reaches it; the other windows are not.
    auto* G = New<TProbeGraphic>(Form);
    G->SetBounds(60, 10, 20, 20);
    G->SetParent(A);
    MoveTo(A, 5, 5);
    SetCapture(A->GetHandle());
    Take();
    MoveTo(A, 65, 15);
    EXPECT_EQ(G->Log, (Lines{"Enter"}));
    MoveTo(B, 10, 20);
    MoveTo(B, 20, 20);
    MoveTo(A, 5, 5);
    EXPECT_EQ(G->Log, (Lines{"Enter", "Leave"}));
    EXPECT_EQ(Take(), (Lines{"A leave", "A move 65,15", "A move 150,20", "A move 160,20", "A enter", "A move 5,5"}));
    ReleaseCapture();
}

TEST_F(MouseCaptureTest, APopupThatLetsTheCaptureGoOverItselfDoesNotFlipOnEveryMove)
{
    // As a drop-down of the grid does: it holds the mouse while the pointer
    // is outside (a click there closes it) and lets its own parts have it.
    A->OnMouseEnter = [&](TObject*) {
        Log.push_back("A enter");
        ReleaseCapture();
    };
    A->OnMouseLeave = [&](TObject*) {
        Log.push_back("A leave");
        SetCapture(A->GetHandle());
    };
    MoveTo(A, 5, 5);
    MoveTo(B, 10, 10);
    EXPECT_EQ(GetCapture(), A->GetHandle());
    Take();
    for (int X = 20; X < 60; X += 10)
        MoveTo(B, X, 10);
    EXPECT_EQ(GetCapture(), A->GetHandle());
    MoveTo(A, 5, 5);
    MoveTo(A, 15, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Take(), (Lines{"A move 160,10", "A move 170,10", "A move 180,10", "A move 190,10", "A enter",
                             "A move 5,5", "A move 15,5"}));
}

} // namespace
