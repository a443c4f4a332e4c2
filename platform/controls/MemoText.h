// Private: where a memo keeps its text and how it shows it. An editable memo
// keeps a Qt text document shown by a QPlainTextEdit; a read-only one keeps
// its own lines (MemoLines.h) and draws only those in view (MemoView.h), as
// the system's memo keeps text in its own store and lays it out lazily: a
// document takes microseconds for each line the program adds and lays out
// the whole text again when it shows.
#pragma once
#include "platform/controls/StdCtrls.h"

#include <functional>
#include <memory>
#include <span>

class QString;
class QWidget;

namespace platform::detail {

class TMemoText {
public:
    virtual ~TMemoText() = default;

    // Called after each change of the text, the program's (once each) and the user's.
    std::function<void()> Changed;

    // The lines (TMemoStrings); indexes are checked by the caller. Each
    // change puts the caret where it ended and the view follows it, as the
    // system's memo does (a log shows its newest line).
    virtual int Count() const = 0;
    virtual AnsiString Get(int Index) const = 0;
    virtual void Put(int Index, const AnsiString& S) = 0;
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void Add(std::span<const AnsiString> Lines) = 0;
    virtual void Delete(int Index) = 0;
    // Each line and a line break.
    virtual AnsiString GetText() const = 0;
    // The whole text in the editor's units (blocks apart by U+2029).
    virtual WideString EditorText() const = 0;
    // Replaces the whole text: LF, CR LF, CR and U+2029 break it into
    // blocks. The caret goes to the start.
    virtual void SetEditorText(const QString& Text) = 0;
    // The whole text's length in the editor's units, and the bytes of the
    // system's text before a position and back (TextControls.h), counted
    // without making the whole text.
    virtual int Length() const = 0;
    virtual int BytesBefore(int Pos) const = 0;
    virtual int PositionOf(int Bytes) const = 0;

    // The selection in the editor's units: where it started and the caret.
    virtual void GetSelection(int& Anchor, int& Caret) const = 0;
    virtual void Select(int Anchor, int Caret) = 0;
    virtual void ReplaceSelection(const QString& Text) = 0;

    // The widget showing the text in the control's window (Window), made
    // anew for each window; Release parts them when the window goes.
    virtual QWidget* MakeWidget(QWidget* Window) = 0;
    virtual void ReleaseWidget() = 0;
    virtual void ApplySettings(bool WordWrap, TScrollStyle ScrollBars, bool WantTabs) = 0;
    virtual void SetAlignment(TAlignment Value) = 0;
    // Lines->BeginUpdate/EndUpdate: the widget does not repaint meanwhile.
    virtual void SetUpdating(bool Updating) = 0;
};

std::unique_ptr<TMemoText> NewDocumentText();
std::unique_ptr<TMemoText> NewLinesText();

} // namespace platform::detail
