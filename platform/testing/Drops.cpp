#include "platform/testing/Drops.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/rtl/QtStrings.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <cstring>

using namespace platform::detail;

namespace platform::test {

namespace {

// A file URL as file managers write it: every byte but unreserved ones and
// '/' percent-encoded, so blanks, letters beyond ASCII and bytes that are
// not UTF-8 all travel as escapes.
AnsiString FileUrl(const AnsiString& Path)
{
    static const char Hex[] = "0123456789ABCDEF";
    AnsiString Url = "file://";
    for (const char Ch : Path) {
        const auto C = static_cast<unsigned char>(Ch);
        if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') ||
            (C != 0 && std::strchr("-._~/", C))) {
            Url += Ch;
        } else {
            Url += '%';
            Url += Hex[C >> 4];
            Url += Hex[C & 15];
        }
    }
    return Url;
}

// The widget a drag over the middle of the control's client area reaches:
// the deepest one there that takes drops, as Qt looks for it.
QWidget* DropTarget(TWinControl* Control, QPoint& Pos)
{
    TBridgeWidget* Window = BridgeOf(Control->GetHandle());
    const QSize Client = Window->ClientSize();
    const QPoint Middle = Window->ClientOffset() + QPoint(Client.width() / 2, Client.height() / 2);
    const QPoint Global = Window->mapToGlobal(Middle);
    QWidget* W = Window->childAt(Middle);
    if (!W) W = Window;
    while (W && !(W->isEnabled() && W->acceptDrops()))
        W = W->isWindow() ? nullptr : W->parentWidget();
    if (W) Pos = W->mapFromGlobal(Global);
    return W;
}

// True when the target took the drop; Took: the action it took.
bool Drop(TWinControl* Control, const QMimeData& Data,
          Qt::DropActions Actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::DropAction* Took = nullptr)
{
    QPoint Pos;
    QWidget* Target = DropTarget(Control, Pos);
    if (!Target) return false;
    // Qt hands the move and the drop to the widget that accepted the enter.
    QDragEnterEvent Enter(Pos, Actions, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Enter);
    if (!Enter.isAccepted()) return false;
    QDragMoveEvent Move(Pos, Actions, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Move);
    if (!Move.isAccepted()) {
        QDragLeaveEvent Leave;
        QApplication::sendEvent(Target, &Leave);
        return false;
    }
    QDropEvent Dropped(QPointF(Pos), Actions, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Dropped);
    if (Took) *Took = Dropped.dropAction();
    return Dropped.isAccepted();
}

bool DropList(TWinControl* Control, const std::vector<AnsiString>& Urls)
{
    QByteArray List;
    AnsiString Text;
    for (const AnsiString& Url : Urls) {
        List.append(Url.data(), static_cast<qsizetype>(Url.size()));
        List.append("\r\n");
        Text += Url + "\n";
    }
    QMimeData Data;
    Data.setData(QStringLiteral("text/uri-list"), List);
    Data.setText(ToQString(Text));
    return Drop(Control, Data);
}

} // namespace

bool DropFiles(TWinControl* Control, const std::vector<AnsiString>& Paths)
{
    std::vector<AnsiString> Urls;
    for (const AnsiString& P : Paths)
        Urls.push_back(FileUrl(P));
    return DropList(Control, Urls);
}

bool DropUrls(TWinControl* Control, const std::vector<AnsiString>& Urls)
{
    return DropList(Control, Urls);
}

bool DropText(TWinControl* Control, const AnsiString& Text)
{
    QMimeData Data;
    Data.setText(ToQString(Text));
    return Drop(Control, Data);
}

TDragRecorder::TDragRecorder()
{
    SetDragRunner([this](QWidget*, const QMimeData& Data, Qt::DropActions Actions) {
        TDrag Drag{ToAnsi(Data.text()), Actions.testFlag(Qt::CopyAction), Actions.testFlag(Qt::MoveAction)};
        Qt::DropAction Took = Qt::IgnoreAction;
        Drag.Dropped = DropTarget && Drop(DropTarget, Data, Actions, &Took);
        Drags.push_back(Drag);
        return Drag.Dropped ? Took : Qt::IgnoreAction;
    });
}

TDragRecorder::~TDragRecorder()
{
    SetDragRunner(nullptr);
}

} // namespace platform::test
