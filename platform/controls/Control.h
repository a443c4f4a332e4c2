// TControl, with its size constraints and window creation parameters.
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
// base Dispatch); a handler every control may want joins the list in
// MessageHandlers.h. Perform(Msg, ...) calls WindowProc directly.
#pragma once
#include "platform/controls/ControlTypes.h"
#include "platform/controls/MessageHandlers.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Graphics.h"

#include <memory>

class TWinControl;
class TCustomForm;
class TPopupMenu;   // platform/controls/Menus.h
class TBasicAction; // platform/controls/ActnList.h
namespace platform::detail {
struct TDragTracker;
} // namespace platform::detail

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
    void SetLeft(int Value);
    int GetTop() const { return FTop; }
    void SetTop(int Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    // Moves and sizes at once. A size that OnCanResize refuses leaves
    // everything (the position too) as it was; Constraints clamp the size.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& Rect);
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
    // The action the control is linked to; cleared when the action goes.
    TBasicAction* GetAction() const { return FAction; }
    void SetAction(TBasicAction* Value);
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

    // Dragging the control within the program, one drag at a time. A drag
    // holds the mouse: it begins at once (Immediate) or once the pointer has
    // moved more than Threshold pixels (Mouse's threshold when negative);
    // until then the control hears its moves as usual. The release, Escape
    // or the loss of the mouse ends it: dropped on the control under the
    // pointer when that one accepts it, else cancelled (DragCanceled).
    TDragMode GetDragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    void BeginDrag(bool Immediate, int Threshold = -1);
    // From BeginDrag until the drag ends, the threshold not yet passed included.
    bool Dragging() const;
    void EndDrag(bool Drop);
    virtual void DragDrop(TObject* Source, int X, int Y);

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
    void BringToFront();
    void SendToBack();

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
    // Accept starts true when OnDragOver is assigned, false otherwise.
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;

protected:
    friend class TWinControl;
    friend class TControlCanvas;

    virtual void Click();
    virtual void DblClick();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void Resize();
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // This control's drag ended with nothing dropped.
    virtual void DragCanceled() {}

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

    // ---- Message handlers, reached by Dispatch (call the base version for
    // the default behaviour), one for each message of MessageHandlers.h. ----
#define QM_OWN_HANDLER(Id, Name) virtual void Name(TMessage& Message);
#define QM_DEFAULT_HANDLER(Id, Name)                                                                                   \
    virtual void Name(TMessage& Message)                                                                               \
    {                                                                                                                  \
        DefaultHandler(Message);                                                                                       \
    }
    QM_CONTROL_MESSAGES(QM_OWN_HANDLER, QM_DEFAULT_HANDLER)
#undef QM_OWN_HANDLER
#undef QM_DEFAULT_HANDLER

private:
    friend struct platform::detail::TDragTracker;
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
    TDragMode FDragMode = dmManual;
    TPopupMenu* FPopupMenu = nullptr;
    TBasicAction* FAction = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    int FWheelAccumulator = 0;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    TWndMethod FWindowProc;
};

// The control holding the mouse (windowed or graphic), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
