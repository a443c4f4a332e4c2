#include "grid/shared/GxPopupCalc.h"
#include "tests/grid/shared/PopupFixtures.h"

#include <string>

namespace {

using namespace GxPopupControl;
using namespace platform::test;

// An edit stand-in that records the operations the keys call.
class TRecordingCalculator : public TPopupEditStub, public IGxCalculator {
public:
    using TPopupEditStub::TPopupEditStub;
    std::vector<std::string> Calls;
    bool MemoryEmpty = true;

    void Backspace() override { Calls.push_back("Backspace"); }
    void Erase() override { Calls.push_back("Erase"); }
    void ClearValue() override { Calls.push_back("ClearValue"); }
    void ClearMemory() override { Calls.push_back("ClearMemory"); }
    void AddNumber(int Digit) override { Calls.push_back(std::to_string(Digit)); }
    void AddDot() override { Calls.push_back("AddDot"); }
    void Divide() override { Calls.push_back("Divide"); }
    void Multiply() override { Calls.push_back("Multiply"); }
    void Minus() override { Calls.push_back("Minus"); }
    void Plus() override { Calls.push_back("Plus"); }
    void Equal() override { Calls.push_back("Equal"); }
    void Sqrt() override { Calls.push_back("Sqrt"); }
    void Ratio() override { Calls.push_back("Ratio"); }
    void Sign() override { Calls.push_back("Sign"); }
    void Memory() override { Calls.push_back("Memory"); }
    void MemoryAdd() override { Calls.push_back("MemoryAdd"); }
    void RestoreMemory() override { Calls.push_back("RestoreMemory"); }
    bool IsMemoryEmpty() const override { return MemoryEmpty; }
};

class GxPopupCalcTest : public TPopupTest<TRecordingCalculator> {
protected:
    void SetUp() override
    {
        TPopupTest::SetUp();
        Popup = MakePopup<TGxCalcPopup>();
        Open(Popup);
        MouseMoveAtScreen(Popup->ClientToScreen(TPoint(2, 100)));
    }
    void Press(TCalcButtonKind Kind) { ClickOn(Popup->GetButton(Kind), 15, 12); }
    // Whether anything darker than the face is drawn inside the memory box.
    bool MemoryMarkShows()
    {
        for (int Y = 10; Y < 24; ++Y)
            for (int X = 10; X < 24; ++X)
                if ((PixelAt(Popup, X, Y) & 0xFF) < 100) return true;
        return false;
    }
    TGxCalcPopup* Popup = nullptr;
};

TEST_F(GxPopupCalcTest, TwentySevenKeysInTheirPlaces)
{
    const char* Rows[] = {"MC 7 8 9 / sqrt", "MR 4 5 6 * %", "MS 1 2 3 - 1/x", "M+ 0 +/- . + ="};
    EXPECT_EQ(Popup->GetButton(ckBackspace)->GetCaption(), "Back");
    EXPECT_EQ(Popup->GetButton(ckC)->GetBoundsRect(), TRect(142, 4, 193, 28));
    for (int I = 3; I < CalcButtonCount; ++I) {
        const int Place = I - 3, Row = Place / 6, Col = Place % 6;
        TGxCalcButton* Key = Popup->GetButton(TCalcButtonKind(I));
        EXPECT_EQ(Key->GetButtonKind(), I);
        EXPECT_EQ(Key->GetBoundsRect(), Bounds(4 + 32 * Col, 32 + 26 * Row, 30, 24)) << I;
        const std::string Line = Rows[Row];
        std::size_t From = 0;
        for (int K = 0; K < Col; ++K)
            From = Line.find(' ', From) + 1;
        EXPECT_EQ(Key->GetCaption(), Line.substr(From, Line.find(' ', From) - From)) << I;
    }
    // Blue for the digits and the functions, red for the rest.
    for (TCalcButtonKind K : {ck0, ck9, ckSqrt, ckPercent, ckRatio, ckSign, ckDot})
        EXPECT_EQ(Popup->GetButton(K)->GetFont()->GetColor(), clBlue) << K;
    for (TCalcButtonKind K : {ckBackspace, ckCe, ckC, ckMC, ckMR, ckMS, ckM, ckDiv, ckPlus, ckEqual})
        EXPECT_EQ(Popup->GetButton(K)->GetFont()->GetColor(), clRed) << K;
    SaveImage(Popup, "calculator-popup");
}

TEST_F(GxPopupCalcTest, EachKeyCallsItsOperation)
{
    for (int I = 0; I < CalcButtonCount; ++I)
        Press(TCalcButtonKind(I));
    const std::vector<std::string> Expected = {
        "Backspace", "Erase",  "ClearValue", "ClearMemory",    "7", "8", "9", "Divide", "Sqrt",  "RestoreMemory", "4",
        "5",         "6",      "Multiply",   /* % */ "Memory", "1", "2", "3", "Minus",  "Ratio", "MemoryAdd",     "0",
        "Sign",      "AddDot", "Plus",       "Equal"};
    EXPECT_EQ(Owner->Calls, Expected);
    // The pad stays open and hands on no text; its background does nothing.
    ClickOn(Popup, 2, 100);
    EXPECT_EQ(Owner->Calls.size(), Expected.size());
    EXPECT_TRUE(Inputs.empty());
    EXPECT_FALSE(Popup->GetClosed());
}

TEST_F(GxPopupCalcTest, TheMemoryMarkShowsWhileTheMemoryHoldsAValue)
{
    EXPECT_FALSE(MemoryMarkShows());
    Owner->MemoryEmpty = false;
    Press(ckMS);
    EXPECT_TRUE(MemoryMarkShows());
    Owner->MemoryEmpty = true;
    Press(ckMC);
    EXPECT_FALSE(MemoryMarkShows());
}

TEST_F(GxPopupCalcTest, WithoutACalculatorTheKeysDoNothing)
{
    TOwned<TGxCalcPopup> Loose(New<TGxCalcPopup>(Form));
    const TPoint At = Form->ClientToScreen(TPoint(20, 20));
    Loose->Popup(At.X, At.Y);
    MouseMoveAtScreen(Loose->ClientToScreen(TPoint(2, 100)));
    ClickOn(Loose->GetButton(ck7), 15, 12);
    ClickOn(Loose->GetButton(ckMS), 15, 12);
    EXPECT_FALSE(Loose->GetClosed());
    EXPECT_TRUE(Owner->Calls.empty());
}

} // namespace
