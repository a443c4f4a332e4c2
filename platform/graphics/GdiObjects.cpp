#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/QtGraphics.h"

#include <algorithm>
#include <cstring>

namespace platform::detail {

HRGN NewRegion(const QRegion& Area)
{
    auto Region = std::make_unique<TRegionObject>();
    Region->Area = Area;
    return static_cast<HRGN>(AddGdiObject(std::move(Region)));
}

QRegion* RegionOf(HRGN Region)
{
    auto* R = LiveGdiObject<TRegionObject>(Region);
    return R ? &R->Area : nullptr;
}

int RegionKind(const QRegion& Area)
{
    if (Area.isEmpty()) return NULLREGION;
    return Area.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QFont FontFromLogFont(const LOGFONTA& LogFont)
{
    // One way from a description to a face: through a TFont, as the canvas does.
    TFont Font;
    const std::size_t Length = strnlen(LogFont.lfFaceName, LF_FACESIZE);
    if (Length > 0) Font.SetName(AnsiString(LogFont.lfFaceName, Length));
    Font.SetHeight(LogFont.lfHeight);
    TFontStyles Style;
    if (LogFont.lfWeight >= FW_SEMIBOLD) Style.Include(fsBold);
    if (LogFont.lfItalic) Style.Include(fsItalic);
    if (LogFont.lfUnderline) Style.Include(fsUnderline);
    if (LogFont.lfStrikeOut) Style.Include(fsStrikeOut);
    Font.SetStyle(Style);
    Font.SetCharset(LogFont.lfCharSet);
    const BYTE Pitch = LogFont.lfPitchAndFamily & 0x03;
    Font.SetPitch(Pitch == FIXED_PITCH ? fpFixed : Pitch == VARIABLE_PITCH ? fpVariable : fpDefault);
    return ToQFont(&Font);
}

LOGFONTA LogFontOf(const TFont* Font)
{
    LOGFONTA LogFont;
    LogFont.lfHeight = Font->GetHeight();
    const TFontStyles Style = Font->GetStyle();
    LogFont.lfWeight = Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    LogFont.lfItalic = Style.Contains(fsItalic);
    LogFont.lfUnderline = Style.Contains(fsUnderline);
    LogFont.lfStrikeOut = Style.Contains(fsStrikeOut);
    LogFont.lfCharSet = Font->GetCharset();
    LogFont.lfPitchAndFamily = Font->GetPitch() == fpFixed      ? FIXED_PITCH
                               : Font->GetPitch() == fpVariable ? VARIABLE_PITCH
                                                                : DEFAULT_PITCH;
    const AnsiString& Name = Font->GetName();
    std::memcpy(LogFont.lfFaceName, Name.data(), std::min<std::size_t>(Name.size(), LF_FACESIZE - 1));
    return LogFont;
}

bool DeleteGdiObject(HGDIOBJ Object)
{
    auto* Live = static_cast<TGdiObject*>(HandleObject(Object, hkGdiObject));
    if (!Live || Live->Stock) return false;
    RemoveHandle(Object);
    delete Live;
    return true;
}

HFONT StockFont()
{
    static HFONT Font = [] {
        TFont Default;
        auto Object = std::make_unique<TFontObject>();
        Object->LogFont = LogFontOf(&Default);
        Object->Stock = true;
        return static_cast<HFONT>(AddGdiObject(std::move(Object)));
    }();
    return Font;
}

} // namespace platform::detail

using namespace platform::detail;

// ---- TFont's handle -----------------------------------------------------------------

TFont::~TFont()
{
    DeleteGdiObject(FHandle);
}

HFONT TFont::GetHandle()
{
    // One handle for the font's life, describing it as it is now; a handle
    // someone deleted is made again.
    auto* Object = LiveGdiObject<TFontObject>(FHandle);
    if (!Object) {
        auto New = std::make_unique<TFontObject>();
        Object = New.get();
        FHandle = static_cast<HFONT>(AddGdiObject(std::move(New)));
    }
    Object->LogFont = LogFontOf(this);
    return FHandle;
}
