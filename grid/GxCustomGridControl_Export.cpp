// grid/GxCustomGridControl_Export.cpp
// The rows as delimited text in three encodings and back, as a stream, and
// as an HTML report with its style sheet. Every file is written whole through
// the platform's one writer, so a failure leaves the old file as it was; the
// large ones go to it a piece at a time, made in one buffer as the rows are
// walked, so that no save holds the whole file and a cell of ASCII text costs
// no string of its own.
#include "grid/GxCustomGridControl.h"
#include "grid/GxDrawnColumns.h"
#include "grid/GxStyleDisplay.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/WholeFileWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace GxCustomGridControl {

namespace {

// ---- Writing in pieces ---------------------------------------------------------------------------

// A file's bytes gathered in one buffer that goes to the writer whenever it
// holds a piece's worth. Writers ask for room, fill it and say how far.
class TPieceWriter {
public:
    explicit TPieceWriter(const AnsiString& FileName) : FWriter(FileName), FData(2 * PieceSize) {}

    char* Room(std::size_t Count)
    {
        if (FData.size() - FUsed < Count) FData.resize(std::max(2 * FData.size(), FUsed + Count));
        return FData.data() + FUsed;
    }
    void Advance(const char* To) { FUsed = std::size_t(To - FData.data()); }
    void Append(std::string_view Bytes)
    {
        char* To = Room(Bytes.size());
        std::memcpy(To, Bytes.data(), Bytes.size());
        Advance(To + Bytes.size());
    }
    // UTF-8 of Units: ASCII a unit to a byte, the rest through the codec.
    void AppendWide(std::u16string_view Units)
    {
        char* Out = Room(Units.size());
        std::size_t I = 0;
        for (; I < Units.size() && Units[I] < 0x80; ++I)
            *Out++ = char(Units[I]);
        Advance(Out);
        if (I < Units.size()) Append(WideToUtf8(Units.substr(I)));
    }
    void Flow()
    {
        if (FUsed < PieceSize) return;
        FWriter.Write(std::string_view(FData.data(), FUsed));
        FUsed = 0;
    }
    void Commit()
    {
        FWriter.Write(std::string_view(FData.data(), FUsed));
        FUsed = 0;
        FWriter.Commit();
    }

private:
    static constexpr std::size_t PieceSize = std::size_t(1) << 20;
    TWholeFileWriter FWriter;
    std::vector<char> FData;
    std::size_t FUsed = 0;
};

// ---- Delimited text ------------------------------------------------------------------------------

// The field as it goes into the file: quotes doubled, every line break (CR
// LF, a lone CR or a lone LF) one LineBreakChar, enclosed in quotes when the
// text holds the separator or a quote.
void QuoteField(std::u16string_view Text, WideChar Separator, WideChar LineBreakChar, WideString& Field)
{
    Field.clear();
    const bool Enclose =
        std::any_of(Text.begin(), Text.end(), [Separator](WideChar C) { return C == Separator || C == u'"'; });
    if (Enclose) Field += u'"';
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const WideChar C = Text[I];
        if (C == u'"')
            Field += u"\"\"";
        else if (C == u'\r' || C == u'\n') {
            if (C == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
            Field += LineBreakChar;
        } else
            Field += C;
    }
    if (Enclose) Field += u'"';
}

// Puts a delimited file's fields in its encoding, UTF-16 after its mark.
class TTextWriter {
public:
    TTextWriter(TPieceWriter& File, TEncodingKind Encoding, WideChar Separator, WideChar LineBreakChar)
        : FFile(File), FEncoding(Encoding), FSeparator(Separator), FLineBreakChar(LineBreakChar)
    {
        for (const WideChar C : {Separator, u'"', u'\r', u'\n'})
            if (C < 0x80) FQuoted[C >> 6] |= std::uint64_t(1) << (C & 63);
        if (Encoding != ekAnsi) Put(u"\xFEFF");
    }

    void PutSeparator() { Put(std::u16string_view(&FSeparator, 1)); }
    void PutLineEnd() { Put(u"\r\n"); }
    void PutField(std::u16string_view Text)
    {
        if (PutPlain(Text)) return;
        QuoteField(Text, FSeparator, FLineBreakChar, FField);
        Put(FField);
    }

private:
    void Put(std::u16string_view Units)
    {
        if (FEncoding == ekAnsi) return FFile.AppendWide(Units);
        const bool Big = FEncoding == ekUnicodeBigEndian;
        char* Out = FFile.Room(2 * Units.size());
        for (const char16_t U : Units) {
            const char High = char(U >> 8), Low = char(U & 0xFF);
            *Out++ = Big ? High : Low;
            *Out++ = Big ? Low : High;
        }
        FFile.Advance(Out);
    }
    // Most fields hold nothing to quote and go out as they are; an 8-bit
    // one of ASCII alone in the pass that looks at it. False, with nothing
    // put, for a field that needs quoting. The loop keeps what it tests in
    // locals, since every byte it stores could otherwise be taken to change it.
    bool PutPlain(std::u16string_view Text)
    {
        const std::uint64_t Low = FQuoted[0], High = FQuoted[1];
        const char16_t Separator = FSeparator;
        const auto Quoted = [=](char16_t U) {
            return U < 64 ? (Low >> U) & 1 : U < 128 ? (High >> (U - 64)) & 1 : U == Separator;
        };
        const auto Whole = [&] {
            if (std::any_of(Text.begin(), Text.end(), Quoted)) return false;
            Put(Text);
            return true;
        };
        if (FEncoding != ekAnsi) return Whole();
        char* Out = FFile.Room(Text.size());
        for (std::size_t I = 0; I < Text.size(); ++I) {
            const char16_t U = Text[I];
            if (U >= 0x80) return Whole();
            if (Quoted(U)) return false;
            Out[I] = char(U);
        }
        FFile.Advance(Out + Text.size());
        return true;
    }

    TPieceWriter& FFile;
    TEncodingKind FEncoding;
    WideChar FSeparator;
    WideChar FLineBreakChar;
    std::uint64_t FQuoted[2] = {}; // the ASCII characters that make a field quoted, by bit
    WideString FField;
};

// The units of a delimited file's bytes: UTF-16 after its mark, or UTF-8
// read by the program's lossless codec. An odd last byte of UTF-16 is
// ignored.
class TUnitReader {
public:
    explicit TUnitReader(std::string_view Data) : FData(Data)
    {
        if (Data.size() >= 2 && Data[0] == '\xFF' && Data[1] == '\xFE')
            FWide = 1;
        else if (Data.size() >= 2 && Data[0] == '\xFE' && Data[1] == '\xFF')
            FWide = 2;
        FPos = FWide ? 2 : 0;
    }

    bool Next(char16_t& Unit)
    {
        if (FLowPending) {
            Unit = FLowPending;
            FLowPending = 0;
            return true;
        }
        if (FWide) {
            if (FPos + 2 > FData.size()) return false;
            const auto A = std::uint8_t(FData[FPos]), B = std::uint8_t(FData[FPos + 1]);
            FPos += 2;
            Unit = FWide == 1 ? char16_t(A | B << 8) : char16_t(A << 8 | B);
            return true;
        }
        if (FPos >= FData.size()) return false;
        if (std::uint8_t(FData[FPos]) < 0x80) {
            Unit = char16_t(FData[FPos++]);
            return true;
        }
        const char32_t C = DecodeUtf8Char(FData, FPos);
        if (C < 0x10000) {
            Unit = char16_t(C);
            return true;
        }
        Unit = char16_t(0xD800 + ((C - 0x10000) >> 10));
        FLowPending = char16_t(0xDC00 + ((C - 0x10000) & 0x3FF));
        return true;
    }

private:
    std::string_view FData;
    std::size_t FPos = 0;
    int FWide = 0; // 1 little-endian, 2 big-endian
    char16_t FLowPending = 0;
};

// Reads the fields of a delimited file, handing each to Field(column, row,
// text); a line break in a quoted field is LineBreakChar, which becomes CR LF.
template <typename TField>
void ParseDelimited(std::string_view Data, WideChar Separator, WideChar LineBreakChar, TField&& Field)
{
    TUnitReader Reader(Data);
    WideString Text;
    int Quotes = 0, Row = -1, Col = -1;
    bool RowDue = true;
    const auto EndField = [&](bool EndsLine) {
        Quotes = 0;
        if (RowDue) {
            ++Row;
            Col = -1;
            RowDue = false;
        }
        Field(++Col, Row, Text);
        Text.clear();
        RowDue = EndsLine;
    };
    char16_t C;
    while (Reader.Next(C)) {
        if (C == Separator) {
            if (Quotes % 2 == 0)
                EndField(false);
            else
                Text += C;
        } else if (C == LineBreakChar)
            Text += u"\r\n";
        else if (C == u'"') {
            ++Quotes;
            if (Quotes % 2 == 1 && (!Text.empty() || Quotes == 3)) Text += C;
        } else if (C == u'\n')
            EndField(true);
        else if (C != u'\r')
            Text += C;
    }
    if (!Text.empty()) EndField(false);
}

// ---- The report -------------------------------------------------------------------------------------

void AppendEscaped(AnsiString& Out, std::string_view Text)
{
    for (const char C : Text)
        switch (C) {
        case '&':
            Out += "&amp;";
            break;
        case '<':
            Out += "&lt;";
            break;
        case '>':
            Out += "&gt;";
            break;
        case '"':
            Out += "&quot;";
            break;
        default:
            Out += C;
        }
}

AnsiString Escaped(std::string_view Text)
{
    AnsiString Out;
    AppendEscaped(Out, Text);
    return Out;
}

bool NeedsEntity(char16_t C)
{
    return C == u'&' || C == u'<' || C == u'>' || C == u'"';
}

// A cell's text as the report shows it: "&nbsp;" for nothing, otherwise
// without its leading and trailing blanks and control characters, escaped
// unless it is Markup.
void PutHtmlCell(TPieceWriter& File, std::u16string_view Text, bool Markup = false)
{
    if (Text.empty()) return File.Append("&nbsp;");
    std::size_t First = 0, Last = Text.size();
    while (First < Last && Text[First] <= u' ')
        ++First;
    while (Last > First && Text[Last - 1] <= u' ')
        --Last;
    if (Markup) return File.AppendWide(Text.substr(First, Last - First));
    // Runs between the characters that need an entity go out whole.
    std::size_t Run = First;
    AnsiString Entity;
    for (std::size_t I = First; I < Last; ++I) {
        if (!NeedsEntity(Text[I])) continue;
        File.AppendWide(Text.substr(Run, I - Run));
        const char Special = char(Text[I]);
        Entity.clear();
        AppendEscaped(Entity, std::string_view(&Special, 1));
        File.Append(Entity);
        Run = I + 1;
    }
    File.AppendWide(Text.substr(Run, Last - Run));
}

const char* const StyleSheet = "body, table {\n"
                               "\tfont-family: Verdana, Arial, Helvetica, sans-serif;\n"
                               "\tfont-size: small;\n"
                               "}\n"
                               "\n"
                               "table {\n"
                               "\tborder: 1px #CCC;\n"
                               "\tborder-collapse: collapse;\n"
                               "}\n"
                               "\n"
                               "table caption {\n"
                               "\tcolor: #999;\n"
                               "\tfont-style: italic;\n"
                               "}\n"
                               "\n"
                               "td, th {\n"
                               "\tpadding: 2px;\n"
                               "\tborder: 1px solid #CCC;\n"
                               "}\n"
                               "\n"
                               "th {\n"
                               "\tbackground-color: #CCC;\n"
                               "\tborder-bottom: 1px solid black;\n"
                               "\tborder-right: 1px solid black;\n"
                               "}\n"
                               "\n"
                               "tr.footer { border-top: 2px solid black; }\n"
                               "\n";

} // namespace

void TGxCustomGridControl::SaveToTextFile(const WideString& FileName, WideChar Separator, WideChar LineBreakChar,
                                          TEncodingKind Encoding)
{
    TPieceWriter File(WideToUtf8(FileName));
    TTextWriter Out(File, Encoding, Separator, LineBreakChar);
    const TCellTextProc Field = [&Out](int Col, std::u16string_view Text) {
        if (Col > 0) Out.PutSeparator();
        Out.PutField(Text);
    };
    const int Rows = GetRowCount();
    const bool LineBreaks = FColumns->GetCount() > 0 || Encoding == ekAnsi;
    for (int Row = 0; Row < Rows; ++Row) {
        ReadRowTexts(Row, Field);
        if (LineBreaks) Out.PutLineEnd();
        File.Flow();
    }
    File.Commit();
}

// The file is read, decoded and checked against the columns before a row
// goes, so a file that cannot load leaves the rows as they were.
void TGxCustomGridControl::LoadFromTextFile(const WideString& FileName, WideChar Separator, WideChar LineBreakChar)
{
    const AnsiString Data = ReadFileBytes(WideToUtf8(FileName));
    const int Cols = FColumns->GetCount();
    ParseDelimited(Data, Separator, LineBreakChar, [Cols](int Col, int Row, const WideString&) {
        if (Col >= Cols) throw Exception("Cell out of bounds (" + IntToStr(Col) + ", " + IntToStr(Row) + ")");
    });
    ClearRows();
    ParseDelimited(Data, Separator, LineBreakChar, [this](int Col, int Row, const WideString& Text) {
        if (Col == 0) AddRow(1);
        SetCells(Col, Row, Text);
    });
}

void TGxCustomGridControl::SaveToStream(TStream* Stream)
{
    const AnsiString Text = WideToUtf8(GetTextStr());
    Stream->WriteBuffer(Text.data(), Int64(Text.size()));
}

void TGxCustomGridControl::SaveToHtml(const WideString& FileName, TGxHtmlSaveSettings Settings)
{
    const AnsiString Name = WideToUtf8(FileName);
    const AnsiString BaseName = ExtractFileName(ChangeFileExt(Name, ""));
    const AnsiString SheetName = BaseName + "_styles.css";
    const bool Sheet = Settings.Contains(hsCreateStyleSheet);

    std::vector<TGxCustomColumn*> Shown; // visible columns by display position
    for (int P = 0; P < FColumns->GetCount(); ++P)
        if (FColumns->GetPositionItem(P)->GetVisible()) Shown.push_back(FColumns->GetPositionItem(P));

    if (Sheet) {
        AnsiString Css = StyleSheet;
        for (TGxCustomColumn* Column : Shown)
            if (!Column->GetStyleClass().empty()) Css += "td." + Column->GetStyleClass() + " { }\n";
        Css += '\n';
        WriteFileWhole(ExtractFilePath(Name) + SheetName, Css);
    }

    TPieceWriter File(Name);
    const auto Line = [&File](std::string_view Text) {
        File.Append(Text);
        File.Append("\n");
    };
    const auto Cell = [&File](std::string_view Open, std::u16string_view Text, std::string_view Close,
                              bool Markup = false) {
        File.Append(Open);
        PutHtmlCell(File, Text, Markup);
        File.Append(Close);
    };
    if (Settings.Contains(hsSaveHeaders)) {
        Line("<html>");
        Line("\t<head>");
        Line("\t\t<title>Report</title>");
        Line("\t\t<meta charset=\"utf-8\" />");
        if (Sheet) Line("\t\t<link href=\"" + Escaped(SheetName) + "\" rel=\"stylesheet\" type=\"text/css\" />");
        Line("\t</head>");
        Line("\t<body>");
    }
    Line("\t\t<table>");
    if (Settings.Contains(hsSaveCaption)) Line("\t\t\t<caption>" + Escaped(WideToUtf8(GetCaption())) + "</caption>");
    Line("\t\t\t<tr>");
    for (TGxCustomColumn* Column : Shown)
        Cell("\t\t\t\t<th>", Column->GetHeader()->GetCaption(), "</th>\n");
    Line("\t\t\t</tr>");
    std::vector<AnsiString> Opening; // each shown column's cell tag, its style class in it
    std::vector<char> Markup;        // an HTML column's cells are markup by design
    for (TGxCustomColumn* Column : Shown) {
        Markup.push_back(dynamic_cast<const GxColumnClasses::TGxHtmlColumn*>(Column) != nullptr);
        Opening.push_back(Column->GetStyleClass().empty()
                              ? AnsiString("\t\t\t\t<td>")
                              : "\t\t\t\t<td class=\"" + Escaped(Column->GetStyleClass()) + "\">");
    }
    const int Rows = GetRowCount();
    for (int Row = 0; Row < Rows; ++Row) {
        Line("\t\t\t<tr>");
        for (std::size_t I = 0; I < Shown.size(); ++I)
            Cell(Opening[I], GetDrawText(Shown[I]->GetIndex(), Row), "</td>\n", Markup[I]);
        Line("\t\t\t</tr>");
        File.Flow();
    }
    if (Settings.Contains(hsSaveFooter)) {
        Line("\t\t\t<tr class=\"footer\">");
        for (TGxCustomColumn* Column : Shown)
            Cell("\t\t\t\t<td>", FooterText(Column->GetFooter()), "</td>\n");
        Line("\t\t\t</tr>");
    }
    Line("\t\t</table>");
    if (Settings.Contains(hsSaveHeaders)) {
        Line("\t</body>");
        Line("</html>");
    }
    File.Append("\n");
    File.Commit();
}

} // namespace GxCustomGridControl
