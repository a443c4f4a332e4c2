// The main window: the file list, the match and reject patterns, the scan,
// the extract rows and the final list of matches.
#pragma once
#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"

#include "components/Dropper.h"
#include "components/PcreRegex.h"
#include "components/SizeGripThemed.h"
#include "components/XmlScannerComps.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"

#include <memory>

namespace Unit1 {

class TScanRun;
using namespace Dropper;
using namespace GxColumnClasses;
using namespace GxGrid;
using namespace PcreRegex;
using namespace SizeGrip;
using namespace SizeGripThemed;
using namespace XmlPullParser;
using namespace XmlScannerComps;

// Process-wide state of the window and its scan, made by the unit start-up
// before the window exists.
extern THashedStringList* DuplicateList; // the unique extracts of the current scan
extern bool CancelFlag;                  // raised by Stop Scan and by closing; tested before each match test
extern bool ScanningFlag;                // raised while a scan runs
extern Int64 TotalInputBytes;            // sizes of the listed files, taken at scan start
extern TDateTime StartTime;              // when the scan started

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);

    // Components, as the form stores them.
    TFileDropper* FileDropper1 = nullptr;
    TPcreRegex* regex = nullptr;
    TPcreRegex* regex2 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TLabel* Label11 = nullptr;
    TRichEdit* RichEdit9 = nullptr;
    TLabel* Label10 = nullptr;
    TRichEdit* RichEdit2 = nullptr;
    TMemo* Memo1 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label7 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TLabel* Label9 = nullptr;
    TRichEdit* RichEdit3 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label8 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TBitBtn* BitBtn6 = nullptr;
    TRichEdit* RichEdit4 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit1 = nullptr;
    TShape* Shape1 = nullptr;
    TTabSheet* TabSheet5 = nullptr;
    TGxGrid* GxGrid1 = nullptr;
    TGxTextColumn* GxTextColumn1 = nullptr; // "File:"
    TGxTextColumn* GxTextColumn5 = nullptr; // "Line#:"
    TGxTextColumn* GxTextColumn2 = nullptr; // "Match:"
    TGxTextColumn* GxTextColumn3 = nullptr; // "Found By:"
    TGxTextColumn* GxTextColumn4 = nullptr; // "Rejected By:"
    TTabSheet* TabSheet6 = nullptr;
    TRichEdit* RichEdit5 = nullptr;
    TBitBtn* BitBtn4 = nullptr;
    TBitBtn* BitBtn5 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label4 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn3 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TSizeGripThemed* SizeGripThemed1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TOpenDialog* LoadProfile = nullptr;
    TSaveDialog* SaveProfile = nullptr;
    TXmlScanner* xml = nullptr;
    TImageList* ImageList1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* SaveCurrentProfile1 = nullptr;
    TMenuItem* LoadProfile1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Options1 = nullptr;
    TMenuItem* Autoswitch1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* RemoveDuplicates1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* Help2 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* CheckforUpdates1 = nullptr;

    // The window's least outer size (FormCanResize).
    static constexpr int LeastWidth = 525, LeastHeight = 480;

    // Handlers, as the form binds them.
    void FormCreate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    void FileDropper1Drop(TObject* Sender, const AnsiString& Filename);
    void BitBtn1Click(TObject* Sender); // Start Scan
    void BitBtn3Click(TObject* Sender); // Stop Scan
    void BitBtn2Click(TObject* Sender); // Add (match preset)
    void BitBtn6Click(TObject* Sender); // Add (reject preset)
    void BitBtn4Click(TObject* Sender); // Copy To Clipboard
    void BitBtn5Click(TObject* Sender); // Save Matches
    void Edit1Change(TObject* Sender);
    void Autoswitch1Click(TObject* Sender);
    void RemoveDuplicates1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void Help2Click(TObject* Sender);
    void CheckforUpdates1Click(TObject* Sender);
    void SaveCurrentProfile1Click(TObject* Sender);
    void LoadProfile1Click(TObject* Sender);
    void xmlStartTag(TObject* Sender, const AnsiString& TagName, TAttrList* Attributes);
    void xmlContent(TObject* Sender, const AnsiString& Content);

    void Dispatch(TMessage& Message) override;

protected:
    void DoShow() override;

private:
    // Makes the stored components and sets their stored values (Unit1Form.cpp).
    void CreateFormComponents();
    void CreateGridColumns();
    void LoadPresets();
    // Posted to the window by a drop's first path: the drop's new paths join
    // the file list when it arrives, after the dropper has walked them all.
    static constexpr UINT WM_APPENDDROPPEDFILES = WM_APP + 1;
    // The paths of the drop under way, with every path the list held when it
    // began; made by its first path, gone once they are appended.
    struct TPendingDrop;
    struct TPendingDropDeleter {
        void operator()(TPendingDrop* Drop) const;
    };
    std::unique_ptr<TPendingDrop, TPendingDropDeleter> FPendingDrop;
    void AppendDroppedFiles();
    // Profiles (Unit1Profiles.cpp). The last profile is read at start, from
    // the user's configuration folder or else from beside the program, and
    // written to the configuration folder on close; a failed write is told.
    struct TProfileReading; // the reader of profiles and what it does to the window
    struct TProfileReadingDeleter {
        void operator()(TProfileReading* Reading) const;
    };
    void BindProfileReader();
    AnsiString CurrentProfileText();
    // Reads FileName into the window; false, with nothing changed, when it is
    // no profile. A bad value raises after what came before it is loaded.
    bool ReadProfile(const AnsiString& FileName, bool ClearLog);
    void LoadLastProfile();
    void SaveLastProfile();
    std::unique_ptr<TProfileReading, TProfileReadingDeleter> FProfileReading;

    // Appends Extension to a chosen name that does not end in it exactly, and
    // then asks before replacing a file of that name (the dialog asked only
    // about the name it was given). False when the user says no.
    static bool WithExtension(AnsiString& FileName, const char* Extension);
    // Help > Check for Updates: hands the job to the updater utility.
    void RunUpdateCheck();

    // The scan's side of the window (Unit1Scan.cpp).
    friend class TScanRun;
    bool PassesStartCheck();
    void SetScanControlsEnabled(bool Enabled);
    // Gives the window back after a scan, whatever ended it.
    void RestoreAfterScan();
};

extern TForm1* Form1;

// Adds the unit's start-up section (creating the duplicate list).
void RegisterUnit();

// The window's help page beside the executable.
inline constexpr const char* HelpFileName = "Quillmote.html";

} // namespace Unit1
