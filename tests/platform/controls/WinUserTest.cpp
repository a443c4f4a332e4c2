#include "ControlFixtures.h"
#include "platform/controls/ExtCtrls.h"

namespace {

using WinUserTest = TFormTest;

TEST(WinUser, MetricsAndRectanglesAreTheClassicOnes)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Screen->GetWidth());
    TRect R;
    EXPECT_FALSE(IntersectRect(R, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_TRUE(IsRectEmpty(R));
    EXPECT_TRUE(IntersectRect(R, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(R, Rect(5, 5, 10, 10));
    EXPECT_TRUE(PtInRect(R, Point(5, 9)));
    EXPECT_FALSE(PtInRect(R, Point(10, 9)));
}

TEST(WinUser, ObjectInstancesRunOut)
{
    std::vector<WNDPROC> Taken;
    try {
        for (int I = 0; I < 100000; ++I)
            Taken.push_back(MakeObjectInstance([](TMessage& M) { M.Result = 1; }));
        FAIL() << "no limit";
    } catch (const EOutOfResources&) {
    }
    ASSERT_FALSE(Taken.empty());
    EXPECT_EQ(Taken.front()(nullptr, WM_NULL, 0, 0), 1);
    for (WNDPROC P : Taken)
        FreeObjectInstance(P);
    // A freed instance answers nothing; a new one can be made again.
    EXPECT_EQ(Taken.front()(nullptr, WM_NULL, 0, 0), 0);
    WNDPROC Again = MakeObjectInstance([](TMessage& M) { M.Result = 2; });
    EXPECT_EQ(Again(nullptr, WM_NULL, 0, 0), 2);
    FreeObjectInstance(Again);
}

TEST_F(WinUserTest, ScreenKeepsARegistryOfCursors)
{
    EXPECT_EQ(Screen->GetCursors(12345), Screen->GetCursors(crArrow));
    EXPECT_NE(Screen->GetCursors(crIBeam), Screen->GetCursors(crArrow));
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    C->SetCursor(crSizeWE);
    platform::test::MouseMove(C, 3, 3);
    EXPECT_EQ(platform::test::WindowCursor(C), crSizeWE);
}

TEST_F(WinUserTest, WindowsKnowTheirParentsAndPlaces)
{
    auto* Outer = New<TProbeControl>(Form);
    Outer->SetBounds(20, 30, 150, 100);
    Outer->SetParent(Form);
    auto* Inner = New<TProbeControl>(Form);
    Inner->SetBounds(5, 6, 50, 40);
    Inner->SetParent(Outer);
    EXPECT_EQ(GetParent(Inner->GetHandle()), Outer->GetHandle());
    EXPECT_EQ(FindControl(Inner->GetHandle()), Inner);
    TPoint P(1, 2);
    ClientToScreen(Inner->GetHandle(), &P);
    EXPECT_EQ(P, Form->ClientToScreen(TPoint(26, 38)));
    ScreenToClient(Outer->GetHandle(), &P);
    EXPECT_EQ(P, TPoint(6, 8));
    TRect R;
    GetClientRect(Inner->GetHandle(), &R);
    EXPECT_EQ(R, Rect(0, 0, 50, 40));
    EXPECT_TRUE(IsWindowVisible(Inner->GetHandle()));
    Outer->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(Inner->GetHandle()));
    EXPECT_FALSE(Inner->GetShowing());
    EXPECT_TRUE(Inner->GetVisible());
    SetWindowPos(Inner->GetHandle(), nullptr, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Inner->GetBoundsRect(), Bounds(7, 8, 50, 40));
}

} // namespace

namespace {

using RecreateTest = TFormTest;

TEST_F(RecreateTest, NewCreateParamsApplyToTheSameWindowAndItsHooks)
{
    auto* P = New<TPanel>(Form);
    P->SetBounds(0, 0, 100, 40);
    P->SetParent(Form);
    const HWND Wnd = P->GetHandle();
    std::vector<int> Sizes;
    WNDPROC Previous = nullptr;
    WNDPROC Proc = MakeObjectInstance([&](TMessage& M) {
        if (M.Msg == WM_SIZE) Sizes.push_back(M.LParamLo());
        M.Result = CallWindowProcA(Previous, Wnd, M.Msg, M.WParam, M.LParam);
    });
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    P->SetBorderStyle(bsSingle);
    EXPECT_EQ(P->GetHandle(), Wnd);
    EXPECT_TRUE(GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(P->GetClientWidth(), 96);
    EXPECT_EQ(Sizes, (std::vector<int>{96}));
    P->SetWidth(120);
    EXPECT_EQ(Sizes, (std::vector<int>{96, 116}));
    SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Proc);
}

TEST_F(RecreateTest, DisabledControlsLoseTheFocusAndTheMouse)
{
    auto* A = New<TProbeControl>(Form);
    A->SetParent(Form);
    auto* G = New<TProbeGraphic>(Form);
    G->SetBounds(0, 60, 20, 20);
    G->SetParent(Form);
    platform::test::ActivateWindow(Form);
    A->SetFocus();
    platform::test::ProcessEvents();
    ASSERT_TRUE(A->Focused());
    A->SetEnabled(false);
    EXPECT_FALSE(A->Focused());
    EXPECT_EQ(Form->GetActiveControl(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(A->GetHandle()));
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);

    G->SetEnabled(false);
    int FormDowns = 0;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++FormDowns; };
    platform::test::Click(Form, 5, 65);
    // Mouse enter still reaches it (hints show over disabled controls); presses do not.
    EXPECT_EQ(G->Log, (std::vector<std::string>{"Enter"}));
    EXPECT_EQ(FormDowns, 1); // the parent takes what a disabled graphic control does not
}

} // namespace

namespace {

// Records the WM_SHOWWINDOW messages that reach it, with their WParam.
class TShowRecorder : public TProbeControl {
public:
    using TProbeControl::TProbeControl;
    std::vector<WPARAM> Shows;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_SHOWWINDOW) Shows.push_back(Message.WParam);
        TProbeControl::WndProc(Message);
    }
};

TEST_F(WinUserTest, AWindowHearsThatItselfIsShownOrHidden)
{
    auto* Panel = New<TPanel>(Form);
    Panel->SetParent(Form);
    auto* C = New<TShowRecorder>(Panel);
    C->SetParent(Panel);
    platform::test::ProcessEvents();
    EXPECT_EQ(C->Shows, std::vector<WPARAM>{1});
    C->SetVisible(false);
    ShowWindow(C->GetHandle(), SW_SHOWNOACTIVATE);
    ShowWindow(C->GetHandle(), SW_HIDE);
    EXPECT_EQ(C->Shows, (std::vector<WPARAM>{1, 0, 1, 0}));
    // Hiding the window around it is not its own hiding.
    ShowWindow(C->GetHandle(), SW_SHOWNOACTIVATE);
    Panel->SetVisible(false);
    Panel->SetVisible(true);
    EXPECT_EQ(C->Shows, (std::vector<WPARAM>{1, 0, 1, 0, 1}));
}

} // namespace
