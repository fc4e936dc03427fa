#include "editor/element_clipboard.h"

#include <cstring>
#include <string>

#include "editor/editor_state.h"
#include "editor/element_copy.h"
#include "editor/element_list.h"
#include "editor/element_panel.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"

namespace {

const char kCaption[] = "Clipboard Error";

UINT ElementFormat()
{
    static const UINT format = RegisterClipboardFormatA("Quorix Lens Flare Element");
    return format;
}

void Say(HWND dialog, const std::string &text)
{
    MessageBoxA(dialog, text.c_str(), kCaption, MB_OK);
}

HGLOBAL TextBlock(const std::string &text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block)
        return nullptr;
    if (void *bytes = GlobalLock(block)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        return block;
    }
    GlobalFree(block);
    return nullptr;
}

// Puts the text under both formats; false when the clipboard cannot be had.
bool PutOnClipboard(HWND dialog, const std::string &text)
{
    if (!OpenClipboard(dialog))
        return false;
    bool done = EmptyClipboard() != FALSE;
    for (UINT format : {ElementFormat(), UINT(CF_TEXT)}) {
        HGLOBAL block = done ? TextBlock(text) : nullptr;
        done = block && SetClipboardData(format, block);
        if (block && !done)
            GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

// The clipboard's text, the editor's own format first; false without one.
bool TakeFromClipboard(HWND dialog, std::string *text)
{
    if (!OpenClipboard(dialog))
        return false;
    HANDLE block = GetClipboardData(ElementFormat());
    if (!block)
        block = GetClipboardData(CF_TEXT);
    const char *bytes = block ? static_cast<const char *>(GlobalLock(block)) : nullptr;
    if (bytes) {
        size_t size = GlobalSize(block);
        text->assign(bytes, strnlen(bytes, size));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes != nullptr;
}

// Makes the element right after the current one (at the end without one).
// Only once it is made whole do the pending edits go to the host and the
// list show it: a refused element changes nothing at all.
void InsertAfterCurrent(HWND dialog, const TextElement &element)
{
    PluginInstance *instance = currentInstance;
    const FlareElement *current = instance->currentElement;
    InsertedElement made = InsertTextElement(instance->handleType, instance->flareName, element,
                                             current ? current->guid : nullptr);
    if (!made.guid) {
        Say(dialog, "The element \"" + element.type + "\" cannot be pasted: " + made.refusal +
                        ".\n\nNothing was changed.");
        return;
    }
    CommitBeforeListChange();
    FinishListChange(dialog, made.guid);
    std::string names;
    for (const std::string &name : made.skipped)
        names += (names.empty() ? "" : ", ") + name;
    if (!names.empty())
        Say(dialog, "The element type \"" + element.type + "\" has no parameter " + names +
                        "; the element was pasted without it.");
}

}  // namespace

void CopyElementToClipboard(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    FlareElement *element = instance->currentElement;
    if (!element)
        return;
    if (currentPage == PAGE_ELEMENT)
        SaveElementPanel(instance, dialog, element);
    if (!PutOnClipboard(dialog, WriteElementText(ElementToText(element))))
        Say(dialog, "The element could not be put on the clipboard.");
}

void PasteElementFromClipboard(HWND dialog)
{
    std::string text, error;
    if (!TakeFromClipboard(dialog, &text)) {
        Say(dialog, "The clipboard holds no text, so no lens flare element to paste.");
        return;
    }
    TextElement element;
    if (!ReadElementText(text.data(), text.size(), &element, &error)) {
        Say(dialog, "The clipboard holds no lens flare element.\n\n" + error);
        return;
    }
    InsertAfterCurrent(dialog, element);
}

void DuplicateCurrentElement(HWND dialog)
{
    const FlareElement *element = currentInstance->currentElement;
    if (!element)
        return;
    if (currentPage == PAGE_ELEMENT)
        SaveElementPanel(currentInstance, dialog, currentInstance->currentElement);
    InsertAfterCurrent(dialog, ElementToText(element));
}

bool ClipboardMayHoldElement()
{
    return IsClipboardFormatAvailable(ElementFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}
