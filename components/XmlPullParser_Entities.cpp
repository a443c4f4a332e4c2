// components/XmlPullParser_Entities.cpp: references, the entities they expand
// into, and the bound on expansion.
#include "components/XmlPullParser.h"
#include "components/XmlPullParser_Chars.h"
#include "platform/rtl/Codec.h"

#include <charconv>
#include <cstring>

namespace XmlPullParser {

using namespace detail;

// ---- References --------------------------------------------------------------------

char detail::PredefinedEntity(const AnsiString& Name)
{
    if (Name == "lt") return '<';
    if (Name == "gt") return '>';
    if (Name == "amp") return '&';
    if (Name == "apos") return '\'';
    if (Name == "quot") return '"';
    return 0;
}

AnsiString detail::CharReference(const AnsiString& Name, char32_t Unparsable)
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

AnsiString detail::ReplaceCharRefs(const AnsiString& Source)
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

// ---- The entity stack and the bound on expansion -------------------------------------

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
    Push(AInstance, APos);
    FNodes.back()->Text = CopyText(Text);
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

bool TXmlParser::TakeExpansion(std::size_t Length, int Depth)
{
    if (Depth >= MaxEntityDepth || static_cast<Int64>(Length) > FExpansionLeft) return false;
    FExpansionLeft -= static_cast<Int64>(Length);
    return true;
}

// ---- Expansion ------------------------------------------------------------------------

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
        }
    }
    // Past the bound, or refused by the loader, the reference stays as it is written.
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
    if (!External) return false; // refused: the reference stays
    Text = External->GetDocBuffer();
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

} // namespace XmlPullParser
