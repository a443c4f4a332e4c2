// grid/shared/GxPopupControl.h
// The drop-down windows that the drop-down edits open below themselves: the
// popup base, the small painted button used inside popups, the item list
// and the font list. The calendar, the colour matrix and the calculator pad
// have headers of their own (GxPopupDate.h, GxPopupColor.h, GxPopupCalc.h).
#pragma once
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxScrollControl.h"
#include "platform/controls/ImgList.h"

namespace GxPopupControl {

using namespace GxClasses;
using namespace GxScrollControl;

using TInputEvent = std::function<void(TObject* Sender, const AnsiString& Value)>;

// The edit that owns a popup opens and closes it: closing the popup asks the
// owner to drop it up, which hides it and marks it closed.
class IGxPopupOwner {
public:
    virtual void SetDroppedDown(bool Value) = 0;

protected:
    ~IGxPopupOwner() = default;
};

// A borderless top-most window that never takes the focus (keys stay with
// the edit). Opened, it holds the mouse while the pointer is outside it, so
// that the next click anywhere reaches it: a release inside turns into a
// value, a release outside closes it, and so does the program losing the
// activation. The release of the click that opened it is swallowed.
class TGxPopupControl : public TGxControl {
public:
    QM_CLASS(TGxPopupControl, TGxControl)
    explicit TGxPopupControl(TComponent* AOwner);

    TComponent* GetEditor() const { return FEditor; }
    bool GetClosed() const { return FClosed; }
    void SetClosed(bool Value) { FClosed = Value; }
    bool GetArmed() const { return FArmed; }

    // Shows the popup at screen point (X, Y), moved as far as needed to lie
    // inside the work area of the nearest monitor.
    virtual void Popup(int X, int Y);
    virtual void ClosePopup();

    TNotifyEvent OnDeactivate;
    TInputEvent OnInput;

protected:
    // Turns a click at client point (X, Y) into a value; the base picks nothing.
    virtual void AcquireValue(int X, int Y) { (void)X, (void)Y; }
    virtual void DoDeactivate();
    virtual void DoInput(const AnsiString& Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TComponent* FEditor;
    bool FClosed = true;
    bool FArmed = false;
};

enum TSmallButtonKind { sbkNormal, sbkTool };

// A small push button painted in the popups (the calculator's keys, the
// colour pad's buttons): the themed push or tool button, or the classic
// raised face, with a centred glyph and caption. It shows hot while the
// pointer is over it and pushed while the mouse is down on it.
class TGxMiniButton : public TGraphicControl {
public:
    QM_CLASS(TGxMiniButton, TGraphicControl)
    explicit TGxMiniButton(TComponent* AOwner);
    ~TGxMiniButton() override;

    bool GetDown() const { return FDown; }
    bool GetHover() const { return FHover; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    // A copy of Value.
    void SetGlyph(TBitmap* Value);
    TSmallButtonKind GetKind() const { return FKind; }
    void SetKind(TSmallButtonKind Value);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void SetState(bool& Flag, bool Value);

    bool FDown = false;
    bool FHover = false;
    std::unique_ptr<TBitmap> FGlyph;
    TSmallButtonKind FKind = sbkNormal;
};

// The item list of a combo box: the owning edit's lines (referenced, not
// copied), one ItemHeight each, the one under the pointer highlighted. A
// click on a line hands the whole line on as the value. Display modes show
// a line whole, its name ("name=value"), its value, or its value indented by
// ten pixels for each step its name counts.
class TGxPopupList : public TGxPopupControl {
public:
    QM_CLASS(TGxPopupList, TGxPopupControl)
    explicit TGxPopupList(TComponent* AOwner);

    TItemsDisplayMode GetDisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TItemsDisplayMode Value) { FDisplayMode = Value; }
    TColor GetDropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    // Stored for the owning edit, which sizes the list by it.
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    TColor GetHighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
    TColor GetSelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    int GetHoverIndex() const { return FHoverIndex; }
    void SetHoverIndex(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool GetShowImages() const { return FShowImages; }
    void SetShowImages(bool Value) { FShowImages = Value; }
    int GetItemIndex() const { return FItemIndex; }
    // Selects the line and scrolls it into view.
    void SetItemIndex(int Value);
    int GetItemHeight() const { return FItemHeight; }
    // Never below 1.
    void SetItemHeight(int Value);
    TStrings* GetItems() const { return FItems; }
    void SetItems(TStrings* Value) { FItems = Value; }

    int GetVisibleCount();
    // The first line shown: the scroll bar's position.
    int GetTopIndex() const { return GetVertScrollBar()->GetPosition(); }
    // The line less its name and "="; empty for a line without "=" and for a negative Index.
    AnsiString GetValueFromIndex(int Index) const;
    // Repaints line Index where it shows.
    void RefreshItem(int Index);

    void Popup(int X, int Y) override;

protected:
    virtual int GetItemCount() const { return FItems ? FItems->GetCount() : 0; }
    virtual int GetVertScrollMax();
    virtual void DrawItem(int Index, const TRect& Rect);
    int GetVertOffset(int FromPos, int ToPos) override;
    void AcquireValue(int X, int Y) override;
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The line under client point Y.
    int IndexAt(int Y) const;

    TItemsDisplayMode FDisplayMode = dmDefault;
    TColor FDropDownColor = clWindow;
    int FDropDownCount = 8;
    TColor FHighlightTextColor = clHighlightText;
    int FHoverIndex = -1;
    TCustomImageList* FImages = nullptr;
    int FItemIndex = -1;
    int FItemHeight = 16;
    TStrings* FItems = nullptr;
    int FPrevHoverIndex = -1;
    TColor FSelectionColor = clHighlight;
    bool FShowImages = false;
};

// A list of font names, each shown in its own face.
class TFontPopup : public TGxPopupList {
public:
    QM_CLASS(TFontPopup, TGxPopupList)
    using TGxPopupList::TGxPopupList;

protected:
    void DrawItem(int Index, const TRect& Rect) override;
};

// The unit's start-up: registers the pictures its buttons show.
void RegisterUnit();

} // namespace GxPopupControl
