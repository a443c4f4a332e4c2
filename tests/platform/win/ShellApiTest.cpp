#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/UserInteraction.h"
#include "platform/testing/Drops.h"
#include "platform/win/ShellApi.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform::test;

using ShellApiTest = TFormTest;

namespace {

// Hooks a window's chain and writes down the names of every drop that
// comes through it; Probe looks at the handle before it is finished.
class TDropRecorder {
public:
    explicit TDropRecorder(TWinControl* Control) : FWnd(Control->GetHandle())
    {
        FInstance = MakeObjectInstance([this](TMessage& M) { Handle(M); });
        FPrevious = reinterpret_cast<WNDPROC>(SetWindowLongA(FWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance)));
    }
    ~TDropRecorder()
    {
        SetWindowLongA(FWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
        FreeObjectInstance(FInstance);
    }
    TDropRecorder(const TDropRecorder&) = delete;
    TDropRecorder& operator=(const TDropRecorder&) = delete;

    std::vector<std::vector<AnsiString>> Drops;
    std::function<void(HDROP)> Probe;
    bool Finish = true;

private:
    void Handle(TMessage& M)
    {
        if (M.Msg != WM_DROPFILES) {
            M.Result = CallWindowProcA(FPrevious, FWnd, M.Msg, M.WParam, M.LParam);
            return;
        }
        const auto Drop = reinterpret_cast<HDROP>(M.WParam);
        std::vector<AnsiString> Names;
        const UINT Count = DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT I = 0; I < Count; ++I)
            Names.push_back(platform::DragQueryFileName(Drop, I));
        Drops.push_back(Names);
        if (Probe) Probe(Drop);
        if (Finish) DragFinish(Drop);
    }

    HWND FWnd;
    WNDPROC FInstance = nullptr;
    WNDPROC FPrevious = nullptr;
};

TMemo* PlaceMemo(TWinControl* Parent, const AnsiString& Text)
{
    auto* Memo = Place<TMemo>(Parent, 10, 10, 200, 100);
    Memo->GetLines()->SetText(Text);
    return Memo;
}

} // namespace

TEST_F(ShellApiTest, FilesDroppedOnATextControlComeThroughItsChainWholeAndAreNotTyped)
{
    TMemo* Memo = PlaceMemo(Form, "kept\n");
    DragAcceptFiles(Memo->GetHandle(), true);
    TDropRecorder Recorder(Memo);
    const std::vector<AnsiString> Names = {"/tmp/with blank/a b.txt",
                                           "/tmp/Gr\xC3\xBC\xC3\x9F"
                                           "e/\xC3\xBCn\xC3\xAF.txt",
                                           "/tmp/bad\xFF"
                                           "byte%41",
                                           "/tmp/" + AnsiString(300, 'x') + "/" + AnsiString(200, 'y')};

    EXPECT_TRUE(DropFiles(Memo, Names));
    ProcessEvents();

    ASSERT_EQ(Recorder.Drops.size(), 1u);
    EXPECT_EQ(Recorder.Drops[0], Names);
    EXPECT_EQ(Memo->GetLines()->GetText(), "kept\n");
}

TEST_F(ShellApiTest, DragQueryFileCountsCutsAndForgetsAFinishedDrop)
{
    TMemo* Memo = PlaceMemo(Form, "");
    DragAcceptFiles(Memo->GetHandle(), true);
    TDropRecorder Recorder(Memo);
    Recorder.Finish = false;
    HDROP Seen = nullptr;
    Recorder.Probe = [&](HDROP Drop) {
        Seen = Drop;
        char Buffer[8] = "-------";
        EXPECT_EQ(DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0), 2u);
        EXPECT_EQ(DragQueryFileA(Drop, 0, nullptr, 0), 14u);
        EXPECT_EQ(DragQueryFileA(Drop, 0, Buffer, sizeof Buffer), 7u);
        EXPECT_STREQ(Buffer, "/tmp/ab");
        EXPECT_EQ(DragQueryFileA(Drop, 1, Buffer, sizeof Buffer), 4u);
        EXPECT_STREQ(Buffer, "/tmp");
        EXPECT_EQ(DragQueryFileA(Drop, 0, Buffer, 0), 0u);
        EXPECT_EQ(DragQueryFileA(Drop, 2, Buffer, sizeof Buffer), 0u);
        EXPECT_EQ(platform::DragQueryFileName(Drop, 2), "");
        DragFinish(Drop);
        EXPECT_EQ(DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0), 0u);
        EXPECT_EQ(platform::DragQueryFileName(Drop, 0), "");
    };

    EXPECT_TRUE(DropFiles(Memo, {"/tmp/abcd.file", "/tmp"}));
    ASSERT_EQ(Recorder.Drops.size(), 1u);
    EXPECT_EQ(Recorder.Drops[0], (std::vector<AnsiString>{"/tmp/abcd.file", "/tmp"}));

    // A drop nobody finishes goes when its message has been handled; a
    // finished drop's handle reaches nothing while a later drop is live.
    const HDROP First = Seen;
    Recorder.Probe = [&](HDROP Drop) {
        Seen = Drop;
        EXPECT_NE(Drop, First);
        EXPECT_EQ(DragQueryFileA(First, 0xFFFFFFFF, nullptr, 0), 0u);
    };
    EXPECT_TRUE(DropFiles(Memo, {"/tmp/x"}));
    ASSERT_NE(Seen, nullptr);
    EXPECT_EQ(DragQueryFileA(Seen, 0xFFFFFFFF, nullptr, 0), 0u);
}

TEST_F(ShellApiTest, OnlyLocalFileUrlsBecomeNamesDecodedByteForByte)
{
    TMemo* Memo = PlaceMemo(Form, "");
    DragAcceptFiles(Memo->GetHandle(), true);
    TDropRecorder Recorder(Memo);

    EXPECT_TRUE(DropUrls(Memo, {"# a comment line", "http://example.com/page.txt", "file://localhost/tmp/a%20b",
                                "FILE:///tmp/dir/", "file://far.example/share/x", "file:///tmp/nul%00name",
                                "file:/tmp/q%3Fr?query#fragment", "file:///tmp/bad%zz%4", "file:///tmp/%ff%C3%A9",
                                "file:relative/name"}));

    ASSERT_EQ(Recorder.Drops.size(), 1u);
    EXPECT_EQ(Recorder.Drops[0],
              (std::vector<AnsiString>{"/tmp/a b", "/tmp/dir", "/tmp/q?r", "/tmp/bad%zz%4", "/tmp/\xFF\xC3\xA9"}));
}

TEST_F(ShellApiTest, DragsWithoutLocalFilesAreRefusedWhereUnacceptedTheEditorTypesThem)
{
    TMemo* Accepting = PlaceMemo(Form, "kept\n");
    DragAcceptFiles(Accepting->GetHandle(), true);
    TDropRecorder Recorder(Accepting);
    auto* Plain = Place<TMemo>(Form, 10, 120, 200, 60);

    EXPECT_FALSE(DropUrls(Accepting, {"http://example.com/", "https://example.org/x"}));
    EXPECT_TRUE(Recorder.Drops.empty());
    EXPECT_EQ(Accepting->GetLines()->GetText(), "kept\n");

    // Without DragAcceptFiles the editor takes the drag as text, as Qt does.
    EXPECT_TRUE(DropUrls(Plain, {"http://example.com/"}));
    EXPECT_NE(Plain->GetLines()->GetText().find("http://example.com/"), AnsiString::npos);
}

TEST_F(ShellApiTest, TurningDropsOffGivesTheWindowItsOwnBehaviourBack)
{
    auto* Panel = Place<TPanel>(Form, 10, 10, 100, 60);
    TMemo* Memo = PlaceMemo(Form, "");
    Memo->SetTop(100);
    EXPECT_FALSE(DropFiles(Panel, {"/tmp/a"}));

    DragAcceptFiles(Panel->GetHandle(), true);
    DragAcceptFiles(Panel->GetHandle(), true); // twice is once
    DragAcceptFiles(Memo->GetHandle(), true);
    TDropRecorder PanelDrops(Panel);
    TDropRecorder MemoDrops(Memo);
    EXPECT_TRUE(DropFiles(Panel, {"/tmp/a"}));
    EXPECT_EQ(PanelDrops.Drops.size(), 1u);

    DragAcceptFiles(Panel->GetHandle(), false);
    DragAcceptFiles(Memo->GetHandle(), false);
    EXPECT_FALSE(DropFiles(Panel, {"/tmp/a"}));
    EXPECT_TRUE(DropFiles(Memo, {"/tmp/b"}));
    EXPECT_EQ(PanelDrops.Drops.size(), 1u);
    EXPECT_TRUE(MemoDrops.Drops.empty());
    EXPECT_NE(Memo->GetLines()->GetText().find("file:///tmp/b"), AnsiString::npos);
}

TEST_F(ShellApiTest, AFailingDropHandlerIsReportedAndTheDropStillGoes)
{
    TScriptedInteraction Script;
    TMemo* Memo = PlaceMemo(Form, "");
    DragAcceptFiles(Memo->GetHandle(), true);
    TDropRecorder Recorder(Memo);
    Recorder.Finish = false;
    HDROP Seen = nullptr;
    Recorder.Probe = [&](HDROP Drop) {
        Seen = Drop;
        throw Exception("drop failed");
    };

    EXPECT_TRUE(DropFiles(Memo, {"/tmp/a"}));

    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "drop failed.");
    EXPECT_EQ(DragQueryFileA(Seen, 0xFFFFFFFF, nullptr, 0), 0u);
}
