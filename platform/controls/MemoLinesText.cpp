// A read-only memo's text: its own lines, shown by a view that lays out only
// the lines in view.
#include "platform/controls/MemoText.h"
#include "platform/controls/MemoView.h"
#include "platform/rtl/QtStrings.h"

#include <QPointer>
#include <QScrollBar>

#include <algorithm>

namespace platform::detail {

namespace {

class TLinesText : public TMemoText {
public:
    ~TLinesText() override { ReleaseWidget(); }

    int Count() const override { return FLines.LineCount(); }
    AnsiString Get(int Index) const override { return FromEditorText(FLines.Block(Index)); }

    void Put(int Index, const AnsiString& S) override
    {
        const bool WasLast = Index == FLines.BlockCount() - 1;
        const int Start = FLines.BlockPosition(Index);
        int End = FLines.Replace(Start, Start + FLines.BlockLength(Index), UnitsOf(ToBlockText(S)));
        // An empty line the program puts last stays a line: an empty block follows it.
        if (WasLast && S.empty()) End = FLines.Replace(End, End, u"\n");
        AfterChange(Index, End, false);
    }

    void Insert(int Index, const AnsiString& S) override
    {
        const QString Line = ToBlockText(S);
        if (Index < FLines.BlockCount()) {
            const int At = FLines.BlockPosition(Index);
            AfterChange(Index, FLines.Replace(At, At, UnitsOf(Line + QChar(u'\n'))), false);
            return;
        }
        // The last block holds a line: the new one follows it.
        const int Last = FLines.BlockCount() - 1;
        int End = FLines.Replace(FLines.Length(), FLines.Length(), UnitsOf(QChar(u'\n') + Line));
        if (S.empty()) End = FLines.Replace(End, End, u"\n");
        AfterChange(Last, End, true);
    }

    void Add(std::span<const AnsiString> Lines) override
    {
        const int Last = FLines.BlockCount() - 1;
        AfterChange(Last, FLines.Append(Lines), true);
    }

    void Delete(int Index) override
    {
        const int At = FLines.BlockPosition(Index);
        // The last block is emptied, not removed.
        AfterChange(Index, FLines.Replace(At, FLines.BlockEnd(Index), {}), false);
    }

    AnsiString GetText() const override
    {
        AnsiString Text;
        for (int I = 0; I < Count(); ++I) {
            Text += FromEditorText(FLines.Block(I));
            Text += sLineBreak;
        }
        return Text;
    }

    WideString EditorText() const override { return FLines.Text(0, FLines.Length()); }

    void SetEditorText(const QString& Text) override
    {
        FLines.Clear();
        FLines.Replace(0, 0, UnitsOf(Text));
        AfterChange(0, 0, false);
    }

    int Length() const override { return FLines.Length(); }
    int BytesBefore(int Pos) const override { return FLines.BytesBefore(Pos); }
    int PositionOf(int Bytes) const override { return FLines.PositionOf(Bytes); }

    void GetSelection(int& Anchor, int& Caret) const override
    {
        Anchor = FSelection.Anchor;
        Caret = FSelection.Caret;
    }

    void Select(int Anchor, int Caret) override
    {
        FSelection.Anchor = std::clamp(Anchor, 0, FLines.Length());
        FSelection.Caret = std::clamp(Caret, 0, FLines.Length());
        if (FView) FView->SelectionChanged(true);
    }

    void ReplaceSelection(const QString& Text) override
    {
        const auto [From, To] = std::minmax(FSelection.Anchor, FSelection.Caret);
        if (From == To && Text.isEmpty()) return;
        AfterChange(FLines.BlockAt(From), FLines.Replace(From, To, UnitsOf(Text)), false);
    }

    QWidget* MakeWidget(QWidget* Window) override
    {
        auto* View = new TMemoView(Window, &FLines, &FSelection);
        FView = View;
        RouteEditCommands(View, View->viewport(), false);
        View->SetWordWrap(FWrap);
        View->SetAlignment(FAlignment);
        View->TextChanged(0, false);
        View->SelectionChanged(true); // a new editor shows its caret too
        return View;
    }

    void ReleaseWidget() override
    {
        if (FView) FView->Detach();
        FView = nullptr;
    }

    void ApplySettings(bool WordWrap, TScrollStyle ScrollBars, bool) override
    {
        FWrap = WordWrap;
        TMemoView* View = FView;
        if (!View) return;
        View->SetWordWrap(WordWrap);
        const bool Horizontal = ScrollBars == ssHorizontal || ScrollBars == ssBoth;
        const bool Vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
        View->setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        View->setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }

    void SetAlignment(TAlignment Value) override
    {
        FAlignment = Value == taCenter ? Qt::AlignHCenter : Value == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
        if (FView) FView->SetAlignment(FAlignment);
    }

    void SetUpdating(bool Updating) override
    {
        if (FView) FView->setUpdatesEnabled(!Updating);
    }

private:
    // The text changed from block First on; the caret goes to Caret, the
    // view follows it, and then the memo hears of the change.
    void AfterChange(int First, int Caret, bool Appended)
    {
        FSelection = {Caret, Caret};
        if (FView) {
            FView->TextChanged(First, Appended);
            FView->SelectionChanged(true);
        }
        if (Changed) Changed();
    }

    TMemoLines FLines;
    TMemoSelection FSelection;
    QPointer<TMemoView> FView;
    bool FWrap = true;
    Qt::Alignment FAlignment = Qt::AlignLeft;
};

} // namespace

std::unique_ptr<TMemoText> NewLinesText()
{
    return std::make_unique<TLinesText>();
}

} // namespace platform::detail
