// The registry: a per-user, file-backed tree of keys and typed values under
// the configuration folder ($XDG_CONFIG_HOME/quillmote/registry/), one file
// per root key ("HKEY_LOCAL_MACHINE.ini"). TRegistry reads and writes it as
// the class library does; TRegistryIniFile gives it the INI-file face.
//
// The file is INI-style: a section per key, named by its path below the root
// ("[SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\VqUpdater_is1]",
// "[]" for the root itself), a line per value: name="text" for a string
// (\\, \", \r and \n escaped) and name=dword:0000002a for an integer. A value
// written by hand without quotes (InstallLocation=/opt/vqupdater/) reads as
// that string. A key exists when its section or a section below it does.
// Key and value names compare ignoring case, as on Windows.
#pragma once
#include "platform/classes/IniFiles.h"
#include "platform/rtl/WinTypes.h"

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t(0x80000003));
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t(0x80000005));

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// Every call reads the root's file and every change writes it at once, so
// all objects (and other programs) see one store; each change holds the
// file's lock (TFileLock) from reading to writing, so that concurrent
// changes from threads and processes all survive.
class TRegistry : public TObject {
public:
    TRegistry() = default;

    HKEY GetRootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    // The open key's path below the root, without a leading backslash.
    const AnsiString& GetCurrentPath() const { return FCurrentPath; }

    // A key beginning with '\' is a path from the root; any other is below
    // the open key (or the root when none is open). False when the key is
    // missing and may not be created, or cannot be created.
    bool OpenKey(const AnsiString& Key, bool CanCreate);
    // Opens an existing key for reading; writes to it then fail.
    bool OpenKeyReadOnly(const AnsiString& Key);
    void CloseKey();
    bool KeyExists(const AnsiString& Key) const;
    // Removes the key with every key below it.
    bool DeleteKey(const AnsiString& Key);

    bool ValueExists(const AnsiString& Name) const;
    TRegDataType GetDataType(const AnsiString& Name) const;
    bool DeleteValue(const AnsiString& Name);
    // The open key's sub-key names; its value names.
    void GetKeyNames(TStrings* Strings) const;
    void GetValueNames(TStrings* Strings) const;

    // Empty when no key is open or the value is missing. A value of another
    // type raises ERegistryException "Invalid data type for '<name>'".
    AnsiString ReadString(const AnsiString& Name) const;
    // A missing value raises ERegistryException "Failed to get data for
    // '<name>'", one of another type "Invalid data type for '<name>'".
    int ReadInteger(const AnsiString& Name) const;
    bool ReadBool(const AnsiString& Name) const { return ReadInteger(Name) != 0; }
    // Without an open key, on a key opened read-only, for a name that cannot
    // be stored or when the store cannot be written: ERegistryException
    // "Failed to set data for '<name>'", followed by the reason when the store
    // could not be written.
    void WriteString(const AnsiString& Name, const AnsiString& Value);
    void WriteInteger(const AnsiString& Name, int Value);
    void WriteBool(const AnsiString& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

    // The file that holds a root key's tree; empty for an unknown root.
    static AnsiString StoreFileName(HKEY Root);

private:
    AnsiString FullPath(const AnsiString& Key) const;
    bool ReadValue(const AnsiString& Name, AnsiString& Stored) const;
    void WriteValue(const AnsiString& Name, const AnsiString& Stored);

    HKEY FRootKey = HKEY_CURRENT_USER;
    AnsiString FCurrentPath;
    bool FKeyOpen = false;
    bool FReadOnly = false;
};

// The registry as an INI file: FileName is a key below HKEY_CURRENT_USER
// (created when missing), its sub-keys are the sections and their values the
// keys. Integers read from string values are converted; an integer written
// over a string value stays a string, as the class library does. Like
// TIniFile it keeps the store between calls and its changes until
// UpdateFile or freeing, which apply them under the store's lock; until then
// other objects, TRegistry included, do not see them. A store that cannot be
// written raises ERegistryException "Failed to set data for '<key>'" with
// the reason at UpdateFile.
class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const AnsiString& FileName);
    ~TRegistryIniFile() override;

    TRegistry* GetRegIniFile() const { return FRegistry.get(); }

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const override;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
    int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const override;
    void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value) override;
    void ReadSection(const AnsiString& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSectionValues(const AnsiString& Section, TStrings* Strings) const override;
    void EraseSection(const AnsiString& Section) override;
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
    void UpdateFile() override;

private:
    AnsiString SectionPath(const AnsiString& Section) const;
    bool ReadStored(const AnsiString& Section, const AnsiString& Ident, AnsiString& Stored) const;
    void WriteStored(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Stored);

    TOwned<TRegistry> FRegistry;
    std::unique_ptr<platform::detail::TIniCache> FCache;
};
