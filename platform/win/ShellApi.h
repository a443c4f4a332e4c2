// Shell drag and drop: files and folders dragged from the desktop's file
// manager onto a window.
//
// DragAcceptFiles turns on drops of local files (a text/uri-list of file://
// URLs) on a window: on its window widget, its inner Qt widget and a text
// control's viewport, so that an editor no longer inserts dropped names as
// text. Drags whose URLs name no local file are refused there; drags without
// URLs (plain text) still reach the control's own widget.
//
// A drop is sent through the window's chain as WM_DROPFILES, WParam being the
// drop handle. DragQueryFileA reads its names, DragFinish frees it; a handle
// nobody finished goes when the message returns. Names are the URLs' bytes,
// percent-decoded as they are, so a name that is not valid UTF-8 arrives
// unchanged.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/WinTypes.h"

void DragAcceptFiles(HWND Wnd, BOOL Accept);

// File 0xFFFFFFFF: the number of names in the drop. Otherwise the name of
// file File: with a null Buffer its length; else it is copied into Buffer
// with a terminating NUL, cut to Size - 1 characters, and the number of
// characters copied is returned. 0 for an unknown handle or index.
UINT DragQueryFileA(HDROP Drop, UINT File, char* Buffer, UINT Size);
void DragFinish(HDROP Drop);

namespace platform {
// The whole name of file File of a drop (DragQueryFileA cuts a name at its
// buffer); empty for an unknown handle or index.
AnsiString DragQueryFileName(HDROP Drop, UINT File);
} // namespace platform
