// Controls: TControl, TWinControl, TCustomControl, TGraphicControl.
//
// Geometry is the class library's: Left/Top/Width/Height in pixels relative
// to the parent's client area; Align and Anchors are applied whenever a
// parent's client size changes; Constraints and OnCanResize are applied to
// every size change.
//
// Messages. Every control receives its input as messages (Messages.h):
//   window chain (hooks, WinUser.h) -> WindowProc (default WndProc)
//     -> Dispatch -> the handler for that id (WMPaint, CMMouseEnter ...)
//     -> DefaultHandler
// A handler that wants the default behaviour too calls the base class's
// handler (the class library's `inherited`). A derived class handles an id
// that has no virtual here by overriding Dispatch (switch on Msg, else the
// base Dispatch). Perform(Msg, ...) calls WindowProc directly.
//
// Windows. A TWinControl's window (Handle) is one QWidget, created when
// first needed (HandleNeeded) from CreateParams; RecreateWnd applies new
// CreateParams to the same widget. The window covers the control's bounds;
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
//      override CreateInnerWidget(QWidget* Window): create the Qt widget
//      with Window as its parent, set it up and return it. The platform owns
//      it (it goes with the window), routes its events and keeps it placed.
//   2. Its geometry is GetInnerWidgetRect() in window coordinates, by default
//      the client rectangle; override that for margins (and call
//      UpdateInnerWidget() when they change). Borders, non-client painting
//      and child windows around it work as for any control.
//   3. Every mouse, key and focus event of the inner widget (and of its
//      viewport when it is a scroll area; add others with
//      platform::detail::RouteWidgetEvents) first goes through the window
//      chain and WndProc as a message. If the message reaches
//      TWinControl::DefaultHandler, the widget gets the event and handles it
//      itself; a handler that does not pass it on swallows it. Messages sent
//      by Perform/SendMessage reach the widget as synthesized Qt events
//      (keys, characters, mouse buttons).
//   4. Turn the widget's signals into the control's events from the derived
//      class: connect in CreateInnerWidget and call the class library's
//      method (Click(), Change() ...), never the On... member directly.
//   5. Text: override RealGetText/RealSetText to read and write the widget,
//      converting with platform/qt/QtStrings.h (ToQString / ToAnsi / ToWide:
//      lossless; never toUtf8/fromUtf8, never toPlainText for documents: read
//      QTextBlock::text() block by block).
//   6. Properties set before the window exists are stored in F-fields and
//      applied in CreateInnerWidget.
#pragma once
#include "platform/classes/Classes.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <memory>
#include <vector>

class QWidget; // only platform sources see Qt; elsewhere this is an opaque pointer
class QMenuBar;

class TWinControl;
class TCustomForm;
class TPopupMenu; // platform/controls/Menus.h

struct TMessage;

namespace platform::detail {
class TBridgeWidget;
struct TWindowData;
void DefaultWindowBehaviour(TWinControl* Control, TMessage& Message);
void SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar);
QMenuBar* FormMenuBar(TCustomForm* Form);
} // namespace platform::detail

// ---- Kinds ----------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = Set<TAlign>;
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle; // bsNone or bsSingle for controls
using TBorderWidth = int;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = Set<TControlStyleItem>;
enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = Set<TControlStateItem>;

// Cursors, with the class library's values. Screen->Cursors[id] holds them.
using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                         crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                         crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                         crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                         crSizeAll = -22, crSize = -22;

// ---- Events ------------------------------------------------------------------------

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, WideChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;

// The MK_* keys of a mouse message, and the Shift/Ctrl/Alt state of key data.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The state of the keyboard and mouse buttons right now.
TShiftState KeyboardStateToShiftState();

// ---- Size constraints -------------------------------------------------------------------

class TControl;

// 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    QM_CLASS(TSizeConstraints, TPersistent)
    explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
    void Assign(TPersistent* Source) override;

    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int GetMinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int GetMaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    TControl* GetControl() const { return FControl; }

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    TControl* FControl;
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};

// ---- Window creation parameters ----------------------------------------------------------

struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    struct {
        UINT style = 0;
        TCursor hCursor = crArrow;     // the class cursor, shown where WM_SETCURSOR is not answered
        TColor hbrBackground = clNone; // the class background, painted by the default WM_ERASEBKGND
    } WindowClass;
    AnsiString WinClassName;
};

// ---- TControl ---------------------------------------------------------------------------------

class TControl : public TComponent {
public:
    QM_CLASS(TControl, TComponent)
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;
    void Loaded() override;

    // Parent: the windowed control this one sits in and is freed by.
    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }

    // Geometry, relative to the parent's client area.
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Moves and sizes at once. A size that OnCanResize refuses leaves
    // everything (the position too) as it was; Constraints clamp the size.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
    virtual TRect GetClientRect();
    int GetClientWidth() { return GetClientRect().Right; }
    void SetClientWidth(int Value);
    int GetClientHeight() { return GetClientRect().Bottom; }
    void SetClientHeight(int Value);
    // The client area's top-left corner on the screen.
    TPoint GetClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);
    // Client point <-> point in AParent's client area (the parent when null).
    TPoint ClientToParent(const TPoint& Point, TWinControl* AParent = nullptr);
    TPoint ParentToClient(const TPoint& Point, TWinControl* AParent = nullptr);

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    bool GetAutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show();
    void Hide();
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // Caption and Text are one property, as in the class library.
    AnsiString GetText() const { return RealGetText(); }
    void SetText(const AnsiString& Value);
    AnsiString GetCaption() const { return GetText(); }
    void SetCaption(const AnsiString& Value) { SetText(Value); }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
    // The reading direction; it takes effect only in a Middle-East locale (SysLocale).
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    // True when the control's vertical scroll bar belongs on the left: a
    // right-to-left mode other than reading only, in a Middle-East locale.
    bool UseRightToLeftScrollBar() const;

    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    // True while this control holds the mouse (it gets every mouse message).
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    // The method every message goes to first (WndProc unless replaced).
    const TWndMethod& GetWindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod Value) { FWindowProc = std::move(Value); }
    // Sends a message straight to WindowProc and answers its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    void Perform(TMessage& Message);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;

protected:
    friend class TWinControl;
    friend class TControlCanvas;

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void Resize();

    // Size negotiation: CanResize fires OnCanResize; ConstrainedResize
    // fires OnConstrainedResize; DoCanResize = CanResize, then the
    // constraints; CheckNewSize adds AutoSize's wish.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
    bool DoCanResize(int& NewWidth, int& NewHeight);
    bool DoCanAutoSize(int& NewWidth, int& NewHeight);
    void DoConstrainedResize(int& NewWidth, int& NewHeight);
    bool CheckNewSize(int& NewWidth, int& NewHeight);
    virtual void ConstraintsChanged();
    virtual void AdjustSize();
    // Asks the parent to realign its children.
    virtual void RequestAlign();
    // Remembers the distances the anchors keep (called after every move by
    // the program, not by the alignment itself).
    void UpdateAnchorRules();
    virtual void SetZOrder(bool TopMost);
    virtual void VisibleChanging() {}
    // The text behind Caption/Text; windowed controls that wrap a Qt widget
    // read and write the widget here.
    virtual AnsiString RealGetText() const { return FText; }
    virtual void RealSetText(const AnsiString& Value) { FText = Value; }
    // A device context for drawing on this control (its parent's, moved to
    // the control's position and clipped to it, for a graphic control).
    virtual HDC GetDeviceContext(HWND& WindowHandle);
    // Repaints the part of the parent this control covers.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    void SendCancelMode(TControl* Sender);
    // The form this control sits on (itself for a form), or null.
    TCustomForm* ParentForm() const;

    // ---- Message handlers, reached by Dispatch (call the base version for
    // the default behaviour). ----
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMNCPaint(TMessage& Message);
    virtual void WMNCCalcSize(TMessage& Message);
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysKeyUp(TMessage& Message);
    virtual void WMSysChar(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMTimer(TMessage& Message);
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message);
    virtual void WMDropFiles(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMCommand(TMessage& Message);
    virtual void WMClose(TMessage& Message);
    virtual void WMCaptureChanged(TMessage& Message);
    virtual void WMNCLButtonDown(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMMouseWheel(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);
    virtual void CMSysColorChange(TMessage& Message);
    virtual void CMHintShow(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);
    virtual void CMChildKey(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMInvalidate(TMessage& Message);
    virtual void CMControlChange(TMessage& Message);
    virtual void CMControlListChange(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    virtual void CMTabStopChanged(TMessage& Message);
    virtual void CMBorderChanged(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    virtual void CNCommand(TMessage& Message);

private:
    void DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(const TMessage& Message, TMouseButton Button);
    void FontChanged(TObject*);
    void DoConstraintsChange(TObject*);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FAnchorMove = false;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    AnsiString FText;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    int FWheelAccumulator = 0;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    TWndMethod FWindowProc;
};

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
    bool HandleAllocated() const { return FWidget != nullptr; }
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
    friend class platform::detail::TBridgeWidget;
    friend struct platform::detail::TWindowData;
    friend void platform::detail::DefaultWindowBehaviour(TWinControl* Control, TMessage& Message);
    friend void platform::detail::SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar);
    friend QMenuBar* platform::detail::FormMenuBar(TCustomForm* Form);

    // ---- The window ----
    virtual void CreateParams(TCreateParams& Params);
    // Creates the window from the parameters (CreateWindowHandle), places it
    // and creates the inner widget.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Applies CreateParams again to the same window (styles, border, class).
    void RecreateWnd();
    // Recomputes the client area (WM_NCCALCSIZE) and repaints the frame.
    void FrameChanged();
    // Wrapped Qt widget (see the top of this file).
    virtual QWidget* CreateInnerWidget(QWidget* Window);
    QWidget* GetInnerWidget() const;
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
    virtual void ControlsAligned() {}

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

    // ---- Painting ----
    // Draws the control itself (a custom control's Paint) on DC.
    virtual void PaintWindow(HDC DC);
    // WM_PAINT: PaintWindow, then the graphic children.
    void PaintHandler(TMessage& Message);
    void PaintControls(HDC DC, TControl* First);
    HDC GetDeviceContext(HWND& WindowHandle) override;
    bool IsControlMouseMsg(TMessage& Message);
    void SetZOrder(bool TopMost) override;
    void UpdateControlState();
    AnsiString RealGetText() const override { return TControl::RealGetText(); }
    void RealSetText(const AnsiString& Value) override;

    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message) override;
    void WMNCHitTest(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMKeyUp(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMSysKeyDown(TMessage& Message) override;
    void WMSysKeyUp(TMessage& Message) override;
    void WMSysChar(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
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
    void ApplyCreateParams(const TCreateParams& Params);
    void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
    void DoPosition(TControl* Control, TAlign AAlign, TRect& Rect);
    void CreateChildHandles();
    // Sends through the window chain when the window exists, else Perform.
    LRESULT Deliver(UINT Msg, WPARAM WParam, LPARAM LParam);
    // A form or a popup: its window is a top-level one placed in screen coordinates.
    bool IsTopLevelWindow() const;
    void CurrentStyles(DWORD& Style, DWORD& ExStyle);
    void UpdateTabOrder(int Value);
    // Puts the children in the Tab order their stored TabOrder values ask for (after loading).
    void FixupTabList();
    void RemoveFocus(bool Removing);

    platform::detail::TBridgeWidget* FWidget = nullptr;
    std::unique_ptr<platform::detail::TWindowData> FWindow;
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
    DWORD FStyle = 0;
    DWORD FExStyle = 0;
};

// ---- Canvas of a control --------------------------------------------------------------------------

// Draws on its control through the control's device context, made when the
// first drawing needs it and given back by FreeHandle.
class TControlCanvas : public TCanvas {
public:
    QM_CLASS(TControlCanvas, TCanvas)
    ~TControlCanvas() override;
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value);
    void FreeHandle();
    // Runs Paint with the canvas locked on DC, and lets it go however Paint ends.
    template <typename TPaint>
    void PaintOn(HDC DC, TPaint Paint)
    {
        Lock();
        SetHandle(DC);
        try {
            Paint();
        } catch (...) {
            SetHandle(nullptr);
            Unlock();
            throw;
        }
        SetHandle(nullptr);
        Unlock();
    }
    void UpdateTextFlags() {}

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// ---- Self-painted controls -----------------------------------------------------------------------------

// A windowed control that paints itself: Paint draws on Canvas into the
// window's backing image.
class TCustomControl : public TWinControl {
public:
    QM_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
public:
    QM_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---- The mouse ---------------------------------------------------------------------------------------------

class TMouse {
public:
    // The window that holds the mouse, or 0.
    HWND GetCapture() const;
    void SetCapture(HWND Value);
    TPoint GetCursorPos() const;
    bool GetWheelPresent() const { return true; }
    int GetWheelScrollLines() const { return 3; }
    bool GetDragImmediate() const { return true; }
    int GetDragThreshold() const { return 5; }
};

extern TMouse* Mouse;

// The control holding the mouse (windowed or graphic), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control whose window Handle is, or null.
TWinControl* FindControl(HWND Handle);
// The windowed control under a screen point, or null.
TWinControl* FindVCLWindow(const TPoint& Pos);
