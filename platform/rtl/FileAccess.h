// Opening a file to read and writing a file whole, the one way each is done
// in the program, so that no reader hangs on a pipe and no writer leaves a
// half-written file or the wrong mode behind.
#pragma once
#include "platform/rtl/System.h"

#include <string_view>

// Opens FileName for reading without ever waiting in open(): only regular
// files are taken; a folder, pipe, socket or device is refused. Returns a
// close-on-exec descriptor whose reads block as usual, or -1 with errno set
// (EISDIR for a folder, ENXIO for anything else that is not a regular file).
int OpenFileForReading(const AnsiString& FileName);

// Reads a whole file as raw bytes through OpenFileForReading; EFOpenError
// "Cannot open file "<name>". <reason>" when it cannot be opened, EReadError
// when reading fails part-way.
AnsiString ReadFileBytes(const AnsiString& FileName);

// The reason to show for an errno left by the functions of this unit.
AnsiString FileErrorText(int ErrorCode);

// Writes Data as the whole new content of FileName: into a temporary file
// beside the target (its name unique per process and thread), flushed to disk
// and closed, then renamed over the target. A new file gets 0666 less the
// umask, a replaced one keeps its mode, a symbolic link is followed so that it
// stays. On failure the temporary file goes, the old file stays whole and
// EFCreateError "Cannot create file "<name>". <reason>" is raised.
void WriteFileWhole(const AnsiString& FileName, std::string_view Data);

// Holds the advisory lock of FileName for its life: flock on "<file>.lock"
// beside it (a link's target's), made when missing and left in place. Every
// read-modify-write of a shared store holds it from reading to writing, so
// that threads and processes never write over each other's changes. Raises
// EFCreateError "Cannot create file "<lock file>". <reason>" when the lock
// file cannot be made.
class TFileLock {
public:
    explicit TFileLock(const AnsiString& FileName);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    int FHandle = -1;
};
