#include "grid/shared/GxButtonEdit.h"
#include "platform/controls/Clipbrd.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UserInteraction.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <vector>

namespace {

using namespace GxButtonEdit;
using namespace platform::test;

class GxButtonEditTest : public TFormTest {
protected:
    template <class T> T* Make(int Left = 10, int Top = 10)
    {
        auto* E = New<T>(Form);
        E->SetParent(Form);
        E->SetLeft(Left);
        E->SetTop(Top);
        Other = New<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetTop(150);
        ProcessEvents();
        return E;
    }
    // A popup edit counting its close-ups and picks.
    TGxPopupEdit* MakePopupEdit()
    {
        auto* E = Make<TGxPopupEdit>();
        E->OnCloseUp = [this](TObject*) { ++CloseUps; };
        E->OnSelect = [this](TObject*) { ++Selects; };
        E->GetPopupControl()->SetBounds(0, 0, 121, 60);
        return E;
    }
    static bool Open(TGxPopupEdit* E) { return E->GetDroppedDown() && E->GetPopupControl()->GetVisible(); }
    static int RightMargin(TGxCustomEdit* E) { return HIWORD(SendMessageA(E->GetHandle(), EM_GETMARGINS, 0, 0)); }

    TEdit* Other = nullptr;
    int CloseUps = 0;
    int Selects = 0;
};

TEST_F(GxButtonEditTest, TheButtonSitsAtTheRightEdgeAndTheTextKeepsTwoButtonWidthsClear)
{
    auto* E = Make<TGxButtonEdit>();
    E->SetBorderStyle(bsNone);
    E->SetWidth(121);
    ProcessEvents();
    TGxSmallButton* B = E->GetButton();
    EXPECT_TRUE(B->GetVisible());
    EXPECT_EQ(B->GetLeft(), 100);
    EXPECT_EQ(B->GetLeft() + B->GetWidth(), 121);
    EXPECT_EQ(B->GetHeight(), E->GetClientHeight());
    EXPECT_EQ(121 - RightMargin(E), 79);

    E->SetButtonWidth(30);
    ProcessEvents();
    EXPECT_EQ(B->GetLeft(), 91);
    EXPECT_EQ(B->GetWidth(), 30);
    EXPECT_EQ(RightMargin(E), 60);
}

TEST_F(GxButtonEditTest, TheButtonShowsItsGlyphCentredWithoutItsTransparentColourAndItsCaption)
{
    auto* E = Make<TGxButtonEdit>();
    auto Glyph = SquareGlyph(8, clLime, clRed);
    E->SetButtonGlyph(Glyph.get());
    E->SetTransparentColor(clLime);
    ProcessEvents();
    TGxSmallButton* B = E->GetButton();
    const int X = B->GetWidth() / 2 - 4, Y = B->GetHeight() / 2 - 4;
    EXPECT_EQ(PixelAt(B, X + 4, Y + 4), clRed);
    // The glyph's ground is left out: the face shows there.
    EXPECT_NE(PixelAt(B, X, Y), clLime);

    E->SetButtonGlyph(nullptr);
    E->SetButtonCaption(u"...");
    E->GetButton()->GetFont()->SetColor(clBlue);
    E->GetButton()->Invalidate();
    int Blue = 0;
    for (int Py = 0; Py < B->GetHeight(); ++Py)
        for (int Px = 0; Px < B->GetWidth(); ++Px)
            if (Near(PixelAt(B, Px, Py), clBlue, 90)) ++Blue;
    EXPECT_GT(Blue, 0);
    EXPECT_EQ(E->GetButton()->GetCaption(), u"...");
}

TEST_F(GxButtonEditTest, AClickOnTheButtonFiresOnButtonClickOnceAndFocusesTheEdit)
{
    auto* E = Make<TGxButtonEdit>();
    std::vector<TObject*> Senders;
    E->OnButtonClick = [&](TObject* Sender) { Senders.push_back(Sender); };
    Other->SetFocus();
    Click(E->GetButton(), 5, 5);
    EXPECT_EQ(Senders, std::vector<TObject*>{E});
    EXPECT_TRUE(E->Focused());
    EXPECT_FALSE(E->GetButton()->GetDown());
}

TEST_F(GxButtonEditTest, WithTypingDisabledKeysChangeNothingButAPickStillApplies)
{
    auto* E = MakePopupEdit();
    E->SetOptions({epDisableTyping});
    E->SetText("abc");
    E->SetFocus();
    E->SetSelStart(2);
    TypeText(E, "xy");
    PressKey(E, VK_BACK);
    PressKey(E, VK_DELETE);
    EXPECT_EQ(E->GetText(), "abc");

    E->SetDroppedDown(true);
    E->GetPopupControl()->OnInput(E->GetPopupControl(), "picked");
    EXPECT_EQ(E->GetText(), "picked");

    E->SetOptions({});
    E->SetSelStart(6);
    PressKey(E, VK_BACK);
    EXPECT_EQ(E->GetText(), "picke");
}

TEST_F(GxButtonEditTest, WithPastingDisabledAPasteChangesNothing)
{
    auto* E = Make<TGxButtonEdit>();
    Clipboard()->SetAsText("pasted");
    E->SetOptions({epDisablePaste});
    E->SetFocus();
    E->PasteFromClipboard();
    PressKey(E, 'V', {ssCtrl});
    EXPECT_EQ(E->GetText(), "");
    E->SetOptions({});
    E->PasteFromClipboard();
    EXPECT_EQ(E->GetText(), "pasted");
}

TEST_F(GxButtonEditTest, ThePictureEditTakesTheChosenFileAndKeepsItsTextWhenCancelled)
{
    auto* E = Make<TGxImagePathEdit>();
    TScriptedInteraction Script;
    Script.FileDialogAnswers = {"/tmp/a.bmp", ""};
    int Clicks = 0;
    E->OnButtonClick = [&](TObject*) { ++Clicks; };
    Click(E->GetButton(), 5, 5);
    EXPECT_EQ(E->GetText(), "/tmp/a.bmp");
    Click(E->GetButton(), 5, 5);
    EXPECT_EQ(E->GetText(), "/tmp/a.bmp");
    EXPECT_EQ(Clicks, 2);
    ASSERT_EQ(Script.FileDialogs.size(), 2u);
    EXPECT_FALSE(Script.FileDialogs[0].Save);
    EXPECT_NE(Script.FileDialogs[0].Filter.find("*.bmp"), AnsiString::npos);
}

TEST_F(GxButtonEditTest, APressOnTheArrowOpensThePopupBelowTheEditAndItsReleaseIsSwallowed)
{
    auto* E = MakePopupEdit();
    TGxSmallButton* B = E->GetButton();
    const TPoint At = B->ClientToScreen(TPoint(5, 5));
    MouseDownAtScreen(At);
    ASSERT_TRUE(Open(E));
    EXPECT_TRUE(B->GetDown());
    EXPECT_TRUE(E->Focused());
    TRect R;
    GetWindowRect(E->GetPopupControl()->GetHandle(), &R);
    const TPoint Expected = E->ClientToScreen(TPoint(-1, E->GetClientHeight()));
    EXPECT_EQ(R.Left, Expected.X);
    EXPECT_EQ(R.Top, Expected.Y);
    EXPECT_EQ(R.Width(), E->GetWidth());
    MouseUpAtScreen(At);
    EXPECT_TRUE(Open(E));
    EXPECT_TRUE(E->GetPopupControl()->GetArmed());
    EXPECT_EQ(CloseUps, 0);

    // The next click outside closes it, once.
    ClickAtScreen(Form->ClientToScreen(TPoint(250, 120)));
    EXPECT_FALSE(Open(E));
    EXPECT_FALSE(B->GetDown());
    EXPECT_EQ(CloseUps, 1);
}

TEST_F(GxButtonEditTest, APickSelectsAppliesAndClosesOnce)
{
    auto* E = MakePopupEdit();
    std::vector<std::string> Log;
    E->OnSelect = [&](TObject*) { Log.push_back("select " + E->GetText()); };
    E->OnCloseUp = [&](TObject*) { Log.push_back("closeup " + E->GetText()); };
    E->SetFocus();
    E->SetDroppedDown(true);
    E->SetDroppedDown(true);
    TGxPopupControl* Popup = E->GetPopupControl();
    Popup->OnInput(Popup, "value");
    EXPECT_FALSE(Open(E));
    EXPECT_TRUE(Popup->GetClosed());
    EXPECT_EQ(Log, (std::vector<std::string>{"select ", "closeup value"}));
    EXPECT_FALSE(E->GetButton()->GetDown());
    EXPECT_FALSE(E->GetButton()->GetHover());
}

TEST_F(GxButtonEditTest, KeysOpenAndCloseTheDropDown)
{
    auto* E = MakePopupEdit();
    E->SetText("kept");
    E->SetFocus();
    PressKey(E, VK_DOWN, {ssAlt});
    EXPECT_TRUE(Open(E));
    PressKey(E, VK_UP, {ssAlt});
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(CloseUps, 1);

    PressKey(E, VK_DOWN, {ssAlt});
    PressKey(E, VK_RETURN);
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(E->GetText(), "kept");

    PressKey(E, VK_UP, {ssAlt});
    ASSERT_TRUE(Open(E));
    PressKey(E, VK_ESCAPE, {}, u"\x1b");
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(CloseUps, 3);
    EXPECT_EQ(Selects, 0);
}

TEST_F(GxButtonEditTest, FocusLossAndHidingCloseTheDropDown)
{
    auto* E = MakePopupEdit();
    E->SetFocus();
    E->SetDroppedDown(true);
    Other->SetFocus();
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(CloseUps, 1);

    E->SetFocus();
    E->SetDroppedDown(true);
    E->SetVisible(false);
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(CloseUps, 2);

    // Hidden through its window, as the grid parks an editor.
    E->SetVisible(true);
    E->SetFocus();
    E->SetDroppedDown(true);
    ShowWindow(E->GetHandle(), SW_HIDE);
    EXPECT_FALSE(Open(E));
    EXPECT_EQ(CloseUps, 3);
}

TEST_F(GxButtonEditTest, TheListStyleOpensOnAnyPressAndPaintsItsHighlightWhileFocused)
{
    auto* E = MakePopupEdit();
    E->SetText("item");
    E->SetStyle(dsDropDownList);
    EXPECT_TRUE(E->GetReadOnly());
    EXPECT_FALSE(E->GetDefaultDrawing());
    const TPoint Inside(30, E->GetClientHeight() - 3);
    Other->SetFocus();
    EXPECT_EQ(PixelAt(E, Inside.X, Inside.Y), ColorToRGB(clWindow));

    MouseMove(E, 30, 5);
    EXPECT_EQ(WindowCursor(E), crArrow);
    ClickAtScreen(E->ClientToScreen(TPoint(60, 5)));
    EXPECT_TRUE(E->Focused());
    EXPECT_TRUE(Open(E));
    EXPECT_EQ(PixelAt(E, Inside.X, Inside.Y), ColorToRGB(clHighlight));
    E->SetDroppedDown(false);

    // Without the highlight in a grid cell.
    E->SetInplaceEditor(true);
    E->Invalidate();
    EXPECT_EQ(PixelAt(E, Inside.X, Inside.Y), ColorToRGB(clWindow));
    E->SetInplaceEditor(false);

    // A press on the info area opens it too.
    E->SetShowPreview(true);
    ProcessEvents();
    ClickAtScreen(E->GetEditInfo()->ClientToScreen(TPoint(5, 5)));
    EXPECT_TRUE(Open(E));
    E->SetDroppedDown(false);

    E->SetStyle(dsDropDown);
    EXPECT_FALSE(E->GetReadOnly());
    MouseMove(E, 60, 6);
    EXPECT_EQ(WindowCursor(E), crIBeam);
}

TEST_F(GxButtonEditTest, TheListStyleHidesTheFocusRectangleOnRequest)
{
    auto* E = MakePopupEdit();
    E->SetStyle(dsDropDownList);
    E->SetFocus();
    auto Corners = [&] {
        // The dotted frame runs along the fill's edge.
        int Changed = 0;
        for (int X = 0; X < 20; ++X)
            if (PixelAt(E, X, 0) != ColorToRGB(clHighlight)) ++Changed;
        return Changed;
    };
    EXPECT_GT(Corners(), 0);
    E->SetHideFocus(true);
    EXPECT_EQ(Corners(), 0);
}

} // namespace
