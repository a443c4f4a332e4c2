// The run-time library's basic types: strings, characters, sets and the
// numeric types the system's units are written in.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

using AnsiString = std::string;    // 8-bit text; UTF-8 on this platform
using WideString = std::u16string; // UTF-16 text
using UnicodeString = std::u16string;
using Char = char;
using AnsiChar = char;
using WideChar = char16_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using LongWord = std::uint32_t;
using Cardinal = std::uint32_t;
using DWORD = std::uint32_t;
using Integer = std::int32_t;
using LongInt = std::int32_t;
using Int64 = std::int64_t;
using Double = double;
using Extended = double;
using TDateTime = double; // days since 1899-12-30

inline constexpr const char* sLineBreak = "\n";
inline constexpr char PathDelim = '/';

// A set of enumeration values (or of bytes), as the class library's `set of`.
template <typename T, int N = (sizeof(T) == 1 ? 256 : 64)> class Set {
public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<T> Items)
    {
        for (T Item : Items)
            Include(Item);
    }

    constexpr bool Contains(T Item) const
    {
        const unsigned I = Index(Item);
        return I < N && (FWords[I / 64] >> (I % 64)) & 1u;
    }
    constexpr Set& Include(T Item)
    {
        const unsigned I = Index(Item);
        if (I < N) FWords[I / 64] |= std::uint64_t(1) << (I % 64);
        return *this;
    }
    constexpr Set& Exclude(T Item)
    {
        const unsigned I = Index(Item);
        if (I < N) FWords[I / 64] &= ~(std::uint64_t(1) << (I % 64));
        return *this;
    }
    constexpr bool Empty() const
    {
        for (auto W : FWords)
            if (W) return false;
        return true;
    }
    constexpr int Count() const
    {
        int C = 0;
        for (auto W : FWords)
            C += __builtin_popcountll(W);
        return C;
    }

    friend constexpr Set operator+(Set A, const Set& B)
    {
        for (int I = 0; I < Words; ++I)
            A.FWords[I] |= B.FWords[I];
        return A;
    }
    friend constexpr Set operator-(Set A, const Set& B)
    {
        for (int I = 0; I < Words; ++I)
            A.FWords[I] &= ~B.FWords[I];
        return A;
    }
    friend constexpr Set operator*(Set A, const Set& B)
    {
        for (int I = 0; I < Words; ++I)
            A.FWords[I] &= B.FWords[I];
        return A;
    }
    constexpr Set& operator+=(const Set& B) { return *this = *this + B; }
    constexpr Set& operator-=(const Set& B) { return *this = *this - B; }
    constexpr Set& operator*=(const Set& B) { return *this = *this * B; }
    friend constexpr bool operator==(const Set& A, const Set& B) = default;
    // A <= B: every member of A is in B.
    constexpr bool operator<=(const Set& B) const { return (*this - B).Empty(); }

    // The raw bits of the first word, for sets stored as flags (option bytes).
    constexpr std::uint64_t Bits() const { return FWords[0]; }
    static constexpr Set FromBits(std::uint64_t Bits)
    {
        Set S;
        S.FWords[0] = Bits;
        return S;
    }

private:
    static constexpr int Words = (N + 63) / 64;
    static constexpr unsigned Index(T Item)
    {
        if constexpr (std::is_enum_v<T>)
            return static_cast<unsigned>(static_cast<std::underlying_type_t<T>>(Item));
        else
            return static_cast<unsigned>(static_cast<std::make_unsigned_t<T>>(Item));
    }
    std::array<std::uint64_t, Words> FWords{};
};
