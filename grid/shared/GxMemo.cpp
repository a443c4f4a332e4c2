// grid/shared/GxMemo.cpp
#include "grid/shared/GxMemo.h"

namespace GxMemo {

// ---- Memo cell editor ---------------------------------------------------------------------------

void TGxMemoInplaceEdit::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    RecreateWnd();
}

void TGxMemoInplaceEdit::CreateParams(TCreateParams& Params)
{
    TGxCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
}

void TGxMemoInplaceEdit::WMGetDlgCode(TMessage& Message)
{
    TGxCustomEdit::WMGetDlgCode(Message);
    if (!FWantReturns) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

// ---- Form memo ------------------------------------------------------------------------------------

void TGxMemo::Add(const AnsiString& S)
{
    GetLines()->Add(S);
}

void TGxMemo::Add(std::string_view Format, std::initializer_list<TVarRec> Args)
{
    GetLines()->Add(::Format(Format, Args));
}

void TGxMemo::SetMargin(int Value)
{
    FMargin = Value;
    UpdateEditRect();
    Repaint();
}

TRect TGxMemo::GetEditRect()
{
    return TRect(FMargin, 0, GetClientWidth() - (FMargin + 1), GetClientHeight() + 1);
}

void TGxMemo::UpdateEditRect()
{
    if (!HandleAllocated()) return;
    const TRect R = GetEditRect();
    SendMessageA(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

void TGxMemo::CreateWnd()
{
    TCustomMemo::CreateWnd();
    UpdateEditRect();
}

void TGxMemo::WMNCPaint(TMessage& Message)
{
    TCustomMemo::WMNCPaint(Message);
    if (IsThemed() && GetBorderStyle() == bsSingle && HandleAllocated()) ThemeEditBorder(GetHandle());
}

} // namespace GxMemo
