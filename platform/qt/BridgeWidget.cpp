// The window record: making and taking away windows, the chain's ends, the
// client area, and painting into the backing image.
#include "platform/qt/BridgeWidget.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Guarded.h"
#include "platform/graphics/HandleTable.h"
#include "platform/rtl/QtStrings.h"
#include "platform/rtl/ScopeExit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPaintEvent>

#include <cstring>

namespace platform::detail {

TEventContext* CurrentEvent = nullptr;
HWND CaptureWindow = nullptr;
Qt::KeyboardModifiers InputModifiers;
Qt::MouseButtons InputButtons;
QPoint LastMouseScreenPos;
bool HaveLastMouseScreenPos = false;
int MouseEventDepth = 0;

namespace {

TExceptionHandler ExceptionHandler = nullptr;

class TWindowTarget : public TDrawTarget {
public:
    TWindowTarget(TBridgeWidget* Window, bool ForPaint) : FWindow(Window), FForPaint(ForPaint) {}
    QImage* Image() override
    {
        if (!FWindow || !FWindow->Live()) return nullptr;
        FWindow->EnsureImage();
        return &FWindow->Image;
    }
    void Touched(const QRect& DeviceRect) override
    {
        // Drawing outside WM_PAINT shows at once, as on a screen device context.
        if (FWindow && !FForPaint) FWindow->update(DeviceRect);
    }

private:
    QPointer<TBridgeWidget> FWindow;
    bool FForPaint;
};

void ApplyClass(TBridgeWidget* W, const TWindowParams& Params)
{
    W->Style = Params.Style;
    W->ExStyle = Params.ExStyle;
    W->ClassStyle = Params.ClassStyle;
    W->ClassCursor = Params.ClassCursor;
    W->ClassBackground = Params.ClassBackground;
    W->InvalidateClientArea();
}

} // namespace

QEvent::Type TPostedMessage::EventType()
{
    static const QEvent::Type Type = QEvent::Type(QEvent::registerEventType());
    return Type;
}

QEvent::Type HideCaretEventType()
{
    static const QEvent::Type Type = QEvent::Type(QEvent::registerEventType());
    return Type;
}

// ---- Exceptions ----------------------------------------------------------------------------

void SetExceptionHandler(TExceptionHandler Handler)
{
    ExceptionHandler = Handler;
}

void HandleWindowException(HWND Wnd)
{
    if (ExceptionHandler) ExceptionHandler(Wnd);
}

// ---- Making windows ------------------------------------------------------------------------

HWND CreateClassWindow(const TWindowParams& Params)
{
    QWidget* Parent = WidgetOf(Params.Parent);
    Qt::WindowFlags Flags = Qt::Widget;
    if (Params.Kind == wkPopup)
        Flags = Qt::ToolTip | Qt::FramelessWindowHint;
    else if (Params.Kind == wkTopLevel)
        Flags = Qt::Window;
    if (Params.Kind != wkChild && (Params.ExStyle & WS_EX_TOPMOST)) Flags |= Qt::WindowStaysOnTopHint;
    return (new TBridgeWidget(Params, Parent, Flags))->Handle();
}

void DestroyClassWindow(HWND Wnd)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) W->Detach();
}

void* WindowParam(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? W->Param() : nullptr;
}

void SetWindowParams(HWND Wnd, const TWindowParams& Params)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) ApplyClass(W, Params);
}

void SetWindowColor(HWND Wnd, TColor Color)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) W->Color = Color;
}

void SetWindowTitle(HWND Wnd, const AnsiString& Title)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (W && W->isWindow()) W->setWindowTitle(ToQString(Title));
}

// ---- The application's activation ---------------------------------------------------------

namespace {
bool ApplicationActive = false;
} // namespace

void WatchApplicationActivation()
{
    ApplicationActive = false;
    auto Changed = [](Qt::ApplicationState State) {
        const bool Active = State == Qt::ApplicationActive;
        if (Active == ApplicationActive) return;
        ApplicationActive = Active;
        // Handles first: a window that hears it may make or free others.
        std::vector<HWND> Windows;
        for (QWidget* W : QApplication::allWidgets())
            if (auto* B = dynamic_cast<TBridgeWidget*>(W); B && B->Live()) Windows.push_back(B->Handle());
        for (HWND Wnd : Windows)
            if (TBridgeWidget* B = BridgeOf(Wnd)) Guarded(Wnd, [B, Active] { B->Send(WM_ACTIVATEAPP, Active, 0); });
    };
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, Changed);
    Changed(QGuiApplication::applicationState());
}

// ---- Windows -----------------------------------------------------------------------------

TBridgeWidget* BridgeOf(HWND Wnd)
{
    return static_cast<TBridgeWidget*>(HandleObject(Wnd, hkWindow));
}

TBridgeWidget* BridgeAbove(QWidget* Widget)
{
    for (QWidget* W = Widget; W; W = W->parentWidget())
        if (auto* B = dynamic_cast<TBridgeWidget*>(W)) return BridgeOf(B->Handle());
    return nullptr;
}

QWidget* WidgetOf(HWND Wnd)
{
    return BridgeOf(Wnd);
}

HWND HandleOf(QWidget* Window)
{
    auto* B = dynamic_cast<TBridgeWidget*>(Window);
    return B && BridgeOf(B->Handle()) ? B->Handle() : nullptr;
}

HWND WindowAbove(QWidget* Widget)
{
    TBridgeWidget* B = BridgeAbove(Widget);
    return B ? B->Handle() : nullptr;
}

QImage* BackingImage(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return nullptr;
    W->EnsureImage();
    return &W->Image;
}

void PlaceWindow(HWND Wnd, const TRect& Rect)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return;
    const QRect R = ToQRect(Rect);
    const bool Sized = R.size() != W->Placement.size();
    const std::optional<QRect> OldClient = W->KnownClientRect();
    W->Placement = R;
    if (Sized) W->InvalidateClientArea();
    W->SetGeometryQuietly(R);
    if (W->MenuBar) W->MenuBar->setGeometry(0, 0, R.width(), W->ClientOffset().y());
    if (Sized) W->Resized(OldClient);
}

std::optional<TSize> InvalidateWindowFrame(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return std::nullopt;
    const std::optional<QSize> Old = W->InvalidateClientArea();
    W->FrameInvalid = true;
    W->InvalidateClient(nullptr, true);
    W->update();
    if (!Old) return std::nullopt;
    return TSize(Old->width(), Old->height());
}

TPoint WindowClientOffset(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? FromQPoint(W->ClientOffset()) : TPoint();
}

void SetWindowCursor(HWND Wnd, const QCursor& Cursor)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) W->ShowCursor(Cursor);
}

HDC WindowPaintDC(HWND Wnd, bool& Own)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    Own = !W || !W->PaintDC;
    if (!Own) return W->PaintDC;
    return W ? CreateWindowDC(W, true, true) : CreateDC(nullptr, QPoint(), std::nullopt);
}

void SetInnerWidget(HWND Wnd, QWidget* Inner)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || !Inner) return;
    W->Inner = Inner;
    W->Route(Inner);
    W->setFocusProxy(Inner);
    Inner->show();
}

QWidget* InnerWidget(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? W->Inner.data() : nullptr;
}

void RouteWidgetEvents(HWND Wnd, QWidget* Widget)
{
    if (TBridgeWidget* W = BridgeOf(Wnd)) W->Route(Widget);
}

void SetWindowMenuBar(HWND Wnd, QWidget* Bar)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || W->MenuBar == Bar) return;
    if (W->MenuBar) W->MenuBar->hide();
    W->MenuBar = Bar;
    if (Bar) {
        Bar->setParent(W);
        Bar->show();
    }
}

QWidget* WindowMenuBar(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? W->MenuBar.data() : nullptr;
}

HDC CreateWindowDC(TBridgeWidget* Window, bool Client, bool ForPaint)
{
    QPoint Origin;
    std::optional<QRegion> Clip;
    if (Client) {
        Origin = Window->ClientOffset();
        Clip = QRegion(QRect(Origin, Window->ClientSize()));
    }
    HDC DC = CreateDC(std::make_shared<TWindowTarget>(Window, ForPaint), Origin, std::move(Clip));
    DC->Window = Window->Handle();
    return DC;
}

// ---- TBridgeWidget --------------------------------------------------------------------------

TBridgeWidget::TBridgeWidget(const TWindowParams& Params, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), Color(Params.Color), Framed(Params.Framed), Placement(ToQRect(Params.Rect)),
      FParam(Params.Param)
{
    FHandle = static_cast<HWND>(AddHandle(hkWindow, this));
    Procs.push_back({Params.Proc, nullptr});
    ApplyClass(this, Params);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_KeyCompression, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

TBridgeWidget::~TBridgeWidget()
{
    // Qt deletes the window under the class library (its parent window went first).
    if (FLive) AskClass(WM_NCDESTROY, 0, 0);
    FLive = false;
    RemoveHandle(FHandle);
    if (CaptureWindow == Handle()) CaptureWindow = nullptr;
}

void TBridgeWidget::Detach()
{
    FLive = false;
    RemoveHandle(FHandle);
    if (CaptureWindow == Handle()) CaptureWindow = nullptr;
    for (const QPointer<QWidget>& W : FRouted)
        if (W) W->removeEventFilter(this);
    FRouted.clear();
    // A window that goes takes no focus with it to another window.
    QWidget* Focus = QApplication::focusWidget();
    if (Focus && (Focus == this || isAncestorOf(Focus))) Focus->clearFocus();
    hide();
    deleteLater();
}

void TBridgeWidget::ShowCursor(const QCursor& Cursor)
{
    setCursor(Cursor);
    // The inner widget covers the client area; its parts (a viewport, a
    // combo box's line edit) keep the cursors of their own.
    if (Inner) Inner->setCursor(Cursor);
}

void TBridgeWidget::Route(QWidget* Widget)
{
    if (!Widget) return;
    Widget->installEventFilter(this);
    Widget->setAttribute(Qt::WA_NoMousePropagation);
    Widget->setMouseTracking(true);
    FRouted.emplace_back(Widget);
    if (auto* Area = qobject_cast<QAbstractScrollArea*>(Widget)) Route(Area->viewport());
}

LRESULT TBridgeWidget::Send(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return TopProc()(Handle(), Msg, WParam, LParam);
}

LRESULT TBridgeWidget::AskClass(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return Procs.front().Proc(Handle(), Msg, WParam, LParam);
}

bool TBridgeWidget::SendForEvent(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT* Result, WPARAM* WParamAtDefault)
{
    TEventContext Context;
    Context.Window = this;
    Context.Msg = Msg;
    Context.WParam = WParam;
    // Nested events (a handler that sends input of its own) restore the outer one.
    const TRestore Restore(CurrentEvent, &Context);
    const LRESULT R = Send(Msg, WParam, LParam);
    if (Result) *Result = R;
    if (WParamAtDefault) *WParamAtDefault = Context.WParam;
    return Context.DefaultReached;
}

// ---- The client area ---------------------------------------------------------------------------

QPoint TBridgeWidget::ClientOffset()
{
    ClientSize();
    return FClientOffset;
}

QSize TBridgeWidget::ClientSize()
{
    if (!FLive) return QSize();
    if (!FClientValid) {
        // Valid first with the whole window, so that a handler asking for
        // the client area while it works it out does not recurse.
        FClientValid = true;
        FClientOffset = QPoint();
        FClientSize = Placement.size();
        NCCALCSIZE_PARAMS Params;
        Params.rgrc[0] = RECT{Placement.left(), Placement.top(), Placement.left() + Placement.width(),
                              Placement.top() + Placement.height()};
        Send(WM_NCCALCSIZE, 1, LPARAM(&Params));
        const RECT& R = Params.rgrc[0];
        FClientOffset = QPoint(R.left - Placement.left(), R.top - Placement.top());
        FClientSize = QSize(std::max<LONG>(R.right - R.left, 0), std::max<LONG>(R.bottom - R.top, 0));
    }
    return FClientSize;
}

std::optional<QSize> TBridgeWidget::InvalidateClientArea()
{
    if (!FClientValid) return std::nullopt;
    FClientValid = false;
    return FClientSize;
}

TWindowShape TBridgeWidget::Shape() const
{
    return TWindowShape{Style, ExStyle, TSize(Placement.width(), Placement.height()), Framed};
}

// ---- Painting ------------------------------------------------------------------------------

void TBridgeWidget::EnsureImage()
{
    if (Image.size() == size()) return;
    Image = QImage(size(), QImage::Format_RGB32);
    if (!Image.isNull()) Image.fill(FLive ? ToQColor(Color) : QColor(Qt::white));
    FrameInvalid = true;
    Invalid = QRegion(QRect(QPoint(), ClientSize()));
    EraseNeeded = true;
}

void TBridgeWidget::Resized(const std::optional<QRect>& OldClient)
{
    FrameInvalid = true;
    const QRect Client(ClientOffset(), ClientSize());
    // A class with CS_HREDRAW (CS_VREDRAW) repaints all of its window when
    // the width (height) changes; any other keeps its pixels where they were
    // and paints only what the new size uncovers.
    const auto Redraws = [&](UINT Flag, int Old, int New) { return (ClassStyle & Flag) && Old != New; };
    if (!OldClient || OldClient->topLeft() != Client.topLeft() || Image.isNull() ||
        Redraws(CS_HREDRAW, OldClient->width(), Client.width()) ||
        Redraws(CS_VREDRAW, OldClient->height(), Client.height())) {
        InvalidateClient(nullptr, true);
        return;
    }
    QImage Kept(size(), QImage::Format_RGB32);
    if (Kept.isNull()) return;
    Kept.fill(ToQColor(Color));
    const QRect Common = Image.rect() & Kept.rect();
    const std::size_t Bytes = std::size_t(Common.width()) * 4;
    for (int Y = 0; Y < Common.height(); ++Y)
        std::memcpy(Kept.scanLine(Y), Image.constScanLine(Y), Bytes);
    Image = std::move(Kept);
    const QRegion Uncovered = QRegion(QRect(QPoint(), Client.size())) - QRegion(QRect(QPoint(), OldClient->size()));
    for (const QRect& Part : Uncovered)
        InvalidateClient(&Part, true);
}

void TBridgeWidget::InvalidateClient(const QRect* Rect, bool Erase)
{
    const QRect Client(QPoint(), ClientSize());
    const QRect R = Rect ? (Rect->normalized() & Client) : Client;
    if (R.isEmpty()) return;
    Invalid += R;
    EraseNeeded = EraseNeeded || Erase;
    update(R.translated(ClientOffset()));
}

void TBridgeWidget::ValidateClient(const QRect* Rect)
{
    if (Rect)
        Invalid -= *Rect;
    else
        Invalid = QRegion();
}

QRegion TBridgeWidget::RenderInvalid()
{
    QRegion Painted;
    if (!FLive || PaintDC) return Painted; // gone, or painting already
    EnsureImage();
    if (Image.isNull()) return Painted;
    if (FrameInvalid) {
        FrameInvalid = false;
        Send(WM_NCPAINT, 1, 0);
        if (!FLive) return Painted;
        Painted += QRegion(Image.rect()) - QRegion(QRect(ClientOffset(), ClientSize()));
    }
    const QRegion Region = Invalid & QRect(QPoint(), ClientSize());
    Invalid = QRegion();
    const bool Erase = EraseNeeded;
    EraseNeeded = false;
    if (Region.isEmpty()) return Painted;
    const QPoint Offset = ClientOffset();
    if (Erase) {
        HDC EraseDC = CreateWindowDC(this, true, true);
        const TScopeExit Release([EraseDC] { DeleteDC(EraseDC); });
        EraseDC->Clip = Region.translated(Offset);
        Send(WM_ERASEBKGND, WPARAM(EraseDC), 0);
        if (!FLive) return Painted;
    }
    HDC DC = CreateWindowDC(this, true, true);
    const TScopeExit Release([DC] { DeleteDC(DC); });
    DC->Clip = Region.translated(Offset);
    {
        const TRestore Painting(PaintDC, DC);
        Send(WM_PAINT, 0, 0);
    }
    Painted += Region.translated(Offset);
    return Painted;
}

void TBridgeWidget::paintEvent(QPaintEvent* Event)
{
    if (!FLive) return;
    Guarded(Handle(), [this] { RenderInvalid(); });
    if (Image.isNull()) return;
    QPainter P(this);
    P.drawImage(Event->rect(), Image, Event->rect());
}

// ---- Geometry ---------------------------------------------------------------------------------

void TBridgeWidget::SetGeometryQuietly(const QRect& Rect)
{
    const TRestore Applying(ApplyingGeometry, true);
    setGeometry(Rect);
}

void TBridgeWidget::HandleGeometry(QEvent*)
{
    if (!ApplyingGeometry && isWindow() && FLive) AskClass(CM_WINDOWMOVED, 0, 0);
}

} // namespace platform::detail
