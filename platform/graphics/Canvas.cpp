#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/QtGraphics.h"
#include "platform/rtl/QtStrings.h"

#include <QFontMetrics>

using namespace platform::detail;

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    FFont->OnChange = [this](TObject* S) { FontChanged(S); };
    FPen->OnChange = [this](TObject* S) { PenChanged(S); };
    FBrush->OnChange = [this](TObject* S) { BrushChanged(S); };
}

TCanvas::~TCanvas() = default;

void TCanvas::FontChanged(TObject*)
{
    FState.Exclude(csFontValid);
}
void TCanvas::PenChanged(TObject*)
{
    FState.Exclude(csPenValid);
}
void TCanvas::BrushChanged(TObject*)
{
    FState.Exclude(csBrushValid);
}

void TCanvas::CreateHandle()
{
    throw EInvalidOperation("Canvas does not allow drawing");
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

HDC TCanvas::GetHandle()
{
    // Code that draws through the handle itself finds the canvas's objects selected.
    RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (FHandle == Value) return;
    FHandle = Value;
    FState = Value ? TState{csHandleValid} : TState{};
}

void TCanvas::Refresh()
{
    FState *= TState{csHandleValid};
}

void TCanvas::RequiredState(TState ReqState)
{
    const TState Needed = ReqState - FState;
    if (Needed.Empty()) return;
    if (Needed.Contains(csHandleValid)) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
        FState.Include(csHandleValid);
    }
    if (Needed.Contains(csFontValid)) {
        FHandle->Font = ToQFont(FFont.get());
        FHandle->FontEscapement = 0;
        FHandle->FontHandle = FFont->GetHandle();
        FHandle->TextColor = ColorToRGB(FFont->GetColor());
    }
    if (Needed.Contains(csPenValid)) {
        FHandle->PenColor = ColorToRGB(FPen->GetColor());
        FHandle->PenStyle = FPen->GetStyle();
        FHandle->PenWidth = FPen->GetWidth();
        FHandle->Rop2 = FPen->GetMode();
    }
    if (Needed.Contains(csBrushValid)) {
        // Text and styled lines fill their background with a solid brush's
        // colour, and leave it alone otherwise.
        FHandle->BrushColor = ColorToRGB(FBrush->GetColor());
        FHandle->BrushStyle = FBrush->GetStyle();
        FHandle->BkColor = FBrush->GetStyle() == bsSolid ? FHandle->BrushColor : ~FHandle->BrushColor & 0xFFFFFF;
        FHandle->BkTransparent = FBrush->GetStyle() != bsSolid;
        // A pattern brush paints whatever the style says.
        FHandle->BrushPattern = FBrush->FPattern ? FBrush->FPattern->Image() : QImage();
        if (!FHandle->BrushPattern.isNull()) FHandle->BrushStyle = bsSolid;
    }
    FState += Needed;
}

void TCanvas::FillRect(const TRect& Rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    const QRect R = ToQRect(Rect);
    if (FHandle->BrushStyle != bsClear && !R.isEmpty()) {
        TDCPainter P(FHandle, R);
        if (P.Active()) P.Painter().fillRect(R, BrushOf(*FHandle));
    }
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    const QRect R = ToQRect(Rect);
    if (FHandle->BrushStyle != bsClear && !R.isEmpty()) {
        TDCPainter P(FHandle, R);
        if (P.Active()) {
            const QBrush B = BrushOf(*FHandle);
            QPainter& Painter = P.Painter();
            Painter.fillRect(QRect(R.left(), R.top(), R.width(), 1), B);
            Painter.fillRect(QRect(R.left(), R.bottom(), R.width(), 1), B);
            Painter.fillRect(QRect(R.left(), R.top(), 1, R.height()), B);
            Painter.fillRect(QRect(R.right(), R.top(), 1, R.height()), B);
        }
    }
    Changed();
}

namespace {

// The shape rectangle of GDI's Rectangle, Ellipse and RoundRect: the right
// and bottom edges lie outside it.
QRect ShapeRect(int X1, int Y1, int X2, int Y2)
{
    const QRect R = QRect(QPoint(X1, Y1), QPoint(X2, Y2)).normalized();
    return QRect(R.left(), R.top(), R.width() - 2, R.height() - 2);
}

} // namespace

// A closed shape inside the rectangle (X1, Y1)-(X2, Y2), filled with the
// brush and outlined with the pen by Draw, on GDI's pixel grid.
template <typename TDraw> void TCanvas::DrawShape(int X1, int Y1, int X2, int Y2, TDraw Draw)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    const QRect R = ShapeRect(X1, Y1, X2, Y2);
    if (R.width() >= 0 && R.height() >= 0) {
        TDCPainter P(FHandle,
                     R.adjusted(-FHandle->PenWidth, -FHandle->PenWidth, FHandle->PenWidth + 1, FHandle->PenWidth + 1));
        if (P.Active()) {
            const bool Brush = P.SelectBrush();
            const bool Pen = P.SelectPen();
            if (Brush || Pen) Draw(P.Painter(), R);
        }
    }
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    DrawShape(X1, Y1, X2, Y2, [](QPainter& P, const QRect& R) { P.drawRect(R); });
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    DrawShape(X1, Y1, X2, Y2, [X3, Y3](QPainter& P, const QRect& R) { P.drawRoundedRect(R, X3 / 2.0, Y3 / 2.0); });
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    DrawShape(X1, Y1, X2, Y2, [](QPainter& P, const QRect& R) { P.drawEllipse(R); });
}

void TCanvas::MoveTo(int X, int Y)
{
    RequiredState({csHandleValid});
    FHandle->PenPos = QPoint(X, Y);
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    DrawLine(FHandle, FHandle->PenPos, QPoint(X, Y));
    FHandle->PenPos = QPoint(X, Y);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    for (std::size_t I = 1; I < Points.size(); ++I)
        DrawLine(FHandle, ToQPoint(Points[I - 1]), ToQPoint(Points[I]));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    FHandle->PenPos = QPoint(X + DrawTextRun(FHandle, QPoint(X, Y), ToQString(Text), nullptr), Y);
    Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text)
{
    RequiredState({csHandleValid, csFontValid});
    const QFontMetrics M(FHandle->Font);
    return TSize(M.horizontalAdvance(ToQString(Text)), M.height());
}

TColor TCanvas::GetPixels(int X, int Y)
{
    RequiredState({csHandleValid});
    QImage* Image = FHandle->Target ? FHandle->Target->Image() : nullptr;
    const QPoint D = QPoint(X, Y) + FHandle->Origin;
    if (!DrawablePoint(*FHandle, D)) return CLR_INVALID;
    return FromQColor(Image->pixelColor(D));
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    RequiredState({csHandleValid});
    QImage* Image = FHandle->Target ? FHandle->Target->Image() : nullptr;
    const QPoint D = QPoint(X, Y) + FHandle->Origin;
    if (DrawablePoint(*FHandle, D)) {
        Image->setPixelColor(D, RgbColor(ColorToRGB(Value)));
        FHandle->Target->Touched(QRect(D, QSize(1, 1)));
    }
    Changed();
}

TPoint TCanvas::GetPenPos()
{
    RequiredState({csHandleValid});
    return FromQPoint(FHandle->PenPos);
}

void TCanvas::SetPenPos(const TPoint& Value)
{
    MoveTo(Value.X, Value.Y);
}

TRect TCanvas::GetClipRect()
{
    RequiredState({csHandleValid});
    const QRegion Clip = DrawableRegion(*FHandle);
    if (Clip.isEmpty()) return TRect();
    return FromQRect(Clip.boundingRect().translated(-FHandle->Origin));
}
