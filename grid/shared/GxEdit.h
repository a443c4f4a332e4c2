// grid/shared/GxEdit.h
// The single-line edits of the grid library: the edit base every cell editor
// derives from (an info area with a glyph and a preview box at its left, text
// margins, the value interface and the editing contract the grid drives), the
// plain text edit, and the small buttons that sit inside edits.
#pragma once
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Timers.h"

#include <memory>

namespace GxEdit {

using namespace GxThemesSupport;

// The screen cursor shown over an edit's info area.
inline constexpr TCursor crReversedArrow = 1000;

class TGxCustomEdit;

// The text margins of an edit, applied when its window is made.
class TGxEditMargins : public TPersistent {
public:
    QM_CLASS(TGxEditMargins, TPersistent)
    explicit TGxEditMargins(TGxCustomEdit* AEdit) : FEdit(AEdit) {}

    int GetLeft() const { return FLeft; }
    void SetLeft(int Value);
    int GetRight() const { return FRight; }
    void SetRight(int Value);

private:
    TGxCustomEdit* FEdit;
    int FLeft = 0;
    int FRight = 0;
};

// Margins on four sides, applied when the owning edit's window is made.
class TGxMargins : public TPersistent {
public:
    QM_CLASS(TGxMargins, TPersistent)
    explicit TGxMargins(TGxCustomEdit* AEdit) : FEdit(AEdit) {}

    int GetTop() const { return FTop; }
    void SetTop(int Value);
    int GetBottom() const { return FBottom; }
    void SetBottom(int Value);
    int GetRight() const { return FRight; }
    void SetRight(int Value);
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value);

private:
    void Store(int& Field, int Value);

    int FTop = 0;
    int FBottom = 0;
    TGxCustomEdit* FEdit;
    int FRight = 0;
    int FLeft = 0;
};

// The painted area at an edit's left edge: the glyph, then the preview box.
class TGxEditInfo : public TCustomControl {
public:
    QM_CLASS(TGxEditInfo, TCustomControl)
    explicit TGxEditInfo(TGxCustomEdit* AEdit);
    TGxCustomEdit* GetEdit() const { return FEdit; }

protected:
    void Paint() override;

private:
    TGxCustomEdit* FEdit;
};

using TCustomPreviewDrawEvent = std::function<void(TObject* Sender, const TRect& PreviewRect)>;

// The edit every cell editor derives from. The grid fills it through the
// value setters inside SetEditorUpdating(true) ... (false), calls
// BeginEditing when editing starts and ApplyEditing before it reads the
// value back, without knowing the editor's class.
class TGxCustomEdit : public TCustomEdit {
public:
    QM_CLASS(TGxCustomEdit, TCustomEdit)
    explicit TGxCustomEdit(TComponent* AOwner);
    ~TGxCustomEdit() override;

    // The text as a value; the getters raise EConvertError for text that is
    // not one.
    virtual bool GetAsBoolean();
    virtual TDateTime GetAsDateTime();
    virtual double GetAsFloat();
    virtual int GetAsInteger();
    virtual WideString GetAsString();
    virtual void SetAsBoolean(bool Value);
    virtual void SetAsDateTime(TDateTime Value);
    virtual void SetAsFloat(double Value);
    virtual void SetAsInteger(int Value);
    virtual void SetAsString(const WideString& Value);

    virtual void ApplyEditing() {}
    virtual void BeginEditing() {}
    virtual void EndEditing() {}

    bool GetDefaultDrawing() override { return true; }
    // The preview box in client coordinates.
    virtual TRect GetPreviewRect();

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TGxEditMargins* GetEditMargins() const { return FEditMargins.get(); }
    TGxEditInfo* GetEditInfo() const { return FEditInfo; }
    bool GetEditorUpdating() const { return FEditorUpdating; }
    void SetEditorUpdating(bool Value) { FEditorUpdating = Value; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    bool GetInplaceEditor() const { return FInplaceEditor; }
    void SetInplaceEditor(bool Value) { FInplaceEditor = Value; }
    bool GetPreviewBorder() const { return FPreviewBorder; }
    void SetPreviewBorder(bool Value);
    bool GetShowPreview() const { return FShowPreview; }
    void SetShowPreview(bool Value);
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }

    // Where the text area starts: right of the info area while it shows.
    int GetEditLeft();
    // Types Key into the window, as WM_CHAR does.
    void PressKey(WideChar Key);
    // Sends the margins (EditMargins as UpdateEditMargins adjusts them) to the window.
    void UpdateEditRect();

    TCustomPreviewDrawEvent OnCustomPreviewDraw;
    TNotifyEvent OnGlyphClick;

protected:
    friend class TGxEditInfo;
    friend class TGxEditMargins;
    friend class TGxMargins;

    bool GetDroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value) { FDroppedDown = Value; }

    virtual void DoEditInfoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void PaintPreview(TCanvas* ACanvas, const TRect& Rect);
    // Adjusts the margins about to be sent to the window.
    virtual void UpdateEditMargins(int& Left, int& Right);
    virtual void DoCustomPreviewDraw(const TRect& Rect);
    virtual void DoGlyphClick();

    // The themed border, for the non-client painting of descendants.
    void RedrawBorder();
    void RefreshPreview();
    void UpdateInfoRect();
    // The glyph's transparency follows its bottom-left pixel.
    void UpdateGlyph();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMRecreateWnd(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;

private:
    bool GlyphShown() const;

    TAlignment FAlignment = taLeftJustify;
    TGxEditInfo* FEditInfo = nullptr;
    bool FDroppedDown = false;
    TOwned<TGxEditMargins> FEditMargins;
    bool FEditorUpdating = false;
    std::unique_ptr<TBitmap> FGlyph;
    bool FInplaceEditor = false;
    bool FPreviewBorder = true;
    bool FShowPreview = false;
    bool FWantTabs = false;
};

// With typing disabled, keys that would delete text are swallowed: Backspace
// (8), Clear (12) and Delete (46) become 0 and give false.
bool IsEditKeyAllowed(Word& Key);
// S as a number text: digits, a leading sign (AllowSigns), the first decimal
// separator (AllowFloat); anything else goes. A text that would not be a
// number becomes "0". Then a value above Max (when Max > 0) becomes Max, and
// one below Min becomes Min, each written as a plain decimal (0.0000001, not
// 1E-7). Always converts with StrToFloat.
AnsiString ValidateNumberText(const AnsiString& S, bool AllowFloat, bool AllowSigns, double Max, double Min);

// The plain text edit: the editor of text columns and the base of the
// button, number and time edits. A press left of the text selects it all.
class TGxEdit : public TGxCustomEdit {
public:
    QM_CLASS(TGxEdit, TGxCustomEdit)
    explicit TGxEdit(TComponent* AOwner);

    // The caret goes to the end of the text, nothing selected.
    void BeginEditing() override;

protected:
    // Runs after every change of the text.
    virtual void DoTextChange() {}

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
};

// A small painted button inside an edit; descendants paint it.
class TGxSmallButton : public TCustomControl {
public:
    QM_CLASS(TGxSmallButton, TCustomControl)
    explicit TGxSmallButton(TComponent* AOwner);

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    bool GetHover() const { return FHover; }
    void SetHover(bool Value);
    TGxCustomEdit* GetEdit() const { return FEdit; }
    void SetEdit(TGxCustomEdit* Value) { FEdit = Value; }
    const WideString& GetCaption() const { return FCaption; }
    void SetCaption(const WideString& Value) { FCaption = Value; }

    // Fired on a left press, and on the release that follows it.
    TNotifyEvent OnButtonDown;
    TNotifyEvent OnButtonClick;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    bool FDown = false;
    bool FHover = false;
    TGxCustomEdit* FEdit = nullptr;
    WideString FCaption;
};

enum TSpinButton { sbUp, sbDown };
using TSpinButtonSet = Set<TSpinButton>;
using TSpinEvent = std::function<void(TObject* Sender, TSpinButtonSet Buttons)>;

// The up and down halves of a spin edit. Holding a half spins once at the
// press and then, after a delay, repeatedly until the press ends: on the
// release, when the mouse capture goes elsewhere, or when the buttons are
// hidden, disabled or freed.
class TGxSpinButtons : public TCustomControl {
public:
    QM_CLASS(TGxSpinButtons, TCustomControl)
    explicit TGxSpinButtons(TComponent* AOwner);
    ~TGxSpinButtons() override;

    TGxCustomEdit* GetEdit() const { return FEdit; }
    void SetEdit(TGxCustomEdit* Value) { FEdit = Value; }
    TSpinButtonSet GetHoverButtons() const { return FHoverButtons; }
    void SetHoverButtons(TSpinButtonSet Value);
    TSpinButtonSet GetPressedButtons() const { return FPressedButtons; }
    void SetPressedButtons(TSpinButtonSet Value);

    static constexpr Cardinal RepeatDelay = 400;
    static constexpr Cardinal RepeatInterval = 20;

    TSpinEvent OnSpin;

protected:
    virtual void DoSpin(TSpinButtonSet Buttons);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void WMCaptureChanged(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    TSpinButtonSet HalfAt(int Y);
    // True while a press may go on spinning: the buttons and their edit are
    // enabled and showing.
    bool CanSpin();
    void StopSpinning();
    void DelayTimerTick(TObject* Sender);
    void RepeatTimerTick(TObject* Sender);

    TGxCustomEdit* FEdit = nullptr;
    TOwned<TTimer> FDelayTimer;
    TSpinButtonSet FHoverButtons;
    TSpinButtonSet FPressedButtons;
    TOwned<TTimer> FRepeatTimer;
};

} // namespace GxEdit
