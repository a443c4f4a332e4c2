// A sheet of edits in their looks: glyph, preview, border widths, alignment
// and spin buttons, probed where the edit itself paints and, with
// QUILLMOTE_SHEET_DIR set, saved as a PNG to be looked at.
#include "grid/shared/GxEdit.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>

namespace {

using namespace GxEdit;
using namespace platform::test;

TEST(GxEditSheet, EditsInEveryLook)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    Form->SetClientWidth(2 * 190 + 10);
    Form->SetClientHeight(5 * 34 + 10);
    Form->SetColor(clWhite);
    std::vector<TGxEdit*> Edits;
    auto Add = [&](const char* Text) {
        auto* E = New<TGxEdit>(Form);
        E->SetParent(Form);
        const int I = int(Edits.size());
        E->SetBounds(10 + (I % 2) * 190, 10 + (I / 2) * 34, 170, 24);
        E->SetText(Text);
        Edits.push_back(E);
        return E;
    };
    auto Red = [](TGxCustomEdit* E) {
        E->OnCustomPreviewDraw = [E](TObject*, const TRect& R) {
            E->GetEditInfo()->GetCanvas()->GetBrush()->SetColor(clRed);
            E->GetEditInfo()->GetCanvas()->FillRect(R);
        };
    };

    Add("plain text");
    Add("glyph")->SetGlyph(SquareGlyph(12, clWhite, clBlue).get());
    TGxEdit* Preview = Add("preview");
    Red(Preview);
    Preview->SetShowPreview(true);
    TGxEdit* Both = Add("glyph, bare preview");
    Red(Both);
    Both->SetGlyph(SquareGlyph(12, clWhite, clGreen).get());
    Both->SetShowPreview(true);
    Both->SetPreviewBorder(false);
    TGxEdit* Border2 = Add("border width 2");
    Border2->SetColor(clYellow);
    Border2->SetBorderWidth(2);
    TGxEdit* Border4 = Add("no border, width 4");
    Border4->SetColor(clAqua);
    Border4->SetBorderStyle(bsNone);
    Border4->SetBorderWidth(4);
    Add("right aligned")->SetAlignment(taRightJustify);
    Add("centred")->SetAlignment(taCenter);
    TGxEdit* Spun = Add("42");
    TGxEdit* Disabled = Add("disabled");
    Disabled->SetEnabled(false);
    for (TGxEdit* E : {Spun, Disabled}) {
        auto* Spin = New<TGxSpinButtons>(E);
        Spin->SetEdit(E);
        Spin->SetParent(E);
        E->GetEditMargins()->SetRight(17);
        Spin->SetBounds(E->GetClientWidth() - 17, 0, 17, E->GetClientHeight());
    }
    Form->Show();
    ProcessEvents();

    TGxEditInfo* Info = Edits[1]->GetEditInfo();
    EXPECT_EQ(PixelAt(Info, 6, Info->GetHeight() / 2), clBlue);
    EXPECT_EQ(PixelAt(Info, 0, Info->GetHeight() / 2), ColorToRGB(clWindow)); // white is transparent
    EXPECT_EQ(PixelAt(Preview->GetEditInfo(), 10, 10), clRed);
    EXPECT_EQ(PixelAt(Preview->GetEditInfo(), 0, 10), TColor(0x808080));
    EXPECT_EQ(PixelAt(Both->GetEditInfo(), 14, 10), clRed);
    // Two frames of the edit's colour inside the sunken border.
    EXPECT_EQ(PixelAt(Border2, -1, 5), clYellow);
    EXPECT_EQ(PixelAt(Border2, -2, 5), clYellow);
    EXPECT_EQ(PixelAt(Border4, -4, 5), clAqua);

    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const AnsiString Name = GxThemesSupport::IsThemed() ? "GxEditSheet-themed.png" : "GxEditSheet-classic.png";
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + "/" + Name));
    }
}

} // namespace
