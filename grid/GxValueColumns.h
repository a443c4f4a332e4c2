// grid/GxValueColumns.h
// The column kinds that format a value for their cells and edit it in an
// editor of its own: times, dates and numbers, texts with a button or a
// drop-down, pick lists and list indexes, row numbers and memos.
#pragma once
#include "grid/GxTextColumn.h"
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxNumberEdit.h"
#include "platform/controls/ImgList.h"

#include <memory>

namespace GxColumnClasses {

using GxButtonEdit::epDisablePaste;
using GxButtonEdit::epDisableTyping;
using GxButtonEdit::TGxEditOption;
using GxButtonEdit::TGxEditOptions;
using GxNumberEdit::eoAllowAll;
using GxNumberEdit::eoAllowFloat;
using GxNumberEdit::eoAllowSigns;
using GxNumberEdit::eoDisablePaste;
using GxNumberEdit::eoDisableTyping;
using GxNumberEdit::TGxNumberEditOption;
using GxNumberEdit::TGxNumberEditOptions;

enum TCompoBoxStyle { cbsDropDown, cbsDropDownList };

// The first item of Items, empty ones passed over, whose first character
// is Key, case ignored; -1 when none.
int LocateKey(WideChar Key, TStrings* Items);
// Whether Key may start a number: a digit; a sign with eoAllowSigns; the
// decimal separator with eoAllowFloat.
bool ValidNumberKey(WideChar Key, TGxNumberEditOptions Options);

// Date-times shown as times (the long time format, or FormatMask) and edited
// in a TGxTimeEdit.
class TGxTimeColumn : public TGxTextColumn {
public:
    QM_CLASS(TGxTimeColumn, TGxTextColumn)
    explicit TGxTimeColumn(TComponent* AOwner);
    void AfterConstruction() override;

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    // EmptyCaption for 0 with HideWhenEmpty; else the time in its format,
    // without the texts around it.
    WideString GetDrawText(const TCellInfo& CellInfo) override;
    void BeginEditing() override;
    // The editor's time written again in the column's format.
    void UpdateEdit() override;
    // The text the editor was loaded with when it still shows what UpdateEdit
    // wrote; else the typed time (EConvertError for a text that is none).
    void ApplyEditing(WideString& Value) override;

    // ---- Published properties; each setter repaints the column
    const WideString& GetEmptyCaption() const { return FEmptyCaption; }
    void SetEmptyCaption(const WideString& Value);
    const AnsiString& GetFormatMask() const { return FFormatMask; }
    void SetFormatMask(const AnsiString& Value);
    bool GetHideWhenEmpty() const { return FHideWhenEmpty; }
    void SetHideWhenEmpty(bool Value);

private:
    WideString FEmptyCaption;
    AnsiString FFormatMask;
    bool FHideWhenEmpty = false;
    // What the open edit was loaded with, and what UpdateEdit showed instead.
    WideString FLoadedText;
    WideString FShownText;
};

// Text cells edited in a TGxButtonEdit whose button fires OnButtonClick.
class TGxButtonColumn : public TGxTextColumn {
public:
    QM_CLASS(TGxButtonColumn, TGxTextColumn)
    explicit TGxButtonColumn(TComponent* AOwner);
    ~TGxButtonColumn() override;
    void AfterConstruction() override;

    TGxCustomEditClass GetCellEditorClass() const override;
    // The text column's preparation, then the button's caption, glyph,
    // transparent colour and the options.
    void BeginEditing() override;

    // ---- Published properties; stored for the editor, nothing repaints
    const WideString& GetButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const WideString& Value) { FButtonCaption = Value; }
    TGxEditOptions GetEditOptions() const { return FEditOptions; }
    void SetEditOptions(TGxEditOptions Value) { FEditOptions = Value; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    // A copy of Value, transparent in its bottom-left pixel's colour.
    void SetGlyph(TBitmap* Value);

    TNotifyEvent OnButtonClick;

protected:
    virtual void DoButtonClick();

private:
    WideString FButtonCaption;
    TGxEditOptions FEditOptions;
    std::unique_ptr<TBitmap> FGlyph;
};

// Text cells edited in a drop-down edit, whose closing and picks fire the
// column's events.
class TGxPopupColumn : public TGxTextColumn {
public:
    QM_CLASS(TGxPopupColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    void AfterConstruction() override;

    TGxCustomEditClass GetCellEditorClass() const override;

    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

protected:
    virtual void DoCloseUp();
    virtual void DoSelect();
};

// Text cells picked from Items in a TGxComboBox, drawn with an image of
// Images as DisplayMode says.
class TGxStringsColumn : public TGxPopupColumn {
public:
    QM_CLASS(TGxStringsColumn, TGxPopupColumn)
    explicit TGxStringsColumn(TComponent* AOwner);
    ~TGxStringsColumn() override;

    // A base column's and a text column's settings; DropDownCount and Items
    // from a strings column.
    void Assign(TPersistent* Source) override;
    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    // The text column's preparation, then the list's settings and items.
    void BeginEditing() override;

    // ---- Published properties; only DisplayMode repaints
    TDisplayMode GetDisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TDisplayMode Value);
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    // Referenced, and forgotten when it goes.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    int GetListWidth() const { return FListWidth; }
    void SetListWidth(int Value) { FListWidth = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TDisplayMode FDisplayMode = dmTextOnly;
    int FDropDownCount = 8;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TStringList> FItems;
    int FListWidth = 0;
};

// Text cells in a combo box that lets the user type (cbsDropDown) or only
// pick an item (cbsDropDownList, where a key starts an edit only when an
// item begins with it).
class TGxComboBoxColumn : public TGxStringsColumn {
public:
    QM_CLASS(TGxComboBoxColumn, TGxStringsColumn)
    using TGxStringsColumn::TGxStringsColumn;

    // The strings column's settings; DataMode and Style from a combo box column.
    void Assign(TPersistent* Source) override;
    bool IsKeyValid(WideChar Key) override;
    void BeginEditing() override;
    // In the list style, the item that the cell's text names is selected.
    void UpdateEdit() override;

    // ---- Published properties; stored for the editor
    TItemsDisplayMode GetDataMode() const { return FDataMode; }
    void SetDataMode(TItemsDisplayMode Value) { FDataMode = Value; }
    TCompoBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TCompoBoxStyle Value) { FStyle = Value; }

private:
    TItemsDisplayMode FDataMode = dmDefault;
    TCompoBoxStyle FStyle = cbsDropDown;
};

// Integer cells holding an index into Items, shown as that item.
class TGxListColumn : public TGxStringsColumn {
public:
    QM_CLASS(TGxListColumn, TGxStringsColumn)
    explicit TGxListColumn(TComponent* AOwner);
    void AfterConstruction() override;

    // TextBefore + the item + TextAfter; nothing at all for an index that
    // names no item.
    WideString GetDrawText(const TCellInfo& CellInfo) override;
    // The item the input value names; empty for anything else.
    WideString GetInputDrawText() override;
    bool IsKeyValid(WideChar Key) override { return LocateKey(Key, GetItems()) != -1; }
    void BeginEditing() override;
    // Selects the item the cell's index names (the first for an empty text).
    void UpdateEdit() override;
    // The selected item's index, from the user's InplaceEdit when that is a
    // combo box (and Value as it was when it is another edit), else from
    // the column's own editor. The own editor's list may be sorted: the
    // index is the item's in Items either way.
    void ApplyEditing(WideString& Value) override;

    // The editor's list is sorted (stored for the editor).
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value) { FSorted = Value; }

private:
    int MapIndex(int Index, TStrings* From, TStrings* To) const;

    bool FSorted = false;
};

// Real cells shown as numbers: through FormatMask or the general text,
// between TextBefore and TextAfter, or EmptyCaption for a hidden zero.
class TGxCustomNumberColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxCustomNumberColumn, TGxCustomColumn)
    explicit TGxCustomNumberColumn(TComponent* AOwner);
    void AfterConstruction() override;

    // A base column's settings; the texts, mask and range from a number column.
    void Assign(TPersistent* Source) override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csCanEdit, csFitToLargest, csTextFitHint}; }
    WideString GetDrawText(const TCellInfo& CellInfo) override;
    bool IsKeyValid(WideChar Key) override { return ValidNumberKey(Key, FEditOptions); }
    // A number is stored as the cell's own text for it, so that an edit
    // that changed nothing stores nothing.
    void ApplyEditing(WideString& Value) override;

    // ---- Published properties; the texts and the mask repaint
    TGxNumberEditOptions GetEditOptions() const { return FEditOptions; }
    void SetEditOptions(TGxNumberEditOptions Value) { FEditOptions = Value; }
    const WideString& GetEmptyCaption() const { return FEmptyCaption; }
    void SetEmptyCaption(const WideString& Value);
    const AnsiString& GetFormatMask() const { return FFormatMask; }
    void SetFormatMask(const AnsiString& Value);
    bool GetHideWhenEmpty() const { return FHideWhenEmpty; }
    void SetHideWhenEmpty(bool Value);
    double GetMax() const { return FMax; }
    void SetMax(double Value) { FMax = Value; }
    double GetMin() const { return FMin; }
    void SetMin(double Value) { FMin = Value; }
    const WideString& GetTextAfter() const { return FTextAfter; }
    void SetTextAfter(const WideString& Value);
    const WideString& GetTextBefore() const { return FTextBefore; }
    void SetTextBefore(const WideString& Value);

private:
    TGxNumberEditOptions FEditOptions{eoAllowFloat};
    WideString FEmptyCaption;
    AnsiString FFormatMask;
    bool FHideWhenEmpty = false;
    double FMax = 0;
    double FMin = 0;
    WideString FTextAfter;
    WideString FTextBefore;
};

// Numbers edited in a TGxSpinEdit, right-aligned.
class TGxNumberColumn : public TGxCustomNumberColumn {
public:
    QM_CLASS(TGxNumberColumn, TGxCustomNumberColumn)
    explicit TGxNumberColumn(TComponent* AOwner);

    // A number column's settings; Increment and SpinButtons from a number column.
    void Assign(TPersistent* Source) override;
    TGxCustomEditClass GetCellEditorClass() const override;
    // The base preparation, then the spin edit's options, step and range.
    void BeginEditing() override;
    // The editor's precision.
    void UpdateEdit() override;

    // ---- Published properties; stored for the editor
    double GetIncrement() const { return FIncrement; }
    void SetIncrement(double Value) { FIncrement = Value; }
    int GetPrecision() const { return FPrecision; }
    void SetPrecision(int Value) { FPrecision = Value; }
    bool GetSpinButtons() const { return FSpinButtons; }
    void SetSpinButtons(bool Value) { FSpinButtons = Value; }

private:
    double FIncrement = 1.0;
    int FPrecision = 0;
    bool FSpinButtons = true;
};

// Numbers edited in a TGxCalcEdit.
class TGxCalcColumn : public TGxCustomNumberColumn {
public:
    QM_CLASS(TGxCalcColumn, TGxCustomNumberColumn)
    using TGxCustomNumberColumn::TGxCustomNumberColumn;

    TGxCustomEditClass GetCellEditorClass() const override;
    // The base preparation, then the calculator's range.
    void BeginEditing() override;
};

// Date cells edited in a TGxDatePicker; a new row's date is today's.
class TGxDateColumn : public TGxPopupColumn {
public:
    QM_CLASS(TGxDateColumn, TGxPopupColumn)
    explicit TGxDateColumn(TComponent* AOwner);
    void AfterConstruction() override;

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    // EmptyCaption for 0 with HideWhenEmpty; else TextBefore + the date (in
    // FormatMask, or the short date and any time) + TextAfter.
    WideString GetDrawText(const TCellInfo& CellInfo) override;
    // Digits and DateSeparator.
    bool IsKeyValid(WideChar Key) override;
    void BeginEditing() override;
    // The typed date as the cell's own text for it; EConvertError for a
    // text that is no date. An empty text stays empty (the cell stores 0).
    void ApplyEditing(WideString& Value) override;

    // ---- Published properties; EmptyCaption, ShowNoneButton and StartDay
    // are only stored
    Char GetDateSeparator() const { return FDateSeparator; }
    void SetDateSeparator(Char Value);
    const WideString& GetEmptyCaption() const { return FEmptyCaption; }
    void SetEmptyCaption(const WideString& Value) { FEmptyCaption = Value; }
    const AnsiString& GetFormatMask() const { return FFormatMask; }
    void SetFormatMask(const AnsiString& Value);
    bool GetHideWhenEmpty() const { return FHideWhenEmpty; }
    void SetHideWhenEmpty(bool Value);
    bool GetShowNoneButton() const { return FShowNoneButton; }
    void SetShowNoneButton(bool Value) { FShowNoneButton = Value; }
    TStartDayOfWeek GetStartDay() const { return FStartDay; }
    void SetStartDay(TStartDayOfWeek Value) { FStartDay = Value; }

private:
    Char FDateSeparator = '/';
    WideString FEmptyCaption;
    AnsiString FFormatMask;
    bool FHideWhenEmpty = false;
    bool FShowNoneButton = true;
    TStartDayOfWeek FStartDay = dwSunday;
};

// The row number, counted from 1; nothing to edit.
class TGxIncrementColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxIncrementColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
    void AfterConstruction() override;

    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csFitToLargest, csTextFitHint}; }
    WideString GetDrawText(const TCellInfo& CellInfo) override;
};

// Texts of several lines, drawn with their line breaks and edited in a
// multi-line editor that keeps Return.
class TGxMemoColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxMemoColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnStyle GetColumnStyle() override
    {
        return {csCanEdit, csFitToLargest, csRedrawInplaceEdit, csTextFitHint, csWantReturns};
    }
    TDisplayOptions GetDisplayOptions() override { return {doMultiLine}; }
    // The base preparation, then the editor's scroll bars.
    void BeginEditing() override;

    // The editor's scroll bars (stored for the editor).
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }

private:
    TScrollStyle FScrollBars = ssNone;
};

} // namespace GxColumnClasses
