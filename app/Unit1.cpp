#include "app/Unit1.h"
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/Clipbrd.h"
#include "platform/win/Windows.h"
#include "util/yelkutils_win_vqu.h"

#include <climits>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace Unit1 {

THashedStringList* DuplicateList = nullptr;
bool CancelFlag = false;
bool ScanningFlag = false;
Int64 TotalInputBytes = 0;
TDateTime StartTime = 0;
TForm1* Form1 = nullptr;

namespace {

void Initialization()
{
    // Lives until the program ends, whatever windows come and go.
    if (!DuplicateList) DuplicateList = New<THashedStringList>();
}

// Appends Text to Lines unless a line equal to it (exactly) is there already.
void AddUnlessListed(TStrings* Lines, const AnsiString& Text)
{
    const int Count = Lines->GetCount();
    for (int I = 0; I < Count; ++I)
        if (Lines->Get(I) == Text) return;
    Lines->Add(Text);
}

} // namespace

void RegisterUnit()
{
    // The grid's units start before the window's, as a unit's start-up
    // follows those of the units it uses: theme support and the wide text
    // calls must stand before the first grid paints.
    GxThemesSupport::RegisterUnit();
    GxClasses::RegisterUnit();
    AddUnitSection("Unit1", Initialization, nullptr);
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    CreateFormComponents();
    BindProfileReader();
}

bool TForm1::WithExtension(AnsiString& FileName, const char* Extension)
{
    const std::size_t N = std::strlen(Extension);
    if (FileName.size() >= N && FileName.compare(FileName.size() - N, N, Extension) == 0) return true;
    FileName += Extension;
    return !FileExists(FileName) || MessageDlg(FileName + " already exists.\nDo you want to replace it?",
                                               mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

void TForm1::FormCreate(TObject*)
{
    SetDoubleBuffered(true);
    PageControl1->SetDoubleBuffered(true);
    ProgressBar1->SetDoubleBuffered(true);
    DuplicateList->SetDuplicates(dupIgnore);
    LoadPresets();
    DuplicateList->SetSorted(true);
    LoadLastProfile();
}

void TForm1::LoadPresets()
{
    const AnsiString Dir = platform::ApplicationDirectory() + "RegexPresets/";
    if (FileExists(Dir + "RegexIncludes.txt")) ComboBox1->GetItems()->LoadFromFile(Dir + "RegexIncludes.txt");
    if (FileExists(Dir + "RegexExcludes.txt")) ComboBox2->GetItems()->LoadFromFile(Dir + "RegexExcludes.txt");
    const std::pair<const char*, TComboBox*> Custom[] = {{"RegexIncludesCustom.txt", ComboBox1},
                                                         {"RegexExcludesCustom.txt", ComboBox2}};
    for (const auto& [Name, Box] : Custom) {
        if (!FileExists(Dir + Name)) continue;
        Memo1->Clear();
        Memo1->GetLines()->LoadFromFile(Dir + Name);
        TStrings* Lines = Memo1->GetLines();
        const int Count = Lines->GetCount();
        for (int I = 0; I < Count; ++I)
            Box->GetItems()->Add(Lines->Get(I));
    }
}

// A dropped folder may hold many thousands of files: each path is looked up
// in a set rather than in the list, and the list's text changes once.
struct TForm1::TPendingDrop {
    explicit TPendingDrop(TStrings* Lines) : Cursor(Screen->GetCursor())
    {
        const int Count = Lines->GetCount();
        Known.reserve(static_cast<std::size_t>(Count));
        for (int I = 0; I < Count; ++I)
            Known.insert(Lines->Get(I));
        Screen->SetCursor(crHourGlass);
    }
    ~TPendingDrop() { Screen->SetCursor(Cursor); }
    TPendingDrop(const TPendingDrop&) = delete;
    TPendingDrop& operator=(const TPendingDrop&) = delete;

    // False when Path is listed already or came earlier in this drop.
    bool Add(const AnsiString& Path)
    {
        const auto [It, New] = Known.insert(Path);
        if (New) Added.push_back(&*It);
        return New;
    }

    TCursor Cursor; // the one the drop's busy cursor stands in for
    std::unordered_set<AnsiString> Known;
    std::vector<const AnsiString*> Added; // in the order they came, into Known
};

void TForm1::TPendingDropDeleter::operator()(TPendingDrop* Drop) const
{
    delete Drop;
}

void TForm1::FileDropper1Drop(TObject*, const AnsiString& Filename)
{
    // Lines as they stand when the drop begins count, the user's edits
    // included; nothing is kept from one drop to the next.
    if (!FPendingDrop) {
        FPendingDrop.reset(new TPendingDrop(RichEdit9->GetLines()));
        PostMessageA(GetHandle(), WM_APPENDDROPPEDFILES, 0, 0);
    }
    FPendingDrop->Add(Filename);
}

void TForm1::AppendDroppedFiles()
{
    const std::unique_ptr<TPendingDrop, TPendingDropDeleter> Drop = std::move(FPendingDrop);
    if (!Drop || Drop->Added.empty()) return;
    // The new lines follow the last one, which may lack its line break.
    const AnsiString Listed = RichEdit9->GetText();
    AnsiString Text = !Listed.empty() && Listed.back() != '\n' ? "\n" : "";
    for (std::size_t I = 0; I < Drop->Added.size(); ++I) {
        if (I > 0) Text += '\n';
        Text += *Drop->Added[I];
    }
    RichEdit9->SetSelStart(INT_MAX);
    RichEdit9->SetSelText(Text);
}

void TForm1::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_APPENDDROPPEDFILES)
        AppendDroppedFiles();
    else
        TForm::Dispatch(Message);
}

void TForm1::BitBtn2Click(TObject*)
{
    if (ComboBox1->GetText().empty()) return;
    AddUnlessListed(RichEdit3->GetLines(), ComboBox1->GetText());
    ComboBox1->SetText("");
}

void TForm1::BitBtn6Click(TObject*)
{
    if (ComboBox2->GetText().empty()) return;
    AddUnlessListed(RichEdit4->GetLines(), ComboBox2->GetText());
    ComboBox2->SetText("");
}

void TForm1::Edit1Change(TObject*)
{
    bool Compiles = true;
    const AnsiString Text = Edit1->GetText();
    if (!Text.empty()) {
        try {
            regex2->SetRegEx(Text);
            regex2->Compile();
        } catch (const Exception&) {
            Compiles = false;
        }
    }
    Shape1->GetBrush()->SetColor(Compiles ? clGreen : clRed);
}

void TForm1::BitBtn5Click(TObject*)
{
    if (RichEdit5->GetLines()->GetCount() == 0) return;
    if (!SaveDialog1->Execute()) return;
    try {
        AnsiString Name = SaveDialog1->GetFileName();
        if (!WithExtension(Name, ".txt")) return;
        RichEdit5->GetLines()->SaveToFile(Name);
        ShowMessage("Successfully exported!");
    } catch (const Exception&) {
        ShowMessage("Matches could not be exported.");
    }
}

void TForm1::BitBtn4Click(TObject*)
{
    RichEdit5->SelectAll();
    RichEdit5->CopyToClipboard();
}

void TForm1::Autoswitch1Click(TObject*)
{
    Autoswitch1->SetChecked(!Autoswitch1->GetChecked());
}

void TForm1::RemoveDuplicates1Click(TObject*)
{
    if (ScanningFlag) return;
    if (RemoveDuplicates1->GetChecked()) {
        RemoveDuplicates1->SetChecked(false);
        DuplicateList->SetDuplicates(dupAccept);
    } else {
        RemoveDuplicates1->SetChecked(true);
        DuplicateList->SetDuplicates(dupIgnore);
    }
}

void TForm1::Exit1Click(TObject*)
{
    // Exit writes no profile, but a running scan must not keep the program alive.
    CancelFlag = true;
    Application->Terminate();
}

void TForm1::Help2Click(TObject*)
{
    const AnsiString HelpFile = platform::ApplicationDirectory() + HelpFileName;
    ShellExecuteA(nullptr, "open", HelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::CheckforUpdates1Click(TObject*)
{
    RunUpdateCheck();
}

void TForm1::RunUpdateCheck()
{
    yelkutils_win_vqu::CheckForUpdates(GetHandle());
}

void TForm1::FormCanResize(TObject*, int& NewWidth, int& NewHeight, bool& Resize)
{
    if (NewWidth < LeastWidth && NewHeight < LeastHeight)
        Resize = false;
    else if (NewWidth < LeastWidth && NewHeight > LeastHeight)
        NewWidth = LeastWidth;
    else if (NewWidth > LeastWidth && NewHeight < LeastHeight)
        NewHeight = LeastHeight;
    if (NewWidth < LeastWidth || NewHeight < LeastHeight) Resize = false;
}

void TForm1::FormCloseQuery(TObject*, bool&)
{
    CancelFlag = true;
    SaveLastProfile();
}

} // namespace Unit1
