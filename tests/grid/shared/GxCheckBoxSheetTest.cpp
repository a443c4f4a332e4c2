// Sheets of check boxes and radio buttons in every state and alignment, and
// of the memo editors; with QUILLMOTE_SHEET_DIR set they are saved as PNGs
// to be looked at.
#include "grid/shared/GxCheckBox.h"
#include "grid/shared/GxMemo.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>

namespace {

using namespace GxCheckBox;
using namespace platform::test;

void SaveSheet(TForm* Form, const AnsiString& Name)
{
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        EXPECT_TRUE(
            SaveWindowImage(Form, AnsiString(Dir) + "/" + Name + (IsThemed() ? "-themed.png" : "-classic.png")));
    }
}

TEST(GxCheckBoxSheet, BoxesInEveryStateAndAlignment)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    Form->SetClientWidth(2 * 160 + 10);
    Form->SetClientHeight(6 * 26 + 10);
    Form->SetColor(clWhite);
    std::vector<TGxCheckControl*> All;
    const TAlignment Alignments[] = {taLeftJustify, taCenter, taRightJustify};
    for (int I = 0; I < 12; ++I) {
        TGxCheckControl* C = I % 2 ? static_cast<TGxCheckControl*>(New<TGxRadioButton>(Form))
                                   : static_cast<TGxCheckControl*>(New<TGxCheckBox>(Form));
        C->SetParent(Form);
        C->SetBounds(10 + (I % 2) * 160, 10 + (I / 2) * 26, 150, 21);
        C->SetAlignment(Alignments[(I / 2) % 3]);
        C->SetCaption(I < 6 ? u"unchecked" : u"checked");
        C->SetEnabled(I / 2 != 2 && I / 2 != 5);
        All.push_back(C);
    }
    for (int I = 6; I < 12; ++I)
        All[I]->SetAsBoolean(true);
    // The radio buttons are one group: the last one checked cleared the others.
    All[0]->SetVerticalAlignment(taAlignTop);
    Form->Show();
    ProcessEvents();

    // Centred: the box sits in the middle of the client width.
    const TRect Box = All[2]->GetCheckBoxRect();
    EXPECT_NEAR((Box.Left + Box.Right) / 2, All[2]->GetClientWidth() / 2, 1);
    EXPECT_TRUE(All[11]->GetChecked());
    EXPECT_FALSE(All[7]->GetChecked());

    SaveSheet(Form, "GxCheckBoxSheet");
}

TEST(GxCheckBoxSheet, MemoEditorWithBarsAndMemoWithMargins)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    Form->SetClientWidth(340);
    Form->SetClientHeight(110);
    Form->SetColor(clWhite);
    auto* Edit = New<GxMemo::TGxMemoInplaceEdit>(Form);
    Edit->SetParent(Form);
    Edit->SetAutoSize(false);
    Edit->SetBounds(10, 10, 150, 90);
    Edit->SetScrollBars(ssBoth);
    Edit->SetText("a line far too long to fit without wrapping\nsecond\r\nthird\rfourth");
    auto* Memo = New<GxMemo::TGxMemo>(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(180, 10, 150, 90);
    Memo->SetMargin(8);
    Memo->Add("a memo with margins of 8 pixels wraps its words");
    Memo->Add("%s %d", {"line", 2});
    Form->Show();
    ProcessEvents();
    EXPECT_EQ(Edit->GetText(), "a line far too long to fit without wrapping\nsecond\r\nthird\rfourth");
    SaveSheet(Form, "GxMemoSheet");
}

} // namespace
