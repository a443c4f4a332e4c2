#include "ControlFixtures.h"

namespace {

using namespace platform::test;

// A probe whose class may keep its pixels over a resize.
class TKeepingControl : public TProbeControl {
public:
    TKeepingControl(TComponent* AOwner, UINT Keep) : TProbeControl(AOwner), FKeep(Keep) {}

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TProbeControl::CreateParams(Params);
        Params.WindowClass.style &= ~FKeep;
    }

private:
    UINT FKeep;
};

using ResizeRepaint = TFormTest;

// Grows the control from 100 × 50 to 160 × 80 after it painted itself red
// and now paints blue: answers the colours at the old area and at the
// strips the new size uncovered, right and below.
std::vector<TColor> GrowAndProbe(TForm* Form, UINT Keep)
{
    TOwned<TKeepingControl> Control(New<TKeepingControl>(nullptr, Keep));
    Control->SetParent(Form);
    Control->Fill = clRed;
    PaintNow(Control.get());
    Control->Fill = clBlue;
    Control->SetBounds(0, 0, 160, 80);
    return {PixelAt(Control.get(), 10, 10), PixelAt(Control.get(), 130, 10), PixelAt(Control.get(), 10, 70)};
}

TEST_F(ResizeRepaint, WithoutRedrawStylesOnlyTheUncoveredPartIsPainted)
{
    EXPECT_EQ(GrowAndProbe(Form, CS_HREDRAW | CS_VREDRAW), (std::vector<TColor>{clRed, clBlue, clBlue}));
    // Each style asks for all of the window when its side changes.
    EXPECT_EQ(GrowAndProbe(Form, CS_VREDRAW), (std::vector<TColor>{clBlue, clBlue, clBlue}));
    EXPECT_EQ(GrowAndProbe(Form, CS_HREDRAW), (std::vector<TColor>{clBlue, clBlue, clBlue}));
    EXPECT_EQ(GrowAndProbe(Form, 0), (std::vector<TColor>{clBlue, clBlue, clBlue}));
}

} // namespace
