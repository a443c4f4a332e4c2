// grid/shared/GxPopupControl_List.cpp
// The item list and the font list. The list reads the owning edit's lines
// where they are and paints only the lines it shows, so its cost does not
// grow with the number of lines.
#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"

#include <algorithm>
#include <climits>

namespace GxPopupControl {

using namespace GxSharedCommon;

// ---- TGxPopupList: the lines ----------------------------------------------------------------

TGxPopupList::TGxPopupList(TComponent* AOwner) : TGxPopupControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 80, 50);
}

void TGxPopupList::CreateWnd()
{
    TGxPopupControl::CreateWnd();
    GetVertScrollBar()->SetVisible(false);
}

void TGxPopupList::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TGxPopupList::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxPopupControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TGxPopupList::SetItemHeight(int Value)
{
    FItemHeight = std::max(Value, 1);
}

int TGxPopupList::GetVisibleCount()
{
    return GetControlHeight() / FItemHeight;
}

int TGxPopupList::GetVertScrollMax()
{
    return GetItemCount() - GetVisibleCount();
}

int TGxPopupList::GetVertOffset(int FromPos, int ToPos)
{
    const Int64 Distance = (Int64(FromPos) - ToPos) * FItemHeight;
    return int(std::clamp<Int64>(Distance, INT_MIN, INT_MAX));
}

AnsiString TGxPopupList::GetValueFromIndex(int Index) const
{
    if (Index < 0 || !FItems) return AnsiString();
    return FItems->GetValueFromIndex(Index);
}

int TGxPopupList::IndexAt(int Y) const
{
    return (Y - 2) / FItemHeight + GetTopIndex();
}

void TGxPopupList::SetItemIndex(int Value)
{
    FItemIndex = Value;
    const int Top = GetTopIndex();
    const int Visible = GetVisibleCount();
    if (Value >= Top + Visible)
        GetVertScrollBar()->MoveBy(Value - (Top + Visible - 1));
    else if (Value < Top)
        GetVertScrollBar()->MoveBy(Value - Top);
    SetHoverIndex(Value);
}

void TGxPopupList::SetHoverIndex(int Value)
{
    FPrevHoverIndex = FHoverIndex;
    FHoverIndex = Value;
    if (FHoverIndex == FPrevHoverIndex) return;
    RefreshItem(FPrevHoverIndex);
    RefreshItem(FHoverIndex);
}

void TGxPopupList::RefreshItem(int Index)
{
    if (!HandleAllocated()) return;
    const Int64 Top = (Int64(Index) - GetTopIndex()) * FItemHeight + 2;
    const TRect Area = GetControlRect();
    // A line out of view (none: -1) repaints nothing, the border least of all.
    if (Top >= Area.Bottom || Top + FItemHeight <= Area.Top) return;
    const TRect R(Area.Left, std::max<LONG>(LONG(Top), Area.Top), Area.Right,
                  std::min<LONG>(LONG(Top + FItemHeight), Area.Bottom));
    InvalidateRect(GetHandle(), &R, false);
}

// ---- TGxPopupList: opening and the mouse -------------------------------------------------------------

void TGxPopupList::Popup(int X, int Y)
{
    // The window first: making it hides the bar.
    HandleNeeded();
    TGxVertScrollBar* Bar = GetVertScrollBar();
    Bar->SetMax(GetVertScrollMax());
    Bar->SetPageSize(0);
    if (const int Count = GetItemCount(); Count > 0) {
        Bar->SetBounds(GetClientWidth() - 2 - Bar->GetWidth(), 2, Bar->GetWidth(), GetClientHeight() - 4);
        const double Share = double(GetVisibleCount()) / Count * 100;
        Bar->SetPageSize(int(Round(Bar->GetInnerHeight() * Share / 100)));
    }
    // The owner picks the line before the bar has its range: scrolled now,
    // a line below the first page shows as the list opens.
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
    TGxPopupControl::Popup(X, Y);
}

void TGxPopupList::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxPopupControl::MouseMove(Shift, X, Y);
    if (PtInRect(GetControlRect(), TPoint(X, Y)) && !GetVertScrollBar()->GetThumbState().Contains(tsPushed))
        SetHoverIndex(IndexAt(Y));
}

void TGxPopupList::AcquireValue(int X, int Y)
{
    if (!PtInRect(GetControlRect(), TPoint(X, Y))) return;
    FItemIndex = IndexAt(Y);
    // Below the last line there is nothing to pick.
    if (FItemIndex >= 0 && FItemIndex < GetItemCount()) DoInput(FItems->Get(FItemIndex));
}

// ---- TGxPopupList: painting -----------------------------------------------------------------------

void TGxPopupList::Paint()
{
    TGxPopupControl::Paint();
    TCanvas* Canvas = GetCanvas();
    Canvas->SetFont(GetFont());
    const TRect Area = GetControlRect();
    const int Bottom = GetControlHeight();
    // A line cut by the bottom edge stays inside the border.
    const HDC DC = Canvas->GetHandle();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, Area.Left, Area.Top, Area.Right, Area.Bottom);
    int Y = Area.Top;
    const int Count = GetItemCount();
    for (int I = GetTopIndex(); I < Count; ++I) {
        const TRect R(Area.Left, Y, Area.Right, Y + FItemHeight);
        const bool Hot = I == FHoverIndex;
        Canvas->GetBrush()->SetColor(Hot ? FSelectionColor : FDropDownColor);
        Canvas->GetFont()->SetColor(Hot ? FHighlightTextColor : clWindowText);
        Canvas->FillRect(R);
        DrawItem(I, R);
        Y += FItemHeight;
        if (Y > Bottom) break;
    }
    if (Y < Area.Bottom) {
        Canvas->GetBrush()->SetColor(FDropDownColor);
        Canvas->FillRect(TRect(Area.Left, Y, Area.Right, Area.Bottom));
    }
    RestoreDC(DC, Saved);
}

void TGxPopupList::DrawItem(int Index, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    int TextLeft = Rect.Left + 2;
    if (FShowImages && FImages) {
        if (Index < FImages->GetCount())
            FImages->Draw(Canvas, Rect.Left + 2, Rect.Top + FItemHeight / 2 - FImages->GetHeight() / 2, Index, true);
        TextLeft = Rect.Left + FImages->GetWidth() + 5;
    }
    AnsiString Text;
    switch (FDisplayMode) {
    case dmDefault:
        Text = FItems->Get(Index);
        break;
    case dmNameList:
        Text = FItems->GetNames(Index);
        break;
    case dmValueList:
        Text = GetValueFromIndex(Index);
        break;
    case dmIndentList: {
        Text = GetValueFromIndex(Index);
        // A name that is no number indents by nothing; none indents past the line.
        const Int64 Indent = Int64(StrToIntDef(FItems->GetNames(Index), 0)) * 10;
        TextLeft += int(std::clamp<Int64>(Indent, 0, std::max(0, Rect.Right - TextLeft)));
        break;
    }
    }
    DrawTextRect(Canvas, TRect(TextLeft, Rect.Top, Rect.Right, Rect.Bottom), taLeftJustify, Utf8ToWide(Text),
                 bdLeftToRight);
}

// ---- TFontPopup ----------------------------------------------------------------------------------

void TFontPopup::DrawItem(int Index, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    const AnsiString Name = GetItems()->Get(Index);
    Canvas->GetFont()->SetSize(std::max(GetItemHeight() - 8, 1));
    Canvas->GetFont()->SetName(Name);
    DrawTextRect(Canvas, TRect(2, Rect.Top, Rect.Right, Rect.Bottom), taLeftJustify, Utf8ToWide(Name), bdLeftToRight);
}

} // namespace GxPopupControl
