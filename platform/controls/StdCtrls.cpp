// TCustomEdit over a QLineEdit, and the text conversions the text controls share.
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

namespace {

// The UTF-8 bytes of the character at Text[I] as FromEditorText writes it;
// I moves past the character.
int CharBytes(std::u16string_view Text, int& I)
{
    const char16_t C = Text[std::size_t(I)];
    ++I;
    if (C < 0x80 || C == QChar::ParagraphSeparator || C == LineCR || (C >= 0xDC80 && C <= 0xDCFF)) return 1;
    if (C < 0x800) return 2;
    if (QChar::isHighSurrogate(C) && std::size_t(I) < Text.size() && QChar::isLowSurrogate(Text[std::size_t(I)])) {
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

int BytesBefore(std::u16string_view Text, int Pos)
{
    int Bytes = 0;
    for (int I = 0; I < Pos && std::size_t(I) < Text.size();)
        Bytes += CharBytes(Text, I);
    return Bytes;
}

int PositionOf(std::u16string_view Text, int Bytes)
{
    int I = 0;
    for (int B = 0; B < Bytes && std::size_t(I) < Text.size();)
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

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetTabStop(true);
    SetParentColor(false); // clWindow
    SetAutoSize(true);
}

TCustomEdit::~TCustomEdit()
{
    FCanvas->FreeHandle();
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    auto* Edit = new TLineEditor(Window);
    Edit->setText(ToBlockText(TWinControl::RealGetText()));
    Edit->setModified(FModified);
    RouteEditCommands(Edit, Edit, true);
    SetInnerWidget(GetHandle(), Edit);
    // Child windows (made later, or made before a recreation) sit above the editor.
    Edit->lower();
    ApplyEditorSettings();
    QObject::connect(Edit, &QLineEdit::textChanged, Edit, ForControl(this, Window, [this] { Change(); }));
}

void TCustomEdit::ApplyEditorSettings()
{
    auto* Editor = InnerWidgetAs<QWidget>();
    if (!Editor) return;
    ApplyFontAndColors(Editor, this);
    Editor->setEnabled(GetEnabled());
    if (auto* Edit = dynamic_cast<TLineEditor*>(Editor)) {
        Edit->setMaxLength(QtMaxLength(FMaxLength));
        Edit->setReadOnly(FReadOnly);
        Edit->SetPasswordChar(FPasswordChar ? ToQString(AnsiString(1, FPasswordChar)).front() : QChar());
        const DWORD Style = DWORD(GetWindowLongA(GetHandle(), GWL_STYLE));
        const Qt::Alignment Horizontal = (Style & ES_RIGHT)    ? Qt::AlignRight
                                         : (Style & ES_CENTER) ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
        Edit->setAlignment(Horizontal | Qt::AlignVCenter);
    }
}

void TCustomEdit::DestroyWnd()
{
    // The text outlives the window, as the system keeps it.
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
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
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return FromEditorText(Edit->text());
    return TWinControl::RealGetText();
}

void TCustomEdit::RealSetText(const AnsiString& Value)
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>())
        Edit->setText(ToBlockText(Value)); // fires textChanged, hence OnChange
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

WideString TCustomEdit::EditorText() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return ToWide(Edit->text());
    return ToWide(ToBlockText(TWinControl::RealGetText()));
}

void TCustomEdit::GetEditorSelection(int& Start, int& Length) const
{
    Start = 0;
    Length = 0;
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        Start = Edit->hasSelectedText() ? Edit->selectionStart() : Edit->cursorPosition();
        Length = Edit->selectionLength();
    }
}

void TCustomEdit::SetEditorSelection(int Start, int Length)
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        if (Length > 0)
            Edit->setSelection(Start, Length);
        else
            Edit->setCursorPosition(Start);
    }
}

void TCustomEdit::ReplaceEditorSelection(const WideString& Text)
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        Edit->insert(ToQString(Text));
        return;
    }
    // A new window's caret stands at the start.
    SetText(FromEditorText(ToQString(Text)) + TWinControl::RealGetText());
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
    const WideString Text = EditorText();
    return BytesBefore(Text, Start + Length) - BytesBefore(Text, Start);
}

void TCustomEdit::SetSelLength(int Value)
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    const WideString Text = EditorText();
    const int End = PositionOf(Text, BytesBefore(Text, Start) + std::max(0, Value));
    SetEditorSelection(Start, End - Start);
}

AnsiString TCustomEdit::GetSelText() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    const WideString Text = EditorText();
    const std::size_t From = std::min<std::size_t>(std::size_t(std::max(Start, 0)), Text.size());
    return FromEditorText(ToQString(std::u16string_view(Text).substr(From, std::size_t(std::max(Length, 0)))));
}

void TCustomEdit::SetSelText(const AnsiString& Value)
{
    ReplaceEditorSelection(ToWide(ToBlockText(Value)));
}

void TCustomEdit::SelectAll()
{
    SetEditorSelection(0, static_cast<int>(EditorText().size()));
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

bool TCustomEdit::GetCanUndo() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return Edit->isUndoAvailable();
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return Memo->document()->isUndoAvailable();
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

// ---- Height ------------------------------------------------------------------------------

void TCustomEdit::SetAutoSize(bool Value)
{
    TWinControl::SetAutoSize(Value);
    UpdateHeight();
}

void TCustomEdit::UpdateHeight()
{
    // Only a single border keeps the height fixed to the font.
    if (GetAutoSize() && FBorderStyle == bsSingle) {
        SetControlStyle(GetControlStyle() + TControlStyle{csFixedHeight});
        AdjustHeight();
    } else {
        SetControlStyle(GetControlStyle() - TControlStyle{csFixedHeight});
    }
}

void TCustomEdit::AdjustHeight()
{
    // The text height and a sunken border with a pixel of room inside it, above and below.
    SetHeight(QFontMetrics(ToQFont(GetFont())).height() + 8);
}
