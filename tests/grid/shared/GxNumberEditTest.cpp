#include "grid/shared/GxNumberEdit.h"
#include "platform/controls/Clipbrd.h"
#include "platform/testing/Edits.h"
#include "platform/win/WindowHook.h"
#include "tests/grid/shared/NumberEditFixture.h"

#include <functional>

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

using GxNumberEditTest = TNumberEditFixture;

INSTANTIATE_TEST_SUITE_P(Separators, GxNumberEditTest, testing::Values('.', ','));

TEST_P(GxNumberEditTest, TheValueShowsInRangeWithItsDecimalsUnitAndZeroText)
{
    EXPECT_EQ(Edit->GetText(), N("0.00")); // written when the window was made
    EXPECT_EQ(AfterFocusLoss("1.5"), N("1.50"));
    Edit->SetTextAfter(" kg");
    EXPECT_EQ(Edit->GetText(), N("1.50 kg"));
    EXPECT_EQ(Edit->GetAsFloat(), 1.5);
    // A unit with digits is no part of the number, however often the text is rewritten.
    Edit->SetTextAfter(" m2");
    Edit->SetPrecision(0);
    EXPECT_EQ(AfterFocusLoss("1.5 m2"), N("1.5 m2"));
    EXPECT_EQ(AfterFocusLoss("1.5m2"), N("1.5 m2"));
    Edit->SetTextAfter("");
    Edit->SetMax(10);
    EXPECT_EQ(AfterFocusLoss("25"), "10");
    Edit->SetMin(5);
    Edit->SetMax(0); // no upper bound below the lower one
    EXPECT_EQ(AfterFocusLoss("100"), "100");
    EXPECT_EQ(AfterFocusLoss("1"), "5");
    Edit->SetMin(0);
    Edit->SetNullText("n/a");
    EXPECT_EQ(Edit->GetText(), "5");
    Edit->SetValue(0);
    EXPECT_EQ(Edit->GetText(), "n/a");
    EXPECT_EQ(Edit->GetValue(), 0);
    Edit->SetOptions({eoAllowSigns});
    EXPECT_EQ(AfterFocusLoss("2.7"), "3");
}

TEST_P(GxNumberEditTest, AnyTextReadsExactlyOrCleanedAndNothingRaises)
{
    Edit->SetOptions({eoAllowFloat}); // no signs
    Edit->SetPrecision(0);
    for (double V : {0.000001, -0.000001, 1e16, 0.1 + 0.2, 123456789012345678.0}) {
        Edit->SetValue(V);
        EXPECT_EQ(Edit->GetText().find_first_of("Ee"), AnsiString::npos) << Edit->GetText();
        EXPECT_NEAR(Edit->GetValue(), V, std::abs(V) * 1e-14) << Edit->GetText();
    }
    EXPECT_EQ(Edit->GetText(), "123456789012346000");
    EXPECT_EQ(FloatToPlainStr(-0.000001), N("-0.000001"));
    // Texts the grid wrote read as they stand, sign and exponent included.
    const std::pair<const char*, double> Texts[] = {{"1E-6", 1e-6},  {"1E+16", 1e16}, {"-5", -5}, {"", 0},
                                                    {"1.2.3", 1.23}, {"abc", 0},      {"-", 0},   {"7x-", 7}};
    for (const auto& [Text, Value] : Texts) {
        Edit->SetText(N(Text));
        EXPECT_DOUBLE_EQ(Edit->GetValue(), Value) << Text;
        EXPECT_NO_THROW(Edit->ApplyEditing());
    }
    // The grid loads the editor: its text stays as written until applied.
    Edit->SetPrecision(2);
    Edit->SetEditorUpdating(true);
    Edit->SetText(N("12.3456"));
    Edit->SetValue(5);
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetText(), N("12.3456"));
    Edit->SetEditorUpdating(false);
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetText(), N("12.35"));
    Edit->SetOptions({eoAllowAll, eoAllowFloat});
    Edit->SetTextAfter(" kg");
    EXPECT_EQ(AfterFocusLoss("free text"), "free text");
}

TEST_P(GxNumberEditTest, TypingTakesDigitsOneSeparatorAndALeadingSign)
{
    const auto Typed = [&](const char* Start, int SelStart, int SelLength, const char* Keys) {
        Edit->SetFocus();
        Edit->SetText(N(Start));
        Edit->SetSelStart(SelStart);
        Edit->SetSelLength(SelLength);
        TypeText(Edit, N(Keys));
        return Edit->GetText();
    };
    EXPECT_EQ(Typed("", 0, 0, "-12.5.3x+"), N("-12.53"));
    EXPECT_EQ(Typed("1.5", 1, 1, "."), N("1.5")); // over the selected separator
    EXPECT_EQ(Typed("15", 1, 0, "-+"), "15");
    EXPECT_EQ(Typed("-15", 0, 1, "+"), "+15");
    Edit->SetOptions({});
    EXPECT_EQ(Typed("", 0, 0, "-1.5"), "15");
    Edit->SetOptions({eoAllowAll});
    EXPECT_EQ(Typed("", 0, 0, "a-b"), "a-b");
    Edit->SetOptions({eoDisableTyping});
    EXPECT_EQ(Typed("15", 1, 0, "2"), "15");
    PressKey(Edit, VK_BACK);
    PressKey(Edit, VK_DELETE);
    EXPECT_EQ(Edit->GetText(), "15");
}

TEST_P(GxNumberEditTest, PastesKeepWhatTypingWouldTakeAndNothingElse)
{
    // What each paste left (the offscreen menu takes the focus away after it).
    AnsiString Left;
    TWindowHook Hook;
    Hook.Hook(Edit->GetHandle(), [&](TMessage& M) {
        Hook.PassOn(M);
        if (M.Msg == WM_PASTE) Left = Edit->GetText() + "|" + IntToStr(Edit->GetSelStart());
    });
    const auto Pasted = [&](const char* Text, const char* Clip, int Caret, const std::function<void()>& Paste) {
        Edit->SetFocus();
        Edit->SetText(N(Text));
        Edit->SetSelStart(Caret);
        Clipboard()->SetAsText(N(Clip));
        Left = "none";
        Paste();
        return Left;
    };
    const std::function<void()> Routes[] = {[&] { PressKey(Edit, 'V', {ssCtrl}, WideString(1, char16_t(0x16))); },
                                            [&] { PressKey(Edit, VK_INSERT, {ssShift}); },
                                            [&] { ChooseFromContextMenu(Edit, "Paste"); }};
    Edit->SetAutoSelect(false);
    for (const auto& Route : Routes)
        EXPECT_EQ(Pasted("", "12abc3", 0, Route), "123|0");
    const auto Message = [&] { Edit->PasteFromClipboard(); };
    EXPECT_EQ(Pasted("5", "-3", 0, Message), "-35|0");
    EXPECT_EQ(Pasted("5", "-3", 1, Message), "53|1");
    EXPECT_EQ(Pasted("1.5", "2.7", 3, Message), N("1.527|3"));
    EXPECT_EQ(Pasted("8", "007", 1, Message), "8007|1");
    EXPECT_EQ(Pasted("9", "abc", 0, Message), "9|0");
    EXPECT_EQ(Pasted("9", "", 1, Message), "9|1");
    Edit->SetOptions({eoAllowFloat, eoDisablePaste});
    for (const auto& Route : Routes)
        EXPECT_EQ(Pasted("1", "2", 1, Route), "1|1");
    Hook.Unhook();
}

TEST_P(GxNumberEditTest, AssignTakesOnlyANumberEdit)
{
    auto* Source = New<TGxSpinEdit>(Form);
    Source->SetMax(50);
    Source->SetMin(-50);
    Source->SetNullText("none");
    Source->SetOptions({eoAllowFloat});
    Source->SetPrecision(1);
    Source->SetValue(-7.26);
    Edit->Assign(Source);
    EXPECT_EQ(std::make_pair(Edit->GetMax(), Edit->GetMin()), std::make_pair(50.0, -50.0));
    EXPECT_EQ(Edit->GetNullText(), "none");
    EXPECT_EQ(Edit->GetOptions(), TGxNumberEditOptions{eoAllowFloat});
    EXPECT_EQ(Edit->GetText(), N("-7.3"));
    EXPECT_THROW(Edit->Assign(Other), EConvertError);
}

} // namespace
