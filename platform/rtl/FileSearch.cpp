#include "platform/rtl/FileSearch.h"
#include "platform/rtl/Codec.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int faSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

// A file time counts 100-nanosecond steps since 1601-01-01, UTC.
constexpr Int64 StepsPerSecond = 10000000;
constexpr Int64 SecondsFrom1601To1970 = INT64_C(11644473600);

bool IsDotEntry(std::string_view Name)
{
    return Name == "." || Name == "..";
}

std::string_view LastComponent(std::string_view Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.remove_suffix(1);
    const auto P = Path.rfind('/');
    return P == std::string_view::npos ? Path : Path.substr(P + 1);
}

int AttributesOf(const struct stat& St, std::string_view Name)
{
    int A = 0;
    if (S_ISDIR(St.st_mode)) A |= faDirectory;
    if (!(St.st_mode & S_IWUSR)) A |= faReadOnly;
    if (!Name.empty() && Name[0] == '.' && !IsDotEntry(Name)) A |= faHidden;
    return A ? A : faNormal;
}

FILETIME FileTimeOf(const struct timespec& T)
{
    const Int64 Steps = (static_cast<Int64>(T.tv_sec) + SecondsFrom1601To1970) * StepsPerSecond + T.tv_nsec / 100;
    const std::uint64_t U = Steps < 0 ? 0 : static_cast<std::uint64_t>(Steps);
    return {static_cast<DWORD>(U & 0xFFFFFFFF), static_cast<DWORD>(U >> 32)};
}

AnsiString JoinFolder(const AnsiString& Folder, const AnsiString& Name)
{
    return !Folder.empty() && Folder.back() == '/' ? Folder + Name : Folder + '/' + Name;
}

// The open search: every matching entry, read and sorted at the start.
struct TFindState {
    std::vector<WIN32_FIND_DATAA> Entries;
    std::size_t Next = 0;
};

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

// An entry with its name folded once, for the mask and for the order.
struct TListedEntry {
    std::u32string Folded;
    WIN32_FIND_DATAA Data;
};

bool LessByName(const TListedEntry& A, const TListedEntry& B)
{
    const bool DotA = IsDotEntry(A.Data.cFileName), DotB = IsDotEntry(B.Data.cFileName);
    if (DotA != DotB) return DotA;
    if (A.Folded != B.Folded) return A.Folded < B.Folded;
    return A.Data.cFileName < B.Data.cFileName;
}

// The entries of Path's folder that fit its mask ("dir/*.txt"), in name order.
std::vector<WIN32_FIND_DATAA> ReadMatchingEntries(const AnsiString& Path)
{
    const auto P = Path.rfind('/');
    const AnsiString Folder = P == AnsiString::npos ? AnsiString(".") : P == 0 ? AnsiString("/") : Path.substr(0, P);
    const AnsiString Mask = P == AnsiString::npos ? Path : Path.substr(P + 1);
    std::vector<WIN32_FIND_DATAA> Entries;
    DIR* D = ::opendir(Folder.c_str());
    if (!D) return Entries;
    const bool Everything = Mask == "*.*";
    const std::u32string FoldedMask = FoldCase(Mask);
    std::vector<TListedEntry> Listed;
    while (const dirent* E = ::readdir(D)) {
        const AnsiString Name = E->d_name;
        std::u32string Folded = FoldCase(Name);
        if (!Everything && !MatchFolded(Folded, FoldedMask)) continue;
        const AnsiString Full = JoinFolder(Folder, Name);
        struct stat St;
        // A link that leads nowhere is still listed, as the link itself.
        if (::stat(Full.c_str(), &St) != 0 && ::lstat(Full.c_str(), &St) != 0) continue;
        WIN32_FIND_DATAA Data;
        Data.dwFileAttributes = static_cast<DWORD>(AttributesOf(St, Name));
        Data.ftLastWriteTime = FileTimeOf(St.st_mtim);
        const auto Size = S_ISDIR(St.st_mode) ? std::uint64_t(0) : static_cast<std::uint64_t>(St.st_size);
        Data.nFileSizeHigh = static_cast<DWORD>(Size >> 32);
        Data.nFileSizeLow = static_cast<DWORD>(Size & 0xFFFFFFFF);
        Data.cFileName = Name;
        Listed.push_back({std::move(Folded), std::move(Data)});
    }
    ::closedir(D);
    std::sort(Listed.begin(), Listed.end(), LessByName);
    Entries.reserve(Listed.size());
    for (auto& L : Listed)
        Entries.push_back(std::move(L.Data));
    return Entries;
}

// The 100-nanosecond count since 1601 as a packed DOS date and time in the
// local zone; 0 before 1980, which DOS dates cannot hold.
int DosDateTime(const FILETIME& T)
{
    const std::uint64_t Steps = (std::uint64_t(T.dwHighDateTime) << 32) | T.dwLowDateTime;
    const std::time_t Seconds = static_cast<std::time_t>(Steps / StepsPerSecond) - SecondsFrom1601To1970;
    std::tm L{};
    if (!::localtime_r(&Seconds, &L) || L.tm_year < 80 || L.tm_year > 207) return 0;
    const std::uint32_t Packed = (std::uint32_t(L.tm_year - 80) << 25) | (std::uint32_t(L.tm_mon + 1) << 21) |
                                 (std::uint32_t(L.tm_mday) << 16) | (std::uint32_t(L.tm_hour) << 11) |
                                 (std::uint32_t(L.tm_min) << 5) | std::uint32_t(L.tm_sec / 2);
    return static_cast<int>(Packed);
}

// Moves to the next entry the caller asked for and fills the record.
int FindMatchingFile(TSearchRec& F)
{
    auto* State = static_cast<TFindState*>(F.FindHandle);
    do {
        if (State->Next >= State->Entries.size()) return static_cast<int>(ERROR_NO_MORE_FILES);
        F.FindData = std::move(State->Entries[State->Next++]);
    } while (F.FindData.dwFileAttributes & static_cast<DWORD>(F.ExcludeAttr));
    F.Time = DosDateTime(F.FindData.ftLastWriteTime);
    F.Size = static_cast<Int64>((std::uint64_t(F.FindData.nFileSizeHigh) << 32) | F.FindData.nFileSizeLow);
    F.Attr = static_cast<int>(F.FindData.dwFileAttributes);
    F.Name = F.FindData.cFileName;
    return 0;
}

} // namespace

int FileGetAttr(const AnsiString& FileName)
{
    struct stat St;
    if (FileName.empty() || ::stat(FileName.c_str(), &St) != 0) return -1;
    return AttributesOf(St, LastComponent(FileName));
}

int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F)
{
    F.ExcludeAttr = ~Attr & faSpecial;
    auto State = std::make_unique<TFindState>(TFindState{ReadMatchingEntries(Path)});
    if (State->Entries.empty()) {
        F.FindHandle = INVALID_HANDLE_VALUE;
        return static_cast<int>(ERROR_FILE_NOT_FOUND);
    }
    F.FindHandle = State.release();
    const int Result = FindMatchingFile(F);
    if (Result != 0) FindClose(F);
    return Result;
}

int FindNext(TSearchRec& F)
{
    if (!F.FindHandle || F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(ERROR_NO_MORE_FILES);
    return FindMatchingFile(F);
}

void FindClose(TSearchRec& F)
{
    if (F.FindHandle != INVALID_HANDLE_VALUE) delete static_cast<TFindState*>(F.FindHandle); // null included
    F.FindHandle = INVALID_HANDLE_VALUE;
}

bool MatchesMask(const AnsiString& FileName, const AnsiString& Mask)
{
    if (Mask == "*.*") return true;
    return MatchFolded(FoldCase(FileName), FoldCase(Mask));
}
