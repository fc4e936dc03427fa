#include "tests/formats/scratch_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / "lf-format-tests";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

std::string ScratchPath(const std::string &name)
{
    return (Folder() / name).string();
}

void WriteScratchFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadScratchFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
