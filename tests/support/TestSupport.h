// Helpers shared by the tests: temporary folders and files, the environment
// and the format settings.
#pragma once
#include "platform/rtl/SysUtils.h"

#include <optional>
#include <utility>
#include <vector>

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

// Sets environment variables for the life of the object; each goes back to
// what it was (a value, or unset) when the object goes.
class TScopedEnvironment {
public:
    TScopedEnvironment() = default;
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;
    // A null Value unsets the variable.
    void Set(const AnsiString& Name, const char* Value);

private:
    std::vector<std::pair<AnsiString, std::optional<AnsiString>>> FSaved;
};

// A temporary home: HOME, XDG_CONFIG_HOME (home/.config, which holds the
// registry store) and XDG_DATA_HOME (home/.local/share) point into a fresh
// temporary folder until the object goes. The folders are not created.
class TTemporaryHome {
public:
    TTemporaryHome();
    const TTempDir& Dir() const { return FDir; }
    AnsiString Home() const; // without a trailing '/'
    AnsiString ConfigHome() const;
    AnsiString DataHome() const;

private:
    TTempDir FDir;
    TScopedEnvironment FEnvironment;
};

// Puts FormatSettings back as it was when the object goes.
struct TFormatSettingsGuard {
    const TFormatSettings Saved = FormatSettings;
    ~TFormatSettingsGuard() { FormatSettings = Saved; }
};
