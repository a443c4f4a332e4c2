// What the user puts into the grid's editors beside what the program does:
// MaxLength binds only the user, and entering a multi-line editor with Tab
// leaves its lines alone.
#include "grid/shared/GxMemo.h"
#include "grid/shared/GxNumberEdit.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

using GxEditInputTest = TFormTest;

TEST_F(GxEditInputTest, ACellTextLongerThanTheLimitComesBackWholeAndTypingStaysLimited)
{
    auto* Edit = New<GxEdit::TGxEdit>(Form);
    Edit->SetParent(Form);
    Edit->SetMaxLength(12);
    const WideString Cell = u"a cell text of thirty letters.";
    ASSERT_EQ(Cell.size(), 30u);
    Edit->SetEditorUpdating(true);
    Edit->SetAsString(Cell);
    Edit->SetEditorUpdating(false);
    Edit->SetFocus(); // as the grid shows its editor, then starts the edit
    Edit->BeginEditing();
    EXPECT_EQ(Edit->GetAsString(), Cell);
    TypeText(Edit, "x");
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetAsString(), Cell);

    Edit->SetSelStart(4);
    Edit->SetSelLength(26);
    TypeText(Edit, "12345678901");
    EXPECT_EQ(Edit->GetText(), "a ce12345678");
}

TEST_F(GxEditInputTest, ANumberEditLimitedToFourKeepsAndReadsTheWholeValue)
{
    auto* Edit = New<TGxNumberEdit>(Form);
    Edit->SetParent(Form);
    Edit->SetOptions({eoAllowFloat});
    Edit->SetPrecision(3);
    Edit->SetMaxLength(4);
    Edit->SetValue(12345.678);
    EXPECT_EQ(Edit->GetText(), "12345.678");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 12345.678);

    // Loaded as a cell value, then normalised from the value it reads.
    Edit->SetEditorUpdating(true);
    Edit->SetAsString(u"98765.432");
    Edit->SetEditorUpdating(false);
    Edit->SetFocus();
    Edit->BeginEditing();
    TypeText(Edit, "1");
    Edit->ApplyEditing();
    EXPECT_EQ(Edit->GetText(), "98765.432");
    EXPECT_DOUBLE_EQ(Edit->GetAsFloat(), 98765.432);
}

TEST_F(GxEditInputTest, TabIntoTheMemoEditorThenAKeyKeepsEveryLine)
{
    auto* Before = New<TEdit>(Form);
    Before->SetParent(Form);
    auto* Memo = New<GxMemo::TGxMemoInplaceEdit>(Form);
    Memo->SetParent(Form);
    Memo->SetAutoSize(false);
    Memo->SetBounds(10, 40, 160, 90);
    Memo->SetText("first line\nsecond line\nthird line");
    Before->SetFocus();
    ProcessEvents();

    PressKey(Before, VK_TAB, {}, u"\t");
    ASSERT_TRUE(Memo->Focused());
    EXPECT_EQ(Memo->GetSelLength(), 0);
    TypeText(Memo, "x");
    EXPECT_EQ(Memo->GetText(), "xfirst line\nsecond line\nthird line");

    // A single-line edit entered with Tab is still selected whole.
    Before->SetText("wiped");
    PressKey(Memo, VK_TAB, {ssShift}, u"\t");
    ASSERT_TRUE(Before->Focused());
    EXPECT_EQ(Before->GetSelLength(), 5);
}

} // namespace
