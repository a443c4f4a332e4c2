// components/XmlPullParser_Scanner.cpp: the scanner component and the parser
// that serves it.
#include "components/XmlPullParser.h"

namespace XmlPullParser {

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
