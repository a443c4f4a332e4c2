#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace platform::detail {

namespace {

std::unordered_map<const void*, std::unique_ptr<TGdiObject>>& LiveObjects()
{
    // Never destroyed: fonts of objects that outlive static destruction may
    // still give their handles back.
    static auto* Objects = new std::unordered_map<const void*, std::unique_ptr<TGdiObject>>;
    return *Objects;
}

} // namespace

void RegisterGdiObject(std::unique_ptr<TGdiObject> Object, const void* Handle)
{
    LiveObjects()[Handle] = std::move(Object);
}

TGdiObject* FindGdiObject(const void* Handle)
{
    if (!Handle) return nullptr;
    const auto It = LiveObjects().find(Handle);
    return It == LiveObjects().end() ? nullptr : It->second.get();
}

HRGN NewRegion(const QRegion& Area)
{
    auto Region = std::make_unique<HRGN__>();
    Region->Area = Area;
    HRGN Handle = Region.get();
    RegisterGdiObject(std::move(Region), Handle);
    return Handle;
}

const QRegion* RegionOf(HRGN Region)
{
    auto* R = LiveGdiObject<HRGN__>(Region);
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

HFONT StockFont()
{
    static HFONT Font = [] {
        TFont Default;
        auto Object = std::make_unique<HFONT__>();
        Object->LogFont = LogFontOf(&Default);
        Object->Stock = true;
        HFONT Handle = Object.get();
        RegisterGdiObject(std::move(Object), Handle);
        return Handle;
    }();
    return Font;
}

} // namespace platform::detail

using namespace platform::detail;

// ---- TFont's handle -----------------------------------------------------------------

TFont::~TFont()
{
    if (FindGdiObject(FHandle)) DeleteObject(FHandle);
}

HFONT TFont::GetHandle()
{
    // One handle for the font's life, describing it as it is now; a handle
    // someone deleted is made again.
    auto* Object = LiveGdiObject<HFONT__>(FHandle);
    if (!Object) {
        auto New = std::make_unique<HFONT__>();
        Object = New.get();
        FHandle = Object;
        RegisterGdiObject(std::move(New), FHandle);
    }
    Object->LogFont = LogFontOf(this);
    return FHandle;
}

// ---- Objects --------------------------------------------------------------------------

HFONT CreateFontIndirectA(const LOGFONTA* LogFont)
{
    if (!LogFont) return nullptr;
    auto Object = std::make_unique<HFONT__>();
    Object->LogFont = *LogFont;
    HFONT Handle = Object.get();
    RegisterGdiObject(std::move(Object), Handle);
    return Handle;
}

int GetObjectA(HGDIOBJ Object, int Size, void* Buffer)
{
    auto* Font = LiveGdiObject<HFONT__>(Object);
    if (!Font) return 0;
    if (!Buffer) return int(sizeof(LOGFONTA));
    const int Count = std::clamp(Size, 0, int(sizeof(LOGFONTA)));
    std::memcpy(Buffer, &Font->LogFont, std::size_t(Count));
    return Count;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object)
{
    if (!DC) return nullptr;
    if (auto* Font = LiveGdiObject<HFONT__>(Object)) {
        HGDIOBJ Previous = LiveGdiObject<HFONT__>(DC->FontHandle) ? DC->FontHandle : StockFont();
        DC->Font = FontFromLogFont(Font->LogFont);
        DC->FontEscapement = Font->LogFont.lfEscapement;
        DC->FontHandle = Font;
        return Previous;
    }
    if (auto* Region = LiveGdiObject<HRGN__>(Object))
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(DC, Region)));
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ Object)
{
    TGdiObject* Live = FindGdiObject(Object);
    if (!Live || Live->Stock) return 0;
    LiveObjects().erase(Object);
    return 1;
}
