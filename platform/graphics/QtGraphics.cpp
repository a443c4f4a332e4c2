#include "platform/graphics/QtGraphics.h"
#include "platform/rtl/QtStrings.h"

#include <QFontMetrics>

#include <cmath>

namespace platform::detail {

QFont ToQFont(const TFont* Font)
{
    QFont F(ToQString(Font->GetName()));
    // GDI: a negative height is the em height, a positive one the cell
    // height (ascent + descent), 0 the face's default.
    int Height = Font->GetHeight();
    if (Height == 0) Height = -11;
    if (Height < 0) {
        F.setPixelSize(-Height);
    } else {
        F.setPixelSize(Height);
        const int Cell = QFontMetrics(F).height();
        if (Cell > 0 && Cell != Height) F.setPixelSize(std::max(1, int(std::lround(double(Height) * Height / Cell))));
    }
    const TFontStyles Style = Font->GetStyle();
    F.setBold(Style.Contains(fsBold));
    F.setItalic(Style.Contains(fsItalic));
    F.setUnderline(Style.Contains(fsUnderline));
    F.setStrikeOut(Style.Contains(fsStrikeOut));
    if (Font->GetPitch() == fpFixed) {
        F.setFixedPitch(true);
        F.setStyleHint(QFont::TypeWriter);
    }
    return F;
}

} // namespace platform::detail
