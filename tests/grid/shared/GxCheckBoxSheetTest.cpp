// A sheet of check boxes and radio buttons in every state and alignment
// beside a memo cell editor with scroll bars and a memo with margins; with
// QUILLMOTE_SHEET_DIR set it is saved as a PNG to be looked at.
#include "grid/shared/GxCheckBox.h"
#include "grid/shared/GxMemo.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>

namespace {

using namespace GxCheckBox;
using namespace platform::test;

TEST(GxCheckBoxSheet, BoxesInEveryStateBesideTheMemos)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    Form->SetClientWidth(500);
    Form->SetClientHeight(6 * 26 + 10);
    Form->SetColor(clWhite);
    const TAlignment Alignments[] = {taLeftJustify, taCenter, taRightJustify};
    TGxCheckControl* Centred = nullptr;
    for (int I = 0; I < 12; ++I) {
        TGxCheckControl* C = I % 2 ? static_cast<TGxCheckControl*>(New<TGxRadioButton>(Form))
                                   : static_cast<TGxCheckControl*>(New<TGxCheckBox>(Form));
        C->SetParent(Form);
        C->SetBounds(10 + (I % 2) * 160, 10 + (I / 2) * 26, 150, 21);
        C->SetAlignment(Alignments[(I / 2) % 3]);
        C->SetCaption(I < 6 ? u"unchecked" : u"checked");
        C->SetEnabled(I / 2 != 2 && I / 2 != 5);
        C->SetChecked(I >= 6); // the radio buttons are one group: the last one stays checked
        if (I == 2) Centred = C;
    }
    auto* Edit = New<GxMemo::TGxMemoInplaceEdit>(Form);
    Edit->SetParent(Form);
    Edit->SetAutoSize(false);
    Edit->SetBounds(340, 10, 150, 72);
    Edit->SetScrollBars(ssBoth);
    Edit->SetText("a line far too long to fit without wrapping\nsecond\r\nthird");
    auto* Memo = New<GxMemo::TGxMemo>(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(340, 90, 150, 72);
    Memo->SetMargin(8);
    Memo->Add("a memo with margins of 8 pixels wraps its words");
    Form->Show();
    ProcessEvents();

    const TRect Box = Centred->GetCheckBoxRect();
    EXPECT_NEAR((Box.Left + Box.Right) / 2, Centred->GetClientWidth() / 2, 1);
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const AnsiString Name = IsThemed() ? "/GxCheckBoxSheet-themed.png" : "/GxCheckBoxSheet-classic.png";
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + Name));
    }
}

} // namespace
