#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/ImgList.h"
#include "platform/testing/Pointer.h"
#include "platform/testing/Scroll.h"
#include "platform/win/WinGdi.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>

namespace {

using namespace GxPopupControl;
using namespace platform::test;

// An edit stand-in: a press on it opens its popup below it, as the
// drop-down edits do; it closes the popup when asked.
class TPopupOwner : public TCustomControl, public IGxPopupOwner {
public:
    explicit TPopupOwner(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetBounds(10, 10, 100, 20);
        OnClick = [this](TObject*) { ++Clicks; };
    }
    void SetDroppedDown(bool Value) override
    {
        if (Value || !Popup) return;
        Popup->Hide();
        Popup->SetClosed(true);
    }
    TGxPopupControl* Popup = nullptr;
    int Clicks = 0;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        const TPoint P = ClientToScreen(TPoint(0, GetHeight()));
        Popup->Popup(P.X, P.Y);
    }
};

class GxPopupControlTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Owner = New<TPopupOwner>(Form);
        Owner->SetParent(Form);
        Form->SetClientHeight(200);
    }
    // A popup of the test owner, counting its deactivations and values.
    template <class T> T* MakePopup(int Width, int Height)
    {
        auto* P = New<T>(Owner);
        P->SetBounds(0, 0, Width, Height);
        P->OnDeactivate = [this](TObject*) { ++Deactivations; };
        P->OnInput = [this](TObject*, const AnsiString& V) { Inputs.push_back(V); };
        Owner->Popup = P;
        return P;
    }
    TPoint OnOwner() { return Owner->ClientToScreen(TPoint(50, 10)); }
    TPopupOwner* Owner = nullptr;
    int Deactivations = 0;
    std::vector<AnsiString> Inputs;
};

TEST_F(GxPopupControlTest, PopupsStayInsideTheWorkArea)
{
    auto* P = MakePopup<TGxPopupControl>(60, 100);
    EXPECT_TRUE(IsFloatingToolWindow(P));
    TRect Edit = Owner->GetBoundsRect();
    MONITORINFO Info;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromRect(&Edit, MONITOR_DEFAULTTONEAREST), &Info));
    const TRect Work = Info.rcWork;
    auto Placed = [&](int X, int Y) {
        P->Popup(X, Y);
        TRect R;
        GetWindowRect(P->GetHandle(), &R);
        P->ClosePopup();
        return R;
    };
    EXPECT_EQ(Placed(Work.Left + 5, Work.Top + 7), Bounds(Work.Left + 5, Work.Top + 7, 60, 100));
    EXPECT_EQ(Placed(Work.Right - 10, Work.Top + 7).Right, Work.Right);
    // Taller than its edit: the popup's own height counts.
    EXPECT_EQ(Placed(Work.Left + 5, Work.Bottom - 50), Bounds(Work.Left + 5, Work.Bottom - 100, 60, 100));
    EXPECT_EQ(Placed(Work.Left - 30, Work.Top - 30).TopLeft(), Work.TopLeft());
    EXPECT_EQ(Deactivations, 4);
}

TEST_F(GxPopupControlTest, TheOpeningReleaseIsSwallowedThenAClickOutsideCloses)
{
    auto* P = MakePopup<TGxPopupControl>(80, 60);
    MouseDownAtScreen(OnOwner());
    EXPECT_FALSE(P->GetClosed());
    EXPECT_FALSE(P->GetArmed());
    MouseUpAtScreen(OnOwner());
    EXPECT_TRUE(P->GetArmed());
    EXPECT_EQ(Owner->Clicks, 0);
    // The plain popup picks nothing and stays open.
    ClickAtScreen(P->ClientToScreen(TPoint(40, 30)));
    EXPECT_TRUE(IsWindowVisible(P->GetHandle()));
    EXPECT_EQ(Deactivations, 0);
    // Left again, it holds the mouse: the next click anywhere reaches it and closes it.
    MouseMoveAtScreen(Form->ClientToScreen(TPoint(250, 150)));
    EXPECT_EQ(GetCapture(), P->GetHandle());
    ClickAtScreen(Form->ClientToScreen(TPoint(250, 150)));
    EXPECT_TRUE(P->GetClosed() && !IsWindowVisible(P->GetHandle()));
    EXPECT_EQ(Deactivations, 1);
    EXPECT_NE(GetCapture(), P->GetHandle());

    // Pressed on the edit and let go over the popup: armed, no click on the edit.
    MouseDownAtScreen(OnOwner());
    MouseMoveAtScreen(P->ClientToScreen(TPoint(40, 30)));
    MouseUpAtScreen(P->ClientToScreen(TPoint(40, 30)));
    EXPECT_TRUE(P->GetArmed());
    EXPECT_FALSE(P->GetClosed());
    EXPECT_EQ(Owner->Clicks + Deactivations, 1);

    // The program losing the activation closes it, once.
    SetApplicationActive(false);
    EXPECT_TRUE(P->GetClosed());
    EXPECT_EQ(Deactivations, 2);
    SetApplicationActive(true);
    SetApplicationActive(false);
    EXPECT_EQ(Deactivations, 2);
    SetApplicationActive(true);
}

TEST_F(GxPopupControlTest, OpenedWithoutAClickTheFirstClickActs)
{
    // Owned by no popup owner, it closes itself.
    TOwned<TGxPopupControl> P(New<TGxPopupControl>(Form));
    P->SetBounds(0, 0, 50, 40);
    int Closed = 0;
    P->OnDeactivate = [&](TObject*) { ++Closed; };
    const TPoint At = Form->ClientToScreen(TPoint(20, 100));
    P->Popup(At.X, At.Y);
    EXPECT_TRUE(P->GetArmed());
    ClickAtScreen(Form->ClientToScreen(TPoint(250, 20)));
    EXPECT_TRUE(P->GetClosed());
    EXPECT_FALSE(IsWindowVisible(P->GetHandle()));
    EXPECT_EQ(Closed, 1);
}

// ---- The list ---------------------------------------------------------------------------------

class TLoggingList : public TGxPopupList {
public:
    using TGxPopupList::TGxPopupList;
    std::vector<TRect> Clips;

protected:
    void Paint() override
    {
        Clips.push_back(GetCanvas()->GetClipRect());
        TGxPopupList::Paint();
    }
};

class GxPopupListTest : public GxPopupControlTest {
protected:
    void SetUp() override
    {
        GxPopupControlTest::SetUp();
        for (int I = 0; I < 20; ++I)
            Lines.Add(IntToStr(I % 3) + "=Item " + IntToStr(I));
        List = MakePopup<TLoggingList>(120, 132);
        List->SetItems(&Lines);
        List->SetColor(clWhite);
        List->SetDropDownColor(clWhite);
        List->SetSelectionColor(clNavy);
        List->SetHighlightTextColor(clWhite);
    }
    void Open()
    {
        MouseDownAtScreen(OnOwner());
        MouseUpAtScreen(OnOwner());
    }
    TPoint AtItem(int Row, int X = 10) { return List->ClientToScreen(TPoint(X, 2 + Row * 16 + 8)); }
    // Where text ink begins in a line of the list.
    int InkLeft(int Row)
    {
        for (int X = 2; X < 100; ++X)
            if (PixelAt(List, X, 2 + Row * 16 + 8) != clWhite || PixelAt(List, X, 2 + Row * 16 + 6) != clWhite)
                return X;
        return -1;
    }
    TStringList Lines;
    TLoggingList* List = nullptr;
};

TEST_F(GxPopupListTest, ItemsScrollIntoViewAndAClickPicksTheWholeLine)
{
    Open();
    EXPECT_EQ(List->GetVisibleCount(), 8);
    EXPECT_EQ(List->GetVertScrollBar()->GetMax(), 12);
    List->SetItemIndex(15);
    EXPECT_EQ(List->GetTopIndex(), 8);
    EXPECT_EQ(List->GetHoverIndex(), 15);
    List->SetItemIndex(3);
    EXPECT_EQ(List->GetTopIndex(), 3);

    // The pointer highlights the line under it; a click hands on the whole line.
    MouseMoveAtScreen(AtItem(2));
    EXPECT_EQ(List->GetHoverIndex(), 5);
    EXPECT_EQ(PixelAt(List, 100, 2 + 2 * 16 + 1), clNavy);
    EXPECT_EQ(PixelAt(List, 100, 2 + 3 * 16 + 1), clWhite);
    List->SetDisplayMode(dmValueList);
    ClickAtScreen(AtItem(2));
    EXPECT_EQ(Inputs, std::vector<AnsiString>{"2=Item 5"});
    EXPECT_EQ(List->GetItemIndex(), 5);

    // Below the last line nothing is picked and the list stays open.
    List->ClosePopup();
    Lines.Clear();
    Lines.Add("only");
    Open();
    EXPECT_FALSE(List->GetVertScrollBar()->GetVisible());
    ClickAtScreen(AtItem(4));
    EXPECT_EQ(Inputs.size(), 1u);
    EXPECT_FALSE(List->GetClosed());
}

TEST_F(GxPopupListTest, DisplayModesImagesAndRepaintsOfTheHoverOnly)
{
    Lines.Clear();
    for (const char* Line : {"2=Text", "x=Text", "0=Text", "plain"})
        Lines.Add(Line);
    List->SetDisplayMode(dmValueList);
    Open();
    const int ValueLeft = InkLeft(0);
    EXPECT_EQ(InkLeft(3), -1); // no "=": no value
    List->SetDisplayMode(dmIndentList);
    List->Invalidate();
    EXPECT_EQ(InkLeft(0), ValueLeft + 20);
    EXPECT_EQ(InkLeft(1), ValueLeft); // a name that is no number indents by nothing
    EXPECT_EQ(InkLeft(2), ValueLeft);
    EXPECT_EQ(List->GetValueFromIndex(-1), "");

    // Images before the text.
    TOwned<TImageList> Images(New<TImageList>(nullptr));
    auto Red = SquareGlyph(16, clRed, clRed);
    Images->Add(Red.get(), nullptr);
    List->SetImages(Images.get());
    List->SetShowImages(true);
    List->SetDisplayMode(dmDefault);
    List->Invalidate();
    EXPECT_EQ(PixelAt(List, 6, 2 + 8), clRed);
    EXPECT_NE(PixelAt(List, 6, 2 + 16 + 8), clRed); // one image for four lines
    EXPECT_GE(InkLeft(1), 2 + 16 + 5);

    // A new hover repaints the line it leaves and the line it takes, no more.
    PaintNow(List);
    List->Clips.clear();
    List->SetHoverIndex(1);
    PaintNow(List);
    List->SetHoverIndex(2);
    PaintNow(List);
    ASSERT_EQ(List->Clips.size(), 2u);
    const int W = List->GetControlWidth();
    EXPECT_EQ(List->Clips[0], TRect(2, 18, W + 2, 34));
    EXPECT_EQ(List->Clips[1], TRect(2, 18, W + 2, 50));
}

// ---- The mini button --------------------------------------------------------------------------

TEST_F(GxPopupControlTest, TheMiniButtonShowsItsStatesGlyphAndCaption)
{
    auto* B = New<TGxMiniButton>(Form);
    B->SetParent(Form);
    B->SetBounds(150, 20, 40, 30);
    auto Glyph = SquareGlyph(8, clLime, clLime);
    B->SetGlyph(Glyph.get());
    EXPECT_EQ(PixelAt(B, 20, 15), clLime); // centred: 16..24 x 11..19
    EXPECT_EQ(PixelAt(B, 15, 15), PixelAt(B, 24, 15));
    auto Face = [&] { return std::vector<TColor>{PixelAt(B, 0, 0), PixelAt(B, 1, 1), PixelAt(B, 20, 3)}; };
    const auto Normal = Face();
    MouseMove(B, 5, 5);
    const auto Hot = Face();
    MouseDown(B, 5, 5);
    const auto Pushed = Face();
    MouseUp(B, 5, 5);
    MouseMove(Form, 5, 150);
    EXPECT_FALSE(B->GetHover() || B->GetDown());
    EXPECT_EQ(Face(), Normal);
    EXPECT_NE(Pushed, Normal);
    EXPECT_NE(Pushed, Hot); // down wins over hover
    // Themed, hot shows and a tool button differs; the classic face has no hot look.
    B->SetKind(sbkTool);
    EXPECT_EQ(Hot != Normal, GxThemesSupport::IsThemed());
    EXPECT_EQ(Face() != Normal, GxThemesSupport::IsThemed());

    // The caption is centred.
    TBitmap None;
    B->SetGlyph(&None);
    B->SetCaption("MC");
    const TRect Ink = TCellView{B, Bounds(0, 0, 40, 30)}.Ink(TRect(3, 3, 37, 27), PixelAt(B, 4, 4));
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2, 20, 2);
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2, 15, 2);
}

} // namespace
