// Event translation: the Qt events of a window (and of the inner widget the
// class library put in it) become messages through the window's chain.
#include "platform/qt/BridgeWidget.h"
#include "platform/qt/Guarded.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinUser.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

namespace platform::detail {

namespace {

// The window the pointer was last over, told when the pointer leaves it.
HWND HoverWindow = nullptr;

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

// True when Widget lies inside top-level window Top or in a window Top owns.
bool OwnedBy(QWidget* Widget, QWidget* Top)
{
    for (QWidget* W = Widget->window(); W; W = W->parentWidget() ? W->parentWidget()->window() : nullptr)
        if (W == Top) return true;
    return false;
}

bool KeyTypesChar(WORD VK)
{
    return VK == VK_BACK || VK == VK_TAB || VK == VK_RETURN || VK == VK_ESCAPE || VK == VK_SPACE ||
           (VK >= '0' && VK <= '9') || (VK >= 'A' && VK <= 'Z') || (VK >= VK_NUMPAD0 && VK <= VK_DIVIDE) ||
           (VK >= VK_OEM_1 && VK <= VK_OEM_3) || (VK >= VK_OEM_4 && VK <= VK_OEM_7) || VK == VK_OEM_102;
}

} // namespace

// ---- The window under the pointer ----------------------------------------------------------

void TrackPointer(TBridgeWidget* Under, QPoint ClientPos, TBridgeWidget* Grab)
{
    auto Over = [&]() -> TBridgeWidget* {
        TBridgeWidget* Holder = BridgeOf(CaptureWindow);
        if (!Holder) Holder = Grab;
        return Under && Under->Live() && (!Holder || Holder == Under) ? Under : nullptr;
    };
    TBridgeWidget* Window = Over();
    if (HoverWindow && (!Window || Window->Handle() != HoverWindow)) {
        // The window left hears it first: its handler may take the mouse or
        // let it go, which changes who hears it now.
        if (TBridgeWidget* Left = BridgeOf(std::exchange(HoverWindow, nullptr))) Left->AskClass(WM_MOUSELEAVE, 0, 0);
        Window = Over();
    }
    if (!Window) return;
    HoverWindow = Window->Handle();
    Window->AskClass(CM_POINTEROVER, 0, PackPoint(ClientPos));
}

void PointerLeft(TBridgeWidget* Window)
{
    if (HoverWindow == Window->Handle()) HoverWindow = nullptr;
    Window->AskClass(WM_MOUSELEAVE, 0, 0);
}

TBridgeWidget* WindowAt(QPoint ScreenPos)
{
    QWidget* W = QApplication::widgetAt(ScreenPos);
    return W ? BridgeAbove(W) : nullptr;
}

TBridgeWidget* MouseInputWindow(TBridgeWidget* Window)
{
    TBridgeWidget* Input = Window;
    for (TBridgeWidget* W = Window; W; W = W->isWindow() ? nullptr : BridgeAbove(W->parentWidget())) {
        if (!(W->Style & WS_DISABLED)) continue;
        if (W->isWindow()) return nullptr;
        Input = BridgeAbove(W->parentWidget());
    }
    return Input;
}

void ReleaseCaptureWithin(TBridgeWidget* Window)
{
    TBridgeWidget* Holder = BridgeOf(CaptureWindow);
    if (Holder && (Holder == Window || Window->isAncestorOf(Holder))) ReleaseCapture();
}

// ---- Events --------------------------------------------------------------------------------------

bool TBridgeWidget::event(QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (Type == TPostedMessage::EventType()) {
        if (FLive) {
            auto* P = static_cast<TPostedMessage*>(Event);
            Guarded(Handle(), [this, P] {
                // A posted key takes the road of a typed one: the window's
                // notification first (the form may take Tab as a dialog key).
                const bool Key = P->Msg >= WM_KEYFIRST && P->Msg <= WM_SYSCHAR;
                if (!Key || Send(CN_BASE + P->Msg, P->WParam, P->LParam) == 0)
                    if (FLive) Send(P->Msg, P->WParam, P->LParam);
            });
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
        // Input for a window the class library is done with is dropped.
        if (!FLive) {
            Event->accept();
            return true;
        }
        break;
    default:
        if (!FLive) return QWidget::event(Event);
        break;
    }
    try {
        switch (Type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (HandleMouse(this, Event) == moTransparent && FLive) {
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
            if (!Inner) HandleKey(Event);
            Event->accept();
            return true;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            HandleFocus(Event);
            return true;
        case QEvent::Leave:
            PointerLeft(this);
            return true;
        case QEvent::Close:
            Event->ignore();
            Send(WM_CLOSE, 0, 0);
            return true;
        case QEvent::Resize:
        case QEvent::Move: {
            const bool R = QWidget::event(Event);
            HandleGeometry(Event);
            if (Type == QEvent::Resize && FLive) SyncScrollBars(this);
            return R;
        }
        case QEvent::Show:
        case QEvent::Hide: {
            const bool R = QWidget::event(Event);
            // The window itself shown or hidden (not one around it) hears of it.
            if (FLive && !Event->spontaneous() && ShownNotified == isHidden()) {
                ShownNotified = !isHidden();
                Send(WM_SHOWWINDOW, ShownNotified, 0);
            }
            if (FLive) AskClass(CM_SHOWINGCHANGED, 0, 0);
            // A window hidden while it or a window inside it holds the mouse
            // lets it go: its release would never come, and the next press
            // would go to a window nobody sees. One hidden already may take it.
            if (Type == QEvent::Hide && FLive) ReleaseCaptureWithin(this);
            return R;
        }
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate: {
            const bool R = QWidget::event(Event);
            if (isWindow() && FLive) Send(WM_ACTIVATE, Type == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0);
            // As on Windows, a window that loses the activation cancels the
            // mode of the window that holds the mouse inside it or in a popup
            // it owns (a flyout never takes the activation itself).
            if (Type == QEvent::WindowDeactivate && isWindow())
                if (TBridgeWidget* C = BridgeOf(CaptureWindow); C && C->FLive && OwnedBy(C, this))
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
    if (!FLive || FReplaying) return false;
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

// ---- The mouse ------------------------------------------------------------------------------------

TBridgeWidget::TMouseOutcome TBridgeWidget::HandleMouse(QWidget* Source, QEvent* Event)
{
    auto* ME = static_cast<QMouseEvent*>(Event);
    const QPoint Global = ME->globalPosition().toPoint();
    InputModifiers = ME->modifiers();
    InputButtons = ME->buttons();
    LastMouseScreenPos = Global;
    HaveLastMouseScreenPos = true;
    ++MouseEventDepth;
    const TScopeExit Depth([] { --MouseEventDepth; });

    if (FollowResizeDrag(this, Event, Global)) return moSwallowed;

    // The window holding the capture gets the mouse wherever the pointer is;
    // without one, the window under the pointer does. Qt keeps giving the
    // mouse to the widget that got the press until the release: for a wrapped
    // Qt widget that stands for the capture its native control takes on a
    // press, but a window of our own drawing that let the capture go during
    // the press hears no more of it.
    const bool Grabbed = DuringGrab(ME);
    TBridgeWidget* InnerGrab = Grabbed && Source != this ? this : nullptr;
    TBridgeWidget* const Holder = BridgeOf(CaptureWindow);
    TBridgeWidget* Target = Holder ? Holder : InnerGrab;
    const bool Tracks = Event->type() == QEvent::MouseMove || Event->type() == QEvent::MouseButtonPress;
    // Only hover tracking and a mouse nobody holds need the window under the
    // pointer: a release during a grab goes to the holder without the lookup.
    TBridgeWidget* Under = !Grabbed ? this : Tracks || !Target ? WindowAt(Global) : nullptr;
    if (!Target) Target = Under;
    // A disabled window hears nothing of the mouse but its tracking: the
    // nearest enabled window above takes it, unless the window holds the capture.
    bool Redirected = false;
    if (Target && Target != Holder) {
        TBridgeWidget* Enabled = MouseInputWindow(Target);
        Redirected = Enabled != Target;
        Target = Enabled;
    }
    auto UnderPos = [&] { return Under ? Under->mapFromGlobal(Global) - Under->ClientOffset() : QPoint(); };
    if (!Target) {
        if (Tracks) TrackPointer(Under, UnderPos(), InnerGrab);
        return moSwallowed;
    }
    const QPoint WindowPos =
        Target == this ? Source->mapTo(this, ME->position().toPoint()) : Target->mapFromGlobal(Global);

    LRESULT Hit = Target->Send(WM_NCHITTEST, 0, PackPoint(Global));
    if (!Target->FLive) return moSwallowed;
    if (Hit == HTTRANSPARENT && Target == this && Source == this) return moTransparent;
    const bool Client = Hit == HTCLIENT || (CaptureWindow && CaptureWindow == Target->Handle());
    const UINT MouseMsg = ClientMouseMessage(Event->type(), ME->button(), Target->ClassStyle & CS_DBLCLKS);
    if (Event->type() == QEvent::MouseMove) {
        Target->Send(WM_SETCURSOR, WPARAM(Target->Handle()), MAKELONG(WORD(Hit), WM_MOUSEMOVE));
        if (!Target->FLive) return moSwallowed;
    }
    const QPoint ClientPos = WindowPos - Target->ClientOffset();
    if (Tracks) {
        TrackPointer(Under, Under == Target ? ClientPos : UnderPos(), InnerGrab);
        if (!Target->FLive) return moSwallowed;
    }
    if (Client) {
        if (!MouseMsg) return Target != this ? moSwallowed : moDefault;
        const WPARAM Keys = MouseKeys(ME->buttons(), ME->modifiers());
        if (Redirected) {
            // Sent as any message: the default procedure of a wrapped window
            // hands it to its Qt widget at that point.
            Target->Send(MouseMsg, Keys, PackPoint(ClientPos));
            return moSwallowed;
        }
        const bool Default = Target->SendForEvent(MouseMsg, Keys, PackPoint(ClientPos));
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
    // As the other mouse messages, a disabled window's wheel goes to the enabled window above it.
    TBridgeWidget* Target = MouseInputWindow(this);
    if (!Target) return true;
    const UINT Msg = WE->angleDelta().y() != 0 ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL;
    // The message carries a 16-bit distance: a longer burst goes as several
    // messages of whole notches.
    constexpr int MaxDelta = (32767 / WHEEL_DELTA) * WHEEL_DELTA;
    bool Swallowed = false;
    while (Delta != 0) {
        const int Part = std::clamp(Delta, -MaxDelta, MaxDelta);
        Delta -= Part;
        const WPARAM WParam = MAKELONG(WORD(MouseKeys(WE->buttons(), WE->modifiers())), WORD(std::int16_t(Part)));
        if (Target != this) {
            Target->Send(Msg, WParam, PackPoint(Global));
            Swallowed = true;
        } else {
            Swallowed = !SendForEvent(Msg, WParam, PackPoint(Global)) || Swallowed;
        }
        if (!FLive || !Target->FLive) return true;
    }
    return Swallowed;
}

// ---- Keys and the focus ------------------------------------------------------------------------------

bool TBridgeWidget::HandleKey(QEvent* Event)
{
    auto* KE = static_cast<QKeyEvent*>(Event);
    InputModifiers = KE->modifiers();
    const WORD VK = VirtualKeyOf(KE->key(), KE->modifiers());
    const bool Alt = KE->modifiers() & Qt::AltModifier;
    const bool Wrapped = Inner;
    if (Event->type() == QEvent::KeyRelease) {
        // X11 sends a held key as release and press pairs; Win32 sends
        // repeated key-downs only, and the key-up when the key goes up.
        if (!VK || KE->isAutoRepeat()) return false;
        const LPARAM KeyData = 1 | LPARAM(0xC0000000) | (Alt ? KF_ALTDOWN_BIT : 0);
        const UINT Up = Alt ? WM_SYSKEYUP : WM_KEYUP;
        if (Send(CN_BASE + Up, VK, KeyData) != 0 || !FLive) return true;
        return !SendForEvent(Up, VK, KeyData) || !Wrapped;
    }

    // As Win32 does: the key first (the form may take Tab and the arrows as
    // dialog keys), then the character it types, each through the chain.
    QString Text = KE->text();
    if (KE->key() == Qt::Key_Delete) Text.clear();
    const LPARAM KeyData = 1 | (KE->isAutoRepeat() ? LPARAM(0x40000000) : 0) | (Alt ? KF_ALTDOWN_BIT : 0);
    bool KeyDefault = true;
    if (VK) {
        const UINT Down = (Alt || VK == VK_F10) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        if (Send(CN_BASE + Down, VK, KeyData) != 0 || !FLive) return true;
        KeyDefault = SendForEvent(Down, VK, KeyData);
        if (!FLive) return true;
    }
    if (Text.isEmpty()) return !KeyDefault || !Wrapped;
    const UINT CharMsg = Alt ? WM_SYSCHAR : WM_CHAR;
    QString Typed;
    bool AllDefault = true;
    for (QChar C : Text) {
        if (Send(CN_BASE + CharMsg, C.unicode(), KeyData) != 0 || !FLive) {
            AllDefault = false;
            continue;
        }
        WPARAM AtDefault = 0;
        const bool Default = SendForEvent(CharMsg, C.unicode(), KeyData, nullptr, &AtDefault);
        if (!FLive) return true;
        if (Default && AtDefault != 0)
            Typed += QChar(char16_t(AtDefault));
        else
            AllDefault = false;
    }
    if (!Wrapped) return true;
    if (AllDefault && Typed == Text) return false;
    if (!Typed.isEmpty()) {
        // The handlers changed the character: the widget types what they left.
        QKeyEvent Changed(QEvent::KeyPress, Typed.size() == 1 && Typed[0].isPrint() ? 0 : KE->key(), KE->modifiers(),
                          Typed);
        QWidget* Receiver = QApplication::focusWidget();
        if (!Receiver) Receiver = Inner;
        const TRestore Replaying(FReplaying, true);
        QCoreApplication::sendEvent(Receiver, &Changed);
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

bool FollowResizeDrag(TBridgeWidget* Window, QEvent* Event, QPoint GlobalPos)
{
    if (ResizeDrag.Source != Window || !ResizeDrag.Window) return false;
    if (Event->type() == QEvent::MouseMove) {
        const QPoint D = GlobalPos - ResizeDrag.StartPos;
        QRect G = ResizeDrag.StartGeometry;
        if (ResizeDrag.Edges & Qt::RightEdge) G.setWidth(G.width() + D.x());
        if (ResizeDrag.Edges & Qt::BottomEdge) G.setHeight(G.height() + D.y());
        if (ResizeDrag.Edges & Qt::LeftEdge) G.setLeft(G.left() + D.x());
        if (ResizeDrag.Edges & Qt::TopEdge) G.setTop(G.top() + D.y());
        ResizeDrag.Window->setGeometry(G);
    } else if (Event->type() == QEvent::MouseButtonRelease) {
        ResizeDrag = TResizeDrag();
    }
    return true;
}

// ---- Messages back to the inner widget ------------------------------------------------------------

void TBridgeWidget::ReplayToInner(const TMessage& Message)
{
    QWidget* Target = FLive ? Inner.data() : nullptr;
    if (!Target) return;
    QWidget* KeyTarget = QApplication::focusWidget();
    if (!KeyTarget || (KeyTarget != Target && !Target->isAncestorOf(KeyTarget))) KeyTarget = Target;
    const TRestore Replaying(FReplaying, true);
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
            // A control character is Ctrl and its letter, whatever else was held last.
            Key = Qt::Key_A + (C - 1);
            Mods = Qt::ControlModifier;
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
        const QPoint WindowPos = UnpackPoint(Message.LParam) + ClientOffset();
        QWidget* Child = Target->childAt(Target->mapFrom(this, WindowPos));
        if (!Child) Child = Target;
        const QPoint Local = Child->mapFrom(this, WindowPos);
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
        const WORD Keys = WORD(Message.WParam);
        Qt::MouseButtons Buttons;
        if (Keys & MK_LBUTTON) Buttons |= Qt::LeftButton;
        if (Keys & MK_RBUTTON) Buttons |= Qt::RightButton;
        if (Keys & MK_MBUTTON) Buttons |= Qt::MiddleButton;
        QMouseEvent E(Type, QPointF(Local), QPointF(Child->mapToGlobal(Local)), Button, Buttons, InputModifiers);
        QCoreApplication::sendEvent(Child, &E);
    }
}

} // namespace platform::detail
