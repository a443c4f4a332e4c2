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
// A part's rectangle in the control's client coordinates (line up and page
// up are left for a horizontal bar).
TRect ScrollBarPartRect(TWinControl* Control, int Bar, TScrollBarPart Part);
// A press and release of the left button on a part of the bar.
void ClickScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part);
// The left button goes down on a part of the bar, and up again over a part.
void PressScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part);
void ReleaseScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part);
// The mouse comes to rest over a part of the bar; or leaves the bar.
void HoverScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part);
void LeaveScrollBar(TWinControl* Control, int Bar);
// Takes the thumb with the left button, moves it along the bar by Pixels in
// Steps moves and, with Release, lets it go.
void DragScrollThumb(TWinControl* Control, int Bar, int Pixels, int Steps = 1, bool Release = true);
// A turn of the wheel (WHEEL_DELTA steps) with the mouse over the bar.
void WheelOnScrollBar(TWinControl* Control, int Bar, int Delta);

// A pixel at a client point as the window shows it, its scroll bars drawn
// over the backing image; CLR_INVALID outside the window.
TColor ShownPixelAt(TWinControl* Control, int X, int Y);

// True when the window's shape (SetWindowRgn) holds the window point (X, Y);
// a window without a shape holds every point of its rectangle.
bool WindowShapeContains(TWinControl* Control, int X, int Y);
// True when the control's window is a top-level window that stays on top of
// the others and never takes the focus or the activation.
bool IsFloatingToolWindow(TWinControl* Control);

} // namespace platform::test
