// grid/shared/GxSharedCommon_Graphics.cpp: standard pictures, gradients and
// text in rectangles.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/win/WinGdi.h"

namespace GxSharedCommon {

using namespace GxClasses;
using namespace GxThemesSupport;

namespace {

UINT AlignmentFlags(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return 0;
    }
}

} // namespace

// ---- Pictures from resources ---------------------------------------------------------------------

void TGraphicsProvider::DrawBitmapFromRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName, bool Transparent)
{
    TBitmap Bitmap;
    Bitmap.LoadFromResourceName(HInstance, ResName);
    if (Transparent && !Bitmap.GetEmpty()) {
        Bitmap.SetTransparent(true);
        Bitmap.SetTransparentColor(Bitmap.GetCanvas()->GetPixels(0, Bitmap.GetHeight() - 1));
    }
    Canvas->Draw(X, Y, &Bitmap);
}

void TGraphicsProvider::DrawImageFromRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName)
{
    DrawBitmapFromRes(Canvas, X, Y, ResName, true);
}

// ---- Buttons, focus and check boxes ------------------------------------------------------------------

void TGraphicsProvider::DrawButton(TCanvas* Canvas, const TRect& Rect, bool Down)
{
    TRect Face = Rect;
    InflateRect(Face, -1, -1);
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(Face);
    TRect Frame = Rect;
    Frame3D(Canvas, Frame, clBtnHighlight, Down ? clWindowFrame : clBtnShadow, 1);
}

void TGraphicsProvider::DrawFocused(TCanvas* Canvas, const TRect& Rect, bool Solid)
{
    if (Solid) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->FrameRect(Rect);
        return;
    }
    HDC DC = Canvas->GetHandle();
    const COLORREF OldBack = SetBkColor(DC, RGB(0, 0, 0));
    const COLORREF OldText = SetTextColor(DC, RGB(255, 255, 255));
    DrawFocusRect(DC, &Rect);
    SetBkColor(DC, OldBack);
    SetTextColor(DC, OldText);
}

void TGraphicsProvider::DrawCheckBox(HWND Handle, TCanvas* Canvas, const TRect& Rect, TAlignment Alignment,
                                     TVerticalAlignment VerticalAlignment, bool Checked, bool Down, bool Hover)
{
    if (IsThemed()) {
        const TPoint P = TCalcProvider::PosInRect(13, 13, 2, Rect, Alignment, VerticalAlignment);
        int State;
        if (!Hover)
            State = Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
        else if (!Checked)
            State = Down ? CBS_UNCHECKEDPRESSED : CBS_UNCHECKEDHOT;
        else
            State = Down ? CBS_CHECKEDPRESSED : CBS_CHECKEDHOT;
        ThemeRect(Handle, Canvas->GetHandle(), Bounds(P.X, P.Y, 13, 13), u"Button", BP_CHECKBOX, State);
        return;
    }
    DrawClassicCheckBox(Canvas, TCalcProvider::PosInRect(11, 11, 2, Rect, Alignment, VerticalAlignment), Checked, Down);
}

void TGraphicsProvider::DrawClassicCheckBox(TCanvas* Canvas, TPoint P, bool Checked, bool Down)
{
    Canvas->GetBrush()->SetColor(Down ? clBtnFace : clWindow);
    Canvas->GetPen()->SetColor(clBtnShadow);
    Canvas->Rectangle(Bounds(P.X, P.Y, 11, 11));
    Canvas->GetPen()->SetColor(clWindowText);
    if (!Checked) return;
    const LONG X = P.X, Y = P.Y;
    for (LONG Row = 0; Row < 3; ++Row)
        Canvas->Polyline({TPoint(X + 2, Y + 4 + Row), TPoint(X + 4, Y + 6 + Row), TPoint(X + 9, Y + 1 + Row)});
}

// ---- Gradients -----------------------------------------------------------------------------------------

void TGraphicsProvider::DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor)
{
    const int Height = Rect.Bottom - Rect.Top;
    if (Height <= 0) return;
    for (int Y = Rect.Top; Y < Rect.Bottom; ++Y) {
        Canvas->GetPen()->SetColor(BlendColor(FromColor, ToColor, double(Y - Rect.Top) / Height));
        Canvas->MoveTo(Rect.Left, Y);
        Canvas->LineTo(Rect.Right, Y);
    }
}

void TGraphicsProvider::DrawVertGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor)
{
    const int Width = Rect.Right - Rect.Left;
    if (Width <= 0) return;
    for (int X = Rect.Left; X < Rect.Right; ++X) {
        Canvas->GetPen()->SetColor(BlendColor(FromColor, ToColor, double(X - Rect.Left) / Width));
        Canvas->MoveTo(X, Rect.Top);
        Canvas->LineTo(X, Rect.Bottom);
    }
}

// ---- Text ------------------------------------------------------------------------------------------------

void TGraphicsProvider::DrawTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text,
                                     TBiDiMode BiDiMode)
{
    GxSharedCommon::DrawTextRect(Canvas, Rect, Alignment, Text, BiDiMode);
}

void DrawTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text, TBiDiMode BiDiMode)
{
    UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXTERNALLEADING;
    Flags |= AlignmentFlags(Alignment);
    if (BiDiMode != bdLeftToRight) Flags |= DT_RTLREADING;
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    DrawTextBy(Canvas, Text, R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TGraphicsProvider::DrawWrapedTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment,
                                           TVerticalAlignment VerticalAlignment, bool WordWrap, const WideString& Text,
                                           TBiDiMode BiDiMode)
{
    UINT Flags = DT_NOPREFIX | AlignmentFlags(Alignment);
    TRect R = Rect;
    if (WordWrap) {
        Flags |= DT_WORDBREAK;
        TRect Measured = Rect;
        DrawTextBy(Canvas, Text, Measured, Flags | DT_CALCRECT);
        if (VerticalAlignment == taAlignBottom)
            R.Top = R.Bottom - (Measured.Bottom - Measured.Top);
        else if (VerticalAlignment == taVerticalCenter)
            R.Top += LONG(Round((double(R.Bottom) - Measured.Bottom) / 2));
    } else {
        if (VerticalAlignment == taAlignBottom)
            Flags |= DT_BOTTOM;
        else if (VerticalAlignment == taVerticalCenter)
            Flags |= DT_VCENTER;
        Flags |= DT_SINGLELINE;
    }
    if (BiDiMode == bdRightToLeft) Flags |= DT_RTLREADING;
    Canvas->GetBrush()->SetStyle(bsClear);
    DrawTextBy(Canvas, Text, R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void DrawVerticalText(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text)
{
    Canvas->GetBrush()->SetStyle(bsClear);
    HDC DC = Canvas->GetHandle();
    LOGFONT LogFont;
    GetObject(Canvas->GetFont()->GetHandle(), sizeof(LogFont), &LogFont);
    LogFont.lfEscapement = 900;
    LogFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    HFONT Font = CreateFontIndirect(&LogFont);
    HGDIOBJ OldFont = SelectObject(DC, Font);
    // One bottom-aligned line as DrawText places it (DT_BOTTOM, DT_SINGLELINE,
    // DT_EXTERNALLEADING, no prefixes), its cell's corner at the line's top
    // left; the turned font then runs it upwards from there, kept inside Rect.
    TEXTMETRIC Metrics;
    GetTextMetrics(DC, &Metrics);
    const int LineHeight = Metrics.tmHeight + Metrics.tmExternalLeading;
    ExtTextOutA(DC, Rect.Left, Rect.Bottom - LineHeight, ETO_CLIPPED, &Rect, Text.data(), UINT(Text.size()), nullptr);
    SelectObject(DC, OldFont);
    DeleteObject(Font);
}

void TDisplayProvider::DrawFontPreview(TCanvas* Canvas, const TRect& Rect, const AnsiString& FontName)
{
    Canvas->GetBrush()->SetColor(clHighlight);
    Canvas->GetFont()->SetSize(8);
    Canvas->GetFont()->SetColor(clHighlightText);
    Canvas->GetFont()->SetName(FontName);
    Canvas->TextRect(Rect, Rect.Left, Rect.Top, "ab");
}

} // namespace GxSharedCommon
