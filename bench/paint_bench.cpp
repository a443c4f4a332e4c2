// Drawing through the platform's GDI calls beside the same drawing done with
// QPainter directly, offscreen, on a 1280 x 1024 window:
//   - a frame of a grid: 50 rows of 5 cells, each FillRect + DrawText with an
//     end ellipsis (the window painted as a whole through WM_PAINT);
//   - a BitBlt of a whole-window picture onto the window;
//   - a scroll of the grid's rows by one row (ScrollWindowEx) and the repaint
//     of the uncovered row.
// Each figure is the median of several rounds; the ratio is platform / Qt.
//   paint_bench [rounds]
// A benchmark program may use Qt directly: the comparison is the point.
#include "platform/controls/Forms.h"
#include "platform/testing/TestDriving.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinUser.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Width = 1280, Height = 1024;
constexpr int Rows = 50, Cols = 5, RowHeight = 20, CellWidth = Width / Cols;
constexpr UINT CellFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

// Cell texts: two in five too long for their cell.
std::vector<std::u16string> MakeTexts()
{
    static const char16_t* Words[] = {u"alpha",
                                      u"someone@example.com",
                                      u"https://example.org/a/path",
                                      u"beta",
                                      u"Gamma",
                                      u"delta epsilon",
                                      u"x",
                                      u"quillmote",
                                      u"42.0001",
                                      u"the quick brown fox jumps over the lazy dog"};
    std::vector<std::u16string> Texts;
    for (int I = 0; I < Rows * Cols; ++I) {
        std::u16string S;
        for (int W = 0; W < 1 + I % 5; ++W) {
            if (!S.empty()) S += u' ';
            S += Words[(I * 7 + W * 3) % 10];
        }
        Texts.push_back(S);
    }
    return Texts;
}

const std::vector<std::u16string>& Texts()
{
    static const std::vector<std::u16string> T = MakeTexts();
    return T;
}

TColor CellColor(int Row, int Col)
{
    return (Row + Col) % 2 ? TColor(0xF0F0F0) : clWhite;
}

// The grid drawn through the platform: every cell that meets the paint
// region. Like a grid it paints all of itself, so the window erases nothing.
class TSheet : public TCustomControl {
public:
    explicit TSheet(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle(GetControlStyle() + TControlStyle{csOpaque});
    }
    int FirstRow = 0;

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        C->GetFont()->SetName("Tahoma");
        C->GetFont()->SetHeight(-11);
        HDC DC = C->GetHandle();
        TRect Box;
        GetClipBox(DC, &Box);
        for (int Row = std::max(0, Box.Top / RowHeight); Row < Rows && Row * RowHeight < Box.Bottom; ++Row)
            for (int Col = 0; Col < Cols; ++Col) {
                TRect Cell(Col * CellWidth, Row * RowHeight, (Col + 1) * CellWidth, (Row + 1) * RowHeight);
                C->GetBrush()->SetColor(CellColor(FirstRow + Row, Col));
                C->FillRect(Cell);
                C->GetBrush()->SetStyle(bsClear);
                const std::u16string& S = Texts()[std::size_t(((FirstRow + Row) % Rows) * Cols + Col)];
                TRect Text(Cell.Left + 2, Cell.Top, Cell.Right - 2, Cell.Bottom);
                DrawTextW(DC, S.data(), int(S.size()), &Text, CellFlags);
                C->GetBrush()->SetStyle(bsSolid);
            }
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(TRect(0, Rows * RowHeight, Width, Height));
    }
};

// The same grid drawn with QPainter: the cells of rows [First, Last).
void PaintCells(QPainter& P, const QFont& Font, int FirstRow, int First, int Last)
{
    const QFontMetrics M(Font);
    P.setFont(Font);
    P.setPen(Qt::black);
    for (int Row = First; Row < Last; ++Row)
        for (int Col = 0; Col < Cols; ++Col) {
            const QRect Cell(Col * CellWidth, Row * RowHeight, CellWidth, RowHeight);
            const TColor Color = CellColor(FirstRow + Row, Col);
            P.fillRect(Cell, QColor(GetRValue(Color), GetGValue(Color), GetBValue(Color)));
            const std::u16string& S = Texts()[std::size_t(((FirstRow + Row) % Rows) * Cols + Col)];
            const QRect Text = Cell.adjusted(2, 0, -2, 0);
            const QString Q = QString::fromUtf16(S.data(), qsizetype(S.size()));
            P.drawText(Text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       M.elidedText(Q, Qt::ElideRight, Text.width()));
        }
}

// Median times of one call of each of two pieces of work, in milliseconds,
// over Rounds rounds of Batch calls; the rounds alternate, so that both see
// the same machine.
std::pair<double, double> Medians(int Rounds, int Batch, const std::function<void()>& A, const std::function<void()>& B)
{
    A(); // warm caches (glyphs, fonts, images)
    B();
    std::vector<double> Times[2];
    for (int R = 0; R < Rounds; ++R)
        for (int Which = 0; Which < 2; ++Which) {
            const std::function<void()>& Work = Which ? B : A;
            const auto Start = std::chrono::steady_clock::now();
            for (int I = 0; I < Batch; ++I)
                Work();
            Times[Which].push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count() / Batch);
        }
    for (auto& T : Times)
        std::sort(T.begin(), T.end());
    return {Times[0][Times[0].size() / 2], Times[1][Times[1].size() / 2]};
}

void Report(const char* Name, std::pair<double, double> Times, double Target)
{
    const auto [Platform, Qt] = Times;
    std::printf("%-34s %9.3f ms %9.3f ms %6.2fx", Name, Platform, Qt, Platform / Qt);
    if (Target > 0) std::printf("   (target <= %.1fx)", Target);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const int Rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();

    TForm* Form = New<TForm>(Application);
    Form->SetClientWidth(Width);
    Form->SetClientHeight(Height);
    auto* Sheet = New<TSheet>(Form);
    Sheet->SetBounds(0, 0, Width, Height);
    Sheet->SetParent(Form);
    Form->Show();
    platform::test::ProcessEvents();
    platform::test::PaintNow(Sheet);

    QFont Font(QStringLiteral("Tahoma"));
    Font.setPixelSize(11);
    QImage Screen(Width, Height, QImage::Format_RGB32);
    Screen.fill(Qt::white);

    std::printf("%-34s %12s %12s %7s\n", "", "platform", "QPainter", "ratio");

    Report("grid frame (50 x 5 cells)",
           Medians(
               Rounds, 4,
               [&] {
                   Sheet->Invalidate();
                   platform::test::PaintNow(Sheet);
               },
               [&] {
                   QPainter P(&Screen);
                   PaintCells(P, Font, 0, 0, Rows);
               }),
           1.5);

    // A picture with something in it: a frame of the grid.
    std::unique_ptr<TBitmap> Picture(new TBitmap);
    Picture->SetSize(Width, Height);
    HDC Window = GetDC(Sheet->GetHandle());
    BitBlt(Picture->GetCanvas()->GetHandle(), 0, 0, Width, Height, Window, 0, 0, SRCCOPY);
    const QImage Source = Screen.copy();
    Report("BitBlt 1280 x 1024 (SRCCOPY)",
           Medians(
               Rounds, 20,
               [&] { BitBlt(Window, 0, 0, Width, Height, Picture->GetCanvas()->GetHandle(), 0, 0, SRCCOPY); },
               [&] {
                   QPainter P(&Screen);
                   P.drawImage(0, 0, Source);
               }),
           2.0);
    ReleaseDC(Sheet->GetHandle(), Window);

    const TRect Body(0, 0, Width, Rows * RowHeight);
    QPixmap Pixmap = QPixmap::fromImage(Screen);
    int FirstRow = 0;
    Report("scroll one row + repaint",
           Medians(
               Rounds, 20,
               [&] {
                   ++Sheet->FirstRow;
                   ScrollWindowEx(Sheet->GetHandle(), 0, -RowHeight, &Body, nullptr, nullptr, nullptr, SW_INVALIDATE);
                   platform::test::PaintNow(Sheet);
               },
               [&] {
                   ++FirstRow;
                   Pixmap.scroll(0, -RowHeight, QRect(0, 0, Width, Rows * RowHeight));
                   QPainter P(&Pixmap);
                   P.setClipRect(QRect(0, (Rows - 1) * RowHeight, Width, RowHeight));
                   PaintCells(P, Font, FirstRow, Rows - 1, Rows);
               }),
           0);

    Free(Form);
    platform::test::ProcessEvents();
    platform::StopApplication();
    return 0;
}
