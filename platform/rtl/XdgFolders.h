// The user's folders on the desktop (the XDG base directories and the
// folders named in user-dirs.dirs): the registry's store and the shell's
// special folders stand on them.
#pragma once
#include "platform/rtl/System.h"

namespace platform {
// $HOME, else the password database's home folder; no trailing '/'.
AnsiString HomeDirectory();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
AnsiString UserConfigDirectory();
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
AnsiString UserDataDirectory();
// The folder that user-dirs.dirs in the configuration folder names for
// XDG_<Name>_DIR ("$HOME/..." or an absolute path), else the home folder
// followed by Fallback ("/Documents").
AnsiString XdgUserDirectory(const AnsiString& Name, const char* Fallback);
} // namespace platform
