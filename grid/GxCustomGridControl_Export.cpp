// grid/GxCustomGridControl_Export.cpp
// The rows as delimited text in three encodings and back, as a stream, and
// as an HTML report with its style sheet. Every file is written whole through
// the platform's one writer, so a failure leaves the old file as it was.
#include "grid/GxCustomGridControl.h"
#include "grid/GxDrawnColumns.h"
#include "grid/GxStyleDisplay.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>

namespace GxCustomGridControl {

namespace {

// ---- Delimited text ------------------------------------------------------------------------------

// Collects the file's bytes in its encoding, UTF-16 after its mark.
class TTextWriter {
public:
    explicit TTextWriter(TEncodingKind Encoding) : FEncoding(Encoding)
    {
        if (Encoding != ekAnsi) Put(u"\xFEFF");
    }

    void Put(std::u16string_view Units)
    {
        if (FEncoding == ekAnsi) {
            std::size_t Ascii = 0; // most text is, and needs no codec
            while (Ascii < Units.size() && Units[Ascii] < 0x80)
                FData += char(Units[Ascii++]);
            if (Ascii < Units.size()) FData += WideToUtf8(Units.substr(Ascii));
            return;
        }
        const bool Big = FEncoding == ekUnicodeBigEndian;
        std::size_t At = FData.size();
        FData.resize(At + 2 * Units.size());
        for (const char16_t U : Units) {
            FData[At++] = char(Big ? U >> 8 : U & 0xFF);
            FData[At++] = char(Big ? U & 0xFF : U >> 8);
        }
    }
    const AnsiString& Data() const { return FData; }

private:
    TEncodingKind FEncoding;
    AnsiString FData;
};

// The field as it goes into the file: quotes doubled, every line break (CR
// LF, a lone CR or a lone LF) one LineBreakChar, enclosed in quotes when the
// text holds the separator or a quote.
void QuoteField(const WideString& Text, WideChar Separator, WideChar LineBreakChar, WideString& Field)
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

// A cell's text as the report shows it: "&nbsp;" for nothing, otherwise
// without its leading and trailing blanks and control characters, escaped
// unless it is Markup.
AnsiString HtmlCell(const WideString& Text, bool Markup = false)
{
    if (Text.empty()) return "&nbsp;";
    std::size_t First = 0, Last = Text.size();
    while (First < Last && Text[First] <= u' ')
        ++First;
    while (Last > First && Text[Last - 1] <= u' ')
        --Last;
    const AnsiString Trimmed = WideToUtf8(std::u16string_view(Text).substr(First, Last - First));
    return Markup ? Trimmed : Escaped(Trimmed);
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
    TTextWriter Out(Encoding);
    const int Rows = GetRowCount();
    const int Cols = FColumns->GetCount();
    const std::u16string Sep(1, Separator);
    WideString Field;
    for (int Row = 0; Row < Rows; ++Row) {
        for (int Col = 0; Col < Cols; ++Col) {
            QuoteField(GetCells(Col, Row), Separator, LineBreakChar, Field);
            Out.Put(Field);
            if (Col + 1 < Cols) Out.Put(Sep);
        }
        if (Cols > 0 || Encoding == ekAnsi) Out.Put(u"\r\n");
    }
    WriteFileWhole(WideToUtf8(FileName), Out.Data());
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

    AnsiString Html;
    const auto Line = [&Html](std::string_view Text) {
        Html += Text;
        Html += '\n';
    };
    const auto Cells = [&](const char* Open, auto&& TextOf) {
        for (TGxCustomColumn* Column : Shown)
            Line("\t\t\t\t" + AnsiString(Open) + TextOf(Column));
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
    Cells("<th>", [](TGxCustomColumn* C) { return HtmlCell(C->GetHeader()->GetCaption()) + "</th>"; });
    Line("\t\t\t</tr>");
    const int Rows = GetRowCount();
    for (int Row = 0; Row < Rows; ++Row) {
        Line("\t\t\t<tr>");
        Cells("<td", [&](TGxCustomColumn* C) {
            const AnsiString Class =
                C->GetStyleClass().empty() ? AnsiString() : " class=\"" + Escaped(C->GetStyleClass()) + "\"";
            // An HTML column's cells are markup by design.
            const bool Markup = dynamic_cast<const GxColumnClasses::TGxHtmlColumn*>(C);
            return Class + ">" + HtmlCell(GetDrawText(C->GetIndex(), Row), Markup) + "</td>";
        });
        Line("\t\t\t</tr>");
    }
    if (Settings.Contains(hsSaveFooter)) {
        Line("\t\t\t<tr class=\"footer\">");
        Cells("<td>", [](TGxCustomColumn* C) { return HtmlCell(FooterText(C->GetFooter())) + "</td>"; });
        Line("\t\t\t</tr>");
    }
    Line("\t\t</table>");
    if (Settings.Contains(hsSaveHeaders)) {
        Line("\t</body>");
        Line("</html>");
    }
    Html += '\n';

    if (Sheet) {
        AnsiString Css = StyleSheet;
        for (TGxCustomColumn* Column : Shown)
            if (!Column->GetStyleClass().empty()) Css += "td." + Column->GetStyleClass() + " { }\n";
        Css += '\n';
        WriteFileWhole(ExtractFilePath(Name) + SheetName, Css);
    }
    WriteFileWhole(Name, Html);
}

} // namespace GxCustomGridControl
