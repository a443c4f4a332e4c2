// The mouse.
#pragma once
#include "platform/controls/Control.h"

class TMouse {
public:
    // The window that holds the mouse, or 0.
    HWND GetCapture() const;
    void SetCapture(HWND Value);
    TPoint GetCursorPos() const;
    bool GetWheelPresent() const { return true; }
    int GetWheelScrollLines() const { return 3; }
    bool GetDragImmediate() const { return true; }
    int GetDragThreshold() const { return 5; }
};

extern TMouse* Mouse;
