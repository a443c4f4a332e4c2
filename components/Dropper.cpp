// components/Dropper.cpp
#include "components/Dropper.h"
#include "platform/rtl/FileSearch.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/ShellApi.h"

namespace Dropper {

namespace {

bool IsHidden(const AnsiString& Name)
{
    return !Name.empty() && Name[0] == '.';
}

AnsiString InFolder(const AnsiString& Folder, const AnsiString& Name)
{
    return IncludeTrailingPathDelimiter(Folder) + Name;
}

// Calls Each with every entry of Folder that fits Mask, hidden ones left out,
// in name order.
template <typename F> void ForEachEntry(const AnsiString& Folder, const AnsiString& Mask, F Each)
{
    TSearchRec SR;
    if (FindFirst(InFolder(Folder, Mask), faAnyFile, SR) != 0) return;
    TScopeExit Closer([&SR] { FindClose(SR); });
    do {
        if (!IsHidden(SR.Name)) Each(SR);
    } while (FindNext(SR) == 0);
}

} // namespace

// The span of one drop, or of one Add or AddFolder called on its own: the
// folders walked are remembered until it ends.
class TFileDropper::TWalk {
public:
    explicit TWalk(TFileDropper& D) : FDropper(D), FOuter(!D.FWalking) { D.FWalking = true; }
    ~TWalk()
    {
        if (!FOuter) return;
        FDropper.FWalking = false;
        FDropper.FWalked.clear();
    }
    TWalk(const TWalk&) = delete;
    TWalk& operator=(const TWalk&) = delete;

private:
    TFileDropper& FDropper;
    bool FOuter;
};

TFileDropper::TFileDropper(TComponent* AOwner) : TComponent(AOwner) {}

TFileDropper::~TFileDropper()
{
    UnhookDropSite();
}

void TFileDropper::SetDropSite(TWinControl* Value)
{
    if (Value == FDropSite) return;
    // A hook stays with the site it was put on only while that is the site.
    const bool WasHooked = FHook.Hooked();
    UnhookDropSite();
    if (FDropSite) RemoveFreeNotification(FDropSite);
    FDropSite = Value;
    if (FDropSite) FreeNotification(FDropSite);
    if (WasHooked && FDropSite) HookDropSite();
}

void TFileDropper::Loaded()
{
    TComponent::Loaded();
    if (!GetComponentState().Contains(csDesigning) && FDropSite) HookDropSite();
}

void TFileDropper::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FDropSite) return;
    // The site is half gone: its window went before this message came, and
    // the hook with it.
    UnhookDropSite();
    FDropSite = nullptr;
}

void TFileDropper::HookDropSite()
{
    if (FHook.Hooked()) return;
    FHook.Hook(FDropSite->GetHandle(), [this](TMessage& Message) { WndProc(Message); });
    DragAcceptFiles(FHook.GetWindow(), true);
}

void TFileDropper::UnhookDropSite()
{
    // Drops stay accepted: another hook on the window may want them too.
    FHook.Unhook();
}

void TFileDropper::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DROPFILES) {
        DropFile(reinterpret_cast<HDROP>(Message.WParam));
        Message.Result = 0;
        return;
    }
    FHook.PassOn(Message);
}

void TFileDropper::DropFile(HDROP Drop)
{
    TScopeExit Finisher([Drop] { DragFinish(Drop); });
    TWalk Walk(*this);
    FMultiDropTotal = static_cast<int>(DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0));
    for (int I = 0; I < FMultiDropTotal; ++I) {
        FMultiDropIndex = I;
        // The whole name: a path is as long as the file system lets it be.
        Add(platform::DragQueryFileName(Drop, static_cast<UINT>(I)));
    }
}

bool TFileDropper::IsDirectory(const AnsiString& Path) const
{
    return (GetFileAttributesA(Path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void TFileDropper::DoDrop(const AnsiString& Filename)
{
    if (OnDrop) OnDrop(this, Filename);
}

void TFileDropper::Add(const AnsiString& Path)
{
    TWalk Walk(*this);
    if (!IsDirectory(Path) && !FOnlyDirs) {
        DoDrop(Path);
        return;
    }
    if (!FAllowDir) return;
    if (FRecurseAllSubFolders || FRecurseOneSubFolder) {
        if (FOnlyDirs && !FOnlyLeafs) DoDrop(Path);
        AddFolder(Path);
    } else {
        DoDrop(Path);
    }
}

bool TFileDropper::AlreadyWalked(const AnsiString& Folder) const
{
    platform::TFileIdentity Id;
    return platform::GetFileIdentity(Folder, Id) && FWalked.count(Id) > 0;
}

void TFileDropper::AddFolder(const AnsiString& Folder)
{
    TWalk Walk(*this);
    // A link back up the tree, or any other way round to a folder walked
    // already, would lead round for ever: each real folder is walked once.
    platform::TFileIdentity Id;
    if (platform::GetFileIdentity(Folder, Id) && !FWalked.insert(Id).second) return;

    const AnsiString Mask = FFileMaskText.empty() ? AnsiString("*.*") : FFileMaskText;
    bool HasSub = false;
    if (FOnlyLeafs) {
        ForEachEntry(Folder, "*.*", [&](const TSearchRec& SR) {
            if (SR.Attr & faDirectory) HasSub = true;
        });
        if (!HasSub && FOnlyDirs) DoDrop(Folder);
    }
    if (!FOnlyDirs && !HasSub) {
        ForEachEntry(Folder, Mask, [&](const TSearchRec& SR) {
            if (!(SR.Attr & faDirectory)) DoDrop(InFolder(Folder, SR.Name));
        });
    }
    if (FRecurseAllSubFolders) {
        ForEachEntry(Folder, "*.*", [&](const TSearchRec& SR) {
            if (!(SR.Attr & faDirectory)) return;
            const AnsiString Sub = InFolder(Folder, SR.Name);
            if (AlreadyWalked(Sub)) return;
            if (FOnlyDirs && !FOnlyLeafs) DoDrop(Sub);
            AddFolder(Sub);
        });
    }
}

} // namespace Dropper
