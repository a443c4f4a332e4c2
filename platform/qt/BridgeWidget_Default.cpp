// The default window procedure (DefWindowProc): a message that came from a
// Qt event goes on to the inner widget, the frame a window draws itself, its
// client area and hit test, the class cursor and background, the context
// menu, and a resize from inside a top-level window.
#include "platform/qt/BridgeWidget.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/win/WinUser.h"

namespace platform::detail {

namespace {

bool IsSizingHit(LRESULT Hit)
{
    return Hit >= HTLEFT && Hit <= HTBOTTOMRIGHT;
}

} // namespace

// Paints the standard frame of the window (borders, client edge) into its image.
void TBridgeWidget::PaintFrame()
{
    const TWindowShape S = Shape();
    const bool Own = DrawsOwnFrame(S);
    const DWORD FrameStyle = Own ? S.Style : S.Style & ~WS_BORDER;
    const DWORD FrameExStyle = Own ? S.ExStyle : S.ExStyle & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE);
    HDC DC = CreateWindowDC(this, false, false);
    QRect R(QPoint(), size());
    const QRect Client(ClientOffset(), ClientSize());
    {
        TDCPainter P(DC, R);
        if (P.Active()) {
            QPainter& Painter = P.Painter();
            auto Ring = [&](TColor TopLeft, TColor BottomRight) {
                if (R.width() <= 0 || R.height() <= 0) return;
                const QColor TL = ToQColor(TopLeft);
                const QColor BR = ToQColor(BottomRight);
                Painter.fillRect(QRect(R.left(), R.top(), R.width(), 1), TL);
                Painter.fillRect(QRect(R.left(), R.top(), 1, R.height()), TL);
                Painter.fillRect(QRect(R.left(), R.bottom(), R.width(), 1), BR);
                Painter.fillRect(QRect(R.right(), R.top(), 1, R.height()), BR);
                R.adjust(1, 1, -1, -1);
            };
            if (FrameStyle & WS_BORDER) Ring(clWindowFrame, clWindowFrame);
            if (FrameExStyle & WS_EX_STATICEDGE) Ring(clBtnShadow, clBtnHighlight);
            if (FrameExStyle & WS_EX_CLIENTEDGE) {
                Ring(clBtnShadow, clBtnHighlight);
                Ring(cl3DDkShadow, cl3DLight);
            }
            // Where the window scroll bars go.
            if (FrameStyle & (WS_VSCROLL | WS_HSCROLL)) {
                QRegion Rest(R);
                Rest -= Client;
                for (const QRect& Part : Rest)
                    Painter.fillRect(Part, ToQColor(clBtnFace));
            }
        }
    }
    ReleaseDC(Handle(), DC);
}

void TBridgeWidget::DefaultMessage(TMessage& Message)
{
    if (!FLive) return;
    const bool Input = (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) ||
                       (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST);
    if (CurrentEvent && CurrentEvent->Window == this && CurrentEvent->Msg == Message.Msg &&
        !CurrentEvent->DefaultReached) {
        // The Qt event this message came from goes on to the Qt widget.
        CurrentEvent->DefaultReached = true;
        CurrentEvent->WParam = Message.WParam;
        if (Inner && Input) return;
    } else if (Inner && Input) {
        ReplayToInner(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        DefaultClientRect(Shape(), reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]);
        Message.Result = 0;
        SyncScrollBars(this);
        break;
    case WM_NCHITTEST:
        Message.Result = DefaultHitTest(Shape(), mapFromGlobal(UnpackPoint(Message.LParam)),
                                        QRect(ClientOffset(), ClientSize()), MenuBar);
        break;
    case WM_NCPAINT:
        PaintFrame();
        // The window scroll bars are child widgets over the frame's image.
        SyncScrollBars(this);
        break;
    case WM_CANCELMODE:
        // Cancelling a mode ends a mouse capture the window holds.
        if (GetCapture() == Handle()) ReleaseCapture();
        break;
    case WM_ERASEBKGND:
        Message.Result = 0;
        if (ClassBackground != clNone && Message.WParam) {
            TCanvas Canvas;
            Canvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            Canvas.GetBrush()->SetColor(ClassBackground);
            Canvas.FillRect(Rect(0, 0, ClientSize().width(), ClientSize().height()));
            Canvas.SetHandle(nullptr);
            Message.Result = 1;
        }
        break;
    case WM_SETCURSOR: {
        QCursor Cursor = ClassCursor;
        switch (LOWORD(static_cast<std::uintptr_t>(Message.LParam))) {
        case HTCLIENT:
            break;
        case HTLEFT:
        case HTRIGHT:
            Cursor = QCursor(Qt::SizeHorCursor);
            break;
        case HTTOP:
        case HTBOTTOM:
            Cursor = QCursor(Qt::SizeVerCursor);
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            Cursor = QCursor(Qt::SizeFDiagCursor);
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            Cursor = QCursor(Qt::SizeBDiagCursor);
            break;
        default:
            Cursor = QCursor(Qt::ArrowCursor);
            break;
        }
        ShowCursor(Cursor);
        Message.Result = 1;
        break;
    }
    case WM_NCLBUTTONDOWN:
        if (IsSizingHit(LRESULT(Message.WParam)))
            StartWindowResize(this, int(Message.WParam), UnpackPoint(Message.LParam));
        break;
    case WM_RBUTTONUP: {
        const QPoint G = mapToGlobal(UnpackPoint(Message.LParam) + ClientOffset());
        Send(WM_CONTEXTMENU, WPARAM(Handle()), PackPoint(G));
        break;
    }
    case WM_GETDLGCODE:
        // Wrapped widgets (edits, lists) take the arrows and the characters, as their Windows controls do.
        Message.Result = Inner ? (DLGC_WANTARROWS | DLGC_WANTCHARS) : 0;
        break;
    default:
        break;
    }
}

void DefaultWindowMessage(HWND Wnd, TMessage& Message)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) W->DefaultMessage(Message);
}

} // namespace platform::detail
