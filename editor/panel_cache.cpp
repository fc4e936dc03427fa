#include "editor/panel_cache.h"

#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "editor/element_panel.h"
#include "resources/resource.h"

namespace {

// One parameter's controls while kept, with the ids they had.
struct KeptControls {
    HWND control, label;
    CColourSlider *gradient;
    TinySlider *slider;
    int32_t firstControlId;
    LONG_PTR controlId, labelId;
};

struct KeptPanel {
    std::string key;  // the element type and its parameters' kinds and labels
    std::vector<KeptControls> parameters;
};

bool keepPages = true;
std::vector<KeptPanel> keptPanels;

// Elements whose pages look alike: the same type, with parameters of the
// same kinds and labels in the same order.
std::string PanelKey(const FlareElement *element)
{
    std::string key = element->name ? element->name : "";
    for (const FlareParameter *p = element->firstParameter; p; p = p->next) {
        key += '\n' + std::to_string(p->type) + ' ';
        key += p->description ? p->description : "";
    }
    return key;
}

bool HasControls(const FlareElement *element)
{
    for (const FlareParameter *p = element->firstParameter; p; p = p->next)
        if (p->controlWindow || p->labelWindow)
            return true;
    return false;
}

bool HoldsFocus(const FlareElement *element)
{
    HWND focus = GetFocus();
    for (const FlareParameter *p = element->firstParameter; focus && p; p = p->next)
        for (HWND window : {p->controlWindow, p->labelWindow})
            if (window && (focus == window || IsChild(window, focus)))
                return true;
    return false;
}

// The controls hidden with the dialog's drawing off, as a batch: each would
// otherwise repaint what it uncovers at once.
void HideControls(HWND dialog, const FlareElement *element)
{
    if (HoldsFocus(element))
        SetFocus(GetDlgItem(dialog, IDC_ELEMENT_LIST));
    SendMessageA(dialog, WM_SETREDRAW, FALSE, 0);
    for (const FlareParameter *p = element->firstParameter; p; p = p->next)
        for (HWND window : {p->controlWindow, p->labelWindow})
            if (window)
                ShowWindow(window, SW_HIDE);
    SendMessageA(dialog, WM_SETREDRAW, TRUE, 0);
}

LONG_PTR TakeId(HWND window)
{
    return window ? SetWindowLongPtrA(window, GWLP_ID, 0) : 0;
}

void GiveId(HWND window, LONG_PTR id)
{
    if (window)
        SetWindowLongPtrA(window, GWLP_ID, id);
}

}  // namespace

void StartPanelCache(bool keep)
{
    keepPages = keep;
}

bool KeepElementPanel(HWND dialog, FlareElement *element)
{
    if (!keepPages || !element || !HasControls(element))
        return false;
    std::string key = PanelKey(element);
    for (const KeptPanel &kept : keptPanels)
        if (kept.key == key)
            return false;
    HideControls(dialog, element);
    KeptPanel kept = {key, {}};
    for (FlareParameter *p = element->firstParameter; p; p = p->next) {
        if (p->tinySlider)
            p->tinySlider->boundFloat = nullptr;
        kept.parameters.push_back({p->controlWindow, p->labelWindow, p->gradientSlider,
                                   p->tinySlider, p->firstControlId, TakeId(p->controlWindow),
                                   TakeId(p->labelWindow)});
        p->controlWindow = p->labelWindow = nullptr;
        p->gradientSlider = nullptr;
        p->tinySlider = nullptr;
    }
    keptPanels.push_back(std::move(kept));
    return true;
}

bool TakeKeptPanel(FlareElement *element)
{
    if (!element)
        return false;
    std::string key = PanelKey(element);
    for (size_t i = 0; i < keptPanels.size(); ++i) {
        if (keptPanels[i].key != key)
            continue;
        size_t n = 0;
        for (FlareParameter *p = element->firstParameter; p; p = p->next, ++n) {
            const KeptControls &c = keptPanels[i].parameters[n];
            p->controlWindow = c.control;
            p->labelWindow = c.label;
            p->gradientSlider = c.gradient;
            p->tinySlider = c.slider;
            p->firstControlId = c.firstControlId;
            GiveId(c.control, c.controlId);
            GiveId(c.label, c.labelId);
        }
        keptPanels.erase(keptPanels.begin() + long(i));
        return true;
    }
    return false;
}

void ShowKeptControls(HWND dialog, const FlareElement *element)
{
    SendMessageA(dialog, WM_SETREDRAW, FALSE, 0);
    for (const FlareParameter *p = element->firstParameter; p; p = p->next)
        for (HWND window : {p->controlWindow, p->labelWindow})
            if (window)
                ShowWindow(window, SW_SHOWNA);
    SendMessageA(dialog, WM_SETREDRAW, TRUE, 0);
}

void ReleasePanelCache()
{
    for (KeptPanel &kept : keptPanels)
        for (const KeptControls &c : kept.parameters) {
            FlareParameter p = {};
            p.controlWindow = c.control;
            p.labelWindow = c.label;
            p.gradientSlider = c.gradient;
            p.tinySlider = c.slider;
            DestroyParameterControls(&p);
        }
    keptPanels.clear();
}
