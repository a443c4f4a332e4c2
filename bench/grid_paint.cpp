// bench/grid_paint.cpp
// The main window's grid painting, offscreen: five text columns (109, 80,
// 195, 116 and 83 pixels, Tahoma at 11 pixels), a 577 x 424 grid, rows of
// 16 under an 18-pixel header, [goHeader, goSelectFullRow] and
// [aoHideFocus, aoHideSelection], a selected row in view, scrolled to the
// middle of 1,000 and of 1,000,000 rows of scan-like texts:
//   - a full paint (the whole client area invalid, WM_PAINT into the image);
//   - a paint after RefreshCell of one cell in the middle of the view;
//   - the floor: the same visible cells drawn with QPainter straight into an
//     image of the client's size (header cells with their lines, cell fills,
//     elided text, the space right of the columns).
// Then the same grids as slides (80 high, the five boxes in two lines with
// captions on the left) take a full paint each.
// Each figure is the median of 20 runs of a batch of 5, the cases taking
// turns. Required: 1,000,000 rows at most 1.2 x 1,000 rows, the cell's
// repaint under a fifth of a full paint, a full paint at most 2 x the floor;
// slides: 1,000,000 rows at most 1.1 x 1,000.
//   grid_paint
// A benchmark program may use Qt directly: the comparison is the point.
#include "grid/GxTextColumn.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinUser.h"
#include "tests/grid/PaintGrid.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace GridStorage;

namespace {

constexpr int Runs = 20, Batch = 5;
struct TColumnSpec {
    const char16_t* Caption;
    int Width;
    TAlignment Alignment;
};
constexpr TColumnSpec Specs[] = {{u"File:", 109, taLeftJustify},
                                 {u"Line#:", 80, taCenter},
                                 {u"Match:", 195, taLeftJustify},
                                 {u"Found By:", 116, taLeftJustify},
                                 {u"Rejected By:", 83, taLeftJustify}};

WideString CellText(int Col, int Row)
{
    switch (Col) {
    case 0:
        return Utf8ToWide("/home/user/mail/archive-" + std::to_string(Row % 37) + "/inbox.txt");
    case 1:
        return Utf8ToWide(std::to_string(Row * 7 % 100000 + 1));
    case 2:
        return Utf8ToWide("someone." + std::to_string(Row) + "@example.com");
    case 3:
        return Row % 2 ? u"E-mail" : u"Web address";
    default:
        return Row % 5 ? u"" : u"Duplicate";
    }
}

struct TCase {
    TForm* Form;
    TPaintGrid* Grid;
};

TCase MakeGrid(int Rows)
{
    auto* Form = New<TForm>(Application);
    Form->SetClientWidth(600);
    Form->SetClientHeight(440);
    auto* Grid = New<TPaintGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 577, 424);
    Grid->SetColor(clWindow);
    Grid->GetFont()->SetName("Tahoma");
    Grid->GetFont()->SetHeight(-11);
    for (const TColumnSpec& S : Specs) {
        TGxCustomColumn* Column =
            Grid->GetColumns()->Add(GxColumns::ColumnClass<GxColumnClasses::TGxTextColumn>, S.Caption);
        Column->SetWidth(S.Width);
        Column->SetAlignment(S.Alignment);
        Column->SetColor(clWindow);
        Column->GetFont()->SetName("Tahoma");
        Column->GetFont()->SetHeight(-11);
    }
    Grid->SetOptions({goHeader, goSelectFullRow});
    Grid->SetAppearanceOptions({aoHideFocus, aoHideSelection});
    Grid->HandleNeeded();
    Grid->BeginUpdate();
    Grid->AddRow(Rows);
    for (int Row = 0; Row < Rows; ++Row)
        for (int Col = 0; Col < 5; ++Col)
            Grid->SetCells(Col, Row, CellText(Col, Row));
    Grid->EndUpdate();
    Grid->GetVertScrollBar()->SetPosition(Rows / 2);
    const int Selected = Grid->GetFirstRowInView() + 3;
    Grid->SetSelected(Selected, true);
    Grid->SetSelectedRow(Selected);
    UpdateWindow(Grid->GetHandle());
    return {Form, Grid};
}

// The cells the grid shows, drawn with QPainter.
class TFloor {
public:
    TFloor(TPaintGrid* Grid, int Rows) : FImage(Grid->GetClientWidth(), Grid->GetClientHeight(), QImage::Format_RGB32)
    {
        FFont.setFamily("Tahoma");
        FFont.setPixelSize(11);
        const int First = Grid->GetFirstRowInView();
        for (int Row = First; Row < Rows && 18 + (Row - First) * 16 < FImage.height(); ++Row)
            for (int Col = 0; Col < 5; ++Col)
                FTexts.push_back(QString::fromStdU16String(CellText(Col, Row)));
        FSelected = Grid->GetSelectedRow() - First;
    }
    void Paint()
    {
        QPainter P(&FImage);
        P.setFont(FFont);
        const QFontMetrics Metrics(FFont);
        const int Width = FImage.width(), Height = FImage.height();
        int X = 0;
        for (const TColumnSpec& S : Specs) {
            const QRect Cell(X, 0, S.Width, 18);
            P.fillRect(Cell, QColor(0xD4, 0xD0, 0xC8));
            P.setPen(Qt::white);
            P.drawLine(X, 0, X + S.Width - 1, 0);
            P.setPen(QColor(0x80, 0x80, 0x80));
            P.drawLine(X, 17, X + S.Width - 1, 17);
            P.drawLine(X + S.Width - 1, 0, X + S.Width - 1, 17);
            P.setPen(Qt::black);
            P.drawText(Cell.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       QString::fromStdU16String(S.Caption));
            X += S.Width;
        }
        const int Rows = int(FTexts.size()) / 5;
        for (int Row = 0; Row < Rows; ++Row) {
            X = 0;
            const bool Selected = Row == FSelected;
            for (int Col = 0; Col < 5; ++Col) {
                const QRect Cell(X, 18 + Row * 16, Specs[Col].Width, 16);
                P.fillRect(Cell, Selected ? QColor(0x0A, 0x24, 0x6A) : QColor(Qt::white));
                P.setPen(Selected ? Qt::white : Qt::black);
                const QRect Text = Cell.adjusted(2, 0, -2, 0);
                const Qt::Alignment Align = Specs[Col].Alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
                P.drawText(Text, Qt::AlignVCenter | Align,
                           Metrics.elidedText(FTexts[std::size_t(Row * 5 + Col)], Qt::ElideRight, Text.width()));
                X += Specs[Col].Width;
            }
        }
        if (X < Width) P.fillRect(QRect(X, 0, Width - X, Height), Qt::white);
    }

private:
    QImage FImage;
    QFont FFont;
    std::vector<QString> FTexts;
    int FSelected = 0;
};

// The columns' boxes in two lines, each captioned on its left.
void ShowAsSlides(TPaintGrid* Grid)
{
    TGxColumns* Columns = Grid->GetColumns();
    for (int Col = 0; Col < Columns->GetCount(); ++Col) {
        TGxCustomColumn* Column = Columns->GetItem(Col);
        TGxSlideBounds* B = Column->GetSlideBounds();
        B->SetLeft(Col % 3 * 180 + 80);
        B->SetTop(Col / 3 * 30 + 10);
        B->SetWidth(90);
        B->SetHeight(18);
        Column->SetSlideCaption(WideToUtf8(Specs[Col].Caption));
        Column->SetSlideCaptionLocation(clLeft);
    }
    Grid->SetGridStyle(gsSlides);
    UpdateWindow(Grid->GetHandle());
}

double Median(std::vector<double> V)
{
    std::nth_element(V.begin(), V.begin() + V.size() / 2, V.end());
    return V[V.size() / 2];
}

double TimeBatch(const std::function<void()>& Step)
{
    const auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < Batch; ++I)
        Step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count() / Batch;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    const std::array<int, 2> Sizes{1000, 1000000};
    std::array<TCase, 2> Cases{MakeGrid(Sizes[0]), MakeGrid(Sizes[1])};
    TFloor Floor(Cases[1].Grid, Sizes[1]);
    std::array<std::vector<double>, 2> Full, Cell;
    std::vector<double> Floors;
    for (int Run = 0; Run < Runs; ++Run) {
        for (int S = 0; S < 2; ++S) {
            TPaintGrid* G = Cases[S].Grid;
            HWND H = G->GetHandle();
            Full[S].push_back(TimeBatch([H] {
                InvalidateRect(H, nullptr, false);
                UpdateWindow(H);
            }));
            const int Row = G->GetFirstRowInView() + 6;
            Cell[S].push_back(TimeBatch([G, H, Row] {
                G->RefreshCell(2, Row);
                UpdateWindow(H);
            }));
        }
        Floors.push_back(TimeBatch([&Floor] { Floor.Paint(); }));
    }
    const int InView = Cases[1].Grid->GetVisibleCount(false);
    for (const TCase& C : Cases)
        ShowAsSlides(C.Grid);
    std::array<std::vector<double>, 2> Slides;
    for (int Run = 0; Run < Runs; ++Run)
        for (int S = 0; S < 2; ++S) {
            HWND H = Cases[S].Grid->GetHandle();
            Slides[S].push_back(TimeBatch([H] {
                InvalidateRect(H, nullptr, false);
                UpdateWindow(H);
            }));
        }
    const double Small = Median(Full[0]), Large = Median(Full[1]), CellLarge = Median(Cell[1]);
    const double FloorTime = Median(Floors);
    std::printf("client %d x %d, %d rows in view\n", Cases[1].Grid->GetClientWidth(), Cases[1].Grid->GetClientHeight(),
                InView);
    std::printf("%-34s %10s %10s %7s\n", "paint", "1,000", "1,000,000", "ratio");
    std::printf("%-34s %7.3f ms %7.3f ms %6.2fx\n", "full paint", Small * 1e3, Large * 1e3, Large / Small);
    std::printf("%-34s %7.3f ms %7.3f ms\n", "after RefreshCell", Median(Cell[0]) * 1e3, CellLarge * 1e3);
    std::printf("%-34s %10s %7.3f ms\n", "QPainter floor", "", FloorTime * 1e3);
    const double SlidesSmall = Median(Slides[0]), SlidesLarge = Median(Slides[1]);
    std::printf("%-34s %7.3f ms %7.3f ms %6.2fx\n", "full paint of slides", SlidesSmall * 1e3, SlidesLarge * 1e3,
                SlidesLarge / SlidesSmall);
    const double RowsRatio = Large / Small, CellRatio = CellLarge / Large, FloorRatio = Large / FloorTime;
    std::printf("1,000,000 : 1,000 rows %.2f (at most 1.2)\n", RowsRatio);
    std::printf("cell : full %.3f (under 0.2)\n", CellRatio);
    std::printf("full : floor %.2f (at most 2)\n", FloorRatio);
    const double SlidesRatio = SlidesLarge / SlidesSmall;
    std::printf("slides 1,000,000 : 1,000 rows %.2f (at most 1.1)\n", SlidesRatio);
    for (const TCase& C : Cases)
        Free(C.Form);
    platform::StopApplication();
    return RowsRatio <= 1.2 && CellRatio < 0.2 && FloorRatio <= 2 && SlidesRatio <= 1.1 ? 0 : 1;
}
