#include "app/PieceFilter.h"

#include <algorithm>
#include <cstring>
#include <pcre.h>

namespace PieceFilter {

void TByteSet::Clear()
{
    FIn = {};
    FCount = 0;
    FNext = {};
}

void TByteSet::Add(unsigned char C)
{
    if (FIn[C]) return;
    FIn[C] = true;
    if (FCount < 2) FBytes[static_cast<std::size_t>(FCount)] = C;
    ++FCount;
}

void TByteSet::AddEitherCase(unsigned char C)
{
    Add(C);
    if (C >= 'a' && C <= 'z') Add(static_cast<unsigned char>(C - 'a' + 'A'));
    if (C >= 'A' && C <= 'Z') Add(static_cast<unsigned char>(C - 'A' + 'a'));
}

bool TByteSet::OccursIn(const char* Begin, const char* End, const char* BlockEnd)
{
    if (FCount == 0) return true;
    if (FCount > 2) {
        // A table: one pass, remembered in the first slot.
        const char*& Next = FNext[0];
        if (!Next || Next < Begin) {
            Next = Begin;
            while (Next < BlockEnd && !FIn[static_cast<unsigned char>(*Next)])
                ++Next;
        }
        return Next < End;
    }
    const char* Nearest = BlockEnd;
    for (int I = 0; I < FCount; ++I) {
        const char*& Next = FNext[static_cast<std::size_t>(I)];
        if (!Next || Next < Begin) {
            const void* Found =
                std::memchr(Begin, FBytes[static_cast<std::size_t>(I)], static_cast<std::size_t>(BlockEnd - Begin));
            Next = Found ? static_cast<const char*>(Found) : BlockEnd;
        }
        Nearest = std::min(Nearest, Next);
    }
    return Nearest < End;
}

void TPieceFilter::Learn(const real_pcre* Code, const pcre_extra* Study)
{
    FFirst.Clear();
    FRequired.Clear();
    if (!Code) return;
    unsigned long Options = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_OPTIONS, &Options) != 0) return;
    // In UTF-8 mode caseless letters have partners beyond ASCII: trust nothing.
    if (Options & (PCRE_UTF8 | PCRE_UCP)) return;
    // PCRE keeps no first or required byte for an anchored pattern, so
    // anchoring adds nothing here.
    int Flags = 0;
    unsigned Char = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTCHARACTERFLAGS, &Flags) == 0 && Flags == 1 &&
        pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTCHARACTER, &Char) == 0 && Char < 256) {
        FFirst.AddEitherCase(static_cast<unsigned char>(Char));
    } else {
        const unsigned char* Table = nullptr;
        if (pcre_fullinfo(Code, Study, PCRE_INFO_FIRSTTABLE, &Table) == 0 && Table) {
            for (int C = 0; C < 256; ++C)
                if (Table[C / 8] & (1u << (C % 8))) FFirst.Add(static_cast<unsigned char>(C));
        }
    }
    Flags = 0;
    if (pcre_fullinfo(Code, Study, PCRE_INFO_REQUIREDCHARFLAGS, &Flags) == 0 && Flags == 1 &&
        pcre_fullinfo(Code, Study, PCRE_INFO_REQUIREDCHAR, &Char) == 0 && Char < 256)
        FRequired.AddEitherCase(static_cast<unsigned char>(Char));
}

bool TPieceFilter::MayMatch(const char* Begin, const char* End, const char* BlockEnd)
{
    return FFirst.OccursIn(Begin, End, BlockEnd) && FRequired.OccursIn(Begin, End, BlockEnd);
}

} // namespace PieceFilter
