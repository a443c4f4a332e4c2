#include "platform/rtl/XdgFolders.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/SysUtils.h"

#include <pwd.h>
#include <cerrno>
#include <unistd.h>

#include <algorithm>

namespace {

AnsiString WithoutTrailingSlash(AnsiString Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

AnsiString AbsoluteXdgFolder(const char* Variable, const char* UnderHome)
{
    const AnsiString Value = GetEnvironmentVariable(Variable);
    if (!Value.empty() && Value[0] == '/') return WithoutTrailingSlash(Value);
    return WithoutTrailingSlash(platform::HomeDirectory() + UnderHome);
}

// The text of a shell-quoted value: backslash escapes undone.
AnsiString Unquote(std::string_view V)
{
    if (V.empty() || V[0] != '"') return AnsiString(V);
    AnsiString Out;
    for (std::size_t I = 1; I < V.size() && V[I] != '"'; ++I) {
        if (V[I] == '\\' && I + 1 < V.size()) ++I;
        Out += V[I];
    }
    return Out;
}

// A folder named in user-dirs.dirs (XDG_<Name>_DIR="$HOME/..." or an
// absolute path); empty when the file or the line is missing or invalid.
AnsiString UserDirsEntry(const AnsiString& Name)
{
    AnsiString Text;
    try {
        Text = ReadFileBytes(platform::UserConfigDirectory() + "/user-dirs.dirs");
    } catch (const Exception&) {
        return "";
    }
    const AnsiString Key = "XDG_" + Name + "_DIR";
    for (std::size_t Start = 0; Start < Text.size();) {
        const std::size_t End = std::min(Text.find('\n', Start), Text.size());
        const AnsiString T = Trim(Text.substr(Start, End - Start));
        Start = End + 1;
        if (T.empty() || T[0] == '#') continue;
        const auto Eq = T.find('=');
        if (Eq == AnsiString::npos || Trim(T.substr(0, Eq)) != Key) continue;
        const AnsiString Value = Unquote(Trim(T.substr(Eq + 1)));
        if (Value == "$HOME") return platform::HomeDirectory();
        if (Value.starts_with("$HOME/")) return WithoutTrailingSlash(platform::HomeDirectory() + Value.substr(5));
        if (!Value.empty() && Value[0] == '/') return WithoutTrailingSlash(Value);
        return "";
    }
    return "";
}

} // namespace

namespace platform {

AnsiString HomeDirectory()
{
    const AnsiString Home = GetEnvironmentVariable("HOME");
    if (!Home.empty()) return WithoutTrailingSlash(Home);
    std::string Buffer(1024, '\0');
    passwd Entry{};
    passwd* Found = nullptr;
    int Error;
    while ((Error = ::getpwuid_r(::getuid(), &Entry, Buffer.data(), Buffer.size(), &Found)) == ERANGE)
        Buffer.resize(Buffer.size() * 2);
    if (Error == 0 && Found && Found->pw_dir) return WithoutTrailingSlash(Found->pw_dir);
    return "/";
}

AnsiString UserConfigDirectory()
{
    return AbsoluteXdgFolder("XDG_CONFIG_HOME", "/.config");
}

AnsiString UserDataDirectory()
{
    return AbsoluteXdgFolder("XDG_DATA_HOME", "/.local/share");
}

AnsiString XdgUserDirectory(const AnsiString& Name, const char* Fallback)
{
    const AnsiString Entry = UserDirsEntry(Name);
    return Entry.empty() ? HomeDirectory() + Fallback : Entry;
}

} // namespace platform
