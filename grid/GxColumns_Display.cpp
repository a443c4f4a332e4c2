// grid/GxColumns_Display.cpp: what every cell display draws and measures,
// and the play that shows a cell through it.
#include "grid/GxColumns.h"
#include "platform/win/WinUser.h"

namespace GxColumns {

// ---- TColumnDisplay -----------------------------------------------------------------------------

TRect TColumnDisplay::GetTextRect()
{
    TRect R = GetClientRect();
    R.Left += 2;
    R.Right -= 2;
    return R;
}

UINT TColumnDisplay::PrepareDrawText(const WideString& Text, TRect& Rect, bool ForDrawing)
{
    TGxCustomColumn* Column = GetColumn();
    UINT Flags = DT_NOPREFIX;
    if (Column->GetBiDiMode() != bdLeftToRight) Flags |= DT_RTLREADING;
    switch (Column->GetAlignment()) {
    case taRightJustify:
        Flags |= DT_RIGHT;
        break;
    case taCenter:
        Flags |= DT_CENTER;
        break;
    default:
        break;
    }
    const TVerticalAlignment VerticalAlignment = Column->GetVerticalAlignment();
    if (VerticalAlignment == taAlignBottom)
        Flags |= DT_BOTTOM;
    else if (VerticalAlignment == taVerticalCenter)
        Flags |= DT_VCENTER;
    switch (Column->GetWrapKind()) {
    case wkEllipsis:
        if (ForDrawing) Flags |= DT_END_ELLIPSIS;
        break;
    case wkPathEllipsis:
        if (ForDrawing) Flags |= DT_PATH_ELLIPSIS;
        break;
    case wkWordWrap:
        Flags |= DT_WORDBREAK;
        break;
    default:
        break;
    }
    if (Column->GetWrapKind() != wkWordWrap && !Column->GetDisplayOptions().Contains(doMultiLine))
        return Flags | DT_SINGLELINE;
    // Several lines: DrawText places only a single line vertically.
    if (VerticalAlignment != taAlignTop) AdjustTextRect(Rect, Flags, Text, VerticalAlignment);
    return Flags;
}

void TColumnDisplay::AdjustTextRect(TRect& Rect, UINT Flags, const WideString& Text,
                                    TVerticalAlignment VerticalAlignment)
{
    TRect R = Rect;
    DrawTextBy(GetCanvas(), Text, R, Flags | DT_CALCRECT);
    if (VerticalAlignment == taAlignBottom)
        Rect.Top = Rect.Bottom - R.Height();
    else if (VerticalAlignment == taVerticalCenter)
        Rect.Top += LONG(Round((double(Rect.Bottom) - R.Bottom) / 2));
}

void TColumnDisplay::DrawTextRect(const WideString& Text, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    const UINT Flags = PrepareDrawText(Text, R, true);
    DrawTextBy(Canvas, Text, R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

TSize TColumnDisplay::GetTextSize()
{
    TRect R = GetTextRect();
    const UINT Flags = PrepareDrawText(GetAsString(), R, false);
    DrawTextBy(GetCanvas(), GetAsString(), R, Flags | DT_CALCRECT | DT_NOCLIP);
    return TSize{R.Width(), R.Height()};
}

void TColumnDisplay::PaintBackground(TColor Color, bool Fill)
{
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(Color);
    if (Fill)
        Canvas->FillRect(GetClientRect());
    else
        Canvas->FrameRect(GetClientRect());
}

void TColumnDisplay::DrawHintMark()
{
    TCanvas* Canvas = GetCanvas();
    const TRect& R = GetClientRect();
    Canvas->GetPen()->SetColor(clRed);
    Canvas->GetBrush()->SetColor(clRed);
    Canvas->Polygon({TPoint(R.Right - 5, R.Top), TPoint(R.Right - 1, R.Top), TPoint(R.Right - 1, R.Top + 4)});
}

// ---- TColumnPlay --------------------------------------------------------------------------------

void TColumnPlay::Show()
{
    TColumnDisplay* Display = GetColumn()->GetDisplay();
    if (!Display) return;
    SetAsBoolean(Display->GetAsBoolean());
    Display->Paint();
}

void TColumnPlay::DoChange()
{
    if (OnChange) OnChange(this);
}

void TColumnPlay::DoExpand()
{
    if (OnExpand) OnExpand(this);
}

} // namespace GxColumns
