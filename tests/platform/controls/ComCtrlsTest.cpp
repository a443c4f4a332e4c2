#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/ImgList.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"

#include <gtest/gtest.h>

using namespace platform::test;

using PageControlTest = TFormTest;
using BitBtnTest = TFormTest;

namespace {

struct TPages {
    TPageControl* Control;
    std::vector<TTabSheet*> Sheets;
};

TPages MakePages(TForm* Form, std::initializer_list<const char*> Captions)
{
    TPages P{New<TPageControl>(Form), {}};
    P.Control->SetParent(Form);
    P.Control->SetAlign(alClient);
    for (const char* Caption : Captions) {
        TTabSheet* Sheet = New<TTabSheet>(Form);
        Sheet->SetPageControl(P.Control);
        Sheet->SetCaption(Caption);
        P.Sheets.push_back(Sheet);
    }
    return P;
}

TPoint CenterOf(const TRect& R)
{
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

} // namespace

TEST_F(PageControlTest, SwitchesPagesByIndexQuietlyAndByTabClickWithEvents)
{
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    TPages P = MakePages(Form, {"First", "Second", "Third"});
    EXPECT_EQ(P.Control->GetPageCount(), 3);
    EXPECT_EQ(P.Control->GetActivePageIndex(), -1);
    int Changes = 0, Changings = 0;
    bool Allow = true;
    P.Control->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, P.Control);
        ++Changes;
    };
    P.Control->OnChanging = [&](TObject*, bool& AllowChange) {
        ++Changings;
        AllowChange = Allow;
    };

    P.Control->SetActivePageIndex(1);
    EXPECT_EQ(P.Control->GetActivePage(), P.Sheets[1]);
    EXPECT_TRUE(P.Sheets[1]->GetVisible());
    EXPECT_FALSE(P.Sheets[0]->GetVisible());
    EXPECT_EQ(Changes + Changings, 0);

    const TPoint Third = CenterOf(P.Control->TabRect(2));
    EXPECT_EQ(P.Control->IndexOfTabAt(Third.X, Third.Y), 2);
    Click(P.Control, Third.X, Third.Y);
    EXPECT_EQ(P.Control->GetActivePageIndex(), 2);
    EXPECT_TRUE(P.Sheets[2]->GetVisible());
    EXPECT_FALSE(P.Sheets[1]->GetVisible());
    EXPECT_EQ(Changings, 1);
    EXPECT_EQ(Changes, 1);

    // OnChanging may refuse: the page and its tab stay.
    Allow = false;
    const TPoint First = CenterOf(P.Control->TabRect(0));
    Click(P.Control, First.X, First.Y);
    EXPECT_EQ(P.Control->GetActivePageIndex(), 2);
    EXPECT_EQ(Changes, 1);
    Allow = true;
    Click(P.Control, First.X, First.Y);
    EXPECT_EQ(P.Control->GetActivePageIndex(), 0);
    EXPECT_EQ(Changes, 2);
}

TEST_F(PageControlTest, HiddenTabsMovedPagesAndFreedSheetsKeepTabsAndPagesInStep)
{
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    TPages P = MakePages(Form, {"A", "B", "C"});
    P.Control->SetActivePageIndex(1);
    P.Sheets[0]->SetTabVisible(false);
    EXPECT_EQ(P.Sheets[0]->GetTabIndex(), -1);
    EXPECT_EQ(P.Sheets[1]->GetTabIndex(), 0);
    const TPoint Tab = CenterOf(P.Control->TabRect(1));
    Click(P.Control, Tab.X, Tab.Y);
    EXPECT_EQ(P.Control->GetActivePage(), P.Sheets[2]);

    // Showing a control on a page brings its page up.
    TButton* OnA = Place<TButton>(P.Sheets[0], 8, 8, 75, 25);
    OnA->Show();
    EXPECT_EQ(P.Control->GetActivePage(), P.Sheets[0]);
    P.Control->SetActivePage(P.Sheets[2]);

    P.Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(P.Control->GetPages(0), P.Sheets[2]);
    EXPECT_EQ(P.Sheets[2]->GetPageIndex(), 0);
    EXPECT_EQ(P.Control->GetActivePageIndex(), 0);
    EXPECT_THROW(P.Control->GetPages(3), EListError);

    // Freeing the active sheet activates the next one.
    Free(P.Sheets[2]);
    EXPECT_EQ(P.Control->GetPageCount(), 2);
    EXPECT_EQ(P.Control->GetActivePage(), P.Sheets[1]);
    EXPECT_TRUE(P.Sheets[1]->GetVisible());

    // A sheet moved to no page control leaves this one.
    P.Sheets[0]->SetPageControl(nullptr);
    EXPECT_EQ(P.Control->GetPageCount(), 1);
    EXPECT_EQ(P.Sheets[0]->GetPageControl(), nullptr);
    Free(P.Sheets[0]);
}

TEST_F(PageControlTest, SheetsFillThePageAreaAndTheirAnchoredChildrenStretch)
{
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    TPages P = MakePages(Form, {"Page"});
    P.Control->SetActivePageIndex(0);
    TTabSheet* Sheet = P.Sheets[0];
    EXPECT_EQ(Sheet->GetBoundsRect(), P.Control->GetDisplayRect());
    const TRect Page = Sheet->GetClientRect();
    TMemo* Memo = Place<TMemo>(Sheet, 8, 8, Page.Right - 16, Page.Bottom - 16);
    Memo->SetAnchors({akLeft, akTop, akRight, akBottom});
    TButton* Corner = Place<TButton>(Sheet, Page.Right - 83, Page.Bottom - 33, 75, 25);
    Corner->SetAnchors({akRight, akBottom});

    ResizeWindow(Form, Form->GetWidth() + 100, Form->GetHeight() + 50);
    EXPECT_EQ(Sheet->GetBoundsRect(), P.Control->GetDisplayRect());
    EXPECT_EQ(Memo->GetWidth(), Page.Right - 16 + 100);
    EXPECT_EQ(Memo->GetHeight(), Page.Bottom - 16 + 50);
    EXPECT_EQ(Corner->GetLeft(), Page.Right - 83 + 100);
    EXPECT_EQ(Corner->GetTop(), Page.Bottom - 33 + 50);
}

TEST_F(PageControlTest, TabsShowTheImagesOfItsListUntilTheListGoes)
{
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    TPages P = MakePages(Form, {"Files", "Grid"});
    TImageList* Images = New<TImageList>(nullptr);
    Images->AddStockImage("files");
    Images->AddStockImage("grid");
    P.Sheets[0]->SetImageIndex(0);
    P.Sheets[1]->SetImageIndex(1);
    const int TextOnly = P.Control->TabRect(0).Right;
    P.Control->SetImages(Images);
    EXPECT_EQ(P.Control->GetImages(), Images);
    EXPECT_GT(P.Control->TabRect(0).Right, TextOnly); // room for the picture
    Free(Images);
    EXPECT_EQ(P.Control->GetImages(), nullptr);
    EXPECT_EQ(P.Control->TabRect(0).Right, TextOnly);
}

TEST(ImageList, StockImagesAreAddedAtTheListsSizeAndChangesAreTold)
{
    TOwned<TImageList> Images(New<TImageList>(nullptr));
    EXPECT_EQ(Images->GetWidth(), 16);
    int Changes = 0;
    TChangeLink Link;
    Link.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Images.get());
        ++Changes;
    };
    Link.SetSender(Images.get());
    for (const char* Name : {"files", "patterns", "grid", "matches"}) {
        const int Index = Images->AddStockImage(Name);
        EXPECT_EQ(Index, Images->GetCount() - 1);
    }
    EXPECT_EQ(Images->GetCount(), 4);
    EXPECT_EQ(Changes, 4);
    EXPECT_THROW(Images->AddStockImage("no such picture"), EInvalidOperation);
    EXPECT_EQ(Images->GetCount(), 4);
    Images->Delete(0);
    EXPECT_EQ(Images->GetCount(), 3);
    Images->SetWidth(24); // pictures of the old size go
    EXPECT_EQ(Images->GetCount(), 0);
    EXPECT_EQ(Changes, 6);
}

TEST(ProgressBar, PositionStaysWithinTheRange)
{
    TOwned<TProgressBar> Bar(New<TProgressBar>(nullptr));
    Bar->SetMax(1000);
    Bar->SetStep(1);
    Bar->SetPosition(1500);
    EXPECT_EQ(Bar->GetPosition(), 1000);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->GetPosition(), 0);
    Bar->SetPosition(400);
    Bar->SetMax(300);
    EXPECT_EQ(Bar->GetPosition(), 300);
    EXPECT_THROW(Bar->SetMin(301), EInvalidOperation);
    EXPECT_EQ(Bar->GetMin(), 0);

    Bar->SetPosition(299);
    Bar->StepIt();
    EXPECT_EQ(Bar->GetPosition(), 300);
    Bar->StepIt(); // past the end the bar starts again
    EXPECT_EQ(Bar->GetPosition(), 0);
    Bar->StepBy(1000);
    EXPECT_EQ(Bar->GetPosition(), 300);
}

TEST_F(BitBtnTest, ShowsANamedGlyphAndClicksLikeAButton)
{
    TBitBtn* Button = Place<TBitBtn>(Form, 8, 8, 97, 27);
    Button->SetCaption("Start Scan");
    Button->SetGlyphName("start");
    EXPECT_EQ(Button->GetGlyphName(), "start");
    EXPECT_THROW(Button->SetGlyphName("no such glyph"), EInvalidOperation);
    EXPECT_EQ(Button->GetGlyphName(), "start");
    int Clicks = 0;
    Button->OnClick = [&](TObject*) { ++Clicks; };
    Click(Button, 48, 13);
    EXPECT_EQ(Clicks, 1);
}
