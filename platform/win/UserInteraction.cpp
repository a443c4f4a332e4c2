#include "platform/win/UserInteraction.h"
#include "platform/rtl/QtStrings.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace {

QString Q(const AnsiString& S)
{
    return platform::detail::ToQString(S);
}
AnsiString A(const QString& S)
{
    return platform::detail::ToAnsi(S);
}

// "Text File|*.txt|All|*.*" becomes "Text File (*.txt);;All (*.*)".
QString QtFilter(const AnsiString& Filter, int Index, QString* Selected)
{
    QStringList Parts = Q(Filter).split(QLatin1Char('|'));
    QStringList Out;
    for (int I = 0; I + 1 < Parts.size(); I += 2) {
        QString Patterns = Parts[I + 1];
        Patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        Out << Parts[I] + QStringLiteral(" (") + Patterns + QLatin1Char(')');
    }
    if (Selected && Index >= 1 && Index <= Out.size()) *Selected = Out[Index - 1];
    return Out.join(QStringLiteral(";;"));
}

class TQtInteraction : public TUserInteraction {
public:
    void ShowMessage(const AnsiString& Title, const AnsiString& Text) override
    {
        QMessageBox Box(QMessageBox::NoIcon, Q(Title), Q(Text), QMessageBox::Ok, QApplication::activeWindow());
        Box.exec();
    }

    int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags) override
    {
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        switch (Flags & 0xF0) {
        case MB_ICONHAND:
            Icon = QMessageBox::Critical;
            break;
        case MB_ICONQUESTION:
            Icon = QMessageBox::Question;
            break;
        case MB_ICONEXCLAMATION:
            Icon = QMessageBox::Warning;
            break;
        case MB_ICONASTERISK:
            Icon = QMessageBox::Information;
            break;
        }
        QMessageBox::StandardButtons Buttons;
        switch (Flags & 0x0F) {
        case MB_OKCANCEL:
            Buttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MB_ABORTRETRYIGNORE:
            Buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
            break;
        case MB_YESNOCANCEL:
            Buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case MB_YESNO:
            Buttons = QMessageBox::Yes | QMessageBox::No;
            break;
        case MB_RETRYCANCEL:
            Buttons = QMessageBox::Retry | QMessageBox::Cancel;
            break;
        default:
            Buttons = QMessageBox::Ok;
            break;
        }
        QMessageBox Box(Icon, Q(Caption), Q(Text), Buttons, QApplication::activeWindow());
        switch (Box.exec()) {
        case QMessageBox::Ok:
            return IDOK;
        case QMessageBox::Abort:
            return IDABORT;
        case QMessageBox::Retry:
            return IDRETRY;
        case QMessageBox::Ignore:
            return IDIGNORE;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        default:
            return IDCANCEL;
        }
    }

    bool ExecuteFileDialog(TFileDialogRequest& R) override
    {
        QFileDialog Dialog(QApplication::activeWindow(), Q(R.Title));
        Dialog.setAcceptMode(R.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        Dialog.setFileMode(R.Save || !R.FileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        QString Selected;
        if (!R.Filter.empty()) Dialog.setNameFilter(QtFilter(R.Filter, R.FilterIndex, &Selected));
        if (!Selected.isEmpty()) Dialog.selectNameFilter(Selected);
        if (!R.InitialDir.empty()) Dialog.setDirectory(Q(R.InitialDir));
        if (!R.FileName.empty()) Dialog.selectFile(Q(R.FileName));
        if (!R.OverwritePrompt) Dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return false;
        R.FileName = A(Dialog.selectedFiles().first());
        return true;
    }

    bool ExecuteColorDialog(std::uint32_t& Color) override
    {
        const QColor Initial(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
        const QColor C = QColorDialog::getColor(Initial, QApplication::activeWindow());
        if (!C.isValid()) return false;
        Color = static_cast<std::uint32_t>(C.red()) | (static_cast<std::uint32_t>(C.green()) << 8) |
                (static_cast<std::uint32_t>(C.blue()) << 16);
        return true;
    }

    bool ShellExecute(const TShellCall& Call) override
    {
        const QString File = Q(Call.File);
        if (File.isEmpty()) return false;
        const bool IsProgram = QFileInfo(File).isExecutable() && !QFileInfo(File).isDir();
        if (IsProgram) {
            QStringList Args;
            for (const auto& Arg : SplitCommandLine(Call.Parameters))
                Args << Q(Arg);
            return QProcess::startDetached(File, Args, Q(Call.Directory));
        }
        const QUrl Url = File.contains(QStringLiteral("://")) ? QUrl(File) : QUrl::fromLocalFile(File);
        return QDesktopServices::openUrl(Url);
    }
};

TQtInteraction& QtInteraction()
{
    static TQtInteraction I;
    return I;
}

TUserInteraction* Current = nullptr;

} // namespace

TUserInteraction* UserInteraction()
{
    return Current ? Current : &QtInteraction();
}
void SetUserInteraction(TUserInteraction* Interaction)
{
    Current = Interaction;
}

// ---- TScriptedInteraction -------------------------------------------------------

TScriptedInteraction::TScriptedInteraction() : FPrevious(Current)
{
    SetUserInteraction(this);
}
TScriptedInteraction::~TScriptedInteraction()
{
    SetUserInteraction(FPrevious);
}

void TScriptedInteraction::ShowMessage(const AnsiString& Title, const AnsiString& Text)
{
    Messages.push_back({Title, Text, 0, false});
}

int TScriptedInteraction::MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags)
{
    Messages.push_back({Caption, Text, Flags, true});
    if (MessageBoxAnswers.empty()) return IDCANCEL;
    const int Answer = MessageBoxAnswers.front();
    MessageBoxAnswers.pop_front();
    return Answer;
}

bool TScriptedInteraction::ExecuteFileDialog(TFileDialogRequest& Request)
{
    FileDialogs.push_back(Request);
    if (FileDialogAnswers.empty()) return false;
    const AnsiString Name = FileDialogAnswers.front();
    FileDialogAnswers.pop_front();
    if (Name.empty()) return false;
    Request.FileName = Name;
    return true;
}

bool TScriptedInteraction::ExecuteColorDialog(std::uint32_t& Color)
{
    if (ColorAnswers.empty()) return false;
    Color = ColorAnswers.front();
    ColorAnswers.pop_front();
    return true;
}

bool TScriptedInteraction::ShellExecute(const TShellCall& Call)
{
    ShellCalls.push_back(Call);
    return ShellResult;
}

// ---- Command lines --------------------------------------------------------------

std::vector<AnsiString> SplitCommandLine(const AnsiString& P)
{
    std::vector<AnsiString> Args;
    std::size_t I = 0;
    const std::size_t N = P.size();
    while (true) {
        while (I < N && (P[I] == ' ' || P[I] == '\t'))
            ++I;
        if (I >= N) break;
        AnsiString Arg;
        bool InQuotes = false;
        while (I < N) {
            const char C = P[I];
            if ((C == ' ' || C == '\t') && !InQuotes) break;
            if (C == '\\') {
                std::size_t Slashes = 0;
                while (I < N && P[I] == '\\')
                    ++Slashes, ++I;
                if (I < N && P[I] == '"') {
                    Arg.append(Slashes / 2, '\\');
                    if (Slashes % 2) {
                        Arg += '"';
                        ++I;
                    }
                } else {
                    Arg.append(Slashes, '\\');
                }
                continue;
            }
            if (C == '"') {
                if (InQuotes && I + 1 < N && P[I + 1] == '"') {
                    Arg += '"'; // a doubled quote inside quotes is one literal quote
                    I += 2;
                    continue;
                }
                InQuotes = !InQuotes;
                ++I;
                continue;
            }
            Arg += C;
            ++I;
        }
        Args.push_back(Arg);
    }
    return Args;
}
