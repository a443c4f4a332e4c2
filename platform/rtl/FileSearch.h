// The class library's file search (FindFirst, FindNext, FindClose over a
// TSearchRec) and its file-name masks. The folder is read here; the Win32
// calls (FindFirstFileA, GetFileAttributesA) are faces over this search.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/WinTypes.h"

inline constexpr int faReadOnly = 0x01; // the owner may not write it
inline constexpr int faHidden = 0x02;   // the name begins with '.'
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;
inline constexpr int faNormal = 0x80; // a file with none of the others

// The system's error codes that a search answers.
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_NO_MORE_FILES = 18;

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

// One entry of a search as the system describes it. The name is a string:
// nothing caps its length.
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes = 0; // fa* flags
    FILETIME ftLastWriteTime;   // 100-nanosecond steps since 1601-01-01, UTC
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    AnsiString cFileName;
};

struct TSearchRec {
    int Time = 0; // the last change as a packed DOS date and time, local
    Int64 Size = 0;
    int Attr = 0;
    AnsiString Name;
    int ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE; // the open search
    WIN32_FIND_DATAA FindData;
};

// The attributes of a file or folder (fa* flags; faNormal when none of the
// others applies), or -1 when it cannot be read.
int FileGetAttr(const AnsiString& FileName);

// Path is a folder and a mask ("dir/*.txt"). Entries come in name order
// (case ignored), "." and ".." first, so results never depend on the file
// system's order.
// Plain files always qualify; hidden entries, system files and folders only
// when Attr asks for them (faHidden, faSysFile, faDirectory). As on Windows,
// a search that asks for folders also sees "." and ".." when the mask
// matches them. Returns 0 when an entry was found (call FindClose when done),
// otherwise an error code, and the search is already closed.
int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F);
// 0 for the next entry, ERROR_NO_MORE_FILES at the end.
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// True when FileName fits Mask: '*' stands for any run of characters, '?'
// for one; case is ignored; "*.*" fits every name, with or without a dot.
bool MatchesMask(const AnsiString& FileName, const AnsiString& Mask);
