#include "app/PieceFilter.h"
#include "components/PcreRegex.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace PieceFilter;
using namespace PcreRegex;
using namespace std::string_literals;

namespace {

// Which pieces of Block, cut at line feeds, the filter of Pattern lets through.
std::vector<bool> Passed(const AnsiString& Pattern, const AnsiString& Block)
{
    auto R = std::unique_ptr<TPcreRegex, FreeDeleter>(New<TPcreRegex>(nullptr));
    R->SetRegEx(Pattern);
    R->Study();
    TPieceFilter F;
    F.Learn(R->GetCompiledPattern(), R->GetStudyData());
    F.LearnFromText(Pattern);
    F.Restart();
    std::vector<bool> V;
    const char* End = Block.data() + Block.size();
    for (const char* P = Block.data(); P < End;) {
        const char* LineEnd = P;
        while (LineEnd < End && *LineEnd != '\n')
            ++LineEnd;
        const char* Subject = P; // up to its first NUL, as the scan sees it
        while (Subject < LineEnd && *Subject)
            ++Subject;
        V.push_back(F.MayMatch(P, Subject, End));
        P = LineEnd + 1;
    }
    return V;
}

} // namespace

TEST(PieceFilter, SkipsOnlyPiecesLackingWhatEveryMatchHolds)
{
    // A required byte, found over the block whatever piece asks first.
    EXPECT_EQ(Passed("a+@b", "x\na@b\n@\nzz\na@\n"), (std::vector<bool>{false, true, false, false, false}));
    // A caseless required byte, and one hidden behind a NUL.
    EXPECT_EQ(Passed("(?i)mail=x", "MAIL=X\nMail=\nmailx\nmail=\0x\n"s), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Passed("a(?i:b)", "aB\nab\nAb\n"), (std::vector<bool>{true, true, true}));
    // The first-byte table.
    EXPECT_EQ(Passed("[xyz]\\d", "abc\nabz\n\nz\n"), (std::vector<bool>{false, true, false, true}));
}

TEST(PieceFilter, PatternsWhoseFactsProveNothingRunEverywhere)
{
    for (const char* Pattern : {".*", "\\w?", "(*UTF8)(?i)k", "^abc", "\\A[xy]z"}) {
        const auto V = Passed(Pattern, "\n1\nzz\n\xe2\x84\xaa\n");
        for (std::size_t I = 0; I < V.size(); ++I)
            EXPECT_TRUE(V[I]) << Pattern << " piece " << I;
    }
}

TEST(PieceFilter, ARareByteIsTakenFromThePatternTextOnlyWhereEveryMatchMustHoldIt)
{
    const std::vector<std::pair<const char*, int>> Cases = {
        {"[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}", '@'},
        {"(?:https?|ftp)://[^\\s\"'<>()]+", '/'},
        {"\\@", '@'},
        {"=?@", '@'},
        {"@{2}x", '@'},
        {"(a|@)=", '='},
        {"a\\b\\d+#?", -1},
        // Optional, or not at the top level.
        {"a@?b", -1},
        {"@{0,3}x", -1},
        {"@*", -1},
        {"[@]", -1},
        {"(?=@)", -1},
        // Alternation, options, verbs, comments and escapes with arguments.
        {"x|@", -1},
        {"(?i)@", -1},
        {"a(?i:b)@", -1},
        {"(*UTF8)@", -1},
        {"(?#@)x", -1},
        {"\\x40", -1},
        {"\\Q@\\E", -1},
        {"\\1@", -1},
        {"\\cJ@", -1},
        {"a{,3}@", -1},
        {")@", -1},
        {"(@", -1},
        {"[@", -1}};
    for (const auto& [Pattern, Byte] : Cases)
        EXPECT_EQ(RareRequiredByte(Pattern), Byte) << Pattern;
    // What PCRE does not see past a NUL proves nothing.
    EXPECT_EQ(Passed("a\0@"s, "a\na\n"), (std::vector<bool>{true, true}));
    EXPECT_EQ(Passed("a+@", "a\na@\n"), (std::vector<bool>{false, true}));
}
