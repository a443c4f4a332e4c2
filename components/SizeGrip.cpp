// components/SizeGrip.cpp
#include "components/SizeGrip.h"
#include "platform/rtl/ScopeExit.h"

namespace SizeGrip {

namespace {

constexpr int GripSize = 15;

TColor MeanColor(TColor A, TColor B)
{
    return TColor(RGB(Byte((GetRValue(A) + GetRValue(B)) >> 1), Byte((GetGValue(A) + GetGValue(B)) >> 1),
                      Byte((GetBValue(A) + GetBValue(B)) >> 1)));
}

// A canvas on a device context that belongs to someone else.
class TBorrowedCanvas : public TCanvas {
public:
    explicit TBorrowedCanvas(HDC DC) { SetHandle(DC); }
    ~TBorrowedCanvas() override { SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
};

} // namespace

TSizeGrip::TSizeGrip(TComponent* AOwner) : TComponent(AOwner) {}

TSizeGrip::~TSizeGrip()
{
    SetTargetControl(nullptr);
}

void TSizeGrip::AfterConstruction()
{
    TComponent::AfterConstruction();
    // A grip loaded with its owner gets its target from the stored values.
    TComponent* Owner = GetOwner();
    if (!Owner || Owner->GetComponentState().Contains(csLoading) || Owner->GetComponentState().Contains(csReading))
        return;
    if (auto* W = dynamic_cast<TWinControl*>(Owner))
        SetTargetControl(W);
    else if (auto* C = dynamic_cast<TControl*>(Owner))
        SetTargetControl(C->GetParent());
}

void TSizeGrip::SetTargetControl(TWinControl* Value)
{
    if (Value == FTargetControl) return;
    if (FTargetControl) RemoveFreeNotification(FTargetControl);
    Detach();
    FTargetControl = Value;
    // Asked before hooking, so that the grip hears of the target's end even
    // when hooking fails.
    if (FTargetControl) FreeNotification(FTargetControl);
    Attach();
}

void TSizeGrip::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    Detach();
    FEnabled = Value;
    Attach();
}

void TSizeGrip::SetStyle(TSizeGripStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    InvalidateGrip();
}

void TSizeGrip::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FTargetControl || !AComponent) return;
    // The target is half gone (only its component part is left, its window
    // went first): forget it before detaching, so that nothing asks it for
    // its window or its size any more.
    FTargetControl = nullptr;
    Detach();
}

void TSizeGrip::Attach()
{
    if (Attached() || !FTargetControl || !FEnabled) return;
    const TComponentState Own = GetComponentState();
    const TComponentState Target = FTargetControl->GetComponentState();
    if (Own.Contains(csDestroying) || Own.Contains(csDesigning) || Target.Contains(csDestroying) ||
        Target.Contains(csDesigning))
        return;
    FHook.Hook(FTargetControl->GetHandle(), [this](TMessage& Message) { NewWndProc(Message); });
    UpdateGrip();
}

void TSizeGrip::Detach()
{
    if (!Attached()) return;
    FHook.Unhook();
    InvalidateGrip();
    FGripRect = TRect();
}

void TSizeGrip::UpdateGrip()
{
    if (!Attached()) return;
    GetGripRect(FGripRect);
    InvalidateGrip();
}

void TSizeGrip::InvalidateGrip()
{
    if (!FTargetControl || IsRectEmpty(FGripRect) || !FTargetControl->HandleAllocated()) return;
    InvalidateRect(FTargetControl->GetHandle(), &FGripRect, true);
}

TRect TSizeGrip::CornerSquare(int Width, int Height)
{
    TRect R = FTargetControl->GetClientRect();
    if (FTargetControl->UseRightToLeftScrollBar())
        R.Right = R.Left + Width;
    else
        R.Left = R.Right - Width;
    R.Top = R.Bottom - Height;
    return R;
}

void TSizeGrip::GetGripRect(TRect& Rect)
{
    Rect = FTargetControl ? CornerSquare(GripSize, GripSize) : TRect();
}

void TSizeGrip::NewWndProc(TMessage& Message)
{
    const std::weak_ptr<int> Alive = FLife;
    auto PassOn = [&] { FHook.PassOn(Message); };
    // Whether the grip and its hook outlived what the target's own procedure did.
    auto StillHooked = [&] { return !Alive.expired() && Attached() && FTargetControl; };
    if (!Attached() || !FTargetControl) {
        PassOn();
        return;
    }
    switch (Message.Msg) {
    case WM_SIZE:
        InvalidateGrip();
        PassOn();
        if (StillHooked()) UpdateGrip();
        break;
    case WM_PAINT:
        PassOn();
        // A paint into a device context of the caller's is not the window's own.
        if (Message.WParam == 0 && StillHooked()) {
            const HWND Wnd = FHook.GetWindow();
            if (HDC DC = GetDC(Wnd)) {
                TScopeExit Release([Wnd, DC] { ReleaseDC(Wnd, DC); });
                PaintIt(DC, FGripRect);
            }
        }
        break;
    case WM_NCHITTEST: {
        const TWMNCHitTest M(Message);
        TPoint P = M.Pos();
        ScreenToClient(FHook.GetWindow(), &P);
        if (PtInRect(FGripRect, P))
            Message.Result = FTargetControl->UseRightToLeftScrollBar() ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        else
            PassOn();
        break;
    }
    default:
        PassOn();
        break;
    }
}

void TSizeGrip::PaintIt(HDC DC, const TRect& R)
{
    const TColor Highlight = ColorToRGB(clBtnHighlight);
    const TColor Shadow = ColorToRGB(clBtnShadow);
    const TColor Face = ColorToRGB(FTargetControl ? FTargetControl->GetColor() : clBtnFace);
    const TColor Middle = MeanColor(Face, Shadow);
    TBorrowedCanvas Canvas(DC);
    if (FStyle == sgsClassic) {
        // Three ridges of three diagonal lines each: shadow, middle, highlight.
        auto Ridges = [&](TColor Color, int Offset) {
            Canvas.GetPen()->SetColor(Color);
            for (int D = 0; D <= 8; D += 4) {
                Canvas.MoveTo(R.Right - Offset - D, R.Bottom - 1);
                Canvas.LineTo(R.Right, R.Bottom - 1 - Offset - D);
            }
        };
        Ridges(Shadow, 2);
        Ridges(Middle, 3);
        Ridges(Highlight, 4);
        return;
    }
    // Six dots in a triangle, each with its highlight below and to the right.
    static constexpr TPoint Dots[] = {{4, 12}, {8, 8}, {4, 8}, {12, 4}, {8, 4}, {4, 4}};
    for (const TPoint& D : Dots) {
        const int X = R.Right - D.X;
        const int Y = R.Bottom - D.Y;
        Canvas.SetPixels(X, Y, Shadow);
        Canvas.SetPixels(X + 1, Y, Shadow);
        Canvas.SetPixels(X, Y + 1, Shadow);
        Canvas.SetPixels(X + 1, Y + 1, Middle);
        Canvas.SetPixels(X + 2, Y + 1, Highlight);
        Canvas.SetPixels(X + 1, Y + 2, Highlight);
        Canvas.SetPixels(X + 2, Y + 2, Highlight);
    }
}

TSizeGripXP::TSizeGripXP(TComponent* AOwner) : TSizeGrip(AOwner)
{
    SetStyle(sgsWinXP);
}

} // namespace SizeGrip
