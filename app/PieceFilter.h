// What every match of a compiled pattern must contain, from PCRE's own facts
// about it (first byte, required byte, the first-byte table after study),
// and a rare byte the pattern's own text shows every match to hold, tested
// over a block of pieces at memchr speed: a piece without
// it cannot match and need not be run. A pattern whose facts prove nothing
// lets every piece through.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

struct real_pcre;
struct pcre_extra;

namespace PieceFilter {

// One byte set a match must touch, and where it next occurs in the block.
class TByteSet {
public:
    void Clear();
    void Add(unsigned char C);
    // Adds C and, for an ASCII letter, its other case: PCRE's facts may come
    // from a caseless part of the pattern, and its built-in tables pair ASCII
    // letters only.
    void AddEitherCase(unsigned char C);
    bool Empty() const { return FCount == 0; }
    // Forgets where the bytes were: a new block.
    void Restart() { FNext = {}; }
    // Whether one of the bytes lies in [Begin, End); Begin never goes back
    // within a block, and BlockEnd bounds the look ahead.
    bool OccursIn(const char* Begin, const char* End, const char* BlockEnd);

private:
    std::array<bool, 256> FIn{};
    int FCount = 0;
    std::array<unsigned char, 2> FBytes{}; // the bytes while there are at most two
    std::array<const char*, 2> FNext{};    // where each next occurs (BlockEnd: nowhere)
};

class TPieceFilter {
public:
    // Learns the facts of a compiled, studied pattern; with nullptr, or where
    // they are not trusted, it lets everything through.
    void Learn(const real_pcre* Code, const pcre_extra* Study);
    // Adds a rare byte that the pattern's text, read without options, shows
    // every match to contain; nothing where the text holds anything it does
    // not fully understand.
    void LearnFromText(std::string_view Pattern);
    void Restart()
    {
        FFirst.Restart();
        FRequired.Restart();
        FLiteral.Restart();
    }
    // False when the piece [Begin, End), lying in a block that runs to
    // BlockEnd, cannot hold a match.
    bool MayMatch(const char* Begin, const char* End, const char* BlockEnd);
    bool ProvesNothing() const { return FFirst.Empty() && FRequired.Empty() && FLiteral.Empty(); }

private:
    TByteSet FFirst, FRequired, FLiteral;
};

// A byte outside every letter, digit and common punctuation that every match
// of Pattern holds at its top level, or -1.
int RareRequiredByte(std::string_view Pattern);

} // namespace PieceFilter
