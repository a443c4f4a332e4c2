#include "platform/controls/Clipbrd.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The application's title for the length of a test.
class TTitle {
public:
    explicit TTitle(const AnsiString& Title) : FOld(Application->GetTitle()) { Application->SetTitle(Title); }
    ~TTitle() { Application->SetTitle(FOld); }

private:
    AnsiString FOld;
};

} // namespace

TEST(Dialogs, ShowMessageAndMessageDlgGoThroughTheInteraction)
{
    TTitle Title("Quillmote");
    TScriptedInteraction Script;
    Script.MessageBoxAnswers = {IDNO};
    ShowMessage("Successfully exported!");
    EXPECT_EQ(MessageDlg("Replace it?", mtConfirmation, mbYesNoCancel, 0), mrNo);
    EXPECT_EQ(MessageDlg("Odd", mtCustom, {mbOK}, 0), mrCancel); // no answer left
    ASSERT_EQ(Script.Messages.size(), 3u);
    EXPECT_EQ(Script.Messages[0].Title, "Quillmote");
    EXPECT_EQ(Script.Messages[0].Text, "Successfully exported!");
    EXPECT_FALSE(Script.Messages[0].IsMessageBox);
    EXPECT_EQ(Script.Messages[1].Title, "Confirm");
    EXPECT_EQ(Script.Messages[1].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Script.Messages[2].Title, "Quillmote");
    EXPECT_EQ(Script.Messages[2].Flags, MB_OK);
}

TEST(OpenDialog, ExecuteHandsOverItsSettingsAndTakesTheChosenName)
{
    TScriptedInteraction Script;
    TOwned<TOpenDialog> Dialog(New<TOpenDialog>(nullptr));
    Dialog->SetTitle("Load Profile");
    Dialog->SetFilter("Quillmote Profile|*.qmp");
    Dialog->SetOptions({ofFileMustExist, ofHideReadOnly});
    Dialog->SetFileName("old.qmp");
    Script.FileDialogAnswers = {"/data/new profile.qmp", ""};
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/data/new profile.qmp");
    EXPECT_EQ(Dialog->GetFiles()->GetText(), "/data/new profile.qmp\n");
    ASSERT_EQ(Script.FileDialogs.size(), 1u);
    const TFileDialogRequest& R = Script.FileDialogs[0];
    EXPECT_FALSE(R.Save);
    EXPECT_EQ(R.Title, "Load Profile");
    EXPECT_EQ(R.Filter, "Quillmote Profile|*.qmp");
    EXPECT_EQ(R.FilterIndex, 1);
    EXPECT_EQ(R.FileName, "old.qmp");
    EXPECT_TRUE(R.FileMustExist);

    // Cancel: false, and the name stays.
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/data/new profile.qmp");
}

TEST(SaveDialog, ANameWithoutExtensionGetsTheDefaultOne)
{
    TScriptedInteraction Script;
    TOwned<TSaveDialog> Dialog(New<TSaveDialog>(nullptr));
    Dialog->SetDefaultExt(".txt");
    Script.FileDialogAnswers = {"/tmp/out/matches", "/tmp/out/list.csv", "/tmp/out/LIST.TXT", "/tmp/out.d/plain"};
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/tmp/out/matches.txt");
    EXPECT_FALSE(Dialog->GetOptions().Contains(ofExtensionDifferent));
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/tmp/out/list.csv");
    EXPECT_TRUE(Dialog->GetOptions().Contains(ofExtensionDifferent));
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/tmp/out/LIST.TXT");
    EXPECT_FALSE(Dialog->GetOptions().Contains(ofExtensionDifferent));
    Dialog->SetDefaultExt("qmp"); // given without its dot
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/tmp/out.d/plain.qmp");
    EXPECT_TRUE(Script.FileDialogs[0].Save);
}

TEST(SaveDialog, OverwritePromptAsksAboutTheNameWithItsDefaultExtension)
{
    TTempDir Dir;
    const AnsiString Existing = Dir.WriteFile("matches.txt", "old");
    TScriptedInteraction Script;
    TOwned<TSaveDialog> Dialog(New<TSaveDialog>(nullptr));
    Dialog->SetTitle("Export Matches...");
    Dialog->SetDefaultExt(".txt");
    Dialog->SetOptions({ofOverwritePrompt, ofHideReadOnly});

    // No: back to the choice, with the name proposed; then Cancel.
    Script.FileDialogAnswers = {Dir.Path() + "matches"};
    Script.MessageBoxAnswers = {IDNO};
    EXPECT_FALSE(Dialog->Execute());
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, Existing + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(Script.Messages[0].Title, "Export Matches...");
    ASSERT_EQ(Script.FileDialogs.size(), 2u);
    EXPECT_EQ(Script.FileDialogs[1].FileName, Existing);

    // Yes: the name is taken.
    Script.FileDialogAnswers = {Dir.Path() + "matches"};
    Script.MessageBoxAnswers = {IDYES};
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), Existing);

    // A new name asks nothing.
    Script.FileDialogAnswers = {Dir.Path() + "fresh"};
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Script.Messages.size(), 2u);
}

TEST(ColorDialog, ExecuteTakesTheChosenColour)
{
    TScriptedInteraction Script;
    TOwned<TColorDialog> Dialog(New<TColorDialog>(nullptr));
    Dialog->SetColor(clRed);
    Script.ColorAnswers = {0x123456};
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetColor(), 0x123456);
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetColor(), 0x123456);
}

TEST(Clipboard, TextComesBackByteForByteInsideTheProgram)
{
    const AnsiString Text = "bad \xFF\xC3 no\xC2\xA0"
                            "break\r\nlast";
    Clipboard()->SetAsText(Text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), Text);
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), "");
}

TEST(Dialogs, ThePictureDialogOpensPictureFiles)
{
    TScriptedInteraction Script;
    Script.FileDialogAnswers = {"/tmp/picture.bmp", ""};
    auto* Dialog = New<TOpenPictureDialog>(nullptr);
    EXPECT_TRUE(Dialog->Execute());
    EXPECT_EQ(Dialog->GetFileName(), "/tmp/picture.bmp");
    EXPECT_FALSE(Dialog->Execute());
    ASSERT_EQ(Script.FileDialogs.size(), 2u);
    EXPECT_FALSE(Script.FileDialogs[0].Save);
    EXPECT_NE(Script.FileDialogs[0].Filter.find("*.bmp"), AnsiString::npos);
    Free(Dialog);
}
