#include "library/preset_grid.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerCase(const std::string &text)
{
    std::string lower = text;
    for (char &c : lower)
        c = char(std::tolower(uint8_t(c)));
    return lower;
}

bool Contains(const std::string &text, const std::string &lowerWord)
{
    return LowerCase(text).find(lowerWord) != std::string::npos;
}

bool WordMatches(const Preset &preset, const std::string &word)
{
    if (Contains(preset.name, word))
        return true;
    for (const std::string &type : preset.picture.types)
        if (Contains(type, word))
            return true;
    for (const std::string &name : preset.picture.names)
        if (Contains(name, word))
            return true;
    return false;
}

}  // namespace

bool PresetMatches(const Preset &preset, const char *search)
{
    std::string words = LowerCase(search ? search : "");
    size_t start = 0;
    while (start < words.size()) {
        size_t end = words.find(' ', start);
        if (end == std::string::npos)
            end = words.size();
        if (end > start && !WordMatches(preset, words.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

int LayoutPresetGrid(std::vector<Preset> &presets, const GridMetrics &metrics,
                     int headingTop[SECTION_COUNT])
{
    const int columns = std::max(1, (metrics.width - metrics.margin) / metrics.cellWidth);
    int y = metrics.margin;
    size_t next = 0;
    for (int section = 0; section < SECTION_COUNT; ++section) {
        headingTop[section] = y;
        y += metrics.headingHeight;
        int column = 0;
        for (; next < presets.size() && presets[next].section == section; ++next) {
            Preset &preset = presets[next];
            if (!preset.shown)
                continue;
            if (column == columns) {
                column = 0;
                y += metrics.cellHeight;
            }
            preset.x = metrics.margin + column * metrics.cellWidth;
            preset.y = y;
            ++column;
        }
        if (column > 0)
            y += metrics.cellHeight;
    }
    return y;
}

int PresetInNextRow(const std::vector<Preset> &presets, int from, int step)
{
    if (from < 0 || size_t(from) >= presets.size())
        return -1;
    const Preset &start = presets[size_t(from)];
    int rowY = 0;
    bool found = false;
    for (const Preset &preset : presets) {
        bool beyond = step > 0 ? preset.y > start.y : preset.y < start.y;
        bool nearer = !found || (step > 0 ? preset.y < rowY : preset.y > rowY);
        if (preset.shown && beyond && nearer) {
            rowY = preset.y;
            found = true;
        }
    }
    int best = -1;
    for (size_t i = 0; found && i < presets.size(); ++i) {
        const Preset &preset = presets[i];
        if (preset.shown && preset.y == rowY && preset.x <= start.x &&
            (best < 0 || preset.x > presets[size_t(best)].x))
            best = int(i);
    }
    return best;
}

int NextPictureToMake(const std::vector<Preset> &presets, int cellHeight, int viewTop,
                      int viewBottom)
{
    int shown = -1, hidden = -1;
    for (size_t i = 0; i < presets.size(); ++i) {
        const Preset &preset = presets[i];
        if (preset.picture.state != PICTURE_PENDING)
            continue;
        if (!preset.shown) {
            if (hidden < 0)
                hidden = int(i);
            continue;
        }
        if (preset.y < viewBottom && preset.y + cellHeight > viewTop)
            return int(i);
        if (shown < 0)
            shown = int(i);
    }
    return shown >= 0 ? shown : hidden;
}

std::string PresetTip(const Preset &preset)
{
    const PresetPicture &picture = preset.picture;
    if (picture.state == PICTURE_DAMAGED)
        return preset.name + ": damaged. " + picture.problem;
    if (picture.state == PICTURE_PENDING)
        return preset.name;
    const size_t count = picture.names.size();
    std::string tip = preset.name + ": " + std::to_string(count) +
                      (count == 1 ? " element" : " elements");
    for (size_t i = 0; i < count; ++i)
        tip += (i == 0 ? ": " : ", ") + picture.names[i];
    return tip;
}
