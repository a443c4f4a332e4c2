// The mouse: capture, the control under the mouse (enter and leave), and
// finding controls by window or position.
#include "platform/controls/Controls.h"
#include "platform/qt/BridgeWidget.h"

#include <QApplication>

using namespace platform::detail;

namespace {

TControl* CaptureControl = nullptr;
TControl* CurrentMouseControl = nullptr;

} // namespace

TMouse* Mouse = nullptr;

HWND TMouse::GetCapture() const
{
    return ::GetCapture();
}

void TMouse::SetCapture(HWND Value)
{
    if (Value)
        ::SetCapture(Value);
    else
        ReleaseCapture();
}

TPoint TMouse::GetCursorPos() const
{
    TPoint P;
    ::GetCursorPos(&P);
    return P;
}

TControl* GetCaptureControl()
{
    // A capture the control's window lost (another window took it) is over.
    if (CaptureControl) {
        TWinControl* Window = dynamic_cast<TWinControl*>(CaptureControl);
        if (!Window) Window = CaptureControl->GetParent();
        if (!Window || !Window->HandleAllocated() || GetCapture() != Window->GetHandle()) CaptureControl = nullptr;
    }
    return CaptureControl;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    CaptureControl = nullptr;
    if (!Control) return;
    TWinControl* Window = dynamic_cast<TWinControl*>(Control);
    if (!Window) {
        // A graphic control holds the mouse through its parent's window.
        if (!Control->GetParent()) return;
        Window = Control->GetParent();
    }
    CaptureControl = Control;
    SetCapture(Window->GetHandle());
}

TWinControl* FindControl(HWND Handle)
{
    return ControlOf(Handle);
}

TWinControl* FindVCLWindow(const TPoint& Pos)
{
    TBridgeWidget* B = WindowAt(ToQPoint(Pos));
    return B ? B->Control() : nullptr;
}

namespace platform::detail {

void SetMouseControl(TControl* Control)
{
    if (Control == CurrentMouseControl) return;
    TControl* Old = CurrentMouseControl;
    CurrentMouseControl = Control;
    if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
    if (Control && CurrentMouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

TControl* MouseControl()
{
    return CurrentMouseControl;
}

namespace {

TControl* HoveredControl(TBridgeWidget* Under, QPoint ClientPos, TBridgeWidget* Grab)
{
    TBridgeWidget* Holder = BridgeOf(CaptureWindow);
    if (!Holder) Holder = Grab;
    if (!Under || !Under->Control() || (Holder && Holder != Under)) return nullptr;
    TControl* Control = Under->Control()->ControlAtPos(FromQPoint(ClientPos), true);
    return Control ? Control : Under->Control();
}

} // namespace

void TrackMouseControl(TBridgeWidget* Under, QPoint ClientPos, TBridgeWidget* Grab)
{
    if (HoveredControl(Under, ClientPos, Grab) == CurrentMouseControl) return;
    // The control left hears it first: its handler may take the capture or
    // let it go, which changes who hears the mouse now.
    SetMouseControl(nullptr);
    SetMouseControl(HoveredControl(Under, ClientPos, Grab));
}

TBridgeWidget* WindowAt(QPoint ScreenPos)
{
    QWidget* W = QApplication::widgetAt(ScreenPos);
    return W ? BridgeAbove(W) : nullptr;
}

void ControlGone(TControl* Control)
{
    if (CurrentMouseControl == Control) CurrentMouseControl = nullptr;
    if (CaptureControl == Control) CaptureControl = nullptr;
}

} // namespace platform::detail
