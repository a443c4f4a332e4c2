// grid/GxTextBlocks.h
// UTF-16 text put into a file's buffer eight units at a time: a byte each
// for ASCII, or two in either order, with a note of whether any unit needs
// more than that (one of four chosen units, or, where asked, a unit past
// ASCII). SSE2 where the compiler has it, a plain loop otherwise. A block
// that ends with a text overlaps the one before it, and a text shorter than
// a block goes as two overlapping halves, so that nothing is read or written
// past a text's end.
#pragma once
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace GxTextBlocks {

enum class TUnitForm { Byte, Little, Big };

inline constexpr std::size_t BlockUnits = 8;

template <TUnitForm Form> inline constexpr std::size_t UnitSize = Form == TUnitForm::Byte ? 1 : 2;

class TSpecialUnits {
public:
    // A, B, C and D are special; with AsciiOnly so is every unit past ASCII.
    TSpecialUnits(char16_t A, char16_t B, char16_t C, char16_t D, bool AsciiOnly)
#if defined(__SSE2__)
        : FA(_mm_set1_epi16(short(A))), FB(_mm_set1_epi16(short(B))), FC(_mm_set1_epi16(short(C))),
          FD(_mm_set1_epi16(short(D))),
          // Adding 0x7F80 with saturation sets the top bit of every unit from 0x80 up.
          FWide(_mm_set1_epi16(short(0x7F80))), FWideBits(AsciiOnly ? 0xAAAA : 0),
#else
        :
#endif
          FUnits{A, B, C, D}, FAsciiOnly(AsciiOnly)
    {
    }

    // Puts Text at Out in Form; true when a unit of it is special (what was
    // put is then to be put again the long way).
    template <TUnitForm Form> bool Put(char* Out, std::u16string_view Text) const
    {
        const char16_t* In = Text.data();
        const std::size_t Count = Text.size();
#if defined(__SSE2__)
        if (Count < BlockUnits) {
            if (Count < BlockUnits / 2) return PutFew<Form>(Out, In, Count);
            // The first four units and the last four, which may overlap.
            const __m128i Head = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(In));
            const __m128i Tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(In + Count - 4));
            const __m128i V = _mm_unpacklo_epi64(Head, Tail);
            StoreHalves<Form>(Out, Out + (Count - 4) * UnitSize<Form>, V);
            return Mask(V);
        }
#else
        if (Count < BlockUnits) return PutFew<Form>(Out, In, Count);
#endif
        unsigned Found = 0;
        std::size_t I = 0;
        for (; I + BlockUnits <= Count; I += BlockUnits)
            Found |= Block<Form>(Out + I * UnitSize<Form>, In + I);
        // The last units go as a block that ends with the text, over some already put.
        if (I < Count) Found |= Block<Form>(Out + (Count - BlockUnits) * UnitSize<Form>, In + Count - BlockUnits);
        return Found;
    }

    // Where the first special unit of Text from From on lies; npos when none.
    std::size_t Find(std::u16string_view Text, std::size_t From) const
    {
        const char16_t* In = Text.data();
        const std::size_t Count = Text.size();
#if defined(__SSE2__)
        if (Count >= BlockUnits) {
            for (; From + BlockUnits <= Count; From += BlockUnits)
                if (const unsigned Found = Mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(In + From))))
                    return From + std::size_t(__builtin_ctz(Found)) / 2;
            if (From >= Count) return std::u16string_view::npos;
            // The block that ends with the text, without the units before From.
            const std::size_t Last = Count - BlockUnits;
            const unsigned Found =
                Mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(In + Last))) >> 2 * (From - Last);
            return Found ? From + std::size_t(__builtin_ctz(Found)) / 2 : std::u16string_view::npos;
        }
#endif
        for (; From < Count; ++From)
            if (IsSpecial(In[From])) return From;
        return std::u16string_view::npos;
    }

private:
    bool IsSpecial(char16_t U) const
    {
        return U == FUnits[0] || U == FUnits[1] || U == FUnits[2] || U == FUnits[3] || (FAsciiOnly && U >= 0x80);
    }
    // Fewer units than a block, one by one.
    template <TUnitForm Form> bool PutFew(char* Out, const char16_t* In, std::size_t Count) const
    {
        bool Found = false;
        for (std::size_t I = 0; I < Count; ++I) {
            PutUnit<Form>(Out + I * UnitSize<Form>, In[I]);
            Found |= IsSpecial(In[I]);
        }
        return Found;
    }
    // One bit pair for each of the 8 units at In that is special.
    template <TUnitForm Form> unsigned Block(char* Out, const char16_t* In) const
    {
#if defined(__SSE2__)
        const __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(In));
        Store<Form>(Out, V);
        return Mask(V);
#else
        unsigned Found = 0;
        for (std::size_t I = 0; I < BlockUnits; ++I) {
            PutUnit<Form>(Out + I * UnitSize<Form>, In[I]);
            Found |= unsigned(IsSpecial(In[I])) * (3u << 2 * I);
        }
        return Found;
#endif
    }

public:
    template <TUnitForm Form> static void PutUnit(char* Out, char16_t U)
    {
        if constexpr (Form == TUnitForm::Byte)
            Out[0] = char(U);
        else {
            Out[Form == TUnitForm::Big ? 1 : 0] = char(U & 0xFF);
            Out[Form == TUnitForm::Big ? 0 : 1] = char(U >> 8);
        }
    }

#if defined(__SSE2__)
    template <TUnitForm Form> static __m128i InForm(__m128i V)
    {
        if constexpr (Form == TUnitForm::Byte)
            return _mm_packus_epi16(V, V);
        else if constexpr (Form == TUnitForm::Little)
            return V;
        else
            return _mm_or_si128(_mm_slli_epi16(V, 8), _mm_srli_epi16(V, 8));
    }
    template <TUnitForm Form> static void Store(char* Out, __m128i V)
    {
        if constexpr (Form == TUnitForm::Byte)
            _mm_storel_epi64(reinterpret_cast<__m128i*>(Out), InForm<Form>(V));
        else
            _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), InForm<Form>(V));
    }
    // The first four units of V at Low, the last four at High.
    template <TUnitForm Form> static void StoreHalves(char* Low, char* High, __m128i V)
    {
        const __m128i W = InForm<Form>(V);
        if constexpr (Form == TUnitForm::Byte) {
            const int First = _mm_cvtsi128_si32(W);
            std::memcpy(Low, &First, 4);
            const int Second = _mm_cvtsi128_si32(_mm_srli_si128(W, 4));
            std::memcpy(High, &Second, 4);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(Low), W);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(High), _mm_srli_si128(W, 8));
        }
    }

private:
    unsigned Mask(__m128i V) const
    {
        const __m128i Same = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(V, FA), _mm_cmpeq_epi16(V, FB)),
                                          _mm_or_si128(_mm_cmpeq_epi16(V, FC), _mm_cmpeq_epi16(V, FD)));
        return unsigned(_mm_movemask_epi8(Same) | (_mm_movemask_epi8(_mm_adds_epu16(V, FWide)) & FWideBits));
    }

    __m128i FA, FB, FC, FD, FWide;
    unsigned FWideBits; // the top bits of the units' high bytes, when units past ASCII count
#endif
private:
    char16_t FUnits[4];
    bool FAsciiOnly;
};

// Puts Text at Out in Form, every unit as it is (a byte each: the low byte).
template <TUnitForm Form> void PutUnits(char* Out, std::u16string_view Text)
{
    const char16_t* In = Text.data();
    const std::size_t Count = Text.size();
#if defined(__SSE2__)
    if (Count >= BlockUnits) {
        std::size_t I = 0;
        for (; I + BlockUnits <= Count; I += BlockUnits)
            TSpecialUnits::Store<Form>(Out + I * UnitSize<Form>,
                                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(In + I)));
        if (I < Count)
            TSpecialUnits::Store<Form>(Out + (Count - BlockUnits) * UnitSize<Form>,
                                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(In + Count - BlockUnits)));
        return;
    }
    if (Count >= BlockUnits / 2) {
        const __m128i Head = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(In));
        const __m128i Tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(In + Count - 4));
        return TSpecialUnits::StoreHalves<Form>(Out, Out + (Count - 4) * UnitSize<Form>,
                                                _mm_unpacklo_epi64(Head, Tail));
    }
#endif
    for (std::size_t I = 0; I < Count; ++I)
        TSpecialUnits::PutUnit<Form>(Out + I * UnitSize<Form>, In[I]);
}

} // namespace GxTextBlocks
