#include "tests/support/scratch_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define CurrentProcessId _getpid
#else
#include <unistd.h>
#define CurrentProcessId getpid
#endif

namespace {

// Test programs run side by side (one process per test case, two at a time
// in the native build), so each process has a folder named after its id.
class Folder {
public:
    Folder()
        : path_(std::filesystem::temp_directory_path() /
                ("lf-tests-" + std::to_string(CurrentProcessId())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path &FolderPath()
{
    static const Folder folder;
    return folder.path();
}

}  // namespace

std::string ScratchPath(const std::string &name)
{
    std::filesystem::path path = FolderPath() / name;
    std::filesystem::create_directories(path.parent_path());
    return path.string();
}

std::string SharedScratchPath(const std::string &name)
{
    std::filesystem::path path = std::filesystem::temp_directory_path() / "lf-tests-shared" / name;
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
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}
