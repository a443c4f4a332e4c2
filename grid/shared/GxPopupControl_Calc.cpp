// grid/shared/GxPopupControl_Calc.cpp
// The calculator pad popup.
#include "grid/shared/GxPopupCalc.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"

namespace GxPopupControl {

using namespace GxSharedCommon;
using namespace GxThemesSupport;

namespace {

constexpr const char* Captions[CalcButtonCount] = {"Back", "CE", "C",   "MC", "7", "8",   "9",  "/", "sqrt",
                                                   "MR",   "4",  "5",   "6",  "*", "%",   "MS", "1", "2",
                                                   "3",    "-",  "1/x", "M+", "0", "+/-", ".",  "+", "="};

} // namespace

TGxCalcPopup::TGxCalcPopup(TComponent* AOwner) : TGxPopupControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 199, 139);
    CreateButtons();
}

AnsiString TGxCalcPopup::GetButtonCaption(TCalcButtonKind Kind)
{
    return Captions[Kind];
}

TColor TGxCalcPopup::GetButtonFontColor(TCalcButtonKind Kind)
{
    switch (Kind) {
    case ck0:
    case ck1:
    case ck2:
    case ck3:
    case ck4:
    case ck5:
    case ck6:
    case ck7:
    case ck8:
    case ck9:
    case ckSqrt:
    case ckPercent:
    case ckRatio:
    case ckSign:
    case ckDot:
        return TColor(0xFF0000);
    default:
        return TColor(0x0000FF);
    }
}

void TGxCalcPopup::CreateButtons()
{
    for (int I = 0; I < CalcButtonCount; ++I) {
        const auto Kind = static_cast<TCalcButtonKind>(I);
        auto* Button = new TGxCalcButton(this);
        Button->SetButtonKind(Kind);
        if (I < 3) {
            Button->SetBounds(36 + 53 * I, 4, 51, 24);
        } else {
            const int Place = I - 3;
            Button->SetBounds(4 + 32 * (Place % 6), 32 + 26 * (Place / 6), 30, 24);
        }
        Button->SetParent(this);
        Button->SetCaption(GetButtonCaption(Kind));
        Button->GetFont()->SetColor(GetButtonFontColor(Kind));
        Button->OnClick = [this](TObject* Sender) { DoButtonClick(Sender); };
        FButtons[I] = Button;
    }
}

IGxCalculator* TGxCalcPopup::Calculator() const
{
    return dynamic_cast<IGxCalculator*>(GetEditor());
}

void TGxCalcPopup::RefreshMemoryRect()
{
    if (!HandleAllocated()) return;
    const TRect R = GetMemoryRect();
    InvalidateRect(GetHandle(), &R, false);
}

void TGxCalcPopup::DoButtonClick(TObject* Sender)
{
    auto* Button = dynamic_cast<TGxCalcButton*>(Sender);
    IGxCalculator* Calc = Calculator();
    if (!Button || !Calc) return;
    switch (const TCalcButtonKind Kind = Button->GetButtonKind()) {
    case ckBackspace:
        Calc->Backspace();
        break;
    case ckCe:
        Calc->Erase();
        break;
    case ckC:
        Calc->ClearValue();
        break;
    case ckMC:
        Calc->ClearMemory();
        RefreshMemoryRect();
        break;
    case ck0:
        Calc->AddNumber(0);
        break;
    case ck1:
    case ck2:
    case ck3:
        Calc->AddNumber(Kind - ck1 + 1);
        break;
    case ck4:
    case ck5:
    case ck6:
        Calc->AddNumber(Kind - ck4 + 4);
        break;
    case ck7:
    case ck8:
    case ck9:
        Calc->AddNumber(Kind - ck7 + 7);
        break;
    case ckDiv:
        Calc->Divide();
        break;
    case ckSqrt:
        Calc->Sqrt();
        break;
    case ckMR:
        Calc->RestoreMemory();
        break;
    case ckMultiply:
        Calc->Multiply();
        break;
    case ckPercent:
        break;
    case ckMS:
        Calc->Memory();
        RefreshMemoryRect();
        break;
    case ckM:
        // M+ adds to the memory; MS is the key that stores over it.
        Calc->MemoryAdd();
        RefreshMemoryRect();
        break;
    case ckMinus:
        Calc->Minus();
        break;
    case ckRatio:
        Calc->Ratio();
        break;
    case ckSign:
        Calc->Sign();
        break;
    case ckDot:
        Calc->AddDot();
        break;
    case ckPlus:
        Calc->Plus();
        break;
    case ckEqual:
        Calc->Equal();
        break;
    }
}

void TGxCalcPopup::Paint()
{
    TCanvas* Canvas = GetCanvas();
    TRect Client = GetClientRect();
    TRect Memory = GetMemoryRect();
    if (IsThemed()) {
        ThemeRect(GetHandle(), Canvas->GetHandle(), Client, u"tab", TABP_PANE, 1);
        ThemeRect(GetHandle(), Canvas->GetHandle(), Memory, u"edit", EP_EDITTEXT, 1);
    } else {
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(Client);
        DrawEdge(Canvas->GetHandle(), &Client, EDGE_RAISED, BF_RECT);
        DrawEdge(Canvas->GetHandle(), &Memory, EDGE_SUNKEN, BF_RECT);
    }
    const IGxCalculator* Calc = Calculator();
    if (Calc && !Calc->IsMemoryEmpty()) {
        Canvas->SetFont(GetFont());
        Canvas->GetBrush()->SetStyle(bsClear);
        DrawTextRect(Canvas, GetMemoryRect(), taCenter, u"M", bdLeftToRight);
        Canvas->GetBrush()->SetStyle(bsSolid);
    }
}

} // namespace GxPopupControl
