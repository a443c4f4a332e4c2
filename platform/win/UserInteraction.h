// Every modal interaction of the program goes through one interface: message
// boxes, file and colour dialogs, and the shell. The default shows real Qt
// dialogs; tests install a scripted one so that nothing ever blocks.
#pragma once
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinConstants.h" // MB_*, ID* and SW_* values

#include <deque>
#include <vector>

struct TFileDialogRequest {
    bool Save = false;
    AnsiString Title;
    AnsiString Filter; // "Text File|*.txt|All|*.*"
    int FilterIndex = 1;
    AnsiString DefaultExt;
    AnsiString InitialDir;
    AnsiString FileName; // in: the proposed name; out: the chosen one
    bool OverwritePrompt = false;
    bool FileMustExist = false;
    bool PathMustExist = false;
};

struct TShellCall {
    AnsiString Verb, File, Parameters, Directory;
    int ShowCmd = SW_SHOWNORMAL;
};

class TUserInteraction {
public:
    virtual ~TUserInteraction() = default;
    virtual void ShowMessage(const AnsiString& Title, const AnsiString& Text) = 0;
    // Flags as MessageBox takes them; the answer is an ID* value.
    virtual int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags) = 0;
    virtual bool ExecuteFileDialog(TFileDialogRequest& Request) = 0;
    // Colours as 0x00BBGGRR.
    virtual bool ExecuteColorDialog(std::uint32_t& Color) = 0;
    // True when the document was handed to the desktop or the program started.
    virtual bool ShellExecute(const TShellCall& Call) = 0;
};

TUserInteraction* UserInteraction();
// Installs an interaction (not owned); nullptr brings back the Qt one.
void SetUserInteraction(TUserInteraction* Interaction);

// Queued answers and a record of everything asked, for tests.
class TScriptedInteraction : public TUserInteraction {
public:
    struct TShownMessage {
        AnsiString Title, Text;
        unsigned Flags = 0;
        bool IsMessageBox = false;
    };

    TScriptedInteraction();
    ~TScriptedInteraction() override;

    void ShowMessage(const AnsiString& Title, const AnsiString& Text) override;
    int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags) override;
    bool ExecuteFileDialog(TFileDialogRequest& Request) override;
    bool ExecuteColorDialog(std::uint32_t& Color) override;
    bool ShellExecute(const TShellCall& Call) override;

    // Answers, used in order; when a queue is empty a message box answers
    // IDCANCEL, a dialog is cancelled and the shell call succeeds.
    std::deque<int> MessageBoxAnswers;
    std::deque<AnsiString> FileDialogAnswers; // an empty name cancels
    std::deque<std::uint32_t> ColorAnswers;
    bool ShellResult = true;

    std::vector<TShownMessage> Messages;
    std::vector<TFileDialogRequest> FileDialogs;
    std::vector<TShellCall> ShellCalls;

private:
    TUserInteraction* FPrevious;
};

// Splits a parameter string by the Windows command-line rules (quotes,
// doubled quotes and backslashes before quotes) into an argument list.
std::vector<AnsiString> SplitCommandLine(const AnsiString& Parameters);
