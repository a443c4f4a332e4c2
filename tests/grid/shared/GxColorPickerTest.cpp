#include "grid/shared/GxColorPicker.h"
#include "grid/shared/GxConsts.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Forms.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UserInteraction.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <vector>

namespace {

using namespace GxColorPicker;
using namespace GxPopupControl;
using namespace platform::test;

class GxColorPickerTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Application->OnException = [this](TObject*, const Exception& E) { Errors.push_back(E.Message); };
        Picker = Make(10);
        Other = New<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetTop(170);
        ProcessEvents();
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        TFormTest::TearDown();
    }
    TGxColorPicker* Make(int Top)
    {
        auto* P = New<TGxColorPicker>(Form);
        P->SetParent(Form);
        P->SetBounds(10, Top, 130, 21);
        return P;
    }
    TGxColorPopup* Popup() const { return static_cast<TGxColorPopup*>(Picker->GetPopupControl()); }
    void Open()
    {
        Picker->SetFocus();
        Picker->SetDroppedDown(true);
    }
    // The colour read from Text once typed over the whole text.
    TColor Typed(const AnsiString& Text)
    {
        Picker->SetFocus();
        Picker->SelectAll();
        PressKey(Picker, VK_DELETE);
        TypeText(Picker, Text);
        return Picker->GetSelectedColor();
    }
    TColor PreviewPixel(int X, int Y)
    {
        Picker->GetEditInfo()->Repaint();
        return PixelAt(Picker->GetEditInfo(), X, Y);
    }
    TGxColorPicker* Picker = nullptr;
    TEdit* Other = nullptr;
    std::vector<AnsiString> Errors;
};

TEST_F(GxColorPickerTest, TextsAndColoursInBothNotations)
{
    EXPECT_EQ(Picker->GetText(), "$00FFFFFF");
    EXPECT_EQ(Picker->GetSelectedColor(), clWhite);
    Picker->SetSelectedColor(clRed);
    EXPECT_EQ(Picker->GetText(), "$000000FF");
    Picker->SetWebColorFormat(true);
    EXPECT_EQ(Picker->GetText(), "#FF0000");
    Picker->SetText("#00ff00");
    EXPECT_EQ(Picker->GetSelectedColor(), clLime);
    // Short texts read as padded on the right and stay as they are.
    Picker->SetText("#FF");
    EXPECT_EQ(Picker->GetSelectedColor(), clRed);
    EXPECT_EQ(Picker->GetText(), "#FF");

    Picker->SetOptions({coAllowColorNames});
    Picker->SetText("Navy");
    EXPECT_EQ(Picker->GetSelectedColor(), clNavy);
    Picker->SetSelectedColor(clRed);
    EXPECT_EQ(Picker->GetText(), "red");
    Picker->SetWebColorFormat(false);
    EXPECT_EQ(Picker->GetText(), "clRed");
    Picker->SetText("CLBLUE");
    EXPECT_EQ(Picker->GetSelectedColor(), clBlue);
    Picker->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(Picker->GetText(), "$00123456");

    Picker->SetOptions({});
    Picker->SetText("$FF");
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0xFF000000));
    // An empty text is no colour.
    Picker->SetText("");
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);

    // A web text in the "$" notation is no colour there: the colour stays, nothing raises.
    Picker->SetSelectedColor(clGreen);
    Picker->SetFocus();
    Picker->SetText("#FF0000");
    Picker->SetAsString(u"#0000FF");
    Other->SetFocus();
    EXPECT_EQ(Picker->GetSelectedColor(), clGreen);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GxColorPickerTest, ColourNamesAreTheNotationsOwnIgnoringCase)
{
    for (const char* Name : GxConsts::DelphiColorNames)
        EXPECT_TRUE(Picker->IsValidColorName(UpperCase(Name))) << Name;
    EXPECT_FALSE(Picker->IsValidColorName("red"));
    Picker->SetWebColorFormat(true);
    for (const auto& Entry : GxConsts::WebColorNames)
        EXPECT_TRUE(Picker->IsValidColorName(UpperCase(Entry.cnColorName))) << Entry.cnColorName;
    EXPECT_FALSE(Picker->IsValidColorName("clRed"));
    // Without names allowed, a name is read as the digits in it.
    Picker->SetText("red");
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0xED)); // "#ed" padded to "#ed0000"
}

TEST_F(GxColorPickerTest, TypingTakesOnlyWhatTheNotationHolds)
{
    EXPECT_EQ(Typed("x#$00ff00ffA"), TColor(0x00FF00FF));
    EXPECT_EQ(Picker->GetText(), "$00ff00ff"); // the prefix first, hex digits, nine at most
    EXPECT_EQ(Typed("$12g$"), TColor(0x12000000));
    EXPECT_EQ(Picker->GetText(), "$12");
    Picker->SetWebColorFormat(true);
    EXPECT_EQ(Typed("$#0000ff00"), TColor(0xFF0000));
    EXPECT_EQ(Picker->GetText(), "#0000ff");
    // Backspace always works; an empty text is no colour.
    Picker->SelectAll();
    PressKey(Picker, VK_BACK);
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);
    // With names allowed every key goes in.
    Picker->SetOptions({coAllowColorNames});
    EXPECT_EQ(Typed("blue"), clBlue);
}

TEST_F(GxColorPickerTest, PasteCleansAndKeepsTheCaret)
{
    Picker->SetFocus();
    Picker->SelectAll();
    Clipboard()->SetAsText(" 12 34 zz 56 ");
    Picker->PasteFromClipboard();
    EXPECT_EQ(Picker->GetText(), "$12345600");
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x12345600));
    EXPECT_EQ(Picker->GetSelStart(), 0);
    Picker->SetSelStart(3);
    Picker->SetSelLength(2);
    Clipboard()->SetAsText("$ab");
    Picker->PasteFromClipboard();
    EXPECT_EQ(Picker->GetText(), "$12ab5600");
    EXPECT_EQ(Picker->GetSelStart(), 3);
    // Pasted "#" notation is no colour here: the colour stays.
    Picker->SelectAll();
    Clipboard()->SetAsText("#00FF00");
    Picker->PasteFromClipboard();
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x12AB5600));
    Picker->SetWebColorFormat(true);
    Picker->SelectAll();
    Picker->PasteFromClipboard();
    EXPECT_EQ(Picker->GetText(), "#00FF00");
    EXPECT_EQ(Picker->GetSelectedColor(), clLime);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GxColorPickerTest, ThePopupOpensWithThePickersSettingsAndHandsBackItsPick)
{
    Picker->SetOptions({coAllowColorNames, coNoneButton});
    Picker->SetWebColorFormat(true);
    Picker->SetSelectedColor(clRed);
    Open();
    EXPECT_EQ(Popup()->GetWidth(), 213);
    EXPECT_EQ(Popup()->GetHeight(), 151);
    EXPECT_FALSE(Popup()->GetColorsButton()->GetVisible());
    EXPECT_TRUE(Popup()->GetNoneButton()->GetVisible());

    std::vector<TColor> Over;
    Picker->OnColorOver = [&](TObject* Sender, TColor C) {
        EXPECT_EQ(Sender, Picker);
        Over.push_back(C);
    };
    const TPoint Swatch(10 * 1 + 5, 28 + 10 * 6 + 5); // pure red
    MouseMoveAtScreen(Popup()->ClientToScreen(Swatch));
    ASSERT_FALSE(Over.empty());
    EXPECT_EQ(Over.back(), Popup()->GetMatrixColor(1, 6));
    Picker->SetDroppedDown(false);
    Picker->SetOptions({});
    Open();
    MouseMoveAtScreen(Popup()->ClientToScreen(TPoint(120, 14)));
    ClickAtScreen(Popup()->ClientToScreen(TPoint(10 * 8 + 5, 28 + 10 * 2 + 5)));
    EXPECT_FALSE(Picker->GetDroppedDown());
    EXPECT_EQ(Picker->GetSelectedColor(), Popup()->GetMatrixColor(8, 2));
    EXPECT_EQ(Picker->GetText(), Picker->GetColorAsString(Popup()->GetMatrixColor(8, 2)));
    Picker->SetOptions({coNoneButton, coColorsButton});
    Open();
    EXPECT_TRUE(Popup()->GetColorsButton()->GetVisible());
    MouseMoveAtScreen(Popup()->ClientToScreen(TPoint(120, 14)));
    ClickAtScreen(Popup()->GetNoneButton()->ClientToScreen(TPoint(10, 10)));
    EXPECT_EQ(Picker->GetText(), "");
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);
}

TEST_F(GxColorPickerTest, MoreColoursTakesTheDialogsColourAndReportsHowItClosed)
{
    TScriptedInteraction Script;
    std::vector<bool> Closes;
    Picker->OnDialogClose = [&](TObject* Sender, bool Executed) {
        EXPECT_EQ(Sender, Picker);
        Closes.push_back(Executed);
    };
    Script.ColorAnswers = {0x123456};
    for (int Round = 0; Round < 2; ++Round) {
        Open();
        MouseMoveAtScreen(Popup()->ClientToScreen(TPoint(120, 14)));
        ClickAtScreen(Popup()->GetColorsButton()->ClientToScreen(TPoint(10, 10)));
    }
    EXPECT_EQ(Closes, (std::vector<bool>{true, false}));
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x123456));
    EXPECT_EQ(Picker->GetText(), "$00123456");
    EXPECT_EQ(Picker->GetColorDialog(), Popup()->GetColorDialog());
}

TEST_F(GxColorPickerTest, ThePreviewShowsTheColourOrACrossForNone)
{
    Picker->SetSelectedColor(TColor(0x3366CC));
    EXPECT_EQ(PreviewPixel(10, 10), TColor(0x3366CC));
    EXPECT_EQ(PreviewPixel(0, 0), TColor(0x808080)); // the border
    Picker->SetText("");
    EXPECT_EQ(PreviewPixel(1, 1), clRed);
    EXPECT_EQ(PreviewPixel(18, 1), clRed);
    EXPECT_EQ(PreviewPixel(1, 10), clWhite);

    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        auto* Web = Make(40);
        Web->SetOptions({coAllowColorNames, coColorsButton, coNoneButton});
        Web->SetWebColorFormat(true);
        Web->SetSelectedColor(clTeal);
        auto* Named = Make(70);
        Named->SetOptions({coAllowColorNames});
        Named->SetSelectedColor(clRed);
        ProcessEvents();
        Web->SetFocus();
        Web->SetDroppedDown(true);
        const AnsiString Mode = GxThemesSupport::IsThemed() ? "-themed" : "-classic";
        SaveWindowImage(Form, AnsiString(Dir) + "/color-pickers" + Mode + ".png");
        SaveWindowImage(Web->GetPopupControl(), AnsiString(Dir) + "/color-picker-popup" + Mode + ".png");
    }
}

} // namespace
