// A sheet of drawing routines: one cell a routine, painted in a window, each
// cell with the pixels its routine must paint and those it must leave white.
// With QUILLMOTE_SHEET_DIR set the sheet is also saved there as a PNG to be
// looked at.
#pragma once
#include "platform/controls/Forms.h"
#include "platform/testing/TestDriving.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// The colour that must be at (X, Y) of a cell's area, each channel within
// Tolerance; clNone asks for anything but white.
struct TProbe {
    int X, Y;
    TColor Color;
    int Tolerance = 0;
};

// A cell's area as painted, for checks that probes cannot say (where text
// went): coordinates are the area's.
struct TCellView {
    TControl* Sheet;
    TRect Area;
    TColor At(int X, int Y) const { return platform::test::PixelAt(Sheet, Area.Left + X, Area.Top + Y); }
    // The bounding box of the pixels in R that Is picks (Width() <= 0 when none).
    TRect Where(const TRect& R, const std::function<bool(TColor)>& Is) const
    {
        TRect Box(R.Right, R.Bottom, R.Left - 1, R.Top - 1);
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Is(At(X, Y)))
                    Box = TRect(std::min<LONG>(Box.Left, X), std::min<LONG>(Box.Top, Y),
                                std::max<LONG>(Box.Right, X + 1), std::max<LONG>(Box.Bottom, Y + 1));
        return Box;
    }
    // The bounding box of the pixels in R that are not Ground (empty when none).
    TRect Ink(const TRect& R, TColor Ground = clWhite) const
    {
        const TRect Box = Where(R, [Ground](TColor C) { return C != Ground; });
        return Box.Right < Box.Left ? TRect() : Box;
    }
};

// Probes from (x, y, colour) triples, each colour exact.
inline std::vector<TProbe> Probes(std::initializer_list<int> Triples)
{
    std::vector<TProbe> List;
    for (auto I = Triples.begin(); I + 2 < Triples.end(); I += 3)
        List.push_back({I[0], I[1], TColor(I[2])});
    return List;
}

struct TSheetCell {
    const char* Title;
    std::function<void(TCanvas* Canvas, const TRect& Area)> Draw;
    std::vector<TProbe> Probes;
    std::function<void(const TCellView& View)> Check = {};
};

inline bool Near(TColor A, TColor B, int Tolerance)
{
    for (int Shift = 0; Shift < 24; Shift += 8)
        if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > Tolerance) return false;
    return true;
}

// A red 20 x 36 pf32bit picture in three bands of alpha, from the top: 255, 0 and 128.
inline std::unique_ptr<TBitmap> AlphaBands()
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf32bit);
    B->SetSize(20, 36);
    for (int Y = 0; Y < 36; ++Y)
        for (int X = 0; X < 20; ++X) {
            Byte* P = B->GetScanLine(Y) + X * 4;
            P[0] = P[1] = 0;
            P[2] = 255;
            P[3] = Y < 12 ? 255 : Y < 24 ? 0 : 128;
        }
    return B;
}

class TSheet : public TCustomControl {
public:
    static constexpr int CellHeight = 70;

    TSheet(TComponent* AOwner, std::vector<TSheetCell> Cells, int ACellWidth, int AColumns)
        : TCustomControl(AOwner), List(std::move(Cells)), CellWidth(ACellWidth), Columns(AColumns)
    {
    }
    TRect Area(int Index) const
    {
        const int Left = (Index % Columns) * CellWidth + 5;
        const int Top = (Index / Columns) * (CellHeight + 16) + 18;
        return Bounds(Left, Top, CellWidth - 10, CellHeight - 10);
    }
    int Rows() const { return int((List.size() + Columns - 1) / Columns); }

    std::vector<TSheetCell> List;
    int CellWidth, Columns;

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(GetClientRect());
        for (std::size_t I = 0; I < List.size(); ++I) {
            const TRect A = Area(int(I));
            C->GetBrush()->SetColor(clWhite);
            C->GetFont()->Assign(GetFont());
            C->GetFont()->SetColor(clGray);
            C->TextOut(A.Left, A.Top - 15, List[I].Title);
            C->GetFont()->SetColor(clBlack);
            C->GetPen()->SetColor(clBlack);
            C->GetBrush()->SetColor(clWhite);
            List[I].Draw(C, A);
        }
    }
};

// Paints the cells in a form (Prepare may add children to the sheet first)
// and checks each cell's probes, and that nothing lands beside its area.
inline void CheckSheet(std::vector<TSheetCell> Cells, int CellWidth, const char* PngName,
                       const std::function<void(TSheet*)>& Prepare = {}, int Columns = 5)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    auto* Sheet = new TSheet(Form, std::move(Cells), CellWidth, Columns);
    Sheet->AfterConstruction();
    Form->SetClientWidth(Columns * CellWidth);
    Form->SetClientHeight(Sheet->Rows() * (TSheet::CellHeight + 16) + 10);
    Sheet->SetParent(Form);
    Sheet->SetAlign(alClient);
    if (Prepare) Prepare(Sheet);
    Form->Show();
    platform::test::PaintNow(Sheet);
    for (int I = 0; I < Sheet->GetControlCount(); ++I)
        platform::test::PaintNow(Sheet->GetControls(I));

    for (std::size_t I = 0; I < Sheet->List.size(); ++I) {
        const TSheetCell& Cell = Sheet->List[I];
        const TRect A = Sheet->Area(int(I));
        SCOPED_TRACE(Cell.Title);
        std::vector<TProbe> Probes = Cell.Probes;
        const int W = A.Width(), H = A.Height();
        for (int Step = 0; Step < 4; ++Step) {
            Probes.push_back({-1, Step * H / 4, clWhite});
            Probes.push_back({W, Step * H / 4, clWhite});
            Probes.push_back({Step * W / 4, H, clWhite});
        }
        for (const TProbe& P : Probes) {
            const TColor Got = platform::test::PixelAt(Sheet, A.Left + P.X, A.Top + P.Y);
            if (P.Color == clNone)
                EXPECT_NE(Got, clWhite) << "at " << P.X << "," << P.Y;
            else
                EXPECT_TRUE(Near(Got, P.Color, P.Tolerance))
                    << "at " << P.X << "," << P.Y << std::hex << ": got " << Got << ", want " << P.Color;
        }
        if (Cell.Check) Cell.Check(TCellView{Sheet, A});
    }
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        EXPECT_TRUE(platform::test::SaveWindowImage(Form, AnsiString(Dir) + "/" + PngName));
    }
}
