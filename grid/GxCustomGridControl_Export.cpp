// grid/GxCustomGridControl_Export.cpp
// The rows as delimited text in three encodings and back, as a stream, and
// as an HTML report with its style sheet. Every file is written whole through
// the platform's one writer, so a failure leaves the old file as it was; the
// large ones go to it a piece at a time, made in one buffer as the rows are
// walked, so that no save holds the whole file and a cell of ASCII text costs
// no string of its own.
#include "grid/GxCustomGridControl.h"
#include "grid/GxDrawnColumns.h"
#include "grid/GxSaveBuffers.h"
#include "grid/GxSaveSpeed.h"
#include "grid/GxStyleDisplay.h"
#include "grid/GxTextBlocks.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"

#include <algorithm>
#include <numeric>
#include <type_traits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace GxCustomGridControl {

namespace {

using namespace GxTextBlocks;

// ---- Delimited text ------------------------------------------------------------------------------

// How a file of one form puts units, one or a run of them (a byte each for
// 8-bit files, which only take ASCII this way).
template <TUnitForm Form> struct TFormUnits {
    static constexpr std::size_t Size = UnitSize<Form>;
    static char* Put(char* Out, char16_t U)
    {
        if constexpr (Form == TUnitForm::Byte)
            *Out = char(U);
        else {
            Out[Form == TUnitForm::Big ? 1 : 0] = char(U & 0xFF);
            Out[Form == TUnitForm::Big ? 0 : 1] = char(U >> 8);
        }
        return Out + Size;
    }
    static char* PutRun(char* Out, std::u16string_view Units)
    {
        PutUnits<Form>(Out, Units);
        return Out + Size * Units.size();
    }
};

// A quoted field kept as units, for text beyond ASCII on its way to the codec.
struct TFieldUnits {
    static char16_t* Put(char16_t* Out, char16_t U)
    {
        *Out = U;
        return Out + 1;
    }
    static char16_t* PutRun(char16_t* Out, std::u16string_view Units)
    {
        if (!Units.empty()) std::memcpy(Out, Units.data(), 2 * Units.size());
        return Out + Units.size();
    }
};

// What a field holds beside plain ASCII, by bit.
enum : unsigned { NonAscii = 1, LineBreaks = 2, Separators = 4, Quotes = 8, Enclosing = Separators | Quotes };

// Compares every unit, with no early exit, so that the loop runs many units
// at a time.
unsigned Classify(std::u16string_view Text, char16_t Separator)
{
    std::uint16_t Found = 0;
    for (const char16_t U : Text)
        Found |= std::uint16_t((-std::uint16_t(U >= 0x80) & NonAscii) |
                               (-std::uint16_t((U == u'\r') | (U == u'\n')) & LineBreaks) |
                               (-std::uint16_t(U == Separator) & Separators) | (-std::uint16_t(U == u'"') & Quotes));
    return Found;
}

const TSpecialUnits QuoteOrBreak(u'"', u'\r', u'\n', u'"', false);

// The field as it goes into the file, put unit by unit from Out on, at most
// 2 × Text.size() + 2 units: quotes doubled, every line break (CR LF, a lone
// CR or a lone LF) one LineBreakChar, enclosed in quotes when the text holds
// the separator or a quote.
template <typename TUnits, typename TOut>
TOut* PutQuoted(TOut* Out, std::u16string_view Text, unsigned Found, char16_t LineBreakChar)
{
    const bool Enclose = Found & Enclosing;
    if (Enclose) Out = TUnits::Put(Out, u'"');
    if (Found & (LineBreaks | Quotes)) {
        // Runs between the units that change go out whole.
        const char16_t* Units = Text.data();
        std::size_t Run = 0;
        for (std::size_t I = QuoteOrBreak.Find(Text, 0); I != Text.npos; I = QuoteOrBreak.Find(Text, I + 1)) {
            const char16_t C = Units[I];
            Out = TUnits::PutRun(Out, std::u16string_view(Units + Run, I - Run));
            if (C == u'"')
                Out = TUnits::Put(TUnits::Put(Out, u'"'), u'"');
            else {
                if (C == u'\r' && I + 1 < Text.size() && Units[I + 1] == u'\n') ++I;
                Out = TUnits::Put(Out, LineBreakChar);
            }
            Run = I + 1;
        }
        Text = std::u16string_view(Units + Run, Text.size() - Run);
    }
    Out = TUnits::PutRun(Out, Text);
    if (Enclose) Out = TUnits::Put(Out, u'"');
    return Out;
}

char* PutBytes(char* Out, std::string_view Bytes)
{
    for (const char B : Bytes)
        *Out++ = B;
    return Out;
}

// Puts the rows of a delimited file in its encoding, UTF-16 after its mark.
// A row is made straight into the file's buffer through a local pointer, with
// room for its most taken once. Each field goes out as it is, a block of
// units at a time, while the same pass looks for the units that change it;
// only a field that has them is put again, quoted or through the codec.
template <TEncodingKind Encoding> class TTextWriter {
public:
    TTextWriter(TByteBuffer& File, WideChar Separator, WideChar LineBreakChar)
        : FFile(File), FSeparator(Separator), FLineBreakChar(LineBreakChar),
          FSpecial(Separator, u'"', u'\r', u'\n', Ansi), FSeparatorBytes(Bytes({&Separator, 1}))
    {
    }

    // What the file starts with: UTF-16's mark.
    static AnsiString Mark() { return Ansi ? AnsiString() : Bytes(u"\xFEFF"); }

    void PutRow(const std::vector<std::u16string_view>& Texts, bool LineBreak)
    {
        const std::string_view Separator = FSeparatorBytes, LineEnd = FLineEnd;
        FRowMost = LineEnd.size();
        for (const std::u16string_view Text : Texts)
            FRowMost += Separator.size() + TUnits::Size * (2 * Text.size() + 2);
        char* Out = FFile.Room(FRowMost);
        for (std::size_t Col = 0; Col < Texts.size(); ++Col) {
            if (Col > 0) Out = PutBytes(Out, Separator);
            Out = PutField(Out, Texts[Col]);
        }
        if (LineBreak) Out = PutBytes(Out, LineEnd);
        FFile.Advance(Out);
    }

private:
    static constexpr bool Ansi = Encoding == ekAnsi;
    static constexpr TUnitForm Form = Ansi                             ? TUnitForm::Byte
                                      : Encoding == ekUnicodeBigEndian ? TUnitForm::Big
                                                                       : TUnitForm::Little;
    using TUnits = TFormUnits<Form>;

    static AnsiString Bytes(std::u16string_view Units)
    {
        if constexpr (Ansi)
            return WideToUtf8(Units);
        else {
            AnsiString Out(2 * Units.size(), '\0');
            char* To = Out.data();
            for (const char16_t U : Units)
                To = TUnits::Put(To, U);
            return Out;
        }
    }

    char* PutField(char* Out, std::u16string_view Text)
    {
        if (!FSpecial.Put<Form>(Out, Text)) return Out + TUnits::Size * Text.size();
        const unsigned Found = Classify(Text, FSeparator);
        if (!Ansi || (!(Found & NonAscii) && FLineBreakChar < 0x80))
            return PutQuoted<TUnits>(Out, Text, Found, FLineBreakChar);
        // The rest goes through the codec, quoted first when it must be.
        FFile.Advance(Out);
        if (Found & ~NonAscii) {
            FField.resize(2 * Text.size() + 2);
            const char16_t* End = PutQuoted<TFieldUnits>(FField.data(), Text, Found, FLineBreakChar);
            Text = std::u16string_view(FField.data(), std::size_t(End - FField.data()));
        }
        FFile.AppendWide(Text);
        return FFile.Room(FRowMost);
    }

    TByteBuffer& FFile;
    const char16_t FSeparator;
    const char16_t FLineBreakChar;
    const TSpecialUnits FSpecial; // what a field cannot go out as it is with
    const AnsiString FSeparatorBytes;
    const AnsiString FLineEnd = Bytes(u"\r\n");
    std::size_t FRowMost = 0; // the most bytes the row being put can take
    WideString FField;        // a quoted field of non-ASCII text on its way to the codec
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

std::string_view Entity(char16_t C)
{
    switch (C) {
    case u'&':
        return "&amp;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    default:
        return "&quot;";
    }
}

void AppendEscaped(AnsiString& Out, std::string_view Text)
{
    for (const char C : Text)
        if (C == '&' || C == '<' || C == '>' || C == '"')
            Out += Entity(char16_t(C));
        else
            Out += C;
}

AnsiString Escaped(std::string_view Text)
{
    AnsiString Out;
    AppendEscaped(Out, Text);
    return Out;
}

const TSpecialUnits HtmlSpecial(u'&', u'<', u'>', u'"', true); // and every unit past ASCII

char* PutText(char* Out, std::string_view Text)
{
    std::memcpy(Out, Text.data(), Text.size());
    return Out + Text.size();
}

// Text escaped, in runs between the characters that need an entity: ASCII
// straight into the buffer, the rest through the codec.
void PutEscaped(TByteBuffer& File, std::u16string_view Text)
{
    for (std::size_t Run = 0, I = HtmlSpecial.Find(Text, 0);; I = HtmlSpecial.Find(Text, I + 1)) {
        const std::u16string_view Plain = Text.substr(Run, I - Run);
        char* Out = File.Room(Plain.size());
        PutUnits<TUnitForm::Byte>(Out, Plain);
        File.Advance(Out + Plain.size());
        if (I == Text.npos) return;
        Run = I + 1;
        if (Text[I] >= 0x80) {
            // The whole run of units past ASCII, so that a pair stays whole.
            while (Run < Text.size() && Text[Run] >= 0x80)
                ++Run;
            File.Append(WideToUtf8(Text.substr(I, Run - I)));
            I = Run - 1;
        } else
            File.Append(Entity(Text[I]));
    }
}

// Most bytes a cell of Text can take in the report: six a unit (an entity,
// or UTF-8), or "&nbsp;".
std::size_t CellMost(std::u16string_view Text)
{
    return 6 * Text.size() + 6;
}

// A cell's text as the report shows it, put from Out on in room for Most
// bytes: "&nbsp;" for nothing, otherwise without its leading and trailing
// blanks and control characters, escaped unless it is Markup. Most cells are
// ASCII with nothing to escape, put in the pass that looks at them; the
// others go the long way, after which the buffer gives room for Most again.
char* PutHtmlCell(TByteBuffer& File, char* Out, std::size_t Most, std::u16string_view Text, bool Markup)
{
    if (Text.empty()) return PutText(Out, "&nbsp;");
    std::size_t First = 0, Last = Text.size();
    while (First < Last && Text[First] <= u' ')
        ++First;
    while (Last > First && Text[Last - 1] <= u' ')
        --Last;
    Text = Text.substr(First, Last - First);
    if (!Markup && !HtmlSpecial.Put<TUnitForm::Byte>(Out, Text)) return Out + Text.size();
    File.Advance(Out);
    if (Markup)
        File.AppendWide(Text);
    else
        PutEscaped(File, Text);
    return File.Room(Most);
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
    const int Rows = GetRowCount();
    const bool LineBreaks = FColumns->GetCount() > 0 || Encoding == ekAnsi;
    std::vector<int> Cols(std::size_t(FColumns->GetCount()));
    std::iota(Cols.begin(), Cols.end(), 0);
    const int Workers = SaveWorkerCount(Rows);
    const std::unique_ptr<TStoredRows> Stored =
        Workers > 0 ? StoredRows(Cols, false, SaveRangeSize, Cols.size() + 2) : nullptr;
    const auto Write = [&](auto Kind) {
        using TWriter = TTextWriter<decltype(Kind)::value>;
        File.Append(TWriter::Mark());
        if (Stored) {
            WriteRanges(File, *Stored, Workers, [&](int First, int Last, TByteBuffer& Out) {
                TWriter Writer(Out, Separator, LineBreakChar);
                std::vector<std::u16string_view> Texts;
                for (int Row = First; Row < Last; ++Row) {
                    Stored->Read(Row, Texts);
                    Writer.PutRow(Texts, LineBreaks);
                }
            });
            return;
        }
        TWriter Writer(File, Separator, LineBreakChar);
        TRowTexts Texts;
        for (int Row = 0; Row < Rows; ++Row) {
            ReadRowTexts(Row, Texts);
            Writer.PutRow(Texts.Texts, LineBreaks);
            File.Flow();
        }
    };
    if (Encoding == ekAnsi)
        Write(std::integral_constant<TEncodingKind, ekAnsi>());
    else if (Encoding == ekUnicodeBigEndian)
        Write(std::integral_constant<TEncodingKind, ekUnicodeBigEndian>());
    else
        Write(std::integral_constant<TEncodingKind, ekUnicode>());
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
    const auto Cell = [&File](std::string_view Open, std::u16string_view Text, std::string_view Close) {
        const std::size_t Most = Open.size() + CellMost(Text) + Close.size();
        char* Out = PutText(File.Room(Most), Open);
        Out = PutHtmlCell(File, Out, Most, Text, false);
        File.Advance(PutText(Out, Close));
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
    std::vector<int> Index; // each shown column's item index
    for (TGxCustomColumn* Column : Shown)
        Index.push_back(Column->GetIndex());
    // A row is made straight into the file's buffer, with room for its most
    // taken once.
    const std::string_view RowOpen = "\t\t\t<tr>\n", RowClose = "\t\t\t</tr>\n", CellClose = "</td>\n";
    std::size_t RowFixed = RowOpen.size() + RowClose.size();
    for (const AnsiString& Open : Opening)
        RowFixed += Open.size() + CellClose.size();
    const auto PutRow = [&](TByteBuffer& Out, const std::vector<std::u16string_view>& Texts) {
        std::size_t Most = RowFixed;
        for (const std::u16string_view Text : Texts)
            Most += CellMost(Text);
        char* To = PutText(Out.Room(Most), RowOpen);
        for (std::size_t I = 0; I < Texts.size(); ++I) {
            To = PutText(To, Opening[I]);
            To = PutHtmlCell(Out, To, Most, Texts[I], Markup[I]);
            To = PutText(To, CellClose);
        }
        Out.Advance(PutText(To, RowClose));
    };
    const int Rows = GetRowCount();
    const int Workers = SaveWorkerCount(Rows);
    if (const std::unique_ptr<TStoredRows> Stored =
            Workers > 0 ? StoredRows(Index, true, SaveRangeSize, RowFixed) : nullptr) {
        WriteRanges(File, *Stored, Workers, [&](int First, int Last, TByteBuffer& Out) {
            std::vector<std::u16string_view> Texts;
            for (int Row = First; Row < Last; ++Row) {
                Stored->Read(Row, Texts);
                PutRow(Out, Texts);
            }
        });
    } else {
        TRowTexts Texts;
        for (int Row = 0; Row < Rows; ++Row) {
            ReadDrawTexts(Row, Index, Texts);
            PutRow(File, Texts.Texts);
            File.Flow();
        }
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
