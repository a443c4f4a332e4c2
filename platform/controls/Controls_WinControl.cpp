// TWinControl: the window, children, focus, the Tab order and the keyboard.
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/rtl/QtStrings.h"

#include <algorithm>

using namespace platform::detail;

namespace {

bool IsInputMessage(UINT Msg)
{
    return (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST) || (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST);
}

} // namespace

// ---- Life ---------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FWindow(std::make_unique<TWindowData>()), FBrush(std::make_unique<TBrush>())
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
    return FWidget->Handle();
}

void TWinControl::HandleNeeded()
{
    if (FWidget) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (FWidget) return;
    CreateWnd();
    CreateChildHandles();
    if (!IsTopLevelWindow()) FWidget->setVisible(FVisible);
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
    if (!FWidget) return;
    for (TWinControl* C : FWinControls)
        C->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    if (!FWidget) return;
    if (GetCapture() == FWidget->Handle()) ReleaseCapture();
    TBridgeWidget* W = FWidget;
    FWidget = nullptr;
    FWindow->Inner = nullptr;
    FWindow->MenuBar = nullptr;
    W->Detach();
}

bool TWinControl::IsTopLevelWindow() const
{
    if (dynamic_cast<const TCustomForm*>(this)) return true;
    DWORD Style, ExStyle;
    const_cast<TWinControl*>(this)->CurrentStyles(Style, ExStyle);
    if (Style & WS_POPUP) return true;
    return !FParent && !(FParentWindow && (Style & WS_CHILD));
}

void TWinControl::CurrentStyles(DWORD& Style, DWORD& ExStyle)
{
    if (FWidget) {
        Style = FStyle;
        ExStyle = FExStyle;
        return;
    }
    TCreateParams Params;
    CreateParams(Params);
    Style = Params.Style;
    ExStyle = Params.ExStyle;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams();
    Params.Caption = GetText();
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
    Params.WndParent = FParent && FParent->FWidget ? FParent->FWidget->Handle() : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd()
{
    TCreateParams Params;
    CreateParams(Params);
    CreateWindowHandle(Params);
    if (QWidget* Inner = CreateInnerWidget(FWidget)) {
        FWindow->Inner = Inner;
        FWidget->Route(Inner);
        FWidget->setFocusProxy(Inner);
        Inner->show();
    }
    PlaceWindow();
    FWidget->setEnabled(GetEnabled());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    const bool Popup = Params.Style & WS_POPUP;
    QWidget* ParentWidget = nullptr;
    Qt::WindowFlags Flags = Qt::Widget;
    if (FParent && !Popup && !dynamic_cast<TCustomForm*>(this)) {
        ParentWidget = FParent->FWidget;
    } else {
        HWND Owner = Params.WndParent ? Params.WndParent : FParentWindow;
        ParentWidget = Owner ? WidgetOf(Owner) : nullptr;
        if (Popup) {
            // Drop-downs and flyouts: top-level windows that never take the focus.
            Flags = Qt::ToolTip | Qt::FramelessWindowHint;
        } else if (!(ParentWidget && (Params.Style & WS_CHILD))) {
            Flags = Qt::Window;
        }
        if (Params.ExStyle & WS_EX_TOPMOST) Flags |= Qt::WindowStaysOnTopHint;
    }
    FWidget = new TBridgeWidget(this, ParentWidget, Flags);
    ApplyCreateParams(Params);
}

void TWinControl::ApplyCreateParams(const TCreateParams& Params)
{
    FStyle = Params.Style;
    FExStyle = Params.ExStyle;
    FWindow->ClassCursor = Params.WindowClass.hCursor;
    FWindow->ClassBackground = Params.WindowClass.hbrBackground;
    FWindow->ClassStyle = Params.WindowClass.style;
    FWindow->NCValid = false;
    if (FWidget && FWidget->isWindow()) FWidget->setWindowTitle(ToQString(Params.Caption));
}

void TWinControl::RecreateWnd()
{
    if (FWidget) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    if (!FWidget) return;
    TCreateParams Params;
    CreateParams(Params);
    ApplyCreateParams(Params);
    FrameChanged();
}

void TWinControl::FrameChanged()
{
    const TSize Old = FWindow->ClientSize;
    const bool WasValid = FWindow->NCValid;
    FWindow->NCValid = false;
    const TRect Client = GetClientRect();
    if (FWidget) {
        FWidget->FrameInvalid = true;
        FWidget->InvalidateClient(nullptr, true);
        FWidget->update();
    }
    PlaceWindow();
    for (TWinControl* C : FWinControls)
        C->PlaceWindow();
    if (!WasValid || Old != TSize(Client.Right, Client.Bottom))
        Deliver(WM_SIZE, SIZE_RESTORED, MAKELONG(WORD(Client.Right), WORD(Client.Bottom)));
}

void TWinControl::PlaceWindow()
{
    if (!FWidget) return;
    QRect G(FLeft, FTop, FWidth, FHeight);
    if (!FWidget->isWindow() && FParent) {
        const TPoint O = FParent->GetClientOffset();
        G.translate(O.X, O.Y);
    }
    FWidget->SetGeometryQuietly(G);
    if (FWindow->MenuBar) FWindow->MenuBar->setGeometry(0, 0, FWidth, GetClientOffset().Y);
    UpdateInnerWidget();
}

QWidget* TWinControl::CreateInnerWidget(QWidget*)
{
    return nullptr;
}

QWidget* TWinControl::GetInnerWidget() const
{
    return FWindow->Inner;
}

TRect TWinControl::GetInnerWidgetRect()
{
    TRect R = GetClientRect();
    const TPoint O = GetClientOffset();
    OffsetRect(R, O.X, O.Y);
    return R;
}

void TWinControl::UpdateInnerWidget()
{
    if (FWindow->Inner) FWindow->Inner->setGeometry(ToQRect(GetInnerWidgetRect()));
}

void TWinControl::UpdateBounds()
{
    // The window manager moved or resized a top-level window: the size goes
    // through the same negotiation as the program's own changes, and the
    // window is put back to whatever the control ends up with.
    if (!FWidget || !FWidget->isWindow()) return;
    const QRect G = FWidget->geometry();
    if (G.size() != QSize(FWidth, FHeight)) {
        SetBounds(G.x(), G.y(), G.width(), G.height());
    } else if (G.topLeft() != QPoint(FLeft, FTop)) {
        FLeft = G.x();
        FTop = G.y();
        const TPoint O = GetClientOffset();
        Deliver(WM_MOVE, 0, MAKELONG(WORD(FLeft + O.X), WORD(FTop + O.Y)));
    }
    if (FWidget && FWidget->geometry() != QRect(FLeft, FTop, FWidth, FHeight)) PlaceWindow();
}

LRESULT TWinControl::Deliver(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (FWidget) return FWidget->Send(Msg, WParam, LParam);
    return Perform(Msg, WParam, LParam);
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
    return FWidget && FWidget->isVisible();
}

void TWinControl::UpdateControlState()
{
    if (GetComponentState().Contains(csDestroying)) return;
    if (FVisible && FParent && FParent->FWidget && !IsTopLevelWindow()) HandleNeeded();
    if (FWidget && !IsTopLevelWindow()) {
        if (FParent && FParent->FWidget && FWidget->parentWidget() != FParent->FWidget) {
            FWidget->setParent(FParent->FWidget);
            PlaceWindow();
        }
        FWidget->setVisible(FVisible);
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
    if (FWidget && FWidget->isWindow()) FWidget->setWindowTitle(ToQString(Value));
}

void TWinControl::MainWndProc(TMessage& Message)
{
    try {
        Perform(Message);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
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
        else if (FWidget)
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
        if (W->FWidget && !W->FWidget->isWindow()) {
            W->FWidget->hide();
            W->FWidget->setParent(nullptr);
        }
    } else if (FWidget) {
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

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto Hit = [&](TControl* C) {
        const TPoint P(Pos.X - C->FLeft, Pos.Y - C->FTop);
        return PtInRect(C->GetClientRect(), P) && C->FVisible && (C->FEnabled || AllowDisabled) &&
               C->Perform(CM_HITTEST, 0, MAKELONG(WORD(P.X), WORD(P.Y))) != 0;
    };
    if (AllowWinControls)
        for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
            if (Hit(*It)) return *It;
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
        if (Hit(*It)) return *It;
    return nullptr;
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

// ---- Focus and Tab order ----------------------------------------------------------------------------------

int TWinControl::GetTabOrder() const
{
    if (!FParent) return -1;
    const auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : int(It - L.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (GetComponentState().Contains(csLoading))
        FTabOrderValue = Value;
    else
        UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value)
{
    const int Cur = GetTabOrder();
    if (Cur < 0) return;
    auto& L = FParent->FTabList;
    const int Count = int(L.size());
    Value = std::clamp(Value, 0, Count - 1);
    if (Value == Cur) return;
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
}

void TWinControl::FixupTabList()
{
    const int Count = int(FWinControls.size());
    std::vector<TWinControl*> List(std::size_t(Count), nullptr);
    for (TWinControl* C : FWinControls)
        if (C->FTabOrderValue >= 0 && C->FTabOrderValue < Count) List[std::size_t(C->FTabOrderValue)] = C;
    for (int I = 0; I < Count; ++I)
        if (List[std::size_t(I)]) List[std::size_t(I)]->UpdateTabOrder(I);
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FWidget) {
        if (Value)
            FStyle |= WS_TABSTOP;
        else
            FStyle &= ~WS_TABSTOP;
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::CanFocus()
{
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return false;
    for (TWinControl* C = this; C != Form; C = C->FParent)
        if (!C || !C->FVisible || !C->FEnabled) return false;
    return true;
}

bool TWinControl::Focused()
{
    return FWidget && GetFocus() == FWidget->Handle();
}

void TWinControl::SetFocus()
{
    if (TCustomForm* Form = GetParentForm(this))
        Form->FocusControl(this);
    else if (FParentWindow || !FParent)
        ::SetFocus(GetHandle());
    else
        throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
}

void TWinControl::RemoveFocus(bool Removing)
{
    if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(this, Removing);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* C : FTabList) {
        List.push_back(C);
        C->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent)
{
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    const int Count = int(List.size());
    auto It = std::find(List.begin(), List.end(), CurControl);
    int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : int(It - List.begin());
    int I = Start;
    do {
        if (GoForward) {
            if (++I == Count) I = 0;
        } else {
            if (I == 0) I = Count;
            --I;
        }
        TWinControl* C = List[std::size_t(I)];
        if (C->CanFocus() && (!CheckTabStop || C->FTabStop) && (!CheckParent || C->FParent == this)) return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* C = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) C->SetFocus();
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}
void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---- Messages ----------------------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm* Form = GetParentForm(this))
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
    if (FWidget && GetCapture() == FWidget->Handle()) {
        TControl* C = GetCaptureControl();
        if (C && C->FParent == this) Control = C;
    } else {
        Control = ControlAtPos(TWMMouse(Message).Pos(), false);
    }
    if (!Control) return false;
    const TWMMouse M(Message);
    Message.Result = Control->Perform(Message.Msg, Message.WParam,
                                      MAKELONG(WORD(M.XPos - Control->FLeft), WORD(M.YPos - Control->FTop)));
    return true;
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (CurrentEvent && FWidget && CurrentEvent->Window == FWidget && CurrentEvent->Msg == Message.Msg &&
        !CurrentEvent->DefaultReached) {
        // The Qt event this message came from goes on to the Qt widget.
        CurrentEvent->DefaultReached = true;
        CurrentEvent->WParam = Message.WParam;
        if (FWindow->Inner && IsInputMessage(Message.Msg)) return;
    } else if (FWindow->Inner && FWidget && IsInputMessage(Message.Msg)) {
        FWidget->ReplayToInner(Message);
        return;
    }
    DefaultWindowBehaviour(this, Message);
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

void TWinControl::WMNCHitTest(TMessage& Message)
{
    TControl::WMNCHitTest(Message);
}

void TWinControl::WMSize(TMessage& Message)
{
    TControl::WMSize(Message);
    Realign();
    if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    TControl::WMMove(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    TControl::WMWindowPosChanged(Message);
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    TControl::WMSetFocus(Message);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    TControl::WMKillFocus(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    const TWMSetCursor M(Message);
    if (FWidget && M.CursorWnd == FWidget->Handle() && M.HitTest == HTCLIENT) {
        TCursor Cursor = Screen ? Screen->GetCursor() : crDefault;
        if (Cursor == crDefault) {
            TPoint P;
            GetCursorPos(&P);
            if (TControl* C = ControlAtPos(ScreenToClient(P), false)) Cursor = C->GetCursor();
            if (Cursor == crDefault) Cursor = GetCursor();
        }
        if (Cursor != crDefault) {
            FWidget->setCursor(ToQCursor(Cursor));
            Message.Result = 1;
            return;
        }
    }
    TControl::WMSetCursor(Message);
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!GetEnabled() && FParent) RemoveFocus(false);
    if (FWidget) FWidget->setEnabled(GetEnabled());
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!FVisible && FParent) RemoveFocus(false);
    UpdateControlState();
}

void TWinControl::CMShowingChanged(TMessage& Message)
{
    TControl::CMShowingChanged(Message);
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
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMInvalidate(TMessage&)
{
    if (FWidget) FWidget->InvalidateClient(nullptr, !GetControlStyle().Contains(csOpaque));
}

// ---- Keyboard --------------------------------------------------------------------------------------------------

bool TWinControl::DoKeyDown(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyDown(Message)) return true;
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        Word Key = Word(Message.WParam);
        KeyDown(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyUp(Message)) return true;
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        Word Key = Word(Message.WParam);
        KeyUp(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyPress(Message)) return true;
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        WideChar Ch = WideChar(Message.WParam);
        KeyPress(Ch);
        Message.WParam = Ch;
        if (Ch == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(WideChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) TControl::WMKeyDown(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) TControl::WMSysKeyDown(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) TControl::WMKeyUp(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) TControl::WMSysKeyUp(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) TControl::WMChar(Message);
}

void TWinControl::WMSysChar(TMessage& Message)
{
    TControl::WMSysChar(Message);
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    // Keys the control does not want (WM_GETDLGCODE) are the form's: Tab
    // moves the focus in Tab order, arrows move it among siblings.
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, Message.WParam, LPARAM(this)) != 0) return;
    LRESULT Mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
        Mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        Mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        Mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    TCustomForm* Form = GetParentForm(this);
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && Form &&
        Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}
