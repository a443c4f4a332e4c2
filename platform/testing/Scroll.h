// Driving a window's own scroll bars and looking at top-level tool windows
// from tests, the way a user and a screen would (see TestDriving.h).
// Bar is SB_HORZ or SB_VERT.
#pragma once
#include "platform/testing/TestDriving.h"

namespace platform::test {

enum TScrollBarPart { sbpLineUp, sbpLineDown, sbpPageUp, sbpPageDown, sbpThumb };

// True while the window shows the bar.
bool ScrollBarShown(TWinControl* Control, int Bar);
// True while the shown bar takes input.
bool ScrollBarEnabled(TWinControl* Control, int Bar);
// The bar's rectangle in the control's client coordinates (empty when hidden).
TRect ScrollBarRect(TWinControl* Control, int Bar);
// A press and release of the left button on a part of the bar (line up and
// page up are left for a horizontal bar).
void ClickScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part);
// Takes the thumb with the left button, moves it along the bar by Pixels in
// Steps moves and, with Release, lets it go.
void DragScrollThumb(TWinControl* Control, int Bar, int Pixels, int Steps = 1, bool Release = true);
// A turn of the wheel (WHEEL_DELTA steps) with the mouse over the bar.
void WheelOnScrollBar(TWinControl* Control, int Bar, int Delta);

// True when the window's shape (SetWindowRgn) holds the window point (X, Y);
// a window without a shape holds every point of its rectangle.
bool WindowShapeContains(TWinControl* Control, int X, int Y);
// True when the control's window is a top-level window that stays on top of
// the others and never takes the focus or the activation.
bool IsFloatingToolWindow(TWinControl* Control);

} // namespace platform::test
