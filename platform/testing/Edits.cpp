#include "platform/testing/Edits.h"
#include "platform/controls/MemoView.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/rtl/QtStrings.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

using namespace platform::detail;

namespace platform::test {

bool ChooseFromContextMenu(TCustomEdit* Edit, const AnsiString& Item)
{
    QWidget* Surface = InnerWidget(Edit->GetHandle());
    if (!Surface) return false;
    if (auto* Area = qobject_cast<QAbstractScrollArea*>(Surface)) Surface = Area->viewport();
    const QString Wanted = ToQString(Item);
    bool Chosen = false;
    // The menu runs its own loop: the pick comes from inside it.
    QTimer Pick;
    Pick.setSingleShot(true);
    QObject::connect(&Pick, &QTimer::timeout, [&] {
        auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!Menu) return;
        for (QAction* A : Menu->actions())
            if (QString(A->text()).remove(u'&') == Wanted && A->isEnabled()) {
                Chosen = true;
                A->trigger();
                break;
            }
        Menu->close();
    });
    Pick.start(0);
    const QPoint Local(Surface->width() / 2, Surface->height() / 2);
    QContextMenuEvent Event(QContextMenuEvent::Mouse, Local, Surface->mapToGlobal(Local));
    QApplication::sendEvent(Surface, &Event);
    return Chosen;
}

int MemoLinesLaidOut(TCustomMemo* Memo)
{
    auto* View = dynamic_cast<TMemoView*>(InnerWidget(Memo->GetHandle()));
    return View ? View->LaidOut() : -1;
}

WideString DisplayedText(TCustomEdit* Edit)
{
    auto* Line = qobject_cast<QLineEdit*>(InnerWidget(Edit->GetHandle()));
    return Line ? ToWide(Line->displayText()) : WideString();
}

} // namespace platform::test
