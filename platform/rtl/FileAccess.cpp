#include "platform/rtl/FileAccess.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Errno for "not a regular file": open() itself never reports it for a file.
constexpr int NotRegular = ENXIO;

int RefuseKind(mode_t Mode)
{
    errno = S_ISDIR(Mode) ? EISDIR : NotRegular;
    return -1;
}

// The file a name stands for: a link is followed so that the link stays.
AnsiString ResolvedTarget(const AnsiString& FileName)
{
    struct stat St;
    if (::lstat(FileName.c_str(), &St) != 0 || !S_ISLNK(St.st_mode)) return FileName;
    char* Real = ::realpath(FileName.c_str(), nullptr);
    if (!Real) return FileName; // a dangling link: writing replaces the link itself
    AnsiString Out = Real;
    std::free(Real);
    return Out;
}

AnsiString TemporaryBeside(const AnsiString& Target)
{
    static std::atomic<unsigned> Counter{0};
    thread_local const unsigned ThreadNumber = Counter.fetch_add(1) + 1;
    thread_local unsigned Serial = 0;
    return Target + ".~" + std::to_string(::getpid()) + '-' + std::to_string(ThreadNumber) + '-' +
           std::to_string(++Serial);
}

bool WriteAll(int Fd, std::string_view Data)
{
    while (!Data.empty()) {
        const ssize_t N = ::write(Fd, Data.data(), Data.size());
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) return false;
        Data.remove_prefix(static_cast<std::size_t>(N));
    }
    return true;
}

} // namespace

int OpenFileForReading(const AnsiString& FileName)
{
    // Asking first keeps a device from being opened at all; asking again
    // through the descriptor closes the gap between the two calls.
    struct stat St;
    if (::stat(FileName.c_str(), &St) != 0) return -1;
    if (!S_ISREG(St.st_mode)) return RefuseKind(St.st_mode);
    const int Fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0) return -1;
    if (::fstat(Fd, &St) != 0 || !S_ISREG(St.st_mode)) {
        const int Error = errno;
        ::close(Fd);
        return S_ISREG(St.st_mode) ? (errno = Error, -1) : RefuseKind(St.st_mode);
    }
    ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
    return Fd;
}

AnsiString ReadFileBytes(const AnsiString& FileName)
{
    const int Fd = OpenFileForReading(FileName);
    if (Fd < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + FileErrorText(errno));
    const TScopeExit Close([Fd] { ::close(Fd); });
    AnsiString Data;
    char Buffer[65536];
    for (;;) {
        const ssize_t N = ::read(Fd, Buffer, sizeof Buffer);
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) throw EReadError("Cannot read file \"" + FileName + "\". " + FileErrorText(errno));
        if (N == 0) return Data;
        Data.append(Buffer, static_cast<std::size_t>(N));
    }
}

AnsiString FileErrorText(int ErrorCode)
{
    if (ErrorCode == NotRegular) return "Not a regular file";
    return std::strerror(ErrorCode);
}

namespace {

[[noreturn]] void RaiseCreateError(const AnsiString& FileName, int Error)
{
    throw EFCreateError("Cannot create file \"" + FileName + "\". " + FileErrorText(Error));
}

} // namespace

void WriteFileWhole(const AnsiString& FileName, std::string_view Data)
{
    const AnsiString Target = ResolvedTarget(FileName);
    const AnsiString Temporary = TemporaryBeside(Target);
    struct stat Old;
    const bool Replacing = ::stat(Target.c_str(), &Old) == 0;
    int Error = 0;
    if (Replacing && S_ISDIR(Old.st_mode)) Error = EISDIR;
    const int Fd = Error ? -1 : ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (!Error && Fd < 0) Error = errno;
    if (Fd >= 0) {
        if (Replacing) {
            // Root editing a user's file leaves it the user's; others cannot and need not.
            if (::geteuid() == 0) (void)!::fchown(Fd, Old.st_uid, Old.st_gid);
            ::fchmod(Fd, Old.st_mode & 07777);
        }
        errno = 0;
        if (!WriteAll(Fd, Data))
            Error = errno ? errno : EIO;
        else if (::fsync(Fd) != 0)
            Error = errno;
        if (::close(Fd) != 0 && !Error) Error = errno;
        if (!Error && ::rename(Temporary.c_str(), Target.c_str()) != 0) Error = errno;
        if (Error) ::unlink(Temporary.c_str());
    }
    if (Error) RaiseCreateError(FileName, Error);
}

TFileLock::TFileLock(const AnsiString& FileName)
{
    const AnsiString LockName = ResolvedTarget(FileName) + ".lock";
    FHandle = ::open(LockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (FHandle < 0) RaiseCreateError(LockName, errno);
    while (::flock(FHandle, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        const int Error = errno;
        ::close(FHandle);
        RaiseCreateError(LockName, Error);
    }
}

TFileLock::~TFileLock()
{
    ::close(FHandle); // releases the lock
}
