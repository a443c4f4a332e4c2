// Loading cursors from the program's named resources
// (platform/graphics/Resources.h), for Screen->Cursors[...].
#pragma once
#include "platform/graphics/Graphics.h"

// A new cursor made from the cursor resource of that name, or null when
// there is none. The caller owns it (Screen->SetCursors takes it over).
HCURSOR LoadCursorA(HINSTANCE Instance, const char* CursorName);
inline HCURSOR LoadCursor(HINSTANCE Instance, const char* CursorName)
{
    return LoadCursorA(Instance, CursorName);
}
