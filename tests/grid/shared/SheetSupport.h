// A sheet of drawing routines for the eye: one cell a routine, painted in a
// window. Every cell must receive ink; with QUILLMOTE_SHEET_DIR set the sheet
// is also saved there as a PNG to be looked at.
#pragma once
#include "platform/controls/Forms.h"
#include "platform/controls/TestDriving.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// A 32-bit picture whose colour runs across and whose alpha runs down.
inline std::unique_ptr<TBitmap> Picture32(int W, int H)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf32bit);
    B->SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            Byte* P = B->GetScanLine(Y) + X * 4;
            P[0] = Byte(255 * X / W);
            P[1] = 40;
            P[2] = Byte(255 - 255 * X / W);
            P[3] = Byte(255 * Y / H);
        }
    return B;
}

struct TSheetCell {
    const char* Title;
    std::function<void(TCanvas* Canvas, const TRect& Area)> Draw;
};

class TSheet : public TCustomControl {
public:
    static constexpr int CellHeight = 70, Columns = 5;

    TSheet(TComponent* AOwner, std::vector<TSheetCell> Cells, int ACellWidth)
        : TCustomControl(AOwner), List(std::move(Cells)), CellWidth(ACellWidth)
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
    int CellWidth;

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(GetClientRect());
        for (std::size_t I = 0; I < List.size(); ++I) {
            const TRect A = Area(int(I));
            C->GetBrush()->SetColor(clWhite);
            C->GetFont()->SetColor(clGray);
            C->TextOut(A.Left, A.Top - 15, List[I].Title);
            C->GetFont()->SetColor(clBlack);
            C->GetPen()->SetColor(clBlack);
            C->GetBrush()->SetColor(clWhite);
            List[I].Draw(C, A);
        }
    }
};

// Paints the cells in a form (Prepare may add children to the sheet first),
// checks that each got ink, and saves the sheet as PngName when asked to.
inline void CheckSheet(std::vector<TSheetCell> Cells, int CellWidth, const char* PngName,
                       const std::function<void(TSheet*)>& Prepare = {})
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    auto* Sheet = new TSheet(Form, std::move(Cells), CellWidth);
    Sheet->AfterConstruction();
    Form->SetClientWidth(TSheet::Columns * CellWidth);
    Form->SetClientHeight(Sheet->Rows() * (TSheet::CellHeight + 16) + 10);
    Sheet->SetParent(Form);
    Sheet->SetAlign(alClient);
    if (Prepare) Prepare(Sheet);
    Form->Show();
    platform::test::PaintNow(Sheet);
    for (int I = 0; I < Sheet->GetControlCount(); ++I)
        platform::test::PaintNow(Sheet->GetControls(I));

    for (std::size_t I = 0; I < Sheet->List.size(); ++I) {
        const TRect A = Sheet->Area(int(I));
        int Ink = 0;
        for (int Y = A.Top; Y < A.Bottom; Y += 2)
            for (int X = A.Left; X < A.Right; X += 2)
                Ink += platform::test::PixelAt(Sheet, X, Y) != clWhite;
        EXPECT_GT(Ink, 10) << Sheet->List[I].Title;
    }
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        EXPECT_TRUE(platform::test::SaveWindowImage(Form, AnsiString(Dir) + "/" + PngName));
    }
}
