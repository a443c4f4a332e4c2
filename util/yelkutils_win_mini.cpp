#include "util/yelkutils_win_mini.h"
#include "platform/win/Windows.h"

namespace yelkutils_win_mini {

std::string GetApplicationDirectory(const char* Sub)
{
    // A path may be longer than any buffer guessed for it.
    std::string Exe(MAX_PATH, '\0');
    DWORD Length;
    while ((Length = GetModuleFileNameA(nullptr, Exe.data(), static_cast<DWORD>(Exe.size()))) == Exe.size())
        Exe.resize(Exe.size() * 2);
    Exe.resize(Length);
    std::string Dir = ParentDirectory(Exe);
    if (Sub && *Sub) {
        AddTrailingBackslash(Dir);
        Dir += Sub;
    }
    AddTrailingBackslash(Dir);
    return Dir;
}

void RemoveTrailingSlash(std::string& S)
{
    if (S.size() >= 2 && S.back() == '/') S.pop_back();
}

void AddTrailingBackslash(std::string& S)
{
    if (!S.empty() && S.back() != '/') S += '/';
}

std::string ParentDirectory(const std::string& Path)
{
    if (Path.size() < 2) return Path;
    const auto P = Path.rfind('/', Path.size() - 2);
    if (P == std::string::npos) return Path;
    return P == 0 ? std::string("/") : Path.substr(0, P);
}

} // namespace yelkutils_win_mini
