// Saving and restoring device-context state, and the window origin.
#include "platform/win/WinGdi.h"

#include <gtest/gtest.h>

TEST(WinGdiState, SaveAndRestoreByLevel)
{
    TBitmap Bitmap;
    Bitmap.SetSize(10, 10);
    HDC DC = Bitmap.GetCanvas()->GetHandle();
    SetTextColor(DC, RGB(1, 2, 3));
    EXPECT_EQ(SaveDC(DC), 1);
    SetTextColor(DC, RGB(4, 5, 6));
    SetBkMode(DC, TRANSPARENT);
    EXPECT_EQ(SaveDC(DC), 2);
    SetTextColor(DC, RGB(7, 8, 9));
    EXPECT_EQ(SaveDC(DC), 3);

    EXPECT_EQ(RestoreDC(DC, -1), 1); // the latest
    EXPECT_EQ(GetTextColor(DC), RGB(7, 8, 9));
    EXPECT_EQ(RestoreDC(DC, 1), 1); // drops level 2 on the way
    EXPECT_EQ(GetTextColor(DC), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(DC), OPAQUE);
    EXPECT_EQ(RestoreDC(DC, 1), 0);
    EXPECT_EQ(RestoreDC(DC, -1), 0);
    EXPECT_EQ(SaveDC(DC), 1);
    EXPECT_EQ(RestoreDC(DC, 0), 0);
    EXPECT_EQ(SaveDC(nullptr), 0);
}

TEST(WinGdiState, WindowOriginMovesLogicalCoordinates)
{
    TBitmap Bitmap;
    Bitmap.SetSize(20, 20);
    TCanvas* C = Bitmap.GetCanvas();
    HDC DC = C->GetHandle();
    const int Saved = SaveDC(DC);
    TPoint Old(-1, -1);
    EXPECT_EQ(SetWindowOrgEx(DC, 10, 5, &Old), 1);
    EXPECT_EQ(Old, TPoint(0, 0));
    EXPECT_EQ(OffsetWindowOrgEx(DC, 2, 3, &Old), 1);
    EXPECT_EQ(Old, TPoint(10, 5));
    TPoint Now;
    EXPECT_EQ(GetWindowOrgEx(DC, &Now), 1);
    EXPECT_EQ(Now, TPoint(12, 8));
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect(12, 8, 13, 9)); // logical (12, 8) is the corner now
    RestoreDC(DC, Saved);
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(TRect(1, 0, 2, 1));
    EXPECT_EQ(C->GetPixels(0, 0), clRed);
    EXPECT_EQ(C->GetPixels(1, 0), clBlue);
    EXPECT_EQ(C->GetPixels(12, 8), clWhite);
}
