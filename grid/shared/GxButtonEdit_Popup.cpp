// grid/shared/GxButtonEdit_Popup.cpp
// The drop-down edit: opening and closing its popup, its keys and mouse,
// and the list style that paints its own text.
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"

namespace GxButtonEdit {

using namespace GxSharedCommon;

TGxPopupEdit::TGxPopupEdit(TComponent* AOwner) : TGxCustomButtonEdit(AOwner) {}

TGxSmallButtonClass TGxPopupEdit::GetButtonClass()
{
    return SmallButtonClass<TDropDownButton>;
}

void TGxPopupEdit::CreatePopupControl()
{
    TGxPopupControl* Popup = GetPopupControlClass()(this);
    Popup->SetVisible(false);
    Popup->OnDeactivate = [this](TObject* Sender) { DoDropDownDeactivate(Sender); };
    Popup->OnInput = [this](TObject* Sender, const AnsiString& Value) { DoDropDownInput(Sender, Value); };
    SetPopupControl(Popup);
}

TPoint TGxPopupEdit::DropPoint()
{
    return ClientToScreen(TPoint(-1, GetClientHeight()));
}

void TGxPopupEdit::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown || !GetPopupControl()) return;
    FDroppedDown = Value;
    TGxPopupControl* Popup = GetPopupControl();
    if (Value) {
        TPoint P = DropPoint();
        Popup->GetFont()->Assign(GetFont());
        Popup->SetWidth(GetWidth());
        Popup->SetText(GetText());
        BeforeDrop(P);
        TGxCustomEdit::SetDroppedDown(true);
        Popup->Popup(P.X, P.Y);
        if (FStyle == dsDropDownList) Invalidate();
        return;
    }
    Popup->SetClosed(true);
    ReleaseCapture();
    TGxCustomEdit::SetDroppedDown(false);
    if (GetButton()) GetButton()->SetDown(false);
    if (Popup->HandleAllocated()) ShowWindow(Popup->GetHandle(), SW_HIDE);
    Popup->SetVisible(false);
    DoCloseUp();
}

void TGxPopupEdit::SetStyle(TDropDownStyle Value)
{
    FStyle = Value;
    SetReadOnly(Value == dsDropDownList);
    SetCursor(Value == dsDropDownList ? crArrow : crDefault);
    UpdateEditRect();
    Invalidate();
}

void TGxPopupEdit::SetHideFocus(bool Value)
{
    FHideFocus = Value;
    Invalidate();
}

void TGxPopupEdit::DoButtonDown()
{
    TPoint P = DropPoint();
    TGxPopupControl* Popup = GetPopupControl();
    Popup->GetFont()->Assign(GetFont());
    Popup->SetWidth(GetWidth());
    Popup->SetText(GetText());
    Popup->SetCursor(GetCursor());
    BeforeDrop(P);
    SetDroppedDown(true);
}

void TGxPopupEdit::DoDropDownInput(TObject* Sender, const AnsiString& Value)
{
    DoSelect();
    TGxCustomButtonEdit::DoDropDownInput(Sender, Value);
}

void TGxPopupEdit::DoCloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TGxPopupEdit::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TGxPopupEdit::ClosePopupControl()
{
    if (GetPopupControl()) GetPopupControl()->ClosePopup();
}

void TGxPopupEdit::DoEditInfoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomButtonEdit::DoEditInfoMouseDown(Sender, Button, Shift, X, Y);
    MouseDown(Button, Shift, X, Y);
}

TColor TGxPopupEdit::GetFillColor()
{
    if (!GetInplaceEditor() && FStyle == dsDropDownList && Focused()) return clHighlight;
    return GetColor();
}

void TGxPopupEdit::Paint()
{
    TCanvas* C = GetCanvas();
    const TRect R(0, 0, GetClientWidth() - (GetButton() ? GetButton()->GetWidth() : 0), GetClientHeight());
    C->GetFont()->Assign(GetFont());
    if (Focused()) {
        C->GetBrush()->SetColor(GetFillColor());
        C->FillRect(R);
        if (!GetInplaceEditor()) C->GetFont()->SetColor(clHighlightText);
        if (!FHideFocus && !GetInplaceEditor()) TGraphicsProvider::DrawFocused(C, R, false);
    } else {
        C->GetBrush()->SetColor(GetColor());
        C->FillRect(R);
    }
    TRect T = R;
    T.Left += GetEditMargins()->GetLeft() + GetEditLeft();
    T.Right -= GetEditMargins()->GetRight();
    if (GetBorderStyle() == bsSingle) {
        InflateRect(T, -GetBorderWidth(), -GetBorderWidth());
        InflateRect(T, -2, -2);
    }
    if (!GetEnabled()) C->GetFont()->SetColor(clGrayText);
    C->GetBrush()->SetStyle(bsClear);
    TGraphicsProvider::DrawWrapedTextRect(C, T, GetAlignment(), taAlignTop, false, Utf8ToWide(GetText()),
                                          GetBiDiMode());
    C->GetBrush()->SetStyle(bsSolid);
}

void TGxPopupEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TGxCustomButtonEdit::KeyDown(Key, Shift);
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        SetDroppedDown(!FDroppedDown);
    } else if (Key == VK_RETURN) {
        SetDroppedDown(false);
    }
}

void TGxPopupEdit::KeyPress(WideChar& Key)
{
    TGxCustomButtonEdit::KeyPress(Key);
    if (Key == 0x1B) ClosePopupControl();
}

void TGxPopupEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomButtonEdit::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && FStyle == dsDropDownList) {
        DoButtonDown();
        if (GetButton()) GetButton()->SetDown(true);
    }
}

void TGxPopupEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCustomButtonEdit::MouseMove(Shift, X, Y);
    SetCursor(FStyle == dsDropDown ? crDefault : crArrow);
}

void TGxPopupEdit::VisibleChanging()
{
    TGxCustomButtonEdit::VisibleChanging();
    ClosePopupControl();
}

void TGxPopupEdit::WndProc(TMessage& Message)
{
    TGxCustomButtonEdit::WndProc(Message);
    if (Message.Msg == WM_SHOWWINDOW && !GetComponentState().Contains(csDestroying)) ClosePopupControl();
}

void TGxPopupEdit::WMSetFocus(TMessage& Message)
{
    TGxCustomButtonEdit::WMSetFocus(Message);
    if (FStyle == dsDropDownList) DestroyCaret();
    Invalidate();
}

void TGxPopupEdit::WMKillFocus(TMessage& Message)
{
    TGxCustomButtonEdit::WMKillFocus(Message);
    SetDroppedDown(false);
    TGxCustomEdit::SetDroppedDown(false);
    if (GetButton()) GetButton()->Invalidate();
    Invalidate();
}

} // namespace GxButtonEdit
