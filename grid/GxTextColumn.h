// grid/GxTextColumn.h
// The plain text column: the kind the main window's grid shows, and the base
// of the kinds that edit text in a cell.
#pragma once
#include "grid/GxColumns.h"

namespace GxColumnClasses {

using namespace GxColumns;

// Text cells edited in a TGxEdit and drawn by a TTextColumnDisplay; the
// drawn text may carry a text before and after it, or be masked.
class TGxTextColumn : public TGxCustomColumn {
public:
    QM_CLASS(TGxTextColumn, TGxCustomColumn)
    explicit TGxTextColumn(TComponent* AOwner);
    void AfterConstruction() override;

    // A base column's settings, and a text column's own five as well.
    void Assign(TPersistent* Source) override;

    TGxCustomEditClass GetCellEditorClass() const override;
    TColumnDisplayClass GetColumnDisplayClass() const override;
    TColumnStyle GetColumnStyle() override { return {csCanEdit, csFitToLargest, csTextFitHint}; }
    // The text's width + 5, with no lower bound.
    int GetCellBestFit(const WideString& Text) override;
    TDisplayOptions GetDisplayOptions() override;
    // TextBefore + the cell's text + TextAfter; with a PasswordChar, as
    // many of it as that joined text has characters.
    WideString GetDrawText(const TCellInfo& CellInfo) override;
    bool DrawsCellText() const override;
    // Any character above the blank starts editing.
    bool IsKeyValid(WideChar Key) override { return Key > 32; }
    // The base preparation, then the editor as a cell editor with the
    // column's MaxLength and PasswordChar.
    void BeginEditing() override;

    // ---- Published properties; each setter repaints the column
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    Char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    const WideString& GetTextAfter() const { return FTextAfter; }
    void SetTextAfter(const WideString& Value);
    const WideString& GetTextBefore() const { return FTextBefore; }
    void SetTextBefore(const WideString& Value);

private:
    int FMaxLength = 0;
    bool FMultiLine = false;
    Char FPasswordChar = 0;
    WideString FTextAfter;
    WideString FTextBefore;
};

} // namespace GxColumnClasses
