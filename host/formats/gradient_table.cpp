#include "host/formats/gradient_table.h"

#include "host/formats/number_text.h"

namespace qi::format {

namespace {

bool InUnitRange(float v)
{
    return v >= 0.0f && v <= 1.0f;  // false for NaN
}

}  // namespace

const char *InterpolationKeyword(Interpolation interpolation)
{
    return interpolation == Interpolation::Cardinal ? "cardinal" : "linear";
}

bool InterpolationFromKeyword(std::string_view keyword, Interpolation &interpolation)
{
    if (keyword == "linear")
        interpolation = Interpolation::Linear;
    else if (keyword == "cardinal")
        interpolation = Interpolation::Cardinal;
    else
        return false;
    return true;
}

bool CheckGradientTable(const GradientTable &table, EntryFault &fault)
{
    const size_t n = table.size();
    if (n == 0 || n > kMaxGradientFileEntries) {
        fault = {0, std::to_string(n) + " entries (a gradient has 1 to " +
                        std::to_string(kMaxGradientFileEntries) + ")"};
        return false;
    }
    if (table.colours.size() != 3 * n || table.opacities.size() != n) {
        fault = {0, "colours or opacities do not match the entries"};
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        const float offset = table.offsets[i];
        if (!InUnitRange(offset)) {
            fault = {i, "offset " + FormatFloat(offset) + " is outside 0..1"};
            return false;
        }
        if (i > 0 && offset < table.offsets[i - 1]) {
            fault = {i, "offset " + FormatFloat(offset) + " lies before the one ahead of it"};
            return false;
        }
        for (size_t c = 0; c < 3; ++c)
            if (!InUnitRange(table.colours[3 * i + c])) {
                fault = {i, "colour component " + FormatFloat(table.colours[3 * i + c]) +
                                " is outside 0..1"};
                return false;
            }
        if (!InUnitRange(table.opacities[i])) {
            fault = {i, "opacity " + FormatFloat(table.opacities[i]) + " is outside 0..1"};
            return false;
        }
    }
    if (table.offsets.front() != 0.0f) {
        fault = {0, "the first offset is " + FormatFloat(table.offsets.front()) + ", not 0"};
        return false;
    }
    if (n > 1 && table.offsets.back() != 1.0f) {
        fault = {n - 1, "the last offset is " + FormatFloat(table.offsets.back()) + ", not 1"};
        return false;
    }
    return true;
}

}  // namespace qi::format
