// util/yelkutils_win_mini.h: the application directory and trailing
// separators. The separator is '/'; a backslash is an ordinary character in
// names on this platform.
#pragma once
#include <string>

namespace yelkutils_win_mini {

// The running executable's folder (Sub appended when given), ending in '/'.
std::string GetApplicationDirectory(const char* Sub = nullptr);
// Removes one final '/' from a text of 2 characters or more ("/" stays).
void RemoveTrailingSlash(std::string& S);
// Appends '/' unless S is empty or already ends in one.
void AddTrailingBackslash(std::string& S);
// The path up to its last '/' that is not its final character; "/" when
// that is the root's; unchanged when there is no such '/'.
std::string ParentDirectory(const std::string& Path);

} // namespace yelkutils_win_mini
