#include "tests/library/preset_collection.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/library/host_flares.h"
#include "tests/support/scratch_files.h"
#include "tests/support/token.h"

namespace {

const int kPresets = 500;
const char *const kTypes[] = {"glow", "streaks", "halo", "anamorph", "inter", "dscflx",
                              "rngflx", "prflx"};

// Damaged in the ways files get damaged: cut short, emptied, overwritten,
// or hand-edited wrongly.
const char *const kDamaged[][2] = {
    {"damaged_cut", "quorix-lensflare 1.0\nglobals\n    intensity 1.0\n"},
    {"damaged_empty", ""},
    {"damaged_garbage", "\x89PNG\r\n\x1a\n\x01\x02 not a library"},
    {"damaged_number", "quorix-lensflare 1.0\nglobals\n    intensity much\nend\n"},
};

void Generate(PresetCollection &collection, const std::string &manifest)
{
    std::mt19937 random(23);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::ofstream list(manifest + ".new");
    for (int i = 0; i < kPresets; ++i) {
        std::vector<const char *> types;
        for (int n = 1 + int(random() % 5); n > 0; --n)
            types.push_back(kTypes[random() % 8]);
        const float intensity = 0.3f + 1.5f * unit(random), scale = 0.5f + unit(random),
                    angle = 360.0f * unit(random);
        const float colour[3] = {unit(random), unit(random), unit(random)};
        char name[32];
        std::snprintf(name, sizeof name, "preset_%03d", i);
        MakeLibraryFile(collection.folder + "\\" + name + ".lnz", types, [&](const char *light) {
            Qi_LensFlare(T("light"), light, T("intensity"), &intensity, T("scale"), &scale,
                         T("angle"), &angle, T("color"), T("rgb"), colour, QI_END);
        });
        list << name;
        for (const char *type : types)
            list << ' ' << type;
        list << '\n';
    }
    for (const auto &damaged : kDamaged)
        WriteFile(collection.folder + "\\" + damaged[0] + ".lnz", damaged[1]);
    // A folder whose name ends in ".lnz" is no preset.
    CreateDirectoryA((collection.folder + "\\folder.lnz").c_str(), nullptr);
    list.close();
    MoveFileExA((manifest + ".new").c_str(), manifest.c_str(), MOVEFILE_REPLACE_EXISTING);
}

PresetCollection Make()
{
    PresetCollection collection;
    collection.folder = SharedScratchPath("presets-500-v1\\presets");
    const std::string manifest = SharedScratchPath("presets-500-v1\\manifest.txt");
    // The manifest is written last: without it the folder is incomplete.
    if (!FileExists(manifest)) {
        CreateDirectoryA(collection.folder.c_str(), nullptr);
        Generate(collection, manifest);
    }
    std::istringstream lines(ReadFile(manifest));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name, type;
        words >> name;
        while (words >> type)
            collection.types[name].push_back(type);
    }
    for (const auto &damaged : kDamaged)
        collection.damaged.push_back(damaged[0]);
    return collection;
}

}  // namespace

const PresetCollection &GeneratedPresets()
{
    static const PresetCollection collection = Make();
    return collection;
}
