// The columns' layout through an INI file and the registry.
#include "GxGridFixture.h"
#include "platform/classes/Registry.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace GxGridTests;

class TGxGridLayoutTest : public TGxGridTest {
protected:
    TGxCustomColumn* Column(int I) { return Grid->GetColumns()->GetItem(I); }
    // The columns' names in display order.
    AnsiString Order()
    {
        AnsiString S;
        for (int P = 0; P < Grid->GetColumns()->GetCount(); ++P)
            S += Grid->GetColumns()->GetPositionItem(P)->GetName();
        return S;
    }
    void AddColumn(const char* Name)
    {
        Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, Utf8ToWide(Name))->SetName(Name);
    }

    TTempDir Dir;
    TTemporaryHome Home;
};

TEST_F(TGxGridLayoutTest, SavingWritesTheCountAndFiveSectionsWithTheSuffix)
{
    const AnsiString File = Dir.Path() + "layout.ini";
    Column(1)->SetWidth(120);
    Column(2)->SetSortKind(skDescending);
    Grid->SaveToIni(Utf8ToWide(File), "X");
    auto Ini = MakeOwned<TIniFile>(File);
    EXPECT_EQ(Ini->ReadInteger("CommonX", "ColumnsCount", 0), 3);
    auto Keys = MakeOwned<TStringList>();
    for (const char* Section : {"Columns Sort KindX", "Visible ColumnsX", "SortedX", "PositionsX", "Columns SizesX"}) {
        Ini->ReadSection(Section, Keys.get());
        EXPECT_EQ(Keys->GetText(), "Column0\nColumn1\nColumn2\n") << Section;
    }
    EXPECT_EQ(Ini->ReadString("Columns Sort KindX", "Column2", ""), "Descending");
    EXPECT_EQ(Ini->ReadString("Columns Sort KindX", "Column0", ""), "Ascending");
    EXPECT_EQ(Ini->ReadInteger("Columns SizesX", "Column1", 0), 120);
    EXPECT_EQ(Ini->ReadString("Visible ColumnsX", "Column0", ""), "1");
}

TEST_F(TGxGridLayoutTest, MissingSectionsGiveDefaultsAndLowerCaseAscendingLoadsDescending)
{
    const AnsiString File = Dir.Path() + "layout.ini";
    Column(0)->SetWidth(99);
    Column(1)->SetVisible(false);
    Column(2)->SetPosition(0);
    Column(0)->SetSortKind(skDescending);
    Grid->LoadFromIni(Utf8ToWide(File), "Nothing");
    EXPECT_EQ(Order(), "ABC");
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(Column(I)->GetSortKind(), skAscending);
        EXPECT_TRUE(Column(I)->GetVisible());
        EXPECT_FALSE(Column(I)->GetSorted());
    }
    EXPECT_EQ(Column(0)->GetWidth(), 99);

    Dir.WriteFile("layout.ini", "[Columns Sort Kind]\nColumn0=ascending\nColumn1=Ascending\n");
    Grid->LoadFromIni(Utf8ToWide(File), "");
    EXPECT_EQ(Column(0)->GetSortKind(), skDescending);
    EXPECT_EQ(Column(1)->GetSortKind(), skAscending);
}

TEST_F(TGxGridLayoutTest, OrdersHiddenColumnsAndWidthsRoundTripThroughBothStores)
{
    AddColumn("D");
    const std::vector<std::vector<int>> Orders = {{2, 3, 1, 0}, {3, 2, 1, 0}, {1, 0, 3, 2}, {0, 1, 2, 3}};
    for (const bool Registry : {false, true})
        for (const auto& Target : Orders) {
            // Target[i] is column i's saved position.
            AnsiString Expected(4, '?');
            for (int I = 0; I < 4; ++I)
                Expected[Target[I]] = char('A' + I);
            for (int P = 0; P < 4; ++P)
                Grid->GetColumns()->GetItem(Expected[P] - 'A')->SetPosition(P);
            ASSERT_EQ(Order(), Expected);
            Column(Target[0] % 4)->SetVisible(false);
            Column(1)->SetWidth(40 + Target[1]);
            const WideString Where = Registry ? WideString(u"Software\\Layout") : Utf8ToWide(Dir.Path() + "l.ini");
            Registry ? Grid->SaveToRegistry(Where, "G") : Grid->SaveToIni(Where, "G");

            for (int P = 0; P < 4; ++P)
                Column(P)->SetPosition(P);
            Column(Target[0] % 4)->SetVisible(true);
            Column(1)->SetWidth(10);
            Registry ? Grid->LoadFromRegistry(Where, "G") : Grid->LoadFromIni(Where, "G");
            EXPECT_EQ(Order(), Expected) << (Registry ? "registry" : "file");
            EXPECT_FALSE(Column(Target[0] % 4)->GetVisible());
            EXPECT_EQ(Column(1)->GetWidth(), 40 + Target[1]);
            Column(Target[0] % 4)->SetVisible(true);
        }
}

TEST_F(TGxGridLayoutTest, PositionsThatAreNoOrderOfTheColumnsLeaveTheOrderAlone)
{
    const AnsiString File = Dir.Path() + "layout.ini";
    Column(2)->SetPosition(0);
    for (const char* Positions : {"Column0=1\nColumn1=1\nColumn2=0\n", "Column0=5\nColumn1=0\nColumn2=1\n",
                                  "Column0=-1\nColumn1=0\nColumn2=1\n"}) {
        Dir.WriteFile("layout.ini", AnsiString("[Positions]\n") + Positions + "[Columns Sizes]\nColumn1=70\n");
        EXPECT_NO_THROW(Grid->LoadFromIni(Utf8ToWide(File), ""));
        EXPECT_EQ(Order(), "CAB") << Positions;
        EXPECT_EQ(Column(1)->GetWidth(), 70); // the rest still loads
    }
    // Widths are held to what paints.
    Dir.WriteFile("layout.ini", "[Columns Sizes]\nColumn0=100000\n");
    Grid->LoadFromIni(Utf8ToWide(File), "");
    EXPECT_EQ(Column(0)->GetWidth(), MaxPaintedSize);
}

TEST_F(TGxGridLayoutTest, AStoredSortedColumnEndsSortedByItsKindWithOneSort)
{
    AddRows(3);
    Grid->SetCells(1, 0, u"b");
    Grid->SetCells(1, 1, u"c");
    Grid->SetCells(1, 2, u"a");
    int Sorts = 0;
    Grid->OnAfterSort = [&](TObject*, int) { ++Sorts; };
    const AnsiString File = Dir.Path() + "layout.ini";
    Dir.WriteFile("layout.ini", "[Sorted]\nColumn0=1\nColumn1=1\n[Columns Sort Kind]\nColumn1=Descending\n");
    Column(0)->SetSorted(true);
    Sorts = 0;
    Grid->LoadFromIni(Utf8ToWide(File), "");
    EXPECT_EQ(Sorts, 1);
    EXPECT_TRUE(Column(1)->GetSorted());
    EXPECT_FALSE(Column(0)->GetSorted());
    EXPECT_EQ(Grid->GetSortedColumn(), Column(1));
    EXPECT_EQ(Text(1, 0) + Text(1, 1) + Text(1, 2), "cba");

    // Nothing stored sorted: the sorted column is unsorted, rows stay.
    Dir.WriteFile("layout.ini", "");
    Sorts = 0;
    Grid->LoadFromIni(Utf8ToWide(File), "");
    EXPECT_EQ(Sorts, 0);
    EXPECT_EQ(Grid->GetSortedColumn(), nullptr);
    EXPECT_EQ(Text(1, 0) + Text(1, 1) + Text(1, 2), "cba");
}

TEST_F(TGxGridLayoutTest, RowExistOnlyForRowsThatAre)
{
    EXPECT_FALSE(Grid->RowExist(0));
    EXPECT_FALSE(Grid->RowExist(-1));
    AddRows(2);
    EXPECT_TRUE(Grid->RowExist(0));
    EXPECT_TRUE(Grid->RowExist(1));
    EXPECT_FALSE(Grid->RowExist(2));
    EXPECT_FALSE(Grid->RowExist(-1));
}

} // namespace
