#include "platform/classes/IniFiles.h"
#include "platform/classes/Classes.h"
#include "platform/classes/IniDocument.h"
#include "platform/rtl/ScopeExit.h"

using platform::detail::TIniCache;
using platform::detail::TIniDocument;

namespace {

// Fills Strings in one update.
template <typename Fill> void Refill(TStrings* Strings, Fill F)
{
    Strings->BeginUpdate();
    TScopeExit Updated([Strings] { Strings->EndUpdate(); });
    Strings->Clear();
    F();
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

void FlushOnFree(TCustomIniFile* Store)
{
    try {
        Store->UpdateFile();
    } catch (...) {
        ApplicationHandleException(Store);
    }
}

// ---- TIniFile -------------------------------------------------------------------

TIniFile::TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName), FCache(std::make_unique<TIniCache>(FileName))
{
}

TIniFile::~TIniFile()
{
    FlushOnFree(this);
}

void TIniFile::WriteError() const
{
    throw EIniFileException("Unable to write to " + GetFileName());
}

void TIniFile::UpdateFile()
{
    try {
        FCache->Flush();
    } catch (const EStreamError& E) {
        FCache = std::make_unique<TIniCache>(GetFileName()); // what could not be written goes
        throw EIniFileException("Unable to write to " + GetFileName() + ". " + E.Message);
    }
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const
{
    AnsiString Value;
    return FCache->Document().Find(Section, Ident, Value) ? WithoutEnclosingQuotes(Value) : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value)
{
    if (!FCache->Change([=](TIniDocument& D) { return D.Set(Section, Ident, Value); })) WriteError();
}

void TIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) const
{
    const auto Entries = FCache->Document().Entries(Section);
    Refill(Strings, [&] {
        for (const auto& E : Entries)
            Strings->Add(E.first);
    });
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    const auto Names = FCache->Document().SectionNames();
    Refill(Strings, [&] {
        for (const auto& N : Names)
            Strings->Add(N);
    });
}

void TIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) const
{
    const auto Entries = FCache->Document().Entries(Section);
    Refill(Strings, [&] {
        for (const auto& E : Entries)
            Strings->Add(E.first + '=' + E.second);
    });
}

void TIniFile::EraseSection(const AnsiString& Section)
{
    FCache->Change([=](TIniDocument& D) {
        D.EraseSection(Section);
        return true;
    });
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident)
{
    FCache->Change([=](TIniDocument& D) {
        D.Remove(Section, Ident);
        return true;
    });
}
