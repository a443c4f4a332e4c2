#include "platform/rtl/FloatText.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

using namespace platform::detail;

namespace {

[[noreturn]] void FormatError(std::string_view Fmt)
{
    throw EConvertError("Format '" + AnsiString(Fmt) + "' invalid or incompatible with argument");
}

} // namespace

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> ArgList)
{
    const std::vector<const TVarRec*> Args = [&] {
        std::vector<const TVarRec*> V;
        for (auto& A : ArgList)
            V.push_back(&A);
        return V;
    }();
    AnsiString Out;
    std::size_t ArgIndex = 0;
    std::size_t I = 0;
    auto NextArg = [&]() -> const TVarRec& {
        if (ArgIndex >= Args.size()) FormatError(Fmt);
        return *Args[ArgIndex++];
    };
    auto ReadNumber = [&](int& N) -> bool {
        if (I < Fmt.size() && Fmt[I] == '*') {
            const auto& A = NextArg();
            auto P = std::get_if<std::int64_t>(&A.Value);
            if (!P || *P < INT_MIN || *P > INT_MAX) FormatError(Fmt);
            N = static_cast<int>(*P);
            ++I;
            return true;
        }
        bool Any = false;
        N = 0;
        while (I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9') {
            if (N > (INT_MAX - 9) / 10) FormatError(Fmt); // no width or index is that large
            N = N * 10 + (Fmt[I] - '0');
            Any = true;
            ++I;
        }
        return Any;
    };
    while (I < Fmt.size()) {
        char C = Fmt[I];
        if (C != '%') {
            Out += C;
            ++I;
            continue;
        }
        ++I;
        if (I < Fmt.size() && Fmt[I] == '%') {
            Out += '%';
            ++I;
            continue;
        }
        bool Left = false;
        int Width = -1, Prec = -1, N = 0;
        // [index:]
        std::size_t Save = I;
        if (I < Fmt.size() && Fmt[I] != '*' && ReadNumber(N) && I < Fmt.size() && Fmt[I] == ':') {
            ArgIndex = static_cast<std::size_t>(N);
            ++I;
        } else {
            I = Save;
        }
        if (I < Fmt.size() && Fmt[I] == '-') {
            Left = true;
            ++I;
        }
        if (ReadNumber(N)) Width = N;
        if (I < Fmt.size() && Fmt[I] == '.') {
            ++I;
            Prec = ReadNumber(N) ? N : 0;
        }
        if (I >= Fmt.size()) FormatError(Fmt);
        const char Type = static_cast<char>(std::tolower(static_cast<unsigned char>(Fmt[I++])));
        const TVarRec& A = NextArg();
        AnsiString Text;
        auto AsDouble = [&]() -> double {
            if (auto P = std::get_if<double>(&A.Value)) return *P;
            if (auto P = std::get_if<std::int64_t>(&A.Value)) return static_cast<double>(*P);
            if (auto P = std::get_if<std::uint64_t>(&A.Value)) return static_cast<double>(*P);
            FormatError(Fmt);
        };
        switch (Type) {
        case 'd':
        case 'u':
        case 'x': {
            std::uint64_t Mag = 0;
            bool Neg = false;
            if (auto P = std::get_if<std::int64_t>(&A.Value)) {
                if (Type == 'd') {
                    Neg = *P < 0;
                    Mag = Neg ? 0 - static_cast<std::uint64_t>(*P) : static_cast<std::uint64_t>(*P);
                } else {
                    // %u and %x of a negative 32-bit value show its 32-bit pattern.
                    Mag = (*P >= INT32_MIN && *P < 0) ? static_cast<std::uint32_t>(*P) : static_cast<std::uint64_t>(*P);
                }
            } else if (auto U = std::get_if<std::uint64_t>(&A.Value)) {
                Mag = *U;
            } else {
                FormatError(Fmt);
            }
            char Buf[32];
            auto R = std::to_chars(Buf, Buf + sizeof Buf, Mag, Type == 'x' ? 16 : 10);
            Text.assign(Buf, R.ptr);
            if (Type == 'x')
                for (auto& Ch : Text)
                    Ch = static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
            PadLeft(Text, Prec, '0');
            if (Neg) Text.insert(Text.begin(), '-');
            break;
        }
        case 's':
            if (auto P = std::get_if<AnsiString>(&A.Value))
                Text = *P;
            else
                FormatError(Fmt);
            if (Prec >= 0 && static_cast<int>(Text.size()) > Prec) Text.resize(Prec);
            break;
        case 'f':
            Text = FixedText(AsDouble(), Prec < 0 ? 2 : Prec, false, FormatSettings);
            break;
        case 'n':
            Text = FixedText(AsDouble(), Prec < 0 ? 2 : Prec, true, FormatSettings);
            break;
        case 'm': {
            double V = AsDouble();
            Text = FixedText(std::fabs(V), Prec < 0 ? FormatSettings.CurrencyDecimals : Prec, true, FormatSettings);
            Text = (V < 0 ? "-" : "") + FormatSettings.CurrencyString + Text;
            break;
        }
        case 'e':
            Text = ExponentText(AsDouble(), Prec < 0 ? 15 : Prec, 3, FormatSettings);
            break;
        case 'g':
            Text = GeneralText(AsDouble(), Prec < 0 ? 15 : Prec, FormatSettings);
            break;
        case 'p': {
            auto P = std::get_if<const void*>(&A.Value);
            if (!P) FormatError(Fmt);
            char Buf[32];
            auto R = std::to_chars(Buf, Buf + sizeof Buf, reinterpret_cast<std::uintptr_t>(*P), 16);
            Text.assign(Buf, R.ptr);
            for (auto& Ch : Text)
                Ch = static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
            PadLeft(Text, static_cast<int>(sizeof(void*) * 2), '0');
            break;
        }
        default:
            FormatError(Fmt);
        }
        if (Width > static_cast<int>(Text.size())) {
            if (Left)
                Text.append(Width - Text.size(), ' ');
            else
                Text.insert(0, Width - Text.size(), ' ');
        }
        Out += Text;
    }
    return Out;
}
