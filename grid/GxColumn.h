// grid/GxColumn.h
// The abstract grid column: how it looks, what it allows, where it sits, and
// the editor, display and play that its kind makes for it.
#pragma once
#include "grid/GxColumnParts.h"

#include <vector>

namespace GxEdit {
class TGxCustomEdit;
} // namespace GxEdit

namespace GxColumns {

class TGxColumns;

// The edit class a column kind names: makes a hidden editor for a column.
using TGxCustomEditClass = GxEdit::TGxCustomEdit* (*)(TComponent* AOwner);
template <typename T> GxEdit::TGxCustomEdit* EditClass(TComponent* AOwner)
{
    return New<T>(AOwner);
}

// A column of a grid. It joins a grid's collection through the collection's
// Add, Insert or AddColumn, or (built with a form) through
// SetParentComponent. Without a collection its setters keep their own rules
// and reach no grid.
class TGxCustomColumn : public TComponent {
public:
    QM_CLASS(TGxCustomColumn, TComponent)
    explicit TGxCustomColumn(TComponent* AOwner);
    ~TGxCustomColumn() override;
    // Makes the editor, display and play from the kind's class functions.
    void AfterConstruction() override;
    // Leaves the collection while the kind is still whole.
    void BeforeDestruction() override;

    // Another column's settings, each through its setter, in a fixed order.
    void Assign(TPersistent* Source) override;
    void SetName(const AnsiString& Value) override;
    // Placed by its stored Position once a form has read it into a grid.
    void ReadState() override;
    bool HasParent() const override { return true; }
    // The grid.
    TComponent* GetParentComponent() const override;
    // Joins the collection of AParent when that is a grid (leaving any it
    // was in); a grid that holds MaxColumns already raises EListError.
    void SetParentComponent(TComponent* AParent) override;

    // ---- Class functions and the kind's operations
    virtual TGxCustomEditClass GetCellEditorClass() const { return nullptr; }
    virtual TColumnDisplayClass GetColumnDisplayClass() const { return nullptr; }
    virtual TColumnPlayClass GetColumnPlayClass() const { return nullptr; }
    virtual TColumnState GetColumnState();
    virtual TColumnStyle GetColumnStyle() { return {}; }
    virtual void SetColumnType(TColumnType Value) { FColumnType = Value; }
    // The width a cell needs for Text: its width on the display's canvas
    // plus 6, at least 8.
    virtual int GetCellBestFit(const WideString& Text);
    virtual TDisplayOptions GetDisplayOptions() { return {}; }
    virtual WideString GetDrawText(const TCellInfo& CellInfo) { return CellInfo.AsString; }
    // True when GetDrawText gives a cell's stored text unchanged, so that a
    // reader of many cells may take the text where it lies.
    virtual bool DrawsCellText() const { return false; }
    virtual WideString GetInputDrawText() { return FInputValue; }
    virtual bool IsKeyValid(WideChar /*Key*/) { return false; }
    // Moves the editor's rectangle over a cell of a row at tree level Level.
    virtual void AdjustEditRect(int /*Level*/, TRect& /*EditRect*/) {}
    // May replace the value an edit stores.
    virtual void ApplyEditing(WideString& /*Value*/) {}
    // Readies the column's own editor for editing in a cell.
    virtual void BeginEditing();
    virtual void UpdateEdit() {}

    // ---- Published properties
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const WideString& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(const WideString& Value) { FDefaultValue = Value; }
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value) { FDefaultWidth = Value; }
    TDrawingOptions GetDrawingOptions() const { return FDrawingOptions; }
    void SetDrawingOptions(TDrawingOptions Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TColumnFooter* GetFooter() const { return FFooter.get(); }
    void SetFooter(TColumnFooter* Value);
    TColumnHeader* GetHeader() const { return FHeader.get(); }
    void SetHeader(TColumnHeader* Value);
    GxEdit::TGxCustomEdit* GetInplaceEdit() const { return FInplaceEdit; }
    void SetInplaceEdit(GxEdit::TGxCustomEdit* Value);
    const WideString& GetInputCaption() const { return FInputCaption; }
    void SetInputCaption(const WideString& Value);
    const WideString& GetInputValue() const { return FInputValue; }
    void SetInputValue(const WideString& Value);
    // Set by the grid while the column's input cell is being edited.
    bool GetInputActive() const { return FInputActive; }
    void SetInputActive(bool Value) { FInputActive = Value; }
    TColumnOptions GetOptions() const { return FOptions; }
    void SetOptions(TColumnOptions Value);
    bool GetParentCellColor() const { return FParentCellColor; }
    void SetParentCellColor(bool Value);
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    TGxSlideBounds* GetSlideBounds() const { return FSlideBounds.get(); }
    void SetSlideBounds(TGxSlideBounds* Value);
    const AnsiString& GetSlideCaption() const { return FSlideCaption; }
    void SetSlideCaption(const AnsiString& Value);
    TSlideCatpionLocation GetSlideCaptionLocation() const { return FSlideCaptionLocation; }
    void SetSlideCaptionLocation(TSlideCatpionLocation Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TSortKind GetSortKind() const { return FSortKind; }
    void SetSortKind(TSortKind Value);
    TSortType GetSortType() const { return FSortType; }
    void SetSortType(TSortType Value);
    const AnsiString& GetStyleClass() const { return FStyleClass; }
    void SetStyleClass(const AnsiString& Value) { FStyleClass = Value; }
    TVerticalAlignment GetVerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    // The width without laying out the columns to the right again.
    void SetSilentWidth(int Value);
    TWrapKind GetWrapKind() const { return FWrapKind; }
    void SetWrapKind(TWrapKind Value);

    // ---- Place in the collection and on screen
    TGxColumns* GetColumns() const { return FColumns; }
    TColumnType GetColumnType() const { return FColumnType; }
    TColumnDisplay* GetDisplay() const { return FDisplay.get(); }
    TColumnPlay* GetPlay() const { return FPlay.get(); }
    // The editor the column made for itself (null when its kind names none).
    GxEdit::TGxCustomEdit* GetEditor() const { return FEditor; }
    // The left edge in body coordinates and the index among visible
    // columns (-1 while hidden), both kept by the collection's layout.
    int GetLeft() const { return FLeft; }
    int GetVisibleIndex() const { return FVisibleIndex; }
    int GetIndex() const;
    void SetIndex(int Value);
    TColumnLocation GetLocation() const;
    bool IsAlone() const;
    bool IsClipped() const;
    TGxCustomColumn* GetNextColumn();
    TGxCustomColumn* GetPrevColumn();
    // The left edge on screen: the body left, scrolled unless the column is fixed.
    int GetAbsoluteLeft() const;
    TRect GetClientRect() const;
    TRect GetSlideRect() const;
    int GetSlideWidth() const;
    // The column's share of the footer, header or input row; empty for other kinds.
    TRect GetMemberRect(TColumnMemberKind Kind) const;
    bool GetFocused() const;
    bool GetHover() const;
    bool GetSelected() const;

    // ---- Reports
    // Asks the grid to repaint that area of the column.
    void Refresh(TGridArea Area);
    void NotifyColumnChange(TColumnChangeKind Kind, int Param);
    void Resort() { NotifyColumnChange(ccSorted, -1); }
    void TryUpdateColumns(bool UpdatePositions);
    void RegisterNotification(const TColumnNotifyProc& Proc);
    // Drops every entry of that object and method.
    void UnregisterNotification(const TColumnNotifyProc& Proc);
    void Notify(TColumnNotifyOperation Operation);

protected:
    // The width of Text on the display's canvas; 0 while there is none.
    int GetDisplayTextWidth(const WideString& Text) const;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoFontChange(TObject* Sender);
    void DoColumnPartChange(TObject* Sender);

private:
    friend class TGxColumns;
    // The grid of the collection, or null while the column has none.
    IGridHost* Grid() const;
    // The collection is being read from a form, or the column is.
    bool IsLoading() const;

    TAlignment FAlignment = taLeftJustify;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TColor FColor = clWindow;
    TCursor FCursor = crDefault;
    WideString FDefaultValue;
    int FDefaultWidth = 80;
    TDrawingOptions FDrawingOptions = doNormal;
    bool FEnabled = true;
    std::unique_ptr<TFont> FFont;
    TOwned<TColumnFooter> FFooter;
    TOwned<TColumnHeader> FHeader;
    GxEdit::TGxCustomEdit* FInplaceEdit = nullptr;
    WideString FInputCaption;
    WideString FInputValue;
    bool FInputActive = false;
    TColumnOptions FOptions{coCanClick, coCanInput, coCanSort, coPublicUsing};
    bool FParentCellColor = false;
    bool FParentFont = true;
    int FPosition = -1;
    TOwned<TGxSlideBounds> FSlideBounds;
    AnsiString FSlideCaption;
    TSlideCatpionLocation FSlideCaptionLocation = clTop;
    bool FSorted = false;
    TSortKind FSortKind = skAscending;
    TSortType FSortType = stAlphabetic;
    AnsiString FStyleClass;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    bool FVisible = true;
    int FWidth = 80;
    TWrapKind FWrapKind = wkEllipsis;

    TGxColumns* FColumns = nullptr;
    TColumnType FColumnType = ctString;
    TOwned<TColumnDisplay> FDisplay;
    TOwned<TColumnPlay> FPlay;
    GxEdit::TGxCustomEdit* FEditor = nullptr; // owned as a component
    int FLeft = 0;
    int FVisibleIndex = -1;
    std::vector<TColumnNotifyProc> FNotifyList;
    bool FCopyingParentFont = false;
};

// The setter of a property whose change repaints Column: stores Value and
// repaints when it changes Field.
template <typename T> void StoreAndRepaint(TGxCustomColumn* Column, T& Field, const T& Value)
{
    if (Field == Value) return;
    Field = Value;
    Column->Refresh(gaNone);
}

} // namespace GxColumns
