#include "platform/classes/IniDocument.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace platform::detail {

namespace {

bool SameName(std::string_view A, std::string_view B)
{
    return AnsiSameText(Trim(A), Trim(B));
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
            FSections.push_back({Name, {}});
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

TIniDocument::TSection* TIniDocument::FindSection(std::string_view Section)
{
    for (auto& S : FSections)
        if (SameName(S.Name, Section)) return &S;
    return nullptr;
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
    if (!FindSection(Section)) FSections.push_back({Trim(Section), {}});
    return true;
}

bool TIniDocument::EraseSection(std::string_view Section)
{
    const auto Before = FSections.size();
    std::erase_if(FSections, [&](const TSection& S) { return SameName(S.Name, Section); });
    return FSections.size() != Before;
}

TIniDocument::TEntries TIniDocument::Entries(std::string_view Section) const
{
    TEntries Out;
    const TSection* S = FindSection(Section);
    if (!S) return Out;
    for (const auto& L : S->Lines) {
        if (!L.IsEntry) continue;
        const bool Seen = std::any_of(Out.begin(), Out.end(), [&](const auto& E) { return SameName(E.first, L.Key); });
        if (!Seen) Out.emplace_back(L.Key, L.Value);
    }
    return Out;
}

bool TIniDocument::Find(std::string_view Section, std::string_view Key, AnsiString& Value) const
{
    const TSection* S = FindSection(Section);
    if (!S) return false;
    for (const auto& L : S->Lines)
        if (L.IsEntry && SameName(L.Key, Key)) {
            Value = L.Value;
            return true;
        }
    return false;
}

bool TIniDocument::Set(std::string_view Section, std::string_view Key, std::string_view Value)
{
    if (!IsStorableKey(Key) || !IsStorableText(Value) || !AddSection(Section)) return false;
    TSection* S = FindSection(Section);
    TLine Line{Trim(Key) + '=' + Trim(Value), true, Trim(Key), Trim(Value)};
    auto LastEntry = S->Lines.end();
    for (auto It = S->Lines.begin(); It != S->Lines.end(); ++It) {
        if (!It->IsEntry) continue;
        if (SameName(It->Key, Key)) {
            It->Value = Line.Value; // the key keeps its spelling
            It->Text = It->Key + '=' + It->Value;
            return true;
        }
        LastEntry = It;
    }
    S->Lines.insert(LastEntry == S->Lines.end() ? S->Lines.begin() : LastEntry + 1, std::move(Line));
    return true;
}

bool TIniDocument::Remove(std::string_view Section, std::string_view Key)
{
    TSection* S = FindSection(Section);
    if (!S) return false;
    const auto Before = S->Lines.size();
    std::erase_if(S->Lines, [&](const TLine& L) { return L.IsEntry && SameName(L.Key, Key); });
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

} // namespace platform::detail
