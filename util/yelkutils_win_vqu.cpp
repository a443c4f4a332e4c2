#include "util/yelkutils_win_vqu.h"
#include "util/yelkutils_mini.h"
#include "util/yelkutils_win.h"
#include "util/yelkutils_win_mini.h"
#include "util/yelkutils_winvsbcb.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Windows.h"

#include <cstdint>
#include <cstdio>

namespace yelkutils_win_vqu {

using namespace yelkutils_mini;
using namespace yelkutils_win;
using namespace yelkutils_win_mini;
using namespace yelkutils_winvsbcb;

const char* const UpdaterWebPage = "https://www.brackenhollow.com/vqupdater/";

namespace {

const char* const UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VqUpdater_is1";
const char* const StandardTitle = "WARNING: Brackenhollow Updater Utility Not Found";

// Folder and name with exactly one separator between them.
std::string JoinPath(std::string Folder, const std::string& Name)
{
    AddTrailingBackslash(Folder);
    return Folder + Name;
}

// One argument in double quotes by the Windows command-line rules, so that
// a quote or trailing backslashes in it come back unchanged.
std::string QuotedArgument(const std::string& Arg)
{
    std::string Out = "\"";
    std::size_t Backslashes = 0;
    for (const char C : Arg) {
        if (C == '\\') {
            ++Backslashes;
            continue;
        }
        Out.append(C == '"' ? Backslashes * 2 + 1 : Backslashes, '\\');
        Out += C;
        Backslashes = 0;
    }
    Out.append(Backslashes * 2, '\\');
    return Out + '"';
}

// Only a web address goes to the browser; a file could name anything else.
bool IsWebAddress(const std::string& Page)
{
    const auto StartsWith = [&](const char* Prefix) {
        const std::string P = Prefix;
        if (Page.size() <= P.size()) return false;
        for (std::size_t I = 0; I < P.size(); ++I) {
            const char C = Page[I] >= 'A' && Page[I] <= 'Z' ? static_cast<char>(Page[I] + 32) : Page[I];
            if (C != P[I]) return false;
        }
        return true;
    };
    if (!StartsWith("http://") && !StartsWith("https://")) return false;
    for (const char C : Page)
        if (static_cast<unsigned char>(C) <= ' ' || C == 0x7F) return false;
    return true;
}

bool Started(HINSTANCE Result)
{
    return reinterpret_cast<std::uintptr_t>(Result) > 32;
}

void OpenPage(HWND Handle, const std::string& Page)
{
    ShellExecuteA(Handle, "open", Page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

void WriteUpdaterRedirectFile(const std::string& Name, const std::string& Folder)
{
    std::string Dir = "%COMMONAPPDATA%/Brackenhollow/VqUpdater/";
    ExpandPathTokens(Dir);
    RemoveTrailingSlash(Dir);
    Dir += "RedirectFiles/"; // run together with "VqUpdater": the folder the updater reads
    CreateDirectoryPath(Dir);
    const std::string File = Dir + Name + ".vqupdateredirect";
    try {
        WriteFileWhole(File, Folder);
    } catch (const Exception&) {
        std::printf("ERROR: Could not create file '%s' for redirect to '%s'.\n", File.c_str(), Folder.c_str());
    }
}

std::string FindUpdaterExecutable(const std::string& ScanDir, const std::string& Hint)
{
    std::string Exe = LocateUpdaterExecutable(ScanDir, Hint, "VqUppdater");
    if (Exe.empty()) Exe = LocateUpdaterExecutable(ScanDir, Hint, "vqupdater");
    return Exe;
}

std::string LocateUpdaterExecutable(const std::string& ScanDir, const std::string& Hint, const std::string& Exe)
{
    if (!Hint.empty()) {
        if (FileExistsByOpen(Hint.c_str())) return Hint;
        const std::string InHint = JoinPath(Hint, Exe);
        if (FileExistsByOpen(InHint.c_str())) return InHint;
    }
    const std::string Installed = ReadRegistryStringHklm(UninstallKey, "InstallLocation");
    if (!Installed.empty()) {
        const std::string InInstall = JoinPath(Installed, Exe);
        if (FileExistsByOpen(InInstall.c_str())) return InInstall;
    }
    if (!ScanDir.empty()) {
        const std::string InScanDir = JoinPath(ScanDir, Exe);
        if (FileExistsByOpen(InScanDir.c_str())) return InScanDir;
    }
    return "";
}

std::string ReadUpdateWebPage(const std::string& Dir)
{
    const std::string File = FindUpdateInfoFile(Dir);
    if (File.empty()) return "";
    const std::string Page = ReadWebPageTag(File);
    return IsWebAddress(Page) ? Page : "";
}

std::string FindUpdateInfoFile(const std::string& Dir)
{
    WIN32_FIND_DATAA Data;
    const HANDLE Find = FindFirstFileA(JoinPath(Dir, "*.vqupdate").c_str(), &Data);
    if (Find == INVALID_HANDLE_VALUE) return "";
    std::string Found;
    do {
        if (!(Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) Found = JoinPath(Dir, Data.cFileName);
    } while (Found.empty() && FindNextFileA(Find, &Data));
    FindClose(Find);
    return Found;
}

std::string ReadWebPageTag(const std::string& File)
{
    static const std::string Open = "<WebPage>", Close = "</WebPage>";
    std::string Text;
    try {
        Text = ReadFileBytes(File);
    } catch (const Exception&) {
        return "";
    }
    // The first tag closed on its own line, however long the line.
    for (auto At = Text.find(Open); At != std::string::npos; At = Text.find(Open, At + 1)) {
        const auto From = At + Open.size();
        const auto To = Text.find(Close, From);
        if (To == std::string::npos) break;
        if (Text.find('\n', From) > To) return Text.substr(From, To - From);
    }
    return "";
}

bool LaunchUpdateCheck(const std::string& Name, HWND Handle, std::string ScanDir, const std::string& Hint,
                       const std::string& ExtraArgs, std::string Title, bool ForceNotFound)
{
    std::string Exe = FindUpdaterExecutable(ScanDir, Hint);

    RemoveTrailingSlash(ScanDir);
    if (ScanDir.empty() || ScanDir == ".")
        ScanDir = GetApplicationDirectory();
    else if (ScanDir == "..")
        ScanDir = ParentDirectory(GetApplicationDirectory());

    std::string Params = ExtraArgs;
    if (!ExtraArgs.empty()) Params += ' ';
    Params += "-check -closexits " + QuotedArgument("-scandir=" + ScanDir);

    if (Title == "a") Title = StandardTitle;
    if (ForceNotFound) Exe.clear();

    if (!Exe.empty())
        return Started(ShellExecuteA(Handle, "open", Exe.c_str(), Params.c_str(), ScanDir.c_str(), SW_SHOWNORMAL));
    if (Title.size() <= 1) return false;

    const std::string Page = ReadUpdateWebPage(ScanDir);
    std::string Message = "ATTENTION:\r\n\r\n";
    Message += Name.empty() ? "In order to check for updates, you need to install the free\r\n"
                            : "In order to check for updates for " + Name + ", you need to install the free\r\n";
    Message += " Brackenhollow update utility (VqUpdater), which is not installed on your computer.\r\n\r\n";
    if (Page.empty()) {
        Message += "The updater utility web page will now be opened so you can learn more about it and download it "
                   "if you want.";
        if (MessageBoxA(Handle, Message.c_str(), Title.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
            OpenPage(Handle, UpdaterWebPage);
    } else {
        Message += "The following pages will now be opened in your browser:\r\n";
        Message += Name.empty() ? "1. The program web page (" + Page + ") so you can manually check for updates.\r\n"
                                : "1. The " + Name + " web page so you can manually check for updates.\r\n";
        Message += "2. The VqUpdater web page so you can learn more about it and download it if you want.\r\n";
        if (MessageBoxA(Handle, Message.c_str(), Title.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
            OpenPage(Handle, Page);
            OpenPage(Handle, UpdaterWebPage);
        }
    }
    return false;
}

void CheckForUpdates(HWND MainWindow)
{
    const std::string Folder = GetApplicationDirectory();
    WriteUpdaterRedirectFile("Quillmote", Folder);
    LaunchUpdateCheck("Quillmote", MainWindow, Folder, "", "-show", "a", false);
}

} // namespace yelkutils_win_vqu
