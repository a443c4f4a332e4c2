// TCustomEdit over a QLineEdit: its settings, the clipboard commands and the messages it answers itself.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/ControlWindows.h"
#include "platform/rtl/QtStrings.h"
#include "platform/controls/TextControls.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <climits>

using namespace platform::detail;

// ---- TCustomEdit ---------------------------------------------------------------------

void TCustomEdit::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    if (FEditStyle & ES_MULTILINE) {
        auto* Editor = new TMemoEditor(Window);
        Editor->setFrameShape(QFrame::NoFrame);
        Editor->setTabChangesFocus(false); // WM_GETDLGCODE decides
        RouteEditCommands(Editor, Editor->viewport(), false);
        SetInnerWidget(GetHandle(), Editor);
        Editor->lower();
        ApplyEditorSettings();
        Editor->setPlainText(ToBlockText(TWinControl::RealGetText()));
        Editor->document()->setModified(FModified);
        QObject::connect(Editor, &QPlainTextEdit::textChanged, Editor, ForControl(this, Window, [this] { Change(); }));
        return;
    }
    auto* Edit = new TLineEditor(Window);
    RouteEditCommands(Edit, Edit, true);
    SetInnerWidget(GetHandle(), Edit);
    // Child windows (made later, or made before a recreation) sit above the editor.
    Edit->lower();
    ApplyEditorSettings();
    Edit->setText(ToBlockText(TWinControl::RealGetText()));
    Edit->setModified(FModified);
    QObject::connect(Edit, &QLineEdit::textChanged, Edit, ForControl(this, Window, [this] { Change(); }));
}

void TCustomEdit::ApplyEditorSettings()
{
    auto* Editor = InnerWidgetAs<QWidget>();
    if (!Editor) return;
    ApplyFontAndColors(Editor, this);
    Editor->setEnabled(GetEnabled());
    if (auto* Edit = dynamic_cast<TLineEditor*>(Editor)) {
        Edit->SetInputLimit(FMaxLength);
        Edit->setReadOnly(FReadOnly);
        Edit->ShowPasswordChar(FPasswordChar ? ToQString(AnsiString(1, FPasswordChar)).front() : QChar());
        const DWORD Style = DWORD(GetWindowLongA(GetHandle(), GWL_STYLE));
        const Qt::Alignment Horizontal = (Style & ES_RIGHT)    ? Qt::AlignRight
                                         : (Style & ES_CENTER) ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
        Edit->setAlignment(Horizontal | Qt::AlignVCenter);
    } else if (auto* Memo = dynamic_cast<TMemoEditor*>(Editor); Memo && !dynamic_cast<TCustomMemo*>(this)) {
        Memo->setReadOnly(FReadOnly);
        Memo->setLineWrapMode(FEditStyle & ES_AUTOHSCROLL ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        Memo->setHorizontalScrollBarPolicy(FEditStyle & WS_HSCROLL ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        Memo->setVerticalScrollBarPolicy(FEditStyle & WS_VSCROLL ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TCustomEdit::DestroyWnd()
{
    // The text outlives the window, as the system keeps it.
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        FModified = Edit->isModified();
        TWinControl::RealSetText(FromEditorText(Edit->text()));
    } else if (auto* Memo = InnerWidgetAs<QPlainTextEdit>(); Memo && !dynamic_cast<TCustomMemo*>(this)) {
        FModified = Memo->document()->isModified();
        TWinControl::RealSetText(FromEditorText(DocumentText(*Memo->document())));
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::Change()
{
    if (GetComponentState().Contains(csLoading)) return;
    if (OnChange) OnChange(this);
}

void TCustomEdit::RealSetText(const AnsiString& Value)
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>())
        Edit->setText(ToBlockText(Value)); // fires textChanged, hence OnChange
    else if (auto* Memo = InnerWidgetAs<QPlainTextEdit>())
        Memo->setPlainText(ToBlockText(Value));
    else
        TWinControl::RealSetText(Value);
}

void TCustomEdit::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    // Without a window no editor tells of the change.
    if (!InnerWidgetAs<QWidget>()) Change();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    ApplyEditorSettings();
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    ApplyEditorSettings();
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    FPasswordChar = Value;
    ApplyEditorSettings();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    UpdateHeight();
    RecreateWnd();
}

bool TCustomEdit::GetModified() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return Edit->isModified();
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return Memo->document()->isModified();
    return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    FModified = Value;
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) Edit->setModified(Value);
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) Memo->document()->setModified(Value);
}

void TCustomEdit::ClearSelection()
{
    SendCommand(WM_CLEAR);
}

void TCustomEdit::CopyToClipboard()
{
    SendCommand(WM_COPY);
}

void TCustomEdit::CutToClipboard()
{
    SendCommand(WM_CUT);
}

void TCustomEdit::PasteFromClipboard()
{
    SendCommand(WM_PASTE);
}

void TCustomEdit::Clear()
{
    SetText("");
}

void TCustomEdit::Undo()
{
    SendCommand(WM_UNDO);
}

void TCustomEdit::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (FEditStyle & ES_MULTILINE) Message.Result |= DLGC_WANTALLKEYS;
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    // A multi-line edit keeps its caret: selecting all would let the first key wipe every line.
    if (FAutoSelect && !GetControlState().Contains(csLButtonDown) && !(FEditStyle & ES_MULTILINE)) SelectAll();
    TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ApplyEditorSettings();
    if (GetControlStyle().Contains(csFixedHeight)) AdjustHeight();
}

void TCustomEdit::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    ApplyEditorSettings();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    ApplyEditorSettings();
}

void TCustomEdit::CMRecreateWnd(TMessage& Message)
{
    TWinControl::CMRecreateWnd(Message);
    ApplyEditorSettings();
}
