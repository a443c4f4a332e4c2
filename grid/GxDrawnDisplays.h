// grid/GxDrawnDisplays.h
// The displays of the drawn column kinds (tree, check box, HTML, image,
// progress, rate, graphic) and the plays of those that take clicks.
#pragma once
#include "grid/GxDrawnColumns.h"

namespace GxDisplays {

using namespace GxColumns;
using GxColumnClasses::TProgressStyle;
using GxColumnClasses::TProgressTextPosition;

// The glyph made transparent by its bottom-left pixel, without telling its
// OnChange; an empty glyph has no pixel and stays as it is.
void MakeGlyphTransparent(TBitmap* Glyph);

// ---- Displays -------------------------------------------------------------------------------

// Lines, an expand button and the text, indented by the row's level.
class TTreeColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TTreeColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    // The base's, past the indent and the button area.
    TRect GetTextRect() override;
    int GetContentWidth() override;
    void Paint() override;

    // The 9 x 9 button of a row at Level in the cell Rect.
    TRect GetButtonRect(const TRect& Rect, int Level) const;
    int GetIndent() const;
    void DrawLines(const TRect& Rect);
};

class TCheckBoxColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TCheckBoxColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    // The box's size: 13 themed, 11 classic.
    int GetContentWidth() override;
    void Paint() override;
    // The box placed in Rect by the column's alignments.
    virtual void DrawCheckBoxState(const TRect& Rect, bool Checked, bool Hover, bool Pressed);
};

// TagBefore + the text + TagAfter as markup.
class THtmlColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(THtmlColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    // The extent of the markup from the cell's top-left corner, in the column's font.
    TSize GetTextSize() override;
    void Paint() override;
};

class TImageColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TImageColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    // The list's width; 0 without one.
    int GetContentWidth() override;
    void Paint() override;
    void DrawImage(TCustomImageList* Images, int Index);
};

class TProgressColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TProgressColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    void Paint() override;
    // The bar as the column's properties say (in the column's order); a
    // Max of 0 or less fills nothing and says "0%".
    void DrawProgressBar(TColor ProgressColor, TColor HighValueColor, TColor LowValueColor, TColor BorderColor,
                         TProgressStyle ProgressStyle, double Value, int Max, int Margin, int ProgressHeight,
                         int HighValueBound, int LowValueBound, bool ShowText, bool Transparent, bool RoundCorners,
                         TProgressTextPosition TextPosition);
    // Boxes Round(height / 1.5) wide, 2 apart, as many as fit whole.
    void DrawBoxes(const TRect& Rect, TColor Color);
};

class TRateColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TRateColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    int GetContentWidth() override;
    void Paint() override;
    // Max glyphs in a row placed by the column's alignments, the first Value
    // of them Glyph; only those that reach into the cell are drawn.
    void DrawRates(TBitmap* Glyph, TBitmap* EmptyGlyph, int Max, int Value, bool Transparent);
};

class TGraphicColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TGraphicColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    void Paint() override;
    // The picture inside Margin and BorderWidth frames, stretched or fitted.
    void DrawPicture(TGraphic* Graphic, int Margin, bool Stretch, int BorderWidth);
    // The picture scaled to fill Rect one way, centred the other way.
    void DrawConstrainedPicture(TGraphic* Graphic, const TRect& Rect);
};

// ---- Plays ----------------------------------------------------------------------------------

// The button and "+" or "-" ask the grid to expand or collapse the row.
class TTreeColumnPlay : public TColumnPlay {
public:
    QM_CLASS(TTreeColumnPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;

    void KeyPress(WideChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // The button of a row at Level in cell coordinates.
    TRect GetButtonRect(const TRect& Rect, int Level) const;
    bool IsExpandLock() const;
};

// A release in the box or the blank toggles the value.
class TCheckBoxColumnPlay : public TColumnPlay {
public:
    QM_CLASS(TCheckBoxColumnPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;

    void KeyPress(WideChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Shows the cell, then shows it again as checked.
    void Show() override;

    // The box in cell coordinates.
    TRect GetCheckBoxRect() const;

private:
    void Toggle();
};

// The hand over a link, and a click on one fires the column's OnClick.
class THtmlColumnPlay : public TColumnPlay {
public:
    QM_CLASS(THtmlColumnPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;
    // Takes its hand away with it.
    ~THtmlColumnPlay() override;

    void MouseLeave() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // The href of the link at (X, Y) in cell coordinates, as the display
    // draws the cell; empty when none.
    WideString LinkAt(int X, int Y);

private:
    // Puts back the default cursor when the hand is the play's.
    void ReleaseCursor();

    bool FHandShown = false;
};

// A press on a glyph, "+", "-" or a digit sets the rate.
class TRateColumnPlay : public TColumnPlay {
public:
    QM_CLASS(TRateColumnPlay, TColumnPlay)
    using TColumnPlay::TColumnPlay;

    void KeyPress(WideChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton, TShiftState, int, int) override {}

    // The rate whose glyph lies at (X, Y) in cell coordinates; -1 off the
    // glyphs, or with glyphs of no width.
    virtual int GetValueAtPos(int X, int Y);
    virtual int GetGlyphHeight();
    virtual int GetGlyphWidth();
    virtual int GetMax();

    // The glyphs' block in the play's cell rectangle.
    TRect GetRatesRect();

private:
    void ChangeTo(int Value);
};

} // namespace GxDisplays
