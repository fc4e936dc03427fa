// A collection of presets as a user gathers them: 500 random valid flares
// written through the host, and damaged files among them. Made once and
// shared by the test programs of a run (and the benchmark), since writing
// it costs a second or two.
#ifndef TESTS_LIBRARY_PRESET_COLLECTION_H
#define TESTS_LIBRARY_PRESET_COLLECTION_H

#include <map>
#include <string>
#include <vector>

struct PresetCollection {
    std::string folder;                                     // holds the files
    std::map<std::string, std::vector<std::string>> types;  // valid preset -> its element types
    std::vector<std::string> damaged;                       // the damaged presets' names
};

// The collection, made on first use.
const PresetCollection &GeneratedPresets();

#endif
