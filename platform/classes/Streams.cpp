#include "platform/classes/Streams.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Reading and writing at a position of an in-memory byte container.
template <typename TBytes> Int64 ReadBytes(const TBytes& Data, Int64& Position, void* Buffer, Int64 Count)
{
    if (Count <= 0 || Position >= static_cast<Int64>(Data.size())) return 0;
    const Int64 N = std::min<Int64>(Count, static_cast<Int64>(Data.size()) - Position);
    std::memcpy(Buffer, Data.data() + Position, static_cast<std::size_t>(N));
    Position += N;
    return N;
}

template <typename TBytes> Int64 WriteBytes(TBytes& Data, Int64& Position, const void* Buffer, Int64 Count)
{
    if (Count <= 0) return 0;
    if (Position + Count > static_cast<Int64>(Data.size())) Data.resize(static_cast<std::size_t>(Position + Count));
    std::memcpy(Data.data() + Position, Buffer, static_cast<std::size_t>(Count));
    Position += Count;
    return Count;
}

} // namespace

void TStream::ReadBuffer(void* Buffer, Int64 Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::GetSize()
{
    const Int64 Pos = Seek(0, soCurrent);
    const Int64 Size = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return Size;
}

void TStream::SetSize(Int64) {}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    std::vector<char> Buf(static_cast<std::size_t>(std::min<Int64>(Count, 1 << 16)) + 1);
    Int64 Done = 0;
    while (Done < Count) {
        const Int64 N = std::min<Int64>(Count - Done, static_cast<Int64>(Buf.size()));
        Source->ReadBuffer(Buf.data(), N);
        WriteBuffer(Buf.data(), N);
        Done += N;
    }
    return Done;
}

// ---- TFileStream ----------------------------------------------------------------

TFileStream::TFileStream(const AnsiString& FileName, Word Mode) : FFileName(FileName)
{
    if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
        FHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0) throw EFCreateError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
        return;
    }
    switch (Mode & 3) {
    case fmOpenWrite:
        FHandle = ::open(FileName.c_str(), O_WRONLY | O_CLOEXEC);
        break;
    case fmOpenReadWrite:
        FHandle = ::open(FileName.c_str(), O_RDWR | O_CLOEXEC);
        break;
    default:
        FHandle = OpenFileForReading(FileName);
        break;
    }
    // A folder is refused by every one of these opens (EISDIR).
    if (FHandle < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + FileErrorText(errno));
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count)
{
    Int64 Done = 0;
    while (Done < Count) {
        const ssize_t N = ::read(FHandle, static_cast<char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) break;
        Done += N;
    }
    return Done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count)
{
    Int64 Done = 0;
    while (Done < Count) {
        const ssize_t N =
            ::write(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) break;
        Done += N;
    }
    return Done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    return static_cast<Int64>(::lseek(FHandle, static_cast<off_t>(Offset), Whence));
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) throw EWriteError("Stream write error");
    if (GetPosition() > NewSize) SetPosition(NewSize);
}

// ---- TMemoryStream --------------------------------------------------------------

Int64 TMemoryStream::Read(void* Buffer, Int64 Count)
{
    return ReadBytes(FData, FPosition, Buffer, Count);
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count)
{
    return WriteBytes(FData, FPosition, Buffer, Count);
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    Int64 Base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : static_cast<Int64>(FData.size());
    FPosition = std::max<Int64>(0, Base + Offset);
    return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    FData.resize(static_cast<std::size_t>(std::max<Int64>(0, NewSize)));
    if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    const Int64 N = Stream->GetSize();
    FData.resize(static_cast<std::size_t>(N));
    if (N) Stream->ReadBuffer(FData.data(), N);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName)
{
    TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&F);
}

void TMemoryStream::SaveToStream(TStream* Stream)
{
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TMemoryStream::SaveToFile(const AnsiString& FileName)
{
    WriteFileWhole(FileName, std::string_view(FData.data(), FData.size()));
}

// ---- TStringStream --------------------------------------------------------------

Int64 TStringStream::Read(void* Buffer, Int64 Count)
{
    return ReadBytes(FData, FPosition, Buffer, Count);
}

Int64 TStringStream::Write(const void* Buffer, Int64 Count)
{
    return WriteBytes(FData, FPosition, Buffer, Count);
}

Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    Int64 Base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : static_cast<Int64>(FData.size());
    FPosition = std::clamp<Int64>(Base + Offset, 0, static_cast<Int64>(FData.size()));
    return FPosition;
}

void TStringStream::SetSize(Int64 NewSize)
{
    FData.resize(static_cast<std::size_t>(std::max<Int64>(0, NewSize)));
    if (FPosition > NewSize) FPosition = NewSize;
}

AnsiString TStringStream::ReadString(Int64 Count)
{
    AnsiString S(static_cast<std::size_t>(std::max<Int64>(0, Count)), '\0');
    S.resize(static_cast<std::size_t>(Read(S.data(), Count)));
    return S;
}
