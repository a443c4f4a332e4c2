#include "platform/win/ShlObj.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XdgFolders.h"

bool SHGetSpecialFolderPathA(HWND, AnsiString& Path, int Csidl, BOOL Create)
{
    switch (Csidl & ~CSIDL_FLAG_CREATE) {
    case CSIDL_PERSONAL:
        Path = platform::XdgUserDirectory("DOCUMENTS", "/Documents");
        break;
    case CSIDL_MYPICTURES:
        Path = platform::XdgUserDirectory("PICTURES", "/Pictures");
        break;
    case CSIDL_APPDATA:
    case CSIDL_COMMON_APPDATA:
        Path = platform::UserDataDirectory();
        break;
    case CSIDL_PROFILE:
        Path = platform::HomeDirectory();
        break;
    default:
        Path.clear();
        return false;
    }
    if ((Create || (Csidl & CSIDL_FLAG_CREATE)) && !ForceDirectories(Path)) return false;
    return true;
}
