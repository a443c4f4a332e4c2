// The mouse: capture, the control under the mouse (enter and leave),
// finding controls by window or position, and cursors.
#include "platform/controls/ControlWindows.h"
#include "platform/controls/Mouse.h"

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
    return static_cast<TWinControl*>(WindowParam(Handle));
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

void MouseOverWindow(TWinControl* Window, TPoint ClientPos)
{
    auto Hovered = [&]() -> TControl* {
        // While another window holds the mouse, none of this window's controls count.
        if (const HWND Holder = GetCapture(); Holder && Holder != Window->GetHandle()) return nullptr;
        TControl* Control = Window->ControlAtPos(ClientPos, true);
        return Control ? Control : Window;
    };
    if (Hovered() == CurrentMouseControl) return;
    // The control left hears it first: its handler may take the capture or
    // let it go, which changes who hears the mouse now.
    SetMouseControl(nullptr);
    SetMouseControl(Hovered());
}

void MouseLeftWindow(TWinControl* Window)
{
    if (TControl* C = CurrentMouseControl; C && (C == Window || C->GetParent() == Window)) SetMouseControl(nullptr);
}

void ControlGone(TControl* Control)
{
    if (CurrentMouseControl == Control) CurrentMouseControl = nullptr;
    if (CaptureControl == Control) CaptureControl = nullptr;
}

// ---- Cursors ------------------------------------------------------------------------------------

QCursor StandardCursor(TCursor Cursor)
{
    switch (Cursor) {
    case crNone:
        return QCursor(Qt::BlankCursor);
    case crCross:
        return QCursor(Qt::CrossCursor);
    case crIBeam:
        return QCursor(Qt::IBeamCursor);
    case crSizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS:
        return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE:
        return QCursor(Qt::SizeHorCursor);
    case crUpArrow:
        return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait:
        return QCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag:
        return QCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo:
        return QCursor(Qt::ForbiddenCursor);
    case crHSplit:
        return QCursor(Qt::SplitHCursor);
    case crVSplit:
        return QCursor(Qt::SplitVCursor);
    case crAppStart:
        return QCursor(Qt::BusyCursor);
    case crHelp:
        return QCursor(Qt::WhatsThisCursor);
    case crHandPoint:
        return QCursor(Qt::PointingHandCursor);
    case crSizeAll:
        return QCursor(Qt::SizeAllCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

TScreenCursors& ScreenCursors()
{
    // Never destroyed: the screen empties it while Qt still runs.
    static auto* Cursors = new TScreenCursors;
    return *Cursors;
}

HCURSOR ScreenCursor(int Index)
{
    auto& Map = ScreenCursors().Map;
    if (Map.empty()) return nullptr;
    auto It = Map.find(Index);
    if (It == Map.end()) It = Map.find(crArrow);
    return It->second.get();
}

QCursor ToQCursor(TCursor Cursor)
{
    const HCURSOR Registered = ScreenCursor(Cursor);
    return Registered ? Registered->Cursor : StandardCursor(Cursor);
}

} // namespace platform::detail
