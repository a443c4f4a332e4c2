// components/Dropper.h
// A file-drop target: turns any windowed control into a target for files
// and folders dragged from the desktop's file manager, and reports each
// accepted path, walking dropped folders by its flags.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/win/WindowHook.h"
#include "platform/win/Windows.h"

#include <functional>
#include <set>

namespace Dropper {

using TOnDrop = std::function<void(TObject* Sender, const AnsiString& Filename)>;

class TFileDropper : public TComponent {
public:
    QM_CLASS(TFileDropper, TComponent)
    explicit TFileDropper(TComponent* AOwner);
    ~TFileDropper() override;

    // The control whose window receives the drops; its window procedure is
    // hooked once loading is over.
    TWinControl* GetDropSite() const { return FDropSite; }
    void SetDropSite(TWinControl* Value);
    TOnDrop OnDrop; // once per accepted path
    bool GetAllowDir() const { return FAllowDir; }
    void SetAllowDir(bool Value) { FAllowDir = Value; }
    bool GetRecurseAllSubFolders() const { return FRecurseAllSubFolders; }
    void SetRecurseAllSubFolders(bool Value) { FRecurseAllSubFolders = Value; }
    bool GetRecurseOneSubFolder() const { return FRecurseOneSubFolder; }
    void SetRecurseOneSubFolder(bool Value) { FRecurseOneSubFolder = Value; }
    bool GetOnlyDirs() const { return FOnlyDirs; }
    void SetOnlyDirs(bool Value) { FOnlyDirs = Value; }
    bool GetOnlyLeafs() const { return FOnlyLeafs; }
    void SetOnlyLeafs(bool Value) { FOnlyLeafs = Value; }
    int GetMultiDropIndex() const { return FMultiDropIndex; }
    void SetMultiDropIndex(int Value) { FMultiDropIndex = Value; }
    int GetMultiDropTotal() const { return FMultiDropTotal; }
    void SetMultiDropTotal(int Value) { FMultiDropTotal = Value; }
    // The mask of the files reported from inside folders; empty means "*.*".
    const AnsiString& GetFileMaskText() const { return FFileMaskText; }
    void SetFileMaskText(const AnsiString& Value) { FFileMaskText = Value; }

    void Loaded() override;

    // Reports a path, or what a folder holds, by the flags.
    void Add(const AnsiString& Path);
    void AddFolder(const AnsiString& Folder);
    // A path whose attributes cannot be read counts as a folder.
    bool IsDirectory(const AnsiString& Path) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The drop site's window procedure while it is hooked.
    void WndProc(TMessage& Message);
    void DropFile(HDROP Drop);
    virtual void DoDrop(const AnsiString& Filename);

private:
    class TWalk;

    void HookDropSite();
    void UnhookDropSite();
    bool AlreadyWalked(const AnsiString& Folder) const;

    TWinControl* FDropSite = nullptr;
    bool FAllowDir = true;
    bool FRecurseAllSubFolders = false;
    bool FRecurseOneSubFolder = false;
    bool FOnlyDirs = false;
    bool FOnlyLeafs = false;
    int FMultiDropIndex = 0;
    int FMultiDropTotal = 0;
    AnsiString FFileMaskText;

    TWindowHook FHook;

    // The folders walked since the current drop (or outermost Add) began.
    std::set<platform::TFileIdentity> FWalked;
    bool FWalking = false;
};

} // namespace Dropper
