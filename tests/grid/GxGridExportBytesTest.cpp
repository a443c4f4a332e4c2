// Saves of a grid of text columns, the kind a program fills: the exact bytes
// of every encoding and of the report, and the report's cells against what
// each column draws, whichever way the grid reads them.
#include "GxGridFixture.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxVirtualColumn.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace GxGridTests;
using GxColumnClasses::TGxTextColumn;

// Text as UTF-16 bytes in either order, unit by unit.
AnsiString Utf16(std::u16string_view Text, bool BigEndian)
{
    AnsiString Bytes;
    for (const char16_t U : Text) {
        const char High = char(U >> 8), Low = char(U & 0xFF);
        Bytes += BigEndian ? AnsiString{High, Low} : AnsiString{Low, High};
    }
    return Bytes;
}

// A report cell's text by the rules, unit by unit: trimmed, "&nbsp;" for
// nothing, the four characters as entities.
AnsiString ReportCell(std::u16string_view Text)
{
    if (Text.empty()) return "&nbsp;";
    while (!Text.empty() && Text.front() <= u' ')
        Text.remove_prefix(1);
    while (!Text.empty() && Text.back() <= u' ')
        Text.remove_suffix(1);
    WideString Out;
    for (const char16_t U : Text)
        Out += U == u'&'   ? u"&amp;"
               : U == u'<' ? u"&lt;"
               : U == u'>' ? u"&gt;"
               : U == u'"' ? u"&quot;"
                           : WideString(1, U);
    return WideToUtf8(Out);
}

// Shows every cell in capitals.
class TCapitalColumn : public TGxTextColumn {
public:
    QM_CLASS(TCapitalColumn, TGxTextColumn)
    using TGxTextColumn::TGxTextColumn;
    WideString GetDrawText(const TCellInfo& CellInfo) override
    {
        WideString Text = TGxTextColumn::GetDrawText(CellInfo);
        for (char16_t& U : Text)
            if (U >= u'a' && U <= u'z') U = char16_t(U - 32);
        return Text;
    }
};

// Marks every cell it draws.
class TMarkingGrid : public TGxGrid {
public:
    QM_CLASS(TMarkingGrid, TGxGrid)
    using TGxGrid::TGxGrid;
    WideString GetDrawText(int ACol, int ARow) override { return u"~" + TGxGrid::GetDrawText(ACol, ARow); }
};

class TGxGridExportBytesTest : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Grid->GetColumns()->Clear();
    }
    WideString Path(const char* Name) const { return Utf8ToWide(Dir.Path() + Name); }
    AnsiString Bytes(const char* Name) const { return ReadWholeFile(Dir.Path() + Name); }
    TGxTextColumn* AddText(TGxGrid* On, const char16_t* Caption)
    {
        return static_cast<TGxTextColumn*>(On->GetColumns()->Add(ColumnClass<TGxTextColumn>, Caption));
    }
    void Fill(TGxGrid* On, const std::vector<std::vector<WideString>>& Rows)
    {
        On->AddRow(int(Rows.size()));
        for (std::size_t R = 0; R < Rows.size(); ++R)
            for (std::size_t C = 0; C < Rows[R].size(); ++C)
                On->SetCells(int(C), int(R), Rows[R][C]);
    }
    // The body rows of a report of On as its GetDrawText shows each cell.
    AnsiString ExpectedBody(TGxGrid* On)
    {
        AnsiString Body;
        for (int R = 0; R < On->GetRowCount(); ++R) {
            Body += "\t\t\t<tr>\n";
            for (int P = 0; P < On->GetColumns()->GetCount(); ++P) {
                TGxCustomColumn* Column = On->GetColumns()->GetPositionItem(P);
                if (Column->GetVisible())
                    Body += "\t\t\t\t<td>" + ReportCell(On->GetDrawText(Column->GetIndex(), R)) + "</td>\n";
            }
            Body += "\t\t\t</tr>\n";
        }
        return Body;
    }
    AnsiString ReportBody(TGxGrid* On)
    {
        On->SaveToHtml(Path("r.html"), {});
        const AnsiString Html = Bytes("r.html");
        const std::size_t From = Html.find("</tr>\n") + 6, To = Html.rfind("\t\t</table>");
        return Html.substr(From, To - From);
    }

    TTempDir Dir;
};

TEST_F(TGxGridExportBytesTest, EveryEncodingAndTheReportComeOutByteForByte)
{
    AddText(Grid, u"File");
    AddText(Grid, u"Note")->SetVisible(false);
    AddText(Grid, u"Match")->SetStyleClass("m");
    Fill(Grid, {{u"a,b", u"x\"y", u"\xE9t\xE9"},
                {u"line1\r\nline2\nline3\r", u"\xAC01 said \"hi\"\r\n\xD55C", u"\xDC80\xDCFF"},
                {u"  <b> & \"q\"  ", u"\x263A", u"plain"}});

    Grid->SaveToTextFile(Path("t.csv"), u',', u'|', ekAnsi);
    EXPECT_TRUE(Bytes("t.csv") == "\"a,b\",\"x\"\"y\",\xC3\xA9t\xC3\xA9\r\n"
                                  "line1|line2|line3|,\"\xEA\xB0\x81 said \"\"hi\"\"|\xED\x95\x9C\",\x80\xFF\r\n"
                                  "\"  <b> & \"\"q\"\"  \",\xE2\x98\xBA,plain\r\n")
        << Bytes("t.csv");
    const std::u16string_view Wide = u"\"a,b\",\"x\"\"y\",\xE9t\xE9\r\n"
                                     u"line1|line2|line3|,\"\xAC01 said \"\"hi\"\"|\xD55C\",\xDC80\xDCFF\r\n"
                                     u"\"  <b> & \"\"q\"\"  \",\x263A,plain\r\n";
    Grid->SaveToTextFile(Path("t.csv"), u',', u'|', ekUnicode);
    EXPECT_TRUE(Bytes("t.csv") == "\xFF\xFE" + Utf16(Wide, false));
    Grid->SaveToTextFile(Path("t.csv"), u',', u'|', ekUnicodeBigEndian);
    EXPECT_TRUE(Bytes("t.csv") == "\xFE\xFF" + Utf16(Wide, true));
    EXPECT_EQ(Bytes("t.csv").substr(0, 6), AnsiString("\xFE\xFF\x00\x22\x00\x61", 6));

    Grid->SaveToHtml(Path("r.html"), {});
    EXPECT_TRUE(Bytes("r.html") ==
                "\t\t<table>\n\t\t\t<tr>\n\t\t\t\t<th>File</th>\n\t\t\t\t<th>Match</th>\n\t\t\t</tr>\n"
                "\t\t\t<tr>\n\t\t\t\t<td>a,b</td>\n\t\t\t\t<td class=\"m\">\xC3\xA9t\xC3\xA9</td>\n"
                "\t\t\t</tr>\n"
                "\t\t\t<tr>\n\t\t\t\t<td>line1\r\nline2\nline3</td>\n"
                "\t\t\t\t<td class=\"m\">\x80\xFF</td>\n\t\t\t</tr>\n"
                "\t\t\t<tr>\n\t\t\t\t<td>&lt;b&gt; &amp; &quot;q&quot;</td>\n"
                "\t\t\t\t<td class=\"m\">plain</td>\n\t\t\t</tr>\n"
                "\t\t</table>\n\n")
        << Bytes("r.html");
}

// Each kind of column shows in the report what it draws: its text as it
// lies, with the text before and after it, masked, or as a derived column
// or grid draws it.
TEST_F(TGxGridExportBytesTest, TheReportShowsWhatEveryColumnDraws)
{
    const auto Build = [this](TGxGrid* On) {
        AddText(On, u"Plain");
        AddText(On, u"Around")->SetTextBefore(u"<");
        static_cast<TGxTextColumn*>(On->GetColumns()->GetItem(1))->SetTextAfter(u"]");
        AddText(On, u"Secret")->SetPasswordChar('*');
        On->GetColumns()->Add(ColumnClass<TCapitalColumn>, u"Capital");
        On->GetColumns()->Add(ColumnClass<GxVirtualColumn::TGxGuidColumn>, u"Guid");
        Fill(On, {{u"a & b", u"x", u"pw", u"up"}, {u"", u"", u"", u"\xE9z"}});
    };
    Build(Grid);
    EXPECT_EQ(ReportBody(Grid), ExpectedBody(Grid));
    EXPECT_NE(ReportBody(Grid).find("<td>a &amp; b</td>\n\t\t\t\t<td>&lt;x]</td>\n\t\t\t\t<td>**</td>\n"
                                    "\t\t\t\t<td>UP</td>"),
              AnsiString::npos)
        << ReportBody(Grid);
    // A program's text column that changes its kind is read by its kind.
    static_cast<TGxTextColumn*>(Grid->GetColumns()->GetItem(0))->SetTextAfter(u"!");
    EXPECT_NE(ReportBody(Grid).find("<td>a &amp; b!</td>"), AnsiString::npos);

    auto* Marking = New<TMarkingGrid>(Form);
    Marking->SetParent(Form);
    Build(Marking);
    EXPECT_EQ(ReportBody(Marking), ExpectedBody(Marking));
    EXPECT_NE(ReportBody(Marking).find("<td>~a &amp; b</td>"), AnsiString::npos);
    Free(Marking);
}

// Cells of every length a block of units may take, with the characters that
// need an entity, blanks and units past ASCII at their ends and in between.
TEST_F(TGxGridExportBytesTest, ReportCellsComeOutWhateverTheirLengthAndWhereverTheirEntitiesLie)
{
    AddText(Grid, u"A");
    AddText(Grid, u"B");
    const std::u16string_view Specials[] = {u"&", u"<", u">", u"\"", u" ", u"\t", u"\xE9", u"\xD83D\xDE00", u"\xDC80"};
    std::vector<std::vector<WideString>> Rows;
    for (std::size_t Length = 0; Length <= 40; Length += Length < 20 ? 1 : 7)
        for (const std::u16string_view Special : Specials)
            for (const std::size_t At : {std::size_t(0), Length / 2, Length}) {
                WideString Text = WideString(At, u'a') + WideString(Special) + WideString(Length - At, u'b');
                Rows.push_back({Text, Text + Text});
            }
    Fill(Grid, Rows);
    EXPECT_TRUE(ReportBody(Grid) == ExpectedBody(Grid));
}

// A virtual cell that changes the rows while the report asks for it: what
// the report has read stays, and it goes on with the rows as they now are.
TEST_F(TGxGridExportBytesTest, AProgramThatAddsRowsWhileTheReportReadsIsSeenCellAfterCell)
{
    AddText(Grid, u"A");
    auto* Virtual = static_cast<GxVirtualColumn::TGxVirtualColumn*>(
        Grid->GetColumns()->Add(ColumnClass<GxVirtualColumn::TGxVirtualColumn>, u"V"));
    AddText(Grid, u"C");
    Fill(Grid, {{u"a0", u"", u"c0"}, {u"a1", u"", u"c1"}});
    int Asked = 0;
    Virtual->OnGetText = [&](TObject*, int, int ARow, WideString& Value) {
        Value = Utf8ToWide("v" + IntToStr(ARow));
        Grid->InsertRow(0);
        ++Asked;
    };
    const AnsiString Body = ReportBody(Grid);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Grid->GetRowCount(), 4);
    // Both rows read start with the first row of before; their last cells
    // are those of the rows put in under them.
    const std::size_t First = Body.find("<td>a0</td>");
    EXPECT_NE(First, AnsiString::npos) << Body;
    EXPECT_NE(Body.find("<td>a0</td>", First + 1), AnsiString::npos) << Body;
    EXPECT_EQ(Body.find("c0"), AnsiString::npos) << Body;
    EXPECT_EQ(Body.find("<td>a1</td>"), AnsiString::npos) << Body;
}

} // namespace
