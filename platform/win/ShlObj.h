// The shell's special folders, mapped to the XDG folders of the desktop.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/WinTypes.h"

inline constexpr int CSIDL_PERSONAL = 0x05; // documents
inline constexpr int CSIDL_FAVORITES = 0x06;
inline constexpr int CSIDL_STARTMENU = 0x0B;
inline constexpr int CSIDL_APPDATA = 0x1A;        // the per-user data folder
inline constexpr int CSIDL_COMMON_APPDATA = 0x23; // also the per-user data folder
inline constexpr int CSIDL_WINDOWS = 0x24;
inline constexpr int CSIDL_SYSTEM = 0x25;
inline constexpr int CSIDL_PROGRAM_FILES = 0x26;
inline constexpr int CSIDL_MYPICTURES = 0x27;
inline constexpr int CSIDL_PROFILE = 0x28; // home
inline constexpr int CSIDL_FLAG_CREATE = 0x8000;

// The special folder's path, without a trailing '/' (the root excepted), as
// the shell gives it. Documents and pictures come from user-dirs.dirs in the
// configuration folder, else $HOME/Documents and $HOME/Pictures; application
// data, common or not, is $XDG_DATA_HOME (default ~/.local/share); the
// profile is $HOME. Folders that mean nothing here (the Windows and system
// folders, program files, the start menu, favourites) give false and an empty
// path. With Create, a missing folder is made.
bool SHGetSpecialFolderPathA(HWND Owner, AnsiString& Path, int Csidl, BOOL Create);
