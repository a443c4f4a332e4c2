// Reads a file in the pieces the scan tests: what fgets with a 4,999-byte
// buffer would give (a line with its line feed, or the next 4,998 bytes of a
// longer one), each taken as text up to its first NUL byte, read as raw bytes.
#pragma once
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace PieceReader {

inline constexpr std::size_t MaxPieceBytes = 4998;

// The bytes the next piece takes of the Available bytes at Begin: through
// its line feed, or MaxPieceBytes of a longer line, or all that is left.
inline std::size_t PieceLength(const char* Begin, std::size_t Available)
{
    const std::size_t Span = std::min(Available, MaxPieceBytes);
    const void* LineFeed = std::memchr(Begin, '\n', Span);
    return LineFeed ? static_cast<std::size_t>(static_cast<const char*>(LineFeed) - Begin) + 1 : Span;
}

// A piece's text: its bytes up to the first NUL.
inline std::string_view PieceText(const char* Begin, std::size_t Length)
{
    return std::string_view(Begin, ::strnlen(Begin, Length));
}

class TPieceReader {
public:
    TPieceReader();
    ~TPieceReader();
    TPieceReader(const TPieceReader&) = delete;
    TPieceReader& operator=(const TPieceReader&) = delete;

    // False when the file cannot be opened for reading.
    bool Open(const AnsiString& FileName);
    void Close();
    // The next piece into Piece; false at the end of the file.
    bool Next(AnsiString& Piece);
    // The next piece where it lies in the reader's block, valid until the
    // next call; false at the end of the file.
    bool Next(std::string_view& Piece);
    // The block the last piece lies in runs to here. Every piece of the
    // block lies in it at its place; reading the next block moves the bytes
    // and counts up the block number.
    const char* GetBlockEnd() const { return FBuffer.data() + FEnd; }
    unsigned GetBlockNumber() const { return FBlockNumber; }
    // Bytes of the file consumed so far (where ftell would stand).
    Int64 GetPosition() const { return FPosition; }

private:
    bool Fill();

    int FHandle = -1;
    std::vector<char> FBuffer;
    std::size_t FStart = 0, FEnd = 0;
    bool FAtEnd = false;
    unsigned FBlockNumber = 0;
    Int64 FPosition = 0;
};

} // namespace PieceReader
