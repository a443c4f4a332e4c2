#include "components/Dropper.h"
#include "platform/controls/ComCtrls.h"
#include "platform/testing/Drops.h"
#include "platform/testing/TestDriving.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

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
        for (const char* Name :
             {"root/sub2/e.txt", "root/b.txt", "root/Sub1/Deep/d.txt", "root/Sub1/c.txt", "root/a.log",
              "root/.hidden/h.txt", "root/.dotfile.txt", "root/Sub1/.cache/x.txt", "loose.txt"})
            Dir.WriteFile(Name, "");
    }

    TTempDir Dir;
    TForm* Form = nullptr;
    TRichEdit* List = nullptr;
    std::vector<AnsiString> Reported;
    std::vector<int> Indexes, Totals;
};

using TNames = std::vector<AnsiString>;

} // namespace

TEST_F(DropperTest, DroppedPathsAreReportedWholeInDropOrderFoldersAsTheirFilesInNameOrder)
{
    MakeTree();
    const TNames Odd{"odd/bad \xFF byte.txt",
                     "odd/Gr\xC3\xBC\xC3\x9F"
                     "e an alle.txt",
                     "odd/\xE6\x97\xA5\xE6\x9C\xAC.txt"};
    for (const AnsiString& N : Odd)
        Dir.WriteFile(N, "");
    const AnsiString Long = AnsiString(150, 'f') + "/" + AnsiString(200, 'n') + ".txt";
    ASSERT_GT(Dir.WriteFile(Long, "").size(), 255u);
    NewDropper(Form, List);

    EXPECT_EQ(Drop(List, {"root", "odd", Long}),
              (TNames{"root/a.log", "root/b.txt", "root/Sub1/c.txt", "root/Sub1/Deep/d.txt", "root/sub2/e.txt", Odd[0],
                      Odd[1], Odd[2], Long}));
    EXPECT_EQ(Indexes, (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 1, 2}));
    EXPECT_EQ(Totals, (std::vector<int>(9, 3)));
}

TEST_F(DropperTest, EveryCombinationOfTheFlagsReportsWhatItSelects)
{
    MakeTree();
    const TNames Nothing{}, LooseOnly{"loose.txt"}, AsDropped{"root", "loose.txt"};
    const TNames AllFiles{"root/a.log",           "root/b.txt",      "root/Sub1/c.txt",
                          "root/Sub1/Deep/d.txt", "root/sub2/e.txt", "loose.txt"};
    const TNames LeafFiles{"root/Sub1/Deep/d.txt", "root/sub2/e.txt", "loose.txt"};
    const TNames AllFolders{"root", "root/Sub1", "root/Sub1/Deep", "root/sub2", "loose.txt"};
    const TNames LeafFolders{"root/Sub1/Deep", "root/sub2", "loose.txt"};
    const TNames* EveryLevel[2][2] = {{&AllFiles, &LeafFiles}, {&AllFolders, &LeafFolders}}; // [OnlyDirs][OnlyLeafs]
    auto Check = [&](TFlags F, const TNames& Expected) {
        TFileDropper* D = NewDropper(nullptr, List, F);
        EXPECT_EQ(Drop(List, {"root", "loose.txt"}), Expected)
            << "AllowDir " << F.AllowDir << " All " << F.All << " One " << F.One << " OnlyDirs " << F.OnlyDirs
            << " OnlyLeafs " << F.OnlyLeafs;
        Free(D);
    };
    // With OnlyDirs a dropped file is handled like a folder that holds
    // nothing, so it is still reported where such a folder would be.
    for (const bool OnlyDirs : {false, true}) {
        for (const bool OnlyLeafs : {false, true}) {
            // AllowDir off: folders are left alone, files reported unless OnlyDirs.
            for (const bool All : {false, true}) {
                for (const bool One : {false, true})
                    Check({false, All, One, OnlyDirs, OnlyLeafs}, OnlyDirs ? Nothing : LooseOnly);
            }
            // Neither recurse flag: the dropped paths themselves.
            Check({true, false, false, OnlyDirs, OnlyLeafs}, AsDropped);
            // Every level, whatever the one-level flag says.
            for (const bool One : {false, true})
                Check({true, true, One, OnlyDirs, OnlyLeafs}, *EveryLevel[OnlyDirs][OnlyLeafs]);
        }
    }
    // One level: the dropped folder's own files (none once it has sub-folders and only leaves count).
    Check({true, false, true, false, false}, TNames{"root/a.log", "root/b.txt", "loose.txt"});
    Check({true, false, true, false, true}, LooseOnly);
    Check({true, false, true, true, false}, AsDropped);
    Check({true, false, true, true, true}, LooseOnly);
}

TEST_F(DropperTest, AFileMaskSelectsFilesInsideFoldersOnly)
{
    MakeTree();
    Dir.WriteFile("z.log", "");
    NewDropper(Form, List, WindowFlags, "*.TXT");

    EXPECT_EQ(Drop(List, {"root", "z.log"}),
              (TNames{"root/b.txt", "root/Sub1/c.txt", "root/Sub1/Deep/d.txt", "root/sub2/e.txt", "z.log"}));
}

TEST_F(DropperTest, APathThatCannotBeReadCountsAsAFolder)
{
    TFileDropper* Walking = NewDropper(Form, List);
    EXPECT_EQ(Drop(List, {"missing"}), TNames{});
    Free(Walking);

    NewDropper(Form, List, {true, false, false, false, false});
    EXPECT_EQ(Drop(List, {"missing"}), TNames{"missing"});
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
    TFileDropper* Second = NewDropper(nullptr, List);
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{"a.txt"}); // the top hook takes the drop

    Free(First); // not the top one
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{"a.txt"});
    Free(Second);
    EXPECT_EQ(GetWindowLongA(Wnd, GWL_WNDPROC), Plain);
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{});
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
    EXPECT_EQ(Drop(List, {"a.txt"}), TNames{});
    EXPECT_EQ(Drop(Other, {"a.txt"}), TNames{"a.txt"});

    Free(List);
    List = nullptr;
    EXPECT_EQ(D->GetDropSite(), Other);
}
