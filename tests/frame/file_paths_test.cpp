// The file dialogs' path rules: the folder a dialog starts in, how a
// remembered name splits into folder and file, and that nothing is ever cut
// into another path or written past a buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "frame/file_paths.h"

namespace {

// The folders that exist, as the host would report them.
std::set<std::string> folders;

bool FolderExists(const char *path)
{
    return folders.count(path) != 0;
}

struct StartCase {
    const char *name, *working, *subdirectory;
    const char *file, *directory;
};

TEST(FilePaths, DialogStartsInTheFolderTheNameOrTheWorkingDirectoryGives)
{
    folders = {"C:\\work\\lensfx"};
    const StartCase cases[] = {
        // Empty names start in the working directory's subfolder when it exists.
        {"", "C:\\work", "lensfx", "", "C:\\work\\lensfx"},
        {"", "C:\\work", "colormap", "", "C:\\work"},
        {"", "", nullptr, "", "\\"},
        {"", "", "lensfx", "", "lensfx"},
        // A bare file name: the subfolder rule, or no folder without a subdirectory.
        {"stars.lnz", "C:\\work", "lensfx", "stars.lnz", "C:\\work\\lensfx"},
        {"stars.lnz", "C:\\work", nullptr, "stars.lnz", ""},
        // Relative folders go under the working directory, with one separator.
        {"lensfx\\stars.lnz", "C:\\work", "lensfx", "stars.lnz", "C:\\work\\lensfx"},
        {"fx/stars.lnz", "C:\\work\\", "lensfx", "stars.lnz", "C:\\work\\fx/"},
        {"fx\\stars.lnz", "", "lensfx", "stars.lnz", "fx"},
        // Absolute folders are taken as they are; roots keep their separator.
        {"D:\\fx\\stars.lnz", "C:\\work", "lensfx", "stars.lnz", "D:\\fx"},
        {"C:\\stars.lnz", "C:\\work", "lensfx", "stars.lnz", "C:\\"},
        {"\\stars.lnz", "C:\\work", "lensfx", "stars.lnz", "\\"},
        {"C:stars.lnz", "C:\\work", "lensfx", "stars.lnz", "C:"},
        // A final separator belongs to the file part.
        {"C:\\fx\\", "C:\\work", "lensfx", "fx\\", "C:\\"},
    };
    for (const StartCase &c : cases) {
        DialogStart start;
        std::memset(&start, 0xcc, sizeof start);
        ComposeDialogStart(c.name, c.working, c.subdirectory, FolderExists, &start);
        EXPECT_STREQ(start.file, c.file) << c.name;
        EXPECT_STREQ(start.directory, c.directory) << c.name << " in " << c.working;
    }
}

TEST(FilePaths, FoldersThatDoNotFitAreLeftOutNotCut)
{
    const std::string longWorking = "C:\\" + std::string(INITIAL_DIRECTORY_SIZE - 4, 'w');
    const std::string tooLongWorking = longWorking + "w";
    folders = {longWorking + "\\lensfx"};
    char out[INITIAL_DIRECTORY_SIZE + 8];
    std::memset(out, 0xcc, sizeof out);

    // 255 characters fit; the subfolder beyond them gives way to the working directory.
    ComposeInitialDirectory(longWorking.c_str(), "lensfx", FolderExists, out);
    EXPECT_EQ(out, longWorking);
    ComposeInitialDirectory(tooLongWorking.c_str(), "lensfx", FolderExists, out);
    EXPECT_STREQ(out, "");
    ComposeInitialDirectory("", std::string(300, 's').c_str(), FolderExists, out);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(out[INITIAL_DIRECTORY_SIZE], char(0xcc)) << "written past the buffer";

    // A folder part too long for the initial folder: the dialog gets the
    // whole name in its file field instead.
    const std::string name = "D:\\" + std::string(260, 'd') + "\\stars.lnz";
    DialogStart start;
    ComposeDialogStart(name.c_str(), "C:\\work", "lensfx", FolderExists, &start);
    EXPECT_EQ(start.file, name);
    EXPECT_STREQ(start.directory, "");
    const std::string relative = "fx\\stars.lnz";
    ComposeDialogStart(relative.c_str(), longWorking.c_str(), "lensfx", FolderExists, &start);
    EXPECT_EQ(start.file, relative);
    EXPECT_STREQ(start.directory, "");

    // Names longer than a name buffer are cut to it, never overflow.
    const std::string huge = "C:\\fx\\" + std::string(400, 'n');
    ComposeDialogStart(huge.c_str(), "C:\\work", "lensfx", FolderExists, &start);
    EXPECT_EQ(std::strlen(start.file), size_t(FILE_NAME_SIZE - 1 - 6));
}

TEST(FilePaths, RememberedNamesLoseTheirSubfolderPrefix)
{
    char out[FILE_NAME_SIZE];
    const char *cases[][3] = {
        {"lensfx\\stars.lnz", "lensfx", "stars.lnz"},
        {"lensfx/stars.lnz", "lensfx", "stars.lnz"},
        {"colormap\\sunset.grd", "colormap", "sunset.grd"},
        {"LensFX\\stars.lnz", "lensfx", "LensFX\\stars.lnz"},
        {"lensfxtra\\stars.lnz", "lensfx", "lensfxtra\\stars.lnz"},
        {"C:\\lensfx\\stars.lnz", "lensfx", "C:\\lensfx\\stars.lnz"},
        {"lensfx\\", "lensfx", ""},
    };
    for (auto &c : cases) {
        EXPECT_TRUE(DropSubdirectoryPrefix(c[0], c[1], out));
        EXPECT_STREQ(out, c[2]) << c[0];
    }
    EXPECT_TRUE(DropSubdirectoryPrefix(nullptr, "lensfx", out));
    EXPECT_STREQ(out, "");
    const std::string huge = "lensfx\\" + std::string(350, 'n');
    EXPECT_FALSE(DropSubdirectoryPrefix(huge.c_str(), "lensfx", out));
    EXPECT_EQ(std::strlen(out), size_t(FILE_NAME_SIZE - 1));
}

TEST(FilePaths, ExtensionsThatCutTheNameAreTold)
{
    const std::string stem = "C:\\fx\\" + std::string(290, 's');
    // What the host writes: the extension replaced or appended, or, when
    // that does not fit, the name shortened in front of it.
    EXPECT_TRUE(ExtensionKeptName("C:\\fx\\stars", "C:\\fx\\stars.lnz"));
    EXPECT_TRUE(ExtensionKeptName("C:\\fx\\stars.txt", "C:\\fx\\stars.lnz"));
    EXPECT_TRUE(ExtensionKeptName("C:\\FX\\STARS.LNZ", "C:\\FX\\STARS.BAK"));
    EXPECT_TRUE(ExtensionKeptName("C:\\f.x\\stars", "C:\\f.x\\stars.lnz"));
    EXPECT_TRUE(ExtensionKeptName((stem + ".lnz").c_str(), (stem + ".lnz").c_str()));
    const std::string cut = stem.substr(0, 295) + ".lnz";
    EXPECT_FALSE(ExtensionKeptName(stem.c_str(), cut.c_str()));
    const std::string hidden = "C:\\fx\\." + std::string(292, 'h');
    EXPECT_FALSE(ExtensionKeptName(hidden.c_str(), (hidden.substr(0, 295) + ".lnz").c_str()))
        << "a leading dot starts no extension";

    char path[] = "D:\\Maps\\Sunset.GRD";
    LowerCasePath(path);
    EXPECT_STREQ(path, "d:\\maps\\sunset.grd");
}

}  // namespace
