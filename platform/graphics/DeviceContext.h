// Private: what a device context (HDC) is, for the platform's drawing code.
// A device context draws into an image through a target, which also learns
// which part was touched (a window shows it). It carries the state GDI
// selects into it: pen, brush, font, text and background colours, raster
// operation, pen position, origin and clipping. Drawing code opens a short
// TDCPainter per operation: only one QPainter may be active on an image, and
// other code may draw on the same image between two operations.
#pragma once
#include "platform/graphics/GraphicsObjects.h"
#include "platform/graphics/QtGraphics.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

class QTextLayout;

namespace platform::detail {

// Where a device context's drawing lands.
class TDrawTarget {
public:
    virtual ~TDrawTarget() = default;
    // The image drawn on, or null when there is none (any more).
    virtual QImage* Image() = 0;
    // Called after a drawing changed DeviceRect (image coordinates).
    virtual void Touched(const QRect& DeviceRect) { (void)DeviceRect; }
    // A monochrome bitmap's image: bit-block transfers map its two colours
    // to and from the text and background colours, as GDI does.
    virtual bool Monochrome() { return false; }
};

} // namespace platform::detail

struct HDC__ {
    // Null: a context that measures text but draws nothing.
    std::shared_ptr<platform::detail::TDrawTarget> Target;
    // Image position of logical (0, 0).
    QPoint Origin;
    // Image coordinates; none means the whole image.
    std::optional<QRegion> Clip;
    // The clip region selected by the program (SelectClipRgn ...), image
    // coordinates; drawing reaches only where it and Clip both allow.
    std::optional<QRegion> ClipRgn;

    TColor PenColor = clBlack; // RGB, system colours resolved
    TPenStyle PenStyle = psSolid;
    int PenWidth = 1;
    TPenMode Rop2 = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    QFont Font;
    // Of the font selected last: its escapement (tenths of a degree, text
    // turned counter-clockwise) and its handle (SelectObject answers it).
    int FontEscapement = 0;
    HFONT FontHandle = nullptr;
    // A pattern brush's picture, tiled from logical (0, 0); null for none.
    // A monochrome one (Format_Mono) paints 0 in the text colour and 1 in
    // the background colour.
    QImage BrushPattern;
    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    bool BkTransparent = false;
    QPoint PenPos; // logical
    // The logical point that Origin stands for (SetWindowOrgEx): moving it
    // moves Origin the other way.
    QPoint WindowOrg;
    // States pushed by SaveDC, the latest last.
    std::vector<HDC__> SavedStates;

    // The window whose GetDC/GetWindowDC made it (for ReleaseDC), or null.
    HWND Window = nullptr;
};

namespace platform::detail {

// What a pattern brush tiles (TBrush::SetBitmap makes it), asked for when a
// canvas selects the brush, so that it shows the brush's bitmap as it is then.
class TBrushPattern {
public:
    virtual ~TBrushPattern() = default;
    // HDC__::BrushPattern's picture; null for an empty bitmap.
    virtual QImage Image() const = 0;
};

// The composition mode of a raster operation; false for pmNop (draw nothing).
bool CompositionFor(TPenMode Mode, QPainter::CompositionMode& Result);
// The colour a raster operation paints with (pmBlack / pmWhite force theirs).
QColor RopColor(TPenMode Mode, TColor Rgb);

// A painter on a device context's image for one operation, with antialiasing
// off, the clip applied and logical coordinates. Inactive (draw nothing)
// when the context has no image or the clip is empty. On destruction the
// target learns of the touched part: LogicalBounds (grown by the pen) as
// given, clipped. LogicalClip, when given, keeps the drawing inside it too.
class TDCPainter {
public:
    TDCPainter(HDC DC, const QRect& LogicalBounds, const QRect* LogicalClip = nullptr);
    ~TDCPainter();
    TDCPainter(const TDCPainter&) = delete;
    TDCPainter& operator=(const TDCPainter&) = delete;

    bool Active() const { return FActive; }
    QPainter& Painter() { return FPainter; }
    // Pen and brush of the context, with its raster operation; false when
    // the operation paints nothing.
    bool SelectPen();
    bool SelectBrush();
    void SelectNoPen() { FPainter.setPen(Qt::NoPen); }
    void SelectNoBrush() { FPainter.setBrush(Qt::NoBrush); }

private:
    HDC FDC;
    QImage* FImage = nullptr;
    QPainter FPainter;
    QRect FBounds;
    bool FActive = false;
};

// Draws a line from A to B (logical) with the context's pen, end point
// excluded; only the part inside the drawable box costs anything.
void DrawLine(HDC DC, QPoint A, QPoint B);

// The brush of a context as Qt paints it (Qt::NoBrush for a clear one).
QBrush BrushOf(const HDC__& DC);

// Where a context's drawing can land: its image, its own clip and the
// selected clip region (image coordinates); empty without an image.
QRegion DrawableRegion(const HDC__& DC);
// Whether one pixel (image coordinates) lies in it.
bool DrawablePoint(const HDC__& DC, QPoint Device);

// A line of text shaped once in a font, then measured and drawn from the
// same glyphs: shaping is most of what a piece of text costs.
class TTextLine {
public:
    TTextLine();
    // Direction: the reading order that places neutral characters (by
    // default the text's own, from its first strong character); TabsAsBlanks
    // draws tabs as blanks. The width is always that of the text as written
    // in its own reading order, so a forced order that differs from it, or
    // a tab drawn as a blank, costs a second shaping.
    TTextLine(const QString& Text, const QFont& Font, Qt::LayoutDirection Direction = Qt::LayoutDirectionAuto,
              bool TabsAsBlanks = false);
    TTextLine(TTextLine&&) noexcept;
    TTextLine& operator=(TTextLine&&) noexcept;
    ~TTextLine();

    const QString& Text() const { return FText; }
    // The advance of the whole line (QFontMetrics::horizontalAdvance's answer).
    int Width() const { return FWidth; }
    // The x of the boundary before character Position, from the drawn line's start.
    qreal CursorX(qsizetype Position) const;
    // The baseline's distance from the line's top (the largest ascent of its fonts).
    qreal Ascent() const;
    // Draws the line in the painter's pen, its top-left corner at TopLeft.
    void Draw(QPainter& Painter, QPointF TopLeft) const;

private:
    QString FText;
    std::unique_ptr<QTextLayout> FLayout;
    int FWidth = 0;
};

// One line of text as GDI's text output draws it: the cell's top-left
// corner at TopLeft (logical), the context's font turned by its
// escapement, the text colour, the cell filled with the background colour
// unless the background is transparent; kept inside Clip (logical) when
// given. Dx, when given, holds each character's advance. Answers the
// width of the text's cell.
int DrawTextRun(HDC DC, QPoint TopLeft, const QString& Text, const QRect* Clip, const int* Dx = nullptr);
// GDI's text output (ExtTextOut): ETO_OPAQUE fills Rect with the background
// colour first, ETO_CLIPPED keeps the text inside Rect, then DrawTextRun.
// False without a context.
bool DrawTextOut(HDC DC, QPoint TopLeft, UINT Options, const TRect* Rect, const QString& Text, const int* Dx);

// GDI's bit-block transfer (BitBlt, StretchBlt, PatBlt): combines the pixels
// of SrcArea of Src, scaled to DestArea (a negative width or height
// mirrors), with those of DestArea of Dest and the brush, by the ternary
// raster operation RasterOp (a GdiTypes.h ROP). Src may be null when the
// operation ignores it. False without a destination, or without a source
// that the operation needs.
bool BitTransfer(HDC Dest, QRect DestArea, HDC Src, QRect SrcArea, DWORD RasterOp);

// A new device context on a target, its font and colours the system's defaults.
HDC CreateDC(std::shared_ptr<TDrawTarget> Target, QPoint Origin, std::optional<QRegion> Clip);
void DeleteDC(HDC DC);

} // namespace platform::detail
