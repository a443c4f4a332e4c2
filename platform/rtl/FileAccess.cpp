#include "platform/rtl/FileAccess.h"
#include "platform/rtl/WholeFileWriter.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
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
    // Read straight into room for the whole file, so that a large file is
    // never held twice while the string grows; a file that grew meanwhile
    // still comes whole.
    struct stat St;
    const std::size_t Room = ::fstat(Fd, &St) == 0 && St.st_size > 0 ? std::size_t(St.st_size) + 1 : 65536;
    AnsiString Data;
    std::size_t Size = 0;
    for (;;) {
        if (Data.size() < Size + 1) Data.resize(std::max(Room, 2 * Data.size()));
        const ssize_t N = ::read(Fd, Data.data() + Size, Data.size() - Size);
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) throw EReadError("Cannot read file \"" + FileName + "\". " + FileErrorText(errno));
        if (N == 0) break;
        Size += static_cast<std::size_t>(N);
    }
    Data.resize(Size);
    return Data;
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
    TWholeFileWriter Writer(FileName);
    Writer.Write(Data);
    Writer.Commit();
}

TWholeFileWriter::TWholeFileWriter(const AnsiString& FileName)
    : FFileName(FileName), FTarget(ResolvedTarget(FileName)), FTemporary(TemporaryBeside(FTarget))
{
    struct stat Old;
    const bool Replacing = ::stat(FTarget.c_str(), &Old) == 0;
    if (Replacing && S_ISDIR(Old.st_mode)) RaiseCreateError(FileName, EISDIR);
    FHandle = ::open(FTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FHandle < 0) RaiseCreateError(FileName, errno);
    if (Replacing) {
        // Root editing a user's file leaves it the user's; others cannot and need not.
        if (::geteuid() == 0) (void)!::fchown(FHandle, Old.st_uid, Old.st_gid);
        ::fchmod(FHandle, Old.st_mode & 07777);
    }
}

TWholeFileWriter::~TWholeFileWriter()
{
    if (FHandle < 0) return;
    ::close(FHandle);
    ::unlink(FTemporary.c_str());
}

void TWholeFileWriter::Fail(int Error)
{
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
    ::unlink(FTemporary.c_str());
    RaiseCreateError(FFileName, Error ? Error : EIO);
}

void TWholeFileWriter::Write(std::string_view Data)
{
    if (FHandle < 0) Fail(EBADF);
    errno = 0;
    if (!WriteAll(FHandle, Data)) Fail(errno);
}

void TWholeFileWriter::Commit()
{
    if (FHandle < 0) Fail(EBADF);
    if (::fsync(FHandle) != 0) Fail(errno);
    const int Closed = ::close(FHandle);
    FHandle = -1;
    if (Closed != 0 || ::rename(FTemporary.c_str(), FTarget.c_str()) != 0) Fail(errno);
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
