// grid/shared/GxCheckBox.cpp
#include "grid/shared/GxCheckBox.h"
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/controls/ActnList.h"
#include "platform/win/WinGdi.h"

namespace GxCheckBox {

using namespace GxClasses;
using namespace GxSharedCommon;

// ---- Canvas cell editor -----------------------------------------------------------------------

TGxCanvasCellEditor::TGxCanvasCellEditor(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAutoSize(false);
}

void TGxCanvasCellEditor::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TGxCanvasCellEditor::SetVerticalAlignment(TVerticalAlignment Value)
{
    FVerticalAlignment = Value;
    Invalidate();
}

void TGxCanvasCellEditor::SetMargin(int Value)
{
    FMargin = Value;
    Invalidate();
}

void TGxCanvasCellEditor::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    RecreateWnd();
}

void TGxCanvasCellEditor::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= 0xC0;
    // New-style, 3-D controls are always in use here.
    if (FBorderStyle == bsSingle) {
        Params.Style &= ~WS_BORDER;
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
}

void TGxCanvasCellEditor::WMNCPaint(TMessage& Message)
{
    if (!IsThemed()) {
        TCustomControl::WMNCPaint(Message);
        return;
    }
    if (FBorderStyle == bsSingle && HandleAllocated()) ThemeEditBorder(GetHandle());
}

// ---- Check box and radio button ---------------------------------------------------------------------

TGxCheckControl::TGxCheckControl(TComponent* AOwner) : TGxCanvasCellEditor(AOwner)
{
    SetColor(clWindow);
    SetParentColor(false);
    SetBounds(GetLeft(), GetTop(), 75, 21);
}

WideString TGxCheckControl::GetAsString()
{
    return FChecked ? u"True" : u"False";
}

void TGxCheckControl::SetAsString(const WideString& Value)
{
    SetChecked(WideLowerCase(Value) == u"true");
}

void TGxCheckControl::SetCaption(const WideString& Value)
{
    FCaption = Value;
    Invalidate();
}

void TGxCheckControl::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    InvalidateBox();
    DoChange();
}

void TGxCheckControl::SetHover(bool Value)
{
    if (Value == FHover) return;
    FHover = Value;
    InvalidateBox();
}

void TGxCheckControl::SetIndent(int Value)
{
    FIndent = Value;
    Invalidate();
}

void TGxCheckControl::SetOptions(TCheckBoxOptions Value)
{
    FOptions = Value;
    Invalidate();
}

void TGxCheckControl::SetDown(bool Value)
{
    FDown = Value;
    InvalidateBox();
}

void TGxCheckControl::InvalidateBox()
{
    if (!HandleAllocated()) return;
    const TRect R = GetCheckBoxRect();
    ::InvalidateRect(GetHandle(), &R, false);
}

void TGxCheckControl::DoChange()
{
    if (OnChange) OnChange(this);
}

TRect TGxCheckControl::GetCheckBoxRect()
{
    const int Size = BoxSize();
    TRect Client = GetClientRect();
    InflateRect(Client, 1, 1);
    const TPoint P = TCalcProvider::PosInRect(Size, Size, GetMargin(), Client, GetAlignment(), GetVerticalAlignment());
    return Bounds(P.X, P.Y, Size, Size);
}

bool TGxCheckControl::InActiveRect(int X, int Y)
{
    const TRect Active = FOptions.Contains(coExpandActiveRect) ? GetClientRect() : GetCheckBoxRect();
    return PtInRect(Active, TPoint(X, Y));
}

int TGxCheckControl::ThemeState()
{
    // Disabled is a state of its own: whatever marks remain, only checked or not shows.
    if (!GetEnabled()) return FChecked ? CBS_CHECKEDDISABLED : CBS_UNCHECKEDDISABLED;
    const int Base = FChecked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
    if (!FHover) return Base;
    return Base + (FDown ? 2 : 1);
}

void TGxCheckControl::Paint()
{
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(GetClientRect());
    const TRect Box = GetCheckBoxRect();
    DrawBox(Box);
    Canvas->GetFont()->Assign(GetFont());
    int Left = Box.Right + FIndent;
    if (GetAlignment() == taRightJustify) Left = Box.Left - GetTextWidth(Canvas, FCaption) - FIndent;
    DrawTextRect(Canvas, TRect(Left, 0, GetClientWidth(), GetClientHeight()), taLeftJustify, FCaption, GetBiDiMode());
}

void TGxCheckControl::KeyDown(Word& Key, TShiftState Shift)
{
    TGxCanvasCellEditor::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
}

void TGxCheckControl::KeyUp(Word& Key, TShiftState Shift)
{
    TGxCanvasCellEditor::KeyUp(Key, Shift);
    if (Key != VK_SPACE) return;
    FDown = false;
    // A checked radio button can be cleared this way too.
    SetChecked(!FChecked);
    Invalidate();
}

void TGxCheckControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The box is a window of its own drawing: nothing focuses it on a press
    // but this, and Space must then reach the box just clicked.
    if (Button == mbLeft && !Focused() && CanFocus()) SetFocus();
    TGxCanvasCellEditor::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && InActiveRect(X, Y)) SetDown(true);
}

void TGxCheckControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCanvasCellEditor::MouseMove(Shift, X, Y);
    SetHover(InActiveRect(X, Y));
}

void TGxCheckControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCanvasCellEditor::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && InActiveRect(X, Y)) Toggle();
    if (FDown) SetDown(false);
}

void TGxCheckControl::CMMouseLeave(TMessage& Message)
{
    TGxCanvasCellEditor::CMMouseLeave(Message);
    SetHover(false);
}

void TGxCheckControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

// ---- Check box ------------------------------------------------------------------------------------

int TGxCheckBox::BoxSize()
{
    return IsThemed() ? 13 : 11;
}

void TGxCheckBox::DrawBox(const TRect& Rect)
{
    if (IsThemed())
        ThemeRect(GetHandle(), GetCanvas()->GetHandle(), Rect, u"button", BP_CHECKBOX, ThemeState());
    else
        TGraphicsProvider::DrawClassicCheckBox(GetCanvas(), TPoint(Rect.Left, Rect.Top), GetChecked(), GetDown());
}

// ---- Radio button ----------------------------------------------------------------------------------

void TGxRadioButton::SetChecked(bool Value)
{
    const bool Was = GetChecked();
    TGxCheckControl::SetChecked(Value);
    if (!Value || Was || !GetParent()) return;
    TWinControl* Parent = GetParent();
    for (int I = 0; I < Parent->GetControlCount(); ++I) {
        auto* Sibling = dynamic_cast<TGxRadioButton*>(Parent->GetControls(I));
        if (!Sibling || Sibling == this) continue;
        if (auto* Action = dynamic_cast<TCustomAction*>(Sibling->GetAction()); Action && Action->GetChecked())
            Action->SetChecked(false);
        Sibling->SetChecked(false);
    }
}

int TGxRadioButton::BoxSize()
{
    return IsThemed() ? 13 : 12;
}

void TGxRadioButton::DrawBox(const TRect& Rect)
{
    if (IsThemed()) {
        ThemeRect(GetHandle(), GetCanvas()->GetHandle(), Rect, u"button", BP_RADIOBUTTON, ThemeState());
        return;
    }
    UINT State = DFCS_BUTTONRADIO;
    if (GetDown()) State |= DFCS_PUSHED;
    if (GetChecked()) State |= DFCS_CHECKED;
    if (!GetEnabled()) State |= DFCS_INACTIVE;
    TRect R = Rect;
    DrawFrameControl(GetCanvas()->GetHandle(), &R, DFC_BUTTON, State);
}

} // namespace GxCheckBox
