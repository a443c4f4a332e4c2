// grid/shared/GxSharedCommon_Bitmaps.cpp: masked, blended and grey bitmaps.
#include "grid/shared/GxSharedCommon.h"

#include <algorithm>

namespace GxSharedCommon {

namespace {

// The colour of pixel X of a 24-bit (Step 3) or 32-bit (Step 4) row of
// B, G, R[, A] bytes, and back.
TColor PixelAt(const Byte* Row, int X, int Step)
{
    const Byte* P = Row + std::size_t(X) * std::size_t(Step);
    return TColor(RGB(P[2], P[1], P[0]));
}

void PutPixel(Byte* Row, int X, int Step, TColor Color)
{
    Byte* P = Row + std::size_t(X) * std::size_t(Step);
    P[0] = GetBValue(COLORREF(Color));
    P[1] = GetGValue(COLORREF(Color));
    P[2] = GetRValue(COLORREF(Color));
}

// A bitmap of Width x Height in Format holding the canvas area at (X, Y).
void TakeCanvasArea(TBitmap& Temp, TPixelFormat Format, TCanvas* Canvas, int X, int Y, int Width, int Height)
{
    Temp.SetPixelFormat(Format);
    Temp.SetSize(Width, Height);
    Temp.GetCanvas()->CopyRect(TRect(0, 0, Width, Height), Canvas, Bounds(X, Y, Width, Height));
}

// Each pixel of a pf32bit bitmap blended by its alpha against what Back
// answers for it (the alpha byte stays).
template <class TBack> void BlendPixels(TBitmap& Target, TBitmap* Source, TBack Back)
{
    for (int Y = 0; Y < Target.GetHeight(); ++Y) {
        const Byte* In = Source->GetScanLine(Y);
        Byte* Out = Target.GetScanLine(Y);
        for (int X = 0; X < Target.GetWidth(); ++X)
            PutPixel(Out, X, 4, TMaskProvider::MixColors(PixelAt(In, X, 4), Back(Out, X), In[X * 4 + 3]));
    }
}

} // namespace

void TMaskProvider::DrawMaskedImage(TCanvas* Canvas, int X, int Y, TBitmap* Image, TBitmap* Mask)
{
    if (!Image || !Mask) return;
    if (Image->GetWidth() != Mask->GetWidth() || Image->GetHeight() != Mask->GetHeight())
        throw Exception("Image and Mask size differ");
    if (Image->GetEmpty()) return;
    const int W = Image->GetWidth();
    const int H = Image->GetHeight();
    TBitmap Temp;
    TakeCanvasArea(Temp, pf24bit, Canvas, X, Y, W, H);
    Image->SetPixelFormat(pf24bit);
    Mask->SetPixelFormat(pf24bit);
    for (int Row = 0; Row < H; ++Row) {
        const Byte* Pixels = Image->GetScanLine(Row);
        const Byte* Levels = Mask->GetScanLine(Row);
        Byte* Back = Temp.GetScanLine(Row);
        for (int Col = 0; Col < W; ++Col) {
            const int Level = GetColorLevel(PixelAt(Levels, Col, 3));
            PutPixel(Back, Col, 3, MixColors(PixelAt(Pixels, Col, 3), PixelAt(Back, Col, 3), Level));
        }
    }
    Canvas->Draw(X, Y, &Temp);
}

void TDrawProvider::ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    if (Bitmap->GetPixelFormat() != pf32bit) {
        Canvas->Draw(X, Y, Bitmap);
        return;
    }
    TBitmap Temp;
    TakeCanvasArea(Temp, pf24bit, Canvas, X, Y, Bitmap->GetWidth(), Bitmap->GetHeight());
    for (int Row = 0; Row < Temp.GetHeight(); ++Row) {
        const Byte* In = Bitmap->GetScanLine(Row);
        Byte* Out = Temp.GetScanLine(Row);
        for (int Col = 0; Col < Temp.GetWidth(); ++Col) {
            const double A = In[Col * 4 + 3];
            for (int Channel = 0; Channel < 3; ++Channel) {
                const Int64 Value =
                    Round(In[Col * 4 + Channel] * A / 255) + Round((1 - A / 255) * Out[Col * 3 + Channel]);
                Out[Col * 3 + Channel] = Byte(std::clamp<Int64>(Value, 0, 255));
            }
        }
    }
    Canvas->Draw(X, Y, &Temp);
}

void ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    if (Bitmap->GetPixelFormat() != pf32bit) {
        Canvas->Draw(X, Y, Bitmap);
        return;
    }
    TBitmap Temp;
    TakeCanvasArea(Temp, pf32bit, Canvas, X, Y, Bitmap->GetWidth(), Bitmap->GetHeight());
    BlendPixels(Temp, Bitmap, [](const Byte* Row, int Col) { return PixelAt(Row, Col, 4); });
    Canvas->Draw(X, Y, &Temp);
}

void TDrawProvider::DrawBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    if (Bitmap->GetPixelFormat() != pf32bit) {
        Canvas->Draw(X, Y, Bitmap);
        return;
    }
    TBitmap Copy;
    Copy.Assign(Bitmap);
    BlendPixels(Copy, Bitmap, [Color](const Byte*, int) { return Color; });
    Canvas->Draw(X, Y, &Copy);
}

void TDrawProvider::GrayscaleBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    auto Grey = [](const Byte* P) { return (P[0] + P[1] + P[2]) / 3; };
    if (Bitmap->GetPixelFormat() != pf32bit) {
        Bitmap->SetPixelFormat(pf24bit);
        for (int Row = 0; Row < Bitmap->GetHeight(); ++Row) {
            Byte* P = Bitmap->GetScanLine(Row);
            for (int Col = 0; Col < Bitmap->GetWidth(); ++Col, P += 3)
                P[0] = P[1] = P[2] = Byte(Grey(P));
        }
        Canvas->Draw(X, Y, Bitmap);
        return;
    }
    TBitmap Copy;
    Copy.Assign(Bitmap);
    for (int Row = 0; Row < Copy.GetHeight(); ++Row) {
        const Byte* In = Bitmap->GetScanLine(Row);
        Byte* Out = Copy.GetScanLine(Row);
        for (int Col = 0; Col < Copy.GetWidth(); ++Col) {
            const int G = Grey(In + Col * 4);
            PutPixel(Out, Col, 4,
                     TMaskProvider::MixColors(TColor(RGB(Byte(G), Byte(G), Byte(G))), Color, In[Col * 4 + 3]));
        }
    }
    Canvas->Draw(X, Y, &Copy);
}

void Save32BitBitmap(TBitmap* Bitmap, const AnsiString& FileName)
{
    if (!Bitmap) return;
    TBitmap Copy;
    Copy.Assign(Bitmap);
    Copy.SetPixelFormat(pf32bit); // a pf32bit source keeps its alpha, others become opaque
    Copy.SaveToFile(FileName);
}

} // namespace GxSharedCommon
