#include "platform/classes/Registry.h"
#include "platform/classes/IniDocument.h"
#include "platform/rtl/XdgFolders.h"

#include <charconv>
#include <vector>

using platform::detail::TIniCache;
using platform::detail::TIniDocument;

namespace {

std::vector<AnsiString> SplitKeyPath(std::string_view Path)
{
    std::vector<AnsiString> Parts;
    std::size_t P = 0;
    while (P <= Path.size()) {
        auto E = Path.find('\\', P);
        if (E == std::string_view::npos) E = Path.size();
        if (E > P) Parts.emplace_back(Path.substr(P, E - P));
        P = E + 1;
    }
    return Parts;
}

AnsiString JoinKeyPath(std::string_view Path)
{
    AnsiString Joined;
    for (const auto& Part : SplitKeyPath(Path))
        Joined += (Joined.empty() ? "" : "\\") + Part;
    return Joined;
}

// True when Section names the key Path or a key below it; Below then holds
// the name of the child of Path on the way.
bool IsAtOrBelow(const AnsiString& Section, const std::vector<AnsiString>& Path, AnsiString* Below = nullptr)
{
    const auto Parts = SplitKeyPath(Section);
    if (Parts.size() < Path.size()) return false;
    for (std::size_t I = 0; I < Path.size(); ++I)
        if (!AnsiSameText(Parts[I], Path[I])) return false;
    if (Below) *Below = Parts.size() > Path.size() ? Parts[Path.size()] : AnsiString();
    return true;
}

bool KeyExistsIn(const TIniDocument& D, const AnsiString& Path)
{
    const auto Parts = SplitKeyPath(Path);
    if (Parts.empty()) return true;
    for (const auto& S : D.SectionNames())
        if (IsAtOrBelow(S, Parts)) return true;
    return false;
}

TIniDocument LoadStore(HKEY Root)
{
    TIniDocument D;
    const AnsiString File = TRegistry::StoreFileName(Root);
    if (!File.empty()) D.Load(File);
    return D;
}

// One change of a root's store under its lock (see TIniDocument::Edit).
// Raises EStreamError with the reason when the store cannot be written.
template <typename TChange> bool EditStore(HKEY Root, TChange&& Change)
{
    const AnsiString File = TRegistry::StoreFileName(Root);
    if (File.empty()) return false;
    ForceDirectories(ExtractFilePath(File)); // a folder that cannot be made fails at the lock, saying why
    return TIniDocument::Edit(File, Change);
}

// The same where failing only answers false.
template <typename TChange> bool TryEditStore(HKEY Root, TChange&& Change)
{
    try {
        return EditStore(Root, Change);
    } catch (const EStreamError&) {
        return false;
    }
}

// ---- How values are written in the file ------------------------------------------

const char* const IntegerPrefix = "dword:";

AnsiString EncodeString(const AnsiString& V)
{
    AnsiString Out = "\"";
    for (const char C : V) {
        switch (C) {
        case '\\':
            Out += "\\\\";
            break;
        case '"':
            Out += "\\\"";
            break;
        case '\r':
            Out += "\\r";
            break;
        case '\n':
            Out += "\\n";
            break;
        default:
            Out += C;
        }
    }
    return Out + '"';
}

AnsiString DecodeString(const AnsiString& Stored)
{
    if (Stored.size() < 2 || Stored.front() != '"' || Stored.back() != '"') return Stored;
    AnsiString Out;
    for (std::size_t I = 1; I + 1 < Stored.size(); ++I) {
        char C = Stored[I];
        if (C == '\\' && I + 2 < Stored.size()) {
            C = Stored[++I];
            C = C == 'r' ? '\r' : C == 'n' ? '\n' : C;
        }
        Out += C;
    }
    return Out;
}

AnsiString EncodeInteger(int V)
{
    char Digits[8];
    auto R = std::to_chars(Digits, Digits + 8, static_cast<std::uint32_t>(V), 16);
    const std::size_t N = static_cast<std::size_t>(R.ptr - Digits);
    return IntegerPrefix + AnsiString(8 - N, '0') + AnsiString(Digits, N);
}

bool DecodeInteger(const AnsiString& Stored, int& V)
{
    if (!Stored.starts_with(IntegerPrefix)) return false;
    const char* First = Stored.data() + 6;
    const char* Last = Stored.data() + Stored.size();
    std::uint32_t U = 0;
    const auto R = std::from_chars(First, Last, U, 16);
    if (R.ec != std::errc() || R.ptr != Last || First == Last) return false;
    V = static_cast<int>(U);
    return true;
}

TRegDataType TypeOf(const AnsiString& Stored)
{
    int Unused;
    if (!Stored.starts_with(IntegerPrefix)) return rdString;
    return DecodeInteger(Stored, Unused) ? rdInteger : rdUnknown;
}

[[noreturn]] void RaiseRegistry(const char* Text, const AnsiString& Name)
{
    throw ERegistryException(AnsiString(Text) + " '" + Name + "'");
}

} // namespace

// ---- TRegistry -----------------------------------------------------------------------

AnsiString TRegistry::StoreFileName(HKEY Root)
{
    const char* Name = Root == HKEY_CLASSES_ROOT     ? "HKEY_CLASSES_ROOT"
                       : Root == HKEY_CURRENT_USER   ? "HKEY_CURRENT_USER"
                       : Root == HKEY_LOCAL_MACHINE  ? "HKEY_LOCAL_MACHINE"
                       : Root == HKEY_USERS          ? "HKEY_USERS"
                       : Root == HKEY_CURRENT_CONFIG ? "HKEY_CURRENT_CONFIG"
                                                     : nullptr;
    if (!Name) return "";
    return platform::UserConfigDirectory() + "/quillmote/registry/" + Name + ".ini";
}

void TRegistry::SetRootKey(HKEY Value)
{
    if (Value == FRootKey) return;
    FRootKey = Value;
    CloseKey();
}

AnsiString TRegistry::FullPath(const AnsiString& Key) const
{
    const bool Relative = Key.empty() || Key[0] != '\\';
    return JoinKeyPath(Relative && FKeyOpen ? FCurrentPath + '\\' + Key : Key);
}

bool TRegistry::OpenKey(const AnsiString& Key, bool CanCreate)
{
    if (StoreFileName(FRootKey).empty()) return false;
    const AnsiString Path = FullPath(Key);
    bool Exists = KeyExistsIn(LoadStore(FRootKey), Path);
    if (!Exists && CanCreate) {
        try {
            EditStore(FRootKey, [&](TIniDocument& D) {
                Exists = KeyExistsIn(D, Path);
                if (Exists) return false; // made by another writer since
                Exists = D.AddSection(Path);
                return Exists;
            });
        } catch (const EStreamError&) {
            Exists = false;
        }
    }
    if (!Exists) return false;
    FCurrentPath = Path;
    FKeyOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& Key)
{
    if (!OpenKey(Key, false)) return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FCurrentPath.clear();
    FKeyOpen = false;
    FReadOnly = false;
}

bool TRegistry::KeyExists(const AnsiString& Key) const
{
    return !StoreFileName(FRootKey).empty() && KeyExistsIn(LoadStore(FRootKey), FullPath(Key));
}

bool TRegistry::DeleteKey(const AnsiString& Key)
{
    const auto Parts = SplitKeyPath(FullPath(Key));
    if (Parts.empty()) return false; // the root itself stays
    return TryEditStore(FRootKey, [&](TIniDocument& D) {
        bool Found = false;
        for (const auto& S : D.SectionNames())
            if (IsAtOrBelow(S, Parts)) Found = D.EraseSection(S) || Found;
        return Found;
    });
}

bool TRegistry::ReadValue(const AnsiString& Name, AnsiString& Stored) const
{
    return FKeyOpen && LoadStore(FRootKey).Find(FCurrentPath, Name, Stored);
}

void TRegistry::WriteValue(const AnsiString& Name, const AnsiString& Stored)
{
    if (!FKeyOpen || FReadOnly) RaiseRegistry("Failed to set data for", Name);
    bool Storable = false;
    try {
        Storable = EditStore(FRootKey, [&](TIniDocument& D) { return D.Set(FCurrentPath, Name, Stored); });
    } catch (const EStreamError& E) {
        throw ERegistryException("Failed to set data for '" + Name + "'. " + E.Message);
    }
    if (!Storable) RaiseRegistry("Failed to set data for", Name);
}

bool TRegistry::ValueExists(const AnsiString& Name) const
{
    AnsiString Stored;
    return ReadValue(Name, Stored);
}

TRegDataType TRegistry::GetDataType(const AnsiString& Name) const
{
    AnsiString Stored;
    return ReadValue(Name, Stored) ? TypeOf(Stored) : rdUnknown;
}

bool TRegistry::DeleteValue(const AnsiString& Name)
{
    if (!FKeyOpen || FReadOnly) return false;
    return TryEditStore(FRootKey, [&](TIniDocument& D) { return D.Remove(FCurrentPath, Name); });
}

void TRegistry::GetKeyNames(TStrings* Strings) const
{
    Strings->Clear();
    if (!FKeyOpen) return;
    const auto Parts = SplitKeyPath(FCurrentPath);
    for (const auto& S : LoadStore(FRootKey).SectionNames()) {
        AnsiString Child;
        if (IsAtOrBelow(S, Parts, &Child) && !Child.empty() && Strings->IndexOf(Child) < 0) Strings->Add(Child);
    }
}

void TRegistry::GetValueNames(TStrings* Strings) const
{
    Strings->Clear();
    if (!FKeyOpen) return;
    for (const auto& E : LoadStore(FRootKey).Entries(FCurrentPath))
        Strings->Add(E.first);
}

AnsiString TRegistry::ReadString(const AnsiString& Name) const
{
    AnsiString Stored;
    if (!ReadValue(Name, Stored)) return "";
    if (TypeOf(Stored) != rdString) RaiseRegistry("Invalid data type for", Name);
    return DecodeString(Stored);
}

int TRegistry::ReadInteger(const AnsiString& Name) const
{
    AnsiString Stored;
    if (!ReadValue(Name, Stored)) RaiseRegistry("Failed to get data for", Name);
    int V = 0;
    if (!DecodeInteger(Stored, V)) RaiseRegistry("Invalid data type for", Name);
    return V;
}

void TRegistry::WriteString(const AnsiString& Name, const AnsiString& Value)
{
    WriteValue(Name, EncodeString(Value));
}

void TRegistry::WriteInteger(const AnsiString& Name, int Value)
{
    WriteValue(Name, EncodeInteger(Value));
}

// ---- TRegistryIniFile ------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const AnsiString& FileName)
    : TCustomIniFile(FileName), FRegistry(MakeOwned<TRegistry>()),
      FCache(std::make_unique<TIniCache>(TRegistry::StoreFileName(HKEY_CURRENT_USER)))
{
    FRegistry->OpenKey(FileName, true);
}

TRegistryIniFile::~TRegistryIniFile()
{
    FlushOnFree(this);
}

void TRegistryIniFile::UpdateFile()
{
    if (!FCache->HasPending()) return;
    try {
        ForceDirectories(ExtractFilePath(FCache->GetFileName())); // one that cannot be made fails at the lock
        FCache->Flush();
    } catch (const EStreamError& E) {
        FCache = std::make_unique<TIniCache>(FCache->GetFileName()); // what could not be written goes
        throw ERegistryException("Failed to set data for '" + GetFileName() + "'. " + E.Message);
    }
}

AnsiString TRegistryIniFile::SectionPath(const AnsiString& Section) const
{
    return JoinKeyPath(GetFileName() + '\\' + Section);
}

bool TRegistryIniFile::ReadStored(const AnsiString& Section, const AnsiString& Ident, AnsiString& Stored) const
{
    return FCache->Document().Find(SectionPath(Section), Ident, Stored);
}

void TRegistryIniFile::WriteStored(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Stored)
{
    const AnsiString Path = SectionPath(Section);
    if (!FCache->Change([=](TIniDocument& D) { return D.Set(Path, Ident, Stored); }))
        RaiseRegistry("Failed to set data for", Ident);
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                        const AnsiString& Default) const
{
    AnsiString Stored;
    int V = 0;
    if (!ReadStored(Section, Ident, Stored)) return Default;
    switch (TypeOf(Stored)) {
    case rdString:
        return DecodeString(Stored);
    case rdInteger:
        DecodeInteger(Stored, V);
        return IntToStr(V);
    default:
        return Default;
    }
}

void TRegistryIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value)
{
    WriteStored(Section, Ident, EncodeString(Value));
}

int TRegistryIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const
{
    AnsiString Stored;
    int V = 0;
    if (!ReadStored(Section, Ident, Stored)) return Default;
    switch (TypeOf(Stored)) {
    case rdString:
        return StrToIntDef(DecodeString(Stored), Default);
    case rdInteger:
        DecodeInteger(Stored, V);
        return V;
    default:
        return Default;
    }
}

void TRegistryIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value)
{
    AnsiString Stored;
    const bool IsString = ReadStored(Section, Ident, Stored) && TypeOf(Stored) == rdString;
    WriteStored(Section, Ident, IsString ? EncodeString(IntToStr(Value)) : EncodeInteger(Value));
}

void TRegistryIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) const
{
    Strings->Clear();
    for (const auto& E : FCache->Document().Entries(SectionPath(Section)))
        Strings->Add(E.first);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) const
{
    Strings->Clear();
    const auto Parts = SplitKeyPath(SectionPath(""));
    for (const auto& S : FCache->Document().SectionNames()) {
        AnsiString Child;
        if (IsAtOrBelow(S, Parts, &Child) && !Child.empty() && Strings->IndexOf(Child) < 0) Strings->Add(Child);
    }
}

void TRegistryIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) const
{
    auto Names = MakeOwned<TStringList>();
    ReadSection(Section, Names.get());
    Strings->Clear();
    for (int I = 0; I < Names->GetCount(); ++I)
        Strings->Add(Names->Get(I) + '=' + ReadString(Section, Names->Get(I), ""));
}

void TRegistryIniFile::EraseSection(const AnsiString& Section)
{
    if (Trim(Section).empty()) return;
    const auto Parts = SplitKeyPath(SectionPath(Section));
    FCache->Change([Parts](TIniDocument& D) {
        for (const auto& S : D.SectionNames())
            if (IsAtOrBelow(S, Parts)) D.EraseSection(S);
        return true;
    });
}

void TRegistryIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident)
{
    const AnsiString Path = SectionPath(Section);
    FCache->Change([=](TIniDocument& D) {
        D.Remove(Path, Ident);
        return true;
    });
}
