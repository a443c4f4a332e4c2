// grid/GxColumnParts.h
// The parts of a column: its header and footer, and its box in the slides view.
#pragma once
#include "grid/GxColumnTypes.h"

#include <memory>

namespace GxColumns {

// What a header and a footer share. OnChange is the column's, which hears of
// every change that is not a plain repaint.
class TColumnPart : public TPersistent {
public:
    QM_CLASS(TColumnPart, TPersistent)
    ~TColumnPart() override;
    // Another part's Caption, Color, DisplayMode and Glyph.
    void Assign(TPersistent* Source) override;

    const WideString& GetCaption() const { return FCaption; }
    void SetCaption(const WideString& Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TGxCustomColumn* GetColumn() const { return FColumn; }
    TDisplayMode GetDisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TDisplayMode Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    const WideString& GetHint() const { return FHint; }
    void SetHint(const WideString& Value) { FHint = Value; }

    TNotifyEvent OnChange;

protected:
    TColumnPart(TGxCustomColumn* AColumn, TColor AColor);
    virtual void DoChange();
    // Asks the column's grid to repaint that area of the column.
    void Refresh(TGridArea Area);

private:
    void GlyphChanged(TObject* Sender);

    WideString FCaption;
    TColor FColor;
    TGxCustomColumn* FColumn;
    TDisplayMode FDisplayMode = dmTextOnly;
    std::unique_ptr<TBitmap> FGlyph;
    WideString FHint;
    bool FGlyphUpdating = false;
};

class TColumnHeader : public TColumnPart {
public:
    QM_CLASS(TColumnHeader, TColumnPart)
    explicit TColumnHeader(TGxCustomColumn* AColumn) : TColumnPart(AColumn, clBtnFace) {}
    // From another header also its Alignment, Hint, MultiLine and Orientation.
    void Assign(TPersistent* Source) override;

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetHideArrow() const { return FHideArrow; }
    void SetHideArrow(bool Value);
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    THeaderOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(THeaderOrientation Value);

private:
    TAlignment FAlignment = taLeftJustify;
    bool FHideArrow = true;
    bool FMultiLine = false;
    THeaderOrientation FOrientation = hoHorizontal;
};

class TColumnFooter : public TColumnPart {
public:
    QM_CLASS(TColumnFooter, TColumnPart)
    explicit TColumnFooter(TGxCustomColumn* AColumn) : TColumnPart(AColumn, clWindow) {}
    // From another footer only its Alignment, FormulaKind, FormatMask,
    // TextAfter and TextBefore; from any other part as a part.
    void Assign(TPersistent* Source) override;

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    const AnsiString& GetFormatMask() const { return FFormatMask; }
    void SetFormatMask(const AnsiString& Value);
    TFormatMaskKind GetFormatMaskKind() const { return FFormatMaskKind; }
    void SetFormatMaskKind(TFormatMaskKind Value);
    TFormulaKind GetFormulaKind() const { return FFormulaKind; }
    void SetFormulaKind(TFormulaKind Value);
    double GetFormulaValue() const { return FFormulaValue; }
    void SetFormulaValue(double Value);
    const WideString& GetTextAfter() const { return FTextAfter; }
    void SetTextAfter(const WideString& Value);
    const WideString& GetTextBefore() const { return FTextBefore; }
    void SetTextBefore(const WideString& Value);

private:
    TAlignment FAlignment = taLeftJustify;
    AnsiString FFormatMask;
    TFormatMaskKind FFormatMaskKind = mkText;
    TFormulaKind FFormulaKind = fkNone;
    double FFormulaValue = 0;
    WideString FTextAfter;
    WideString FTextBefore;
};

// The column's box in the slides view.
class TGxSlideBounds : public TPersistent {
public:
    QM_CLASS(TGxSlideBounds, TPersistent)
    explicit TGxSlideBounds(TGxCustomColumn* AColumn) : FColumn(AColumn) {}
    // Another box's Left, Top, Height and Width, each through its setter.
    void Assign(TPersistent* Source) override;

    TGxCustomColumn* GetColumn() const { return FColumn; }
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value);
    int GetTop() const { return FTop; }
    void SetTop(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetRight() const { return FLeft + FWidth; }
    int GetBottom() const { return FTop + FHeight; }

private:
    void Changed();

    TGxCustomColumn* FColumn;
    int FLeft = 8;
    int FTop = 8;
    int FHeight = 16;
    int FWidth = 80;
};

} // namespace GxColumns
