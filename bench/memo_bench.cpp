// Typing into and moving the mouse over a long memo, offscreen: a shown
// TGxMemo of 100,000 lines (about 1.8 MB) with the caret at the end takes
// 1,000 keys through the platform's key driver, the events pumped after
// each, then 1,000 mouse moves over its text; the same with 10 lines. A key
// or a move should cost about the same whatever the length of the text.
// A bare QPlainTextEdit takes the same keys, for comparison.
// Then a read-only list as the main window's "Final Matches" (a plain-text
// rich edit, word wrap, both scroll bars) on a page that is not showing takes
// 700,000 short lines in batches of 5,000, the events pumped after each, and
// its page is shown, and "Copy To Clipboard" selects all of it and copies it;
// the selection's start and length are counted too. The same for an editable
// memo holding those lines.
//   memo_bench [lines]
// A benchmark program may use Qt directly: the comparison is the point.
#include "grid/shared/GxMemo.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/testing/TestDriving.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace GxMemo;
using Clock = std::chrono::steady_clock;

constexpr int Keys = 1000, Moves = 1000, Warm = 20;

double Since(Clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

// Lines of 17 characters and a break.
AnsiString MakeText(int Lines)
{
    AnsiString Text;
    Text.reserve(std::size_t(Lines) * 18);
    char Line[32];
    for (int I = 0; I < Lines; ++I) {
        std::snprintf(Line, sizeof Line, "%06d who@mail.to\n", I % 1000000);
        Text += Line;
    }
    return Text;
}

struct TFigures {
    double Key = 0, Move = 0; // ms each
};

TFigures MeasureMemo(TForm* Form, int Lines)
{
    using namespace platform::test;
    auto* Memo = New<TGxMemo>(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(10, 10, 460, 340);
    Memo->GetLines()->SetText(MakeText(Lines));
    ProcessEvents();
    Memo->SetFocus();
    Memo->SetSelStart(INT_MAX); // the caret at the end, the view following it
    ProcessEvents();
    auto Type = [&](int Count) {
        for (int I = 0; I < Count; ++I) {
            const char16_t C = char16_t(u'a' + I % 26);
            PressKey(Memo, Word('A' + I % 26), {}, WideString(1, C));
            ProcessEvents();
        }
    };
    Type(Warm);
    TFigures F;
    auto Start = Clock::now();
    Type(Keys);
    F.Key = Since(Start) / Keys;
    Start = Clock::now();
    for (int I = 0; I < Moves; ++I) {
        MouseMove(Memo, 20 + (I * 37) % 400, 20 + (I * 53) % 280);
        ProcessEvents();
    }
    F.Move = Since(Start) / Moves;
    Free(Memo);
    ProcessEvents();
    return F;
}

TFigures MeasureBare(int Lines)
{
    QPlainTextEdit Edit;
    Edit.setPlainText(QString::fromUtf8(MakeText(Lines).c_str()));
    Edit.resize(460, 340);
    Edit.show();
    Edit.activateWindow();
    Edit.setFocus();
    Edit.moveCursor(QTextCursor::End);
    platform::test::ProcessEvents();
    auto Type = [&](int Count) {
        for (int I = 0; I < Count; ++I) {
            const QString C(QChar(char16_t(u'a' + I % 26)));
            QKeyEvent Press(QEvent::KeyPress, Qt::Key_A + I % 26, Qt::NoModifier, C);
            QApplication::sendEvent(&Edit, &Press);
            QKeyEvent Release(QEvent::KeyRelease, Qt::Key_A + I % 26, Qt::NoModifier, C);
            QApplication::sendEvent(&Edit, &Release);
            platform::test::ProcessEvents();
        }
    };
    Type(Warm);
    TFigures F;
    auto Start = Clock::now();
    Type(Keys);
    F.Key = Since(Start) / Keys;
    // Tracked, as a window of the platform tracks the mouse: Qt drops a
    // move with no button held on a widget that does not track.
    QWidget* Surface = Edit.viewport();
    Surface->setMouseTracking(true);
    Start = Clock::now();
    for (int I = 0; I < Moves; ++I) {
        const QPointF At(20 + (I * 37) % 400, 20 + (I * 53) % 280);
        QMouseEvent Move(QEvent::MouseMove, At, Surface->mapToGlobal(At), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Surface, &Move);
        platform::test::ProcessEvents();
    }
    F.Move = Since(Start) / Moves;
    return F;
}

// What "Copy To Clipboard" costs (ms): SelectAll, CopyToClipboard, and
// GetSelStart with GetSelLength after them.
struct TCopyFigures {
    double SelectAll = 0, Copy = 0, Count = 0;
};

TCopyFigures MeasureCopy(TCustomMemo* Memo)
{
    TCopyFigures F;
    auto Start = Clock::now();
    Memo->SelectAll();
    F.SelectAll = Since(Start);
    Start = Clock::now();
    Memo->CopyToClipboard();
    F.Copy = Since(Start);
    Start = Clock::now();
    const int Counted = Memo->GetSelStart() + Memo->GetSelLength();
    F.Count = Since(Start);
    if (Counted != int(Memo->GetText().size())) std::printf("selection miscounted: %d\n", Counted);
    return F;
}

void PrintCopy(const char* What, const TCopyFigures& F)
{
    std::printf("%s: SelectAll %.2f ms, CopyToClipboard %.1f ms, GetSelStart + GetSelLength %.2f ms\n", What,
                F.SelectAll, F.Copy, F.Count);
}

struct TAppendFigures {
    double Append = 0, Show = 0;           // ms in all
    TCopyFigures ReadOnly[2], Editable[2]; // the first time and again
};

TAppendFigures MeasureAppend(TForm* Form, int Lines, int Batch)
{
    using namespace platform::test;
    auto* Pages = New<TPageControl>(Form);
    Pages->SetParent(Form);
    Pages->SetBounds(0, 0, 480, 360);
    auto* First = New<TTabSheet>(Pages);
    First->SetPageControl(Pages);
    auto* Second = New<TTabSheet>(Pages);
    Second->SetPageControl(Pages);
    auto* List = New<TRichEdit>(Form);
    List->SetParent(Second);
    List->SetPlainText(true);
    List->SetReadOnly(true);
    List->SetScrollBars(ssBoth);
    List->SetWordWrap(true);
    List->SetAlign(alClient);
    Pages->SetActivePage(First);
    ProcessEvents();
    std::vector<AnsiString> Chunk(static_cast<std::size_t>(Batch));
    TAppendFigures F;
    auto Start = Clock::now();
    for (int Done = 0; Done < Lines; Done += Batch) {
        for (int I = 0; I < Batch; ++I)
            Chunk[std::size_t(I)] = "user" + std::to_string(Done + I) + "@example.org";
        List->GetLines()->AddStrings(Chunk);
        ProcessEvents();
    }
    F.Append = Since(Start);
    Start = Clock::now();
    Pages->SetActivePage(Second);
    PaintNow(List);
    ProcessEvents();
    F.Show = Since(Start);
    if (List->GetLines()->GetCount() != Lines) std::printf("lost lines: %d\n", List->GetLines()->GetCount());
    F.ReadOnly[0] = MeasureCopy(List);
    F.ReadOnly[1] = MeasureCopy(List);
    List->SetReadOnly(false);
    ProcessEvents();
    F.Editable[0] = MeasureCopy(List);
    F.Editable[1] = MeasureCopy(List);
    Free(Pages);
    ProcessEvents();
    return F;
}

} // namespace

int main(int argc, char** argv)
{
    const int Long = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    GxThemesSupport::RegisterUnit();
    Application->Initialize();
    TForm* Form = New<TForm>(Application);
    Form->SetClientWidth(480);
    Form->SetClientHeight(360);
    Form->Show();
    platform::test::ProcessEvents();

    const TFigures Short = MeasureMemo(Form, 10);
    const TFigures Big = MeasureMemo(Form, Long);
    const TFigures BareShort = MeasureBare(10);
    const TFigures BareBig = MeasureBare(Long);
    std::printf("TGxMemo, %d lines: %.4f ms per key, %.4f ms per mouse move\n", 10, Short.Key, Short.Move);
    std::printf("TGxMemo, %d lines: %.4f ms per key, %.4f ms per mouse move\n", Long, Big.Key, Big.Move);
    std::printf("  ratio long / short: key %.2f, move %.2f (target at most 2)\n", Big.Key / Short.Key,
                Big.Move / Short.Move);
    std::printf("QPlainTextEdit, %d lines: %.4f ms per key, %.4f ms per mouse move\n", 10, BareShort.Key,
                BareShort.Move);
    std::printf("QPlainTextEdit, %d lines: %.4f ms per key, %.4f ms per mouse move\n", Long, BareBig.Key, BareBig.Move);
    std::printf("  ratio long / short: key %.2f, move %.2f\n", BareBig.Key / BareShort.Key,
                BareBig.Move / BareShort.Move);

    constexpr int Appended = 700000, Batch = 5000;
    const TAppendFigures Append = MeasureAppend(Form, Appended, Batch);
    std::printf(
        "read-only list, %d lines in batches of %d: %.1f ms to append (%.2f us a line), %.1f ms to show its page\n",
        Appended, Batch, Append.Append, Append.Append * 1000 / Appended, Append.Show);
    PrintCopy("  Copy To Clipboard, read-only", Append.ReadOnly[0]);
    PrintCopy("    and again", Append.ReadOnly[1]);
    PrintCopy("  Copy To Clipboard, editable", Append.Editable[0]);
    PrintCopy("    and again", Append.Editable[1]);

    Free(Form);
    platform::StopApplication();
    return 0;
}
