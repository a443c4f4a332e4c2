// util/yelkutils_winvsbcb.h: the registry read.
#pragma once
#include <string>

namespace yelkutils_winvsbcb {

// The string value Value of Key under HKEY_LOCAL_MACHINE; empty when the key
// or the value is missing or the value is not a string.
std::string ReadRegistryStringHklm(const std::string& Key, const std::string& Value);

} // namespace yelkutils_winvsbcb
