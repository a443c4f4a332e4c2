// Bit-block transfers, over the device context's.
#include "platform/graphics/DeviceContext.h"
#include "platform/win/WinGdi.h"

using namespace platform::detail;

BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, DWORD Rop)
{
    return BitTransfer(Dest, QRect(X, Y, Width, Height), Src, QRect(XSrc, YSrc, Width, Height), Rop);
}

BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, int SrcWidth, int SrcHeight,
                DWORD Rop)
{
    return BitTransfer(Dest, QRect(X, Y, Width, Height), Src, QRect(XSrc, YSrc, SrcWidth, SrcHeight), Rop);
}

BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop)
{
    return BitTransfer(DC, QRect(X, Y, Width, Height), nullptr, QRect(X, Y, Width, Height), Rop);
}
