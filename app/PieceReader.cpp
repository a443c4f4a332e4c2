#include "app/PieceReader.h"
#include "platform/rtl/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace PieceReader {

namespace {
constexpr std::size_t BufferBytes = 1 << 20;
}

TPieceReader::TPieceReader() : FBuffer(BufferBytes) {}

TPieceReader::~TPieceReader()
{
    Close();
}

bool TPieceReader::Open(const AnsiString& FileName)
{
    Close();
    FHandle = OpenFileForReading(FileName);
    FStart = FEnd = 0;
    FAtEnd = false;
    FPosition = 0;
    return FHandle >= 0;
}

void TPieceReader::Close()
{
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
}

// Keeps at least one whole piece in the buffer unless the file ends first.
bool TPieceReader::Fill()
{
    ++FBlockNumber;
    if (FStart > 0) {
        std::memmove(FBuffer.data(), FBuffer.data() + FStart, FEnd - FStart);
        FEnd -= FStart;
        FStart = 0;
    }
    while (!FAtEnd && FEnd < FBuffer.size()) {
        const ssize_t N = ::read(FHandle, FBuffer.data() + FEnd, FBuffer.size() - FEnd);
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) {
            FAtEnd = true; // a read error ends the file, as fgets would
            break;
        }
        FEnd += static_cast<std::size_t>(N);
        if (FEnd - FStart >= MaxPieceBytes) break;
    }
    return FEnd > FStart;
}

bool TPieceReader::Next(AnsiString& Piece)
{
    std::string_view View;
    if (!Next(View)) return false;
    Piece.assign(View);
    return true;
}

bool TPieceReader::Next(std::string_view& Piece)
{
    if (FHandle < 0) return false;
    if (FEnd - FStart < MaxPieceBytes && !FAtEnd && !Fill()) return false;
    if (FEnd == FStart) return false;
    const char* Begin = FBuffer.data() + FStart;
    const std::size_t Length = PieceLength(Begin, FEnd - FStart);
    Piece = PieceText(Begin, Length);
    FStart += Length;
    FPosition += static_cast<Int64>(Length);
    return true;
}

} // namespace PieceReader
