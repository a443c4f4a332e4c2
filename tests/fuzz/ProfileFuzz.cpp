// tests/fuzz/ProfileFuzz.cpp
// Reads arbitrary bytes as a profile the way the main window does, then
// writes what was read and reads it again: every list line must come back.
#include "app/ProfileFormat.h"
#include "components/XmlScannerComps.h"

#include <cstdint>
#include <cstdlib>

using namespace ProfileFormat;
using namespace XmlScannerComps;

namespace {

class TRecorder : public TProfileSink {
public:
    void FormHeight(int Value) override { Profile.FormHeight = Value; }
    void FormWidth(int Value) override { Profile.FormWidth = Value; }
    void AddInclude(const AnsiString& Line) override { Profile.Includes.push_back(Line); }
    void AddExclude(const AnsiString& Line) override { Profile.Excludes.push_back(Line); }
    void AddFilename(const AnsiString& Line) override { Profile.Filenames.push_back(Line); }
    void AutoSwitch(bool Checked) override { Profile.AutoSwitch = Checked; }
    void RemoveDuplicates(bool Checked) override { Profile.RemoveDuplicates = Checked; }
    TProfile Profile;
};

// False when the text is no profile or the reader gave up on a value (a bad
// number), as the window would say.
bool Read(std::string_view Text, TProfile& Out)
{
    TRecorder Recorder;
    TProfileReader Reader;
    TXmlScanner Scanner(nullptr);
    Scanner.SetNormalize(false);
    Scanner.OnStartTag = [&](TObject*, const AnsiString& Name, XmlPullParser::TAttrList*) { Reader.StartTag(Name); };
    Scanner.OnEmptyTag = [&](TObject*, const AnsiString& Name, XmlPullParser::TAttrList*) { Reader.EmptyTag(Name); };
    Scanner.OnEndTag = [&](TObject*, const AnsiString& Name) { Reader.EndTag(Name); };
    Scanner.OnContent = [&](TObject*, const AnsiString& Text) { Reader.Content(Text); };
    Scanner.OnLoadExternal = RefuseExternal;
    Scanner.LoadFromBuffer(Text);
    Scanner.Execute();
    bool Complete = Reader.IsProfile();
    try {
        Reader.Apply(Recorder);
    } catch (const EConvertError&) {
        Complete = false;
    }
    Out = Recorder.Profile;
    return Complete;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TProfile First;
    Read(std::string_view(reinterpret_cast<const char*>(Data), Size), First);
    // Lines cut at a NUL are the only ones a file cannot hold.
    auto Clean = [](std::vector<AnsiString>& Lines) {
        for (auto& L : Lines)
            L = L.substr(0, L.find('\0'));
    };
    Clean(First.Includes);
    Clean(First.Excludes);
    Clean(First.Filenames);
    TProfile Second;
    if (!Read(ProfileText(First), Second)) std::abort();
    if (Second.Includes != First.Includes || Second.Excludes != First.Excludes || Second.Filenames != First.Filenames ||
        Second.AutoSwitch != First.AutoSwitch || Second.RemoveDuplicates != First.RemoveDuplicates ||
        Second.FormHeight != First.FormHeight || Second.FormWidth != First.FormWidth)
        std::abort();
    return 0;
}
