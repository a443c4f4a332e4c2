#include "platform/qt/BridgeWidget.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/QtStrings.h"

#include <QFontMetrics>

#include <cmath>

namespace platform::detail {

QColor ToQColor(TColor Color)
{
    const TColor Rgb = ColorToRGB(Color);
    return QColor(GetRValue(Rgb), GetGValue(Rgb), GetBValue(Rgb));
}

TColor FromQColor(const QColor& Color)
{
    return TColor(RGB(Color.red(), Color.green(), Color.blue()));
}

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

QCursor StandardCursor(TCursor Cursor)
{
    switch (Cursor) {
    case crNone:
        return QCursor(Qt::BlankCursor);
    case crCross:
        return QCursor(Qt::CrossCursor);
    case crIBeam:
        return QCursor(Qt::IBeamCursor);
    case crSizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS:
        return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE:
        return QCursor(Qt::SizeHorCursor);
    case crUpArrow:
        return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait:
        return QCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag:
        return QCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo:
        return QCursor(Qt::ForbiddenCursor);
    case crHSplit:
        return QCursor(Qt::SplitHCursor);
    case crVSplit:
        return QCursor(Qt::SplitVCursor);
    case crAppStart:
        return QCursor(Qt::BusyCursor);
    case crHelp:
        return QCursor(Qt::WhatsThisCursor);
    case crHandPoint:
        return QCursor(Qt::PointingHandCursor);
    case crSizeAll:
        return QCursor(Qt::SizeAllCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

QCursor ToQCursor(TCursor Cursor)
{
    if (Screen) return Screen->GetCursors(Cursor)->Cursor;
    return StandardCursor(Cursor);
}

} // namespace platform::detail
