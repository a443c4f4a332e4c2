// Driving an edit's editor from tests where keys and clicks do not reach:
// its context menu, and what it shows. Tests include this instead of any
// Qt header.
#pragma once
#include "platform/controls/StdCtrls.h"

namespace platform::test {

// Opens the context menu of the edit (or memo) as a right click in the
// middle of its editor does, picks the item whose caption (without '&')
// is Item, and closes the menu. False when no menu showed or the item is
// missing or disabled.
bool ChooseFromContextMenu(TCustomEdit* Edit, const AnsiString& Item);
// How many lines a read-only memo's view has laid out since its window was
// made; -1 when the memo shows its text otherwise.
int MemoLinesLaidOut(TCustomMemo* Memo);
// The text the single-line editor shows (password characters, not the text).
WideString DisplayedText(TCustomEdit* Edit);

} // namespace platform::test
