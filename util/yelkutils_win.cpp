#include "util/yelkutils_win.h"
#include "util/yelkutils_mini.h"
#include "platform/win/ShlObj.h"
#include "platform/win/Windows.h"

namespace yelkutils_win {

using namespace yelkutils_mini;

namespace {

// The variable's value, however long; empty when unset.
std::string EnvironmentValue(const char* Name)
{
    std::string Value;
    DWORD Needed = GetEnvironmentVariableA(Name, nullptr, 0);
    while (Needed > Value.size()) {
        Value.assign(Needed, '\0');
        Needed = GetEnvironmentVariableA(Name, Value.data(), static_cast<DWORD>(Value.size()));
    }
    Value.resize(Needed);
    return Value;
}

struct TFolderToken {
    const char* Token;
    int Csidl;
    int Fallback; // -1: none
};

const TFolderToken FolderTokens[] = {
    {"%SystemDirectory%", CSIDL_SYSTEM, -1},
    {"%MyDocuments%", CSIDL_PERSONAL, -1},
    {"%MyPictures%", CSIDL_MYPICTURES, -1},
    {"%ProgramFiles%", CSIDL_PROGRAM_FILES, -1},
    {"%StartMenu%", CSIDL_STARTMENU, -1},
    {"%Favorites%", CSIDL_FAVORITES, -1},
    {"%MYDOCUMENTS%", CSIDL_PERSONAL, -1},
    {"%MYPICTURES%", CSIDL_MYPICTURES, -1},
    {"%APPDATA%", CSIDL_APPDATA, CSIDL_PERSONAL},
    {"%PROFILE%", CSIDL_PROFILE, CSIDL_PERSONAL},
    {"%COMMONAPPDATA%", CSIDL_COMMON_APPDATA, CSIDL_PERSONAL},
};

} // namespace

std::uint64_t UnixTimeToFileTime(std::int64_t Seconds)
{
    constexpr std::int64_t SecondsBefore1970 = INT64_C(11644473600);
    constexpr std::uint64_t StepsPerSecond = 10000000;
    if (Seconds < -SecondsBefore1970) return 0;
    const auto Since1601 = static_cast<std::uint64_t>(Seconds) + static_cast<std::uint64_t>(SecondsBefore1970);
    if (Since1601 > UINT64_MAX / StepsPerSecond) return UINT64_MAX;
    return Since1601 * StepsPerSecond;
}

bool IsExistingDirectory(const char* Name)
{
    const DWORD Attributes = GetFileAttributesA(Name);
    return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryPath(const std::string& Path)
{
    // Parts are taken as they stand: blanks and quotes belong to folder names here.
    std::string Level = !Path.empty() && Path[0] == '/' ? "/" : "";
    std::size_t P = 0;
    while (P < Path.size()) {
        std::size_t End = Path.find('/', P);
        if (End == std::string::npos) End = Path.size();
        if (End > P) {
            Level += Path.substr(P, End - P) + '/';
            // Another program may create the level at the same moment.
            if (!IsExistingDirectory(Level.c_str()) && !CreateDirectoryA(Level.c_str(), nullptr) &&
                !IsExistingDirectory(Level.c_str()))
                return false;
        }
        P = End + 1;
    }
    return true;
}

std::string GetSpecialFolderPath(int Csidl, const std::string& Suffix)
{
    std::string Path;
    SHGetSpecialFolderPathA(nullptr, Path, Csidl, false);
    return Path + Suffix;
}

bool ExpandPathTokens(std::string& S)
{
    if (S.find('%') == std::string::npos) return false;
    bool Hit = false;
    for (const char* Name : {"SystemRoot", "WinDir"}) {
        const std::string Token = std::string("%") + Name + "%";
        if (S.find(Token) == std::string::npos) continue;
        ReplaceAllInString(S, Token, EnvironmentValue(Name), false);
        Hit = true;
    }
    for (const auto& T : FolderTokens) {
        if (S.find(T.Token) == std::string::npos) continue;
        std::string Folder = GetSpecialFolderPath(T.Csidl, "");
        if (Folder.empty() && T.Fallback >= 0) Folder = GetSpecialFolderPath(T.Fallback, "");
        ReplaceAllInString(S, T.Token, Folder, false);
        Hit = true;
    }
    return Hit;
}

} // namespace yelkutils_win
