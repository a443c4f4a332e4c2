// Private: what GDI's objects (regions, fonts) are, for the platform's
// drawing code. Every object lives from its creation to DeleteObject under a
// handle of the handle table, which refuses a stale or foreign handle instead
// of following it.
#pragma once
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/HandleTable.h"

#include <QFont>
#include <QRegion>

#include <memory>

namespace platform::detail {

class TGdiObject {
public:
    virtual ~TGdiObject() = default;
    // Stock objects (a fresh context's font) are never deleted.
    bool Stock = false;
};

struct TRegionObject : TGdiObject {
    static constexpr THandleKind Kind = hkRegion;
    QRegion Area;
};

struct TFontObject : TGdiObject {
    static constexpr THandleKind Kind = hkFont;
    LOGFONTA LogFont;
};

// Makes Object live under a new handle, which owns it until DeleteObject.
template <class T> HGDIOBJ AddGdiObject(std::unique_ptr<T> Object)
{
    HGDIOBJ Handle = AddHandle(T::Kind, static_cast<TGdiObject*>(Object.get()));
    Object.release();
    return Handle;
}
// The live object of a handle, or null.
template <class T> T* LiveGdiObject(const void* Handle)
{
    return static_cast<T*>(static_cast<TGdiObject*>(HandleObject(Handle, T::Kind)));
}
// Frees a live object and its handle (DeleteObject); false for a stock
// object or a handle that is not a live object.
bool DeleteGdiObject(HGDIOBJ Object);

// A new live region holding Area (logical coordinates).
HRGN NewRegion(const QRegion& Area);
// The area of a live region, or null.
QRegion* RegionOf(HRGN Region);
// The kind (NULLREGION, SIMPLEREGION, COMPLEXREGION) of an area.
int RegionKind(const QRegion& Area);

// The font a logical description asks for (face substitutions, height and
// style as TFont's); the escapement is the context's business.
QFont FontFromLogFont(const LOGFONTA& LogFont);
// The logical description of a TFont.
LOGFONTA LogFontOf(const TFont* Font);
// The stock font a fresh device context has selected.
HFONT StockFont();

} // namespace platform::detail
