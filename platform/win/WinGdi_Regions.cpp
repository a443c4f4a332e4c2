// Regions and the clip region of a device context.
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/QtGraphics.h"
#include "platform/win/WinGdi.h"

#include <QPolygon>

#include <algorithm>

using namespace platform::detail;

namespace {

// The whole plane, as far as any image reaches: what a context without a
// clip region may draw on.
const QRect Everywhere(QPoint(-(1 << 24), -(1 << 24)), QPoint(1 << 24, 1 << 24));

QRect RectArea(int Left, int Top, int Right, int Bottom)
{
    return ToQRect(TRect(Left, Top, Right, Bottom)).normalized();
}

int ClipKind(HDC DC)
{
    return RegionKind(DrawableRegion(*DC));
}

} // namespace

// ---- Regions ------------------------------------------------------------------

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom)
{
    return NewRegion(QRegion(RectArea(Left, Top, Right, Bottom)));
}

HRGN CreateRectRgnIndirect(const TRect* Rect)
{
    return Rect ? CreateRectRgn(Rect->Left, Rect->Top, Rect->Right, Rect->Bottom) : nullptr;
}

HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom)
{
    return NewRegion(QRegion(RectArea(Left, Top, Right, Bottom), QRegion::Ellipse));
}

HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode)
{
    if (!Points || Count < 0 || (FillMode != ALTERNATE && FillMode != WINDING)) return nullptr;
    QPolygon Polygon;
    Polygon.reserve(Count);
    for (int I = 0; I < Count; ++I)
        Polygon << ToQPoint(Points[I]);
    if (Count < 3) return NewRegion(QRegion());
    return NewRegion(QRegion(Polygon, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode)
{
    QRegion* Target = RegionOf(Dest);
    const QRegion* A = RegionOf(Src1);
    if (!Target || !A) return ERROR;
    if (Mode == RGN_COPY) {
        *Target = *A;
        return RegionKind(*Target);
    }
    const QRegion* B = RegionOf(Src2);
    if (!B) return ERROR;
    switch (Mode) {
    case RGN_AND:
        *Target = *A & *B;
        break;
    case RGN_OR:
        *Target = *A | *B;
        break;
    case RGN_XOR:
        *Target = *A ^ *B;
        break;
    case RGN_DIFF:
        *Target = *A - *B;
        break;
    default:
        return ERROR;
    }
    return RegionKind(*Target);
}

BOOL PtInRegion(HRGN Region, int X, int Y)
{
    const QRegion* Area = RegionOf(Region);
    return Area && Area->contains(QPoint(X, Y));
}

BOOL RectInRegion(HRGN Region, const TRect* Rect)
{
    const QRegion* Area = RegionOf(Region);
    if (!Area || !Rect) return false;
    // No region reaches past the plane's edge, so a rectangle of any size is cut to it first.
    const auto Cut = [](LONG V) { return int(std::clamp<LONG>(V, -(1 << 25), 1 << 25)); };
    return Area->intersects(RectArea(Cut(Rect->Left), Cut(Rect->Top), Cut(Rect->Right), Cut(Rect->Bottom)));
}

int GetRgnBox(HRGN Region, TRect* Rect)
{
    const QRegion* Area = RegionOf(Region);
    if (!Area || !Rect) return ERROR;
    *Rect = Area->isEmpty() ? TRect() : FromQRect(Area->boundingRect());
    return RegionKind(*Area);
}

int OffsetRgn(HRGN Region, int DX, int DY)
{
    QRegion* Target = RegionOf(Region);
    if (!Target) return ERROR;
    Target->translate(DX, DY);
    return RegionKind(*Target);
}

BOOL EqualRgn(HRGN Region1, HRGN Region2)
{
    const QRegion* A = RegionOf(Region1);
    const QRegion* B = RegionOf(Region2);
    return A && B && *A == *B;
}

// ---- Clipping ------------------------------------------------------------------

int SelectClipRgn(HDC DC, HRGN Region)
{
    if (!DC) return ERROR;
    if (!Region) {
        DC->ClipRgn.reset();
        return ClipKind(DC);
    }
    const QRegion* Area = RegionOf(Region);
    if (!Area) return ERROR;
    DC->ClipRgn = Area->translated(DC->Origin);
    return ClipKind(DC);
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!DC) return ERROR;
    const QRegion Base = DC->ClipRgn ? *DC->ClipRgn : QRegion(Everywhere);
    DC->ClipRgn = Base - RectArea(Left, Top, Right, Bottom).translated(DC->Origin);
    return ClipKind(DC);
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!DC) return ERROR;
    const QRegion Base = DC->ClipRgn ? *DC->ClipRgn : QRegion(Everywhere);
    DC->ClipRgn = Base & RectArea(Left, Top, Right, Bottom).translated(DC->Origin);
    return ClipKind(DC);
}

int GetClipBox(HDC DC, TRect* Rect)
{
    if (!DC || !Rect) return ERROR;
    const QRegion Area = DrawableRegion(*DC);
    *Rect = Area.isEmpty() ? TRect() : FromQRect(Area.boundingRect().translated(-DC->Origin));
    return RegionKind(Area);
}

int GetClipRgn(HDC DC, HRGN Region)
{
    QRegion* Target = RegionOf(Region);
    if (!DC || !Target) return -1;
    if (!DC->ClipRgn && !DC->Clip) return 0;
    const QRegion Area = DC->ClipRgn && DC->Clip ? *DC->ClipRgn & *DC->Clip : DC->ClipRgn ? *DC->ClipRgn : *DC->Clip;
    *Target = Area.translated(-DC->Origin);
    return 1;
}
