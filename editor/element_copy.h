// Copies of flare elements: an element of the working flare or of a host
// flare as text (element_text.h), and such a text made an element of a
// host flare. Parameters travel by name, so that an element can go to
// another flare, or come from a person's hand.
#ifndef EDITOR_ELEMENT_COPY_H
#define EDITOR_ELEMENT_COPY_H

#include <string>
#include <vector>

#include "editor/element_text.h"
#include "model/working_flare.h"

// Every value of an element of the working flare: its type, its switch and
// each parameter's value (the single number a gradient or data parameter
// carries only when it is not 0), gradient and data block. A list's entry
// texts belong to its type and are left out.
TextElement ElementToText(const FlareElement *element);

// The same of element `index` of the host's flare (kind, name); false when
// the host has no such element.
bool ReadHostElement(QiToken kind, const char *name, int32_t index, TextElement *element);

struct InsertedElement {
    const char *guid = nullptr;        // the new element's guid (host text), null when none was made
    std::string refusal;               // why it was not made, in the host's or the editor's words
    std::vector<std::string> skipped;  // parameters of the text its type does not have
};

// Makes the text an element of the host's flare (kind, name), right after
// the element `after` (at the end when null): inserted, then its switch and
// the values of the parameters its type has, by name. A value that does not
// fit the parameter, or that the host refuses, deletes the element again:
// an element is made whole or not at all.
InsertedElement InsertTextElement(QiToken kind, const char *name, const TextElement &element,
                                  const char *after);

#endif
