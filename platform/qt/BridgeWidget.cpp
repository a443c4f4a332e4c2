#include "platform/qt/BridgeWidget.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/HandleTable.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>
#include <QWindow>

namespace platform::detail {

TEventContext* CurrentEvent = nullptr;
Qt::KeyboardModifiers InputModifiers;
Qt::MouseButtons InputButtons;
QPoint LastMouseScreenPos;
bool HaveLastMouseScreenPos = false;
int MouseEventDepth = 0;
HWND CaptureWindow = nullptr;

namespace {

TExceptionHandler ExceptionHandler = nullptr;

// A resize of a top-level window from a grip or border that the window
// manager cannot take over (offscreen, or no window manager): the window
// follows the mouse until the button is released.
struct TResizeDrag {
    QPointer<TBridgeWidget> Source;
    QPointer<QWidget> Window;
    Qt::Edges Edges;
    QPoint StartPos;
    QRect StartGeometry;
} ResizeDrag;

LPARAM PackPoint(QPoint P)
{
    return MAKELONG(WORD(std::int16_t(P.x())), WORD(std::int16_t(P.y())));
}

WPARAM MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers)
{
    WPARAM Keys = 0;
    if (Buttons & Qt::LeftButton) Keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) Keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) Keys |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) Keys |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) Keys |= MK_CONTROL;
    return Keys;
}

// The client message of a mouse event (0 when it has none).
UINT ClientMouseMessage(QEvent::Type Type, Qt::MouseButton Button, bool DoubleClicks)
{
    int Base = -1;
    if (Button == Qt::LeftButton)
        Base = WM_LBUTTONDOWN;
    else if (Button == Qt::RightButton)
        Base = WM_RBUTTONDOWN;
    else if (Button == Qt::MiddleButton)
        Base = WM_MBUTTONDOWN;
    switch (Type) {
    case QEvent::MouseMove:
        return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
        return Base < 0 ? 0 : UINT(Base);
    case QEvent::MouseButtonRelease:
        return Base < 0 ? 0 : UINT(Base + 1);
    case QEvent::MouseButtonDblClick:
        return Base < 0 ? 0 : UINT(Base + (DoubleClicks ? 2 : 0));
    default:
        return 0;
    }
}

// True when Qt gives the event to the widget that got the press rather than
// to the one under the pointer: from a press until the last button is up.
bool DuringGrab(const QMouseEvent* ME)
{
    switch (ME->type()) {
    case QEvent::MouseMove:
        return ME->buttons() != Qt::NoButton;
    case QEvent::MouseButtonRelease:
        return true;
    default:
        return ME->buttons() != ME->button(); // another button was down already
    }
}

bool IsSizingHit(LRESULT Hit)
{
    return Hit >= HTLEFT && Hit <= HTBOTTOMRIGHT;
}

bool KeyTypesChar(WORD VK)
{
    return VK == VK_BACK || VK == VK_TAB || VK == VK_RETURN || VK == VK_ESCAPE || VK == VK_SPACE ||
           (VK >= '0' && VK <= '9') || (VK >= 'A' && VK <= 'Z') || (VK >= VK_NUMPAD0 && VK <= VK_DIVIDE) ||
           (VK >= VK_OEM_1 && VK <= VK_OEM_3) || (VK >= VK_OEM_4 && VK <= VK_OEM_7) || VK == VK_OEM_102;
}

class TWindowTarget : public TDrawTarget {
public:
    TWindowTarget(TBridgeWidget* Window, bool ForPaint) : FWindow(Window), FForPaint(ForPaint) {}
    QImage* Image() override
    {
        if (!FWindow || !FWindow->Control()) return nullptr;
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

} // namespace

QEvent::Type TPostedMessage::EventType()
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

TWinControl* ControlOf(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    return W ? W->Control() : nullptr;
}

QWidget* WindowWidget(TWinControl* Control)
{
    return WidgetOf(Control->GetHandle());
}

QImage* BackingImage(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return nullptr;
    W->EnsureImage();
    return &W->Image;
}

LRESULT ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* Control = ControlOf(Wnd);
    if (!Control) return 0;
    TMessage M{Msg, WParam, LParam, 0};
    Control->MainWndProc(M);
    return M.Result;
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

TBridgeWidget::TBridgeWidget(TWinControl* Control, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), FControl(Control)
{
    FHandle = static_cast<HWND>(AddHandle(hkWindow, this));
    Procs.push_back({&ControlWindowProc, nullptr});
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_KeyCompression, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

TBridgeWidget::~TBridgeWidget()
{
    RemoveHandle(FHandle);
    if (CaptureWindow == Handle()) CaptureWindow = nullptr;
    if (FControl) {
        // Qt deleted the window under a live control (its parent window went first).
        FControl->FWidget = nullptr;
        FControl->FWindow->Inner = nullptr;
        FControl->FWindow->MenuBar = nullptr;
    }
}

void TBridgeWidget::Detach()
{
    FControl = nullptr;
    RemoveHandle(FHandle);
    if (CaptureWindow == Handle()) CaptureWindow = nullptr;
    for (const QPointer<QWidget>& W : FRouted)
        if (W) W->removeEventFilter(this);
    FRouted.clear();
    // A window that goes takes no focus with it to another control.
    QWidget* Focus = QApplication::focusWidget();
    if (Focus && (Focus == this || isAncestorOf(Focus))) Focus->clearFocus();
    hide();
    deleteLater();
}

QPoint TBridgeWidget::ClientOffset()
{
    return FControl ? ToQPoint(FControl->GetClientOffset()) : QPoint();
}

QSize TBridgeWidget::ClientSize()
{
    if (!FControl) return QSize();
    const TRect R = FControl->GetClientRect();
    return QSize(R.Right, R.Bottom);
}

DWORD& TBridgeWidget::StyleRef(bool Ex)
{
    return Ex ? FControl->FExStyle : FControl->FStyle;
}

LRESULT TBridgeWidget::Send(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return TopProc()(Handle(), Msg, WParam, LParam);
}

bool TBridgeWidget::SendForEvent(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT* Result, WPARAM* WParamAtDefault)
{
    TEventContext Context;
    Context.Window = this;
    Context.Msg = Msg;
    Context.WParam = WParam;
    Context.Outer = CurrentEvent;
    CurrentEvent = &Context;
    LRESULT R = 0;
    try {
        R = Send(Msg, WParam, LParam);
    } catch (...) {
        CurrentEvent = Context.Outer;
        throw;
    }
    CurrentEvent = Context.Outer;
    if (Result) *Result = R;
    if (WParamAtDefault) *WParamAtDefault = Context.WParam;
    return Context.DefaultReached;
}

// ---- Painting ------------------------------------------------------------------------------

void TBridgeWidget::EnsureImage()
{
    if (Image.size() == size()) return;
    Image = QImage(size(), QImage::Format_RGB32);
    if (!Image.isNull()) Image.fill(FControl ? ToQColor(FControl->GetColor()) : QColor(Qt::white));
    FrameInvalid = true;
    Invalid = QRegion(QRect(QPoint(), ClientSize()));
    EraseNeeded = true;
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
    if (!FControl || PaintDC) return Painted; // gone, or painting already
    EnsureImage();
    if (Image.isNull()) return Painted;
    if (FrameInvalid) {
        FrameInvalid = false;
        Send(WM_NCPAINT, 1, 0);
        if (!FControl) return Painted;
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
        EraseDC->Clip = Region.translated(Offset);
        try {
            Send(WM_ERASEBKGND, WPARAM(EraseDC), 0);
        } catch (...) {
            DeleteDC(EraseDC);
            throw;
        }
        DeleteDC(EraseDC);
        if (!FControl) return Painted;
    }
    HDC DC = CreateWindowDC(this, true, true);
    DC->Clip = Region.translated(Offset);
    PaintDC = DC;
    PaintRegion = Region;
    try {
        Send(WM_PAINT, 0, 0);
    } catch (...) {
        PaintDC = nullptr;
        DeleteDC(DC);
        throw;
    }
    PaintDC = nullptr;
    PaintRegion = QRegion();
    DeleteDC(DC);
    Painted += Region.translated(Offset);
    return Painted;
}

void TBridgeWidget::paintEvent(QPaintEvent* Event)
{
    if (!FControl) return;
    try {
        RenderInvalid();
    } catch (...) {
        HandleWindowException(Handle());
    }
    if (Image.isNull()) return;
    QPainter P(this);
    P.drawImage(Event->rect(), Image, Event->rect());
}

// ---- Geometry ---------------------------------------------------------------------------------

void TBridgeWidget::SetGeometryQuietly(const QRect& Rect)
{
    const bool Was = ApplyingGeometry;
    ApplyingGeometry = true;
    if (isWindow())
        setGeometry(Rect);
    else
        setGeometry(Rect);
    ApplyingGeometry = Was;
}

void TBridgeWidget::HandleGeometry(QEvent*)
{
    if (!ApplyingGeometry && isWindow() && FControl) FControl->UpdateBounds();
}

// ---- Input ----------------------------------------------------------------------------------------

void TBridgeWidget::Route(QWidget* Widget)
{
    if (!Widget) return;
    Widget->installEventFilter(this);
    Widget->setAttribute(Qt::WA_NoMousePropagation);
    Widget->setMouseTracking(true);
    FRouted.emplace_back(Widget);
    if (auto* Area = qobject_cast<QAbstractScrollArea*>(Widget)) Route(Area->viewport());
}

bool TBridgeWidget::event(QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (Type == TPostedMessage::EventType()) {
        if (FControl) {
            auto* P = static_cast<TPostedMessage*>(Event);
            try {
                // A posted key takes the road of a typed one: the control's
                // notification first (the form may take Tab as a dialog key).
                const bool Key = P->Msg >= WM_KEYFIRST && P->Msg <= WM_SYSCHAR;
                if (!Key || Send(CN_BASE + P->Msg, P->WParam, P->LParam) == 0)
                    if (FControl) Send(P->Msg, P->WParam, P->LParam);
            } catch (...) {
                HandleWindowException(Handle());
            }
        }
        return true;
    }
    switch (Type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::Close:
        // Input for a window whose control is gone is dropped.
        if (!FControl) {
            Event->accept();
            return true;
        }
        break;
    default:
        if (!FControl) return QWidget::event(Event);
        break;
    }
    try {
        switch (Type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (HandleMouse(this, Event) == moTransparent && FControl) {
                // A transparent spot: the window below takes the mouse.
                Event->ignore();
                return false;
            }
            Event->accept();
            return true;
        case QEvent::Wheel:
            HandleWheel(this, Event);
            Event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // With an inner widget, keys reach this window only when the
            // widget passes them up: they were handled already.
            if (!FControl->FWindow->Inner) HandleKey(Event);
            Event->accept();
            return true;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            HandleFocus(Event);
            return true;
        case QEvent::Leave:
            if (TControl* C = MouseControl()) {
                if (C == FControl || C->GetParent() == FControl) SetMouseControl(nullptr);
            }
            return true;
        case QEvent::Close:
            Event->ignore();
            Send(WM_CLOSE, 0, 0);
            return true;
        case QEvent::Resize:
        case QEvent::Move: {
            const bool R = QWidget::event(Event);
            HandleGeometry(Event);
            if (Type == QEvent::Resize && FControl) SyncScrollBars(this);
            return R;
        }
        case QEvent::Show:
        case QEvent::Hide: {
            const bool R = QWidget::event(Event);
            if (FControl) FControl->Perform(CM_SHOWINGCHANGED, 0, 0);
            return R;
        }
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate: {
            const bool R = QWidget::event(Event);
            if (isWindow() && FControl) Send(WM_ACTIVATE, Type == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0);
            // As on Windows, a window that loses the activation cancels the
            // mode of the window inside it that holds the mouse.
            if (Type == QEvent::WindowDeactivate && isWindow())
                if (TBridgeWidget* C = BridgeOf(CaptureWindow); C && C->window() == this && C->FControl)
                    C->Send(WM_CANCELMODE, 0, 0);
            return R;
        }
        default:
            return QWidget::event(Event);
        }
    } catch (...) {
        HandleWindowException(Handle());
        return true;
    }
}

bool TBridgeWidget::eventFilter(QObject* Watched, QEvent* Event)
{
    if (!FControl || FReplaying) return false;
    auto* Source = qobject_cast<QWidget*>(Watched);
    if (!Source) return false;
    try {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return HandleMouse(Source, Event) == moSwallowed;
        case QEvent::Wheel:
            return HandleWheel(Source, Event);
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return HandleKey(Event);
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            HandleFocus(Event);
            return false;
        default:
            return false;
        }
    } catch (...) {
        HandleWindowException(Handle());
        return true;
    }
}

TBridgeWidget::TMouseOutcome TBridgeWidget::HandleMouse(QWidget* Source, QEvent* Event)
{
    auto* ME = static_cast<QMouseEvent*>(Event);
    const QPoint Global = ME->globalPosition().toPoint();
    InputModifiers = ME->modifiers();
    InputButtons = ME->buttons();
    LastMouseScreenPos = Global;
    HaveLastMouseScreenPos = true;
    struct TDepth {
        TDepth() { ++MouseEventDepth; }
        ~TDepth() { --MouseEventDepth; }
    } Depth;

    // A window resize from the grip in progress.
    if (ResizeDrag.Source == this && ResizeDrag.Window) {
        if (Event->type() == QEvent::MouseMove) {
            const QPoint D = Global - ResizeDrag.StartPos;
            QRect G = ResizeDrag.StartGeometry;
            if (ResizeDrag.Edges & Qt::RightEdge) G.setWidth(G.width() + D.x());
            if (ResizeDrag.Edges & Qt::BottomEdge) G.setHeight(G.height() + D.y());
            if (ResizeDrag.Edges & Qt::LeftEdge) G.setLeft(G.left() + D.x());
            if (ResizeDrag.Edges & Qt::TopEdge) G.setTop(G.top() + D.y());
            ResizeDrag.Window->setGeometry(G);
        } else if (Event->type() == QEvent::MouseButtonRelease) {
            ResizeDrag = TResizeDrag();
        }
        return moSwallowed;
    }

    // The window holding the capture gets the mouse wherever the pointer is;
    // without one, the window under the pointer does. Qt keeps giving the
    // mouse to the widget that got the press until the release: for a wrapped
    // Qt widget that stands for the capture its native control takes on a
    // press, but a window of our own drawing that let the capture go during
    // the press hears no more of it.
    const bool Grabbed = DuringGrab(ME);
    TBridgeWidget* Under = Grabbed ? WindowAt(Global) : this;
    TBridgeWidget* InnerGrab = Grabbed && Source != this ? this : nullptr;
    TBridgeWidget* Target = BridgeOf(CaptureWindow);
    if (!Target) Target = InnerGrab ? InnerGrab : Under;
    const bool Tracks = Event->type() == QEvent::MouseMove || Event->type() == QEvent::MouseButtonPress;
    if (!Target) {
        if (Tracks) TrackMouseControl(nullptr, QPoint(), nullptr);
        return moSwallowed;
    }
    const QPoint WindowPos =
        Target == this ? Source->mapTo(this, ME->position().toPoint()) : Target->mapFromGlobal(Global);

    LRESULT Hit = Target->Send(WM_NCHITTEST, 0, PackPoint(Global));
    if (!Target->FControl) return moSwallowed;
    if (Hit == HTTRANSPARENT && Target == this && Source == this) return moTransparent;
    const bool Client = Hit == HTCLIENT || (CaptureWindow && CaptureWindow == Target->Handle());
    const UINT MouseMsg =
        ClientMouseMessage(Event->type(), ME->button(), Target->FControl->FWindow->ClassStyle & CS_DBLCLKS);
    if (Event->type() == QEvent::MouseMove) {
        Target->Send(WM_SETCURSOR, WPARAM(Target->Handle()), MAKELONG(WORD(Hit), WM_MOUSEMOVE));
        if (!Target->FControl) return moSwallowed;
    }
    const QPoint ClientPos = WindowPos - Target->ClientOffset();
    if (Tracks) {
        const QPoint UnderPos =
            !Under || Under == Target ? ClientPos : Under->mapFromGlobal(Global) - Under->ClientOffset();
        TrackMouseControl(Under, UnderPos, InnerGrab);
        if (!Target->FControl) return moSwallowed;
    }
    if (Client) {
        if (!MouseMsg) return Target != this ? moSwallowed : moDefault;
        const bool Default =
            Target->SendForEvent(MouseMsg, MouseKeys(ME->buttons(), ME->modifiers()), PackPoint(ClientPos));
        return Target != this || !Default ? moSwallowed : moDefault;
    }
    if (!MouseMsg) return moSwallowed;
    // The non-client messages are numbered like the client ones.
    const UINT NCMsg = MouseMsg == WM_MOUSEMOVE ? WM_NCMOUSEMOVE : MouseMsg - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    Target->Send(NCMsg, WPARAM(Hit), PackPoint(Global));
    return moSwallowed;
}

bool TBridgeWidget::HandleWheel(QWidget*, QEvent* Event)
{
    auto* WE = static_cast<QWheelEvent*>(Event);
    InputModifiers = WE->modifiers();
    InputButtons = WE->buttons();
    const QPoint Global = WE->globalPosition().toPoint();
    int Delta = WE->angleDelta().y() != 0 ? WE->angleDelta().y() : WE->angleDelta().x();
    if (Delta == 0) return false;
    const UINT Msg = WE->angleDelta().y() != 0 ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL;
    // The message carries a 16-bit distance: a longer burst goes as several
    // messages of whole notches.
    constexpr int MaxDelta = (32767 / WHEEL_DELTA) * WHEEL_DELTA;
    bool Swallowed = false;
    while (Delta != 0) {
        const int Part = std::clamp(Delta, -MaxDelta, MaxDelta);
        Delta -= Part;
        const WPARAM WParam = MAKELONG(WORD(MouseKeys(WE->buttons(), WE->modifiers())), WORD(std::int16_t(Part)));
        Swallowed = !SendForEvent(Msg, WParam, PackPoint(Global)) || Swallowed;
        if (!FControl) return true;
    }
    return Swallowed;
}

bool TBridgeWidget::HandleKey(QEvent* Event)
{
    auto* KE = static_cast<QKeyEvent*>(Event);
    InputModifiers = KE->modifiers();
    const WORD VK = VirtualKeyOf(KE->key(), KE->modifiers());
    const bool Alt = KE->modifiers() & Qt::AltModifier;
    const bool Inner = FControl->FWindow->Inner;
    if (Event->type() == QEvent::KeyRelease) {
        if (!VK) return false;
        const LPARAM KeyData = 1 | LPARAM(0xC0000000) | (Alt ? KF_ALTDOWN_BIT : 0);
        const UINT Up = Alt ? WM_SYSKEYUP : WM_KEYUP;
        if (Send(CN_BASE + Up, VK, KeyData) != 0 || !FControl) return true;
        return !SendForEvent(Up, VK, KeyData) || !Inner;
    }

    // As Win32 does: the key first (the form may take Tab and the arrows as
    // dialog keys), then the character it types, each through the chain.
    QString Text = KE->text();
    if (KE->key() == Qt::Key_Delete) Text.clear();
    const LPARAM KeyData = 1 | (KE->isAutoRepeat() ? LPARAM(0x40000000) : 0) | (Alt ? KF_ALTDOWN_BIT : 0);
    bool KeyDefault = true;
    if (VK) {
        const UINT Down = (Alt || VK == VK_F10) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        if (Send(CN_BASE + Down, VK, KeyData) != 0 || !FControl) return true;
        KeyDefault = SendForEvent(Down, VK, KeyData);
        if (!FControl) return true;
    }
    if (Text.isEmpty()) return !KeyDefault || !Inner;
    const UINT CharMsg = Alt ? WM_SYSCHAR : WM_CHAR;
    QString Typed;
    bool AllDefault = true;
    for (QChar C : Text) {
        if (Send(CN_BASE + CharMsg, C.unicode(), KeyData) != 0 || !FControl) {
            AllDefault = false;
            continue;
        }
        WPARAM AtDefault = 0;
        const bool Default = SendForEvent(CharMsg, C.unicode(), KeyData, nullptr, &AtDefault);
        if (!FControl) return true;
        if (Default && AtDefault != 0)
            Typed += QChar(char16_t(AtDefault));
        else
            AllDefault = false;
    }
    if (!Inner) return true;
    if (AllDefault && Typed == Text) return false;
    if (!Typed.isEmpty()) {
        // The handlers changed the character: the widget types what they left.
        QKeyEvent Changed(QEvent::KeyPress, Typed.size() == 1 && Typed[0].isPrint() ? 0 : KE->key(), KE->modifiers(),
                          Typed);
        QWidget* Receiver = QApplication::focusWidget();
        if (!Receiver) Receiver = FControl->FWindow->Inner;
        FReplaying = true;
        QCoreApplication::sendEvent(Receiver, &Changed);
        FReplaying = false;
    }
    return true;
}

void TBridgeWidget::HandleFocus(QEvent* Event)
{
    auto* FE = static_cast<QFocusEvent*>(Event);
    if (Event->type() == QEvent::FocusIn) {
        if (HasFocus) return;
        HasFocus = true;
        Send(WM_SETFOCUS, 0, 0);
        return;
    }
    if (FE->reason() == Qt::PopupFocusReason || !HasFocus) return;
    QWidget* New = QApplication::focusWidget();
    TBridgeWidget* NewWindow = New ? BridgeAbove(New) : nullptr;
    if (NewWindow == this) return; // the focus moved inside this window
    HasFocus = false;
    Send(WM_KILLFOCUS, WPARAM(NewWindow ? NewWindow->Handle() : nullptr), 0);
}

void TBridgeWidget::ReplayToInner(const TMessage& Message)
{
    QWidget* Inner = FControl ? FControl->FWindow->Inner.data() : nullptr;
    if (!Inner) return;
    QWidget* KeyTarget = QApplication::focusWidget();
    if (!KeyTarget || (KeyTarget != Inner && !Inner->isAncestorOf(KeyTarget))) KeyTarget = Inner;
    FReplaying = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } Reset{FReplaying};
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const WORD VK = WORD(Message.WParam);
        if (KeyTypesChar(VK)) return; // the character message does the typing
        const int Key = QtKeyOf(VK);
        if (!Key) return;
        const bool Down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
        QKeyEvent E(Down ? QEvent::KeyPress : QEvent::KeyRelease, Key, InputModifiers);
        QCoreApplication::sendEvent(KeyTarget, &E);
        return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        const char16_t C = char16_t(Message.WParam);
        int Key = 0;
        Qt::KeyboardModifiers Mods = InputModifiers;
        if (C == 8)
            Key = Qt::Key_Backspace;
        else if (C == 9)
            Key = Qt::Key_Tab;
        else if (C == 13)
            Key = Qt::Key_Return;
        else if (C == 27)
            Key = Qt::Key_Escape;
        else if (C >= 1 && C <= 26) {
            Key = Qt::Key_A + (C - 1);
            Mods |= Qt::ControlModifier;
        }
        const QString Text = QString(QChar(C));
        QKeyEvent Press(QEvent::KeyPress, Key, Mods, Text);
        QCoreApplication::sendEvent(KeyTarget, &Press);
        QKeyEvent Release(QEvent::KeyRelease, Key, Mods, Text);
        QCoreApplication::sendEvent(KeyTarget, &Release);
        return;
    }
    default:
        break;
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
        const TWMMouse M(Message);
        const QPoint WindowPos = QPoint(M.XPos, M.YPos) + ClientOffset();
        QWidget* Target = Inner->childAt(Inner->mapFrom(this, WindowPos));
        if (!Target) Target = Inner;
        const QPoint Local = Target->mapFrom(this, WindowPos);
        QEvent::Type Type = QEvent::MouseMove;
        Qt::MouseButton Button = Qt::NoButton;
        const UINT Rel = Message.Msg == WM_MOUSEMOVE ? 0 : (Message.Msg - WM_LBUTTONDOWN) % 3;
        const UINT Which = Message.Msg == WM_MOUSEMOVE ? 0 : (Message.Msg - WM_LBUTTONDOWN) / 3;
        if (Message.Msg != WM_MOUSEMOVE) {
            Button = Which == 0 ? Qt::LeftButton : Which == 1 ? Qt::RightButton : Qt::MiddleButton;
            Type = Rel == 0   ? QEvent::MouseButtonPress
                   : Rel == 1 ? QEvent::MouseButtonRelease
                              : QEvent::MouseButtonDblClick;
        }
        Qt::MouseButtons Buttons;
        if (M.Keys & MK_LBUTTON) Buttons |= Qt::LeftButton;
        if (M.Keys & MK_RBUTTON) Buttons |= Qt::RightButton;
        if (M.Keys & MK_MBUTTON) Buttons |= Qt::MiddleButton;
        QMouseEvent E(Type, QPointF(Local), QPointF(Target->mapToGlobal(Local)), Button, Buttons, InputModifiers);
        QCoreApplication::sendEvent(Target, &E);
    }
}

// ---- Resizing a top-level window from inside ----------------------------------------------------

void StartWindowResize(TBridgeWidget* Window, int HitTest, QPoint GlobalPos)
{
    QWidget* Top = Window->window();
    Qt::Edges Edges;
    if (HitTest == HTLEFT || HitTest == HTTOPLEFT || HitTest == HTBOTTOMLEFT) Edges |= Qt::LeftEdge;
    if (HitTest == HTRIGHT || HitTest == HTTOPRIGHT || HitTest == HTBOTTOMRIGHT) Edges |= Qt::RightEdge;
    if (HitTest == HTTOP || HitTest == HTTOPLEFT || HitTest == HTTOPRIGHT) Edges |= Qt::TopEdge;
    if (HitTest == HTBOTTOM || HitTest == HTBOTTOMLEFT || HitTest == HTBOTTOMRIGHT) Edges |= Qt::BottomEdge;
    if (!Edges) return;
    // With a window manager the manager drags; otherwise the window follows the mouse.
    if (QWindow* W = Top->windowHandle(); W && W->startSystemResize(Edges)) return;
    ResizeDrag.Source = Window;
    ResizeDrag.Window = Top;
    ResizeDrag.Edges = Edges;
    ResizeDrag.StartPos = GlobalPos;
    ResizeDrag.StartGeometry = Top->geometry();
}

// ---- The default window procedure ------------------------------------------------------------------

namespace {

// Child windows and popups draw their own borders; a form's frame is the window manager's.
bool DrawsOwnFrame(TWinControl* Control, DWORD Style)
{
    return (Style & WS_CHILD) || ((Style & WS_POPUP) && !dynamic_cast<TCustomForm*>(Control));
}

int FrameWidth(TWinControl* Control, DWORD Style, DWORD ExStyle)
{
    if (!DrawsOwnFrame(Control, Style)) return 0;
    int Border = 0;
    if (Style & WS_BORDER) Border += 1;
    if (ExStyle & WS_EX_STATICEDGE) Border += 1;
    if (ExStyle & WS_EX_CLIENTEDGE) Border += 2;
    return Border;
}

} // namespace

QRect FrameInsideRect(TWinControl* Control, DWORD Style, DWORD ExStyle)
{
    const int Border = FrameWidth(Control, Style, ExStyle);
    QRect R(0, 0, Control->GetWidth(), Control->GetHeight());
    R.adjust(Border, Border, -Border, -Border);
    if (R.width() < 0) R.setWidth(0);
    if (R.height() < 0) R.setHeight(0);
    return R;
}

TScrollBarRects ScrollBarRects(TWinControl* Control, DWORD Style, DWORD ExStyle)
{
    // As Windows places them: along the right and bottom edges inside the
    // frame, the vertical bar stopping above the horizontal one.
    const QRect Inside = FrameInsideRect(Control, Style, ExStyle);
    const int VW = (Style & WS_VSCROLL) ? std::min(GetSystemMetrics(SM_CXVSCROLL), Inside.width()) : 0;
    const int HH = (Style & WS_HSCROLL) ? std::min(GetSystemMetrics(SM_CYHSCROLL), Inside.height()) : 0;
    TScrollBarRects R;
    if (VW > 0) R.Vert = QRect(Inside.right() + 1 - VW, Inside.top(), VW, Inside.height() - HH);
    if (HH > 0) R.Horz = QRect(Inside.left(), Inside.bottom() + 1 - HH, Inside.width() - VW, HH);
    if (VW > 0 && HH > 0) R.Corner = QRect(Inside.right() + 1 - VW, Inside.bottom() + 1 - HH, VW, HH);
    return R;
}

void PaintWindowFrame(TWinControl* Control, DWORD Style, DWORD ExStyle)
{
    if (!DrawsOwnFrame(Control, Style)) {
        Style &= ~WS_BORDER;
        ExStyle &= ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE);
    }
    TBridgeWidget* W = BridgeOf(Control->HandleAllocated() ? Control->GetHandle() : nullptr);
    if (!W) return;
    HDC DC = CreateWindowDC(W, false, false);
    QRect R(QPoint(), W->size());
    const QRect Client(W->ClientOffset(), W->ClientSize());
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
            if (Style & WS_BORDER) Ring(clWindowFrame, clWindowFrame);
            if (ExStyle & WS_EX_STATICEDGE) Ring(clBtnShadow, clBtnHighlight);
            if (ExStyle & WS_EX_CLIENTEDGE) {
                Ring(clBtnShadow, clBtnHighlight);
                Ring(cl3DDkShadow, cl3DLight);
            }
            // Where the window scroll bars go.
            if (Style & (WS_VSCROLL | WS_HSCROLL)) {
                QRegion Rest(R);
                Rest -= Client;
                for (const QRect& Part : Rest)
                    Painter.fillRect(Part, ToQColor(clBtnFace));
            }
        }
    }
    ReleaseDC(W->Handle(), DC);
}

void DefaultWindowBehaviour(TWinControl* Control, TMessage& Message)
{
    TBridgeWidget* W = Control->FWidget;
    switch (Message.Msg) {
    case WM_NCCALCSIZE: {
        DWORD Style, ExStyle;
        Control->CurrentStyles(Style, ExStyle);
        RECT& R = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
        // The client area is what the frame and the window scroll bars leave.
        const QRect Inside = FrameInsideRect(Control, Style, ExStyle);
        const TScrollBarRects Bars = ScrollBarRects(Control, Style, ExStyle);
        R.left += Inside.left();
        R.top += Inside.top();
        R.right -= Control->GetWidth() - (Inside.left() + Inside.width()) + Bars.Vert.width();
        R.bottom -= Control->GetHeight() - (Inside.top() + Inside.height()) + Bars.Horz.height();
        R.right = std::max(R.right, R.left);
        R.bottom = std::max(R.bottom, R.top);
        Message.Result = 0;
        if (W) SyncScrollBars(W);
        break;
    }
    case WM_NCHITTEST: {
        const TWMNCHitTest M(Message);
        const QPoint Local =
            W ? W->mapFromGlobal(QPoint(M.XPos, M.YPos))
              : QPoint(M.XPos, M.YPos) - ToQPoint(Control->GetClientOrigin()) + ToQPoint(Control->GetClientOffset());
        const QRect Client(ToQPoint(Control->GetClientOffset()),
                           QSize(Control->GetClientRect().Right, Control->GetClientRect().Bottom));
        DWORD Style, ExStyle;
        Control->CurrentStyles(Style, ExStyle);
        const TScrollBarRects Bars = ScrollBarRects(Control, Style, ExStyle);
        if (!QRect(0, 0, Control->GetWidth(), Control->GetHeight()).contains(Local))
            Message.Result = HTNOWHERE;
        else if (Client.contains(Local))
            Message.Result = HTCLIENT;
        else if (Control->FWindow->MenuBar && Local.y() < Client.top())
            Message.Result = HTMENU;
        else if (Bars.Vert.contains(Local))
            Message.Result = HTVSCROLL;
        else if (Bars.Horz.contains(Local))
            Message.Result = HTHSCROLL;
        else if (Bars.Corner.contains(Local))
            Message.Result = HTSIZE;
        else
            Message.Result = HTBORDER;
        break;
    }
    case WM_NCPAINT: {
        DWORD Style, ExStyle;
        Control->CurrentStyles(Style, ExStyle);
        PaintWindowFrame(Control, Style, ExStyle);
        // The window scroll bars are child widgets over the frame's image.
        if (W) SyncScrollBars(W);
        break;
    }
    case WM_CANCELMODE:
        // Cancelling a mode ends a mouse capture the window holds.
        if (W && GetCapture() == W->Handle()) ReleaseCapture();
        break;
    case WM_ERASEBKGND: {
        const TColor Background = Control->FWindow->ClassBackground;
        Message.Result = 0;
        if (Background != clNone && Message.WParam) {
            TCanvas Canvas;
            Canvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            Canvas.GetBrush()->SetColor(Background);
            Canvas.FillRect(Control->GetClientRect());
            Canvas.SetHandle(nullptr);
            Message.Result = 1;
        }
        break;
    }
    case WM_SETCURSOR: {
        if (!W) break;
        const TWMSetCursor M(Message);
        TCursor Cursor = crArrow;
        switch (M.HitTest) {
        case HTCLIENT:
            Cursor = Control->FWindow->ClassCursor;
            break;
        case HTLEFT:
        case HTRIGHT:
            Cursor = crSizeWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            Cursor = crSizeNS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            Cursor = crSizeNWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            Cursor = crSizeNESW;
            break;
        default:
            break;
        }
        W->setCursor(ToQCursor(Cursor));
        Message.Result = 1;
        break;
    }
    case WM_NCLBUTTONDOWN:
        if (W && IsSizingHit(LRESULT(Message.WParam))) {
            const TWMNCHitTest M(Message);
            StartWindowResize(W, int(Message.WParam), QPoint(M.XPos, M.YPos));
        }
        break;
    case WM_RBUTTONUP:
        if (W) {
            const TWMMouse M(Message);
            const QPoint G = W->mapToGlobal(QPoint(M.XPos, M.YPos) + W->ClientOffset());
            W->Send(WM_CONTEXTMENU, WPARAM(W->Handle()), PackPoint(G));
        }
        break;
    case WM_CONTEXTMENU:
        if (TWinControl* P = Control->GetParent())
            if (P->HandleAllocated())
                Message.Result = SendMessageA(P->GetHandle(), Message.Msg, Message.WParam, Message.LParam);
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* Pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        if (!Pos) break;
        const TPoint O = Control->GetClientOffset();
        if (!(Pos->flags & SWP_NOMOVE))
            Control->Deliver(WM_MOVE, 0, MAKELONG(WORD(Control->GetLeft() + O.X), WORD(Control->GetTop() + O.Y)));
        if (!(Pos->flags & SWP_NOSIZE)) {
            const TRect C = Control->GetClientRect();
            Control->Deliver(WM_SIZE, SIZE_RESTORED, MAKELONG(WORD(C.Right), WORD(C.Bottom)));
        }
        break;
    }
    case WM_GETDLGCODE:
        // Wrapped widgets (edits, lists) take the arrows and the characters, as their Windows controls do.
        Message.Result = Control->FWindow->Inner ? (DLGC_WANTARROWS | DLGC_WANTCHARS) : 0;
        break;
    default:
        Control->TControl::DefaultHandler(Message);
        break;
    }
}

} // namespace platform::detail

namespace platform::detail {

void RouteWidgetEvents(TWinControl* Control, QWidget* Widget)
{
    if (TBridgeWidget* W = BridgeOf(Control->GetHandle())) W->Route(Widget);
}

} // namespace platform::detail
