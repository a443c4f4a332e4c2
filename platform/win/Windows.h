// The Win32 file, module, environment and shell calls the system makes,
// over POSIX. Paths use '/'; a name that begins with '.' is hidden.
#pragma once
#include "platform/rtl/FileSearch.h" // the search and its types
#include "platform/rtl/System.h"
#include "platform/win/WinConstants.h" // MB_*, ID* and SW_* values
#include "platform/rtl/WinTypes.h"

using HMODULE = HINSTANCE;

inline constexpr DWORD MAX_PATH = 260;

// ---- File attributes --------------------------------------------------------

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01; // the owner may not write it
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;   // the name begins with '.'
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80; // none of the others

// The attributes of a file or folder, or INVALID_FILE_ATTRIBUTES when it
// cannot be read.
DWORD GetFileAttributesA(const char* FileName);

// Creates one folder; its parent must exist. False when it cannot be made
// (also when something of that name exists).
BOOL CreateDirectoryA(const char* PathName, void* SecurityAttributes);

// ---- Finding files ------------------------------------------------------------

// FileName is a folder and a mask ("dir/*.txt"; '*' and '?', case ignored,
// "*.*" is every name). The folder's entries come in name order, "." and ".."
// first, so results never depend on the file system's order.
// INVALID_HANDLE_VALUE when the folder cannot be read or nothing matches.
HANDLE FindFirstFileA(const char* FileName, WIN32_FIND_DATAA* FindData);
BOOL FindNextFileA(HANDLE FindFile, WIN32_FIND_DATAA* FindData);
BOOL FindClose(HANDLE FindFile);

namespace platform {
// What a file or folder is, whatever name leads to it (links followed): its
// device and inode. Two names of one folder have the same identity, so a
// walk through a folder tree can tell when a link leads back.
struct TFileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    auto operator<=>(const TFileIdentity&) const = default;
};
// False when the name leads nowhere that can be read.
bool GetFileIdentity(const AnsiString& FileName, TFileIdentity& Identity);
} // namespace platform

// ---- Module and environment ----------------------------------------------------

// The running executable's full name (Module must be null), copied into
// Buffer with its terminating NUL. Returns the length copied; when Buffer is
// too small the name is cut, NUL-terminated, and Size is returned.
DWORD GetModuleFileNameA(HMODULE Module, char* Buffer, DWORD Size);

// Copies the variable's value and its NUL into Buffer and returns the
// value's length; when Buffer is too small (Size 0 included) nothing is
// copied and the size needed, NUL included, is returned. 0 when unset.
DWORD GetEnvironmentVariableA(const char* Name, char* Buffer, DWORD Size);

// ---- User interface and shell ----------------------------------------------------

// Through UserInteraction(): the answer is an ID* value.
int MessageBoxA(HWND Owner, const char* Text, const char* Caption, UINT Type);

// Through UserInteraction(). Returns a value above 32 when the document was
// handed on or the program started, 32 or less (an error code) otherwise.
HINSTANCE ShellExecuteA(HWND Owner, const char* Operation, const char* File, const char* Parameters,
                        const char* Directory, int ShowCmd);
