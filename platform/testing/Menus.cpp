#include "platform/testing/Menus.h"
#include "platform/controls/Forms.h"
#include "platform/controls/MenuWidgets.h"
#include "platform/rtl/QtStrings.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <vector>

using namespace platform::detail;

namespace platform::test {

namespace {

void SendClick(QWidget* Widget, const QPoint& Local)
{
    const QPoint Global = Widget->mapToGlobal(Local);
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent Event(Type, QPointF(Local), QPointF(Global), Qt::LeftButton,
                          Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Widget, &Event);
    }
}

} // namespace

bool ClickMenuItem(TMenuItem* Item)
{
    std::vector<TMenuItem*> Path;
    for (TMenuItem* I = Item; I && I->GetParent(); I = I->GetParent())
        Path.insert(Path.begin(), I);
    auto* Menu = dynamic_cast<TMainMenu*>(Item->GetParentMenu());
    TCustomForm* Form = Menu ? Menu->GetForm() : nullptr;
    QMenuBar* Bar = Form ? FormMenuBar(Form) : nullptr;
    if (Path.empty() || !Bar || !Bar->isVisible()) return false;
    for (TMenuItem* Step : Path) {
        const QAction* Action = MenuItemAction(Step);
        if (!Action || Action->isSeparator() || !Action->isVisible() || !Action->isEnabled()) return false;
    }
    QWidget* Container = Bar;
    for (TMenuItem* Step : Path) {
        QAction* Action = MenuItemAction(Step);
        const QRect Geometry = !Container || !Container->isVisible() ? QRect()
                               : Container == Bar                    ? Bar->actionGeometry(Action)
                                                  : static_cast<QMenu*>(Container)->actionGeometry(Action);
        if (Geometry.isEmpty()) {
            // Leave no menu open behind.
            while (QWidget* Popup = QApplication::activePopupWidget())
                Popup->close();
            return false;
        }
        SendClick(Container, Geometry.center());
        Container = MenuItemSubMenu(Step);
    }
    QCoreApplication::processEvents();
    return true;
}

AnsiString ShownMenuText(TMenuItem* Item)
{
    const QAction* Action = MenuItemAction(Item);
    return Action ? ToAnsi(Action->text()) : AnsiString();
}

} // namespace platform::test
