// TCustomMemo: the memo over a QPlainTextEdit and its lines.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/ControlWindows.h"
#include "platform/rtl/QtStrings.h"
#include "platform/controls/TextControls.h"

#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace platform::detail;

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

} // namespace

// ---- TCustomMemo -----------------------------------------------------------------------

struct TCustomMemo::TDocument {
    QTextDocument Document;
    QTextCursor Cursor{&Document}; // the selection while there is no editor
    QPointer<QPlainTextEdit> Editor;
    QMetaObject::Connection Changed;

    TDocument() { Document.setDocumentLayout(new QPlainTextDocumentLayout(&Document)); }
    QTextCursor CurrentCursor() const { return Editor ? Editor->textCursor() : Cursor; }
    void SetCursor(const QTextCursor& C)
    {
        if (Editor)
            Editor->setTextCursor(C);
        else
            Cursor = C;
    }
    // The caret goes where the program's change ended, and the view follows
    // it, as the system's memo does (a log shows its newest line).
    void CaretAt(QTextCursor C)
    {
        C.clearSelection();
        SetCursor(C);
        if (Editor) Editor->ensureCursorVisible();
    }
    void CaretAtStart() { CaretAt(QTextCursor(&Document)); }
};

// The memo's lines over its document: one line per block. A last block that
// is empty is no line; a line the program adds keeps its place even when it
// is empty (an empty block follows it then).
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int GetCount() const override
    {
        const QTextDocument& D = Doc();
        const int Blocks = D.blockCount();
        return D.lastBlock().length() <= 1 ? Blocks - 1 : Blocks;
    }

    AnsiString Get(int Index) const override
    {
        CheckIndex(Index, GetCount() - 1);
        return FromEditorText(Doc().findBlockByNumber(Index).text());
    }

    void Put(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, GetCount() - 1);
        TProgramEdit Edit(Doc());
        const QTextBlock Block = Doc().findBlockByNumber(Index);
        const bool WasLast = Block == Doc().lastBlock();
        QTextCursor C(Block);
        C.beginEditBlock();
        C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        C.insertText(ToBlockText(S));
        if (WasLast && S.empty()) C.insertBlock();
        C.endEditBlock();
        FMemo->FDocument->CaretAt(C);
    }

    void Insert(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, GetCount());
        TProgramEdit Edit(Doc());
        QTextCursor C(&Doc());
        C.beginEditBlock(); // one change, as the system's memo tells it
        if (Index < Doc().blockCount()) {
            C.setPosition(Doc().findBlockByNumber(Index).position());
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
        FMemo->FDocument->CaretAt(C);
    }

    using TStrings::AddStrings;
    // One insertion of every line: adding line by line edits and lays out
    // the document once per line.
    void AddStrings(std::span<const AnsiString> Lines) override
    {
        if (Lines.empty()) return;
        QString Text;
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            if (I > 0) Text += QChar(u'\n');
            Text += ToBlockText(Lines[I]);
        }
        TProgramEdit Edit(Doc());
        QTextCursor C(&Doc());
        C.beginEditBlock();
        C.movePosition(QTextCursor::End);
        // As Insert at the end: an empty last block takes the first line, a
        // last block holding a line is followed by a new one.
        const bool LastHoldsLine = Doc().lastBlock().length() > 1;
        if (LastHoldsLine) C.insertBlock();
        C.insertText(Text);
        if (!LastHoldsLine || Lines.back().empty()) C.insertBlock();
        C.endEditBlock();
        FMemo->FDocument->CaretAt(C);
    }

    void Delete(int Index) override
    {
        CheckIndex(Index, GetCount() - 1);
        TProgramEdit Edit(Doc());
        const QTextBlock Block = Doc().findBlockByNumber(Index);
        QTextCursor C(Block);
        if (Block.next().isValid())
            C.setPosition(Block.next().position(), QTextCursor::KeepAnchor);
        else
            C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor); // leaves an empty last block
        C.removeSelectedText();
        FMemo->FDocument->CaretAt(C);
    }

    void Clear() override
    {
        TProgramEdit Edit(Doc());
        Doc().setPlainText(QString());
        FMemo->FDocument->CaretAtStart();
    }

    AnsiString GetText() const override
    {
        AnsiString Text;
        const int Count = GetCount();
        QTextBlock Block = Doc().begin();
        for (int I = 0; I < Count; ++I, Block = Block.next()) {
            Text += FromEditorText(Block.text());
            Text += sLineBreak;
        }
        return Text;
    }

    // Builds the whole document at once: far faster than line by line.
    void SetText(const AnsiString& Value) override
    {
        TStringList Lines;
        Lines.SetText(Value);
        QString Text;
        for (int I = 0; I < Lines.GetCount(); ++I) {
            if (I > 0) Text += QChar(u'\n');
            Text += ToBlockText(Lines.Get(I));
        }
        if (Lines.GetCount() > 0 && Lines.Get(Lines.GetCount() - 1).empty()) Text += QChar(u'\n');
        TProgramEdit Edit(Doc());
        Doc().setPlainText(Text);
        FMemo->FDocument->CaretAtStart();
    }

protected:
    void SetUpdateState(bool Updating) override
    {
        if (QPlainTextEdit* E = FMemo->FDocument->Editor) E->setUpdatesEnabled(!Updating);
    }

private:
    QTextDocument& Doc() const { return FMemo->FDocument->Document; }
    void CheckIndex(int Index, int Max) const
    {
        if (Index < 0 || Index > Max) Error("List index out of bounds (%d)", Index);
    }

    TCustomMemo* FMemo;
};

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FDocument(std::make_unique<TDocument>()), FLines(std::make_unique<TMemoStrings>(this))
{
    SetAutoSize(false);
    SetBounds(GetLeft(), GetTop(), 185, 89);
    FDocument->Changed =
        QObject::connect(&FDocument->Document, &QTextDocument::contentsChanged, &FDocument->Document,
                         [this] { Guarded(HandleAllocated() ? GetHandle() : nullptr, [this] { Change(); }); });
}

TCustomMemo::~TCustomMemo()
{
    QObject::disconnect(FDocument->Changed);
    ReleaseEditor();
}

void TCustomMemo::ReleaseEditor()
{
    // A window outlives its control for a moment; its editor must not keep
    // the document, which stays with the control.
    QPlainTextEdit* Editor = FDocument->Editor;
    if (!Editor) return;
    FDocument->Cursor = Editor->textCursor();
    FDocument->Editor = nullptr;
    Editor->setDocument(nullptr);
}

void TCustomMemo::DestroyWnd()
{
    ReleaseEditor();
    TCustomEdit::DestroyWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
}

void TCustomMemo::CreateInnerWidget()
{
    auto* Editor = new TMemoEditor(WindowWidget(this));
    Editor->setFrameShape(QFrame::NoFrame);
    Editor->setDocument(&FDocument->Document);
    Editor->setTextCursor(FDocument->Cursor);
    Editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    FDocument->Editor = Editor;
    RouteEditCommands(Editor, Editor->viewport(), false);
    SetInnerWidget(GetHandle(), Editor);
    ApplyEditorSettings();
}

void TCustomMemo::ApplyEditorSettings()
{
    TCustomEdit::ApplyEditorSettings();
    auto* E = InnerWidgetAs<QPlainTextEdit>();
    if (!E) return;
    E->setReadOnly(GetReadOnly());
    E->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    E->setTabChangesFocus(!FWantTabs);
    const bool Horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool Vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
    E->setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    E->setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    ApplyEditorSettings();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    ApplyEditorSettings();
}

void TCustomMemo::SetWantTabs(bool Value)
{
    FWantTabs = Value;
    ApplyEditorSettings();
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    QTextOption Option = FDocument->Document.defaultTextOption();
    Option.setAlignment(Value == taCenter         ? Qt::AlignHCenter
                        : Value == taRightJustify ? Qt::AlignRight
                                                  : Qt::AlignLeft);
    FDocument->Document.setDefaultTextOption(Option);
}

WideString TCustomMemo::EditorText() const
{
    return ToWide(DocumentText(FDocument->Document));
}

void TCustomMemo::GetEditorSelection(int& Start, int& Length) const
{
    const QTextCursor C = FDocument->CurrentCursor();
    Start = C.selectionStart();
    Length = C.selectionEnd() - C.selectionStart();
}

void TCustomMemo::SetEditorSelection(int Start, int Length)
{
    QTextCursor C(&FDocument->Document);
    const int End = FDocument->Document.characterCount() - 1;
    C.setPosition(std::clamp(Start, 0, End));
    C.setPosition(std::clamp(Start + Length, 0, End), QTextCursor::KeepAnchor);
    FDocument->SetCursor(C);
}

void TCustomMemo::ReplaceEditorSelection(const WideString& Text)
{
    QTextCursor C = FDocument->CurrentCursor();
    C.insertText(ToQString(Text));
    FDocument->SetCursor(C);
}

AnsiString TCustomMemo::RealGetText() const
{
    return FromEditorText(DocumentText(FDocument->Document));
}

void TCustomMemo::RealSetText(const AnsiString& Value)
{
    TProgramEdit Edit(FDocument->Document);
    FDocument->Document.setPlainText(ToDocumentText(Value));
    FDocument->CaretAtStart();
}

void TCustomMemo::CMTextChanged(TMessage& Message)
{
    // The document tells of every change itself.
    TWinControl::CMTextChanged(Message);
}

void TCustomMemo::DefaultHandler(TMessage& Message)
{
    if (Message.Msg != EM_SETRECTNP) {
        TCustomEdit::DefaultHandler(Message);
        return;
    }
    auto* Editor = dynamic_cast<TMemoEditor*>(InnerWidgetAs<QPlainTextEdit>());
    if (const auto* R = reinterpret_cast<const TRect*>(Message.LParam); Editor && R) Editor->SetTextRect(*R);
}

void TCustomMemo::WMGetDlgCode(TMessage& Message)
{
    TCustomEdit::WMGetDlgCode(Message);
    if (!FWantReturns) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
}
