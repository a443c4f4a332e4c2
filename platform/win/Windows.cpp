#include "platform/win/Windows.h"
#include "platform/win/UserInteraction.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileSearch.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

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

DWORD AttributesOf(const struct stat& St, std::string_view Name)
{
    DWORD A = 0;
    if (S_ISDIR(St.st_mode)) A |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(St.st_mode & S_IWUSR)) A |= FILE_ATTRIBUTE_READONLY;
    if (!Name.empty() && Name[0] == '.' && !IsDotEntry(Name)) A |= FILE_ATTRIBUTE_HIDDEN;
    return A ? A : FILE_ATTRIBUTE_NORMAL;
}

FILETIME FileTimeOf(const struct timespec& T)
{
    // 100-nanosecond steps between 1601-01-01 and 1970-01-01.
    constexpr Int64 EpochDifference = INT64_C(116444736000000000);
    const Int64 Steps = static_cast<Int64>(T.tv_sec) * 10000000 + T.tv_nsec / 100 + EpochDifference;
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

bool LessByName(const WIN32_FIND_DATAA& A, const WIN32_FIND_DATAA& B)
{
    const bool DotA = IsDotEntry(A.cFileName), DotB = IsDotEntry(B.cFileName);
    if (DotA != DotB) return DotA;
    const auto FoldA = FoldCase(A.cFileName), FoldB = FoldCase(B.cFileName);
    if (FoldA != FoldB) return FoldA < FoldB;
    return A.cFileName < B.cFileName;
}

std::vector<WIN32_FIND_DATAA> ReadMatchingEntries(const AnsiString& Folder, const AnsiString& Mask)
{
    std::vector<WIN32_FIND_DATAA> Entries;
    DIR* D = ::opendir(Folder.c_str());
    if (!D) return Entries;
    while (const dirent* E = ::readdir(D)) {
        const AnsiString Name = E->d_name;
        if (!MatchesMask(Name, Mask)) continue;
        const AnsiString Full = JoinFolder(Folder, Name);
        struct stat St;
        // A link that leads nowhere is still listed, as the link itself.
        if (::stat(Full.c_str(), &St) != 0 && ::lstat(Full.c_str(), &St) != 0) continue;
        WIN32_FIND_DATAA Data;
        Data.dwFileAttributes = AttributesOf(St, Name);
        Data.ftLastWriteTime = FileTimeOf(St.st_mtim);
        const auto Size = S_ISDIR(St.st_mode) ? std::uint64_t(0) : static_cast<std::uint64_t>(St.st_size);
        Data.nFileSizeHigh = static_cast<DWORD>(Size >> 32);
        Data.nFileSizeLow = static_cast<DWORD>(Size & 0xFFFFFFFF);
        Data.cFileName = Name;
        Entries.push_back(std::move(Data));
    }
    ::closedir(D);
    std::sort(Entries.begin(), Entries.end(), LessByName);
    return Entries;
}

} // namespace

DWORD GetFileAttributesA(const char* FileName)
{
    if (!FileName || !*FileName) return INVALID_FILE_ATTRIBUTES;
    struct stat St;
    if (::stat(FileName, &St) != 0) return INVALID_FILE_ATTRIBUTES;
    return AttributesOf(St, LastComponent(FileName));
}

BOOL CreateDirectoryA(const char* PathName, void*)
{
    return PathName && *PathName && ::mkdir(PathName, 0777) == 0;
}

HANDLE FindFirstFileA(const char* FileName, WIN32_FIND_DATAA* FindData)
{
    if (!FileName || !FindData) return INVALID_HANDLE_VALUE;
    const AnsiString Path = FileName;
    const auto P = Path.rfind('/');
    const AnsiString Folder = P == AnsiString::npos ? AnsiString(".") : P == 0 ? AnsiString("/") : Path.substr(0, P);
    const AnsiString Mask = P == AnsiString::npos ? Path : Path.substr(P + 1);
    auto* State = new TFindState{ReadMatchingEntries(Folder, Mask)};
    if (State->Entries.empty()) {
        delete State;
        return INVALID_HANDLE_VALUE;
    }
    *FindData = State->Entries[State->Next++];
    return State;
}

BOOL FindNextFileA(HANDLE FindFile, WIN32_FIND_DATAA* FindData)
{
    if (!FindFile || FindFile == INVALID_HANDLE_VALUE || !FindData) return false;
    auto* State = static_cast<TFindState*>(FindFile);
    if (State->Next >= State->Entries.size()) return false;
    *FindData = State->Entries[State->Next++];
    return true;
}

BOOL FindClose(HANDLE FindFile)
{
    if (!FindFile || FindFile == INVALID_HANDLE_VALUE) return false;
    delete static_cast<TFindState*>(FindFile);
    return true;
}

bool platform::GetFileIdentity(const AnsiString& FileName, TFileIdentity& Identity)
{
    struct stat St;
    if (FileName.empty() || ::stat(FileName.c_str(), &St) != 0) return false;
    Identity.Device = static_cast<std::uint64_t>(St.st_dev);
    Identity.Inode = static_cast<std::uint64_t>(St.st_ino);
    return true;
}

DWORD GetModuleFileNameA(HMODULE Module, char* Buffer, DWORD Size)
{
    if (Module || !Buffer || Size == 0) return 0;
    AnsiString Name(256, '\0');
    while (true) {
        const ssize_t N = ::readlink("/proc/self/exe", Name.data(), Name.size());
        if (N < 0) return 0;
        if (static_cast<std::size_t>(N) < Name.size()) {
            Name.resize(static_cast<std::size_t>(N));
            break;
        }
        Name.resize(Name.size() * 2);
    }
    if (Name.size() < Size) {
        std::memcpy(Buffer, Name.c_str(), Name.size() + 1);
        return static_cast<DWORD>(Name.size());
    }
    std::memcpy(Buffer, Name.data(), Size - 1);
    Buffer[Size - 1] = '\0';
    return Size;
}

DWORD GetEnvironmentVariableA(const char* Name, char* Buffer, DWORD Size)
{
    const char* Value = Name ? std::getenv(Name) : nullptr;
    if (!Value) return 0;
    const std::size_t Length = std::strlen(Value);
    if (!Buffer || Length >= Size) return static_cast<DWORD>(Length + 1);
    std::memcpy(Buffer, Value, Length + 1);
    return static_cast<DWORD>(Length);
}

int MessageBoxA(HWND, const char* Text, const char* Caption, UINT Type)
{
    return UserInteraction()->MessageBox(Text ? Text : "", Caption ? Caption : "", Type);
}

HINSTANCE ShellExecuteA(HWND, const char* Operation, const char* File, const char* Parameters, const char* Directory,
                        int ShowCmd)
{
    TShellCall Call;
    Call.Verb = Operation ? Operation : "open";
    Call.File = File ? File : "";
    Call.Parameters = Parameters ? Parameters : "";
    Call.Directory = Directory ? Directory : "";
    Call.ShowCmd = ShowCmd;
    const std::uintptr_t Result = UserInteraction()->ShellExecute(Call) ? 42 : ERROR_FILE_NOT_FOUND;
    return reinterpret_cast<HINSTANCE>(Result);
}
