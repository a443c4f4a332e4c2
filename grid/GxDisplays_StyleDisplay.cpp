// grid/GxDisplays_StyleDisplay.cpp: what every style display draws the same
// way: content placement, arrows, footers, the input row and the indicator.
#include "grid/GxDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/MaskUtils.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinGdi.h"

#include <algorithm>

namespace GxDisplays {

using namespace GxSharedCommon;

namespace {

// A header's or footer's glyph, blended by its alpha or drawn without the
// colour of its bottom-left pixel. The glyph itself is left as it is: a
// change to it would ask the grid for another repaint.
void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph)
{
    if (Glyph->GetPixelFormat() == pf32bit || Glyph->GetTransparent()) {
        if (Glyph->GetPixelFormat() == pf32bit)
            GxSharedDraw::ApplyBitmap(Canvas, X, Y, Glyph);
        else
            Canvas->Draw(X, Y, Glyph);
        return;
    }
    TBitmap Transparent;
    Transparent.Assign(Glyph);
    Transparent.SetTransparent(true);
    Canvas->Draw(X, Y, &Transparent);
}

// The extent of a header's caption across its direction: its width (the
// widest line when it may have several), or for a vertical one its height.
int CaptionExtent(TCanvas* Canvas, TColumnHeader* Header)
{
    const WideString& Caption = Header->GetCaption();
    if (Header->GetOrientation() == hoVertical) return GetTextHeight(Canvas, Caption);
    return Header->GetMultiLine() ? GetMultilineTextWidth(Canvas, Caption) : GetTextWidth(Canvas, Caption);
}

// The caption through the footer's mask; a caption that is no number
// counts as 0 under a float mask.
WideString MaskedFooterCaption(TColumnFooter* Footer)
{
    const WideString& Caption = Footer->GetCaption();
    const AnsiString& Mask = Footer->GetFormatMask();
    if (Mask.empty()) return Caption;
    if (Footer->GetFormatMaskKind() == mkText) return Utf8ToWide(FormatMaskText(Mask, WideToUtf8(Caption)));
    Extended Value = 0;
    if (!TryStrToFloat(WideToUtf8(Caption), Value)) Value = 0;
    return Utf8ToWide(FormatFloat(Mask, Value));
}

} // namespace

WideString FooterText(TColumnFooter* Footer)
{
    return Footer->GetTextBefore() + MaskedFooterCaption(Footer) + Footer->GetTextAfter();
}

// ---- Measures ---------------------------------------------------------------------------------------

int TStyleDisplay::GetHeaderMargin(TGxCustomColumn* Column)
{
    if (!FShowSortArrows || !FDrawBackgrounds) return 0;
    return FThemed && Column->GetHeader()->GetDisplayMode() == dmTextOnly ? 11 : 2;
}

int TStyleDisplay::GetHeaderContentWidth(TGxCustomColumn* Column)
{
    TColumnHeader* Header = Column->GetHeader();
    switch (Header->GetDisplayMode()) {
    case dmImageOnly:
        return Header->GetGlyph()->GetWidth();
    case dmTextAndImage:
        return CaptionExtent(FCanvas, Header) + 2 + Header->GetGlyph()->GetWidth();
    default:
        return CaptionExtent(FCanvas, Header);
    }
}

// ---- Text, lines and inversion ----------------------------------------------------------------------

void TStyleDisplay::DoDrawText(TCanvas* Canvas, const TRect& Rect, const WideString& Text, bool MultiLine)
{
    UINT Flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXTERNALLEADING | DT_VCENTER;
    if (!MultiLine) Flags |= DT_SINGLELINE;
    if (FRightToLeft) Flags |= DT_RTLREADING;
    TRect R = Rect;
    Canvas->GetBrush()->SetStyle(bsClear);
    DrawTextBy(Canvas, Text, R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TStyleDisplay::DrawGrid(const TRect& Rect, TColor Color)
{
    FCanvas->GetPen()->SetColor(Color);
    FCanvas->MoveTo(Rect.Left, Rect.Bottom - 1);
    FCanvas->LineTo(Rect.Right - 1, Rect.Bottom - 1);
    FCanvas->MoveTo(Rect.Right - 1, Rect.Top);
    FCanvas->LineTo(Rect.Right - 1, Rect.Bottom + 1);
}

void TStyleDisplay::InvertRect(const TRect& Rect)
{
    FCanvas->SetCopyMode(DSTINVERT);
    FCanvas->CopyRect(Rect, FCanvas, Rect);
    FCanvas->SetCopyMode(SRCCOPY);
}

void TStyleDisplay::DrawHeaderPart(const TRect& Rect, int Part, int State)
{
    GxThemesSupport::ThemeRect(FOwner->GetHandle(), FCanvas->GetHandle(), Rect, u"header", Part, State);
}

// ---- Headers -------------------------------------------------------------------------------------------

void TStyleDisplay::DrawHeader(TGxCustomColumn* Column, const TRect& Rect)
{
    if (FDrawBackgrounds) DrawHeaderBackground(Column, Rect);
    DrawHeaderContent(Column, Rect);
}

int TStyleDisplay::PlaceContent(TGxCustomColumn* Column, TColumnPart* Part, TAlignment Alignment, const TRect& Rect,
                                int TextWidth)
{
    // A sorted column keeps room for its arrow right of right-aligned content.
    TBitmap* Glyph = Part->GetGlyph();
    if (Glyph->GetEmpty() || Part->GetDisplayMode() == dmTextOnly) {
        switch (Alignment) {
        case taRightJustify:
            return Rect.Right - TextWidth - (Column->GetSorted() ? 31 : 0);
        case taCenter:
            return Rect.Left + Rect.Width() / 2 - TextWidth / 2;
        default:
            return Rect.Left + 2;
        }
    }
    const int Width = Glyph->GetWidth();
    int X;
    switch (Alignment) {
    case taRightJustify:
        X = Rect.Right - Width - TextWidth - (Column->GetSorted() ? 33 : 2);
        break;
    case taCenter:
        X = Rect.Left + Rect.Width() / 2 - (Width + TextWidth) / 2;
        break;
    default:
        X = Rect.Left + 3;
        break;
    }
    DrawGlyph(FCanvas, X, Rect.Top + Rect.Height() / 2 - Glyph->GetHeight() / 2, Glyph);
    return X + Width + 2;
}

void TStyleDisplay::DrawHeaderContent(TGxCustomColumn* Column, const TRect& Rect)
{
    TColumnHeader* Header = Column->GetHeader();
    const bool Vertical = Header->GetOrientation() == hoVertical;
    const bool ImageOnly = Header->GetDisplayMode() == dmImageOnly;
    const int TextWidth = Vertical || !ImageOnly ? CaptionExtent(FCanvas, Header) + 2 : 0;
    const int TextX = PlaceContent(Column, Header, Header->GetAlignment(), Rect, TextWidth);
    if (!ImageOnly) {
        TRect TextRect(TextX, Rect.Top, Rect.Right, Rect.Bottom);
        AdjustTextRect(TextRect);
        if (Vertical)
            DrawVerticalText(FCanvas, TextRect, WideToUtf8(Header->GetCaption()));
        else
            DoDrawText(FCanvas, TextRect, Header->GetCaption(), Header->GetMultiLine());
    }
    const TStyleDisplayAttributes Attributes = GetStyleDisplayAttributes();
    if (FShowSortArrows && Column->GetSorted() && !Attributes.Contains(sdaCustomArrow)) {
        // A header too narrow for the arrow hides it unless HideArrow is off.
        const int X = TextX + TextWidth + 19;
        if (!Header->GetHideArrow() || X + 8 < Rect.Right)
            DrawArrow(X, Rect.Top + Rect.Height() / 2 - 4, Column->GetSortKind() == skAscending);
    }
    if (Column->GetFocused() && Attributes.Contains(sdaInvertFocus)) InvertRect(Rect);
}

void TStyleDisplay::DrawArrow(int X, int Y, bool Ascending)
{
    if (FThemed) {
        FCanvas->GetPen()->SetColor(clGrayText);
        FCanvas->GetBrush()->SetColor(clGrayText);
        if (Ascending)
            FCanvas->Polygon({{X, Y + 4}, {X + 4, Y}, {X + 8, Y + 4}});
        else
            FCanvas->Polygon({{X, Y}, {X + 4, Y + 4}, {X + 8, Y}});
        return;
    }
    // A classic arrow lit from the top left: its shadow side, then its lit side.
    FCanvas->GetPen()->SetColor(clBtnShadow);
    if (Ascending)
        FCanvas->Polyline({{X + 7, Y + 6},
                           {X, Y + 6},
                           {X, Y + 5},
                           {X + 1, Y + 5},
                           {X + 1, Y + 3},
                           {X + 2, Y + 3},
                           {X + 2, Y + 1},
                           {X + 3, Y + 1},
                           {X + 3, Y - 1}});
    else
        FCanvas->Polyline({{X + 7, Y},
                           {X, Y},
                           {X, Y + 1},
                           {X + 1, Y + 1},
                           {X + 1, Y + 3},
                           {X + 2, Y + 3},
                           {X + 2, Y + 5},
                           {X + 3, Y + 5},
                           {X + 3, Y + 7}});
    FCanvas->GetPen()->SetColor(clBtnHighlight);
    if (Ascending)
        FCanvas->Polyline({{X + 7, Y + 5},
                           {X + 6, Y + 5},
                           {X + 6, Y + 3},
                           {X + 5, Y + 3},
                           {X + 5, Y + 1},
                           {X + 4, Y + 1},
                           {X + 4, Y - 1}});
    else
        FCanvas->Polyline({{X + 7, Y + 1},
                           {X + 6, Y + 1},
                           {X + 6, Y + 3},
                           {X + 5, Y + 3},
                           {X + 5, Y + 5},
                           {X + 4, Y + 5},
                           {X + 4, Y + 7}});
}

// ---- Footers -----------------------------------------------------------------------------------------

void TStyleDisplay::DrawFooter(TGxCustomColumn* Column, const TRect& Rect, bool GridLines)
{
    FCanvas->SetFont(Column->GetFont());
    FCanvas->GetBrush()->SetColor(Column->GetFooter()->GetColor());
    FCanvas->FillRect(GridLines ? TRect(Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 1) : Rect);
    if (GridLines) DrawGrid(Rect, clBtnFace);
    // The content stays inside the cell and within what the caller clipped to.
    HDC DC = FCanvas->GetHandle();
    HRGN Saved = CreateRectRgn(0, 0, 0, 0);
    const bool HadClip = GetClipRgn(DC, Saved) == 1;
    TScopeExit Restore([&] {
        SelectClipRgn(DC, HadClip ? Saved : nullptr);
        DeleteObject(Saved);
    });
    IntersectClipRect(DC, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    DrawFooterContent(Column, Rect);
}

void TStyleDisplay::DrawFooterContent(TGxCustomColumn* Column, const TRect& Rect)
{
    TColumnFooter* Footer = Column->GetFooter();
    const WideString Text = FooterText(Footer);
    const int TextWidth = Footer->GetDisplayMode() == dmImageOnly ? 0 : GetTextWidth(FCanvas, Text) + 2;
    const int TextX = PlaceContent(Column, Footer, Footer->GetAlignment(), Rect, TextWidth);
    if (Footer->GetDisplayMode() != dmImageOnly)
        DoDrawText(FCanvas, TRect(std::max<int>(TextX, Rect.Left), Rect.Top, Rect.Right, Rect.Bottom), Text, false);
}

// ---- The input row ------------------------------------------------------------------------------------

void TStyleDisplay::DrawInput(TGxCustomColumn* Column, const TRect& Rect, bool GridLines, bool InputSelected,
                              bool Focused)
{
    FCanvas->SetFont(Column->GetFont());
    FCanvas->GetFont()->SetStyle({});
    TColor Text = clGrayText, Back = Column->GetColor();
    if (InputSelected && !Column->GetInputActive() && !Column->GetSelected()) {
        Text = clHighlightText;
        Back = Focused ? clHighlight : clBtnFace;
    }
    FCanvas->GetFont()->SetColor(Text);
    FCanvas->GetBrush()->SetColor(Back);
    if (GridLines && InputSelected) {
        FCanvas->FillRect(TRect(Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 1));
        DrawGrid(Rect, clHighlight);
    } else {
        FCanvas->FillRect(Rect);
    }
    const TRect TextRect(Rect.Left + 2, Rect.Top, Rect.Right - 1, Rect.Bottom - 1);
    const TBiDiMode BiDiMode = FRightToLeft ? bdRightToLeft : bdLeftToRight;
    if (Column->GetInputValue().empty())
        DrawTextRect(FCanvas, TextRect, taCenter, Column->GetInputCaption(), BiDiMode);
    else
        DrawTextRect(FCanvas, TextRect, Column->GetAlignment(), Column->GetInputDrawText(), BiDiMode);
}

// ---- Indicator and boxes ------------------------------------------------------------------------------

void TStyleDisplay::DrawIndicator(const TRect& Rect, int Index)
{
    TCanvas* C = FCanvas;
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(L + 1, T + 1, R - 1, B));
    C->GetPen()->SetColor(clBtnHighlight);
    C->MoveTo(L, T);
    C->LineTo(L, B + 1);
    // The first row's top edge meets the box above it.
    if (Index > 0) {
        C->MoveTo(L + 2, T);
        C->LineTo(R - 2, T);
        C->SetPixels(L + 1, T, clBtnFace);
        C->SetPixels(R - 2, T, clBtnFace);
    } else {
        C->MoveTo(L + 1, T);
        C->LineTo(R - 1, T);
    }
    C->GetPen()->SetColor(clBtnShadow);
    C->MoveTo(R - 1, T);
    C->LineTo(R - 1, B);
    C->MoveTo(L + 2, B - 1);
    C->LineTo(R - 2, B - 1);
    C->SetPixels(L + 1, B - 1, clBtnFace);
    C->SetPixels(R - 2, B - 1, clBtnFace);
}

void TStyleDisplay::DrawIndicatorState(const TRect& Rect, bool Selected, bool Focused)
{
    if (Selected) {
        const TPoint P = TCalcProvider::PosInRect(6, 11, 0, Rect, taCenter, taVerticalCenter);
        FCanvas->GetPen()->SetColor(clWindowText);
        FCanvas->GetBrush()->SetColor(clWindowText);
        FCanvas->Polygon({{P.X, P.Y}, {P.X + 5, P.Y + 5}, {P.X, P.Y + 10}});
    }
    if (Focused) InvertRect(Rect);
}

void TStyleDisplay::DrawCornerBox(const TRect& Rect, TBoxLocation /*Location*/)
{
    FCanvas->GetBrush()->SetColor(FOwner->GetColor());
    FCanvas->FillRect(Rect);
}

void TStyleDisplay::DrawInactiveHeader(const TRect& Rect)
{
    TStyleDisplay::DrawCornerBox(Rect, bpAlone);
}

void TStyleDisplay::DrawAreaSplitter(const TRect& Rect)
{
    DrawCornerBox(Rect, bpAlone);
}

TStyleDisplayClass GetStyleDisplayClass(THeaderStyle Style)
{
    switch (Style) {
    case hsFlatBorders:
        return StyleDisplayClass<TFlatStyleDisplay>;
    case hsOldStyle:
        return StyleDisplayClass<TOldStyleDisplay>;
    case hsOutlook:
        return StyleDisplayClass<TOutlookStyleDisplay>;
    case hsVista:
        return StyleDisplayClass<TVistaStyleDisplay>;
    default:
        return StyleDisplayClass<TDefaultStyleDisplay>;
    }
}

} // namespace GxDisplays
