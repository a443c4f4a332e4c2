// TCustomEdit over a QLineEdit, and the text conversions the text controls share.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Clipbrd.h"
#include "platform/qt/Guarded.h"
#include "platform/rtl/QtStrings.h"
#include "platform/qt/TextControls.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <climits>

using namespace platform::detail;

namespace {

// The UTF-8 bytes of the character at Text[I] as FromEditorText writes it;
// I moves past the character.
int CharBytes(const QString& Text, int& I)
{
    const char16_t C = Text[I].unicode();
    ++I;
    if (C < 0x80 || C == QChar::ParagraphSeparator || C == LineCR || (C >= 0xDC80 && C <= 0xDCFF)) return 1;
    if (C < 0x800) return 2;
    if (QChar::isHighSurrogate(C) && I < Text.size() && Text[I].isLowSurrogate()) {
        ++I;
        return 4;
    }
    return 3;
}

} // namespace

namespace platform::detail {

int QtMaxLength(int MaxLength)
{
    return MaxLength > 0 ? MaxLength : INT_MAX;
}

QString ToBlockText(const AnsiString& Line)
{
    QString S = ToQString(Line);
    S.replace(QChar(u'\r'), QChar(LineCR));
    return S;
}

AnsiString FromEditorText(QString Text)
{
    Text.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    Text.replace(QChar(LineCR), QChar(u'\r'));
    return ToAnsi(Text);
}

int BytesBefore(const QString& Text, int Pos)
{
    int Bytes = 0;
    for (int I = 0; I < Pos && I < Text.size();)
        Bytes += CharBytes(Text, I);
    return Bytes;
}

int PositionOf(const QString& Text, int Bytes)
{
    int I = 0;
    for (int B = 0; B < Bytes && I < Text.size();)
        B += CharBytes(Text, I);
    return I;
}

void ApplyFontAndColors(QWidget* W, const TControl* Control)
{
    W->setFont(ToQFont(Control->GetFont()));
    QPalette P = W->palette();
    for (auto Group : {QPalette::Active, QPalette::Inactive}) {
        P.setColor(Group, QPalette::Base, ToQColor(Control->GetColor()));
        P.setColor(Group, QPalette::Text, ToQColor(Control->GetFont()->GetColor()));
    }
    P.setColor(QPalette::Disabled, QPalette::Base, ToQColor(clBtnFace));
    P.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    W->setPalette(P);
}

} // namespace platform::detail

// ---- TCustomEdit ---------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetTabStop(true);
    SetParentColor(false); // clWindow
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

QWidget* TCustomEdit::CreateInnerWidget(QWidget* Window)
{
    auto* Edit = new QLineEdit(Window);
    Edit->setFrame(false);
    Edit->setText(ToBlockText(TWinControl::RealGetText()));
    Edit->setModified(FModified);
    ApplyEditorSettings(Edit);
    QObject::connect(Edit, &QLineEdit::textChanged, Edit, ForControl(this, Window, [this] { Change(); }));
    return Edit;
}

void TCustomEdit::ApplyEditorSettings(QWidget* Editor)
{
    ApplyFontAndColors(Editor, this);
    Editor->setEnabled(GetEnabled());
    if (auto* Edit = qobject_cast<QLineEdit*>(Editor)) {
        Edit->setMaxLength(QtMaxLength(FMaxLength));
        Edit->setReadOnly(FReadOnly);
        Edit->setEchoMode(FPasswordChar ? QLineEdit::Password : QLineEdit::Normal);
    }
}

void TCustomEdit::DestroyWnd()
{
    // The text outlives the window, as the system keeps it.
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) {
        FModified = Edit->isModified();
        TWinControl::RealSetText(FromEditorText(Edit->text()));
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::Change()
{
    if (GetComponentState().Contains(csLoading)) return;
    if (OnChange) OnChange(this);
}

AnsiString TCustomEdit::RealGetText() const
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) return FromEditorText(Edit->text());
    return TWinControl::RealGetText();
}

void TCustomEdit::RealSetText(const AnsiString& Value)
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget()))
        Edit->setText(ToBlockText(Value)); // fires textChanged, hence OnChange
    else
        TWinControl::RealSetText(Value);
}

void TCustomEdit::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    // Without a window no editor tells of the change.
    if (!GetInnerWidget()) Change();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    FPasswordChar = Value;
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

bool TCustomEdit::GetModified() const
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) return Edit->isModified();
    if (auto* Memo = qobject_cast<QPlainTextEdit*>(GetInnerWidget())) return Memo->document()->isModified();
    return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    FModified = Value;
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) Edit->setModified(Value);
    if (auto* Memo = qobject_cast<QPlainTextEdit*>(GetInnerWidget())) Memo->document()->setModified(Value);
}

QString TCustomEdit::EditorText() const
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) return Edit->text();
    return ToBlockText(TWinControl::RealGetText());
}

void TCustomEdit::GetEditorSelection(int& Start, int& Length) const
{
    Start = 0;
    Length = 0;
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) {
        Start = Edit->hasSelectedText() ? Edit->selectionStart() : Edit->cursorPosition();
        Length = Edit->selectionLength();
    }
}

void TCustomEdit::SetEditorSelection(int Start, int Length)
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) {
        if (Length > 0)
            Edit->setSelection(Start, Length);
        else
            Edit->setCursorPosition(Start);
    }
}

void TCustomEdit::ReplaceEditorSelection(const QString& Text)
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) {
        Edit->insert(Text);
        return;
    }
    // A new window's caret stands at the start.
    SetText(FromEditorText(Text) + TWinControl::RealGetText());
}

int TCustomEdit::GetSelStart() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    return BytesBefore(EditorText(), Start);
}

void TCustomEdit::SetSelStart(int Value)
{
    // As the system does: the selection becomes an empty one at Value.
    SetEditorSelection(PositionOf(EditorText(), std::max(0, Value)), 0);
}

int TCustomEdit::GetSelLength() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    const QString Text = EditorText();
    return BytesBefore(Text, Start + Length) - BytesBefore(Text, Start);
}

void TCustomEdit::SetSelLength(int Value)
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    const QString Text = EditorText();
    const int End = PositionOf(Text, BytesBefore(Text, Start) + std::max(0, Value));
    SetEditorSelection(Start, End - Start);
}

AnsiString TCustomEdit::GetSelText() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    return FromEditorText(EditorText().mid(Start, Length));
}

void TCustomEdit::SetSelText(const AnsiString& Value)
{
    ReplaceEditorSelection(ToBlockText(Value));
}

void TCustomEdit::SelectAll()
{
    SetEditorSelection(0, static_cast<int>(EditorText().size()));
}

void TCustomEdit::ClearSelection()
{
    ReplaceEditorSelection(QString());
}

void TCustomEdit::CopyToClipboard()
{
    if (FPasswordChar) return; // a hidden text stays hidden
    const AnsiString Text = GetSelText();
    if (!Text.empty()) Clipboard()->SetAsText(Text);
}

void TCustomEdit::CutToClipboard()
{
    if (FReadOnly || FPasswordChar) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard()
{
    if (FReadOnly) return;
    ReplaceEditorSelection(ToBlockText(Clipboard()->GetAsText()));
}

void TCustomEdit::Clear()
{
    SetText("");
}

void TCustomEdit::Undo()
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) Edit->undo();
    if (auto* Memo = qobject_cast<QPlainTextEdit*>(GetInnerWidget())) Memo->undo();
}

bool TCustomEdit::GetCanUndo() const
{
    if (auto* Edit = qobject_cast<QLineEdit*>(GetInnerWidget())) return Edit->isUndoAvailable();
    if (auto* Memo = qobject_cast<QPlainTextEdit*>(GetInnerWidget())) return Memo->document()->isUndoAvailable();
    return false;
}

void TCustomEdit::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !GetControlState().Contains(csLButtonDown) && !dynamic_cast<TCustomMemo*>(this)) SelectAll();
    TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}

void TCustomEdit::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}

void TCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    if (QWidget* W = GetInnerWidget()) ApplyEditorSettings(W);
}
