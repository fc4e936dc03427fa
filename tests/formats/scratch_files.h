// Files the format tests write: a folder of each test process's own under
// the system's temporary folder, removed again when the process ends.
#ifndef TESTS_FORMATS_SCRATCH_FILES_H
#define TESTS_FORMATS_SCRATCH_FILES_H

#include <string>

// Path of a file of that name in the scratch folder.
std::string ScratchPath(const std::string &name);

void WriteScratchFile(const std::string &path, const std::string &bytes);
std::string ReadScratchFile(const std::string &path);

#endif
