// grid/GxStyleDisplay.h
// What paints a grid's headers, footers, input row, row indicator, corner
// boxes and area splitters: a style display, in one of five looks.
#pragma once
#include "grid/GxColumns.h"

namespace GxDisplays {

using namespace GxColumns;

enum THeaderStyle { hsAuto, hsFlatBorders, hsOldStyle, hsOutlook, hsVista };
// Hot tracking of the header under the mouse, the pressed header inverted,
// and a sort arrow of the style's own.
enum TStyleDisplayAttribute { sdaHoverEnabled, sdaInvertFocus, sdaCustomArrow };
using TStyleDisplayAttributes = Set<TStyleDisplayAttribute>;
// The corner box left of the header, left of the footer, or above.
enum TBoxLocation { bpAlone, bpBottom, bpTop };

// The base paints plain fills; each style draws its own frames. The grid
// sets the canvas (and its font) and Themed before it paints.
class TStyleDisplay : public TPersistent {
public:
    QM_CLASS(TStyleDisplay, TPersistent)
    // AOwner is the control painted for: its Color and window handle.
    explicit TStyleDisplay(TCustomControl* AOwner) : FOwner(AOwner) {}

    bool GetRightToLeft() const { return FRightToLeft; }
    void SetRightToLeft(bool Value) { FRightToLeft = Value; }
    TCanvas* GetCanvas() const { return FCanvas; }
    void SetCanvas(TCanvas* Value) { FCanvas = Value; }
    bool GetShowSortArrows() const { return FShowSortArrows; }
    void SetShowSortArrows(bool Value) { FShowSortArrows = Value; }
    bool GetDrawBackgrounds() const { return FDrawBackgrounds; }
    void SetDrawBackgrounds(bool Value) { FDrawBackgrounds = Value; }
    bool GetThemed() const { return FThemed; }
    void SetThemed(bool Value) { FThemed = Value; }
    TCustomControl* GetOwner() const { return FOwner; }

    // Room a header keeps beside its content (for the sort arrow).
    virtual int GetHeaderMargin(TGxCustomColumn* Column);
    virtual TStyleDisplayAttributes GetStyleDisplayAttributes() { return {}; }
    virtual void AdjustTextRect(TRect& /*Rect*/) {}
    // The sort arrow with its box's top-left at (X, Y).
    virtual void DrawArrow(int X, int Y, bool Ascending);
    // The footer's text (formatted by its mask) and glyph.
    virtual void DrawFooterContent(TGxCustomColumn* Column, const TRect& Rect);
    // The header's glyph, caption and sort arrow; a pressed header inverted
    // where the style says so.
    virtual void DrawHeaderContent(TGxCustomColumn* Column, const TRect& Rect);
    virtual void DrawAreaSplitter(const TRect& Rect);
    virtual void DrawCornerBox(const TRect& Rect, TBoxLocation Location);
    // Fill, grid lines, and the content clipped to Rect.
    virtual void DrawFooter(TGxCustomColumn* Column, const TRect& Rect, bool GridLines);
    // The background (unless DrawBackgrounds is off), then the content.
    virtual void DrawHeader(TGxCustomColumn* Column, const TRect& Rect);
    virtual void DrawHeaderBackground(TGxCustomColumn* /*Column*/, const TRect& /*Rect*/) {}
    // The indicator's button face for row Index (the first row has no top edge).
    virtual void DrawIndicator(const TRect& Rect, int Index);
    // The marker of the selected row; the focused row inverted.
    virtual void DrawIndicatorState(const TRect& Rect, bool Selected, bool Focused);
    virtual void DrawInput(TGxCustomColumn* Column, const TRect& Rect, bool GridLines, bool InputSelected,
                           bool Focused);
    // The header strip right of the last column.
    virtual void DrawInactiveHeader(const TRect& Rect);

    // Text vertically centred and cut with an ellipsis, one line unless MultiLine.
    void DoDrawText(TCanvas* Canvas, const TRect& Rect, const WideString& Text, bool MultiLine);
    // A cell's right and bottom grid lines.
    void DrawGrid(const TRect& Rect, TColor Color);
    // The width the header's caption and glyph need.
    int GetHeaderContentWidth(TGxCustomColumn* Column);

protected:
    // Rect inverted on the canvas.
    void InvertRect(const TRect& Rect);
    // Draws Part's glyph (unless the mode hides it) and answers where its text starts.
    int PlaceContent(TGxCustomColumn* Column, TColumnPart* Part, TAlignment Alignment, const TRect& Rect,
                     int TextWidth);
    // Themed drawing of the visual-style class "header".
    void DrawHeaderPart(const TRect& Rect, int Part, int State);

private:
    bool FRightToLeft = false;
    TCanvas* FCanvas = nullptr;
    bool FShowSortArrows = true;
    bool FDrawBackgrounds = true;
    bool FThemed = false;
    TCustomControl* FOwner;
};

// The main window's look: the visual style's header when themed, else a
// classic frame joined to its neighbours.
class TDefaultStyleDisplay : public TStyleDisplay {
public:
    QM_CLASS(TDefaultStyleDisplay, TStyleDisplay)
    using TStyleDisplay::TStyleDisplay;
    TStyleDisplayAttributes GetStyleDisplayAttributes() override;
    void DrawCornerBox(const TRect& Rect, TBoxLocation Location) override;
    void DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect) override;
    void DrawInactiveHeader(const TRect& Rect) override;
    virtual void DrawDefaultFrameBox(TGxCustomColumn* Column, const TRect& Rect);
    virtual void DrawThemedFrameBox(TGxCustomColumn* Column, const TRect& Rect);
};

// Plain fills with a grey line right and below.
class TFlatStyleDisplay : public TStyleDisplay {
public:
    QM_CLASS(TFlatStyleDisplay, TStyleDisplay)
    using TStyleDisplay::TStyleDisplay;
    void DrawAreaSplitter(const TRect& Rect) override;
    void DrawCornerBox(const TRect& Rect, TBoxLocation Location) override;
    void DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect) override;
    void DrawIndicator(const TRect& Rect, int Index) override;
    virtual void DrawDefaultFrameBox(TGxCustomColumn* Column, const TRect& Rect);

private:
    void DrawFlatBox(const TRect& Rect, TColor Color);
};

// Every box a raised button face with a dark outer edge.
class TOldStyleDisplay : public TStyleDisplay {
public:
    QM_CLASS(TOldStyleDisplay, TStyleDisplay)
    using TStyleDisplay::TStyleDisplay;
    TStyleDisplayAttributes GetStyleDisplayAttributes() override { return {sdaInvertFocus}; }
    void DrawCornerBox(const TRect& Rect, TBoxLocation Location) override;
    void DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect) override;
    void DrawIndicator(const TRect& Rect, int Index) override;

private:
    void DrawFrameBox(const TRect& Rect);
};

// Headers standing on three shaded lines.
class TOutlookStyleDisplay : public TStyleDisplay {
public:
    QM_CLASS(TOutlookStyleDisplay, TStyleDisplay)
    using TStyleDisplay::TStyleDisplay;
    TStyleDisplayAttributes GetStyleDisplayAttributes() override { return {sdaInvertFocus}; }
    void AdjustTextRect(TRect& Rect) override { Rect.Bottom -= 3; }
    void DrawAreaSplitter(const TRect& Rect) override;
    void DrawCornerBox(const TRect& Rect, TBoxLocation Location) override;
    void DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect) override;
    virtual void DrawFrameBox(TGxCustomColumn* Column, const TRect& Rect);

private:
    void DrawShadeLines(const TRect& Rect, TColor Color);
};

// Light headers; a sorted one shaded at the top, its arrow on the top edge.
class TVistaStyleDisplay : public TStyleDisplay {
public:
    QM_CLASS(TVistaStyleDisplay, TStyleDisplay)
    using TStyleDisplay::TStyleDisplay;
    TStyleDisplayAttributes GetStyleDisplayAttributes() override { return {sdaCustomArrow}; }
    void AdjustTextRect(TRect& Rect) override { Rect.Left += 2; }
    void DrawArrow(int X, int Y, bool Ascending) override;
    void DrawHeaderBackground(TGxCustomColumn* Column, const TRect& Rect) override;
    void DrawIndicator(const TRect& Rect, int Index) override;
    virtual void DrawFrameBox(TGxCustomColumn* Column, const TRect& Rect);

private:
    void DrawEdges(const TRect& Rect);
};

// The class of a style: makes a style display for a control.
using TStyleDisplayClass = TStyleDisplay* (*)(TCustomControl* AOwner);
template <typename T> TStyleDisplay* StyleDisplayClass(TCustomControl* AOwner)
{
    return New<T>(AOwner);
}
// The class that paints Style.
TStyleDisplayClass GetStyleDisplayClass(THeaderStyle Style);

// A footer's text as it shows: TextBefore, the caption through its format
// mask, TextAfter.
WideString FooterText(TColumnFooter* Footer);

} // namespace GxDisplays
