// grid/GxColumnDisplay.h
// The bases of what a column kind draws a cell with (its display) and what
// reacts to the mouse and keys inside a cell (its play).
#pragma once
#include "grid/GxColumnTypes.h"

namespace GxColumns {

// The cell a display or play works on, filled by the grid: the value in the
// member that matches the column's type (the others keep what they held),
// the canvas and the cell rectangle.
class TVirtualColElement : public TPersistent {
public:
    QM_CLASS(TVirtualColElement, TPersistent)
    explicit TVirtualColElement(TGxCustomColumn* AColumn) : FColumn(AColumn) {}

    bool GetAsBoolean() const { return FAsBoolean; }
    void SetAsBoolean(bool Value) { FAsBoolean = Value; }
    TDateTime GetAsDateTime() const { return FAsDateTime; }
    void SetAsDateTime(TDateTime Value) { FAsDateTime = Value; }
    double GetAsFloat() const { return FAsFloat; }
    void SetAsFloat(double Value) { FAsFloat = Value; }
    int GetAsInteger() const { return FAsInteger; }
    void SetAsInteger(int Value) { FAsInteger = Value; }
    const WideString& GetAsString() const { return FAsString; }
    void SetAsString(const WideString& Value) { FAsString = Value; }
    TCanvas* GetCanvas() const { return FCanvas; }
    void SetCanvas(TCanvas* Value) { FCanvas = Value; }
    const TRect& GetClientRect() const { return FClientRect; }
    void SetClientRect(const TRect& Value) { FClientRect = Value; }
    TGxCustomColumn* GetColumn() const { return FColumn; }
    TObject* GetObjectReference() const { return FObjectReference; }
    void SetObjectReference(TObject* Value) { FObjectReference = Value; }

private:
    bool FAsBoolean = false;
    TDateTime FAsDateTime = 0;
    double FAsFloat = 0;
    int FAsInteger = 0;
    WideString FAsString;
    TCanvas* FCanvas = nullptr;
    TRect FClientRect;
    TGxCustomColumn* FColumn;
    TObject* FObjectReference = nullptr;
};

// Draws one cell of its column at a time.
class TColumnDisplay : public TVirtualColElement {
public:
    QM_CLASS(TColumnDisplay, TVirtualColElement)
    using TVirtualColElement::TVirtualColElement;

    // The cell rectangle less 2 pixels at the left and the right.
    virtual TRect GetTextRect();
    // Text in Rect as the column's alignments, wrap kind and reading order say.
    virtual void DrawTextRect(const WideString& Text, const TRect& Rect);
    // The small red triangle in the cell's top-right corner.
    virtual void DrawHintMark();
    virtual int GetContentHeight() { return 0; }
    virtual int GetContentWidth() { return GetTextSize().cx; }
    // The size AsString takes in the text rectangle.
    virtual TSize GetTextSize();
    virtual void Paint() = 0;

    // Moves Rect's top so that Text measured with Flags sits at the
    // bottom of Rect or in its middle, as VerticalAlignment says.
    void AdjustTextRect(TRect& Rect, UINT Flags, const WideString& Text, TVerticalAlignment VerticalAlignment);
    // Fills the cell with Color, or frames it.
    void PaintBackground(TColor Color, bool Fill);
    // The DrawText flags for Text in Rect; a text of several lines that is
    // not aligned to the top gets Rect's top moved to place it.
    UINT PrepareDrawText(const WideString& Text, TRect& Rect, bool ForDrawing);

    // Set by the grid before it paints a cell.
    HWND GetHandle() const { return FHandle; }
    void SetHandle(HWND Value) { FHandle = Value; }
    bool GetFocused() const { return FFocused; }
    void SetFocused(bool Value) { FFocused = Value; }
    bool GetHighlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value) { FHighlighted = Value; }
    TColor GetHighlightedTextColor() const { return FHighlightedTextColor; }
    void SetHighlightedTextColor(TColor Value) { FHighlightedTextColor = Value; }
    // The row's tree: its child count, whether it is expanded, its level.
    int GetChildCount() const { return FChildCount; }
    void SetChildCount(int Value) { FChildCount = Value; }
    bool GetExpanded() const { return FExpanded; }
    void SetExpanded(bool Value) { FExpanded = Value; }
    int GetLevel() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }

private:
    HWND FHandle = nullptr;
    bool FFocused = false;
    bool FHighlighted = false;
    TColor FHighlightedTextColor = clHighlightText;
    int FChildCount = 0;
    bool FExpanded = false;
    int FLevel = 0;
};

// Reacts to input inside one cell of its column; the base does nothing.
class TColumnPlay : public TVirtualColElement {
public:
    QM_CLASS(TColumnPlay, TVirtualColElement)
    using TVirtualColElement::TVirtualColElement;

    virtual void KeyPress(WideChar& /*Key*/) {}
    // X and Y are relative to the cell's top-left corner.
    virtual void MouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}
    virtual void MouseLeave() {}
    virtual void MouseMove(TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}
    virtual void MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}
    // Takes the display's AsBoolean and repaints the cell through the display.
    virtual void Show();

    int GetCol() const { return FCol; }
    void SetCol(int Value) { FCol = Value; }
    int GetLevel() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    int GetRow() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }

    // The play changed its value; it asks to expand or collapse the row.
    TNotifyEvent OnChange;
    TNotifyEvent OnExpand;

protected:
    virtual void DoChange();
    virtual void DoExpand();

private:
    int FCol = 0;
    int FLevel = 0;
    int FRow = 0;
};

} // namespace GxColumns
