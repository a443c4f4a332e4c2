// MaxLength binds what the user puts in (typing, pasting, an input method),
// never the program's text, in the edit and in the combo box's edit line.
#include "platform/controls/Clipbrd.h"
#include "platform/controls/StdCtrls.h"
#include "platform/testing/Edits.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

using namespace platform::test;

namespace {

using EditLimitTest = TFormTest;

const AnsiString Thirty = "a cell text that runs to thirty"; // 31 characters

TEST_F(EditLimitTest, TheProgramsTextStaysWholeWhateverTheLimit)
{
    TEdit* Early = New<TEdit>(Form);
    Early->SetMaxLength(3);
    Early->SetText("abcdef");
    Early->SetParent(Form); // the window takes the text as it is
    EXPECT_EQ(Early->GetText(), "abcdef");

    TEdit* Edit = Place<TEdit>(Form, 8, 40, 200, 21);
    Edit->SetMaxLength(12);
    Edit->SetText(Thirty);
    EXPECT_EQ(Edit->GetText(), Thirty);
    SendMessageA(Edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fourteen chars"));
    EXPECT_EQ(Edit->GetText(), "fourteen chars");
    Edit->SetSelStart(4);
    Edit->SetMaxLength(5); // lowering it cuts nothing and keeps the caret
    EXPECT_EQ(Edit->GetText(), "fourteen chars");
    EXPECT_EQ(Edit->GetSelStart(), 4);
    // Replacing the selection keeps to the limit, as EM_REPLACESEL does.
    Edit->SetSelText("-more-");
    EXPECT_EQ(Edit->GetText(), "fourteen chars");
    Edit->SetMaxLength(16);
    Edit->SetSelText("-more-");
    EXPECT_EQ(Edit->GetText(), "four-mteen chars");
}

TEST_F(EditLimitTest, TypingStopsWhenTheTextLessItsSelectionIsAtTheLimit)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    Edit->SetMaxLength(12);
    Edit->SetText(Thirty);
    Edit->SetFocus(); // entering selects all: first, not in between
    Edit->SetSelStart(int(Thirty.size()));
    TypeText(Edit, "x");
    Edit->Perform(WM_CHAR, 'y'); // the character message types as a key does
    EXPECT_EQ(Edit->GetText(), Thirty);

    // 21 selected leave 10: two of three characters fit, the first replacing the selection.
    Edit->SetSelStart(10);
    Edit->SetSelLength(21);
    TypeText(Edit, "XYZ");
    EXPECT_EQ(Edit->GetText(), "a cell tex" + AnsiString("XY"));
    // What deletes still works, and then one more fits.
    PressKey(Edit, VK_BACK, {}, u"\b");
    TypeText(Edit, "QR");
    EXPECT_EQ(Edit->GetText(), "a cell texXQ");

    // An input method's word goes in as far as it fits, never half a character.
    Edit->SetSelStart(8);
    Edit->SetSelLength(4);
    CommitText(Edit, u"a\U0001F600\U0001F600");
    EXPECT_EQ(Edit->GetText(), "a cell ta\xF0\x9F\x98\x80");
    CommitText(Edit, u"\U0001F600");
    CommitText(Edit, u"zz");
    EXPECT_EQ(Edit->GetText(), "a cell ta\xF0\x9F\x98\x80z");

    Edit->SetMaxLength(0);
    TypeText(Edit, "free");
    EXPECT_EQ(Edit->GetText(), "a cell ta\xF0\x9F\x98\x80zfree");
}

TEST_F(EditLimitTest, APasteInsertsOnlyWhatFitsByKeysMenuAndMessage)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    Edit->SetMaxLength(6);
    Edit->SetText("abcd");
    Edit->SetFocus();
    Edit->SetSelStart(2);
    Clipboard()->SetAsText("123456");
    PressKey(Edit, 'V', {ssCtrl});
    EXPECT_EQ(Edit->GetText(), "ab12cd");
    EXPECT_EQ(Edit->GetSelStart(), 4);
    // Full: nothing goes in and the selection stays.
    Edit->SetSelLength(0);
    EXPECT_TRUE(ChooseFromContextMenu(Edit, "Paste"));
    EXPECT_EQ(Edit->GetText(), "ab12cd");
    // A selection makes room.
    Edit->SetSelStart(1);
    Edit->SetSelLength(3);
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "a123cd");
    // What fits whole pastes whole.
    Edit->SetMaxLength(20);
    Edit->SelectAll();
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "123456");
}

TEST_F(EditLimitTest, AMultiLineEditStaysUnlimited)
{
    TMemo* Memo = Place<TMemo>(Form, 8, 8, 200, 80);
    Memo->SetMaxLength(3);
    Memo->SetText("abcdef");
    Memo->SetFocus();
    Memo->SetSelStart(6);
    TypeText(Memo, "gh");
    Clipboard()->SetAsText("ij");
    Memo->PasteFromClipboard();
    EXPECT_EQ(Memo->GetText(), "abcdefghij");
}

TEST_F(EditLimitTest, TheComboBoxsEditLineKeepsTheSameRule)
{
    TComboBox* Combo = Place<TComboBox>(Form, 8, 8, 150, 21);
    Combo->GetItems()->Add("an item longer than the limit");
    Combo->SetMaxLength(4);
    Combo->SetText("abcdefgh");
    EXPECT_EQ(Combo->GetText(), "abcdefgh");
    Combo->SetItemIndex(0);
    EXPECT_EQ(Combo->GetText(), "an item longer than the limit");
    PressKey(Combo, VK_END);
    TypeText(Combo, "x");
    EXPECT_EQ(Combo->GetText(), "an item longer than the limit");

    PressKey(Combo, 'A', {ssCtrl}); // selects all
    TypeText(Combo, "xyz12");
    EXPECT_EQ(Combo->GetText(), "xyz1");
    Clipboard()->SetAsText("PQRSTU");
    PressKey(Combo, 'V', {ssCtrl});
    EXPECT_EQ(Combo->GetText(), "xyz1");
    PressKey(Combo, VK_HOME);
    PressKey(Combo, VK_RIGHT, {ssShift});
    PressKey(Combo, VK_RIGHT, {ssShift});
    PressKey(Combo, VK_INSERT, {ssShift});
    EXPECT_EQ(Combo->GetText(), "PQz1");

    // Before the window exists, and with the limit raised again.
    TOwned<TComboBox> Fresh(New<TComboBox>(nullptr));
    Fresh->SetMaxLength(2);
    Fresh->SetText("whole");
    Fresh->SetParent(Form);
    EXPECT_EQ(Fresh->GetText(), "whole");
    Fresh->SetMaxLength(0);
    PressKey(Fresh.get(), VK_END);
    TypeText(Fresh.get(), "!");
    EXPECT_EQ(Fresh->GetText(), "whole!");
}

} // namespace
