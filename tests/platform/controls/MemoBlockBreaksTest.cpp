// Characters that Qt's text document would take as a block break, inside the
// lines of a memo.
#include "platform/controls/ComCtrls.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <gtest/gtest.h>

// In an editable memo's document and in a read-only memo's own lines.
class MemoBlockBreaksTest : public TFormTest, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(EditableAndReadOnly, MemoBlockBreaksTest, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "ReadOnly" : "Editable"; });

TEST_P(MemoBlockBreaksTest, StayInsideTheirLineThroughLinesTextAndSelection)
{
    // CR, U+2029, U+FDD0, U+FDD1.
    const AnsiString Odd = "a\rb\xE2\x80\xA9"
                           "c\xEF\xB7\x90"
                           "d\xEF\xB7\x91"
                           "e";
    TRichEdit* Memo = New<TRichEdit>(Form);
    Memo->SetReadOnly(GetParam());
    Memo->SetParent(Form);
    Memo->GetLines()->Add(Odd);
    Memo->GetLines()->Add("next");
    ASSERT_EQ(Memo->GetLines()->GetCount(), 2);
    EXPECT_EQ(Memo->GetLines()->Get(0), Odd);
    Memo->GetLines()->Put(1, Odd);
    EXPECT_EQ(Memo->GetLines()->Get(1), Odd);
    EXPECT_EQ(Memo->GetLines()->GetText(), Odd + "\n" + Odd + "\n");

    // Whole text: only CR LF, LF and CR break lines there.
    const AnsiString Whole = "x\xE2\x80\xA9y\xEF\xB7\x91z\r\nw";
    Memo->SetText(Whole);
    ASSERT_EQ(Memo->GetLines()->GetCount(), 2);
    EXPECT_EQ(Memo->GetLines()->Get(0), "x\xE2\x80\xA9y\xEF\xB7\x91z");
    Memo->GetLines()->SetText(Odd);
    ASSERT_EQ(Memo->GetLines()->GetCount(), 2); // a CR breaks a line read as text
    EXPECT_EQ(Memo->GetLines()->Get(1), "b\xE2\x80\xA9"
                                        "c\xEF\xB7\x90"
                                        "d\xEF\xB7\x91"
                                        "e");

    // Selections count the bytes of the system's text.
    Memo->SetText("p\xE2\x80\xA9q");
    Memo->SetSelStart(4);
    Memo->SetSelLength(1);
    EXPECT_EQ(Memo->GetSelText(), "q");
    Memo->SelectAll();
    EXPECT_EQ(Memo->GetSelText(), "p\xE2\x80\xA9q");
}
