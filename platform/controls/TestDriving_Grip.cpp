#include "platform/controls/TestDriving_Grip.h"
#include "platform/qt/BridgeWidget.h"

#include <QApplication>
#include <QMouseEvent>

using namespace platform::detail;

namespace platform::test {

namespace {

Qt::MouseButtons Held;

void SendAtScreen(TWinControl* Control, const TPoint& ScreenPos, QEvent::Type Type, Qt::MouseButton Button)
{
    TBridgeWidget* Window = BridgeOf(Control->GetHandle());
    if (Type == QEvent::MouseButtonPress) Held |= Button;
    if (Type == QEvent::MouseButtonRelease) Held &= ~Button;
    const QPoint Global = ToQPoint(ScreenPos);
    QMouseEvent E(Type, QPointF(Window->mapFromGlobal(Global)), QPointF(Global), Button, Held, Qt::NoModifier);
    QApplication::sendEvent(Window, &E);
}

} // namespace

void MouseDownAtScreen(TWinControl* Control, const TPoint& ScreenPos)
{
    SendAtScreen(Control, ScreenPos, QEvent::MouseButtonPress, Qt::LeftButton);
}

void MouseMoveAtScreen(TWinControl* Control, const TPoint& ScreenPos)
{
    SendAtScreen(Control, ScreenPos, QEvent::MouseMove, Qt::NoButton);
}

void MouseUpAtScreen(TWinControl* Control, const TPoint& ScreenPos)
{
    SendAtScreen(Control, ScreenPos, QEvent::MouseButtonRelease, Qt::LeftButton);
}

} // namespace platform::test
