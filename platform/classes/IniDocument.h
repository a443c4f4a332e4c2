// Private to the platform: the line-by-line model of an INI-style file that
// TIniFile and the registry store share.
#pragma once
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/SysUtils.h"

#include <string_view>
#include <utility>
#include <vector>

namespace platform::detail {

// A file of "[section]" headers and "key=value" lines, kept line by line so
// that comments, blank lines and the order of everything survive a rewrite.
// Section and key names are trimmed and compare ignoring case; values are
// trimmed. Where a name occurs twice, its first occurrence counts.
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
    };
    TSection* FindSection(std::string_view Section);
    const TSection* FindSection(std::string_view Section) const;

    std::vector<TLine> FPreamble; // lines before the first header
    std::vector<TSection> FSections;
};

} // namespace platform::detail
