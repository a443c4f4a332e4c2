// The number edits' value: what a text reads as, what the edit writes back
// and where a spin step may take it.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxNumberEdit.h"
#include "grid/shared/GxPopupControl.h"
#include "tests/grid/shared/NumberEditFixture.h"

#include <cmath>
#include <type_traits>

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

// A spin edit beside the number edit, counting its steps.
class GxNumberValueTest : public TNumberEditFixture {
protected:
    void SetUp() override
    {
        TNumberEditFixture::SetUp();
        Spin = New<TGxSpinEdit>(Form);
        Spin->SetParent(Form);
        Spin->SetTop(30);
        Spin->OnSpin = [this](TObject*, TSpinButtonSet) { ++Spins; };
        ProcessEvents();
    }
    // The spin edit's text after one press of Button, from its text From.
    AnsiString Step(TSpinButton Button, const AnsiString& From)
    {
        Spin->SetText(N(From));
        Spin->GetButtons()->SetPressedButtons({Button});
        Spin->GetButtons()->SetPressedButtons({});
        return Spin->GetText();
    }
    TGxSpinEdit* Spin = nullptr;
    int Spins = 0;
};

INSTANTIATE_TEST_SUITE_P(Separators, GxNumberValueTest, testing::Values('.', ','));

const AnsiString Huge = "1" + AnsiString(400, '0'); // beyond the double's range

TEST_P(GxNumberValueTest, ValidTextIsCleanedRangedAndPlain)
{
    EXPECT_EQ(Edit->GetValidText(N("a1.2.3b"), true, true), N("1.23"));
    EXPECT_EQ(Edit->GetValidText(N("x-0.0000001"), true, true), N("-0.0000001")); // not -1E-7
    EXPECT_EQ(Edit->GetValidText(N("-1.5"), false, true), "-15");
    EXPECT_EQ(Edit->GetValidText("-3", true, false), "3");
    EXPECT_EQ(Edit->GetValidText("99999999999999999999999", true, true), "100000000000000000000000");
    for (const char* NoDigit : {"", "abc", ".", "-", "+."})
        EXPECT_EQ(Edit->GetValidText(N(NoDigit), true, true), "0") << NoDigit;
    // Digits a double cannot hold come back as cleaned, so that they read as no number.
    EXPECT_EQ(Edit->GetValidText("x" + Huge + "y", true, true), Huge);
    EXPECT_EQ(Edit->GetValidText("-" + Huge, true, true), "-" + Huge);

    Edit->SetMax(10);
    Edit->SetMin(5);
    EXPECT_EQ(Edit->GetValidText("25", true, true), "10");
    EXPECT_EQ(Edit->GetValidText(N("0.5"), true, true), "5");
    EXPECT_EQ(Edit->GetValidText("abc", true, true), "5");
    EXPECT_EQ(Edit->GetValidText(Huge, true, true), Huge); // not put in range: it is no number
}

TEST_P(GxNumberValueTest, ATextThatIsNoNumberGivesTheLastValueAndFocusLossWritesItBack)
{
    Edit->SetFocus();
    Edit->SetText(N("12.5"));
    EXPECT_EQ(Edit->GetValue(), 12.5);
    // Refused only for its range: not cleaned into 1400 or 0.
    for (const AnsiString& Text : {N("1e400"), N("-2.5E+999"), N("+1e400"), Huge, Huge + N(".5")}) {
        Edit->SetText(Text);
        EXPECT_EQ(Edit->GetValue(), 12.5) << Text;
    }
    // Typed junk around digits a double cannot hold: cleaned, still no number.
    Edit->SetText("x" + Huge);
    EXPECT_EQ(Edit->GetValue(), 12.5);
    Other->SetFocus();
    EXPECT_EQ(Edit->GetText(), N("12.50"));
    Edit->SetText(Huge);
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetText(), N("12.50"));

    // A text that converts, or that cleans into a number, becomes the last value.
    Edit->SetText(N("7x.25"));
    EXPECT_EQ(Edit->GetValue(), 7.25);
    Edit->SetText(N("1e400"));
    EXPECT_EQ(Edit->GetValue(), 7.25);
    Edit->SetText("abc"); // no digit at all reads as 0
    EXPECT_EQ(Edit->GetValue(), 0);
    Edit->SetText(Huge);
    EXPECT_EQ(Edit->GetValue(), 0);
}

TEST_P(GxNumberValueTest, BoundsAreWrittenAsPlainDecimals)
{
    EXPECT_EQ(ValidateNumberText("0", true, true, 0, 0.0000001), N("0.0000001"));
    EXPECT_EQ(ValidateNumberText("999999999999999999999999", true, true, 1e20, 0), "100000000000000000000");
    EXPECT_EQ(ValidateNumberText("-9", true, true, 0, -0.5), N("-0.5"));
}

TEST_P(GxNumberValueTest, SetValueKeepsToTheRangeUnlessTheGridIsLoading)
{
    Edit->SetMax(10);
    Edit->SetValue(100);
    EXPECT_EQ(Edit->GetText(), N("10.00"));
    EXPECT_EQ(Edit->GetValue(), 10);
    Edit->SetAsFloat(100);
    EXPECT_EQ(Edit->GetText(), N("10.00"));
    Edit->SetMin(5);
    Edit->SetValue(-3);
    EXPECT_EQ(Edit->GetText(), N("5.00"));
    Spin->SetMax(10);
    Spin->SetAsInteger(100);
    EXPECT_EQ(Spin->GetText(), "10");

    // The grid loads the editor: the text stays exactly as written.
    Edit->SetEditorUpdating(true);
    Edit->SetAsFloat(100);
    EXPECT_EQ(Edit->GetText(), "100");
    Edit->SetValue(7);
    EXPECT_EQ(Edit->GetText(), "100");
    Edit->SetEditorUpdating(false);
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetText(), N("10.00"));
}

TEST_P(GxNumberValueTest, AStepToNoFiniteNumberChangesNothing)
{
    const AnsiString Large = FloatToPlainStr(1e308);
    Spin->SetIncrement(1e308);
    EXPECT_EQ(Step(sbUp, Large), Large);
    EXPECT_EQ(Step(sbDown, "-" + Large), "-" + Large);
    EXPECT_EQ(Spins, 0);
    EXPECT_EQ(Spin->GetValue(), -1e308);
    for (const double Increment : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        Spin->SetIncrement(Increment);
        EXPECT_EQ(Step(sbUp, "3"), "3") << Increment;
        EXPECT_EQ(Step(sbDown, "3"), "3") << Increment;
        Spin->SetOptions({eoAllowFloat}); // a step down without signs ends at 0, but not from infinity
        EXPECT_EQ(Step(sbDown, "3"), "3") << Increment;
        Spin->SetOptions({eoAllowFloat, eoAllowSigns});
    }
    EXPECT_EQ(Spins, 0);

    // A negative step keeps its sign: Up adds it.
    Spin->SetIncrement(-2);
    EXPECT_EQ(Step(sbUp, "5"), "3");
    EXPECT_EQ(Step(sbDown, "5"), "7");
    EXPECT_EQ(Spins, 2);
}

// The popup list and the shared enumerations name one display-mode type, so
// code that sees both can name its values.
TEST(GxSharedEnumerations, ThePopupListTakesTheSharedDisplayMode)
{
    using namespace GxClasses;
    using namespace GxPopupControl;
    static_assert(std::is_same_v<decltype(std::declval<TGxPopupList&>().GetDisplayMode()), TItemsDisplayMode>);
    TOwned<TGxPopupList> List(New<TGxPopupList>(nullptr));
    List->SetDisplayMode(dmValueList);
    EXPECT_EQ(List->GetDisplayMode(), dmValueList);
}

} // namespace
