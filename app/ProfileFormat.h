// Profiles: the ".qmp" XML file that keeps the window's size, both pattern
// lists, the file list and the two options. Writing is plain line output;
// reading takes the XML scanner's events.
#pragma once
#include "platform/classes/Classes.h"

namespace XmlPullParser {
class TXmlParser;
}

#include <vector>

namespace ProfileFormat {

struct TProfile {
    int FormHeight = 0;
    int FormWidth = 0;
    std::vector<AnsiString> Includes;
    std::vector<AnsiString> Excludes;
    std::vector<AnsiString> Filenames;
    bool AutoSwitch = true;
    bool RemoveDuplicates = true;
};

// The whole file, one element a line. List lines are written with '&', '<',
// '>' and control characters as character references, so that every line
// comes back byte for byte.
AnsiString ProfileText(const TProfile& Profile);
AnsiString EscapeText(std::string_view Text);

// What the elements of a profile do as they are read, in document order.
class TProfileSink {
public:
    virtual ~TProfileSink() = default;
    virtual void FormHeight(int Value) = 0;
    virtual void FormWidth(int Value) = 0;
    virtual void AddInclude(const AnsiString& Line) = 0;
    virtual void AddExclude(const AnsiString& Line) = 0;
    virtual void AddFilename(const AnsiString& Line) = 0;
    virtual void AutoSwitch(bool Checked) = 0;
    virtual void RemoveDuplicates(bool Checked) = 0;
};

// The scanner's handler for external entities and an external DTD: a
// profile reads no file but itself, so none is loaded and references to them
// stay as they are written.
void RefuseExternal(TObject* Sender, const AnsiString& SystemId, const AnsiString& PublicId,
                    const AnsiString& NotationId, XmlPullParser::TXmlParser*& Result);

// Collects a document's elements from the scanner's events; nothing acts on
// them until the whole document has been read, so that a file that is no
// profile changes nothing. An element's text is all the text between its
// start and end tags, exactly as written (the scanner resolves references and
// must not normalise white space); an empty element is an empty line.
class TProfileReader {
public:
    void StartTag(const AnsiString& TagName);
    void EmptyTag(const AnsiString& TagName);
    void EndTag(const AnsiString& TagName);
    void Content(const AnsiString& Text);

    // The document's root element is Local and was read to its end tag.
    bool IsProfile() const { return FRootRead; }
    // Hands the values to Sink in document order. Numbers and Yes/No values
    // are trimmed; a number that is not one raises EConvertError, after what
    // came before it has been handed on.
    void Apply(TProfileSink& Sink) const;

private:
    struct TElement {
        AnsiString Tag;
        AnsiString Text;
    };
    std::vector<TElement> FElements;
    AnsiString FLastStartTag;
    AnsiString FText;
    bool FCollecting = false;
    int FDepth = 0;
    bool FRootSeen = false;
    bool FRootIsLocal = false;
    bool FRootRead = false;
};

} // namespace ProfileFormat
