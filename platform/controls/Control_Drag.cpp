// TControl: dragging a control within the program. The drag keeps to the
// mouse capture the source control holds: its moves and its release tell
// the drag where the pointer is, and the control under the pointer is asked
// whether it takes the source.
#include "platform/controls/ControlWindows.h"
#include "platform/controls/MessageRecords.h"
#include "platform/controls/Mouse.h"

#include <cstdlib>
#include <utility>

namespace platform::detail {

struct TDragTracker {
    TControl* Source = nullptr;
    // The control under the pointer that heard the drag come in, and its answer.
    TControl* Target = nullptr;
    bool Accepted = false;
    // The threshold is passed: the moves are the drag's.
    bool Active = false;
    TPoint Start;
    // Where the pointer was last seen by the drag.
    TPoint Last;
    int Threshold = 0;
    TCursor SavedCursor = crDefault;

    static TControl* ControlAt(const TPoint& ScreenPos);
    void Move(const TPoint& ScreenPos);
    // Whether Control takes From's drag at ScreenPos.
    void Ask(TControl* Control, TControl* From, const TPoint& ScreenPos, TDragState State);
    void End(bool Drop, const TPoint& ScreenPos);
    // The drag's share of a message to Control; true when the message is the drag's alone.
    bool Intercept(TControl* Control, TMessage& Message);
    void Forget(TControl* Control);
};

namespace {

TDragTracker Drag;

TPoint MessageScreenPos(TControl* Control, const TMessage& Message)
{
    return Control->ClientToScreen(TWMMouse(Message).Pos());
}

TPoint PointerPos()
{
    TPoint P;
    GetCursorPos(&P);
    return P;
}

} // namespace

TControl* TDragTracker::ControlAt(const TPoint& ScreenPos)
{
    TWinControl* Window = FindControl(WindowFromPoint(ScreenPos));
    if (!Window) return nullptr;
    TControl* Child = Window->ControlAtPos(Window->ScreenToClient(ScreenPos), false);
    return Child ? Child : Window;
}

void TDragTracker::Ask(TControl* Control, TControl* From, const TPoint& ScreenPos, TDragState State)
{
    const TPoint P = Control->ScreenToClient(ScreenPos);
    bool Accept = bool(Control->OnDragOver);
    Control->DragOver(From, P.X, P.Y, State, Accept);
    if (State != dsDragLeave) Accepted = Accept;
}

void TDragTracker::Move(const TPoint& ScreenPos)
{
    Last = ScreenPos;
    if (!Active) {
        if (std::abs(ScreenPos.X - Start.X) <= Threshold && std::abs(ScreenPos.Y - Start.Y) <= Threshold) return;
        Active = true;
        SavedCursor = ScreenCursors().Forced;
    }
    TControl* Under = ControlAt(ScreenPos);
    if (Under != Target) {
        // The handlers may end the drag.
        if (TControl* Left = std::exchange(Target, nullptr)) Ask(Left, Source, ScreenPos, dsDragLeave);
        if (!Source) return;
        Accepted = false;
        Target = Under;
        if (Target) Ask(Target, Source, ScreenPos, dsDragEnter);
    } else if (Target)
        Ask(Target, Source, ScreenPos, dsDragMove);
    if (Source) SetForcedCursor(Accepted ? crDrag : crNoDrop);
}

void TDragTracker::End(bool Drop, const TPoint& ScreenPos)
{
    TControl* Dragged = std::exchange(Source, nullptr);
    if (!Dragged) return;
    TControl* Over = std::exchange(Target, nullptr);
    const bool Dropped = Drop && Active && Over && Accepted;
    if (Active) SetForcedCursor(SavedCursor);
    Active = false;
    Accepted = false;
    if (Dropped) {
        const TPoint P = Over->ScreenToClient(ScreenPos);
        Over->DragDrop(Dragged, P.X, P.Y);
        return;
    }
    if (Over) Ask(Over, Dragged, ScreenPos, dsDragLeave);
    Dragged->DragCanceled();
}

bool TDragTracker::Intercept(TControl* Control, TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The drag begins before the control hears of the press.
        if (Control->GetDragMode() == dmAutomatic && !Source && !Control->GetComponentState().Contains(csDesigning))
            Control->BeginDrag(!Mouse || Mouse->GetDragImmediate(), -1);
        return false;
    case WM_MOUSEMOVE:
        if (Control != Source) return false;
        Move(MessageScreenPos(Control, Message));
        return Active;
    case WM_LBUTTONUP:
        // The control hears its release after the drag has ended.
        if (Control == Source) {
            const TPoint P = MessageScreenPos(Control, Message);
            if (Active && P != Last) Move(P);
            End(true, P);
        }
        return false;
    case WM_CANCELMODE:
        if (Control == Source) End(false, PointerPos());
        return false;
    case WM_CAPTURECHANGED:
        // Another window took the mouse, or it was let go before the release.
        if (Control == Source) End(false, PointerPos());
        return false;
    case WM_KEYDOWN:
    case CN_KEYDOWN:
        if (!Source || Message.WParam != VK_ESCAPE) return false;
        End(false, PointerPos());
        Message.Result = 1;
        return true;
    default:
        return false;
    }
}

void TDragTracker::Forget(TControl* Control)
{
    if (Target == Control) Target = nullptr;
    if (Source != Control) return;
    // A source that goes ends its drag without a word of its own.
    Source = nullptr;
    if (Active) SetForcedCursor(SavedCursor);
    Active = false;
    if (Target) Ask(std::exchange(Target, nullptr), Control, PointerPos(), dsDragLeave);
}

bool DragIntercepts(TControl* Control, TMessage& Message)
{
    return Drag.Intercept(Control, Message);
}

void DragControlGone(TControl* Control)
{
    Drag.Forget(Control);
}

} // namespace platform::detail

using namespace platform::detail;

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    if (Drag.Source) return;
    // The drag holds the mouse before it counts as begun: taking it may tell
    // another holder (this control's own window too) that it lost it.
    SetMouseCapture(true);
    Drag.Source = this;
    Drag.Target = nullptr;
    Drag.Accepted = false;
    Drag.Active = false;
    Drag.Start = PointerPos();
    Drag.Threshold = Immediate ? -1 : Threshold < 0 ? (Mouse ? Mouse->GetDragThreshold() : 5) : Threshold;
    if (Immediate) Drag.Move(Drag.Start);
}

bool TControl::Dragging() const
{
    return Drag.Source == this;
}

void TControl::EndDrag(bool Drop)
{
    if (Dragging()) Drag.End(Drop, PointerPos());
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}
