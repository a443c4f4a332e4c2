// Private: what GDI's object handles (HRGN, HFONT) are, for the platform's
// drawing code. Every object lives in one table of live objects from its
// creation to DeleteObject, so that a stale or foreign handle is recognised
// and refused instead of followed.
#pragma once
#include "platform/win/WinGdi.h"

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

// Makes Object live; its handle is its own address.
void RegisterGdiObject(std::unique_ptr<TGdiObject> Object, const void* Handle);
// The live object of a handle, or null.
TGdiObject* FindGdiObject(const void* Handle);
template <class T> T* LiveGdiObject(const void* Handle)
{
    return dynamic_cast<T*>(FindGdiObject(Handle));
}

// A new live region holding Area (logical coordinates).
HRGN NewRegion(const QRegion& Area);
// The area of a live region, or null.
const QRegion* RegionOf(HRGN Region);
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

struct HRGN__ : platform::detail::TGdiObject {
    QRegion Area;
};

struct HFONT__ : platform::detail::TGdiObject {
    LOGFONTA LogFont;
};
