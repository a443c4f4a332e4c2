// The main window's stored form: every component with its stored values, made
// in the order the form lists them. Components are built while they are
// loading and then told, in that same order, that loading is over.
#include "app/Unit1.h"
#include "platform/rtl/Codec.h"

#include <vector>

namespace Unit1 {

namespace {

// Creates a component owned by the form, names it and, for a control, puts
// it on its parent; every one made is remembered for the final Loaded.
class TFormBuilder {
public:
    explicit TFormBuilder(TForm1* AForm) : Form(AForm) {}

    template <typename T> T* Make(const char* Name, TWinControl* Parent = nullptr)
    {
        T* C = New<T>(Form);
        C->SetLoading(true);
        C->SetName(Name);
        if constexpr (std::is_base_of_v<TControl, T>)
            if (Parent) C->SetParent(Parent);
        Made.push_back(C);
        return C;
    }

    // Ends loading: the components in the order they were made, then the form.
    void Loaded()
    {
        for (TComponent* C : Made)
            C->Loaded();
        Form->Loaded();
    }

    TForm1* Form;
    std::vector<TComponent*> Made;
};

const TAnchors AllSides{akLeft, akTop, akRight, akBottom};

void Place(TControl* C, int Left, int Top, int Width, int Height, TAnchors Anchors = {akLeft, akTop})
{
    C->SetBounds(Left, Top, Width, Height);
    C->SetAnchors(Anchors);
}

TLabel* MakeLabel(TFormBuilder& B, const char* Name, TWinControl* Parent, int Left, int Top, const char* Caption,
                  bool Bold = false, TAnchors Anchors = {akLeft, akTop})
{
    TLabel* L = B.Make<TLabel>(Name, Parent);
    L->SetLeft(Left);
    L->SetTop(Top);
    L->SetAnchors(Anchors);
    L->SetCaption(Caption);
    if (Bold) L->GetFont()->SetStyle({fsBold});
    return L;
}

TRichEdit* MakeList(TFormBuilder& B, const char* Name, TWinControl* Parent, bool WordWrap)
{
    TRichEdit* R = B.Make<TRichEdit>(Name, Parent);
    R->SetPlainText(true);
    R->SetScrollBars(ssBoth);
    R->SetWordWrap(WordWrap);
    return R;
}

TMenuItem* MakeItem(TFormBuilder& B, const char* Name, TMenuItem* Parent, const char* Caption,
                    void (TForm1::*Handler)(TObject*) = nullptr, bool Checked = false)
{
    TMenuItem* Item = B.Make<TMenuItem>(Name);
    Item->SetCaption(Caption);
    Item->SetChecked(Checked);
    if (Handler) Item->OnClick = [Form = B.Form, Handler](TObject* Sender) { (Form->*Handler)(Sender); };
    Parent->Add(Item);
    return Item;
}

TNotifyEvent Bind(TForm1* Form, void (TForm1::*Handler)(TObject*))
{
    return [Form, Handler](TObject* Sender) { (Form->*Handler)(Sender); };
}

} // namespace

// The extract grid's columns in position order; the scan's cell indexes are these positions.
void TForm1::CreateGridColumns()
{
    const TColumnOptions Listed{coAutoSize, coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint};
    const auto Column = [this](const char* Name, const char* Caption, int Width, TSortType SortType) {
        auto* C =
            static_cast<TGxTextColumn*>(GxGrid1->GetColumns()->Add(ColumnClass<TGxTextColumn>, Utf8ToWide(Caption)));
        C->SetName(Name);
        C->GetFont()->SetName("Tahoma");
        C->GetFont()->SetHeight(-11);
        if (Width > 0) C->SetWidth(Width);
        C->SetSortType(SortType);
        return C;
    };
    GxTextColumn1 = Column("GxTextColumn1", "File:", 109, stAlphabetic);
    GxTextColumn1->GetHeader()->SetAlignment(taCenter);
    GxTextColumn5 = Column("GxTextColumn5", "Line#:", 0, stNumeric);
    GxTextColumn5->SetAlignment(taCenter);
    GxTextColumn2 = Column("GxTextColumn2", "Match:", 195, stAlphabetic);
    GxTextColumn3 = Column("GxTextColumn3", "Found By:", 116, stAlphabetic);
    GxTextColumn4 = Column("GxTextColumn4", "Rejected By:", 83, stAlphabetic);
    for (TGxTextColumn* C : {GxTextColumn2, GxTextColumn3, GxTextColumn4})
        C->SetOptions(Listed);
}

void TForm1::CreateFormComponents()
{
    TFormBuilder B(this);
    SetLoading(true);
    SetName("Form1");
    SetCaption("Quillmote");
    GetFont()->SetName("Tahoma");
    GetFont()->SetHeight(-11);
    SetPosition(poScreenCenter);
    SetClientWidth(601);
    SetClientHeight(507);

    regex = B.Make<TPcreRegex>("regex");
    regex2 = B.Make<TPcreRegex>("regex2");

    ImageList1 = B.Make<TImageList>("ImageList1");
    for (const char* Image : {"files", "patterns", "grid", "matches"})
        ImageList1->AddStockImage(Image);

    // The bottom bar first, so the page control fills what it leaves.
    Panel1 = B.Make<TPanel>("Panel1", this);
    Panel1->SetBounds(0, 467, 601, 40);
    Panel1->SetAlign(alBottom);
    Panel1->SetBevelOuter(bvNone);
    Label4 = MakeLabel(B, "Label4", Panel1, 8, 13, "Ready.");
    ProgressBar1 = B.Make<TProgressBar>("ProgressBar1", Panel1);
    Place(ProgressBar1, 96, 12, 377, 17, {akLeft, akTop, akRight});
    ProgressBar1->SetMax(1000);
    ProgressBar1->SetStep(1);
    ProgressBar1->SetVisible(false);
    BitBtn1 = B.Make<TBitBtn>("BitBtn1", Panel1);
    Place(BitBtn1, 488, 7, 97, 27, {akTop, akRight});
    BitBtn1->SetCaption("Start Scan");
    BitBtn1->OnClick = Bind(this, &TForm1::BitBtn1Click);
    BitBtn1->SetGlyphName("start");
    BitBtn3 = B.Make<TBitBtn>("BitBtn3", Panel1);
    Place(BitBtn3, 488, 7, 97, 27, {akTop, akRight});
    BitBtn3->SetCaption("Stop Scan");
    BitBtn3->SetVisible(false);
    BitBtn3->OnClick = Bind(this, &TForm1::BitBtn3Click);
    BitBtn3->SetGlyphName("stop");
    SizeGripThemed1 = B.Make<TSizeGripThemed>("SizeGripThemed1");
    SizeGripThemed1->SetTargetControl(Panel1);
    SizeGripThemed1->SetStyle(sgsWinXP);

    PageControl1 = B.Make<TPageControl>("PageControl1", this);
    PageControl1->SetBounds(0, 0, 601, 467);
    PageControl1->SetAlign(alClient);
    PageControl1->SetImages(ImageList1);
    // Made after the bottom bar, but first in the Tab order: the window opens
    // with the focus on the page tabs.
    PageControl1->SetTabOrder(0);
    Panel1->SetTabOrder(1);
    const int W = 593 - 16; // a sheet's client width less the margins

    // Page 0: the files.
    TabSheet1 = B.Make<TTabSheet>("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetCaption("Files to Scan");
    TabSheet1->SetImageIndex(0);
    Label11 = MakeLabel(B, "Label11", TabSheet1, 8, 8,
                        "File(s) to scan for patterns (drag and drop files into this window):");
    RichEdit9 = MakeList(B, "RichEdit9", TabSheet1, true);
    Place(RichEdit9, 8, 24, W, 238, AllSides);
    FileDropper1 = B.Make<TFileDropper>("FileDropper1");
    FileDropper1->SetDropSite(RichEdit9);
    FileDropper1->OnDrop = [this](TObject* Sender, const AnsiString& Filename) { FileDropper1Drop(Sender, Filename); };
    FileDropper1->SetAllowDir(true);
    FileDropper1->SetRecurseAllSubFolders(true);
    FileDropper1->SetRecurseOneSubFolder(true);
    FileDropper1->SetOnlyDirs(false);
    FileDropper1->SetOnlyLeafs(false);
    Label10 = MakeLabel(B, "Label10", TabSheet1, 8, 270, "Progress Log:", false, {akLeft, akBottom});
    RichEdit2 = MakeList(B, "RichEdit2", TabSheet1, true);
    Place(RichEdit2, 8, 286, W, 145, {akLeft, akRight, akBottom});
    RichEdit2->SetReadOnly(true);
    RichEdit2->GetLines()->SetText("Quillmote v1.0.1.16 from https://www.brackenhollow.com\nReady for operation.\n");
    Memo1 = B.Make<TMemo>("Memo1", TabSheet1);
    Place(Memo1, -800, 8, 697, 89);
    Memo1->SetVisible(false);

    // Page 1: the patterns.
    TabSheet3 = B.Make<TTabSheet>("TabSheet3");
    TabSheet3->SetPageControl(PageControl1);
    TabSheet3->SetCaption("Patterns to Search");
    TabSheet3->SetImageIndex(1);
    Label1 =
        MakeLabel(B, "Label1", TabSheet3, 8, 8, "Extract patterns that match any of these regular patterns:", true);
    Label7 = MakeLabel(B, "Label7", TabSheet3, 8, 31, "Presets:");
    ComboBox1 = B.Make<TComboBox>("ComboBox1", TabSheet3);
    Place(ComboBox1, 56, 27, 449, 21, {akLeft, akTop, akRight});
    ComboBox1->SetStyle(csDropDownList);
    ComboBox1->SetDropDownCount(30);
    BitBtn2 = B.Make<TBitBtn>("BitBtn2", TabSheet3);
    Place(BitBtn2, 512, 25, 73, 25, {akTop, akRight});
    BitBtn2->SetCaption("Add");
    BitBtn2->OnClick = Bind(this, &TForm1::BitBtn2Click);
    BitBtn2->SetGlyphName("add");
    Label9 = MakeLabel(B, "Label9", TabSheet3, 8, 55,
                       "The extracted pattern is the first regular expression \"capture group\" found.");
    RichEdit3 = MakeList(B, "RichEdit3", TabSheet3, false);
    Place(RichEdit3, 8, 71, W, 128, {akLeft, akTop, akRight});
    Label2 = MakeLabel(B, "Label2", TabSheet3, 8, 207,
                       "Reject any extracted pattern that matches any of the following expressions:", true);
    Label8 = MakeLabel(B, "Label8", TabSheet3, 8, 230, "Presets:");
    ComboBox2 = B.Make<TComboBox>("ComboBox2", TabSheet3);
    Place(ComboBox2, 56, 226, 449, 21, {akLeft, akTop, akRight});
    ComboBox2->SetStyle(csDropDownList);
    ComboBox2->SetDropDownCount(30);
    BitBtn6 = B.Make<TBitBtn>("BitBtn6", TabSheet3);
    Place(BitBtn6, 512, 224, 73, 25, {akTop, akRight});
    BitBtn6->SetCaption("Add");
    BitBtn6->OnClick = Bind(this, &TForm1::BitBtn6Click);
    BitBtn6->SetGlyphName("add");
    RichEdit4 = MakeList(B, "RichEdit4", TabSheet3, false);
    Place(RichEdit4, 8, 254, W, 128, AllSides);
    Label3 =
        MakeLabel(B, "Label3", TabSheet3, 8, 392, "Type something here to test a regex:", false, {akLeft, akBottom});
    Edit1 = B.Make<TEdit>("Edit1", TabSheet3);
    Place(Edit1, 8, 408, W - 26, 21, {akLeft, akRight, akBottom});
    Edit1->OnChange = Bind(this, &TForm1::Edit1Change);
    Shape1 = B.Make<TShape>("Shape1", TabSheet3);
    Place(Shape1, 8 + W - 19, 409, 19, 19, {akRight, akBottom});
    Shape1->SetShape(stCircle);
    Shape1->GetBrush()->SetColor(clGreen);

    // Page 2: the extract rows.
    TabSheet5 = B.Make<TTabSheet>("TabSheet5");
    TabSheet5->SetPageControl(PageControl1);
    TabSheet5->SetCaption("Chomping Grid");
    TabSheet5->SetImageIndex(2);
    GxGrid1 = B.Make<TGxGrid>("GxGrid1", TabSheet5);
    Place(GxGrid1, 8, 8, W, 424, AllSides);
    GxGrid1->SetOptions({goHeader, goSelectFullRow});
    GxGrid1->SetAppearanceOptions({aoHideFocus, aoHideSelection});
    CreateGridColumns();

    // Page 3: the final matches.
    TabSheet6 = B.Make<TTabSheet>("TabSheet6");
    TabSheet6->SetPageControl(PageControl1);
    TabSheet6->SetCaption("Final Matches");
    TabSheet6->SetImageIndex(3);
    RichEdit5 = MakeList(B, "RichEdit5", TabSheet6, true);
    Place(RichEdit5, 8, 8, W, 390, AllSides);
    RichEdit5->SetReadOnly(true);
    BitBtn4 = B.Make<TBitBtn>("BitBtn4", TabSheet6);
    Place(BitBtn4, 8, 405, 129, 27, {akLeft, akBottom});
    BitBtn4->SetCaption("Copy To Clipboard");
    BitBtn4->OnClick = Bind(this, &TForm1::BitBtn4Click);
    BitBtn4->SetGlyphName("copy");
    BitBtn5 = B.Make<TBitBtn>("BitBtn5", TabSheet6);
    Place(BitBtn5, 8 + W - 129, 405, 129, 27, {akRight, akBottom});
    BitBtn5->SetCaption("Save Matches");
    BitBtn5->OnClick = Bind(this, &TForm1::BitBtn5Click);
    BitBtn5->SetGlyphName("save");
    PageControl1->SetActivePageIndex(0);

    SaveDialog1 = B.Make<TSaveDialog>("SaveDialog1");
    SaveDialog1->SetTitle("Export Matches...");
    SaveDialog1->SetFilter("Text File|*.txt");
    SaveDialog1->SetDefaultExt(".txt");
    SaveDialog1->SetOptions({ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing});
    LoadProfile = B.Make<TOpenDialog>("LoadProfile");
    LoadProfile->SetTitle("Load Profile");
    LoadProfile->SetFilter("Quillmote Profile|*.qmp");
    SaveProfile = B.Make<TSaveDialog>("SaveProfile");
    SaveProfile->SetTitle("Save Profile");
    SaveProfile->SetFilter("Quillmote Profile|*.qmp");
    SaveProfile->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});

    xml = B.Make<TXmlScanner>("xml");
    // Profiles keep their lines byte for byte, so their text is read as written.
    xml->SetNormalize(false);

    MainMenu1 = B.Make<TMainMenu>("MainMenu1");
    TMenuItem* Root = MainMenu1->GetItems();
    File1 = MakeItem(B, "File1", Root, "File");
    SaveCurrentProfile1 = MakeItem(B, "SaveCurrentProfile1", File1, "Save Profile", &TForm1::SaveCurrentProfile1Click);
    LoadProfile1 = MakeItem(B, "LoadProfile1", File1, "Load Profile", &TForm1::LoadProfile1Click);
    N1 = MakeItem(B, "N1", File1, "-");
    Exit1 = MakeItem(B, "Exit1", File1, "Exit", &TForm1::Exit1Click);
    Options1 = MakeItem(B, "Options1", Root, "Options");
    Autoswitch1 =
        MakeItem(B, "Autoswitch1", Options1, "Autoswitch to Matches Tab on Complete", &TForm1::Autoswitch1Click, true);
    N2 = MakeItem(B, "N2", Options1, "-");
    RemoveDuplicates1 =
        MakeItem(B, "RemoveDuplicates1", Options1, "Remove Duplicates", &TForm1::RemoveDuplicates1Click, true);
    Help1 = MakeItem(B, "Help1", Root, "Help");
    Help2 = MakeItem(B, "Help2", Help1, "Help", &TForm1::Help2Click);
    N3 = MakeItem(B, "N3", Help1, "-");
    CheckforUpdates1 = MakeItem(B, "CheckforUpdates1", Help1, "Check for Updates", &TForm1::CheckforUpdates1Click);
    SetMenu(MainMenu1);

    OnCreate = Bind(this, &TForm1::FormCreate);
    OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
    OnCanResize = [this](TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize) {
        FormCanResize(Sender, NewWidth, NewHeight, Resize);
    };
    B.Loaded();
}

} // namespace Unit1
