// Driving controls from tests the way a user would: Qt input events are
// delivered to the control's window (or its inner Qt widget) and reach the
// control through the window chain like real input. Points are in the
// control's client coordinates; a graphic control is driven through its
// parent's window. Windows that are not on screen yet are created as needed.
// Tests include this instead of any Qt header.
#pragma once
#include "platform/controls/Forms.h"

#include <memory>

namespace platform::test {

void MouseDown(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
void MouseUp(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Moves the mouse to the point (mouse enter and leave follow).
void MouseMove(TControl* Control, int X, int Y, TShiftState Shift = {});
void Click(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Press, release, double-click press, release.
void DoubleClick(TControl* Control, int X, int Y);
// Delta in WHEEL_DELTA steps (120 is one notch away from the user).
void MouseWheel(TControl* Control, int X, int Y, int Delta, TShiftState Shift = {});

// A key press and release on the window that has the focus inside Control's
// form (Control itself is focused first). Text is what the key types (empty
// for keys that type nothing).
void PressKey(TWinControl* Control, Word Key, TShiftState Shift = {}, const WideString& Text = {});
// Each character as a key that types it.
void TypeText(TWinControl* Control, const AnsiString& Text);
// An input method puts Text in at once (a composed word), on the window
// that has the focus inside Control's form (Control itself is focused first).
void CommitText(TWinControl* Control, const WideString& Text);

// A key held down as X11 sends it: pressed on Control (focused first), then,
// while the event loop runs, a release and a press marked as auto-repeat
// after RepeatDelay and every RepeatInterval, each to the window that has the
// focus then; really released by Release or when the object goes.
class THeldKey {
public:
    static constexpr int RepeatDelay = 660;
    static constexpr int RepeatInterval = 40;

    THeldKey(TWinControl* Control, Word Key);
    ~THeldKey();
    THeldKey(const THeldKey&) = delete;
    THeldKey& operator=(const THeldKey&) = delete;
    void Release();

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

// The window manager resizes or closes the form's window.
void ResizeWindow(TCustomForm* Form, int Width, int Height);
void CloseWindow(TCustomForm* Form);
// The window manager activates the form.
void ActivateWindow(TCustomForm* Form);
// The window system gives the activation to another program (false) or back
// to this one (true), as when the user clicks elsewhere on the desktop.
void SetApplicationActive(bool Active);

// Gives the form a menu bar with one menu (as a main menu does), or takes it away.
void AttachMenuBar(TCustomForm* Form, const AnsiString& MenuCaption);
void DetachMenuBar(TCustomForm* Form);
// The height of the form's menu bar (0 without one).
int MenuBarHeight(TCustomForm* Form);

// Paints whatever is invalid in the control's window now (window hidden or not).
void PaintNow(TControl* Control);
// A pixel of the window's backing image at a client point of Control, after
// painting what is invalid; CLR_INVALID outside the image.
TColor PixelAt(TControl* Control, int X, int Y);
// Saves what the window shows (its children included) as a PNG.
bool SaveWindowImage(TWinControl* Control, const AnsiString& FileName);
// What the window shows (its children included) copied into Bitmap, in
// window coordinates.
void GrabWindow(TWinControl* Control, TBitmap* Bitmap);
// The cursor the window shows now (an id of Screen->Cursors for a picture registered there).
TCursor WindowCursor(TWinControl* Control);
// A minimal control wrapping a Qt line edit (CreateInnerWidget), to test
// the wrapped-control machinery without depending on the standard controls.
TWinControl* NewWrappedLineEdit(TComponent* AOwner);

// Runs the event loop once (pending events, posted messages, deletions).
void ProcessEvents();

} // namespace platform::test
