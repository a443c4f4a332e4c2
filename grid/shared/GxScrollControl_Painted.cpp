// grid/shared/GxScrollControl_Painted.cpp
// The painted vertical scroll bar and the bordered control that shows it.
#include "grid/shared/GxScrollControl.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinGdi.h"

#include <algorithm>

namespace GxScrollControl {

using namespace GxThemesSupport;

namespace {

bool Contains(const TRect& R, int X, int Y)
{
    return PtInRect(R, TPoint(X, Y));
}

} // namespace

// ---- TGxVertScrollBar: geometry ------------------------------------------------------------

TGxVertScrollBar::TGxVertScrollBar(TGxCustomScrollControl* AControl, TCanvas* ACanvas)
    : TGxCustomScrollBar(AControl, ACanvas), FWidth(GetSystemMetrics(SM_CXVSCROLL))
{
    SetPageSize(8);
}

void TGxVertScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

int TGxVertScrollBar::GetButtonSize() const
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

TRect TGxVertScrollBar::GetBoundsRect() const
{
    return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight);
}

TRect TGxVertScrollBar::GetClientRect() const
{
    return TRect(0, 0, FWidth, FHeight);
}

int TGxVertScrollBar::GetInnerHeight() const
{
    return FHeight - 2 * GetButtonSize();
}

TRect TGxVertScrollBar::GetButtonRect(TScrollButtonKind Kind) const
{
    const TRect B = GetBoundsRect();
    if (Kind == bkBack) return TRect(B.Left, B.Top, B.Right, B.Top + GetButtonSize());
    return TRect(B.Left, B.Bottom - GetButtonSize(), B.Right, B.Bottom);
}

TRect TGxVertScrollBar::GetThumbRect() const
{
    if (GetMax() < 1) return TRect();
    // Computed wide: positions and heights are the owner's to choose.
    const Int64 Travel = Int64(GetInnerHeight()) - GetPageSize();
    const int Top = int(Round(double(GetPosition()) * double(Travel) / GetMax())) + FTop + GetButtonSize();
    return TRect(FLeft, Top, FLeft + FWidth, Top + GetPageSize());
}

TRect TGxVertScrollBar::GetPageUpRect() const
{
    const TRect Thumb = GetThumbRect();
    return TRect(FLeft, GetButtonRect(bkBack).Bottom, FLeft + FWidth, Thumb.Top);
}

TRect TGxVertScrollBar::GetPageDownRect() const
{
    const TRect Thumb = GetThumbRect();
    return TRect(FLeft, Thumb.Bottom, FLeft + FWidth, GetButtonRect(bkForward).Top);
}

TRect TGxVertScrollBar::AreaRect(TScrollBarArea Area) const
{
    switch (Area) {
    case saBackBtn:
        return GetButtonRect(bkBack);
    case saForwardBtn:
        return GetButtonRect(bkForward);
    default:
        return GetThumbRect();
    }
}

TButtonState& TGxVertScrollBar::StateOf(TScrollBarArea Area)
{
    return Area == saBackBtn ? FBackButtonState : Area == saForwardBtn ? FForwardButtonState : FThumbState;
}

// ---- TGxVertScrollBar: moving -----------------------------------------------------------------

void TGxVertScrollBar::PageDown()
{
    MoveBy(GetLargeChange());
}

void TGxVertScrollBar::PageUp()
{
    MoveBy(-GetLargeChange());
}

void TGxVertScrollBar::UpdateScrollBar()
{
    GetControl()->Invalidate();
}

void TGxVertScrollBar::Refresh(TScrollBarArea Area)
{
    if (!GetControl()->HandleAllocated()) return;
    const TRect R = AreaRect(Area);
    InvalidateRect(GetControl()->GetHandle(), &R, false);
}

void TGxVertScrollBar::Push(TScrollBarArea Area, int Y)
{
    if (Area == saThumb) FGrabOffset = Y - GetThumbRect().Top;
    StateOf(Area).Include(tsPushed);
    Refresh(Area);
}

void TGxVertScrollBar::ReleaseAll()
{
    FBackButtonState.Exclude(tsPushed);
    FForwardButtonState.Exclude(tsPushed);
    FThumbState.Exclude(tsPushed);
}

void TGxVertScrollBar::DragThumbTo(int Y)
{
    // The thumb travels the track less its own height, as GetThumbRect places it.
    const Int64 Travel = Int64(GetInnerHeight()) - GetPageSize();
    if (Travel <= 0 || GetMax() < 1) return;
    const Int64 Offset = Int64(Y) - FTop - GetButtonSize();
    const Int64 Pos = Round(double(Offset) * GetMax() / double(Travel));
    const int Clamped = int(std::clamp<Int64>(Pos, 0, GetMax()));
    if (Clamped != GetPosition()) SetPosition(Clamped);
}

void TGxVertScrollBar::MouseMove(TShiftState, int X, int Y)
{
    for (TScrollBarArea Area : {saBackBtn, saForwardBtn, saThumb}) {
        TButtonState& State = StateOf(Area);
        const bool Inside = Contains(AreaRect(Area), X, Y);
        if (Inside == State.Contains(tsHover)) continue;
        if (Inside)
            State.Include(tsHover);
        else
            State.Exclude(tsHover);
        Refresh(Area);
    }
    if (FThumbState.Contains(tsPushed)) DragThumbTo(Y - FGrabOffset);
}

void TGxVertScrollBar::MouseLeave()
{
    for (TScrollBarArea Area : {saBackBtn, saForwardBtn, saThumb})
        if (StateOf(Area).Contains(tsHover)) {
            StateOf(Area).Exclude(tsHover);
            Refresh(Area);
        }
}

// ---- TGxVertScrollBar: painting ---------------------------------------------------------------------

bool TGxVertScrollBar::TrackPressed(TScrollDirection Direction) const
{
    const auto* Owner = dynamic_cast<const TGxControl*>(GetControl());
    return Owner && Owner->GetScrollDirection() == Direction;
}

void TGxVertScrollBar::Paint()
{
    if (GetMax() < 1) {
        PaintBackground(GetBoundsRect(), false);
    } else {
        PaintBackground(GetPageUpRect(), TrackPressed(sdPageUp));
        PaintThumb();
        PaintBackground(GetPageDownRect(), TrackPressed(sdPageDown));
    }
    PaintButton(GetButtonRect(bkBack), bkBack);
    PaintButton(GetButtonRect(bkForward), bkForward);
}

void TGxVertScrollBar::PaintBackground(const TRect& Rect, bool Pressed)
{
    if (Rect.Height() <= 0) return;
    TCanvas* Canvas = GetCanvas();
    if (IsThemed()) {
        ThemeRect(GetControl()->GetHandle(), Canvas->GetHandle(), Rect, u"scrollbar", SBP_LOWERTRACKVERT, 1);
        return;
    }
    TBrush* Brush = Canvas->GetBrush();
    if (Pressed) {
        Brush->SetColor(cl3DDkShadow);
        Canvas->FillRect(Rect);
        return;
    }
    Brush->SetBitmap(AllocPatternBitmap(clScrollBar, clBtnHighlight));
    Canvas->FillRect(Rect);
    Brush->SetBitmap(nullptr);
}

void TGxVertScrollBar::PaintButton(const TRect& Rect, TScrollButtonKind Kind)
{
    const TButtonState State = Kind == bkBack ? FBackButtonState : FForwardButtonState;
    TCanvas* Canvas = GetCanvas();
    if (IsThemed()) {
        int Part = Kind == bkBack ? ABS_UPNORMAL : ABS_DOWNNORMAL;
        if (State.Contains(tsPushed))
            Part += 2;
        else if (State.Contains(tsHover))
            Part += 1;
        ThemeRect(GetControl()->GetHandle(), Canvas->GetHandle(), Rect, u"scrollbar", SBP_ARROWBTN, Part);
        return;
    }
    UINT Look = (Kind == bkBack ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | DFCS_ADJUSTRECT;
    if (State.Contains(tsPushed)) Look |= DFCS_PUSHED | DFCS_FLAT;
    if (!GetEnabled()) Look |= DFCS_INACTIVE;
    TRect R = Rect;
    DrawFrameControl(Canvas->GetHandle(), &R, DFC_SCROLL, Look);
}

void TGxVertScrollBar::PaintThumb()
{
    TRect R = GetThumbRect();
    TCanvas* Canvas = GetCanvas();
    if (IsThemed()) {
        const int State = FThumbState.Contains(tsPushed)  ? SCRBS_PRESSED
                          : FThumbState.Contains(tsHover) ? SCRBS_HOT
                                                          : SCRBS_NORMAL;
        const HWND Wnd = GetControl()->GetHandle();
        ThemeRect(Wnd, Canvas->GetHandle(), R, u"scrollbar", SBP_THUMBBTNVERT, State);
        // The grip lines only where the thumb has room for them.
        if (R.Height() > 16) ThemeRect(Wnd, Canvas->GetHandle(), R, u"scrollbar", SBP_GRIPPERVERT, State);
        return;
    }
    DrawEdge(Canvas->GetHandle(), &R, EDGE_RAISED, BF_RECT | BF_ADJUST);
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(R);
}

// ---- TGxControl ----------------------------------------------------------------------------------

TGxControl::TGxControl(TComponent* AOwner) : TGxCustomScrollControl(AOwner)
{
    FDelayTimer.reset(New<TTimer>(nullptr));
    FDelayTimer->SetEnabled(false);
    FDelayTimer->SetInterval(300);
    FDelayTimer->SetOnTimer([this](TObject*) {
        FDelayTimer->SetEnabled(false);
        FIncrementTimer->SetEnabled(true);
    });
    FIncrementTimer.reset(New<TTimer>(nullptr));
    FIncrementTimer->SetEnabled(false);
    FIncrementTimer->SetInterval(50);
    FIncrementTimer->SetOnTimer([this](TObject*) { Step(); });
    FVertScrollBar.reset(New<TGxVertScrollBar>(this, GetCanvas()));
    FVertScrollBar->SetKind(skVertical);
}

TGxControl::~TGxControl() = default;

void TGxControl::BeforeDestruction()
{
    StopRepeat();
    TGxCustomScrollControl::BeforeDestruction();
}

int TGxControl::GetControlWidth()
{
    return GetClientWidth() - 4 - (FVertScrollBar->GetVisible() ? FVertScrollBar->GetButtonSize() : 0);
}

int TGxControl::GetControlHeight()
{
    return GetClientHeight() - 4;
}

TRect TGxControl::GetControlRect()
{
    return TRect(2, 2, GetControlWidth() + 2, GetControlHeight() + 2);
}

TRect TGxControl::GetVertScrollBarRect()
{
    const int Right = GetControlRect().Right;
    return TRect(Right, 2, Right + FVertScrollBar->GetButtonSize(), GetControlHeight() + 2);
}

void TGxControl::DrawBorder()
{
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    Canvas->GetBrush()->SetColor(clBlack);
    Canvas->FrameRect(R);
    InflateRect(R, -1, -1);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FrameRect(R);
}

void TGxControl::Paint()
{
    TGxCustomScrollControl::Paint();
    DrawBorder();
    if (FVertScrollBar->GetVisible()) FVertScrollBar->Paint();
}

// ---- TGxControl: the mouse on the bar ------------------------------------------------------------

void TGxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseDown(Button, Shift, X, Y);
    TGxVertScrollBar* Bar = FVertScrollBar.get();
    // One area acts, chosen with the rectangles of the moment of the press:
    // a page that moves the thumb under the pointer must not start a drag.
    const TRect Forward = Bar->GetButtonRect(bkForward);
    const TRect Back = Bar->GetButtonRect(bkBack);
    const TRect PageDown = Bar->GetPageDownRect();
    const TRect PageUp = Bar->GetPageUpRect();
    const TRect Thumb = Bar->GetThumbRect();
    if (Contains(Forward, X, Y)) {
        Bar->Push(saForwardBtn, Y);
        StartRepeat(sdLineDown);
    } else if (Contains(Back, X, Y)) {
        Bar->Push(saBackBtn, Y);
        StartRepeat(sdLineUp);
    } else if (Bar->GetMax() > 0 && Contains(PageDown, X, Y)) {
        StartRepeat(sdPageDown);
    } else if (Bar->GetMax() > 0 && Contains(PageUp, X, Y)) {
        StartRepeat(sdPageUp);
    } else if (Bar->GetMax() > 0 && Contains(Thumb, X, Y)) {
        Bar->Push(saThumb, Y);
    }
}

void TGxControl::StartRepeat(TScrollDirection Direction)
{
    FScrollDirection = Direction;
    Step();
    FDelayTimer->SetEnabled(true);
}

void TGxControl::Step()
{
    TGxVertScrollBar* Bar = FVertScrollBar.get();
    switch (FScrollDirection) {
    case sdLineUp:
        Bar->MoveBy(-1);
        break;
    case sdLineDown:
        Bar->MoveBy(1);
        break;
    case sdPageUp:
        Bar->PageUp();
        break;
    case sdPageDown:
        Bar->PageDown();
        break;
    case sdIdle:
        break;
    }
}

void TGxControl::StopRepeat()
{
    FDelayTimer->SetEnabled(false);
    FIncrementTimer->SetEnabled(false);
    if (FScrollDirection == sdIdle) return;
    FScrollDirection = sdIdle;
    Invalidate();
}

void TGxControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseMove(Shift, X, Y);
    TGxVertScrollBar* Bar = FVertScrollBar.get();
    if (!Contains(Bar->GetBoundsRect(), X, Y) && !Bar->GetThumbState().Contains(tsPushed))
        Bar->MouseLeave();
    else
        Bar->MouseMove(Shift, X, Y);
}

void TGxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseUp(Button, Shift, X, Y);
    FVertScrollBar->ReleaseAll();
    StopRepeat();
    Invalidate();
}

void TGxControl::CMMouseLeave(TMessage& Message)
{
    TGxCustomScrollControl::CMMouseLeave(Message);
    FVertScrollBar->MouseLeave();
}

void TGxControl::WMCaptureChanged(TMessage& Message)
{
    TGxCustomScrollControl::WMCaptureChanged(Message);
    StopRepeat();
}

void TGxControl::CMVisibleChanged(TMessage& Message)
{
    TGxCustomScrollControl::CMVisibleChanged(Message);
    if (!GetVisible()) StopRepeat();
}

void TGxControl::CMShowingChanged(TMessage& Message)
{
    TGxCustomScrollControl::CMShowingChanged(Message);
    if (!GetShowing()) StopRepeat();
}

} // namespace GxScrollControl
