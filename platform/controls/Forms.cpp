#include "platform/controls/Forms.h"
#include "platform/controls/UserInteraction.h"
#include "platform/qt/QtStrings.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <cstdlib>
#include <memory>

using platform::detail::ToQString;

TApplication* Application = nullptr;

namespace {

std::unique_ptr<QApplication> QtApp;
std::unique_ptr<QWidget> PlaceholderWindow;

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
    InstallFontSubstitutions();
    Application = New<TApplication>(nullptr);
}

} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

void TApplication::Initialize() { RunUnitInitializations(); }

void TApplication::SetTitle(const AnsiString& Value)
{
    FTitle = Value;
    QApplication::setApplicationName(ToQString(Value));
}

AnsiString TApplication::GetExeName() const
{
    return platform::detail::ToAnsi(QCoreApplication::applicationFilePath());
}

void TApplication::Run()
{
    if (FTerminated) return;
    PlaceholderWindow = std::make_unique<QWidget>();
    PlaceholderWindow->setWindowTitle(ToQString(FTitle));
    PlaceholderWindow->resize(601, 507);
    PlaceholderWindow->show();
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
    PlaceholderWindow.reset();
    FreeAndNil(Application);
    QtApp.reset();
}

AnsiString ApplicationDirectory() { return IncludeTrailingPathDelimiter(ExtractFileDir(Application->GetExeName())); }

} // namespace platform
