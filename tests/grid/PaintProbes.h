// tests/grid/PaintProbes.h
// What the paint tests do to a grid on screen: paint it whole, take its
// client pixels, select a row.
#pragma once
#include "grid/GxCustomGridControl.h"
#include "platform/testing/TestDriving.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace GridStorage {

// The whole client area painted again, now.
inline void RepaintWhole(TWinControl* Control)
{
    InvalidateRect(Control->GetHandle(), nullptr, false);
    platform::test::PaintNow(Control);
}

// The client pixels as they are once what waits has been painted.
inline void CaptureClient(TWinControl* Control, TBitmap& Picture)
{
    platform::test::PaintNow(Control);
    Picture.SetPixelFormat(pf32bit);
    Picture.SetSize(Control->GetClientWidth(), Control->GetClientHeight());
    HDC DC = GetDC(Control->GetHandle());
    BitBlt(Picture.GetCanvas()->GetHandle(), 0, 0, Picture.GetWidth(), Picture.GetHeight(), DC, 0, 0, SRCCOPY);
    ReleaseDC(Control->GetHandle(), DC);
}

// The row flagged and made the selected one.
inline void SelectRow(GxCustomGridControl::TGxCustomGridControl* Grid, int ARow)
{
    Grid->SetSelected(ARow, true);
    Grid->SetSelectedRow(ARow);
}

} // namespace GridStorage
