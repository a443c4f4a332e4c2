#include "grid/shared/GxCheckBox.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/testing/Pointer.h"
#include "platform/win/WinGdi.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace {

using namespace GxCheckBox;
using namespace platform::test;

class GxCheckBoxTest : public TFormTest {
protected:
    template <class T> T* Make(TWinControl* Parent, int Top, const WideString& Caption = u"Caption")
    {
        T* C = New<T>(Form);
        C->SetParent(Parent);
        C->SetBounds(10, Top, 120, 21);
        C->SetCaption(Caption);
        return C;
    }
    // An edit that holds the focus, a check box and a radio button.
    void MakeEditAndBoxes()
    {
        Edit = New<TEdit>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 100, 100, 21);
        Box = Make<TGxCheckBox>(Form, 10);
        Radio = Make<TGxRadioButton>(Form, 40);
        ActivateWindow(Form);
        Edit->SetFocus();
        ProcessEvents();
    }
    std::vector<TGxCheckControl*> Boxes() const { return {Box, Radio}; }
    // A point inside the box, on the screen.
    static TPoint InBox(TGxCheckControl* C)
    {
        const TRect R = C->GetCheckBoxRect();
        return C->ClientToScreen(TPoint(R.Left + 3, R.Top + 3));
    }
    TEdit* Edit = nullptr;
    TGxCheckBox* Box = nullptr;
    TGxRadioButton* Radio = nullptr;

    // The box as the theme draws it in State, on the window colour.
    static TColor ThemedPixel(TControl* C, int Part, int State, int X, int Y)
    {
        TBitmap B;
        B.SetSize(13, 13);
        B.GetCanvas()->GetBrush()->SetColor(clWindow);
        B.GetCanvas()->FillRect(Rect(0, 0, 13, 13));
        ThemeRect(static_cast<TWinControl*>(C)->GetHandle(), B.GetCanvas()->GetHandle(), Rect(0, 0, 13, 13), u"button",
                  Part, State);
        return B.GetCanvas()->GetPixels(X, Y);
    }
};

TEST_F(GxCheckBoxTest, ValueOperationsAndOnChangeOncePerChange)
{
    auto* Box = Make<TGxCheckBox>(Form, 10);
    int Changes = 0;
    Box->OnChange = [&](TObject*) { ++Changes; };
    Box->SetAsString(u"TRUE");
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Box->GetAsString(), u"True");
    Box->SetAsBoolean(true);
    EXPECT_EQ(Changes, 1);
    Box->SetAsString(u"yes");
    EXPECT_FALSE(Box->GetAsBoolean());
    EXPECT_EQ(Box->GetAsString(), u"False");
    Box->SetChecked(true);
    Box->Clear();
    EXPECT_FALSE(Box->GetChecked());
    EXPECT_EQ(Changes, 4);
}

TEST_F(GxCheckBoxTest, MouseTogglesInTheActiveAreaSpaceOnRelease)
{
    auto* Box = Make<TGxCheckBox>(Form, 10);
    const TRect R = Box->GetCheckBoxRect();
    const int Middle = (R.Top + R.Bottom) / 2;
    // Without the option a click on the caption does nothing.
    Click(Box, 80, Middle);
    EXPECT_FALSE(Box->GetChecked());
    MouseDown(Box, R.Left + 3, Middle);
    EXPECT_TRUE(Box->GetDown());
    MouseUp(Box, R.Left + 3, Middle);
    EXPECT_FALSE(Box->GetDown());
    EXPECT_TRUE(Box->GetChecked());
    MouseMove(Box, R.Left + 3, Middle);
    EXPECT_TRUE(Box->GetHover());
    MouseMove(Box, 80, Middle);
    EXPECT_FALSE(Box->GetHover());
    Box->SetOptions({coExpandActiveRect});
    Click(Box, 80, Middle);
    EXPECT_FALSE(Box->GetChecked());

    {
        THeldKey Space(Box, VK_SPACE);
        EXPECT_TRUE(Box->GetDown());
        EXPECT_FALSE(Box->GetChecked());
    }
    EXPECT_FALSE(Box->GetDown());
    EXPECT_TRUE(Box->GetChecked());
}

TEST_F(GxCheckBoxTest, APressFocusesTheControlBeforeItsDownMarkSoSpaceReachesIt)
{
    MakeEditAndBoxes();
    for (TGxCheckControl* C : Boxes()) {
        SCOPED_TRACE(C->ClassName());
        Edit->SetFocus();
        ProcessEvents();
        bool DownOnEnter = true;
        C->OnEnter = [&DownOnEnter, C](TObject*) { DownOnEnter = C->GetDown(); };
        ClickAtScreen(InBox(C));
        EXPECT_TRUE(C->Focused());
        EXPECT_FALSE(DownOnEnter);
        EXPECT_TRUE(C->GetChecked());
        // Space goes where the focus is, not to the edit that had it.
        PressKey(Form, VK_SPACE, {}, u" ");
        EXPECT_FALSE(C->GetChecked());
        EXPECT_EQ(Edit->GetText(), "");
    }
    // Only a form that wants them in the tab order puts them there.
    EXPECT_FALSE(Box->GetTabStop());
    EXPECT_FALSE(Radio->GetTabStop());
}

TEST_F(GxCheckBoxTest, ADisabledControlLeavesThePressToItsParentAndTheFocusWhereItWas)
{
    MakeEditAndBoxes();
    Box->SetOptions({coExpandActiveRect});
    std::vector<TPoint> FormDowns, Expected;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { FormDowns.push_back(TPoint(X, Y)); };
    for (TGxCheckControl* C : Boxes()) {
        SCOPED_TRACE(C->ClassName());
        C->SetEnabled(false);
        MouseMoveAtScreen(InBox(C));
        MouseDownAtScreen(InBox(C));
        EXPECT_FALSE(C->GetDown());
        MouseUpAtScreen(InBox(C));
        EXPECT_FALSE(C->GetChecked());
        EXPECT_TRUE(Edit->Focused());
        Expected.push_back(Form->ScreenToClient(InBox(C)));
    }
    EXPECT_EQ(FormDowns, Expected);
    PressKey(Form, VK_SPACE, {}, u" ");
    EXPECT_EQ(Edit->GetText(), " ");
    EXPECT_FALSE(Box->GetChecked());
}

TEST_F(GxCheckBoxTest, RadioButtonsClearTheirSiblingsOnly)
{
    auto* Other = New<TPanel>(Form);
    Other->SetParent(Form);
    Other->SetBounds(150, 10, 140, 40);
    TGxRadioButton* Group[3] = {Make<TGxRadioButton>(Form, 10), Make<TGxRadioButton>(Form, 40),
                                Make<TGxRadioButton>(Form, 70)};
    auto* Apart = Make<TGxRadioButton>(Other, 5);
    auto* Action = New<TAction>(Form);
    Action->SetChecked(true);
    Group[1]->SetAction(Action);
    Group[1]->SetChecked(true);
    Apart->SetChecked(true);
    Group[2]->SetChecked(true);
    EXPECT_FALSE(Group[0]->GetChecked());
    EXPECT_FALSE(Group[1]->GetChecked());
    EXPECT_FALSE(Action->GetChecked());
    EXPECT_TRUE(Apart->GetChecked());
    // A click checks, it does not clear; Space does both.
    const TRect R = Group[2]->GetCheckBoxRect();
    Click(Group[2], R.Left + 3, R.Top + 3);
    EXPECT_TRUE(Group[2]->GetChecked());
    Click(Group[0], R.Left + 3, R.Top + 3);
    EXPECT_TRUE(Group[0]->GetChecked());
    EXPECT_FALSE(Group[2]->GetChecked());
    PressKey(Group[0], VK_SPACE, {}, u" ");
    EXPECT_FALSE(Group[0]->GetChecked());
    // The control forgets an action that goes.
    Free(Action);
    EXPECT_EQ(Group[1]->GetAction(), nullptr);
}

TEST_F(GxCheckBoxTest, TheBoxPaintsEveryState)
{
    auto* Box = Make<TGxCheckBox>(Form, 10, u"");
    auto* Radio = Make<TGxRadioButton>(Form, 40, u"");
    const TRect R = Box->GetCheckBoxRect();
    EXPECT_EQ(R.Left, -1); // the client rectangle grown by one, no margin
    const int X = R.Left, Y = R.Top;
    if (!IsThemed()) {
        EXPECT_EQ(R.Right - R.Left, 11);
        EXPECT_EQ(Radio->GetCheckBoxRect().Right - Radio->GetCheckBoxRect().Left, 12);
        EXPECT_EQ(PixelAt(Box, X + 5, Y), ColorToRGB(clBtnShadow));
        EXPECT_EQ(PixelAt(Box, X + 5, Y + 5), ColorToRGB(clWindow));
        Box->SetChecked(true);
        // The mark: three rows through (2, 4), (4, 6), (9, 1).
        for (int K = 0; K < 3; ++K) {
            EXPECT_EQ(PixelAt(Box, X + 2, Y + 4 + K), ColorToRGB(clWindowText)) << K;
            EXPECT_EQ(PixelAt(Box, X + 4, Y + 6 + K), ColorToRGB(clWindowText)) << K;
        }
        EXPECT_EQ(PixelAt(Box, X + 2, Y + 7), ColorToRGB(clWindow));
        MouseDown(Box, X + 5, Y + 5);
        EXPECT_EQ(PixelAt(Box, X + 8, Y + 8), ColorToRGB(clBtnFace));
        MouseUp(Box, 100, 5);
        // The radio is the frame control's.
        TBitmap B;
        B.SetSize(12, 12);
        TRect F(0, 0, 12, 12);
        DrawFrameControl(B.GetCanvas()->GetHandle(), &F, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
        Radio->SetChecked(true);
        const TRect RR = Radio->GetCheckBoxRect();
        for (int P : {1, 5, 6})
            EXPECT_EQ(PixelAt(Radio, RR.Left + P, RR.Top + 6), B.GetCanvas()->GetPixels(P, 6)) << P;
        return;
    }
    EXPECT_EQ(R.Right - R.Left, 13);
    auto Expect = [&](TControl* C, int Part, int State) {
        const TRect B = static_cast<TGxCheckControl*>(C)->GetCheckBoxRect();
        for (int P : {1, 3, 6})
            EXPECT_EQ(PixelAt(C, B.Left + P, B.Top + P), ThemedPixel(C, Part, State, P, P)) << State << " " << P;
    };
    Expect(Box, BP_CHECKBOX, CBS_UNCHECKEDNORMAL);
    MouseMove(Box, X + 5, Y + 5);
    Expect(Box, BP_CHECKBOX, CBS_UNCHECKEDHOT);
    MouseDown(Box, X + 5, Y + 5);
    Expect(Box, BP_CHECKBOX, CBS_UNCHECKEDPRESSED);
    MouseUp(Box, X + 5, Y + 5);
    Expect(Box, BP_CHECKBOX, CBS_CHECKEDHOT);
    // Disabled shows only checked or not, whatever marks remain.
    Box->SetChecked(false);
    Box->SetEnabled(false);
    Expect(Box, BP_CHECKBOX, CBS_UNCHECKEDDISABLED);
    Box->SetChecked(true);
    Expect(Box, BP_CHECKBOX, CBS_CHECKEDDISABLED);
    Radio->SetChecked(true);
    Expect(Radio, BP_RADIOBUTTON, RBS_CHECKEDNORMAL);
}

TEST_F(GxCheckBoxTest, RightAlignmentPutsTheCaptionIndentBeforeTheBox)
{
    auto* Box = Make<TGxCheckBox>(Form, 10, u"WWWW");
    Box->GetFont()->SetColor(clRed);
    Box->SetAlignment(taRightJustify);
    Box->SetIndent(10);
    const TRect R = Box->GetCheckBoxRect();
    EXPECT_EQ(R.Right, Box->GetClientWidth() + 1);
    // The caption's ink ends within a few pixels of Indent before the box.
    int Rightmost = -1;
    for (int X = 0; X < R.Left; ++X)
        for (int Y = 0; Y < Box->GetClientHeight(); ++Y)
            if (PixelAt(Box, X, Y) != ColorToRGB(clWindow)) Rightmost = X;
    EXPECT_GE(Rightmost, R.Left - 10 - 3);
    EXPECT_LT(Rightmost, R.Left - 10);
}

TEST_F(GxCheckBoxTest, TheBorderIsTheClientEdgeAndFollowsTheStyle)
{
    auto* Box = Make<TGxCheckBox>(Form, 10);
    Box->SetColor(clYellow);
    EXPECT_EQ(Box->GetClientWidth(), 120 - 4);
    ExpectClientEdge(Box);
    Box->SetCaption(u"Kept");
    Box->SetBorderStyle(bsNone);
    EXPECT_EQ(Box->GetClientWidth(), 120);
    EXPECT_EQ(Box->GetCaption(), u"Kept");
    EXPECT_EQ(PixelAt(Box, 0, 0), clYellow);
}

} // namespace
