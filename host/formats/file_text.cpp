#include "host/formats/file_text.h"

#include <sys/stat.h>

#include <cstdio>
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

}  // namespace

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

bool WriteTextFile(const char *path, const std::string &text)
{
    if (!path || !*path)
        return false;
    std::FILE *raw = std::fopen(path, "wb");
    if (!raw)
        return false;
    bool written = std::fwrite(text.data(), 1, text.size(), raw) == text.size();
    written = std::fflush(raw) == 0 && written;
    written = std::fclose(raw) == 0 && written;
    if (!written)
        RemovePartialFile(path);
    return written;
}

}  // namespace qi::format
