#include "grid/shared/GxPopupColor.h"
#include "platform/win/UserInteraction.h"
#include "tests/grid/shared/PopupFixtures.h"

namespace {

using namespace GxPopupControl;
using namespace platform::test;

class GxPopupColorTest : public TPopupTest<> {
protected:
    void SetUp() override
    {
        TPopupTest::SetUp();
        Popup = MakePopup<TGxColorPopup>();
        Popup->OnColorOver = [this](TObject*, TColor C) { Over.push_back(C); };
        Popup->OnDialogClose = [this](TObject*, bool Executed) { DialogCloses.push_back(Executed); };
    }
    static TPoint Swatch(int Col, int Row) { return TPoint(10 * Col + 5, 28 + 10 * Row + 5); }
    TColor At(TPoint P) { return PixelAt(Popup, P.X, P.Y); }
    TGxColorPopup* Popup = nullptr;
    std::vector<TColor> Over;
    std::vector<bool> DialogCloses;
};

TEST(ColorTexts, DollarHexOrNamesAndWebNotation)
{
    EXPECT_EQ(DelphiColorToString(0x00FF8000, false), "$00FF8000");
    EXPECT_EQ(DelphiColorToString(clRed, false), "$000000FF");
    EXPECT_EQ(DelphiColorToString(clRed, true), "clRed");
    EXPECT_EQ(DelphiColorToString(0x00FF8000, true), "$00FF8000");
    EXPECT_EQ(WebColorToString(0xFFFFFF, true), "transparent");
    EXPECT_EQ(WebColorToString(0xFFFFFF, false), "#FFFFFF");
    EXPECT_EQ(WebColorToString(0x00FF8000, false), "#0080FF");
    EXPECT_EQ(WebColorToString(clRed, true), "red");
    EXPECT_EQ(WebColorToString(clBtnFace, false), "#D4D0C8");
    EXPECT_EQ(WebColorToString(0x123456, true), "#563412");
}

TEST_F(GxPopupColorTest, TheMatrixIsPaintedWithTheSelectionAndInfoBox)
{
    EXPECT_EQ(Popup->GetMatrixColor(0, 7), clBlack);
    EXPECT_EQ(Popup->GetMatrixColor(2, 0), clBlack);
    EXPECT_EQ(Popup->GetMatrixColor(1, 3), TColor(RGB(153, 153, 153)));
    EXPECT_EQ(Popup->GetMatrixColor(1, 10), TColor(0xFFFF00));
    EXPECT_EQ(Popup->GetMatrixColor(8, 0), TColor(RGB(0, 255, 0)));
    EXPECT_EQ(Popup->GetMatrixColor(9, 7), TColor(RGB(204, 0, 51)));
    EXPECT_EQ(Popup->GetMatrixColor(15, 5), TColor(RGB(102, 0, 255)));
    EXPECT_EQ(Popup->GetMatrixColor(20, 11), clWhite);

    Popup->SetSelectedColor(RGB(204, 0, 51));
    Open(Popup);
    for (auto [Col, Row] : {std::pair{1, 3}, {1, 10}, {8, 0}, {9, 7}, {20, 11}})
        EXPECT_EQ(At(Swatch(Col, Row)), Popup->GetMatrixColor(Col, Row)) << Col << "," << Row;
    // Swatches share their black borders; the selected one's is white.
    EXPECT_EQ(PixelAt(Popup, 85, 28 + 70), clBlack);
    EXPECT_EQ(PixelAt(Popup, 90, 28 + 75), clWhite);
    EXPECT_EQ(PixelAt(Popup, 95, 28 + 80), clWhite);
    EXPECT_EQ(PixelAt(Popup, 20, 14), TColor(RGB(204, 0, 51)));
    EXPECT_EQ(PixelAt(Popup, 4, 4), clBlack);
    SaveImage(Popup, "colour-popup");

    // No colour: a white box crossed in red, and no swatch framed.
    Popup->SetSelectedColor(clNone);
    Popup->Invalidate();
    EXPECT_EQ(PixelAt(Popup, 5, 5), clRed);
    EXPECT_EQ(PixelAt(Popup, 30, 8), clWhite);
    EXPECT_EQ(PixelAt(Popup, 90, 28 + 75), clBlack);
}

TEST_F(GxPopupColorTest, TheInfoFollowsThePointer)
{
    Popup->SetSelectedColor(clRed);
    Open(Popup);
    MouseMoveAtScreen(Popup->ClientToScreen(Swatch(9, 7)));
    EXPECT_EQ(PixelAt(Popup, 20, 14), TColor(RGB(204, 0, 51)));
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(120, 14)));
    EXPECT_EQ(PixelAt(Popup, 20, 14), clRed);
    ASSERT_GE(Over.size(), 2u);
    EXPECT_EQ(Over[Over.size() - 2], TColor(RGB(204, 0, 51)));
    EXPECT_EQ(Over.back(), clRed);
}

TEST_F(GxPopupColorTest, OnlyASwatchGivesAColour)
{
    Popup->SetUseColorNames(true);
    Open(Popup);
    ClickOn(Popup, Swatch(1, 6).X, Swatch(1, 6).Y);
    // The strip above the matrix, the info box and the gap beside the buttons.
    for (TPoint P : {TPoint(50, 22), TPoint(5, 19), TPoint(20, 14), TPoint(130, 10)})
        ClickOn(Popup, P.X, P.Y);
    Popup->SetWebColorFormat(true);
    ClickOn(Popup, Swatch(20, 11).X, Swatch(20, 11).Y);
    EXPECT_EQ(Inputs, (std::vector<AnsiString>{"clRed", "transparent"}));
    EXPECT_FALSE(Popup->GetClosed());
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(50, 50)));
    ClickOn(Popup->GetNoneButton(), 10, 10);
    EXPECT_EQ(Inputs.back(), "");
    // Left for the outside after a button, it holds the mouse again: a click there closes it.
    MouseMoveAtScreen(Form->ClientToScreen(TPoint(280, 180)));
    ClickAtScreen(Form->ClientToScreen(TPoint(280, 180)));
    EXPECT_TRUE(Popup->GetClosed());
    EXPECT_EQ(Closings, 1);
}

TEST_F(GxPopupColorTest, MoreColoursClosesThenRunsTheDialog)
{
    TScriptedInteraction Script;
    Script.ColorAnswers = {0x123456};
    std::vector<std::size_t> AnswersAtClosing;
    Popup->OnDeactivate = [&](TObject*) { AnswersAtClosing.push_back(Script.ColorAnswers.size()); };
    Open(Popup);
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(120, 14)));
    ClickOn(Popup->GetColorsButton(), 10, 10);
    EXPECT_TRUE(Popup->GetClosed());
    EXPECT_EQ(AnswersAtClosing, std::vector<std::size_t>{1});
    EXPECT_EQ(Inputs, std::vector<AnsiString>{"$00123456"});

    // Cancelled: no value; web notation ignores the names.
    Open(Popup);
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(120, 14)));
    ClickOn(Popup->GetColorsButton(), 10, 10);
    Popup->SetWebColorFormat(true);
    Popup->SetUseColorNames(true);
    Script.ColorAnswers = {0xFFFFFF};
    Open(Popup);
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(120, 14)));
    ClickOn(Popup->GetColorsButton(), 10, 10);
    EXPECT_EQ(Inputs, (std::vector<AnsiString>{"$00123456", "#FFFFFF"}));
    EXPECT_EQ(DialogCloses, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(AnswersAtClosing.size(), 3u);
}

} // namespace
