// tests/grid/GxValueColumnsTest.cpp: the column kinds that format and edit a
// value, as their collection makes them: classes, defaults, setters that
// repaint or only store, Assign, the texts they draw and the keys they take.
#include "ColumnFixtures.h"
#include "tests/support/TestSupport.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxEdit.h"
#include "platform/rtl/Codec.h"

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

using namespace ColumnFixtures;
using namespace GxColumnClasses;

namespace {

struct GxValueColumns : TGridFixture {
    TFormatSettingsGuard Settings;
    GxValueColumns() { FormatSettings = DefaultFormatSettings(); }

    template <typename T> T* Add(const char* Name)
    {
        auto* Column = static_cast<T*>(Columns->Add(ColumnClass<T>, u""));
        Column->SetName(Name);
        return Column;
    }
    static AnsiString ClassOf(TObject* Object) { return Object ? Object->ClassName() : "-"; }
};

TStringList* ThreeItems(TStringList& Items)
{
    Items.SetText("alpha\nBeta\n\xC3\xA9t\xC3\xA9");
    return &Items;
}

} // namespace

TEST_F(GxValueColumns, EachKindComesWithItsTypeSortDefaultEditorDisplayAndStyle)
{
    const TColumnStyle Text{csCanEdit, csFitToLargest, csTextFitHint};
    const WideString Today = Utf8ToWide(DateToStr(Date()));
    struct TKind {
        TGxCustomColumn* Column;
        TColumnType Type;
        TSortType Sort;
        WideString Default;
        const char* Editor;
        const char* Display;
        TColumnStyle Style;
    };
    const TKind Kinds[] = {
        {Add<TGxTimeColumn>("Time"), ctDate, stDate, u"", "TGxTimeEdit", "TTimeColumnDisplay", Text},
        {Add<TGxButtonColumn>("Button"), ctString, stAlphabetic, u"", "TGxButtonEdit", "TTextColumnDisplay", Text},
        {Add<TGxPopupColumn>("Popup"), ctString, stAlphabetic, u"", "TGxPopupEdit", "TTextColumnDisplay", Text},
        {Add<TGxStringsColumn>("Strings"), ctString, stAlphabetic, u"", "TGxComboBox", "TStringsColumnDisplay", Text},
        {Add<TGxComboBoxColumn>("Combo"), ctString, stAlphabetic, u"", "TGxComboBox", "TStringsColumnDisplay", Text},
        {Add<TGxListColumn>("List"), ctInteger, stNumeric, u"0", "TGxComboBox", "TStringsColumnDisplay", Text},
        {Add<TGxIncrementColumn>("Inc"),
         ctAutoInc,
         stAlphabetic,
         u"",
         "-",
         "TIncrementColumnDisplay",
         {csFitToLargest, csTextFitHint}},
        {Add<TGxCustomNumberColumn>("Custom"), ctFloat, stNumeric, u"0", "-", "TNumberColumnDisplay", Text},
        {Add<TGxNumberColumn>("Number"), ctFloat, stNumeric, u"0", "TGxSpinEdit", "TNumberColumnDisplay", Text},
        {Add<TGxCalcColumn>("Calc"), ctFloat, stNumeric, u"0", "TGxCalcEdit", "TNumberColumnDisplay", Text},
        {Add<TGxDateColumn>("Date"), ctDate, stDate, Today, "TGxDatePicker", "TDateColumnDisplay", Text},
        {Add<TGxMemoColumn>("Memo"),
         ctString,
         stAlphabetic,
         u"",
         "TGxMemoInplaceEdit",
         "TMemoColumnDisplay",
         {csCanEdit, csFitToLargest, csRedrawInplaceEdit, csTextFitHint, csWantReturns}},
    };
    for (const TKind& K : Kinds) {
        SCOPED_TRACE(K.Column->GetName());
        EXPECT_EQ(std::tuple(K.Column->GetColumnType(), K.Column->GetSortType(), K.Column->GetDefaultValue()),
                  std::tuple(K.Type, K.Sort, K.Default));
        EXPECT_EQ(ClassOf(K.Column->GetEditor()), K.Editor);
        EXPECT_EQ(ClassOf(K.Column->GetDisplay()), K.Display);
        EXPECT_EQ(K.Column->GetPlay(), nullptr);
        EXPECT_EQ(K.Column->GetColumnStyle(), K.Style);
    }
    EXPECT_EQ(Kinds[11].Column->GetDisplayOptions(), TDisplayOptions{doMultiLine});
}

TEST_F(GxValueColumns, PropertiesStartAtTheirDefaults)
{
    auto* Strings = Add<TGxStringsColumn>("S");
    EXPECT_EQ(std::tuple(Strings->GetDisplayMode(), Strings->GetDropDownCount(), Strings->GetItems()->GetCount(),
                         Strings->GetImages(), Strings->GetListWidth()),
              std::tuple(dmTextOnly, 8, 0, nullptr, 0));
    auto* Combo = Add<TGxComboBoxColumn>("C");
    EXPECT_EQ(std::tuple(Combo->GetDataMode(), Combo->GetStyle()), std::tuple(dmDefault, cbsDropDown));
    auto* Number = Add<TGxNumberColumn>("N");
    EXPECT_EQ(std::tuple(Number->GetEditOptions(), Number->GetAlignment(), Number->GetIncrement(),
                         Number->GetPrecision(), Number->GetSpinButtons(), Number->GetMax(), Number->GetMin()),
              std::tuple(TGxNumberEditOptions{eoAllowFloat}, taRightJustify, 1.0, 0, true, 0.0, 0.0));
    EXPECT_EQ(Add<TGxCalcColumn>("K")->GetAlignment(), taLeftJustify);
    auto* Date = Add<TGxDateColumn>("D");
    EXPECT_EQ(
        std::tuple(Date->GetDateSeparator(), Date->GetShowNoneButton(), Date->GetStartDay(), Date->GetHideWhenEmpty()),
        std::tuple('/', true, dwSunday, false));
    auto* Button = Add<TGxButtonColumn>("B");
    EXPECT_TRUE(Button->GetGlyph()->GetEmpty());
    EXPECT_EQ(Button->GetEditOptions(), TGxEditOptions{});
    EXPECT_EQ(Add<TGxMemoColumn>("M")->GetScrollBars(), ssNone);
    EXPECT_FALSE(Add<TGxListColumn>("L")->GetSorted());
}

TEST_F(GxValueColumns, DrawingSettersRepaintAndEditorSettingsAreOnlyStored)
{
    auto* Time = Add<TGxTimeColumn>("T");
    auto* Button = Add<TGxButtonColumn>("B");
    auto* List = Add<TGxListColumn>("L");
    auto* Number = Add<TGxNumberColumn>("N");
    auto* Date = Add<TGxDateColumn>("D");
    auto* Memo = Add<TGxMemoColumn>("M");
    TBitmap Glyph;
    Glyph.SetSize(4, 4);
    TStringList Items;
    TOwned<TCustomImageList> Images = MakeOwned<TCustomImageList>(nullptr);
    const std::pair<const char*, std::function<void()>> Setters[] = {
        {"T", [&] { Time->SetEmptyCaption(u"-"); }},
        {"T", [&] { Time->SetFormatMask("hh:nn"); }},
        {"T", [&] { Time->SetHideWhenEmpty(true); }},
        {"", [&] { Button->SetButtonCaption(u"..."); }},
        {"", [&] { Button->SetEditOptions({epDisablePaste}); }},
        {"", [&] { Button->SetGlyph(&Glyph); }},
        {"L", [&] { List->SetDisplayMode(dmTextAndImage); }},
        {"", [&] { List->SetDropDownCount(3); }},
        {"", [&] { List->SetImages(Images.get()); }},
        {"", [&] { List->SetItems(ThreeItems(Items)); }},
        {"", [&] { List->SetListWidth(90); }},
        {"", [&] { List->SetSorted(true); }},
        {"", [&] { Number->SetEditOptions({eoAllowSigns}); }},
        {"N", [&] { Number->SetEmptyCaption(u"none"); }},
        {"N", [&] { Number->SetFormatMask("0.00"); }},
        {"N", [&] { Number->SetHideWhenEmpty(true); }},
        {"", [&] { Number->SetMax(10); }},
        {"", [&] { Number->SetMin(-10); }},
        {"N", [&] { Number->SetTextAfter(u" kg"); }},
        {"N", [&] { Number->SetTextBefore(u"~"); }},
        {"", [&] { Number->SetIncrement(0.5); }},
        {"", [&] { Number->SetPrecision(2); }},
        {"", [&] { Number->SetSpinButtons(false); }},
        {"D", [&] { Date->SetDateSeparator('-'); }},
        {"", [&] { Date->SetEmptyCaption(u"never"); }},
        {"D", [&] { Date->SetFormatMask("yyyy"); }},
        {"D", [&] { Date->SetHideWhenEmpty(true); }},
        {"", [&] { Date->SetShowNoneButton(false); }},
        {"", [&] { Date->SetStartDay(dwMonday); }},
        {"", [&] { Memo->SetScrollBars(ssBoth); }},
    };
    Grid->TakeLog();
    for (const auto& [Repainted, Set] : Setters) {
        Set();
        const auto Log = Grid->TakeLog();
        if (*Repainted)
            EXPECT_EQ(Log, std::vector<std::string>{std::string("refresh ") + Repainted + " gaNone"});
        else
            EXPECT_TRUE(Log.empty()) << Log.front();
        // The same value again repaints nothing.
        Set();
        EXPECT_TRUE(Grid->TakeLog().empty());
    }
    EXPECT_EQ(List->GetItems()->GetCommaText(), "alpha,Beta,\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(List->GetImages(), Images.get());
}

TEST_F(GxValueColumns, AssignCopiesEachKindsOwnSettingsOnlyFromItsKind)
{
    auto* Number = Add<TGxNumberColumn>("N");
    Number->SetTextBefore(u"<");
    Number->SetFormatMask("0.0");
    Number->SetMax(5);
    Number->SetIncrement(2);
    Number->SetSpinButtons(false);
    Number->SetPrecision(3);
    Number->SetEditOptions({eoAllowSigns});
    auto* Copy = Add<TGxNumberColumn>("C");
    Copy->Assign(Number);
    EXPECT_EQ(std::tuple(Copy->GetTextBefore(), Copy->GetFormatMask(), Copy->GetMax(), Copy->GetIncrement(),
                         Copy->GetSpinButtons(), Copy->GetPrecision(), Copy->GetEditOptions()),
              std::tuple(u"<", "0.0", 5.0, 2.0, false, 0, TGxNumberEditOptions{eoAllowFloat}));
    // A calculator column is a number column of another kind: no step.
    auto* Calc = Add<TGxCalcColumn>("K");
    Calc->SetTextAfter(u"%");
    Copy->Assign(Calc);
    EXPECT_EQ(std::tuple(Copy->GetTextAfter(), Copy->GetIncrement()), std::tuple(u"%", 2.0));

    TStringList Items;
    auto* Combo = Add<TGxComboBoxColumn>("B");
    Combo->SetItems(ThreeItems(Items));
    Combo->SetDropDownCount(4);
    Combo->SetStyle(cbsDropDownList);
    Combo->SetDataMode(dmValueList);
    Combo->SetListWidth(77);
    auto* List = Add<TGxListColumn>("L");
    List->Assign(Combo);
    EXPECT_EQ(std::tuple(List->GetItems()->GetCount(), List->GetDropDownCount(), List->GetListWidth()),
              std::tuple(3, 4, 0));
    auto* Other = Add<TGxComboBoxColumn>("O");
    Other->Assign(Combo);
    EXPECT_EQ(std::tuple(Other->GetStyle(), Other->GetDataMode()), std::tuple(cbsDropDownList, dmValueList));

    // The date column copies what a text column copies, not its own settings.
    auto* Date = Add<TGxDateColumn>("D");
    Date->SetTextAfter(u"!");
    Date->SetFormatMask("yyyy");
    Date->SetDateSeparator('.');
    auto* Later = Add<TGxDateColumn>("E");
    Later->Assign(Date);
    EXPECT_EQ(std::tuple(Later->GetTextAfter(), Later->GetFormatMask(), Later->GetDateSeparator()),
              std::tuple(u"!", "", '/'));
}

TEST_F(GxValueColumns, DrawnTextsFormatTheValue)
{
    auto* List = Add<TGxListColumn>("L");
    TStringList Items;
    List->SetItems(ThreeItems(Items));
    List->SetTextBefore(u"[");
    List->SetTextAfter(u"]");
    EXPECT_EQ(List->GetDrawText(TCellInfo{.AsInteger = 1, .AsString = {}}), u"[Beta]");
    // An index that names no item draws nothing, not even the texts around it.
    for (int Index : {5, 3, -1})
        EXPECT_EQ(List->GetDrawText(TCellInfo{.AsInteger = Index, .AsString = {}}), u"") << Index;
    for (const auto& [Input, Shown] : {std::pair(u"2", u"\u00E9t\u00E9"), {u"3", u""}, {u"x", u""}, {u"", u""}}) {
        List->SetInputValue(Input);
        EXPECT_EQ(List->GetInputDrawText(), Shown);
    }

    auto* Number = Add<TGxNumberColumn>("N");
    const auto Shown = [&](double V) { return Number->GetDrawText(TCellInfo{.AsFloat = V, .AsString = {}}); };
    Number->SetTextBefore(u"~");
    Number->SetTextAfter(u" kg");
    Number->SetEmptyCaption(u"none");
    EXPECT_EQ(Shown(0), u"~0 kg");
    EXPECT_EQ(Shown(-2.5), u"~-2.5 kg");
    Number->SetHideWhenEmpty(true);
    EXPECT_EQ(Shown(0), u"none");
    Number->SetFormatMask("#,##0.00");
    EXPECT_EQ(Shown(1234.5), u"~1,234.50 kg");

    auto* Date = Add<TGxDateColumn>("D");
    const auto Day = [&](TDateTime V) { return Date->GetDrawText(TCellInfo{.AsDateTime = V, .AsString = {}}); };
    const TDateTime March5 = EncodeDate(2024, 3, 5);
    EXPECT_EQ(Day(March5), u"3/5/2024");
    EXPECT_EQ(Day(March5 + EncodeTime(13, 5, 7, 0)), u"3/5/2024 1:05:07 PM");
    Date->SetFormatMask("yyyy-mm-dd");
    Date->SetTextBefore(u"(");
    EXPECT_EQ(Day(March5), u"(2024-03-05");
    Date->SetEmptyCaption(u"never");
    Date->SetHideWhenEmpty(true);
    EXPECT_EQ(Day(0), u"never");

    auto* Time = Add<TGxTimeColumn>("T");
    Time->SetTextBefore(u"at ");
    const auto Clock = [&](TDateTime V) { return Time->GetDrawText(TCellInfo{.AsDateTime = V, .AsString = {}}); };
    EXPECT_EQ(Clock(March5 + EncodeTime(13, 5, 7, 0)), u"1:05:07 PM");
    Time->SetFormatMask("hh:nn");
    EXPECT_EQ(Clock(EncodeTime(9, 30, 0, 0)), u"09:30");
    EXPECT_EQ(Clock(0), u"00:00");

    EXPECT_EQ(Add<TGxIncrementColumn>("I")->GetDrawText(TCellInfo{.AsInteger = 0, .AsString = {}}), u"1");
    EXPECT_EQ(Columns->GetItem(4)->GetDrawText(TCellInfo{.AsInteger = std::numeric_limits<int>::max(), .AsString = {}}),
              u"2147483648");
}

// Paint, hints, best fit and export all ask for these texts.
TEST_F(GxValueColumns, DrawnTextsNeverRaiseWhateverTheMaskOrValue)
{
    auto* Number = Add<TGxNumberColumn>("N");
    auto* Date = Add<TGxDateColumn>("D");
    auto* Time = Add<TGxTimeColumn>("T");
    const double Values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e300,
                             1e300, 0};
    for (const char* Mask : {"", "0.0;;;;", "\"unclosed", "#,##0.00E+", "yyyy/mm/dd hh:nn:ss.zzz ampm", "c c ddddd"}) {
        Number->SetFormatMask(Mask);
        Date->SetFormatMask(Mask);
        Time->SetFormatMask(Mask);
        for (double V : Values) {
            SCOPED_TRACE(std::string(Mask) + " " + std::to_string(V));
            EXPECT_NO_THROW(Number->GetDrawText(TCellInfo{.AsFloat = V, .AsString = {}}));
            EXPECT_NO_THROW(Date->GetDrawText(TCellInfo{.AsDateTime = V, .AsString = {}}));
            EXPECT_NO_THROW(Time->GetDrawText(TCellInfo{.AsDateTime = V, .AsString = {}}));
        }
    }
    // A value that is no date-time has no time of day to show.
    Time->SetFormatMask("");
    for (double V : {Values[0], Values[1]})
        EXPECT_EQ(Time->GetDrawText(TCellInfo{.AsDateTime = V, .AsString = {}}), u"12:00:00 AM");
}

TEST_F(GxValueColumns, KeysThatStartAnEdit)
{
    EXPECT_TRUE(ValidNumberKey(u'7', {}));
    EXPECT_TRUE(ValidNumberKey(u'.', {eoAllowFloat}));
    EXPECT_FALSE(ValidNumberKey(u'-', {eoAllowFloat}));
    EXPECT_TRUE(ValidNumberKey(u'-', {eoAllowSigns}) && ValidNumberKey(u'+', {eoAllowSigns}));
    EXPECT_FALSE(ValidNumberKey(u'.', {eoAllowSigns}));
    EXPECT_FALSE(ValidNumberKey(u'e', {eoAllowAll, eoAllowFloat, eoAllowSigns}));
    FormatSettings.DecimalSeparator = ',';
    EXPECT_TRUE(ValidNumberKey(u',', {eoAllowFloat}));
    EXPECT_FALSE(ValidNumberKey(u'.', {eoAllowFloat}));
    EXPECT_TRUE(Add<TGxCalcColumn>("K")->IsKeyValid(u','));

    TStringList Items;
    Items.SetText("alpha\n\nBeta\n\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(LocateKey(u'b', &Items), 2);
    EXPECT_EQ(LocateKey(u'\u00C9', &Items), 3);
    EXPECT_EQ(LocateKey(u'z', &Items), -1);
    EXPECT_EQ(LocateKey(0, &Items), -1); // the empty item is passed over

    auto* Combo = Add<TGxComboBoxColumn>("C");
    Combo->SetItems(&Items);
    EXPECT_TRUE(Combo->IsKeyValid(u'z') && Combo->IsKeyValid(u'!'));
    EXPECT_FALSE(Combo->IsKeyValid(u' '));
    Combo->SetStyle(cbsDropDownList);
    EXPECT_TRUE(Combo->IsKeyValid(u'A') && Combo->IsKeyValid(u'\u00E9'));
    EXPECT_FALSE(Combo->IsKeyValid(u'z'));
    auto* List = Add<TGxListColumn>("L");
    List->SetItems(&Items);
    EXPECT_TRUE(List->IsKeyValid(u'B'));
    EXPECT_FALSE(List->IsKeyValid(u'x'));

    auto* Date = Add<TGxDateColumn>("D");
    EXPECT_TRUE(Date->IsKeyValid(u'0') && Date->IsKeyValid(u'/'));
    EXPECT_FALSE(Date->IsKeyValid(u'-') || Date->IsKeyValid(u'a') || Date->IsKeyValid(u' '));
    Date->SetDateSeparator('-');
    EXPECT_TRUE(Date->IsKeyValid(u'-'));
    EXPECT_FALSE(Date->IsKeyValid(u'/'));
}

TEST_F(GxValueColumns, AButtonGlyphTakesItsCornerColourOnlyWhenItHasPixels)
{
    auto* Button = Add<TGxButtonColumn>("B");
    TBitmap Empty;
    Button->SetGlyph(&Empty);
    EXPECT_TRUE(Button->GetGlyph()->GetTransparent());
    EXPECT_EQ(Button->GetGlyph()->GetTransparentMode(), tmAuto);
    TBitmap Glyph;
    Glyph.SetSize(5, 4);
    Glyph.GetCanvas()->SetPixels(0, 3, clRed);
    Glyph.GetCanvas()->SetPixels(0, 0, clBlue);
    Button->SetGlyph(&Glyph);
    EXPECT_EQ(std::tuple(Button->GetGlyph()->GetTransparentMode(), Button->GetGlyph()->GetTransparentColor()),
              std::tuple(tmFixed, clRed));
    EXPECT_EQ(Glyph.GetTransparentMode(), tmAuto); // a copy was made
}

TEST_F(GxValueColumns, AStringsColumnForgetsItsImagesWhenTheyGo)
{
    auto* Strings = Add<TGxStringsColumn>("S");
    auto* Images = New<TCustomImageList>(nullptr);
    Strings->SetImages(Images);
    Free(Images);
    EXPECT_EQ(Strings->GetImages(), nullptr);
}

TEST_F(GxValueColumns, AColumnBuiltAsAFormBuildsItJoinsItsGridWithItsKind)
{
    auto* Column = New<TGxListColumn>(Form.get());
    Column->SetParentComponent(Grid);
    Column->ReadState();
    Column->Loaded();
    ASSERT_EQ(Columns->GetItem(0), Column);
    EXPECT_EQ(std::tuple(Column->GetColumnType(), ClassOf(Column->GetEditor())), std::tuple(ctInteger, "TGxComboBox"));
}
