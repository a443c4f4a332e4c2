// The messages a control has a handler method for, each with its method's
// name: the one list from which TControl declares its handlers and builds
// its Dispatch, so that no handler can miss its case.
//
// QM_CONTROL_MESSAGES(OWN, DEFAULT) expands OWN(Id, Name) for a handler that
// TControl gives a behaviour of its own (Control.cpp, Control_Mouse.cpp), and DEFAULT(Id, Name)
// for one that only passes the message to DefaultHandler until a derived
// class overrides it.
#pragma once
#include "platform/win/WinMessages.h"

#define QM_CONTROL_MESSAGES(OWN, DEFAULT)                                                                              \
    OWN(WM_MOUSEMOVE, WMMouseMove)                                                                                     \
    OWN(WM_LBUTTONDOWN, WMLButtonDown)                                                                                 \
    OWN(WM_LBUTTONUP, WMLButtonUp)                                                                                     \
    OWN(WM_LBUTTONDBLCLK, WMLButtonDblClk)                                                                             \
    OWN(WM_RBUTTONDOWN, WMRButtonDown)                                                                                 \
    OWN(WM_RBUTTONUP, WMRButtonUp)                                                                                     \
    OWN(WM_RBUTTONDBLCLK, WMRButtonDblClk)                                                                             \
    OWN(WM_MBUTTONDOWN, WMMButtonDown)                                                                                 \
    OWN(WM_MBUTTONUP, WMMButtonUp)                                                                                     \
    OWN(WM_MBUTTONDBLCLK, WMMButtonDblClk)                                                                             \
    OWN(WM_MOUSEWHEEL, WMMouseWheel)                                                                                   \
    OWN(WM_CANCELMODE, WMCancelMode)                                                                                   \
    DEFAULT(WM_WINDOWPOSCHANGED, WMWindowPosChanged)                                                                   \
    DEFAULT(WM_PAINT, WMPaint)                                                                                         \
    DEFAULT(WM_ERASEBKGND, WMEraseBkgnd)                                                                               \
    DEFAULT(WM_NCPAINT, WMNCPaint)                                                                                     \
    DEFAULT(WM_NCCALCSIZE, WMNCCalcSize)                                                                               \
    DEFAULT(WM_NCHITTEST, WMNCHitTest)                                                                                 \
    DEFAULT(WM_NCLBUTTONDOWN, WMNCLButtonDown)                                                                         \
    DEFAULT(WM_SIZE, WMSize)                                                                                           \
    DEFAULT(WM_MOVE, WMMove)                                                                                           \
    DEFAULT(WM_ACTIVATE, WMActivate)                                                                                   \
    DEFAULT(WM_ACTIVATEAPP, WMActivateApp)                                                                             \
    DEFAULT(WM_SETFOCUS, WMSetFocus)                                                                                   \
    DEFAULT(WM_KILLFOCUS, WMKillFocus)                                                                                 \
    DEFAULT(WM_KEYDOWN, WMKeyDown)                                                                                     \
    DEFAULT(WM_KEYUP, WMKeyUp)                                                                                         \
    DEFAULT(WM_CHAR, WMChar)                                                                                           \
    DEFAULT(WM_SYSKEYDOWN, WMSysKeyDown)                                                                               \
    DEFAULT(WM_SYSKEYUP, WMSysKeyUp)                                                                                   \
    DEFAULT(WM_SYSCHAR, WMSysChar)                                                                                     \
    DEFAULT(WM_GETDLGCODE, WMGetDlgCode)                                                                               \
    DEFAULT(WM_SETCURSOR, WMSetCursor)                                                                                 \
    DEFAULT(WM_TIMER, WMTimer)                                                                                         \
    DEFAULT(WM_HSCROLL, WMHScroll)                                                                                     \
    DEFAULT(WM_VSCROLL, WMVScroll)                                                                                     \
    DEFAULT(WM_DROPFILES, WMDropFiles)                                                                                 \
    DEFAULT(WM_CONTEXTMENU, WMContextMenu)                                                                             \
    DEFAULT(WM_COMMAND, WMCommand)                                                                                     \
    DEFAULT(WM_CLOSE, WMClose)                                                                                         \
    DEFAULT(WM_CAPTURECHANGED, WMCaptureChanged)                                                                       \
    OWN(CM_ENABLEDCHANGED, CMEnabledChanged)                                                                           \
    OWN(CM_VISIBLECHANGED, CMVisibleChanged)                                                                           \
    OWN(CM_FONTCHANGED, CMFontChanged)                                                                                 \
    OWN(CM_COLORCHANGED, CMColorChanged)                                                                               \
    OWN(CM_PARENTFONTCHANGED, CMParentFontChanged)                                                                     \
    OWN(CM_PARENTCOLORCHANGED, CMParentColorChanged)                                                                   \
    OWN(CM_PARENTSHOWHINTCHANGED, CMParentShowHintChanged)                                                             \
    OWN(CM_MOUSEENTER, CMMouseEnter)                                                                                   \
    OWN(CM_MOUSELEAVE, CMMouseLeave)                                                                                   \
    OWN(CM_MOUSEWHEEL, CMMouseWheel)                                                                                   \
    OWN(CM_HITTEST, CMHitTest)                                                                                         \
    OWN(CM_CURSORCHANGED, CMCursorChanged)                                                                             \
    DEFAULT(CM_SHOWINGCHANGED, CMShowingChanged)                                                                       \
    DEFAULT(CM_TEXTCHANGED, CMTextChanged)                                                                             \
    DEFAULT(CM_SYSCOLORCHANGE, CMSysColorChange)                                                                       \
    DEFAULT(CM_HINTSHOW, CMHintShow)                                                                                   \
    DEFAULT(CM_DIALOGKEY, CMDialogKey)                                                                                 \
    DEFAULT(CM_DIALOGCHAR, CMDialogChar)                                                                               \
    DEFAULT(CM_WANTSPECIALKEY, CMWantSpecialKey)                                                                       \
    DEFAULT(CM_CHILDKEY, CMChildKey)                                                                                   \
    DEFAULT(CM_ENTER, CMEnter)                                                                                         \
    DEFAULT(CM_EXIT, CMExit)                                                                                           \
    DEFAULT(CM_FOCUSCHANGED, CMFocusChanged)                                                                           \
    DEFAULT(CM_CANCELMODE, CMCancelMode)                                                                               \
    DEFAULT(CM_INVALIDATE, CMInvalidate)                                                                               \
    DEFAULT(CM_CONTROLCHANGE, CMControlChange)                                                                         \
    DEFAULT(CM_CONTROLLISTCHANGE, CMControlListChange)                                                                 \
    DEFAULT(CM_RECREATEWND, CMRecreateWnd)                                                                             \
    DEFAULT(CM_TABSTOPCHANGED, CMTabStopChanged)                                                                       \
    DEFAULT(CM_BORDERCHANGED, CMBorderChanged)                                                                         \
    DEFAULT(CM_ACTIVATE, CMActivate)                                                                                   \
    DEFAULT(CM_DEACTIVATE, CMDeactivate)                                                                               \
    DEFAULT(CM_RELEASE, CMRelease)                                                                                     \
    DEFAULT(CN_KEYDOWN, CNKeyDown)                                                                                     \
    DEFAULT(CN_KEYUP, CNKeyUp)                                                                                         \
    DEFAULT(CN_CHAR, CNChar)                                                                                           \
    DEFAULT(CN_SYSKEYDOWN, CNSysKeyDown)                                                                               \
    DEFAULT(CN_SYSCHAR, CNSysChar)                                                                                     \
    DEFAULT(CN_COMMAND, CNCommand)
