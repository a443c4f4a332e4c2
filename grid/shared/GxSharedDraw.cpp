// grid/shared/GxSharedDraw.cpp: colours, pixels, text, clipping and
// pseudo-transparency.
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxSharedDraw {

using namespace GxClasses;
using namespace GxSharedCommon;
using namespace GxThemesSupport;

// ---- Colours ----------------------------------------------------------------------------------------

TColor BlendColor(TColor Color1, TColor Color2, int Alpha)
{
    QM_ASSERT(Alpha >= 0 && Alpha < 256, "Assertion failure", "GxSharedDraw");
    return TGraphicsProvider::BlendColor(Color1, Color2, Alpha);
}

TColor BlendColor(TColor Color1, TColor Color2, double Factor)
{
    return TGraphicsProvider::BlendColor(Color1, Color2, Factor);
}

Byte MixBytes(Byte Fore, Byte Back, Byte Alpha)
{
    return Byte((std::uint32_t(Fore) * Alpha + std::uint32_t(Back) * (255u - Alpha)) >> 8);
}

TColor GetColor(TColorElement Element)
{
    const bool Themed = IsThemed();
    switch (Element) {
    case ceMenuHighlight:
        return Themed ? TColor(0xC2EEFF) : BlendColor(clHighlight, clWindow, 80);
    case ceTaskPaneHeadFromColor:
        return Themed ? TColor(0x8CD5FF) : cl3DLight;
    case ceTaskPaneHeadToColor:
        return Themed ? TColor(0x4CA6FF) : cl3DLight;
    case ceToolBtnBorder:
        return TColor(GetSysColor(COLOR_HOTLIGHT));
    case ceToolBtnFromColor:
        return 0x8CD5FF;
    case ceToolBtnToColor:
        return 0x55ADFF;
    case ceToolBtnHFromColor:
        return 0xCCF4FF;
    case ceToolBtnHToColor:
        return 0x91D0FF;
    case ceToolBtnDFromColor:
        return Themed ? TColor(0x4E91FE) : TColor(0xB291FE);
    case ceToolBtnDToColor:
        return 0x8ED3FF;
    case ceToolbarFromColor:
        return Themed ? clInactiveCaptionText : clWindow;
    case ceToolbarToColor:
        return Themed ? BlendColor(clHighlight, clInactiveCaptionText, 132) : clBtnFace;
    case ceWhidbeyTabBorder:
        return Themed ? TColor(0xB99D7F) : clGrayText;
    }
    return clNone;
}

TColor Lighten(TColor Color, int Amount)
{
    const TColor C = ColorToRGB(Color);
    auto Move = [Amount](Byte Channel) {
        return Byte(std::clamp<std::int64_t>(std::int64_t(Channel) + Amount, 0, 255));
    };
    return TColor(RGB(Move(GetRValue(C)), Move(GetGValue(C)), Move(GetBValue(C))));
}

// ---- Pixels -------------------------------------------------------------------------------------------

void PutColorValues24(Byte*& Pixel, Byte R, Byte G, Byte B)
{
    Pixel[0] = B;
    Pixel[1] = G;
    Pixel[2] = R;
    Pixel += 3;
}

void PutColorValues32(Byte*& Pixel, Byte R, Byte G, Byte B)
{
    Pixel[0] = B;
    Pixel[1] = G;
    Pixel[2] = R;
    Pixel += 4;
}

void SetColorValues24(Byte*& Pixel, Byte& R, Byte& G, Byte& B)
{
    B = Pixel[0];
    G = Pixel[1];
    R = Pixel[2];
    Pixel += 3;
}

void SetColorValues32(Byte*& Pixel, Byte& R, Byte& G, Byte& B, Byte& A)
{
    A = Pixel[3];
    SetColorValues32(Pixel, R, G, B);
}

void SetColorValues32(Byte*& Pixel, Byte& R, Byte& G, Byte& B)
{
    B = Pixel[0];
    G = Pixel[1];
    R = Pixel[2];
    Pixel += 4;
}

namespace {

void MakeGrey(Byte* Pixel)
{
    const Byte Grey = Byte((unsigned(Pixel[0]) + Pixel[1] + Pixel[2]) / 3);
    Pixel[0] = Pixel[1] = Pixel[2] = Grey;
}

} // namespace

void GrayscaleValues24(Byte*& Pixel)
{
    MakeGrey(Pixel);
    Pixel += 3;
}

void GrayscaleValues32(Byte*& Pixel)
{
    MakeGrey(Pixel);
    Pixel += 4;
}

// ---- Text ------------------------------------------------------------------------------------------------

namespace {

constexpr UINT LineFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_EXTERNALLEADING;

UINT AlignmentFlags(TAlignment Alignment)
{
    return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : 0;
}

// One line on a clear brush through the wide or the 8-bit call, as the
// grid library's flag says.
void DrawLine(TCanvas* Canvas, const TRect& Rect, const WideString& Text, UINT Flags)
{
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    DrawTextBy(Canvas, Text, R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

} // namespace

void DrawText(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text, bool NoPrefix)
{
    DrawLine(Canvas, Rect, Text, LineFlags | AlignmentFlags(Alignment) | (NoPrefix ? DT_NOPREFIX : 0));
}

void DrawTextRect(TCanvas* Canvas, const TRect& Rect, const WideString& Text, TBiDiMode BiDiMode)
{
    GxSharedCommon::DrawTextRect(Canvas, Rect, taLeftJustify, Text,
                                 BiDiMode == bdRightToLeft ? bdRightToLeft : bdLeftToRight);
}

void DrawPrefixText(TCanvas* Canvas, const TRect& Rect, const WideString& Text)
{
    DrawLine(Canvas, Rect, Text, LineFlags);
}

void DrawDisabledText(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text, TAlignment Alignment, bool NoPrefix)
{
    const UINT Flags = LineFlags | AlignmentFlags(Alignment) | (NoPrefix ? DT_NOPREFIX : 0);
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    OffsetRect(R, 1, 1);
    Canvas->GetFont()->SetColor(clBtnHighlight);
    DrawTextA(Canvas->GetHandle(), Text.data(), int(Text.size()), &R, Flags);
    R = Rect;
    Canvas->GetFont()->SetColor(clBtnShadow);
    DrawTextA(Canvas->GetHandle(), Text.data(), int(Text.size()), &R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- Clipping and transparency ----------------------------------------------------------------------------

void SetClipRect(TCanvas* Canvas, const TRect& Rect)
{
    GxSharedCommon::SetClipRect(Canvas, Rect);
}

void DrawTransparent(TCustomControl* Control, TCanvas* Canvas)
{
    if (!Control || !Canvas) return;
    TWinControl* Parent = Control->GetParent();
    if (!Parent || !Parent->HandleAllocated()) return;
    const TPoint Offset = Parent->ScreenToClient(Control->GetClientOrigin());
    HDC DC = Canvas->GetHandle();
    const int Saved = SaveDC(DC);
    // The parent paints in its own client coordinates. Pattern brushes tile
    // from the logical origin here, so they follow the window origin and
    // meet the parent's own pattern without moving the brush origin.
    OffsetWindowOrgEx(DC, Offset.X, Offset.Y, nullptr);
    HWND ParentWnd = Parent->GetHandle();
    SendMessageA(ParentWnd, WM_ERASEBKGND, WPARAM(DC), 0);
    SendMessageA(ParentWnd, WM_PAINT, WPARAM(DC), 0);
    RestoreDC(DC, Saved);
}

} // namespace GxSharedDraw
