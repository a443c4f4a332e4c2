#include "platform/testing/TestDriving.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/MenuWidgets.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/rtl/QtStrings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QWheelEvent>

// Qt's entry for the window system's word that the program gained or lost
// the activation (exported by QtGui for its platform plug-ins).
class QWindowSystemInterface {
public:
    struct SynchronousDelivery {};
    template <typename Delivery> static void handleApplicationStateChanged(Qt::ApplicationState NewState, bool Force);
};

using namespace platform::detail;

namespace platform::test {

namespace {

// The window a control is drawn in, and a client point of the control in
// that window's coordinates.
TBridgeWidget* WindowOf(TControl* Control, int X, int Y, QPoint& WindowPos)
{
    auto* W = dynamic_cast<TWinControl*>(Control);
    QPoint P(X, Y);
    if (!W) {
        W = Control->GetParent();
        if (!W) throw EInvalidOperation("Control '" + Control->GetName() + "' has no parent window");
        P += QPoint(Control->GetLeft(), Control->GetTop());
    }
    TBridgeWidget* B = BridgeOf(W->GetHandle());
    WindowPos = P + B->ClientOffset();
    return B;
}

// Mouse events go to the widget under the point; while a button is down
// they keep going to the widget that got the press, as Qt's grab does.
QPointer<QWidget> Pressed;
Qt::MouseButtons Buttons;
ulong Clock = 1000;

Qt::MouseButton QtButton(TMouseButton Button)
{
    return Button == mbLeft ? Qt::LeftButton : Button == mbRight ? Qt::RightButton : Qt::MiddleButton;
}

Qt::KeyboardModifiers QtModifiers(TShiftState Shift)
{
    Qt::KeyboardModifiers M;
    if (Shift.Contains(ssShift)) M |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) M |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) M |= Qt::AltModifier;
    return M;
}

void SendMouse(TControl* Control, int X, int Y, QEvent::Type Type, Qt::MouseButton Button, TShiftState Shift)
{
    QPoint WindowPos;
    TBridgeWidget* Window = WindowOf(Control, X, Y, WindowPos);
    QWidget* Target = Pressed && Buttons ? Pressed.data() : Window->childAt(WindowPos);
    if (!Target) Target = Window;
    if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) {
        if (!Buttons) Pressed = Target;
        Buttons |= Button;
    } else if (Type == QEvent::MouseButtonRelease) {
        Buttons &= ~Button;
    }
    const QPoint Global = Window->mapToGlobal(WindowPos);
    const QPoint Local = Target->mapFromGlobal(Global);
    if (Type == QEvent::MouseButtonPress) {
        // What Qt does for a real click: the first widget up from the target
        // that takes the focus by clicking gets it.
        for (QWidget* W = Target; W; W = W->isWindow() ? nullptr : W->parentWidget())
            if (W->isEnabled() && (W->focusPolicy() & Qt::ClickFocus)) {
                W->setFocus(Qt::MouseFocusReason);
                break;
            }
    }
    QMouseEvent E(Type, QPointF(Local), QPointF(Global), Button, Buttons, QtModifiers(Shift));
    E.setTimestamp(Clock += 10);
    QApplication::sendEvent(Target, &E);
    if (!Buttons) Pressed = nullptr;
}

QWidget* KeyTarget(TWinControl* Control)
{
    if (QWidget* F = QApplication::focusWidget()) return F;
    QWidget* Inner = Control->HandleAllocated() ? BridgeOf(Control->GetHandle())->focusProxy() : nullptr;
    return Inner ? Inner : WidgetOf(Control->GetHandle());
}

class TWrappedLineEdit : public TWinControl {
public:
    explicit TWrappedLineEdit(TComponent* AOwner) : TWinControl(AOwner)
    {
        SetBounds(0, 0, 121, 21);
        SetTabStop(true);
    }

protected:
    void CreateInnerWidget() override
    {
        FEdit = new QLineEdit(WindowWidget(this));
        FEdit->setFrame(false);
        FEdit->setText(ToQString(TWinControl::RealGetText()));
        SetInnerWidget(GetHandle(), FEdit);
    }
    AnsiString RealGetText() const override { return FEdit ? ToAnsi(FEdit->text()) : TWinControl::RealGetText(); }
    void RealSetText(const AnsiString& Value) override
    {
        TWinControl::RealSetText(Value);
        if (FEdit) FEdit->setText(ToQString(Value));
    }

private:
    QPointer<QLineEdit> FEdit;
};

} // namespace

TWinControl* NewWrappedLineEdit(TComponent* AOwner)
{
    return New<TWrappedLineEdit>(AOwner);
}

void MouseDown(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
    SendMouse(Control, X, Y, QEvent::MouseButtonPress, QtButton(Button), Shift);
}

void MouseUp(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
    SendMouse(Control, X, Y, QEvent::MouseButtonRelease, QtButton(Button), Shift);
}

void MouseMove(TControl* Control, int X, int Y, TShiftState Shift)
{
    SendMouse(Control, X, Y, QEvent::MouseMove, Qt::NoButton, Shift);
}

void Click(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
    MouseDown(Control, X, Y, Button, Shift);
    MouseUp(Control, X, Y, Button, Shift);
}

void DoubleClick(TControl* Control, int X, int Y)
{
    Click(Control, X, Y);
    SendMouse(Control, X, Y, QEvent::MouseButtonDblClick, Qt::LeftButton, {});
    MouseUp(Control, X, Y);
}

void MouseWheel(TControl* Control, int X, int Y, int Delta, TShiftState Shift)
{
    QPoint WindowPos;
    TBridgeWidget* Window = WindowOf(Control, X, Y, WindowPos);
    QWidget* Target = Window->childAt(WindowPos);
    if (!Target) Target = Window;
    const QPoint Global = Window->mapToGlobal(WindowPos);
    QWheelEvent E(QPointF(Target->mapFromGlobal(Global)), QPointF(Global), QPoint(), QPoint(0, Delta), Buttons,
                  QtModifiers(Shift), Qt::NoScrollPhase, false);
    QApplication::sendEvent(Target, &E);
}

namespace {

// Keys go where the focus is: to Control, focused first when it can be.
void FocusForKeys(TWinControl* Control)
{
    if (!Control->Focused() && Control->CanFocus()) {
        if (TCustomForm* Form = GetParentForm(Control)) ActivateWindow(Form);
        Control->SetFocus();
        ProcessEvents();
    }
}

} // namespace

void PressKey(TWinControl* Control, Word Key, TShiftState Shift, const WideString& Text)
{
    FocusForKeys(Control);
    QWidget* Target = KeyTarget(Control);
    const QString T = ToQString(Text);
    Qt::KeyboardModifiers Mods = QtModifiers(Shift);
    if (Key >= VK_NUMPAD0 && Key <= VK_DIVIDE) Mods |= Qt::KeypadModifier;
    const int QtKey = QtKeyOf(Key);
    QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, T);
    QApplication::sendEvent(Target, &Press);
    if (!QApplication::focusWidget() && !WidgetOf(Control->HandleAllocated() ? Control->GetHandle() : nullptr)) return;
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods, T);
    QApplication::sendEvent(KeyTarget(Control), &Release);
}

struct THeldKey::TState {
    int QtKey = 0;
    bool Held = true;
    QTimer Timer;

    // A key event to the widget that has the focus now, as X11 sends it.
    void Send(QEvent::Type Type, bool AutoRepeat) const
    {
        if (QWidget* Target = QApplication::focusWidget()) {
            QKeyEvent E(Type, QtKey, Qt::NoModifier, QString(), AutoRepeat);
            QApplication::sendEvent(Target, &E);
        }
    }
};

THeldKey::THeldKey(TWinControl* Control, Word Key) : FState(std::make_unique<TState>())
{
    FocusForKeys(Control);
    FState->QtKey = QtKeyOf(Key);
    QKeyEvent Press(QEvent::KeyPress, FState->QtKey, Qt::NoModifier, QString());
    QApplication::sendEvent(KeyTarget(Control), &Press);
    TState* S = FState.get();
    QObject::connect(&S->Timer, &QTimer::timeout, [S] {
        S->Timer.setInterval(RepeatInterval);
        S->Send(QEvent::KeyRelease, true);
        S->Send(QEvent::KeyPress, true);
    });
    S->Timer.start(RepeatDelay);
}

THeldKey::~THeldKey()
{
    Release();
}

void THeldKey::Release()
{
    if (!FState->Held) return;
    FState->Held = false;
    FState->Timer.stop();
    FState->Send(QEvent::KeyRelease, false);
}

void TypeText(TWinControl* Control, const AnsiString& Text)
{
    for (QChar C : ToQString(Text)) {
        Word Key = 0;
        const char16_t U = C.toUpper().unicode();
        if ((U >= 'A' && U <= 'Z') || (U >= '0' && U <= '9'))
            Key = Word(U);
        else if (U == ' ')
            Key = VK_SPACE;
        PressKey(Control, Key, C.isUpper() ? TShiftState{ssShift} : TShiftState{}, WideString(1, C.unicode()));
    }
}

void CommitText(TWinControl* Control, const WideString& Text)
{
    FocusForKeys(Control);
    QInputMethodEvent Commit;
    Commit.setCommitString(ToQString(Text));
    QApplication::sendEvent(KeyTarget(Control), &Commit);
}

void ResizeWindow(TCustomForm* Form, int Width, int Height)
{
    QWidget* W = WindowWidget(Form);
    const QSize Old = W->size();
    W->resize(Width, Height);
    if (!W->isVisible() && W->size() != Old) {
        // A hidden window hears of its new size only when shown.
        QResizeEvent E(W->size(), Old);
        QApplication::sendEvent(W, &E);
    }
    ProcessEvents();
}

void CloseWindow(TCustomForm* Form)
{
    QCloseEvent E;
    QApplication::sendEvent(WindowWidget(Form), &E);
}

void ActivateWindow(TCustomForm* Form)
{
    QWidget* W = WindowWidget(Form);
    if (!W->isVisible()) Form->Show();
    W->activateWindow();
    ProcessEvents();
    if (QApplication::activeWindow() != W) {
        QApplication::setActiveWindow(W);
        ProcessEvents();
    }
}

void SetApplicationActive(bool Active)
{
    QWindowSystemInterface::handleApplicationStateChanged<QWindowSystemInterface::SynchronousDelivery>(
        Active ? Qt::ApplicationActive : Qt::ApplicationInactive, false);
    ProcessEvents();
}

void AttachMenuBar(TCustomForm* Form, const AnsiString& MenuCaption)
{
    auto* Bar = new QMenuBar;
    Bar->addMenu(ToQString(MenuCaption));
    SetFormMenuBar(Form, Bar);
}

void DetachMenuBar(TCustomForm* Form)
{
    QMenuBar* Bar = FormMenuBar(Form);
    SetFormMenuBar(Form, nullptr);
    delete Bar;
}

int MenuBarHeight(TCustomForm* Form)
{
    QMenuBar* Bar = FormMenuBar(Form);
    return Bar ? Bar->sizeHint().height() : 0;
}

void PaintNow(TControl* Control)
{
    auto* W = dynamic_cast<TWinControl*>(Control);
    if (!W) W = Control->GetParent();
    if (W) UpdateWindow(W->GetHandle());
}

TColor PixelAt(TControl* Control, int X, int Y)
{
    PaintNow(Control);
    QPoint WindowPos;
    TBridgeWidget* Window = WindowOf(Control, X, Y, WindowPos);
    const QImage* Image = BackingImage(Window->Handle());
    if (!Image || !Image->rect().contains(WindowPos)) return CLR_INVALID;
    return FromQColor(Image->pixelColor(WindowPos));
}

bool SaveWindowImage(TWinControl* Control, const AnsiString& FileName)
{
    PaintNow(Control);
    return WindowWidget(Control)->grab().save(ToQString(FileName), "PNG");
}

void GrabWindow(TWinControl* Control, TBitmap* Bitmap)
{
    PaintNow(Control);
    const QImage Image = WindowWidget(Control)->grab().toImage();
    Bitmap->SetSize(Image.width(), Image.height());
    TCanvas* Canvas = Bitmap->GetCanvas();
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Canvas->SetPixels(X, Y, FromQColor(Image.pixelColor(X, Y)));
}

TCursor WindowCursor(TWinControl* Control)
{
    const QCursor Cursor = WindowWidget(Control)->cursor();
    const Qt::CursorShape Shape = Cursor.shape();
    if (Shape == Qt::BitmapCursor) {
        // A picture of Screen->Cursors: the entry it was made from.
        for (const auto& [Id, Registered] : ScreenCursors().Map)
            if (Registered && Registered->Cursor.pixmap().cacheKey() == Cursor.pixmap().cacheKey()) return TCursor(Id);
        return crDefault;
    }
    if (Shape == Qt::ArrowCursor) return crArrow;
    for (int Id = crSizeAll; Id <= crDefault; ++Id)
        if (Id != crDefault && StandardCursor(TCursor(Id)).shape() == Shape) return TCursor(Id);
    return crDefault;
}

void ProcessEvents()
{
    if (Application) Application->ProcessMessages();
}

} // namespace platform::test
