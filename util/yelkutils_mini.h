// util/yelkutils_mini.h: strings, numbers and files. Nothing here throws;
// failure shows in the result.
#pragma once
#include <string>

namespace yelkutils_mini {

// Splits S at the first Sep outside double quotes (the quotes stay): Head is
// the text before it, S the text after it, both trimmed. Without a Sep, Head
// is all of S trimmed and S becomes empty. False only when S was empty.
bool SplitOffAtChar(std::string& S, std::string& Head, char Sep);
// Removes blanks, TAB, CR and LF from both ends; from everywhere.
void TrimWhitespace(std::string& S);
void RemoveAllWhitespace(std::string& S);

// The leading decimal number, as atoi reads it, clamped to the 32-bit range.
int StringToInt(const char* Text);
int CStringToInt(const char* Text);
// "true"/"True"/"TRUE" and "false"/"False"/"FALSE"; otherwise true when the
// number (StringToInt) is 1 or more.
bool StringToBool(const char* Text);
// Overwrites every control character (bytes 0 to 13) with NUL.
void ZeroControlChars(char* S);

std::string IntToString(int Value);
std::string LongToString(long Value);
std::string LongToStringAlt(long Value);
std::string BoolToString(bool Value);

// Replaces every Find left to right, never searching inserted text again;
// returns the count (0 for an empty Find). With SkipEscaped and a Find that
// begins with a backslash, an occurrence right after a backslash stays.
int ReplaceAllInString(std::string& S, const std::string& Find, const std::string& Repl, bool SkipEscaped);
// Removes a double quote from each end when both ends have one.
void StripEnclosingQuotes(std::string& S);

// The name begins with two backslashes (a Windows network path; this
// platform has none, so nothing treats it specially).
bool IsUncPath(const char* Name);
// The file can be opened for reading and is a regular one (a folder, pipe or
// device is not, and a pipe is never waited on).
bool FileExistsByOpen(const char* Name);

} // namespace yelkutils_mini
