// A window-procedure hook that an object puts on a window and takes off
// again: the hook-and-unhook sequence of every component that hooks a
// control's window (the file dropper, the size grip).
#pragma once
#include "platform/win/WinUser.h"

class TWindowHook {
public:
    TWindowHook() = default;
    ~TWindowHook() { Unhook(); }
    TWindowHook(const TWindowHook&) = delete;
    TWindowHook& operator=(const TWindowHook&) = delete;

    bool Hooked() const { return FInstance != nullptr; }
    HWND GetWindow() const { return FWnd; }
    // Puts Method on top of Wnd's procedure chain (taking any earlier hook
    // of this object off first); what Method does not handle it hands to
    // PassOn.
    void Hook(HWND Wnd, TWndMethod Method);
    // Takes the hook out of the chain while the window is still there (a
    // window that went took the hook with it) and frees its procedure.
    void Unhook();
    // Sends Message to the procedure below the hook and keeps its Result.
    void PassOn(TMessage& Message) const;

private:
    HWND FWnd = nullptr;
    WNDPROC FOldProc = nullptr;
    WNDPROC FInstance = nullptr;
};
