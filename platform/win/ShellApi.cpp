#include "platform/win/ShellApi.h"
#include "platform/graphics/HandleTable.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinUser.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using namespace platform::detail;

namespace {

// ---- Drop handles ----------------------------------------------------------------

// The files of one drop, from its delivery to DragFinish.
struct TDropData {
    std::vector<AnsiString> Files;
};

const TDropData* LiveDrop(HDROP Drop)
{
    return static_cast<const TDropData*>(HandleObject(Drop, hkDrop));
}

// ---- File URLs ------------------------------------------------------------------------

bool IsThisHost(std::string_view Host)
{
    if (Host.empty() || SameText(Host, "localhost")) return true;
    char Name[256] = {};
    return ::gethostname(Name, sizeof Name - 1) == 0 && SameText(Host, Name);
}

int HexValue(char C)
{
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
}

// The local file a URL names, as the bytes its percent-escapes encode (a name
// that is not valid UTF-8 keeps its bytes); empty when it names none.
AnsiString LocalFileOf(std::string_view Url)
{
    if (Url.size() < 5 || !SameText(Url.substr(0, 5), "file:")) return {};
    std::string_view Rest = Url.substr(5);
    if (Rest.substr(0, 2) == "//") {
        Rest.remove_prefix(2);
        const auto Slash = Rest.find('/');
        if (Slash == std::string_view::npos || !IsThisHost(Rest.substr(0, Slash))) return {};
        Rest.remove_prefix(Slash);
    }
    if (Rest.empty() || Rest[0] != '/') return {};
    Rest = Rest.substr(0, Rest.find_first_of("?#"));
    AnsiString Path;
    for (std::size_t I = 0; I < Rest.size(); ++I) {
        const int Hi = Rest[I] == '%' && I + 2 < Rest.size() ? HexValue(Rest[I + 1]) : -1;
        const int Lo = Hi >= 0 ? HexValue(Rest[I + 2]) : -1;
        if (Lo < 0) {
            Path += Rest[I];
            continue;
        }
        const char Byte = static_cast<char>(Hi * 16 + Lo);
        if (Byte == '\0') return {}; // no file name holds one
        Path += Byte;
        I += 2;
    }
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

// The local files of a drag, in the order of its uri-list (RFC 2483: one URL
// a line, lines beginning with '#' are comments).
std::vector<AnsiString> LocalFiles(const QMimeData* Data)
{
    std::vector<AnsiString> Files;
    if (!Data) return Files;
    const QByteArray List = Data->data(QStringLiteral("text/uri-list"));
    std::string_view Rest(List.constData(), static_cast<std::size_t>(List.size()));
    while (!Rest.empty()) {
        const auto End = Rest.find('\n');
        std::string_view Line = Rest.substr(0, End);
        Rest = End == std::string_view::npos ? std::string_view() : Rest.substr(End + 1);
        while (!Line.empty() && (Line.back() == '\r' || Line.back() == ' ' || Line.back() == '\t'))
            Line.remove_suffix(1);
        while (!Line.empty() && (Line.front() == ' ' || Line.front() == '\t'))
            Line.remove_prefix(1);
        if (Line.empty() || Line.front() == '#') continue;
        AnsiString File = LocalFileOf(Line);
        if (!File.empty()) Files.push_back(std::move(File));
    }
    return Files;
}

// ---- The drop target on a window ---------------------------------------------------------

// Lives as a child of the window widget (and goes with it); filters the
// drag events of the window and of the widgets inside it that take drops.
class TFileDropFilter : public QObject {
public:
    explicit TFileDropFilter(QWidget* Window) : QObject(Window), FWindow(Window) {}

    void Watch(QWidget* W)
    {
        if (!W) return;
        FWatched.push_back({W, W->acceptDrops()});
        W->setAcceptDrops(true);
        W->installEventFilter(this);
    }

    // Leaves the widgets as they were before.
    void Release()
    {
        for (const TWatched& W : FWatched)
            if (W.Widget) {
                W.Widget->removeEventFilter(this);
                W.Widget->setAcceptDrops(W.AcceptedDrops);
            }
        FWatched.clear();
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* E = static_cast<QDropEvent*>(Event);
            if (!E->mimeData() || !E->mimeData()->hasUrls()) return false; // text: the widget's own
            std::vector<AnsiString> Files = LocalFiles(E->mimeData());
            if (Files.empty()) {
                E->ignore();
                return true;
            }
            if (E->possibleActions() & Qt::CopyAction) E->setDropAction(Qt::CopyAction);
            E->accept();
            if (Event->type() == QEvent::Drop) Deliver(std::move(Files));
            return true;
        }
        default:
            return false;
        }
    }

private:
    struct TWatched {
        QPointer<QWidget> Widget;
        bool AcceptedDrops;
    };

    void Deliver(std::vector<AnsiString> Files)
    {
        const HWND Wnd = FWindow ? HandleOf(FWindow) : nullptr;
        if (!WidgetOf(Wnd)) return; // the window is gone
        const auto Drop = static_cast<HDROP>(AddHandle(hkDrop, new TDropData{std::move(Files)}));
        try {
            SendMessageA(Wnd, WM_DROPFILES, reinterpret_cast<WPARAM>(Drop), 0);
        } catch (...) {
            HandleWindowException(Wnd);
        }
        DragFinish(Drop);
    }

    QPointer<QWidget> FWindow;
    std::vector<TWatched> FWatched;
};

TFileDropFilter* DropFilterOf(QWidget* Window)
{
    for (QObject* C : Window->children())
        if (auto* F = dynamic_cast<TFileDropFilter*>(C)) return F;
    return nullptr;
}

} // namespace

void DragAcceptFiles(HWND Wnd, BOOL Accept)
{
    QWidget* Window = WidgetOf(Wnd);
    if (!Window) return;
    TFileDropFilter* Filter = DropFilterOf(Window);
    if (!Accept) {
        if (Filter) {
            Filter->Release();
            delete Filter;
        }
        return;
    }
    if (Filter) return;
    Filter = new TFileDropFilter(Window);
    Filter->Watch(Window);
    // The control's Qt widget is the window's focus proxy; a text editor
    // takes drops on its viewport.
    if (QWidget* Inner = Window->focusProxy()) {
        Filter->Watch(Inner);
        if (auto* Area = qobject_cast<QAbstractScrollArea*>(Inner)) Filter->Watch(Area->viewport());
    }
}

UINT DragQueryFileA(HDROP Drop, UINT File, char* Buffer, UINT Size)
{
    const TDropData* D = LiveDrop(Drop);
    if (!D) return 0;
    if (File == 0xFFFFFFFF) return static_cast<UINT>(D->Files.size());
    if (File >= D->Files.size()) return 0;
    const AnsiString& Name = D->Files[File];
    if (!Buffer) return static_cast<UINT>(Name.size());
    if (Size == 0) return 0;
    const std::size_t N = std::min<std::size_t>(Name.size(), Size - 1);
    std::memcpy(Buffer, Name.data(), N);
    Buffer[N] = '\0';
    return static_cast<UINT>(N);
}

void DragFinish(HDROP Drop)
{
    const TDropData* D = LiveDrop(Drop);
    if (!D) return;
    RemoveHandle(Drop);
    delete D;
}

AnsiString platform::DragQueryFileName(HDROP Drop, UINT File)
{
    const TDropData* D = LiveDrop(Drop);
    return D && File < D->Files.size() ? D->Files[File] : AnsiString();
}
