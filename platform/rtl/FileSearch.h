// The class library's file search (FindFirst, FindNext, FindClose over a
// TSearchRec) and its file-name masks.
#pragma once
#include "platform/win/Windows.h"

inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02; // the name begins with '.'
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    int Time = 0; // the last change as a packed DOS date and time, local
    Int64 Size = 0;
    int Attr = 0;
    AnsiString Name;
    int ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA FindData;
};

// Path is a folder and a mask ("dir/*.txt"). Entries come in name order.
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
