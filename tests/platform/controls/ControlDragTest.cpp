// Dragging a control within the program: where a drag begins, what the
// controls under the pointer hear, and every way it ends.
#include "ControlFixtures.h"
#include "platform/testing/Pointer.h"

#include <string>
#include <utility>
#include <vector>

using namespace platform::test;

namespace {

using TLog = std::vector<std::string>;

// Logs into a shared log what reaches it: "A down dragging", "B over 7,8", "A canceled" ...
class TDragProbe : public TProbeControl {
public:
    TDragProbe(TComponent* AOwner, const std::string& Name, int Left, TLog& Log) : TProbeControl(AOwner), FLog(Log)
    {
        SetBounds(Left, 10, 100, 50);
        auto Note = [this, Name](const std::string& What, int X, int Y) {
            FLog.push_back(Name + " " + What + (X < -1000 ? "" : " " + std::to_string(X) + "," + std::to_string(Y)));
        };
        OnMouseDown = [=, this](TObject*, TMouseButton, TShiftState, int, int) {
            Note(Dragging() ? "down dragging" : "down", -9999, 0);
        };
        OnMouseMove = [=](TObject*, TShiftState, int X, int Y) { Note("move", X, Y); };
        OnMouseUp = [=](TObject*, TMouseButton, TShiftState, int, int) { Note("up", -9999, 0); };
        OnDragOver = [=, this](TObject*, TObject*, int X, int Y, TDragState State, bool& Accept) {
            Note(State == dsDragEnter ? "enter" : State == dsDragLeave ? "leave" : "over", X, Y);
            Accept = Accepts;
        };
        OnDragDrop = [=, this](TObject*, TObject* Source, int X, int Y) {
            DropSource = Source;
            Note("drop", X, Y);
        };
    }
    bool Accepts = false;
    TObject* DropSource = nullptr;

protected:
    void DragCanceled() override { FLog.push_back("canceled"); }

private:
    TLog& FLog;
};

class ControlDragTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        for (TDragProbe** P : {&A, &B}) {
            *P = New<TDragProbe>(Form, P == &A ? "A" : "B", P == &A ? 10 : 150, Log);
            (*P)->SetParent(Form);
        }
        MouseMoveAtScreen(On(Form, 5, 150));
        Log.clear();
    }
    static TPoint On(TControl* C, int X, int Y) { return C->ClientToScreen(TPoint(X, Y)); }
    TLog Take() { return std::exchange(Log, {}); }

    TDragProbe* A = nullptr;
    TDragProbe* B = nullptr;
    TLog Log;
};

TEST_F(ControlDragTest, AnAutomaticDragBeginsBeforeThePressAndEndsInADropOrACancel)
{
    A->SetDragMode(dmAutomatic);
    B->Accepts = true;
    MouseDownAtScreen(On(A, 20, 20));
    MouseMoveAtScreen(On(B, 5, 6));
    EXPECT_EQ(Screen->GetCursor(), crDrag);
    MouseUpAtScreen(On(B, 7, 8));
    EXPECT_FALSE(A->Dragging());
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    // The moves are the drag's; A still hears its release, after the drop.
    EXPECT_EQ(Take(), (TLog{"A move 20,20", "A enter 20,20", "A down dragging", "A leave 145,6", "B enter 5,6",
                            "B over 7,8", "B drop 7,8", "A up"}));
    EXPECT_EQ(B->DropSource, A);

    // Nothing takes it: canceled.
    B->Accepts = false;
    MouseDownAtScreen(On(A, 20, 20));
    MouseMoveAtScreen(On(B, 5, 5));
    EXPECT_EQ(Screen->GetCursor(), crNoDrop);
    Take();
    MouseUpAtScreen(On(B, 5, 5));
    EXPECT_EQ(Take(), (TLog{"B leave 5,5", "canceled", "A up"}));

    // Escape ends it wherever the keys go, and the moves are A's again.
    MouseDownAtScreen(On(A, 20, 20));
    PressKey(B, VK_ESCAPE);
    EXPECT_FALSE(A->Dragging());
    MouseMoveAtScreen(On(A, 30, 30));
    EXPECT_EQ(Take(),
              (TLog{"A move 20,20", "A enter 20,20", "A down dragging", "A leave 20,20", "canceled", "A move 30,30"}));
    MouseUpAtScreen(On(A, 30, 30));
}

TEST_F(ControlDragTest, AThresholdLeavesTheMovesToTheControlAndLosingTheMouseOrTheSourceCancels)
{
    A->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { A->BeginDrag(false, 10); };
    MouseDownAtScreen(On(A, 20, 20));
    MouseMoveAtScreen(On(A, 30, 30));
    EXPECT_TRUE(A->Dragging());
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    MouseMoveAtScreen(On(A, 31, 20));
    EXPECT_EQ(Take(), (TLog{"A move 20,20", "A move 30,30", "A enter 31,20"}));
    SetCapture(B->GetHandle());
    EXPECT_FALSE(A->Dragging());
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(Take(), (TLog{"A leave 31,20", "canceled"}));
    ReleaseCapture();
    MouseUpAtScreen(On(A, 31, 20));

    A->SetDragMode(dmAutomatic);
    MouseDownAtScreen(On(A, 20, 20));
    MouseMoveAtScreen(On(B, 5, 5));
    Take();
    FreeAndNil(A);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(Take(), (TLog{"B leave 5,5", "canceled"}));
    MouseUpAtScreen(On(B, 5, 5));
}

} // namespace
