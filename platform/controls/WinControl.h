// TWinControl: a control with a window of its own.
//
// Windows. A TWinControl's window (Handle) is made by the window system when
// first needed (HandleNeeded) from CreateParams, with the control's class
// procedure; RecreateWnd applies new CreateParams to the same window. The window covers the control's bounds;
// its client area is what WM_NCCALCSIZE leaves (borders, and later scroll
// bars, outside it); WM_NCPAINT paints the rest. Child windows are placed at
// the parent's client origin + (Left, Top).
//
// Self-painted controls. A window's pixels are a backing image the size of
// the window. WM_ERASEBKGND and WM_PAINT draw into it (TCustomControl::Paint
// through Canvas, then the graphic children, TGraphicControl::Paint, each
// clipped to its bounds); the window then shows the image. Drawing through
// Canvas outside Paint (or through GetDC) also lands in the image and shows
// at once, so XOR drawing, focus frames and sizing lines work as in GDI.
//
// Controls that wrap a Qt widget (TEdit, TMemo, TComboBox, TButton ...):
//   1. Derive from TWinControl (or TCustomControl when you also paint) and
//      override CreateInnerWidget(): create the Qt widget in the window, set
//      it up and hand it to the window (platform/controls/ControlWindows.h:
//      WindowWidget, SetInnerWidget; InnerWidgetAs finds it again). The
//      platform owns it (it goes with the window), routes its events and
//      keeps it placed.
//   2. Its geometry is GetInnerWidgetRect() in window coordinates, by default
//      the client rectangle; override that for margins (and call
//      UpdateInnerWidget() when they change). Borders, non-client painting
//      and child windows around it work as for any control.
//   3. Every mouse, key and focus event of the inner widget (and of its
//      viewport when it is a scroll area; add others with
//      RouteWidgetEvents) first goes through the window
//      chain and WndProc as a message. If the message reaches
//      TWinControl::DefaultHandler, the widget gets the event and handles it
//      itself; a handler that does not pass it on swallows it. Messages sent
//      by Perform/SendMessage reach the widget as synthesized Qt events
//      (keys, characters, mouse buttons).
//   4. Turn the widget's signals into the control's events from the derived
//      class: connect in CreateInnerWidget and call the class library's
//      method (Click(), Change() ...), never the On... member directly.
//   5. Text: override RealGetText/RealSetText to read and write the widget,
//      converting with platform/rtl/QtStrings.h (ToQString / ToAnsi / ToWide:
//      lossless; never toUtf8/fromUtf8, never toPlainText for documents: read
//      QTextBlock::text() block by block).
//   6. Properties set before the window exists are stored in F-fields and
//      applied in CreateInnerWidget.
#pragma once
#include "platform/controls/Control.h"
#include "platform/win/WinUser.h"

#include <memory>
#include <vector>

// ---- TWinControl ----------------------------------------------------------------------------------

class TWinControl : public TControl {
public:
    QM_CLASS(TWinControl, TControl)
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;
    void Loaded() override;

    // The window; asking for it creates it (and the parents' windows).
    HWND GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // A window outside the class library to sit in when there is no Parent.
    HWND GetParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    // True while the window is visible on screen (it and all its parents are).
    bool GetShowing() const;

    // Children, graphic ones first, each group in z-order (bottom first).
    int GetControlCount() const { return int(FControls.size() + FWinControls.size()); }
    TControl* GetControls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The child at a client point (topmost first), or null.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel != 0; }
    void Realign();
    // Sends the message to every child until one answers nonzero.
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    // Keyboard focus and the Tab order (by TabOrder within each parent).
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    // Windowed descendants in Tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    TBrush* GetBrush() const { return FBrush.get(); }
    // Every window is drawn through its backing image; the flag is kept for
    // the code that sets it.
    bool GetDoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    TBorderWidth GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TBorderWidth Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect GetClientRect() override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The entry from the window: WindowProc, with any exception handed to
    // Application->HandleException.
    void MainWndProc(TMessage& Message);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;

    // ---- The window ----
    virtual void CreateParams(TCreateParams& Params);
    // The window's title as CreateParams gives it: the control's text.
    virtual AnsiString WindowCaption() const { return GetText(); }
    // Creates the window from the parameters (CreateWindowHandle), places it
    // and creates the inner widget.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Applies Params to the window made already (RecreateWnd).
    virtual void ApplyCreateParams(const TCreateParams& Params);
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Applies CreateParams again to the same window (styles, border, class).
    void RecreateWnd();
    // Recomputes the client area (WM_NCCALCSIZE) and repaints the frame.
    void FrameChanged();
    // Wrapped Qt widget (see the top of this file).
    virtual void CreateInnerWidget() {}
    // The inner widget as a T (a Qt widget class), or null; for the
    // platform's sources, which see Qt (ControlWindows.h).
    template <class T> T* InnerWidgetAs() const;
    virtual TRect GetInnerWidgetRect();
    void UpdateInnerWidget();
    // The client area's offset inside the window rectangle.
    TPoint GetClientOffset();

    // Makes AControl (a child) visible to the user: the parents climb; a page
    // control shows the page. Show calls it on the parent.
    virtual void ShowControl(TControl* AControl);

    // ---- Alignment ----
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The area the children are aligned in (the client rectangle by default).
    virtual void AdjustClientRect(TRect& Rect);
    void AlignControl(TControl* AControl);
    virtual void ControlsAligned();

    // ---- Keyboard ----
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(WideChar& Key);
    // True when the key was handled here (or by the form's key preview).
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    virtual void DoEnter();
    virtual void DoExit();

    // ---- A form's part ----
    // A form (TCustomForm) keeps the focus, the key preview and the cancel
    // mode for the controls on it, which reach it as their topmost parent
    // through these; a plain windowed control is no form.
    virtual bool IsForm() const { return false; }
    virtual bool GetActive() const { return false; }
    virtual TWinControl* GetActiveControl() const { return nullptr; }
    virtual bool GetKeyPreview() const { return false; }
    virtual void FocusControl(TWinControl*) {}
    virtual void DefocusControl(TWinControl*, bool) {}
    virtual bool SetFocusedControl(TWinControl*) { return true; }
    // The form this control sits on: its topmost parent (itself, without a
    // parent) when that is a form, or null.
    TWinControl* ParentForm();

    // ---- Painting ----
    // Draws the control itself (a custom control's Paint) on DC.
    virtual void PaintWindow(HDC DC);
    // WM_PAINT: PaintWindow, then the graphic children.
    void PaintHandler(TMessage& Message);
    // WM_PAINT of a control that draws itself (with or without children):
    // the paint handler while the control is in csCustomPaint.
    void CustomPaintHandler(TMessage& Message);
    void PaintControls(HDC DC, TControl* First);
    HDC GetDeviceContext(HWND& WindowHandle) override;
    bool IsControlMouseMsg(TMessage& Message);
    void SetZOrder(bool TopMost) override;
    void UpdateControlState();
    void RealSetText(const AnsiString& Value) override;

    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMKeyUp(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMSysKeyDown(TMessage& Message) override;
    void WMSysKeyUp(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMInvalidate(TMessage& Message) override;
    void CMRecreateWnd(TMessage& Message) override;
    void CMBorderChanged(TMessage& Message) override;
    void CNKeyDown(TMessage& Message) override;
    void CNChar(TMessage& Message) override;
    void CNSysKeyDown(TMessage& Message) override;

private:
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);
    void DestroyChildren();
    void UpdateBounds();
    void PlaceWindow();
    void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
    void DoPosition(TControl* Control, TAlign AAlign, TRect& Rect);
    void CreateChildHandles();
    // Sends through the window chain when the window exists, else Perform.
    LRESULT Deliver(UINT Msg, WPARAM WParam, LPARAM LParam);
    // WM_MOVE with the client area's place, WM_SIZE with its size.
    void DeliverMoved();
    void DeliverSized(const TRect& Client);
    // A form or a popup: its window is a top-level one placed in screen coordinates.
    bool IsTopLevelWindow() const;
    void CurrentStyles(DWORD& Style, DWORD& ExStyle);
    void UpdateTabOrder(int Value);
    // Puts the children in the Tab order their stored TabOrder values ask for (after loading).
    void FixupTabList();
    void RemoveFocus(bool Removing);

    // The window's procedure, which the window system calls (the bottom of its chain).
    static LRESULT ClassWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND FHandle = nullptr;
    // The client area worked out while there is no window (with one, the window keeps it).
    bool FClientValid = false;
    TPoint FClientOffset;
    TSize FClientSize;
    HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    int FAlignLevel = 0;
    int FTabOrderValue = -1; // as set while loading
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    TBorderWidth FBorderWidth = 0;
    std::unique_ptr<TBrush> FBrush;
};

// The control whose window Handle is, or null.
TWinControl* FindControl(HWND Handle);
