// The class library's edit masks, used to format a stored value for display.
#pragma once
#include "platform/rtl/System.h"

#include <string_view>

// Value laid into EditMask as an edit control with that mask would show it.
// The mask's input characters (L l A a C c 0 9 #) each take one character of
// Value; '>' shifts what follows to upper case, '<' to lower case, "<>" ends
// the shift; '\' makes the next character a literal; ':' and '/' are
// FormatSettings' time and date separators, '_' a space, and any other
// character a literal. After the mask, ";0" says that Value holds only the
// input characters (the literals are put in); otherwise Value holds the
// literals too, each kept where it matches. A third section names the blank
// character, which shows as a space like every position that Value leaves
// empty. '!' lays Value in from the right. Characters are not checked against
// their positions; what does not fit is left out, and no mask raises.
AnsiString FormatMaskText(std::string_view EditMask, std::string_view Value);
