// Window procedures and the window calls, over the window system's windows.
#include "platform/win/WinUser.h"
#include "platform/rtl/SysUtils.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/BridgeWidget.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <set>
#include <utility>

using namespace platform::detail;

// ---- Object instances ------------------------------------------------------------------
// A window procedure is a plain function pointer, which cannot carry an
// object; the platform keeps a fixed set of procedures, each bound to one
// slot that holds the method.

namespace {

constexpr std::size_t MaxInstances = 512;

struct TInstanceSlot {
    TWndMethod Method;
    bool Used = false;
};

std::array<TInstanceSlot, MaxInstances>& Slots()
{
    static std::array<TInstanceSlot, MaxInstances> S;
    return S;
}

std::size_t NextSlot = 0;

template <std::size_t I> LRESULT InstanceProc(HWND, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    // Copied: the method may free its own instance.
    const TWndMethod Method = Slots()[I].Used ? Slots()[I].Method : TWndMethod();
    if (Method) Method(M);
    return M.Result;
}

template <std::size_t... I> constexpr std::array<WNDPROC, sizeof...(I)> MakeInstanceTable(std::index_sequence<I...>)
{
    return {&InstanceProc<I>...};
}

constexpr std::array<WNDPROC, MaxInstances> InstanceProcs = MakeInstanceTable(std::make_index_sequence<MaxInstances>());

bool IsActive(TBridgeWidget* W, WNDPROC Proc)
{
    for (const auto& E : W->Procs)
        if (E.Proc == Proc) return true;
    return false;
}

// Forgets the procedures taken out of the chain that no hook still passes on to.
void CleanRemoved(TBridgeWidget* W)
{
    std::set<WNDPROC> Needed;
    for (const auto& E : W->Procs) {
        WNDPROC P = E.Prev;
        for (int Guard = 0; P && !IsActive(W, P) && W->Removed.count(P) && Guard < 1024; ++Guard) {
            Needed.insert(P);
            P = W->Removed[P];
        }
    }
    for (auto It = W->Removed.begin(); It != W->Removed.end();)
        It = Needed.count(It->first) ? std::next(It) : W->Removed.erase(It);
}

} // namespace

WNDPROC MakeObjectInstance(TWndMethod Method)
{
    auto& S = Slots();
    for (std::size_t K = 0; K < MaxInstances; ++K) {
        const std::size_t I = (NextSlot + K) % MaxInstances;
        if (!S[I].Used) {
            S[I].Method = std::move(Method);
            S[I].Used = true;
            NextSlot = I + 1;
            return InstanceProcs[I];
        }
    }
    throw EOutOfResources("Out of system resources");
}

void FreeObjectInstance(WNDPROC ObjectInstance)
{
    for (std::size_t I = 0; I < MaxInstances; ++I)
        if (InstanceProcs[I] == ObjectInstance) {
            Slots()[I] = TInstanceSlot();
            return;
        }
}

// ---- Window procedures -----------------------------------------------------------------------

LONG_PTR SetWindowLongA(HWND Wnd, int Index, LONG_PTR NewLong)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    if (Index == GWL_STYLE || Index == GWL_EXSTYLE) {
        DWORD& Style = Index == GWL_EXSTYLE ? W->ExStyle : W->Style;
        const DWORD Old = Style;
        Style = DWORD(NewLong);
        return LONG_PTR(Old);
    }
    if (Index != GWL_WNDPROC) return 0;
    auto* New = reinterpret_cast<WNDPROC>(NewLong);
    const WNDPROC OldTop = W->TopProc();
    // Restoring a previous procedure takes out the hook that was installed
    // on top of it, wherever that hook now is in the chain.
    for (std::size_t I = W->Procs.size() - 1; I >= 1; --I) {
        if (W->Procs[I].Prev == New) {
            const WNDPROC Gone = W->Procs[I].Proc;
            const WNDPROC Below = W->Procs[I - 1].Proc;
            W->Procs.erase(W->Procs.begin() + std::ptrdiff_t(I));
            W->Removed[Gone] = Below;
            CleanRemoved(W);
            return reinterpret_cast<LONG_PTR>(OldTop);
        }
    }
    if (!New) return 0;
    W->Removed.erase(New);
    W->Procs.push_back({New, OldTop});
    return reinterpret_cast<LONG_PTR>(OldTop);
}

LONG_PTR GetWindowLongA(HWND Wnd, int Index)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    switch (Index) {
    case GWL_WNDPROC:
        return reinterpret_cast<LONG_PTR>(W->TopProc());
    case GWL_STYLE:
        return LONG_PTR(W->Style);
    case GWL_EXSTYLE:
        return LONG_PTR(W->ExStyle);
    default:
        return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC Previous, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) {
        for (int Guard = 0; Previous && !IsActive(W, Previous) && W->Removed.count(Previous) && Guard < 1024; ++Guard)
            Previous = W->Removed[Previous];
    }
    return Previous ? Previous(Wnd, Msg, WParam, LParam) : 0;
}

// ---- Messages -------------------------------------------------------------------------------------

LRESULT SendMessageA(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    return W->Send(Msg, WParam, LParam);
}

BOOL PostMessageA(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    QCoreApplication::postEvent(W, new TPostedMessage(Msg, WParam, LParam));
    return 1;
}

// ---- Windows -----------------------------------------------------------------------------------------

BOOL IsWindow(HWND Wnd)
{
    return BridgeOf(Wnd) != nullptr;
}

BOOL IsWindowVisible(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W && W->isVisible();
}

BOOL IsWindowEnabled(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W && !(W->Style & WS_DISABLED);
}

BOOL EnableWindow(HWND Wnd, BOOL Enable)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    const bool WasDisabled = W->Style & WS_DISABLED;
    if (!Enable && !WasDisabled) {
        // The window's mode ends (its default lets the capture go), and a
        // window inside it that holds the mouse lets it go too.
        W->Send(WM_CANCELMODE, 0, 0);
        if (!BridgeOf(Wnd)) return 0;
        ReleaseCaptureWithin(W);
    }
    W->Style = Enable ? W->Style & ~WS_DISABLED : W->Style | WS_DISABLED;
    W->setEnabled(Enable != 0);
    // Qt disables the windows a window owns along with it; a top-level
    // window keeps its own state.
    if (!Enable)
        for (TBridgeWidget* Owned : W->findChildren<TBridgeWidget*>())
            if (Owned->isWindow() && !(Owned->Style & WS_DISABLED)) Owned->setEnabled(true);
    return WasDisabled;
}

HWND GetParent(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || W->isWindow()) return nullptr;
    TBridgeWidget* P = BridgeAbove(W->parentWidget());
    return P ? P->Handle() : nullptr;
}

BOOL GetWindowRect(HWND Wnd, TRect* Rect)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || !Rect) return 0;
    *Rect = FromQRect(QRect(W->mapToGlobal(QPoint(0, 0)), W->size()));
    return 1;
}

BOOL GetClientRect(HWND Wnd, TRect* Rect)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || !Rect) return 0;
    const QSize Size = W->ClientSize();
    *Rect = Bounds(0, 0, Size.width(), Size.height());
    return 1;
}

BOOL ClientToScreen(HWND Wnd, TPoint* Point)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || !Point) return 0;
    *Point = FromQPoint(W->mapToGlobal(ToQPoint(*Point) + W->ClientOffset()));
    return 1;
}

BOOL ScreenToClient(HWND Wnd, TPoint* Point)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || !Point) return 0;
    *Point = FromQPoint(W->mapFromGlobal(ToQPoint(*Point)) - W->ClientOffset());
    return 1;
}

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    if (!(Flags & SWP_NOMOVE) || !(Flags & SWP_NOSIZE)) {
        // The class library keeps the window's bounds: it moves the window.
        WINDOWPOS Pos{Wnd, InsertAfter, X, Y, CX, CY, Flags};
        W->AskClass(CM_SETWINDOWPOS, 0, LPARAM(&Pos));
        if (!BridgeOf(Wnd)) return 1;
    }
    if (!(Flags & SWP_NOZORDER)) {
        if (InsertAfter == HWND_BOTTOM)
            W->lower();
        else
            W->raise();
    }
    if (Flags & SWP_FRAMECHANGED) W->AskClass(CM_BORDERCHANGED, 0, 0);
    if (Flags & SWP_SHOWWINDOW) W->show();
    if (Flags & SWP_HIDEWINDOW) W->hide();
    return 1;
}

BOOL ShowWindow(HWND Wnd, int CmdShow)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    const bool WasVisible = W->isVisible();
    switch (CmdShow) {
    case SW_HIDE:
        W->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        W->showMinimized();
        break;
    case SW_MAXIMIZE:
        W->showMaximized();
        break;
    case SW_RESTORE:
        W->showNormal();
        break;
    default:
        W->show();
        break;
    }
    return WasVisible;
}

// ---- Painting --------------------------------------------------------------------------------------------

BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    if (Rect) {
        const QRect R = ToQRect(*Rect);
        W->InvalidateClient(&R, Erase != 0);
    } else {
        W->InvalidateClient(nullptr, Erase != 0);
    }
    return 1;
}

BOOL ValidateRect(HWND Wnd, const TRect* Rect)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    if (Rect) {
        const QRect R = ToQRect(*Rect);
        W->ValidateClient(&R);
    } else {
        W->ValidateClient(nullptr);
    }
    return 1;
}

BOOL GetUpdateRect(HWND Wnd, TRect* Rect, BOOL)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    const QRect Box = W ? (W->Invalid & QRect(QPoint(), W->ClientSize())).boundingRect() : QRect();
    if (Rect) *Rect = Box.isEmpty() ? TRect() : FromQRect(Box);
    return !Box.isEmpty();
}

BOOL UpdateWindow(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return 0;
    const QRegion Painted = W->RenderInvalid();
    if (BridgeOf(Wnd) && W->isVisible() && !Painted.isEmpty()) W->repaint(Painted);
    return 1;
}

HDC GetDC(HWND Wnd)
{
    if (!Wnd) return CreateDC(nullptr, QPoint(), std::nullopt);
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? CreateWindowDC(W, true, false) : nullptr;
}

HDC GetWindowDC(HWND Wnd)
{
    if (!Wnd) return CreateDC(nullptr, QPoint(), std::nullopt);
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? CreateWindowDC(W, false, false) : nullptr;
}

int ReleaseDC(HWND, HDC DC)
{
    if (!DC) return 0;
    DeleteDC(DC);
    return 1;
}

// ---- Focus, capture, keys and the mouse --------------------------------------------------------------------

HWND GetFocus()
{
    QWidget* F = QApplication::focusWidget();
    TBridgeWidget* B = F ? BridgeAbove(F) : nullptr;
    return B ? B->Handle() : nullptr;
}

HWND SetFocus(HWND Wnd)
{
    const HWND Old = GetFocus();
    if (TBridgeWidget* W = BridgeOf(Wnd)) {
        // The style draws a wrapped widget's focus mark (a tab row's, a combo
        // box's) only in a window whose focus the keyboard moved; here the
        // focus moves by this call, Tab included, and always shows.
        QWidget* Top = W->window();
        const bool Shown = Top->testAttribute(Qt::WA_KeyboardFocusChange);
        Top->setAttribute(Qt::WA_KeyboardFocusChange);
        W->setFocus(Qt::OtherFocusReason);
        // Qt may have given the widget the focus already, when the window
        // became active: it shows its mark now.
        if (QWidget* Focused = QApplication::focusWidget(); Focused && !Shown) Focused->update();
    }
    return Old;
}

HWND GetCapture()
{
    return BridgeOf(CaptureWindow) ? CaptureWindow : nullptr;
}

HWND SetCapture(HWND Wnd)
{
    const HWND Old = GetCapture();
    if (!BridgeOf(Wnd) || Old == Wnd) return Old;
    CaptureWindow = Wnd;
    if (Old) SendMessageA(Old, WM_CAPTURECHANGED, 0, LPARAM(Wnd));
    return Old;
}

BOOL ReleaseCapture()
{
    const HWND Old = GetCapture();
    CaptureWindow = nullptr;
    if (Old) SendMessageA(Old, WM_CAPTURECHANGED, 0, 0);
    return 1;
}

BOOL DestroyCaret()
{
    QWidget* Focused = QApplication::focusWidget();
    if (!Focused) return 0;
    QEvent Hide(HideCaretEventType());
    QCoreApplication::sendEvent(Focused, &Hide);
    return 1;
}

SHORT GetKeyState(int VirtKey)
{
    bool Down = false;
    switch (VirtKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        Down = InputModifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        Down = InputModifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        Down = InputModifiers & Qt::AltModifier;
        break;
    case VK_LBUTTON:
        Down = InputButtons & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        Down = InputButtons & Qt::RightButton;
        break;
    case VK_MBUTTON:
        Down = InputButtons & Qt::MiddleButton;
        break;
    default:
        break;
    }
    return Down ? SHORT(-32768) : SHORT(0);
}

BOOL GetCursorPos(TPoint* Point)
{
    if (!Point) return 0;
    // While a mouse event is handled its own position is the answer (the
    // pointer may have moved on, and synthetic events do not move it at all);
    // offscreen has no pointer but the events'.
    if (HaveLastMouseScreenPos &&
        (MouseEventDepth > 0 || QGuiApplication::platformName() == QStringLiteral("offscreen")))
        *Point = FromQPoint(LastMouseScreenPos);
    else
        *Point = FromQPoint(QCursor::pos());
    return 1;
}

HWND WindowFromPoint(TPoint Point)
{
    TBridgeWidget* W = WindowAt(ToQPoint(Point));
    return W ? W->Handle() : nullptr;
}

int GetSystemMetrics(int Index)
{
    const QScreen* S = QGuiApplication::primaryScreen();
    const QRect G = S ? S->geometry() : QRect(0, 0, 1024, 768);
    const QRect V = S ? S->virtualGeometry() : G;
    switch (Index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return G.width();
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
        return G.height();
    case SM_CXVIRTUALSCREEN:
        return V.width();
    case SM_CYVIRTUALSCREEN:
        return V.height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 17;
    case SM_CYCAPTION:
        return 19;
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
        return 1;
    case SM_SWAPBUTTON:
        return 0;
    case SM_CMONITORS:
        return int(QGuiApplication::screens().size());
    default:
        return 0;
    }
}
