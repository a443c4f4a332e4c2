// A fresh main window per test, with its application folder in a temporary
// folder and every dialog scripted.
#pragma once
#include "app/Unit1.h"
#include "platform/win/UserInteraction.h"
#include "platform/testing/TestDriving.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

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

    static void SetLines(TStrings* Lines, std::initializer_list<const char*> Texts)
    {
        Lines->Clear();
        for (const char* T : Texts)
            Lines->Add(T);
    }

    static std::vector<AnsiString> LinesOf(TStrings* Lines)
    {
        std::vector<AnsiString> V;
        for (int I = 0; I < Lines->GetCount(); ++I)
            V.push_back(Lines->Get(I));
        return V;
    }

    TTempDir AppDir;
    TScriptedInteraction Script;
    Unit1::TForm1* Form = nullptr;
};
