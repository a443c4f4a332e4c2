// platform/rtl/Variant.h
// A value that is an integer, a real or a text, as the class library's
// Variant holds it where a caller names a thing by number or by name.
#pragma once
#include "platform/rtl/SysUtils.h"

#include <variant>

// "Could not convert variant of type (String) into type (Integer)".
QM_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);

class Variant {
public:
    Variant(int Value) : FValue(Value) {}
    Variant(double Value) : FValue(Value) {}
    Variant(const char* Value) : FValue(AnsiString(Value)) {}
    Variant(AnsiString Value) : FValue(std::move(Value)) {}

    bool IsText() const { return std::holds_alternative<AnsiString>(FValue); }
    // A number as IntToStr or FloatToStr write it.
    AnsiString ToString() const;
    // A real rounds (halves to the even neighbour); a text is read as an
    // integer, or else as a real and rounded. Anything else, or a value
    // outside Integer, raises EVariantTypeCastError.
    int ToInteger() const;

private:
    std::variant<int, double, AnsiString> FValue;
};
