// util/yelkutils_win_vqu.h: the launcher of the updater utility (VqUpdater),
// a separate program that does the checking.
#pragma once
#include "platform/rtl/WinTypes.h"

#include <string>

namespace yelkutils_win_vqu {

// The updater's own web page, offered when it is not installed.
extern const char* const UpdaterWebPage;

// Leaves "<Name>.vqupdateredirect", holding Folder, in the redirect folder
// under the common application-data folder, where the updater looks for it.
// A file that cannot be written is reported on standard output only.
void WriteUpdaterRedirectFile(const std::string& Name, const std::string& Folder);

// Starts the updater with "-check -closexits" (after ExtraArgs) and the
// program's folder; true only when it really started. When it cannot be
// found and Title is longer than one character ("a" is the standard title),
// a message box offers to open web pages instead.
bool LaunchUpdateCheck(const std::string& Name, HWND Handle, std::string ScanDir, const std::string& Hint,
                       const std::string& ExtraArgs, std::string Title, bool ForceNotFound);

// The updater's executable ("VqUppdater", then "vqupdater"), or empty.
std::string FindUpdaterExecutable(const std::string& ScanDir, const std::string& Hint);
// The first of: Hint itself, Hint/Exe, the install location of the
// updater's uninstall entry joined to Exe, ScanDir/Exe; or empty.
std::string LocateUpdaterExecutable(const std::string& ScanDir, const std::string& Hint, const std::string& Exe);

// The program's web page from the first "*.vqupdate" file of Dir, when it is
// an http or https address; empty otherwise.
std::string ReadUpdateWebPage(const std::string& Dir);
std::string FindUpdateInfoFile(const std::string& Dir);
// The text between "<WebPage>" and "</WebPage>" on the first line that has both.
std::string ReadWebPageTag(const std::string& File);

// Help > Check for Updates: the redirect file and the update check for this
// program, from its own folder.
void CheckForUpdates(HWND MainWindow);

} // namespace yelkutils_win_vqu
