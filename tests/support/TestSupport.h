// Helpers shared by the tests: temporary folders and files.
#pragma once
#include "platform/rtl/SysUtils.h"

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes. Path() ends with '/'.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const AnsiString& Path() const { return FPath; }
    // Writes Bytes to Path() + Name (creating sub-folders) and returns the full name.
    AnsiString WriteFile(const AnsiString& Name, const AnsiString& Bytes) const;

private:
    AnsiString FPath;
};

AnsiString ReadWholeFile(const AnsiString& FileName);
