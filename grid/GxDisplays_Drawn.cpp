// grid/GxDisplays_Drawn.cpp: the displays of the tree, check box, HTML,
// image, progress, rate and graphic columns.
#include "grid/GxDrawnDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/controls/Forms.h"
#include "platform/win/ThemeParts.h"

#include <climits>
#include <cmath>

namespace GxDisplays {

using namespace GxColumnClasses;
using namespace GxSharedCommon;
using namespace GxThemesSupport;

namespace {

// R with D pixels taken off every side (added for a negative D); the
// distance held to what the grid paints, so that no edge overflows.
TRect Inset(const TRect& R, int D)
{
    D = std::clamp(D, -MaxPaintedSize, MaxPaintedSize);
    return TRect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D);
}

// Max glyphs side by side, held to a width that leaves room to place them.
int RatesWidth(int GlyphWidth, int Max)
{
    return int(std::clamp<std::int64_t>(std::int64_t(GlyphWidth) * Max, 0, INT_MAX / 4));
}

int CheckBoxSize()
{
    return IsThemed() ? 13 : 11;
}

// The canvas in the column's font while it lives, in its own font again
// afterwards: markup measured as the display draws it, and the canvas
// left without the last tag's font.
class TColumnFontScope {
public:
    TColumnFontScope(TCanvas* Canvas, TGxCustomColumn* Column) : FCanvas(Canvas)
    {
        FSaved.Assign(Canvas->GetFont());
        Canvas->GetFont()->Assign(Column->GetFont());
    }
    ~TColumnFontScope() { FCanvas->GetFont()->Assign(&FSaved); }
    TColumnFontScope(const TColumnFontScope&) = delete;
    TColumnFontScope& operator=(const TColumnFontScope&) = delete;

private:
    TCanvas* FCanvas;
    TFont FSaved;
};

} // namespace

void MakeGlyphTransparent(TBitmap* Glyph)
{
    if (!Glyph || Glyph->GetEmpty()) return;
    TRestore<TNotifyEvent> Quiet(Glyph->OnChange, nullptr);
    Glyph->SetTransparentColor(Glyph->GetCanvas()->GetPixels(0, Glyph->GetHeight() - 1));
    Glyph->SetTransparent(true);
}

// ---- Tree -------------------------------------------------------------------------------------

int TTreeColumnDisplay::GetIndent() const
{
    return GetLevel() * TreeIndent;
}

TRect TTreeColumnDisplay::GetTextRect()
{
    TRect R = TColumnDisplay::GetTextRect();
    R.Left += GetIndent() + TreeButtonArea;
    return R;
}

int TTreeColumnDisplay::GetContentWidth()
{
    return TColumnDisplay::GetContentWidth() + GetIndent() + TreeButtonArea;
}

TRect TTreeColumnDisplay::GetButtonRect(const TRect& Rect, int Level) const
{
    return Bounds(Rect.Left + Level * TreeIndent + 2, Rect.Top + Rect.Height() / 2 - 5, 9, 9);
}

void TTreeColumnDisplay::DrawLines(const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    const int Level = GetLevel();
    Canvas->GetPen()->SetColor(clGrayText);
    // Levels beyond the cell's right edge draw nothing, however deep the tree.
    for (int I = 0; I < Level && Rect.Left + I * TreeIndent + 6 < Rect.Right; ++I) {
        Canvas->MoveTo(Rect.Left + I * TreeIndent + 6, Rect.Top);
        Canvas->LineTo(Rect.Left + I * TreeIndent + 6, Rect.Bottom);
    }
    if (Level <= 0) return;
    const int X = Rect.Left + (Level - 1) * TreeIndent + 6;
    const int Y = int(Round(Rect.Top + Rect.Height() / 2.0)) - 1;
    Canvas->MoveTo(X, Y);
    Canvas->LineTo(X + 15, Y);
}

void TTreeColumnDisplay::Paint()
{
    auto* Column = dynamic_cast<TGxTreeColumn*>(GetColumn());
    if (!Column) return;
    TCanvas* Canvas = GetCanvas();
    const TRect& R = GetClientRect();
    if (Column->GetShowLines()) DrawLines(R);
    if (GetChildCount() > 0) {
        const TRect B = GetButtonRect(R, GetLevel());
        if (Column->GetShowLines() && GetExpanded()) {
            Canvas->GetPen()->SetColor(clGrayText);
            Canvas->MoveTo(B.Left + 4, B.Bottom);
            Canvas->LineTo(B.Left + 4, R.Bottom);
        }
        if (Column->GetShowButtons()) {
            if (IsThemed()) {
                ThemeRect(GetHandle(), Canvas->GetHandle(), B, u"treeview", TVP_GLYPH,
                          GetExpanded() ? GLPS_OPENED : GLPS_CLOSED);
            } else {
                Canvas->GetBrush()->SetColor(clGrayText);
                Canvas->FrameRect(B);
                Canvas->GetPen()->SetColor(clBlack);
                Canvas->MoveTo(B.Left + 2, B.Top + 4);
                Canvas->LineTo(B.Right - 2, B.Top + 4);
                if (!GetExpanded()) {
                    Canvas->MoveTo(B.Left + 4, B.Top + 2);
                    Canvas->LineTo(B.Left + 4, B.Bottom - 2);
                }
            }
        }
    }
    DrawTextRect(GetAsString(), GetTextRect());
}

// ---- Check box --------------------------------------------------------------------------------

int TCheckBoxColumnDisplay::GetContentWidth()
{
    return CheckBoxSize();
}

void TCheckBoxColumnDisplay::Paint()
{
    DrawCheckBoxState(GetClientRect(), GetAsBoolean(), false, false);
}

void TCheckBoxColumnDisplay::DrawCheckBoxState(const TRect& Rect, bool Checked, bool Hover, bool Pressed)
{
    TGxCustomColumn* Column = GetColumn();
    TGraphicsProvider::DrawCheckBox(GetHandle(), GetCanvas(), Rect, Column->GetAlignment(),
                                    Column->GetVerticalAlignment(), Checked, Pressed, Hover);
}

// ---- HTML -------------------------------------------------------------------------------------

TSize THtmlColumnDisplay::GetTextSize()
{
    auto* Column = dynamic_cast<TGxHtmlColumn*>(GetColumn());
    if (!Column) return {};
    const TColumnFontScope Font(GetCanvas(), Column);
    const TRect& R = GetClientRect();
    const THtmlInfo Info =
        ProcessHTML(GetCanvas(), TRect(0, 0, R.Width(), R.Height()), Column->Tagged(GetAsString()), TPoint(), false);
    return TSize(Info.Width, Info.Height);
}

void THtmlColumnDisplay::Paint()
{
    auto* Column = dynamic_cast<TGxHtmlColumn*>(GetColumn());
    if (!Column) return;
    ProcessHTML(GetCanvas(), GetClientRect(), Column->Tagged(GetAsString()), TPoint(), true);
}

// ---- Image ------------------------------------------------------------------------------------

namespace {

TCustomImageList* ImagesOf(TGxCustomColumn* Column)
{
    auto* Images = dynamic_cast<TGxImageColumn*>(Column);
    return Images ? Images->GetImages() : nullptr;
}

} // namespace

int TImageColumnDisplay::GetContentWidth()
{
    TCustomImageList* Images = ImagesOf(GetColumn());
    return Images ? Images->GetWidth() : 0;
}

void TImageColumnDisplay::Paint()
{
    TCustomImageList* Images = ImagesOf(GetColumn());
    if (!Images || GetAsInteger() < 0 || GetAsInteger() >= Images->GetCount()) return;
    DrawImage(Images, GetAsInteger());
}

void TImageColumnDisplay::DrawImage(TCustomImageList* Images, int Index)
{
    TGxCustomColumn* Column = GetColumn();
    const TPoint P = TCalcProvider::PosInRect(Images->GetWidth(), Images->GetHeight(), 2, GetClientRect(),
                                              Column->GetAlignment(), Column->GetVerticalAlignment());
    Images->Draw(GetCanvas(), P.X, P.Y, Index, true);
}

// ---- Progress ---------------------------------------------------------------------------------

void TProgressColumnDisplay::Paint()
{
    auto* C = dynamic_cast<TGxProgressColumn*>(GetColumn());
    if (!C || (GetAsFloat() == 0 && C->GetHideWhenEmpty())) return;
    DrawProgressBar(C->GetProgressColor(), C->GetHighValueColor(), C->GetLowValueColor(), C->GetBorderColor(),
                    C->GetProgressStyle(), GetAsFloat(), C->GetMax(), C->GetMargin(), C->GetProgressHeight(),
                    C->GetHighValueBound(), C->GetLowValueBound(), C->GetShowText(), C->GetTransparent(),
                    C->GetRoundCorners(), C->GetTextPosition());
}

void TProgressColumnDisplay::DrawProgressBar(TColor ProgressColor, TColor HighValueColor, TColor LowValueColor,
                                             TColor BorderColor, TProgressStyle ProgressStyle, double Value, int Max,
                                             int Margin, int ProgressHeight, int HighValueBound, int LowValueBound,
                                             bool ShowText, bool Transparent, bool RoundCorners,
                                             TProgressTextPosition TextPosition)
{
    TCanvas* Canvas = GetCanvas();
    TGxCustomColumn* Column = GetColumn();
    // Without a positive Max nothing is any share of it.
    const double Ratio = Max > 0 ? Value / Max * 100 : 0;
    TRect R = Inset(GetClientRect(), Margin);
    if (ProgressHeight > 0) {
        ProgressHeight = std::min(ProgressHeight, MaxPaintedSize);
        switch (Column->GetVerticalAlignment()) {
        case taAlignBottom:
            R.Top = R.Bottom - ProgressHeight;
            break;
        case taVerticalCenter:
            R.Top = R.Top + R.Height() / 2 - ProgressHeight / 2;
            break;
        default:
            break;
        }
        R.Bottom = R.Top + ProgressHeight;
    }
    if (ShowText && TextPosition == tpBeside) R.Left += 30;

    if (!IsRectEmpty(R)) {
        Canvas->GetBrush()->SetColor(BorderColor);
        if (Transparent) {
            Canvas->FrameRect(R);
        } else {
            Canvas->GetBrush()->SetColor(Column->GetColor());
            Canvas->GetPen()->SetColor(BorderColor);
            if (RoundCorners)
                Canvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 4, 4);
            else
                Canvas->Rectangle(R);
        }
        TRect Bar = Inset(R, 2);
        // Weighed in double first: a value far past Max fills the bar and
        // no more; a negative one, or no number at all, fills nothing.
        const double Share = Bar.Width() * Ratio / 100;
        if (std::isnan(Share) || Share <= 0)
            Bar.Right = Bar.Left;
        else if (Share < Bar.Width())
            Bar.Right = Bar.Left + LONG(Round(Share));
        if (!IsRectEmpty(Bar)) {
            TColor Color = LowValueColor;
            if (HighValueBound <= Value)
                Color = HighValueColor;
            else if (LowValueBound < Value)
                Color = ProgressColor;
            switch (ProgressStyle) {
            case GxColumnClasses::psSolid:
                Canvas->GetBrush()->SetColor(Color);
                Canvas->FillRect(Bar);
                break;
            case psBoxes:
                DrawBoxes(Bar, Color);
                break;
            case psGradient:
                TGraphicsProvider::DrawVertGradient(Canvas, Bar, Column->GetColor(), Color);
                break;
            case psCylinder:
                TGraphicsProvider::DrawGradient(Canvas, Bar, Column->GetColor(), Color);
                break;
            }
        }
    }
    if (!ShowText) return;
    if (TextPosition == tpInside) Canvas->GetFont()->SetColor(Column->GetFont()->GetColor());
    DrawTextRect(Utf8ToWide(FloatToStrF(Ratio, ffFixed, 15, 0) + "%"), GetTextRect());
}

void TProgressColumnDisplay::DrawBoxes(const TRect& Rect, TColor Color)
{
    if (IsRectEmpty(Rect)) return;
    // At least a pixel wide, so that every step moves on.
    const int Width = std::max<int>(1, int(Round(Rect.Height() / 1.5)));
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(Color);
    for (int X = Rect.Left; X + Width < Rect.Right; X += Width + 2)
        Canvas->FillRect(TRect(X, Rect.Top, X + Width, Rect.Bottom));
}

// ---- Rate -------------------------------------------------------------------------------------

int TRateColumnDisplay::GetContentWidth()
{
    auto* Column = dynamic_cast<TGxRateColumn*>(GetColumn());
    if (!Column || (GetAsInteger() == 0 && Column->GetHideWhenEmpty())) return 0;
    return RatesWidth(Column->GetGlyph()->GetWidth(), Column->GetMax());
}

void TRateColumnDisplay::Paint()
{
    auto* Column = dynamic_cast<TGxRateColumn*>(GetColumn());
    if (!Column || (GetAsInteger() == 0 && Column->GetHideWhenEmpty())) return;
    DrawRates(Column->GetGlyph(), Column->GetEmptyGlyph(), Column->GetMax(), GetAsInteger(), Column->GetTransparent());
}

void TRateColumnDisplay::DrawRates(TBitmap* Glyph, TBitmap* EmptyGlyph, int Max, int Value, bool Transparent)
{
    const int GlyphWidth = Glyph->GetWidth();
    if (GlyphWidth <= 0 || Max <= 0) return;
    TGxCustomColumn* Column = GetColumn();
    const TRect& R = GetClientRect();
    const TPoint P = TCalcProvider::PosInRect(RatesWidth(GlyphWidth, Max), Glyph->GetHeight(), 0, R,
                                              Column->GetAlignment(), Column->GetVerticalAlignment());
    if (Transparent) {
        MakeGlyphTransparent(Glyph);
        MakeGlyphTransparent(EmptyGlyph);
    }
    // Only the glyphs that reach into the cell: a Max of a million draws
    // no more than a cell's width of them.
    const int Skipped = P.X < R.Left ? (R.Left - P.X) / GlyphWidth : 0;
    for (int I = Skipped + 1, X = P.X + Skipped * GlyphWidth; I <= Max && X < R.Right; ++I, X += GlyphWidth)
        GxSharedDraw::ApplyBitmap(GetCanvas(), X, P.Y, I > Value ? EmptyGlyph : Glyph);
}

// ---- Graphic ----------------------------------------------------------------------------------

void TGraphicColumnDisplay::Paint()
{
    auto* Column = dynamic_cast<TGxGraphicColumn*>(GetColumn());
    if (!Column) return;
    DrawPicture(dynamic_cast<TGraphic*>(GetObjectReference()), Column->GetMargin(), Column->GetStretch(),
                Column->GetBorderWidth());
}

void TGraphicColumnDisplay::DrawPicture(TGraphic* Graphic, int Margin, bool Stretch, int BorderWidth)
{
    TCanvas* Canvas = GetCanvas();
    TRect R = Inset(GetClientRect(), Margin);
    if (BorderWidth > 0) {
        Canvas->GetBrush()->SetColor(GetHighlighted() ? clHighlightText : clBtnFace);
        // A frame wider than the cell stops where the cell ends.
        for (int I = 0; I < BorderWidth && !IsRectEmpty(R); ++I) {
            Canvas->FrameRect(R);
            R = Inset(R, 1);
        }
    }
    if (!Graphic || Graphic->GetEmpty() || IsRectEmpty(R)) return;
    if (Stretch)
        Canvas->StretchDraw(R, Graphic);
    else
        DrawConstrainedPicture(Graphic, R);
}

void TGraphicColumnDisplay::DrawConstrainedPicture(TGraphic* Graphic, const TRect& Rect)
{
    if (IsRectEmpty(Rect) || Graphic->GetEmpty()) return;
    const double RX = double(Rect.Width()) / Graphic->GetWidth();
    const double RY = double(Rect.Height()) / Graphic->GetHeight();
    TRect Target = Rect;
    if (RX >= RY) {
        const LONG W = LONG(Round(Graphic->GetWidth() * RY));
        Target.Left = Rect.Left + Rect.Width() / 2 - W / 2;
        Target.Right = Target.Left + W;
    } else {
        const LONG H = LONG(Round(Graphic->GetHeight() * RX));
        Target.Top = Rect.Top + Rect.Height() / 2 - H / 2;
        Target.Bottom = Target.Top + H;
    }
    GetCanvas()->StretchDraw(Target, Graphic);
}

// ---- Tree play --------------------------------------------------------------------------------

TRect TTreeColumnPlay::GetButtonRect(const TRect& Rect, int Level) const
{
    return Bounds(Level * TreeIndent + 2, Rect.Height() / 2 - 5, 9, 9);
}

bool TTreeColumnPlay::IsExpandLock() const
{
    auto* Column = dynamic_cast<TGxTreeColumn*>(GetColumn());
    return !Column || Column->GetExpandLock();
}

void TTreeColumnPlay::KeyPress(WideChar& Key)
{
    TColumnPlay::KeyPress(Key);
    if (!IsExpandLock() && (Key == u'+' || Key == u'-')) DoExpand();
}

void TTreeColumnPlay::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TColumnPlay::MouseUp(Button, Shift, X, Y);
    if (!IsExpandLock() && PtInRect(GetButtonRect(GetClientRect(), GetLevel()), TPoint(X, Y))) DoExpand();
}

// ---- Check box play ---------------------------------------------------------------------------

TRect TCheckBoxColumnPlay::GetCheckBoxRect() const
{
    const TRect& Cell = GetClientRect();
    const TRect R(-1, -1, Cell.Width() + 1, Cell.Height() + 1);
    const int Size = CheckBoxSize();
    TGxCustomColumn* Column = GetColumn();
    const TPoint P = TCalcProvider::PosInRect(Size, Size, 2, R, Column->GetAlignment(), Column->GetVerticalAlignment());
    return Bounds(P.X, P.Y, Size, Size);
}

void TCheckBoxColumnPlay::Toggle()
{
    SetAsBoolean(!GetAsBoolean());
    SetAsString(GetAsBoolean() ? u"True" : u"False");
    DoChange();
}

void TCheckBoxColumnPlay::KeyPress(WideChar& Key)
{
    TColumnPlay::KeyPress(Key);
    if (Key == u' ') Toggle();
}

void TCheckBoxColumnPlay::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TColumnPlay::MouseUp(Button, Shift, X, Y);
    if (PtInRect(GetCheckBoxRect(), TPoint(X, Y))) Toggle();
}

void TCheckBoxColumnPlay::Show()
{
    TColumnPlay::Show();
    SetAsBoolean(true);
    if (TColumnDisplay* Display = GetColumn()->GetDisplay()) Display->Paint();
}

// ---- HTML play --------------------------------------------------------------------------------

THtmlColumnPlay::~THtmlColumnPlay()
{
    ReleaseCursor();
}

WideString THtmlColumnPlay::LinkAt(int X, int Y)
{
    auto* Column = dynamic_cast<TGxHtmlColumn*>(GetColumn());
    TCanvas* Canvas = GetCanvas();
    if (!Column || !Canvas) return {};
    const TColumnFontScope Font(Canvas, Column);
    const TRect& R = GetClientRect();
    return ProcessHTML(Canvas, TRect(0, 0, R.Width(), R.Height()), Column->Tagged(GetAsString()), TPoint(X, Y), false)
        .Link;
}

void THtmlColumnPlay::ReleaseCursor()
{
    if (!FHandShown) return;
    FHandShown = false;
    // A cursor someone set since is theirs.
    if (Screen && Screen->GetCursor() == crHandPoint) Screen->SetCursor(crDefault);
}

void THtmlColumnPlay::MouseLeave()
{
    TColumnPlay::MouseLeave();
    ReleaseCursor();
}

void THtmlColumnPlay::MouseMove(TShiftState Shift, int X, int Y)
{
    TColumnPlay::MouseMove(Shift, X, Y);
    if (LinkAt(X, Y).empty()) {
        ReleaseCursor();
        return;
    }
    Screen->SetCursor(crHandPoint);
    FHandShown = true;
}

void THtmlColumnPlay::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TColumnPlay::MouseUp(Button, Shift, X, Y);
    auto* Column = dynamic_cast<TGxHtmlColumn*>(GetColumn());
    if (!Column || !Column->OnClick) return;
    const WideString Href = LinkAt(X, Y);
    if (!Href.empty()) Column->OnClick(this, Href);
}

// ---- Rate play --------------------------------------------------------------------------------

namespace {

TGxRateColumn* RateColumn(TGxCustomColumn* Column)
{
    return dynamic_cast<TGxRateColumn*>(Column);
}

} // namespace

int TRateColumnPlay::GetGlyphHeight()
{
    TGxRateColumn* Column = RateColumn(GetColumn());
    return Column ? Column->GetGlyph()->GetHeight() : 0;
}

int TRateColumnPlay::GetGlyphWidth()
{
    TGxRateColumn* Column = RateColumn(GetColumn());
    return Column ? Column->GetGlyph()->GetWidth() : 0;
}

int TRateColumnPlay::GetMax()
{
    TGxRateColumn* Column = RateColumn(GetColumn());
    return Column ? Column->GetMax() : 0;
}

TRect TRateColumnPlay::GetRatesRect()
{
    const int Width = RatesWidth(GetGlyphWidth(), GetMax()), Height = GetGlyphHeight();
    TGxCustomColumn* Column = GetColumn();
    const TPoint P = TCalcProvider::PosInRect(Width, Height, 0, GetClientRect(), Column->GetAlignment(),
                                              Column->GetVerticalAlignment());
    return Bounds(P.X, P.Y, Width, Height);
}

int TRateColumnPlay::GetValueAtPos(int X, int Y)
{
    const int GlyphWidth = GetGlyphWidth();
    if (GlyphWidth <= 0) return -1;
    TRect R = GetRatesRect();
    OffsetRect(R, -GetClientRect().Left, -GetClientRect().Top);
    if (!PtInRect(R, TPoint(X, Y))) return -1;
    return (X - R.Left) / GlyphWidth + 1;
}

void TRateColumnPlay::ChangeTo(int Value)
{
    if (Value == GetAsInteger()) return;
    SetAsInteger(Value);
    DoChange();
}

void TRateColumnPlay::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TColumnPlay::MouseDown(Button, Shift, X, Y);
    const int Value = GetValueAtPos(X, Y);
    if (Value >= 0 && Value <= GetMax()) ChangeTo(Value);
}

void TRateColumnPlay::KeyPress(WideChar& Key)
{
    TColumnPlay::KeyPress(Key);
    const int Value = GetAsInteger();
    if (Key == u'+') {
        if (Value < GetMax()) ChangeTo(Value + 1);
    } else if (Key == u'-') {
        if (Value > 0) ChangeTo(Value - 1);
    } else if (Key >= u'0' && Key <= u'9' && Key - u'0' <= GetMax()) {
        ChangeTo(Key - u'0');
    }
}

} // namespace GxDisplays
