// tests/grid/GxCellClassesTest.cpp
#include "CellsFixture.h"

using namespace CellsFixture;

namespace {

struct GxCellClasses : TCellsFixture {
    GxCellClasses()
    {
        for (TColumnType Type : {ctBoolean, ctDate, ctFloat, ctInteger, ctString, ctAutoInc})
            AddTyped(Type);
        Cells->AddRow(5);
    }
    enum { Bool, Date, Float, Int, Str, Inc };
    TCell At(int ACol) { return Cells->GetCell(ACol, 4); }
    const TDateTime Day = EncodeDate(2024, 3, 5);
};

TEST_F(GxCellClasses, EachColumnTypeMakesItsClass)
{
    const TClass Expected[] = {TBooleanCell::StaticClassType(), TDateTimeCell::StaticClassType(),
                               TFloatCell::StaticClassType(),   TIntegerCell::StaticClassType(),
                               TStringCell::StaticClassType(),  TIncrementCell::StaticClassType()};
    for (int C = Bool; C <= Inc; ++C) {
        EXPECT_EQ(At(C).ClassType(), Expected[C]);
        EXPECT_TRUE(At(C).InheritsFrom(TCell::StaticClassType()));
    }
    EXPECT_EQ(At(Str).ClassName(), "TStringCell");
}

TEST_F(GxCellClasses, ValuesReadInEveryForm)
{
    At(Bool).SetAsBoolean(true);
    EXPECT_EQ(At(Bool).GetAsDateTime(), 0);
    EXPECT_EQ(At(Bool).GetAsFloat(), 1);
    EXPECT_EQ(At(Bool).GetAsInteger(), 1);
    EXPECT_EQ(At(Bool).GetAsString(), u"True");

    At(Date).SetAsDateTime(Day + 0.5);
    EXPECT_FALSE(At(Date).GetAsBoolean());
    EXPECT_EQ(At(Date).GetAsFloat(), Day + 0.5);
    EXPECT_EQ(At(Date).GetAsInteger(), 45356); // 45356.5: halves go to the even neighbour
    EXPECT_EQ(At(Date).GetAsString(), u"3/5/2024 12:00:00 PM");
    At(Date).SetAsDateTime(Day);
    EXPECT_EQ(At(Date).GetAsString(), u"3/5/2024");

    At(Float).SetAsFloat(3.5);
    EXPECT_FALSE(At(Float).GetAsBoolean());
    EXPECT_EQ(At(Float).GetAsDateTime(), 3.5);
    EXPECT_EQ(At(Float).GetAsInteger(), 4);
    EXPECT_EQ(At(Float).GetAsString(), u"3.5");

    At(Int).SetAsInteger(-5);
    EXPECT_FALSE(At(Int).GetAsBoolean());
    EXPECT_EQ(At(Int).GetAsDateTime(), 0);
    EXPECT_EQ(At(Int).GetAsFloat(), -5);
    EXPECT_EQ(At(Int).GetAsString(), u"-5");
    At(Int).SetAsInteger(7);
    EXPECT_TRUE(At(Int).GetAsBoolean());

    // An increment cell counts its own row.
    EXPECT_EQ(At(Inc).GetAsInteger(), 5);
    EXPECT_EQ(At(Inc).GetAsFloat(), 5);
    EXPECT_EQ(At(Inc).GetAsString(), u"5");
    EXPECT_FALSE(At(Inc).GetAsBoolean());
    EXPECT_EQ(Cells->GetCell(Inc, 1).GetAsInteger(), 2);
}

TEST_F(GxCellClasses, StringCellsParseTheirText)
{
    TCell S = At(Str);
    S.SetAsString(u"abc");
    EXPECT_THROW(S.GetAsInteger(), EConvertError);
    EXPECT_THROW(S.GetAsFloat(), EConvertError);
    EXPECT_THROW(S.GetAsBoolean(), EConvertError);
    EXPECT_THROW(S.GetAsDateTime(), EConvertError);
    S.SetAsString(u"");
    EXPECT_THROW(S.GetAsInteger(), EConvertError);
    EXPECT_THROW(S.GetAsFloat(), EConvertError);
    EXPECT_EQ(S.GetAsDateTime(), 0);
    S.SetAsString(u"2.25");
    EXPECT_EQ(S.GetAsFloat(), 2.25);
    S.SetAsString(u"-12");
    EXPECT_EQ(S.GetAsInteger(), -12);
    S.SetAsString(u"True");
    EXPECT_TRUE(S.GetAsBoolean());
    S.SetAsString(u"3/5/2024");
    EXPECT_EQ(S.GetAsDateTime(), Day);
}

TEST_F(GxCellClasses, SettersConvertAndReportOnce)
{
    const auto Set = [&](int C, auto Setter) {
        Changes.clear();
        TCell Cell = At(C);
        Setter(Cell);
        EXPECT_EQ(Changes, (std::vector<std::pair<int, int>>{{C, 4}})) << C;
        return Cell;
    };
    EXPECT_TRUE(Set(Bool, [](TCell& C) { C.SetAsString(u"TRUE"); }).GetAsBoolean());
    EXPECT_FALSE(Set(Bool, [](TCell& C) { C.SetAsString(u"yes"); }).GetAsBoolean());
    EXPECT_TRUE(Set(Bool, [](TCell& C) { C.SetAsFloat(0.5); }).GetAsBoolean());
    EXPECT_FALSE(Set(Bool, [](TCell& C) { C.SetAsDateTime(3); }).GetAsBoolean());
    EXPECT_TRUE(Set(Bool, [](TCell& C) { C.SetAsInteger(-1); }).GetAsBoolean());
    EXPECT_FALSE(Set(Bool, [](TCell& C) { C.Clear(); }).GetAsBoolean());

    EXPECT_EQ(Set(Date, [](TCell& C) { C.SetAsString(u"no date"); }).GetAsDateTime(), 0);
    EXPECT_EQ(Set(Date, [](TCell& C) { C.SetAsString(u"3/5/2024"); }).GetAsDateTime(), Day);
    EXPECT_EQ(Set(Date, [](TCell& C) { C.SetAsBoolean(false); }).GetAsDateTime(), ::Date());
    EXPECT_EQ(Set(Date, [](TCell& C) { C.SetAsInteger(3); }).GetAsDateTime(), 3);

    EXPECT_EQ(Set(Float, [](TCell& C) { C.SetAsString(u"1.5"); }).GetAsFloat(), 1.5);
    EXPECT_EQ(Set(Float, [](TCell& C) { C.SetAsBoolean(true); }).GetAsFloat(), 0);
    EXPECT_EQ(Set(Float, [](TCell& C) { C.SetAsInteger(9); }).GetAsFloat(), 9);

    EXPECT_EQ(Set(Int, [](TCell& C) { C.SetAsFloat(2.5); }).GetAsInteger(), 2);
    EXPECT_EQ(Set(Int, [](TCell& C) { C.SetAsFloat(-3.5); }).GetAsInteger(), -4);
    EXPECT_EQ(Set(Int, [](TCell& C) { C.SetAsString(u""); }).GetAsInteger(), 0);
    EXPECT_EQ(Set(Int, [](TCell& C) { C.SetAsBoolean(true); }).GetAsInteger(), 1);
    EXPECT_EQ(Set(Int, [](TCell& C) { C.SetAsDateTime(5); }).GetAsInteger(), 0);

    EXPECT_EQ(Set(Str, [](TCell& C) { C.SetAsBoolean(false); }).GetAsString(), u"False");
    EXPECT_EQ(Set(Str, [](TCell& C) { C.SetAsInteger(42); }).GetAsString(), u"42");
    EXPECT_EQ(Set(Str, [](TCell& C) { C.SetAsFloat(0.1); }).GetAsString(), u"0.1");
    EXPECT_EQ(Set(Str, [&](TCell& C) { C.SetAsDateTime(Day); }).GetAsString(), u"3/5/2024");
    EXPECT_EQ(Set(Str, [](TCell& C) { C.Clear(); }).GetAsString(), u"");

    // An increment cell stores nothing but still reports; clearing it does nothing at all.
    EXPECT_EQ(Set(Inc, [](TCell& C) { C.SetAsInteger(77); }).GetAsInteger(), 5);
    Changes.clear();
    At(Inc).Clear();
    EXPECT_TRUE(Changes.empty());
}

TEST_F(GxCellClasses, ConversionErrorsLeaveTheCellAndReportNothing)
{
    At(Float).SetAsFloat(1.25);
    At(Int).SetAsInteger(8);
    At(Str).SetAsString(u"keep");
    Changes.clear();
    EXPECT_THROW(At(Float).SetAsString(u"x1"), EConvertError);
    EXPECT_THROW(At(Float).SetAsString(u""), EConvertError);
    EXPECT_THROW(At(Int).SetAsString(u"4.5"), EConvertError);
    EXPECT_THROW(At(Int).SetAsFloat(1e300), EInvalidOp);
    EXPECT_TRUE(Changes.empty());
    EXPECT_EQ(At(Float).GetAsFloat(), 1.25);
    EXPECT_EQ(At(Int).GetAsInteger(), 8);
    EXPECT_EQ(At(Str).GetAsString(), u"keep");
}

TEST_F(GxCellClasses, TextKeepsEveryCharacterAndSurvivesRewrites)
{
    // Byte escapes, surrogate pairs, and texts that grow and shrink often
    // enough for the column to pack its texts again.
    const WideString Odd = u"a\xDC80\xD83D\xDE00z";
    TCell A = Cells->GetCell(Str, 0), B = Cells->GetCell(Str, 1);
    A.SetAsString(Odd);
    B.SetAsString(u"short");
    A.SetAsString(u"x");
    B.SetAsString(B.GetAsString() + u" and longer");
    for (int I = 0; I < 5000; ++I)
        A.SetAsString(WideString(std::size_t(I % 97), char16_t(u'a' + I % 26)));
    EXPECT_EQ(A.GetAsString(), WideString(4999 % 97, char16_t(u'a' + 4999 % 26)));
    EXPECT_EQ(B.GetAsString(), u"short and longer");
    A.SetAsString(Odd);
    EXPECT_EQ(A.GetAsString(), Odd);
}

} // namespace
