// grid/GxDrawnColumns.h
// The column kinds whose cells are drawn rather than written, and which
// take clicks: tree, check box, HTML, image, progress, rate and graphic.
#pragma once
#include "grid/GxColumns.h"
#include "platform/controls/ImgList.h"

namespace GxColumnClasses {

using namespace GxColumns;

// The tree's geometry in pixels: the indent of each level and the button's
// area before the text.
inline constexpr int TreeIndent = 19;
inline constexpr int TreeButtonArea = 16;

// The tree of the rows in text cells: lines, expand buttons and the text
// indented by the row's level. Edited in a TGxEdit beside the button.
class TGxTreeColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxTreeColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
    void AfterConstruction() override;

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnPlayClass GetColumnPlayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csClickable, csCanEdit, csDisableSorting, csFitToLargest}; }
    // Any character above the blank starts editing.
    bool IsKeyValid(WideChar Key) override { return Key > 32; }
    // Past the indent of the row's level and its button.
    void AdjustEditRect(int Level, TRect& EditRect) override;

    // ---- Published properties
    // The play expands and collapses nothing (stored only).
    bool GetExpandLock() const { return FExpandLock; }
    void SetExpandLock(bool Value) { FExpandLock = Value; }
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool GetShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);

private:
    bool FExpandLock = false;
    bool FShowButtons = true;
    bool FShowLines = false;
};

// Boolean cells shown as check boxes, toggled by a click in the box or the blank.
class TGxCheckBoxColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxCheckBoxColumn, TGxCustomColumn)
    explicit TGxCheckBoxColumn(TComponent* AOwner);
    void AfterConstruction() override;

    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnPlayClass GetColumnPlayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csCanEdit, csFitToLargest}; }
};

using TGxHtmlClickEvent = std::function<void(TObject* Sender, const WideString& Href)>;

// Text cells drawn as HTML-like markup, between TagBefore and TagAfter; a
// click on a link fires OnClick with its href.
class TGxHtmlColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxHtmlColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
    void AfterConstruction() override;

    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnPlayClass GetColumnPlayClass() const override;
    // TagBefore + Text + TagAfter: the markup a cell draws.
    WideString Tagged(const WideString& Text) const;

    // Each repaints the column.
    const WideString& GetTagAfter() const { return FTagAfter; }
    void SetTagAfter(const WideString& Value);
    const WideString& GetTagBefore() const { return FTagBefore; }
    void SetTagBefore(const WideString& Value);

    // Fired by the play with itself as Sender.
    TGxHtmlClickEvent OnClick;

private:
    WideString FTagAfter;
    WideString FTagBefore;
};

// Integer cells naming a picture of Images, an image list the column
// references and forgets when it goes.
class TGxImageColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxImageColumn, TGxCustomColumn)
    explicit TGxImageColumn(TComponent* AOwner);
    void AfterConstruction() override;
    // The base's settings, and Images from another image column.
    void Assign(TPersistent* Source) override;

    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csFitToLargest}; }

    // ---- Published properties, stored only
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Kept for the program; the display does not consult it.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomImageList* FImages = nullptr;
    bool FTransparent = true;
};

// psSolid is also the class library's pen style; qualify it where both are seen.
enum TProgressStyle { psSolid, psBoxes, psGradient, psCylinder };
enum TProgressTextPosition { tpInside, tpBeside };

// Float cells drawn as bars of Value of Max, coloured by the two bounds,
// with their percentage. Every property is stored only: a program that
// changes one repaints the grid itself.
class TGxProgressColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxProgressColumn, TGxCustomColumn)
    explicit TGxProgressColumn(TComponent* AOwner);
    void AfterConstruction() override;
    // The base's settings, and from another progress column BorderColor,
    // Margin, Max, ProgressColor, ProgressStyle, TextPosition and ShowText.
    void Assign(TPersistent* Source) override;

    TColumnDisplayClass GetColumnDisplayClass() const override;

    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    bool GetHideWhenEmpty() const { return FHideWhenEmpty; }
    void SetHideWhenEmpty(bool Value) { FHideWhenEmpty = Value; }
    int GetHighValueBound() const { return FHighValueBound; }
    void SetHighValueBound(int Value) { FHighValueBound = Value; }
    TColor GetHighValueColor() const { return FHighValueColor; }
    void SetHighValueColor(TColor Value) { FHighValueColor = Value; }
    int GetLowValueBound() const { return FLowValueBound; }
    void SetLowValueBound(int Value) { FLowValueBound = Value; }
    TColor GetLowValueColor() const { return FLowValueColor; }
    void SetLowValueColor(TColor Value) { FLowValueColor = Value; }
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value) { FMargin = Value; }
    int GetMax() const { return FMax; }
    void SetMax(int Value) { FMax = Value; }
    TColor GetProgressColor() const { return FProgressColor; }
    void SetProgressColor(TColor Value) { FProgressColor = Value; }
    // The bar's height; 0 fills the cell less its margins.
    int GetProgressHeight() const { return FProgressHeight; }
    void SetProgressHeight(int Value) { FProgressHeight = Value; }
    TProgressStyle GetProgressStyle() const { return FProgressStyle; }
    void SetProgressStyle(TProgressStyle Value) { FProgressStyle = Value; }
    bool GetRoundCorners() const { return FRoundCorners; }
    void SetRoundCorners(bool Value) { FRoundCorners = Value; }
    bool GetShowText() const { return FShowText; }
    void SetShowText(bool Value) { FShowText = Value; }
    TProgressTextPosition GetTextPosition() const { return FTextPosition; }
    void SetTextPosition(TProgressTextPosition Value) { FTextPosition = Value; }
    // Frame and bar only, on the cell as it is.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

private:
    TColor FBorderColor = clGray;
    bool FHideWhenEmpty = false;
    int FHighValueBound = 0;
    TColor FHighValueColor = clHighlight;
    int FLowValueBound = 0;
    TColor FLowValueColor = clHighlight;
    int FMargin = 2;
    int FMax = 100;
    TColor FProgressColor = clHighlight;
    int FProgressHeight = 0;
    TProgressStyle FProgressStyle = psSolid;
    bool FRoundCorners = false;
    bool FShowText = false;
    TProgressTextPosition FTextPosition = tpBeside;
    bool FTransparent = false;
};

// Integer cells drawn as Max glyphs, the first Value of them Glyph and the
// rest EmptyGlyph; a click or "+", "-" and digits set the value.
class TGxRateColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxRateColumn, TGxCustomColumn)
    explicit TGxRateColumn(TComponent* AOwner);
    void AfterConstruction() override;
    // The base's settings, and from another rate column both glyphs, Max
    // and Transparent.
    void Assign(TPersistent* Source) override;

    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnPlayClass GetColumnPlayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csFitToLargest}; }

    // ---- Published properties; the glyphs are the column's own and their
    // setters copy the bitmap.
    TBitmap* GetEmptyGlyph() const { return FEmptyGlyph.get(); }
    void SetEmptyGlyph(TBitmap* Value) { FEmptyGlyph->Assign(Value); }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    bool GetHideWhenEmpty() const { return FHideWhenEmpty; }
    void SetHideWhenEmpty(bool Value) { FHideWhenEmpty = Value; }
    int GetMax() const { return FMax; }
    // Repaints the column when the value changes.
    void SetMax(int Value);
    // Each glyph set while it holds is made transparent by its bottom-left pixel.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

protected:
    virtual void DoGlyphChanged(TObject* Sender);

private:
    std::unique_ptr<TBitmap> FEmptyGlyph;
    std::unique_ptr<TBitmap> FGlyph;
    bool FHideWhenEmpty = false;
    int FMax = 5;
    bool FTransparent = false;
};

// Cells holding a picture (the cell's object), fitted or stretched into
// the cell inside a margin and a frame; each setter repaints the column.
class TGxGraphicColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxGraphicColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
    void AfterConstruction() override;

    TColumnDisplayClass GetColumnDisplayClass() const override;

    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);

private:
    int FBorderWidth = 1;
    int FMargin = 4;
    bool FStretch = false;
};

} // namespace GxColumnClasses
