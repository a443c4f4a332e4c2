#include "platform/controls/Clipbrd.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/testing/Pointer.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace platform::test;

using MemoTest = TFormTest;
// Both keepers of a memo's text: an editable memo's document and a
// read-only memo's own lines.
class MemoKindsTest : public TFormTest, public ::testing::WithParamInterface<bool> {
protected:
    template <class T> T* Kind(T* Memo)
    {
        Memo->SetReadOnly(GetParam());
        return Memo;
    }
};
INSTANTIATE_TEST_SUITE_P(EditableAndReadOnly, MemoKindsTest, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "ReadOnly" : "Editable"; });
using EditTest = TFormTest;
using ComboBoxTest = TFormTest;
using ButtonTest = TFormTest;
using CheckBoxTest = TFormTest;

namespace {

// Lines that text controls tend to spoil.
std::vector<AnsiString> AwkwardLines()
{
    return {"plain",
            "bad \xFF\xFE bytes \xC3",
            "no\xC2\xA0"
            "break",
            "cr\rinside",
            "",
            AnsiString(5000, 'w'),
            "\xE2\x82\xAC and \xF0\x9F\x98\x80",
            "last"};
}

void ExpectLines(TStrings* Lines, const std::vector<AnsiString>& Expected)
{
    ASSERT_EQ(Lines->GetCount(), static_cast<int>(Expected.size())) << Lines->GetText();
    for (int I = 0; I < Lines->GetCount(); ++I)
        EXPECT_EQ(Lines->Get(I), Expected[I]) << "line " << I;
}

} // namespace

TEST_P(MemoKindsTest, LinesKeepAwkwardTextAsLogicalLinesWithOrWithoutAWindow)
{
    TRichEdit* Memo = Kind(New<TRichEdit>(Form));
    Memo->SetPlainText(true);
    EXPECT_TRUE(Memo->GetPlainText());
    const auto Lines = AwkwardLines();
    for (const auto& L : Lines)
        Memo->GetLines()->Add(L);
    ExpectLines(Memo->GetLines(), Lines);

    // On a narrow window with word wrap on, a long line is still one line.
    Memo->SetParent(Form);
    Memo->SetBounds(8, 8, 120, 200);
    Memo->SetWordWrap(true);
    Memo->SetScrollBars(ssBoth);
    PaintNow(Memo);
    ExpectLines(Memo->GetLines(), Lines);

    AnsiString Joined;
    for (const auto& L : Lines)
        Joined += L + "\n";
    EXPECT_EQ(Memo->GetLines()->GetText(), Joined);
    // Text read back in keeps every byte; a CR breaks the line there, as
    // every reader of lines takes it.
    Memo->GetLines()->SetText(Joined);
    auto Split = Lines;
    Split[3] = "inside";
    Split.insert(Split.begin() + 3, "cr");
    ExpectLines(Memo->GetLines(), Split);
}

TEST_P(MemoKindsTest, LinesCountAsTheSystemsMemoDoesAndEditInPlace)
{
    TOwned<TMemo> Memo(Kind(New<TMemo>(nullptr)));
    TStrings* Lines = Memo->GetLines();
    EXPECT_EQ(Lines->GetCount(), 0);

    // A text ending with a line break has as many lines as breaks.
    Memo->SetText("a\nb\n");
    ExpectLines(Lines, {"a", "b"});
    Memo->SetText("a\r\nb");
    ExpectLines(Lines, {"a", "b"});
    EXPECT_EQ(Memo->GetText(), "a\nb");

    // An empty line added at the end counts, and stays when more follow.
    Lines->Add("");
    ExpectLines(Lines, {"a", "b", ""});
    Lines->Add("c");
    ExpectLines(Lines, {"a", "b", "", "c"});
    Lines->Insert(0, "first");
    Lines->Insert(2, "");
    ExpectLines(Lines, {"first", "a", "", "b", "", "c"});
    Lines->Put(5, "");
    ExpectLines(Lines, {"first", "a", "", "b", "", ""});
    Lines->Delete(5);
    Lines->Delete(0);
    ExpectLines(Lines, {"a", "", "b", ""});
    Lines->Delete(3);
    Lines->Delete(1);
    ExpectLines(Lines, {"a", "b"});

    EXPECT_THROW(Lines->Get(2), EStringListError);
    EXPECT_THROW(Lines->Insert(3, "x"), EStringListError);
    EXPECT_THROW(Lines->Delete(-1), EStringListError);
    Lines->Clear();
    EXPECT_EQ(Lines->GetCount(), 0);
    Memo->GetLines()->SetText("only\n\n");
    ExpectLines(Lines, {"only", ""});
}

TEST_P(MemoKindsTest, AddingManyLinesAtOnceGivesWhatAddingEachWouldInOneChange)
{
    const auto Awkward = AwkwardLines();
    // Before: nothing, a last line with and without its break, an empty last line.
    for (const AnsiString& Before : {AnsiString(), AnsiString("a\n"), AnsiString("a"), AnsiString("a\n\n")}) {
        for (const std::vector<AnsiString>& Added :
             {Awkward, std::vector<AnsiString>{""}, std::vector<AnsiString>{"x", ""}, std::vector<AnsiString>{}}) {
            TMemo* OneByOne = Kind(Place<TMemo>(Form, 8, 8, 200, 100));
            TMemo* AtOnce = Kind(Place<TMemo>(Form, 8, 120, 200, 100));
            OneByOne->SetText(Before);
            AtOnce->SetText(Before);
            for (const auto& L : Added)
                OneByOne->GetLines()->Add(L);
            int Changes = 0;
            AtOnce->OnChange = [&](TObject*) { ++Changes; };
            AtOnce->GetLines()->AddStrings(Added);
            std::vector<AnsiString> Expected;
            for (int I = 0; I < OneByOne->GetLines()->GetCount(); ++I)
                Expected.push_back(OneByOne->GetLines()->Get(I));
            ExpectLines(AtOnce->GetLines(), Expected);
            EXPECT_EQ(Changes, Added.empty() ? 0 : 1);
            // What follows lands after them, as after adding one by one.
            OneByOne->GetLines()->Add("next");
            AtOnce->GetLines()->Add("next");
            EXPECT_EQ(AtOnce->GetLines()->GetText(), OneByOne->GetLines()->GetText());
            Free(OneByOne);
            Free(AtOnce);
        }
    }
}

TEST_F(MemoTest, OnChangeFiresForTheProgramsChangesAndForTyping)
{
    TMemo* Memo = Place<TMemo>(Form, 8, 8, 200, 100);
    int Changes = 0;
    Memo->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Memo);
        ++Changes;
    };
    Memo->GetLines()->Add("one");
    EXPECT_GE(Changes, 1);

    Memo->Clear();
    Changes = 0;
    TypeText(Memo, "ab");
    PressKey(Memo, VK_RETURN, {}, u"\r");
    TypeText(Memo, "c");
    EXPECT_EQ(Changes, 4);
    ExpectLines(Memo->GetLines(), {"ab", "c"});

    // A read-only memo takes no typing.
    Memo->SetReadOnly(true);
    TypeText(Memo, "x");
    ExpectLines(Memo->GetLines(), {"ab", "c"});
}

TEST_P(MemoKindsTest, SelectAllAndCopyPutTheWholeTextOnTheClipboard)
{
    TOwned<TRichEdit> Detached(Kind(New<TRichEdit>(nullptr)));
    TRichEdit* Shown = Kind(Place<TRichEdit>(Form, 8, 8, 200, 100));
    for (TRichEdit* Memo : {Detached.get(), Shown}) {
        Memo->GetLines()->SetText("a\xC2\xA0z\nbad \xFF\n");
        Memo->GetLines()->Add("cr\rin");
        Clipboard()->SetAsText("stale");
        Memo->SelectAll();
        Memo->CopyToClipboard();
        EXPECT_EQ(Clipboard()->GetAsText(), "a\xC2\xA0z\nbad \xFF\ncr\rin");
        EXPECT_EQ(Memo->GetSelStart(), 0);
        EXPECT_EQ(Memo->GetSelLength(), static_cast<int>(Memo->GetText().size()));
    }
}

TEST_P(MemoKindsTest, SelectionOffsetsCountTheTextsBytesAcrossManyLinesAndEdits)
{
    // Characters of one to four bytes, a byte that is no UTF-8 and a CR kept
    // inside a line; every fifth line is empty.
    const AnsiString Chars[] = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xFF", "\r"};
    std::vector<std::vector<AnsiString>> Model(150);
    for (int I = 0; I < 150; ++I)
        for (int J = 0; J < I % 5; ++J)
            Model[I].push_back(Chars[(I + J) % std::size(Chars)]);
    const auto Line = [&](std::size_t I) { return std::accumulate(Model[I].begin(), Model[I].end(), AnsiString()); };
    TRichEdit* Memo = Kind(Place<TRichEdit>(Form, 8, 8, 200, 100));
    for (std::size_t I = 0; I < Model.size(); ++I)
        Memo->GetLines()->Add(Line(I));
    const auto Check = [&] {
        // Where each character ends: an offset inside one rounds up to there.
        std::vector<int> Ends = {0};
        for (const auto& InLine : Model) {
            for (const AnsiString& C : InLine)
                Ends.push_back(Ends.back() + int(C.size()));
            Ends.push_back(Ends.back() + 1); // the line break
        }
        ASSERT_EQ(int(Memo->GetText().size()), Ends.back());
        const auto Up = [&](int Bytes) { return *std::lower_bound(Ends.begin(), Ends.end() - 1, Bytes); };
        for (int Bytes = 0; Bytes <= Ends.back() + 1; Bytes += 3) {
            Memo->SetSelStart(Bytes);
            ASSERT_EQ(Memo->GetSelStart(), Up(Bytes)) << Bytes;
            Memo->SetSelLength(5);
            ASSERT_EQ(Memo->GetSelLength(), Up(Up(Bytes) + 5) - Up(Bytes)) << Bytes;
        }
        Memo->SelectAll();
        EXPECT_EQ(Memo->GetSelLength(), Ends.back());
        Memo->Perform(EM_SETSEL, 10, -1);
        EXPECT_EQ(Memo->GetSelStart(), Up(10));
        EXPECT_EQ(Memo->GetSelLength(), Ends.back() - Up(10));
    };
    Check();
    // Edits before, among and after what was counted.
    Model[3] = {Chars[3], "x", Chars[3]};
    Memo->GetLines()->Put(3, Line(3));
    Model.erase(Model.begin() + 100);
    Memo->GetLines()->Delete(100);
    Check();
    Model.insert(Model.begin() + 70, {Chars[1]});
    Memo->GetLines()->Insert(70, Chars[1]);
    Model.push_back({"e", "n", "d", Chars[2]});
    Memo->GetLines()->Add(Line(Model.size() - 1));
    Check();
}

TEST_F(EditTest, OnChangeFiresOnSetTextAndOnTyping)
{
    TEdit* Edit = New<TEdit>(Form);
    int Changes = 0;
    Edit->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Edit);
        ++Changes;
    };
    Edit->SetText("x"); // no window yet
    EXPECT_EQ(Changes, 1);
    Edit->SetText("x");
    EXPECT_EQ(Changes, 1);

    Edit->SetParent(Form);
    Edit->SetAutoSelect(false);
    Edit->SetText("xy");
    EXPECT_EQ(Changes, 2);
    TypeText(Edit, "ab");
    EXPECT_EQ(Changes, 4);
    EXPECT_EQ(Edit->GetText(), "xyab");
    PressKey(Edit, VK_BACK);
    EXPECT_EQ(Changes, 5);
    EXPECT_EQ(Edit->GetText(), "xya");
}

TEST_F(EditTest, HoldsTextBeyondQtsDefaultLimitAndKeepsAGivenLimitForTyping)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    const AnsiString Long(40000, 'q');
    Edit->SetText(Long);
    EXPECT_EQ(Edit->GetText(), Long);
    // What the user puts in (here: pastes) is not cut at 32,767 either.
    Edit->Clear();
    Clipboard()->SetAsText(AnsiString(32800, 'z'));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText().size(), 32800u);

    Edit->Clear();
    Edit->SetMaxLength(3);
    TypeText(Edit, "abcd");
    EXPECT_EQ(Edit->GetText(), "abc");
}

TEST_F(EditTest, SelectionCountsBytesOfTheText)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    Edit->SetText("a\xC3\xA9\xE2\x82\xAC"
                  "b"); // a, e-acute (2 bytes), euro (3 bytes), b
    Edit->SetSelStart(3);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->GetSelText(), "\xE2\x82\xAC");
    EXPECT_EQ(Edit->GetSelStart(), 3);
    EXPECT_EQ(Edit->GetSelLength(), 3);
    Edit->SetSelText("xy");
    EXPECT_EQ(Edit->GetText(), "a\xC3\xA9xyb");
    Edit->SelectAll();
    EXPECT_EQ(Edit->GetSelLength(), 6);
    Edit->CutToClipboard();
    EXPECT_EQ(Edit->GetText(), "");
    EXPECT_EQ(Clipboard()->GetAsText(), "a\xC3\xA9xyb");
    Edit->PasteFromClipboard();
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "a\xC3\xA9xyba\xC3\xA9xyb");
}

TEST_F(ComboBoxTest, DropDownListTextFollowsThePickedItem)
{
    TOwned<TComboBox> Combo(New<TComboBox>(nullptr));
    Combo->SetStyle(csDropDownList);
    Combo->SetDropDownCount(30);
    EXPECT_EQ(Combo->GetDropDownCount(), 30);
    Combo->GetItems()->SetText("one\ntwo\nbad \xFF\n");
    EXPECT_EQ(Combo->GetItemIndex(), -1);
    EXPECT_EQ(Combo->GetText(), "");

    auto Check = [&](const char* Stage) {
        SCOPED_TRACE(Stage);
        Combo->SetItemIndex(1);
        EXPECT_EQ(Combo->GetText(), "two");
        Combo->SetText("bad \xFF");
        EXPECT_EQ(Combo->GetItemIndex(), 2);
        EXPECT_EQ(Combo->GetItems()->Get(2), "bad \xFF");
        Combo->SetText("missing"); // a pick-only list shows only its items
        EXPECT_EQ(Combo->GetItemIndex(), 2);
        Combo->SetText("");
        EXPECT_EQ(Combo->GetItemIndex(), -1);
        EXPECT_EQ(Combo->GetText(), "");
    };
    Check("without a window");

    Combo->SetParent(Form);
    Combo->SetItemIndex(0);
    PaintNow(Combo.get());
    EXPECT_EQ(Combo->GetItemIndex(), 0);
    Check("with a window");

    // Items put into an empty list leave it unpicked, as the system does.
    Combo->GetItems()->Clear();
    Combo->GetItems()->Add("first");
    EXPECT_EQ(Combo->GetItemIndex(), -1);
    EXPECT_EQ(Combo->GetText(), "");
    Combo->SetParent(nullptr);
}

TEST_F(ComboBoxTest, UserPicksFireOnChangeButTheProgramsDoNot)
{
    TComboBox* Combo = Place<TComboBox>(Form, 8, 8, 150, 21);
    Combo->SetStyle(csDropDownList);
    Combo->GetItems()->SetText("one\ntwo\nthree\n");
    int Changes = 0;
    Combo->OnChange = [&](TObject*) { ++Changes; };
    Combo->SetItemIndex(0);
    EXPECT_EQ(Changes, 0);
    PressKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->GetItemIndex(), 1);
    EXPECT_EQ(Changes, 1);

    // With OnSelect assigned a pick goes there instead.
    int Selects = 0;
    Combo->OnSelect = [&](TObject*) { ++Selects; };
    PressKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->GetText(), "three");
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 1);
}

TEST_F(ComboBoxTest, APickWithTheMouseLeavesTheNextClickToTheControlUnderIt)
{
    TComboBox* Combo = Place<TComboBox>(Form, 8, 8, 150, 21);
    Combo->SetStyle(csDropDownList);
    Combo->GetItems()->SetText("one\ntwo\nthree\n");
    TButton* Add = Place<TButton>(Form, 170, 6, 75, 25);
    int Clicks = 0;
    Add->OnClick = [&](TObject*) { ++Clicks; };
    ClickAtScreen(Combo->ClientToScreen(TPoint(40, 10)));
    const TRect Item = DropDownItemRect(Combo, 1);
    ASSERT_GT(Item.Height(), 0);
    ClickAtScreen(TPoint(Item.Left + 10, (Item.Top + Item.Bottom) / 2));
    EXPECT_EQ(DropDownItemRect(Combo, 1), TRect()); // closed
    EXPECT_EQ(Combo->GetText(), "two");
    EXPECT_EQ(GetCapture(), nullptr);

    ClickAtScreen(Add->ClientToScreen(TPoint(30, 12)));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ComboBoxTest, DropDownStyleTakesTypedTextWithoutALengthLimit)
{
    TComboBox* Combo = Place<TComboBox>(Form, 8, 8, 150, 21);
    Combo->GetItems()->Add("item");
    int Changes = 0;
    Combo->OnChange = [&](TObject*) { ++Changes; };
    TypeText(Combo, "typed");
    EXPECT_EQ(Combo->GetText(), "typed");
    EXPECT_EQ(Changes, 5);
    const AnsiString Long(40000, 'k');
    Combo->SetText(Long);
    EXPECT_EQ(Combo->GetText(), Long);
}

TEST_F(ComboBoxTest, SortedItemsStayInOrderIgnoringCase)
{
    TOwned<TComboBox> Combo(New<TComboBox>(nullptr));
    TStrings* Items = Combo->GetItems();
    Items->SetText("pear\nApple\nbanana\n");
    Combo->SetItemIndex(0);
    Combo->SetSorted(true);
    EXPECT_EQ(Items->GetText(), "Apple\nbanana\npear\n");
    EXPECT_EQ(Combo->GetText(), "pear"); // still picked
    EXPECT_EQ(Items->Add("Cherry"), 2);
    EXPECT_EQ(Items->Add("apple"), 1);
    EXPECT_EQ(Items->GetText(), "Apple\napple\nbanana\nCherry\npear\n");
    EXPECT_THROW(Items->Insert(0, "zzz"), EStringListError);
}

TEST_F(ButtonTest, ClicksByMouseSpaceReturnAndEscapeReachOnClickOnce)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 100, 21);
    TButton* Ok = Place<TButton>(Form, 8, 40, 75, 25);
    TButton* Cancel = Place<TButton>(Form, 90, 40, 75, 25);
    Ok->SetCaption("OK");
    Ok->SetDefault(true);
    Cancel->SetCaption("Cancel");
    Cancel->SetCancel(true);
    int OkClicks = 0, CancelClicks = 0;
    Ok->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Ok);
        ++OkClicks;
    };
    Cancel->OnClick = [&](TObject*) { ++CancelClicks; };

    Click(Ok, 30, 12);
    EXPECT_EQ(OkClicks, 1);
    PressKey(Ok, VK_SPACE, {}, u" ");
    EXPECT_EQ(OkClicks, 2);
    // Return in an edit goes to the default button, Escape to the cancel one.
    PressKey(Edit, VK_RETURN, {}, u"\r");
    EXPECT_EQ(OkClicks, 3);
    PressKey(Edit, VK_ESCAPE, {}, u"\x1B");
    EXPECT_EQ(CancelClicks, 1);
    // A focused button is the one Return clicks.
    PressKey(Cancel, VK_RETURN, {}, u"\r");
    EXPECT_EQ(CancelClicks, 2);
    EXPECT_EQ(OkClicks, 3);

    Ok->SetEnabled(false);
    Click(Ok, 30, 12);
    EXPECT_EQ(OkClicks, 3);
}

TEST_F(CheckBoxTest, StateChangesFireOnClickWhoeverMakesThem)
{
    TCheckBox* Box = Place<TCheckBox>(Form, 8, 8, 120, 17);
    Box->SetCaption("Check me");
    int Clicks = 0;
    Box->OnClick = [&](TObject*) { ++Clicks; };
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    Click(Box, 6, 8);
    EXPECT_FALSE(Box->GetChecked());
    EXPECT_EQ(Clicks, 2);
}
