#include "platform/win/WinResources.h"
#include "platform/graphics/BitmapImages.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Resources.h"
#include "platform/qt/BridgeWidget.h"

#include <QPixmap>

using namespace platform::detail;

namespace {

// A cursor picture keeps its alpha (pf32bit) or leaves out its transparent colour.
QImage CursorImage(TBitmap* Picture)
{
    if (Picture->GetPixelFormat() == pf32bit && !Picture->GetTransparent())
        return DataOf(Picture).Colors().convertToFormat(QImage::Format_ARGB32);
    QImage Image = OpaqueImage(Picture).convertToFormat(QImage::Format_ARGB32);
    if (Picture->GetTransparent()) {
        const QRgb Key = RgbColor(ColorToRGB(Picture->GetTransparentColor())).rgb();
        for (int Y = 0; Y < Image.height(); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Image.scanLine(Y));
            for (int X = 0; X < Image.width(); ++X)
                if ((Line[X] | 0xFF000000u) == Key) Line[X] = 0;
        }
    }
    return Image;
}

} // namespace

HCURSOR LoadCursorA(HINSTANCE, const char* CursorName)
{
    if (!CursorName) return nullptr;
    TBitmap Picture;
    TPoint HotSpot;
    if (!LoadCursorResource(CursorName, &Picture, HotSpot) || Picture.GetEmpty()) return nullptr;
    return new HCURSOR__{QCursor(QPixmap::fromImage(CursorImage(&Picture)), HotSpot.X, HotSpot.Y)};
}
