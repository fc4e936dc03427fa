// Files the tests write: a folder of each test process's own under the
// system's temporary folder, removed again when the process ends.
#ifndef TESTS_SUPPORT_SCRATCH_FILES_H
#define TESTS_SUPPORT_SCRATCH_FILES_H

#include <string>

// Path of `name` inside the scratch folder; subfolders named in it are made.
std::string ScratchPath(const std::string &name);

// Path of `name` inside a folder that the test programs of one run share
// (and later runs find again): for files that are costly to make, made by
// the first program that needs them. Subfolders named in it are made.
std::string SharedScratchPath(const std::string &name);

void WriteFile(const std::string &path, const std::string &bytes);
std::string ReadFile(const std::string &path);
bool FileExists(const std::string &path);

#endif
