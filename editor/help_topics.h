// F1 in the editor and in the dialogs it opens: the host's help for what the
// user is working on.
#ifndef EDITOR_HELP_TOPICS_H
#define EDITOR_HELP_TOPICS_H

#include <windows.h>

#include <vector>

// The topic of the editor as a whole, which the Help button asks for.
extern const char kGeneralHelpTopic[];

// The topic of a WM_HELP that reached the editor: the control that has the
// focus (in the editor or in a dialog over it), the menu that is open, or
// else the page shown.
const char *HelpTopicOf(HWND editor, const HELPINFO *help);

// Asks the host's service object to show the topic of a WM_HELP; the window
// the F1 came from owns whatever the host shows.
void ShowHelpFor(HWND editor, const HELPINFO *help);

// Every topic the editor may ask for.
std::vector<const char *> EditorHelpTopics();

#endif
