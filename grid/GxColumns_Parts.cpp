// grid/GxColumns_Parts.cpp: a column's header, footer and slide box.
#include "grid/GxColumns.h"
#include "platform/rtl/ScopeExit.h"

namespace GxColumns {

// ---- TColumnPart --------------------------------------------------------------------------------

TColumnPart::TColumnPart(TGxCustomColumn* AColumn, TColor AColor)
    : FColor(AColor), FColumn(AColumn), FGlyph(std::make_unique<TBitmap>())
{
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TColumnPart::~TColumnPart() = default;

void TColumnPart::Assign(TPersistent* Source)
{
    auto* Part = dynamic_cast<TColumnPart*>(Source);
    if (!Part) {
        TPersistent::Assign(Source);
        return;
    }
    SetCaption(Part->FCaption);
    SetColor(Part->FColor);
    SetDisplayMode(Part->FDisplayMode);
    SetGlyph(Part->GetGlyph());
}

void TColumnPart::SetCaption(const WideString& Value)
{
    FCaption = Value;
    FColumn->Notify(cnCaptionChange);
    Refresh(gaNone);
}

void TColumnPart::SetColor(TColor Value)
{
    FColor = Value;
    Refresh(gaNone);
}

void TColumnPart::SetDisplayMode(TDisplayMode Value)
{
    FDisplayMode = Value;
    DoChange();
}

void TColumnPart::Refresh(TGridArea Area)
{
    FColumn->Refresh(Area);
}

void TColumnPart::DoChange()
{
    if (OnChange) OnChange(this);
}

void TColumnPart::GlyphChanged(TObject*)
{
    // Making the glyph transparent changes it once more.
    if (FGlyphUpdating) return;
    {
        TRestore<bool> Updating(FGlyphUpdating, true);
        // An empty glyph has no corner pixel to take the colour from.
        if (!FGlyph->GetEmpty()) {
            FGlyph->SetTransparentColor(FGlyph->GetCanvas()->GetPixels(0, FGlyph->GetHeight() - 1));
            FGlyph->SetTransparent(true);
        }
    }
    DoChange();
}

// ---- TColumnHeader ------------------------------------------------------------------------------

void TColumnHeader::Assign(TPersistent* Source)
{
    auto* Header = dynamic_cast<TColumnHeader*>(Source);
    if (!Header) {
        TColumnPart::Assign(Source);
        return;
    }
    SetAlignment(Header->FAlignment);
    SetCaption(Header->GetCaption());
    SetColor(Header->GetColor());
    SetDisplayMode(Header->GetDisplayMode());
    SetGlyph(Header->GetGlyph());
    SetHint(Header->GetHint());
    SetMultiLine(Header->FMultiLine);
    SetOrientation(Header->FOrientation);
}

void TColumnHeader::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Refresh(gaHeader);
}

void TColumnHeader::SetHideArrow(bool Value)
{
    FHideArrow = Value;
    Refresh(gaHeader);
}

void TColumnHeader::SetMultiLine(bool Value)
{
    FMultiLine = Value;
    Refresh(gaHeader);
}

void TColumnHeader::SetOrientation(THeaderOrientation Value)
{
    FOrientation = Value;
    Refresh(gaHeader);
}

// ---- TColumnFooter ------------------------------------------------------------------------------

void TColumnFooter::Assign(TPersistent* Source)
{
    auto* Footer = dynamic_cast<TColumnFooter*>(Source);
    if (!Footer) {
        TColumnPart::Assign(Source);
        return;
    }
    SetAlignment(Footer->FAlignment);
    SetFormulaKind(Footer->FFormulaKind);
    SetFormatMask(Footer->FFormatMask);
    SetTextAfter(Footer->FTextAfter);
    SetTextBefore(Footer->FTextBefore);
}

void TColumnFooter::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Refresh(gaFooter);
}

void TColumnFooter::SetFormatMask(const AnsiString& Value)
{
    FFormatMask = Value;
    DoChange();
}

void TColumnFooter::SetFormatMaskKind(TFormatMaskKind Value)
{
    FFormatMaskKind = Value;
    DoChange();
}

void TColumnFooter::SetFormulaKind(TFormulaKind Value)
{
    FFormulaKind = Value;
    DoChange();
}

void TColumnFooter::SetFormulaValue(double Value)
{
    FFormulaValue = Value;
    DoChange();
}

void TColumnFooter::SetTextAfter(const WideString& Value)
{
    FTextAfter = Value;
    DoChange();
}

void TColumnFooter::SetTextBefore(const WideString& Value)
{
    FTextBefore = Value;
    DoChange();
}

// ---- TGxSlideBounds -----------------------------------------------------------------------------

void TGxSlideBounds::Assign(TPersistent* Source)
{
    auto* Bounds = dynamic_cast<TGxSlideBounds*>(Source);
    if (!Bounds) {
        TPersistent::Assign(Source);
        return;
    }
    SetLeft(Bounds->FLeft);
    SetTop(Bounds->FTop);
    SetHeight(Bounds->FHeight);
    SetWidth(Bounds->FWidth);
}

void TGxSlideBounds::Changed()
{
    FColumn->NotifyColumnChange(ccSlideChanged, -1);
}

void TGxSlideBounds::SetLeft(int Value)
{
    FLeft = Value;
    Changed();
}

void TGxSlideBounds::SetTop(int Value)
{
    FTop = Value;
    Changed();
}

void TGxSlideBounds::SetHeight(int Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TGxSlideBounds::SetWidth(int Value)
{
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

} // namespace GxColumns
