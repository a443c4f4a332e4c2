// Driving drops of files (and of text) from tests, as a desktop file manager makes them: a
// drag carrying a text/uri-list (and the same list as plain text, as file
// managers offer it) enters the widget under the middle of the control's
// client area that takes drops, moves and is dropped there, through Qt's
// event delivery. Tests include this instead of any Qt header.
#pragma once
#include "platform/controls/Forms.h"

#include <vector>

namespace platform::test {

// Drops local files and folders: each path becomes a file:// URL holding the
// path's bytes percent-encoded. True when the drop was accepted.
bool DropFiles(TWinControl* Control, const std::vector<AnsiString>& Paths);
// Drops the URLs as given (web addresses, file URLs written by hand ...).
bool DropUrls(TWinControl* Control, const std::vector<AnsiString>& Urls);
// Drops plain text, as dragged from another program's text.
bool DropText(TWinControl* Control, const AnsiString& Text);

// While one lives, a drag that the program starts (a memo's selected text)
// goes no further than this: it is recorded and, when DropTarget is set,
// dropped on the middle of that control's client area as above, offering
// only the actions the drag allows.
class TDragRecorder {
public:
    struct TDrag {
        AnsiString Text; // the plain text it carries
        bool CanCopy = false;
        bool CanMove = false;
        bool Dropped = false; // the target took it
    };

    TDragRecorder();
    ~TDragRecorder();
    TDragRecorder(const TDragRecorder&) = delete;
    TDragRecorder& operator=(const TDragRecorder&) = delete;

    TWinControl* DropTarget = nullptr;
    std::vector<TDrag> Drags;
};

} // namespace platform::test
