#include "platform/controls/Forms.h"
#include "platform/controls/ControlStateGuard.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/MenuWidgets.h"
#include "platform/rtl/QtStrings.h"
#include "platform/win/UserInteraction.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <map>
#include <memory>

using namespace platform::detail;

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace platform::detail {
void (*FormMenuChanged)(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu) = nullptr;
} // namespace platform::detail

namespace {

std::unique_ptr<QApplication> QtApp;

// The Windows interface faces measure the same everywhere as fixed DejaVu faces.
void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
}

void CreateApplicationObjects(int& Argc, char** Argv)
{
    QtApp = std::make_unique<QApplication>(Argc, Argv);
    // Forms decide when the program ends (the main form's Close, Terminate).
    QApplication::setQuitOnLastWindowClosed(false);
    WatchApplicationActivation();
    InstallFontSubstitutions();
    Application = New<TApplication>(nullptr);
    Screen = New<TScreen>(nullptr);
    Mouse = new TMouse;
}

} // namespace

// ---- TCustomForm -------------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm()
{
    if (Screen) std::erase(Screen->FForms, this);
}

void TCustomForm::AfterConstruction()
{
    TWinControl::AfterConstruction();
    DoCreate();
}

void TCustomForm::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    DoDestroy();
    TWinControl::BeforeDestruction();
    // The form's other components go while the form is still whole.
    DestroyComponents();
    FCanvas->FreeHandle();
}

void TCustomForm::DoCreate()
{
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::CloseQuery()
{
    bool CanClose = true;
    if (OnCloseQuery) OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::Close()
{
    if (!CloseQuery()) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone) return;
    if (Application && Application->GetMainForm() == this)
        Application->Terminate();
    else if (Action == caHide)
        Hide();
    else if (Action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::Release()
{
    PostMessageA(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (!HandleAllocated() || !GetVisible()) return;
    QWidget* W = WindowWidget(this);
    if (Value == wsMaximized)
        W->showMaximized();
    else if (Value == wsMinimized)
        W->showMinimized();
    else
        W->showNormal();
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value) return;
    TMainMenu* Old = FMenu;
    FMenu = Value;
    if (FormMenuChanged) FormMenuChanged(this, Old, Value);
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP | WS_TABSTOP);
    Params.Style |= WS_CLIPCHILDREN;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_DLGFRAME;
        break;
    }
    if (FBorderIcons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    Params.WndParent = nullptr;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    QWidget* W = WindowWidget(this);
    // A form is a window of its own even when its style says popup.
    Qt::WindowFlags Flags = Qt::Window;
    if (FBorderStyle == bsNone) Flags |= Qt::FramelessWindowHint;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Flags = Qt::Tool;
    if (W->windowFlags() != Flags) W->setWindowFlags(Flags);
    W->setWindowTitle(ToQString(GetText()));
    UpdateSizeHints();
}

void TCustomForm::UpdateSizeHints()
{
    if (!HandleAllocated()) return;
    int MinW = std::max(GetConstraints()->GetMinWidth(), 0);
    int MinH = std::max(GetConstraints()->GetMinHeight(), 0);
    const int MaxW = GetConstraints()->GetMaxWidth();
    const int MaxH = GetConstraints()->GetMaxHeight();
    if (OnCanResize) {
        // The smallest width the handler lets through with a tall window, and
        // the smallest height with a wide one, become the window manager's
        // minimum; whatever else the handler decides is corrected afterwards.
        int W = 0, H = 100000;
        bool Resize = true;
        OnCanResize(this, W, H, Resize);
        if (Resize) MinW = std::max(MinW, W);
        W = 100000;
        H = 0;
        Resize = true;
        OnCanResize(this, W, H, Resize);
        if (Resize) MinH = std::max(MinH, H);
    }
    QWidget* Window = WindowWidget(this);
    const QSize Min(MinW, MinH);
    const QSize Max(MaxW > 0 ? MaxW : QWIDGETSIZE_MAX, MaxH > 0 ? MaxH : QWIDGETSIZE_MAX);
    if (Window->minimumSize() != Min) Window->setMinimumSize(Min);
    if (Window->maximumSize() != Max) Window->setMaximumSize(Max);
}

void TCustomForm::ConstraintsChanged()
{
    TWinControl::ConstraintsChanged();
    UpdateSizeHints();
}

void TCustomForm::PlaceOnScreen()
{
    if (FPlaced) return;
    FPlaced = true;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        if (Screen)
            SetBounds((Screen->GetWidth() - GetWidth()) / 2, (Screen->GetHeight() - GetHeight()) / 2, GetWidth(),
                      GetHeight());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* Center = Application ? Application->GetMainForm() : nullptr;
        if (FPosition == poOwnerFormCenter)
            if (auto* F = dynamic_cast<TCustomForm*>(GetOwner())) Center = F;
        if (Center && Center != this)
            SetBounds(Center->GetLeft() + (Center->GetWidth() - GetWidth()) / 2,
                      Center->GetTop() + (Center->GetHeight() - GetHeight()) / 2, GetWidth(), GetHeight());
        break;
    }
    default:
        break;
    }
}

void TCustomForm::CMVisibleChanged(TMessage&)
{
    if (GetVisible()) {
        HandleNeeded();
        PlaceOnScreen();
        UpdateSizeHints();
        QWidget* W = WindowWidget(this);
        if (FWindowState == wsMaximized)
            W->showMaximized();
        else if (FWindowState == wsMinimized)
            W->showMinimized();
        else
            W->show();
        if (QGuiApplication::platformName() != QStringLiteral("offscreen")) W->raise();
        W->activateWindow();
    } else if (HandleAllocated()) {
        WindowWidget(this)->hide();
    }
}

void TCustomForm::CMShowingChanged(TMessage&)
{
    if (GetShowing())
        DoShow();
    else
        DoHide();
}

void TCustomForm::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}

void TCustomForm::WMClose(TMessage&)
{
    Close();
}

void TCustomForm::WMNCCalcSize(TMessage& Message)
{
    TWinControl::WMNCCalcSize(Message);
    // The menu bar lies above the client area.
    if (QMenuBar* Bar = FormMenuBar(this); Bar && !Bar->isHidden()) {
        RECT& R = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
        R.top = std::min(R.bottom, R.top + LONG(Bar->sizeHint().height()));
    }
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->GetParent()) {
                FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                        Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(Message);
}

void TCustomForm::WMActivate(TMessage& Message)
{
    SetActive(Message.WParamLo() != WA_INACTIVE);
}

void TCustomForm::CMActivate(TMessage&)
{
    Activate();
}

void TCustomForm::CMDeactivate(TMessage&)
{
    Deactivate();
}

void TCustomForm::CMRelease(TMessage&)
{
    Free(this);
}

void TCustomForm::SetActive(bool Value)
{
    if (FActive == Value) return;
    FActive = Value;
    if (Value) {
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        if (FActiveControl && FActiveControl->CanFocus())
            ::SetFocus(FActiveControl->GetHandle());
        else
            ::SetFocus(GetHandle());
        Perform(CM_ACTIVATE, 0, 0);
    } else {
        Perform(CM_DEACTIVATE, 0, 0);
    }
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    if (Control && !(Control != this && GetParentForm(Control) == this &&
                     (GetComponentState().Contains(csLoading) || Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (!GetComponentState().Contains(csLoading) && FActive && Control) ::SetFocus(Control->GetHandle());
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
    if (Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (FActive && HandleAllocated() && Control->HandleAllocated() && GetFocus() &&
            ContainsControl(FindControl(GetFocus())))
            ::SetFocus(GetHandle());
    }
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    const bool WasActive = FActive;
    SetActiveControl(Control);
    if (!WasActive) SetFocus();
}

void TCustomForm::SetFocus()
{
    if (FActive) return;
    if (!(GetVisible() && GetEnabled())) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    QWidget* W = WindowWidget(this);
    W->activateWindow();
    ::SetFocus(FActiveControl ? FActiveControl->GetHandle() : GetHandle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (Control != this)
        FActiveControl = Control;
    else
        FActiveControl = nullptr;
    if (Control->GetControlState().Contains(csFocusing)) return false;
    TControlStateGuard Focusing(Control, csFocusing);
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl != Control) {
        // CM_EXIT up from the control that had the focus to the one both
        // share, then CM_ENTER down to the new one.
        while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
            TWinControl* Leaving = FFocusedControl;
            FFocusedControl = FFocusedControl->GetParent();
            Leaving->Perform(CM_EXIT, 0, 0);
        }
        while (FFocusedControl != Control) {
            TWinControl* Entering = Control;
            while (Entering->GetParent() != FFocusedControl)
                Entering = Entering->GetParent();
            FFocusedControl = Entering;
            Entering->Perform(CM_ENTER, 0, 0);
        }
        Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
    }
    return true;
}

TCustomForm* GetParentForm(TControl* Control, bool TopForm)
{
    if (!Control) return nullptr;
    while ((TopForm || !dynamic_cast<TCustomForm*>(Control)) && Control->GetParent())
        Control = Control->GetParent();
    return dynamic_cast<TCustomForm*>(Control);
}

// ---- Menu bars ----------------------------------------------------------------------------------------------

namespace platform::detail {

void SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar)
{
    if (!Bar && !Form->HandleAllocated()) return;
    const HWND Wnd = Form->GetHandle();
    if (WindowMenuBar(Wnd) == Bar) return;
    const TRect Client = Form->GetClientRect();
    SetWindowMenuBar(Wnd, Bar);
    // The client area keeps its size; the window grows or shrinks by the bar.
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), Form->GetWidth() - Form->GetClientRect().Right + Client.Right,
                    Form->GetHeight() - Form->GetClientRect().Bottom + Client.Bottom);
}

QMenuBar* FormMenuBar(TCustomForm* Form)
{
    return Form->HandleAllocated() ? qobject_cast<QMenuBar*>(WindowMenuBar(Form->GetHandle())) : nullptr;
}

} // namespace platform::detail

// ---- TApplication ---------------------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    // What escapes where the window system hands on an event goes here too.
    SetExceptionHandler([](HWND Wnd) {
        if (Application) Application->HandleException(FindControl(Wnd));
    });
    ApplicationHandleExceptionHook = [](TObject* Sender) {
        if (Application) Application->HandleException(Sender);
    };
}

void TApplication::Initialize()
{
    RunUnitInitializations();
}

void TApplication::SetTitle(const AnsiString& Value)
{
    FTitle = Value;
    QApplication::setApplicationName(ToQString(Value));
}

AnsiString TApplication::GetExeName() const
{
    return ToAnsi(QCoreApplication::applicationFilePath());
}

void TApplication::FormCreated(TCustomForm* Form)
{
    if (FMainForm) return;
    FMainForm = Form;
    Form->HandleNeeded();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) {
        FMainForm = nullptr;
        Terminate();
    }
}

void TApplication::Run()
{
    if (FTerminated) return;
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated)
        QApplication::exec();
}

void TApplication::Terminate()
{
    FTerminated = true;
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleException(TObject*)
{
    try {
        throw;
    } catch (const EAbort&) {
        // Silent by design.
    } catch (const Exception& E) {
        if (OnException)
            OnException(this, E);
        else
            ShowException(E);
    } catch (const std::exception& E) {
        ShowException(Exception(E.what()));
    } catch (...) {
        ShowException(Exception(""));
    }
}

void TApplication::ShowException(const Exception& E)
{
    AnsiString Msg = E.Message;
    if (!Msg.empty() && Msg.back() > '.') Msg += '.';
    UserInteraction()->MessageBox(Msg, FTitle, MB_OK | MB_ICONERROR);
}

// ---- TScreen --------------------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    for (int Id = crSizeAll; Id <= crDefault; ++Id)
        ScreenCursors().Map[Id] = std::make_unique<HCURSOR__>(HCURSOR__{StandardCursor(TCursor(Id))});
}

TScreen::~TScreen()
{
    if (ScreenCursors().Forced != crDefault) QApplication::restoreOverrideCursor();
    ScreenCursors() = TScreenCursors();
}

int TScreen::GetWidth() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().width() : 0;
}

int TScreen::GetHeight() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().height() : 0;
}

TRect TScreen::GetWorkAreaRect() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? FromQRect(S->availableGeometry()) : TRect();
}

TCursor TScreen::GetCursor() const
{
    return ScreenCursors().Forced;
}

void TScreen::SetCursor(TCursor Value)
{
    SetForcedCursor(Value);
}

HCURSOR TScreen::GetCursors(int Index) const
{
    return ScreenCursor(Index);
}

void TScreen::SetCursors(int Index, HCURSOR Value)
{
    auto& Map = ScreenCursors().Map;
    if (!Value) {
        if (Index > crDefault) Map.erase(Index);
        return;
    }
    Map[Index].reset(Value);
}

TStrings* TScreen::GetFonts()
{
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        for (const QString& Family : QFontDatabase::families())
            FFonts->Add(ToAnsi(Family));
        FFonts->SetSorted(true);
    }
    return FFonts.get();
}

TCustomForm* TScreen::GetActiveForm() const
{
    QWidget* W = QApplication::activeWindow();
    return W ? dynamic_cast<TCustomForm*>(FindControl(WindowAbove(W))) : nullptr;
}

TWinControl* TScreen::GetActiveControl() const
{
    TCustomForm* F = GetActiveForm();
    return F ? F->GetActiveControl() : nullptr;
}

// ---- Start and end ------------------------------------------------------------------------------------------------

namespace platform {

void StartApplication(int& Argc, char** Argv)
{
    // Popups and flyouts are placed on screen, which needs X11 (or XWayland).
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY")) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    CreateApplicationObjects(Argc, Argv);
    GetLocaleFormatSettings();
}

void StartTestApplication(int& Argc, char** Argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::unsetenv("QT_QPA_PLATFORMTHEME");
    CreateApplicationObjects(Argc, Argv);
    FormatSettings = DefaultFormatSettings();
}

void StopApplication()
{
    RunUnitFinalizations();
    FreeAndNil(Application);
    FreeAndNil(Screen);
    delete Mouse;
    Mouse = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QtApp.reset();
}

namespace {
AnsiString ApplicationDirectoryOverride;
}

AnsiString ApplicationDirectory()
{
    if (!ApplicationDirectoryOverride.empty()) return ApplicationDirectoryOverride;
    return IncludeTrailingPathDelimiter(ExtractFileDir(Application->GetExeName()));
}

void SetApplicationDirectory(const AnsiString& Directory)
{
    ApplicationDirectoryOverride = Directory.empty() ? Directory : IncludeTrailingPathDelimiter(Directory);
}

} // namespace platform
