// An editable memo's text: a Qt text document, one block per line, shown by
// a QPlainTextEdit.
#include "platform/controls/MemoText.h"
#include "platform/controls/TextControls.h"
#include "platform/rtl/QtStrings.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace platform::detail {

namespace {

// Changes the program makes to a memo's text cannot be undone, as with the
// system's memo; the user's own edits can.
class TProgramEdit {
public:
    explicit TProgramEdit(QTextDocument& D) : FDocument(D) { FDocument.setUndoRedoEnabled(false); }
    ~TProgramEdit() { FDocument.setUndoRedoEnabled(true); }
    TProgramEdit(const TProgramEdit&) = delete;
    TProgramEdit& operator=(const TProgramEdit&) = delete;

private:
    QTextDocument& FDocument;
};

// A last block that is empty is no line; a line the program adds keeps its
// place even when it is empty (an empty block follows it then).
class TDocumentText : public TMemoText {
public:
    TDocumentText()
    {
        FDocument.setDocumentLayout(new QPlainTextDocumentLayout(&FDocument));
        QObject::connect(&FDocument, &QTextDocument::contentsChanged, &FDocument, [this] {
            if (Changed) Changed();
        });
    }
    ~TDocumentText() override
    {
        QObject::disconnect(&FDocument, nullptr, nullptr, nullptr);
        ReleaseWidget();
    }

    int Count() const override
    {
        const int Blocks = FDocument.blockCount();
        return FDocument.lastBlock().length() <= 1 ? Blocks - 1 : Blocks;
    }

    AnsiString Get(int Index) const override { return FromEditorText(FDocument.findBlockByNumber(Index).text()); }

    void Put(int Index, const AnsiString& S) override
    {
        TProgramEdit Edit(FDocument);
        const QTextBlock Block = FDocument.findBlockByNumber(Index);
        const bool WasLast = Block == FDocument.lastBlock();
        QTextCursor C(Block);
        C.beginEditBlock();
        C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        C.insertText(ToBlockText(S));
        if (WasLast && S.empty()) C.insertBlock();
        C.endEditBlock();
        CaretAt(C);
    }

    void Insert(int Index, const AnsiString& S) override
    {
        TProgramEdit Edit(FDocument);
        QTextCursor C(&FDocument);
        C.beginEditBlock(); // one change, as the system's memo tells it
        if (Index < FDocument.blockCount()) {
            C.setPosition(FDocument.findBlockByNumber(Index).position());
            C.insertText(ToBlockText(S));
            C.insertBlock();
        } else {
            // The last block holds a line: the new one follows it.
            C.movePosition(QTextCursor::End);
            C.insertBlock();
            C.insertText(ToBlockText(S));
            if (S.empty()) C.insertBlock();
        }
        C.endEditBlock();
        CaretAt(C);
    }

    // One insertion of every line: adding line by line edits and lays out
    // the document once per line.
    void Add(std::span<const AnsiString> Lines) override
    {
        QString Text;
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            if (I > 0) Text += QChar(u'\n');
            Text += ToBlockText(Lines[I]);
        }
        TProgramEdit Edit(FDocument);
        QTextCursor C(&FDocument);
        C.beginEditBlock();
        C.movePosition(QTextCursor::End);
        // As Insert at the end: an empty last block takes the first line, a
        // last block holding a line is followed by a new one.
        const bool LastHoldsLine = FDocument.lastBlock().length() > 1;
        if (LastHoldsLine) C.insertBlock();
        C.insertText(Text);
        if (!LastHoldsLine || Lines.back().empty()) C.insertBlock();
        C.endEditBlock();
        CaretAt(C);
    }

    void Delete(int Index) override
    {
        TProgramEdit Edit(FDocument);
        const QTextBlock Block = FDocument.findBlockByNumber(Index);
        QTextCursor C(Block);
        if (Block.next().isValid())
            C.setPosition(Block.next().position(), QTextCursor::KeepAnchor);
        else
            C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor); // leaves an empty last block
        C.removeSelectedText();
        CaretAt(C);
    }

    AnsiString GetText() const override
    {
        AnsiString Text;
        const int Lines = Count();
        QTextBlock Block = FDocument.begin();
        for (int I = 0; I < Lines; ++I, Block = Block.next()) {
            Text += FromEditorText(Block.text());
            Text += sLineBreak;
        }
        return Text;
    }

    WideString EditorText() const override { return ToWide(DocumentText(FDocument)); }

    void SetEditorText(const QString& Text) override
    {
        TProgramEdit Edit(FDocument);
        FDocument.setPlainText(Text);
        CaretAt(QTextCursor(&FDocument));
    }

    int Length() const override { return FDocument.characterCount() - 1; }
    int BytesBefore(int Pos) const override { return DocumentBytesBefore(FDocument, Pos); }
    int PositionOf(int Bytes) const override { return DocumentPositionOf(FDocument, Bytes); }

    void GetSelection(int& Anchor, int& Caret) const override
    {
        const QTextCursor C = CurrentCursor();
        Anchor = C.anchor();
        Caret = C.position();
    }

    void Select(int Anchor, int Caret) override
    {
        QTextCursor C(&FDocument);
        const int End = FDocument.characterCount() - 1;
        C.setPosition(std::clamp(Anchor, 0, End));
        C.setPosition(std::clamp(Caret, 0, End), QTextCursor::KeepAnchor);
        SetCursor(C);
    }

    void ReplaceSelection(const QString& Text) override
    {
        QTextCursor C = CurrentCursor();
        C.insertText(Text);
        SetCursor(C);
    }

    QWidget* MakeWidget(QWidget* Window) override
    {
        auto* Editor = new TMemoEditor(Window);
        Editor->setFrameShape(QFrame::NoFrame);
        Editor->setDocument(&FDocument);
        Editor->setTextCursor(FCursor);
        Editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        FEditor = Editor;
        RouteEditCommands(Editor, Editor->viewport(), false);
        return Editor;
    }

    // A window outlives its control for a moment; its editor must not keep
    // the document, which stays with the control.
    void ReleaseWidget() override
    {
        QPlainTextEdit* Editor = FEditor;
        if (!Editor) return;
        FCursor = Editor->textCursor();
        FEditor = nullptr;
        Editor->setDocument(nullptr);
    }

    void ApplySettings(bool WordWrap, TScrollStyle ScrollBars, bool WantTabs) override
    {
        QPlainTextEdit* E = FEditor;
        if (!E) return;
        E->setLineWrapMode(WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        E->setTabChangesFocus(!WantTabs);
        const bool Horizontal = ScrollBars == ssHorizontal || ScrollBars == ssBoth;
        const bool Vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
        E->setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        E->setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }

    void SetAlignment(TAlignment Value) override
    {
        QTextOption Option = FDocument.defaultTextOption();
        Option.setAlignment(Value == taCenter         ? Qt::AlignHCenter
                            : Value == taRightJustify ? Qt::AlignRight
                                                      : Qt::AlignLeft);
        FDocument.setDefaultTextOption(Option);
    }

    void SetUpdating(bool Updating) override
    {
        if (QPlainTextEdit* E = FEditor) E->setUpdatesEnabled(!Updating);
    }

private:
    QTextCursor CurrentCursor() const { return FEditor ? FEditor->textCursor() : FCursor; }
    void SetCursor(const QTextCursor& C)
    {
        if (FEditor)
            FEditor->setTextCursor(C);
        else
            FCursor = C;
    }
    void CaretAt(QTextCursor C)
    {
        C.clearSelection();
        SetCursor(C);
        if (FEditor) FEditor->ensureCursorVisible();
    }

    QTextDocument FDocument;
    QTextCursor FCursor{&FDocument}; // the selection while there is no editor
    QPointer<QPlainTextEdit> FEditor;
};

} // namespace

std::unique_ptr<TMemoText> NewDocumentText()
{
    return std::make_unique<TDocumentText>();
}

} // namespace platform::detail
