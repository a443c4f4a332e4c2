// components/XmlPullParser.cpp: loading, the parser's overridable operations,
// and the routines.
#include "components/XmlPullParser.h"
#include "components/XmlPullParser_Chars.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace XmlPullParser {

using namespace detail;

namespace {

const char CEmptyText[2] = {0, 0}; // a text of its own with a character before it

constexpr char32_t CCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

AnsiString SingleByteToUtf8(const AnsiString& Source, bool Cp1252)
{
    AnsiString Out;
    Out.reserve(Source.size());
    for (const char C : Source) {
        const auto B = static_cast<unsigned char>(C);
        if (B < 0x80)
            Out += C;
        else
            AppendUtf8(Out, (Cp1252 && B < 0xA0) ? CCp1252High[B - 0x80] : char32_t(B));
    }
    return Out;
}

} // namespace

// ---- Routines -----------------------------------------------------------------

AnsiString TrimWs(const AnsiString& Source)
{
    std::size_t B = 0, E = Source.size();
    while (B < E && IsWs(Source[B]))
        ++B;
    while (E > B && IsWs(Source[E - 1]))
        --E;
    return Source.substr(B, E - B);
}

AnsiString ConvertWs(const AnsiString& Source, bool PackWs)
{
    AnsiString Out;
    Out.reserve(Source.size());
    for (std::size_t I = 0; I < Source.size(); ++I) {
        if (!IsWs(Source[I]))
            Out += Source[I];
        else if (!PackWs || I == 0 || !IsWs(Source[I - 1]))
            Out += ' ';
    }
    return Out;
}

AnsiString DelChars(const AnsiString& Source, const TCharset& CharsToDelete)
{
    AnsiString Out;
    Out.reserve(Source.size());
    for (const char C : Source)
        if (!CharsToDelete.Contains(C)) Out += C;
    return Out;
}

AnsiString StrSFPas(const char* Start, const char* Final)
{
    if (!Start || !Final || Final < Start) return AnsiString();
    return AnsiString(Start, Final + 1);
}

void SetStringSF(AnsiString& S, const char* Start, const char* Final)
{
    S = StrSFPas(Start, Final);
}

AnsiString Utf8ToAnsi(const AnsiString& Source)
{
    return Source;
}

AnsiString AnsiToUtf8(const AnsiString& Source)
{
    return SingleByteToUtf8(Source, true);
}

AnsiString Latin1ToUtf8(const AnsiString& Source)
{
    return SingleByteToUtf8(Source, false);
}

// ---- TXmlParser: loading ----------------------------------------------------------

TXmlParser::TXmlParser()
    : FEntityStack(New<TEntityStack>(this)), FElements(New<TElemList>()), FEntities(New<TEntityList>()),
      FParameterEntities(New<TEntityList>()), FNotations(New<TNotationList>()), FCurAttr(New<TAttrList>())
{
    Clear();
}

TXmlParser::~TXmlParser()
{
    Clear();
}

void TXmlParser::Clear()
{
    FOwnedBuffer.reset();
    FBuffer = nullptr;
    FBufferSize = 0;
    FBufferEnd = nullptr;
    FSource.clear();
    FXmlVersion.clear();
    FEncoding.clear();
    FStandalone = false;
    FRootElementName.clear();
    FDtdStart = nullptr;
    FDtdEnd = nullptr;
    FNormalize = true;
    FElements->Clear();
    FEntities->Clear();
    FParameterEntities->Clear();
    FNotations->Clear();
    // The current part must not point into the text that has just gone.
    ResetScan();
}

void TXmlParser::SetOwnedText(std::string_view Text)
{
    if (Text.size() > static_cast<std::size_t>(INT_MAX) - 2) throw EOutOfResources("Document too large");
    FOwnedBuffer = CopyText(Text);
    FBuffer = FOwnedBuffer.get() + 1;
    FBufferSize = static_cast<int>(Text.size()) + 1;
    FBufferEnd = FBuffer + Text.size();
}

bool TXmlParser::LoadFromFile(const AnsiString& Filename, Word FileMode)
{
    return LoadFile(Filename, FileMode, INT_MAX - 2);
}

bool TXmlParser::LoadFile(const AnsiString& Filename, Word FileMode, Int64 MaxSize)
{
    Clear();
    try {
        // The parser only reads; of the mode only its sharing bits apply.
        TFileStream F(Filename, static_cast<Word>(fmOpenRead | (FileMode & 0xF0)));
        const Int64 Size = F.GetSize();
        if (Size < 0 || Size > MaxSize) throw EReadError("File too large");
        AnsiString Bytes(static_cast<std::size_t>(Size), '\0');
        Bytes.resize(static_cast<std::size_t>(F.Read(Bytes.data(), Size)));
        SetOwnedText(Bytes);
        FSource = Filename;
        ResetScan();
        return true;
    } catch (...) {
        Clear();
        return false;
    }
}

bool TXmlParser::LoadFromBuffer(std::string_view Text)
{
    Clear();
    try {
        SetOwnedText(Text);
        FSource = "<MEM>";
        ResetScan();
        return true;
    } catch (...) {
        Clear();
        return false;
    }
}

void TXmlParser::SetBuffer(const char* Text)
{
    Clear();
    if (!Text) return;
    FBuffer = Text;
    FBufferEnd = Text + std::strlen(Text);
    FSource = "<REFERENCE>";
    ResetScan();
}

const char* TXmlParser::GetDocBuffer() const
{
    return FBuffer ? FBuffer : CEmptyText + 1;
}

void TXmlParser::StartScan()
{
    ResetScan();
}

void TXmlParser::ResetScan()
{
    FCurPartType = ptNone;
    FCurName.clear();
    FCurContent.clear();
    FCurStart = nullptr;
    FCurFinal = nullptr;
    FCurAttr->Clear();
    FEntityStack->Clear();
    const Int64 Size = FBufferEnd ? FBufferEnd - FBuffer : 0;
    FExpansionLeft = 16 * Size + (Int64(1) << 20);
}

// ---- TXmlParser: virtual operations ------------------------------------------------

TXmlParser* TXmlParser::LoadExternalEntity(const AnsiString& SystemId, const AnsiString& /*PublicId*/,
                                           const AnsiString& /*Notation*/)
{
    AnsiString Filename = SystemId;
    std::replace(Filename.begin(), Filename.end(), '\\', PathDelim);
    // Relative names are relative to the document's own folder.
    if (!FSource.empty() && FSource[0] != '<' && (Filename.empty() || Filename[0] != PathDelim))
        Filename = ExtractFilePath(FSource) + Filename;
    TXmlParser* Result = New<TXmlParser>();
    // A file larger than the expansion left could never be read in.
    Result->LoadFile(Filename, fmOpenRead | fmShareDenyNone, std::min<Int64>(FExpansionLeft, INT_MAX - 2));
    return Result;
}

AnsiString TXmlParser::TranslateEncoding(const AnsiString& Source)
{
    const AnsiString& E = FCurrentEncoding;
    if (E == "UTF-8") return Utf8ToAnsi(Source);
    if (E == "WINDOWS-1252" || E == "CP1252") return AnsiToUtf8(Source);
    if (E == "ISO-8859-1" || E == "ISO_8859-1" || E == "LATIN1") return Latin1ToUtf8(Source);
    return Source;
}

void TXmlParser::DtdElementFound(const TDtdElementRec& /*DtdElementRec*/) {}

} // namespace XmlPullParser
