// Writing a file whole in pieces, for content too large to hold at once.
#pragma once
#include "platform/rtl/System.h"

#include <string_view>

// WriteFileWhole (FileAccess.h) in pieces: the temporary file is made when
// the writer is, each Write appends to it, and Commit flushes it to disk and
// renames it over the target. Every failure raises as WriteFileWhole's does;
// a writer freed without Commit, or after a failure, takes its temporary file
// with it and leaves the old file whole.
class TWholeFileWriter {
public:
    explicit TWholeFileWriter(const AnsiString& FileName);
    ~TWholeFileWriter();
    TWholeFileWriter(const TWholeFileWriter&) = delete;
    TWholeFileWriter& operator=(const TWholeFileWriter&) = delete;

    void Write(std::string_view Data);
    void Commit();

private:
    [[noreturn]] void Fail(int Error);

    AnsiString FFileName;
    AnsiString FTarget;
    AnsiString FTemporary;
    int FHandle = -1;
};
