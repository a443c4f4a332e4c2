// grid/GxVirtualColumn.h
// Two column kinds and their cells: a GUID column, whose rows each get a
// fresh identifier, and a virtual column, which keeps no values and asks the
// application for each cell's text through its events.
#pragma once
#include "grid/GxCells.h"
#include "grid/GxTextColumnDisplay.h"
#include "platform/rtl/Guids.h"

namespace GxVirtualColumn {

using namespace GxCells;
using namespace GxDisplays;

// What the GUID and virtual columns share: text edited in a TGxEdit, shown
// between TextBefore and TextAfter, and AutoExecute, a flag that is stored
// and does nothing else.
class TGxFramedTextColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxFramedTextColumn, TGxCustomColumn)
    explicit TGxFramedTextColumn(TComponent* AOwner);

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnStyle GetColumnStyle() override { return {csCanEdit, csFitToLargest, csTextFitHint}; }
    // Any character above the blank starts editing.
    bool IsKeyValid(WideChar Key) override { return Key > 32; }
    // TextBefore + Text + TextAfter.
    WideString Framed(const WideString& Text) const;

    // ---- Published properties; the two texts repaint the column
    bool GetAutoExecute() const { return FAutoExecute; }
    void SetAutoExecute(bool Value) { FAutoExecute = Value; }
    const WideString& GetTextAfter() const { return FTextAfter; }
    void SetTextAfter(const WideString& Value);
    const WideString& GetTextBefore() const { return FTextBefore; }
    void SetTextBefore(const WideString& Value);

protected:
    // The base's settings, then these three when Source is of the kind (SameKind).
    void AssignFramed(TPersistent* Source, bool SameKind);

private:
    bool FAutoExecute = false;
    WideString FTextAfter;
    WideString FTextBefore;
};

// A GUID per row: AddRow and AddColumn make each cell with a new one. Its
// display frames the text; its GetDrawText is the base's, the bare text.
class TGxGuidColumn : public TGxFramedTextColumn {
public:
    QM_CLASS(TGxGuidColumn, TGxFramedTextColumn)
    using TGxFramedTextColumn::TGxFramedTextColumn;
    void AfterConstruction() override;
    void Assign(TPersistent* Source) override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
};

using TGetTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TSetTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value)>;

// A column that keeps nothing: its cells' texts come from OnGetText and
// their edits go to OnSetText, each with the cell's column and row.
class TGxVirtualColumn : public TGxFramedTextColumn {
public:
    QM_CLASS(TGxVirtualColumn, TGxFramedTextColumn)
    using TGxFramedTextColumn::TGxFramedTextColumn;
    void AfterConstruction() override;
    void Assign(TPersistent* Source) override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    // TextBefore + the cell's text + TextAfter.
    WideString GetDrawText(const TCellInfo& CellInfo) override { return Framed(CellInfo.AsString); }

    // What the cells ask and tell; each fires its event when assigned, and
    // Value stays as it came without one.
    virtual void DoGetText(int ACol, int ARow, WideString& Value);
    virtual void DoSetText(int ACol, int ARow, const WideString& Value);

    TGetTextEvent OnGetText;
    TSetTextEvent OnSetText;
};

// Draws a GUID column's cell as TextBefore + its text + TextAfter.
class TGxGuidColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TGxGuidColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
};

// A cell of a GUID column made by AddRow or AddColumn: 16 bytes, shown in
// the registry form; texts set in it must be GUIDs.
class TGuidCell : public TCell {
public:
    static TClass StaticClassType();
    // Cell as the GUID cell it is; EInvalidOperation when it is another class.
    explicit TGuidCell(const TCell& Cell);
    TGUID GetAsGuid() const;
    // Writes the 16 bytes without reporting a change; the store no longer
    // takes its rows to be sorted.
    void SetAsGuid(const TGUID& Value);
};

// A cell of a virtual column: it holds nothing and asks its column.
class TVirtualCell : public TCell {
public:
    static TClass StaticClassType();
    // Cell as the virtual cell it is; EInvalidOperation when it is another class.
    explicit TVirtualCell(const TCell& Cell);
    // The column it asks; null when a column of another kind set ctVirtual.
    TGxVirtualColumn* GetColumn() const;
};

} // namespace GxVirtualColumn
