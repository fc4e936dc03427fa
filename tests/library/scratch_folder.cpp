#include "tests/library/scratch_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        char program[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, program, sizeof program);
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("lf-" + std::filesystem::path(program).stem().string());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

std::string ScratchFolder()
{
    return Folder().string();
}

std::string ScratchPath(const std::string &name)
{
    std::filesystem::path path = Folder() / name;
    std::filesystem::create_directories(path.parent_path());
    return path.string();
}

void WriteFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
