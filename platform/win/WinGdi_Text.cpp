// Text output and the text and background colours of a device context.
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/QtStrings.h"
#include "platform/win/WinGdi.h"

#include <QFontMetrics>

using namespace platform::detail;

BOOL ExtTextOutW(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const WideChar* Text, UINT Count, const int* Dx)
{
    if (Count > 0 && !Text) return 0;
    const QString S = Count > 0 ? ToQString(std::u16string_view(Text, Count)) : QString();
    return DrawTextOut(DC, QPoint(X, Y), Options, Rect, S, Dx);
}

BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const char* Text, UINT Count, const int* Dx)
{
    if (Count > 0 && !Text) return 0;
    // Dx counts bytes here, characters on the wide path: only a text whose
    // bytes are its characters can take it along.
    const QString S = Count > 0 ? ToQString(std::string_view(Text, Count)) : QString();
    return DrawTextOut(DC, QPoint(X, Y), Options, Rect, S, S.size() == qsizetype(Count) ? Dx : nullptr);
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
