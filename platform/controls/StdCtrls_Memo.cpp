// TCustomMemo and its lines, over the keeper of its text (MemoText.h).
#include "platform/controls/StdCtrls.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/MemoText.h"
#include "platform/controls/TextControls.h"
#include "platform/rtl/QtStrings.h"

#include <algorithm>
#include <cstdlib>

using namespace platform::detail;

// The memo's lines: a last line that is empty is none; a line the program
// adds keeps its place even when it is empty.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int GetCount() const override { return Text().Count(); }

    AnsiString Get(int Index) const override
    {
        CheckIndex(Index, GetCount() - 1);
        return Text().Get(Index);
    }

    void Put(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, GetCount() - 1);
        Text().Put(Index, S);
    }

    void Insert(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, GetCount());
        Text().Insert(Index, S);
    }

    using TStrings::AddStrings;
    // One change for every line: adding line by line would change (and
    // show) the text once per line.
    void AddStrings(std::span<const AnsiString> Lines) override
    {
        if (!Lines.empty()) Text().Add(Lines);
    }

    void Delete(int Index) override
    {
        CheckIndex(Index, GetCount() - 1);
        Text().Delete(Index);
    }

    void Clear() override { Text().SetEditorText(QString()); }

    AnsiString GetText() const override { return Text().GetText(); }

    // The whole text at once: far faster than line by line.
    void SetText(const AnsiString& Value) override
    {
        TStringList Lines;
        Lines.SetText(Value);
        QString Joined;
        for (int I = 0; I < Lines.GetCount(); ++I) {
            if (I > 0) Joined += QChar(u'\n');
            Joined += ToBlockText(Lines.Get(I));
        }
        if (Lines.GetCount() > 0 && Lines.Get(Lines.GetCount() - 1).empty()) Joined += QChar(u'\n');
        Text().SetEditorText(Joined);
    }

protected:
    void SetUpdateState(bool Updating) override { Text().SetUpdating(Updating); }

private:
    TMemoText& Text() const { return *FMemo->FText; }
    void CheckIndex(int Index, int Max) const
    {
        if (Index < 0 || Index > Max) Error("List index out of bounds (%d)", Index);
    }

    TCustomMemo* FMemo;
};

// ---- TCustomMemo -----------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FText(NewDocumentText()), FLines(std::make_unique<TMemoStrings>(this))
{
    SetAutoSize(false);
    SetBounds(GetLeft(), GetTop(), 185, 89);
    HookText();
}

TCustomMemo::~TCustomMemo()
{
    FText->Changed = nullptr;
    FText->ReleaseWidget();
}

void TCustomMemo::HookText()
{
    FText->Changed = [this] { Guarded(HandleAllocated() ? GetHandle() : nullptr, [this] { Change(); }); };
}

void TCustomMemo::KeepTextFor(bool ReadOnly)
{
    if (ReadOnly == FOwnLines) return;
    std::unique_ptr<TMemoText> Next = ReadOnly ? NewLinesText() : NewDocumentText();
    const bool Modified = GetModified();
    int Anchor = 0, Caret = 0;
    FText->GetSelection(Anchor, Caret);
    Next->SetEditorText(ToQString(FText->EditorText()));
    Next->Select(Anchor, Caret);
    Next->SetAlignment(FAlignment);
    QWidget* Old = InnerWidgetAs<QWidget>();
    const bool Focused = Old && Old->hasFocus();
    FText->Changed = nullptr;
    FText->ReleaseWidget();
    FText = std::move(Next);
    FOwnLines = ReadOnly;
    HookText();
    if (Old) {
        // The window stays; the widget in it changes (the old one may be
        // handling the event that brought this change).
        Old->hide();
        Old->deleteLater();
        QWidget* Widget = FText->MakeWidget(WindowWidget(this));
        SetInnerWidget(GetHandle(), Widget);
        UpdateInnerWidget();
        if (Focused) Widget->setFocus();
    }
    SetModified(Modified);
}

void TCustomMemo::DestroyWnd()
{
    // A window outlives its control for a moment; its widget must not keep
    // the text, which stays with the control.
    FText->ReleaseWidget();
    TCustomEdit::DestroyWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
}

void TCustomMemo::CreateInnerWidget()
{
    KeepTextFor(GetReadOnly());
    SetInnerWidget(GetHandle(), FText->MakeWidget(WindowWidget(this)));
    ApplyEditorSettings();
}

void TCustomMemo::ApplyEditorSettings()
{
    KeepTextFor(GetReadOnly());
    TCustomEdit::ApplyEditorSettings();
    FText->ApplySettings(FWordWrap, FScrollBars, FWantTabs);
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
    FText->SetAlignment(Value);
}

WideString TCustomMemo::EditorText() const
{
    return FText->EditorText();
}

int TCustomMemo::EditorLength() const
{
    return FText->Length();
}

int TCustomMemo::EditorBytesBefore(int Pos) const
{
    return FText->BytesBefore(Pos);
}

int TCustomMemo::EditorPositionOf(int Bytes) const
{
    return FText->PositionOf(Bytes);
}

void TCustomMemo::GetEditorSelection(int& Start, int& Length) const
{
    int Anchor = 0, Caret = 0;
    FText->GetSelection(Anchor, Caret);
    Start = std::min(Anchor, Caret);
    Length = std::abs(Caret - Anchor);
}

void TCustomMemo::SetEditorSelection(int Start, int Length)
{
    FText->Select(Start, Start + Length);
}

void TCustomMemo::ReplaceEditorSelection(const WideString& Text)
{
    FText->ReplaceSelection(ToQString(Text));
}

AnsiString TCustomMemo::RealGetText() const
{
    return FromEditorText(FText->EditorText());
}

void TCustomMemo::RealSetText(const AnsiString& Value)
{
    FText->SetEditorText(ToDocumentText(Value));
}

void TCustomMemo::CMTextChanged(TMessage& Message)
{
    // The text tells of every change itself.
    TWinControl::CMTextChanged(Message);
}

void TCustomMemo::DefaultHandler(TMessage& Message)
{
    if (Message.Msg != EM_SETRECTNP) {
        TCustomEdit::DefaultHandler(Message);
        return;
    }
    auto* Area = dynamic_cast<TTextArea*>(InnerWidgetAs<QWidget>());
    if (const auto* R = reinterpret_cast<const TRect*>(Message.LParam); Area && R) Area->SetTextRect(*R);
}

void TCustomMemo::WMGetDlgCode(TMessage& Message)
{
    TCustomEdit::WMGetDlgCode(Message);
    if (!FWantReturns) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
}
