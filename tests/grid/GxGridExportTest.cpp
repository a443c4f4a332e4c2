// The rows as delimited text in three encodings and back, as a stream, and
// as an HTML report.
#include "GxGridFixture.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxVirtualColumn.h"
#include "platform/rtl/FileAccess.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace GxGridTests;

class TGxGridExportTest : public TGxGridTest {
protected:
    WideString Path(const char* Name) const { return Utf8ToWide(Dir.Path() + Name); }
    AnsiString Bytes(const char* Name) const { return ReadWholeFile(Dir.Path() + Name); }
    // Every cell, columns by '|' and rows by '/'.
    AnsiString All()
    {
        AnsiString S;
        for (int R = 0; R < Grid->GetRowCount(); ++R)
            S += Text(0, R) + "|" + Text(1, R) + "|" + Text(2, R) + "/";
        return S;
    }
    AnsiString MessageOf(const std::function<void()>& Step)
    {
        try {
            Step();
        } catch (const Exception& E) {
            return E.Message;
        }
        return "no exception";
    }

    TTempDir Dir;
};

TEST_F(TGxGridExportTest, FieldsAreQuotedAndLineBreaksBecomeTheLineBreakCharacter)
{
    AddRows(2);
    Grid->SetCells(0, 0, u"a\"b");
    Grid->SetCells(1, 0, u"x\r\ny");
    Grid->SetCells(2, 0, u"p\nq\rr");
    Grid->SetCells(0, 1, u"1,2");
    Grid->SetCells(1, 1, u"");
    Grid->SaveToTextFile(Path("t.csv"), u',', u'|', ekAnsi);
    EXPECT_EQ(Bytes("t.csv"), "\"a\"\"b\",x|y,p|q|r\r\n\"1,2\",,C1\r\n");

    Grid->LoadFromTextFile(Path("t.csv"), u',', u'|');
    EXPECT_EQ(All(), "a\"b|x\r\ny|p\r\nq\r\nr/1,2||C1/");
}

TEST_F(TGxGridExportTest, EveryEncodingRoundTripsWhatACellHolds)
{
    AddRows(2);
    const WideString Odd = u"\xE9t\xE9 \U0001D11E \xDC80\xDCFF";
    Grid->SetCells(0, 0, Odd);
    Grid->SetCells(1, 0, u"tab\there, \"quoted\"");
    Grid->SetCells(2, 1, u"\x4E2D\x6587");
    for (const auto Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
        Grid->SaveToTextFile(Path("e.txt"), u'\t', u'\x2028', Encoding);
        const AnsiString Before = All();
        Grid->ClearRows();
        Grid->LoadFromTextFile(Path("e.txt"), u'\t', u'\x2028');
        EXPECT_EQ(All(), Before) << Encoding;
        EXPECT_EQ(Grid->GetCells(0, 0), Odd) << Encoding;
    }
    // Invalid bytes go out as they came in.
    Grid->SaveToTextFile(Path("e.txt"), u'\t', u'|', ekAnsi);
    EXPECT_EQ(Bytes("e.txt").substr(0, 12), "\xC3\xA9t\xC3\xA9 \xF0\x9D\x84\x9E \x80");
}

TEST_F(TGxGridExportTest, UnicodeFilesCarryTheirMarkAndLoadWithoutALastBreak)
{
    AddRows(1);
    Grid->SetCells(0, 0, u"A");
    Grid->SetCells(1, 0, u"");
    Grid->SetCells(2, 0, u"");
    Grid->SaveToTextFile(Path("be.txt"), u',', u'|', ekUnicodeBigEndian);
    EXPECT_EQ(Bytes("be.txt"), AnsiString("\xFE\xFF\0A\0,\0,\0\r\0\n", 12));
    Grid->SaveToTextFile(Path("le.txt"), u',', u'|', ekUnicode);
    EXPECT_EQ(Bytes("le.txt"), AnsiString("\xFF\xFE"
                                          "A\0,\0,\0\r\0\n\0",
                                          12));

    // A last line without a break, an odd last byte.
    Dir.WriteFile("h.txt", AnsiString("\xFE\xFF\0x\0\r\0\n\0y\0,\0z\0", 15));
    Grid->LoadFromTextFile(Path("h.txt"), u',', u'|');
    EXPECT_EQ(All(), "x||/y|z|/");
    Dir.WriteFile("h.txt", "1,2\r\n3");
    Grid->LoadFromTextFile(Path("h.txt"), u',', u'|');
    EXPECT_EQ(All(), "1|2|/3||/");
}

TEST_F(TGxGridExportTest, FieldsPastASCIIAreQuotedByTheirOwnCharactersAndSeparator)
{
    AddRows(1);
    Grid->SetCells(0, 0, u"ab\xE9");          // plain after an ASCII start
    Grid->SetCells(1, 0, u"\xE9\xA7x");       // holds a separator beyond ASCII
    Grid->SetCells(2, 0, u"\xE9 \"q\"\r\nz"); // quotes and a line break after a letter beyond ASCII
    Grid->SaveToTextFile(Path("s.txt"), u'\xA7', u'|', ekAnsi);
    EXPECT_EQ(Bytes("s.txt"), "ab\xC3\xA9\xC2\xA7\"\xC3\xA9\xC2\xA7x\"\xC2\xA7\"\xC3\xA9 \"\"q\"\"|z\"\r\n");
    for (const auto Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
        Grid->SaveToTextFile(Path("s.txt"), u'\xA7', u'|', Encoding);
        Grid->LoadFromTextFile(Path("s.txt"), u'\xA7', u'|');
        EXPECT_EQ(All(), "ab\xC3\xA9|\xC3\xA9\xC2\xA7x|\xC3\xA9 \"q\"\r\nz/") << Encoding;
    }
}

// A field as the rules of the format make it, unit by unit, to hold the
// writer's runs and wide loops against.
WideString ExpectedField(std::u16string_view Text, char16_t Separator, char16_t LineBreak)
{
    WideString Field;
    const bool Enclose = Text.find_first_of(std::u16string{Separator, u'"'}) != Text.npos;
    for (std::size_t I = 0; I < Text.size(); ++I)
        if (Text[I] == u'"')
            Field += u"\"\"";
        else if (Text[I] == u'\r' || Text[I] == u'\n') {
            Field += LineBreak;
            if (Text[I] == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
        } else
            Field += Text[I];
    return Enclose ? u"\"" + Field + u"\"" : Field;
}

AnsiString Encoded(const WideString& Text, TEncodingKind Encoding)
{
    if (Encoding == ekAnsi) return WideToUtf8(Text);
    AnsiString Bytes;
    for (const char16_t U : Text) {
        const char High = char(U >> 8), Low = char(U & 0xFF);
        Bytes += Encoding == ekUnicode ? AnsiString{Low, High} : AnsiString{High, Low};
    }
    return Bytes;
}

TEST_F(TGxGridExportTest, EveryFieldComesOutWhateverItsLengthAndWhereverItsSpecialUnitLies)
{
    // Lengths across the widths a loop may take at a time, each special unit
    // at the start, the end and in between, ASCII and not, with a line break
    // character inside ASCII and beyond it.
    const std::u16string_view Specials[] = {u",", u"\"", u"\r", u"\n", u"\r\n", u"\xE9", u"\xDC80"};
    for (const char16_t LineBreak : {u'|', u'\x2028'}) {
        std::vector<WideString> Cells;
        for (std::size_t Length = 1; Length <= 40; Length += Length < 20 ? 1 : 7)
            for (const std::u16string_view Special : Specials)
                for (const std::size_t At : {std::size_t(0), Length / 2, Length})
                    Cells.push_back(WideString(At, u'a') + WideString(Special) + WideString(Length - At, u'b'));
        Grid->ClearRows();
        AddRows(int(Cells.size()));
        WideString Expected;
        for (std::size_t R = 0; R < Cells.size(); ++R) {
            Grid->SetCells(0, int(R), Cells[R]);
            Grid->SetCells(2, int(R), Cells[Cells.size() - 1 - R]);
            Expected += ExpectedField(Cells[R], u',', LineBreak) + u"," + Grid->GetCells(1, int(R)) + u"," +
                        ExpectedField(Cells[Cells.size() - 1 - R], u',', LineBreak) + u"\r\n";
        }
        for (const auto Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
            Grid->SaveToTextFile(Path("f.txt"), u',', LineBreak, Encoding);
            const AnsiString Mark = Encoding == ekAnsi ? "" : Encoded(u"\xFEFF", Encoding);
            EXPECT_TRUE(Bytes("f.txt") == Mark + Encoded(Expected, Encoding)) << Encoding << " " << int(LineBreak);
        }
    }
}

TEST_F(TGxGridExportTest, FilesLargerThanOnePieceComeOutWhole)
{
    // Some megabytes, every row different, so that a piece lost, repeated or
    // cut at its border shows.
    const int Rows = 60000;
    Grid->AddRow(Rows);
    for (int R = 0; R < Rows; ++R) {
        Grid->SetCells(0, R, Utf8ToWide("row " + IntToStr(R) + " of the extracts"));
        Grid->SetCells(1, R, R % 3 ? WideString(u"x\xE9y") : Utf8ToWide("\"" + IntToStr(R) + "\", q"));
        Grid->SetCells(2, R, WideString(R % 50, u'z'));
    }
    const WideString Before = Grid->GetTextStr();
    for (const auto Encoding : {ekAnsi, ekUnicode, ekUnicodeBigEndian}) {
        Grid->SaveToTextFile(Path("big.txt"), u',', u'|', Encoding);
        EXPECT_GT(Bytes("big.txt").size(), 2u << 20) << Encoding;
        Grid->LoadFromTextFile(Path("big.txt"), u',', u'|');
        ASSERT_EQ(Grid->GetRowCount(), Rows) << Encoding;
        EXPECT_TRUE(Grid->GetTextStr() == Before) << Encoding;
    }
    Grid->SaveToHtml(Path("big.html"), {});
    const AnsiString Html = Bytes("big.html");
    std::size_t Cells = 0;
    for (std::size_t At = Html.find("<td>"); At != AnsiString::npos; At = Html.find("<td>", At + 1))
        ++Cells;
    EXPECT_EQ(Cells, std::size_t(3 * Rows));
    EXPECT_NE(Html.find("<td>row 59999 of the extracts</td>\n"), AnsiString::npos);
    EXPECT_EQ(Html.substr(Html.size() - 12), "\t\t</table>\n\n");
}

TEST_F(TGxGridExportTest, CellsThatAreNoTextsAreWrittenAsTheyRead)
{
    Grid->GetColumns()->Add(ColumnClass<GxVirtualColumn::TGxGuidColumn>, u"G");
    AddRows(2);
    const WideString Guid = Grid->GetCells(3, 1);
    ASSERT_EQ(Guid.size(), 38u);
    Grid->SaveToTextFile(Path("g.txt"), u',', u'|', ekAnsi);
    EXPECT_EQ(Bytes("g.txt").substr(Bytes("g.txt").find("\r\n") + 2), "A1,B1,C1," + WideToUtf8(Guid) + "\r\n");
    EXPECT_NE(WideToUtf8(Grid->GetTextStr()).find("C1\r\n" + WideToUtf8(Guid) + "\r\n"), AnsiString::npos);
}

TEST_F(TGxGridExportTest, AProgramThatChangesTheGridWhileARowIsReadIsSeenOrStopsTheSave)
{
    auto* Column = static_cast<GxVirtualColumn::TGxVirtualColumn*>(
        Grid->GetColumns()->Add(ColumnClass<GxVirtualColumn::TGxVirtualColumn>, u"V"));
    AddRows(2);
    // The row's first text replaced while its last cell is asked for: the
    // file holds the new text, not what lay there before.
    Column->OnGetText = [&](TObject*, int, int ARow, WideString& Value) {
        Value = u"v";
        Grid->SetCells(0, ARow, WideString(4000 + ARow, u'n'));
    };
    Grid->SaveToTextFile(Path("v.txt"), u',', u'|', ekAnsi);
    EXPECT_TRUE(Bytes("v.txt") == AnsiString(4000, 'n') + ",B0,C0,v\r\n" + AnsiString(4001, 'n') + ",B1,C1,v\r\n");

    const AnsiString Old = Bytes("v.txt");
    Column->OnGetText = [&](TObject*, int, int, WideString&) { Grid->AddRow(1); };
    EXPECT_THROW(Grid->SaveToTextFile(Path("v.txt"), u',', u'|', ekAnsi), EInvalidOperation);
    EXPECT_TRUE(Bytes("v.txt") == Old);
}

TEST_F(TGxGridExportTest, AFileThatCannotLoadLeavesTheRowsAlone)
{
    AddRows(2);
    const AnsiString Before = All();
    EXPECT_THROW(Grid->LoadFromTextFile(Path("missing.txt"), u',', u'|'), EFOpenError);
    Dir.WriteFile("wide.txt", "a,b,c\r\nd,e,f,g\r\n");
    EXPECT_EQ(MessageOf([&] { Grid->LoadFromTextFile(Path("wide.txt"), u',', u'|'); }), "Cell out of bounds (3, 1)");
    EXPECT_EQ(All(), Before);
}

TEST_F(TGxGridExportTest, AFailedSaveLeavesTheOldFileWholeAndNamesTheFile)
{
    AddRows(3);
    const AnsiString Old = Dir.WriteFile("old.csv", "old content\r\n");
    const auto Fails = [&](const WideString& Name, const std::function<void()>& Save) {
        const AnsiString M = MessageOf(Save);
        EXPECT_NE(M.find(WideToUtf8(Name)), AnsiString::npos) << M;
    };
    // A folder in the file's place; a path below a regular file.
    ::mkdir((Dir.Path() + "folder.csv").c_str(), 0755);
    Fails(Path("folder.csv"), [&] { Grid->SaveToTextFile(Path("folder.csv"), u',', u'|', ekAnsi); });
    Fails(Path("old.csv/x.csv"), [&] { Grid->SaveToTextFile(Path("old.csv/x.csv"), u',', u'|', ekUnicode); });
    Fails(Path("folder.csv"), [&] { Grid->SaveToHtml(Path("folder.csv"), {}); });

    // The writer fails part-way: the file system takes no more than 16 bytes.
    rlimit Limit{}, Small{16, 16};
    ::getrlimit(RLIMIT_FSIZE, &Limit);
    const auto OldSignal = std::signal(SIGXFSZ, SIG_IGN);
    Small.rlim_max = Limit.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, &Small);
    const AnsiString M1 = MessageOf([&] { Grid->SaveToTextFile(Path("old.csv"), u',', u'|', ekAnsi); });
    const AnsiString M2 = MessageOf([&] { Grid->SaveToHtml(Path("old.csv"), {hsCreateStyleSheet}); });
    ::setrlimit(RLIMIT_FSIZE, &Limit);
    std::signal(SIGXFSZ, OldSignal);
    EXPECT_NE(M1.find(Old), AnsiString::npos) << M1;
    EXPECT_NE(M2, "no exception");
    EXPECT_EQ(ReadWholeFile(Old), "old content\r\n");
}

TEST_F(TGxGridExportTest, ASaveIntoAReadOnlyFolderLeavesTheOldFileWhole)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    AddRows(3);
    const AnsiString Old = Dir.WriteFile("old.csv", "old content\r\n");
    ::chmod(Dir.Path().c_str(), 0555);
    const AnsiString M3 = MessageOf([&] { Grid->SaveToTextFile(Path("old.csv"), u',', u'|', ekAnsi); });
    ::chmod(Dir.Path().c_str(), 0755);
    EXPECT_NE(M3.find(Old), AnsiString::npos) << M3;
    EXPECT_EQ(ReadWholeFile(Old), "old content\r\n");
}

TEST_F(TGxGridExportTest, TheStreamGetsExactlyTheGridsText)
{
    AddRows(2);
    Grid->SetCells(1, 1, u"\xE9");
    auto Stream = MakeOwned<TStringStream>();
    Grid->SaveToStream(Stream.get());
    EXPECT_EQ(Stream->GetDataString(), WideToUtf8(Grid->GetTextStr()));
    EXPECT_EQ(Stream->GetDataString().substr(0, 9), "A0\r\nB0\r\nC");
}

TEST_F(TGxGridExportTest, TheReportLeavesHiddenColumnsOutAndEscapesWhatItWrites)
{
    AddRows(2);
    TGxColumns* Columns = Grid->GetColumns();
    Columns->GetItem(1)->SetVisible(false);
    Columns->GetItem(2)->SetPosition(0);
    Columns->GetItem(0)->GetHeader()->SetCaption(u"<A & \"a\">");
    Columns->GetItem(2)->SetStyleClass("num");
    Grid->SetCells(0, 0, u"a<b");
    Grid->SetCells(2, 0, u"");
    Grid->SetCells(0, 1, u"   ");
    Grid->SetCells(2, 1, u"\t<script>x</script> ");
    Columns->GetItem(0)->GetFooter()->SetCaption(u"1234.5");
    Columns->GetItem(0)->GetFooter()->SetFormatMaskKind(mkFloat);
    Columns->GetItem(0)->GetFooter()->SetFormatMask("0.00");
    Columns->GetItem(0)->GetFooter()->SetTextBefore(u"Sum: ");
    Columns->GetItem(2)->GetFooter()->SetCaption(u"");
    Grid->SetCaption(u"Extracts & more");

    Grid->SaveToHtml(Path("report.html"), {hsCreateStyleSheet, hsSaveHeaders, hsSaveFooter, hsSaveCaption});
    const AnsiString Html = Bytes("report.html");
    EXPECT_EQ(Html, "<html>\n\t<head>\n\t\t<title>Report</title>\n\t\t<meta charset=\"utf-8\" />\n"
                    "\t\t<link href=\"report_styles.css\" rel=\"stylesheet\" type=\"text/css\" />\n"
                    "\t</head>\n\t<body>\n\t\t<table>\n\t\t\t<caption>Extracts &amp; more</caption>\n"
                    "\t\t\t<tr>\n\t\t\t\t<th>C</th>\n\t\t\t\t<th>&lt;A &amp; &quot;a&quot;&gt;</th>\n\t\t\t</tr>\n"
                    "\t\t\t<tr>\n\t\t\t\t<td class=\"num\">&nbsp;</td>\n\t\t\t\t<td>a&lt;b</td>\n\t\t\t</tr>\n"
                    "\t\t\t<tr>\n\t\t\t\t<td class=\"num\">&lt;script&gt;x&lt;/script&gt;</td>\n"
                    "\t\t\t\t<td></td>\n\t\t\t</tr>\n"
                    "\t\t\t<tr class=\"footer\">\n\t\t\t\t<td>&nbsp;</td>\n\t\t\t\t<td>Sum: 1234.50</td>\n"
                    "\t\t\t</tr>\n\t\t</table>\n\t</body>\n</html>\n\n");
    const AnsiString Css = Bytes("report_styles.css");
    // QUILLMOTE_SHEET_DIR keeps the report and its style sheet to be opened in a browser.
    if (const char* Keep = std::getenv("QUILLMOTE_SHEET_DIR")) {
        WriteFileWhole(AnsiString(Keep) + "/report.html", Html);
        WriteFileWhole(AnsiString(Keep) + "/report_styles.css", Css);
    }
    EXPECT_EQ(Css.substr(0, 14), "body, table {\n");
    EXPECT_NE(Css.find("tr.footer { border-top: 2px solid black; }\n\ntd.num { }\n\n"), AnsiString::npos);

    // Without headers: the table alone; text masks format the footer too.
    Columns->GetItem(0)->GetFooter()->SetFormatMaskKind(mkText);
    Columns->GetItem(0)->GetFooter()->SetFormatMask("!(000);0;_");
    Columns->GetItem(0)->GetFooter()->SetCaption(u"123");
    Grid->SaveToHtml(Path("bare.htm"), {hsSaveFooter});
    const AnsiString Bare = Bytes("bare.htm");
    EXPECT_EQ(Bare.substr(0, 14), "\t\t<table>\n\t\t\t<");
    EXPECT_NE(Bare.find("<td>Sum: (123)</td>"), AnsiString::npos) << Bare;
    EXPECT_FALSE(FileExists(Dir.Path() + "bare_styles.css"));
}

// An HTML column's cells are markup and go out as they are; its caption and
// every other column's cells are escaped.
TEST_F(TGxGridExportTest, TheReportWritesAnHtmlColumnsCellsAsMarkup)
{
    AddRows(1);
    TGxColumns* Columns = Grid->GetColumns();
    Columns->GetItem(1)->SetVisible(false);
    Columns->GetItem(2)->SetVisible(false);
    Columns->Add(ColumnClass<GxColumnClasses::TGxHtmlColumn>, u"<H>");
    Grid->AddRow(1);
    Grid->SetCells(0, 0, u"<b>a</b> & b");
    Grid->SetCells(3, 0, u" <b>a</b> &amp; <a href=\"x\">b</a>\t");
    Grid->SetCells(0, 1, u"x");
    Grid->SetCells(3, 1, u"");
    Grid->SaveToHtml(Path("h.html"), {});
    EXPECT_EQ(Bytes("h.html"), "\t\t<table>\n\t\t\t<tr>\n\t\t\t\t<th>A</th>\n\t\t\t\t<th>&lt;H&gt;</th>\n\t\t\t</tr>\n"
                               "\t\t\t<tr>\n\t\t\t\t<td>&lt;b&gt;a&lt;/b&gt; &amp; b</td>\n"
                               "\t\t\t\t<td><b>a</b> &amp; <a href=\"x\">b</a></td>\n\t\t\t</tr>\n"
                               "\t\t\t<tr>\n\t\t\t\t<td>x</td>\n\t\t\t\t<td>&nbsp;</td>\n\t\t\t</tr>\n"
                               "\t\t</table>\n\n");
}

} // namespace
