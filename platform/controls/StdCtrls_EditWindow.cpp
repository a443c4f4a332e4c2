// The edit window: its line editor, the edit messages, painting over the
// native painting, the themed border, and the clipboard commands as messages.
#include "platform/controls/ControlWindows.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/TextControls.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/qt/Guarded.h"
#include "platform/rtl/QtStrings.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/UxTheme.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>

using namespace platform::detail;

// ---- The line editor -----------------------------------------------------------------------

// Shows the control's password character where Qt would show its style's.
class TCustomEdit::TLineEditor::TPasswordStyle : public QProxyStyle {
public:
    QChar Char;
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override
    {
        if (Hint == SH_LineEdit_PasswordCharacter && !Char.isNull()) return Char.unicode();
        if (Hint == SH_LineEdit_PasswordMaskDelay) return 0; // never shows a typed character
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
};

TCustomEdit::TLineEditor::TLineEditor(QWidget* Window) : TLimitedLineEdit(Window)
{
    setFrame(false);
    setAcceptDrops(false);
}

void TCustomEdit::TLineEditor::ShowPasswordChar(QChar Char)
{
    if (Char.isNull()) {
        setEchoMode(Normal);
        return;
    }
    if (!FStyle) {
        FStyle = new TPasswordStyle;
        FStyle->setParent(this);
    }
    FStyle->Char = Char;
    // The editor takes the character from its style when the style changes.
    setStyle(FStyle);
    QEvent Changed(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &Changed);
    setEchoMode(Password);
}

void TCustomEdit::TLineEditor::RenderTo(QImage& Image, const QRegion& Region)
{
    const QRegion Own = Region.translated(-pos()) & rect();
    if (Own.isEmpty()) return;
    const TRestore Rendering(FRendering, true);
    render(&Image, pos() + Own.boundingRect().topLeft(), Own, DrawWindowBackground);
}

void TCustomEdit::TLineEditor::paintEvent(QPaintEvent* Event)
{
    TBridgeWidget* Window = BridgeAbove(parentWidget());
    auto* Control = Window ? dynamic_cast<TCustomEdit*>(FindControl(Window->Handle())) : nullptr;
    if (FRendering || !Control || Control->GetDefaultDrawing()) {
        QLineEdit::paintEvent(Event);
        return;
    }
    // The window paints this part now (no update asked of it: that would
    // paint this editor again), then the editor shows what it painted.
    Guarded(Window->Handle(), [&] {
        Window->Invalid += Event->region().translated(pos() - Window->ClientOffset());
        Window->RenderInvalid();
    });
    if (Window->Image.isNull()) return;
    QPainter P(this);
    P.drawImage(Event->rect(), Window->Image, Event->rect().translated(pos()));
}

// ---- Routing the clipboard commands ------------------------------------------------------------

namespace {

// The clipboard command of a key in an edit, or 0: the system's keys and the desktop's.
UINT ClipboardCommandOf(const QKeyEvent* Key)
{
    if (Key->matches(QKeySequence::Paste)) return WM_PASTE;
    if (Key->matches(QKeySequence::Cut)) return WM_CUT;
    if (Key->matches(QKeySequence::Copy)) return WM_COPY;
    const Qt::KeyboardModifiers Mods = Key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (Key->key()) {
    case Qt::Key_Insert:
        return Mods == Qt::ShiftModifier ? WM_PASTE : Mods == Qt::ControlModifier ? WM_COPY : 0;
    case Qt::Key_Delete:
        return Mods == Qt::ShiftModifier ? WM_CUT : 0;
    case Qt::Key_V:
        return Mods == Qt::ControlModifier ? WM_PASTE : 0;
    case Qt::Key_X:
        return Mods == Qt::ControlModifier ? WM_CUT : 0;
    case Qt::Key_C:
        return Mods == Qt::ControlModifier ? WM_COPY : 0;
    default:
        return 0;
    }
}

// Sees the editor's events after its window turned them into messages (it
// is installed first, so it runs after the window's filter), and before the
// editor acts on them.
class TEditCommands : public QObject {
public:
    TEditCommands(QObject* Parent, bool SingleLine) : QObject(Parent), FSingleLine(SingleLine) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        auto* Widget = qobject_cast<QWidget*>(Watched);
        const HWND Wnd = Widget ? WindowAbove(Widget) : nullptr;
        if (!Wnd) return false;
        switch (Event->type()) {
        case QEvent::KeyPress:
            if (const UINT Command = ClipboardCommandOf(static_cast<QKeyEvent*>(Event))) {
                Guarded(Wnd, [&] { SendMessageA(Wnd, Command, 0, 0); });
                return true;
            }
            return false;
        case QEvent::ContextMenu: {
            auto* Menu = static_cast<QContextMenuEvent*>(Event);
            const LPARAM Pos =
                Menu->reason() == QContextMenuEvent::Keyboard ? LPARAM(-1) : PackPoint(Menu->globalPos());
            Guarded(Wnd, [&] { SendMessageA(Wnd, WM_CONTEXTMENU, WPARAM(Wnd), Pos); });
            return true;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            if (!FSingleLine) return false;
            Event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return FSingleLine && static_cast<QMouseEvent*>(Event)->button() == Qt::MiddleButton;
        default:
            return false;
        }
    }

private:
    bool FSingleLine;
};

// The edit's own context menu, as the system's edit has it; each item sends its command to the window.
void ShowEditMenu(TCustomEdit* Edit, LPARAM Pos)
{
    const HWND Wnd = Edit->GetHandle();
    const bool ReadOnly = Edit->GetReadOnly();
    const bool Hidden = Edit->GetPasswordChar() != 0;
    const bool Selected = Edit->GetSelLength() > 0;
    const int Length = int(Edit->GetText().size());
    QMenu Menu;
    auto Item = [&](const char* Caption, bool Enabled, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
        QAction* A = Menu.addAction(QString::fromLatin1(Caption));
        A->setEnabled(Enabled);
        QObject::connect(A, &QAction::triggered, [=] { SendMessageA(Wnd, Msg, WParam, LParam); });
    };
    Item("&Undo", !ReadOnly && Edit->GetCanUndo(), WM_UNDO);
    Menu.addSeparator();
    Item("Cu&t", Selected && !ReadOnly && !Hidden, WM_CUT);
    Item("&Copy", Selected && !Hidden, WM_COPY);
    Item("&Paste", !ReadOnly && Clipboard()->HasFormat(CF_TEXT), WM_PASTE);
    Item("&Delete", Selected && !ReadOnly, WM_CLEAR);
    Menu.addSeparator();
    Item("Select &All", Length > 0 && Edit->GetSelLength() < Length, EM_SETSEL, 0, LPARAM(-1));
    QWidget* Window = WidgetOf(Wnd);
    // From the keyboard the menu opens at the window's top left corner.
    const QPoint At = Pos == LPARAM(-1) ? Window->mapToGlobal(QPoint()) : UnpackPoint(Pos);
    Menu.exec(At);
}

} // namespace

void platform::detail::RouteEditCommands(QWidget* Editor, QWidget* Surface, bool SingleLine)
{
    auto* Commands = new TEditCommands(Editor, SingleLine);
    Editor->installEventFilter(Commands);
    if (Surface != Editor) Surface->installEventFilter(Commands);
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT TCustomEdit::SendCommand(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return HandleAllocated() ? SendMessageA(GetHandle(), Msg, WParam, LParam) : Perform(Msg, WParam, LParam);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CUT:
        WMCut(Message);
        return;
    case WM_COPY:
        WMCopy(Message);
        return;
    case WM_PASTE:
        WMPaste(Message);
        return;
    case WM_CLEAR:
        WMClear(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomEdit::WMCut(TMessage& Message)
{
    DefaultHandler(Message);
}

void TCustomEdit::WMCopy(TMessage& Message)
{
    DefaultHandler(Message);
}

void TCustomEdit::WMPaste(TMessage& Message)
{
    DefaultHandler(Message);
}

void TCustomEdit::WMClear(TMessage& Message)
{
    DefaultHandler(Message);
}

// What the edit window itself does with the edit messages.
void TCustomEdit::DefaultHandler(TMessage& Message)
{
    auto* Line = InnerWidgetAs<QLineEdit>();
    auto* Memo = InnerWidgetAs<QPlainTextEdit>();
    // A multi-line editor, the memo's own or a read-only memo's view.
    auto* Area = dynamic_cast<TTextArea*>(InnerWidgetAs<QWidget>());
    // Asked of the editor's own selection, and only by the commands that
    // need it: counting bytes builds the whole text, which in a long memo
    // costs more than the key or the mouse move that brought the message.
    auto Selected = [&] {
        int Start = 0, Length = 0;
        GetEditorSelection(Start, Length);
        return Length > 0;
    };
    auto Copy = [&] {
        if (Area)
            Area->CopySelection(); // the system's text, read from the editor's own
        else
            Clipboard()->SetAsText(GetSelText());
    };
    switch (Message.Msg) {
    case WM_COPY:
        // A hidden text stays hidden.
        if (!FPasswordChar && Selected()) Copy();
        return;
    case WM_CUT:
        if (FReadOnly || FPasswordChar || !Selected()) return;
        Copy();
        ReplaceEditorSelection(WideString());
        return;
    case WM_CLEAR:
        if (!FReadOnly && Selected()) ReplaceEditorSelection(WideString());
        return;
    case WM_PASTE:
        if (FReadOnly) return;
        if (auto* Editor = dynamic_cast<TLineEditor*>(Line))
            Editor->PasteWithinLimit();
        else if (Memo)
            Memo->paste();
        else
            ReplaceEditorSelection(ToWide(ToBlockText(Clipboard()->GetAsText())));
        return;
    case WM_UNDO:
        if (Line) Line->undo();
        if (Memo) Memo->undo();
        return;
    case WM_CONTEXTMENU:
        if (Line || Area) ShowEditMenu(this, Message.LParam);
        return;
    case EM_SETSEL: {
        const auto Start = int(Message.WParam);
        const auto End = int(Message.LParam);
        int Anchor = 0, Length = 0;
        GetEditorSelection(Anchor, Length);
        if (Start < 0) {
            // The selection goes; the caret stays where it was.
            SetEditorSelection(Anchor + Length, 0);
            return;
        }
        const int From = EditorPositionOf(Start);
        const int To = End < 0 ? EditorLength() : EditorPositionOf(End);
        SetEditorSelection(std::min(From, To), std::abs(To - From));
        return;
    }
    case EM_GETSEL: {
        const auto Start = DWORD(GetSelStart());
        const auto End = Start + DWORD(GetSelLength());
        if (auto* P = reinterpret_cast<DWORD*>(Message.WParam)) *P = Start;
        if (auto* P = reinterpret_cast<DWORD*>(Message.LParam)) *P = End;
        Message.Result = LRESULT(MAKELONG(WORD(std::min<DWORD>(Start, 0xFFFF)), WORD(std::min<DWORD>(End, 0xFFFF))));
        return;
    }
    case EM_SETMARGINS:
        if (Line) {
            QMargins M = Line->textMargins();
            const auto Packed = std::uintptr_t(Message.LParam);
            if (Message.WParam & EC_LEFTMARGIN) M.setLeft(std::int16_t(LOWORD(Packed)));
            if (Message.WParam & EC_RIGHTMARGIN) M.setRight(std::int16_t(HIWORD(Packed)));
            Line->setTextMargins(M);
        } else if (Area) {
            const auto Packed = std::uintptr_t(Message.LParam);
            Area->SetTextMargins(Message.WParam & EC_LEFTMARGIN ? std::int16_t(LOWORD(Packed)) : -1,
                                 Message.WParam & EC_RIGHTMARGIN ? std::int16_t(HIWORD(Packed)) : -1);
        }
        return;
    case EM_GETMARGINS: {
        const QMargins M = Line ? Line->textMargins() : Area ? Area->GetTextMargins() : QMargins();
        Message.Result = LRESULT(MAKELONG(WORD(M.left()), WORD(M.right())));
        return;
    }
    case WM_PAINT:
        if (auto* Editor = dynamic_cast<TLineEditor*>(Line); Editor && !GetDefaultDrawing()) {
            auto DC = reinterpret_cast<HDC>(Message.WParam);
            QImage* Image = DC && DC->Target ? DC->Target->Image() : nullptr;
            if (Image) Editor->RenderTo(*Image, DC->Clip ? *DC->Clip : QRegion(Image->rect()));
        }
        return;
    default:
        TWinControl::DefaultHandler(Message);
    }
}

bool TCustomEdit::RefusesKey(Word Key)
{
    return (Key == VK_RETURN || Key == VK_ESCAPE) && (FEditStyle & ES_MULTILINE) &&
           !(Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);
    if (RefusesKey(Key)) Key = 0;
}

void TCustomEdit::KeyPress(WideChar& Key)
{
    TWinControl::KeyPress(Key);
    if (RefusesKey(Key == u'\r' ? VK_RETURN : Key == 0x1B ? VK_ESCAPE : 0)) Key = 0;
}

// ---- Painting -----------------------------------------------------------------------------------

bool TCustomEdit::GetDefaultDrawing()
{
    return true;
}

TCanvas* TCustomEdit::GetCanvas() const
{
    return FCanvas.get();
}

void TCustomEdit::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}

void TCustomEdit::PaintWindow(HDC DC)
{
    TWinControl::PaintWindow(DC);
    if (!GetDefaultDrawing()) FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomEdit::WMNCPaint(TMessage& Message)
{
    TWinControl::WMNCPaint(Message);
    if (FBorderStyle != bsSingle || !HandleAllocated() || !IsThemeActive() || !IsAppThemed()) return;
    HTHEME Theme = OpenThemeData(GetHandle(), u"edit");
    if (!Theme) return;
    // The themed box over the sunken edge only; the inside is the border width's and the client's.
    HDC DC = GetWindowDC(GetHandle());
    const TRect R(0, 0, GetWidth(), GetHeight());
    QRegion Ring(ToQRect(R));
    Ring -= ToQRect(R).adjusted(2, 2, -2, -2);
    DC->Clip = Ring;
    const int State = !GetEnabled() ? ETS_DISABLED : FReadOnly ? ETS_READONLY : ETS_NORMAL;
    DrawThemeBackground(Theme, DC, EP_EDITTEXT, State, &R, nullptr);
    ReleaseDC(GetHandle(), DC);
    CloseThemeData(Theme);
}
