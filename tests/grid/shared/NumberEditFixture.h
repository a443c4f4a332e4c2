// A number edit on a form, on a fixed profile whose decimal separator is the
// test's parameter.
#pragma once
#include "grid/shared/GxNumberEdit.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <algorithm>

class TNumberEditFixture : public TFormTest, public testing::WithParamInterface<char> {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        FormatSettings = DefaultFormatSettings();
        FormatSettings.DecimalSeparator = GetParam();
        Edit = New<GxNumberEdit::TGxNumberEdit>(Form);
        Edit->SetParent(Form);
        Other = New<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetTop(60);
        platform::test::ProcessEvents();
    }
    // S with the profile's separator in place of '.'.
    static AnsiString N(AnsiString S)
    {
        std::replace(S.begin(), S.end(), '.', FormatSettings.DecimalSeparator);
        return S;
    }
    // The text once the edit held Text with the focus and lost it.
    AnsiString AfterFocusLoss(const AnsiString& Text)
    {
        Edit->SetFocus();
        Edit->SetText(N(Text));
        Other->SetFocus();
        return Edit->GetText();
    }
    TFormatSettingsGuard Restore;
    GxNumberEdit::TGxNumberEdit* Edit = nullptr;
    TEdit* Other = nullptr;
};
