// Drags that start in the program: the window system runs them, unless a
// runner stands in for it.
#include "platform/qt/Bridge.h"

#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace platform::detail {

namespace {

TDragRunner& Runner()
{
    static TDragRunner Instance;
    return Instance;
}

} // namespace

Qt::DropAction RunDrag(QWidget* Source, QMimeData* Data, Qt::DropActions Actions)
{
    if (const TDragRunner& Stand = Runner()) {
        const std::unique_ptr<QMimeData> Owned(Data);
        return Stand(Source, *Owned, Actions);
    }
    const QPointer<QDrag> Drag = new QDrag(Source);
    Drag->setMimeData(Data);
    const Qt::DropAction Done = Drag->exec(Actions, Qt::CopyAction);
    if (Drag) Drag->deleteLater();
    return Done;
}

void SetDragRunner(TDragRunner Value)
{
    Runner() = std::move(Value);
}

} // namespace platform::detail
