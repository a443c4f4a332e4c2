#include "platform/classes/IniDocument.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace platform::detail {

namespace {

AnsiString NameKey(std::string_view Name)
{
    return FoldedKey(Trim(Name));
}

bool ParseHeader(const AnsiString& Trimmed, AnsiString& Name)
{
    if (Trimmed.empty() || Trimmed[0] != '[') return false;
    const auto Close = Trimmed.rfind(']');
    Name = Trim(Close == 0 || Close == AnsiString::npos ? Trimmed.substr(1) : Trimmed.substr(1, Close - 1));
    return true;
}

} // namespace

void TIniDocument::Load(const AnsiString& FileName)
{
    FPreamble.clear();
    FSections.clear();
    FSectionsIndexed = false;
    AnsiString Data;
    try {
        Data = ReadFileBytes(FileName);
    } catch (const Exception&) {
        return;
    }
    if (Data.starts_with("\xEF\xBB\xBF")) Data.erase(0, 3);
    std::size_t P = 0;
    while (P < Data.size()) {
        std::size_t E = P;
        while (E < Data.size() && Data[E] != '\n' && Data[E] != '\r')
            ++E;
        TLine Line{Data.substr(P, E - P), false, {}, {}};
        if (E < Data.size()) E += (Data[E] == '\r' && E + 1 < Data.size() && Data[E + 1] == '\n') ? 2 : 1;
        P = E;

        const AnsiString T = Trim(Line.Text);
        AnsiString Name;
        if (ParseHeader(T, Name)) {
            FSections.push_back({Name, {}, {}, 0, false});
            continue;
        }
        const auto Eq = T.find('=');
        if (!T.empty() && T[0] != ';' && Eq != AnsiString::npos) {
            Line.IsEntry = true;
            Line.Key = Trim(T.substr(0, Eq));
            Line.Value = Trim(T.substr(Eq + 1));
        }
        (FSections.empty() ? FPreamble : FSections.back().Lines).push_back(std::move(Line));
    }
}

void TIniDocument::Save(const AnsiString& FileName) const
{
    AnsiString Data;
    auto AddLines = [&Data](const std::vector<TLine>& Lines) {
        for (const auto& L : Lines)
            Data += L.Text + '\n';
    };
    AddLines(FPreamble);
    for (const auto& S : FSections) {
        Data += '[' + S.Name + "]\n";
        AddLines(S.Lines);
    }

    WriteFileWhole(FileName, Data);
}

void TIniDocument::IndexSections() const
{
    if (FSectionsIndexed) return;
    FSectionIndex.clear();
    for (std::size_t I = 0; I < FSections.size(); ++I)
        FSectionIndex.emplace(NameKey(FSections[I].Name), I);
    FSectionsIndexed = true;
}

void TIniDocument::IndexKeys(TSection& S)
{
    if (S.Indexed) return;
    S.Keys.clear();
    S.EntryEnd = 0;
    for (std::size_t I = 0; I < S.Lines.size(); ++I)
        if (S.Lines[I].IsEntry) {
            S.Keys.emplace(NameKey(S.Lines[I].Key), I);
            S.EntryEnd = I + 1;
        }
    S.Indexed = true;
}

TIniDocument::TSection* TIniDocument::FindSection(std::string_view Section)
{
    IndexSections();
    const auto It = FSectionIndex.find(NameKey(Section));
    return It == FSectionIndex.end() ? nullptr : &FSections[It->second];
}

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view Section) const
{
    return const_cast<TIniDocument*>(this)->FindSection(Section);
}

std::vector<AnsiString> TIniDocument::SectionNames() const
{
    std::vector<AnsiString> Names;
    for (const auto& S : FSections)
        if (FindSection(S.Name) == &S) Names.push_back(S.Name);
    return Names;
}

bool TIniDocument::HasSection(std::string_view Section) const
{
    return FindSection(Section) != nullptr;
}

bool TIniDocument::AddSection(std::string_view Section)
{
    if (!IsStorableText(Section)) return false;
    if (FindSection(Section)) return true;
    FSections.push_back({Trim(Section), {}, {}, 0, false});
    FSectionIndex.emplace(NameKey(Section), FSections.size() - 1);
    return true;
}

bool TIniDocument::EraseSection(std::string_view Section)
{
    const auto Before = FSections.size();
    const AnsiString Key = NameKey(Section);
    std::erase_if(FSections, [&](const TSection& S) { return NameKey(S.Name) == Key; });
    FSectionsIndexed = false;
    return FSections.size() != Before;
}

TIniDocument::TEntries TIniDocument::Entries(std::string_view Section) const
{
    TEntries Out;
    auto* S = const_cast<TSection*>(FindSection(Section));
    if (!S) return Out;
    IndexKeys(*S);
    for (std::size_t I = 0; I < S->Lines.size(); ++I) {
        const TLine& L = S->Lines[I];
        if (L.IsEntry && S->Keys.at(NameKey(L.Key)) == I) Out.emplace_back(L.Key, L.Value);
    }
    return Out;
}

bool TIniDocument::Find(std::string_view Section, std::string_view Key, AnsiString& Value) const
{
    auto* S = const_cast<TSection*>(FindSection(Section));
    if (!S) return false;
    IndexKeys(*S);
    const auto It = S->Keys.find(NameKey(Key));
    if (It == S->Keys.end()) return false;
    Value = S->Lines[It->second].Value;
    return true;
}

bool TIniDocument::Set(std::string_view Section, std::string_view Key, std::string_view Value)
{
    if (!IsStorableKey(Key) || !IsStorableText(Value) || !AddSection(Section)) return false;
    TSection* S = FindSection(Section);
    IndexKeys(*S);
    const auto It = S->Keys.find(NameKey(Key));
    if (It != S->Keys.end()) {
        TLine& L = S->Lines[It->second];
        L.Value = Trim(Value); // the key keeps its spelling
        L.Text = L.Key + '=' + L.Value;
        return true;
    }
    // After the section's last entry: only comments and blank lines move.
    TLine Line{Trim(Key) + '=' + Trim(Value), true, Trim(Key), Trim(Value)};
    S->Lines.insert(S->Lines.begin() + std::ptrdiff_t(S->EntryEnd), std::move(Line));
    S->Keys.emplace(NameKey(Key), S->EntryEnd++);
    return true;
}

bool TIniDocument::Remove(std::string_view Section, std::string_view Key)
{
    TSection* S = FindSection(Section);
    if (!S) return false;
    const auto Before = S->Lines.size();
    const AnsiString Folded = NameKey(Key);
    std::erase_if(S->Lines, [&](const TLine& L) { return L.IsEntry && NameKey(L.Key) == Folded; });
    S->Indexed = false;
    return S->Lines.size() != Before;
}

bool TIniDocument::IsStorableText(std::string_view Text)
{
    return Text.find_first_of("\r\n") == std::string_view::npos;
}

bool TIniDocument::IsStorableKey(std::string_view Key)
{
    const AnsiString T = Trim(Key);
    return IsStorableText(Key) && T.find('=') == AnsiString::npos && (T.empty() || (T[0] != '[' && T[0] != ';'));
}

// ---- TIniCache ---------------------------------------------------------------------

TIniCache::TStamp TIniCache::StampOf(const AnsiString& FileName)
{
    struct stat St {};
    if (::stat(FileName.c_str(), &St) != 0) return {};
    return {true,
            std::uint64_t(St.st_dev),
            std::uint64_t(St.st_ino),
            std::uint64_t(St.st_size),
            std::int64_t(St.st_mtim.tv_sec),
            std::int64_t(St.st_mtim.tv_nsec)};
}

void TIniCache::Reload()
{
    // Stamped before reading: a change while reading shows at the next call.
    FStamp = StampOf(FFileName);
    FDocument.Load(FFileName);
    for (const auto& C : FPending)
        C(FDocument);
    FLoaded = true;
}

const TIniDocument& TIniCache::Document()
{
    if (!FLoaded || !(StampOf(FFileName) == FStamp)) Reload();
    return FDocument;
}

bool TIniCache::Change(TChange Change)
{
    Document();
    if (!Change(FDocument)) return false;
    FPending.push_back(std::move(Change));
    return true;
}

void TIniCache::Flush()
{
    if (FPending.empty()) return;
    TIniDocument::Edit(FFileName, [this](TIniDocument& D) {
        for (const auto& C : FPending)
            C(D);
        return true;
    });
    FPending.clear();
    FLoaded = false; // the next call reads what was written
}

} // namespace platform::detail
