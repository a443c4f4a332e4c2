// grid/shared/GxNumberEdit_Spin.cpp
// The spin edit (its buttons, keys and wheel) and the time edit.
#include "grid/shared/GxNumberEdit.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace GxNumberEdit {

namespace {

TGxSpinButtons* NewSpinButtons(TGxCustomEdit* Edit)
{
    auto* Buttons = New<TGxSpinButtons>(Edit);
    Buttons->SetEdit(Edit);
    Buttons->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    Buttons->SetParent(Edit);
    return Buttons;
}

// The buttons as wide as a scroll bar at the right of the client area.
void PlaceSpinButtons(TGxCustomEdit* Edit, TGxSpinButtons* Buttons, bool Shown)
{
    if (!Edit->HandleAllocated()) return;
    const int Width = GetSystemMetrics(SM_CXVSCROLL);
    const bool Single = Edit->GetBorderStyle() == bsSingle;
    SetWindowPos(Buttons->GetHandle(), nullptr, Edit->GetClientWidth() - Width, Single ? 1 : 0, Width,
                 Edit->GetClientHeight() + (Single ? -1 : 1),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | (Shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    Buttons->Invalidate();
}

} // namespace

// ---- The spin edit -----------------------------------------------------------------------------

TGxSpinEdit::TGxSpinEdit(TComponent* AOwner) : TGxCustomNumberEdit(AOwner)
{
    FButtons = NewSpinButtons(this);
    FButtons->OnSpin = [this](TObject*, TSpinButtonSet Buttons) { DoSpin(Buttons); };
    SetPrecision(0);
}

int TGxSpinEdit::GetAsInteger()
{
    return int(Round(std::clamp(GetValue(), double(INT_MIN), double(INT_MAX))));
}

void TGxSpinEdit::BeginEditing()
{
    TGxCustomNumberEdit::BeginEditing();
    FButtons->Invalidate();
}

void TGxSpinEdit::SetSpinButtons(bool Value)
{
    FSpinButtons = Value;
    FButtons->SetVisible(Value);
    UpdateEditRect();
}

void TGxSpinEdit::DoSpin(TSpinButtonSet Buttons)
{
    if (GetReadOnly()) return;
    if (!Focused() && CanFocus()) SetFocus();
    const double Value = GetValue();
    const bool Up = Buttons.Contains(sbUp);
    // Without signs a step down ends at 0.
    const bool Signs = GetOptions().Contains(eoAllowSigns);
    if (!Up && !Signs && Value <= 0) return;
    double Next = Up ? Value + FIncrement : Value - FIncrement;
    // An overflow or an Increment that is no number steps nowhere, as a step
    // past the range does.
    if (!std::isfinite(Next)) return;
    if (!Up && !Signs) Next = std::max(Next, 0.0);
    if (CheckRange() && (Up ? GetMax() >= GetMin() && Next > GetMax() : Next < GetMin())) return;
    SetValue(Next);
    SetSelStart(int(GetText().size()));
    if (OnSpin) OnSpin(this, Buttons);
}

void TGxSpinEdit::StopSpinning()
{
    if (!FButtons->GetPressedButtons().Empty()) FButtons->SetPressedButtons({});
}

void TGxSpinEdit::UpdateEditMargins(int& Left, int& Right)
{
    TGxCustomNumberEdit::UpdateEditMargins(Left, Right);
    if (FButtons && FButtons->GetVisible()) Right += FButtons->GetWidth();
}

bool TGxSpinEdit::Wheel(TSpinButton Button)
{
    if (GetInplaceEditor()) return false; // the grid scrolls
    if (FSpinButtons) {
        FButtons->SetPressedButtons({Button});
        FButtons->SetPressedButtons({});
    }
    return true;
}

bool TGxSpinEdit::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return TGxCustomNumberEdit::DoMouseWheelDown(Shift, MousePos) || Wheel(sbDown);
}

bool TGxSpinEdit::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return TGxCustomNumberEdit::DoMouseWheelUp(Shift, MousePos) || Wheel(sbUp);
}

void TGxSpinEdit::CreateWnd()
{
    TGxCustomNumberEdit::CreateWnd();
    PlaceSpinButtons(this, FButtons, FSpinButtons);
}

void TGxSpinEdit::CMMouseEnter(TMessage& Message)
{
    TGxCustomNumberEdit::CMMouseEnter(Message);
    FButtons->SetHoverButtons({sbUp, sbDown});
}

void TGxSpinEdit::CMMouseLeave(TMessage& Message)
{
    TGxCustomNumberEdit::CMMouseLeave(Message);
    FButtons->SetHoverButtons({});
}

void TGxSpinEdit::CMVisibleChanged(TMessage& Message)
{
    TGxCustomNumberEdit::CMVisibleChanged(Message);
    if (!GetVisible()) StopSpinning();
}

void TGxSpinEdit::WMKeyDown(TMessage& Message)
{
    TGxCustomNumberEdit::WMKeyDown(Message);
    const WPARAM Key = Message.WParam; // 0 when a handler took it
    if (!FSpinButtons || GetInplaceEditor() || (Key != VK_UP && Key != VK_DOWN)) return;
    // A key held down repeats as presses with bit 30 set: the buttons keep
    // their own rhythm, and a spin that was stopped stays stopped.
    if (Message.LParam & 0x40000000) return;
    FButtons->SetPressedButtons({Key == VK_UP ? sbUp : sbDown});
}

void TGxSpinEdit::WMKeyUp(TMessage& Message)
{
    TGxCustomNumberEdit::WMKeyUp(Message);
    if (Message.WParam == VK_UP || Message.WParam == VK_DOWN) StopSpinning();
}

void TGxSpinEdit::WMKillFocus(TMessage& Message)
{
    StopSpinning();
    TGxCustomNumberEdit::WMKillFocus(Message);
}

void TGxSpinEdit::WMSize(TMessage& Message)
{
    TGxCustomNumberEdit::WMSize(Message);
    PlaceSpinButtons(this, FButtons, FSpinButtons);
}

void TGxSpinEdit::WMWindowPosChanged(TMessage& Message)
{
    TGxCustomNumberEdit::WMWindowPosChanged(Message);
    if (!GetComponentState().Contains(csDestroying)) FButtons->Invalidate();
}

// ---- The time edit -----------------------------------------------------------------------------

AnsiString CleanTimeFormat(const AnsiString& S)
{
    AnsiString Result;
    int Colons = 0, Hours = 0, Minutes = 0, Seconds = 0;
    for (const char C : S) {
        // The locale's formats write a 24-hour hour as H.
        int* Count = C == ':'                 ? &Colons
                     : (C == 'h' || C == 'H') ? &Hours
                     : C == 'm'               ? &Minutes
                     : C == 's'               ? &Seconds
                                              : nullptr;
        if (Count && (*Count)++ < 2) Result += C;
    }
    return Result;
}

TGxTimeEdit::TGxTimeEdit(TComponent* AOwner) : TGxEdit(AOwner)
{
    FButtons = NewSpinButtons(this);
    FButtons->SetVisible(false);
    SetText(FormatDateTime(FormatSettings.LongTimeFormat, Now()));
}

AnsiString TGxTimeEdit::GetTimeFormat() const
{
    return CleanTimeFormat(FTimeFormat.empty() ? FormatSettings.LongTimeFormat : FTimeFormat);
}

AnsiString TGxTimeEdit::GetTimeSeparator() const
{
    return FTimeSeparator.empty() ? AnsiString(1, FormatSettings.TimeSeparator) : FTimeSeparator;
}

void TGxTimeEdit::WMSize(TMessage& Message)
{
    TGxEdit::WMSize(Message);
    PlaceSpinButtons(this, FButtons, FSpinButtons);
}

} // namespace GxNumberEdit
