// The clipboard, over the desktop's. Text keeps every byte while it stays in
// this program; another program may see invalid UTF-8 bytes replaced.
#pragma once
#include "platform/classes/Classes.h"

// Clipboard formats, with their Win32 values.
inline constexpr Word CF_TEXT = 1, CF_BITMAP = 2, CF_UNICODETEXT = 13, CF_HDROP = 15;

class TClipboard : public TPersistent {
public:
    QM_CLASS(TClipboard, TPersistent)
    AnsiString GetAsText() const;
    void SetAsText(const AnsiString& Value);
    void Clear();
    // True when the clipboard holds data of the format (text: CF_TEXT or
    // CF_UNICODETEXT; files: CF_HDROP).
    bool HasFormat(Word Format) const;
};

// The one clipboard object of the program.
TClipboard* Clipboard();
