// The mouse, the control under it as windows report it (enter and leave),
// and cursors.
#include "platform/controls/ControlWindows.h"
#include "platform/controls/Mouse.h"

#include <QApplication>

using namespace platform::detail;

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

namespace platform::detail {

void MouseOverWindow(TWinControl* Window, TPoint ClientPos)
{
    auto Hovered = [&]() -> TControl* {
        // While another window holds the mouse, none of this window's controls count.
        if (const HWND Holder = GetCapture(); Holder && Holder != Window->GetHandle()) return nullptr;
        TControl* Control = Window->ControlAtPos(ClientPos, true);
        return Control ? Control : Window;
    };
    if (Hovered() == MouseControl()) return;
    // The control left hears it first: its handler may take the capture or
    // let it go, which changes who hears the mouse now.
    SetMouseControl(nullptr);
    SetMouseControl(Hovered());
}

void MouseLeftWindow(TWinControl* Window)
{
    if (TControl* C = MouseControl(); C && (C == Window || C->GetParent() == Window)) SetMouseControl(nullptr);
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

void SetForcedCursor(TCursor Cursor)
{
    TCursor& Forced = ScreenCursors().Forced;
    if (Cursor == Forced) return;
    const TCursor Old = Forced;
    Forced = Cursor;
    if (Cursor == crDefault)
        QApplication::restoreOverrideCursor();
    else if (Old == crDefault)
        QApplication::setOverrideCursor(ToQCursor(Cursor));
    else
        QApplication::changeOverrideCursor(ToQCursor(Cursor));
}

} // namespace platform::detail
