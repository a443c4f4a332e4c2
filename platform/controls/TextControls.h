// Private: how the text controls (StdCtrls) hand text to Qt's editors and
// back, for the sources of that unit.
#pragma once
#include "platform/controls/StdCtrls.h"

#include <QLineEdit>
#include <QString>

class QWidget;

namespace platform::detail {

// A CR inside a line cannot live in a Qt text block (Qt breaks the line
// there), so a memo keeps it as this code unit, which decoding never makes
// (a byte below 0x80 is always valid UTF-8).
inline constexpr char16_t LineCR = 0xDC0D;

// Qt's limit when none is given is 32,767 characters; "no limit" is meant.
int QtMaxLength(int MaxLength);
// One line (or an edit's text) as an editor holds it.
QString ToBlockText(const AnsiString& Line);
// Editor text back to the system's: U+2029 (between blocks) is a line break.
AnsiString FromEditorText(QString Text);
// Qt position -> byte offset of the system's text, and back (a byte offset
// inside a character rounds up to its end).
int BytesBefore(std::u16string_view Text, int Pos);
int PositionOf(std::u16string_view Text, int Bytes);
// The control's font and colours on a Qt widget that shows text on a ground.
void ApplyFontAndColors(QWidget* W, const TControl* Control);
// Makes the clipboard keys (Editor) and the context menu (Surface, where the
// mouse lands) of an edit's editor reach its window as WM_CUT, WM_COPY,
// WM_PASTE and WM_CONTEXTMENU. A single-line editor also refuses text drops
// and middle clicks (the X11 selection's paste). Call before SetInnerWidget:
// the window turns the events into messages first.
void RouteEditCommands(QWidget* Editor, QWidget* Surface, bool SingleLine);

} // namespace platform::detail

// The line edit inside a TCustomEdit's window. For a control that paints
// over the native painting (GetDefaultDrawing false) it shows the window's
// image, where the control's WM_PAINT put both.
class TCustomEdit::TLineEditor : public QLineEdit {
public:
    explicit TLineEditor(QWidget* Window);
    // Null: the style's own.
    void SetPasswordChar(QChar Char);
    // The native painting of Region (window coordinates) into the window's image.
    void RenderTo(QImage& Image, const QRegion& Region);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    class TPasswordStyle;
    TPasswordStyle* FStyle = nullptr;
    bool FRendering = false;
};
