#include "ControlFixtures.h"
#include "platform/win/UserInteraction.h"
#include "platform/win/WindowHook.h"

#include <utility>

namespace {

class WrappedControlTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Edit = platform::test::NewWrappedLineEdit(Form);
        Edit->SetBounds(10, 10, 120, 21);
        Edit->SetParent(Form);
        Next = New<TProbeControl>(Form);
        Next->SetBounds(10, 50, 50, 20);
        Next->SetParent(Form);
    }
    TWinControl* Edit = nullptr;
    TProbeControl* Next = nullptr;
};

TEST_F(WrappedControlTest, TypedCharactersPassKeyPressBeforeTheWidgetTypesThem)
{
    std::vector<int> Seen;
    Edit->OnKeyPress = [&](TObject*, WideChar& Key) {
        Seen.push_back(Key);
        if (Key == u'b') Key = 0;    // swallowed
        if (Key == u'c') Key = u'C'; // typed as changed
    };
    platform::test::TypeText(Edit, "abcd\xC3\xA9");
    EXPECT_EQ(Edit->GetText(), "aCd\xC3\xA9");
    EXPECT_EQ(Seen, (std::vector<int>{'a', 'b', 'c', 'd', 0xE9}));

    // Keys that type nothing reach the widget when the handler lets them.
    bool EatHome = true;
    Edit->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        if (Key == VK_HOME && EatHome) Key = 0;
    };
    platform::test::PressKey(Edit, VK_HOME);
    platform::test::TypeText(Edit, "x");
    EXPECT_EQ(Edit->GetText(), "aCd\xC3\xA9x");
    EatHome = false;
    platform::test::PressKey(Edit, VK_HOME);
    platform::test::TypeText(Edit, "y");
    EXPECT_EQ(Edit->GetText(), "yaCd\xC3\xA9x");
}

TEST_F(WrappedControlTest, AHookSeesTheWidgetsInputFirst)
{
    std::vector<UINT> Chars;
    TWindowHook Hook;
    Hook.Hook(Edit->GetHandle(), [&](TMessage& M) {
        if (M.Msg == WM_CHAR) {
            Chars.push_back(UINT(M.WParam));
            if (M.WParam == '!') return; // not passed on: the widget never sees it
        }
        Hook.PassOn(M);
    });
    platform::test::TypeText(Edit, "a!b");
    EXPECT_EQ(Chars, (std::vector<UINT>{'a', '!', 'b'}));
    EXPECT_EQ(Edit->GetText(), "ab");
}

TEST_F(WrappedControlTest, AWindowProcedureThatThrowsLeavesTheWindowPaintingAndTyping)
{
    TScriptedInteraction Script;
    const HWND Wnd = Edit->GetHandle();
    int Paints = 0;
    bool FailPaint = true, FailChar = true;
    WNDPROC Previous = nullptr;
    WNDPROC Proc = MakeObjectInstance([&](TMessage& M) {
        if (M.Msg == WM_PAINT && (++Paints, std::exchange(FailPaint, false))) throw Exception("Paint");
        if (M.Msg == WM_CHAR && std::exchange(FailChar, false)) throw Exception("Char");
        M.Result = CallWindowProcA(Previous, Wnd, M.Msg, M.WParam, M.LParam);
    });
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    InvalidateRect(Wnd, nullptr, false);
    EXPECT_THROW(UpdateWindow(Wnd), Exception);
    InvalidateRect(Wnd, nullptr, false);
    UpdateWindow(Wnd);
    EXPECT_EQ(Paints, 2);

    // The first key goes to the application; the next is typed as its handler changed it.
    Edit->OnKeyPress = [](TObject*, WideChar& Key) {
        if (Key == u'b') Key = u'B';
    };
    platform::test::TypeText(Edit, "abc");
    EXPECT_EQ(Edit->GetText(), "Bc");
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Char.");
    SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Proc);
}

TEST_F(WrappedControlTest, PerformedMessagesReachTheWidget)
{
    Edit->SetText("ab");
    Edit->Perform(WM_CHAR, 'z', 0);
    EXPECT_EQ(Edit->GetText(), "abz");
    Edit->Perform(WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Edit->GetText(), "ab");
    Edit->Perform(WM_KEYDOWN, VK_HOME, 0);
    Edit->Perform(WM_CHAR, '1', 0);
    EXPECT_EQ(Edit->GetText(), "1ab");
}

TEST_F(WrappedControlTest, TextIsReadAndWrittenWithoutLoss)
{
    const AnsiString Odd = "caf\xC3\xA9 \xFF\xFE end"; // two bytes that are not UTF-8
    Edit->SetText(Odd);
    EXPECT_EQ(Edit->GetText(), Odd);
    TWinControl* Later = platform::test::NewWrappedLineEdit(Form);
    Later->SetText(Odd); // before its window exists
    Later->SetParent(Form);
    EXPECT_TRUE(Later->HandleAllocated());
    EXPECT_EQ(Later->GetText(), Odd);
}

TEST_F(WrappedControlTest, ClickingFocusesAndTabLeavesInTabOrder)
{
    std::vector<std::string> Log;
    Edit->OnEnter = [&](TObject*) { Log.push_back("enter"); };
    Edit->OnExit = [&](TObject*) { Log.push_back("exit"); };
    Edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        Log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    };
    platform::test::ActivateWindow(Form);
    Next->SetFocus();
    platform::test::ProcessEvents();
    platform::test::Click(Edit, 5, 6);
    platform::test::ProcessEvents();
    EXPECT_TRUE(Edit->Focused());
    platform::test::PressKey(Edit, VK_TAB);
    EXPECT_TRUE(Next->Focused());
    // As with a native edit: the click focuses it before OnMouseDown runs.
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "down 5,6", "exit"}));
    Edit->OnEnter = nullptr;
    Edit->OnExit = nullptr;
    Edit->OnMouseDown = nullptr;
}

} // namespace
