#include "components/SizeGripThemed.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Labels.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UxTheme.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using namespace SizeGripThemed;
using namespace platform::test;

namespace {

bool ThemesOn()
{
    return IsThemeActive() && IsAppThemed();
}

// A right-to-left locale for the life of the object.
struct TMiddleEastLocale {
    const bool Was = std::exchange(SysLocale.MiddleEast, true);
    ~TMiddleEastLocale() { SysLocale.MiddleEast = Was; }
};

// A shown form with a flat 200 x 100 panel (as the main window's bottom
// panel, without bevels), and grips made the way code makes them.
class SizeGripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = New<TForm>(Application);
        Form->SetBounds(50, 40, 400, 300);
        Panel = New<TPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBevelOuter(bvNone);
        Panel->SetBounds(10, 10, 200, 100);
        Form->Show();
        ProcessEvents();
        Face = ColorToRGB(Panel->GetColor());
        Shadow = ColorToRGB(clBtnShadow);
        Highlight = ColorToRGB(clBtnHighlight);
        Middle = TColor(RGB((GetRValue(Face) + GetRValue(Shadow)) / 2, (GetGValue(Face) + GetGValue(Shadow)) / 2,
                            (GetBValue(Face) + GetBValue(Shadow)) / 2));
    }
    void TearDown() override
    {
        Grips.clear();
        FreeAndNil(Form);
        ProcessEvents();
    }

    template <typename T> T* MakeGrip(TWinControl* Target, TSizeGripStyle Style = sgsClassic)
    {
        auto* G = New<T>(nullptr);
        Grips.emplace_back(G);
        G->SetStyle(Style);
        G->SetTargetControl(Target);
        return G;
    }

    LRESULT HitTest(TWinControl* Control, int X, int Y)
    {
        const TPoint P = Control->ClientToScreen(TPoint(X, Y));
        return SendMessageA(Control->GetHandle(), WM_NCHITTEST, 0, MAKELONG(WORD(P.X), WORD(P.Y)));
    }

    TRect GripRect(TSizeGrip* Grip)
    {
        TRect R;
        Grip->GetGripRect(R);
        return R;
    }

    // True when some pixel of R (client coordinates of Control) is not the face colour.
    bool DrawnIn(TControl* Control, const TRect& R)
    {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (PixelAt(Control, X, Y) != Face) return true;
        return false;
    }

    // The six dots of the XP look in the square whose bottom-right corner is (Right, Bottom).
    void ExpectDots(TControl* Control, int Right, int Bottom)
    {
        struct TProbe {
            int DX, DY;
            TColor Color;
        };
        // The dot nearest the corner, pixel by pixel, and the gaps around it.
        const TProbe Probes[] = {{-4, -4, Shadow},    {-3, -4, Shadow},    {-4, -3, Shadow},    {-3, -3, Middle},
                                 {-2, -3, Highlight}, {-3, -2, Highlight}, {-2, -2, Highlight}, {-1, -1, Face},
                                 {-5, -4, Face},      {-8, -4, Shadow},    {-12, -4, Shadow},   {-4, -8, Shadow},
                                 {-8, -8, Shadow},    {-4, -12, Shadow},   {-12, -8, Face},     {-8, -12, Face},
                                 {-12, -12, Face},    {-5, -5, Face}};
        for (const TProbe& P : Probes)
            EXPECT_EQ(PixelAt(Control, Right + P.DX, Bottom + P.DY), P.Color) << P.DX << "," << P.DY;
    }

    TForm* Form = nullptr;
    TPanel* Panel = nullptr;
    TColor Face = 0, Shadow = 0, Highlight = 0, Middle = 0;
    std::vector<std::unique_ptr<TSizeGrip, FreeDeleter>> Grips;
};

TEST_F(SizeGripTest, TheGripIsASquareInTheCornerOfTheScrollBarsSideAndAnswersTheHitTestThere)
{
    auto* Grip = MakeGrip<TSizeGrip>(Panel);
    EXPECT_EQ(GripRect(Grip), TRect(185, 85, 200, 100));
    const struct {
        int X, Y;
        LRESULT Hit;
    } Probes[] = {{190, 95, HTBOTTOMRIGHT}, {185, 85, HTBOTTOMRIGHT}, {199, 99, HTBOTTOMRIGHT},
                  {184, 95, HTCLIENT},      {190, 84, HTCLIENT},      {5, 95, HTCLIENT}};
    for (const auto& P : Probes)
        EXPECT_EQ(HitTest(Panel, P.X, P.Y), P.Hit) << P.X << "," << P.Y;
    MouseMove(Panel, 198, 98);
    EXPECT_EQ(WindowCursor(Panel), crSizeNWSE);
    MouseMove(Panel, 100, 50);
    EXPECT_EQ(WindowCursor(Panel), crArrow);

    // A right-to-left reading order alone keeps the grip on the right; a
    // right-to-left scroll bar takes it to the bottom left corner.
    Panel->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(GripRect(Grip), TRect(185, 85, 200, 100));
    Grips.clear();
    TMiddleEastLocale Locale;
    Grip = MakeGrip<TSizeGrip>(Panel);
    EXPECT_EQ(GripRect(Grip), TRect(0, 85, 15, 100));
    EXPECT_EQ(HitTest(Panel, 5, 95), HTBOTTOMLEFT);
    EXPECT_EQ(HitTest(Panel, 15, 95), HTCLIENT);
    EXPECT_EQ(HitTest(Panel, 190, 95), HTCLIENT);
    MouseMove(Panel, 5, 95);
    EXPECT_EQ(WindowCursor(Panel), crSizeNESW);

    // Reading order only: the scroll bar, and the grip, stay on the right.
    Panel->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_EQ(GripRect(Grip), TRect(185, 85, 200, 100));
    Panel->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_EQ(GripRect(Grip), TRect(0, 85, 15, 100));
}

TEST_F(SizeGripTest, TheThemedGripIsTheStatusGripperAsLargeAsAScrollBarOrElseThePlainGrip)
{
    auto* Grip = MakeGrip<TSizeGripThemed>(Panel, sgsWinXP);
    const TRect R = GripRect(Grip);
    if (ThemesOn()) {
        EXPECT_GE(R.Width(), GetSystemMetrics(SM_CXVSCROLL));
        EXPECT_GE(R.Height(), GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_EQ(R.Width(), R.Height());
        EXPECT_EQ(R.BottomRight(), TPoint(200, 100));
        EXPECT_EQ(HitTest(Panel, R.Left, R.Top), HTBOTTOMRIGHT);
        EXPECT_EQ(HitTest(Panel, R.Left - 1, R.Top), HTCLIENT);
        EXPECT_TRUE(DrawnIn(Panel, R));
        // Clipped to its square.
        for (int I = 0; I < 100; ++I) {
            EXPECT_EQ(PixelAt(Panel, R.Left - 1, I), Face);
            if (I < R.Top) {
                EXPECT_EQ(PixelAt(Panel, 199, I), Face);
            }
        }
        // Not the plain dots: the theme drew it.
        bool PlainDots = true;
        for (auto [X, Y, Color] :
             {std::tuple{196, 96, Shadow}, std::tuple{197, 97, Middle}, std::tuple{198, 98, Highlight},
              std::tuple{192, 96, Shadow}, std::tuple{196, 92, Shadow}})
            PlainDots = PlainDots && PixelAt(Panel, X, Y) == Color;
        EXPECT_FALSE(PlainDots);
        {
            TMiddleEastLocale Locale;
            Panel->SetBiDiMode(bdRightToLeft);
            EXPECT_EQ(GripRect(Grip), TRect(0, R.Top, R.Width(), 100));
            Panel->SetBiDiMode(bdLeftToRight);
        }
        // Switching the theme off repaints the larger square.
        Grip->SetThemed(false);
        EXPECT_FALSE(DrawnIn(Panel, TRect(R.Left, R.Top, 185, 100)));
        EXPECT_FALSE(DrawnIn(Panel, TRect(185, R.Top, 200, 85)));
    }
    // Unthemed, or without visual styles, it is the plain grip with its dots.
    EXPECT_EQ(GripRect(Grip), TRect(185, 85, 200, 100));
    EXPECT_EQ(HitTest(Panel, 185, 85), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(Panel, 184, 85), HTCLIENT);
    ExpectDots(Panel, 200, 100);
}

TEST_F(SizeGripTest, DisablingOrFreeingTheGripGivesTheTargetItsOwnProcedureBack)
{
    const HWND Wnd = Panel->GetHandle();
    const LONG_PTR Own = GetWindowLongA(Wnd, GWL_WNDPROC);
    auto* Grip = MakeGrip<TSizeGrip>(Panel);
    EXPECT_NE(GetWindowLongA(Wnd, GWL_WNDPROC), Own);

    Grip->SetEnabled(false);
    EXPECT_EQ(GetWindowLongA(Wnd, GWL_WNDPROC), Own);
    EXPECT_EQ(HitTest(Panel, 190, 95), HTCLIENT);
    Grip->SetEnabled(true);
    EXPECT_EQ(HitTest(Panel, 190, 95), HTBOTTOMRIGHT);

    // A hook put on top of the grip's keeps working when the grip goes from
    // under it, and the chain still ends at the target's own procedure.
    int Seen = 0;
    TWindowHook Hook;
    Hook.Hook(Wnd, [&](TMessage& M) {
        if (M.Msg == WM_NCHITTEST) ++Seen;
        Hook.PassOn(M);
    });
    EXPECT_EQ(HitTest(Panel, 190, 95), HTBOTTOMRIGHT);
    Grips.clear();
    EXPECT_EQ(HitTest(Panel, 190, 95), HTCLIENT);
    EXPECT_EQ(Seen, 2);
    Hook.Unhook();
    EXPECT_EQ(GetWindowLongA(Wnd, GWL_WNDPROC), Own);
}

TEST_F(SizeGripTest, FreeingTheTargetFirstLeavesTheGripDetached)
{
    // A target from elsewhere (free notification) and one owned with the
    // grip by the same form (told through the owner).
    auto* Grip = MakeGrip<TSizeGripThemed>(Panel, sgsWinXP);
    FreeAndNil(Panel);
    EXPECT_EQ(Grip->GetTargetControl(), nullptr);
    EXPECT_EQ(GripRect(Grip), TRect());

    auto* Other = New<TPanel>(Form);
    Other->SetParent(Form);
    auto* Sibling = New<TSizeGrip>(Form);
    EXPECT_EQ(Sibling->GetTargetControl(), Form); // made by code: its owner is the target
    Sibling->SetTargetControl(Other);
    Free(Other);
    EXPECT_EQ(Sibling->GetTargetControl(), nullptr);
    ProcessEvents();
    Sibling->SetEnabled(false);
    Sibling->SetEnabled(true); // nothing to attach to
    // The form it started on answers its own corner again.
    EXPECT_EQ(HitTest(Form, 395, 295), HTCLIENT);
}

TEST_F(SizeGripTest, AGripMadeByCodeTakesItsOwnerOrTheOwnersParent)
{
    auto* OnPanel = New<TSizeGrip>(Panel);
    EXPECT_EQ(OnPanel->GetTargetControl(), Panel);
    EXPECT_EQ(HitTest(Panel, 190, 95), HTBOTTOMRIGHT);

    auto* Label = New<TLabel>(Form);
    Label->SetParent(Panel);
    auto* OnLabel = New<TSizeGripXP>(Label);
    EXPECT_EQ(OnLabel->GetTargetControl(), Panel);
    EXPECT_EQ(OnLabel->GetStyle(), sgsWinXP);

    // One made while its owner loads waits for its stored target.
    Form->SetLoading(true);
    auto* Loaded = New<TSizeGrip>(Form);
    Form->SetLoading(false);
    EXPECT_EQ(Loaded->GetTargetControl(), nullptr);
    Free(Loaded);
}

TEST_F(SizeGripTest, TheClassicGripIsThreeRidgesOfDiagonalLines)
{
    MakeGrip<TSizeGrip>(Panel);
    // Along the bottom row from the corner: each ridge is shadow, middle,
    // highlight, then a face-coloured gap.
    const TColor Row[] = {Face,      Shadow, Middle, Highlight, Face,      Shadow, Middle,
                          Highlight, Face,   Shadow, Middle,    Highlight, Face};
    for (int I = 0; I < 13; ++I) {
        EXPECT_EQ(PixelAt(Panel, 199 - I, 99), Row[I]) << "row x " << 199 - I;
        EXPECT_EQ(PixelAt(Panel, 199, 99 - I), Row[I]) << "column y " << 99 - I;
    }
    // The lines run diagonally, up to the right.
    EXPECT_EQ(PixelAt(Panel, 196, 97), Shadow);
    EXPECT_EQ(PixelAt(Panel, 194, 97), Highlight);
    EXPECT_EQ(PixelAt(Panel, 193, 97), Face);
    EXPECT_EQ(PixelAt(Panel, 186, 86), Face);
    EXPECT_EQ(PixelAt(Panel, 184, 99), Face);
}

TEST_F(SizeGripTest, ARightToLeftGripIsDrawnInTheBottomLeftCorner)
{
    TMiddleEastLocale Locale;
    Panel->SetBiDiMode(bdRightToLeft);
    MakeGrip<TSizeGrip>(Panel);
    EXPECT_EQ(PixelAt(Panel, 13, 99), Shadow);
    EXPECT_EQ(PixelAt(Panel, 12, 99), Middle);
    EXPECT_EQ(PixelAt(Panel, 11, 99), Highlight);
    EXPECT_FALSE(DrawnIn(Panel, TRect(185, 85, 200, 100)));
}

TEST_F(SizeGripTest, TheXPGripIsSixDotsWhichAPaintIntoTheCallersDeviceContextLeavesAlone)
{
    MakeGrip<TSizeGrip>(Panel, sgsWinXP);
    ExpectDots(Panel, 200, 100);
    EXPECT_EQ(PixelAt(Panel, 184, 99), Face);
    // Paint the grip over with the face colour, straight into the window.
    const HWND Wnd = Panel->GetHandle();
    HDC DC = GetDC(Wnd);
    {
        TCanvas Canvas;
        Canvas.SetHandle(DC);
        Canvas.GetBrush()->SetColor(Face);
        Canvas.FillRect(TRect(185, 85, 200, 100));
        Canvas.SetHandle(nullptr);
    }
    ReleaseDC(Wnd, DC);
    ASSERT_FALSE(DrawnIn(Panel, TRect(185, 85, 200, 100)));

    HDC Measuring = GetDC(nullptr);
    SendMessageA(Wnd, WM_PAINT, WPARAM(Measuring), 0);
    ReleaseDC(nullptr, Measuring);
    EXPECT_FALSE(DrawnIn(Panel, TRect(185, 85, 200, 100)));

    // The window's own paint brings it back.
    InvalidateRect(Wnd, nullptr, true);
    ExpectDots(Panel, 200, 100);
}

TEST_F(SizeGripTest, ResizingTheTargetMovesAndRepaintsTheGrip)
{
    auto* Grip = MakeGrip<TSizeGripThemed>(Panel, sgsWinXP);
    const TRect Old = GripRect(Grip);
    ASSERT_TRUE(DrawnIn(Panel, Old));
    Panel->SetBounds(10, 10, 260, 140);
    const TRect New = GripRect(Grip);
    EXPECT_EQ(New.BottomRight(), TPoint(260, 140));
    EXPECT_TRUE(DrawnIn(Panel, New));
    // The old square is erased.
    EXPECT_FALSE(DrawnIn(Panel, Old));
    EXPECT_EQ(HitTest(Panel, 259, 139), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(Panel, 199, 99), HTCLIENT);
    if (!ThemesOn()) ExpectDots(Panel, 260, 140);
}

TEST_F(SizeGripTest, AHandlerMayDisableOrFreeTheGripWhileTheTargetResizes)
{
    auto* Grip = MakeGrip<TSizeGrip>(Panel, sgsWinXP);
    Panel->OnResize = [&](TObject*) { Grip->SetEnabled(false); };
    Panel->SetBounds(10, 10, 220, 110);
    EXPECT_EQ(HitTest(Panel, 215, 105), HTCLIENT);
    EXPECT_FALSE(DrawnIn(Panel, TRect(205, 95, 220, 110)));

    Grip->SetEnabled(true);
    EXPECT_EQ(HitTest(Panel, 215, 105), HTBOTTOMRIGHT);
    Panel->OnResize = [&](TObject*) { Grips.clear(); };
    Panel->SetBounds(10, 10, 240, 120);
    Panel->OnResize = nullptr;
    EXPECT_EQ(HitTest(Panel, 235, 115), HTCLIENT);
    PaintNow(Panel);
}

// A grip on a bottom panel of a form that cannot be made smaller than
// 500 x 450 nor wider than 700.
class SizeGripDragTest : public SizeGripTest {
protected:
    void SetUp() override
    {
        SizeGripTest::SetUp();
        Form->Hide();
        Form->GetConstraints()->SetMinWidth(500);
        Form->GetConstraints()->SetMinHeight(450);
        Form->GetConstraints()->SetMaxWidth(700);
        Form->SetBounds(50, 40, 600, 520);
        Panel->SetAlign(alBottom);
        Panel->SetHeight(40);
        Form->Show();
        ProcessEvents();
        Grip = MakeGrip<TSizeGripThemed>(Panel, sgsWinXP);
    }

    // A screen point of the panel as it stands now.
    TPoint OnPanel(int X, int Y) { return Panel->ClientToScreen(TPoint(X, Y)); }

    TSizeGripThemed* Grip = nullptr;
};

TEST_F(SizeGripDragTest, DraggingTheGripResizesTheFormWithinItsLimits)
{
    ASSERT_EQ(TPoint(Form->GetWidth(), Form->GetHeight()), TPoint(600, 520));
    const TPoint Start = OnPanel(Panel->GetWidth() - 3, Panel->GetHeight() - 3);
    auto To = [&](int DX, int DY) { MouseMoveAtScreen(TPoint(Start.X + DX, Start.Y + DY)); };

    MouseDownAtScreen(Start);
    // Each move, and the size the form takes within its limits.
    const int Moves[][4] = {
        {60, 50, 660, 570}, {-200, -150, 500, 450}, {-200, 100, 500, 620}, {300, -300, 700, 450}, {30, -300, 630, 450}};
    for (const auto& M : Moves) {
        To(M[0], M[1]);
        EXPECT_EQ(TPoint(Form->GetWidth(), Form->GetHeight()), TPoint(M[2], M[3])) << M[0] << "," << M[1];
        // The panel followed the form's bottom edge, still under the mouse.
        EXPECT_EQ(Panel->GetTop() + Panel->GetHeight(), Form->GetClientHeight());
    }
    MouseUpAtScreen(TPoint(Start.X + 30, Start.Y - 300));
    EXPECT_EQ(TPoint(Form->GetLeft(), Form->GetTop()), TPoint(50, 40));

    // Once released, the mouse moves without resizing; the grip went with the corner.
    To(100, 100);
    EXPECT_EQ(TPoint(Form->GetWidth(), Form->GetHeight()), TPoint(630, 450));
    EXPECT_EQ(HitTest(Panel, Panel->GetClientWidth() - 1, Panel->GetClientHeight() - 1), HTBOTTOMRIGHT);
}

TEST_F(SizeGripDragTest, APressOutsideTheGripOrOnADisabledOneResizesNothing)
{
    auto DragFrom = [&](int FromRight) {
        const TPoint Start = OnPanel(Panel->GetWidth() - FromRight, Panel->GetHeight() - 3);
        MouseDownAtScreen(Start);
        MouseMoveAtScreen(TPoint(Start.X + 50, Start.Y + 50));
        MouseUpAtScreen(TPoint(Start.X + 50, Start.Y + 50));
        return TPoint(Form->GetWidth(), Form->GetHeight());
    };
    EXPECT_EQ(DragFrom(40), TPoint(600, 520));
    Grip->SetEnabled(false);
    EXPECT_EQ(DragFrom(3), TPoint(600, 520));
}

} // namespace
