// The pattern lists as the scan uses them: each line read by the
// pattern-line syntax and compiled once, with what every match of it must
// contain. The window's thread and every matching thread keep their own.
#pragma once
#include "app/PieceFilter.h"
#include "components/PcreRegex.h"

#include <memory>
#include <string_view>
#include <vector>

namespace ScanPatterns {

using namespace PcreRegex;

// One line of a pattern list, read by the pattern-line syntax.
struct TPatternLine {
    bool Comment = false; // begins with "$$"
    AnsiString Name;
    AnsiString Pattern;
    WideString WideName; // as the grid's cells take it
};

TPatternLine ParsePatternLine(const AnsiString& Line, int Position);

// A pattern of a list, compiled once; one that does not compile matches nothing.
struct TCompiledPattern {
    AnsiString Line; // the list line it was made from
    TPatternLine Parsed;
    std::unique_ptr<TPcreRegex, FreeDeleter> Regex;
    bool Jit = false; // PCRE made JIT code for it: the scan may call it directly
    PieceFilter::TPieceFilter Filter;

    // The leftmost match in Text, as a view into Text; false for none.
    // EPcreRegexError when PCRE gave up, as the component reports it. With
    // Direct, JIT code is called on Text where it lies; otherwise the
    // component searches a copy.
    bool Find(std::string_view Text, std::string_view& Match, bool Direct);
};

// The compiled patterns of one list, remade only for lines whose text changed.
class TPatternCache {
public:
    void Refresh(const std::vector<AnsiString>& Lines);
    std::size_t Count() const { return FPatterns.size(); }
    TCompiledPattern& operator[](std::size_t I) { return FPatterns[I]; }
    const TCompiledPattern& operator[](std::size_t I) const { return FPatterns[I]; }

private:
    std::vector<TCompiledPattern> FPatterns;
};

} // namespace ScanPatterns
