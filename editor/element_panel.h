// The "Element Parameters" page: the controls of the current element's
// parameters, built from the host's parameter definitions in two columns
// inside the page area, with control ids from 10000 upward.
#ifndef EDITOR_ELEMENT_PANEL_H
#define EDITOR_ELEMENT_PANEL_H

#include <windows.h>

#include <cstdint>

#include "model/working_flare.h"

// First control id of a panel.
enum { PANEL_FIRST_ID = 10000 };

// Builds the element's panel and makes it currentElement; a page kept for
// its type (panel_cache.h) is taken over instead of building one.
void BuildElementPanel(PluginInstance *instance, HWND dialog, FlareElement *element);

// Copies what only the controls hold (the gradients) into the working flare.
void SaveElementPanel(PluginInstance *instance, HWND dialog, FlareElement *element);

// Takes the panel's controls away and clears the parameters' control
// fields: kept for the element's type when pages are kept, else destroyed.
// currentElement is left to the caller.
void DestroyElementPanel(PluginInstance *instance, FlareElement *element);

// Destroys one parameter's controls and clears its control fields.
void DestroyParameterControls(FlareParameter *p);

// At teardown, once no panel is left: the captions the panels drew freed.
void ReleasePanelCaptions();

// WM_COMMAND of the panel's check boxes, colour buttons and lists.
void ElementPanelCommand(PluginInstance *instance, HWND dialog, UINT message, WPARAM wParam,
                         LPARAM lParam);

// WM_DRAWITEM of a colour button of the panel; FALSE when no colour
// parameter of the current element has that control id.
BOOL DrawElementColourButton(int controlId, const DRAWITEMSTRUCT *item);

// Drag callback of radius sliders: outlines the radius around the light on
// the preview while the thumb moves ("update"); "start" and "end" draw nothing.
void DrawRadiusOverlay(QiToken phase, uint16_t controlId, float value);

// Drag callback of the sliders named "radius" or "length" and of the
// occlusion radius: the live drag of every slider (OnSliderDrag), then the
// radius outlined on the preview it drew.
void OnRadiusSliderDrag(QiToken phase, uint16_t controlId, float value);

#endif
