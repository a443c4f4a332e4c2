#include "components/Dropper.h"
#include "platform/controls/ComCtrls.h"
#include "platform/testing/Drops.h"
#include "platform/testing/TestDriving.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <vector>

using namespace Dropper;
using namespace platform::test;

namespace {

struct TFlags {
    bool AllowDir, All, One, OnlyDirs, OnlyLeafs;
};

// The window's own settings: folders walked to every depth, files only.
constexpr TFlags WindowFlags{true, true, true, false, false};

// A file list on a shown form, as the main window has it, and the temporary
// folders the drops come from.
class DropperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = New<TForm>(Application);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        List = NewList(Form);
        Form->Show();
        ProcessEvents();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        ProcessEvents();
    }

    TRichEdit* NewList(TComponent* Owner)
    {
        auto* R = New<TRichEdit>(Owner);
        R->SetParent(Form);
        R->SetBounds(8, 8, 284, 184);
        R->SetPlainText(true);
        R->SetScrollBars(ssBoth);
        return R;
    }

    // A dropper built as the form builds one: its values set while it is
    // loading, then Loaded.
    TFileDropper* NewDropper(TComponent* Owner, TWinControl* Site, TFlags F = WindowFlags, const AnsiString& Mask = "")
    {
        auto* D = New<TFileDropper>(Owner);
        D->SetLoading(true);
        D->SetDropSite(Site);
        D->SetAllowDir(F.AllowDir);
        D->SetRecurseAllSubFolders(F.All);
        D->SetRecurseOneSubFolder(F.One);
        D->SetOnlyDirs(F.OnlyDirs);
        D->SetOnlyLeafs(F.OnlyLeafs);
        D->SetFileMaskText(Mask);
        D->OnDrop = [this](TObject* Sender, const AnsiString& Filename) {
            auto* Self = static_cast<TFileDropper*>(Sender);
            Reported.push_back(Filename);
            Indexes.push_back(Self->GetMultiDropIndex());
            Totals.push_back(Self->GetMultiDropTotal());
        };
        D->Loaded();
        return D;
    }

    // What one drop of paths (relative to the temporary folder) on Site
    // reports, relative to that folder again.
    std::vector<AnsiString> Drop(TWinControl* Site, const std::vector<AnsiString>& Names)
    {
        Reported.clear();
        Indexes.clear();
        Totals.clear();
        std::vector<AnsiString> Paths;
        for (const AnsiString& N : Names)
            Paths.push_back(Dir.Path() + N);
        EXPECT_TRUE(DropFiles(Site, Paths));
        std::vector<AnsiString> Relative;
        for (const AnsiString& R : Reported)
            Relative.push_back(R.rfind(Dir.Path(), 0) == 0 ? R.substr(Dir.Path().size()) : R);
        return Relative;
    }

    void Link(const AnsiString& Target, const AnsiString& Name)
    {
        ASSERT_EQ(::symlink((Dir.Path() + Target).c_str(), (Dir.Path() + Name).c_str()), 0);
    }

    // root holds files, a two-level sub-folder, a leaf and hidden entries;
    // they are made in no particular order of names.
    void MakeTree()
    {
        Dir.WriteFile("root/sub2/e.txt", "");
        Dir.WriteFile("root/b.txt", "");
        Dir.WriteFile("root/Sub1/Deep/d.txt", "");
        Dir.WriteFile("root/Sub1/c.txt", "");
        Dir.WriteFile("root/a.log", "");
        Dir.WriteFile("root/.hidden/h.txt", "");
        Dir.WriteFile("root/.dotfile.txt", "");
        Dir.WriteFile("root/Sub1/.cache/x.txt", "");
        Dir.WriteFile("loose.txt", "");
    }

    TTempDir Dir;
    TForm* Form = nullptr;
    TRichEdit* List = nullptr;
    std::vector<AnsiString> Reported;
    std::vector<int> Indexes, Totals;
};

using TNames = std::vector<AnsiString>;

} // namespace

TEST_F(DropperTest, DroppedFilesAreReportedWithTheirPlaceInTheDrop)
{
    NewDropper(Form, List);
    Dir.WriteFile("one.txt", "");
    Dir.WriteFile("two.txt", "");
    Dir.WriteFile("three.txt", "");

    EXPECT_EQ(Drop(List, {"one.txt", "two.txt", "three.txt"}), (TNames{"one.txt", "two.txt", "three.txt"}));
    EXPECT_EQ(Indexes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Totals, (std::vector<int>{3, 3, 3}));
    // The file list shows only what its handler adds, never the dropped URLs.
    EXPECT_EQ(List->GetLines()->GetText(), "");
}

TEST_F(DropperTest, AFolderDroppedOnTheWindowsListYieldsEveryFileOfItsTreeInNameOrder)
{
    MakeTree();
    NewDropper(Form, List);

    EXPECT_EQ(Drop(List, {"root", "loose.txt"}), (TNames{"root/a.log", "root/b.txt", "root/Sub1/c.txt",
                                                         "root/Sub1/Deep/d.txt", "root/sub2/e.txt", "loose.txt"}));
    EXPECT_EQ(Indexes, (std::vector<int>{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Totals, (std::vector<int>(6, 2)));
}

TEST_F(DropperTest, EveryCombinationOfTheFlagsReportsWhatItSelects)
{
    MakeTree();
    const TNames Nothing{};
    const TNames LooseOnly{"loose.txt"};
    const TNames AsDropped{"root", "loose.txt"};
    const TNames OwnFiles{"root/a.log", "root/b.txt", "loose.txt"};
    const TNames AllFiles{"root/a.log",           "root/b.txt",      "root/Sub1/c.txt",
                          "root/Sub1/Deep/d.txt", "root/sub2/e.txt", "loose.txt"};
    const TNames LeafFiles{"root/Sub1/Deep/d.txt", "root/sub2/e.txt", "loose.txt"};
    const TNames AllFolders{"root", "root/Sub1", "root/Sub1/Deep", "root/sub2", "loose.txt"};
    const TNames LeafFolders{"root/Sub1/Deep", "root/sub2", "loose.txt"};
    // With OnlyDirs a dropped file is handled like a folder that holds
    // nothing, so it is still reported where such a folder would be.
    struct TCase {
        TFlags Flags;
        const TNames& Expected;
    } Cases[] = {
        // AllowDir off: folders are left alone, files reported unless OnlyDirs.
        {{false, false, false, false, false}, LooseOnly},
        {{false, false, false, false, true}, LooseOnly},
        {{false, false, false, true, false}, Nothing},
        {{false, false, false, true, true}, Nothing},
        {{false, false, true, false, false}, LooseOnly},
        {{false, false, true, false, true}, LooseOnly},
        {{false, false, true, true, false}, Nothing},
        {{false, false, true, true, true}, Nothing},
        {{false, true, false, false, false}, LooseOnly},
        {{false, true, false, false, true}, LooseOnly},
        {{false, true, false, true, false}, Nothing},
        {{false, true, false, true, true}, Nothing},
        {{false, true, true, false, false}, LooseOnly},
        {{false, true, true, false, true}, LooseOnly},
        {{false, true, true, true, false}, Nothing},
        {{false, true, true, true, true}, Nothing},
        // Neither recurse flag: the dropped paths themselves.
        {{true, false, false, false, false}, AsDropped},
        {{true, false, false, false, true}, AsDropped},
        {{true, false, false, true, false}, AsDropped},
        {{true, false, false, true, true}, AsDropped},
        // One level: the dropped folder's own files (none once it has sub-folders and only leaves count).
        {{true, false, true, false, false}, OwnFiles},
        {{true, false, true, false, true}, LooseOnly},
        {{true, false, true, true, false}, AsDropped},
        {{true, false, true, true, true}, LooseOnly},
        // Every level, whatever the one-level flag says.
        {{true, true, false, false, false}, AllFiles},
        {{true, true, false, false, true}, LeafFiles},
        {{true, true, false, true, false}, AllFolders},
        {{true, true, false, true, true}, LeafFolders},
        {{true, true, true, false, false}, AllFiles},
        {{true, true, true, false, true}, LeafFiles},
        {{true, true, true, true, false}, AllFolders},
        {{true, true, true, true, true}, LeafFolders},
    };
    for (const TCase& C : Cases) {
        const TFlags& F = C.Flags;
        TFileDropper* D = NewDropper(nullptr, List, F);
        EXPECT_EQ(Drop(List, {"root", "loose.txt"}), C.Expected)
            << "AllowDir " << F.AllowDir << " All " << F.All << " One " << F.One << " OnlyDirs " << F.OnlyDirs
            << " OnlyLeafs " << F.OnlyLeafs;
        Free(D);
    }
}

TEST_F(DropperTest, AFileMaskSelectsFilesInsideFoldersOnly)
{
    MakeTree();
    Dir.WriteFile("z.log", "");
    NewDropper(Form, List, WindowFlags, "*.TXT");

    EXPECT_EQ(Drop(List, {"root", "z.log"}),
              (TNames{"root/b.txt", "root/Sub1/c.txt", "root/Sub1/Deep/d.txt", "root/sub2/e.txt", "z.log"}));
}

TEST_F(DropperTest, NamesWithBlanksForeignLettersAndStrayBytesArriveUnchanged)
{
    const AnsiString Folder = "Ordner mit \xC3\x9C"
                              "berraschung";
    const TNames Inside{Folder + "/Gr\xC3\xBC\xC3\x9F"
                                 "e an alle.txt",
                        Folder + "/bad \xFF byte.txt", Folder + "/\xE6\x97\xA5\xE6\x9C\xAC.txt"};
    for (const AnsiString& N : Inside)
        Dir.WriteFile(N, "");
    NewDropper(Form, List);

    EXPECT_EQ(Drop(List, {Folder}), (TNames{Inside[1], Inside[0], Inside[2]}));
    EXPECT_EQ(Drop(List, {Inside[1], Inside[2]}), (TNames{Inside[1], Inside[2]}));
}

TEST_F(DropperTest, UrlsThatNameNoLocalFileAreIgnoredAndNotTyped)
{
    Dir.WriteFile("b.txt", "");
    NewDropper(Form, List);
    List->GetLines()->SetText("listed\n");

    EXPECT_FALSE(DropUrls(List, {"http://example.com/a.txt", "ftp://example.com/b.txt"}));
    EXPECT_TRUE(Reported.empty());
    ProcessEvents();
    EXPECT_EQ(List->GetLines()->GetText(), "listed\n");

    EXPECT_TRUE(DropUrls(List, {"https://example.com/a.txt", "file://" + Dir.Path() + "b.txt"}));
    EXPECT_EQ(Reported, (TNames{Dir.Path() + "b.txt"}));
    EXPECT_EQ(Totals, (std::vector<int>{1}));
    EXPECT_EQ(List->GetLines()->GetText(), "listed\n");
}

TEST_F(DropperTest, APathThatCannotBeReadCountsAsAFolder)
{
    TFileDropper* Walking = NewDropper(Form, List);
    EXPECT_TRUE(Walking->IsDirectory(Dir.Path() + "missing"));
    EXPECT_EQ(Drop(List, {"missing"}), TNames{});
    Free(Walking);

    NewDropper(Form, List, {true, false, false, false, false});
    EXPECT_EQ(Drop(List, {"missing"}), TNames{"missing"});
}

TEST_F(DropperTest, APathLongerThan255CharactersArrivesWhole)
{
    const AnsiString Folder = "long/" + AnsiString(150, 'f');
    const AnsiString File = Folder + "/" + AnsiString(200, 'n') + ".txt";
    Dir.WriteFile(File, "");
    ASSERT_GT((Dir.Path() + File).size(), 255u);
    NewDropper(Form, List);

    EXPECT_EQ(Drop(List, {File}), TNames{File});
    EXPECT_EQ(Drop(List, {Folder}), TNames{File});
}

TEST_F(DropperTest, LinksThatLeadBackWalkEachRealFolderOncePerDrop)
{
    MakeTree();
    Link("root", "root/loop");
    Link("root/Sub1", "root/Sub1/Deep/back");
    Link("root/Sub1/Deep", "root/sub2/toDeep");
    const TNames Files{"root/a.log", "root/b.txt", "root/Sub1/c.txt", "root/Sub1/Deep/d.txt", "root/sub2/e.txt"};
    TFileDropper* D = NewDropper(Form, List);

    EXPECT_EQ(Drop(List, {"root"}), Files);
    // The same folder twice in one drop is walked once; the next drop walks it again.
    EXPECT_EQ(Drop(List, {"root", "root/loop"}), Files);
    EXPECT_EQ(Drop(List, {"root/loop/Sub1"}), (TNames{"root/loop/Sub1/c.txt", "root/loop/Sub1/Deep/d.txt"}));

    D->SetOnlyDirs(true);
    EXPECT_EQ(Drop(List, {"root"}), (TNames{"root", "root/Sub1", "root/Sub1/Deep", "root/sub2"}));
    // Walked outside a drop, a folder tree ends as well.
    Reported.clear();
    D->SetOnlyDirs(false);
    D->AddFolder(Dir.Path() + "root/Sub1");
    EXPECT_EQ(Reported.size(), 2u);
}

TEST_F(DropperTest, DestroyingTheDropperTakesItsHookAwayInAnyOrder)
{
    const HWND Wnd = List->GetHandle();
    const LONG_PTR Plain = GetWindowLongA(Wnd, GWL_WNDPROC);
    Dir.WriteFile("a.txt", "");

    TFileDropper* First = NewDropper(nullptr, List);
    const LONG_PTR FirstHook = GetWindowLongA(Wnd, GWL_WNDPROC);
    EXPECT_NE(FirstHook, Plain);
    TFileDropper* Second = NewDropper(nullptr, List);
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{"a.txt"}); // the top hook takes the drop

    Free(First); // not the top one
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{"a.txt"});
    Free(Second);
    EXPECT_EQ(GetWindowLongA(Wnd, GWL_WNDPROC), Plain);
    Reported.clear();
    DropFiles(List, {Dir.Path() + "a.txt"});
    EXPECT_TRUE(Reported.empty());
}

TEST_F(DropperTest, ADropSiteThatGoesFirstLeavesNothingBehind)
{
    Dir.WriteFile("a.txt", "");
    // Owned elsewhere (told through FreeNotification) and owned by the same
    // form (told through the owner); the window's procedures are limited, so
    // a hook that was never given back would run out of them.
    for (int Round = 0; Round < 600; ++Round) {
        const bool Siblings = Round % 2 == 1;
        TRichEdit* Site = NewList(Form);
        TFileDropper* D = NewDropper(Siblings ? static_cast<TComponent*>(Form) : nullptr, Site);
        if (Round == 0) {
            EXPECT_EQ(Drop(Site, {"a.txt"}), TNames{"a.txt"});
        }
        Free(Site);
        EXPECT_EQ(D->GetDropSite(), nullptr);
        Free(D);
        if (Round % 50 == 0) ProcessEvents();
    }
}

TEST_F(DropperTest, MovingTheDropSiteMovesTheHook)
{
    Dir.WriteFile("a.txt", "");
    TRichEdit* Other = NewList(Form);
    Other->SetTop(100);
    TFileDropper* D = NewDropper(Form, List);

    D->SetDropSite(Other);
    Reported.clear();
    DropFiles(List, {Dir.Path() + "a.txt"});
    EXPECT_TRUE(Reported.empty());
    EXPECT_EQ(Drop(Other, {"a.txt"}), TNames{"a.txt"});

    Free(List);
    List = nullptr;
    EXPECT_EQ(D->GetDropSite(), Other);
}
