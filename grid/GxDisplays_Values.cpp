// grid/GxDisplays_Values.cpp: the displays of the kinds that format a value,
// the strings displays and the memo display.
#include "grid/GxDisplays.h"
#include "grid/GxColumnClasses.h"

namespace GxDisplays {

using GxColumnClasses::TGxStringsColumn;

namespace {

// Draws the text Display's column makes of Info in the text rectangle.
void DrawColumnText(TColumnDisplay& Display, const TCellInfo& Info)
{
    Display.DrawTextRect(Display.GetColumn()->GetDrawText(Info), Display.GetTextRect());
}

// The display mode and image list of Display's strings column (text only,
// no images, for a column of another kind).
std::pair<TDisplayMode, TCustomImageList*> StringsLook(const TColumnDisplay& Display)
{
    const auto* Column = dynamic_cast<const TGxStringsColumn*>(Display.GetColumn());
    if (!Column) return {dmTextOnly, nullptr};
    return {Column->GetDisplayMode(), Column->GetImages()};
}

} // namespace

void TDateColumnDisplay::Paint()
{
    DrawColumnText(*this, TCellInfo{.AsDateTime = GetAsDateTime(), .AsString = GetAsString()});
}

void TNumberColumnDisplay::Paint()
{
    DrawColumnText(*this, TCellInfo{.AsFloat = GetAsFloat(), .AsString = GetAsString()});
}

void TTimeColumnDisplay::Paint()
{
    DrawColumnText(*this, TCellInfo{.AsDateTime = GetAsDateTime(), .AsString = {}});
}

void TIncrementColumnDisplay::Paint()
{
    DrawColumnText(*this, TCellInfo{.AsInteger = GetAsInteger(), .AsString = {}});
}

// ---- Strings ----------------------------------------------------------------------------------------

void TCustomStringsColumnDisplay::Paint()
{
    const WideString Text = GetColumn()->GetDrawText(TCellInfo{.AsInteger = GetAsInteger(), .AsString = GetAsString()});
    const auto [Mode, Images] = StringsLook(*this);
    DrawContent(Mode, Text, GetAsInteger(), Images);
}

void TCustomStringsColumnDisplay::DrawContent(TDisplayMode Mode, const WideString& Text, int Index,
                                              TCustomImageList* Images)
{
    if (Mode != dmImageOnly) DrawTextRect(Text, GetTextRect());
    if (Mode == dmTextOnly || !Images) return;
    const TRect& R = GetClientRect();
    Images->Draw(GetCanvas(), R.Left + 2, R.Top + R.Height() / 2 - Images->GetHeight() / 2, Index, true);
}

TRect TStringsColumnDisplay::GetTextRect()
{
    TRect R = TCustomStringsColumnDisplay::GetTextRect();
    const auto [Mode, Images] = StringsLook(*this);
    if (Images && Mode != dmTextOnly) R.Left += Images->GetWidth() + 4;
    return R;
}

int TStringsColumnDisplay::GetContentWidth()
{
    const auto [Mode, Images] = StringsLook(*this);
    switch (Mode) {
    case dmImageOnly:
        return Images ? Images->GetWidth() : 0;
    case dmTextAndImage:
        return TCustomStringsColumnDisplay::GetContentWidth() + (Images ? Images->GetWidth() + 4 : 0);
    default:
        return TCustomStringsColumnDisplay::GetContentWidth();
    }
}

// ---- Memo ------------------------------------------------------------------------------------------

TRect TMemoColumnDisplay::GetTextRect()
{
    TRect R = GetClientRect();
    R.Left += 2;
    R.Top += 1;
    R.Right -= 1;
    return R;
}

void TMemoColumnDisplay::Paint()
{
    // The memo column always draws several lines, so the base routine keeps
    // the line breaks and places them by the vertical alignment.
    DrawTextRect(GetAsString(), GetTextRect());
}

} // namespace GxDisplays
