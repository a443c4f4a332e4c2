// Private to the platform: the line-by-line model of an INI-style file that
// TIniFile and the registry store share.
#pragma once
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/SysUtils.h"

#include <functional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform::detail {

// A file of "[section]" headers and "key=value" lines, kept line by line so
// that comments, blank lines and the order of everything survive a rewrite.
// Section and key names are trimmed and compare ignoring case; values are
// trimmed. Where a name occurs twice, its first occurrence counts. Sections
// and keys are found through hashes of their folded names, built when first
// asked for, so a document of thousands of keys answers in constant time.
class TIniDocument {
public:
    using TEntries = std::vector<std::pair<AnsiString, AnsiString>>;

    // Reads the file, whose lines may end with CR LF, LF or CR. A missing or
    // unreadable file gives an empty document.
    void Load(const AnsiString& FileName);
    // Writes every line ended with LF into a new file that then replaces
    // FileName, so a failure never leaves half a file; EFCreateError names
    // the file and the reason.
    void Save(const AnsiString& FileName) const;

    // One read-modify-write of FileName, holding its lock from reading to
    // writing: Change edits the document and says whether it changed it; a
    // changed one is saved. Returns what Change said. Raises EFCreateError
    // with the reason when the file cannot be locked or written.
    template <typename TChange> static bool Edit(const AnsiString& FileName, TChange&& Change)
    {
        const TFileLock Lock(FileName);
        TIniDocument D;
        D.Load(FileName);
        if (!Change(D)) return false;
        D.Save(FileName);
        return true;
    }

    std::vector<AnsiString> SectionNames() const;
    bool HasSection(std::string_view Section) const;
    // False when the name cannot be stored (it holds a line break).
    bool AddSection(std::string_view Section);
    bool EraseSection(std::string_view Section);

    // The section's keys and values in file order.
    TEntries Entries(std::string_view Section) const;
    bool Find(std::string_view Section, std::string_view Key, AnsiString& Value) const;
    // Replaces the value or appends the key after the section's last entry
    // (the section after the others). False when a name or the value cannot
    // be stored: a line break anywhere, or a key that holds '=' or begins
    // with '[' or ';'.
    bool Set(std::string_view Section, std::string_view Key, std::string_view Value);
    bool Remove(std::string_view Section, std::string_view Key);

    static bool IsStorableKey(std::string_view Key);
    static bool IsStorableText(std::string_view Text);

private:
    struct TLine {
        AnsiString Text;
        bool IsEntry = false;
        AnsiString Key, Value;
    };
    struct TSection {
        AnsiString Name;
        std::vector<TLine> Lines;
        // Folded key -> line of its first occurrence; EntryEnd is the line
        // after the last entry. Valid while Indexed.
        std::unordered_map<AnsiString, std::size_t> Keys;
        std::size_t EntryEnd = 0;
        bool Indexed = false;
    };
    TSection* FindSection(std::string_view Section);
    const TSection* FindSection(std::string_view Section) const;
    static void IndexKeys(TSection& S);
    void IndexSections() const;

    std::vector<TLine> FPreamble; // lines before the first header
    std::vector<TSection> FSections;
    mutable std::unordered_map<AnsiString, std::size_t> FSectionIndex;
    mutable bool FSectionsIndexed = false;
};

// One object's view of an INI-style file: the document read once and kept
// between calls, with this object's changes on top that have not reached the
// file yet. The file is read again when it changed on disk (another object
// or program flushed), and the pending changes are applied to what it holds.
class TIniCache {
public:
    // A change of the document; false when it cannot be stored.
    using TChange = std::function<bool(TIniDocument&)>;

    explicit TIniCache(AnsiString FileName) : FFileName(std::move(FileName)) {}

    const AnsiString& GetFileName() const { return FFileName; }
    const TIniDocument& Document();
    // Applies Change and keeps it for the flush; false, and nothing kept,
    // when Change says it cannot be stored.
    bool Change(TChange Change);
    bool HasPending() const { return !FPending.empty(); }
    // Under the file's lock: reads the file, applies the pending changes in
    // the order they were made, writes the result whole. Raises
    // EFCreateError with the reason when the file cannot be locked or
    // written; the changes then stay pending.
    void Flush();

private:
    struct TStamp {
        bool Exists = false;
        std::uint64_t Device = 0, Inode = 0, Size = 0;
        std::int64_t Seconds = 0, Nanoseconds = 0;
        bool operator==(const TStamp&) const = default;
    };
    static TStamp StampOf(const AnsiString& FileName);
    void Reload();

    AnsiString FFileName;
    TIniDocument FDocument;
    TStamp FStamp;
    bool FLoaded = false;
    std::vector<TChange> FPending;
};

} // namespace platform::detail
