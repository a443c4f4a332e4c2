#include "platform/rtl/FileSearch.h"
#include "platform/rtl/Codec.h"

#include <ctime>

namespace {

constexpr int faSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

// The 100-nanosecond count since 1601 as a packed DOS date and time in the
// local zone; 0 before 1980, which DOS dates cannot hold.
int DosDateTime(const FILETIME& T)
{
    const std::uint64_t Steps = (std::uint64_t(T.dwHighDateTime) << 32) | T.dwLowDateTime;
    const std::time_t Seconds = static_cast<std::time_t>(Steps / 10000000) - INT64_C(11644473600);
    std::tm L{};
    if (!::localtime_r(&Seconds, &L) || L.tm_year < 80 || L.tm_year > 207) return 0;
    const std::uint32_t Packed = (std::uint32_t(L.tm_year - 80) << 25) | (std::uint32_t(L.tm_mon + 1) << 21) |
                                 (std::uint32_t(L.tm_mday) << 16) | (std::uint32_t(L.tm_hour) << 11) |
                                 (std::uint32_t(L.tm_min) << 5) | std::uint32_t(L.tm_sec / 2);
    return static_cast<int>(Packed);
}

// Skips the entries the caller did not ask for, then fills the record.
int FindMatchingFile(TSearchRec& F)
{
    while (F.FindData.dwFileAttributes & static_cast<DWORD>(F.ExcludeAttr))
        if (!FindNextFileA(F.FindHandle, &F.FindData)) return static_cast<int>(ERROR_NO_MORE_FILES);
    F.Time = DosDateTime(F.FindData.ftLastWriteTime);
    F.Size = static_cast<Int64>((std::uint64_t(F.FindData.nFileSizeHigh) << 32) | F.FindData.nFileSizeLow);
    F.Attr = static_cast<int>(F.FindData.dwFileAttributes);
    F.Name = F.FindData.cFileName;
    return 0;
}

bool MatchFolded(const std::u32string& Name, const std::u32string& Mask)
{
    std::size_t N = 0, M = 0;
    std::size_t StarM = std::u32string::npos, StarN = 0;
    while (N < Name.size()) {
        if (M < Mask.size() && (Mask[M] == U'?' || Mask[M] == Name[N])) {
            ++N;
            ++M;
        } else if (M < Mask.size() && Mask[M] == U'*') {
            StarM = M++;
            StarN = N;
        } else if (StarM != std::u32string::npos) {
            // Let the last star swallow one more character and try again.
            M = StarM + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == U'*')
        ++M;
    return M == Mask.size();
}

} // namespace

int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F)
{
    F.ExcludeAttr = ~Attr & faSpecial;
    F.FindHandle = FindFirstFileA(Path.c_str(), &F.FindData);
    if (F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(ERROR_FILE_NOT_FOUND);
    const int Result = FindMatchingFile(F);
    if (Result != 0) FindClose(F);
    return Result;
}

int FindNext(TSearchRec& F)
{
    if (!FindNextFileA(F.FindHandle, &F.FindData)) return static_cast<int>(ERROR_NO_MORE_FILES);
    return FindMatchingFile(F);
}

void FindClose(TSearchRec& F)
{
    if (F.FindHandle != INVALID_HANDLE_VALUE) FindClose(F.FindHandle);
    F.FindHandle = INVALID_HANDLE_VALUE;
}

bool MatchesMask(const AnsiString& FileName, const AnsiString& Mask)
{
    if (Mask == "*.*") return true;
    return MatchFolded(FoldCase(FileName), FoldCase(Mask));
}
