// TWinControl: the window, its children and its messages.
#include "platform/controls/ControlWindows.h"

#include <algorithm>

using namespace platform::detail;

namespace {

// The window class part of a control's creation parameters.
TWindowParams ClassParams(const TCreateParams& Params)
{
    TWindowParams W;
    W.Style = Params.Style;
    W.ExStyle = Params.ExStyle;
    W.ClassStyle = Params.WindowClass.style;
    W.ClassCursor = ToQCursor(Params.WindowClass.hCursor);
    W.ClassBackground = Params.WindowClass.hbrBackground;
    return W;
}

} // namespace

// ---- Life ---------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(GetColor());
}

TWinControl::~TWinControl()
{
    DestroyChildren();
    DestroyHandle();
}

void TWinControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    if (FParent) RemoveFocus(true);
    DestroyChildren();
    DestroyHandle();
    TControl::BeforeDestruction();
}

void TWinControl::DestroyChildren()
{
    // As the class library does: the parent frees its child controls, last first.
    while (GetControlCount() > 0) {
        TControl* C = GetControls(GetControlCount() - 1);
        Remove(C);
        Free(C);
    }
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    Realign();
}

// ---- The window --------------------------------------------------------------------------------

HWND TWinControl::GetHandle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (FHandle) return;
    CreateWnd();
    CreateChildHandles();
    if (!IsTopLevelWindow()) WidgetOf(FHandle)->setVisible(FVisible);
}

void TWinControl::CreateChildHandles()
{
    // Visible children get their windows; children that kept a window while
    // they had no parent window move into this one.
    for (std::size_t I = 0; I < FWinControls.size(); ++I)
        FWinControls[I]->UpdateControlState();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle) return;
    for (TWinControl* C : FWinControls)
        C->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    if (!FHandle) return;
    if (GetCapture() == FHandle) ReleaseCapture();
    DestroyClassWindow(std::exchange(FHandle, nullptr));
    FClientValid = false;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams();
    Params.Caption = WindowCaption();
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (GetControlStyle().Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent && FParent->FHandle ? FParent->FHandle : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd()
{
    TCreateParams Params;
    CreateParams(Params);
    CreateWindowHandle(Params);
    CreateInnerWidget();
    PlaceWindow();
    EnableWindow(FHandle, GetEnabled());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    TWindowParams Window = ClassParams(Params);
    const bool Form = IsForm();
    if (FParent && !(Params.Style & WS_POPUP) && !Form) {
        Window.Parent = FParent->FHandle;
    } else {
        Window.Parent = Params.WndParent ? Params.WndParent : FParentWindow;
        // Drop-downs and flyouts: top-level windows that never take the focus.
        if ((Params.Style & WS_POPUP) && !Form)
            Window.Kind = wkPopup;
        else if (Form || !(IsWindow(Window.Parent) && (Params.Style & WS_CHILD)))
            Window.Kind = wkTopLevel;
    }
    Window.Framed = Form;
    Window.Color = GetColor();
    Window.Rect = Bounds(FLeft, FTop, FWidth, FHeight);
    Window.Proc = &ClassWindowProc;
    Window.Param = this;
    FHandle = CreateClassWindow(Window);
    FClientValid = false;
    SetWindowTitle(FHandle, Params.Caption);
}

void TWinControl::ApplyCreateParams(const TCreateParams& Params)
{
    FClientValid = false;
    SetWindowParams(FHandle, ClassParams(Params));
    SetWindowTitle(FHandle, Params.Caption);
}

LRESULT TWinControl::ClassWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* Control = static_cast<TWinControl*>(WindowParam(Wnd));
    if (!Control) return 0;
    switch (Msg) {
    case WM_NCDESTROY:
        // Qt deleted the window under the control (its parent window went first).
        Control->FHandle = nullptr;
        Control->FClientValid = false;
        return 0;
    case CM_SETWINDOWPOS: {
        const auto* Pos = reinterpret_cast<const WINDOWPOS*>(LParam);
        const bool Move = !(Pos->flags & SWP_NOMOVE), Size = !(Pos->flags & SWP_NOSIZE);
        Control->SetBounds(Move ? Pos->x : Control->FLeft, Move ? Pos->y : Control->FTop,
                           Size ? Pos->cx : Control->FWidth, Size ? Pos->cy : Control->FHeight);
        return 0;
    }
    case CM_WINDOWMOVED:
        Control->UpdateBounds();
        return 0;
    case CM_POINTEROVER:
        MouseOverWindow(Control, FromQPoint(UnpackPoint(LParam)));
        return 0;
    case WM_MOUSELEAVE:
        MouseLeftWindow(Control);
        return 0;
    default:
        break;
    }
    TMessage M{Msg, WParam, LParam, 0};
    Control->MainWndProc(M);
    return M.Result;
}

void TWinControl::RecreateWnd()
{
    if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    if (!FHandle) return;
    TCreateParams Params;
    CreateParams(Params);
    ApplyCreateParams(Params);
    FrameChanged();
}

void TWinControl::FrameChanged()
{
    std::optional<TSize> Old;
    if (FHandle)
        Old = InvalidateWindowFrame(FHandle);
    else if (FClientValid)
        Old = FClientSize;
    FClientValid = false;
    const TRect Client = GetClientRect();
    PlaceWindow();
    for (TWinControl* C : FWinControls)
        C->PlaceWindow();
    if (!Old || *Old != TSize(Client.Right, Client.Bottom)) DeliverSized(Client);
}

void TWinControl::UpdateBounds()
{
    // The window manager moved or resized a top-level window: the size goes
    // through the same negotiation as the program's own changes, and the
    // window is put back to whatever the control ends up with.
    QWidget* Window = WidgetOf(FHandle);
    if (!Window || !Window->isWindow()) return;
    const QRect G = Window->geometry();
    if (G.size() != QSize(FWidth, FHeight)) {
        SetBounds(G.x(), G.y(), G.width(), G.height());
    } else if (G.topLeft() != QPoint(FLeft, FTop)) {
        FLeft = G.x();
        FTop = G.y();
        DeliverMoved();
    }
    Window = WidgetOf(FHandle);
    if (Window && Window->geometry() != QRect(FLeft, FTop, FWidth, FHeight)) PlaceWindow();
}

void TWinControl::DeliverMoved()
{
    const TPoint O = GetClientOffset();
    Deliver(WM_MOVE, 0, PointToLParam(TPoint(FLeft + O.X, FTop + O.Y)));
}

void TWinControl::DeliverSized(const TRect& Client)
{
    Deliver(WM_SIZE, SIZE_RESTORED, MAKELONG(WORD(Client.Right), WORD(Client.Bottom)));
}

void TWinControl::SetParentWindow(HWND Value)
{
    FParentWindow = Value;
}

void TWinControl::ShowControl(TControl*)
{
    if (FParent) FParent->ShowControl(this);
}

bool TWinControl::GetShowing() const
{
    return IsWindowVisible(FHandle);
}

void TWinControl::UpdateControlState()
{
    if (GetComponentState().Contains(csDestroying)) return;
    if (FVisible && FParent && FParent->FHandle && !IsTopLevelWindow()) HandleNeeded();
    if (FHandle && !IsTopLevelWindow()) {
        QWidget* Window = WidgetOf(FHandle);
        if (FParent && FParent->FHandle && Window->parentWidget() != WidgetOf(FParent->FHandle)) {
            Window->setParent(WidgetOf(FParent->FHandle));
            PlaceWindow();
        }
        Window->setVisible(FVisible);
    }
}

void TWinControl::SetBorderWidth(TBorderWidth Value)
{
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::CMBorderChanged(TMessage& Message)
{
    TControl::CMBorderChanged(Message);
    FrameChanged();
}

void TWinControl::RealSetText(const AnsiString& Value)
{
    TControl::RealSetText(Value);
    SetWindowTitle(FHandle, Value);
}

void TWinControl::MainWndProc(TMessage& Message)
{
    Guarded(FHandle, [&] { Perform(Message); });
}

// ---- Children ---------------------------------------------------------------------------------------

TControl* TWinControl::GetControls(int Index) const
{
    if (Index < 0 || Index >= GetControlCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    if (std::size_t(Index) < FControls.size()) return FControls[std::size_t(Index)];
    return FWinControls[std::size_t(Index) - FControls.size()];
}

void TWinControl::Insert(TControl* AControl)
{
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(W);
        FTabList.push_back(W);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl)
{
    // By list, not by type: a control in its destructor no longer knows its type.
    std::erase(FWinControls, AControl);
    std::erase(FTabList, AControl);
    std::erase(FControls, AControl);
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
    Insert(AControl);
    if (!AControl->GetComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        if (auto* W = dynamic_cast<TWinControl*>(AControl))
            W->UpdateControlState();
        else if (FHandle)
            AControl->Invalidate();
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
    const bool Windowed = std::find(FWinControls.begin(), FWinControls.end(), AControl) != FWinControls.end();
    if (Windowed) {
        auto* W = static_cast<TWinControl*>(AControl);
        W->RemoveFocus(true);
        // The window stays (and keeps its hooks) until the control gets a
        // new parent or goes; meanwhile it is hidden.
        if (QWidget* Window = WidgetOf(W->FHandle); Window && !Window->isWindow()) {
            Window->hide();
            Window->setParent(nullptr);
        }
    } else if (FHandle) {
        AControl->InvalidateControl(AControl->FVisible, false);
    }
    Remove(AControl);
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
    Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    while (Control && Control != this)
        Control = Control->FParent;
    return Control != nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int I = 0; I < GetControlCount(); ++I) {
        GetControls(I)->Perform(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage M{Msg, 0, 0, 0};
    Broadcast(M);
}

// ---- Messages ----------------------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (TWinControl* Form = ParentForm())
            if (!Form->SetFocusedControl(this)) return;
        break;
    case WM_KILLFOCUS:
        if (GetControlState().Contains(csFocusing)) return;
        break;
    case WM_CANCELMODE:
        if (TControl* C = GetCaptureControl(); C && C->FParent == this) C->Perform(WM_CANCELMODE, 0, 0);
        break;
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK && IsControlMouseMsg(Message)) return;
        break;
    }
    TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* Control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        TControl* C = GetCaptureControl();
        if (C && C->FParent == this) Control = C;
    } else {
        Control = ControlAtPos(TWMMouse(Message).Pos(), false);
    }
    if (!Control) return false;
    const TWMMouse M(Message);
    Message.Result = Control->Perform(Message.Msg, Message.WParam,
                                      PointToLParam(TPoint(M.XPos - Control->FLeft, M.YPos - Control->FTop)));
    return true;
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CONTEXTMENU:
        if (FParent && FParent->HandleAllocated())
            Message.Result = SendMessageA(FParent->GetHandle(), Message.Msg, Message.WParam, Message.LParam);
        return;
    case WM_WINDOWPOSCHANGED: {
        // The window moved or changed its size: WM_MOVE and WM_SIZE follow.
        auto* Pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        if (!Pos) return;
        if (!(Pos->flags & SWP_NOMOVE)) DeliverMoved();
        if (!(Pos->flags & SWP_NOSIZE)) DeliverSized(GetClientRect());
        return;
    }
    default:
        break;
    }
    if (FHandle) {
        DefaultWindowMessage(FHandle, Message);
    } else if (Message.Msg == WM_NCCALCSIZE || Message.Msg == WM_NCHITTEST) {
        // No window yet: the frame as the window will have it.
        TWindowShape Shape;
        CurrentStyles(Shape.Style, Shape.ExStyle);
        Shape.Size = TSize(FWidth, FHeight);
        Shape.Framed = IsForm();
        if (Message.Msg == WM_NCCALCSIZE) {
            DefaultClientRect(Shape, reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]);
            Message.Result = 0;
        } else {
            const TRect Client = GetClientRect();
            const QPoint Pos = UnpackPoint(Message.LParam) - ToQPoint(GetClientOrigin()) + ToQPoint(GetClientOffset());
            Message.Result = DefaultHitTest(
                Shape, Pos, QRect(ToQPoint(GetClientOffset()), QSize(Client.Right, Client.Bottom)), false);
        }
    }
    TControl::DefaultHandler(Message);
}

void TWinControl::WMNCCalcSize(TMessage& Message)
{
    TControl::WMNCCalcSize(Message);
    if (FBorderWidth > 0) {
        RECT& R = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
        R.left += FBorderWidth;
        R.top += FBorderWidth;
        R.right = std::max(R.left, R.right - FBorderWidth);
        R.bottom = std::max(R.top, R.bottom - FBorderWidth);
    }
}

void TWinControl::WMSize(TMessage& Message)
{
    TControl::WMSize(Message);
    Realign();
    if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    const TWMSetCursor M(Message);
    if (FHandle && M.CursorWnd == FHandle && M.HitTest == HTCLIENT) {
        TCursor Cursor = ScreenCursors().Forced;
        if (Cursor == crDefault) {
            TPoint P;
            GetCursorPos(&P);
            if (TControl* C = ControlAtPos(ScreenToClient(P), false)) Cursor = C->GetCursor();
            if (Cursor == crDefault) Cursor = GetCursor();
        }
        if (Cursor != crDefault) {
            SetWindowCursor(FHandle, ToQCursor(Cursor));
            Message.Result = 1;
            return;
        }
    }
    TControl::WMSetCursor(Message);
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!GetEnabled() && FParent) RemoveFocus(false);
    if (FHandle) EnableWindow(FHandle, GetEnabled());
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!FVisible && FParent) RemoveFocus(false);
    UpdateControlState();
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    TControl::CMColorChanged(Message);
    FBrush->SetColor(GetColor());
    SetWindowColor(FHandle, GetColor());
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMInvalidate(TMessage&)
{
    if (FHandle) InvalidateRect(FHandle, nullptr, !GetControlStyle().Contains(csOpaque));
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}

// ---- Windows and their controls ---------------------------------------------------------------------------

TWinControl* FindControl(HWND Handle)
{
    return static_cast<TWinControl*>(WindowParam(Handle));
}
