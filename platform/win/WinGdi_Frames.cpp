// The classic pictures user32 draws: focus rectangles, 3-D edges and frame
// controls (push buttons, check boxes, radio buttons, scroll arrows), in the
// classic scheme's system colours.
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <array>
#include <functional>

using namespace platform::detail;

namespace {

QColor Sys(int Index)
{
    return RgbColor(TColor(GetSysColor(Index)));
}

// Paints the pixels of Area (logical) for which Colour answers a colour.
void PaintPixels(HDC DC, const QRegion& Area, const std::function<QColor(QPoint)>& Colour)
{
    if (Area.isEmpty()) return;
    TDCPainter P(DC, Area.boundingRect());
    if (!P.Active()) return;
    QPainter& Painter = P.Painter();
    for (const QRect& R : Area)
        for (int Y = R.top(); Y <= R.bottom(); ++Y)
            for (int X = R.left(); X <= R.right(); ++X) {
                const QColor C = Colour(QPoint(X, Y));
                if (C.isValid()) Painter.fillRect(QRect(X, Y, 1, 1), C);
            }
}

void Fill(HDC DC, const QRect& R, const QColor& Color)
{
    if (R.isEmpty()) return;
    TDCPainter P(DC, R);
    if (P.Active()) P.Painter().fillRect(R, Color);
}

// One ring of an edge on the chosen sides: top and left in Light, then
// bottom and right in Dark (so that the two far corners are Dark).
void Ring(HDC DC, const TRect& R, UINT Sides, const QColor& Light, const QColor& Dark)
{
    const int W = R.Right - R.Left;
    const int H = R.Bottom - R.Top;
    if (W <= 0 || H <= 0) return;
    if (Sides & BF_TOP) Fill(DC, QRect(R.Left, R.Top, W, 1), Light);
    if (Sides & BF_LEFT) Fill(DC, QRect(R.Left, R.Top, 1, H), Light);
    if (Sides & BF_BOTTOM) Fill(DC, QRect(R.Left, R.Bottom - 1, W, 1), Dark);
    if (Sides & BF_RIGHT) Fill(DC, QRect(R.Right - 1, R.Top, 1, H), Dark);
}

void Shrink(TRect& R, UINT Sides)
{
    if (Sides & BF_LEFT) ++R.Left;
    if (Sides & BF_TOP) ++R.Top;
    if (Sides & BF_RIGHT) --R.Right;
    if (Sides & BF_BOTTOM) --R.Bottom;
}

// The largest square centred in R.
TRect Square(const TRect& R, int Side)
{
    const int L = R.Left + (R.Right - R.Left - Side) / 2;
    const int T = R.Top + (R.Bottom - R.Top - Side) / 2;
    return TRect(L, T, L + Side, T + Side);
}

// The classic tick, 7 x 7, one string per row.
constexpr std::array<const char*, 7> Tick = {"......X", ".....XX", "X...XXX", "XX.XXX.",
                                             "XXXXX..", ".XXX...", "..X...."};

void DrawTick(HDC DC, QPoint TopLeft, const QColor& Color)
{
    QRegion Area;
    for (int Y = 0; Y < 7; ++Y)
        for (int X = 0; X < 7; ++X)
            if (Tick[Y][X] == 'X') Area += QRect(TopLeft.x() + X, TopLeft.y() + Y, 1, 1);
    PaintPixels(DC, Area, [&](QPoint) { return Color; });
}

BOOL CheckBox(HDC DC, TRect* Rect, UINT State)
{
    const int Side = std::min(Rect->Right - Rect->Left, Rect->Bottom - Rect->Top);
    if (Side <= 0) return 1;
    TRect Box = Square(*Rect, Side);
    const UINT Look = (State & DFCS_MONO) ? BF_MONO : (State & DFCS_FLAT) ? BF_FLAT : 0;
    DrawEdge(DC, &Box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | Look);
    const bool Grey =
        (State & (DFCS_PUSHED | DFCS_INACTIVE)) || ((State & 0xFF) == DFCS_BUTTON3STATE && (State & DFCS_CHECKED));
    if (!(State & DFCS_TRANSPARENT)) Fill(DC, ToQRect(Box), Sys(Grey ? COLOR_BTNFACE : COLOR_WINDOW));
    if (State & DFCS_CHECKED) {
        const QPoint Centre((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2);
        DrawTick(DC, Centre - QPoint(3, 3), Sys((State & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    }
    return 1;
}

// The classic radio button, 12 x 12: O the outer ring, I the inner ring,
// W the inside, X the inside's dot when checked. The upper-left half of a
// ring (x + y < 11) takes its light-side colour, the rest its dark one.
constexpr std::array<const char*, 12> Radio = {"....OOOO....", "..OOIIIIOO..", ".OIIWWWWIIO.", ".OIWWWWWWIO.",
                                               "OIWWWXXWWWIO", "OIWWXXXXWWIO", "OIWWXXXXWWIO", "OIWWWXXWWWIO",
                                               ".OIWWWWWWIO.", ".OIIWWWWIIO.", "..OOIIIIOO..", "....OOOO...."};

BOOL RadioButton(HDC DC, TRect* Rect, UINT State)
{
    const int Side = std::min(Rect->Right - Rect->Left, Rect->Bottom - Rect->Top);
    if (Side <= 0) return 1;
    const TRect Box = Square(*Rect, Side);
    const QPoint Origin(Box.Left + (Side - 12) / 2, Box.Top + (Side - 12) / 2);
    QColor OuterLight = Sys(COLOR_BTNSHADOW), OuterDark = Sys(COLOR_BTNHIGHLIGHT);
    QColor InnerLight = Sys(COLOR_3DDKSHADOW), InnerDark = Sys(COLOR_3DLIGHT);
    if (State & DFCS_MONO) {
        OuterLight = OuterDark = Sys(COLOR_WINDOWFRAME);
        InnerLight = InnerDark = Sys(COLOR_WINDOW);
    } else if (State & DFCS_FLAT) {
        OuterLight = OuterDark = Sys(COLOR_BTNSHADOW);
        InnerLight = InnerDark = Sys(COLOR_BTNFACE);
    }
    const QColor Face = Sys((State & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW);
    const QColor Mark = Sys((State & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    const bool Checked = State & DFCS_CHECKED;
    PaintPixels(DC, QRegion(QRect(Origin, QSize(12, 12))), [&](QPoint P) {
        const int X = P.x() - Origin.x(), Y = P.y() - Origin.y();
        const bool UpperLeft = X + Y < 11;
        switch (Radio[Y][X]) {
        case 'O':
            return UpperLeft ? OuterLight : OuterDark;
        case 'I':
            return UpperLeft ? InnerLight : InnerDark;
        case 'W':
            return Face;
        case 'X':
            return Checked ? Mark : Face;
        default:
            return QColor();
        }
    });
    return 1;
}

// A push button's face and edge: sunken when pushed or checked, flat when asked.
void ButtonFace(HDC DC, TRect* Rect, UINT State)
{
    TRect R = *Rect;
    const UINT Look = (State & DFCS_MONO) ? BF_MONO : (State & DFCS_FLAT) ? BF_FLAT : 0;
    const UINT Edge = (State & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    DrawEdge(DC, &R, Edge, BF_RECT | BF_MIDDLE | BF_ADJUST | Look);
    if (State & DFCS_ADJUSTRECT) *Rect = R;
}

// The rows of a scroll button's arrow: a third of what the edge leaves of
// the shorter side; at least two (a base of 3 pixels) where the inside has
// room for them, since a one-pixel arrow reads as a speck, not a direction.
int ArrowRows(int Along, int Across)
{
    const int Rows = (std::min(Along, Across) - 4) / 3;
    if (Rows >= 2) return Rows;
    return Along - 4 >= 3 && Across - 4 >= 2 ? 2 : 1;
}

// The arrow of a scroll button: a triangle whose base is 2 * Size - 1 pixels.
void Arrow(HDC DC, const TRect& R, UINT Kind, bool Pushed, bool Inactive)
{
    const int W = R.Right - R.Left;
    const int H = R.Bottom - R.Top;
    const bool Vertical = Kind == DFCS_SCROLLUP || Kind == DFCS_SCROLLDOWN || Kind == DFCS_SCROLLCOMBOBOX;
    const int Size = Vertical ? ArrowRows(W, H) : ArrowRows(H, W);
    // Centre of the triangle's bounding box (base x height).
    const int BoxW = Vertical ? 2 * Size - 1 : Size;
    const int BoxH = Vertical ? Size : 2 * Size - 1;
    QPoint Origin(R.Left + (W - BoxW) / 2, R.Top + (H - BoxH) / 2);
    if (Pushed) Origin += QPoint(1, 1);
    QRegion Area;
    for (int I = 0; I < Size; ++I) {
        const int Length = 2 * (Size - I) - 1; // the row at distance I from the base
        switch (Kind) {
        case DFCS_SCROLLUP:
            Area += QRect(Origin.x() + I, Origin.y() + Size - 1 - I, Length, 1);
            break;
        case DFCS_SCROLLLEFT:
            Area += QRect(Origin.x() + Size - 1 - I, Origin.y() + I, 1, Length);
            break;
        case DFCS_SCROLLRIGHT:
            Area += QRect(Origin.x() + I, Origin.y() + I, 1, Length);
            break;
        default: // down, and the combo box's arrow
            Area += QRect(Origin.x() + I, Origin.y() + I, Length, 1);
            break;
        }
    }
    if (Inactive) {
        PaintPixels(DC, Area.translated(1, 1), [](QPoint) { return Sys(COLOR_BTNHIGHLIGHT); });
        PaintPixels(DC, Area, [](QPoint) { return Sys(COLOR_BTNSHADOW); });
    } else {
        PaintPixels(DC, Area, [](QPoint) { return Sys(COLOR_BTNTEXT); });
    }
}

BOOL ScrollButton(HDC DC, TRect* Rect, UINT State)
{
    const UINT Kind = State & 0xFF;
    if (Kind != DFCS_SCROLLUP && Kind != DFCS_SCROLLDOWN && Kind != DFCS_SCROLLLEFT && Kind != DFCS_SCROLLRIGHT &&
        Kind != DFCS_SCROLLCOMBOBOX)
        return 0;
    TRect R = *Rect;
    if (State & DFCS_PUSHED)
        DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_FLAT);
    else
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | ((State & DFCS_FLAT) ? BF_FLAT : 0));
    Arrow(DC, *Rect, Kind, State & DFCS_PUSHED, State & DFCS_INACTIVE);
    if (State & DFCS_ADJUSTRECT) *Rect = R;
    return 1;
}

} // namespace

BOOL DrawFocusRect(HDC DC, const TRect* Rect)
{
    if (!DC || !Rect || IsRectEmpty(*Rect)) return 0;
    QImage* Image = DC->Target ? DC->Target->Image() : nullptr;
    if (!Image) return 1;
    const QRect R = ToQRect(*Rect).translated(DC->Origin);
    const QRegion Border = QRegion(R) - R.adjusted(1, 1, -1, -1);
    const QRegion Area = DrawableRegion(*DC) & Border;
    if (Area.isEmpty()) return 1;
    // A 50% pattern brush inverted into the pixels: its 0 pixels in the text
    // colour, its 1 pixels in the background colour, as GDI maps a
    // monochrome pattern; so the second call gives the pixels back.
    const QRgb Zero = RgbColor(DC->TextColor).rgb() & 0xFFFFFF;
    const QRgb One = RgbColor(DC->BkColor).rgb() & 0xFFFFFF;
    for (const QRect& Part : Area)
        for (int Y = Part.top(); Y <= Part.bottom(); ++Y)
            for (int X = Part.left(); X <= Part.right(); ++X) {
                const QRgb Old = Image->pixel(X, Y);
                Image->setPixel(X, Y, Old ^ (((X + Y) & 1) ? One : Zero));
            }
    DC->Target->Touched(Area.boundingRect());
    return 1;
}

BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags)
{
    if (!DC || !Rect) return 0;
    struct TRingColors {
        int Light;
        int Dark;
    };
    std::vector<TRingColors> Rings;
    const UINT Outer = Edge & BDR_OUTER;
    const UINT Inner = Edge & BDR_INNER;
    if (Flags & BF_MONO) {
        if (Outer || Inner) Rings.push_back({COLOR_WINDOWFRAME, COLOR_WINDOWFRAME});
        if (Outer && Inner) Rings.push_back({COLOR_WINDOW, COLOR_WINDOW});
    } else if (Flags & BF_FLAT) {
        if (Outer || Inner) Rings.push_back({COLOR_BTNSHADOW, COLOR_BTNSHADOW});
        if (Outer && Inner) Rings.push_back({COLOR_BTNFACE, COLOR_BTNFACE});
    } else {
        if (Outer & BDR_RAISEDOUTER)
            Rings.push_back({COLOR_3DLIGHT, COLOR_3DDKSHADOW});
        else if (Outer & BDR_SUNKENOUTER)
            Rings.push_back({COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT});
        if (Inner & BDR_RAISEDINNER)
            Rings.push_back({COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW});
        else if (Inner & BDR_SUNKENINNER)
            Rings.push_back({COLOR_3DDKSHADOW, COLOR_3DLIGHT});
    }
    TRect R = *Rect;
    for (const TRingColors& C : Rings) {
        Ring(DC, R, Flags, Sys(C.Light), Sys(C.Dark));
        Shrink(R, Flags);
    }
    if ((Flags & BF_MIDDLE) && !IsRectEmpty(R))
        Fill(DC, ToQRect(R), Sys((Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (Flags & BF_ADJUST) *Rect = R;
    return 1;
}

BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Type, UINT State)
{
    if (!DC || !Rect) return 0;
    switch (Type) {
    case DFC_BUTTON:
        if (State & DFCS_BUTTONPUSH) {
            ButtonFace(DC, Rect, State);
            return 1;
        }
        if (State & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) return RadioButton(DC, Rect, State);
        return CheckBox(DC, Rect, State);
    case DFC_SCROLL:
        return ScrollButton(DC, Rect, State);
    default:
        return 0;
    }
}
