#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"

namespace {

AnsiString ApplicationTitle()
{
    return Application ? Application->GetTitle() : AnsiString();
}

unsigned MessageBoxKind(TMsgDlgButtons Buttons)
{
    if (Buttons.Contains(mbYes) || Buttons.Contains(mbYesToAll))
        return Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore)) return MB_ABORTRETRYIGNORE;
    if (Buttons.Contains(mbRetry)) return MB_RETRYCANCEL;
    if (Buttons.Contains(mbCancel)) return MB_OKCANCEL;
    return MB_OK;
}

// The class library's rule for a chosen name without an extension.
AnsiString WithDefaultExt(const AnsiString& FileName, AnsiString DefaultExt)
{
    if (!DefaultExt.empty() && DefaultExt[0] == '.') DefaultExt.erase(0, 1);
    if (DefaultExt.empty() || FileName.empty() || !ExtractFileExt(FileName).empty()) return FileName;
    return FileName + "." + DefaultExt;
}

} // namespace

void ShowMessage(const AnsiString& Msg)
{
    UserInteraction()->ShowMessage(ApplicationTitle(), Msg);
}

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    static const char* const Captions[] = {"Warning", "Error", "Information", "Confirm"};
    static const unsigned Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION};
    const AnsiString Caption = DlgType == mtCustom ? ApplicationTitle() : AnsiString(Captions[DlgType]);
    const unsigned Icon = DlgType == mtCustom ? 0 : Icons[DlgType];
    return UserInteraction()->MessageBox(Msg, Caption, MessageBoxKind(Buttons) | Icon);
}

// ---- TOpenDialog ----------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    SetFilter("All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
}

bool TOpenDialog::Execute()
{
    const bool Save = IsSaveDialog();
    AnsiString Proposed = FFileName;
    while (true) {
        TFileDialogRequest Request;
        Request.Save = Save;
        Request.Title = FTitle;
        Request.Filter = FFilter;
        Request.FilterIndex = FFilterIndex;
        Request.DefaultExt = FDefaultExt;
        Request.InitialDir = FInitialDir;
        Request.FileName = Proposed;
        Request.FileMustExist = FOptions.Contains(ofFileMustExist);
        Request.PathMustExist = FOptions.Contains(ofPathMustExist);
        // Asked below, about the name with the default extension.
        Request.OverwritePrompt = false;
        if (!UserInteraction()->ExecuteFileDialog(Request)) return false;
        FFilterIndex = Request.FilterIndex;
        const AnsiString Name = WithDefaultExt(Request.FileName, FDefaultExt);
        if (Save && FOptions.Contains(ofOverwritePrompt) && FileExists(Name)) {
            const AnsiString Caption = FTitle.empty() ? AnsiString("Save As") : FTitle;
            if (UserInteraction()->MessageBox(Name + " already exists.\nDo you want to replace it?", Caption,
                                              MB_YESNO | MB_ICONWARNING) != IDYES) {
                Proposed = Name;
                continue;
            }
        }
        FFileName = Name;
        FFiles->Clear();
        FFiles->Add(Name);
        const AnsiString Ext = FDefaultExt.empty() || FDefaultExt[0] == '.' ? FDefaultExt : "." + FDefaultExt;
        if (!Ext.empty() && !SameText(ExtractFileExt(Name), Ext))
            FOptions.Include(ofExtensionDifferent);
        else
            FOptions.Exclude(ofExtensionDifferent);
        return true;
    }
}

// ---- TColorDialog ------------------------------------------------------------------------

bool TColorDialog::Execute()
{
    auto Color = static_cast<std::uint32_t>(ColorToRGB(FColor));
    if (!UserInteraction()->ExecuteColorDialog(Color)) return false;
    FColor = static_cast<TColor>(Color & 0xFFFFFF);
    return true;
}
