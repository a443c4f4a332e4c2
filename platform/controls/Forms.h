// The application object. (Forms and the message loop grow here.)
#pragma once
#include "platform/classes/Classes.h"

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);

    // Runs the unit start-up sections.
    void Initialize();
    const AnsiString& GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value);
    bool GetMainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
    AnsiString GetExeName() const;
    void Run();
    void Terminate();
    bool GetTerminated() const { return FTerminated; }
    void ProcessMessages();

    // Shows the exception being handled (call from a catch block).
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);

    std::function<void(TObject* Sender, const Exception& E)> OnException;

private:
    AnsiString FTitle;
    bool FMainFormOnTaskBar = false;
    bool FTerminated = false;
};

extern TApplication* Application;

namespace platform {
// Creates the Qt application object and `Application`, fills the format
// settings from the locale and installs the font substitutions.
void StartApplication(int& Argc, char** Argv);
// The same for test programs: offscreen platform unless one is named, no
// desktop theme plug-in, fixed format settings.
void StartTestApplication(int& Argc, char** Argv);
void StopApplication();
// The running executable's folder with a trailing '/'.
AnsiString ApplicationDirectory();
} // namespace platform
