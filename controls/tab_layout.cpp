#include "controls/tab_layout.h"

#include <cmath>

int TabFontPointSize(int screenWidth)
{
    return screenWidth < 800 ? -8 : -9;
}

int16_t StripLength(int requested, int screen, float scale)
{
    double length = requested > 0 ? requested : screen;
    if (scale != 0.0f)
        length = std::trunc(length * scale);
    if (std::isnan(length))
        return 0;
    if (length < INT16_MIN)
        return INT16_MIN;
    if (length > INT16_MAX)
        return INT16_MAX;
    return static_cast<int16_t>(length);
}

int16_t PlaceTab(TabEntry *tab, int16_t running, int labelWidth, int padding)
{
    tab->flags = 0;
    tab->offset = running;
    tab->extent = static_cast<int16_t>(labelWidth + padding);
    return static_cast<int16_t>(running + tab->extent);
}

int16_t FirstTabPosition(int16_t length, int16_t tabsExtent, bool centre)
{
    if (!centre)
        return 0;
    int16_t position = static_cast<int16_t>((length - tabsExtent) * 0.5);
    return position < 0 ? 0 : position;
}

int16_t HitTestTabEntries(const TabEntry *tabs, int16_t count, int16_t firstTab, int along, int across,
                          int acrossLow, int acrossHigh)
{
    if (!tabs)
        return -1;
    int position = firstTab;
    for (int i = 0; i < count; ++i) {
        const TabEntry &tab = tabs[i];
        if (!tab.text)
            continue;
        bool hit = along >= position && along <= position + tab.extent - 1 && across >= acrossLow &&
                   across <= acrossHigh;
        if (hit)
            return (tab.flags & kTabDisabled) ? -1 : tab.id;
        position += tab.extent;
    }
    return -1;
}

void SelectTabEntry(TabEntry *tabs, int16_t count, int16_t id)
{
    for (int i = 0; tabs && i < count; ++i) {
        if (!tabs[i].text)
            continue;
        tabs[i].flags &= static_cast<uint16_t>(~kTabSelected);
        if (tabs[i].id == id)
            tabs[i].flags |= kTabSelected;
    }
}

int16_t NeighbourTab(const TabEntry *tabs, int16_t count, int step, bool wrap)
{
    int selected = -1;
    for (int i = 0; tabs && i < count; ++i)
        if (tabs[i].text && (tabs[i].flags & kTabSelected))
            selected = i;
    int i = selected < 0 ? (step > 0 ? -1 : count) : selected;
    for (int tried = 0; tabs && tried < count; ++tried) {
        i += step;
        if (wrap)
            i = (i + count) % count;
        if (i < 0 || i >= count)
            return -1;
        if (tabs[i].text && !(tabs[i].flags & kTabDisabled))
            return i == selected ? int16_t(-1) : tabs[i].id;
    }
    return -1;
}
