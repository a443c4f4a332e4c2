// grid/shared/GxEdit_Text.cpp
// The plain text edit: its border, select-all left of the text and the
// caret at the start of editing.
#include "grid/shared/GxEdit.h"
#include "platform/win/WinGdi.h"

namespace GxEdit {

TGxEdit::TGxEdit(TComponent* AOwner) : TGxCustomEdit(AOwner) {}

void TGxEdit::BeginEditing()
{
    TGxCustomEdit::BeginEditing();
    SetSelStart(int(GetText().size()));
    SetSelLength(0);
}

void TGxEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomEdit::MouseDown(Button, Shift, X, Y);
    // The line edit takes the press after this handler and would put the
    // caret back; the selection is made once it has.
    if (X <= GetEditLeft() + 2) PostMessageA(GetHandle(), EM_SETSEL, 0, -1);
}

void TGxEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCustomEdit::MouseMove(Shift, X, Y);
    SetCursor(X > GetEditLeft() + 2 ? crDefault : crReversedArrow);
}

void TGxEdit::CMFontChanged(TMessage& Message)
{
    TGxCustomEdit::CMFontChanged(Message);
    UpdateEditRect();
}

void TGxEdit::CMTextChanged(TMessage& Message)
{
    TGxCustomEdit::CMTextChanged(Message);
    DoTextChange();
}

void TGxEdit::WMSize(TMessage& Message)
{
    TGxCustomEdit::WMSize(Message);
    UpdateEditRect();
}

void TGxEdit::WMNCPaint(TMessage& Message)
{
    if (IsThemed())
        RedrawBorder();
    else
        TGxCustomEdit::WMNCPaint(Message);
}

void TGxEdit::WMPaint(TMessage& Message)
{
    if (GetBorderWidth() > 0 && HandleAllocated()) {
        HDC DC = GetWindowDC(GetHandle());
        TRect R;
        GetWindowRect(GetHandle(), &R);
        OffsetRect(R, -R.Left, -R.Top);
        TCanvas Canvas;
        Canvas.SetHandle(DC);
        Canvas.GetBrush()->SetColor(GetColor());
        const int Step = GetBorderStyle() == bsSingle ? -1 : 1;
        InflateRect(R, Step, Step);
        for (int I = 0; I < GetBorderWidth(); ++I) {
            InflateRect(R, -1, -1);
            Canvas.FrameRect(R);
        }
        Canvas.SetHandle(nullptr);
        ReleaseDC(GetHandle(), DC);
    }
    // The native painting, then Paint when the edit paints itself.
    TGxCustomEdit::WMPaint(Message);
}

} // namespace GxEdit
