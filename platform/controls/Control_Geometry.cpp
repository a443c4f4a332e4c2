// Bounds, size negotiation, client areas, alignment and anchors, and where
// a control's window lies: of TControl and TWinControl alike, which size and
// align each other.
#include "platform/controls/WinControl.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/ScopeExit.h"

#include <QWidget>

#include <algorithm>

using namespace platform::detail;

namespace {

const TAnchors AnchorAlign[] = {
    {akLeft, akTop},                    // alNone
    {akLeft, akTop, akRight},           // alTop
    {akLeft, akRight, akBottom},        // alBottom
    {akLeft, akTop, akBottom},          // alLeft
    {akRight, akTop, akBottom},         // alRight
    {akLeft, akTop, akRight, akBottom}, // alClient
    {akLeft, akTop},                    // alCustom
};

int MulDiv(int A, int B, int C)
{
    return C == 0 ? -1 : int((std::int64_t(A) * B + (std::int64_t(C) / 2)) / C);
}

} // namespace

// ---- Size negotiation --------------------------------------------------------------------

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool Result = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, Result);
    return Result;
}

bool TControl::CanAutoSize(int&, int&)
{
    return true;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
    if (OnConstrainedResize) OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

bool TControl::DoCanResize(int& NewWidth, int& NewHeight)
{
    if (!CanResize(NewWidth, NewHeight)) return false;
    DoConstrainedResize(NewWidth, NewHeight);
    return true;
}

bool TControl::DoCanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FAlign == alClient) return true;
    int W = NewWidth;
    int H = NewHeight;
    const bool Result = CanAutoSize(W, H);
    if (FAlign == alNone || FAlign == alLeft || FAlign == alRight) NewWidth = W;
    if (FAlign == alNone || FAlign == alTop || FAlign == alBottom) NewHeight = H;
    return Result;
}

void TControl::DoConstrainedResize(int& NewWidth, int& NewHeight)
{
    int MinWidth = std::max(FConstraints->GetMinWidth(), 0);
    int MinHeight = std::max(FConstraints->GetMinHeight(), 0);
    int MaxWidth = std::max(FConstraints->GetMaxWidth(), 0);
    int MaxHeight = std::max(FConstraints->GetMaxHeight(), 0);
    ConstrainedResize(MinWidth, MinHeight, MaxWidth, MaxHeight);
    if (MaxWidth > 0 && NewWidth > MaxWidth)
        NewWidth = MaxWidth;
    else if (MinWidth > 0 && NewWidth < MinWidth)
        NewWidth = MinWidth;
    if (MaxHeight > 0 && NewHeight > MaxHeight)
        NewHeight = MaxHeight;
    else if (MinHeight > 0 && NewHeight < MinHeight)
        NewHeight = MinHeight;
}

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight)
{
    int W = NewWidth;
    int H = NewHeight;
    if (!DoCanResize(W, H)) return false;
    int W2 = W;
    int H2 = H;
    const bool Result = !FAutoSize || (DoCanAutoSize(W2, H2) && W2 == W && H2 == H) || DoCanResize(W2, H2);
    if (Result) {
        NewWidth = W2;
        NewHeight = H2;
    }
    return Result;
}

void TControl::ConstraintsChanged()
{
    AdjustSize();
}

void TControl::AdjustSize()
{
    if (!GetComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

// ---- Bounds ----------------------------------------------------------------------------------

void TControl::SetLeft(int Value)
{
    SetBounds(Value, FTop, FWidth, FHeight);
}

void TControl::SetTop(int Value)
{
    SetBounds(FLeft, Value, FWidth, FHeight);
}

void TControl::SetWidth(int Value)
{
    SetBounds(FLeft, FTop, Value, FHeight);
}

void TControl::SetHeight(int Value)
{
    SetBounds(FLeft, FTop, FWidth, Value);
}

void TControl::SetBoundsRect(const TRect& Rect)
{
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight()) return;
    const bool Moved = ALeft != GetLeft() || ATop != GetTop();
    const bool Sized = AWidth != GetWidth() || AHeight != GetHeight();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (Sized) FClientValid = false;
    // A new size invalidates the window's client area, frame and pixels.
    PlaceWindow();
    WINDOWPOS Pos{FHandle,
                  nullptr,
                  ALeft,
                  ATop,
                  AWidth,
                  AHeight,
                  SWP_NOZORDER | SWP_NOACTIVATE | (Moved ? 0 : SWP_NOMOVE) | (Sized ? 0 : SWP_NOSIZE)};
    Deliver(WM_WINDOWPOSCHANGED, 0, LPARAM(&Pos));
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetClientWidth(int Value)
{
    SetBounds(FLeft, FTop, FWidth - GetClientRect().Right + Value, FHeight);
}

void TControl::SetClientHeight(int Value)
{
    SetBounds(FLeft, FTop, FWidth, FHeight - GetClientRect().Bottom + Value);
}

TRect TControl::GetClientRect()
{
    return Rect(0, 0, FWidth, FHeight);
}

TRect TWinControl::GetClientRect()
{
    if (FHandle) {
        // The window keeps its client area (WM_NCCALCSIZE through its chain).
        TRect R;
        ::GetClientRect(FHandle, &R);
        return R;
    }
    if (!FClientValid) {
        // Valid first with the whole control, so that a handler asking for
        // the client area while it computes it does not recurse.
        FClientValid = true;
        FClientOffset = TPoint();
        FClientSize = TSize(FWidth, FHeight);
        NCCALCSIZE_PARAMS Params;
        Params.rgrc[0] = RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
        Perform(WM_NCCALCSIZE, 1, LPARAM(&Params));
        const RECT& R = Params.rgrc[0];
        FClientOffset = TPoint(R.left - FLeft, R.top - FTop);
        FClientSize = TSize(std::max<LONG>(R.right - R.left, 0), std::max<LONG>(R.bottom - R.top, 0));
    }
    return Rect(0, 0, FClientSize.cx, FClientSize.cy);
}

TPoint TWinControl::GetClientOffset()
{
    if (FHandle) return WindowClientOffset(FHandle);
    GetClientRect();
    return FClientOffset;
}

TPoint TControl::GetClientOrigin()
{
    if (auto* W = dynamic_cast<TWinControl*>(this)) {
        const TPoint Offset = W->GetClientOffset();
        if (W->FHandle) {
            TPoint Origin;
            ::ClientToScreen(W->FHandle, &Origin);
            return Origin;
        }
        if (!FParent || W->IsTopLevelWindow()) return TPoint(FLeft + Offset.X, FTop + Offset.Y);
        const TPoint P = FParent->GetClientOrigin();
        return TPoint(P.X + FLeft + Offset.X, P.Y + FTop + Offset.Y);
    }
    if (!FParent) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    const TPoint P = FParent->GetClientOrigin();
    return TPoint(P.X + FLeft, P.Y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& Point)
{
    const TPoint O = GetClientOrigin();
    return TPoint(Point.X + O.X, Point.Y + O.Y);
}

TPoint TControl::ScreenToClient(const TPoint& Point)
{
    const TPoint O = GetClientOrigin();
    return TPoint(Point.X - O.X, Point.Y - O.Y);
}

TPoint TControl::ClientToParent(const TPoint& Point, TWinControl* AParent)
{
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    TPoint P(Point.X + FLeft, Point.Y + FTop);
    TWinControl* C = FParent;
    while (C && C != AParent) {
        if (C->IsTopLevelWindow()) break;
        const TPoint O = C->GetClientOffset();
        P = TPoint(P.X + O.X + C->FLeft, P.Y + O.Y + C->FTop);
        C = C->FParent;
    }
    if (C != AParent)
        throw EInvalidOperation("Control '" + AParent->GetName() + "' is not a parent of '" + GetName() + "'");
    return P;
}

TPoint TControl::ParentToClient(const TPoint& Point, TWinControl* AParent)
{
    const TPoint Zero = ClientToParent(TPoint(0, 0), AParent);
    return TPoint(Point.X - Zero.X, Point.Y - Zero.Y);
}

// ---- Alignment and anchors ---------------------------------------------------------------------------

void TControl::SetAlign(TAlign Value)
{
    if (FAlign != Value) {
        const TAlign OldAlign = FAlign;
        FAlign = Value;
        FAnchors = AnchorAlign[Value];
        if (!GetComponentState().Contains(csLoading) && FParent && Value != alCustom && OldAlign != alCustom) {
            const bool OldVertical = OldAlign == alTop || OldAlign == alBottom;
            const bool NewHorizontal = Value == alLeft || Value == alRight;
            if (OldVertical == NewHorizontal && OldAlign != alNone && OldAlign != alClient && Value != alNone &&
                Value != alClient)
                SetBounds(FLeft, FTop, FHeight, FWidth);
            else
                AdjustSize();
        }
        UpdateAnchorRules();
    }
    RequestAlign();
}

// The anchors measure from the bounds the control was loaded with.
void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorRules();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (FAnchors == Value) return;
    FAnchors = Value;
    if (!GetComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (FAnchorMove || GetComponentState().Contains(csLoading)) return;
    if (FAnchors == TAnchors{akLeft, akTop}) {
        FOriginalParentSize = TPoint();
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.X = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.Y = FTop + FHeight / 2;
    // The parent's client size, whether or not its window exists yet: the
    // alignment measures against the same size, so nothing moves when the
    // window appears.
    if (FParent) FOriginalParentSize = FParent->GetClientRect().BottomRight();
}

void TControl::RequestAlign()
{
    if (FParent) FParent->AlignControl(this);
}

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    --FAlignLevel;
    if (FAlignLevel == 0 && GetControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (GetComponentState().Contains(csDestroying)) return;
    if (FAlignLevel != 0 || GetComponentState().Contains(csLoading)) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    // Without csAlignmentNeeded, EnableAlign does not align again.
    TScopeExit Aligned([this] {
        FControlState.Exclude(csAlignmentNeeded);
        EnableAlign();
    });
    TRect R = GetClientRect();
    AlignControls(AControl, R);
}

void TWinControl::AdjustClientRect(TRect& Rect)
{
    (void)Rect;
}

void TWinControl::ControlsAligned() {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    auto Placed = [](const TControl* C) { return C->FAlign != alNone || C->FAnchors != TAnchors{akLeft, akTop}; };
    if (std::any_of(FControls.begin(), FControls.end(), Placed) ||
        std::any_of(FWinControls.begin(), FWinControls.end(), Placed)) {
        AdjustClientRect(Rect);
        for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
            DoAlign(A, AControl, Rect);
    }
    ControlsAligned();
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect)
{
    auto InsertBefore = [AAlign](TControl* C1, TControl* C2) {
        switch (AAlign) {
        case alTop:
            return C1->FTop < C2->FTop;
        case alBottom:
            return C1->FTop + C1->FHeight >= C2->FTop + C2->FHeight;
        case alLeft:
            return C1->FLeft < C2->FLeft;
        case alRight:
            return C1->FLeft + C1->FWidth >= C2->FLeft + C2->FWidth;
        default:
            return false;
        }
    };
    std::vector<TControl*> List;
    if (AControl && AControl->FParent == this && AControl->FAlign == AAlign && (AAlign == alNone || AControl->FVisible))
        List.push_back(AControl);
    auto Consider = [&](TControl* C) {
        if (C == AControl || C->FAlign != AAlign || (AAlign != alNone && !C->FVisible)) return;
        std::size_t J = 0;
        while (J < List.size() && !InsertBefore(C, List[J]))
            ++J;
        List.insert(List.begin() + std::ptrdiff_t(J), C);
    };
    for (TControl* C : FControls)
        Consider(C);
    for (TControl* C : FWinControls)
        Consider(C);
    for (TControl* C : List)
        if (C->FParent == this) DoPosition(C, AAlign, Rect);
}

void TWinControl::DoPosition(TControl* Control, TAlign AAlign, TRect& Rect)
{
    // Sizes set by alignment and anchors must not become new anchor rules.
    auto PlaceControl = [Control](int NewLeft, int NewTop, int NewWidth, int NewHeight) {
        Control->FAnchorMove = true;
        TScopeExit Placed([Control] { Control->FAnchorMove = false; });
        Control->SetBounds(NewLeft, NewTop, NewWidth, NewHeight);
    };
    if (AAlign == alNone || Control->FAnchors != AnchorAlign[AAlign]) {
        if (Control->FOriginalParentSize.X != 0 && Control->FOriginalParentSize.Y != 0) {
            int NewLeft = Control->FLeft;
            int NewTop = Control->FTop;
            int NewWidth = Control->FWidth;
            int NewHeight = Control->FHeight;
            const TPoint ParentSize = GetClientRect().BottomRight();
            const TPoint Original = Control->FOriginalParentSize;
            const TPoint Rules = Control->FAnchorRules;
            const TAnchors Anchors = Control->FAnchors;
            // One axis: anchored at the far side only, the control keeps its
            // distance to it; at both, it stretches; at neither, its centre
            // keeps its proportion.
            auto Follow = [](bool Near, bool Far, int Size, int Original, int Rule, int& Pos, int& Extent) {
                if (Far) {
                    if (Near)
                        Extent = Size - (Original - Rule);
                    else
                        Pos = Size - (Original - Rule);
                } else if (!Near) {
                    Pos = MulDiv(Rule, Size, Original) - Extent / 2;
                }
            };
            Follow(Anchors.Contains(akLeft), Anchors.Contains(akRight), ParentSize.X, Original.X, Rules.X, NewLeft,
                   NewWidth);
            Follow(Anchors.Contains(akTop), Anchors.Contains(akBottom), ParentSize.Y, Original.Y, Rules.Y, NewTop,
                   NewHeight);
            PlaceControl(NewLeft, NewTop, NewWidth, NewHeight);
        }
        if (AAlign == alNone) return;
    }

    int NewWidth = Rect.Right - Rect.Left;
    if (NewWidth < 0 || AAlign == alLeft || AAlign == alRight || AAlign == alCustom) NewWidth = Control->FWidth;
    int NewHeight = Rect.Bottom - Rect.Top;
    if (NewHeight < 0 || AAlign == alTop || AAlign == alBottom || AAlign == alCustom) NewHeight = Control->FHeight;
    int NewLeft = Rect.Left;
    int NewTop = Rect.Top;
    switch (AAlign) {
    case alTop:
        Rect.Top += NewHeight;
        break;
    case alBottom:
        Rect.Bottom -= NewHeight;
        NewTop = Rect.Bottom;
        break;
    case alLeft:
        Rect.Left += NewWidth;
        break;
    case alRight:
        Rect.Right -= NewWidth;
        NewLeft = Rect.Right;
        break;
    case alCustom:
        NewLeft = Control->FLeft;
        NewTop = Control->FTop;
        break;
    default:
        break;
    }
    PlaceControl(NewLeft, NewTop, NewWidth, NewHeight);
    // A control that did not take the size it was given leaves the rest of
    // the area to its neighbours.
    if (Control->FWidth != NewWidth || Control->FHeight != NewHeight) {
        switch (AAlign) {
        case alTop:
            Rect.Top -= NewHeight - Control->FHeight;
            break;
        case alBottom:
            Rect.Bottom += NewHeight - Control->FHeight;
            break;
        case alLeft:
            Rect.Left -= NewWidth - Control->FWidth;
            break;
        case alRight:
            Rect.Right += NewWidth - Control->FWidth;
            break;
        case alClient:
            Rect.Right += NewWidth - Control->FWidth;
            Rect.Bottom += NewHeight - Control->FHeight;
            break;
        default:
            break;
        }
    }
}

// ---- Where the window lies ------------------------------------------------------------------------------

bool TWinControl::IsTopLevelWindow() const
{
    if (IsForm()) return true;
    DWORD Style, ExStyle;
    const_cast<TWinControl*>(this)->CurrentStyles(Style, ExStyle);
    if (Style & WS_POPUP) return true;
    return !FParent && !(FParentWindow && (Style & WS_CHILD));
}

void TWinControl::CurrentStyles(DWORD& Style, DWORD& ExStyle)
{
    if (FHandle) {
        Style = DWORD(GetWindowLongA(FHandle, GWL_STYLE));
        ExStyle = DWORD(GetWindowLongA(FHandle, GWL_EXSTYLE));
        return;
    }
    TCreateParams Params;
    CreateParams(Params);
    Style = Params.Style;
    ExStyle = Params.ExStyle;
}

void TWinControl::PlaceWindow()
{
    if (!FHandle) return;
    // A child window lies in its parent's client area.
    TRect R = Bounds(FLeft, FTop, FWidth, FHeight);
    if (FParent && !WidgetOf(FHandle)->isWindow()) {
        const TPoint O = FParent->GetClientOffset();
        OffsetRect(R, O.X, O.Y);
    }
    platform::detail::PlaceWindow(FHandle, R);
    UpdateInnerWidget();
}

TRect TWinControl::GetInnerWidgetRect()
{
    TRect R = GetClientRect();
    const TPoint O = GetClientOffset();
    OffsetRect(R, O.X, O.Y);
    return R;
}

void TWinControl::UpdateInnerWidget()
{
    if (QWidget* Inner = InnerWidget(FHandle)) Inner->setGeometry(ToQRect(GetInnerWidgetRect()));
}

LRESULT TWinControl::Deliver(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (FHandle) return SendMessageA(FHandle, Msg, WParam, LParam);
    return Perform(Msg, WParam, LParam);
}

// ---- The child at a point ---------------------------------------------------------------------------------

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto Hit = [&](TControl* C) {
        const TPoint P(Pos.X - C->FLeft, Pos.Y - C->FTop);
        return PtInRect(C->GetClientRect(), P) && C->FVisible && (C->FEnabled || AllowDisabled) &&
               C->Perform(CM_HITTEST, 0, PointToLParam(P)) != 0;
    };
    if (AllowWinControls)
        for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
            if (Hit(*It)) return *It;
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
        if (Hit(*It)) return *It;
    return nullptr;
}
