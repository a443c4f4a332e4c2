// The frame a window draws itself: its borders, where its window scroll bars
// go, and the client area and hit test that the default window procedure
// answers, for windows that exist and for those not made yet.
#include "platform/qt/BridgeWidget.h"
#include "platform/win/WinUser.h"

namespace platform::detail {

// Child windows and popups draw their own borders; a form's frame is the window manager's.
bool DrawsOwnFrame(const TWindowShape& Shape)
{
    return (Shape.Style & WS_CHILD) || ((Shape.Style & WS_POPUP) && !Shape.Framed);
}

namespace {

// The window rectangle inside the frame a window draws itself (WS_BORDER,
// WS_EX_STATICEDGE, WS_EX_CLIENTEDGE), in window coordinates: where its
// scroll bars and its client area lie.
QRect FrameInsideRect(const TWindowShape& Shape)
{
    int Border = 0;
    if (DrawsOwnFrame(Shape)) {
        if (Shape.Style & WS_BORDER) Border += 1;
        if (Shape.ExStyle & WS_EX_STATICEDGE) Border += 1;
        if (Shape.ExStyle & WS_EX_CLIENTEDGE) Border += 2;
    }
    QRect R(0, 0, Shape.Size.cx, Shape.Size.cy);
    R.adjust(Border, Border, -Border, -Border);
    if (R.width() < 0) R.setWidth(0);
    if (R.height() < 0) R.setHeight(0);
    return R;
}

} // namespace

TScrollBarRects ScrollBarRects(const TWindowShape& Shape)
{
    // As Windows places them: along the right and bottom edges inside the
    // frame, the vertical bar stopping above the horizontal one.
    const QRect Inside = FrameInsideRect(Shape);
    const int VW = (Shape.Style & WS_VSCROLL) ? std::min(GetSystemMetrics(SM_CXVSCROLL), Inside.width()) : 0;
    const int HH = (Shape.Style & WS_HSCROLL) ? std::min(GetSystemMetrics(SM_CYHSCROLL), Inside.height()) : 0;
    TScrollBarRects R;
    if (VW > 0) R.Vert = QRect(Inside.right() + 1 - VW, Inside.top(), VW, Inside.height() - HH);
    if (HH > 0) R.Horz = QRect(Inside.left(), Inside.bottom() + 1 - HH, Inside.width() - VW, HH);
    if (VW > 0 && HH > 0) R.Corner = QRect(Inside.right() + 1 - VW, Inside.bottom() + 1 - HH, VW, HH);
    return R;
}

void DefaultClientRect(const TWindowShape& Shape, RECT& R)
{
    // The client area is what the frame and the window scroll bars leave.
    const QRect Inside = FrameInsideRect(Shape);
    const TScrollBarRects Bars = ScrollBarRects(Shape);
    R.left += Inside.left();
    R.top += Inside.top();
    R.right -= Shape.Size.cx - (Inside.left() + Inside.width()) + Bars.Vert.width();
    R.bottom -= Shape.Size.cy - (Inside.top() + Inside.height()) + Bars.Horz.height();
    R.right = std::max(R.right, R.left);
    R.bottom = std::max(R.bottom, R.top);
}

LRESULT DefaultHitTest(const TWindowShape& Shape, QPoint Pos, const QRect& Client, bool MenuBar)
{
    const TScrollBarRects Bars = ScrollBarRects(Shape);
    if (!QRect(0, 0, Shape.Size.cx, Shape.Size.cy).contains(Pos)) return HTNOWHERE;
    if (Client.contains(Pos)) return HTCLIENT;
    if (MenuBar && Pos.y() < Client.top()) return HTMENU;
    if (Bars.Vert.contains(Pos)) return HTVSCROLL;
    if (Bars.Horz.contains(Pos)) return HTHSCROLL;
    if (Bars.Corner.contains(Pos)) return HTSIZE;
    return HTBORDER;
}

} // namespace platform::detail
