#include "ControlFixtures.h"
#include "platform/testing/Scroll.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinScroll.h"

#include <algorithm>

#include <utility>

namespace {

using namespace platform::test;
using WindowScrollBarsTest = TFormTest;

// A painted control with both window scroll bars that records its scroll
// and wheel messages (code, 16-bit position, and the track position the
// window answers meanwhile) and moves its bar only when told to.
class TScrolledProbe : public TProbeControl {
public:
    using TProbeControl::TProbeControl;
    struct TScroll {
        UINT Msg;
        int Code;
        int Pos16;
        int TrackPos;
    };
    std::vector<TScroll> Scrolls;
    std::vector<int> Wheels;
    int Sizes = 0;
    bool Follow = false; // set the bar's position as a scroll control would

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TProbeControl::CreateParams(Params);
        Params.Style |= WS_HSCROLL | WS_VSCROLL;
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void WMVScroll(TMessage& M) override { Record(M, SB_VERT); }
    void WMHScroll(TMessage& M) override { Record(M, SB_HORZ); }
    void WMMouseWheel(TMessage& M) override { Wheels.push_back(TWMMouseWheel(M).WheelDelta); }
    void WMSize(TMessage& M) override
    {
        ++Sizes;
        TProbeControl::WMSize(M);
    }

private:
    void Record(const TMessage& M, int Bar)
    {
        const TWMScroll S(M);
        SCROLLINFO Info;
        Info.fMask = SIF_TRACKPOS | SIF_POS;
        GetScrollInfo(GetHandle(), Bar, &Info);
        Scrolls.push_back({M.Msg, S.ScrollCode, S.Pos, Info.nTrackPos});
        if (!Follow) return;
        int Pos = Info.nPos;
        if (S.ScrollCode == SB_LINEDOWN) ++Pos;
        if (S.ScrollCode == SB_LINEUP) --Pos;
        if (S.ScrollCode == SB_THUMBTRACK || S.ScrollCode == SB_THUMBPOSITION) Pos = Info.nTrackPos;
        SetScrollPos(GetHandle(), Bar, Pos, true);
    }
};

std::vector<int> Codes(const std::vector<TScrolledProbe::TScroll>& Scrolls)
{
    std::vector<int> Result;
    for (const auto& S : Scrolls)
        Result.push_back(S.Code);
    return Result;
}

TScrolledProbe* PlaceProbe(TWinControl* Parent)
{
    auto* C = New<TScrolledProbe>(Parent);
    C->SetBounds(10, 10, 200, 120);
    C->SetParent(Parent);
    return C;
}

void SetRange(TWinControl* C, int Bar, int Min, int Max, UINT Page, UINT Extra = 0)
{
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | Extra;
    Info.nMin = Min;
    Info.nMax = Max;
    Info.nPage = Page;
    SetScrollInfo(C->GetHandle(), Bar, &Info, true);
}

TEST_F(WindowScrollBarsTest, TheHighestPositionIsMaxLessPagePlusOne)
{
    auto* C = PlaceProbe(Form);
    SetRange(C, SB_VERT, 0, 99, 10);
    EXPECT_EQ(SetScrollPos(C->GetHandle(), SB_VERT, 1000, true), 0);
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), 90);
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(C->GetHandle(), SB_VERT, &Info));
    EXPECT_EQ(std::pair(Info.nMin, Info.nMax), std::pair(0, 99));
    EXPECT_EQ(Info.nPage, 10u);
    EXPECT_EQ(Info.nTrackPos, 90);
    SetScrollPos(C->GetHandle(), SB_VERT, -4, true);
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), 0);

    // A page wider than the range shrinks to it; a reversed range is none.
    SetRange(C, SB_HORZ, 5, 9, 100);
    Info.fMask = SIF_ALL;
    GetScrollInfo(C->GetHandle(), SB_HORZ, &Info);
    EXPECT_EQ(Info.nPage, 5u);
    SetRange(C, SB_HORZ, 9, 5, 0);
    int Min = -1, Max = -1;
    GetScrollRange(C->GetHandle(), SB_HORZ, &Min, &Max);
    EXPECT_EQ(std::pair(Min, Max), std::pair(0, 0));
}

TEST_F(WindowScrollBarsTest, BarsComeAndGoWithTheRangeAndTheClientAreaFollows)
{
    auto* C = PlaceProbe(Form);
    // A new window shows both bars inside its client edge.
    EXPECT_TRUE(ScrollBarShown(C, SB_VERT));
    EXPECT_EQ(C->GetClientWidth(), 200 - 4 - 17);
    EXPECT_EQ(C->GetClientHeight(), 120 - 4 - 17);
    EXPECT_EQ(ScrollBarRect(C, SB_VERT), Bounds(C->GetClientWidth(), 0, 17, C->GetClientHeight()));
    EXPECT_EQ(ScrollBarRect(C, SB_HORZ), Bounds(0, C->GetClientHeight(), C->GetClientWidth(), 17));

    const int Sizes = C->Sizes;
    SetRange(C, SB_VERT, 0, 9, 10); // nothing to scroll: the bar goes
    EXPECT_FALSE(ScrollBarShown(C, SB_VERT));
    EXPECT_EQ(C->GetClientWidth(), 196);
    EXPECT_GT(C->Sizes, Sizes);
    EXPECT_EQ(ScrollBarRect(C, SB_HORZ), Bounds(0, C->GetClientHeight(), 196, 17));
    SetRange(C, SB_VERT, 0, 10, 10); // one step to scroll: it comes back
    EXPECT_TRUE(ScrollBarShown(C, SB_VERT));
    EXPECT_EQ(C->GetClientWidth(), 179);

    // Asked to, a bar with nothing to scroll stays, disabled.
    SetRange(C, SB_VERT, 0, 0, 0, SIF_DISABLENOSCROLL);
    EXPECT_TRUE(ScrollBarShown(C, SB_VERT));
    EXPECT_FALSE(ScrollBarEnabled(C, SB_VERT));
    SetRange(C, SB_VERT, 0, 50, 10);
    EXPECT_TRUE(ScrollBarEnabled(C, SB_VERT));

    ShowScrollBar(C->GetHandle(), SB_BOTH, false);
    EXPECT_FALSE(ScrollBarShown(C, SB_HORZ));
    EXPECT_EQ(C->GetClientRect(), Rect(0, 0, 196, 116));
    EXPECT_EQ(GetWindowLongA(C->GetHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    ShowScrollBar(C->GetHandle(), SB_HORZ, true);
    EXPECT_TRUE(ScrollBarShown(C, SB_HORZ));
    EXPECT_EQ(C->GetClientRect(), Rect(0, 0, 196, 99));

    EnableScrollBar(C->GetHandle(), SB_HORZ, ESB_DISABLE_BOTH);
    EXPECT_FALSE(ScrollBarEnabled(C, SB_HORZ));
    C->Scrolls.clear();
    ClickScrollBar(C, SB_HORZ, sbpLineDown);
    EXPECT_TRUE(C->Scrolls.empty());

    // The bars follow a new size of the window.
    C->SetBounds(10, 10, 150, 100);
    EXPECT_EQ(ScrollBarRect(C, SB_HORZ), Bounds(0, 100 - 4 - 17, 146, 17));
}

TEST_F(WindowScrollBarsTest, ArrowsAndTrackBecomeScrollCodesAndTheBarWaitsForTheWindow)
{
    auto* C = PlaceProbe(Form);
    SetRange(C, SB_VERT, 0, 99, 10);
    SetScrollPos(C->GetHandle(), SB_VERT, 40, true);
    ClickScrollBar(C, SB_VERT, sbpLineDown);
    ClickScrollBar(C, SB_VERT, sbpLineUp);
    ClickScrollBar(C, SB_VERT, sbpPageDown);
    ClickScrollBar(C, SB_VERT, sbpPageUp);
    EXPECT_EQ(Codes(C->Scrolls), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL, SB_PAGEDOWN,
                                                   SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL}));
    for (const auto& S : C->Scrolls) {
        EXPECT_EQ(S.Msg, WM_VSCROLL);
        EXPECT_EQ(S.Pos16, 0);
    }
    // Nobody moved it: the bar stays where the window put it.
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), 40);

    C->Scrolls.clear();
    SetRange(C, SB_HORZ, 0, 99, 10);
    ClickScrollBar(C, SB_HORZ, sbpLineDown);
    ASSERT_EQ(C->Scrolls.size(), 2u);
    EXPECT_EQ(C->Scrolls[0].Msg, WM_HSCROLL);
    EXPECT_EQ(C->Scrolls[0].Code, SB_LINERIGHT);

    // A window that follows its bar sees it move.
    C->Follow = true;
    ClickScrollBar(C, SB_VERT, sbpLineDown);
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), 41);
}

TEST_F(WindowScrollBarsTest, DraggingTheThumbTracksThenSetsThePositionWithAllItsBits)
{
    auto* C = PlaceProbe(Form);
    SetRange(C, SB_VERT, 0, 200000, 1000);
    DragScrollThumb(C, SB_VERT, 300, 3, false);
    ASSERT_FALSE(C->Scrolls.empty());
    for (const auto& S : C->Scrolls)
        EXPECT_EQ(S.Code, SB_THUMBTRACK);
    const int Track = C->Scrolls.back().TrackPos;
    EXPECT_EQ(Track, 199001); // dragged to the end: the highest position
    EXPECT_EQ(C->Scrolls.back().Pos16, std::int16_t(Track & 0xFFFF));
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), 0); // the window did not follow
    for (std::size_t I = 1; I < C->Scrolls.size(); ++I)
        EXPECT_GT(C->Scrolls[I].TrackPos, C->Scrolls[I - 1].TrackPos);

    C->Scrolls.clear();
    DragScrollThumb(C, SB_VERT, 0, 1, true);
    EXPECT_EQ(Codes(C->Scrolls), (std::vector<int>{SB_THUMBPOSITION, SB_ENDSCROLL}));

    // With the window following, the drag ends where the thumb was let go.
    C->Follow = true;
    C->Scrolls.clear();
    DragScrollThumb(C, SB_VERT, 40, 2, true);
    ASSERT_GE(C->Scrolls.size(), 3u);
    EXPECT_EQ(C->Scrolls[C->Scrolls.size() - 2].Code, SB_THUMBPOSITION);
    const int Released = C->Scrolls[C->Scrolls.size() - 2].TrackPos;
    EXPECT_GT(Released, 0);
    EXPECT_EQ(GetScrollPos(C->GetHandle(), SB_VERT), Released);
    // After the drag the track position is the position again.
    SCROLLINFO Info;
    Info.fMask = SIF_TRACKPOS;
    GetScrollInfo(C->GetHandle(), SB_VERT, &Info);
    EXPECT_EQ(Info.nTrackPos, Released);
}

TEST_F(WindowScrollBarsTest, TheWheelOverABarIsTheWindowsWheel)
{
    auto* C = PlaceProbe(Form);
    SetRange(C, SB_VERT, 0, 99, 10);
    WheelOnScrollBar(C, SB_VERT, -WHEEL_DELTA);
    EXPECT_EQ(C->Wheels, (std::vector<int>{-WHEEL_DELTA}));
    EXPECT_TRUE(C->Scrolls.empty());
    // A burst too long for the message's 16 bits comes as several whole-notch messages.
    C->Wheels.clear();
    MouseWheel(C, 20, 20, -400 * WHEEL_DELTA);
    int Sum = 0;
    for (int W : C->Wheels) {
        EXPECT_EQ(W % WHEEL_DELTA, 0);
        Sum += W;
    }
    EXPECT_GT(C->Wheels.size(), 1u);
    EXPECT_EQ(Sum, -400 * WHEEL_DELTA);
}

TEST_F(WindowScrollBarsTest, HitTestsFindTheFrameTheBarsAndTheCorner)
{
    auto* C = PlaceProbe(Form);
    auto Hit = [&](int X, int Y) {
        const TPoint P = C->ClientToScreen(TPoint(X, Y));
        return SendMessageA(C->GetHandle(), WM_NCHITTEST, 0, MAKELONG(WORD(P.X), WORD(P.Y)));
    };
    const int W = C->GetClientWidth(), H = C->GetClientHeight();
    EXPECT_EQ(Hit(0, 0), HTCLIENT);
    EXPECT_EQ(Hit(-1, 5), HTBORDER);
    EXPECT_EQ(Hit(W, 0), HTVSCROLL);
    EXPECT_EQ(Hit(W + 16, H - 1), HTVSCROLL);
    EXPECT_EQ(Hit(W + 17, 5), HTBORDER);
    EXPECT_EQ(Hit(0, H), HTHSCROLL);
    EXPECT_EQ(Hit(W, H), HTSIZE);
    EXPECT_EQ(Hit(W + 16, H + 16), HTSIZE);
    EXPECT_EQ(Hit(W + 19, H + 19), HTNOWHERE);
    ShowScrollBar(C->GetHandle(), SB_VERT, false);
    EXPECT_EQ(Hit(W, 0), HTCLIENT);
    EXPECT_EQ(Hit(C->GetClientWidth(), 0), HTBORDER);
}

TEST_F(WindowScrollBarsTest, TheFramePaintsAroundTheBarsAndTheCorner)
{
    auto* C = PlaceProbe(Form);
    C->Fill = clAqua;
    const int W = C->GetClientWidth(), H = C->GetClientHeight();
    EXPECT_EQ(PixelAt(C, 0, 0), clAqua);
    EXPECT_EQ(PixelAt(C, -2, -2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(C, W + 17, H + 17), ColorToRGB(cl3DLight));
    EXPECT_EQ(PixelAt(C, W + 18, H + 18), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(C, W + 8, H + 8), ColorToRGB(clBtnFace)); // the corner square
    // A window of its own paints its frame through a window device context.
    EXPECT_TRUE(SaveWindowImage(C, "/tmp/quillmote-window-scroll-bars.png"));
}

// Three probes inside a part as the window shows it: near its top-left
// corner, further in, and near its bottom-right corner.
std::vector<TColor> Look(TWinControl* C, TScrollBarPart Part)
{
    const TRect R = ScrollBarPartRect(C, SB_VERT, Part);
    return {ShownPixelAt(C, R.Left + 1, R.Top + 1), ShownPixelAt(C, R.Left + 3, R.Top + 3),
            ShownPixelAt(C, R.Right - 2, R.Bottom - 2)};
}

// The largest difference of one channel between two looks.
int Change(const std::vector<TColor>& A, const std::vector<TColor>& B)
{
    int Most = 0;
    for (std::size_t I = 0; I < A.size(); ++I)
        for (int Shift : {0, 8, 16})
            Most = std::max(Most, std::abs(int((A[I] >> Shift) & 0xFF) - int((B[I] >> Shift) & 0xFF)));
    return Most;
}

TEST_F(WindowScrollBarsTest, PartsShowHotAndPressedAsTheSystemDrawsThem)
{
    auto* C = PlaceProbe(Form);
    SetRange(C, SB_VERT, 0, 99, 20);
    SetScrollPos(C->GetHandle(), SB_VERT, 30, true);
    const TScrollBarPart Parts[] = {sbpLineUp, sbpLineDown, sbpThumb, sbpPageUp, sbpPageDown};
    std::vector<std::vector<TColor>> Normal;
    for (TScrollBarPart P : Parts)
        Normal.push_back(Look(C, P));
    // Changed clearly shows on Part alone; every other part looks as it did.
    auto Expect = [&](const char* When, TScrollBarPart Changed, bool Shows) {
        for (std::size_t I = 0; I < std::size(Parts); ++I) {
            SCOPED_TRACE(std::string(When) + ", part " + std::to_string(Parts[I]));
            if (Parts[I] == Changed && Shows)
                EXPECT_GT(Change(Look(C, Parts[I]), Normal[I]), 40);
            else
                EXPECT_EQ(Look(C, Parts[I]), Normal[I]);
        }
    };
    // The classic look has no hot parts and no pressed thumb, as on Windows.
    const bool Themed = IsThemeActive();
    HoverScrollBar(C, SB_VERT, sbpLineUp);
    Expect("over the arrow", sbpLineUp, Themed);
    HoverScrollBar(C, SB_VERT, sbpThumb);
    Expect("over the thumb", sbpThumb, Themed);
    LeaveScrollBar(C, SB_VERT);
    Expect("gone", sbpThumb, false);

    for (TScrollBarPart P : {sbpLineUp, sbpThumb, sbpPageDown}) {
        PressScrollBar(C, SB_VERT, P);
        Expect("pressed", P, Themed || P != sbpThumb);
        ReleaseScrollBar(C, SB_VERT, P);
        LeaveScrollBar(C, SB_VERT);
        Expect("released", P, false);
    }
    // A classic pressed page is dark.
    PressScrollBar(C, SB_VERT, sbpPageDown);
    if (!Themed) {
        EXPECT_EQ(Look(C, sbpPageDown)[1], ColorToRGB(cl3DDkShadow));
    }
    ReleaseScrollBar(C, SB_VERT, sbpPageDown);
}

// A bordered control that keeps a strip of its own above the client area
// and paints it through a window device context.
class TStripProbe : public TProbeControl {
public:
    using TProbeControl::TProbeControl;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TProbeControl::CreateParams(Params);
        Params.Style |= WS_BORDER | WS_VSCROLL;
        Params.ExStyle |= WS_EX_STATICEDGE;
    }
    void WMNCCalcSize(TMessage& M) override
    {
        TProbeControl::WMNCCalcSize(M);
        reinterpret_cast<NCCALCSIZE_PARAMS*>(M.LParam)->rgrc[0].top += 3;
    }
    void WMNCPaint(TMessage& M) override
    {
        TProbeControl::WMNCPaint(M);
        HDC DC = GetWindowDC(GetHandle());
        TCanvas Canvas;
        Canvas.SetHandle(DC);
        Canvas.GetBrush()->SetColor(clRed);
        Canvas.FillRect(Rect(2, 2, GetWidth() - 2, 5));
        Canvas.SetHandle(nullptr);
        ReleaseDC(GetHandle(), DC);
    }
};

TEST_F(WindowScrollBarsTest, AControlMayAddToItsFrameAndPaintIt)
{
    auto* C = New<TStripProbe>(Form);
    C->SetBounds(10, 10, 100, 60);
    C->SetParent(Form);
    C->Fill = clAqua;
    // Border and static edge: 2 pixels; the strip: 3 more at the top; the bar: 17 at the right.
    EXPECT_EQ(C->GetClientRect(), Rect(0, 0, 100 - 4 - 17, 60 - 4 - 3));
    EXPECT_EQ(PixelAt(C, 0, 0), clAqua);
    EXPECT_EQ(PixelAt(C, 0, -1), clRed);
    EXPECT_EQ(PixelAt(C, 0, -3), clRed);
    EXPECT_EQ(PixelAt(C, -1, 5), ColorToRGB(clBtnShadow));   // the static edge
    EXPECT_EQ(PixelAt(C, -2, 5), ColorToRGB(clWindowFrame)); // the border
    // The bar stands inside the frame, beside the strip as well.
    EXPECT_EQ(ScrollBarRect(C, SB_VERT), Bounds(C->GetClientWidth(), -3, 17, 60 - 4));
    const TPoint Strip = C->ClientToScreen(TPoint(5, -2));
    EXPECT_EQ(SendMessageA(C->GetHandle(), WM_NCHITTEST, 0, MAKELONG(WORD(Strip.X), WORD(Strip.Y))), HTBORDER);
    const TPoint Bar = C->ClientToScreen(TPoint(C->GetClientWidth() + 3, -2));
    EXPECT_EQ(SendMessageA(C->GetHandle(), WM_NCHITTEST, 0, MAKELONG(WORD(Bar.X), WORD(Bar.Y))), HTVSCROLL);
}

TEST_F(WindowScrollBarsTest, ADefaultCancelModeEndsTheWindowsCapture)
{
    auto* C = PlaceProbe(Form);
    SetCapture(C->GetHandle());
    ASSERT_EQ(GetCapture(), C->GetHandle());
    SendMessageA(C->GetHandle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowScrollBarsTest, APostedTabKeyMovesTheFocusAsATypedOneDoes)
{
    auto* A = New<TProbeControl>(Form);
    A->SetParent(Form);
    auto* B = New<TProbeControl>(Form);
    B->SetParent(Form);
    B->SetTop(60);
    ActivateWindow(Form);
    A->SetFocus();
    ProcessEvents();
    ASSERT_TRUE(A->Focused());
    PostMessageA(Form->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(A->Focused());
    ProcessEvents();
    EXPECT_TRUE(B->Focused());
}

} // namespace
