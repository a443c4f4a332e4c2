#include "ScrollControlFixtures.h"
#include "platform/testing/Scroll.h"
#include "platform/win/WinScroll.h"
#include "tests/support/PumpUntil.h"

#include <climits>

namespace {

using namespace GxScrollControl;
using namespace platform::test;

using GxScrollBar = TScrollControlTest;
using GxScrollControlRoll = TScrollControlTest;
using GxScrollControlMessages = TScrollControlTest;

int WindowPos(TWinControl* C, int Bar)
{
    return GetScrollPos(C->GetHandle(), Bar);
}

// ---- The scroll-bar model ----------------------------------------------------------------------

TEST_F(GxScrollBar, RangePageAndPositionKeepTheirLimitsWhateverTheInput)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    EXPECT_EQ(V->GetBarType(), SB_VERT);
    V->SetPageSize(3);
    EXPECT_EQ(V->GetPageSize(), 8);
    V->SetPosition(-5);
    EXPECT_TRUE(V->IsFirst());
    V->SetPosition(1000);
    EXPECT_EQ(V->GetPosition(), 50);
    EXPECT_EQ(V->GetPrevPosition(), 0);
    // The window bar has the same range; its own highest position is Max - Page + 1.
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Rows->GetHandle(), SB_VERT, &Info);
    EXPECT_EQ(Info.nMax, 50);
    EXPECT_EQ(Info.nPos, 43);
    V->MoveBy(INT_MAX); // no wrap past either end
    EXPECT_EQ(V->GetPosition(), 50);
    V->MoveBy(INT_MIN);
    EXPECT_EQ(V->GetPosition(), 0);
    V->SetSmallChange(INT_MAX);
    V->SetPosition(30);
    V->Next();
    EXPECT_EQ(V->GetPosition(), 50);
    V->SetSmallChange(1);
    MouseWheel(Rows, 20, 20, 400 * WHEEL_DELTA); // a burst of the wheel ends at the end
    EXPECT_EQ(WindowPos(Rows, SB_VERT), 0);

    // A range that shrinks from either side takes the position, and the contents, along.
    V->SetPosition(5);
    V->SetMin(12);
    EXPECT_EQ(V->GetPosition(), 12);
    V->SetMin(0);
    V->SetPosition(50);
    Rows->VertOffsets.clear();
    V->SetMax(20);
    EXPECT_EQ(Rows->VertOffsets, (std::vector<std::pair<int, int>>{{50, 20}}));
    V->SetMax(-3);
    EXPECT_EQ(V->GetMax(), 0);
    EXPECT_FALSE(V->GetVisible());
    EXPECT_FALSE(ScrollBarShown(Rows, SB_VERT));
    V->Expand(false);
    EXPECT_EQ(V->GetMax(), 1);
    EXPECT_TRUE(V->GetVisible());
    // The window's own rule: a page of 8 covers the range 0..1, nothing to scroll.
    EXPECT_FALSE(ScrollBarShown(Rows, SB_VERT));
    V->SetMax(8);
    EXPECT_TRUE(ScrollBarShown(Rows, SB_VERT));
    V->Expand(true);
    EXPECT_FALSE(ScrollBarShown(Rows, SB_VERT));
}

TEST_F(GxScrollBar, UpdatesHoldTheContentsButNotTheBar)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    V->BeginUpdate();
    V->SetPosition(7);
    EXPECT_EQ(V->GetUpdateCount(), 1);
    EXPECT_EQ(WindowPos(Rows, SB_VERT), 7);
    EXPECT_TRUE(Rows->VertOffsets.empty());
    V->EndUpdate();
    EXPECT_TRUE(Rows->VertOffsets.empty()); // ending scrolls nothing
    V->SetManualScroll(true);
    V->SetPosition(9);
    EXPECT_TRUE(Rows->VertOffsets.empty());
    V->SetManualScroll(false);
    V->SetPosition(9); // the same position scrolls too, by what the owner says
    EXPECT_EQ(Rows->VertOffsets, (std::vector<std::pair<int, int>>{{9, 9}}));
}

TEST_F(GxScrollBar, StepsGoThroughTheOwnersMessagesAndNeedARange)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    V->Next();
    V->Next();
    V->Prior();
    V->SetLargeChange(10);
    V->PageDown();
    V->PageUp();
    V->Last();
    V->First();
    EXPECT_EQ(Rows->Codes, (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEUP, SB_PAGEDOWN, SB_PAGEUP}));
    EXPECT_EQ(V->GetPosition(), 0);
    EXPECT_EQ(V->GetLastScrollKind(), rkPage);
    Rows->Codes.clear();
    V->SetMax(0);
    V->Next();
    V->PageDown();
    EXPECT_TRUE(Rows->Codes.empty());
}

TEST_F(GxScrollBar, AssignTakesTheSettingsOfAnotherBar)
{
    TOwned<TGxScrollBar> Other(New<TGxScrollBar>(Rows, Rows->GetCanvas()));
    Other->SetKind(skVertical);
    Other->SetSmallChange(3);
    Other->SetLargeChange(12);
    Other->SetAutoHide(false);
    Rows->SetHorzScrollBar(Other.get());
    TGxScrollBar* H = Rows->GetHorzScrollBar();
    EXPECT_EQ(H->GetSmallChange(), 3);
    EXPECT_EQ(H->GetLargeChange(), 12);
    EXPECT_FALSE(H->GetAutoHide());
    EXPECT_EQ(H->GetKind(), skHorizontal);
    EXPECT_EQ(H->GetMax(), 0);
    // Without AutoHide the empty bar shows, disabled.
    EXPECT_TRUE(ScrollBarShown(Rows, SB_HORZ));
    EXPECT_FALSE(ScrollBarEnabled(Rows, SB_HORZ));
    TOwned<TTimer> NotABar(New<TTimer>(nullptr));
    EXPECT_THROW(H->Assign(NotABar.get()), EConvertError);
}

TEST_F(GxScrollBar, DisabledBarsAndControlsTakeNoInput)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    EXPECT_TRUE(ScrollBarEnabled(Rows, SB_VERT));
    V->SetEnabled(false);
    EXPECT_FALSE(ScrollBarEnabled(Rows, SB_VERT));
    V->SetMax(60); // a new range leaves it disabled
    EXPECT_FALSE(ScrollBarEnabled(Rows, SB_VERT));
    V->SetEnabled(true);
    EXPECT_TRUE(ScrollBarEnabled(Rows, SB_VERT));
    Rows->SetEnabled(false);
    EXPECT_FALSE(ScrollBarEnabled(Rows, SB_VERT));
    ClickScrollBar(Rows, SB_VERT, sbpLineDown);
    EXPECT_EQ(V->GetPosition(), 0);
    Rows->SetEnabled(true);
    EXPECT_TRUE(ScrollBarEnabled(Rows, SB_VERT));
}

// ---- The window's bars and their messages ------------------------------------------------------------

TEST_F(GxScrollControlMessages, EveryScrollCodeMovesTheBarItsOwnWay)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    V->SetLargeChange(10);
    std::vector<int> Events;
    Rows->OnVerticalScroll = [&](TObject* Sender, int Position) {
        EXPECT_EQ(Sender, Rows);
        Events.push_back(Position);
    };
    ClickScrollBar(Rows, SB_VERT, sbpLineDown);
    EXPECT_EQ(V->GetPosition(), 1);
    EXPECT_EQ(V->GetLastScrollKind(), rkLine);
    ClickScrollBar(Rows, SB_VERT, sbpPageDown);
    EXPECT_EQ(V->GetPosition(), 11);
    EXPECT_EQ(V->GetLastScrollKind(), rkPage);
    ClickScrollBar(Rows, SB_VERT, sbpLineUp);
    ClickScrollBar(Rows, SB_VERT, sbpPageUp);
    EXPECT_EQ(V->GetPosition(), 0);
    SendMessageA(Rows->GetHandle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(V->GetPosition(), 50);
    EXPECT_EQ(V->GetLastScrollKind(), rkTopBottom);
    SendMessageA(Rows->GetHandle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(V->GetPosition(), 0);
    // The end of a scroll leaves the kind and the position, and is reported too.
    EXPECT_EQ(Events, (std::vector<int>{1, 1, 11, 11, 10, 10, 0, 0, 50, 0}));
    EXPECT_EQ(WindowPos(Rows, SB_VERT), 0);

    // The thumb: the window's tracking position, every bit of it.
    V->SetMax(100000);
    DragScrollThumb(Rows, SB_VERT, 400, 4, false);
    EXPECT_EQ(V->GetLastScrollKind(), rkThumb);
    EXPECT_EQ(V->GetPosition(), 100000);
    DragScrollThumb(Rows, SB_VERT, -5);
    EXPECT_GT(V->GetPosition(), 65535);
    EXPECT_LT(V->GetPosition(), 100000);
    EXPECT_EQ(WindowPos(Rows, SB_VERT), V->GetPosition());

    // The horizontal bar the same way, in pixels.
    TGxScrollBar* H = Rows->GetHorzScrollBar();
    H->SetMax(300);
    std::vector<int> HEvents;
    Rows->OnHorizontalScroll = [&](TObject*, int Position) { HEvents.push_back(Position); };
    ClickScrollBar(Rows, SB_HORZ, sbpLineDown);
    EXPECT_EQ(H->GetPosition(), 1);
    EXPECT_EQ(HEvents, (std::vector<int>{1, 1}));
}

TEST_F(GxScrollControlMessages, BarsShowWhileThereIsSomethingToScroll)
{
    // The vertical range of the fixture shows its bar; the horizontal bar hides.
    EXPECT_TRUE(ScrollBarShown(Rows, SB_VERT));
    EXPECT_FALSE(ScrollBarShown(Rows, SB_HORZ));
    EXPECT_EQ(Rows->GetClientRect(), Rect(0, 0, 200 - 17, 150));
    Rows->GetHorzScrollBar()->SetMax(40);
    EXPECT_TRUE(ScrollBarShown(Rows, SB_HORZ));
    EXPECT_EQ(Rows->GetClientRect(), Rect(0, 0, 183, 133));
    EXPECT_EQ(Rows->GetVertScrollRect(), Rect(0, 0, 183, 133)); // the control heard of its new size
    Rows->GetVertScrollBar()->SetMax(0);
    EXPECT_FALSE(ScrollBarShown(Rows, SB_VERT));
    EXPECT_EQ(Rows->GetClientRect(), Rect(0, 0, 200, 133));

    // The window made again from its parameters (which ask for both bars)
    // comes with the bars the ranges want.
    Rows->Perform(CM_RECREATEWND, 0, 0);
    EXPECT_FALSE(ScrollBarShown(Rows, SB_VERT));
    EXPECT_TRUE(ScrollBarShown(Rows, SB_HORZ));
    EXPECT_EQ(Rows->GetClientRect(), Rect(0, 0, 200, 133));
}

TEST_F(GxScrollControlMessages, ScrollingMovesTheContentsAndPaintsOnlyTheNewRows)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    EXPECT_EQ(PixelAt(Rows, 10, 5), TRowsControl::RowColor(0));
    Rows->Paints.clear();
    V->SetPosition(3);
    // Moved before anything is painted: the rows already there came along.
    PaintNow(Rows);
    EXPECT_EQ(Rows->Paints, (std::vector<TRect>{Rect(0, 120, 183, 150)}));
    EXPECT_EQ(PixelAt(Rows, 10, 5), TRowsControl::RowColor(3));
    EXPECT_EQ(PixelAt(Rows, 10, 125), TRowsControl::RowColor(15));
    EXPECT_EQ(Rows->ScrollsBefore.back(), Rect(0, 0, 183, 150));

    // Only the part inside the vertical scroll rectangle moves.
    Rows->SetVertScrollRect(Rect(0, 50, 183, 150));
    Rows->Paints.clear();
    V->SetPosition(4);
    PaintNow(Rows);
    EXPECT_EQ(PixelAt(Rows, 10, 45), TRowsControl::RowColor(7)); // above it: as it was
    EXPECT_EQ(PixelAt(Rows, 10, 50), TRowsControl::RowColor(9)); // moved up one row
    EXPECT_EQ(Rows->Paints, (std::vector<TRect>{Rect(0, 140, 183, 150)}));

    // Sideways by pixels within the horizontal scroll rectangle.
    Rows->GetHorzScrollBar()->SetMax(100);
    PaintNow(Rows);
    ASSERT_EQ(PixelAt(Rows, 100, 60), clBlack);
    Rows->GetHorzScrollBar()->SetPosition(30);
    EXPECT_EQ(PixelAt(Rows, 70, 60), clBlack);
    EXPECT_NE(PixelAt(Rows, 100, 60), clBlack);
}

TEST_F(GxScrollControlMessages, TheWheelScrollsOnlyWhileItIsEnabled)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    int WheelEvents = 0;
    Rows->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++WheelEvents; };
    MouseWheel(Rows, 20, 20, -WHEEL_DELTA);
    MouseWheel(Rows, 20, 20, -2 * WHEEL_DELTA);
    EXPECT_EQ(V->GetPosition(), 3);
    EXPECT_EQ(WheelEvents, 0);                    // taken before the event
    WheelOnScrollBar(Rows, SB_VERT, WHEEL_DELTA); // over the bar it is the control's wheel too
    EXPECT_EQ(V->GetPosition(), 2);
    Rows->SetMouseWheelEnabled(false);
    MouseWheel(Rows, 20, 20, -WHEEL_DELTA);
    EXPECT_EQ(V->GetPosition(), 2);
    EXPECT_EQ(WheelEvents, 1);
}

TEST_F(GxScrollControlMessages, TheControlWantsArrowsAndNeverErases)
{
    EXPECT_EQ(Rows->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    EXPECT_EQ(Rows->Perform(WM_ERASEBKGND, 0, 0), 1);
    const DWORD Style = DWORD(GetWindowLongA(Rows->GetHandle(), GWL_STYLE));
    EXPECT_TRUE(Style & WS_CLIPCHILDREN);
}

TEST_F(GxScrollControlMessages, SelectNextControlMovesTheFocusOnAsTabDoes)
{
    auto* Next = New<TProbeControl>(Form);
    Next->SetParent(Form);
    Next->SetLeft(220);
    ActivateWindow(Form);
    Rows->TryFocus();
    ProcessEvents();
    ASSERT_TRUE(Rows->Focused());
    Rows->SelectNextControl();
    ProcessEvents();
    EXPECT_TRUE(Next->Focused());
}

// ---- Roll scrolling -------------------------------------------------------------------------------------------

TEST_F(GxScrollControlRoll, TheMiddleButtonRollsWithACursorAndAMarker)
{
    TGxScrollBar* V = Rows->GetVertScrollBar();
    TRollShadow* Shadow = Rows->GetRollShadow();
    ASSERT_NE(Screen->GetCursors(crRoll), Screen->GetCursors(crArrow));
    ASSERT_NE(Screen->GetCursors(crRollDown), Screen->GetCursors(crRoll));
    EXPECT_FALSE(IsWindowVisible(Shadow->GetHandle()));

    MouseDown(Rows, 60, 70, mbMiddle);
    EXPECT_TRUE(Rows->GetViewState().Contains(vsRolling));
    EXPECT_EQ(Rows->GetRollPoint(), TPoint(60, 70));
    EXPECT_TRUE(Rows->GetMouseCapture());
    EXPECT_TRUE(Rows->GetRollTimer()->GetEnabled());
    // The marker sits with its dot on the start point, the window's cursor on it.
    const TPoint Start = Rows->ClientToScreen(TPoint(60, 70));
    EXPECT_TRUE(IsWindowVisible(Shadow->GetHandle()));
    EXPECT_EQ(Shadow->GetPosition(), Start);
    TRect R;
    GetWindowRect(Shadow->GetHandle(), &R);
    EXPECT_EQ(R, Bounds(Start.X - 7, Start.Y - 11, 32, 32));
    EXPECT_EQ(Shadow->GetCursor(), crRoll);

    // Within five pixels nothing scrolls.
    MouseMove(Rows, 60, 65);
    EXPECT_TRUE(Rows->GetRollDirection().Empty());
    EXPECT_EQ(Screen->GetCursor(), crRoll);
    PumpFor(120);
    EXPECT_EQ(V->GetPosition(), 0);
    EXPECT_EQ(Rows->GetRollTimer()->GetInterval(), 95u);

    // Six below scrolls down, a tick every 94 ms.
    MouseMove(Rows, 60, 76);
    EXPECT_EQ(Rows->GetRollDirection(), TRollDirection{rdDown});
    EXPECT_EQ(Screen->GetCursor(), crRollDown);
    EXPECT_EQ(Shadow->GetCursor(), crRollDown);
    ASSERT_TRUE(PumpUntil([&] { return V->GetPosition() >= 2; }));
    EXPECT_EQ(Rows->GetRollTimer()->GetInterval(), 94u);
    EXPECT_EQ(Rows->Codes.back(), SB_LINEDOWN);

    // Far above scrolls up, at the fastest.
    MouseMove(Rows, 60, -200);
    EXPECT_EQ(Screen->GetCursor(), crRollUp);
    const int Reached = V->GetPosition();
    ASSERT_TRUE(PumpUntil([&] { return V->GetPosition() < Reached; }));
    EXPECT_EQ(Rows->GetRollTimer()->GetInterval(), 1u);

    MouseUp(Rows, 60, -200, mbMiddle);
    EXPECT_FALSE(Rows->GetViewState().Contains(vsRolling));
    EXPECT_FALSE(Rows->GetRollTimer()->GetEnabled());
    EXPECT_FALSE(IsWindowVisible(Shadow->GetHandle()));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_FALSE(Rows->GetMouseCapture());
    const int Stopped = V->GetPosition();
    PumpFor(60);
    EXPECT_EQ(V->GetPosition(), Stopped);

    // Without rsRoll the middle button is just a button.
    Rows->SetScrollStyle({});
    MouseDown(Rows, 60, 70, mbMiddle);
    EXPECT_FALSE(Rows->GetViewState().Contains(vsRolling));
    MouseUp(Rows, 60, 70, mbMiddle);
}

// Starts a roll that scrolls down from the top, and waits for its first step.
void StartRollingDown(TRowsControl* Rows)
{
    Rows->GetVertScrollBar()->SetPosition(0);
    MouseDown(Rows, 60, 70, mbMiddle);
    MouseMove(Rows, 60, 150);
    ASSERT_TRUE(PumpUntil([&] { return Rows->GetVertScrollBar()->GetPosition() > 0; }));
}

TEST_F(GxScrollControlRoll, ARollEndsWithTheMouseTheFocusTheActivationOrTheControlGoneAndOnEsc)
{
    auto* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    Other->SetLeft(220);
    TOwned<TForm> OtherForm(New<TForm>(Application));
    int EscKeys = 0;
    Rows->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { EscKeys += Key == VK_ESCAPE; };
    const std::pair<const char*, std::function<void()>> Enders[] = {
        {"capture", [&] { SetCapture(Form->GetHandle()); }},
        {"activation", [&] { ActivateWindow(OtherForm.get()); }},
        {"focus", [&] { Other->SetFocus(); }},
        {"hidden", [&] { Rows->Hide(); }},
        {"form hidden", [&] { Form->Hide(); }},
        {"Esc", [&] { PressKey(Rows, VK_ESCAPE, {}, u"\x1b"); }},
    };
    for (const auto& [Name, End] : Enders) {
        SCOPED_TRACE(Name);
        Form->Show();
        Rows->Show();
        ActivateWindow(Form);
        Rows->SetFocus();
        ProcessEvents();
        StartRollingDown(Rows);
        End();
        ProcessEvents();
        EXPECT_FALSE(Rows->GetViewState().Contains(vsRolling));
        EXPECT_FALSE(Rows->GetRollTimer()->GetEnabled());
        EXPECT_FALSE(IsWindowVisible(Rows->GetRollShadow()->GetHandle()));
        EXPECT_EQ(Screen->GetCursor(), crDefault);
        EXPECT_FALSE(Rows->GetMouseCapture());
        const int Stopped = Rows->GetVertScrollBar()->GetPosition();
        PumpFor(50);
        EXPECT_EQ(Rows->GetVertScrollBar()->GetPosition(), Stopped);
        ReleaseCapture();
    }
    EXPECT_EQ(EscKeys, 1); // the control's own event sees the key first
}

TEST_F(GxScrollControlRoll, FreeingARollingControlGivesBackTheCursorAndTheMouse)
{
    StartRollingDown(Rows);
    FreeAndNil(Rows);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(GetCapture(), nullptr);
    PumpFor(30);
}

} // namespace
