// grid/GxColumnTypes.h
// The kinds, option sets, events and class references that columns, their
// collection and the grid share.
#pragma once
#include "grid/GxGridCommon.h"
#include "grid/shared/GxClasses.h"

namespace GxColumns {

using namespace GxClasses;
using namespace GxGridCommon;

// The largest width or height the grid paints anything at, in pixels: a
// column, a row, the header, input row or footer, a slide. Larger values
// are held to it, so that a paint stays bounded and a sum of sizes fits an int.
inline constexpr int MaxPaintedSize = 32767;

class TGxCustomColumn;
class TColumnDisplay;
class TColumnPlay;

enum TColumnType {
    ctAutoInc,
    ctBoolean,
    ctNone,
    ctDate,
    ctFloat,
    ctGraphic,
    ctGuid,
    ctInteger,
    ctString,
    ctLookup,
    ctMemo,
    ctVirtual
};
enum TColumnKind {
    ckTextual,
    ckBlob,
    ckNumeric,
    ckImage,
    ckComboBox,
    ckCheckBox,
    ckDate,
    ckProgress,
    ckRate,
    ckIncrement,
    ckHtml
};
enum TColumnOption {
    coAutoSize,
    coCanClick,
    coCanInput,
    coCanSort,
    coDisableMoving,
    coDontHighlight,
    coEditing,
    coEditorAutoSelect,
    coFixedSize,
    coImageForIcon,
    coPublicUsing,
    coFullResort,
    coSearchColumn,
    coShowTextFitHint,
    coTextForCaption
};
using TColumnOptions = Set<TColumnOption>;
enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP };
enum TSortKind { skAscending, skDescending };
enum TColumnChangeKind {
    ccFieldName,
    ccInputChange,
    ccPosition,
    ccSlideChanged,
    ccSorted,
    ccSortTypeChange,
    ccUndefined,
    ccVisible,
    ccUnsorted,
    ccWidth
};
enum TColumnNotifyOperation {
    ccAlignChange,
    cnCaptionChange,
    cnColorChange,
    ccDrawingChange,
    cnNameChange,
    cnOptionsChange,
    ccVisibleChange
};
// opInsert is also the class library's; qualify it where both are seen.
enum TColumnsOperation { opAdd, opDelete, opClear, opInsert, opMove };
enum TColumnLocation { clAlone, clLeftSide, clMiddle, clRightSide };
enum TColumnStateItem { ceEditable, ceCanInput };
using TColumnState = Set<TColumnStateItem>;
enum TColumnStyleItem {
    csClickable,
    csCanEdit,
    csDisableSorting,
    csFitToLargest,
    csRedrawInplaceEdit,
    csTextFitHint,
    csWantReturns
};
using TColumnStyle = Set<TColumnStyleItem>;
enum TColumnMemberKind { ckFooter, ckHeader, ckInactiveHeader, ckIndicator, ckInput };
enum TColumnPartKind { cpFooter, cpHeader };
enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
enum TDisplayOption { doMultiLine };
using TDisplayOptions = Set<TDisplayOption>;
enum TDisplayDataKind { dkBoolean, dkDateTime, dkFloat, dkInteger, dkString };
enum TFormulaKind { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum TFormatMaskKind { mkText, mkFloat };
enum THeaderOrientation { hoHorizontal, hoVertical };
enum TSlideCatpionLocation { clLeft, clTop };

using TColumnChangeEvent =
    std::function<void(TObject* Sender, TGxCustomColumn* AColumn, TColumnChangeKind ChangeKind, int Param)>;
using TColumnsChangeEvent =
    std::function<void(TObject* Sender, TColumnsOperation ChangeOpearation, int Value1, int Value2)>;

// A method reference that a column calls back: its object and its code, so
// that the same method of the same object is found again to be removed.
struct TColumnNotifyProc {
    void* Data = nullptr;
    void (*Code)(void* Data, TGxCustomColumn* Sender, TColumnNotifyOperation Operation) = nullptr;

    void operator()(TGxCustomColumn* Sender, TColumnNotifyOperation Operation) const { Code(Data, Sender, Operation); }
    bool operator==(const TColumnNotifyProc&) const = default;
};

// The method Method of Object as a notification entry.
template <auto Method, typename T> TColumnNotifyProc NotifyProcOf(T* Object)
{
    return {Object, [](void* Data, TGxCustomColumn* Sender, TColumnNotifyOperation Operation) {
                (static_cast<T*>(Data)->*Method)(Sender, Operation);
            }};
}

// One cell's value in every form, handed from the grid to its column.
struct TCellInfo {
    bool AsBoolean = false;
    TDateTime AsDateTime = 0;
    double AsFloat = 0;
    int AsInteger = 0;
    WideString AsString;
    TObject* ObjectReference = nullptr; // the picture of a graphic cell
};

// Class references, each making an object of its class (ColumnClass<T> ...).
using TGxCustomColumnClass = TGxCustomColumn* (*)(TComponent* AOwner);
using TColumnDisplayClass = TColumnDisplay* (*)(TGxCustomColumn* AColumn);
using TColumnPlayClass = TColumnPlay* (*)(TGxCustomColumn* AColumn);

template <typename T> TGxCustomColumn* ColumnClass(TComponent* AOwner)
{
    return New<T>(AOwner);
}
template <typename T> TColumnDisplay* DisplayClass(TGxCustomColumn* AColumn)
{
    return New<T>(AColumn);
}
template <typename T> TColumnPlay* PlayClass(TGxCustomColumn* AColumn)
{
    return New<T>(AColumn);
}

} // namespace GxColumns
