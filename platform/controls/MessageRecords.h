// Message records: read views of a TMessage for the common message shapes
// (the message numbers are in platform/win/WinMessages.h). A handler sets
// Message.Result (and, for key messages, may change Message.WParam) itself.
#pragma once
#include "platform/win/WinMessages.h"

// WM_MOUSEMOVE, WM_xBUTTONxxx: wParam the MK_* keys, lParam the client point.
struct TWMMouse {
    explicit TWMMouse(const TMessage& M)
        : Msg(M.Msg), Keys(static_cast<WORD>(M.WParam)), XPos(static_cast<std::int16_t>(M.LParamLo())),
          YPos(static_cast<std::int16_t>(M.LParamHi()))
    {
    }
    UINT Msg;
    WORD Keys;
    std::int16_t XPos;
    std::int16_t YPos;
    TPoint Pos() const { return {XPos, YPos}; }
};

// WM_MOUSEWHEEL: wParam low the MK_* keys, high the signed distance; lParam the screen point.
struct TWMMouseWheel {
    explicit TWMMouseWheel(const TMessage& M)
        : Msg(M.Msg), Keys(M.WParamLo()), WheelDelta(static_cast<std::int16_t>(M.WParamHi())),
          XPos(static_cast<std::int16_t>(M.LParamLo())), YPos(static_cast<std::int16_t>(M.LParamHi()))
    {
    }
    UINT Msg;
    WORD Keys;
    std::int16_t WheelDelta;
    std::int16_t XPos;
    std::int16_t YPos;
    TPoint Pos() const { return {XPos, YPos}; }
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR (a UTF-16 code unit), CM_DIALOGKEY, CM_WANTSPECIALKEY, CN_KEYDOWN ...
struct TWMKey {
    explicit TWMKey(const TMessage& M) : Msg(M.Msg), CharCode(static_cast<WORD>(M.WParam)), KeyData(M.LParam) {}
    UINT Msg;
    WORD CharCode;
    LPARAM KeyData;
};

// WM_SIZE: wParam the SIZE_* kind, lParam the new client width and height.
struct TWMSize {
    explicit TWMSize(const TMessage& M)
        : Msg(M.Msg), SizeType(M.WParam), Width(static_cast<std::int16_t>(M.LParamLo())),
          Height(static_cast<std::int16_t>(M.LParamHi()))
    {
    }
    UINT Msg;
    WPARAM SizeType;
    std::int16_t Width;
    std::int16_t Height;
};

// WM_NCHITTEST: lParam the screen point.
struct TWMNCHitTest {
    explicit TWMNCHitTest(const TMessage& M)
        : Msg(M.Msg), XPos(static_cast<std::int16_t>(M.LParamLo())), YPos(static_cast<std::int16_t>(M.LParamHi()))
    {
    }
    UINT Msg;
    std::int16_t XPos;
    std::int16_t YPos;
    TPoint Pos() const { return {XPos, YPos}; }
};

// WM_SETCURSOR: wParam the window under the mouse, lParam low the hit-test code, high the mouse message.
struct TWMSetCursor {
    explicit TWMSetCursor(const TMessage& M)
        : Msg(M.Msg), CursorWnd(reinterpret_cast<HWND>(M.WParam)), HitTest(static_cast<std::int16_t>(M.LParamLo())),
          MouseMsg(M.LParamHi())
    {
    }
    UINT Msg;
    HWND CursorWnd;
    std::int16_t HitTest;
    WORD MouseMsg;
};

// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT (wParam: a device context, or 0 for the window's own).
struct TWMPaint {
    explicit TWMPaint(const TMessage& M) : Msg(M.Msg), DC(reinterpret_cast<HDC>(M.WParam)) {}
    UINT Msg;
    HDC DC;
};
using TWMEraseBkgnd = TWMPaint;

// WM_TIMER: wParam the timer's id.
struct TWMTimer {
    explicit TWMTimer(const TMessage& M) : Msg(M.Msg), TimerID(M.WParam) {}
    UINT Msg;
    WPARAM TimerID;
};

// WM_HSCROLL, WM_VSCROLL: wParam low the SB_* code, high the position.
struct TWMScroll {
    explicit TWMScroll(const TMessage& M)
        : Msg(M.Msg), ScrollCode(static_cast<std::int16_t>(M.WParamLo())), Pos(static_cast<std::int16_t>(M.WParamHi())),
          ScrollBar(reinterpret_cast<HWND>(M.LParam))
    {
    }
    UINT Msg;
    std::int16_t ScrollCode;
    std::int16_t Pos;
    HWND ScrollBar;
};

// WM_SETFOCUS / WM_KILLFOCUS: wParam the window losing / gaining the focus.
struct TWMSetFocus {
    explicit TWMSetFocus(const TMessage& M) : Msg(M.Msg), FocusedWnd(reinterpret_cast<HWND>(M.WParam)) {}
    UINT Msg;
    HWND FocusedWnd;
};
using TWMKillFocus = TWMSetFocus;

// WM_DROPFILES: wParam the drop handle.
struct TWMDropFiles {
    explicit TWMDropFiles(const TMessage& M) : Msg(M.Msg), Drop(reinterpret_cast<HDROP>(M.WParam)) {}
    UINT Msg;
    HDROP Drop;
};
