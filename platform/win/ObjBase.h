// The component object library's call the system makes: a fresh GUID.
#pragma once
#include "platform/rtl/Guids.h"

// A random GUID (version 4, with the standard variant bits) drawn from the
// system's random source. E_INVALIDARG for a null Guid; E_FAIL, with *Guid
// unchanged, when the system gives no random bytes.
HRESULT CoCreateGuid(TGUID* Guid);
