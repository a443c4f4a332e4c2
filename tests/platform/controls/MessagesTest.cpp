#include "ControlFixtures.h"
#include "platform/win/UserInteraction.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WindowHook.h"

namespace {

using MessagesTest = TFormTest;

// A hook installed through SetWindowLongA with an object-bound procedure.
// A hook on Wnd that logs the timer messages it sees under its name.
void LogTimers(TWindowHook& Hook, HWND Wnd, std::vector<std::string>& Log, std::string Name)
{
    Hook.Hook(Wnd, [&Hook, &Log, Name = std::move(Name)](TMessage& M) {
        if (M.Msg == WM_TIMER) Log.push_back(Name);
        Hook.PassOn(M);
    });
}

TEST_F(MessagesTest, SentMessagesPassHooksThenWndProcThenTheHandlerThenTheDefault)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    TWindowHook Hook;
    LogTimers(Hook, C->GetHandle(), C->Log, "Hook");

    SendMessageA(C->GetHandle(), WM_TIMER, 7, 0);
    EXPECT_EQ(C->Log, (std::vector<std::string>{"Hook", "WndProc", "WMTimer", "DefaultHandler"}));

    // Perform goes straight to WindowProc, past the window's hooks.
    C->Log.clear();
    C->Perform(WM_TIMER, 7, 0);
    EXPECT_EQ(C->Log, (std::vector<std::string>{"WndProc", "WMTimer", "DefaultHandler"}));

    // A replaced WindowProc sees every message first.
    C->Log.clear();
    const TWndMethod Old = C->GetWindowProc();
    C->SetWindowProc([&](TMessage& M) {
        if (M.Msg == WM_TIMER) C->Log.push_back("WindowProc");
        Old(M);
    });
    SendMessageA(C->GetHandle(), WM_TIMER, 7, 0);
    EXPECT_EQ(C->Log, (std::vector<std::string>{"Hook", "WindowProc", "WndProc", "WMTimer", "DefaultHandler"}));
    C->SetWindowProc(Old);
    Hook.Unhook();
}

TEST_F(MessagesTest, TwoChainedHooksCanBeRemovedInEitherOrder)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    const HWND Wnd = C->GetHandle();
    const LONG_PTR Own = GetWindowLongA(Wnd, GWL_WNDPROC);

    for (bool FirstGoesFirst : {true, false}) {
        C->Log.clear();
        TWindowHook A, B;
        LogTimers(A, Wnd, C->Log, "A");
        LogTimers(B, Wnd, C->Log, "B");
        SendMessageA(Wnd, WM_TIMER, 0, 0);
        EXPECT_EQ(C->Log, (std::vector<std::string>{"B", "A", "WndProc", "WMTimer", "DefaultHandler"}));

        C->Log.clear();
        (FirstGoesFirst ? A : B).Unhook();
        SendMessageA(Wnd, WM_TIMER, 0, 0);
        const std::string Left = FirstGoesFirst ? "B" : "A";
        EXPECT_EQ(C->Log, (std::vector<std::string>{Left, "WndProc", "WMTimer", "DefaultHandler"}));

        C->Log.clear();
        (FirstGoesFirst ? B : A).Unhook();
        SendMessageA(Wnd, WM_TIMER, 0, 0);
        EXPECT_EQ(C->Log, (std::vector<std::string>{"WndProc", "WMTimer", "DefaultHandler"}));
        EXPECT_EQ(GetWindowLongA(Wnd, GWL_WNDPROC), Own);
    }
}

TEST_F(MessagesTest, HookAnswersWithoutPassingOn)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    const HWND Wnd = C->GetHandle();
    TWindowHook Hook;
    Hook.Hook(Wnd, [&](TMessage& M) {
        if (M.Msg == WM_NCHITTEST)
            M.Result = HTBOTTOMRIGHT;
        else
            Hook.PassOn(M);
    });
    const TPoint P = C->ClientToScreen(TPoint(5, 5));
    EXPECT_EQ(SendMessageA(Wnd, WM_NCHITTEST, 0, MAKELONG(WORD(P.X), WORD(P.Y))), HTBOTTOMRIGHT);
    Hook.Unhook();
    EXPECT_EQ(SendMessageA(Wnd, WM_NCHITTEST, 0, MAKELONG(WORD(P.X), WORD(P.Y))), HTCLIENT);
}

TEST_F(MessagesTest, AWindowKeepsItsHooksWhenItsControlMovesToAnotherParent)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    auto* Other = New<TProbeControl>(Form);
    Other->SetBounds(100, 0, 150, 100);
    Other->SetParent(Form);
    const HWND Wnd = C->GetHandle();
    TWindowHook Hook;
    LogTimers(Hook, Wnd, C->Log, "Hook");

    C->SetParent(Other);
    EXPECT_EQ(C->GetHandle(), Wnd);
    EXPECT_EQ(GetParent(Wnd), Other->GetHandle());
    C->SetParent(nullptr);
    EXPECT_FALSE(IsWindowVisible(Wnd));
    C->SetParent(Form);
    EXPECT_EQ(GetParent(Wnd), Form->GetHandle());
    EXPECT_TRUE(IsWindowVisible(Wnd));
    C->Log.clear();
    SendMessageA(Wnd, WM_TIMER, 0, 0);
    EXPECT_EQ(C->Log.front(), "Hook");
    Hook.Unhook();
}

TEST_F(MessagesTest, AHookPaintsOverTheControlAfterItsPaint)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    C->Fill = clWhite;
    const HWND Wnd = C->GetHandle();
    WNDPROC Previous = nullptr;
    int Painted = 0;
    WNDPROC Proc = MakeObjectInstance([&](TMessage& M) {
        M.Result = CallWindowProcA(Previous, Wnd, M.Msg, M.WParam, M.LParam);
        if (M.Msg == WM_PAINT && M.WParam == 0) {
            // As a size grip does: its own drawing on top, through the window's device context.
            HDC DC = GetDC(Wnd);
            TCanvas Canvas;
            Canvas.SetHandle(DC);
            Canvas.GetBrush()->SetColor(clRed);
            Canvas.FillRect(Rect(90, 40, 100, 50));
            Canvas.SetHandle(nullptr);
            ReleaseDC(Wnd, DC);
            ++Painted;
        }
    });
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    C->Invalidate();
    EXPECT_EQ(platform::test::PixelAt(C, 95, 45), clRed);
    EXPECT_EQ(platform::test::PixelAt(C, 85, 45), clWhite);
    EXPECT_EQ(Painted, 1);
    SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Proc);
    C->Invalidate();
    EXPECT_EQ(platform::test::PixelAt(C, 95, 45), clWhite);
}

TEST_F(MessagesTest, PostedMessagesWaitForTheLoopAndAGoneWindowsHandleReachesNothing)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    PostMessageA(C->GetHandle(), WM_TIMER, 1, 0);
    EXPECT_TRUE(C->Log.empty());
    platform::test::ProcessEvents();
    EXPECT_EQ(C->Log, (std::vector<std::string>{"WndProc", "WMTimer", "DefaultHandler"}));

    // The control goes while its window still has a message queued.
    const HWND Wnd = C->GetHandle();
    PostMessageA(Wnd, WM_TIMER, 2, 0);
    Free(C);
    EXPECT_FALSE(IsWindow(Wnd));
    EXPECT_FALSE(PostMessageA(Wnd, WM_TIMER, 3, 0));
    EXPECT_EQ(SendMessageA(Wnd, WM_TIMER, 3, 0), 0);
    platform::test::ProcessEvents(); // must neither crash nor reach the freed control

    // A control of the same kind made after the old window is gone (its memory
    // free to serve the new one) gets a handle of its own; the old one reaches nothing.
    auto* Next = New<TProbeControl>(Form);
    Next->SetParent(Form);
    const HWND NextWnd = Next->GetHandle();
    EXPECT_NE(NextWnd, Wnd);
    EXPECT_FALSE(IsWindow(Wnd));
    EXPECT_FALSE(PostMessageA(Wnd, WM_TIMER, 4, 0));
    SendMessageA(Wnd, WM_TIMER, 4, 0);
    platform::test::ProcessEvents();
    EXPECT_TRUE(Next->Log.empty());
    EXPECT_FALSE(DeleteObject(NextWnd)); // a window is no GDI object
    EXPECT_TRUE(IsWindow(NextWnd));
    SendMessageA(NextWnd, WM_TIMER, 5, 0);
    EXPECT_EQ(Next->Log, (std::vector<std::string>{"WndProc", "WMTimer", "DefaultHandler"}));
}

TEST_F(MessagesTest, AControlFreedByItsOwnClickGetsNoMoreEvents)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    bool Freed = false;
    // The handler frees its own control as its last act (its closure goes with it).
    C->OnMouseDown = [&Freed](TObject* Sender, TMouseButton, TShiftState, int, int) {
        Freed = true;
        Free(Sender);
    };
    platform::test::MouseDown(Form, 10, 10);
    EXPECT_TRUE(Freed);
    EXPECT_EQ(Form->GetControlCount(), 0);
    platform::test::MouseUp(Form, 10, 10);
    platform::test::ProcessEvents();
}

TEST_F(MessagesTest, ExceptionsAtTheBridgeReachHandleException)
{
    TScriptedInteraction Script;
    Application->SetTitle("Probe");
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    C->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw EConvertError("Bad mouse"); };
    platform::test::Click(C, 5, 5);
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Bad mouse.");
    EXPECT_EQ(Script.Messages[0].Title, "Probe");

    // From a hook, and from a message posted to the window.
    WNDPROC Previous = nullptr;
    const HWND Wnd = C->GetHandle();
    WNDPROC Proc = MakeObjectInstance([&](TMessage& M) {
        if (M.Msg == WM_USER + 5) throw Exception("From the hook");
        M.Result = CallWindowProcA(Previous, Wnd, M.Msg, M.WParam, M.LParam);
    });
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    PostMessageA(Wnd, WM_USER + 5, 0, 0);
    platform::test::ProcessEvents();
    ASSERT_EQ(Script.Messages.size(), 2u);
    EXPECT_EQ(Script.Messages[1].Text, "From the hook.");
    SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Proc);
    Application->SetTitle("");
}

TEST_F(MessagesTest, TextGoesThroughWMSetTextWhole)
{
    auto* C = New<TProbeControl>(Form);
    const AnsiString Text("a\0b\xff", 4);
    C->SetText(Text);
    EXPECT_EQ(C->GetText(), Text);
    EXPECT_EQ(std::count(C->Messages.begin(), C->Messages.end(), WM_SETTEXT), 1);
    EXPECT_EQ(std::count(C->Messages.begin(), C->Messages.end(), CM_TEXTCHANGED), 1);
    C->SetText(Text); // unchanged: no message
    EXPECT_EQ(std::count(C->Messages.begin(), C->Messages.end(), WM_SETTEXT), 1);

    char Buffer[3];
    EXPECT_EQ(C->Perform(WM_GETTEXT, sizeof Buffer, reinterpret_cast<LPARAM>(Buffer)), 2);
    EXPECT_EQ(AnsiString(Buffer, 2), AnsiString("a\0", 2));
    Free(C);
}

TEST_F(MessagesTest, ParentFreesItsChildControls)
{
    struct TWatch : TComponent {
        using TComponent::TComponent;
        std::vector<TComponent*> Gone;
        void Notification(TComponent* C, TOperation Op) override
        {
            TComponent::Notification(C, Op);
            if (Op == opRemove) Gone.push_back(C);
        }
    } Watch(nullptr);
    // Owned by nobody: only the parent can free them.
    auto* Parent = New<TProbeControl>(nullptr);
    Parent->SetParent(Form);
    auto* Child = New<TProbeControl>(nullptr);
    Child->SetParent(Parent);
    auto* Graphic = New<TProbeGraphic>(nullptr);
    Graphic->SetParent(Parent);
    Child->FreeNotification(&Watch);
    Graphic->FreeNotification(&Watch);
    Free(Parent);
    EXPECT_EQ(Watch.Gone.size(), 2u);
    EXPECT_EQ(Form->GetControlCount(), 0);
}

} // namespace
