// tests/grid/GxValueColumnsEditTest.cpp: editing the value kinds through a
// shown TGxGrid: each editor carries its column's settings, what Return
// stores (nothing when nothing was typed), the column's events, and dates
// and times that are none.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "grid/shared/GxCalcEdit.h"
#include "grid/shared/GxComboBox.h"
#include "grid/shared/GxDatePicker.h"
#include "grid/shared/GxMemo.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/TestDriving.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <tuple>

using namespace GxColumnClasses;
using namespace GxGrid;

namespace {

enum { cTime, cButton, cPopup, cStrings, cCombo, cList, cIncrement, cCustom, cNumber, cCalc, cDate, cMemo };

class GxValueColumnsEditing : public TFormTest {
protected:
    void SetUp() override
    {
        FormatSettings = DefaultFormatSettings();
        TFormTest::SetUp();
        Form->SetClientWidth(900);
        Grid = New<TGxGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 900, 200);
        Add<TGxTimeColumn>();
        Add<TGxButtonColumn>();
        Add<TGxPopupColumn>();
        Add<TGxStringsColumn>();
        Add<TGxComboBoxColumn>();
        Add<TGxListColumn>();
        Add<TGxIncrementColumn>();
        Add<TGxCustomNumberColumn>();
        Add<TGxNumberColumn>();
        Add<TGxCalcColumn>();
        Add<TGxDateColumn>();
        Add<TGxMemoColumn>();
        Items.SetText("alpha\nBeta\ngamma");
        for (int Col : {cStrings, cCombo, cList})
            Column<TGxStringsColumn>(Col)->SetItems(&Items);
        Grid->AddRow(3);
        Grid->HandleNeeded();
        Grid->SetFocus();
        Grid->OnEditAccept = [this](TObject*, int C, int R, const WideString& V, bool&) {
            Log.push_back("accept " + IntToStr(C) + "," + IntToStr(R) + " " + WideToUtf8(V));
        };
        Application->OnException = [this](TObject*, const Exception& E) { Reports.push_back(E.Message); };
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    template <typename T> void Add()
    {
        TGxCustomColumn* Column = Grid->GetColumns()->Add(ColumnClass<T>, u"");
        Column->SetWidth(70);
        Column->SetOptions(Column->GetOptions() + TColumnOptions{coEditing});
    }
    template <typename T> T* Column(int Col) { return static_cast<T*>(Grid->GetColumns()->GetItem(Col)); }
    // The open editor as the class its kind makes, or null.
    template <typename T> T* Editor() { return dynamic_cast<T*>(Grid->GetInplaceEdit()); }
    std::string EditorText() { return WideToUtf8(Grid->GetInplaceEdit()->GetAsString()); }
    void Return() { Grid->GetInplaceEdit()->Perform(WM_KEYDOWN, VK_RETURN, 0); }
    bool Editing() const { return Grid->GetGridState().Contains(gtEdit); }

    TFormatSettingsGuard Settings;
    TGxGrid* Grid = nullptr;
    TStringList Items;
    std::vector<std::string> Log;
    std::vector<AnsiString> Reports;
};

} // namespace

TEST_F(GxValueColumnsEditing, EachEditorCarriesItsColumnsSettings)
{
    auto* Button = Column<TGxButtonColumn>(cButton);
    TBitmap Glyph;
    Glyph.SetSize(8, 8);
    Glyph.GetCanvas()->SetPixels(0, 7, clRed);
    Button->SetGlyph(&Glyph);
    Button->SetButtonCaption(u"Pick");
    Button->SetEditOptions({epDisableTyping});
    Button->SetMaxLength(12);
    Grid->EditCell(cButton, 0, u"");
    auto* ButtonEdit = Editor<GxButtonEdit::TGxButtonEdit>();
    ASSERT_NE(ButtonEdit, nullptr);
    EXPECT_EQ(std::tuple(ButtonEdit->GetButtonCaption(), ButtonEdit->GetButtonGlyph()->GetWidth(),
                         ButtonEdit->GetOptions(), ButtonEdit->GetTransparentColor(), ButtonEdit->GetMaxLength(),
                         ButtonEdit->GetInplaceEditor()),
              std::tuple(u"Pick", 8, TGxEditOptions{epDisableTyping}, clRed, 12, true));

    auto* Number = Column<TGxNumberColumn>(cNumber);
    Number->SetEditOptions({eoAllowFloat, eoAllowSigns});
    Number->SetIncrement(0.5);
    Number->SetMax(100);
    Number->SetMin(-100);
    Number->SetPrecision(2);
    Number->SetSpinButtons(false);
    Grid->SetCells(cNumber, 1, u"1.5");
    Grid->EditCell(cNumber, 1, u"");
    auto* Spin = Editor<GxNumberEdit::TGxSpinEdit>();
    ASSERT_NE(Spin, nullptr);
    EXPECT_EQ(std::tuple(Spin->GetOptions(), Spin->GetIncrement(), Spin->GetMax(), Spin->GetMin(), Spin->GetPrecision(),
                         Spin->GetSpinButtons(), EditorText()),
              std::tuple(TGxNumberEditOptions{eoAllowFloat, eoAllowSigns}, 0.5, 100.0, -100.0, 2, false, "1.50"));

    Column<TGxCalcColumn>(cCalc)->SetMax(9);
    Column<TGxCalcColumn>(cCalc)->SetMin(-9);
    Grid->EditCell(cCalc, 0, u"");
    auto* Calc = Editor<GxCalcEdit::TGxCalcEdit>();
    ASSERT_NE(Calc, nullptr);
    EXPECT_EQ(std::tuple(Calc->GetMax(), Calc->GetMin()), std::tuple(9.0, -9.0));

    auto* Date = Column<TGxDateColumn>(cDate);
    Date->SetShowNoneButton(false);
    Date->SetStartDay(dwMonday);
    Grid->EditCell(cDate, 0, u"");
    auto* Picker = Editor<GxDatePicker::TGxDatePicker>();
    ASSERT_NE(Picker, nullptr);
    EXPECT_EQ(std::tuple(Picker->GetShowNoneButton(), Picker->GetStyle(), Picker->GetStartDay()),
              std::tuple(false, GxButtonEdit::dsDropDown, dwMonday));

    TOwned<TCustomImageList> Images = MakeOwned<TCustomImageList>(nullptr);
    auto* Combo = Column<TGxComboBoxColumn>(cCombo);
    Combo->SetDropDownCount(4);
    Combo->SetListWidth(120);
    Combo->SetImages(Images.get());
    Combo->SetDisplayMode(dmTextAndImage);
    Combo->SetDataMode(dmNameList);
    Combo->SetStyle(cbsDropDownList);
    Grid->SetCells(cCombo, 2, u"Beta");
    Grid->EditCell(cCombo, 2, u"");
    auto* Box = Editor<GxComboBox::TGxComboBox>();
    ASSERT_NE(Box, nullptr);
    EXPECT_EQ(
        std::tuple(Box->GetItems()->GetCommaText(), Box->GetDropDownCount(), Box->GetListWidth(), Box->GetImages(),
                   Box->GetShowPreview(), Box->GetPreviewBorder(), Box->GetStyle(), Box->GetDisplayMode(),
                   Box->GetItemIndex()),
        std::tuple("alpha,Beta,gamma", 4, 120, Images.get(), true, false, GxButtonEdit::dsDropDownList, dmNameList, 1));

    Column<TGxListColumn>(cList)->SetSorted(true);
    Grid->EditCell(cList, 0, u"");
    Box = Editor<GxComboBox::TGxComboBox>();
    ASSERT_NE(Box, nullptr);
    EXPECT_TRUE(static_cast<TStringList*>(Box->GetItems())->GetSorted());
    EXPECT_EQ(std::tuple(Box->GetStyle(), Box->GetShowPreview()), std::tuple(GxButtonEdit::dsDropDownList, false));

    Column<TGxMemoColumn>(cMemo)->SetScrollBars(ssVertical);
    Grid->EditCell(cMemo, 0, u"");
    ASSERT_NE(Editor<GxMemo::TGxMemoInplaceEdit>(), nullptr);
    EXPECT_EQ(Editor<GxMemo::TGxMemoInplaceEdit>()->GetScrollBars(), ssVertical);
    Grid->EndEditing();
}

TEST_F(GxValueColumnsEditing, ReturnWithoutTypingStoresNothing)
{
    const TDateTime March5 = EncodeDate(2024, 3, 5), OneOClock = EncodeTime(13, 5, 7, 0);
    Column<TGxTimeColumn>(cTime)->SetFormatMask("hh:nn");
    const std::tuple<int, TDateTime, double> Cells[] = {{cNumber, 0, -5},      {cNumber, 0, 0.000001},
                                                        {cNumber, 0, 1e16},    {cCalc, 0, -5},
                                                        {cCalc, 0, 0.000001},  {cCalc, 0, 1e16},
                                                        {cDate, March5, 0},    {cDate, March5 + OneOClock, 0},
                                                        {cTime, OneOClock, 0}, {cTime, March5 + OneOClock, 0},
                                                        {cList, 0, 2}};
    for (const auto& [Col, When, Value] : Cells) {
        TCell Cell = Grid->GetCell(Col, 1);
        if (Col == cDate || Col == cTime)
            Cell.SetAsDateTime(When);
        else
            Cell.SetAsFloat(Value);
        const WideString Before = Grid->GetCells(Col, 1);
        SCOPED_TRACE(WideToUtf8(Before));
        Grid->EditCell(Col, 1, u"");
        ASSERT_TRUE(Editing());
        Return();
        EXPECT_FALSE(Editing());
        EXPECT_EQ(Grid->GetCells(Col, 1), Before);
        EXPECT_EQ(Grid->GetCell(Col, 1).GetAsFloat(), Col == cDate || Col == cTime ? When : Value);
    }
    EXPECT_TRUE(Log.empty()) << Log.front();
    EXPECT_TRUE(Reports.empty());
}

TEST_F(GxValueColumnsEditing, TheTimeEditorShowsTheColumnsFormatAndStoresWhatIsTyped)
{
    auto* Time = Column<TGxTimeColumn>(cTime);
    Grid->GetCell(cTime, 0).SetAsDateTime(EncodeTime(13, 5, 7, 0));
    Grid->EditCell(cTime, 0, u"");
    EXPECT_EQ(EditorText(), "1:05:07 PM");
    Grid->EndEditing();
    Time->SetFormatMask("hh 'h' nn");
    Grid->EditCell(cTime, 0, u"");
    EXPECT_EQ(EditorText(), "13 h 05");
    Grid->GetInplaceEdit()->SetAsString(u"9:30");
    Return();
    EXPECT_EQ(Grid->GetCell(cTime, 0).GetAsDateTime(), EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(Log, (std::vector<std::string>{"accept 0,0 12/30/1899 9:30:00 AM"}));
}

// A mistyped date is no longer taken for 30 December 1899: Return reports it
// once and keeps the editor open with the text; an empty text still stores 0.
TEST_F(GxValueColumnsEditing, ADateOrTimeThatIsNoneIsRefusedAndAnEmptyOneStoresZero)
{
    for (int Col : {cDate, cTime}) {
        Reports.clear();
        Grid->GetCell(Col, 0).SetAsDateTime(EncodeDate(2024, 3, 5));
        const WideString Before = Grid->GetCells(Col, 0);
        Grid->EditCell(Col, 0, u"");
        Grid->GetInplaceEdit()->SetAsString(u"31/31/x");
        Return();
        EXPECT_TRUE(Editing());
        EXPECT_EQ(EditorText(), "31/31/x");
        EXPECT_EQ(Grid->GetCells(Col, 0), Before);
        EXPECT_EQ(Reports, (std::vector<AnsiString>{"'31/31/x' is not a valid date and time"}));
        Grid->GetInplaceEdit()->SetAsString(u"");
        Return();
        EXPECT_FALSE(Editing());
        EXPECT_EQ(Grid->GetCell(Col, 0).GetAsDateTime(), 0);
    }
}

TEST_F(GxValueColumnsEditing, TheListStoresTheIndexOfTheItemPicked)
{
    Grid->GetCell(cList, 0).SetAsInteger(1);
    Grid->EditCell(cList, 0, u"");
    auto* Box = Editor<GxComboBox::TGxComboBox>();
    ASSERT_NE(Box, nullptr);
    EXPECT_EQ(std::tuple(Box->GetItemIndex(), EditorText()), std::tuple(1, "Beta"));
    Box->SetItemIndex(2);
    Return();
    EXPECT_EQ(Grid->GetCell(cList, 0).GetAsInteger(), 2);
    EXPECT_EQ(Grid->GetDrawText(cList, 0), u"gamma");
    // An empty cell text selects the first item.
    Grid->EditCell(cList, 1, u" ");
    Grid->GetInplaceEdit()->SetAsString(u"");
    Column<TGxListColumn>(cList)->UpdateEdit();
    EXPECT_EQ(Editor<GxComboBox::TGxComboBox>()->GetItemIndex(), 0);
    Grid->EndEditing();

    // A sorted editor list: the cell keeps the index in the column's items.
    auto* Sorted = Column<TGxListColumn>(cList);
    TStringList Unordered;
    Unordered.SetText("gamma\nalpha\nBeta");
    Sorted->SetItems(&Unordered);
    Sorted->SetSorted(true);
    Grid->GetCell(cList, 2).SetAsInteger(0);
    Grid->EditCell(cList, 2, u"");
    EXPECT_EQ(std::tuple(Editor<GxComboBox::TGxComboBox>()->GetItemIndex(), EditorText()), std::tuple(2, "gamma"));
    Editor<GxComboBox::TGxComboBox>()->SetItemIndex(0);
    Return();
    EXPECT_EQ(Grid->GetDrawText(cList, 2), u"alpha");

    // A user's editor that is no combo box leaves the value as it is.
    auto* List = Column<TGxListColumn>(cList);
    auto* User = New<GxEdit::TGxEdit>(Form);
    List->SetInplaceEdit(User);
    WideString Value = u"7";
    List->ApplyEditing(Value);
    EXPECT_EQ(Value, u"7");
    auto* UserBox = New<GxComboBox::TGxComboBox>(Form);
    UserBox->SetItems(&Items);
    UserBox->SetItemIndex(1);
    List->SetInplaceEdit(UserBox);
    List->ApplyEditing(Value);
    EXPECT_EQ(Value, u"1");
}

TEST_F(GxValueColumnsEditing, TheEditorsEventsReachTheColumnAsSender)
{
    std::vector<std::pair<std::string, TObject*>> Heard;
    const auto Hear = [&](const char* What) {
        return [&, What](TObject* Sender) { Heard.emplace_back(What, Sender); };
    };
    auto* Button = Column<TGxButtonColumn>(cButton);
    Button->OnButtonClick = Hear("click");
    auto* Combo = Column<TGxComboBoxColumn>(cCombo);
    Combo->OnCloseUp = Hear("close");
    Combo->OnSelect = Hear("select");
    auto* Date = Column<TGxDateColumn>(cDate);
    Date->OnCloseUp = Hear("close");

    Grid->EditCell(cButton, 0, u"");
    auto* ButtonEdit = Editor<GxButtonEdit::TGxButtonEdit>();
    ASSERT_NE(ButtonEdit, nullptr);
    platform::test::Click(ButtonEdit->GetButton(), 3, 3);
    Grid->EditCell(cCombo, 0, u"");
    auto* Box = Editor<GxComboBox::TGxComboBox>();
    ASSERT_NE(Box, nullptr);
    Box->SetDroppedDown(true);
    Box->GetPopupControl()->OnInput(Box->GetPopupControl(), "gamma");
    Grid->EditCell(cDate, 0, u"");
    Editor<GxDatePicker::TGxDatePicker>()->SetDroppedDown(true);
    Editor<GxDatePicker::TGxDatePicker>()->SetDroppedDown(false);
    Grid->EndEditing();
    EXPECT_EQ(Heard, (std::vector<std::pair<std::string, TObject*>>{
                         {"click", Button}, {"select", Combo}, {"close", Combo}, {"close", Date}}));
}
