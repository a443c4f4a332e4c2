// Saves formatted on worker threads against the same saves on the window's
// thread alone: the same bytes wherever the ranges of rows are cut, the
// one-thread path wherever a cell must be drawn or made, and a worker's
// failure raised as the save's own with the old file whole.
#include "GxGridFixture.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxSaveSpeed.h"
#include "tests/support/TestSupport.h"

#include <atomic>
#include <dirent.h>

namespace {

using namespace GxGridTests;
using namespace GxCustomGridControl;
using GxColumnClasses::TGxTextColumn;

// Shows every cell with a mark of its own, so its cells must be drawn.
class TMarkedColumn : public TGxTextColumn {
public:
    QM_CLASS(TMarkedColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    WideString GetDrawText(const TCellInfo& CellInfo) override { return u"#" + TGxTextColumn::GetDrawText(CellInfo); }
};

// Texts that change on their way into a file, and plain ones between them.
const std::u16string_view Awkward[] = {u"a,b",       u"say \"hi\"",
                                       u"",          u"line1\r\nline2\nline3\r",
                                       u"\xE9t\xE9", u"\xD83D\xDE00 pair",
                                       u"\xDC80",    u"  <b> & x  ",
                                       u"plain",     u"\t",
                                       u"|",         u"x,\"\xE9\"\r\n\xAC01"};

class TGxGridSaveThreadsTest : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Grid->GetColumns()->Clear();
        Fewest = SaveFewestRows;
        RangeSize = SaveRangeSize;
        SaveFewestRows = 0;
        SaveWorkers = 3;
        SaveRangeStarted = [this](std::size_t) { ++Ranges; };
    }
    void TearDown() override
    {
        SaveThreads = true;
        SaveWorkers = 0;
        SaveFewestRows = Fewest;
        SaveRangeSize = RangeSize;
        SaveRangeStarted = nullptr;
        TGxGridTest::TearDown();
    }
    WideString Path(const char* Name) const { return Utf8ToWide(Dir.Path() + Name); }
    TGxCustomColumn* Add(TGxGrid* On, const char16_t* Caption)
    {
        return On->GetColumns()->Add(ColumnClass<TGxTextColumn>, Caption);
    }
    // Rows of awkward texts in every column, each column a step further on
    // through them, and now and then a row of nothing at all.
    void Fill(TGxGrid* On, int Rows)
    {
        const int Cols = On->GetColumns()->GetCount();
        On->AddRow(Rows);
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C)
                On->SetCells(C, R, R % 17 == 5 ? WideString() : WideString(Awkward[std::size_t(R * 5 + C * 3) % 12]));
    }
    // The file Save writes with the threads on and then off; the ranges
    // the threads formatted.
    std::size_t Both(const std::function<void(const WideString&)>& Save, AnsiString& Threaded, AnsiString& Alone)
    {
        Ranges = 0;
        SaveThreads = true;
        Save(Path("out"));
        const std::size_t Formatted = Ranges;
        Threaded = ReadWholeFile(Dir.Path() + "out");
        SaveThreads = false;
        Save(Path("out"));
        SaveThreads = true;
        EXPECT_EQ(Ranges, Formatted) << "the one-thread save started a range";
        Alone = ReadWholeFile(Dir.Path() + "out");
        return Formatted;
    }
    std::vector<AnsiString> Files() const
    {
        std::vector<AnsiString> Names;
        if (DIR* D = ::opendir(Dir.Path().c_str())) {
            while (const dirent* E = ::readdir(D))
                if (E->d_name[0] != '.') Names.push_back(E->d_name);
            ::closedir(D);
        }
        return Names;
    }

    TTempDir Dir;
    std::atomic<std::size_t> Ranges{0};
    int Fewest = 0;
    std::size_t RangeSize = 0;
};

TEST_F(TGxGridSaveThreadsTest, EveryEncodingAndTheReportComeOutAsTheOneThreadSaveWritesThem)
{
    Add(Grid, u"File")->SetStyleClass("f");
    Add(Grid, u"Hidden")->SetVisible(false);
    Add(Grid, u"Match");
    Grid->GetColumns()->GetItem(2)->SetIndex(0); // the report's order differs from the file's
    Fill(Grid, 400);
    Grid->SetCaption(u"Found <here>");
    // Ranges of a row or two, of a few rows, and of them all.
    for (const std::size_t Size : {std::size_t(1), std::size_t(40), std::size_t(1) << 20}) {
        SaveRangeSize = Size;
        for (const TEncodingKind Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
            AnsiString Threaded, Alone;
            const std::size_t Formatted =
                Both([&](const WideString& To) { Grid->SaveToTextFile(To, u',', u'|', Encoding); }, Threaded, Alone);
            if (Size == 1)
                EXPECT_EQ(Formatted, 400u); // a row each
            else if (Size == 40)
                EXPECT_TRUE(Formatted > 40 && Formatted < 400) << Formatted;
            else
                EXPECT_EQ(Formatted, 1u);
            EXPECT_GT(Alone.size(), 400u * 3);
            EXPECT_TRUE(Threaded == Alone) << "range size " << Size << ", encoding " << int(Encoding);
        }
        AnsiString Threaded, Alone;
        const std::size_t Formatted = Both(
            [&](const WideString& To) {
                Grid->SaveToHtml(To, {hsSaveHeaders, hsSaveCaption, hsSaveFooter, hsCreateStyleSheet});
            },
            Threaded, Alone);
        EXPECT_GE(Formatted, 1u);
        EXPECT_NE(Alone.find("&lt;b&gt; &amp; x</td>"), AnsiString::npos);
        EXPECT_TRUE(Threaded == Alone) << "range size " << Size;
    }
}

// A cell that must be made or drawn keeps the save on the window's thread;
// one that lies where the store keeps it does not.
TEST_F(TGxGridSaveThreadsTest, ASaveThatMustDrawOrMakeACellStaysOnTheWindowsThread)
{
    SaveRangeSize = 10;
    Add(Grid, u"A");
    Grid->GetColumns()->Add(ColumnClass<TMarkedColumn>, u"Marked");
    Fill(Grid, 50);
    AnsiString Threaded, Alone;
    EXPECT_GT(Both([&](const WideString& To) { Grid->SaveToTextFile(To, u',', u'|', ekAnsi); }, Threaded, Alone), 1u);
    EXPECT_TRUE(Threaded == Alone);
    EXPECT_EQ(Both([&](const WideString& To) { Grid->SaveToHtml(To, {}); }, Threaded, Alone), 0u);
    EXPECT_NE(Threaded.find("<td>#a,b</td>"), AnsiString::npos) << Threaded;
    // Hidden, the drawn column is not saved in the report.
    Grid->GetColumns()->GetItem(1)->SetVisible(false);
    EXPECT_GT(Both([&](const WideString& To) { Grid->SaveToHtml(To, {}); }, Threaded, Alone), 1u);
    EXPECT_TRUE(Threaded == Alone);

    // A column of values makes its texts.
    Grid->GetColumns()->Add(ColumnClass<GxColumnClasses::TGxIncrementColumn>, u"N");
    Grid->AddRow(1);
    EXPECT_EQ(Both([&](const WideString& To) { Grid->SaveToTextFile(To, u',', u'|', ekUnicode); }, Threaded, Alone),
              0u);
    EXPECT_TRUE(Threaded == Alone);

    // Too few rows to be worth the threads.
    SaveFewestRows = 1000;
    Grid->GetColumns()->Delete(2);
    EXPECT_EQ(Both([&](const WideString& To) { Grid->SaveToTextFile(To, u',', u'|', ekAnsi); }, Threaded, Alone), 0u);
}

TEST_F(TGxGridSaveThreadsTest, AWorkersFailureRaisesTheFirstRangesAndLeavesTheOldFileWhole)
{
    SaveRangeSize = 1;
    SaveWorkers = 4;
    Add(Grid, u"A");
    Add(Grid, u"B");
    Fill(Grid, 300);
    const AnsiString Old = Dir.WriteFile("old.csv", "old content\r\n");
    const AnsiString Report = Dir.WriteFile("old.html", "old report\n");
    // Every range from the 40th on fails, whichever worker takes it.
    SaveRangeStarted = [](std::size_t Range) {
        if (Range >= 40) throw EConvertError("range " + IntToStr(int(Range)));
    };
    for (const TEncodingKind Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
        try {
            Grid->SaveToTextFile(Utf8ToWide(Old), u',', u'|', Encoding);
            ADD_FAILURE() << "the save did not raise";
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message, "range 40");
        }
    }
    EXPECT_THROW(Grid->SaveToHtml(Utf8ToWide(Report), {}), EConvertError);
    EXPECT_EQ(ReadWholeFile(Old), "old content\r\n");
    EXPECT_EQ(ReadWholeFile(Report), "old report\n");
    EXPECT_EQ(Files().size(), 2u) << "a temporary file was left";

    // Every worker stopped: the next save runs and replaces the file.
    SaveRangeStarted = nullptr;
    Grid->SaveToTextFile(Utf8ToWide(Old), u',', u'|', ekAnsi);
    EXPECT_EQ(ReadWholeFile(Old).substr(0, 12), "\"a,b\",line1|");
}

} // namespace
