#include "ControlFixtures.h"

namespace {

using namespace platform::test;

using ActivateApp = TFormTest;

// A control that notes the WM_ACTIVATEAPP its handler hears: 'A' for
// gained, 'D' for lost.
class TAppWatcher : public TProbeControl {
public:
    using TProbeControl::TProbeControl;
    std::string Heard;

protected:
    void WMActivateApp(TMessage& Message) override
    {
        Heard += Message.WParam ? 'A' : 'D';
        TProbeControl::WMActivateApp(Message);
    }
};

TEST_F(ActivateApp, EveryWindowHearsWhenTheProgramGainsOrLosesTheActivation)
{
    auto* Child = New<TAppWatcher>(Form);
    Child->SetParent(Form);
    TOwned<TAppWatcher> Alone(New<TAppWatcher>(nullptr)); // a window of its own, hidden
    Alone->HandleNeeded();
    SetApplicationActive(false);
    SetApplicationActive(false); // no change, no word
    SetApplicationActive(true);
    EXPECT_EQ(Child->Heard, "DA");
    EXPECT_EQ(Alone->Heard, "DA");
}

} // namespace
