// grid/shared/GxCheckBox.h
// Self-painted cell editors: the canvas cell editor base (alignment, margin
// and a border that follows the theme), and the check box and radio button
// built on it. They answer the same value operations as the text editors,
// under the same names, though they are no edits.
#pragma once
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/CustomControl.h"

namespace GxCheckBox {

using namespace GxThemesSupport;

class TGxCanvasCellEditor : public TCustomControl {
public:
    QM_CLASS(TGxCanvasCellEditor, TCustomControl)
    explicit TGxCanvasCellEditor(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TVerticalAlignment GetVerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    // Recreates the window: the border is non-client.
    void SetBorderStyle(TBorderStyle Value);

protected:
    // A single border is the sunken client edge.
    void CreateParams(TCreateParams& Params) override;
    // The themed edit border over the client edge while themes are active.
    void WMNCPaint(TMessage& Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    int FMargin = 0;
    TBorderStyle FBorderStyle = bsSingle;
};

enum TCheckBoxOption { coExpandActiveRect };
using TCheckBoxOptions = Set<TCheckBoxOption>;

// What the check box and the radio button share: a box with a caption
// beside it, pressed by the mouse in the active area (the box, or the
// whole control with coExpandActiveRect) or by Space.
class TGxCheckControl : public TGxCanvasCellEditor {
public:
    QM_CLASS(TGxCheckControl, TGxCanvasCellEditor)
    explicit TGxCheckControl(TComponent* AOwner);

    virtual bool GetAsBoolean() { return FChecked; }
    virtual WideString GetAsString();
    virtual void SetAsBoolean(bool Value) { SetChecked(Value); }
    // Only "true", in any case, checks.
    virtual void SetAsString(const WideString& Value);
    virtual void BeginEditing() { Invalidate(); }
    virtual bool GetDefaultDrawing() { return false; }
    virtual void Clear() { SetChecked(false); }

    const WideString& GetCaption() const { return FCaption; }
    void SetCaption(const WideString& Value);
    bool GetChecked() const { return FChecked; }
    // Fires OnChange when the mark changes.
    virtual void SetChecked(bool Value);
    bool GetDown() const { return FDown; }
    // Kept for the caller; the box has no grayed look.
    bool GetGrayed() const { return FGrayed; }
    void SetGrayed(bool Value) { FGrayed = Value; }
    bool GetHover() const { return FHover; }
    void SetHover(bool Value);
    // Pixels between the box and the caption.
    int GetIndent() const { return FIndent; }
    void SetIndent(int Value);
    TCheckBoxOptions GetOptions() const { return FOptions; }
    void SetOptions(TCheckBoxOptions Value);

    // The box in client coordinates.
    TRect GetCheckBoxRect();

    TNotifyEvent OnChange;

protected:
    virtual void DoChange();
    // The box's side for the current drawing path.
    virtual int BoxSize() = 0;
    virtual void DrawBox(const TRect& Rect) = 0;
    // A left release in the active area.
    virtual void Toggle() { SetChecked(!FChecked); }
    // The themed state for the marks; a disabled control shows only checked or not.
    int ThemeState();
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    bool InActiveRect(int X, int Y);
    void SetDown(bool Value);
    void InvalidateBox();

    WideString FCaption;
    bool FChecked = false;
    bool FDown = false;
    bool FGrayed = false;
    bool FHover = false;
    int FIndent = 4;
    TCheckBoxOptions FOptions;
};

class TGxCheckBox : public TGxCheckControl {
public:
    QM_CLASS(TGxCheckBox, TGxCheckControl)
    using TGxCheckControl::TGxCheckControl;

protected:
    int BoxSize() override;
    void DrawBox(const TRect& Rect) override;
};

// Checking a radio button unchecks every other radio button on its parent.
class TGxRadioButton : public TGxCheckControl {
public:
    QM_CLASS(TGxRadioButton, TGxCheckControl)
    using TGxCheckControl::TGxCheckControl;

    void SetChecked(bool Value) override;

protected:
    int BoxSize() override;
    void DrawBox(const TRect& Rect) override;
    // A click checks; only Space clears.
    void Toggle() override { SetChecked(true); }
};

} // namespace GxCheckBox
