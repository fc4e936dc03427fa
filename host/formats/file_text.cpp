#include "host/formats/file_text.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace qi::format {

namespace {

struct CloseFile {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, CloseFile>;

// Removes what a failed write left, unless the path names a device or
// anything else that is no plain file.
void RemovePartialFile(const char *path)
{
    struct stat info;
    if (stat(path, &info) == 0 && S_ISREG(info.st_mode))
        std::remove(path);
}

std::atomic<int> failingWrites{0};

// Takes one of the writes FailTextFileWrites asked to fail.
bool WriteMadeToFail()
{
    int left = failingWrites.load();
    while (left > 0 && !failingWrites.compare_exchange_weak(left, left - 1)) {
    }
    return left > 0;
}

// Windows refuses paths of MAX_PATH characters and more, and says only that
// the file was not found.
#ifdef _WIN32
constexpr size_t kLongestPath = 259;
#else
constexpr size_t kLongestPath = 4095;
#endif

// The cause of a failed write, from the C library's error number.
std::string WriteFailure(const char *path, int error)
{
    if (std::strlen(path) > kLongestPath)
        return "the path is too long";
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "the folder or the file cannot be written";
    case ENOSPC:
    case EFBIG:
        return "the disk is full";
    case ENAMETOOLONG:
        return "the path is too long";
    case ENOENT:
    case ENOTDIR:
        return "the folder does not exist";
    default:
        return std::strerror(error);
    }
}

}  // namespace

void FailTextFileWrites(int count)
{
    failingWrites = count > 0 ? count : 0;
}

ReadResult ReadTextFile(const char *path, size_t maxBytes, std::string &text)
{
    text.clear();
    if (!path || !*path)
        return ReadResult::CannotOpen;
    FileHandle file(std::fopen(path, "rb"));
    if (!file)
        return ReadResult::CannotOpen;
    char chunk[16384];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (text.size() + got > maxBytes) {
            text.clear();
            return ReadResult::TooLarge;
        }
        text.append(chunk, got);
    }
    if (std::ferror(file.get())) {
        text.clear();
        return ReadResult::CannotOpen;
    }
    return ReadResult::Ok;
}

bool WriteTextFile(const char *path, const std::string &text, std::string &reason)
{
    if (!path || !*path) {
        reason = "no file is named";
        return false;
    }
    errno = 0;
    std::FILE *raw = std::fopen(path, "wb");
    if (!raw) {
        reason = WriteFailure(path, errno);
        return false;
    }
    bool written = !WriteMadeToFail();
    int error = written ? 0 : ENOSPC;
    written = written && std::fwrite(text.data(), 1, text.size(), raw) == text.size();
    written = std::fflush(raw) == 0 && written;
    if (!written && !error)
        error = errno;
    written = std::fclose(raw) == 0 && written;
    if (!written && !error)
        error = errno;
    if (!written) {
        reason = WriteFailure(path, error);
        RemovePartialFile(path);
    }
    return written;
}

}  // namespace qi::format
