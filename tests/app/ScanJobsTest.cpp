#include "app/PieceReader.h"
#include "app/ScanJobs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

using namespace ScanJobs;
using namespace PieceReader;

namespace {

struct TPieceSeen {
    std::size_t File;
    AnsiString Text;
    bool operator==(const TPieceSeen&) const = default;
};

// Every piece the plain reader gives, file after file.
std::vector<TPieceSeen> ReaderPieces(const std::vector<AnsiString>& Paths)
{
    std::vector<TPieceSeen> Out;
    TPieceReader Reader;
    for (std::size_t F = 0; F < Paths.size(); ++F) {
        if (!Reader.Open(Paths[F])) break;
        AnsiString Piece;
        while (Reader.Next(Piece))
            Out.push_back({F, Piece});
    }
    return Out;
}

// Every piece cut from the jobs' segments, as a worker cuts them, with what
// the segments say checked on the way.
std::vector<TPieceSeen> JobPieces(TScanSource& Source, const std::vector<AnsiString>& Files, std::size_t* Jobs)
{
    std::vector<TPieceSeen> Out;
    TScanJob Job;
    std::size_t Open = SIZE_MAX;
    Int64 Consumed = 0;
    while (Source.Fill(Job)) {
        ++*Jobs;
        EXPECT_LE(Job.Size, Source.GetBlockBytes());
        for (const TSegment& S : Job.Segments) {
            if (S.Unreadable) return Out;
            EXPECT_EQ(S.First, Open != S.File) << "file " << S.File;
            if (S.First) Consumed = 0;
            Open = S.File;
            Consumed += static_cast<Int64>(S.End - S.Begin);
            EXPECT_EQ(S.Position, Consumed);
            for (const char* P = Job.Bytes.data() + S.Begin; P < Job.Bytes.data() + S.End;) {
                const std::size_t Length = PieceLength(P, static_cast<std::size_t>(Job.Bytes.data() + S.End - P));
                Out.push_back({S.File, AnsiString(PieceText(P, Length))});
                P += Length;
            }
            if (S.Last) {
                EXPECT_EQ(S.Position, static_cast<Int64>(Files[S.File].size()));
                Open = SIZE_MAX;
            }
        }
    }
    return Out;
}

} // namespace

TEST(ScanJobs, JobsHoldExactlyTheReadersPiecesWhereverTheBlocksEnd)
{
    TTempDir Dir;
    std::mt19937 Random(35);
    std::vector<AnsiString> Files = {"",
                                     "\n",
                                     "no line feed",
                                     AnsiString(20000, 'x'),
                                     AnsiString(4998, 'y') + "\n" + AnsiString(4997, 'z') + "\n\n",
                                     AnsiString(4998 * 3, 'w'),
                                     AnsiString("nul\0inside\nnext", 15)};
    for (int F = 0; F < 30; ++F) {
        AnsiString Bytes;
        const int Lines = static_cast<int>(Random() % 40);
        for (int L = 0; L < Lines; ++L) {
            const std::size_t Length = Random() % 10 == 0 ? 4990 + Random() % 12000 : Random() % 200;
            for (std::size_t I = 0; I < Length; ++I)
                Bytes += static_cast<char>(Random() % 8 == 0 ? Random() % 256 : 'a' + Random() % 26);
            Bytes += Random() % 3 ? "\n" : "\r\n";
        }
        Files.push_back(Bytes);
    }
    std::vector<AnsiString> Paths;
    for (std::size_t F = 0; F < Files.size(); ++F)
        Paths.push_back(Dir.WriteFile("f" + IntToStr(static_cast<int>(F)), Files[F]));
    const std::vector<TPieceSeen> Expected = ReaderPieces(Paths);
    for (std::size_t Block : {std::size_t(0), std::size_t(4998), std::size_t(5001), std::size_t(9999),
                              std::size_t(65536), std::size_t(1) << 20}) {
        TScanSource Source(Paths, Block);
        std::size_t Jobs = 0;
        EXPECT_EQ(JobPieces(Source, Files, &Jobs), Expected) << "block " << Block;
        EXPECT_GT(Jobs, 0u);
        if (Block >= 65536) {
            EXPECT_LT(Jobs, Files.size()) << "small files share a job";
        }
    }
}

TEST(ScanJobs, AnUnreadableFileEndsTheReadingAndNothingAfterItIsRead)
{
    TTempDir Dir;
    const AnsiString A = Dir.WriteFile("a", "one\ntwo\n");
    const AnsiString C = Dir.WriteFile("c", "never\n");
    TScanSource Source({A, Dir.Path() + "missing", C}, 1 << 20);
    TScanJob Job;
    ASSERT_TRUE(Source.Fill(Job));
    ASSERT_EQ(Job.Segments.size(), 2u);
    EXPECT_TRUE(Job.Segments[0].First && Job.Segments[0].Last);
    EXPECT_EQ(Job.Segments[1].File, 1u);
    EXPECT_TRUE(Job.Segments[1].Unreadable);
    EXPECT_EQ(Job.Size, 8u); // file c is not in it
    EXPECT_FALSE(Source.Fill(Job));
}
