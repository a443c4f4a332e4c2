// Message boxes and the common dialogs. Every one goes through the program's
// user-interaction interface (UserInteraction.h): Qt dialogs in the program,
// scripted answers in tests.
#pragma once
#include "platform/classes/Classes.h"
#include "platform/win/UserInteraction.h"
#include "platform/graphics/Graphics.h"

// ---- Message boxes -------------------------------------------------------------

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = Set<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The answer of a dialog, with the class library's values (the ID* values).
using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                              mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1, mrNoToAll = mrAll + 1,
                              mrYesToAll = mrNoToAll + 1;

// A message with an OK button, titled with the application's title.
void ShowMessage(const AnsiString& Msg);
// A message box titled "Warning", "Error", "Information" or "Confirm" (the
// application's title for mtCustom). The buttons are those of the nearest
// message-box kind: OK; OK, Cancel; Yes, No; Yes, No, Cancel; Abort, Retry,
// Ignore; Retry, Cancel. The help context is not used.
TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

// ---- Common dialogs ----------------------------------------------------------------

class TCommonDialog : public TComponent {
public:
    QM_CLASS(TCommonDialog, TComponent)
    using TComponent::TComponent;
    // True when the user confirmed.
    virtual bool Execute() = 0;
};

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = Set<TOpenOption>;

// A chosen name without an extension gets DefaultExt (given with or without
// its dot). With ofOverwritePrompt a save dialog asks before it names an
// existing file (the name with DefaultExt added), and goes back to the
// choice when the answer is No. After Execute, ofExtensionDifferent tells
// whether the extension differs from DefaultExt.
class TOpenDialog : public TCommonDialog {
public:
    QM_CLASS(TOpenDialog, TCommonDialog)
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    const AnsiString& GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    // "Text File|*.txt|All|*.*": description and patterns in pairs.
    const AnsiString& GetFilter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    // 1-based.
    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const AnsiString& GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
    const AnsiString& GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    // The chosen names (one: the dialog picks one file).
    TStrings* GetFiles() const { return FFiles.get(); }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }

    bool Execute() override;

protected:
    virtual bool IsSaveDialog() const { return false; }

private:
    AnsiString FTitle;
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FDefaultExt;
    AnsiString FInitialDir;
    AnsiString FFileName;
    std::unique_ptr<TStringList> FFiles;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    QM_CLASS(TSaveDialog, TOpenDialog)
    using TOpenDialog::TOpenDialog;

protected:
    bool IsSaveDialog() const override { return true; }
};

// An open dialog for pictures: its filter lists the picture files the
// program reads.
class TOpenPictureDialog : public TOpenDialog {
public:
    QM_CLASS(TOpenPictureDialog, TOpenDialog)
    explicit TOpenPictureDialog(TComponent* AOwner);
};

class TColorDialog : public TCommonDialog {
public:
    QM_CLASS(TColorDialog, TCommonDialog)
    using TCommonDialog::TCommonDialog;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool Execute() override;

private:
    TColor FColor = clBlack;
};
