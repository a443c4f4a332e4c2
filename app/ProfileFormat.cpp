#include "app/ProfileFormat.h"

namespace ProfileFormat {

AnsiString EscapeText(std::string_view Text)
{
    AnsiString Out;
    Out.reserve(Text.size());
    for (char C : Text) {
        const auto B = static_cast<unsigned char>(C);
        if (C == '&' || C == '<' || C == '>' || B < 0x20 || B == 0x7F)
            Out += "&#" + IntToStr(B) + ";";
        else
            Out += C;
    }
    return Out;
}

AnsiString ProfileText(const TProfile& P)
{
    TStringList Lines;
    Lines.Add("<?xml version=\"1.0\" ?>");
    Lines.Add("<Local>");
    Lines.Add("<FormHeight>" + IntToStr(P.FormHeight) + "</FormHeight>");
    Lines.Add("<FormWidth>" + IntToStr(P.FormWidth) + "</FormWidth>");
    for (const auto& L : P.Includes)
        Lines.Add("<Include>" + EscapeText(L) + "</Include>");
    for (const auto& L : P.Excludes)
        Lines.Add("<Exclude>" + EscapeText(L) + "</Exclude>");
    if (P.Excludes.empty()) Lines.Add("<DeleteDuplicates>No</DeleteDuplicates>");
    for (const auto& L : P.Filenames)
        Lines.Add("<Filename>" + EscapeText(L) + "</Filename>");
    Lines.Add(AnsiString("<AutoSwitch>") + (P.AutoSwitch ? "Yes" : "No") + "</AutoSwitch>");
    Lines.Add(AnsiString("<RemoveDuplicates>") + (P.RemoveDuplicates ? "Yes" : "No") + "</RemoveDuplicates>");
    Lines.Add("</Local>");
    return Lines.GetText();
}

void RefuseExternal(TObject*, const AnsiString&, const AnsiString&, const AnsiString&,
                    XmlPullParser::TXmlParser*& Result)
{
    Result = nullptr;
}

void TProfileReader::StartTag(const AnsiString& TagName)
{
    if (FDepth++ == 0 && !FRootSeen) {
        FRootSeen = true;
        FRootIsLocal = TagName == "Local";
    }
    FLastStartTag = TagName;
    FText.clear();
    FCollecting = true;
}

void TProfileReader::EmptyTag(const AnsiString& TagName)
{
    StartTag(TagName);
    EndTag(TagName);
}

void TProfileReader::Content(const AnsiString& Text)
{
    if (FCollecting) FText += Text;
}

void TProfileReader::EndTag(const AnsiString& TagName)
{
    if (FDepth > 0 && --FDepth == 0 && FRootIsLocal) FRootRead = true;
    // Only the element last opened counts; text between elements goes nowhere.
    if (!FCollecting || TagName != FLastStartTag) return;
    FCollecting = false;
    FElements.push_back({TagName, std::move(FText)});
    FText.clear();
}

void TProfileReader::Apply(TProfileSink& Sink) const
{
    for (const auto& [Tag, Text] : FElements) {
        if (Tag == "FormHeight")
            Sink.FormHeight(StrToInt(Trim(Text)));
        else if (Tag == "FormWidth")
            Sink.FormWidth(StrToInt(Trim(Text)));
        else if (Tag == "Include")
            Sink.AddInclude(Text);
        else if (Tag == "Exclude")
            Sink.AddExclude(Text);
        else if (Tag == "Filename")
            Sink.AddFilename(Text);
        else if (Tag == "AutoSwitch" || Tag == "RemoveDuplicates") {
            const AnsiString Value = Trim(Text);
            if (Value != "Yes" && Value != "No") continue;
            if (Tag == "AutoSwitch")
                Sink.AutoSwitch(Value == "Yes");
            else
                Sink.RemoveDuplicates(Value == "Yes");
        }
    }
}

} // namespace ProfileFormat
