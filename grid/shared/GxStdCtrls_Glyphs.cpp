// grid/shared/GxStdCtrls_Glyphs.cpp: the glyph holders.
#include "grid/shared/GxStdCtrls.h"

namespace GxStdCtrls {

TGxGlyphSettings::TGxGlyphSettings() : FNormalGlyph(NewGlyph()) {}

TGxGlyphSettings::~TGxGlyphSettings() = default;

std::unique_ptr<TBitmap> TGxGlyphSettings::NewGlyph()
{
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->OnChange = [this](TObject*) { DoChange(); };
    return Glyph;
}

void TGxGlyphSettings::SetNormalGlyph(TBitmap* Value)
{
    FNormalGlyph->Assign(Value);
}

void TGxGlyphSettings::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FNormalGlyph->SetTransparentColor(Value);
}

void TGxGlyphSettings::SetTransparent(bool Value)
{
    FTransparent = Value;
    FNormalGlyph->SetTransparent(Value);
}

void TGxGlyphSettings::DoChange()
{
    if (OnChange) OnChange(this);
}

TGxActiveGlyphSettings::TGxActiveGlyphSettings() : FHoverGlyph(NewGlyph()) {}

TGxActiveGlyphSettings::~TGxActiveGlyphSettings() = default;

void TGxActiveGlyphSettings::SetHoverGlyph(TBitmap* Value)
{
    FHoverGlyph->Assign(Value);
}

void TGxActiveGlyphSettings::SetTransparentColor(TColor Value)
{
    TGxGlyphSettings::SetTransparentColor(Value);
    FHoverGlyph->SetTransparentColor(Value);
}

void TGxActiveGlyphSettings::SetTransparent(bool Value)
{
    TGxGlyphSettings::SetTransparent(Value);
    FHoverGlyph->SetTransparent(Value);
}

} // namespace GxStdCtrls
