#include "ControlFixtures.h"
#include "platform/controls/ExtCtrls.h"

namespace {

using InputTest = TFormTest;

TProbeControl* Probe(TWinControl* Parent, int Left, int Top)
{
    auto* C = New<TProbeControl>(Parent);
    C->SetBounds(Left, Top, 100, 50);
    C->SetParent(Parent);
    return C;
}

TEST_F(InputTest, KeysArriveAsVirtualKeysAndCharactersAsWideChars)
{
    auto* C = Probe(Form, 0, 0);
    C->DlgCode = DLGC_WANTARROWS; // else the form takes the arrows to move the focus
    platform::test::PressKey(C, 'A', {ssShift}, u"A");
    platform::test::TypeText(C, "\xC3\xA9"); // é: one UTF-16 unit, more than one byte
    platform::test::PressKey(C, VK_LEFT);
    std::vector<std::string> Keys;
    for (const auto& L : C->Log)
        if (L.rfind("Key", 0) == 0) Keys.push_back(L);
    EXPECT_EQ(Keys, (std::vector<std::string>{"KeyDown 65 shift", "KeyPress 65", "KeyUp 65", "KeyPress 233",
                                              "KeyDown 37", "KeyUp 37"}));
}

TEST_F(InputTest, EventsSeeTheKeysAndMayChangeThem)
{
    auto* C = Probe(Form, 0, 0);
    std::vector<std::string> Log;
    C->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Log.push_back("down " + std::to_string(Key)); };
    C->OnKeyPress = [&](TObject*, WideChar& Key) {
        Log.push_back("press " + std::to_string(int(Key)));
        Key = u'x';
    };
    Form->SetKeyPreview(true);
    Form->OnKeyPress = [&](TObject*, WideChar& Key) { Log.push_back("form " + std::to_string(int(Key))); };
    platform::test::PressKey(C, 'Q', {}, u"q");
    // The form previews the key first; the control then sees it.
    EXPECT_EQ(Log, (std::vector<std::string>{"down 81", "form 113", "press 113"}));
    Form->SetKeyPreview(false);
}

TEST_F(InputTest, TabMovesTheFocusInTabOrderUnlessTheControlWantsTabs)
{
    auto* A = Probe(Form, 0, 0);
    auto* B = Probe(Form, 0, 60);
    auto* C = Probe(Form, 0, 120);
    C->SetTabOrder(0); // C, A, B
    auto* Off = Probe(Form, 150, 0);
    Off->SetTabStop(false);
    std::vector<std::string> Focus;
    for (auto [Control, Name] : {std::pair{A, "A"}, std::pair{B, "B"}, std::pair{C, "C"}}) {
        Control->OnEnter = [&Focus, Name](TObject*) { Focus.push_back(std::string(Name) + " enter"); };
        Control->OnExit = [&Focus, Name](TObject*) { Focus.push_back(std::string(Name) + " exit"); };
    }
    platform::test::ActivateWindow(Form);
    A->SetFocus();
    platform::test::ProcessEvents();
    ASSERT_TRUE(A->Focused());

    platform::test::PressKey(A, VK_TAB);
    EXPECT_TRUE(B->Focused());
    platform::test::PressKey(B, VK_TAB);
    EXPECT_TRUE(C->Focused());
    platform::test::PressKey(C, VK_TAB, {ssShift});
    EXPECT_TRUE(B->Focused());
    EXPECT_EQ(Form->GetActiveControl(), B);
    EXPECT_EQ(Focus,
              (std::vector<std::string>{"A enter", "A exit", "B enter", "B exit", "C enter", "C exit", "B enter"}));
    // An arrow the control does not want moves the focus among its siblings,
    // tab stops or not.
    platform::test::PressKey(B, VK_DOWN);
    EXPECT_TRUE(Off->Focused());
    platform::test::PressKey(Off, VK_TAB);
    EXPECT_TRUE(C->Focused());
    platform::test::PressKey(C, VK_TAB);
    EXPECT_TRUE(A->Focused());
    platform::test::PressKey(A, VK_TAB);
    EXPECT_TRUE(B->Focused());

    // A control that answers DLGC_WANTTAB gets the Tab key itself.
    B->DlgCode = DLGC_WANTTAB;
    platform::test::PressKey(B, VK_TAB);
    EXPECT_TRUE(B->Focused());
    EXPECT_NE(std::find(B->Log.begin(), B->Log.end(), "KeyDown 9"), B->Log.end());
}

TEST_F(InputTest, FocusingAHiddenControlFails)
{
    auto* A = Probe(Form, 0, 0);
    A->SetVisible(false);
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);
    TForm* Hidden = New<TForm>(Application);
    auto* B = Probe(Hidden, 0, 0);
    EXPECT_THROW(B->SetFocus(), EInvalidOperation);
    Free(Hidden);
}

TEST_F(InputTest, MouseMessagesGoToTheGraphicChildUnderTheMouse)
{
    auto* Parent = Probe(Form, 10, 10);
    auto* G = New<TProbeGraphic>(Form);
    G->SetBounds(30, 20, 20, 20);
    G->SetParent(Parent);
    std::vector<std::string> ParentLog;
    Parent->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        ParentLog.push_back(std::to_string(X) + "," + std::to_string(Y));
    };
    platform::test::MouseMove(Parent, 5, 5);
    platform::test::MouseMove(Parent, 35, 25);
    platform::test::Click(Parent, 35, 25);
    platform::test::MouseMove(Parent, 5, 5);
    EXPECT_EQ(G->Log, (std::vector<std::string>{"Enter", "Down 5,5", "Click", "Leave"}));
    EXPECT_TRUE(ParentLog.empty());
    platform::test::Click(Parent, 5, 5);
    EXPECT_EQ(ParentLog, (std::vector<std::string>{"5,5"}));
}

TEST_F(InputTest, ClickNeedsTheReleaseInsideAndTheMouseStaysCaptured)
{
    auto* C = Probe(Form, 0, 0);
    auto* Other = Probe(Form, 0, 100);
    int Clicks = 0, OtherMoves = 0;
    std::vector<std::string> Ups;
    C->OnClick = [&](TObject*) { ++Clicks; };
    C->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        Ups.push_back(std::to_string(X) + "," + std::to_string(Y));
    };
    Other->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++OtherMoves; };
    platform::test::Click(C, 10, 10);
    EXPECT_EQ(Clicks, 1);

    platform::test::MouseDown(C, 10, 10);
    EXPECT_TRUE(C->GetMouseCapture());
    platform::test::MouseMove(Other, 10, 10); // over another window: still ours
    platform::test::MouseUp(Other, 10, 10);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(OtherMoves, 0);
    EXPECT_EQ(Ups.back(), "10,110");
    EXPECT_FALSE(C->GetMouseCapture());
}

TEST_F(InputTest, DoubleClickFiresDblClickAndADoubleMouseDown)
{
    auto* C = Probe(Form, 0, 0);
    std::vector<std::string> Log;
    C->OnClick = [&](TObject*) { Log.push_back("click"); };
    C->OnDblClick = [&](TObject*) { Log.push_back("dblclick"); };
    C->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) {
        Log.push_back(Shift.Contains(ssDouble) ? "down double" : "down");
    };
    platform::test::DoubleClick(C, 5, 5);
    EXPECT_EQ(Log, (std::vector<std::string>{"down", "click", "dblclick", "down double"}));
}

TEST_F(InputTest, TheCursorIsThatOfTheControlUnderTheMouse)
{
    auto* C = Probe(Form, 0, 0);
    C->SetCursor(crIBeam);
    auto* G = New<TProbeGraphic>(Form);
    G->SetBounds(50, 0, 20, 20);
    G->SetParent(C);
    G->SetCursor(crHandPoint);
    platform::test::MouseMove(C, 5, 5);
    EXPECT_EQ(platform::test::WindowCursor(C), crIBeam);
    platform::test::MouseMove(C, 55, 5);
    EXPECT_EQ(platform::test::WindowCursor(C), crHandPoint);
    platform::test::MouseMove(C, 5, 5);
    EXPECT_EQ(platform::test::WindowCursor(C), crIBeam);
}

TEST_F(InputTest, ANonClientSizingSpotResizesTheForm)
{
    // A hook that claims the bottom-right corner of a panel, as a size grip does.
    Form->SetBounds(0, 0, 400, 300);
    auto* Panel = New<TPanel>(Form);
    Panel->SetParent(Form);
    Panel->SetAlign(alBottom);
    const HWND Wnd = Panel->GetHandle();
    WNDPROC Previous = nullptr;
    WNDPROC Proc = MakeObjectInstance([&](TMessage& M) {
        if (M.Msg == WM_NCHITTEST) {
            TPoint P(std::int16_t(M.LParamLo()), std::int16_t(M.LParamHi()));
            ScreenToClient(Wnd, &P);
            TRect R;
            GetClientRect(Wnd, &R);
            if (P.X >= R.Right - 15 && P.Y >= R.Bottom - 15) {
                M.Result = HTBOTTOMRIGHT;
                return;
            }
        }
        M.Result = CallWindowProcA(Previous, Wnd, M.Msg, M.WParam, M.LParam);
    });
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    const int W = Panel->GetWidth();
    const int H = Panel->GetHeight();
    platform::test::MouseMove(Panel, W - 5, H - 5);
    EXPECT_EQ(platform::test::WindowCursor(Panel), crSizeNWSE);
    platform::test::MouseDown(Panel, W - 5, H - 5);
    platform::test::MouseMove(Panel, W + 45, H + 35);
    platform::test::MouseUp(Panel, W + 45, H + 35);
    EXPECT_EQ(Form->GetWidth(), 450);
    EXPECT_EQ(Form->GetHeight(), 340);
    EXPECT_EQ(Panel->GetTop() + Panel->GetHeight(), Form->GetClientHeight());
    SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Proc);
}

TEST_F(InputTest, WheelClimbsToTheParentThatTakesIt)
{
    auto* Parent = Probe(Form, 0, 0);
    auto* Child = Probe(Parent, 0, 0);
    Child->SetBounds(0, 0, 50, 20);
    int Up = 0;
    Parent->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++Up;
        Handled = true;
    };
    platform::test::MouseWheel(Child, 5, 5, 2 * WHEEL_DELTA);
    EXPECT_EQ(Up, 2);
}

} // namespace
