// components/XmlPullParser_Dtd.cpp: the document type declaration and the
// declarations in it.
#include "components/XmlPullParser.h"
#include "components/XmlPullParser_Chars.h"

#include <cstring>

namespace XmlPullParser {

using namespace detail;

namespace {

bool StartsExternalID(const char* P)
{
    return StartsWith(P, "SYSTEM") || StartsWith(P, "PUBLIC");
}

// The report of a declaration from Start to Final; the caller adds what it
// declares.
TDtdElementRec Declaration(TDtdElemType Type, const char* Start, const char* Final)
{
    TDtdElementRec Rec;
    Rec.ElementType = Type;
    Rec.Start = Start;
    Rec.Final = Final;
    return Rec;
}

} // namespace

TExternalID::TExternalID(const char* Start)
{
    if (!StartsExternalID(Start)) {
        Final = Start;
        return;
    }
    const bool IsPublic = StartsWith(Start, "PUBLIC");
    // The next quoted literal from P, unless a '>', a '[' or the end comes first.
    auto ReadLiteral = [](const char* P, AnsiString& Value) {
        while (*P && *P != '"' && *P != '\'' && *P != '>' && *P != '[')
            ++P;
        return (*P == '"' || *P == '\'') ? ReadQuoted(P, Value) : P - 1;
    };
    Final = ReadLiteral(Start + 6, IsPublic ? PublicId : SystemId);
    if (IsPublic && (*Final == '"' || *Final == '\'')) Final = ReadLiteral(Final + 1, SystemId);
}

// ---- The document type declaration -------------------------------------------------------

void TXmlParser::ReportError(const char* Pos)
{
    TDtdElementRec Rec = Declaration(deError, Pos, Pos);
    Rec.Pos = Pos;
    DtdElementFound(Rec);
}

void TXmlParser::AnalyzeDtdc()
{
    static const TCharset RootTerminators = CWhitespace + TCharset{'>', '['};
    FCurPartType = ptDtdc;
    // The part has no name, content or attributes, though a processing
    // instruction in the subset filled them while it was read.
    auto EndPart = [this](const char* Final) {
        FCurFinal = Final;
        FCurName.clear();
        FCurContent.clear();
        FCurAttr->Clear();
    };
    if (FDtdEnd && FCurStart == FDtdStart) {
        EndPart(FDtdEnd); // read on an earlier scan of this document
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
            } else if (Phase == phAfterName && StartsExternalID(P)) {
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
    EndPart(P);
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
                const char* Final = ReadPI(P);
                TDtdElementRec Rec = Declaration(dePI, P, Final);
                Rec.Target = FCurName;
                Rec.Content = FCurContent;
                Rec.AttrList = FCurAttr.get();
                DtdElementFound(Rec);
                P = Final;
            } else if (StartsWith(P, "<!--")) {
                const char* Close = std::strstr(P + 4, "-->");
                const char* Final = Close ? Close + 2 : EndOfText(P + 4) - 1;
                DtdElementFound(Declaration(deComment, P, Final));
                P = Final;
            } else {
                ReportError(P);
            }
        }
        ++P;
    }
}

// ---- Declarations ----------------------------------------------------------------------

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
    TDtdElementRec Rec = Declaration(deElement, Start, Final);
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
        TDtdElementRec Rec = Declaration(deAttList, Start, P);
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
            } else if (Phase == phValue && StartsExternalID(P)) {
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
    TDtdElementRec Rec = Declaration(deEntity, Start, Final);
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
    if (StartsExternalID(P)) {
        const TExternalID Id(P);
        Def->Value = Id.SystemId;
        Def->PublicId = Id.PublicId;
        P = Id.Final + 1;
    }
    const char* Final = ScanFor(P, '>');
    FNotations->Add(Def);
    TDtdElementRec Rec = Declaration(deNotation, Start, Final);
    Rec.NotationDef = Def;
    DtdElementFound(Rec);
    return Final;
}

} // namespace XmlPullParser
