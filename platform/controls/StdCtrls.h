// Standard controls over Qt's own widgets: the edit (a QLineEdit), the memo
// (a QPlainTextEdit), the combo box, the push button and the check box.
//
// Text goes between the controls and Qt losslessly (invalid UTF-8 bytes,
// non-breaking spaces and CRs inside a line come back as they went in).
// Positions in the text (SelStart, SelLength) count bytes of the UTF-8 text,
// so that they agree with Copy, Pos and Length on the control's Text; in a
// memo a line break counts as one byte ("\n").
//
// A memo's lines and a combo box's items live in Qt models that the control
// owns from its creation, so Lines and Items work before the window exists.
#pragma once
#include "platform/controls/Labels.h"

namespace platform::detail {
class TMemoText;
}

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// ---- Edits -------------------------------------------------------------------------

// The edit window: a frameless QLineEdit over the client area. The border
// (BorderStyle, BorderWidth) is non-client, painted by WM_NCPAINT (themed
// while themes are active); child windows sit above the line edit.
//
// CreateParams carries the edit styles (ES_LEFT, ES_CENTER, ES_RIGHT for the
// text's alignment; ES_AUTOHSCROLL, ES_AUTOVSCROLL): they are applied when
// the window is made and again by RecreateWnd (CM_RECREATEWND), which keeps
// the text and the selection. With ES_MULTILINE the editor is a multi-line
// one (as the memo's) that wraps its lines unless ES_AUTOHSCROLL is set;
// WS_HSCROLL and WS_VSCROLL then switch that editor's own scroll bars on,
// as a native edit scrolls itself, and the window has none. Return and Esc
// reach its text only while WM_GETDLGCODE answers DLGC_WANTALLKEYS. A
// descendant that applies settings of its own
// when the window is recreated overrides CMRecreateWnd and calls the base
// first.
//
// The window answers the edit messages EM_SETSEL / EM_GETSEL (positions in
// bytes of the text, as SelStart), EM_SETMARGINS / EM_GETMARGINS, and
// WM_CHAR sent to it types the character. Clipboard commands reach the
// control as WM_CUT, WM_COPY, WM_PASTE and WM_CLEAR before the text changes,
// whichever way the user gives them (keys, context menu); the handlers'
// default does what the edit would. A single-line edit takes no text
// dropped on it and no middle-click paste, so no text passes by these
// messages.
//
// A descendant that paints itself answers false from GetDefaultDrawing: its
// Paint then draws on Canvas after the native painting, on every WM_PAINT.
class TCustomEdit : public TWinControl {
public:
    QM_CLASS(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    // 0: no limit.
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Select the whole text when the control is entered with the keyboard.
    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // True (the default): the height follows the font (its text height + 8).
    void SetAutoSize(bool Value) override;
    // #0: the text shows; anything else shows in place of each character.
    Char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    bool GetModified() const;
    void SetModified(bool Value);

    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    AnsiString GetSelText() const;
    void SetSelText(const AnsiString& Value);
    void SelectAll();
    // These send WM_CLEAR, WM_COPY, WM_CUT and WM_PASTE.
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Clear();
    void Undo();
    bool GetCanUndo() const;

    // False when the control paints its client itself (Paint, on Canvas).
    virtual bool GetDefaultDrawing();
    TCanvas* GetCanvas() const;

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    // Fires OnChange (not while the control is loading).
    virtual void Change();
    // Draws over the native painting when GetDefaultDrawing is false.
    virtual void Paint() {}
    // The height for the font (AutoSize).
    void AdjustHeight();
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void ApplyCreateParams(const TCreateParams& Params) override;
    void CreateInnerWidget() override;
    // The window's styles as CreateParams gave them (a multi-line edit's
    // scroll bars included).
    DWORD GetEditStyle() const { return FEditStyle; }
    // Applies the settings kept in fields (and the window's edit styles) to the Qt editor.
    virtual void ApplyEditorSettings();
    // The editor's text and selection in Qt's units, UTF-16 (a memo's line
    // breaks are U+2029); the memo has its own.
    virtual WideString EditorText() const;
    // Its length, and the bytes of the system's text before an editor
    // position and back (a byte offset inside a character rounds up).
    virtual int EditorLength() const;
    virtual int EditorBytesBefore(int Pos) const;
    virtual int EditorPositionOf(int Bytes) const;
    virtual void GetEditorSelection(int& Start, int& Length) const;
    virtual void SetEditorSelection(int Start, int Length);
    virtual void ReplaceEditorSelection(const WideString& Text);
    void DestroyWnd() override;
    AnsiString RealGetText() const override;
    void RealSetText(const AnsiString& Value) override;

    // A multi-line edit that does not want all keys leaves Return and Esc
    // out of its text; OnKeyDown still sees them.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    // The native painting (DefaultHandler), then Paint when GetDefaultDrawing is false.
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    // The clipboard commands; the default (DefaultHandler) does the edit's own.
    virtual void WMCut(TMessage& Message);
    virtual void WMCopy(TMessage& Message);
    virtual void WMPaste(TMessage& Message);
    virtual void WMClear(TMessage& Message);
    void CMEnter(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMRecreateWnd(TMessage& Message) override;

private:
    // The single-line editor (the memo has its own widget).
    class TLineEditor;
    friend class TLineEditor;
    void UpdateHeight();
    bool RefusesKey(Word Key);
    // Params as the window takes them: a multi-line editor's scroll bars are its own.
    TCreateParams WindowParams(const TCreateParams& Params);
    // Sends through the window when there is one (hooks see it), else Perform.
    LRESULT SendCommand(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    int FMaxLength = 0;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoSelect = true;
    Char FPasswordChar = 0;
    bool FModified = false;
    DWORD FEditStyle = 0;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TEdit : public TCustomEdit {
public:
    QM_CLASS(TEdit, TCustomEdit)
    using TCustomEdit::TCustomEdit;
};

// ---- Memos ---------------------------------------------------------------------------

class TCustomMemo : public TCustomEdit {
public:
    QM_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // The logical lines (a line wrapped on screen is still one line). A last
    // line that is empty is not counted, as the system's memo has it, so a
    // text that ends with a line break has as many lines as breaks.
    TStrings* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Return and Tab reach the memo only when it wants them; otherwise they
    // go to the form (default button, next control).
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    // ES_MULTILINE, as the system's memo has it.
    void CreateParams(TCreateParams& Params) override;
    // None: the text lives with the memo, and reading a long one whole
    // would stall the window each time it is made.
    AnsiString WindowCaption() const override { return AnsiString(); }
    void CreateInnerWidget() override;
    // A read-only memo keeps its own lines and shows only those in view;
    // an editable one edits a text document. ReadOnly moves the text and
    // the selection from one to the other.
    void ApplyEditorSettings() override;
    WideString EditorText() const override;
    int EditorLength() const override;
    int EditorBytesBefore(int Pos) const override;
    int EditorPositionOf(int Bytes) const override;
    void GetEditorSelection(int& Start, int& Length) const override;
    void SetEditorSelection(int Start, int Length) override;
    void ReplaceEditorSelection(const WideString& Text) override;
    void DestroyWnd() override;
    AnsiString RealGetText() const override;
    void RealSetText(const AnsiString& Value) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

public:
    // EM_SETRECTNP: the text keeps to that rectangle of the client area.
    void DefaultHandler(TMessage& Message) override;

private:
    friend class TMemoStrings;
    // The text's keeper for ReadOnly, taking over text and selection.
    void KeepTextFor(bool ReadOnly);
    void HookText();
    std::unique_ptr<platform::detail::TMemoText> FText;
    bool FOwnLines = false;
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    QM_CLASS(TMemo, TCustomMemo)
    using TCustomMemo::TCustomMemo;
};

// ---- Combo boxes -----------------------------------------------------------------------

class TCustomComboBox : public TWinControl {
public:
    QM_CLASS(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    // csDropDown and csSimple: an edit with a list; csDropDownList: a pick
    // from the list only. The owner-drawn styles pick like csDropDownList.
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    // -1: nothing picked.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    // Items stay in the order of AnsiCompareText.
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    // 0: no limit (for the styles with an edit).
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    void Clear();

    // The user typed (styles with an edit), or picked with no OnSelect handler.
    TNotifyEvent OnChange;
    // The user picked an item.
    TNotifyEvent OnSelect;

protected:
    virtual void Change();
    virtual void Select();
    void CreateInnerWidget() override;
    void DestroyWnd() override;
    // Text: the edit's text; for csDropDownList the picked item's. Setting it
    // on a csDropDownList picks the item with that text ("" picks none).
    AnsiString RealGetText() const override;
    void RealSetText(const AnsiString& Value) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    friend class TComboBoxStrings;
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    void ApplyComboSettings();
    void ApplyLook();
    void ReleaseCombo();

    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    int FItemIndex = -1; // while there is no Qt combo box
    struct TModel;
    std::unique_ptr<TModel> FModel;
    std::unique_ptr<TStrings> FItems;
};

class TComboBox : public TCustomComboBox {
public:
    QM_CLASS(TComboBox, TCustomComboBox)
    using TCustomComboBox::TCustomComboBox;
};

// ---- Buttons ----------------------------------------------------------------------------

class TButton : public TWinControl {
public:
    QM_CLASS(TButton, TWinControl)
    explicit TButton(TComponent* AOwner);

    // Return clicks the default button unless another button has the focus;
    // Escape clicks the cancel button.
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Clicks the button as the user would.
    using TWinControl::Click;

protected:
    void CreateInnerWidget() override;
    // Puts caption, font, state (and a glyph, in derived buttons) on the Qt button.
    virtual void UpdateButton();
    // UpdateButton on the Qt button, when there is one.
    void ButtonChanged();
    void WMGetDlgCode(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    // Active: the button Return clicks (shown with the default frame).
    void UpdateActive();

    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
};

class TCustomCheckBox : public TWinControl {
public:
    QM_CLASS(TCustomCheckBox, TWinControl)
    explicit TCustomCheckBox(TComponent* AOwner);

    bool GetChecked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState GetState() const { return FState; }
    // A change of state fires OnClick, whoever made it.
    void SetState(TCheckBoxState Value);
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);

protected:
    void CreateInnerWidget() override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    QM_CLASS(TCheckBox, TCustomCheckBox)
    using TCustomCheckBox::TCustomCheckBox;
};
