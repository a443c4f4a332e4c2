#include "platform/controls/ExtCtrls.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->GetPen()->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    while (Width > 0) {
        --Width;
        const TPoint TopLeft(Rect.Left, Rect.Top);
        const TPoint TopRight(Rect.Right, Rect.Top);
        const TPoint BottomRight(Rect.Right, Rect.Bottom);
        const TPoint BottomLeft(Rect.Left, Rect.Bottom);
        Canvas->GetPen()->SetColor(TopColor);
        Canvas->Polyline({BottomLeft, TopLeft, TopRight});
        Canvas->GetPen()->SetColor(BottomColor);
        Canvas->Polyline({TopRight, BottomRight, TPoint(BottomLeft.X - 1, BottomLeft.Y)});
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ---- TCustomPanel --------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    int BevelSize = 0;
    if (FBevelOuter != bvNone) BevelSize += FBevelWidth;
    if (FBevelInner != bvNone) BevelSize += FBevelWidth;
    InflateRect(Rect, -BevelSize, -BevelSize);
}

void TCustomPanel::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    auto BevelColors = [](TPanelBevel Bevel, TColor& Top, TColor& Bottom) {
        Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
        Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor Top, Bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    C->GetBrush()->SetColor(GetColor());
    C->FillRect(R);
    C->GetBrush()->SetStyle(bsClear);
    C->SetFont(GetFont());
    const int FontHeight = C->TextHeight("W");
    R.Top = (R.Bottom + R.Top - FontHeight) / 2;
    R.Bottom = R.Top + FontHeight;
    static const UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const AnsiString Text = GetCaption();
    DrawTextA(C->GetHandle(), Text.c_str(), int(Text.size()), &R, DT_EXPANDTABS | DT_VCENTER | Alignments[FAlignment]);
}

void TCustomPanel::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated())
        RecreateWnd();
    else
        FrameChanged();
}

// ---- TShape ---------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>())
{
    SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 65, 65);
    FBrush->OnChange = [this](TObject* S) { StyleChanged(S); };
    FPen->OnChange = [this](TObject* S) { StyleChanged(S); };
}

TShape::~TShape() = default;

void TShape::StyleChanged(TObject*)
{
    Invalidate();
}

void TShape::SetShape(TShapeType Value)
{
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* C = GetCanvas();
    C->SetPen(FPen.get());
    C->SetBrush(FBrush.get());
    int X = FPen->GetWidth() / 2;
    int Y = X;
    int W = GetWidth() - FPen->GetWidth() + 1;
    int H = GetHeight() - FPen->GetWidth() + 1;
    if (FPen->GetWidth() == 0) {
        --W;
        --H;
    }
    const int S = std::min(W, H);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        X += (W - S) / 2;
        Y += (H - S) / 2;
        W = S;
        H = S;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare:
        C->Rectangle(X, Y, X + W, Y + H);
        break;
    case stRoundRect:
    case stRoundSquare:
        C->RoundRect(X, Y, X + W, Y + H, S / 4, S / 4);
        break;
    case stCircle:
    case stEllipse:
        C->Ellipse(X, Y, X + W, Y + H);
        break;
    }
}

// ---- TBevel ----------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* C = GetCanvas();
    C->GetPen()->SetWidth(1);
    TColor Color1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor Color2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    auto BevelRect = [&](const TRect& R) {
        C->GetPen()->SetColor(Color1);
        C->Polyline({TPoint(R.Left, R.Bottom), TPoint(R.Left, R.Top), TPoint(R.Right, R.Top)});
        C->GetPen()->SetColor(Color2);
        C->Polyline({TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom), TPoint(R.Left, R.Bottom)});
    };
    auto BevelLine = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        C->GetPen()->SetColor(Color);
        C->MoveTo(X1, Y1);
        C->LineTo(X2, Y2);
    };
    const int W = GetWidth();
    const int H = GetHeight();
    switch (FShape) {
    case bsBox:
        BevelRect(Rect(0, 0, W - 1, H - 1));
        break;
    case bsFrame: {
        const TColor Temp = Color1;
        Color1 = Color2;
        BevelRect(Rect(1, 1, W - 1, H - 1));
        Color2 = Temp;
        Color1 = Temp;
        BevelRect(Rect(0, 0, W - 2, H - 2));
        break;
    }
    case bsTopLine:
        BevelLine(Color1, 0, 0, W, 0);
        BevelLine(Color2, 0, 1, W, 1);
        break;
    case bsBottomLine:
        BevelLine(Color1, 0, H - 2, W, H - 2);
        BevelLine(Color2, 0, H - 1, W, H - 1);
        break;
    case bsLeftLine:
        BevelLine(Color1, 0, 0, 0, H);
        BevelLine(Color2, 1, 0, 1, H);
        break;
    case bsRightLine:
        BevelLine(Color1, W - 2, 0, W - 2, H);
        BevelLine(Color2, W - 1, 0, W - 1, H);
        break;
    case bsSpacer:
        break;
    }
}
