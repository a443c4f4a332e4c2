#include "platform/win/Windows.h"
#include "platform/win/UserInteraction.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileSearch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

DWORD GetFileAttributesA(const char* FileName)
{
    return FileName ? static_cast<DWORD>(FileGetAttr(FileName)) : INVALID_FILE_ATTRIBUTES;
}

BOOL CreateDirectoryA(const char* PathName, void*)
{
    return PathName && *PathName && ::mkdir(PathName, 0777) == 0;
}

// A search handle is the class library's search record.
HANDLE FindFirstFileA(const char* FileName, WIN32_FIND_DATAA* FindData)
{
    if (!FileName || !FindData) return INVALID_HANDLE_VALUE;
    auto Search = std::make_unique<TSearchRec>();
    if (FindFirst(FileName, faAnyFile, *Search) != 0) return INVALID_HANDLE_VALUE;
    *FindData = Search->FindData;
    return Search.release();
}

BOOL FindNextFileA(HANDLE FindFile, WIN32_FIND_DATAA* FindData)
{
    if (!FindFile || FindFile == INVALID_HANDLE_VALUE || !FindData) return false;
    auto* Search = static_cast<TSearchRec*>(FindFile);
    if (FindNext(*Search) != 0) return false;
    *FindData = Search->FindData;
    return true;
}

BOOL FindClose(HANDLE FindFile)
{
    if (!FindFile || FindFile == INVALID_HANDLE_VALUE) return false;
    auto* Search = static_cast<TSearchRec*>(FindFile);
    FindClose(*Search);
    delete Search;
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
