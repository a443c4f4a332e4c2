#include "app/ScanJobs.h"
#include "app/PieceReader.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace ScanJobs {

using PieceReader::MaxPieceBytes;

void TScanJob::Clear()
{
    Size = 0;
    Segments.clear();
    Events.clear();
    Reasons.clear();
    Wide.clear();
    Keys.clear();
    Copies.clear();
}

void TScanJob::Prepare(TScanEvent& E)
{
    const std::string_view Extract = Text(E);
    E.WideOffset = static_cast<std::uint32_t>(Wide.size());
    AppendUtf8ToWide(Wide, Extract);
    E.WideLength = static_cast<std::uint32_t>(Wide.size() - E.WideOffset);
    if (E.RejectedBy >= 0) return;
    E.KeyOffset = static_cast<std::uint32_t>(Keys.size());
    const TFoldedKey Key = FoldedKeys::TFoldedKeys::AppendKey(Keys, Extract);
    E.KeyLength = static_cast<std::uint32_t>(Key.Bytes.size());
    E.KeyHash = Key.Hash;
    E.Copy = static_cast<std::uint32_t>(Copies.size());
    Copies.emplace_back(Extract);
}

TScanSource::TScanSource(std::vector<AnsiString> Paths, std::size_t BlockBytes)
    : FPaths(std::move(Paths)), FBlockBytes(std::max(BlockBytes, MaxPieceBytes)),
      FNextBlock(std::min<std::size_t>(FBlockBytes, 64 * 1024))
{
}

TScanSource::~TScanSource()
{
    CloseFile();
}

void TScanSource::CloseFile()
{
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
}

// Opens the next listed file; false, with the reading ended, when there is
// none or it cannot be read (then the job says so).
bool TScanSource::OpenNext(TScanJob& Job)
{
    if (FNextFile >= FPaths.size()) {
        FEnded = true;
        return false;
    }
    FFile = FNextFile++;
    const AnsiString& Path = FPaths[FFile];
    if (!FileExists(Path) || (FHandle = OpenFileForReading(Path)) < 0) {
        TSegment S;
        S.File = FFile;
        S.Unreadable = true;
        S.Begin = S.End = Job.Size;
        Job.Segments.push_back(S);
        FEnded = true;
        return false;
    }
    FFirst = true;
    FRead = 0;
    return true;
}

bool TScanSource::Fill(TScanJob& Job)
{
    Job.Clear();
    if (Job.Bytes.size() < FBlockBytes) Job.Bytes.resize(FBlockBytes);
    // The first jobs are small, so that the first rows come at once.
    const std::size_t Capacity = FNextBlock;
    FNextBlock = std::min(FNextBlock * 2, FBlockBytes);
    while (!FEnded) {
        if (FHandle < 0 && !OpenNext(Job)) break;
        TSegment S;
        S.File = FFile;
        S.First = FFirst;
        S.Begin = Job.Size;
        std::copy(FCarry.begin(), FCarry.end(), Job.Bytes.begin() + static_cast<std::ptrdiff_t>(Job.Size));
        Job.Size += FCarry.size();
        FCarry.clear();
        bool AtEnd = false;
        while (Job.Size < Capacity) {
            const ssize_t N = ::read(FHandle, Job.Bytes.data() + Job.Size, Capacity - Job.Size);
            if (N < 0 && errno == EINTR) continue;
            if (N <= 0) {
                AtEnd = true; // a read error ends the file, as fgets would
                break;
            }
            Job.Size += static_cast<std::size_t>(N);
            FRead += N;
        }
        if (AtEnd) {
            S.End = Job.Size;
            S.Last = true;
            S.Position = FRead;
            Job.Segments.push_back(S);
            FFirst = false;
            CloseFile();
            continue; // the next file shares the job while it has room
        }
        // The job is full: it ends where a piece begins. A segment begins a
        // piece, so without a line feed in it the cut is a whole number of
        // pieces into its line.
        const char* Begin = Job.Bytes.data() + S.Begin;
        const std::size_t Length = Job.Size - S.Begin;
        const void* LineFeed = ::memrchr(Begin, '\n', Length);
        std::size_t Cut = LineFeed ? static_cast<std::size_t>(static_cast<const char*>(LineFeed) - Begin) + 1
                                   : Length / MaxPieceBytes * MaxPieceBytes;
        FCarry.assign(Begin + Cut, Begin + Length);
        Job.Size = S.Begin + Cut;
        if (Cut == 0) break; // no whole piece fits behind the files before it: the next job takes it all
        S.End = Job.Size;
        S.Position = FRead - static_cast<Int64>(FCarry.size());
        Job.Segments.push_back(S);
        FFirst = false;
        break;
    }
    return !Job.Segments.empty();
}

} // namespace ScanJobs
