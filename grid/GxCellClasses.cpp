// grid/GxCellClasses.cpp
#include "grid/GxCellClasses.h"
#include "platform/rtl/Codec.h"

#include <bit>

namespace GxCellClasses {

namespace {

WideString Wide(std::string_view Text)
{
    return Utf8ToWide(Text);
}

AnsiString Narrow(std::u16string_view Text)
{
    return WideToUtf8(Text);
}

// A 32-bit integer wraps as the class library's assignment of a rounded
// value does; Round raises for what no integer holds.
int Nearest(double Value)
{
    return int(std::uint32_t(Round(Value)));
}

double AsDouble(std::uint64_t Value)
{
    return std::bit_cast<double>(Value);
}

std::uint64_t Bits(double Value)
{
    return std::bit_cast<std::uint64_t>(Value);
}

std::uint64_t Bits(int Value)
{
    return std::uint32_t(Value);
}

int AsInt(std::uint64_t Value)
{
    return int(std::uint32_t(Value));
}

class TBooleanBehaviour : public TCellBehaviour {
public:
    TClass ClassType() const override { return TBooleanCell::StaticClassType(); }
    bool GetAsBoolean(const TCell& C) const override { return Value(C) != 0; }
    TDateTime GetAsDateTime(const TCell&) const override { return 0; }
    double GetAsFloat(const TCell& C) const override { return GetAsBoolean(C) ? 1 : 0; }
    int GetAsInteger(const TCell& C) const override { return GetAsBoolean(C) ? 1 : 0; }
    WideString GetAsString(const TCell& C) const override { return WideString(BoolText(GetAsBoolean(C))); }
    void SetAsBoolean(const TCell& C, bool V) const override { StoreValue(C, V); }
    void SetAsDateTime(const TCell& C, TDateTime) const override { StoreValue(C, 0); }
    void SetAsFloat(const TCell& C, double V) const override { StoreValue(C, V != 0); }
    void SetAsInteger(const TCell& C, int V) const override { StoreValue(C, V != 0); }
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        StoreValue(C, SameText(Narrow(V), "true"));
    }
    bool Clear(const TCell& C) const override
    {
        StoreValue(C, 0);
        return true;
    }
};

// A date-time and a float keep the same 64-bit real and differ only in
// their texts and in what a Boolean or a text sets.
class TRealBehaviour : public TCellBehaviour {
public:
    bool GetAsBoolean(const TCell&) const override { return false; }
    TDateTime GetAsDateTime(const TCell& C) const override { return AsDouble(Value(C)); }
    double GetAsFloat(const TCell& C) const override { return AsDouble(Value(C)); }
    int GetAsInteger(const TCell& C) const override { return Nearest(AsDouble(Value(C))); }
    void SetAsDateTime(const TCell& C, TDateTime V) const override { StoreValue(C, Bits(V)); }
    void SetAsFloat(const TCell& C, double V) const override { StoreValue(C, Bits(V)); }
    void SetAsInteger(const TCell& C, int V) const override { StoreValue(C, Bits(double(V))); }
    bool Clear(const TCell& C) const override
    {
        StoreValue(C, Bits(0.0));
        return true;
    }
};

class TDateTimeBehaviour : public TRealBehaviour {
public:
    TClass ClassType() const override { return TDateTimeCell::StaticClassType(); }
    WideString GetAsString(const TCell& C) const override { return DateTimeText(GetAsDateTime(C)); }
    // Today, whatever the argument.
    void SetAsBoolean(const TCell& C, bool) const override { StoreValue(C, Bits(Date())); }
    // Text that is no date-time gives 0, without an error.
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        TDateTime D = 0;
        if (!V.empty() && !TryStrToDateTime(Narrow(V), D)) D = 0;
        StoreValue(C, Bits(D));
    }
};

class TFloatBehaviour : public TRealBehaviour {
public:
    TClass ClassType() const override { return TFloatCell::StaticClassType(); }
    WideString GetAsString(const TCell& C) const override { return FloatText(GetAsFloat(C)); }
    void SetAsBoolean(const TCell& C, bool) const override { StoreValue(C, Bits(0.0)); }
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        StoreValue(C, Bits(StrToFloat(Narrow(V))));
    }
};

class TIntegerBehaviour : public TCellBehaviour {
public:
    TClass ClassType() const override { return TIntegerCell::StaticClassType(); }
    bool GetAsBoolean(const TCell& C) const override { return GetAsInteger(C) > 0; }
    TDateTime GetAsDateTime(const TCell&) const override { return 0; }
    double GetAsFloat(const TCell& C) const override { return GetAsInteger(C); }
    int GetAsInteger(const TCell& C) const override { return AsInt(Value(C)); }
    WideString GetAsString(const TCell& C) const override { return IntegerText(GetAsInteger(C)); }
    void SetAsBoolean(const TCell& C, bool V) const override { StoreValue(C, V ? 1 : 0); }
    void SetAsDateTime(const TCell& C, TDateTime) const override { StoreValue(C, 0); }
    void SetAsFloat(const TCell& C, double V) const override { StoreValue(C, Bits(Nearest(V))); }
    void SetAsInteger(const TCell& C, int V) const override { StoreValue(C, Bits(V)); }
    void SetAsString(const TCell& C, std::u16string_view V) const override
    {
        StoreValue(C, Bits(V.empty() ? 0 : StrToInt(Narrow(V))));
    }
    bool Clear(const TCell& C) const override
    {
        StoreValue(C, 0);
        return true;
    }
};

class TStringBehaviour : public TCellBehaviour {
public:
    TClass ClassType() const override { return TStringCell::StaticClassType(); }
    bool GetAsBoolean(const TCell& C) const override { return StrToBool(Narrow(Text(C))); }
    TDateTime GetAsDateTime(const TCell& C) const override
    {
        const std::u16string_view T = Text(C);
        return T.empty() ? 0 : StrToDateTime(Narrow(T));
    }
    double GetAsFloat(const TCell& C) const override { return StrToFloat(Narrow(Text(C))); }
    int GetAsInteger(const TCell& C) const override { return StrToInt(Narrow(Text(C))); }
    WideString GetAsString(const TCell& C) const override { return WideString(Text(C)); }
    void SetAsBoolean(const TCell& C, bool V) const override { StoreText(C, BoolText(V)); }
    void SetAsDateTime(const TCell& C, TDateTime V) const override { StoreText(C, DateTimeText(V)); }
    void SetAsFloat(const TCell& C, double V) const override { StoreText(C, FloatText(V)); }
    void SetAsInteger(const TCell& C, int V) const override { StoreText(C, IntegerText(V)); }
    void SetAsString(const TCell& C, std::u16string_view V) const override { StoreText(C, V); }
    bool Clear(const TCell& C) const override
    {
        StoreText(C, {});
        return true;
    }
};

class TIncrementBehaviour : public TCellBehaviour {
public:
    TClass ClassType() const override { return TIncrementCell::StaticClassType(); }
    bool GetAsBoolean(const TCell&) const override { return false; }
    TDateTime GetAsDateTime(const TCell&) const override { return 0; }
    double GetAsFloat(const TCell& C) const override { return GetAsInteger(C); }
    int GetAsInteger(const TCell& C) const override { return C.GetRowIndex() + 1; }
    WideString GetAsString(const TCell& C) const override { return IntegerText(GetAsInteger(C)); }
    // Nothing is stored; the cell still reports the change.
    void SetAsBoolean(const TCell&, bool) const override {}
    void SetAsDateTime(const TCell&, TDateTime) const override {}
    void SetAsFloat(const TCell&, double) const override {}
    void SetAsInteger(const TCell&, int) const override {}
    void SetAsString(const TCell&, std::u16string_view) const override {}
    bool Clear(const TCell&) const override { return false; }
};

const TBooleanBehaviour BooleanBehaviour;
const TDateTimeBehaviour DateTimeBehaviour;
const TFloatBehaviour FloatBehaviour;
const TIntegerBehaviour IntegerBehaviour;
const TStringBehaviour StringBehaviour;
const TIncrementBehaviour IncrementBehaviour;

} // namespace

#define QM_CELL_META(Name)                                                                                             \
    TClass Name::StaticClassType()                                                                                     \
    {                                                                                                                  \
        static const TMetaClass Meta{#Name, TCell::StaticClassType()};                                                 \
        return &Meta;                                                                                                  \
    }

QM_CELL_META(TBooleanCell)
QM_CELL_META(TDateTimeCell)
QM_CELL_META(TFloatCell)
QM_CELL_META(TIntegerCell)
QM_CELL_META(TStringCell)
QM_CELL_META(TIncrementCell)

#undef QM_CELL_META

std::u16string_view BoolText(bool Value)
{
    return Value ? u"True" : u"False";
}

WideString DateTimeText(TDateTime Value)
{
    return Wide(DateTimeToStr(Value));
}

WideString FloatText(double Value)
{
    return Wide(FloatToStr(Value));
}

WideString IntegerText(int Value)
{
    return Wide(IntToStr(Value));
}

const TCellBehaviour& CellBehaviour(TCellSlot Slot)
{
    switch (Slot) {
    case TCellSlot::Boolean:
        return BooleanBehaviour;
    case TCellSlot::DateTime:
        return DateTimeBehaviour;
    case TCellSlot::Float:
        return FloatBehaviour;
    case TCellSlot::Integer:
        return IntegerBehaviour;
    case TCellSlot::Increment:
        return IncrementBehaviour;
    default:
        return StringBehaviour;
    }
}

} // namespace GxCellClasses
