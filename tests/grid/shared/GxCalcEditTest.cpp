#include "grid/shared/GxCalcEdit.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Forms.h"
#include "platform/testing/Pointer.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <map>
#include <vector>

namespace {

using namespace GxCalcEdit;
using namespace GxPopupControl;
using namespace platform::test;
using GxNumberEdit::eoAllowFloat;
using GxNumberEdit::eoAllowSigns;
using GxNumberEdit::eoDisablePaste;
using GxNumberEdit::eoDisableTyping;

class GxCalcEditTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        FormatSettings = DefaultFormatSettings();
        Edit = New<TGxCalcEdit>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 120, 21);
        Other = New<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetTop(200);
        Application->OnException = [this](TObject*, const Exception& E) {
            Errors.push_back(E.Message);
            ZeroDivides += dynamic_cast<const EZeroDivide*>(&E) != nullptr;
            MathErrors += dynamic_cast<const EMathError*>(&E) != nullptr;
        };
        ProcessEvents();
        Edit->SetFocus();
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        TFormTest::TearDown();
    }
    TGxCalcPopup* Pad() const { return static_cast<TGxCalcPopup*>(Edit->GetPopupControl()); }
    void Open()
    {
        if (Edit->GetDroppedDown()) return;
        Edit->SetDroppedDown(true);
        MouseMoveAtScreen(Pad()->ClientToScreen(TPoint(2, 100)));
    }
    // Presses the pad's keys as the user clicks them: digits, "." "+" "-"
    // "*" "/" "=", 'r' for 1/x, 'q' for sqrt, 's' for +/-, 'c' C, 'e' CE,
    // 'b' Back, and the memory keys as 'S' MS, 'A' M+, 'R' MR, 'C' MC.
    void Keys(const char* Sequence)
    {
        static const std::map<char, TCalcButtonKind> Kinds = {
            {'0', ck0},     {'1', ck1},        {'2', ck2},   {'3', ck3},         {'4', ck4},     {'5', ck5},
            {'6', ck6},     {'7', ck7},        {'8', ck8},   {'9', ck9},         {'.', ckDot},   {'+', ckPlus},
            {'-', ckMinus}, {'*', ckMultiply}, {'/', ckDiv}, {'=', ckEqual},     {'r', ckRatio}, {'q', ckSqrt},
            {'s', ckSign},  {'c', ckC},        {'e', ckCe},  {'b', ckBackspace}, {'S', ckMS},    {'A', ckM},
            {'R', ckMR},    {'C', ckMC}};
        Open();
        for (const char* P = Sequence; *P; ++P)
            ClickAtScreen(Pad()->GetButton(Kinds.at(*P))->ClientToScreen(TPoint(15, 12)));
    }
    AnsiString Shown(const char* Sequence)
    {
        Keys(Sequence);
        return Edit->GetText();
    }
    // Whether anything dark is drawn inside the pad's memory box.
    bool MemoryMarkShows()
    {
        Pad()->Repaint();
        for (int Y = 10; Y < 24; ++Y)
            for (int X = 10; X < 24; ++X)
                if ((PixelAt(Pad(), X, Y) & 0xFF) < 100) return true;
        return false;
    }
    TFormatSettingsGuard KeepSettings;
    TGxCalcEdit* Edit = nullptr;
    TEdit* Other = nullptr;
    std::vector<AnsiString> Errors;
    int ZeroDivides = 0;
    int MathErrors = 0;
};

TEST_F(GxCalcEditTest, ThePadWorksAsAPocketCalculator)
{
    EXPECT_EQ(Shown("12+30="), "42");
    EXPECT_EQ(Shown("+8="), "50"); // "=" ended the addition
    EXPECT_EQ(Shown("c0-5*2="), "-10");
    EXPECT_EQ(Shown("c12+30s="), "-18"); // the sign changes the shown number only
    EXPECT_EQ(Shown("c7+*3="), "21");    // the second operator replaces the first
    EXPECT_EQ(Shown("c2+3+4="), "9");    // each operator completes the one before
    EXPECT_EQ(Shown("c5+3c4="), "4");    // C ends the pending operation
    EXPECT_EQ(Shown("c9-e2="), "7");     // CE keeps it
    // The pad opens with nothing pending.
    Keys("c6*");
    Edit->SetDroppedDown(false);
    EXPECT_EQ(Shown("2="), "2");
}

TEST_F(GxCalcEditTest, DigitsSeparatorsAndBackspaceBuildTheNumber)
{
    EXPECT_EQ(Shown("7b"), "0");
    EXPECT_EQ(Shown("5"), "5"); // the "0" Backspace left gives way
    EXPECT_EQ(Shown("c1.5.2"), "1.52");
    EXPECT_EQ(Shown("c2*2=.5"), "0.5"); // "." after a result starts a number
    EXPECT_EQ(Shown("b"), "0.");
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(Shown("c3.2"), "3,2");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 3.2);
}

TEST_F(GxCalcEditTest, FunctionsMaskAndPlainResults)
{
    EXPECT_EQ(Shown("c16q"), "4");
    EXPECT_EQ(Shown("c4r"), "0.25");
    EXPECT_EQ(Shown("c3+6q"), "3"); // the pending addition completes first
    // Results never take an exponent, so they read back as they show.
    Keys("c1/3000000=");
    EXPECT_EQ(Edit->GetText().find_first_of("Ee"), AnsiString::npos) << Edit->GetText();
    EXPECT_NEAR(Edit->GetValue(), 1 / 3e6, 1e-20);
    Edit->SetFormatMask("0.00");
    EXPECT_EQ(Shown("c1/3="), "0.33");
    EXPECT_EQ(Shown("c8q"), "2.83");
}

TEST_F(GxCalcEditTest, InvalidArithmeticReportsOnceAndKeepsTheText)
{
    EXPECT_EQ(Shown("1/0="), "0");
    EXPECT_EQ(ZeroDivides, 1);
    EXPECT_EQ(Shown("c0r"), "0");
    EXPECT_EQ(ZeroDivides, 2);
    EXPECT_EQ(Shown("c4sq"), "-4");
    EXPECT_EQ(Shown("c0/0="), "0");
    EXPECT_EQ(MathErrors, 4);
    ASSERT_EQ(Errors.size(), 4u);
    EXPECT_EQ(Errors[0], "Floating point division by zero");
    EXPECT_EQ(Errors[2], "Invalid floating point operation");
    // The failed operation stays pending for a divisor that works.
    EXPECT_EQ(Shown("c8/0=2="), "4");
}

TEST_F(GxCalcEditTest, MemoryKeysAndTheirMark)
{
    Keys("c");
    EXPECT_FALSE(MemoryMarkShows());
    Keys("5S");
    EXPECT_EQ(Edit->GetMemoryValue(), 5);
    EXPECT_TRUE(MemoryMarkShows());
    Keys("3A");
    EXPECT_EQ(Edit->GetMemoryValue(), 8);
    EXPECT_EQ(Shown("cR"), "8");
    EXPECT_EQ(Shown("2"), "2"); // a recalled number is not added to
    Keys("S");
    EXPECT_EQ(Edit->GetMemoryValue(), 2);
    Keys("C");
    EXPECT_TRUE(Edit->IsMemoryEmpty());
    EXPECT_FALSE(MemoryMarkShows());
    EXPECT_EQ(Shown("7R"), "7"); // an empty memory recalls nothing
}

TEST_F(GxCalcEditTest, ThePadOpensSizedAndClosesAfterEqualOnRequest)
{
    Edit->GetFont()->SetSize(11);
    Open();
    EXPECT_EQ(Pad()->GetWidth(), 199);
    EXPECT_EQ(Pad()->GetHeight(), 139);
    EXPECT_EQ(Pad()->GetFont()->GetSize(), 11);
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        Keys("5S12.5");
        const AnsiString Mode = GxThemesSupport::IsThemed() ? "-themed" : "-classic";
        SaveWindowImage(Form, AnsiString(Dir) + "/calc-edit" + Mode + ".png");
        SaveWindowImage(Pad(), AnsiString(Dir) + "/calc-edit-pad" + Mode + ".png");
    }
    Keys("c2+2=");
    EXPECT_TRUE(Edit->GetDroppedDown());
    Edit->SetAutoClose(true);
    Keys("+1");
    EXPECT_TRUE(Edit->GetDroppedDown()); // operators do not close it
    Keys("=");
    EXPECT_FALSE(Edit->GetDroppedDown());
    EXPECT_EQ(Edit->GetText(), "5");
}

TEST_F(GxCalcEditTest, TypingFollowsTheNumberEditsAndJoinsThePad)
{
    TypeText(Edit, "1a2-");
    EXPECT_EQ(Edit->GetText(), "12");
    Keys("+");
    TypeText(Edit, "30"); // a typed number after an operator starts afresh
    EXPECT_EQ(Shown("="), "42");
    Edit->SetText("");
    TypeText(Edit, "-2.5.");
    EXPECT_EQ(Edit->GetText(), "-2.5");
    Keys("1"); // the pad carries a typed number on
    EXPECT_EQ(Edit->GetText(), "-2.51");
    // The default range keeps negative numbers; a range bounds them.
    Other->SetFocus();
    EXPECT_EQ(Edit->GetText(), "-2.51");
    Edit->SetMin(-1);
    EXPECT_EQ(Edit->GetValue(), -1);
    Edit->SetMin(0);
    Edit->SetMax(5);
    Edit->SetText("9x");
    EXPECT_EQ(Edit->GetValue(), 5);
    Edit->SetMax(0);
    // The whole text reads first; focus loss writes it back plainly.
    Edit->SetFocus();
    Edit->SetText("1E-7");
    Other->SetFocus();
    EXPECT_EQ(Edit->GetText(), "0.0000001");

    Edit->SetOptions({eoAllowFloat, eoAllowSigns, eoDisableTyping});
    Edit->SetFocus();
    Edit->SetSelStart(3);
    TypeText(Edit, "5");
    PressKey(Edit, VK_BACK);
    PressKey(Edit, VK_DELETE);
    EXPECT_EQ(Edit->GetText(), "0.0000001");
    EXPECT_EQ(Shown("c4+4="), "8"); // the pad still works
}

TEST_F(GxCalcEditTest, PasteKeepsWhatTypingWouldTake)
{
    Edit->SetOptions({eoAllowFloat, eoDisablePaste}); // no signs; paste is never disabled
    Edit->SetText("12");
    Edit->SetSelStart(1);
    Clipboard()->SetAsText("-3.4x.5");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "13.452");
    EXPECT_EQ(Edit->GetSelStart(), 1);
    Edit->SelectAll();
    Clipboard()->SetAsText("7.5");
    PressKey(Edit, 'V', {ssCtrl});
    EXPECT_EQ(Edit->GetText(), "7.5");
}

} // namespace
