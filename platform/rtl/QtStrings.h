// Lossless conversions between the system's strings and QString, for
// platform sources only: every text that crosses into Qt passes here. Qt's
// own toUtf8/fromUtf8 would turn escaped bytes into '?'.
#pragma once
#include "platform/rtl/Codec.h"

#include <QString>

namespace platform::detail {

inline QString ToQString(std::u16string_view S)
{
    return QString(reinterpret_cast<const QChar*>(S.data()), static_cast<qsizetype>(S.size()));
}

inline QString ToQString(std::string_view S)
{
    return ToQString(Utf8ToWide(S));
}

// The code units of S, without a copy (valid while S is).
inline std::u16string_view UnitsOf(const QString& S)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size()));
}

inline WideString ToWide(const QString& S)
{
    return WideString(UnitsOf(S));
}

inline AnsiString ToAnsi(const QString& S)
{
    return WideToUtf8(UnitsOf(S));
}

} // namespace platform::detail
