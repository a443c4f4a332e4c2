// Putting a control of class T on a parent at given bounds, in one line.
#pragma once
#include "platform/controls/Controls.h"

template <typename T> T* Place(TWinControl* Parent, int Left, int Top, int Width, int Height)
{
    T* Control = New<T>(Parent);
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    return Control;
}
