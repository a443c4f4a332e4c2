// Profiles of the main window: Save Profile, Load Profile, the last profile
// read at start and written on close.
#include "app/ProfileFormat.h"
#include "app/Unit1.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/XdgFolders.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cerrno>

namespace Unit1 {

using namespace ProfileFormat;

namespace {

const char* const LastProfileName = "LastProfile.qmp";

// Where the last profile is kept: the user's configuration folder, since the
// program's folder is usually not the user's to write.
AnsiString KeptLastProfile()
{
    return platform::UserConfigDirectory() + "/quillmote/" + LastProfileName;
}

// A size read from a file is held to the room the screen offers and to the
// window's least size: a huge one would make a window of that many pixels.
int Fitted(int Value, int Least, int Room)
{
    return std::clamp(Value, Least, std::max(Least, Room));
}

// The part of the screen the window is on (or is nearest to) that windows may fill.
TRect WorkAreaOf(const TForm* Form)
{
    const TRect Bounds = Form->GetBoundsRect();
    MONITORINFO Info;
    if (GetMonitorInfo(MonitorFromRect(&Bounds, MONITOR_DEFAULTTONEAREST), &Info)) return Info.rcWork;
    return Screen->GetWorkAreaRect();
}

// A window held to the screen's size can still hang off it where it stands:
// it is moved, as little as it takes, to lie within the work area, its top
// left corner first when it is larger.
void MoveIntoWorkArea(TForm* Form)
{
    const TRect Area = WorkAreaOf(Form);
    const int Left = std::max(Area.Left, std::min(Form->GetLeft(), Area.Right - Form->GetWidth()));
    const int Top = std::max(Area.Top, std::min(Form->GetTop(), Area.Bottom - Form->GetHeight()));
    if (Left != Form->GetLeft() || Top != Form->GetTop())
        Form->SetBounds(Left, Top, Form->GetWidth(), Form->GetHeight());
}

// What a profile's elements do to the window.
class TWindowProfileSink : public TProfileSink {
public:
    explicit TWindowProfileSink(TForm1* AForm) : Form(AForm) {}
    void FormHeight(int Value) override
    {
        Form->SetHeight(Fitted(Value, TForm1::LeastHeight, WorkAreaOf(Form).Height()));
        MoveIntoWorkArea(Form);
    }
    void FormWidth(int Value) override
    {
        Form->SetWidth(Fitted(Value, TForm1::LeastWidth, WorkAreaOf(Form).Width()));
        MoveIntoWorkArea(Form);
    }
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
    explicit TProfileReading(TForm1* Form) : Sink(Form) {}
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

bool TForm1::ReadProfile(const AnsiString& FileName, bool ClearLog)
{
    TProfileReader& Reader = FProfileReading->Reader;
    Reader = TProfileReader();
    xml->LoadFromFile(FileName);
    xml->Execute();
    if (!Reader.IsProfile()) return false;
    RichEdit9->Clear();
    if (ClearLog) RichEdit2->Clear();
    GxGrid1->ClearRows();
    RichEdit3->Clear();
    RichEdit4->Clear();
    Reader.Apply(FProfileReading->Sink);
    return true;
}

void TForm1::DoShow()
{
    // The last profile's size was set before the window was placed on the
    // screen; placing it centres it on the whole screen, not its work area.
    MoveIntoWorkArea(this);
    TForm::DoShow();
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
    bool Loaded = false;
    try {
        Loaded = ReadProfile(LoadProfile->GetFileName(), true);
    } catch (const Exception&) {
        // What was read before a bad value stays.
    }
    if (!Loaded) ShowMessage("Profile could not be loaded");
}

void TForm1::LoadLastProfile()
{
    const AnsiString Kept = KeptLastProfile();
    try {
        ReadProfile(FileExists(Kept) ? Kept : platform::ApplicationDirectory() + LastProfileName, false);
    } catch (...) {
        // The last profile is a convenience: whatever went wrong, start with what was read.
    }
}

void TForm1::SaveLastProfile()
{
    const AnsiString Name = KeptLastProfile();
    const AnsiString Folder = ExtractFileDir(Name);
    AnsiString Failure;
    try {
        if (!ForceDirectories(Folder))
            Failure = "Cannot create folder \"" + Folder + "\". " + FileErrorText(errno);
        else
            WriteFileWhole(Name, CurrentProfileText());
    } catch (const Exception& E) {
        Failure = E.Message;
    }
    // The window still closes, but the user learns that this session's lists are not kept.
    if (!Failure.empty()) ShowMessage("The last profile could not be saved as \"" + Name + "\".\n" + Failure);
}

} // namespace Unit1
