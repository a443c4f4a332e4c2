// INI files: the abstract TCustomIniFile that the registry's INI face shares,
// and TIniFile, the system's own small reader and writer of INI files.
#pragma once
#include "platform/classes/StringList.h"

#include <memory>

namespace platform::detail {
class TIniCache;
} // namespace platform::detail

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(AnsiString FileName) : FFileName(std::move(FileName)) {}

    const AnsiString& GetFileName() const { return FFileName; }

    virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                                  const AnsiString& Default) const = 0;
    virtual void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) = 0;
    // Decimal or "0x"/"$" hexadecimal; Default when missing or not a number.
    virtual int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const;
    virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);
    // Any number but 0 is true; written as "1" or "0".
    virtual bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const;
    virtual void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);

    // The section's key names; the section names; the section's "key=value" lines.
    virtual void ReadSection(const AnsiString& Section, TStrings* Strings) const = 0;
    virtual void ReadSections(TStrings* Strings) const = 0;
    virtual void ReadSectionValues(const AnsiString& Section, TStrings* Strings) const = 0;
    virtual void EraseSection(const AnsiString& Section) = 0;
    virtual void DeleteKey(const AnsiString& Section, const AnsiString& Ident) = 0;
    // Makes sure every change has reached the store.
    virtual void UpdateFile() = 0;

    // A section exists while it holds at least one key.
    bool SectionExists(const AnsiString& Section) const;
    virtual bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const;

private:
    AnsiString FFileName;
};

// The file is read once and kept; it is read again when it changed on disk.
// Changes go to the kept copy and reach the file at UpdateFile or when the
// object is freed: under the file's lock (TFileLock) the file is read again,
// this object's changes are applied to it in the order they were made and the
// result is written whole, so changes of several objects, threads and
// processes all survive. Until then no other object sees them. Names compare
// ignoring case; values are trimmed, and a value enclosed in a pair of quotes
// (" or ') is read without them. Comments (";") and the order of the file
// survive changes. A name or value that cannot be stored in a line (a line
// break; a key holding '=' or beginning with '[' or ';') raises
// EIniFileException "Unable to write to <file>" at once; a file that cannot
// be written raises it at UpdateFile, followed by the reason, and the
// changes that could not be written are dropped. Freeing never raises: a
// failure there goes to ApplicationHandleException.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const AnsiString& FileName);
    ~TIniFile() override;

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const override;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
    void ReadSection(const AnsiString& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSectionValues(const AnsiString& Section, TStrings* Strings) const override;
    void EraseSection(const AnsiString& Section) override;
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
    void UpdateFile() override;

private:
    [[noreturn]] void WriteError() const;
    std::unique_ptr<platform::detail::TIniCache> FCache;
};

// Flushes a store while it is freed: a failure goes to
// ApplicationHandleException, never further.
void FlushOnFree(TCustomIniFile* Store);
