// Elements on the clipboard, and their duplicates. The clipboard holds an
// element as text (element_text.h) twice: under a format of the editor's
// own and as plain text, which a person can read, change and paste back.
// Copy, paste and duplicate are the list's Ctrl+C, Ctrl+V and Ctrl+D (and
// the list's menu; duplicate also "&Copy").
#ifndef EDITOR_ELEMENT_CLIPBOARD_H
#define EDITOR_ELEMENT_CLIPBOARD_H

#include <windows.h>

// The current element, as it is edited, onto the clipboard; a failure is
// shown in a "Clipboard Error" box.
void CopyElementToClipboard(HWND dialog);

// The element on the clipboard made a new element right after the current
// one (at the end without one), selected with its page: pending edits go
// to the host first, and it is one undo step. Text that is no element, a
// type the host does not have or a value the host refuses is shown in a
// "Clipboard Error" box and changes nothing; parameters its type does not
// have are named in one box and left out.
void PasteElementFromClipboard(HWND dialog);

// The current element's copy, with every value and its switch, made right
// after it and selected, as one undo step; pending edits go first.
void DuplicateCurrentElement(HWND dialog);

// Whether the clipboard holds text (Paste says whether it is an element).
bool ClipboardMayHoldElement();

#endif
