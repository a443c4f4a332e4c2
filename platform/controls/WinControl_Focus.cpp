// TWinControl: focus, the Tab order and the keyboard.
#include "platform/controls/ControlWindows.h"

#include <algorithm>

using namespace platform::detail;

// ---- Focus and Tab order ----------------------------------------------------------------------------------

int TWinControl::GetTabOrder() const
{
    if (!FParent) return -1;
    const auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : int(It - L.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (GetComponentState().Contains(csLoading))
        FTabOrderValue = Value;
    else
        UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value)
{
    const int Cur = GetTabOrder();
    if (Cur < 0) return;
    auto& L = FParent->FTabList;
    const int Count = int(L.size());
    Value = std::clamp(Value, 0, Count - 1);
    if (Value == Cur) return;
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
}

void TWinControl::FixupTabList()
{
    const int Count = int(FWinControls.size());
    std::vector<TWinControl*> List(std::size_t(Count), nullptr);
    for (TWinControl* C : FWinControls)
        if (C->FTabOrderValue >= 0 && C->FTabOrderValue < Count) List[std::size_t(C->FTabOrderValue)] = C;
    for (int I = 0; I < Count; ++I)
        if (List[std::size_t(I)]) List[std::size_t(I)]->UpdateTabOrder(I);
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle) {
        const DWORD Style = DWORD(GetWindowLongA(FHandle, GWL_STYLE));
        SetWindowLongA(FHandle, GWL_STYLE, LONG_PTR(Value ? Style | WS_TABSTOP : Style & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

TWinControl* TWinControl::ParentForm()
{
    TWinControl* Top = this;
    while (Top->FParent)
        Top = Top->FParent;
    return Top->IsForm() ? Top : nullptr;
}

bool TWinControl::CanFocus()
{
    TWinControl* Form = ParentForm();
    if (!Form) return false;
    for (TWinControl* C = this; C != Form; C = C->FParent)
        if (!C || !C->FVisible || !C->FEnabled) return false;
    return true;
}

bool TWinControl::Focused()
{
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    if (TWinControl* Form = ParentForm())
        Form->FocusControl(this);
    else if (FParentWindow || !FParent)
        ::SetFocus(GetHandle());
    else
        throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
}

void TWinControl::RemoveFocus(bool Removing)
{
    if (TWinControl* Form = ParentForm()) Form->DefocusControl(this, Removing);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* C : FTabList) {
        List.push_back(C);
        C->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent)
{
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    const int Count = int(List.size());
    auto It = std::find(List.begin(), List.end(), CurControl);
    int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : int(It - List.begin());
    int I = Start;
    do {
        if (GoForward) {
            if (++I == Count) I = 0;
        } else {
            if (I == 0) I = Count;
            --I;
        }
        TWinControl* C = List[std::size_t(I)];
        if (C->CanFocus() && (!CheckTabStop || C->FTabStop) && (!CheckParent || C->FParent == this)) return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* C = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) C->SetFocus();
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}
void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---- Keyboard --------------------------------------------------------------------------------------------------

namespace {

// Hands the message's key to Handle, which may change it, unless the control
// wants no standard events; true when Handle took the key (made it 0).
template <typename TKey, typename THandle> bool HandleKey(const TControl* Control, TMessage& Message, THandle Handle)
{
    if (Control->GetControlStyle().Contains(csNoStdEvents)) return false;
    TKey Key = TKey(Message.WParam);
    Handle(Key);
    Message.WParam = Key;
    return Key == 0;
}

} // namespace

bool TWinControl::DoKeyDown(TMessage& Message)
{
    TWinControl* Form = ParentForm();
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyDown(Message)) return true;
    return HandleKey<Word>(this, Message, [&](Word& Key) { KeyDown(Key, KeyDataToShiftState(Message.LParam)); });
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    TWinControl* Form = ParentForm();
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyUp(Message)) return true;
    return HandleKey<Word>(this, Message, [&](Word& Key) { KeyUp(Key, KeyDataToShiftState(Message.LParam)); });
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    TWinControl* Form = ParentForm();
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyPress(Message)) return true;
    return HandleKey<WideChar>(this, Message, [&](WideChar& Key) { KeyPress(Key); });
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(WideChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) TControl::WMKeyDown(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) TControl::WMSysKeyDown(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) TControl::WMKeyUp(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) TControl::WMSysKeyUp(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) TControl::WMChar(Message);
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    // Keys the control does not want (WM_GETDLGCODE) are the form's: Tab
    // moves the focus in Tab order, arrows move it among siblings.
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, Message.WParam, LPARAM(this)) != 0) return;
    LRESULT Mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
        Mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        Mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        Mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0) {
        TWinControl* Form = ParentForm();
        if (Form && Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    TWinControl* Form = ParentForm();
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && Form &&
        Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}
