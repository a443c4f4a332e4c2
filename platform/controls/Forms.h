// Forms, the application object and the screen.
//
// A form is a top-level window. Its Width and Height are its outer size: the
// top-level widget including the menu bar, without the window manager's
// frame; its client area is what lies below the menu bar. OnCanResize and
// Constraints apply to every size change the program makes; the window
// manager's resizing is bounded by minimum-size hints taken from them and
// corrected afterwards.
#pragma once
#include "platform/classes/Classes.h"
#include "platform/controls/Controls.h"

class TMainMenu; // platform/controls/Menus.h

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
    QM_CLASS(TCustomForm, TWinControl)
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    // Fires OnCreate: a form's components are made in its constructor, so
    // the handler sees them all.
    void AfterConstruction() override;
    // Fires OnDestroy while the form is still whole.
    void BeforeDestruction() override;

    // Asks OnCloseQuery, then OnClose decides: hide the form (the default),
    // free it later, minimise it, or nothing. Closing the main form ends the
    // application.
    void Close();
    bool CloseQuery();
    void Show();
    void Hide();
    // Frees the form once the events being handled are done.
    void Release();

    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TWindowState GetWindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // The main menu slot; the menu builds its bar and attaches it itself.
    TMainMenu* GetMenu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    bool GetKeyPreview() const override { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TWinControl* GetActiveControl() const override { return FActiveControl; }
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
    // for a control that cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    // True while the form's window is the active one.
    bool GetActive() const override { return FActive; }
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void FocusControl(TWinControl* Control) override;
    // Control loses the focus (and stops being the active control) because
    // it is hidden, disabled or (Removing) taken off the form.
    void DefocusControl(TWinControl* Control, bool Removing) override;
    // Moves the focus bookkeeping to Control: CM_EXIT to the controls it
    // leaves, CM_ENTER to those it enters.
    bool SetFocusedControl(TWinControl* Control) override;
    void SetFocus() override;
    bool CanFocus() override { return GetVisible() && GetEnabled(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    friend class TApplication;
    bool IsForm() const override { return true; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();

    void ConstraintsChanged() override;
    void WMPaint(TMessage& Message) override;
    void WMClose(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void WMActivate(TMessage& Message) override;
    void CMActivate(TMessage& Message) override;
    void CMDeactivate(TMessage& Message) override;
    void CMRelease(TMessage& Message) override;

private:
    void PlaceOnScreen();
    void SetActive(bool Value);
    // Minimum and maximum sizes for the window manager, from Constraints and OnCanResize.
    void UpdateSizeHints();

    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TWindowState FWindowState = wsNormal;
    TMainMenu* FMenu = nullptr;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    bool FPlaced = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TForm : public TCustomForm {
public:
    QM_CLASS(TForm, TCustomForm)
    using TCustomForm::TCustomForm;
};

// The form a control sits on: the topmost parent when it is a form (the
// nearest form when TopForm is false), or null.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);

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
    TCustomForm* GetMainForm() const { return FMainForm; }
    bool GetShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    // Milliseconds before a hint shows, and before a shown hint goes.
    int GetHintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int GetHintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    // The background of the program's hint windows.
    TColor GetHintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    // Whether the program shows the hints of its controls at all.
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }

    // Creates a form owned by the application into Reference (set before the
    // form's OnCreate runs); the first form created becomes the main form.
    template <typename T> void CreateForm(T*& Reference)
    {
        T* Instance = new T(this);
        Reference = Instance;
        try {
            Instance->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            Instance->BeforeDestruction();
            delete Instance;
            throw;
        }
        FormCreated(Instance);
    }

    // Shows the main form and runs the event loop until the main form closes
    // or Terminate is called.
    void Run();
    // Ends the loop; no form is asked whether it may close.
    void Terminate();
    bool GetTerminated() const { return FTerminated; }
    // Runs the event loop once: every pending event, then deferred deletions.
    void ProcessMessages();

    // Shows the exception being handled (call from a catch block).
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);

    std::function<void(TObject* Sender, const Exception& E)> OnException;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormCreated(TCustomForm* Form);

    AnsiString FTitle;
    bool FMainFormOnTaskBar = false;
    bool FTerminated = false;
    bool FShowMainForm = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    bool FShowHint = true;
    TCustomForm* FMainForm = nullptr;
};

extern TApplication* Application;

// The screen: its size, the global cursor and the registry of cursors.
class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int GetWidth() const;
    int GetHeight() const;
    // The part of the screen that windows may fill (without panels and docks).
    TRect GetWorkAreaRect() const;
    int GetPixelsPerInch() const { return 96; }
    // crDefault lets each control show its own cursor; anything else shows everywhere.
    TCursor GetCursor() const;
    void SetCursor(TCursor Value);
    // The cursor registered under an id: the standard ones (crArrow ...) and
    // those the program adds. An unknown id gives the arrow.
    HCURSOR GetCursors(int Index) const;
    void SetCursors(int Index, HCURSOR Value);
    TCustomForm* GetActiveForm() const;
    TWinControl* GetActiveControl() const;
    // The font family names, sorted; read once.
    TStrings* GetFonts();
    int GetFormCount() const { return int(FForms.size()); }
    TCustomForm* GetForms(int Index) const { return FForms.at(Index); }

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> FForms;
    std::unique_ptr<TStringList> FFonts;
};

extern TScreen* Screen;

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
// Tests put the application's folder elsewhere; an empty text undoes it.
void SetApplicationDirectory(const AnsiString& Directory);
} // namespace platform
