#include "app/PieceReader.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace PieceReader;

namespace {

// The pieces fgets gives with a 4,999-byte buffer, each cut at its first NUL,
// and where ftell stands after each.
std::vector<std::pair<AnsiString, long>> FgetsPieces(const AnsiString& FileName)
{
    std::vector<std::pair<AnsiString, long>> Out;
    std::FILE* In = std::fopen(FileName.c_str(), "rb");
    char Buffer[4999];
    while (std::fgets(Buffer, sizeof Buffer, In))
        Out.emplace_back(AnsiString(Buffer, std::strlen(Buffer)), std::ftell(In));
    std::fclose(In);
    return Out;
}

} // namespace

TEST(PieceReader, GivesExactlyThePiecesFgetsWouldWhateverTheBytes)
{
    TTempDir Dir;
    std::mt19937 Random(7);
    std::vector<AnsiString> Files = {"",
                                     "\n",
                                     "no line feed",
                                     "a\r\nb\r\n",
                                     AnsiString(10000, 'x'),
                                     AnsiString(4998, 'y') + "\n" + AnsiString(4997, 'z') + "\n\n",
                                     AnsiString("nul\0inside\nnext", 15)};
    for (int F = 0; F < 20; ++F) {
        AnsiString Bytes;
        const int Size = static_cast<int>(Random() % 3000000);
        Bytes.reserve(static_cast<std::size_t>(Size));
        for (int I = 0; I < Size; ++I) {
            const unsigned R = Random() % 1000;
            // Mostly text, sometimes line feeds, NULs, CRs and long runs without a break.
            Bytes += R < 8 ? '\n' : R < 9 ? '\0' : R < 11 ? '\r' : static_cast<char>(32 + Random() % 224);
            if (R == 999) Bytes.append(Random() % 12000, 'L');
        }
        Files.push_back(Bytes);
    }
    for (std::size_t F = 0; F < Files.size(); ++F) {
        const AnsiString Name = Dir.WriteFile("f" + IntToStr(static_cast<Int64>(F)), Files[F]);
        const auto Expected = FgetsPieces(Name);
        TPieceReader Reader;
        ASSERT_TRUE(Reader.Open(Name));
        AnsiString Piece;
        std::size_t Count = 0;
        while (Reader.Next(Piece)) {
            ASSERT_LT(Count, Expected.size()) << "file " << F;
            ASSERT_EQ(Piece, Expected[Count].first) << "file " << F << " piece " << Count;
            ASSERT_EQ(Reader.GetPosition(), Expected[Count].second) << "file " << F << " piece " << Count;
            ++Count;
        }
        EXPECT_EQ(Count, Expected.size()) << "file " << F;
    }
    TPieceReader Missing;
    EXPECT_FALSE(Missing.Open(Dir.Path() + "missing"));
    AnsiString Piece;
    EXPECT_FALSE(Missing.Next(Piece));
}
