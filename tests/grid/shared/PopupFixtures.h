// A form with an edit stand-in that owns the popup under test, opened with
// no button down (armed at once), its values and closings counted.
#pragma once
#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/testing/Pointer.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <vector>

// Closes its popup when asked, as the drop-down edits do.
class TPopupEditStub : public TCustomControl, public GxPopupControl::IGxPopupOwner {
public:
    explicit TPopupEditStub(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(10, 10, 100, 20); }
    void SetDroppedDown(bool Value) override
    {
        if (Value || !Popup) return;
        Popup->Hide();
        Popup->SetClosed(true);
    }
    GxPopupControl::TGxPopupControl* Popup = nullptr;
};

template <class TOwnerClass = TPopupEditStub> class TPopupTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        FormatSettings = DefaultFormatSettings();
        Owner = New<TOwnerClass>(Form);
        Owner->SetParent(Form);
    }
    template <class T> T* MakePopup()
    {
        auto* P = New<T>(Owner);
        P->OnDeactivate = [this](TObject*) { ++Closings; };
        P->OnInput = [this](TObject*, const AnsiString& V) { Inputs.push_back(V); };
        Owner->Popup = P;
        return P;
    }
    void Open(GxPopupControl::TGxPopupControl* P)
    {
        const TPoint At = Owner->ClientToScreen(TPoint(0, Owner->GetHeight()));
        P->Popup(At.X, At.Y);
    }
    // A press and release at a client point of the popup, as the user makes it.
    void ClickOn(TControl* C, int X, int Y) { platform::test::ClickAtScreen(C->ClientToScreen(TPoint(X, Y))); }
    static bool Themed() { return GxThemesSupport::IsThemed(); }
    // Saves the popup as a PNG where QUILLMOTE_SHEET_DIR points.
    static void SaveImage(TWinControl* P, const char* Name)
    {
        if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
            platform::test::SaveWindowImage(P, AnsiString(Dir) + "/" + Name + (Themed() ? "-themed" : "-classic") +
                                                   ".png");
    }
    TFormatSettingsGuard KeepSettings;
    TOwnerClass* Owner = nullptr;
    int Closings = 0;
    std::vector<AnsiString> Inputs;
};
