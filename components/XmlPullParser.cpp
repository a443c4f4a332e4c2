// components/XmlPullParser.cpp
#include "components/XmlPullParser.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

namespace XmlPullParser {

namespace {

const TCharset CWhitespace = {'\t', '\n', '\r', ' '};
const char CEmptyText[2] = {0, 0}; // a text of its own with a character before it

bool IsWs(char C)
{
    return C == '\t' || C == '\n' || C == '\r' || C == ' ';
}

bool IsNameStart(char C)
{
    const auto B = static_cast<unsigned char>(C);
    return B == ':' || (B >= 'A' && B <= 'Z') || B == '_' || (B >= 'a' && B <= 'z') || (B >= 0xC0 && B <= 0xD6) ||
           (B >= 0xD8 && B <= 0xF6) || B >= 0xF8;
}

bool IsNameChar(char C)
{
    const auto B = static_cast<unsigned char>(C);
    return IsNameStart(C) || (B >= '0' && B <= '9') || B == '-' || B == '.' || B >= 0x80;
}

bool IsAlnum(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}

// Compares without reading past the NUL that ends P.
bool StartsWith(const char* P, const char* Prefix)
{
    for (; *Prefix; ++P, ++Prefix)
        if (*P != *Prefix) return false;
    return true;
}

const char* EndOfText(const char* P)
{
    return P + std::strlen(P);
}

// The last character of the name that starts at Start: the first character
// always belongs to it, unless the text or the tag ends there.
const char* ScanToTerminator(const char* Start, const TCharset& Terminators)
{
    if (*Start == 0 || *Start == '>') return Start - 1;
    const char* P = Start + 1;
    while (*P && *P != '>' && !Terminators.Contains(*P))
        ++P;
    return P - 1;
}

// The next C at or after P, else the last character of the text.
const char* ScanFor(const char* P, char C)
{
    while (*P && *P != C)
        ++P;
    return *P ? P : P - 1;
}

// The text between the quote at Start and the next one; returns that closing
// quote, or the last character of the text when there is none.
const char* ReadQuoted(const char* Start, AnsiString& Value)
{
    const char* P = Start + 1;
    while (*P && *P != *Start)
        ++P;
    Value.assign(Start + 1, P);
    return *P ? P : P - 1;
}

// The ';' that ends a name reference whose name starts at P, or null.
const char* NameReferenceEnd(const char* P)
{
    if (!IsNameStart(*P)) return nullptr;
    do
        ++P;
    while (IsNameChar(*P));
    return *P == ';' ? P : nullptr;
}

// The ';' that ends the reference opened by the '&' at Amp, or null when the
// '&' stands for itself.
const char* ReferenceEnd(const char* Amp)
{
    const char* P = Amp + 1;
    if (*P != '#') return NameReferenceEnd(P);
    do
        ++P;
    while (IsAlnum(*P));
    return *P == ';' ? P : nullptr;
}

char PredefinedEntity(const AnsiString& Name)
{
    if (Name == "lt") return '<';
    if (Name == "gt") return '>';
    if (Name == "amp") return '&';
    if (Name == "apos") return '\'';
    if (Name == "quot") return '"';
    return 0;
}

// The character a reference "#..." stands for, as UTF-8. A value that does not
// parse, or is no Unicode character, gives Unparsable.
AnsiString CharReference(const AnsiString& Name, char32_t Unparsable)
{
    std::string_view Digits(Name);
    Digits.remove_prefix(1);
    int Base = 10;
    if (!Digits.empty() && (Digits[0] == 'x' || Digits[0] == 'X')) {
        Base = 16;
        Digits.remove_prefix(1);
    }
    std::uint32_t Value = 0;
    const char* End = Digits.data() + Digits.size();
    const auto [Ptr, Ec] = std::from_chars(Digits.data(), End, Value, Base);
    const bool Ok = !Digits.empty() && Ec == std::errc() && Ptr == End && Value <= 0x10FFFF &&
                    !(Value >= 0xD800 && Value <= 0xDFFF);
    AnsiString Out;
    AppendUtf8(Out, Ok ? Value : Unparsable);
    return Out;
}

// Character references in a declaration or attribute value: a hexadecimal
// value that does not parse gives the character 0, a decimal one a blank.
AnsiString ReplaceCharRefs(const AnsiString& Source)
{
    AnsiString Out;
    std::size_t I = 0;
    while (I < Source.size()) {
        const char* Semi = Source[I] == '&' && Source[I + 1] == '#' ? ReferenceEnd(Source.c_str() + I) : nullptr;
        if (!Semi) {
            Out += Source[I++];
            continue;
        }
        const std::size_t SemiIndex = static_cast<std::size_t>(Semi - Source.c_str());
        const AnsiString Name = Source.substr(I + 1, SemiIndex - I - 1);
        const bool Hex = Name.size() > 1 && (Name[1] == 'x' || Name[1] == 'X');
        Out += CharReference(Name, Hex ? 0 : ' ');
        I = SemiIndex + 1;
    }
    return Out;
}

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

// ---- Lists --------------------------------------------------------------------

namespace {

// The first index whose node's name is not smaller than Name.
template <typename TNodes> std::size_t LowerBound(const TNodes& Nodes, const AnsiString& Name)
{
    return static_cast<std::size_t>(
        std::partition_point(Nodes.begin(), Nodes.end(), [&](const auto& N) { return N->Name < Name; }) -
        Nodes.begin());
}

// New nodes go after the last node with a smaller name, so before any of the
// same name; the walk from the end keeps adding in order cheap.
template <typename TNodes, typename TNode> void InsertSorted(TNodes& Nodes, TNode* Node)
{
    typename TNodes::value_type Owned(Node);
    std::size_t I = Nodes.size();
    while (I > 0 && !(Nodes[I - 1]->Name < Node->Name))
        --I;
    Nodes.insert(Nodes.begin() + static_cast<std::ptrdiff_t>(I), std::move(Owned));
}

template <typename TNodes> auto FindName(const TNodes& Nodes, const AnsiString& Name) -> decltype(Nodes.front().get())
{
    const std::size_t I = LowerBound(Nodes, Name);
    return I < Nodes.size() && Nodes[I]->Name == Name ? Nodes[I].get() : nullptr;
}

template <typename TNodes> void RemoveAllNamed(TNodes& Nodes, const AnsiString& Name)
{
    const std::size_t I = LowerBound(Nodes, Name);
    std::size_t E = I;
    while (E < Nodes.size() && Nodes[E]->Name == Name)
        ++E;
    Nodes.erase(Nodes.begin() + static_cast<std::ptrdiff_t>(I), Nodes.begin() + static_cast<std::ptrdiff_t>(E));
}

} // namespace

void TNvpList::Add(TNvpNode* Node)
{
    InsertSorted(FNodes, Node);
}

TNvpNode* TNvpList::Node(const AnsiString& Name) const
{
    return FindName(FNodes, Name);
}

TNvpNode* TNvpList::Node(int Index) const
{
    return Index >= 0 && Index < GetCount() ? FNodes[static_cast<std::size_t>(Index)].get() : nullptr;
}

AnsiString TNvpList::Value(const AnsiString& Name) const
{
    const TNvpNode* N = Node(Name);
    return N ? N->Value : AnsiString();
}

AnsiString TNvpList::Value(int Index) const
{
    const TNvpNode* N = Node(Index);
    return N ? N->Value : AnsiString();
}

AnsiString TNvpList::Name(int Index) const
{
    const TNvpNode* N = Node(Index);
    return N ? N->Name : AnsiString();
}

void TNvpList::Delete(int Index)
{
    if (Index >= 0 && Index < GetCount()) FNodes.erase(FNodes.begin() + Index);
}

void TNvpList::RemoveName(const AnsiString& Name)
{
    RemoveAllNamed(FNodes, Name);
}

void TElemList::Add(TElemDef* Node)
{
    InsertSorted(FNodes, Node);
}

TElemDef* TElemList::Node(const AnsiString& Name) const
{
    return FindName(FNodes, Name);
}

TElemDef* TElemList::Node(int Index) const
{
    return Index >= 0 && Index < GetCount() ? FNodes[static_cast<std::size_t>(Index)].get() : nullptr;
}

void TElemList::RemoveName(const AnsiString& Name)
{
    RemoveAllNamed(FNodes, Name);
}

const char* TAttrList::Analyze(const char* Start)
{
    static const TCharset NameTerminators = CWhitespace + TCharset{'=', '/'};
    enum { stName, stEquals, stValue } State = stName;
    Clear();
    AnsiString Name;
    const char* Final = Start;
    while (*Final && *Final != '>') {
        const char C = *Final;
        if (!IsWs(C)) {
            if (State == stName) {
                if (!IsNameStart(C)) break;
                const char* NameFinal = ScanToTerminator(Final, NameTerminators);
                Name.assign(Final, NameFinal + 1);
                Final = NameFinal;
                State = stEquals;
            } else if (State == stEquals) {
                if (C == '=') State = stValue;
            } else if (C == '"' || C == '\'') {
                AnsiString Value;
                Final = ReadQuoted(Final, Value);
                Add(New<TAttr>(Name, std::move(Value)));
                State = stName;
            }
        }
        ++Final;
    }
    return Final;
}

TExternalID::TExternalID(const char* Start)
{
    const bool IsPublic = StartsWith(Start, "PUBLIC");
    if (!IsPublic && !StartsWith(Start, "SYSTEM")) {
        Final = Start;
        return;
    }
    // The next quoted literal from P, unless a '>', a '[' or the end comes first.
    auto ReadLiteral = [](const char* P, AnsiString& Value) {
        while (*P && *P != '"' && *P != '\'' && *P != '>' && *P != '[')
            ++P;
        return (*P == '"' || *P == '\'') ? ReadQuoted(P, Value) : P - 1;
    };
    Final = ReadLiteral(Start + 6, IsPublic ? PublicId : SystemId);
    if (IsPublic && (*Final == '"' || *Final == '\'')) Final = ReadLiteral(Final + 1, SystemId);
}

void TEntityStack::Push(TObject* AInstance, const char* APos)
{
    TOwned<TEntityStackNode> Node(New<TEntityStackNode>());
    Node->Instance = AInstance;
    Node->Encoding = FOwner->FCurrentEncoding;
    Node->Pos = APos;
    FNodes.push_back(std::move(Node));
}

const char* TEntityStack::PushText(std::string_view Text, const char* APos, TObject* AInstance)
{
    auto Copy = std::make_unique<char[]>(Text.size() + 2);
    Copy[0] = 0;
    std::memcpy(Copy.get() + 1, Text.data(), Text.size());
    Copy[Text.size() + 1] = 0;
    Push(AInstance, APos);
    FNodes.back()->Text = std::move(Copy);
    return FNodes.back()->Text.get() + 1;
}

const char* TEntityStack::Pop()
{
    if (FNodes.empty()) return nullptr;
    const TOwned<TEntityStackNode> Node = std::move(FNodes.back());
    FNodes.pop_back();
    if (!Node->Encoding.empty()) FOwner->FCurrentEncoding = Node->Encoding;
    return Node->Pos;
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
    auto Owned = std::make_unique<char[]>(Text.size() + 2);
    Owned[0] = 0;
    std::memcpy(Owned.get() + 1, Text.data(), Text.size());
    Owned[Text.size() + 1] = 0;
    FOwnedBuffer = std::move(Owned);
    FBuffer = FOwnedBuffer.get() + 1;
    FBufferSize = static_cast<int>(Text.size()) + 1;
    FBufferEnd = FBuffer + Text.size();
}

bool TXmlParser::LoadFromFile(const AnsiString& Filename, Word FileMode)
{
    Clear();
    try {
        // The parser only reads; of the mode only its sharing bits apply.
        TFileStream F(Filename, static_cast<Word>(fmOpenRead | (FileMode & 0xF0)));
        const Int64 Size = F.GetSize();
        if (Size < 0 || Size > INT_MAX - 2) throw EReadError("File too large");
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

bool TXmlParser::TakeExpansion(std::size_t Length, int Depth)
{
    if (Depth >= MaxEntityDepth || static_cast<Int64>(Length) > FExpansionLeft) return false;
    FExpansionLeft -= static_cast<Int64>(Length);
    return true;
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
    Result->LoadFromFile(Filename, fmOpenRead | fmShareDenyNone);
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

// ---- TXmlParser: scanning -------------------------------------------------------------

bool TXmlParser::Scan()
{
    for (;;) {
        FCurStart = FCurFinal ? FCurFinal + 1 : GetDocBuffer();
        // An entity may end right where the one around it ends: leave them all.
        while (*FCurStart == 0 && FEntityStack->GetCount() > 0)
            FCurStart = FEntityStack->Pop();
        if (*FCurStart == 0) {
            FCurStart = FBufferEnd ? FBufferEnd : GetDocBuffer();
            FCurFinal = FCurStart - 1;
            FEntityStack->Clear();
            return false;
        }
        FCurFinal = FCurStart;
        const char* P = FCurStart;
        if (StartsWith(P, "<?xml") && IsWs(P[5]))
            AnalyzeProlog();
        else if (StartsWith(P, "<?"))
            AnalyzePI();
        else if (StartsWith(P, "<!--"))
            AnalyzeComment();
        else if (StartsWith(P, "<!DOCTYPE"))
            AnalyzeDtdc();
        else if (StartsWith(P, "<![CDATA["))
            AnalyzeCData();
        else if (*P == '<')
            AnalyzeTag();
        else if (!AnalyzeText())
            continue;
        // Every markup part ends in the text it began in, never before its start.
        if (FCurPartType != ptContent && FCurFinal < FCurStart) FCurFinal = FCurStart;
        return true;
    }
}

void TXmlParser::AnalyzeProlog()
{
    FCurPartType = ptXmlProlog;
    FCurName.clear();
    FCurContent.clear();
    const char* Stop = FCurAttr->Analyze(FCurStart + 5);
    if (FEntityStack->GetCount() == 0) {
        FXmlVersion = FCurAttr->Value("version");
        FEncoding = FCurAttr->Value("encoding");
        FStandalone = FCurAttr->Value("standalone") == "yes";
    }
    const char* Close = std::strstr(Stop, "?>");
    FCurFinal = Close ? Close + 1 : EndOfText(Stop) - 1;
    const AnsiString Encoding = FCurAttr->Value("encoding");
    FCurrentEncoding = Encoding.empty() ? AnsiString("UTF-8") : AnsiUpperCase(Encoding);
}

void TXmlParser::AnalyzeComment()
{
    FCurPartType = ptComment;
    const char* Close = std::strstr(FCurStart + 4, "-->");
    FCurFinal = Close ? Close + 2 : EndOfText(FCurStart + 4) - 1;
}

const char* TXmlParser::ReadPI(const char* Start)
{
    static const TCharset TargetTerminators = CWhitespace + TCharset{'>', '?'};
    const char* Close = std::strstr(Start + 2, "?>");
    const char* Final = Close ? Close + 1 : EndOfText(Start + 2) - 1;
    const char* TargetFinal = ScanToTerminator(Start + 2, TargetTerminators);
    FCurName = StrSFPas(Start + 2, TargetFinal);
    FCurContent = StrSFPas(TargetFinal + 1, Close ? Close - 1 : Final);
    FCurAttr->Analyze(TargetFinal + 1);
    return Final;
}

void TXmlParser::AnalyzePI()
{
    FCurPartType = ptPI;
    FCurFinal = ReadPI(FCurStart);
}

void TXmlParser::AnalyzeCData()
{
    FCurPartType = ptCData;
    const char* Body = FCurStart + 9;
    const char* Close = std::strstr(Body, "]]>");
    const char* End = Close ? Close : EndOfText(Body);
    FCurFinal = Close ? Close + 2 : End - 1;
    FCurContent = TranslateEncoding(AnsiString(Body, End));
}

void TXmlParser::AnalyzeTag()
{
    static const TCharset NameTerminators = CWhitespace + TCharset{'/'};
    FCurPartType = ptStartTag;
    const char* NameStart = FCurStart + 1;
    if (*NameStart == '/') {
        FCurPartType = ptEndTag;
        ++NameStart;
    }
    const char* NameFinal = ScanToTerminator(NameStart, NameTerminators);
    FCurName = StrSFPas(NameStart, NameFinal);
    const char* Stop = FCurAttr->Analyze(NameFinal + 1);
    if (*Stop == '/') FCurPartType = ptEmptyTag;
    FCurFinal = ScanFor(Stop, '>');
    // "/>" closes an empty element also after an unquoted value.
    if (FCurPartType == ptStartTag && *FCurFinal == '>' && FCurFinal > NameStart && FCurFinal[-1] == '/')
        FCurPartType = ptEmptyTag;
    if (FCurPartType != ptEndTag) ExpandAttributes();
}

void TXmlParser::ExpandAttributes()
{
    if (TElemDef* Def = FElements->Node(FCurName)) {
        for (int I = 0; I < Def->GetCount(); ++I) {
            const TAttrDef* AttrDef = Def->Node(I);
            TAttr* Attr = FCurAttr->Node(AttrDef->Name);
            if (!Attr && !AttrDef->Value.empty()) {
                Attr = New<TAttr>(AttrDef->Name, AttrDef->Value);
                Attr->ValueType = vtDefault;
                FCurAttr->Add(Attr);
            }
            if (!Attr) continue;
            if (AttrDef->DefaultType == adImplied) {
                Attr->ValueType = vtImplied;
            } else if (AttrDef->DefaultType == adFixed) {
                Attr->ValueType = vtFixed;
                Attr->Value = AttrDef->Value;
            }
            Attr->AttrType = AttrDef->AttrType;
        }
    }
    for (int I = 0; I < FCurAttr->GetCount(); ++I) {
        TAttr* Attr = FCurAttr->Node(I);
        const AnsiString Value = ExpandAttrValue(Attr->Value, 0);
        if (Attr->AttrType != atUnknown && Attr->AttrType != atCData)
            Attr->Value = TrimWs(ConvertWs(Value, true));
        else
            Attr->Value = ConvertWs(Value, false);
    }
}

bool TXmlParser::AnalyzeText()
{
    FCurPartType = ptContent;
    FCurContent.clear();
    FCurFinal = FCurStart;
    const char* Run = FCurFinal;
    auto Flush = [&] {
        if (FCurFinal != Run) FCurContent += TranslateEncoding(AnsiString(Run, FCurFinal));
    };
    for (;;) {
        const char C = *FCurFinal;
        if (C == 0) {
            if (FEntityStack->GetCount() == 0) break;
            Flush();
            FCurFinal = FEntityStack->Pop();
            Run = FCurFinal;
        } else if (C == '&' && ReferenceEnd(FCurFinal)) {
            Flush();
            ReadTextReference();
            Run = FCurFinal;
        } else if (C == '<') {
            break;
        } else {
            ++FCurFinal;
        }
    }
    Flush();
    --FCurFinal;
    if (!FNormalize) return true;
    FCurContent = ConvertWs(TrimWs(FCurContent), true);
    return !FCurContent.empty();
}

// At the '&' of a reference: appends what it stands for, or enters the
// entity's text.
void TXmlParser::ReadTextReference()
{
    const char* Semi = ReferenceEnd(FCurFinal);
    const char* After = Semi + 1;
    const AnsiString Name(FCurFinal + 1, Semi);
    if (const char C = PredefinedEntity(Name)) {
        FCurContent += C;
        FCurFinal = After;
        return;
    }
    if (Name[0] == '#') {
        FCurContent += CharReference(Name, ' ');
        FCurFinal = After;
        return;
    }
    const TEntityDef* Def = FEntities->Node(Name);
    if (!Def) {
        FCurContent += Name;
        FCurFinal = After;
        return;
    }
    const int Depth = FEntityStack->GetCount();
    if (!Def->Value.empty()) {
        if (TakeExpansion(Def->Value.size(), Depth)) {
            FCurFinal = FEntityStack->PushText(Def->Value, After);
            return;
        }
    } else if (Def->SystemId.empty() && Def->PublicId.empty()) {
        FCurFinal = After; // declared with an empty text
        return;
    } else if (Depth < MaxEntityDepth) {
        if (TXmlParser* External = LoadExternalEntity(Def->SystemId, Def->PublicId, Def->NotationName)) {
            const char* Text = External->GetDocBuffer();
            const std::size_t Length = std::strlen(Text);
            if (TakeExpansion(Length, Depth)) {
                FCurFinal = FEntityStack->PushText(std::string_view(Text, Length), After, External);
                return;
            }
            Free(External);
        } else {
            FCurFinal = After;
            return;
        }
    }
    // Past the bound the reference stays as it is written.
    FCurContent += TranslateEncoding(AnsiString(FCurFinal, After));
    FCurFinal = After;
}

// General entities and character references resolved in one pass, so that
// what a reference yields is never read as a reference again; literal text is
// translated, as in text parts.
AnsiString TXmlParser::ExpandAttrValue(const AnsiString& Source, int Depth)
{
    AnsiString Out;
    std::size_t Run = 0, I = 0;
    auto Flush = [&](std::size_t End) {
        if (End > Run) Out += TranslateEncoding(Source.substr(Run, End - Run));
    };
    while (I < Source.size()) {
        const char* Semi = Source[I] == '&' ? ReferenceEnd(Source.c_str() + I) : nullptr;
        if (!Semi) {
            ++I;
            continue;
        }
        const std::size_t After = static_cast<std::size_t>(Semi - Source.c_str()) + 1;
        const AnsiString Name = Source.substr(I + 1, After - I - 2);
        const TEntityDef* Def = FEntities->Node(Name);
        AnsiString External;
        if (const char C = PredefinedEntity(Name)) {
            Flush(I);
            Out += C;
        } else if (Name[0] == '#') {
            Flush(I);
            Out += CharReference(Name, (Name[1] == 'x' || Name[1] == 'X') ? 0 : ' ');
        } else if (Def && !Def->Value.empty() && TakeExpansion(Def->Value.size(), Depth)) {
            Flush(I);
            Out += ExpandAttrValue(Def->Value, Depth + 1);
        } else if (Def && Def->Value.empty() && Def->SystemId.empty() && Def->PublicId.empty()) {
            Flush(I); // declared with an empty text
        } else if (Def && Def->Value.empty() && LoadExternalText(Def, Depth, External)) {
            Flush(I);
            Out += ExpandAttrValue(External, Depth + 1);
        } else {
            I = After; // left in place
            continue;
        }
        I = After;
        Run = I;
    }
    Flush(Source.size());
    return Out;
}

bool TXmlParser::LoadExternalText(const TEntityDef* Def, int Depth, AnsiString& Text)
{
    if (Depth >= MaxEntityDepth) return false;
    const TOwned<TXmlParser> External(LoadExternalEntity(Def->SystemId, Def->PublicId, Def->NotationName));
    Text = External ? External->GetDocBuffer() : "";
    return TakeExpansion(Text.size(), Depth);
}

AnsiString TXmlParser::ReplaceParameterEntities(const AnsiString& Source, int Depth)
{
    AnsiString Out;
    std::size_t I = 0;
    while (I < Source.size()) {
        const char* Semi = Source[I] == '%' ? NameReferenceEnd(Source.c_str() + I + 1) : nullptr;
        if (!Semi) {
            Out += Source[I++];
            continue;
        }
        const std::size_t After = static_cast<std::size_t>(Semi - Source.c_str()) + 1;
        const TEntityDef* Def = FParameterEntities->Node(Source.substr(I + 1, After - I - 2));
        AnsiString External;
        const bool Empty = Def && Def->Value.empty() && Def->SystemId.empty() && Def->PublicId.empty();
        if (Def && !Def->Value.empty() && TakeExpansion(Def->Value.size(), Depth))
            Out += ReplaceParameterEntities(Def->Value, Depth + 1);
        else if (Def && Def->Value.empty() && !Empty && LoadExternalText(Def, Depth, External))
            Out += ReplaceParameterEntities(External, Depth + 1);
        else if (!Empty)
            Out.append(Source, I, After - I); // left in place
        I = After;
    }
    return Out;
}

// ---- TXmlParser: the document type declaration ------------------------------------------

void TXmlParser::ReportError(const char* Pos)
{
    TDtdElementRec Rec;
    Rec.ElementType = deError;
    Rec.Start = Rec.Final = Rec.Pos = Pos;
    DtdElementFound(Rec);
}

// At a '%': enters the parameter entity's text, passes over an undeclared
// reference, and passes over the '%' alone when no reference follows or the
// expansion bound is reached.
void TXmlParser::PushPE(const char*& Pos)
{
    const char* Semi = NameReferenceEnd(Pos + 1);
    if (!Semi) {
        ++Pos;
        return;
    }
    const TEntityDef* Def = FParameterEntities->Node(AnsiString(Pos + 1, Semi));
    if (!Def)
        Pos = Semi + 1;
    else if (TakeExpansion(Def->Value.size(), FEntityStack->GetCount()))
        Pos = FEntityStack->PushText(Def->Value, Semi + 1);
    else
        ++Pos;
}

void TXmlParser::AnalyzeDtdc()
{
    static const TCharset RootTerminators = CWhitespace + TCharset{'>', '['};
    FCurPartType = ptDtdc;
    FCurName.clear();
    FCurContent.clear();
    if (FDtdEnd && FCurStart == FDtdStart) {
        FCurFinal = FDtdEnd; // read on an earlier scan of this document
        return;
    }
    // Entities entered before the declaration (it may stand inside one) are
    // left alone; only those entered within it are unwound at its end.
    const int Floor = FEntityStack->GetCount();
    enum { phBeforeName, phAfterName, phSubset, phAfterSubset } Phase = phBeforeName;
    const char* P = FCurStart + 9;
    for (;;) {
        const char C = *P;
        if (C == '>') break;
        if (C == 0) {
            if (FEntityStack->GetCount() <= Floor) break;
            P = FEntityStack->Pop();
            continue;
        }
        if (C == '%') {
            PushPE(P);
            continue;
        }
        if (C == '[') {
            Phase = phSubset;
            P = AnalyzeDtdElements(P + 1, Floor);
            continue;
        }
        if (C == ']') {
            Phase = phAfterSubset;
            ++P;
            continue;
        }
        if (!IsWs(C)) {
            if (Phase == phBeforeName) {
                if (IsNameStart(C)) {
                    const char* NameFinal = ScanToTerminator(P, RootTerminators);
                    FRootElementName.assign(P, NameFinal + 1);
                    P = NameFinal;
                    Phase = phAfterName;
                }
            } else if (Phase == phAfterName && (StartsWith(P, "SYSTEM") || StartsWith(P, "PUBLIC"))) {
                const TExternalID Id(P);
                ReadExternalDtd(Id);
                P = Id.Final;
            } else {
                ReportError(P);
            }
        }
        ++P;
    }
    if (FEntityStack->GetCount() > Floor) {
        ReportError(P); // the closing '>' came from inside an entity
        const char* Resume = nullptr;
        while (FEntityStack->GetCount() > Floor)
            Resume = FEntityStack->Pop();
        P = Resume - 1; // the declaration ends with the reference that opened it
    } else if (*P == 0) {
        --P;
    }
    FCurFinal = P;
    if (Floor == 0 && !FDtdEnd) {
        FDtdStart = FCurStart;
        FDtdEnd = FCurFinal;
    }
}

void TXmlParser::ReadExternalDtd(const TExternalID& Id)
{
    const TOwned<TXmlParser> External(LoadExternalEntity(Id.SystemId, Id.PublicId, AnsiString()));
    if (!External) return;
    const char* Text = External->GetDocBuffer();
    const char* Declarations = std::strstr(Text, "<!");
    const int Floor = FEntityStack->GetCount();
    if (!Declarations || !TakeExpansion(std::strlen(Text), Floor)) return;
    AnalyzeDtdElements(Declarations, Floor);
    // Nothing may resume inside the text that is about to go.
    while (FEntityStack->GetCount() > Floor)
        FEntityStack->Pop();
}

const char* TXmlParser::AnalyzeDtdElements(const char* Start, int Floor)
{
    const char* P = Start;
    for (;;) {
        const char C = *P;
        if (C == '>' || C == ']') return P;
        if (C == 0) {
            if (FEntityStack->GetCount() <= Floor) return P;
            P = FEntityStack->Pop();
            continue;
        }
        if (C == '%') {
            PushPE(P);
            continue;
        }
        if (C == '<') {
            if (StartsWith(P, "<!ELEMENT")) {
                P = AnalyzeElementDecl(P);
            } else if (StartsWith(P, "<!ATTLIST")) {
                P = AnalyzeAttListDecl(P, Floor);
            } else if (StartsWith(P, "<!ENTITY")) {
                P = AnalyzeEntityDecl(P);
            } else if (StartsWith(P, "<!NOTATION")) {
                P = AnalyzeNotationDecl(P);
            } else if (StartsWith(P, "<?")) {
                TDtdElementRec Rec;
                Rec.ElementType = dePI;
                Rec.Start = P;
                Rec.Final = P = ReadPI(P);
                Rec.Target = FCurName;
                Rec.Content = FCurContent;
                Rec.AttrList = FCurAttr.get();
                DtdElementFound(Rec);
            } else if (StartsWith(P, "<!--")) {
                TDtdElementRec Rec;
                Rec.ElementType = deComment;
                Rec.Start = P;
                const char* Close = std::strstr(P + 4, "-->");
                Rec.Final = P = Close ? Close + 2 : EndOfText(P + 4) - 1;
                DtdElementFound(Rec);
            } else {
                ReportError(P);
            }
        }
        ++P;
    }
}

const char* TXmlParser::AnalyzeElementDecl(const char* Start)
{
    const char* P = Start + 9;
    while (*P && *P != '>' && !IsNameStart(*P))
        ++P;
    if (!IsNameStart(*P)) return *P ? P : P - 1;
    const char* NameFinal = ScanToTerminator(P, CWhitespace);
    const char* Final = ScanFor(NameFinal + 1, '>');
    auto* Def = New<TElemDef>();
    Def->Name.assign(P, NameFinal + 1);
    const AnsiString Text = StrSFPas(NameFinal + 1, *Final == '>' ? Final - 1 : Final);
    Def->Definition = ReplaceParameterEntities(DelChars(Text, CWhitespace), 0);
    const AnsiString& D = Def->Definition;
    if (D == "EMPTY")
        Def->ElemType = etEmpty;
    else if (D == "ANY")
        Def->ElemType = etAny;
    else if (D.starts_with("(#PCDATA"))
        Def->ElemType = etMixed;
    else if (D.starts_with("("))
        Def->ElemType = etChildren;
    else
        Def->ElemType = etAny;
    FElements->RemoveName(Def->Name);
    FElements->Add(Def);
    TDtdElementRec Rec;
    Rec.ElementType = deElement;
    Rec.Start = Start;
    Rec.Final = Final;
    Rec.ElemDef = Def;
    DtdElementFound(Rec);
    return Final;
}

const char* TXmlParser::AnalyzeAttListDecl(const char* Start, int Floor)
{
    static const TCharset NameTerminators = CWhitespace + TCharset{'"', '#', '\''};
    enum { phElement, phAttrName, phType, phDefault } Phase = phElement;
    TElemDef* Elem = nullptr;
    TAttrDef* Attr = nullptr;
    const char* P = Start + 9;
    for (;;) {
        const char C = *P;
        if (C == '>') break;
        if (C == 0) {
            if (FEntityStack->GetCount() <= Floor) {
                --P;
                break;
            }
            P = FEntityStack->Pop();
            continue;
        }
        if (C == '%') {
            PushPE(P);
            continue;
        }
        if (!IsWs(C)) {
            switch (Phase) {
            case phElement: {
                const char* Final = ScanToTerminator(P, NameTerminators);
                const AnsiString Name(P, Final + 1);
                Elem = FElements->Node(Name);
                if (!Elem) {
                    Elem = New<TElemDef>();
                    Elem->Name = Name;
                    Elem->Definition = "ANY";
                    Elem->ElemType = etAny;
                    FElements->Add(Elem);
                }
                P = Final;
                Phase = phAttrName;
                break;
            }
            case phAttrName: {
                const char* Final = ScanToTerminator(P, NameTerminators);
                const AnsiString Name(P, Final + 1);
                Elem->RemoveName(Name);
                Attr = New<TAttrDef>(Name);
                Elem->Add(Attr);
                P = Final;
                Phase = phType;
                break;
            }
            case phType:
                if (C == '(') {
                    const char* Close = ScanFor(P, ')');
                    Attr->TypeDef =
                        ReplaceCharRefs(ReplaceParameterEntities(DelChars(StrSFPas(P, Close), CWhitespace), 0));
                    Attr->AttrType = atEnumeration;
                    P = Close;
                } else if (StartsWith(P, "NOTATION")) {
                    Attr->TypeDef = "NOTATION";
                    Attr->AttrType = atNotation;
                    P += 7;
                    const char* List = P + 1;
                    while (IsWs(*List))
                        ++List;
                    if (*List == '(') {
                        const char* Close = ScanFor(List, ')');
                        Attr->Notations = DelChars(ReplaceParameterEntities(StrSFPas(List, Close), 0), CWhitespace);
                        P = Close;
                    }
                } else {
                    static const char* const Keywords[] = {"CDATA",  "ID",       "IDREF",   "IDREFS",
                                                           "ENTITY", "ENTITIES", "NMTOKEN", "NMTOKENS"};
                    static const TAttrType Types[] = {atCData,  atID,       atIdRef,   atIdRefs,
                                                      atEntity, atEntities, atNmToken, atNmTokens};
                    const char* Final = ScanToTerminator(P, NameTerminators);
                    Attr->TypeDef.assign(P, Final + 1);
                    Attr->AttrType = atUnknown;
                    for (int I = 0; I < 8; ++I)
                        if (Attr->TypeDef == Keywords[I]) Attr->AttrType = Types[I];
                    P = Final;
                }
                Phase = phDefault;
                break;
            case phDefault:
                if (C == '"' || C == '\'') {
                    AnsiString Value;
                    P = ReadQuoted(P, Value);
                    Attr->Value = ReplaceCharRefs(ReplaceParameterEntities(Value, 0));
                    Phase = phAttrName;
                } else if (StartsWith(P, "#REQUIRED")) {
                    Attr->DefaultType = adRequired;
                    P += 8;
                    Phase = phAttrName;
                } else if (StartsWith(P, "#IMPLIED")) {
                    Attr->DefaultType = adImplied;
                    P += 7;
                    Phase = phAttrName;
                } else if (StartsWith(P, "#FIXED")) {
                    Attr->DefaultType = adFixed;
                    P += 5;
                }
                break;
            }
        }
        ++P;
    }
    if (Elem) {
        TDtdElementRec Rec;
        Rec.ElementType = deAttList;
        Rec.Start = Start;
        Rec.Final = P;
        Rec.ElemDef = Elem;
        DtdElementFound(Rec);
    }
    return P;
}

const char* TXmlParser::AnalyzeEntityDecl(const char* Start)
{
    static const TCharset NameTerminators = CWhitespace + TCharset{'"', '\''};
    enum { phName, phValue, phNData, phDone } Phase = phName;
    bool IsParameter = false;
    TOwned<TEntityDef> Def(New<TEntityDef>());
    const char* P = Start + 8;
    while (*P && *P != '>') {
        const char C = *P;
        if (C == '%') {
            IsParameter = true;
        } else if (!IsWs(C)) {
            if (Phase == phName && IsNameStart(C)) {
                const char* Final = ScanToTerminator(P, NameTerminators);
                Def->Name.assign(P, Final + 1);
                P = Final;
                Phase = phValue;
            } else if (Phase == phValue && (C == '"' || C == '\'')) {
                P = ReadQuoted(P, Def->Value);
                Phase = phDone;
            } else if (Phase == phValue && (StartsWith(P, "SYSTEM") || StartsWith(P, "PUBLIC"))) {
                const TExternalID Id(P);
                Def->SystemId = Id.SystemId;
                Def->PublicId = Id.PublicId;
                P = Id.Final;
                Phase = phNData;
            } else if (Phase == phNData && StartsWith(P, "NDATA")) {
                const char* Name = P + 5;
                while (IsWs(*Name))
                    ++Name;
                const char* Final = ScanToTerminator(Name, CWhitespace);
                Def->NotationName = StrSFPas(Name, Final);
                P = Final;
                Phase = phDone;
            }
        }
        ++P;
    }
    const char* Final = *P ? P : P - 1;
    if (Def->Name.empty()) return Final;
    TEntityDef* Entity = Def.release();
    if (IsParameter) {
        FParameterEntities->RemoveName(Entity->Name);
        Entity->Value = ReplaceCharRefs(Entity->Value);
        FParameterEntities->Add(Entity);
    } else {
        FEntities->RemoveName(Entity->Name);
        Entity->Value = ReplaceCharRefs(ReplaceParameterEntities(Entity->Value, 0));
        FEntities->Add(Entity);
    }
    TDtdElementRec Rec;
    Rec.ElementType = deEntity;
    Rec.Start = Start;
    Rec.Final = Final;
    Rec.EntityDef = Entity;
    DtdElementFound(Rec);
    return Final;
}

const char* TXmlParser::AnalyzeNotationDecl(const char* Start)
{
    const char* P = Start + 10;
    while (IsWs(*P))
        ++P;
    if (*P == 0 || *P == '>') return *P ? P : P - 1;
    const char* NameFinal = ScanToTerminator(P, CWhitespace);
    auto* Def = New<TNotationDef>(AnsiString(P, NameFinal + 1));
    P = NameFinal + 1;
    while (IsWs(*P))
        ++P;
    if (StartsWith(P, "SYSTEM") || StartsWith(P, "PUBLIC")) {
        const TExternalID Id(P);
        Def->Value = Id.SystemId;
        Def->PublicId = Id.PublicId;
        P = Id.Final + 1;
    }
    const char* Final = ScanFor(P, '>');
    FNotations->Add(Def);
    TDtdElementRec Rec;
    Rec.ElementType = deNotation;
    Rec.Start = Start;
    Rec.Final = Final;
    Rec.NotationDef = Def;
    DtdElementFound(Rec);
    return Final;
}

// ---- The scanner component ---------------------------------------------------------------

// The scanner's own parser: hands external entities, translation and the
// declarations of the document type to the scanner's events.
class TScannerXmlParser : public TXmlParser {
public:
    explicit TScannerXmlParser(TCustomXmlScanner* AScanner) : FScanner(AScanner) {}

    TXmlParser* LoadExternalEntity(const AnsiString& SystemId, const AnsiString& PublicId,
                                   const AnsiString& Notation) override
    {
        if (!FScanner->OnLoadExternal) return TXmlParser::LoadExternalEntity(SystemId, PublicId, Notation);
        TXmlParser* Result = nullptr;
        FScanner->OnLoadExternal(FScanner, SystemId, PublicId, Notation, Result);
        return Result;
    }

    AnsiString TranslateEncoding(const AnsiString& Source) override
    {
        if (!FScanner->OnTranslateEncoding) return TXmlParser::TranslateEncoding(Source);
        AnsiString Result;
        FScanner->OnTranslateEncoding(FScanner, GetCurrentEncoding(), Source, Result);
        return Result;
    }

    void DtdElementFound(const TDtdElementRec& Rec) override
    {
        switch (Rec.ElementType) {
        case deElement:
            FScanner->WhenElement(Rec.ElemDef);
            break;
        case deAttList:
            FScanner->WhenAttList(Rec.ElemDef);
            break;
        case deEntity:
            FScanner->WhenEntity(Rec.EntityDef);
            break;
        case deNotation:
            FScanner->WhenNotation(Rec.NotationDef);
            break;
        case dePI:
            FScanner->WhenPI(Rec.Target, Rec.Content, Rec.AttrList);
            break;
        case deComment:
            FScanner->WhenComment(StrSFPas(Rec.Start, Rec.Final));
            break;
        case deError:
            FScanner->WhenDtdError(Rec.Pos);
            break;
        }
    }

private:
    TCustomXmlScanner* FScanner;
};

TCustomXmlScanner::TCustomXmlScanner(TComponent* AOwner) : TComponent(AOwner), FXmlParser(New<TScannerXmlParser>(this))
{
}

TCustomXmlScanner::~TCustomXmlScanner() = default;

// Loading clears the parser, Normalize included; the component's property
// keeps the value it was given.
void TCustomXmlScanner::LoadFromFile(const AnsiString& Filename)
{
    const bool Normalize = FXmlParser->GetNormalize();
    FXmlParser->LoadFromFile(Filename, fmOpenRead | fmShareDenyNone);
    FXmlParser->SetNormalize(Normalize);
}

void TCustomXmlScanner::LoadFromBuffer(std::string_view Text)
{
    const bool Normalize = FXmlParser->GetNormalize();
    FXmlParser->LoadFromBuffer(Text);
    FXmlParser->SetNormalize(Normalize);
}

void TCustomXmlScanner::SetBuffer(const char* Text)
{
    const bool Normalize = FXmlParser->GetNormalize();
    FXmlParser->SetBuffer(Text);
    FXmlParser->SetNormalize(Normalize);
}

AnsiString TCustomXmlScanner::GetFilename() const
{
    return FXmlParser->GetSource();
}

void TCustomXmlScanner::SetFilename(const AnsiString& Value)
{
    LoadFromFile(Value);
}

bool TCustomXmlScanner::GetNormalize() const
{
    return FXmlParser->GetNormalize();
}

void TCustomXmlScanner::SetNormalize(bool Value)
{
    FXmlParser->SetNormalize(Value);
}

void TCustomXmlScanner::Execute()
{
    StopRequested = false;
    TXmlParser* P = FXmlParser.get();
    P->StartScan();
    while (P->Scan()) {
        if (StopRequested) break;
        switch (P->GetCurPartType()) {
        case ptXmlProlog:
            WhenXmlProlog(P->GetXmlVersion(), P->GetEncoding(), P->GetStandalone());
            break;
        case ptComment:
            WhenComment(StrSFPas(P->GetCurStart(), P->GetCurFinal()));
            break;
        case ptPI:
            WhenPI(P->GetCurName(), P->GetCurContent(), P->GetCurAttr());
            break;
        case ptDtdc:
            WhenDtdRead(P->GetRootElementName());
            break;
        case ptStartTag:
            WhenStartTag(P->GetCurName(), P->GetCurAttr());
            break;
        case ptEmptyTag:
            WhenEmptyTag(P->GetCurName(), P->GetCurAttr());
            break;
        case ptEndTag:
            WhenEndTag(P->GetCurName());
            break;
        case ptContent:
            WhenContent(P->GetCurContent());
            break;
        case ptCData:
            WhenCData(P->GetCurContent());
            break;
        case ptNone:
            break;
        }
    }
}

void TCustomXmlScanner::WhenXmlProlog(const AnsiString& XmlVersion, const AnsiString& Encoding, bool Standalone)
{
    if (OnXmlProlog) OnXmlProlog(this, XmlVersion, Encoding, Standalone);
}

void TCustomXmlScanner::WhenComment(const AnsiString& Comment)
{
    if (OnComment) OnComment(this, Comment);
}

void TCustomXmlScanner::WhenPI(const AnsiString& Target, const AnsiString& Content, TAttrList* Attributes)
{
    if (OnPI) OnPI(this, Target, Content, Attributes);
}

void TCustomXmlScanner::WhenDtdRead(const AnsiString& RootElementName)
{
    if (OnDtdRead) OnDtdRead(this, RootElementName);
}

void TCustomXmlScanner::WhenStartTag(const AnsiString& TagName, TAttrList* Attributes)
{
    if (OnStartTag) OnStartTag(this, TagName, Attributes);
}

void TCustomXmlScanner::WhenEmptyTag(const AnsiString& TagName, TAttrList* Attributes)
{
    if (OnEmptyTag) OnEmptyTag(this, TagName, Attributes);
}

void TCustomXmlScanner::WhenEndTag(const AnsiString& TagName)
{
    if (OnEndTag) OnEndTag(this, TagName);
}

void TCustomXmlScanner::WhenContent(const AnsiString& Content)
{
    if (OnContent) OnContent(this, Content);
}

void TCustomXmlScanner::WhenCData(const AnsiString& Content)
{
    if (OnCData) OnCData(this, Content);
}

void TCustomXmlScanner::WhenElement(TElemDef* ElemDef)
{
    if (OnElement) OnElement(this, ElemDef);
}

void TCustomXmlScanner::WhenAttList(TElemDef* ElemDef)
{
    if (OnAttList) OnAttList(this, ElemDef);
}

void TCustomXmlScanner::WhenEntity(TEntityDef* EntityDef)
{
    if (OnEntity) OnEntity(this, EntityDef);
}

void TCustomXmlScanner::WhenNotation(TNotationDef* NotationDef)
{
    if (OnNotation) OnNotation(this, NotationDef);
}

void TCustomXmlScanner::WhenDtdError(const char* ErrorPos)
{
    if (OnDtdError) OnDtdError(this, ErrorPos);
}

} // namespace XmlPullParser
