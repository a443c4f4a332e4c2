// The text an in-place edit leaves, so that a case fits on one line.
#pragma once
#include <string>

template <typename TEdit> std::string Edited(std::string S, TEdit Edit)
{
    Edit(S);
    return S;
}
