// grid/shared/GxPopupControl_Color.cpp
// The colour matrix popup and the colour texts.
#include "grid/shared/GxConsts.h"
#include "grid/shared/GxPopupColor.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/graphics/Resources.h"

namespace GxPopupControl {

using namespace GxSharedCommon;

namespace {

constexpr int SwatchSize = 10, MatrixTop = 28;
constexpr TColor MoreColorsTransparent = 0x00FF00;
const TRect InfoBox(4, 4, 39, 24);

} // namespace

AnsiString DelphiColorToString(TColor Color, bool UseNames)
{
    if (UseNames) return ColorToString(Color);
    return "$" + IntToHex(static_cast<std::uint32_t>(Color), 8);
}

AnsiString WebColorToString(TColor Color, bool UseNames)
{
    const AnsiString Text = HTMLColorToString(Color);
    if (UseNames)
        for (const auto& Entry : GxConsts::WebColorNames)
            if (Text == Entry.cnColorValue) return Entry.cnColorName;
    return Text;
}

// The buttons' pictures: a four-colour palette on the transparent green,
// and a crossed-out white box for no colour.
void RegisterColorPopupBitmaps()
{
    RegisterBitmapResource("MORECOLORSBUTTON", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(12, 12);
        TCanvas* C = B->GetCanvas();
        C->GetBrush()->SetColor(MoreColorsTransparent);
        C->FillRect(TRect(0, 0, 12, 12));
        const TColor Quarters[4] = {clRed, clYellow, clBlue, clGreen};
        for (int I = 0; I < 4; ++I) {
            const int X = 1 + (I % 2) * 5, Y = 1 + (I / 2) * 5;
            C->GetBrush()->SetColor(Quarters[I]);
            C->FillRect(TRect(X, Y, X + 5, Y + 5));
        }
        C->GetBrush()->SetColor(clBlack);
        C->FrameRect(TRect(0, 0, 12, 12));
    });
    RegisterBitmapResource("NONECOLOR", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(12, 12);
        TCanvas* C = B->GetCanvas();
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(TRect(0, 0, 12, 12));
        C->GetBrush()->SetColor(clBlack);
        C->FrameRect(TRect(0, 0, 12, 12));
        for (int I = 2; I < 10; ++I) {
            C->SetPixels(I, I, clRed);
            C->SetPixels(11 - I, I, clRed);
        }
    });
}

// ---- TGxColorPopup ---------------------------------------------------------------------------

TGxColorPopup::TGxColorPopup(TComponent* AOwner) : TGxPopupControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 213, 151);
    auto MakeButton = [this](int Left, const char* Resource, void (TGxColorPopup::*Handler)(TObject*)) {
        auto* Button = new TGxMiniButton(this);
        Button->SetBounds(Left, 4, 20, 20);
        Button->SetParent(this);
        TBitmap Glyph;
        Glyph.LoadFromResourceName(HInstance, Resource);
        Button->SetGlyph(&Glyph);
        Button->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
        return Button;
    };
    FColorsButton = MakeButton(160, "MORECOLORSBUTTON", &TGxColorPopup::DoColorsButtonClick);
    FColorsButton->GetGlyph()->SetTransparentColor(MoreColorsTransparent);
    FColorsButton->GetGlyph()->SetTransparent(true);
    FColorDialog = new TColorDialog(this);
    FNoneButton = MakeButton(180, "NONECOLOR", &TGxColorPopup::DoNoneButtonClick);
    GenerateColorMatrix();
}

void TGxColorPopup::CreateWnd()
{
    TGxPopupControl::CreateWnd();
    GetVertScrollBar()->SetVisible(false);
    SetBorderWidth(0);
}

void TGxColorPopup::GenerateColorMatrix()
{
    for (int Row = 0; Row < MatrixRows; ++Row) {
        FColorMatrix[0][Row] = clBlack;
        FColorMatrix[2][Row] = clBlack;
        static constexpr TColor Primaries[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
        const Byte Grey = Byte(51 * Row);
        FColorMatrix[1][Row] = Row < 6 ? TColor(RGB(Grey, Grey, Grey)) : Primaries[Row - 6];
        // The 216-colour cube: blue by row, green across each run of six
        // columns, red rising by a step after each run; the lower six rows
        // hold the three brighter reds.
        const Byte Blue = Byte(51 * (Row % 6));
        const int RedBase = Row < 6 ? 0 : 3;
        for (int Col = 3; Col < MatrixColumns; ++Col) {
            const int Run = (Col - 3) / 6, Step = (Col - 3) % 6;
            FColorMatrix[Col][Row] = TColor(RGB(Byte(51 * (RedBase + Run)), Byte(51 * Step), Blue));
        }
    }
}

AnsiString TGxColorPopup::GetValueText(TColor Color) const
{
    return FWebColorFormat ? WebColorToString(Color, FUseColorNames) : DelphiColorToString(Color, FUseColorNames);
}

bool TGxColorPopup::SwatchAt(int X, int Y, int& Col, int& Row)
{
    // Points left of or above the matrix are on no swatch (not on row or column 0).
    if (X < 0 || Y < MatrixTop) return false;
    Col = X / SwatchSize;
    Row = (Y - MatrixTop) / SwatchSize;
    return Col < MatrixColumns && Row < MatrixRows;
}

void TGxColorPopup::DoColorOver(TColor Value)
{
    if (OnColorOver) OnColorOver(this, Value);
}

void TGxColorPopup::DoDialogClose(bool Executed)
{
    if (OnDialogClose) OnDialogClose(this, Executed);
}

void TGxColorPopup::DoColorsButtonClick(TObject*)
{
    ClosePopup();
    const bool Executed = FColorDialog->Execute();
    if (Executed) {
        const TColor Color = FColorDialog->GetColor();
        DoInput(FWebColorFormat ? HTMLColorToString(Color) : DelphiColorToString(Color, FUseColorNames));
    }
    DoDialogClose(Executed);
}

void TGxColorPopup::DoNoneButtonClick(TObject*)
{
    DoInput(AnsiString());
}

void TGxColorPopup::AcquireValue(int X, int Y)
{
    // A click beside the swatches (the info box, the gaps) keeps the colour:
    // None is the way to clear it.
    int Col, Row;
    if (SwatchAt(X, Y, Col, Row)) DoInput(GetValueText(FColorMatrix[Col][Row]));
}

void TGxColorPopup::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxPopupControl::MouseMove(Shift, X, Y);
    if (!PtInRect(GetClientRect(), TPoint(X, Y))) return;
    int Col, Row;
    const TColor Color = SwatchAt(X, Y, Col, Row) ? FColorMatrix[Col][Row] : FSelectedColor;
    DrawColorInfo(Color);
    DoColorOver(Color);
}

void TGxColorPopup::DrawColorInfo(TColor Color)
{
    TCanvas* Canvas = GetCanvas();
    Canvas->SetFont(GetFont());
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->TextRect(TRect(45, 8, 105, 25), 45, 8, GetValueText(Color));
    Canvas->GetPen()->SetColor(clBlack);
    if (Color == clNone) {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->Rectangle(InfoBox);
        Canvas->GetPen()->SetColor(clRed);
        Canvas->MoveTo(InfoBox.Left + 1, InfoBox.Top + 1);
        Canvas->LineTo(InfoBox.Right - 1, InfoBox.Bottom - 1);
        Canvas->MoveTo(InfoBox.Right - 2, InfoBox.Top + 1);
        Canvas->LineTo(InfoBox.Left, InfoBox.Bottom - 1);
    } else {
        Canvas->GetBrush()->SetColor(Color);
        Canvas->Rectangle(InfoBox);
    }
}

void TGxColorPopup::Paint()
{
    TGxPopupControl::Paint();
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(GetClientRect());
    Canvas->GetPen()->SetColor(clBlack);
    TRect Selected;
    bool Found = false;
    for (int Row = 0; Row < MatrixRows; ++Row)
        for (int Col = 0; Col < MatrixColumns; ++Col) {
            const TRect R(SwatchSize * Col, MatrixTop + SwatchSize * Row, SwatchSize * Col + 11,
                          MatrixTop + SwatchSize * Row + 11);
            Canvas->GetBrush()->SetColor(FColorMatrix[Col][Row]);
            Canvas->Rectangle(R);
            if (FColorMatrix[Col][Row] == FSelectedColor) Selected = R, Found = true;
        }
    if (Found && FSelectedColor != clNone) {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->FrameRect(Selected);
    }
    DrawColorInfo(FSelectedColor);
}

} // namespace GxPopupControl
