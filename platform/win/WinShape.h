// The shape of a window: a window region cuts the window to the region (in
// window coordinates); what lies outside it is not part of the window.
#pragma once
#include "platform/win/WinGdi.h"

// Gives the window the shape of Region (null: the whole rectangle again).
// The region then belongs to the window: the caller does not use or delete
// it any more. False for a window that is gone (the region is deleted all
// the same).
int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw);
