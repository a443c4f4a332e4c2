// Profiles of the main window: Save Profile, Load Profile, the last profile
// read at start and written on close.
#include "app/ProfileFormat.h"
#include "app/Unit1.h"
#include "platform/rtl/FileAccess.h"

namespace Unit1 {

using namespace ProfileFormat;

namespace {

const char* const LastProfileName = "LastProfile.qmp";

} // namespace

namespace {

// What a profile's elements do to the window.
class TWindowProfileSink : public TProfileSink {
public:
    explicit TWindowProfileSink(TForm1* AForm) : Form(AForm) {}
    void FormHeight(int Value) override { Form->SetHeight(Value); }
    void FormWidth(int Value) override { Form->SetWidth(Value); }
    void AddInclude(const AnsiString& Line) override { Form->RichEdit3->GetLines()->Add(Line); }
    void AddExclude(const AnsiString& Line) override { Form->RichEdit4->GetLines()->Add(Line); }
    void AddFilename(const AnsiString& Line) override { Form->RichEdit9->GetLines()->Add(Line); }
    void AutoSwitch(bool Checked) override { Form->Autoswitch1->SetChecked(Checked); }
    void RemoveDuplicates(bool Checked) override
    {
        Form->RemoveDuplicates1->SetChecked(Checked);
        DuplicateList->SetDuplicates(Checked ? dupIgnore : dupAccept);
    }
    TForm1* Form;
};

} // namespace

struct TForm1::TProfileReading {
    explicit TProfileReading(TForm1* Form) : Sink(Form), Reader(Sink) {}
    TWindowProfileSink Sink;
    TProfileReader Reader;
};

void TForm1::TProfileReadingDeleter::operator()(TProfileReading* Reading) const
{
    delete Reading;
}

void TForm1::BindProfileReader()
{
    FProfileReading.reset(new TProfileReading(this));
    xml->OnStartTag = [this](TObject* Sender, const AnsiString& TagName, TAttrList* Attributes) {
        xmlStartTag(Sender, TagName, Attributes);
    };
    xml->OnEmptyTag = [this](TObject*, const AnsiString& TagName, TAttrList*) {
        FProfileReading->Reader.EmptyTag(TagName);
    };
    xml->OnEndTag = [this](TObject*, const AnsiString& TagName) { FProfileReading->Reader.EndTag(TagName); };
    xml->OnContent = [this](TObject* Sender, const AnsiString& Content) { xmlContent(Sender, Content); };
    xml->OnLoadExternal = RefuseExternal;
}

void TForm1::xmlStartTag(TObject*, const AnsiString& TagName, TAttrList*)
{
    FProfileReading->Reader.StartTag(TagName);
}

void TForm1::xmlContent(TObject*, const AnsiString& Content)
{
    FProfileReading->Reader.Content(Content);
}

AnsiString TForm1::CurrentProfileText()
{
    TProfile P;
    P.FormHeight = GetHeight();
    P.FormWidth = GetWidth();
    auto Copy = [](TStrings* Lines, std::vector<AnsiString>& To) {
        const int Count = Lines->GetCount();
        for (int I = 0; I < Count; ++I)
            To.push_back(Lines->Get(I));
    };
    Copy(RichEdit3->GetLines(), P.Includes);
    Copy(RichEdit4->GetLines(), P.Excludes);
    Copy(RichEdit9->GetLines(), P.Filenames);
    P.AutoSwitch = Autoswitch1->GetChecked();
    P.RemoveDuplicates = RemoveDuplicates1->GetChecked();
    return ProfileText(P);
}

void TForm1::ReadProfile(const AnsiString& FileName)
{
    xml->LoadFromFile(FileName);
    RichEdit9->Clear();
    GxGrid1->ClearRows();
    RichEdit3->Clear();
    RichEdit4->Clear();
    xml->Execute();
}

void TForm1::SaveCurrentProfile1Click(TObject*)
{
    if (!SaveProfile->Execute()) return;
    try {
        AnsiString Name = SaveProfile->GetFileName();
        if (!WithExtension(Name, ".qmp")) return;
        WriteFileWhole(Name, CurrentProfileText());
    } catch (const Exception&) {
        ShowMessage("Your profile could not be saved.");
    }
}

void TForm1::LoadProfile1Click(TObject*)
{
    // The scan works on these lists and rows; they are not pulled from under it.
    if (ScanningFlag) {
        ShowMessage("Please stop the scan before loading a profile.");
        return;
    }
    if (!LoadProfile->Execute()) return;
    try {
        xml->LoadFromFile(LoadProfile->GetFileName());
        RichEdit9->Clear();
        RichEdit2->Clear();
        GxGrid1->ClearRows();
        RichEdit3->Clear();
        RichEdit4->Clear();
        xml->Execute();
    } catch (const Exception&) {
        ShowMessage("Profile could not be loaded");
    }
}

void TForm1::LoadLastProfile()
{
    try {
        ReadProfile(platform::ApplicationDirectory() + LastProfileName);
    } catch (...) {
        // The last profile is a convenience: whatever went wrong, start with what was read.
    }
}

void TForm1::SaveLastProfile()
{
    try {
        WriteFileWhole(platform::ApplicationDirectory() + LastProfileName, CurrentProfileText());
    } catch (...) {
        // Closing never fails for want of the last profile.
    }
}

} // namespace Unit1
