#include "platform/controls/Labels.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/ScopeExit.h"

namespace {

// True when Caption marks Key (a virtual-key or character code) with '&'.
bool IsAccel(WORD Key, const AnsiString& Caption)
{
    for (std::size_t I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != '&') continue;
        if (Caption[I + 1] == '&') {
            ++I;
            continue;
        }
        const WideString Marked = Utf8ToWide(std::string_view(Caption).substr(I + 1, 4));
        return !Marked.empty() && FoldCaseChar(Marked[0]) == FoldCaseChar(Key);
    }
    return false;
}

} // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(GetControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    AnsiString Text = GetLabelText();
    if ((Flags & DT_CALCRECT) && (Text.empty() || (FShowAccelChar && Text == "&"))) Text += ' ';
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    TCanvas* C = GetCanvas();
    C->SetFont(GetFont());
    if (!GetEnabled()) {
        OffsetRect(Rect, 1, 1);
        C->GetFont()->SetColor(clBtnHighlight);
        DrawTextA(C->GetHandle(), Text.c_str(), int(Text.size()), &Rect, Flags);
        OffsetRect(Rect, -1, -1);
        C->GetFont()->SetColor(clBtnShadow);
        DrawTextA(C->GetHandle(), Text.c_str(), int(Text.size()), &Rect, Flags);
    } else {
        DrawTextA(C->GetHandle(), Text.c_str(), int(Text.size()), &Rect, Flags);
    }
}

void TCustomLabel::Paint()
{
    static const UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* C = GetCanvas();
    if (!GetTransparent()) {
        C->GetBrush()->SetColor(GetColor());
        C->GetBrush()->SetStyle(bsSolid);
        C->FillRect(GetClientRect());
    }
    C->GetBrush()->SetStyle(bsClear);
    TRect R = GetClientRect();
    const UINT DrawStyle = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | Alignments[FAlignment];
    if (FLayout != tlTop) {
        TRect CalcRect = R;
        DoDrawText(CalcRect, DrawStyle | DT_CALCRECT);
        if (FLayout == tlBottom)
            OffsetRect(R, 0, GetHeight() - CalcRect.Bottom);
        else
            OffsetRect(R, 0, (GetHeight() - CalcRect.Bottom) / 2);
    }
    DoDrawText(R, DrawStyle);
}

void TCustomLabel::AdjustBounds()
{
    if (GetComponentState().Contains(csReading) || !GetAutoSize()) return;
    TRect R = GetClientRect();
    TCanvas* C = GetCanvas();
    {
        HDC DC = GetDC(nullptr);
        C->SetHandle(DC);
        TScopeExit Measured([C, DC] {
            C->SetHandle(nullptr);
            ReleaseDC(nullptr, DC);
        });
        DoDrawText(R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    }
    int X = GetLeft();
    if (FAlignment == taRightJustify) X += GetWidth() - R.Right;
    SetBounds(X, GetTop(), R.Right, R.Bottom);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (GetAutoSize() == Value) return;
    TGraphicControl::SetAutoSize(Value);
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (GetTransparent() == Value) return;
    if (Value)
        SetControlStyle(GetControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(GetControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage&)
{
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && GetEnabled() && FShowAccelChar && IsAccel(WORD(Message.WParam), GetLabelText()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}
