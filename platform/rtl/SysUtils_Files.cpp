#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

bool FileExists(const AnsiString& FileName)
{
    struct stat St;
    return !FileName.empty() && ::stat(FileName.c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const AnsiString& Directory)
{
    struct stat St;
    return !Directory.empty() && ::stat(Directory.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

Int64 FileSizeOf(const AnsiString& FileName)
{
    struct stat St;
    if (::stat(FileName.c_str(), &St) != 0) return -1;
    return static_cast<Int64>(St.st_size);
}

bool DeleteFile(const AnsiString& FileName)
{
    return ::unlink(FileName.c_str()) == 0;
}
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName)
{
    return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

bool ForceDirectories(const AnsiString& Dir)
{
    if (Dir.empty()) return false;
    std::error_code Ec;
    fs::create_directories(fs::path(Dir), Ec);
    if (DirectoryExists(ExcludeTrailingPathDelimiter(Dir).empty() ? "/" : ExcludeTrailingPathDelimiter(Dir)))
        return true;
    // The caller may tell the user why.
    errno = Ec ? Ec.value() : ENOTDIR;
    return false;
}

AnsiString GetCurrentDir()
{
    std::error_code Ec;
    return fs::current_path(Ec).string();
}

AnsiString ExtractFilePath(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    return P == AnsiString::npos ? AnsiString() : FileName.substr(0, P + 1);
}

AnsiString ExtractFileDir(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    if (P == AnsiString::npos) return AnsiString();
    return P == 0 ? AnsiString("/") : FileName.substr(0, P);
}

AnsiString ExtractFileName(const AnsiString& FileName)
{
    auto P = FileName.rfind('/');
    return P == AnsiString::npos ? FileName : FileName.substr(P + 1);
}

AnsiString ExtractFileExt(const AnsiString& FileName)
{
    auto P = FileName.find_last_of("./");
    if (P == AnsiString::npos || FileName[P] != '.') return AnsiString();
    return FileName.substr(P);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension)
{
    auto P = FileName.find_last_of("./");
    if (P == AnsiString::npos || FileName[P] != '.') return FileName + Extension;
    return FileName.substr(0, P) + Extension;
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S)
{
    return (!S.empty() && S.back() == '/') ? S : S + '/';
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S)
{
    return (!S.empty() && S.back() == '/') ? S.substr(0, S.size() - 1) : S;
}

AnsiString GetEnvironmentVariable(const AnsiString& Name)
{
    const char* V = std::getenv(Name.c_str());
    return V ? AnsiString(V) : AnsiString();
}
