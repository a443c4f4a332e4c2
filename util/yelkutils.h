// util/yelkutils.h: the file function of the utility library.
#pragma once

namespace yelkutils {

// True when the file was removed.
bool RemoveFileByName(const char* Name);

} // namespace yelkutils
