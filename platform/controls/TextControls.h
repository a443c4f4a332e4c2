// Private: how the text controls (StdCtrls) hand text to Qt's editors and
// back, for the sources of that unit.
#pragma once
#include "platform/controls/StdCtrls.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

class QWidget;

namespace platform::detail {

// Qt's text document breaks a block at CR, U+2029, U+FDD0 and U+FDD1 (as at
// LF) wherever they stand, so inside a line an editor keeps each as a code
// unit that decoding never makes (U+DC00 + a byte below 0x80, which is always
// valid UTF-8) and gets it back when the text is read.
inline constexpr char16_t KeptCR = 0xDC0D;

// One line (or an edit's text) as an editor holds it.
QString ToBlockText(const AnsiString& Line);
// The same after what Out holds.
void AppendBlockText(std::u16string& Out, std::string_view Line);
// Whether an editor breaks the text into blocks at C (inserted text: CR LF
// is one break).
bool IsBlockBreak(char16_t C);
// A whole text as a document holds it: CR LF, LF and CR break lines, the
// other block breaks are kept as inside a line.
QString ToDocumentText(const AnsiString& Text);
// Editor text back to the system's: U+2029 (between blocks) is a line break.
AnsiString FromEditorText(QString Text);
AnsiString FromEditorText(std::u16string_view Text);
// Qt position -> byte offset of the system's text, and back (a byte offset
// inside a character rounds up to its end).
int BytesBefore(std::u16string_view Text, int Pos);
int PositionOf(std::u16string_view Text, int Bytes);
// The whole text of a document in the editor's units (blocks apart by U+2029).
QString DocumentText(const QTextDocument& Document);
// BytesBefore and PositionOf over a document's text, read block by block up
// to the place asked for rather than whole.
int DocumentBytesBefore(const QTextDocument& Document, int Pos);
int DocumentPositionOf(const QTextDocument& Document, int Bytes);
// What copying Selected (editor units) puts on the clipboard: the system's text.
QMimeData* SelectionMimeData(const QString& Selected);
// The viewport margins that keep an editor's text to Rect of Area
// (EM_SETRECTNP), and Margins with new sides (EM_SETMARGINS; -1 keeps one).
QMargins TextRectMargins(const QRect& Area, const TRect& Rect);
QMargins WithTextMargins(QMargins Margins, int Left, int Right);
// The control's font and colours on a Qt widget that shows text on a ground.
void ApplyFontAndColors(QWidget* W, const TControl* Control);
// Makes the clipboard keys (Editor) and the context menu (Surface, where the
// mouse lands) of an edit's editor reach its window as WM_CUT, WM_COPY,
// WM_PASTE and WM_CONTEXTMENU. A single-line editor also refuses text drops
// and middle clicks (the X11 selection's paste). Call before SetInnerWidget:
// the window turns the events into messages first.
void RouteEditCommands(QWidget* Editor, QWidget* Surface, bool SingleLine);

// What the edit window asks of a multi-line editor, whichever kind shows
// the text: its text rectangle and margins, and copying its selection.
class TTextArea {
public:
    virtual ~TTextArea() = default;
    // The text within Rect of the editor (EM_SETRECTNP): from its left edge
    // exactly, as a native edit's text rectangle has it.
    virtual void SetTextRect(const TRect& Rect) = 0;
    // The text margins left and right (EM_SETMARGINS); -1 keeps a side.
    virtual void SetTextMargins(int Left, int Right) = 0;
    virtual QMargins GetTextMargins() const = 0;
    // The selection as the system's text on the clipboard.
    virtual void CopySelection() = 0;
};

// A line editor whose limit (MaxLength) binds only the user: a typed
// character, a paste and an input method's text put in as much as fits
// while the text less its selection is below the limit, and nothing once it
// is there. Text the program sets is never cut, and a lower limit leaves the
// text as it stands: Qt's own limit, which cuts both, stays at its maximum.
// The single-line edit and the combo box's edit line are such editors
// (the latter has no context menu).
class TLimitedLineEdit : public QLineEdit {
public:
    explicit TLimitedLineEdit(QWidget* Parent);
    // 0: no limit.
    void SetInputLimit(int Limit) { FLimit = Limit; }
    // Text in place of the selection, as much as fits (nothing at all when
    // nothing does).
    void InsertWithinLimit(const QString& Text);
    // The clipboard's text so.
    void PasteWithinLimit();

protected:
    // The caret's going (DestroyCaret) lasts until the editor next gets the focus.
    bool event(QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void inputMethodEvent(QInputMethodEvent* Event) override;

private:
    // The start of Text that fits in place of the selection and Replaced
    // more characters.
    QString Fitting(const QString& Text, int Replaced = 0) const;

    int FLimit = 0;
};

// The editor of a memo and of a multi-line edit: copying and dragging give
// the system's text (CRs inside lines back, non-breaking spaces kept).
class TMemoEditor : public QPlainTextEdit, public TTextArea {
public:
    using QPlainTextEdit::QPlainTextEdit;
    void SetTextRect(const TRect& Rect) override;
    void SetTextMargins(int Left, int Right) override;
    QMargins GetTextMargins() const override { return viewportMargins(); }
    void CopySelection() override { copy(); }

protected:
    QMimeData* createMimeDataFromSelection() const override;
    // A move with no button held is left alone: its window tracks the mouse,
    // and Qt would ask every block of the document for a list marker on
    // each such move, a cost that grows with the text.
    void mouseMoveEvent(QMouseEvent* Event) override;
};

} // namespace platform::detail

// The line edit inside a TCustomEdit's window. For a control that paints
// over the native painting (GetDefaultDrawing false) it shows the window's
// image, where the control's WM_PAINT put both.
class TCustomEdit::TLineEditor : public platform::detail::TLimitedLineEdit {
public:
    explicit TLineEditor(QWidget* Window);
    // Null: the style's own.
    void ShowPasswordChar(QChar Char);
    // The native painting of Region (window coordinates) into the window's image.
    void RenderTo(QImage& Image, const QRegion& Region);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    class TPasswordStyle;
    TPasswordStyle* FStyle = nullptr;
    bool FRendering = false;
};
