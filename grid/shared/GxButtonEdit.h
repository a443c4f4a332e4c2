// grid/shared/GxButtonEdit.h
// Edits with a button at the right edge: the button edit (a click event, a
// glyph and a caption on the button), the picture-file edit, and the
// drop-down edit that opens its popup below itself, the base of the combo
// box, date, colour and calculator edits.
#pragma once
#include "grid/shared/GxEdit.h"
#include "grid/shared/GxPopupControl.h"
#include "platform/controls/Dialogs.h"

namespace GxButtonEdit {

using namespace GxEdit;
using namespace GxPopupControl;

enum TGxEditOption { epDisablePaste, epDisableTyping };
using TGxEditOptions = Set<TGxEditOption>;

enum TDropDownStyle { dsDropDown, dsDropDownList };

// Class references, each making an object of its class.
using TGxSmallButtonClass = TGxSmallButton* (*)(TComponent* AOwner);
using TGxPopupControlClass = TGxPopupControl* (*)(TComponent* AOwner);

template <typename T> TGxSmallButton* SmallButtonClass(TComponent* AOwner)
{
    return New<T>(AOwner);
}

template <typename T> TGxPopupControl* PopupControlClass(TComponent* AOwner)
{
    return New<T>(AOwner);
}

// The ellipsis button of a button edit: a push button with an optional
// glyph (not owned) and caption, centred.
class TGxExecuteButton : public TGxSmallButton {
public:
    QM_CLASS(TGxExecuteButton, TGxSmallButton)
    explicit TGxExecuteButton(TComponent* AOwner);

    TBitmap* GetGlyph() const { return FGlyph; }
    void SetGlyph(TBitmap* Value) { FGlyph = Value; }

protected:
    void Paint() override;

private:
    TBitmap* FGlyph = nullptr;
};

// The arrow button of a drop-down edit.
class TDropDownButton : public TGxSmallButton {
public:
    QM_CLASS(TDropDownButton, TGxSmallButton)
    explicit TDropDownButton(TComponent* AOwner);

protected:
    void Paint() override;
};

// An edit with a small button inside its right edge; the text stays clear
// of it. The button and the popup (when a descendant has one) are made
// from their class references once the object is whole.
class TGxCustomButtonEdit : public TGxEdit {
public:
    QM_CLASS(TGxCustomButtonEdit, TGxEdit)
    explicit TGxCustomButtonEdit(TComponent* AOwner);
    ~TGxCustomButtonEdit() override;
    void AfterConstruction() override;

    void BeginEditing() override;

    TGxSmallButton* GetButton() const { return FButton; }
    TGxEditOptions GetOptions() const { return FOptions; }
    void SetOptions(TGxEditOptions Value) { FOptions = Value; }
    TGxPopupControl* GetPopupControl() const { return FPopupControl; }

    // Places the button at the right edge, the client's height tall.
    virtual void UpdateButton();

    TNotifyEvent OnButtonClick;

protected:
    virtual void CreatePopupControl() {}
    virtual TGxSmallButtonClass GetButtonClass();
    virtual TGxPopupControlClass GetPopupControlClass();
    // A value picked in the popup; the text becomes it.
    virtual void ApplyInput(const AnsiString& Value);
    // Before the popup opens at screen point Point: descendants fill and
    // size it, and may move the point.
    virtual void BeforeDrop(TPoint& Point) { (void)Point; }
    // The popup's value: applied, then the popup closes and the button lets go.
    virtual void DoDropDownInput(TObject* Sender, const AnsiString& Value);
    virtual void DoButtonClick();
    virtual void DoButtonDown() {}
    void DoDropDownDeactivate(TObject* Sender);
    void SetPopupControl(TGxPopupControl* Value) { FPopupControl = Value; }

    void UpdateEditMargins(int& Left, int& Right) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void WMPaste(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    TGxSmallButton* FButton = nullptr;
    TGxEditOptions FOptions;
    TGxPopupControl* FPopupControl = nullptr;
};

// The editor of the grid's button column: the ellipsis button with an
// optional glyph and caption. Its text keeps two button widths clear at the
// right, as it always has.
class TGxButtonEdit : public TGxCustomButtonEdit {
public:
    QM_CLASS(TGxButtonEdit, TGxCustomButtonEdit)
    explicit TGxButtonEdit(TComponent* AOwner);
    ~TGxButtonEdit() override;
    void AfterConstruction() override;

    TBitmap* GetButtonGlyph() const { return FButtonGlyph.get(); }
    void SetButtonGlyph(TBitmap* Value);
    const WideString& GetButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const WideString& Value);
    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    TColor GetTransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value);

protected:
    void UpdateEditMargins(int& Left, int& Right) override;

private:
    void ApplyTransparency();

    std::unique_ptr<TBitmap> FButtonGlyph;
    WideString FButtonCaption;
    int FButtonWidth = 21;
    TColor FTransparentColor = clNone;
};

// A button edit whose button picks a picture file; the text becomes its name.
class TGxImagePathEdit : public TGxButtonEdit {
public:
    QM_CLASS(TGxImagePathEdit, TGxButtonEdit)
    explicit TGxImagePathEdit(TComponent* AOwner);
    TOpenPictureDialog* GetDialog() const { return FDialog; }

protected:
    void DoButtonClick() override;

private:
    TOpenPictureDialog* FDialog;
};

// The drop-down edit: its arrow button (or, in the list style, a press
// anywhere on it) opens the popup below it; a pick, Esc, Return, Alt+Up or
// Down, focus loss and hiding close it, each close firing OnCloseUp once.
// The list style shows no caret and paints its text itself.
class TGxPopupEdit : public TGxCustomButtonEdit, public IGxPopupOwner {
public:
    QM_CLASS(TGxPopupEdit, TGxCustomButtonEdit)
    explicit TGxPopupEdit(TComponent* AOwner);

    bool GetDroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value) override;
    TDropDownStyle GetStyle() const { return FStyle; }
    virtual void SetStyle(TDropDownStyle Value);
    bool GetHideFocus() const { return FHideFocus; }
    void SetHideFocus(bool Value);

    bool GetDefaultDrawing() override { return FStyle != dsDropDownList; }

    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

protected:
    void CreatePopupControl() override;
    TGxSmallButtonClass GetButtonClass() override;
    void DoDropDownInput(TObject* Sender, const AnsiString& Value) override;
    void DoButtonDown() override;
    virtual void DoCloseUp();
    virtual void DoSelect();
    // The list style's fill: the highlight while it has the focus (outside a grid cell).
    TColor GetFillColor();
    // Screen point of the popup's top-left corner: just below the edit.
    TPoint DropPoint();

    void DoEditInfoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void VisibleChanging() override;
    void WndProc(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    void ClosePopupControl();

    bool FDroppedDown = false;
    TDropDownStyle FStyle = dsDropDown;
    bool FHideFocus = false;
};

// An edit meant to carry several buttons; it adds nothing to the text edit.
class TGxMultiButtonEdit : public TGxEdit {
public:
    QM_CLASS(TGxMultiButtonEdit, TGxEdit)
    using TGxEdit::TGxEdit;
};

} // namespace GxButtonEdit
