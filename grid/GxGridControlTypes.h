// grid/GxGridControlTypes.h
// The kinds, option sets, states and events of the grid control.
#pragma once
#include "grid/GxDisplays.h"

namespace GxCustomGridControl {

using namespace GxColumns;
using namespace GxDisplays;

enum TGridStyle { gsReport, gsSlides };
enum TGridLinesStyle { lsNormal, lsActiveHorzOnly, lsActiveRows, lsFramed, lsHorizontalOnly, lsVerticalOnly };
// The sides of a cell that may carry a grid line; lpTopBottom is both.
enum TGridLinePosition { lpLeft, lpTop, lpRight, lpBottom, lpTopBottom };
enum TSortedStyle { soDefault, soDarker, soWhite };
enum TSelectionMoveDirection { mdNone, mdUp, mdDown, mdLeft, mdRight };
enum TInputEnterMode { imAllways, imEditing };
enum TBestFitMode { bfBoth, bfCells, bfHeader };
enum TRowOperation { roAdd, roClear, roDelete, roInsert, roMove, roReserve, roRowHeight };

enum TGridOption {
    goCanHideColumn,
    goDisableColumnMoving,
    goEscClearEdit,
    goFooter,
    goGrid,
    goHeader,
    goIndicator,
    goInput,
    goLockFixedCols,
    goMultiSelect,
    goRowResizing,
    goRowMoving,
    goSecondClickEdit,
    goSelectFullRow,
    goUseDefaultValues,
    goInplaceEditEvents
};
using TGridOptions = Set<TGridOption>;

enum TAppearanceOption {
    ao3DGridLines,
    aoAlphaBlendedSelection,
    aoBoldTextSelection,
    aoDontFillCells,
    aoHideFocus,
    aoHideSelection,
    aoHighlightSlideCells,
    aoHintMarks,
    aoIndicateSelectedCell,
    aoIndicateSortedColumn
};
using TAppearanceOptions = Set<TAppearanceOption>;

enum TSlideOption { soFrame, soHideSelection };
using TSlideOptions = Set<TSlideOption>;

// The class library's csFocused and the like are the control's own states;
// qualify these where both are seen.
enum TCellStateItem { csBoldTextSelection, csEmpty, csFocused, csSelected };
using TCellState = Set<TCellStateItem>;
enum TSlideStateItem { stFocused, stSelected };
using TSlideState = Set<TSlideStateItem>;

enum TGridStateItem {
    gtColumnResizing,
    gtColumnHeaderDown,
    gtColumnMoving,
    gtEdit,
    gtEditorMoving,
    gtIndicatorMouseDown,
    gtInput,
    gtMultiSelect,
    gtRolling,
    gtRowMoving,
    gtHorzScrolling,
    gtUpdating
};
using TGridState = Set<TGridStateItem>;

// ---- Events (Sender is the grid)
using TGxEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value)>;
using TGxRowMovedEvent = std::function<void(TObject* Sender, int FromPos, int ToPos)>;
using TGxColumnEvent = std::function<void(TObject* Sender, int ACol)>;
using TGxCellTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TGxAcceptCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Accept)>;
using TGxCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TGxCellColoringEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& CellColor,
                                                TColor& GridColor, TCellState CellState)>;
using TGxRowHeightEvent = std::function<void(TObject* Sender, int Index, int Height)>;
using TGxFooterValueEvent = std::function<void(TObject* Sender, int ACol, double& Value)>;
using TGxColumnMoveEvent = std::function<void(TObject* Sender, int ACol, int FromPos, int ToPos)>;
using TGxCustomDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& CellRect, TCellState CellState)>;
using TGxDrawCellBackgroundEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& CellRect,
                                                      TCellState CellState, bool& DefaultDrawing)>;
using TGxEditAcceptEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value, bool& Accept)>;
using TGxAcceptEvent = std::function<void(TObject* Sender, bool& Accept)>;
using TGxMeasureRowHeightEvent = std::function<void(TObject* Sender, int Index, int& RowHeight)>;
using TGxRowMoveEvent = std::function<void(TObject* Sender, int FromPos, int ToPos, bool& Accept)>;
using TGxSlideColoringEvent =
    std::function<void(TObject* Sender, int Index, TColor& SlideColor, TColor& GridColor, TSlideState SlideState)>;
using TGxSortColumnEvent = std::function<void(TObject* Sender, int ACol, bool Ascending)>;

} // namespace GxCustomGridControl
