// grid/shared/GxComboBox.h
// The combo box over the popup list (the editor of the grid's combo-box and
// list columns), and the font combo box that previews the chosen face.
#pragma once
#include "grid/shared/GxButtonEdit.h"

namespace GxComboBox {

using namespace GxButtonEdit;

// Whether the first whole character of Item, decoded, is Key, case ignored;
// false for an empty Item.
bool ItemBeginsWith(const AnsiString& Item, WideChar Key);

// A drop-down edit whose text is its selected item, shown whole or as the
// name or value of a "name=value" item. The list is filled from Items each
// time it opens; the list style picks items by their initial.
class TGxComboBox : public TGxPopupEdit {
public:
    QM_CLASS(TGxComboBox, TGxPopupEdit)
    explicit TGxComboBox(TComponent* AOwner);
    ~TGxComboBox() override;

    TItemsDisplayMode GetDisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TItemsDisplayMode Value) { FDisplayMode = Value; }
    TColor GetDropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    TColor GetHighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = Value; }
    int GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    TColor GetSelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    // Below 1: the edit's width.
    int GetListWidth() const { return FListWidth; }
    void SetListWidth(int Value) { FListWidth = Value; }

    void SetStyle(TDropDownStyle Value) override;
    void Loaded() override;

    bool IndexInRange(int Index) const;
    // The item less its name and "="; empty for an item without "=" and for a negative Index.
    AnsiString GetValueFromIndex(int Index) const;
    // The name or the value of the selected item; empty when none is.
    AnsiString GetItemName() const;
    AnsiString GetItemValue() const;
    // The item after the selected one (or the first) whose first character
    // is Key, case ignored; -1 when none, without wrapping round.
    int LocateKey(WideChar Key) const;
    // The first item with the longest case-sensitive common prefix with S
    // (one character at least), else -1.
    int SearchFor(const AnsiString& S) const;

protected:
    TGxPopupControlClass GetPopupControlClass() override;
    TGxPopupList* GetPopupList() const;
    void SetTextFromItemIndex();
    void ApplyInput(const AnsiString& Value) override { (void)Value; }
    void BeforeDrop(TPoint& Point) override;
    void DoDropDownInput(TObject* Sender, const AnsiString& Value) override;
    void DoTextChange() override;
    void Change() override;
    void PaintPreview(TCanvas* ACanvas, const TRect& Rect) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Steps the selection (the open list's, or the box's own) by Delta within the items.
    void StepItem(int Delta);
    void ForgetUnlistedText();

    TItemsDisplayMode FDisplayMode = dmDefault;
    TColor FDropDownColor = clWindow;
    int FDropDownCount = 8;
    TColor FHighlightTextColor = clHighlightText;
    TCustomImageList* FImages = nullptr;
    int FItemHeight = 16;
    int FItemIndex = -1;
    std::unique_ptr<TStringList> FItems;
    TColor FSelectionColor = clHighlight;
    int FListWidth = 0;
};

// A combo box of the screen's fonts, each listed in its own face, the
// chosen one previewed in the info area.
class TGxFontComboBox : public TGxComboBox {
public:
    QM_CLASS(TGxFontComboBox, TGxComboBox)
    explicit TGxFontComboBox(TComponent* AOwner);

protected:
    TGxPopupControlClass GetPopupControlClass() override;
    void BeforeDrop(TPoint& Point) override;
    void PaintPreview(TCanvas* ACanvas, const TRect& Rect) override;
};

} // namespace GxComboBox
