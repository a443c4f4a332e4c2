// The canvas's polygons, text in rectangles, pictures and copies.
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/QtGraphics.h"
#include "platform/rtl/QtStrings.h"

#include <QPolygon>

using namespace platform::detail;

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    if (Points.size() >= 2) {
        QPolygon Outline;
        for (const TPoint& Point : Points)
            Outline << ToQPoint(Point);
        const QRegion Inside(Outline, Qt::OddEvenFill);
        const int W = std::max(FHandle->PenWidth, 1);
        if (!Inside.isEmpty()) {
            TDCPainter P(FHandle, Inside.boundingRect());
            if (P.Active() && P.SelectBrush()) {
                QPainter& Painter = P.Painter();
                Painter.setClipRegion(Inside, Qt::IntersectClip);
                Painter.fillRect(Inside.boundingRect(), Painter.brush());
            }
        }
        if (W == 1) {
            // Each edge leaves its end point, which the next edge paints.
            for (std::size_t I = 0; I < Points.size(); ++I)
                DrawLine(FHandle, ToQPoint(Points[I]), ToQPoint(Points[(I + 1) % Points.size()]));
        } else {
            TDCPainter P(FHandle, Outline.boundingRect().adjusted(-W, -W, W, W));
            if (P.Active() && P.SelectPen()) {
                P.SelectNoBrush();
                P.Painter().drawPolygon(Outline);
            }
        }
    }
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    const UINT Options = ETO_CLIPPED | (FBrush->GetStyle() != bsClear ? ETO_OPAQUE : 0);
    DrawTextOut(FHandle, QPoint(X, Y), Options, &Rect, ToQString(Text), nullptr);
    Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty()) return;
    StretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    // A monochrome picture takes these as its two colours.
    FHandle->BkColor = ColorToRGB(FBrush->GetColor());
    FHandle->TextColor = ColorToRGB(FFont->GetColor());
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (!Canvas) return;
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    HDC Src = Canvas->GetHandle();
    BitTransfer(FHandle, ToQRect(Dest), Src, ToQRect(Source), FCopyMode);
    Changed();
}
