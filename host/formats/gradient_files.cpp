// Qi_Load_Gradient_Colormap and Qi_Save_Gradient_Colormap: gradient files
// (".grd", gradient_text.h) and colour maps (".cmp", colour_map_text.h).
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "host/api/qi_core.h"
#include "host/formats/colour_map_text.h"
#include "host/formats/file_text.h"
#include "host/formats/findings.h"
#include "host/formats/gradient_text.h"

namespace {

using namespace qi::format;

constexpr int16_t kCannotOpen = -1;
constexpr int16_t kBadGradient = -2;
constexpr int16_t kNoMemory = -3;

const char kLoadOrigin[] = "Qi_Load_Gradient_Colormap()";
const char kSaveOrigin[] = "Qi_Save_Gradient_Colormap()";

int16_t Refuse(int16_t result, const char *origin, const char *errorName,
               const std::string &detail)
{
    Qi_Report_Error(3, errorName, origin, detail.c_str());
    return result;
}

std::string Named(const char *path)
{
    return std::string("\"") + (path ? path : "") + "\"";
}

struct FreeHostBlock {
    void operator()(float *block) const { Qi_Free_Memory(block); }
};
using HostFloats = std::unique_ptr<float, FreeHostBlock>;

// A host block holding the values, or null when memory runs out.
HostFloats CopyToHost(const std::vector<float> &values)
{
    HostFloats block(static_cast<float *>(Qi_Alloc_Memory(0, 1, values.size() * sizeof(float))));
    if (block)
        std::memcpy(block.get(), values.data(), values.size() * sizeof(float));
    return block;
}

bool ReadTable(const char *fileName, const std::string &text, GradientTable &table)
{
    Findings findings;
    const bool colourMap =
        !IsGradientText(text) && Qi_Check_For_File_Extension(fileName, ".cmp") != 0;
    const bool read = colourMap ? ReadColourMapText(text, table, findings)
                                : ReadGradientText(text, table, findings);
    ReportFindings(findings, kLoadOrigin, fileName);
    return read;
}

int16_t Load(const char *fileName, int32_t *count, float **offsets, float **colours,
             float **third, QiToken *interpolation)
{
    std::string text;
    switch (ReadTextFile(fileName, kMaxGradientFileBytes, text)) {
    case ReadResult::Ok:
        break;
    case ReadResult::CannotOpen:
        return Refuse(kCannotOpen, kLoadOrigin, "ERR_FILE_OPEN",
                      "cannot open the gradient file " + Named(fileName));
    case ReadResult::TooLarge:
        return Refuse(kBadGradient, kLoadOrigin, FaultName(Fault::Limit),
                      Named(fileName) + " is larger than " +
                          std::to_string(kMaxGradientFileBytes >> 10) + " KiB");
    }
    GradientTable table;
    if (!ReadTable(fileName, text, table))
        return kBadGradient;

    HostFloats offsetBlock = offsets ? CopyToHost(table.offsets) : nullptr;
    HostFloats colourBlock = colours ? CopyToHost(table.colours) : nullptr;
    HostFloats thirdBlock = third ? CopyToHost(table.opacities) : nullptr;
    if ((offsets && !offsetBlock) || (colours && !colourBlock) || (third && !thirdBlock))
        return Refuse(kNoMemory, kLoadOrigin, "ERR_OUT_OF_MEMORY",
                      "no memory for the entries of " + Named(fileName));
    if (count)
        *count = int32_t(table.size());
    if (offsets)
        *offsets = offsetBlock.release();
    if (colours)
        *colours = colourBlock.release();
    if (third)
        *third = thirdBlock.release();
    if (interpolation)
        *interpolation = Qi_Inquire_Token(InterpolationKeyword(table.interpolation));
    return 0;
}

int16_t Save(const char *fileName, int32_t count, const float *offsets, const float *colours,
             const float *third, QiToken interpolation)
{
    if (count < 1)
        return Refuse(kBadGradient, kSaveOrigin, "ERR_GRADIENT_TOO_FEW",
                      std::to_string(count) + " entries (a gradient needs 1 or more)");
    if (size_t(count) > kMaxGradientFileEntries || !offsets || !colours)
        return Refuse(kBadGradient, kSaveOrigin, "ERR_BAD_GRADIENT",
                      !offsets || !colours
                          ? std::string("null offsets or colours")
                          : std::to_string(count) + " entries (a gradient file holds at most " +
                                std::to_string(kMaxGradientFileEntries) + ")");
    GradientTable table;
    if (interpolation == Qi_Inquire_Token("cardinal"))
        table.interpolation = Interpolation::Cardinal;
    else if (interpolation != Qi_Inquire_Token("linear"))
        return Refuse(kBadGradient, kSaveOrigin, "ERR_BAD_GRADIENT",
                      "the interpolation is neither \"linear\" nor \"cardinal\"");
    const size_t n = size_t(count);
    table.offsets.assign(offsets, offsets + n);
    table.colours.assign(colours, colours + 3 * n);
    if (third)
        table.opacities.assign(third, third + n);
    else
        table.opacities.assign(n, 1.0f);
    EntryFault fault;
    if (!CheckGradientTable(table, fault))
        return Refuse(kBadGradient, kSaveOrigin, "ERR_BAD_GRADIENT",
                      "entry " + std::to_string(fault.entry + 1) + ": " + fault.message);
    std::string reason;
    if (!WriteTextFile(fileName, WriteGradientText(table, third != nullptr), reason))
        return Refuse(kCannotOpen, kSaveOrigin, "ERR_FILE_WRITE",
                      std::string(fileName ? fileName : "") + ": " + reason);
    return 0;
}

}  // namespace

extern "C" int16_t Qi_Load_Gradient_Colormap(const char *fileName, int32_t *count,
                                             float **offsets, float **colours, float **third,
                                             QiToken *interpolation)
{
    try {
        return Load(fileName, count, offsets, colours, third, interpolation);
    } catch (const std::bad_alloc &) {
        return Refuse(kNoMemory, kLoadOrigin, "ERR_OUT_OF_MEMORY", "reading " + Named(fileName));
    }
}

extern "C" int16_t Qi_Save_Gradient_Colormap(const char *fileName, int32_t count,
                                             const float *offsets, const float *colours,
                                             const float *third, QiToken interpolation)
{
    try {
        return Save(fileName, count, offsets, colours, third, interpolation);
    } catch (const std::bad_alloc &) {
        return Refuse(kCannotOpen, kSaveOrigin, "ERR_OUT_OF_MEMORY", "writing " + Named(fileName));
    }
}
