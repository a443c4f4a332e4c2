// Scrolling a window's contents and repainting parts of it, over the
// window's backing image (the bars themselves: platform/qt/ScrollBars.cpp).
#include "platform/win/WinScroll.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/win/WinUser.h"

#include <cstring>

using namespace platform::detail;

namespace {

// Moves the pixels of Dest - (DX, DY) to Dest, line by line in the order
// that never reads a line already overwritten.
void MovePixels(QImage& Image, const QRect& Dest, int DX, int DY)
{
    const int BytesPerPixel = Image.depth() / 8;
    const qsizetype Line = Image.bytesPerLine();
    const std::size_t Bytes = std::size_t(Dest.width()) * std::size_t(BytesPerPixel);
    uchar* Bits = Image.bits();
    auto MoveLine = [&](int Y) {
        uchar* To = Bits + qsizetype(Y) * Line + qsizetype(Dest.left()) * BytesPerPixel;
        const uchar* From = Bits + qsizetype(Y - DY) * Line + qsizetype(Dest.left() - DX) * BytesPerPixel;
        std::memmove(To, From, Bytes);
    };
    if (DY > 0)
        for (int Y = Dest.bottom(); Y >= Dest.top(); --Y)
            MoveLine(Y);
    else
        for (int Y = Dest.top(); Y <= Dest.bottom(); ++Y)
            MoveLine(Y);
}

void InvalidateRegion(TBridgeWidget* W, const QRegion& Region, bool Erase)
{
    for (const QRect& R : Region)
        W->InvalidateClient(&R, Erase);
}

} // namespace

int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip, HRGN UpdateRegion,
                   TRect* UpdateRect, UINT Flags)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return ERROR;
    W->EnsureImage();
    const QRect Client(QPoint(), W->ClientSize());
    const QRect S = Scroll ? ToQRect(*Scroll).normalized() & Client : Client;
    const QRect C = Clip ? ToQRect(*Clip).normalized() & Client : Client;
    const QRect Area = S & C;
    const QRect Dest = Area & Area.translated(DX, DY);
    const QPoint Offset = W->ClientOffset();
    if (!Dest.isEmpty() && (DX != 0 || DY != 0) && !W->Image.isNull())
        MovePixels(W->Image, Dest.translated(Offset), DX, DY);
    const QRegion Uncovered = QRegion(Area) - QRegion(Dest);

    // What was waiting to be painted in the area moved with the pixels.
    const QRegion Pending = W->Invalid & Area;
    if (!Pending.isEmpty() && (DX != 0 || DY != 0)) W->Invalid += Pending.translated(DX, DY) & Area;

    if (Flags & SW_INVALIDATE) InvalidateRegion(W, Uncovered, Flags & SW_ERASE);
    // Every pixel of the area may have changed on screen.
    if (!Area.isEmpty()) W->update(Area.translated(Offset));
    if (UpdateRect) *UpdateRect = FromQRect(Uncovered.boundingRect());
    if (UpdateRegion)
        if (QRegion* R = RegionOf(UpdateRegion)) *R = Uncovered;
    return RegionKind(Uncovered);
}

BOOL RedrawWindow(HWND Wnd, const TRect* Rect, HRGN Region, UINT Flags)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    const QRect Client(QPoint(), W->ClientSize());
    QRegion Part(Client);
    if (Region) {
        const QRegion* R = RegionOf(Region);
        if (!R) return 0;
        Part = *R & Client;
    } else if (Rect) {
        Part = ToQRect(*Rect).normalized() & Client;
    }
    if (Flags & RDW_INVALIDATE) {
        InvalidateRegion(W, Part, Flags & RDW_ERASE);
        if (Flags & RDW_FRAME) {
            W->FrameInvalid = true;
            W->update();
        }
    } else if (Flags & RDW_VALIDATE) {
        for (const QRect& R : Part)
            W->ValidateClient(&R);
        if (Flags & RDW_FRAME) W->FrameInvalid = false;
    }
    if (Flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(Wnd);
    return 1;
}
