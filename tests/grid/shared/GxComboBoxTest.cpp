#include "grid/shared/GxComboBox.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/controls/ImgList.h"
#include "platform/testing/Pointer.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>

namespace {

using namespace GxComboBox;
using namespace platform::test;

class GxComboBoxTest : public TFormTest {
protected:
    template <class T = TGxComboBox> T* Make(std::initializer_list<const char*> Lines)
    {
        auto* C = New<T>(Form);
        C->SetParent(Form);
        C->SetBounds(10, 10, 121, C->GetHeight());
        if (Lines.size()) C->GetItems()->Clear();
        for (const char* L : Lines)
            C->GetItems()->Add(L);
        ProcessEvents();
        return C;
    }
    static TGxPopupList* List(TGxComboBox* C) { return static_cast<TGxPopupList*>(C->GetPopupControl()); }
    static void Type(TGxComboBox* C, const WideString& Text)
    {
        for (WideChar Ch : Text)
            C->Perform(WM_CHAR, WPARAM(Ch), 0);
    }
};

TEST_F(GxComboBoxTest, InitialsPickTheNextItemWithoutWrappingRound)
{
    auto* C = Make({"apple", "avocado", "banana",
                    "\xC3\x89"
                    "clair"});
    C->SetStyle(dsDropDownList);
    Type(C, u"a");
    EXPECT_EQ(C->GetItemIndex(), 0);
    Type(C, u"a");
    EXPECT_EQ(C->GetItemIndex(), 1);
    Type(C, u"a");
    EXPECT_EQ(C->GetItemIndex(), 1);
    Type(C, u"B");
    EXPECT_EQ(C->GetItemIndex(), 2);
    EXPECT_EQ(C->GetText(), "banana");
    // The whole first character, case ignored: no byte of it matches alone.
    Type(C, u"\u00E9");
    EXPECT_EQ(C->GetItemIndex(), 3);
    EXPECT_EQ(C->LocateKey(WideChar(0xC3)), -1);

    // In the drop-down style typing is text.
    C->SetStyle(dsDropDown);
    C->SetItemIndex(-1);
    EXPECT_EQ(C->LocateKey(u'b'), 2);
}

TEST_F(GxComboBoxTest, TheListIsSizedByItsRowsAndNeverNarrowerThanTheEdit)
{
    auto* C = Make({"a", "b", "c"});
    C->SetDroppedDown(true);
    EXPECT_EQ(List(C)->GetClientHeight(), 52);
    EXPECT_EQ(List(C)->GetWidth(), 121);
    C->SetDroppedDown(false);

    for (int I = 3; I < 20; ++I)
        C->GetItems()->Add(IntToStr(I));
    C->SetListWidth(50);
    C->SetDroppedDown(true);
    EXPECT_EQ(List(C)->GetClientHeight(), 132);
    EXPECT_EQ(List(C)->GetWidth(), 121);
    EXPECT_EQ(List(C)->GetVisibleCount(), 8);
    C->SetDroppedDown(false);

    C->SetListWidth(300);
    C->SetDroppedDown(true);
    EXPECT_EQ(List(C)->GetWidth(), 300);
    C->SetDroppedDown(false);

    // The selected item shows as a list opens the first time: item 15 is the last line in view.
    auto* Fresh = Make({});
    Fresh->GetItems()->Assign(C->GetItems());
    Fresh->SetItemIndex(15);
    Fresh->SetDroppedDown(true);
    EXPECT_EQ(List(Fresh)->GetTopIndex(), 8);
    EXPECT_EQ(List(Fresh)->GetHoverIndex(), 15);
}

TEST_F(GxComboBoxTest, TheTextFollowsTheDisplayMode)
{
    auto* C = Make({"red=255", "red"});
    C->SetItemIndex(0);
    EXPECT_EQ(C->GetText(), "red=255");
    C->SetDisplayMode(dmValueList);
    C->SetItemIndex(0);
    EXPECT_EQ(C->GetText(), "255");
    EXPECT_EQ(C->GetItemValue(), "255");
    EXPECT_EQ(C->GetItemName(), "red");
    C->SetItemIndex(1);
    EXPECT_EQ(C->GetText(), "");
    EXPECT_EQ(C->GetValueFromIndex(1), "");
    C->SetDisplayMode(dmNameList);
    C->SetItemIndex(0);
    EXPECT_EQ(C->GetText(), "red");

    C->SetItemIndex(5);
    EXPECT_EQ(C->GetText(), "");
    EXPECT_EQ(C->GetItemName(), "");
}

TEST_F(GxComboBoxTest, ChangingToTheListStyleShowsTheItemAgain)
{
    auto* C = Make({"one", "two"});
    C->SetItemIndex(1);
    C->SetText("typed");
    EXPECT_EQ(C->GetItemIndex(), -1);
    C->SetItemIndex(1);
    C->SetDisplayMode(dmNameList);
    C->GetItems()->Put(1, "name=value");
    C->SetStyle(dsDropDownList);
    EXPECT_EQ(C->GetText(), "name");
}

TEST_F(GxComboBoxTest, ATypedTextThatIsNoItemClearsTheSelectionButStays)
{
    auto* C = Make({"Apple", "Pear"});
    C->SetItemIndex(1);
    C->SetFocus();
    C->SelectAll();
    TypeText(C, "plum");
    EXPECT_EQ(C->GetText(), "plum");
    EXPECT_EQ(C->GetItemIndex(), -1);
    // An item's text, case aside, does not select it.
    C->SetText("apple");
    EXPECT_EQ(C->GetItemIndex(), -1);
}

TEST_F(GxComboBoxTest, ArrowsStepTheSelectionOpenAndClosed)
{
    auto* C = Make({"a", "b", "c"});
    C->SetFocus();
    PressKey(C, VK_DOWN);
    EXPECT_EQ(C->GetItemIndex(), 0);
    PressKey(C, VK_UP);
    EXPECT_EQ(C->GetItemIndex(), 0);
    PressKey(C, VK_DOWN);
    PressKey(C, VK_DOWN);
    PressKey(C, VK_DOWN);
    EXPECT_EQ(C->GetItemIndex(), 2);
    EXPECT_EQ(C->GetText(), "c");

    PressKey(C, VK_DOWN, {ssAlt});
    ASSERT_TRUE(C->GetDroppedDown());
    EXPECT_EQ(List(C)->GetItemIndex(), 2);
    PressKey(C, VK_UP);
    EXPECT_EQ(List(C)->GetItemIndex(), 1);
    EXPECT_EQ(C->GetItemIndex(), 1);
    EXPECT_EQ(List(C)->GetHoverIndex(), 1);
    EXPECT_TRUE(C->GetDroppedDown());
}

TEST_F(GxComboBoxTest, TheWheelStepsWithinTheItemsAndScrollsTheOpenList)
{
    auto* C = Make({"a", "b", "c"});
    const int Y = C->GetClientHeight() / 2;
    C->SetItemIndex(2);
    MouseWheel(C, 20, Y, -WHEEL_DELTA);
    EXPECT_EQ(C->GetItemIndex(), 2);
    MouseWheel(C, 20, Y, WHEEL_DELTA);
    EXPECT_EQ(C->GetItemIndex(), 1);
    C->SetItemIndex(0);
    MouseWheel(C, 20, Y, WHEEL_DELTA);
    EXPECT_EQ(C->GetItemIndex(), 0);

    C->SetInplaceEditor(true);
    MouseWheel(C, 20, Y, -WHEEL_DELTA);
    EXPECT_EQ(C->GetItemIndex(), 0);
    C->SetInplaceEditor(false);

    for (int I = 3; I < 20; ++I)
        C->GetItems()->Add(IntToStr(I));
    C->SetDroppedDown(true);
    MouseWheel(C, 20, Y, -WHEEL_DELTA);
    EXPECT_EQ(List(C)->GetTopIndex(), 1);
    EXPECT_EQ(C->GetItemIndex(), 0);
}

TEST_F(GxComboBoxTest, APickInTheListSelectsItsItem)
{
    auto* C = Make({"a", "b", "c"});
    C->SetDisplayMode(dmDefault);
    int Selects = 0;
    C->OnSelect = [&](TObject*) { ++Selects; };
    C->SetFocus();
    C->SetDroppedDown(true);
    // The list opened with no button held takes the first click.
    ClickAtScreen(List(C)->ClientToScreen(TPoint(20, 2 + 16 + 8)));
    EXPECT_FALSE(C->GetDroppedDown());
    EXPECT_EQ(C->GetItemIndex(), 1);
    EXPECT_EQ(C->GetText(), "b");
    EXPECT_EQ(Selects, 1);
}

TEST_F(GxComboBoxTest, LoadedShowsTheItemSetWhileLoading)
{
    auto* C = New<TGxComboBox>(Form);
    C->GetItems()->Add("x");
    C->GetItems()->Add("y");
    C->SetLoading(true);
    C->SetItemIndex(1);
    EXPECT_EQ(C->GetText(), "");
    C->Loaded();
    EXPECT_EQ(C->GetText(), "y");
    Free(C);
}

TEST_F(GxComboBoxTest, SearchForFindsTheLongestCommonPrefix)
{
    auto* C = Make({"alpha", "alps", "beta", "Alpine"});
    EXPECT_EQ(C->SearchFor("alpine"), 0);
    EXPECT_EQ(C->SearchFor("alps!"), 1);
    EXPECT_EQ(C->SearchFor("Alp"), 3);
    EXPECT_EQ(C->SearchFor("x"), -1);
    EXPECT_EQ(C->SearchFor(""), -1);
}

TEST_F(GxComboBoxTest, ImagesShowInThePreviewAndTheList)
{
    auto* Images = New<TImageList>(Form);
    Images->SetWidth(10);
    Images->SetHeight(10);
    for (TColor Color : {clRed, clBlue}) {
        TBitmap B;
        B.SetSize(10, 10);
        B.GetCanvas()->GetBrush()->SetColor(Color);
        B.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
        Images->Add(&B, nullptr);
    }
    auto* C = Make({"red", "blue"});
    C->SetImages(Images);
    C->SetShowPreview(true);
    C->SetItemIndex(1);
    ProcessEvents();
    const TRect P = C->GetPreviewRect();
    EXPECT_EQ(PixelAt(C->GetEditInfo(), P.Left + 4, C->GetClientHeight() / 2), clBlue);

    C->SetDroppedDown(true);
    TGxPopupList* L = List(C);
    EXPECT_TRUE(L->GetShowImages());
    EXPECT_EQ(PixelAt(L, 2 + 2 + 4, 2 + 8), clRed);
    EXPECT_EQ(PixelAt(L, 2 + 2 + 4, 2 + 16 + 8), clBlue);
    C->SetDroppedDown(false);

    // An image list that goes is forgotten.
    Free(Images);
    EXPECT_EQ(C->GetImages(), nullptr);
    C->SetDroppedDown(true);
    EXPECT_FALSE(List(C)->GetShowImages());
}

TEST_F(GxComboBoxTest, TheFontComboListsTheScreenFontsInTheirFacesAndPreviewsTheChoice)
{
    auto* C = Make<TGxFontComboBox>({});
    ASSERT_GT(C->GetItems()->GetCount(), 0);
    EXPECT_TRUE(C->GetItems()->Equals(Screen->GetFonts()));
    EXPECT_NE(dynamic_cast<TFontPopup*>(C->GetPopupControl()), nullptr);
    C->SetShowPreview(true);
    C->SetItemIndex(0);
    ProcessEvents();
    // The preview is the face's sample on the highlight.
    const TRect P = C->GetPreviewRect();
    EXPECT_EQ(PixelAt(C->GetEditInfo(), P.Left + 1, 3), ColorToRGB(clHighlight));

    C->SetDroppedDown(true);
    EXPECT_EQ(List(C)->GetItems(), C->GetItems());
    EXPECT_EQ(List(C)->GetClientHeight(), 8 * 16 + 4);
}

} // namespace

namespace {

using GxComboBoxSheetTest = TFormTest;

// Every button edit and combo box on one form, in the states a user meets;
// with QUILLMOTE_SHEET_DIR set, the form and the open lists are saved as PNGs.
TEST_F(GxComboBoxSheetTest, SheetOfButtonEditsAndComboBoxes)
{
    auto List = [](TGxComboBox* C) { return static_cast<TGxPopupList*>(C->GetPopupControl()); };
    Form->SetClientWidth(420);
    Form->SetClientHeight(260);
    Form->GetFont()->SetName("Tahoma");
    Form->GetFont()->SetHeight(-11);
    auto Place = [&]<class T>(T* C, int Left, int Top) {
        C->SetParent(Form);
        C->SetBounds(Left, Top, 150, C->GetHeight());
        return C;
    };
    auto* Glyphed = Place(New<TGxButtonEdit>(Form), 10, 10);
    auto Glyph = SquareGlyph(10, clLime, clRed);
    Glyphed->SetButtonGlyph(Glyph.get());
    Glyphed->SetTransparentColor(clLime);
    Glyphed->SetText("glyph");
    auto* Captioned = Place(New<TGxButtonEdit>(Form), 10, 40);
    Captioned->SetButtonCaption(u"...");
    Captioned->SetText("caption, hovered");
    auto* Picture = Place(New<TGxImagePathEdit>(Form), 10, 70);
    Picture->SetText("/tmp/picture.bmp, pressed");
    auto* DropDown = Place(New<TGxPopupEdit>(Form), 10, 100);
    DropDown->SetText("drop-down");
    auto* ListStyle = Place(New<TGxPopupEdit>(Form), 10, 130);
    ListStyle->SetStyle(dsDropDownList);
    ListStyle->SetText("list, not focused");
    auto* Focused = Place(New<TGxPopupEdit>(Form), 10, 160);
    Focused->SetStyle(dsDropDownList);
    Focused->SetText("list, focused");
    auto* Disabled = Place(New<TGxComboBox>(Form), 10, 190);
    Disabled->GetItems()->Add("disabled");
    Disabled->SetItemIndex(0);
    Disabled->SetEnabled(false);

    auto* Images = New<TImageList>(Form);
    Images->SetWidth(12);
    Images->SetHeight(12);
    for (TColor Color : {clRed, clGreen, clBlue}) {
        TBitmap B;
        B.SetSize(12, 12);
        B.GetCanvas()->GetBrush()->SetColor(Color);
        B.GetCanvas()->FillRect(Rect(0, 0, 12, 12));
        Images->Add(&B, nullptr);
    }
    auto* Combo = Place(New<TGxComboBox>(Form), 220, 10);
    for (const char* S : {"red", "green", "blue"})
        Combo->GetItems()->Add(S);
    Combo->SetImages(Images);
    Combo->SetShowPreview(true);
    Combo->SetStyle(dsDropDownList);
    Combo->SetItemIndex(1);
    auto* Fonts = Place(New<TGxFontComboBox>(Form), 220, 130);
    Fonts->SetShowPreview(true);
    Fonts->SetItemIndex(std::max(0, Fonts->GetItems()->IndexOf("DejaVu Serif")));

    ProcessEvents();
    Captioned->GetButton()->SetHover(true);
    Picture->GetButton()->SetDown(true);
    Focused->SetFocus();
    ProcessEvents();
    for (int I = 0; I < Form->GetControlCount(); ++I)
        PaintNow(Form->GetControls(I));

    // The focused list style is filled with the highlight; the other is not.
    const int Y = Focused->GetClientHeight() - 3;
    EXPECT_EQ(PixelAt(Focused, 40, Y), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(ListStyle, 40, Y), ColorToRGB(clWindow));
    // Each button paints its face over the edit's right edge.
    for (TGxCustomButtonEdit* E : std::initializer_list<TGxCustomButtonEdit*>{Glyphed, DropDown, Combo})
        EXPECT_NE(PixelAt(E->GetButton(), 3, 3), ColorToRGB(clWindow)) << E->ClassName();
    // The glyph's red square sits in the middle of its button.
    TGxSmallButton* B = Glyphed->GetButton();
    EXPECT_EQ(PixelAt(B, B->GetWidth() / 2, B->GetHeight() / 2), clRed);

    const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR");
    const AnsiString Mode = GxThemesSupport::IsThemed() ? "themed" : "classic";
    if (Dir) {
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + "/buttonedits-" + Mode + ".png"));
    }

    Combo->SetFocus();
    Combo->SetDroppedDown(true);
    List(Combo)->SetHoverIndex(2);
    PaintNow(List(Combo));
    EXPECT_EQ(PixelAt(List(Combo), 2 + 2 + 6, 2 + 16 + 8), ColorToRGB(clGreen));
    EXPECT_EQ(PixelAt(List(Combo), 60, 2 + 32 + 1), ColorToRGB(clHighlight));
    if (Dir) {
        EXPECT_TRUE(SaveWindowImage(List(Combo), AnsiString(Dir) + "/combo-open-" + Mode + ".png"));
    }
    Combo->SetDroppedDown(false);

    Fonts->SetFocus();
    Fonts->SetDroppedDown(true);
    PaintNow(List(Fonts));
    if (Dir) {
        EXPECT_TRUE(SaveWindowImage(List(Fonts), AnsiString(Dir) + "/fontcombo-open-" + Mode + ".png"));
    }
    Fonts->SetDroppedDown(false);
}

} // namespace
