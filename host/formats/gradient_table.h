// A colour gradient as the gradient files hold it: entries of an offset, a
// colour and an opacity, and the interpolation between them.
#ifndef HOST_FORMATS_GRADIENT_TABLE_H
#define HOST_FORMATS_GRADIENT_TABLE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qi::format {

enum class Interpolation { Linear, Cardinal };

// "linear" or "cardinal".
const char *InterpolationKeyword(Interpolation interpolation);
bool InterpolationFromKeyword(std::string_view keyword, Interpolation &interpolation);

// Most entries a gradient file holds.
constexpr size_t kMaxGradientFileEntries = 1024;

struct GradientTable {
    std::vector<float> offsets;    // one per entry
    std::vector<float> colours;    // red, green, blue per entry
    std::vector<float> opacities;  // one per entry, 0 transparent to 1 opaque
    Interpolation interpolation = Interpolation::Linear;

    size_t size() const { return offsets.size(); }
};

struct EntryFault {
    size_t entry;
    std::string message;
};

// Checks what makes the entries a gradient: 1 to kMaxGradientFileEntries
// entries; every number finite and in 0..1; offsets never decreasing, the
// first at 0, the last at 1 when there are two or more (a single entry is a
// plain colour at 0). False with the first fault found.
bool CheckGradientTable(const GradientTable &table, EntryFault &fault);

}  // namespace qi::format

#endif
