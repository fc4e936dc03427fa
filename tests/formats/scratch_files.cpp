#include "tests/formats/scratch_files.h"

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

// The folder of this process: test programs run side by side (one process
// per test case, two at a time in the native build), so each process has a
// folder named after its id, emptied when it starts and removed when it ends.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("lf-format-tests-" + std::to_string(CurrentProcessId())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path &Folder()
{
    static const ScratchFolder folder;
    return folder.path();
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
