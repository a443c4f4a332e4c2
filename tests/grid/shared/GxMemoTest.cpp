#include "grid/shared/GxMemo.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace {

using namespace GxMemo;
using namespace platform::test;

class GxMemoTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Edit = New<TGxMemoInplaceEdit>(Form);
        Edit->SetParent(Form);
        Edit->SetAutoSize(false);
        Edit->SetBounds(10, 10, 160, 90);
        Edit->SetColor(clYellow);
        Next = New<TEdit>(Form);
        Next->SetParent(Form);
        Next->SetBounds(10, 120, 100, 21);
        ProcessEvents();
    }
    // What the window shows, its editor included, in client coordinates.
    struct TShown {
        TBitmap Image;
        int Border;
        TColor At(int X, int Y) { return Image.GetCanvas()->GetPixels(X + Border, Y + Border); }
        // The bounding box of what is not Ground in R.
        TRect Ink(const TRect& R, TColor Ground)
        {
            TRect Box(R.Right, R.Bottom, R.Left - 1, R.Top - 1);
            for (int Y = R.Top; Y < R.Bottom; ++Y)
                for (int X = R.Left; X < R.Right; ++X)
                    if (At(X, Y) != Ground)
                        Box = TRect(std::min<LONG>(Box.Left, X), std::min<LONG>(Box.Top, Y),
                                    std::max<LONG>(Box.Right, X + 1), std::max<LONG>(Box.Bottom, Y + 1));
            return Box;
        }
    };
    std::unique_ptr<TShown> Shown(TWinControl* C)
    {
        ProcessEvents();
        auto S = std::make_unique<TShown>();
        GrabWindow(C, &S->Image);
        S->Border = (C->GetWidth() - C->GetClientWidth()) / 2;
        return S;
    }
    TGxMemoInplaceEdit* Edit = nullptr;
    TEdit* Next = nullptr;
};

TEST_F(GxMemoTest, ScrollBarsAreTheEditorsOwnAndRecreatingKeepsTheText)
{
    Edit->SetText("kept");
    const int W = Edit->GetClientWidth(), H = Edit->GetClientHeight();
    EXPECT_EQ(Shown(Edit)->At(W - 3, H / 2), clYellow);
    Edit->SetScrollBars(ssVertical);
    ProcessEvents();
    // The window has no bar of its own: the editor's shows inside the client area.
    EXPECT_EQ(Edit->GetClientWidth(), W);
    EXPECT_EQ(GetWindowLongA(Edit->GetHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    auto Vertical = Shown(Edit);
    EXPECT_NE(Vertical->At(W - 3, H / 2), clYellow);
    EXPECT_EQ(Vertical->At(W / 2, H - 3), clYellow);
    EXPECT_EQ(Edit->GetText(), "kept");
    Edit->SetScrollBars(ssBoth);
    ProcessEvents();
    EXPECT_NE(Shown(Edit)->At(W / 2, H - 3), clYellow);
}

TEST_F(GxMemoTest, LongLinesDoNotWrapAndLineBreaksComeBackAsTheyWent)
{
    Edit->GetFont()->SetColor(clBlack);
    Edit->SetText(AnsiString(60, 'W'));
    ProcessEvents();
    const TRect First = Shown(Edit)->Ink(Rect(0, 0, Edit->GetClientWidth(), Edit->GetClientHeight()), clYellow);
    ASSERT_GT(First.Bottom, First.Top);
    // One line only: nothing below it.
    EXPECT_LT(First.Bottom - First.Top, 2 * Edit->GetFont()->GetSize() + 6);

    const AnsiString Mixed = "one\ntwo\r\nthree\rfour\r\n";
    Edit->SetText(Mixed);
    EXPECT_EQ(Edit->GetText(), Mixed);
    Edit->SetScrollBars(ssHorizontal);
    EXPECT_EQ(Edit->GetText(), Mixed);
}

TEST_F(GxMemoTest, ReturnAndTabFollowWantReturnsAndWantTabs)
{
    std::vector<Word> Keys;
    Edit->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Keys.push_back(Key); };
    Edit->SetText("ab");
    Edit->SetFocus();
    Edit->SetSelStart(1);
    EXPECT_TRUE(Edit->GetWantReturns());
    Edit->SetWantReturns(false);
    PressKey(Edit, VK_RETURN, {}, u"\r");
    EXPECT_EQ(Edit->GetText(), "ab");
    Edit->SetWantReturns(true);
    PressKey(Edit, VK_RETURN, {}, u"\r");
    EXPECT_EQ(Edit->GetText(), "a\nb");
    EXPECT_EQ(std::count(Keys.begin(), Keys.end(), Word(VK_RETURN)), 2);

    Edit->SetWantTabs(true);
    PressKey(Edit, VK_TAB, {}, u"\t");
    EXPECT_EQ(Edit->GetText(), "a\n\tb");
    Edit->SetWantTabs(false);
    PressKey(Edit, VK_TAB, {}, u"\t");
    EXPECT_EQ(Edit->GetText(), "a\n\tb");
    EXPECT_TRUE(Next->Focused());
}

TEST_F(GxMemoTest, TheMemoKeepsItsMarginsAndAddsLines)
{
    auto* Memo = New<TGxMemo>(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(180, 10, 100, 80);
    Memo->SetColor(clYellow);
    Memo->GetFont()->SetColor(clBlack);
    Memo->SetMargin(5);
    Memo->Add(
        "\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588");
    Memo->Add("%d of %s", {2, "two"});
    ASSERT_EQ(Memo->GetLines()->GetCount(), 2);
    EXPECT_EQ(Memo->GetLines()->Get(1), "2 of two");
    ProcessEvents();
    // The blocks wrap inside the text rectangle: ink from 5 to 6 before the right edge.
    const int W = Memo->GetClientWidth();
    const TRect Box = Shown(Memo)->Ink(Rect(0, 0, W, 20), clYellow);
    EXPECT_EQ(Box.Left, 5);
    EXPECT_LE(Box.Right, W - 6);
    EXPECT_GT(Box.Right, W - 6 - 12);

    ExpectClientEdge(Memo);
}

} // namespace
