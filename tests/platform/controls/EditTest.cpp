// The edit window: lossless text, the edit messages and styles, the border,
// painting over the line edit, and the clipboard commands as messages
// whichever way the user gives them.
#include "platform/controls/Clipbrd.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Resources.h"
#include "platform/testing/Drops.h"
#include "platform/testing/Edits.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinResources.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace platform::test;

namespace {

using EditWindowTest = TFormTest;

// Records the clipboard commands and the text each found; Block keeps the
// default handling (the change) from happening.
template <class TBase> class TCommandRecorder : public TBase {
public:
    using TBase::TBase;
    struct TEntry {
        UINT Msg;
        AnsiString TextBefore;
    };
    std::vector<TEntry> Log;
    bool Block = false;

protected:
    void Record(TMessage& Message)
    {
        Log.push_back({Message.Msg, this->GetText()});
        if (!Block) this->DefaultHandler(Message);
    }
    void WMCut(TMessage& Message) override { Record(Message); }
    void WMCopy(TMessage& Message) override { Record(Message); }
    void WMPaste(TMessage& Message) override { Record(Message); }
    void WMClear(TMessage& Message) override { Record(Message); }
};
using TRecordingEdit = TCommandRecorder<TEdit>;
using TRecordingMemo = TCommandRecorder<TMemo>;

// An edit with an alignment style, that may paint over its native painting
// and may keep the Tab key; it counts what reaches it.
class TTestEdit : public TEdit {
public:
    using TEdit::TEdit;
    DWORD Alignment = ES_LEFT;
    bool DefaultDrawing = true;
    bool WantTabs = false;
    int Paints = 0, Sizes = 0, PosChanges = 0;
    bool GetDefaultDrawing() override { return DefaultDrawing; }
    void Recreate() { RecreateWnd(); }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TEdit::CreateParams(Params);
        Params.Style |= Alignment;
    }
    void Paint() override
    {
        ++Paints;
        GetCanvas()->GetBrush()->SetColor(clRed);
        GetCanvas()->FillRect(Rect(0, 0, 6, 6));
    }
    void WMGetDlgCode(TMessage& Message) override
    {
        TEdit::WMGetDlgCode(Message);
        if (WantTabs) Message.Result |= DLGC_WANTTAB;
    }
    void WMSize(TMessage& Message) override
    {
        ++Sizes;
        TEdit::WMSize(Message);
    }
    void WMWindowPosChanged(TMessage& Message) override
    {
        ++PosChanges;
        TEdit::WMWindowPosChanged(Message);
    }
};

// The leftmost and rightmost columns of the middle row that are not the ground.
std::pair<int, int> InkColumns(TControl* Control, TColor Ground)
{
    const TRect R = Control->GetClientRect();
    int First = -1, Last = -1;
    for (int X = 0; X < R.Right; ++X)
        if (PixelAt(Control, X, R.Bottom / 2) != Ground) {
            if (First < 0) First = X;
            Last = X;
        }
    return {First, Last};
}

} // namespace

TEST_F(EditWindowTest, TextIsLosslessAndUnlimitedWithOrWithoutAWindow)
{
    AnsiString Text = "a\xC2\xA0\r\n\tb"; // a non-breaking space, CR LF and a tab
    for (int B = 0x80; B <= 0xFF; ++B)
        Text += char(B); // each a byte that is no UTF-8: U+DC80 ... U+DCFF inside
    while (Text.size() < 40000)
        Text += "0123456789";
    TEdit* Edit = New<TEdit>(Form);
    Edit->SetText(Text);
    EXPECT_TRUE(Edit->GetText() == Text);
    Edit->SetParent(Form); // the window takes the text
    EXPECT_TRUE(Edit->GetText() == Text);
    Edit->SetSelStart(8);
    Edit->SetSelLength(2);
    EXPECT_EQ(Edit->GetSelText(), "\x81\x82");
    Edit->SetSelStart(int(Text.size()));
    Edit->Perform(WM_CHAR, 0xE9); // typed through the window: a character beyond ASCII
    EXPECT_TRUE(Edit->GetText() == Text + "\xC3\xA9");
    Edit->SetParent(nullptr); // the window goes, the text stays
    EXPECT_TRUE(Edit->GetText() == Text + "\xC3\xA9");
}

TEST_F(EditWindowTest, ClipboardCommandsArriveAsMessagesBeforeTheTextChanges)
{
    auto* Edit = Place<TRecordingEdit>(Form, 8, 8, 200, 21);
    auto* Memo = Place<TRecordingMemo>(Form, 8, 40, 200, 80);
    Edit->SetAutoSelect(false);
    const std::vector<std::pair<const char*, std::function<void(TCustomEdit*)>>> Pastes = {
        {"Ctrl+V", [](TCustomEdit* E) { PressKey(E, 'V', {ssCtrl}, WideString(1, char16_t(0x16))); }},
        {"Shift+Insert", [](TCustomEdit* E) { PressKey(E, VK_INSERT, {ssShift}); }},
        {"menu", [](TCustomEdit* E) { EXPECT_TRUE(ChooseFromContextMenu(E, "Paste")); }},
        {"WM_CHAR", [](TCustomEdit* E) { SendMessageA(E->GetHandle(), WM_CHAR, 0x16, 0); }},
        {"method", [](TCustomEdit* E) { E->PasteFromClipboard(); }},
    };
    auto Check = [&](auto* Control) {
        Control->SetFocus(); // entering selects all: done before the routes
        for (const auto& [Route, Paste] : Pastes) {
            SCOPED_TRACE(Route);
            Control->SetText("ab");
            Control->SetSelStart(2);
            Clipboard()->SetAsText("\xFF"
                                   "c");
            Control->Log.clear();
            Control->Block = true;
            Paste(Control);
            ASSERT_EQ(Control->Log.size(), 1u);
            EXPECT_EQ(Control->Log[0].Msg, WM_PASTE);
            EXPECT_EQ(Control->Log[0].TextBefore, "ab");
            EXPECT_EQ(Control->GetText(), "ab");
            Control->Block = false;
            Paste(Control);
            EXPECT_EQ(Control->GetText(), "ab\xFF"
                                          "c");
        }
    };
    Check(Edit);
    Check(Memo);

    // Cut, copy and delete likewise, by keys and by the menu.
    const std::vector<std::tuple<const char*, UINT, std::function<void()>>> Others = {
        {"Ctrl+X", WM_CUT, [&] { PressKey(Edit, 'X', {ssCtrl}, WideString(1, char16_t(0x18))); }},
        {"Shift+Delete", WM_CUT, [&] { PressKey(Edit, VK_DELETE, {ssShift}); }},
        {"menu Cut", WM_CUT, [&] { EXPECT_TRUE(ChooseFromContextMenu(Edit, "Cut")); }},
        {"Ctrl+C", WM_COPY, [&] { PressKey(Edit, 'C', {ssCtrl}, WideString(1, char16_t(0x03))); }},
        {"Ctrl+Insert", WM_COPY, [&] { PressKey(Edit, VK_INSERT, {ssCtrl}); }},
        {"menu Copy", WM_COPY, [&] { EXPECT_TRUE(ChooseFromContextMenu(Edit, "Copy")); }},
        {"menu Delete", WM_CLEAR, [&] { EXPECT_TRUE(ChooseFromContextMenu(Edit, "Delete")); }},
    };
    Edit->SetFocus();
    for (const auto& [Route, Msg, Act] : Others) {
        SCOPED_TRACE(Route);
        Edit->SetText("abc");
        Edit->SetSelStart(1);
        Edit->SetSelLength(1);
        Clipboard()->SetAsText("-");
        Edit->Log.clear();
        Act();
        ASSERT_EQ(Edit->Log.size(), 1u);
        EXPECT_EQ(Edit->Log[0].Msg, Msg);
        EXPECT_EQ(Edit->GetText(), Msg == WM_COPY ? "abc" : "ac");
        EXPECT_EQ(Clipboard()->GetAsText(), Msg == WM_CLEAR ? "-" : "b");
    }
    // A read-only or hidden text gives nothing away and takes nothing in.
    Edit->SetText("abc");
    Edit->SelectAll();
    Edit->SetReadOnly(true);
    EXPECT_FALSE(ChooseFromContextMenu(Edit, "Paste"));
    Edit->CutToClipboard();
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "abc");
    Edit->SetReadOnly(false);
    Edit->SetPasswordChar('*');
    Clipboard()->SetAsText("-");
    Edit->CopyToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "-");
}

TEST_F(EditWindowTest, OnlyAMemoTakesDroppedTextAndMiddleClicks)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    TMemo* Memo = Place<TMemo>(Form, 8, 40, 200, 80);
    Edit->SetText("ab");
    EXPECT_FALSE(DropText(Edit, "dropped"));
    EXPECT_EQ(Edit->GetText(), "ab");
    EXPECT_TRUE(DropText(Memo, "dropped"));
    EXPECT_EQ(Memo->GetText(), "dropped");
    // A middle click is no click in the text: the caret stays.
    Edit->SetFocus();
    Edit->SetSelStart(2);
    Click(Edit, 1, 10, mbMiddle);
    EXPECT_EQ(Edit->GetSelStart(), 2);
}

TEST_F(EditWindowTest, PasswordCharShowsThatVeryCharacter)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    Edit->SetText("abc");
    EXPECT_EQ(DisplayedText(Edit), u"abc");
    Edit->SetPasswordChar('*');
    EXPECT_EQ(DisplayedText(Edit), u"***");
    Edit->SetPasswordChar('#');
    EXPECT_EQ(DisplayedText(Edit), u"###");
    EXPECT_EQ(Edit->GetText(), "abc");
    Edit->SetPasswordChar(0);
    EXPECT_EQ(DisplayedText(Edit), u"abc");
}

TEST_F(EditWindowTest, EditMessagesSelectTypeAndSetMargins)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    Edit->SetText("a\xC3\xA9xyz");
    Edit->Perform(EM_SETSEL, 0, LPARAM(-1));
    EXPECT_EQ(Edit->GetSelLength(), 6);
    Edit->Perform(EM_SETSEL, 3, 1); // either way round
    EXPECT_EQ(Edit->GetSelText(), "\xC3\xA9");
    DWORD Start = 0, End = 0;
    EXPECT_EQ(Edit->Perform(EM_GETSEL, WPARAM(&Start), LPARAM(&End)), MAKELONG(1, 3));
    EXPECT_EQ(Start, 1u);
    EXPECT_EQ(End, 3u);
    Edit->Perform(EM_SETSEL, WPARAM(-1), 0);
    EXPECT_EQ(Edit->GetSelLength(), 0);

    Edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(25, 7));
    EXPECT_EQ(Edit->Perform(EM_GETMARGINS), MAKELONG(25, 7));
    Edit->Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(99, 3));
    EXPECT_EQ(Edit->Perform(EM_GETMARGINS), MAKELONG(25, 3));
}

TEST_F(EditWindowTest, TabLeavesTheEditUnlessItWantsIt)
{
    auto* Edit = Place<TTestEdit>(Form, 8, 8, 200, 21);
    TEdit* Next = Place<TEdit>(Form, 8, 40, 200, 21);
    EXPECT_EQ(Edit->Perform(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_WANTTAB), DLGC_WANTARROWS);
    Edit->WantTabs = true;
    Edit->SetText("ab");
    PressKey(Edit, VK_TAB, {}, u"\t");
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->GetText(), "ab");
    Edit->WantTabs = false;
    PressKey(Edit, VK_TAB, {}, u"\t");
    EXPECT_TRUE(Next->Focused());
}

TEST_F(EditWindowTest, AlignmentStylesAndRecreateWndKeepTextAndSelection)
{
    auto* Edit = Place<TTestEdit>(Form, 8, 8, 200, 21);
    Edit->DefaultDrawing = false; // the native painting lands in the window's image
    Edit->SetText("WWWW");
    Edit->SetSelStart(1);
    Edit->SetSelLength(2);
    const auto [LeftFirst, LeftLast] = InkColumns(Edit, clWhite);
    EXPECT_GE(LeftFirst, 0);
    EXPECT_LT(LeftFirst, 12);
    Edit->Alignment = ES_RIGHT;
    Edit->Recreate();
    EXPECT_EQ(Edit->GetText(), "WWWW");
    EXPECT_EQ(Edit->GetSelStart(), 1);
    EXPECT_EQ(Edit->GetSelLength(), 2);
    Edit->Invalidate();
    const auto [RightFirst, RightLast] = InkColumns(Edit, clWhite);
    EXPECT_EQ(RightLast - RightFirst, LeftLast - LeftFirst);
    EXPECT_GT(RightLast, Edit->GetClientWidth() - 12);
    Edit->Alignment = ES_CENTER;
    Edit->Recreate();
    Edit->Invalidate();
    const auto [CenterFirst, CenterLast] = InkColumns(Edit, clWhite);
    EXPECT_NEAR(CenterFirst + CenterLast, Edit->GetClientWidth(), 4);
}

TEST_F(EditWindowTest, PaintDrawsOverTheNativePaintingOnlyForASelfPaintingEdit)
{
    auto* Edit = Place<TTestEdit>(Form, 8, 8, 200, 21);
    Edit->SetText("WWWW");
    PaintNow(Edit);
    EXPECT_EQ(Edit->Paints, 0);
    Edit->DefaultDrawing = false;
    Edit->Invalidate();
    EXPECT_EQ(PixelAt(Edit, 2, 2), clRed);
    EXPECT_GT(Edit->Paints, 0);
    EXPECT_GE(InkColumns(Edit, clWhite).second, 8); // the text under it
    // Typing repaints through the window as well.
    const int Before = Edit->Paints;
    Edit->SetSelStart(4);
    Edit->Perform(WM_CHAR, 'W');
    ProcessEvents();
    EXPECT_GT(Edit->Paints, Before);
}

TEST_F(EditWindowTest, BorderWidthRingsAndTheBorderThemedOrClassic)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 120, 30);
    Edit->SetColor(clYellow);
    Edit->SetBorderWidth(2);
    EXPECT_EQ(Edit->GetClientWidth(), 120 - 8);
    // Client coordinates: -1 and -2 are the border width, -3 and -4 the sunken edge.
    EXPECT_EQ(PixelAt(Edit, -1, 10), clYellow);
    EXPECT_EQ(PixelAt(Edit, -2, 10), clYellow);
    TBitmap Expected;
    Expected.SetSize(120, 30);
    Expected.GetCanvas()->GetBrush()->SetColor(clYellow);
    Expected.GetCanvas()->FillRect(Rect(0, 0, 120, 30));
    const bool Themed = IsThemeActive() && IsAppThemed();
    if (Themed) {
        HTHEME Theme = OpenThemeData(nullptr, u"edit");
        const TRect R(0, 0, 120, 30);
        DrawThemeBackground(Theme, Expected.GetCanvas()->GetHandle(), EP_EDITTEXT, ETS_NORMAL, &R, nullptr);
        CloseThemeData(Theme);
        for (int X : {0, 1})
            EXPECT_EQ(PixelAt(Edit, X - 4, 10), Expected.GetCanvas()->GetPixels(X, 14)) << X;
    } else {
        EXPECT_EQ(PixelAt(Edit, -4, 10), ColorToRGB(clBtnShadow));
        EXPECT_EQ(PixelAt(Edit, -3, 10), ColorToRGB(cl3DDkShadow));
    }
    Edit->SetBorderStyle(bsNone);
    EXPECT_EQ(Edit->GetClientWidth(), 120 - 4);
    EXPECT_EQ(PixelAt(Edit, -2, 10), clYellow);
}

TEST_F(EditWindowTest, HeightFollowsTheFontWhileAutoSize)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 120, 40);
    TBitmap Measure;
    auto HeightFor = [&](int Pixels) {
        Measure.GetCanvas()->GetFont()->Assign(Edit->GetFont());
        Measure.GetCanvas()->GetFont()->SetHeight(-Pixels);
        return Measure.GetCanvas()->TextHeight("Wg") + 8;
    };
    Edit->GetFont()->SetHeight(-20);
    EXPECT_EQ(Edit->GetHeight(), HeightFor(20));
    Edit->SetAutoSize(false);
    Edit->GetFont()->SetHeight(-11);
    EXPECT_EQ(Edit->GetHeight(), HeightFor(20));
    Edit->SetAutoSize(true);
    EXPECT_EQ(Edit->GetHeight(), HeightFor(11));
}

TEST_F(EditWindowTest, ChildWindowsSitAboveTheLineEditAndFollowSetWindowPos)
{
    auto* Edit = Place<TTestEdit>(Form, 8, 8, 200, 21);
    auto* Child = Place<TProbeControl>(Edit, 0, 0, 20, 17);
    Child->Fill = clLime;
    Edit->Sizes = Edit->PosChanges = 0;
    Edit->SetBounds(8, 8, 220, 21);
    EXPECT_EQ(Edit->Sizes, 1);
    EXPECT_GE(Edit->PosChanges, 1);
    EXPECT_EQ(Edit->Perform(WM_ERASEBKGND), 1);

    SetWindowPos(Child->GetHandle(), nullptr, 0, 0, 30, 17, SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_FALSE(IsWindowVisible(Child->GetHandle()));
    SetWindowPos(Child->GetHandle(), nullptr, 0, 0, 30, 17, SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(Child->GetHandle()));
    EXPECT_EQ(Child->GetWidth(), 30);
    Edit->SetText("ab");
    Edit->SetSelStart(2);
    Click(Edit, 5, 8); // on the child: the line edit hears nothing
    EXPECT_EQ(Edit->GetSelStart(), 2);
    EXPECT_NE(std::find(Child->Messages.begin(), Child->Messages.end(), UINT(WM_LBUTTONDOWN)), Child->Messages.end());
}

TEST_F(EditWindowTest, TheReversedArrowIsACursorOfTheProgram)
{
    HCURSOR Cursor = LoadCursor(HInstance, "ReversedArrow");
    ASSERT_NE(Cursor, nullptr);
    Screen->SetCursors(1000, Cursor);
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    MouseMove(Edit, 50, 10);
    EXPECT_EQ(WindowCursor(Edit), crIBeam);
    Edit->SetCursor(TCursor(1000));
    MouseMove(Edit, 51, 10);
    EXPECT_EQ(WindowCursor(Edit), TCursor(1000));
    // Its tip is the hot spot, at the top right of the picture; it points up and right.
    TBitmap Picture;
    TPoint HotSpot;
    ASSERT_TRUE(LoadCursorResource("REVERSEDARROW", &Picture, HotSpot));
    EXPECT_EQ(HotSpot.X, 10);
    EXPECT_EQ(HotSpot.Y, 0);
    EXPECT_EQ(Picture.GetScanLine(0)[HotSpot.X * 4 + 3], 255);
    EXPECT_EQ(Picture.GetScanLine(0)[(HotSpot.X - 1) * 4 + 3], 0);
    EXPECT_EQ(Picture.GetScanLine(10)[0 * 4 + 3], 255); // the arrow's wide end reaches the left
}

// QUILLMOTE_SHEET_DIR keeps the sheet of edits as Edits.png (Edits-classic.png without themes).
TEST_F(EditWindowTest, SheetOfEditsFramesEveryKind)
{
    Form->SetClientWidth(440);
    Form->SetClientHeight(150);
    Form->SetColor(clBtnFace);
    std::vector<TCustomEdit*> Edits;
    auto Add = [&](int Left, int Top, const AnsiString& Text) {
        auto* E = Place<TTestEdit>(Form, Left, Top, 130, 21);
        E->SetText(Text);
        Edits.push_back(E);
        return E;
    };
    Add(8, 8, "Plain text");
    Add(148, 8, "Right")->Alignment = ES_RIGHT;
    Add(288, 8, "Centre")->Alignment = ES_CENTER;
    Add(8, 38, "secret")->SetPasswordChar('*');
    Add(148, 38, "Read-only")->SetReadOnly(true);
    Add(288, 38, "Disabled")->SetEnabled(false);
    auto* Wide = Add(8, 68, "Border width 2");
    Wide->SetBorderWidth(2);
    Wide->SetHeight(29);
    Add(148, 68, "No border")->SetBorderStyle(bsNone);
    Add(288, 68, "Self-painted")->DefaultDrawing = false;
    for (TCustomEdit* E : Edits)
        dynamic_cast<TTestEdit*>(E)->Recreate();
    TMemo* Memo = Place<TMemo>(Form, 8, 100, 270, 44);
    Memo->SetText("A memo\nwith two lines");
    for (TCustomEdit* E : Edits) {
        if (E->GetBorderStyle() == bsSingle) {
            EXPECT_NE(PixelAt(E, -E->GetBorderWidth() - 2, 5), ColorToRGB(clBtnFace)) << E->GetText();
        }
    }
    EXPECT_EQ(PixelAt(Edits.back(), 2, 2), clRed);
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const bool Themed = IsThemeActive() && IsAppThemed();
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + (Themed ? "/Edits.png" : "/Edits-classic.png")));
    }
}

namespace {

// Dark pixels in the first columns of the edit's middle line, where an
// empty edit shows its caret.
int CaretInk(TEdit* Edit)
{
    TBitmap Shot;
    GrabWindow(Edit, &Shot);
    int Dark = 0;
    const int Y = Edit->GetHeight() / 2;
    for (int X = 0; X < 8; ++X)
        if (ColorToRGB(Shot.GetCanvas()->GetPixels(X, Y)) == 0) ++Dark;
    return Dark;
}

TEST_F(EditWindowTest, DestroyCaretHidesTheCaretUntilTheEditNextGetsTheFocus)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 100, 21);
    Edit->SetBorderStyle(bsNone);
    TEdit* Other = Place<TEdit>(Form, 8, 40, 100, 21);
    Edit->SetFocus();
    ProcessEvents();
    ASSERT_GT(CaretInk(Edit), 0);
    EXPECT_TRUE(DestroyCaret());
    ProcessEvents();
    EXPECT_EQ(CaretInk(Edit), 0);
    // Typing still types.
    TypeText(Edit, "a");
    EXPECT_EQ(Edit->GetText(), "a");
    Edit->SetText("");
    Other->SetFocus();
    Edit->SetFocus();
    ProcessEvents();
    EXPECT_GT(CaretInk(Edit), 0);
}

TEST_F(EditWindowTest, OverAnEditTheDefaultCursorIsTheTextCursorAndTheArrowAnArrow)
{
    TEdit* Edit = Place<TEdit>(Form, 8, 8, 200, 21);
    MouseMove(Edit, 50, 10);
    EXPECT_EQ(WindowCursor(Edit), crIBeam);
    Edit->SetCursor(crArrow);
    MouseMove(Edit, 51, 10);
    EXPECT_EQ(WindowCursor(Edit), crArrow);
    Edit->SetCursor(crDefault);
    MouseMove(Edit, 52, 10);
    EXPECT_EQ(WindowCursor(Edit), crIBeam);
}

} // namespace
