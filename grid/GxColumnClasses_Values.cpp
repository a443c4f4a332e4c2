// grid/GxColumnClasses_Values.cpp: the kinds that show a value in a format
// of their own (times, dates, numbers, row numbers) and the memo column.
#include "grid/GxCellClasses.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxValueColumnsSupport.h"
#include "grid/shared/GxCalcEdit.h"
#include "grid/shared/GxDatePicker.h"
#include "grid/shared/GxMemo.h"
#include "platform/rtl/Codec.h"

#include <cstdint>

namespace GxColumnClasses {

using namespace GxDisplays;
using GxButtonEdit::dsDropDown;
using GxCalcEdit::TGxCalcEdit;
using GxCellClasses::DateTimeText;
using GxCellClasses::FloatText;
using GxDatePicker::TGxDatePicker;
using GxEdit::TGxCustomEdit;
using namespace ValueSupport;
using GxMemo::TGxMemoInplaceEdit;
using GxNumberEdit::TGxSpinEdit;
using GxNumberEdit::TGxTimeEdit;

namespace {

WideString Joined(const WideString& Before, const WideString& Text, const WideString& After)
{
    if (Before.empty() && After.empty()) return Text;
    WideString Result;
    Result.reserve(Before.size() + Text.size() + After.size());
    return Result.append(Before).append(Text).append(After);
}

// The text Format makes, else (when it raises) the text Plain makes, else
// nothing: paint, hints, best fit and export draw these texts, and one
// exception would fail every repaint of the grid.
template <typename TFormat, typename TPlain> WideString NeverRaising(TFormat Format, TPlain Plain)
{
    try {
        return Utf8ToWide(Format());
    } catch (const std::exception&) {
    }
    try {
        return Utf8ToWide(Plain());
    } catch (const std::exception&) {
    }
    return {};
}

// Value through the float picture Mask, or the general text.
WideString NumberText(double Value, const AnsiString& Mask)
{
    const auto Plain = [Value] { return FloatToStr(Value); };
    if (Mask.empty()) return NeverRaising(Plain, Plain);
    return NeverRaising([&] { return FormatFloat(Mask, Value); }, Plain);
}

// Value through the date-time format Mask, or the short date and any time.
WideString DateText(TDateTime Value, const AnsiString& Mask)
{
    return NeverRaising([&] { return FormatDateTime(Mask, Value); }, [Value] { return DateTimeToStr(Value); });
}

// Value through the date-time format Mask, or the long time.
WideString TimeText(TDateTime Value, const AnsiString& Mask)
{
    const auto Plain = [Value] { return TimeToStr(Value); };
    if (Mask.empty()) return NeverRaising(Plain, Plain);
    return NeverRaising([&] { return FormatDateTime(Mask, Value); }, Plain);
}

// Value as the text a date-time cell keeps for it, so that an edit that
// changed nothing stores nothing; EConvertError when it names no date-time
// (the cell itself would take such a text for 0). An empty text stays.
void ToDateTimeCellText(WideString& Value)
{
    if (Value.empty()) return;
    Value = DateTimeText(StrToDateTime(WideToUtf8(Value)));
}

} // namespace

bool ValidNumberKey(WideChar Key, TGxNumberEditOptions Options)
{
    if (Key >= '0' && Key <= '9') return true;
    if (Key == '+' || Key == '-') return Options.Contains(eoAllowSigns);
    if (Key == WideChar(static_cast<unsigned char>(FormatSettings.DecimalSeparator)))
        return Options.Contains(eoAllowFloat);
    return false;
}

// ---- TGxTimeColumn ----------------------------------------------------------------------------------

TGxTimeColumn::TGxTimeColumn(TComponent* AOwner) : TGxTextColumn(AOwner)
{
    SetSortType(stDate);
}

void TGxTimeColumn::AfterConstruction()
{
    TGxTextColumn::AfterConstruction();
    SetColumnType(ctDate);
}

TGxCustomEditClass TGxTimeColumn::GetCellEditorClass() const
{
    return EditClass<TGxTimeEdit>;
}

TColumnDisplayClass TGxTimeColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TTimeColumnDisplay>;
}

WideString TGxTimeColumn::GetDrawText(const TCellInfo& CellInfo)
{
    if (FHideWhenEmpty && CellInfo.AsDateTime == 0) return FEmptyCaption;
    return TimeText(CellInfo.AsDateTime, FFormatMask);
}

void TGxTimeColumn::BeginEditing()
{
    TGxTextColumn::BeginEditing();
    FLoadedText.clear();
    FShownText.clear();
}

void TGxTimeColumn::UpdateEdit()
{
    FLoadedText.clear();
    FShownText.clear();
    TGxCustomEdit* Editor = ActiveEditor(this);
    if (!Editor) return;
    TDateTime Value = 0;
    try {
        Value = Editor->GetAsDateTime();
    } catch (const EConvertError&) {
        return; // nothing to show in the column's format
    }
    FLoadedText = Editor->GetAsString();
    FShownText = TimeText(Value, FFormatMask);
    Editor->SetAsString(FShownText);
}

void TGxTimeColumn::ApplyEditing(WideString& Value)
{
    // The format may leave out the date or the seconds, or not read back at
    // all: a text the user left as it was shown stores what was loaded.
    if (!FShownText.empty() && Value == FShownText) Value = FLoadedText;
    FLoadedText.clear();
    FShownText.clear();
    ToDateTimeCellText(Value);
}

void TGxTimeColumn::SetEmptyCaption(const WideString& Value)
{
    StoreAndRepaint(this, FEmptyCaption, Value);
}

void TGxTimeColumn::SetFormatMask(const AnsiString& Value)
{
    StoreAndRepaint(this, FFormatMask, Value);
}

void TGxTimeColumn::SetHideWhenEmpty(bool Value)
{
    StoreAndRepaint(this, FHideWhenEmpty, Value);
}

// ---- TGxDateColumn ----------------------------------------------------------------------------------

TGxDateColumn::TGxDateColumn(TComponent* AOwner) : TGxPopupColumn(AOwner)
{
    SetDefaultValue(DateTimeText(Date()));
    SetSortType(stDate);
}

void TGxDateColumn::AfterConstruction()
{
    TGxPopupColumn::AfterConstruction();
    SetColumnType(ctDate);
}

TGxCustomEditClass TGxDateColumn::GetCellEditorClass() const
{
    return EditClass<TGxDatePicker>;
}

TColumnDisplayClass TGxDateColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TDateColumnDisplay>;
}

WideString TGxDateColumn::GetDrawText(const TCellInfo& CellInfo)
{
    if (FHideWhenEmpty && CellInfo.AsDateTime == 0) return FEmptyCaption;
    return TGxTextColumn::GetDrawText(TCellInfo{.AsString = DateText(CellInfo.AsDateTime, FFormatMask)});
}

bool TGxDateColumn::IsKeyValid(WideChar Key)
{
    return (Key >= '0' && Key <= '9') || Key == WideChar(static_cast<unsigned char>(FDateSeparator));
}

void TGxDateColumn::BeginEditing()
{
    TGxPopupColumn::BeginEditing();
    auto* Picker = dynamic_cast<TGxDatePicker*>(GetEditor());
    if (!Picker) return;
    Picker->SetShowNoneButton(FShowNoneButton);
    Picker->SetStyle(dsDropDown);
    Picker->SetStartDay(FStartDay);
}

void TGxDateColumn::ApplyEditing(WideString& Value)
{
    ToDateTimeCellText(Value);
}

void TGxDateColumn::SetDateSeparator(Char Value)
{
    StoreAndRepaint(this, FDateSeparator, Value);
}

void TGxDateColumn::SetFormatMask(const AnsiString& Value)
{
    StoreAndRepaint(this, FFormatMask, Value);
}

void TGxDateColumn::SetHideWhenEmpty(bool Value)
{
    StoreAndRepaint(this, FHideWhenEmpty, Value);
}

// ---- TGxCustomNumberColumn and its editing kinds ---------------------------------------------------

TGxCustomNumberColumn::TGxCustomNumberColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetDefaultValue(u"0");
    SetSortType(stNumeric);
}

void TGxCustomNumberColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctFloat);
}

void TGxCustomNumberColumn::Assign(TPersistent* Source)
{
    TGxCustomColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxCustomNumberColumn*>(Source);
    if (!Column) return;
    SetEmptyCaption(Column->FEmptyCaption);
    SetFormatMask(Column->FFormatMask);
    SetHideWhenEmpty(Column->FHideWhenEmpty);
    SetMax(Column->FMax);
    SetMin(Column->FMin);
    SetTextAfter(Column->FTextAfter);
    SetTextBefore(Column->FTextBefore);
}

TColumnDisplayClass TGxCustomNumberColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TNumberColumnDisplay>;
}

WideString TGxCustomNumberColumn::GetDrawText(const TCellInfo& CellInfo)
{
    if (FHideWhenEmpty && CellInfo.AsFloat == 0) return FEmptyCaption;
    return Joined(FTextBefore, NumberText(CellInfo.AsFloat, FFormatMask), FTextAfter);
}

void TGxCustomNumberColumn::ApplyEditing(WideString& Value)
{
    // An editor writes a number in its own way ("10000000000000000" for
    // what the cell calls "1E16"); the cell's text is taken only when it
    // names the very same number.
    Extended Number = 0;
    if (!TryStrToFloat(WideToUtf8(Value), Number)) return; // the cell refuses it
    const WideString CellText = FloatText(Number);
    Extended Back = 0;
    if (TryStrToFloat(WideToUtf8(CellText), Back) && Back == Number) Value = CellText;
}

void TGxCustomNumberColumn::SetEmptyCaption(const WideString& Value)
{
    StoreAndRepaint(this, FEmptyCaption, Value);
}

void TGxCustomNumberColumn::SetFormatMask(const AnsiString& Value)
{
    StoreAndRepaint(this, FFormatMask, Value);
}

void TGxCustomNumberColumn::SetHideWhenEmpty(bool Value)
{
    StoreAndRepaint(this, FHideWhenEmpty, Value);
}

void TGxCustomNumberColumn::SetTextAfter(const WideString& Value)
{
    StoreAndRepaint(this, FTextAfter, Value);
}

void TGxCustomNumberColumn::SetTextBefore(const WideString& Value)
{
    StoreAndRepaint(this, FTextBefore, Value);
}

TGxNumberColumn::TGxNumberColumn(TComponent* AOwner) : TGxCustomNumberColumn(AOwner)
{
    SetAlignment(taRightJustify);
}

void TGxNumberColumn::Assign(TPersistent* Source)
{
    TGxCustomNumberColumn::Assign(Source);
    auto* Column = dynamic_cast<TGxNumberColumn*>(Source);
    if (!Column) return;
    SetIncrement(Column->FIncrement);
    SetSpinButtons(Column->FSpinButtons);
}

TGxCustomEditClass TGxNumberColumn::GetCellEditorClass() const
{
    return EditClass<TGxSpinEdit>;
}

void TGxNumberColumn::BeginEditing()
{
    TGxCustomNumberColumn::BeginEditing();
    auto* Spin = dynamic_cast<TGxSpinEdit*>(GetEditor());
    if (!Spin) return;
    Spin->SetOptions(GetEditOptions());
    Spin->SetIncrement(FIncrement);
    Spin->SetMax(GetMax());
    Spin->SetMin(GetMin());
    Spin->SetSpinButtons(FSpinButtons);
}

void TGxNumberColumn::UpdateEdit()
{
    if (auto* Spin = dynamic_cast<TGxSpinEdit*>(ActiveEditor(this))) Spin->SetPrecision(FPrecision);
}

TGxCustomEditClass TGxCalcColumn::GetCellEditorClass() const
{
    return EditClass<TGxCalcEdit>;
}

void TGxCalcColumn::BeginEditing()
{
    TGxCustomNumberColumn::BeginEditing();
    auto* Calc = dynamic_cast<TGxCalcEdit*>(GetEditor());
    if (!Calc) return;
    Calc->SetMax(GetMax());
    Calc->SetMin(GetMin());
}

// ---- TGxIncrementColumn -----------------------------------------------------------------------------

void TGxIncrementColumn::AfterConstruction()
{
    TGxCustomColumn::AfterConstruction();
    SetColumnType(ctAutoInc);
}

TColumnDisplayClass TGxIncrementColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TIncrementColumnDisplay>;
}

WideString TGxIncrementColumn::GetDrawText(const TCellInfo& CellInfo)
{
    return Utf8ToWide(std::to_string(std::int64_t(CellInfo.AsInteger) + 1));
}

// ---- TGxMemoColumn ----------------------------------------------------------------------------------

TGxCustomEditClass TGxMemoColumn::GetCellEditorClass() const
{
    return EditClass<TGxMemoInplaceEdit>;
}

TColumnDisplayClass TGxMemoColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TMemoColumnDisplay>;
}

void TGxMemoColumn::BeginEditing()
{
    TGxCustomColumn::BeginEditing();
    if (auto* Memo = dynamic_cast<TGxMemoInplaceEdit*>(GetEditor())) Memo->SetScrollBars(FScrollBars);
}

} // namespace GxColumnClasses
