// grid/shared/GxEdit_Info.cpp
// The info area at an edit's left edge: where it sits, how wide it is and
// what it paints.
#include "grid/shared/GxEdit.h"

namespace GxEdit {

namespace {

constexpr int PreviewWidth = 20;
constexpr TColor PreviewBorderColor = TColor(0x808080);

} // namespace

TGxEditInfo::TGxEditInfo(TGxCustomEdit* AEdit) : TCustomControl(AEdit), FEdit(AEdit)
{
    // Nothing shows until the edit places it.
    SetBounds(0, 0, 0, 0);
    SetParent(AEdit);
}

void TGxEditInfo::Paint()
{
    TCustomControl::Paint();
    TCanvas* C = GetCanvas();
    TBitmap* Glyph = FEdit->GetGlyph();
    int X = 0;
    if (!Glyph->GetEmpty()) {
        C->Draw(0, int(Round(GetHeight() / 2.0 - Glyph->GetHeight() / 2.0)), Glyph);
        X = Glyph->GetWidth() + 2;
    }
    if (!FEdit->GetShowPreview()) return;
    TRect R = Rect(X, 0, X + PreviewWidth, GetClientHeight());
    if (FEdit->GetPreviewBorder()) {
        C->GetBrush()->SetColor(PreviewBorderColor);
        C->FrameRect(R);
        InflateRect(R, -1, -1);
    }
    FEdit->PaintPreview(C, R);
}

bool TGxCustomEdit::GlyphShown() const
{
    return !FGlyph->GetEmpty();
}

void TGxCustomEdit::UpdateInfoRect()
{
    if (!HandleAllocated()) return;
    const int Width = (GlyphShown() ? FGlyph->GetWidth() + 4 : 0) + (FShowPreview ? PreviewWidth : 0);
    const bool Shown = FShowPreview || GlyphShown();
    SetWindowPos(FEditInfo->GetHandle(), nullptr, 0, 0, Width, GetClientHeight(),
                 SWP_NOACTIVATE | (Shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

} // namespace GxEdit
