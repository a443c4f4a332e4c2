// Saving and restoring a device context's state, and its window origin.
#include "platform/graphics/DeviceContext.h"
#include "platform/win/WinGdi.h"

int SaveDC(HDC DC)
{
    if (!DC) return 0;
    HDC__ State = *DC;
    State.SavedStates.clear();
    DC->SavedStates.push_back(std::move(State));
    return int(DC->SavedStates.size());
}

BOOL RestoreDC(HDC DC, int SavedDC)
{
    if (!DC) return 0;
    const auto Count = std::int64_t(DC->SavedStates.size());
    const std::int64_t Level = SavedDC < 0 ? Count + SavedDC + 1 : SavedDC;
    if (Level < 1 || Level > Count) return 0;
    std::vector<HDC__> Stack = std::move(DC->SavedStates);
    *DC = std::move(Stack[std::size_t(Level - 1)]);
    Stack.resize(std::size_t(Level - 1));
    DC->SavedStates = std::move(Stack);
    return 1;
}

BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old)
{
    if (!DC) return 0;
    if (Old) *Old = TPoint(DC->WindowOrg.x(), DC->WindowOrg.y());
    const QPoint New(X, Y);
    DC->Origin += DC->WindowOrg - New;
    DC->WindowOrg = New;
    return 1;
}

BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old)
{
    if (!DC) return 0;
    return SetWindowOrgEx(DC, DC->WindowOrg.x() + DX, DC->WindowOrg.y() + DY, Old);
}

BOOL GetWindowOrgEx(HDC DC, TPoint* Point)
{
    if (!DC || !Point) return 0;
    *Point = TPoint(DC->WindowOrg.x(), DC->WindowOrg.y());
    return 1;
}
