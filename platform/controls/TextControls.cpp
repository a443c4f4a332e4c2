// Text crossing between the program's lines and Qt's text widgets, shared by
// the edit, the memo and the combo box.
#include "platform/controls/TextControls.h"
#include "platform/controls/Control.h"
#include "platform/graphics/QtGraphics.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/rtl/QtStrings.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <memory>

using namespace platform::detail;

namespace {

// The UTF-8 bytes of the character at Text[I] as FromEditorText writes it;
// I moves past the character.
int CharBytes(std::u16string_view Text, int& I)
{
    const char16_t C = Text[std::size_t(I)];
    ++I;
    if (C < 0x80 || C == QChar::ParagraphSeparator || C == KeptCR || (C >= 0xDC80 && C <= 0xDCFF)) return 1;
    if (C < 0x800) return 2;
    if (QChar::isHighSurrogate(C) && std::size_t(I) < Text.size() && QChar::isLowSurrogate(Text[std::size_t(I)])) {
        ++I;
        return 4;
    }
    return 3;
}

// The code unit a block break is kept as inside a line, and back; 0 for any
// other code unit.
char16_t KeptBreak(char16_t C)
{
    switch (C) {
    case u'\r':
        return KeptCR;
    case 0x2029:
        return 0xDC29;
    case 0xFDD0:
        return 0xDC50;
    case 0xFDD1:
        return 0xDC51;
    default:
        return 0;
    }
}

char16_t RestoredBreak(char16_t C)
{
    switch (C) {
    case KeptCR:
        return u'\r';
    case 0xDC29:
        return 0x2029;
    case 0xDC50:
        return 0xFDD0;
    case 0xDC51:
        return 0xFDD1;
    default:
        return 0;
    }
}

// Replaces each code unit of S that Swap maps to another (Swap gives 0 for
// one that stays), copying S only when one does.
template <typename F> void SwapUnits(QString& S, F Swap)
{
    const QChar* In = S.constData();
    const qsizetype N = S.size();
    qsizetype I = 0;
    while (I < N && !Swap(In[I].unicode()))
        ++I;
    if (I == N) return;
    QChar* Out = S.data();
    for (; I < N; ++I)
        if (const char16_t R = Swap(Out[I].unicode())) Out[I] = QChar(R);
}

// Whether a line editor types the key's text: a printable character that
// is no Ctrl shortcut.
bool TypesText(const QKeyEvent* Key)
{
    const QString Text = Key->text();
    if (Text.isEmpty()) return false;
    const char32_t First = Text.size() > 1 && Text[0].isHighSurrogate() && Text[1].isLowSurrogate()
                               ? QChar::surrogateToUcs4(Text[0], Text[1])
                               : Text[0].unicode();
    if (!QChar::isPrint(First) && QChar::category(First) != QChar::Other_Format) return false;
    const Qt::KeyboardModifiers Mods =
        Key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return Mods != Qt::ControlModifier && Mods != (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

namespace platform::detail {

TLimitedLineEdit::TLimitedLineEdit(QWidget* Parent) : QLineEdit(Parent)
{
    setMaxLength(INT_MAX);
}

bool TLimitedLineEdit::event(QEvent* Event)
{
    if (Event->type() != HideCaretEventType()) return QLineEdit::event(Event);
    // The editor's own focus-out without the focus going: the caret stops
    // showing and blinking, the selection and the text stay, and the next
    // focus-in brings the caret back.
    QFocusEvent Out(QEvent::FocusOut, Qt::PopupFocusReason);
    QLineEdit::focusOutEvent(&Out);
    return true;
}

QString TLimitedLineEdit::Fitting(const QString& Text, int Replaced) const
{
    if (FLimit <= 0) return Text;
    const qsizetype Kept = text().size() - selectionLength() - Replaced;
    qsizetype Room = std::max<qsizetype>(0, FLimit - Kept);
    if (Text.size() <= Room) return Text;
    // A character of two code units goes in whole or not at all.
    if (Room > 0 && Text[Room - 1].isHighSurrogate()) --Room;
    return Text.left(Room);
}

void TLimitedLineEdit::InsertWithinLimit(const QString& Text)
{
    const QString Fits = Fitting(Text);
    if (!Fits.isEmpty() || Text.isEmpty()) insert(Fits);
}

void TLimitedLineEdit::PasteWithinLimit()
{
    if (isReadOnly()) return;
    const QString Clip = QGuiApplication::clipboard()->text();
    if (Fitting(Clip).size() == Clip.size())
        paste(); // Qt's own, one step to undo
    else
        InsertWithinLimit(Clip);
}

void TLimitedLineEdit::keyPressEvent(QKeyEvent* Event)
{
    if (FLimit > 0 && Event->matches(QKeySequence::Paste)) {
        PasteWithinLimit();
        Event->accept();
        return;
    }
    if (FLimit <= 0 || !TypesText(Event)) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    const QString Fits = Fitting(Event->text());
    if (Fits.size() == Event->text().size()) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    Event->accept(); // refused: the text is full
    if (Fits.isEmpty()) return;
    QKeyEvent Cut(QEvent::KeyPress, Event->key(), Event->modifiers(), Fits, Event->isAutoRepeat());
    QLineEdit::keyPressEvent(&Cut);
}

void TLimitedLineEdit::inputMethodEvent(QInputMethodEvent* Event)
{
    const QString Commit = Event->commitString();
    const QString Fits = Fitting(Commit, Event->replacementLength());
    if (Fits.size() == Commit.size()) {
        QLineEdit::inputMethodEvent(Event);
        return;
    }
    QInputMethodEvent Cut(Event->preeditString(), Event->attributes());
    Cut.setCommitString(Fits, Event->replacementStart(), Event->replacementLength());
    QLineEdit::inputMethodEvent(&Cut);
}

QString ToBlockText(const AnsiString& Line)
{
    QString S = ToQString(Line);
    SwapUnits(S, KeptBreak);
    return S;
}

void AppendBlockText(std::u16string& Out, std::string_view Line)
{
    const std::size_t From = Out.size();
    AppendUtf8ToWide(Out, Line);
    for (std::size_t I = From; I < Out.size(); ++I)
        if (const char16_t R = KeptBreak(Out[I])) Out[I] = R;
}

bool IsBlockBreak(char16_t C)
{
    return C == u'\n' || KeptBreak(C) != 0;
}

QString ToDocumentText(const AnsiString& Text)
{
    QString S = ToQString(Text);
    SwapUnits(S, [](char16_t C) { return C == u'\r' ? char16_t(0) : KeptBreak(C); });
    return S;
}

AnsiString FromEditorText(QString Text)
{
    SwapUnits(Text, [](char16_t C) { return C == QChar::ParagraphSeparator ? char16_t(u'\n') : RestoredBreak(C); });
    return ToAnsi(Text);
}

AnsiString FromEditorText(std::u16string_view Text)
{
    return FromEditorText(ToQString(Text));
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

QString DocumentText(const QTextDocument& Document)
{
    QTextCursor All(const_cast<QTextDocument*>(&Document));
    All.select(QTextCursor::Document);
    return All.selectedText();
}

int DocumentBytesBefore(const QTextDocument& Document, int Pos)
{
    int Bytes = 0;
    for (QTextBlock Block = Document.begin(); Block.isValid(); Block = Block.next()) {
        const QString Text = Block.text();
        const int Start = Block.position();
        if (Pos <= Start + Text.size() || !Block.next().isValid())
            return Bytes + BytesBefore(UnitsOf(Text), Pos - Start);
        Bytes += BytesBefore(UnitsOf(Text), int(Text.size())) + 1; // and the break
    }
    return Bytes;
}

int DocumentPositionOf(const QTextDocument& Document, int Bytes)
{
    int Before = 0;
    for (QTextBlock Block = Document.begin(); Block.isValid(); Block = Block.next()) {
        const QString Text = Block.text();
        const int Whole = BytesBefore(UnitsOf(Text), int(Text.size()));
        if (Bytes <= Before + Whole || !Block.next().isValid())
            return Block.position() + PositionOf(UnitsOf(Text), Bytes - Before);
        Before += Whole + 1;
    }
    return 0;
}

QMimeData* SelectionMimeData(const QString& Selected)
{
    auto* Data = new QMimeData;
    Data->setText(ToQString(FromEditorText(Selected)));
    return Data;
}

QMargins TextRectMargins(const QRect& Area, const TRect& Rect)
{
    return QMargins(std::max<int>(Rect.Left, 0), std::max<int>(Rect.Top, 0),
                    std::max<int>(Area.width() - Rect.Right, 0), std::max<int>(Area.height() - Rect.Bottom, 0));
}

QMargins WithTextMargins(QMargins Margins, int Left, int Right)
{
    if (Left >= 0) Margins.setLeft(Left);
    if (Right >= 0) Margins.setRight(Right);
    return Margins;
}

void TMemoEditor::SetTextRect(const TRect& Rect)
{
    document()->setDocumentMargin(0);
    setViewportMargins(TextRectMargins(rect(), Rect));
}

void TMemoEditor::SetTextMargins(int Left, int Right)
{
    setViewportMargins(WithTextMargins(viewportMargins(), Left, Right));
}

QMimeData* TMemoEditor::createMimeDataFromSelection() const
{
    return SelectionMimeData(textCursor().selectedText());
}

void TMemoEditor::mouseMoveEvent(QMouseEvent* Event)
{
    if (Event->buttons() == Qt::NoButton) {
        Event->accept();
        return;
    }
    QPlainTextEdit::mouseMoveEvent(Event);
}

} // namespace platform::detail
