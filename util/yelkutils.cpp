#include "util/yelkutils.h"

#include <cstdio>

namespace yelkutils {

bool RemoveFileByName(const char* Name)
{
    return Name && std::remove(Name) == 0;
}

} // namespace yelkutils
