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

    TProbeControl* Watch(const std::string& Name, int Left, int Top, TWinControl* Parent = nullptr)
    {
        auto* C = New<TProbeControl>(Form);
        C->SetBounds(Left, Top, 100, 50);
        C->SetParent(Parent ? Parent : Form);
        Hook(C, Name);
        return C;
    }
    void Hook(TControl* C, const std::string& Name)
    {
        auto At = [this, Name](const char* What, int X, int Y) {
            Log.push_back(Name + " " + What + " " + std::to_string(X) + "," + std::to_string(Y));
        };
        C->OnMouseMove = [At](TObject*, TShiftState, int X, int Y) { At("move", X, Y); };
        C->OnMouseDown = [At](TObject*, TMouseButton, TShiftState, int X, int Y) { At("down", X, Y); };
        C->OnMouseUp = [At](TObject*, TMouseButton, TShiftState, int X, int Y) { At("up", X, Y); };
        C->OnMouseEnter = [this, Name](TObject*) { Log.push_back(Name + " enter"); };
        C->OnMouseLeave = [this, Name](TObject*) { Log.push_back(Name + " leave"); };
        C->OnMouseWheel = [this, Name](TObject*, TShiftState, int, TPoint, bool& Handled) {
            Log.push_back(Name + " wheel");
            Handled = true;
        };
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
    // What was taken of the buttons and the wheel, without the pointer's tracking.
    std::vector<std::string> TakePresses()
    {
        std::vector<std::string> Presses;
        for (const std::string& Line : Take())
            if (Line.find(" down") != std::string::npos || Line.find(" up") != std::string::npos ||
                Line.find(" wheel") != std::string::npos)
                Presses.push_back(Line);
        return Presses;
    }

    TProbeControl* A = nullptr;
    TProbeControl* B = nullptr;
    std::vector<std::string> Log;
};

using Lines = std::vector<std::string>;

// A top-level window the form owns, as a drop-down is.
class TProbePopup : public TProbeControl {
public:
    using TProbeControl::TProbeControl;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TProbeControl::CreateParams(Params);
        Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    }
};

// The cancel-mode and capture messages among those that reached a window.
std::vector<UINT> CaptureMessages(const TProbeControl* C)
{
    std::vector<UINT> Found;
    for (UINT Msg : C->Messages)
        if (Msg == WM_CANCELMODE || Msg == WM_CAPTURECHANGED) Found.push_back(Msg);
    return Found;
}

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

TEST_F(MouseCaptureTest, ADisabledWindowsMouseGoesToTheNearestEnabledWindowAbove)
{
    Hook(Form, "F");
    auto* Inner = Watch("I", 10, 10, A);
    Inner->SetBounds(10, 10, 40, 20);
    auto* Edit = NewWrappedLineEdit(Form);
    Edit->SetParent(A);
    Edit->SetBounds(55, 10, 40, 20);
    Edit->SetEnabled(false);
    Inner->SetEnabled(false);
    ActivateWindow(Form);
    B->SetFocus();
    ProcessEvents();
    Take();

    // The pointer still enters a disabled window (hints show over it); its
    // moves, presses and wheel go to its parent, in the parent's coordinates.
    MoveTo(Inner, 5, 5);
    EXPECT_EQ(Take(), (Lines{"F leave", "I enter", "A move 15,15"}));
    MouseDownAtScreen(On(Inner, 5, 5));
    EXPECT_NE(GetCapture(), Inner->GetHandle());
    MouseUpAtScreen(On(Inner, 5, 5));
    MouseWheel(Inner, 5, 5, WHEEL_DELTA);
    ClickAtScreen(On(Edit, 5, 5));
    MouseWheel(Edit, 5, 5, -WHEEL_DELTA);
    EXPECT_EQ(TakePresses(), (Lines{"A down 15,15", "A up 15,15", "A wheel", "A down 60,15", "A up 60,15", "A wheel"}));
    EXPECT_TRUE(B->Focused());

    // An enabled window inside a disabled one: the window above both takes it.
    Inner->SetEnabled(true);
    Edit->SetEnabled(true);
    A->SetEnabled(false);
    ClickAtScreen(On(Inner, 5, 5));
    MouseWheel(Inner, 5, 5, WHEEL_DELTA);
    ClickAtScreen(On(Edit, 5, 5));
    EXPECT_EQ(TakePresses(), (Lines{"F down 25,25", "F up 25,25", "F wheel", "F down 70,25", "F up 70,25"}));
    EXPECT_TRUE(B->Focused());

    // In a disabled form nothing takes it.
    A->SetEnabled(true);
    Form->SetEnabled(false);
    ClickAtScreen(On(Inner, 5, 5));
    ClickAtScreen(On(B, 5, 5));
    MouseWheel(B, 5, 5, WHEEL_DELTA);
    EXPECT_EQ(TakePresses(), Lines{});
    Form->SetEnabled(true);
    ClickAtScreen(On(Inner, 5, 5));
    EXPECT_EQ(TakePresses(), (Lines{"I down 5,5", "I up 5,5"}));
}

TEST_F(MouseCaptureTest, AnOwnedPopupIsItsOwnTopLevelWindow)
{
    auto* Popup = New<TProbePopup>(Form);
    Popup->SetParentWindow(Form->GetHandle());
    const TPoint At = On(B, 0, 60);
    Popup->SetBounds(At.X, At.Y, 60, 30);
    Hook(Popup, "P");
    auto* Edit = NewWrappedLineEdit(Form);
    Edit->SetParent(Popup);
    Edit->SetBounds(30, 5, 25, 20);
    Edit->SetText("Text");
    ShowWindow(Popup->GetHandle(), SW_SHOWNOACTIVATE);
    ProcessEvents();
    TBitmap Enabled, Disabled;
    GrabWindow(Popup, &Enabled);
    Form->SetEnabled(false);
    ClickAtScreen(On(Popup, 5, 5));
    ClickAtScreen(On(B, 5, 5));
    EXPECT_EQ(TakePresses(), (Lines{"P down 5,5", "P up 5,5"}));
    // Its Qt widgets are not disabled with its owner either.
    GrabWindow(Popup, &Disabled);
    int Differ = 0;
    for (int Y = 0; Y < Enabled.GetHeight(); ++Y)
        for (int X = 0; X < Enabled.GetWidth(); ++X)
            Differ += Enabled.GetCanvas()->GetPixels(X, Y) != Disabled.GetCanvas()->GetPixels(X, Y);
    EXPECT_EQ(Differ, 0);
    Form->SetEnabled(true);
}

TEST_F(MouseCaptureTest, AWindowHiddenOrDisabledOnItsPressLetsTheNextClickCount)
{
    for (const bool Hide : {true, false}) {
        SCOPED_TRACE(Hide ? "hidden" : "disabled");
        A->OnMouseDown = [this, Hide](TObject*, TMouseButton, TShiftState, int, int) {
            Log.push_back("A down");
            if (Hide)
                A->Hide();
            else
                A->SetEnabled(false);
        };
        A->Messages.clear();
        ClickAtScreen(On(A, 5, 5));
        EXPECT_EQ(GetCapture(), nullptr);
        // A disabled window hears first that its mode is cancelled.
        const std::vector<UINT> Heard =
            Hide ? std::vector<UINT>{WM_CAPTURECHANGED} : std::vector<UINT>{WM_CANCELMODE, WM_CAPTURECHANGED};
        EXPECT_EQ(CaptureMessages(A), Heard);
        EXPECT_EQ(TakePresses(), Lines{"A down"});
        ClickAtScreen(On(B, 10, 20));
        ClickAtScreen(On(B, 12, 20));
        EXPECT_EQ(TakePresses(), (Lines{"B down 10,20", "B up 10,20", "B down 12,20", "B up 12,20"}));
        A->Show();
        A->SetEnabled(true);
    }
}

TEST_F(MouseCaptureTest, AWindowLosesTheCaptureWhenItsParentIsHiddenOrDisabled)
{
    auto* Inner = Watch("I", 10, 10, A);
    for (const bool Hide : {true, false}) {
        SCOPED_TRACE(Hide ? "hidden" : "disabled");
        SetCapture(Inner->GetHandle());
        Inner->Messages.clear();
        if (Hide)
            A->Hide();
        else
            A->SetEnabled(false);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(CaptureMessages(Inner), std::vector<UINT>{WM_CAPTURECHANGED});
        A->Show();
        A->SetEnabled(true);
    }
    // A window that is hidden already may still take the mouse (a hidden drag does).
    A->Hide();
    SetCapture(Inner->GetHandle());
    EXPECT_EQ(GetCapture(), Inner->GetHandle());
    ReleaseCapture();
}

} // namespace
