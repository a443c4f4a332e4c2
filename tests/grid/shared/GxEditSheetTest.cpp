// A sheet of edits in the looks their own tests do not paint: a glyph with a
// bare preview, border widths with and without a border, and spin buttons in
// an enabled and a disabled edit; with QUILLMOTE_SHEET_DIR set it is saved as
// a PNG to be looked at.
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
    Form->SetClientHeight(3 * 34 + 10);
    Form->SetColor(clWhite);
    int Count = 0;
    auto Add = [&](const char* Text) {
        auto* E = New<TGxEdit>(Form);
        E->SetParent(Form);
        E->SetBounds(10 + (Count % 2) * 190, 10 + (Count / 2) * 34, 170, 24);
        E->SetText(Text);
        ++Count;
        return E;
    };
    Add("plain text");
    TGxEdit* Both = Add("glyph, bare preview");
    Both->OnCustomPreviewDraw = [Both](TObject*, const TRect& R) {
        Both->GetEditInfo()->GetCanvas()->GetBrush()->SetColor(clRed);
        Both->GetEditInfo()->GetCanvas()->FillRect(R);
    };
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
    TGxSpinButtons* Spins[2];
    for (int I = 0; I < 2; ++I) {
        TGxEdit* E = Add(I ? "disabled" : "42");
        E->SetEnabled(I == 0);
        Spins[I] = New<TGxSpinButtons>(E);
        Spins[I]->SetEdit(E);
        Spins[I]->SetParent(E);
        E->GetEditMargins()->SetRight(17);
        Spins[I]->SetBounds(E->GetClientWidth() - 17, 0, 17, E->GetClientHeight());
    }
    Form->Show();
    ProcessEvents();

    TGxEditInfo* Info = Both->GetEditInfo();
    EXPECT_EQ(PixelAt(Info, 6, Info->GetHeight() / 2), clGreen);
    EXPECT_EQ(PixelAt(Info, 0, Info->GetHeight() / 2), ColorToRGB(clWindow)); // white is transparent
    EXPECT_EQ(PixelAt(Info, 14, 0), clRed);
    // Frames of the edit's colour inside the sunken border, or from the edge without one.
    EXPECT_EQ(PixelAt(Border2, -1, 5), clYellow);
    EXPECT_EQ(PixelAt(Border2, -2, 5), clYellow);
    EXPECT_EQ(PixelAt(Border4, -4, 5), clAqua);
    // Spin buttons of a disabled edit paint disabled though they are enabled themselves.
    int Differ = 0;
    for (int Y = 0; Y < Spins[0]->GetHeight(); ++Y)
        for (int X = 0; X < Spins[0]->GetWidth(); ++X)
            Differ += PixelAt(Spins[0], X, Y) != PixelAt(Spins[1], X, Y);
    EXPECT_GT(Differ, 0);

    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const AnsiString Name = GxThemesSupport::IsThemed() ? "GxEditSheet-themed.png" : "GxEditSheet-classic.png";
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + "/" + Name));
    }
}

} // namespace
