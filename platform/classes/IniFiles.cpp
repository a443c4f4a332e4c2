#include "platform/classes/IniFiles.h"
#include "platform/classes/IniDocument.h"
#include "platform/rtl/ScopeExit.h"

using platform::detail::TIniDocument;

namespace {

TIniDocument LoadDocument(const AnsiString& FileName)
{
    TIniDocument D;
    D.Load(FileName);
    return D;
}

// Fills Strings in one update.
template <typename Fill> void Refill(TStrings* Strings, Fill F)
{
    Strings->BeginUpdate();
    TScopeExit Updated([Strings] { Strings->EndUpdate(); });
    Strings->Clear();
    F();
}

// One change of the file under its lock; a file that cannot be written
// raises, saying why. Returns what Change said.
template <typename TChange> bool EditFile(const AnsiString& FileName, TChange&& Change)
{
    try {
        return TIniDocument::Edit(FileName, Change);
    } catch (const EStreamError& E) {
        throw EIniFileException("Unable to write to " + FileName + ". " + E.Message);
    }
}

AnsiString WithoutEnclosingQuotes(const AnsiString& V)
{
    if (V.size() >= 2 && (V[0] == '"' || V[0] == '\'') && V.back() == V[0]) return V.substr(1, V.size() - 2);
    return V;
}

} // namespace

// ---- TCustomIniFile -----------------------------------------------------------

int TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const
{
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(const AnsiString& Section) const
{
    auto Keys = MakeOwned<TStringList>();
    ReadSection(Section, Keys.get());
    return Keys->GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) const
{
    auto Keys = MakeOwned<TStringList>();
    ReadSection(Section, Keys.get());
    return Keys->IndexOf(Ident) >= 0;
}

// ---- TIniFile -------------------------------------------------------------------

void TIniFile::WriteError() const
{
    throw EIniFileException("Unable to write to " + GetFileName());
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const
{
    AnsiString Value;
    return LoadDocument(GetFileName()).Find(Section, Ident, Value) ? WithoutEnclosingQuotes(Value) : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value)
{
    if (!EditFile(GetFileName(), [&](TIniDocument& D) { return D.Set(Section, Ident, Value); })) WriteError();
}

void TIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) const
{
    const auto Entries = LoadDocument(GetFileName()).Entries(Section);
    Refill(Strings, [&] {
        for (const auto& E : Entries)
            Strings->Add(E.first);
    });
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    const auto Names = LoadDocument(GetFileName()).SectionNames();
    Refill(Strings, [&] {
        for (const auto& N : Names)
            Strings->Add(N);
    });
}

void TIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) const
{
    const auto Entries = LoadDocument(GetFileName()).Entries(Section);
    Refill(Strings, [&] {
        for (const auto& E : Entries)
            Strings->Add(E.first + '=' + E.second);
    });
}

void TIniFile::EraseSection(const AnsiString& Section)
{
    EditFile(GetFileName(), [&](TIniDocument& D) { return D.EraseSection(Section); });
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident)
{
    EditFile(GetFileName(), [&](TIniDocument& D) { return D.Remove(Section, Ident); });
}
