// util/yelkutils_win.h: time, folders and folder tokens.
#pragma once
#include <cstdint>
#include <string>

namespace yelkutils_win {

// Seconds since 1970 as a FILETIME count (100-nanosecond steps since 1601),
// held at 0 and at the largest count outside the range a count can hold.
std::uint64_t UnixTimeToFileTime(std::int64_t Seconds);
bool IsExistingDirectory(const char* Name);
// Creates every missing folder of Path, level by level from its root (an
// absolute path stays absolute). False as soon as a level cannot be made.
bool CreateDirectoryPath(const std::string& Path);
// The special folder (a CSIDL_ value) without a trailing '/', or empty when
// it has no meaning here; Suffix is appended in either case.
std::string GetSpecialFolderPath(int Csidl, const std::string& Suffix);
// Replaces the folder tokens of S ("%APPDATA%", "%MyDocuments%" ...; the
// environment's "%SystemRoot%" and "%WinDir%"). True when any occurred.
bool ExpandPathTokens(std::string& S);

} // namespace yelkutils_win
