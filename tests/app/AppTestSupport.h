// A fresh main window per test, with its application folder and the user's
// folders (where the last profile is kept) temporary, and every dialog scripted.
#pragma once
#include "app/Unit1.h"
#include "platform/win/UserInteraction.h"
#include "platform/testing/TestDriving.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using TLines = std::vector<AnsiString>;

class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetApplicationDirectory(AppDir.Path());
        Unit1::DuplicateList->Clear();
        Unit1::DuplicateList->SetSorted(false);
        Unit1::CancelFlag = false;
        Unit1::ScanningFlag = false;
    }

    void TearDown() override
    {
        FreeAndNil(Form);
        Unit1::Form1 = nullptr;
        platform::SetApplicationDirectory("");
    }

    // Makes the window (FormCreate runs) after the test has laid out its folder.
    Unit1::TForm1* MakeForm()
    {
        Form = New<Unit1::TForm1>(nullptr);
        Unit1::Form1 = Form;
        return Form;
    }

    static void SetLines(TStrings* Lines, const TLines& Texts)
    {
        Lines->Clear();
        for (const AnsiString& T : Texts)
            Lines->Add(T);
    }

    static TLines LinesOf(TStrings* Lines)
    {
        TLines V;
        for (int I = 0; I < Lines->GetCount(); ++I)
            V.push_back(Lines->Get(I));
        return V;
    }
    static TLines LinesOf(TCustomMemo* Edit) { return LinesOf(Edit->GetLines()); }

    // The window as it is between scans: Start Scan offered, every list and
    // button usable, no progress shown.
    void ExpectIdle()
    {
        EXPECT_FALSE(Unit1::ScanningFlag);
        EXPECT_TRUE(Form->BitBtn1->GetVisible());
        EXPECT_FALSE(Form->BitBtn3->GetVisible());
        EXPECT_FALSE(Form->ProgressBar1->GetVisible());
        EXPECT_EQ(Form->ProgressBar1->GetPosition(), 0);
        EXPECT_EQ(Form->GetCaption(), "Quillmote");
        for (TControl* C : std::initializer_list<TControl*>{Form->RichEdit9, Form->RichEdit3, Form->RichEdit4,
                                                            Form->BitBtn2, Form->BitBtn6, Form->BitBtn4, Form->BitBtn5})
            EXPECT_TRUE(C->GetEnabled()) << C->GetName();
    }

    TTemporaryHome Home;
    TTempDir AppDir;
    TScriptedInteraction Script;
    Unit1::TForm1* Form = nullptr;
};
