// A read-only memo's own lines: the store against a plain model of the
// editor's text, and the view as the user drives it.
#include "platform/controls/Clipbrd.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/MemoLines.h"
#include "platform/testing/Drops.h"
#include "platform/testing/Edits.h"
#include "platform/win/UxTheme.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

using namespace platform::test;
using platform::detail::TMemoLines;

namespace {

constexpr char16_t Break = 0x2029;

// The editor's text as inserted text becomes: each break (CR LF as one) a U+2029.
std::u16string Normalized(std::u16string_view Text)
{
    std::u16string Out;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char16_t C = Text[I];
        if (C == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') continue;
        Out += (C == u'\n' || C == u'\r' || C == 0xFDD0 || C == 0xFDD1) ? Break : C;
    }
    return Out;
}

void ExpectSameAs(const TMemoLines& Lines, const std::u16string& Model)
{
    ASSERT_EQ(Lines.Text(0, Lines.Length()), Model);
    std::size_t Start = 0;
    for (int B = 0; B < Lines.BlockCount(); ++B) {
        const std::size_t End = std::min(Model.find(Break, Start), Model.size());
        ASSERT_EQ(Lines.BlockPosition(B), int(Start)) << "block " << B;
        ASSERT_EQ(Lines.Block(B), std::u16string_view(Model).substr(Start, End - Start)) << "block " << B;
        for (std::size_t P = Start; P <= End; ++P)
            ASSERT_EQ(Lines.BlockAt(int(P)), B) << "position " << P;
        Start = End + 1;
    }
    EXPECT_EQ(Start, Model.size() + 1);
}

class MemoViewTest : public TFormTest {
protected:
    TRichEdit* ReadOnlyMemo(int Left, int Top, int Width, int Height)
    {
        TRichEdit* Memo = Place<TRichEdit>(Form, Left, Top, Width, Height);
        Memo->SetPlainText(true);
        Memo->SetReadOnly(true);
        Memo->SetScrollBars(ssBoth);
        return Memo;
    }
    // The middle of text line Line (a wrapped line counts each line it shows).
    int LineY(TCustomMemo* Memo, int Line)
    {
        TBitmap Probe;
        Probe.GetCanvas()->GetFont()->Assign(Memo->GetFont());
        const int Height = Probe.GetCanvas()->TextHeight("Ag");
        return 4 + Line * Height + Height / 2;
    }
};

// The mouse over either kind of memo: the read-only one's view does what the editor does.
class MemoMouseTest : public MemoViewTest, public ::testing::WithParamInterface<bool> {
protected:
    // A new memo for each case: the editor keeps growing its selection by
    // lines after a triple click, whatever was clicked since.
    TMemo* Fresh()
    {
        if (FMemo) Free(FMemo);
        FMemo = Place<TMemo>(Form, 8, 8, 220, 120);
        FMemo->SetWordWrap(false);
        FMemo->SetText("alpha beta\ngamma delta\nepsilon zeta\nlast");
        FMemo->SetReadOnly(GetParam());
        PaintNow(FMemo);
        return FMemo;
    }
    void TripleClick(TMemo* Memo, int Line)
    {
        DoubleClick(Memo, 60, LineY(Memo, Line));
        Click(Memo, 60, LineY(Memo, Line));
    }

private:
    TMemo* FMemo = nullptr;
};
INSTANTIATE_TEST_SUITE_P(EditableAndReadOnly, MemoMouseTest, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "ReadOnly" : "Editable"; });

} // namespace

TEST(MemoLines, EditsAndAppendsKeepBlocksAndPositionsAsTheEditorsText)
{
    std::mt19937 Random(35);
    const std::u16string Pieces[] = {u"a", u"bc", u"\n", u"\r\n", u"\r", u"\u2029", u"\uFDD0", u"\xDCFF", u"xyz"};
    TMemoLines Lines;
    std::u16string Model;
    for (int Step = 0; Step < 600; ++Step) {
        SCOPED_TRACE(Step);
        if (Step % 7 == 3) {
            // Lines of the program's text at the end: a CR inside one is kept,
            // an LF breaks it, a byte that is no UTF-8 comes as its escape.
            const std::vector<AnsiString> Added = {"p\rq", "", "r\ns", "t\xFF"};
            const std::size_t Count = Random() % Added.size() + 1;
            const std::span<const AnsiString> Span(Added.data(), Count);
            const bool LastHoldsLine = !Model.empty() && Model.back() != Break;
            std::u16string Text = LastHoldsLine ? std::u16string(1, Break) : std::u16string();
            for (std::size_t I = 0; I < Count; ++I) {
                if (I > 0) Text += Break;
                Text += std::vector<std::u16string>{u"p\xDC0Dq", u"", u"r\u2029s", u"t\xDCFF"}[I];
            }
            if (!LastHoldsLine || Span.back().empty()) Text += Break;
            Model += Text;
            EXPECT_EQ(Lines.Append(Span), int(Model.size()));
        } else {
            const int From = int(Random() % (Model.size() + 1));
            const int To = From + int(Random() % (Model.size() - std::size_t(From) + 1)) / (Step % 3 + 1);
            std::u16string Text;
            for (unsigned N = Random() % 4; N > 0; --N)
                Text += Pieces[Random() % std::size(Pieces)];
            const std::u16string Put = Normalized(Text);
            Model.replace(std::size_t(From), std::size_t(To - From), Put);
            EXPECT_EQ(Lines.Replace(From, To, Text), From + int(Put.size()));
        }
        ExpectSameAs(Lines, Model);
        if (HasFatalFailure()) return;
        if (Step % 100 == 99) {
            Lines.Clear();
            Model.clear();
        }
    }
    const int Count = Lines.LineCount();
    EXPECT_EQ(Count, Model.empty() || Model.back() == Break ? Lines.BlockCount() - 1 : Lines.BlockCount());
}

TEST_F(MemoViewTest, KeysSelectWithShiftScrollWithoutAndCopyPutsTheSystemsText)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 200, 120);
    Memo->SetWordWrap(false);
    Memo->GetFont()->SetName("DejaVu Sans Mono"); // a line down keeps the column
    Memo->GetLines()->SetText("first \xE2\x82\xAC\nsecond\xFF\nthird\n");
    Memo->SetFocus();
    Memo->SetSelStart(2);
    PressKey(Memo, VK_RIGHT, {ssShift});
    PressKey(Memo, VK_DOWN, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "rst \xE2\x82\xAC\nsec");
    PressKey(Memo, VK_END, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "rst \xE2\x82\xAC\nsecond\xFF");
    PressKey(Memo, VK_HOME, {ssShift, ssCtrl});
    EXPECT_EQ(Memo->GetSelText(), "fi");
    EXPECT_EQ(Memo->GetSelStart(), 0);
    PressKey(Memo, VK_END, {ssShift, ssCtrl});
    EXPECT_EQ(Memo->GetSelText(), "rst \xE2\x82\xAC\nsecond\xFF\nthird");
    PressKey(Memo, VK_LEFT, {ssShift});
    PressKey(Memo, VK_LEFT, {ssShift});
    PressKey(Memo, VK_HOME, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "rst \xE2\x82\xAC\nsecond\xFF\n");

    // Without Shift the keys scroll and leave the selection alone.
    PressKey(Memo, VK_DOWN);
    PressKey(Memo, VK_HOME);
    EXPECT_EQ(Memo->GetSelText(), "rst \xE2\x82\xAC\nsecond\xFF\n");

    Clipboard()->SetAsText("stale");
    PressKey(Memo, 'C', {ssCtrl}, WideString(1, char16_t(0x03)));
    EXPECT_EQ(Clipboard()->GetAsText(), "rst \xE2\x82\xAC\nsecond\xFF\n");
    PressKey(Memo, 'A', {ssCtrl}, WideString(1, char16_t(0x01)));
    PressKey(Memo, VK_INSERT, {ssCtrl});
    EXPECT_EQ(Clipboard()->GetAsText(), "first \xE2\x82\xAC\nsecond\xFF\nthird");
    // Typing, cutting and pasting change nothing.
    TypeText(Memo, "x");
    PressKey(Memo, 'X', {ssCtrl}, WideString(1, char16_t(0x18)));
    PressKey(Memo, 'V', {ssCtrl}, WideString(1, char16_t(0x16)));
    PressKey(Memo, VK_DELETE);
    EXPECT_EQ(Memo->GetText(), "first \xE2\x82\xAC\nsecond\xFF\nthird");
}

TEST_F(MemoViewTest, TheMouseSelectsByDragShiftClickAndDoubleClick)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 220, 100);
    Memo->SetWordWrap(false);
    Memo->GetLines()->SetText("alpha beta\ngamma delta\nepsilon\n");
    PaintNow(Memo);
    MouseDown(Memo, 3, LineY(Memo, 0));
    MouseMove(Memo, 200, LineY(Memo, 1), {ssLeft});
    MouseUp(Memo, 200, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelText(), "alpha beta\ngamma delta");
    Click(Memo, 200, LineY(Memo, 2), mbLeft, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "alpha beta\ngamma delta\nepsilon");
    Click(Memo, 3, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelLength(), 0);
    EXPECT_EQ(Memo->GetSelStart(), 11);
    DoubleClick(Memo, 60, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelText(), "delta");

    // Dragging below the view scrolls it and takes the lines it brings.
    TStringList Many;
    for (int I = 0; I < 200; ++I)
        Many.Add("line " + std::to_string(I));
    Memo->GetLines()->Assign(&Many);
    Memo->SetSelStart(0);
    MouseDown(Memo, 3, LineY(Memo, 0));
    MouseMove(Memo, 3, Memo->GetClientHeight() + 30, {ssLeft});
    for (int I = 0; I < 30; ++I) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ProcessEvents();
    }
    MouseUp(Memo, 3, Memo->GetClientHeight() + 30);
    const int Visible = Memo->GetClientHeight() / (LineY(Memo, 1) - LineY(Memo, 0));
    const AnsiString Taken = Memo->GetSelText();
    EXPECT_GT(std::count(Taken.begin(), Taken.end(), '\n'), Visible + 2);
}

TEST_F(MemoViewTest, WrappedLinesMoveByWhatTheyShowAndStayOneLine)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 120, 120);
    Memo->SetWordWrap(true);
    const AnsiString Long = "one two three four five six seven eight nine ten eleven twelve";
    Memo->GetLines()->Add(Long);
    Memo->GetLines()->Add("next");
    Memo->SetFocus();
    Memo->SetSelStart(0);
    PressKey(Memo, VK_DOWN, {ssShift});
    const AnsiString FirstShown = Memo->GetSelText();
    EXPECT_GT(FirstShown.size(), 0u);
    EXPECT_LT(FirstShown.size(), Long.size());
    EXPECT_EQ(Long.compare(0, FirstShown.size(), FirstShown), 0);
    PressKey(Memo, VK_END, {ssShift, ssCtrl});
    EXPECT_EQ(Memo->GetLines()->GetCount(), 2);
    // A click on the second line shown is inside the first line of text.
    Click(Memo, 3, LineY(Memo, 1));
    EXPECT_GT(Memo->GetSelStart(), 0);
    EXPECT_LT(Memo->GetSelStart(), int(Long.size()));
    Memo->SetWordWrap(false);
    Click(Memo, 3, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelStart(), int(Long.size()) + 1);
}

TEST_F(MemoViewTest, TheViewFollowsWhatTheProgramAdds)
{
    std::vector<AnsiString> Batch;
    for (int I = 0; I < 500; ++I)
        Batch.push_back("entry " + std::to_string(I));
    // Added while the memo has a window, and before it has one.
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 200, 100);
    Memo->GetLines()->AddStrings(Batch);
    TRichEdit* Later = New<TRichEdit>(Form);
    Later->SetReadOnly(true);
    Later->GetLines()->AddStrings(Batch);
    Later->SetParent(Form);
    Later->SetBounds(8, 120, 200, 70);
    for (TRichEdit* M : {Memo, Later}) {
        PaintNow(M);
        EXPECT_EQ(M->GetSelStart(), int(M->GetText().size()));
        // The top line shown is one near the end.
        Click(M, 3, LineY(M, 0));
        const AnsiString Text = M->GetText();
        const int Line = int(std::count(Text.begin(), Text.begin() + M->GetSelStart(), '\n'));
        EXPECT_GT(Line, 480);
    }
    // A line put at the top brings the view back there, to the caret after it.
    Memo->GetLines()->Insert(0, "top");
    EXPECT_EQ(Memo->GetSelStart(), 4);
    Click(Memo, 3, LineY(Memo, 0));
    EXPECT_EQ(Memo->GetSelStart(), 4);
}

TEST_F(MemoViewTest, ReadOnlyBothWaysKeepsTextSelectionAndFocus)
{
    TMemo* Memo = Place<TMemo>(Form, 8, 8, 200, 100);
    Memo->SetText("one\ntwo \xC3\xA9\nthree");
    Memo->SetFocus();
    Memo->SetSelStart(10);
    for (int I = 0; I < 5; ++I)
        PressKey(Memo, VK_LEFT, {ssShift}); // from the end of "two" back to its start
    ASSERT_EQ(Memo->GetSelText(), "two \xC3\xA9");
    int Changes = 0;
    Memo->OnChange = [&](TObject*) { ++Changes; };

    Memo->SetReadOnly(true);
    EXPECT_GE(MemoLinesLaidOut(Memo), 0);
    EXPECT_EQ(Memo->GetText(), "one\ntwo \xC3\xA9\nthree");
    EXPECT_EQ(Memo->GetLines()->Get(1), "two \xC3\xA9");
    EXPECT_EQ(Memo->GetSelText(), "two \xC3\xA9");
    EXPECT_TRUE(Memo->Focused());
    // The caret is still at the selection's start: Shift+Left moves it on.
    PressKey(Memo, VK_LEFT, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "\ntwo \xC3\xA9");

    Memo->SetReadOnly(false);
    EXPECT_EQ(MemoLinesLaidOut(Memo), -1);
    EXPECT_EQ(Memo->GetText(), "one\ntwo \xC3\xA9\nthree");
    EXPECT_EQ(Memo->GetSelText(), "\ntwo \xC3\xA9");
    EXPECT_TRUE(Memo->Focused());
    PressKey(Memo, VK_RIGHT, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "two \xC3\xA9");
    EXPECT_EQ(Changes, 0);
    Memo->SetSelStart(int(Memo->GetText().size()));
    TypeText(Memo, "!");
    EXPECT_EQ(Memo->GetLines()->Get(2), "three!");
    EXPECT_EQ(Changes, 1);
    // What the user changed stays Modified whichever way the text is kept.
    ASSERT_TRUE(Memo->GetModified());
    Memo->SetReadOnly(true);
    EXPECT_TRUE(Memo->GetModified());
    Memo->SetReadOnly(false);
    EXPECT_TRUE(Memo->GetModified());
}

TEST_F(MemoViewTest, ProgramChangesTellOnceAndTheMenuOffersOnlyWhatReadOnlyAllows)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 200, 100);
    int Changes = 0;
    Memo->OnChange = [&](TObject*) { ++Changes; };
    const std::vector<AnsiString> Two = {"b", "c"};
    Memo->GetLines()->Add("a");
    Memo->GetLines()->AddStrings(Two);
    Memo->GetLines()->Put(0, "A");
    Memo->GetLines()->Insert(1, "x");
    Memo->GetLines()->Delete(1);
    Memo->SetSelStart(1);
    Memo->SetSelLength(2);
    Memo->SetSelText("-\n-");
    EXPECT_EQ(Changes, 6);
    EXPECT_EQ(Memo->GetText(), "A-\n-\nc\n");

    Clipboard()->SetAsText("clip");
    EXPECT_FALSE(ChooseFromContextMenu(Memo, "Copy")); // nothing selected
    EXPECT_FALSE(ChooseFromContextMenu(Memo, "Paste"));
    EXPECT_TRUE(ChooseFromContextMenu(Memo, "Select All"));
    EXPECT_EQ(Memo->GetSelLength(), int(Memo->GetText().size()));
    EXPECT_FALSE(ChooseFromContextMenu(Memo, "Cut"));
    EXPECT_FALSE(ChooseFromContextMenu(Memo, "Delete"));
    EXPECT_FALSE(ChooseFromContextMenu(Memo, "Undo"));
    EXPECT_TRUE(ChooseFromContextMenu(Memo, "Copy"));
    EXPECT_EQ(Clipboard()->GetAsText(), "A-\n-\nc\n");
    EXPECT_EQ(Changes, 6);

    Memo->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(6, 9));
    EXPECT_EQ(Memo->Perform(EM_GETMARGINS, 0, 0), LRESULT(MAKELONG(6, 9)));
}

TEST_F(MemoViewTest, AMillionLinesAreLaidOutOnlyWhereTheyShow)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 260, 160);
    Memo->SetWordWrap(true);
    std::vector<AnsiString> Batch(10000, AnsiString("a short line of text that may wrap once or twice"));
    const int Before = MemoLinesLaidOut(Memo);
    for (int I = 0; I < 100; ++I)
        Memo->GetLines()->AddStrings(Batch);
    PaintNow(Memo);
    ASSERT_EQ(Memo->GetLines()->GetCount(), 1000000);
    const int Page = Memo->GetClientHeight() / (LineY(Memo, 1) - LineY(Memo, 0)) + 1;
    int Made = MemoLinesLaidOut(Memo) - Before;
    // Each batch lays out the last page to know how far the view scrolls.
    EXPECT_LE(Made, 100 * Page + Page);
    const auto Step = [&](const char* What, auto Act) {
        SCOPED_TRACE(What);
        const int At = MemoLinesLaidOut(Memo);
        Act();
        PaintNow(Memo);
        EXPECT_LE(MemoLinesLaidOut(Memo) - At, 3 * Page);
    };
    Memo->SetFocus();
    Step("top", [&] { PressKey(Memo, VK_HOME); });
    Step("page down", [&] { PressKey(Memo, VK_NEXT); });
    Step("wheel", [&] { MouseWheel(Memo, 20, 20, -120); });
    Step("select to the end", [&] { PressKey(Memo, VK_END, {ssShift, ssCtrl}); });
    Step("narrower", [&] { Memo->SetWidth(200); });
}

// QUILLMOTE_SHEET_DIR keeps the pairs as MemoKinds.png (MemoKinds-classic.png without themes).
TEST_F(MemoViewTest, AReadOnlyMemoLooksAsAnEditableOne)
{
    Form->SetClientWidth(560);
    Form->SetClientHeight(300);
    const AnsiString Text = "Plain line\n\tTabbed \xE2\x82\xAC line with bad \xFF byte\n" + AnsiString(30, 'x') +
                            " a long line that goes on and on past the right edge of the memo\nlast";
    const struct {
        bool Wrap;
        int Top;
    } Rows[] = {{true, 8}, {false, 150}};
    TWinControl* Other = Place<TEdit>(Form, 8, 280, 50, 18); // holds the focus: no caret shows
    for (const auto& Row : Rows) {
        SCOPED_TRACE(Row.Wrap);
        TMemo* Memos[2];
        for (int Kind = 0; Kind < 2; ++Kind) {
            TMemo* M = Place<TMemo>(Form, 8 + Kind * 276, Row.Top, 268, 130);
            M->SetScrollBars(ssBoth);
            M->SetWordWrap(Row.Wrap);
            M->SetColor(TColor(0xF0FFFF));
            M->GetFont()->SetColor(TColor(0x402000));
            M->SetText(Text);
            M->SetSelStart(3);
            M->SetSelLength(20); // across a line's end
            M->SetReadOnly(Kind == 1);
            Memos[Kind] = M;
        }
        Other->SetFocus();
        PaintNow(Form);
        ProcessEvents();
        TBitmap Editable, ReadOnly;
        GrabWindow(Memos[0], &Editable);
        GrabWindow(Memos[1], &ReadOnly);
        // The horizontal bar's thumb may differ by a pixel or two: the
        // widest line is measured, not laid out, in the read-only memo.
        const int Text = Editable.GetHeight() - 18;
        int Differ = 0, Selected = 0;
        const TColor Ground = ColorToRGB(Memos[0]->GetColor());
        for (int Y = 0; Y < Editable.GetHeight(); ++Y)
            for (int X = 0; X < Editable.GetWidth(); ++X) {
                const TColor A = Editable.GetCanvas()->GetPixels(X, Y);
                if (A != ReadOnly.GetCanvas()->GetPixels(X, Y) && Y < Text) ++Differ;
                if (A != Ground && ReadOnly.GetCanvas()->GetPixels(X, Y) == A) ++Selected;
            }
        EXPECT_EQ(Differ, 0);
        EXPECT_GT(Selected, 500); // text, selection, scroll bars alike
    }
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const bool Themed = IsThemeActive() && IsAppThemed();
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + (Themed ? "/MemoKinds.png" : "/MemoKinds-classic.png")));
    }
}

TEST_P(MemoMouseTest, ATripleClickSelectsTheLineAndShiftClicksOrDraggingGrowItByLines)
{
    TMemo* Memo = Fresh();
    TripleClick(Memo, 1);
    EXPECT_EQ(Memo->GetSelText(), "gamma delta\n");
    PressKey(Memo, VK_LEFT, {ssShift}); // the caret stands after the break
    EXPECT_EQ(Memo->GetSelText(), "gamma delta");

    Memo = Fresh();
    TripleClick(Memo, 1);
    Click(Memo, 30, LineY(Memo, 2), mbLeft, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "gamma delta\nepsilon zeta\n");
    // Above it, the triple-clicked line stays selected.
    Click(Memo, 30, LineY(Memo, 0), mbLeft, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "alpha beta\ngamma delta\n");
    Click(Memo, 3, LineY(Memo, 1), mbLeft, {ssShift});
    EXPECT_EQ(Memo->GetSelText(), "gamma delta\n");

    // Dragging on from the third press; the last line has no break.
    Memo = Fresh();
    DoubleClick(Memo, 60, LineY(Memo, 1));
    MouseDown(Memo, 60, LineY(Memo, 1));
    MouseMove(Memo, 20, LineY(Memo, 3), {ssLeft});
    MouseUp(Memo, 20, LineY(Memo, 3));
    EXPECT_EQ(Memo->GetSelText(), "gamma delta\nepsilon zeta\nlast");

    // A fourth press, a third one away from the double click or after the
    // double-click time, is a click of its own.
    Memo = Fresh();
    TripleClick(Memo, 1);
    Click(Memo, 60, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelLength(), 0);
    Memo = Fresh();
    DoubleClick(Memo, 60, LineY(Memo, 1));
    Click(Memo, 20, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelLength(), 0);
    Memo = Fresh();
    DoubleClick(Memo, 60, LineY(Memo, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    ProcessEvents();
    Click(Memo, 60, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelLength(), 0);
}

TEST_P(MemoMouseTest, APressOnTheSelectionThatDoesNotDragPutsTheCaretThereOnRelease)
{
    TMemo* Memo = Fresh();
    Click(Memo, 20, LineY(Memo, 1));
    const int There = Memo->GetSelStart();
    ASSERT_GT(There, 11);
    Memo->SetSelStart(3);
    Memo->SetSelLength(16);
    MouseDown(Memo, 20, LineY(Memo, 1));
    MouseMove(Memo, 22, LineY(Memo, 1), {ssLeft}); // within the drag distance
    EXPECT_EQ(Memo->GetSelLength(), 16);
    MouseUp(Memo, 22, LineY(Memo, 1));
    EXPECT_EQ(Memo->GetSelStart(), There);
    EXPECT_EQ(Memo->GetSelLength(), 0);
    // With Shift the press extends the selection at once.
    Memo->SetSelStart(3);
    Memo->SetSelLength(16);
    MouseDown(Memo, 20, LineY(Memo, 1), mbLeft, {ssShift});
    EXPECT_EQ(Memo->GetSelStart(), 3);
    EXPECT_EQ(Memo->GetSelLength(), There - 3);
    MouseUp(Memo, 20, LineY(Memo, 1));
}

TEST_F(MemoViewTest, TheSelectionDragsOutAsACopyOfWhatCopyingGives)
{
    TRichEdit* Memo = ReadOnlyMemo(8, 8, 200, 100);
    Memo->SetWordWrap(false);
    const std::vector<AnsiString> Lines = {"no\xC2\xA0"
                                           "break",
                                           "cr\rin \xFF", "tail"};
    Memo->GetLines()->AddStrings(Lines);
    const AnsiString Text = Memo->GetText();
    TMemo* Target = Place<TMemo>(Form, 8, 120, 200, 60);
    Memo->SetSelStart(1);
    Memo->SetSelLength(16);
    Clipboard()->SetAsText("stale");
    Memo->CopyToClipboard();
    const AnsiString Copied = Clipboard()->GetAsText();
    ASSERT_EQ(Copied, "o\xC2\xA0"
                      "break\ncr\rin \xFF");

    TDragRecorder Recorder;
    Recorder.DropTarget = Target;
    MouseDown(Memo, 20, LineY(Memo, 1));
    MouseMove(Memo, 60, LineY(Memo, 2), {ssLeft});
    MouseMove(Memo, 80, LineY(Memo, 2), {ssLeft});
    MouseUp(Memo, 80, LineY(Memo, 2));
    ASSERT_EQ(Recorder.Drags.size(), 1u);
    const TDragRecorder::TDrag& Drag = Recorder.Drags[0];
    EXPECT_EQ(Drag.Text, Copied);
    EXPECT_TRUE(Drag.CanCopy);
    EXPECT_FALSE(Drag.CanMove);
    // The editable memo took a copy; nothing left the read-only one, whose
    // selection stays.
    EXPECT_TRUE(Drag.Dropped);
    EXPECT_NE(Target->GetText().find("break"), AnsiString::npos);
    EXPECT_EQ(Memo->GetText(), Text);
    EXPECT_EQ(Memo->GetSelText(), Copied);

    // A press off the selection selects by dragging, as before.
    MouseDown(Memo, 3, LineY(Memo, 2));
    MouseMove(Memo, 80, LineY(Memo, 2), {ssLeft});
    MouseUp(Memo, 80, LineY(Memo, 2));
    EXPECT_EQ(Recorder.Drags.size(), 1u);
    EXPECT_EQ(Memo->GetSelText(), "tail");
}
