// GDI objects: fonts made from their descriptions, objects selected into a
// device context, and their deletion.
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/win/WinGdi.h"

#include <algorithm>
#include <cstring>

using namespace platform::detail;

HFONT CreateFontIndirectA(const LOGFONTA* LogFont)
{
    if (!LogFont) return nullptr;
    auto Object = std::make_unique<TFontObject>();
    Object->LogFont = *LogFont;
    return static_cast<HFONT>(AddGdiObject(std::move(Object)));
}

int GetObjectA(HGDIOBJ Object, int Size, void* Buffer)
{
    auto* Font = LiveGdiObject<TFontObject>(Object);
    if (!Font) return 0;
    if (!Buffer) return int(sizeof(LOGFONTA));
    const int Count = std::clamp(Size, 0, int(sizeof(LOGFONTA)));
    std::memcpy(Buffer, &Font->LogFont, std::size_t(Count));
    return Count;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object)
{
    if (!DC) return nullptr;
    if (auto* Font = LiveGdiObject<TFontObject>(Object)) {
        HGDIOBJ Previous = LiveGdiObject<TFontObject>(DC->FontHandle) ? DC->FontHandle : StockFont();
        DC->Font = FontFromLogFont(Font->LogFont);
        DC->FontEscapement = Font->LogFont.lfEscapement;
        DC->FontHandle = static_cast<HFONT>(Object);
        return Previous;
    }
    if (LiveGdiObject<TRegionObject>(Object))
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(DC, static_cast<HRGN>(Object))));
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ Object)
{
    return DeleteGdiObject(Object);
}
