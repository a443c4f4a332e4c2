// grid/GxVirtualColumn.cpp: the GUID and virtual columns, the GUID display,
// and the cells the store makes for the two kinds.
#include "grid/GxVirtualColumn.h"
#include "grid/GxCellClasses.h"
#include "grid/shared/GxEdit.h"
#include "platform/rtl/Codec.h"
#include "platform/win/ObjBase.h"

#include <algorithm>
#include <array>
#include <bit>

namespace GxVirtualColumn {

using namespace GxCellClasses;
using namespace GxEdit;

// ---- The cells -----------------------------------------------------------------

namespace {

// Cells whose values are their texts: the getters parse the text, which
// raises EConvertError when it is no such value (empty text included), and
// the setters hand a TStringCell's text for the value to the cell's own
// SetAsString, which reports the change before the cell reports it again.
class TTextValueBehaviour : public TCellBehaviour {
public:
    bool GetAsBoolean(const TCell& C) const override { return StrToBool(WideToUtf8(GetAsString(C))); }
    TDateTime GetAsDateTime(const TCell& C) const override { return StrToDateTime(WideToUtf8(GetAsString(C))); }
    double GetAsFloat(const TCell& C) const override { return StrToFloat(WideToUtf8(GetAsString(C))); }
    int GetAsInteger(const TCell& C) const override { return StrToInt(WideToUtf8(GetAsString(C))); }
    void SetAsBoolean(const TCell& C, bool V) const override { TCell(C).SetAsString(BoolText(V)); }
    void SetAsDateTime(const TCell& C, TDateTime V) const override { TCell(C).SetAsString(DateTimeText(V)); }
    void SetAsFloat(const TCell& C, double V) const override { TCell(C).SetAsString(FloatText(V)); }
    void SetAsInteger(const TCell& C, int V) const override { TCell(C).SetAsString(IntegerText(V)); }
    // Nothing to clear; the change is reported all the same.
    bool Clear(const TCell&) const override { return true; }
};

// The 16 bytes lie in the column's text arena as 8 code units, so that the
// cell slot keeps its 8 bytes.
using TGuidUnits = std::array<char16_t, sizeof(TGUID) / sizeof(char16_t)>;

class TGuidBehaviour : public TTextValueBehaviour {
public:
    TClass ClassType() const override { return TGuidCell::StaticClassType(); }
    WideString GetAsString(const TCell& C) const override { return Utf8ToWide(GUIDToString(Guid(C))); }
    // Parsed first: a text that is no GUID raises with the old one kept.
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        StoreGuid(C, StringToGUID(WideToUtf8(V)));
    }
    void Made(const TCell& C) const override
    {
        TGUID G;
        if (!SUCCEEDED(CoCreateGuid(&G))) throw EOutOfResources("The system gave no GUID");
        StoreGuid(C, G);
    }

    TGUID Guid(const TCell& C) const
    {
        const std::u16string_view Stored = Text(C);
        TGuidUnits Units{};
        if (Stored.size() == Units.size()) std::copy(Stored.begin(), Stored.end(), Units.begin());
        return std::bit_cast<TGUID>(Units);
    }
    void StoreGuid(const TCell& C, const TGUID& G) const
    {
        const auto Units = std::bit_cast<TGuidUnits>(G);
        StoreText(C, std::u16string_view(Units.data(), Units.size()));
    }
    void SetGuid(const TCell& C, const TGUID& G) const
    {
        StoreGuid(C, G);
        ForgetOrder(C);
    }
};

// Asks and tells the cell's column, with the cell's own column and row.
class TVirtualBehaviour : public TTextValueBehaviour {
public:
    TClass ClassType() const override { return TVirtualCell::StaticClassType(); }
    WideString GetAsString(const TCell& C) const override
    {
        WideString Value;
        if (TGxVirtualColumn* Column = ColumnOf(C)) Column->DoGetText(C.GetColumnIndex(), C.GetRowIndex(), Value);
        return Value;
    }
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        if (TGxVirtualColumn* Column = ColumnOf(C))
            Column->DoSetText(C.GetColumnIndex(), C.GetRowIndex(), WideString(V));
    }
    static TGxVirtualColumn* ColumnOf(const TCell& C) { return dynamic_cast<TGxVirtualColumn*>(Column(C)); }
};

const TGuidBehaviour GuidBehaviour;
const TVirtualBehaviour VirtualBehaviour;

// Until a column of the two kinds is made, the store's cells of these
// classes behave as text cells; no store makes them before such a column.
void RegisterCellClasses()
{
    TCellBehaviour::Register(TCellSlot::Guid, &GuidBehaviour);
    TCellBehaviour::Register(TCellSlot::Virtual, &VirtualBehaviour);
}

// Cell, checked to be of Class as a typecast is.
void CheckClass(const TCell& Cell, TClass Class)
{
    if (!Cell.InheritsFrom(Class)) throw EInvalidOperation("Invalid class typecast");
}

} // namespace

TClass TGuidCell::StaticClassType()
{
    static const TMetaClass Meta{"TGuidCell", TCell::StaticClassType()};
    return &Meta;
}

TGuidCell::TGuidCell(const TCell& Cell) : TCell(Cell)
{
    CheckClass(Cell, StaticClassType());
}

TGUID TGuidCell::GetAsGuid() const
{
    return GuidBehaviour.Guid(*this);
}

void TGuidCell::SetAsGuid(const TGUID& Value)
{
    GuidBehaviour.SetGuid(*this, Value);
}

TClass TVirtualCell::StaticClassType()
{
    static const TMetaClass Meta{"TVirtualCell", TCell::StaticClassType()};
    return &Meta;
}

TVirtualCell::TVirtualCell(const TCell& Cell) : TCell(Cell)
{
    CheckClass(Cell, StaticClassType());
}

TGxVirtualColumn* TVirtualCell::GetColumn() const
{
    const int Index = GetColumnIndex();
    return dynamic_cast<TGxVirtualColumn*>(GetCells()->GetColumns()->GetItem(Index));
}

// ---- The columns ----------------------------------------------------------------

TGxFramedTextColumn::TGxFramedTextColumn(TComponent* AOwner) : TGxCustomColumn(AOwner)
{
    SetOptions(GetOptions() + TColumnOptions{coShowTextFitHint});
}

TGxCustomEditClass TGxFramedTextColumn::GetCellEditorClass() const
{
    return EditClass<TGxEdit>;
}

WideString TGxFramedTextColumn::Framed(const WideString& Text) const
{
    if (FTextBefore.empty() && FTextAfter.empty()) return Text;
    WideString Joined;
    Joined.reserve(FTextBefore.size() + Text.size() + FTextAfter.size());
    return Joined.append(FTextBefore).append(Text).append(FTextAfter);
}

void TGxFramedTextColumn::SetTextAfter(const WideString& Value)
{
    if (Value == FTextAfter) return;
    FTextAfter = Value;
    Refresh(gaNone);
}

void TGxFramedTextColumn::SetTextBefore(const WideString& Value)
{
    if (Value == FTextBefore) return;
    FTextBefore = Value;
    Refresh(gaNone);
}

void TGxFramedTextColumn::AssignFramed(TPersistent* Source, bool SameKind)
{
    TGxCustomColumn::Assign(Source);
    if (!SameKind) return;
    const auto* Column = static_cast<TGxFramedTextColumn*>(Source);
    SetAutoExecute(Column->FAutoExecute);
    SetTextAfter(Column->FTextAfter);
    SetTextBefore(Column->FTextBefore);
}

void TGxGuidColumn::AfterConstruction()
{
    TGxFramedTextColumn::AfterConstruction();
    RegisterCellClasses();
    SetColumnType(ctGuid);
}

void TGxGuidColumn::Assign(TPersistent* Source)
{
    AssignFramed(Source, dynamic_cast<TGxGuidColumn*>(Source));
}

TColumnDisplayClass TGxGuidColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TGxGuidColumnDisplay>;
}

void TGxVirtualColumn::AfterConstruction()
{
    TGxFramedTextColumn::AfterConstruction();
    RegisterCellClasses();
    SetColumnType(ctVirtual);
}

void TGxVirtualColumn::Assign(TPersistent* Source)
{
    AssignFramed(Source, dynamic_cast<TGxVirtualColumn*>(Source));
}

TColumnDisplayClass TGxVirtualColumn::GetColumnDisplayClass() const
{
    return DisplayClass<TTextColumnDisplay>;
}

void TGxVirtualColumn::DoGetText(int ACol, int ARow, WideString& Value)
{
    if (OnGetText) OnGetText(this, ACol, ARow, Value);
}

void TGxVirtualColumn::DoSetText(int ACol, int ARow, const WideString& Value)
{
    if (OnSetText) OnSetText(this, ACol, ARow, Value);
}

// ---- The GUID display --------------------------------------------------------------

void TGxGuidColumnDisplay::Paint()
{
    const auto* Column = dynamic_cast<const TGxFramedTextColumn*>(GetColumn());
    DrawTextRect(Column ? Column->Framed(GetAsString()) : GetAsString(), GetTextRect());
}

} // namespace GxVirtualColumn
