// grid/GxValueDisplays.h
// The cell painters of the kinds that format a value: each puts the cell's
// value into a TCellInfo and draws its column's GetDrawText; the strings
// displays add an item image, the memo display keeps line breaks.
#pragma once
#include "grid/GxTextColumnDisplay.h"
#include "platform/controls/ImgList.h"

namespace GxDisplays {

// A date-time cell (AsDateTime and AsString) through its column's text.
class TDateColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TDateColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

// A real cell (AsFloat and AsString) through its column's text.
class TNumberColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TNumberColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

// A time cell (AsDateTime alone) through its column's text.
class TTimeColumnDisplay : public TTextColumnDisplay {
public:
    QM_CLASS(TTimeColumnDisplay, TTextColumnDisplay)
    using TTextColumnDisplay::TTextColumnDisplay;
    void Paint() override;
};

// A row number (AsInteger alone) through its column's text.
class TIncrementColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TIncrementColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

// The column's text and, as its DisplayMode says, the image of the cell's
// index from its Images at the cell's left.
class TCustomStringsColumnDisplay : public TTextColumnDisplay {
public:
    QM_CLASS(TCustomStringsColumnDisplay, TTextColumnDisplay)
    using TTextColumnDisplay::TTextColumnDisplay;
    void Paint() override;

protected:
    // Text in the text rectangle unless Mode is dmImageOnly; image Index,
    // centred down the cell 2 pixels from its left, unless Mode is
    // dmTextOnly or there are no Images.
    virtual void DrawContent(TDisplayMode Mode, const WideString& Text, int Index, TCustomImageList* Images);
};

// A strings display whose text keeps clear of the image.
class TStringsColumnDisplay : public TCustomStringsColumnDisplay {
public:
    QM_CLASS(TStringsColumnDisplay, TCustomStringsColumnDisplay)
    using TCustomStringsColumnDisplay::TCustomStringsColumnDisplay;
    // The image's width + 4 more at the left while an image shows.
    TRect GetTextRect() override;
    // The text's width, the image's, or both with 4 between.
    int GetContentWidth() override;
};

// The cell's own text with its line breaks, in a rectangle 2 pixels in at
// the left, 1 at the top and the right.
class TMemoColumnDisplay : public TTextColumnDisplay {
public:
    QM_CLASS(TMemoColumnDisplay, TTextColumnDisplay)
    using TTextColumnDisplay::TTextColumnDisplay;
    TRect GetTextRect() override;
    void Paint() override;
};

} // namespace GxDisplays
