// Text output and the text and background colours of a device context.
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/QtStrings.h"
#include "platform/win/WinGdi.h"

#include <QFontMetrics>
#include <QTransform>

#include <cstring>

using namespace platform::detail;

namespace platform::detail {

int DrawTextRun(HDC DC, QPoint TopLeft, const QString& Text, const QRect* Clip, const int* Dx)
{
    if (!DC || Text.isEmpty()) return 0;
    const QFontMetrics M(DC->Font);
    // Qt draws the underline and strike-out of a laid-out line otherwise
    // than those of a run of text: such text is drawn as a run.
    const bool Run = Dx || DC->Font.underline() || DC->Font.strikeOut();
    TTextLine Line;
    int Width = 0;
    if (Dx) {
        for (qsizetype I = 0; I < Text.size(); ++I)
            Width += Dx[I];
    } else if (Run) {
        Width = M.horizontalAdvance(Text);
    } else {
        Line = TTextLine(Text, DC->Font);
        Width = Line.Width();
    }
    const QRect Cell(0, 0, Width, M.height());
    if (Cell.isEmpty()) return Width;
    // The escapement turns the text counter-clockwise about the cell's
    // top-left corner (900: the text runs upwards from TopLeft).
    QTransform Turn;
    Turn.translate(TopLeft.x(), TopLeft.y());
    Turn.rotate(-DC->FontEscapement / 10.0);
    QRect Bounds = Turn.mapRect(Cell).adjusted(-1, -1, 1, 1);
    if (Clip) Bounds &= *Clip;
    if (Bounds.isEmpty()) return Width;
    TDCPainter P(DC, Bounds, Clip);
    if (!P.Active()) return Width;
    QPainter& Painter = P.Painter();
    Painter.setTransform(Turn, true);
    if (!DC->BkTransparent) Painter.fillRect(Cell, RgbColor(DC->BkColor));
    Painter.setPen(RgbColor(DC->TextColor));
    if (!Run) {
        // The baseline sits at the font's ascent, whatever fonts stand in for some characters.
        Line.Draw(Painter, QPointF(0, M.ascent() - Line.Ascent()));
        return Width;
    }
    Painter.setFont(DC->Font);
    if (!Dx) {
        Painter.drawText(QPoint(0, M.ascent()), Text);
        return Width;
    }
    int X = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        Painter.drawText(QPoint(X, M.ascent()), Text.mid(I, 1));
        X += Dx[I];
    }
    return Width;
}

} // namespace platform::detail

namespace {

BOOL TextOutCore(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const QString& Text, const int* Dx)
{
    if (!DC) return 0;
    if ((Options & ETO_OPAQUE) && Rect && !IsRectEmpty(*Rect)) {
        const QRect R = ToQRect(*Rect);
        TDCPainter P(DC, R);
        if (P.Active()) P.Painter().fillRect(R, RgbColor(DC->BkColor));
    }
    QRect Clip;
    if ((Options & ETO_CLIPPED) && Rect) Clip = ToQRect(*Rect);
    DrawTextRun(DC, QPoint(X, Y), Text, (Options & ETO_CLIPPED) && Rect ? &Clip : nullptr, Dx);
    return 1;
}

} // namespace

BOOL ExtTextOutW(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const WideChar* Text, UINT Count, const int* Dx)
{
    if (Count > 0 && !Text) return 0;
    const QString S = Count > 0 ? ToQString(std::u16string_view(Text, Count)) : QString();
    return TextOutCore(DC, X, Y, Options, Rect, S, Dx);
}

BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const char* Text, UINT Count, const int* Dx)
{
    if (Count > 0 && !Text) return 0;
    // Dx counts bytes here, characters on the wide path: only a text whose
    // bytes are its characters can take it along.
    const QString S = Count > 0 ? ToQString(std::string_view(Text, Count)) : QString();
    return TextOutCore(DC, X, Y, Options, Rect, S, S.size() == qsizetype(Count) ? Dx : nullptr);
}

BOOL GetTextMetricsA(HDC DC, TEXTMETRICA* Metrics)
{
    if (!DC || !Metrics) return 0;
    const QFontMetrics M(DC->Font);
    Metrics->tmHeight = M.height();
    Metrics->tmAscent = M.ascent();
    Metrics->tmDescent = M.descent();
    Metrics->tmInternalLeading = std::max(0, M.height() - DC->Font.pixelSize());
    Metrics->tmExternalLeading = std::max(0, M.leading());
    Metrics->tmAveCharWidth = M.averageCharWidth();
    Metrics->tmMaxCharWidth = M.maxWidth();
    return 1;
}

// ---- Colours of text and background ---------------------------------------------------------

COLORREF SetTextColor(HDC DC, COLORREF Color)
{
    if (!DC) return COLORREF(CLR_INVALID);
    const COLORREF Previous = COLORREF(DC->TextColor);
    DC->TextColor = TColor(Color & 0xFFFFFF);
    return Previous;
}

COLORREF GetTextColor(HDC DC)
{
    return DC ? COLORREF(DC->TextColor) : COLORREF(CLR_INVALID);
}

COLORREF SetBkColor(HDC DC, COLORREF Color)
{
    if (!DC) return COLORREF(CLR_INVALID);
    const COLORREF Previous = COLORREF(DC->BkColor);
    DC->BkColor = TColor(Color & 0xFFFFFF);
    return Previous;
}

COLORREF GetBkColor(HDC DC)
{
    return DC ? COLORREF(DC->BkColor) : COLORREF(CLR_INVALID);
}

int SetBkMode(HDC DC, int Mode)
{
    if (!DC || (Mode != TRANSPARENT && Mode != OPAQUE)) return 0;
    const int Previous = GetBkMode(DC);
    DC->BkTransparent = Mode == TRANSPARENT;
    return Previous;
}

int GetBkMode(HDC DC)
{
    if (!DC) return 0;
    return DC->BkTransparent ? TRANSPARENT : OPAQUE;
}
