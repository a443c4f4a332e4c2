// platform/rtl/Variant.cpp
#include "platform/rtl/Variant.h"

#include <climits>
#include <cmath>

namespace {

[[noreturn]] void CastError(const char* From)
{
    throw EVariantTypeCastError(AnsiString("Could not convert variant of type (") + From + ") into type (Integer)");
}

int RoundToInteger(double Value, const char* From)
{
    if (!std::isfinite(Value) || Value < double(INT_MIN) - 0.5 || Value > double(INT_MAX) + 0.5) CastError(From);
    const Int64 Result = Round(Value);
    if (Result < INT_MIN || Result > INT_MAX) CastError(From);
    return int(Result);
}

} // namespace

AnsiString Variant::ToString() const
{
    if (const int* I = std::get_if<int>(&FValue)) return IntToStr(*I);
    if (const double* D = std::get_if<double>(&FValue)) return FloatToStr(*D);
    return std::get<AnsiString>(FValue);
}

int Variant::ToInteger() const
{
    if (const int* I = std::get_if<int>(&FValue)) return *I;
    if (const double* D = std::get_if<double>(&FValue)) return RoundToInteger(*D, "Double");
    const AnsiString& Text = std::get<AnsiString>(FValue);
    Integer Value = 0;
    if (TryStrToInt(Text, Value)) return Value;
    Extended Real = 0;
    if (!TryStrToFloat(Text, Real)) CastError("String");
    return RoundToInteger(Real, "String");
}
