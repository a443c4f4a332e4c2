// A window region is the window widget's mask. Windows keep the region
// itself; here the mask keeps its area, so the region is deleted at once.
#include "platform/win/WinShape.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/qt/BridgeWidget.h"

using namespace platform::detail;

int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    const QRegion* Area = Region ? RegionOf(Region) : nullptr;
    if (!W || (Region && !Area)) {
        if (Region) DeleteObject(Region);
        return 0;
    }
    if (Area)
        W->setMask(*Area);
    else
        W->clearMask();
    if (Region) DeleteObject(Region);
    if (Redraw) W->update();
    return 1;
}
