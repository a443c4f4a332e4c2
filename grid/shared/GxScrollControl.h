// grid/shared/GxScrollControl.h
// The scrolling model of the grid: scroll-bar objects whose positions scroll
// the owner's contents, the owner's window scroll bars, middle-button roll
// scrolling, and the painted scroll bar of the drop-down controls
// (GxScrollControl_Painted.cpp).
#pragma once
#include "grid/shared/GxFlyoutControl.h"
#include "platform/controls/Timers.h"

#include <memory>

namespace GxScrollControl {

using namespace GxFlyoutControl;

enum TScrollBarKind { skHorizontal, skVertical };
enum TScrollKind { rkIdle, rkLine, rkPage, rkThumb, rkTopBottom };
enum TRollDirectionItem { rdUp, rdDown };
using TRollDirection = Set<TRollDirectionItem>;
enum TGxScrollStyleItem { rsRoll };
using TGxScrollStyle = Set<TGxScrollStyleItem>;
enum TViewStateItem { vsRolling };
using TViewState = Set<TViewStateItem>;

using TScrollEvent = std::function<void(TObject* Sender, int Position)>;

// The screen cursors of roll scrolling: resting, scrolling up, scrolling down.
inline constexpr TCursor crRoll = 4003, crRollUp = 4004, crRollDown = 4005;

class TGxCustomScrollControl;

// A scroll bar as a model: its position changes scroll the owner's contents.
class TGxCustomScrollBar : public TPersistent {
public:
    QM_CLASS(TGxCustomScrollBar, TPersistent)
    TGxCustomScrollBar(TGxCustomScrollControl* AControl, TCanvas* ACanvas);
    // Another scroll bar's settings (AutoHide, Enabled, LargeChange,
    // ManualScroll, SmallChange); anything else is refused.
    void Assign(TPersistent* Source) override;

    bool GetAutoHide() const { return FAutoHide; }
    void SetAutoHide(bool Value);
    bool GetManualScroll() const { return FManualScroll; }
    void SetManualScroll(bool Value) { FManualScroll = Value; }
    // The window scroll bar: SB_HORZ (0) or SB_VERT (1); -1 before Kind is set.
    int GetBarType() const { return FBarType; }
    TCanvas* GetCanvas() const { return FCanvas; }
    TGxCustomScrollControl* GetControl() const { return FControl; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetPageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    int GetPrevPosition() const { return FPrevPosition; }
    TScrollKind GetLastScrollKind() const { return FLastScrollKind; }
    int GetUpdateCount() const { return FUpdateCount; }
    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    bool GetUpdating() const { return FUpdating; }

    virtual void UpdateScrollBar() {}
    // Between the two, position changes do not scroll the contents.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }
    void First();
    void Last();
    void MoveBy(int Delta);
    // A line or page down or up, as a click on the bar gives it (the owner's
    // WM_HSCROLL / WM_VSCROLL); nothing while Max is below 1.
    void Next();
    void Prior();
    virtual void PageDown();
    virtual void PageUp();
    bool IsFirst() const { return FPosition == 0; }
    bool IsLast() const { return FPosition >= FMax; }
    // One step less range when Flag is true, one more when it is false.
    void Expand(bool Flag);

protected:
    friend class TGxScrollControl;
    void SetUpdating(bool Value) { FUpdating = Value; }
    void SetLastScrollKind(TScrollKind Value) { FLastScrollKind = Value; }
    // Sends the owner window the scroll message of this bar with Code.
    void SendScrollCode(WORD Code);

private:
    bool FAutoHide = true;
    bool FManualScroll = false;
    int FBarType = -1;
    TCanvas* FCanvas;
    bool FEnabled = true;
    TScrollBarKind FKind = skHorizontal;
    int FLargeChange = 1;
    int FMax = 0;
    int FMin = 0;
    int FPrevPosition = 0;
    TGxCustomScrollControl* FControl;
    int FPageSize = 0;
    int FPosition = 0;
    int FSmallChange = 1;
    TScrollKind FLastScrollKind = rkIdle;
    int FUpdateCount = 0;
    bool FVisible = false;
    bool FUpdating = false;
};

// The owner window's own horizontal or vertical scroll bar.
class TGxScrollBar : public TGxCustomScrollBar {
public:
    QM_CLASS(TGxScrollBar, TGxCustomScrollBar)
    using TGxCustomScrollBar::TGxCustomScrollBar;
    void SetVisible(bool Value) override;
    void UpdateScrollBar() override;
};

// A custom control with the hooks its scroll bars call.
class TGxCustomScrollControl : public TCustomControl {
public:
    QM_CLASS(TGxCustomScrollControl, TCustomControl)
    explicit TGxCustomScrollControl(TComponent* AOwner);

    // Gives the window the keyboard focus when it sits on a form.
    void TryFocus();
    // Moves the focus on as a Tab key does (posted to the parent).
    void SelectNextControl();

protected:
    friend class TGxCustomScrollBar;
    // The parts of the client area that move when scrolling horizontally and vertically.
    TRect GetHorzScrollRect() const { return FHorzScrollRect; }
    void SetHorzScrollRect(const TRect& Value) { FHorzScrollRect = Value; }
    TRect GetVertScrollRect() const { return FVertScrollRect; }
    void SetVertScrollRect(const TRect& Value) { FVertScrollRect = Value; }

    // The pixel distance the contents move when a bar goes from FromPos to ToPos.
    virtual int GetHorzOffset(int FromPos, int ToPos);
    virtual int GetVertOffset(int FromPos, int ToPos);
    virtual void AfterScroll(TScrollBarKind Kind) { (void)Kind; }
    virtual void BeforeScroll(TScrollBarKind Kind) { (void)Kind; }
    virtual void ScrollContent(TGxCustomScrollBar* ScrollBar, int DeltaX, int DeltaY);

private:
    TRect FHorzScrollRect;
    TRect FVertScrollRect;
};

// A scroll control with both window scroll bars and roll scrolling: while
// the middle button is held, the contents scroll up or down, faster the
// farther the mouse is from where the button went down.
class TGxScrollControl : public TGxCustomScrollControl {
public:
    QM_CLASS(TGxScrollControl, TGxCustomScrollControl)
    explicit TGxScrollControl(TComponent* AOwner);
    ~TGxScrollControl() override;
    void BeforeDestruction() override;

    TGxScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TGxScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    TGxScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TGxScrollBar* Value) { FVertScrollBar->Assign(Value); }
    bool GetMouseWheelEnabled() const { return FMouseWheelEnabled; }
    void SetMouseWheelEnabled(bool Value) { FMouseWheelEnabled = Value; }
    TGxScrollStyle GetScrollStyle() const { return FScrollStyle; }
    void SetScrollStyle(TGxScrollStyle Value) { FScrollStyle = Value; }
    TViewState GetViewState() const { return FViewState; }

    TScrollEvent OnHorizontalScroll;
    TScrollEvent OnVerticalScroll;

protected:
    TRollDirection GetRollDirection() const { return FRollDirection; }
    TPoint GetRollPoint() const { return FRollPoint; }
    TRollShadow* GetRollShadow() const { return FRollShadow.get(); }
    TTimer* GetRollTimer() const { return FRollTimer.get(); }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CMRecreateWnd(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void DoHorizontalScroll(int Position);
    virtual void DoVerticalScroll(int Position);

    // Roll scrolling also ends when the mouse or the focus goes elsewhere,
    // when the control hides and on Esc.
    void WMCaptureChanged(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    // The new position a WM_HSCROLL / WM_VSCROLL asks of Bar.
    void ScrollBarMessage(TGxCustomScrollBar* Bar, const TMessage& Message);
    void StartRoll(int X, int Y);
    void EndRoll();
    void RollTimerTick(TObject* Sender);

    TOwned<TGxScrollBar> FHorzScrollBar;
    bool FMouseWheelEnabled = true;
    TRollDirection FRollDirection;
    TPoint FRollPoint;
    TOwned<TRollShadow> FRollShadow;
    TOwned<TTimer> FRollTimer;
    TGxScrollStyle FScrollStyle{rsRoll};
    TOwned<TGxScrollBar> FVertScrollBar;
    TViewState FViewState;
};

// ---- The painted scroll bar --------------------------------------------------------------

enum TScrollButtonKind { bkBack, bkForward };
enum TScrollBarArea { saBackBtn, saThumb, saForwardBtn };
enum TScrollDirection { sdIdle, sdLineUp, sdLineDown, sdPageUp, sdPageDown };
enum TButtonStateItem { tsHover, tsPushed };
using TButtonState = Set<TButtonStateItem>;

// A vertical scroll bar that its owner paints inside its own client area and
// drives with the mouse. PageSize is the thumb's height in pixels; every
// rectangle is in the owner's client coordinates.
class TGxVertScrollBar : public TGxCustomScrollBar {
public:
    QM_CLASS(TGxVertScrollBar, TGxCustomScrollBar)
    TGxVertScrollBar(TGxCustomScrollControl* AControl, TCanvas* ACanvas);

    TButtonState GetBackButtonState() const { return FBackButtonState; }
    TButtonState GetForwardButtonState() const { return FForwardButtonState; }
    TButtonState GetThumbState() const { return FThumbState; }
    int GetLeft() const { return FLeft; }
    int GetTop() const { return FTop; }
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    // The height of each arrow button: the system's scroll-bar width.
    virtual int GetButtonSize() const;
    virtual TRect GetBoundsRect() const;
    virtual TRect GetClientRect() const;
    int GetInnerHeight() const;
    TRect GetButtonRect(TScrollButtonKind Kind) const;
    // Empty while Max is below 1: there is nothing to drag.
    TRect GetThumbRect() const;
    TRect GetPageUpRect() const;
    TRect GetPageDownRect() const;

    void PageDown() override;
    void PageUp() override;
    void UpdateScrollBar() override;
    // Repaints one area of the bar.
    void Refresh(TScrollBarArea Area);
    // The mouse goes down or up on an area: it shows pushed, or not. The
    // thumb keeps the point it was taken at under the pointer while dragged.
    void Push(TScrollBarArea Area, int Y);
    void ReleaseAll();
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    void MouseLeave();
    virtual void Paint();

protected:
    virtual void PaintBackground(const TRect& Rect, bool Pressed);
    virtual void PaintButton(const TRect& Rect, TScrollButtonKind Kind);
    virtual void PaintThumb();

private:
    TButtonState& StateOf(TScrollBarArea Area);
    TRect AreaRect(TScrollBarArea Area) const;
    // The position whose thumb top lies at Y; nothing when the thumb fills the track.
    void DragThumbTo(int Y);
    // Which page track the owner scrolls by holding it down.
    bool TrackPressed(TScrollDirection Direction) const;

    TButtonState FBackButtonState;
    TButtonState FForwardButtonState;
    int FHeight = 0;
    int FLeft = 0;
    TButtonState FThumbState;
    int FTop = 0;
    int FWidth;
    int FGrabOffset = 0;
};

// A scrolling control with a two-pixel border and a painted vertical scroll
// bar inside it, the base of the drop-down controls. A press on an arrow or
// on the track scrolls once at once and again every 50 ms from 300 ms on,
// until the button goes up, the mouse goes elsewhere or the control hides.
class TGxControl : public TGxCustomScrollControl {
public:
    QM_CLASS(TGxControl, TGxCustomScrollControl)
    explicit TGxControl(TComponent* AOwner);
    ~TGxControl() override;
    void BeforeDestruction() override;

    TGxVertScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TGxVertScrollBar* Value) { FVertScrollBar->Assign(Value); }
    TScrollDirection GetScrollDirection() const { return FScrollDirection; }

    // The area inside the border, less the scroll bar while it shows, and the bar's place.
    int GetControlWidth();
    int GetControlHeight();
    TRect GetControlRect();
    TRect GetVertScrollBarRect();

protected:
    virtual void DrawBorder();
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMCaptureChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

private:
    void StartRepeat(TScrollDirection Direction);
    void StopRepeat();
    void Step();

    TOwned<TTimer> FDelayTimer;
    TOwned<TTimer> FIncrementTimer;
    TOwned<TGxVertScrollBar> FVertScrollBar;
    TScrollDirection FScrollDirection = sdIdle;
};

} // namespace GxScrollControl
