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
    // Only the element last opened counts; text between elements goes nowhere.
    if (!FCollecting || TagName != FLastStartTag) return;
    FCollecting = false;
    Finish(TagName, FText);
    FText.clear();
}

void TProfileReader::Finish(const AnsiString& Tag, const AnsiString& Text)
{
    if (Tag == "FormHeight")
        FSink.FormHeight(StrToInt(Trim(Text)));
    else if (Tag == "FormWidth")
        FSink.FormWidth(StrToInt(Trim(Text)));
    else if (Tag == "Include")
        FSink.AddInclude(Text);
    else if (Tag == "Exclude")
        FSink.AddExclude(Text);
    else if (Tag == "Filename")
        FSink.AddFilename(Text);
    else if (Tag == "AutoSwitch" || Tag == "RemoveDuplicates") {
        const AnsiString Value = Trim(Text);
        if (Value != "Yes" && Value != "No") return;
        if (Tag == "AutoSwitch")
            FSink.AutoSwitch(Value == "Yes");
        else
            FSink.RemoveDuplicates(Value == "Yes");
    }
}

} // namespace ProfileFormat
