// Conversions between the class library's drawing values (colours, fonts,
// rectangles, points) and Qt's, for platform sources only.
#pragma once
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Types.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

namespace platform::detail {

// A colour whose system colour is already resolved.
inline QColor RgbColor(TColor Rgb)
{
    return QColor(GetRValue(Rgb), GetGValue(Rgb), GetBValue(Rgb));
}
inline QColor ToQColor(TColor Color) // system colours resolved
{
    return RgbColor(ColorToRGB(Color));
}
inline TColor FromQColor(const QColor& Color)
{
    return TColor(RGB(Color.red(), Color.green(), Color.blue()));
}

// The face (through the platform's substitutions), pixel height and style of a font.
QFont ToQFont(const TFont* Font);

inline QRect ToQRect(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}
inline TRect FromQRect(const QRect& R)
{
    return Bounds(R.x(), R.y(), R.width(), R.height());
}
inline QPoint ToQPoint(const TPoint& P)
{
    return QPoint(P.X, P.Y);
}
inline TPoint FromQPoint(const QPoint& P)
{
    return TPoint(P.x(), P.y());
}

} // namespace platform::detail
