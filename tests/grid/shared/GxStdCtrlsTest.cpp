// The glyph holders and the palette-style tab control: pages, geometry,
// clicks, the delayed button hints and what it paints.
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxStdCtrls.h"
#include "grid/shared/GxThemesSupport.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>
#include <thread>

namespace {

using namespace GxStdCtrls;
using namespace platform::test;

TEST(GxGlyphSettings, GlyphsAreCopiesThatReportChangesAndShareTransparency)
{
    TGxActiveGlyphSettings S;
    int Changes = 0;
    S.OnChange = [&](TObject* Sender) { Changes += Sender == &S; };
    auto Normal = SquareGlyph(8, clFuchsia, clRed), Hover = SquareGlyph(10, clFuchsia, clBlue);
    S.SetNormalGlyph(Normal.get());
    S.SetHoverGlyph(Hover.get());
    EXPECT_EQ(Changes, 2);
    Normal->SetWidth(3); // the caller's bitmap is its own
    EXPECT_EQ(S.GetNormalGlyph()->GetWidth(), 8);
    EXPECT_EQ(S.GetHoverGlyph()->GetWidth(), 10);

    S.SetTransparentColor(clFuchsia);
    S.SetTransparent(true);
    for (TBitmap* G : {S.GetNormalGlyph(), S.GetHoverGlyph()}) {
        EXPECT_TRUE(G->GetTransparent());
        EXPECT_EQ(G->GetTransparentColor(), clFuchsia);
    }
}

// Page "One": three buttons, the first two with hint texts.
void FillFirstPage(TGxTabControl* Tabs)
{
    for (int I = 0; I < 3; ++I) {
        TGxPalleteButton* B = Tabs->AddButton("One", nullptr, I);
        B->SetShowHint(true);
        if (I < 2) B->SetHint(I ? "Second" : "First");
    }
}

class TTabs : public TGxTabControl {
public:
    using TGxTabControl::CanAutoSize;
    using TGxTabControl::TGxTabControl;
};

class GxTabControlTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Tabs = New<TTabs>(Form);
        Tabs->SetParent(Form);
        Tabs->SetBounds(10, 10, 240, 47);
        ProcessEvents();
    }
    void Fill()
    {
        FillFirstPage(Tabs);
        Tabs->AddButton("Two", nullptr, 0);
    }
    TTabs* Tabs = nullptr;
};

TEST_F(GxTabControlTest, PagesGeometryAndAutoSize)
{
    int W = 0, H = 0;
    EXPECT_TRUE(Tabs->CanAutoSize(W, H));
    EXPECT_EQ(H, 49);

    Fill();
    EXPECT_EQ(Tabs->GetTabButtons(0)->GetCount(), 3);
    EXPECT_EQ(Tabs->GetPaletteByName("Two"), Tabs->GetTabButtons(1));
    EXPECT_EQ(Tabs->GetPaletteByName("two"), nullptr);
    Tabs->Add("Two"); // a second page of the caption is never found
    EXPECT_EQ(Tabs->AddButton("Two", nullptr, 1)->GetOwner(), Tabs->GetTabButtons(1));

    EXPECT_EQ(Tabs->GetButtonAtPos(24, 30), 0);
    EXPECT_EQ(Tabs->GetButtonAtPos(25, 30), 1);
    Tabs->SetButtonWidth(0);
    EXPECT_EQ(Tabs->GetButtonAtPos(25, 30), -1); // no division by zero
    Tabs->SetButtonWidth(23);

    // Tabs lie by their captions' widths plus 12 from LeftIndent.
    TCanvas* C = Tabs->GetCanvas();
    C->GetFont()->Assign(Tabs->GetFont());
    const int End0 = 2 + C->TextWidth("One") + 12;
    EXPECT_EQ(Tabs->GetTabAtPos(End0 - 1, 22), 0);
    EXPECT_EQ(Tabs->GetTabAtPos(End0, 10), 1);
    EXPECT_EQ(Tabs->GetTabAtPos(1, 10), -1);
    EXPECT_EQ(Tabs->GetTabAtPos(5, 23), -1);
}

TEST_F(GxTabControlTest, ClicksNeedPressAndReleaseOnOneButton)
{
    Fill();
    std::vector<int> Clicks;
    Tabs->OnButtonClick = [&](TObject*, int Index) { Clicks.push_back(Index); };
    MouseDown(Tabs, 10, 30);
    EXPECT_EQ(Tabs->GetPressedIndex(), 0);
    MouseUp(Tabs, 30, 30);
    EXPECT_EQ(Tabs->GetPressedIndex(), -1);
    Click(Tabs, 30, 30);
    Click(Tabs, 80, 30); // beyond the page's buttons
    EXPECT_EQ(Clicks, std::vector<int>{1});

    // A press on a tab shows its page; changing the page forgets the marks.
    MouseMove(Tabs, 10, 30);
    EXPECT_EQ(Tabs->GetHoverIndex(), 0);
    const int Second = Tabs->GetCanvas()->TextWidth("One") + 20;
    Click(Tabs, Second, 10);
    EXPECT_EQ(Tabs->GetActiveIndex(), 1);
    EXPECT_EQ(Tabs->GetHoverIndex(), -1);

    // A page index that names no page paints and hit-tests no buttons.
    Tabs->SetActiveIndex(7);
    EXPECT_EQ(Tabs->GetButton(0), nullptr);
    PaintNow(Tabs);
    MouseMove(Tabs, 10, 30);
    Click(Tabs, 10, 30);
    EXPECT_EQ(Tabs->GetHoverIndex(), -1);
    EXPECT_EQ(Clicks.size(), 1u);
}

// Runs the event loop until Done or Limit milliseconds.
void RunUntil(const std::function<bool()>& Done, Int64 Limit)
{
    const Int64 End = MonotonicMilliseconds() + Limit;
    while (!Done() && MonotonicMilliseconds() < End) {
        ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(GxTabControlHints, ShowAfterThePauseMoveAtOnceAndHideAfterTheHidePause)
{
    const int Pause = Application->GetHintPause(), HidePause = Application->GetHintHidePause();
    Application->SetHintPause(50);
    Application->SetHintHidePause(300);
    TOwned<TForm> Form(New<TForm>(Application));
    Form->SetBounds(0, 0, 300, 120);
    Form->Show();
    auto* Tabs = New<TGxTabControl>(Form.get());
    Tabs->SetParent(Form.get());
    FillFirstPage(Tabs);
    ProcessEvents();
    TGxButtonHint* Hint = Tabs->GetHintWindow();
    auto Shown = [&] { return Hint->HandleAllocated() && Hint->GetVisible(); };
    std::vector<std::string> Log;

    MouseMove(Tabs, 10, 30);
    if (!Shown()) Log.push_back("hidden");
    RunUntil(Shown, 2000);
    if (Shown() && Hint->Button == Tabs->GetButton(0)) Log.push_back("shown");
    const int Left = Hint->GetLeft();
    MouseMove(Tabs, 30, 30);
    if (Shown() && Hint->Button == Tabs->GetButton(1) && Hint->GetLeft() > Left) Log.push_back("moved");
    RunUntil([&] { return !Shown(); }, 3000);
    if (!Shown()) Log.push_back("hidden");
    EXPECT_EQ(Log, (std::vector<std::string>{"hidden", "shown", "moved", "hidden"}));

    MouseMove(Tabs, 55, 30); // the button without text
    RunUntil(Shown, 300);
    EXPECT_FALSE(Shown());
    Application->SetHintPause(Pause);
    Application->SetHintHidePause(HidePause);
}

TEST_F(GxTabControlTest, PaintsTabsButtonsAndBackgrounds)
{
    TOwned<TImageList> Images(New<TImageList>(nullptr));
    auto Red = SquareGlyph(16, clRed, clRed);
    Images->AddMasked(Red.get(), clFuchsia);
    Tabs->SetImages(Images.get());
    Fill();
    const TColor Face = ColorToRGB(clBtnFace), Gray = ColorToRGB(clGrayText);
    auto At = [&](int X, int Y) { return PixelAt(Tabs, X, Y); };
    PaintNow(Tabs);
    const int ActiveRight = 2 + Tabs->GetCanvas()->TextWidth("One") + 14; // widened by 2
    EXPECT_EQ(At(5, 28), clRed);                                          // the image, centred
    EXPECT_EQ(At(200, 22), Gray);                                         // the page's top edge
    EXPECT_EQ(At(ActiveRight + 3, 0), Face);                              // solid strip
    if (!GxThemesSupport::IsThemed()) {
        EXPECT_EQ(At(0, 15), Gray);                 // the active tab's outline
        EXPECT_EQ(At(2, 15), ColorToRGB(clWindow)); // and its face
        EXPECT_EQ(At(ActiveRight + 1, 10), Face);   // no border on an inactive tab
    } else {
        EXPECT_NE(At(2, 15), Face);
        EXPECT_EQ(At(ActiveRight + 3, 3), Face); // an inactive tab starts two pixels lower
        EXPECT_NE(At(ActiveRight + 1, 10), Face);
    }

    MouseMove(Tabs, 10, 30);
    PaintNow(Tabs);
    EXPECT_EQ(At(2, 25), ColorToRGB(clBtnHighlight)); // hover frame
    EXPECT_EQ(At(24, 46), ColorToRGB(clBtnShadow));
    MouseDown(Tabs, 10, 30);
    PaintNow(Tabs);
    EXPECT_EQ(At(2, 25), ColorToRGB(clBtnShadow)); // pressed: swapped, the image one pixel on
    EXPECT_NE(At(5, 28), clRed);
    EXPECT_EQ(At(21, 44), clRed);
    MouseUp(Tabs, 10, 30);

    // The gradient fades from a light above the face down to the face, and
    // lighter at every row, so that it is not a solid strip.
    Tabs->SetBackgroundStyle(tbsVertGradient);
    PaintNow(Tabs);
    const int Bottom = Tabs->GetTopIndent() + Tabs->GetTabHeight() - 2; // above the page's edge
    EXPECT_NE(At(230, 0), At(230, Bottom));
    const auto Lightness = [](TColor C) { return GetRValue(C) + GetGValue(C) + GetBValue(C); };
    EXPECT_GT(Lightness(At(230, 0)), Lightness(Face));
    for (int Y = 1; Y <= Bottom; ++Y)
        EXPECT_LE(Lightness(At(230, Y)), Lightness(At(230, Y - 1))) << Y;
    EXPECT_LE(Lightness(At(230, Bottom)) - Lightness(Face), 6);

    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        Form->SetClientHeight(300);
        MouseMove(Tabs, 30, 30);
        PaintNow(Form);
        SaveWindowImage(Form,
                        AnsiString(Dir) + (GxThemesSupport::IsThemed() ? "/tabs-themed.png" : "/tabs-classic.png"));
    }
}

} // namespace
