// Points, sizes and rectangles as the class library has them (TPoint, TRect,
// TSize) with their helper functions. A rectangle holds Left and Top but not
// Right and Bottom: its width is Right - Left.
#pragma once
#include "platform/rtl/WinTypes.h"

#include <algorithm>

struct TPoint {
    LONG X = 0;
    LONG Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(LONG AX, LONG AY) : X(AX), Y(AY) {}
    constexpr TPoint(const POINT& P) : X(P.x), Y(P.y) {}
    constexpr operator POINT() const { return POINT{X, Y}; }
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    LONG cx = 0;
    LONG cy = 0;
    constexpr TSize() = default;
    constexpr TSize(LONG ACx, LONG ACy) : cx(ACx), cy(ACy) {}
    constexpr TSize(const SIZE& S) : cx(S.cx), cy(S.cy) {}
    constexpr operator SIZE() const { return SIZE{cx, cy}; }
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    LONG Left = 0;
    LONG Top = 0;
    LONG Right = 0;
    LONG Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(LONG ALeft, LONG ATop, LONG ARight, LONG ABottom)
        : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom)
    {
    }
    constexpr TRect(const TPoint& TopLeft, const TPoint& BottomRight)
        : Left(TopLeft.X), Top(TopLeft.Y), Right(BottomRight.X), Bottom(BottomRight.Y)
    {
    }
    constexpr TRect(const RECT& R) : Left(R.left), Top(R.top), Right(R.right), Bottom(R.bottom) {}
    constexpr operator RECT() const { return RECT{Left, Top, Right, Bottom}; }

    constexpr LONG Width() const { return Right - Left; }
    constexpr LONG Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(LONG X, LONG Y)
{
    return {X, Y};
}
constexpr TRect Rect(LONG Left, LONG Top, LONG Right, LONG Bottom)
{
    return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(LONG Left, LONG Top, LONG Width, LONG Height)
{
    return {Left, Top, Left + Width, Top + Height};
}

constexpr bool IsRectEmpty(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
constexpr bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Dest = the common part of R1 and R2; empty (all zero) when they do not meet.
inline bool IntersectRect(TRect& Dest, const TRect& R1, const TRect& R2)
{
    TRect R(std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
            std::min(R1.Bottom, R2.Bottom));
    if (IsRectEmpty(R)) R = TRect();
    Dest = R;
    return !IsRectEmpty(R);
}

inline bool OffsetRect(TRect& R, int DX, int DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
    return true;
}

inline bool InflateRect(TRect& R, int DX, int DY)
{
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
    return true;
}
