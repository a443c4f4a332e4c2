// grid/shared/GxStdCtrls_Tabs.cpp: the tab control's pages, geometry,
// painting and mouse, and its delayed button hints.
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxStdCtrls.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinUser.h"

namespace GxStdCtrls {

using namespace GxThemesSupport;

// ---- Pages and buttons ----------------------------------------------------------------------------

TGxPalleteButton::TGxPalleteButton(TGxTabButtons* Owner, TClass ClassRef, int ImageIndex)
    : FOwner(Owner), FImageIndex(ImageIndex), FClassRef(ClassRef)
{
}

int TGxPalleteButton::GetIndex() const
{
    return FOwner->IndexOf(this);
}

TGxPalleteButton* TGxTabButtons::AddButton(TClass ClassRef, int ImageIndex)
{
    FButtons.push_back(TOwned<TGxPalleteButton>(New<TGxPalleteButton>(this, ClassRef, ImageIndex)));
    return FButtons.back().get();
}

int TGxTabButtons::IndexOf(const TGxPalleteButton* Button) const
{
    for (int I = 0; I < GetCount(); ++I)
        if (FButtons[I].get() == Button) return I;
    return -1;
}

TGxButtonHint::TGxButtonHint(TComponent* AOwner) : THintWindow(AOwner)
{
    SetColor(clInfoBk);
}

// ---- The control --------------------------------------------------------------------------------

TGxTabControl::TGxTabControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FHideTimer.reset(New<TTimer>(nullptr));
    FHideTimer->SetEnabled(false);
    FHideTimer->SetInterval(Cardinal(Application->GetHintHidePause()));
    FHideTimer->SetOnTimer([this](TObject*) {
        FHideTimer->SetEnabled(false);
        FHint->ReleaseHandle();
    });
    FShowTimer.reset(New<TTimer>(nullptr));
    FShowTimer->SetEnabled(false);
    FShowTimer->SetInterval(Cardinal(Application->GetHintPause()));
    FShowTimer->SetOnTimer([this](TObject*) {
        if (!ButtonExist(FHoverIndex)) return;
        FHint->Button = GetButton(FHoverIndex);
        ShowButtonHint(FHint->Button);
    });
    FHint = New<TGxButtonHint>(this);
    SetBounds(GetLeft(), GetTop(), 200, 47);
}

TGxTabControl::~TGxTabControl()
{
    FShowTimer->SetEnabled(false);
    FHideTimer->SetEnabled(false);
}

TGxTabButtons* TGxTabControl::Add(const AnsiString& Caption)
{
    FPages.push_back(TOwned<TGxTabButtons>(New<TGxTabButtons>(Caption)));
    return FPages.back().get();
}

TGxPalleteButton* TGxTabControl::AddButton(const AnsiString& PageCaption, TClass ClassRef, int ImageIndex)
{
    TGxTabButtons* Page = GetPaletteByName(PageCaption);
    if (!Page) Page = Add(PageCaption);
    TGxPalleteButton* Button = Page->AddButton(ClassRef, ImageIndex);
    Invalidate();
    return Button;
}

TGxTabButtons* TGxTabControl::GetPaletteByName(const AnsiString& Caption) const
{
    for (const auto& Page : FPages)
        if (Page->GetCaption() == Caption) return Page.get();
    return nullptr;
}

TGxPalleteButton* TGxTabControl::GetButton(int Index) const
{
    return ButtonExist(Index) ? FPages[FActiveIndex]->GetButton(Index) : nullptr;
}

bool TGxTabControl::ButtonExist(int Index) const
{
    // ActiveIndex may name no page: none added yet, or set so from code.
    return TabExist(FActiveIndex) && Index >= 0 && Index < FPages[FActiveIndex]->GetCount();
}

void TGxTabControl::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TGxTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TGxTabControl::SetActiveIndex(int Value)
{
    if (Value == FActiveIndex) return;
    FActiveIndex = Value;
    // The marks and the hint belong to the buttons of the page that was showing.
    FPressedIndex = -1;
    FHoverIndex = -1;
    HideButtonHint();
}

namespace {

void Store(TControl* Control, int& Field, int Value)
{
    Field = Value;
    Control->Invalidate();
}

} // namespace

void TGxTabControl::SetButtonHeight(int Value)
{
    Store(this, FButtonHeight, Value);
}

void TGxTabControl::SetLeftIndent(int Value)
{
    Store(this, FLeftIndent, Value);
}

void TGxTabControl::SetMargin(int Value)
{
    Store(this, FMargin, Value);
}

void TGxTabControl::SetTopIndent(int Value)
{
    Store(this, FTopIndent, Value);
}

void TGxTabControl::SetTabHeight(int Value)
{
    Store(this, FTabHeight, Value);
}

void TGxTabControl::SetBackgroundStyle(TTabsBackgroundStyle Value)
{
    FBackgroundStyle = Value;
    Invalidate();
}

void TGxTabControl::DoButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

bool TGxTabControl::CanAutoSize(int&, int& NewHeight)
{
    NewHeight = FTopIndent + FTabHeight + FMargin + FButtonHeight + FMargin;
    return true;
}

void TGxTabControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

// ---- Geometry -----------------------------------------------------------------------------------

TRect TGxTabControl::GetTabsRect()
{
    return TRect(0, 0, GetClientWidth(), FTopIndent + FTabHeight);
}

TRect TGxTabControl::GetButtonsRect()
{
    const int Top = FTopIndent + FTabHeight + FMargin;
    return TRect(FMargin, Top, GetClientWidth() - 2, Top + FButtonHeight);
}

TRect TGxTabControl::GetButtonRect(int Index) const
{
    const int Left = Index * FButtonWidth + FMargin, Top = FMargin + FTopIndent + FTabHeight;
    return TRect(Left, Top, Left + FButtonWidth, Top + FButtonHeight);
}

int TGxTabControl::GetButtonAtPos(int X, int) const
{
    if (FButtonWidth < 1) return -1;
    return (X - FMargin) / FButtonWidth;
}

TRect TGxTabControl::TabRect(int Left, int Index)
{
    return TRect(Left, FTopIndent, Left + GetCanvas()->TextWidth(FPages[Index]->GetCaption()) + 12,
                 FTopIndent + FTabHeight);
}

int TGxTabControl::GetTabAtPos(int X, int Y)
{
    GetCanvas()->GetFont()->Assign(GetFont());
    int Left = FLeftIndent;
    for (int I = 0; I < GetCount(); ++I) {
        const TRect R = TabRect(Left, I);
        if (PtInRect(R, TPoint(X, Y))) return I;
        Left = R.Right;
    }
    return -1;
}

// ---- Painting ----------------------------------------------------------------------------------

void TGxTabControl::Paint()
{
    TCanvas* C = GetCanvas();
    C->GetFont()->Assign(GetFont());
    const TRect Tabs = GetTabsRect();
    if (FBackgroundStyle == tbsVertGradient) {
        // The fade runs from the 3-D light down to the face. Our colour scheme
        // is the classic one, where the two are the same colour; lifted a
        // quarter of the way to the highlight, the 3-D light stands above the
        // face as it does in the themed scheme, and the fade shows.
        const TColor Light = GxSharedDraw::BlendColor(clBtnHighlight, cl3DLight, 64);
        GxSharedDraw::DrawVertGradient(C, Tabs, Light, clBtnFace);
    } else {
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(Tabs);
    }
    TRect Active;
    int Left = FLeftIndent;
    for (int I = 0; I < GetCount(); ++I) {
        const TRect R = TabRect(Left, I);
        Left = R.Right;
        if (I == FActiveIndex)
            Active = TRect(R.Left - 2, R.Top, R.Right + 2, R.Bottom);
        else
            PaintTab(I, R);
    }
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, FTopIndent + FTabHeight, GetClientWidth(), GetClientHeight()));
    if (GetComponentState().Contains(csDesigning)) {
        C->GetPen()->SetColor(clGrayText);
        C->GetPen()->SetStyle(psDot);
        C->GetBrush()->SetStyle(bsClear);
        C->Rectangle(GetButtonsRect());
        C->GetPen()->SetStyle(psSolid);
        C->GetBrush()->SetStyle(bsSolid);
    }
    if (!TabExist(FActiveIndex)) return;
    PaintTab(FActiveIndex, Active);
    const int Y = FTopIndent + FTabHeight - 1;
    C->GetPen()->SetColor(clGrayText);
    C->MoveTo(0, Y);
    C->LineTo(Active.Left + 1, Y);
    C->MoveTo(Active.Right - 1, Y);
    C->LineTo(GetClientWidth(), Y);
    PaintButtons();
}

void TGxTabControl::PaintTab(int Index, TRect R)
{
    const bool Active = Index == FActiveIndex;
    PaintTabBorder(R, Active);
    OffsetRect(R, 0, Active ? -1 : 1);
    GxSharedCommon::DrawTextRect(GetCanvas(), R, taCenter, Utf8ToWide(FPages[Index]->GetCaption()), bdLeftToRight);
}

void TGxTabControl::PaintTabBorder(TRect R, bool Active)
{
    TCanvas* C = GetCanvas();
    if (IsThemed()) {
        if (!Active) R.Top += 2;
        ThemeRect(GetHandle(), C->GetHandle(), R, u"tab", 1, Active ? 3 : 1);
        return;
    }
    if (!Active) return;
    const LONG L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    C->GetPen()->SetColor(clGrayText);
    C->Polyline({{L, B - 1}, {L, T + 2}, {L + 2, T}, {Rt - 3, T}, {Rt - 1, T + 2}, {Rt - 1, B - 1}});
    C->GetBrush()->SetColor(clWindow);
    C->GetPen()->SetColor(clWindow);
    C->Polygon({{L + 1, B - 1}, {L + 1, T + 2}, {L + 3, T + 1}, {Rt - 4, T + 1}, {Rt - 2, T + 2}, {Rt - 2, B - 1}});
}

void TGxTabControl::PaintButtons()
{
    const TGxTabButtons* Page = FPages[FActiveIndex].get();
    for (int I = 0; I < Page->GetCount(); ++I) {
        Set<TButtonMark> State;
        if (I == FHoverIndex) State.Include(bmHover);
        if (I == FPressedIndex) State.Include(bmDown);
        PaintButton(GetButtonRect(I), Page->GetButton(I)->GetImageIndex(), State);
    }
}

void TGxTabControl::PaintButton(TRect R, int ImageIndex, Set<TButtonMark> State)
{
    const bool Hover = State.Contains(bmHover), Down = Hover && State.Contains(bmDown);
    if (Hover) {
        TRect F = R;
        Frame3D(GetCanvas(), F, Down ? clBtnShadow : clBtnHighlight, Down ? clBtnHighlight : clBtnShadow, 1);
    }
    if (!FImages || ImageIndex < 0 || ImageIndex >= FImages->GetCount()) return;
    int X = R.Left + R.Width() / 2 - FImages->GetWidth() / 2;
    int Y = R.Top + R.Height() / 2 - FImages->GetHeight() / 2;
    if (Down) ++X, ++Y;
    FImages->Draw(GetCanvas(), X, Y, ImageIndex, true);
}

void TGxTabControl::RefreshButton(int Index)
{
    if (!HandleAllocated()) return;
    const TRect R = GetButtonRect(Index);
    InvalidateRect(GetHandle(), &R, 1);
}

// ---- Mouse and hints ----------------------------------------------------------------------------

void TGxTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int Tab = GetTabAtPos(X, Y);
    if (TabExist(Tab)) {
        SetActiveIndex(Tab);
        Invalidate();
    }
    if (PtInRect(GetButtonsRect(), TPoint(X, Y))) {
        FPressedIndex = GetButtonAtPos(X, Y);
        if (ButtonExist(FPressedIndex)) RefreshButton(FPressedIndex);
    }
}

void TGxTabControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const int Pressed = FPressedIndex;
    FPressedIndex = -1;
    if (PtInRect(GetButtonsRect(), TPoint(X, Y))) {
        const int Index = GetButtonAtPos(X, Y);
        if (ButtonExist(Index) && Index == Pressed) DoButtonClick(Index);
    }
    if (ButtonExist(Pressed)) RefreshButton(Pressed);
}

void TGxTabControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!TabExist(FActiveIndex) || FPages[FActiveIndex]->GetCount() == 0) return;
    const int Old = FHoverIndex;
    if (!PtInRect(GetButtonsRect(), TPoint(X, Y))) {
        HideButtonHint();
        FHoverIndex = -1;
        if (Old != -1) RefreshButton(Old);
        return;
    }
    FHoverIndex = GetButtonAtPos(X, Y);
    if (FHoverIndex != Old) {
        RefreshButton(FHoverIndex);
        if (Old != -1) RefreshButton(Old);
    }
    TGxPalleteButton* Button = GetButton(FHoverIndex);
    if (!Button) {
        HideButtonHint();
    } else if (Button != FHint->Button) {
        if (!Button->HasHint()) {
            HideButtonHint();
        } else if (HintShowing()) {
            FHideTimer->SetEnabled(false);
            FHint->Button = Button;
            ShowButtonHint(Button);
        } else {
            FShowTimer->SetEnabled(true);
        }
    }
}

void TGxTabControl::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    const int Old = FHoverIndex;
    FHoverIndex = -1;
    if (Old != -1) RefreshButton(Old);
    HideButtonHint();
}

bool TGxTabControl::HintShowing() const
{
    return FHint->HandleAllocated() && FHint->GetVisible();
}

void TGxTabControl::ShowButtonHint(TGxPalleteButton* Button)
{
    if (!Button->HasHint()) return;
    FShowTimer->SetEnabled(false);
    TRect R = FHint->CalcHintRect(GetClientWidth(), Button->GetHint(), nullptr);
    const TRect B = GetButtonRect(Button->GetIndex());
    const TPoint P = ClientToScreen(TPoint(B.Left, B.Bottom));
    OffsetRect(R, P.X, P.Y);
    FHint->ActivateHint(R, Button->GetHint());
    FHideTimer->SetEnabled(true);
}

void TGxTabControl::HideButtonHint()
{
    FShowTimer->SetEnabled(false);
    FHideTimer->SetEnabled(false);
    FHint->Button = nullptr;
    FHint->ReleaseHandle();
}

} // namespace GxStdCtrls
