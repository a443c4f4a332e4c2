// grid/GxGridCommon.h
// What the grid's units share: the areas of the grid, the most columns it
// holds, and the grid as its columns see it.
#pragma once
#include "platform/controls/Controls.h"

#include <functional>
#include <string_view>
#include <vector>

namespace GxColumns {
class TGxColumns;
class TGxCustomColumn;
} // namespace GxColumns

namespace GxGridCommon {

// The area of a hit test and of every repaint request of a column or the grid.
enum TGridArea { gaNone, gaBody, gaFooter, gaHeader, gaIndicator, gaInput };

// The cell store keeps one list of cells per column in this many slots.
inline constexpr int MaxColumns = 1025;

// The texts of a row's cells, columns by index, as the writers that walk
// every row read them: one call per row hands over the lot, so the writers
// run their own tight loop over the fields. A text lasts until the next
// reading into the same object or a change to the grid; Held keeps the
// texts that had to be made, reused from row to row.
struct TRowTexts {
    std::vector<std::u16string_view> Texts;
    std::vector<WideString> Held;
};

// Every row's texts of some columns where the store keeps them, for writers
// on other threads: reading changes nothing in the grid, so any number of
// threads may read at once while the grid stays as it is. Ranges cuts the
// rows into consecutive ranges of about the same size: the first row of
// each, then the row count.
class TStoredRows {
public:
    virtual ~TStoredRows() = default;
    virtual void Read(int Row, std::vector<std::u16string_view>& Texts) const = 0;
    std::vector<int> Ranges;
};

// The grid as its columns and their collection reach it, and no more: the
// grid control implements it (answering the names it shares with TControl
// from its own properties), tests implement it with a small fake grid. A
// column collection belongs to a component that is such a host.
class IGridHost {
public:
    virtual ~IGridHost() = default;

    virtual TFont* GetFont() const = 0;
    virtual TColor GetColor() const = 0;
    virtual TCursor GetCursor() const = 0;
    // The form that owns the grid (names of new columns are unique there).
    virtual TComponent* GetOwner() const = 0;
    virtual GxColumns::TGxColumns* GetColumns() const = 0;
    // The grid is being read from its form.
    virtual bool IsLoading() const = 0;

    // Geometry in client coordinates: the body's left edge is where the
    // first column starts; the inner width is what the columns share.
    virtual TRect GetBodyRect() = 0;
    virtual int GetInnerWidth() = 0;
    virtual int GetClientHeight() = 0;
    virtual TRect GetHeaderRect() = 0;
    virtual TRect GetInputRect() = 0;
    virtual TRect GetFooterRect() = 0;
    virtual int GetHorzScrollPos() = 0;
    // The grid's options hold goIndicator.
    virtual bool HasIndicator() const = 0;

    // The column whose header is pressed, the one under the mouse (null
    // when none) and the selected column's index.
    virtual GxColumns::TGxCustomColumn* GetHeaderDownColumn() const = 0;
    virtual GxColumns::TGxCustomColumn* GetHoverColumn() const = 0;
    virtual int GetSelectedColumn() const = 0;

    // The questions a cell asks about itself: the colour and font colour it
    // is drawn in, and whether it is highlighted.
    virtual TColor GetActualCellColor(int ACol, int ARow) = 0;
    virtual TColor GetActualCellFontColor(int ACol, int ARow) = 0;
    virtual bool IsCellHighlighted(int ACol, int ARow) = 0;

    // Repaints that area of the column.
    virtual void RefreshColumn(GxColumns::TGxCustomColumn* Column, TGridArea Area) = 0;
    // The handler the grid calls whenever the columns must be laid out
    // again (its body moved); an empty one removes it.
    virtual void SetOnUpdateColumns(const TNotifyEvent& Handler) = 0;
};

} // namespace GxGridCommon
