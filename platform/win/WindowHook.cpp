#include "platform/win/WindowHook.h"

void TWindowHook::Hook(HWND Wnd, TWndMethod Method)
{
    Unhook();
    FInstance = MakeObjectInstance(std::move(Method));
    FWnd = Wnd;
    FOldProc = reinterpret_cast<WNDPROC>(SetWindowLongA(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance)));
}

void TWindowHook::Unhook()
{
    if (!FInstance) return;
    // Handles are never given out twice, so a live handle is still the
    // window that was hooked.
    if (IsWindow(FWnd)) SetWindowLongA(FWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProc));
    FreeObjectInstance(FInstance);
    FInstance = nullptr;
    FOldProc = nullptr;
    FWnd = nullptr;
}

void TWindowHook::PassOn(TMessage& Message) const
{
    Message.Result = CallWindowProcA(FOldProc, FWnd, Message.Msg, Message.WParam, Message.LParam);
}
