#include "platform/testing/Pointer.h"
#include "platform/qt/BridgeWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QWindow>

using namespace platform::detail;

// Qt's own entry for input from the window system, which its test library
// drives too (declared by QtTest's mouse header, exported by QtGui).
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* Window, const QPointF& Local, const QPointF& Global,
                                      Qt::MouseButtons State, Qt::MouseButton Button, QEvent::Type Type,
                                      Qt::KeyboardModifiers Modifiers, int Timestamp);

namespace platform::test {

namespace {

QPointer<QWindow> Pressed;
Qt::MouseButtons Held;
// Far apart, so that no two presses make a double click.
int Clock = 0;

Qt::MouseButton QtButton(TMouseButton Button)
{
    return Button == mbLeft ? Qt::LeftButton : Button == mbRight ? Qt::RightButton : Qt::MiddleButton;
}

QWindow* WindowWithTheMouse(QPoint Global)
{
    if (QWidget* Popup = QApplication::activePopupWidget()) return Popup->windowHandle();
    if (Held && Pressed) return Pressed;
    return QGuiApplication::topLevelAt(Global);
}

void SendAtScreen(const TPoint& ScreenPos, QEvent::Type Type, Qt::MouseButton Button)
{
    const QPoint Global = ToQPoint(ScreenPos);
    QWindow* Window = WindowWithTheMouse(Global);
    if (Type == QEvent::MouseButtonPress) {
        if (!Held) Pressed = Window;
        Held |= Button;
    } else if (Type == QEvent::MouseButtonRelease) {
        Held &= ~Button;
    }
    if (Window)
        qt_handleMouseEvent(Window, QPointF(Window->mapFromGlobal(Global)), QPointF(Global), Held, Button, Type,
                            Qt::NoModifier, Clock += 1000);
    if (!Held) Pressed = nullptr;
    ProcessEvents();
}

} // namespace

void MouseDownAtScreen(const TPoint& ScreenPos, TMouseButton Button)
{
    SendAtScreen(ScreenPos, QEvent::MouseButtonPress, QtButton(Button));
}

void MouseMoveAtScreen(const TPoint& ScreenPos)
{
    SendAtScreen(ScreenPos, QEvent::MouseMove, Qt::NoButton);
}

void MouseUpAtScreen(const TPoint& ScreenPos, TMouseButton Button)
{
    SendAtScreen(ScreenPos, QEvent::MouseButtonRelease, QtButton(Button));
}

void ClickAtScreen(const TPoint& ScreenPos, TMouseButton Button)
{
    MouseDownAtScreen(ScreenPos, Button);
    MouseUpAtScreen(ScreenPos, Button);
}

TRect DropDownItemRect(TCustomComboBox* Combo, int Index)
{
    QWidget* Window = Combo->HandleAllocated() ? WidgetOf(Combo->GetHandle()) : nullptr;
    auto* Box = Window ? Window->findChild<QComboBox*>() : nullptr;
    if (!Box || !Box->view()->isVisible()) return TRect();
    QAbstractItemView* View = Box->view();
    const QRect R = View->visualRect(View->model()->index(Index, 0));
    const QPoint TopLeft = View->viewport()->mapToGlobal(R.topLeft());
    return TRect(TopLeft.x(), TopLeft.y(), TopLeft.x() + R.width(), TopLeft.y() + R.height());
}

} // namespace platform::test
