// A folder of the test program's own under the system's temporary folder,
// emptied when the program starts, for the files the library tests write.
#ifndef TESTS_LIBRARY_SCRATCH_FOLDER_H
#define TESTS_LIBRARY_SCRATCH_FOLDER_H

#include <string>

// The folder's full path, without a final separator.
std::string ScratchFolder();

// Path of `name` inside the scratch folder; subfolders named in it are made.
std::string ScratchPath(const std::string &name);

void WriteFile(const std::string &path, const std::string &bytes);
std::string ReadFile(const std::string &path);
bool FileExists(const std::string &path);

#endif
