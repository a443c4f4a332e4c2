// TCustomEdit: its making, its height, and its text and selection as the
// line editor holds them, counted in bytes of the program's text as the class
// library counts them. The edit's settings and its window build on these.
#include "platform/controls/ControlWindows.h"
#include "platform/controls/TextControls.h"
#include "platform/rtl/QtStrings.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace platform::detail;

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
    Params.WindowClass.hCursor = crIBeam;
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

TCreateParams TCustomEdit::WindowParams(const TCreateParams& Params)
{
    FEditStyle = Params.Style;
    TCreateParams Window = Params;
    if (Params.Style & ES_MULTILINE) Window.Style &= ~(WS_HSCROLL | WS_VSCROLL);
    return Window;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& Params)
{
    TWinControl::CreateWindowHandle(WindowParams(Params));
}

void TCustomEdit::ApplyCreateParams(const TCreateParams& Params)
{
    TWinControl::ApplyCreateParams(WindowParams(Params));
}

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

// A multi-line edit's text keeps its CRs inside the lines, so that CR LF, LF
// and a lone CR all come back as they went in; its lines break at LF.
AnsiString TCustomEdit::RealGetText() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return FromEditorText(Edit->text());
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return FromEditorText(DocumentText(*Memo->document()));
    return TWinControl::RealGetText();
}

WideString TCustomEdit::EditorText() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return ToWide(Edit->text());
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return ToWide(DocumentText(*Memo->document()));
    return ToWide(ToBlockText(TWinControl::RealGetText()));
}

int TCustomEdit::EditorLength() const
{
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return Memo->document()->characterCount() - 1;
    return int(EditorText().size());
}

int TCustomEdit::EditorBytesBefore(int Pos) const
{
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return DocumentBytesBefore(*Memo->document(), Pos);
    return BytesBefore(EditorText(), Pos);
}

int TCustomEdit::EditorPositionOf(int Bytes) const
{
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return DocumentPositionOf(*Memo->document(), Bytes);
    return PositionOf(EditorText(), Bytes);
}

void TCustomEdit::GetEditorSelection(int& Start, int& Length) const
{
    Start = 0;
    Length = 0;
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        Start = Edit->hasSelectedText() ? Edit->selectionStart() : Edit->cursorPosition();
        Length = Edit->selectionLength();
    } else if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) {
        const QTextCursor C = Memo->textCursor();
        Start = C.selectionStart();
        Length = C.selectionEnd() - C.selectionStart();
    }
}

void TCustomEdit::SetEditorSelection(int Start, int Length)
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) {
        if (Length > 0)
            Edit->setSelection(Start, Length);
        else
            Edit->setCursorPosition(Start);
    } else if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) {
        QTextCursor C(Memo->document());
        const int End = Memo->document()->characterCount() - 1;
        C.setPosition(std::clamp(Start, 0, End));
        C.setPosition(std::clamp(Start + Length, 0, End), QTextCursor::KeepAnchor);
        Memo->setTextCursor(C);
    }
}

void TCustomEdit::ReplaceEditorSelection(const WideString& Text)
{
    // As EM_REPLACESEL: within MaxLength.
    if (auto* Edit = dynamic_cast<TLimitedLineEdit*>(InnerWidgetAs<QLineEdit>())) {
        Edit->InsertWithinLimit(ToQString(Text));
        return;
    }
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) {
        QTextCursor C = Memo->textCursor();
        C.insertText(ToQString(Text));
        Memo->setTextCursor(C);
        return;
    }
    // A new window's caret stands at the start.
    SetText(FromEditorText(ToQString(Text)) + TWinControl::RealGetText());
}

int TCustomEdit::GetSelStart() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    return EditorBytesBefore(Start);
}

void TCustomEdit::SetSelStart(int Value)
{
    // As the system does: the selection becomes an empty one at Value.
    SetEditorSelection(EditorPositionOf(std::max(0, Value)), 0);
}

int TCustomEdit::GetSelLength() const
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    return EditorBytesBefore(Start + Length) - EditorBytesBefore(Start);
}

void TCustomEdit::SetSelLength(int Value)
{
    int Start, Length;
    GetEditorSelection(Start, Length);
    const int End = EditorPositionOf(EditorBytesBefore(Start) + std::max(0, Value));
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
    SetEditorSelection(0, EditorLength());
}

bool TCustomEdit::GetCanUndo() const
{
    if (auto* Edit = InnerWidgetAs<QLineEdit>()) return Edit->isUndoAvailable();
    if (auto* Memo = InnerWidgetAs<QPlainTextEdit>()) return Memo->document()->isUndoAvailable();
    return false;
}
