// components/XmlPullParser_Routines.h
// Whitespace, text-span and encoding routines the parser and its callers share.
#pragma once
#include "components/XmlPullParser_Types.h"

namespace XmlPullParser {

// Removes whitespace (tab, line feed, carriage return, blank) from both ends.
AnsiString TrimWs(const AnsiString& Source);
// Turns each whitespace character into a blank; PackWs makes each run one blank.
AnsiString ConvertWs(const AnsiString& Source, bool PackWs);
AnsiString DelChars(const AnsiString& Source, const TCharset& CharsToDelete);
// The text from Start to Final inclusive; empty when Final lies before Start.
AnsiString StrSFPas(const char* Start, const char* Final);
void SetStringSF(AnsiString& S, const char* Start, const char* Final);
// The 8-bit code page is UTF-8: valid UTF-8 stays as it is and bytes that are
// not UTF-8 pass through unchanged.
AnsiString Utf8ToAnsi(const AnsiString& Source);
// Windows-1252 text to UTF-8.
AnsiString AnsiToUtf8(const AnsiString& Source);
// ISO-8859-1 text to UTF-8.
AnsiString Latin1ToUtf8(const AnsiString& Source);

} // namespace XmlPullParser
