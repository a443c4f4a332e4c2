// components/XmlPullParser_Scan.cpp: reading the parts of a document, one at
// a time, and the attributes of a tag.
#include "components/XmlPullParser.h"
#include "components/XmlPullParser_Chars.h"

#include <cstring>

namespace XmlPullParser {

using namespace detail;

// ---- Attributes ------------------------------------------------------------------------

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

} // namespace XmlPullParser
