// quorix.exe's --library option: a library file, found as given or in the
// working directory's "lensfx" folder, replaces the flare the command works
// on; a file that cannot be loaded stops the command and changes nothing.
// (The render command drawing it is library_option_e2e.sh's part.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/app/library_option.h"
#include "host/core/flare_model.h"
#include "host/core/qi_host.h"
#include "tests/formats/flare_digest.h"
#include "tests/support/scratch_files.h"
#include "tests/support/host_channel.h"

namespace {

class LibraryOption : public ::testing::Test {
protected:
    void SetUp() override
    {
        QiHost_Create_Default_Scene();
        light_ = qi::FindObject(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT);
        ASSERT_NE(light_, nullptr);
        qi::MakeDefaultFlare(light_->flare);
        QiHost_Set_Environment("QX_WORKING_DIR", LF_DATA_DIR);
        ClearHostReports();
    }
    void TearDown() override
    {
        QiHost_Set_Environment("QX_WORKING_DIR", nullptr);
        qi::MakeDefaultFlare(light_->flare);
    }

    qi::HostObject *light_ = nullptr;
};

TEST_F(LibraryOption, APresetNameIsFoundInTheWorkingDirectory)
{
    std::string error;
    ASSERT_TRUE(LoadLibraryFile(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, "subtle_glow.lnz",
                                error))
        << error;
    ASSERT_EQ(light_->flare.elements.size(), 2u);
    EXPECT_STREQ(light_->flare.elements[0]->type->name, "glow");
    EXPECT_EQ(HostReports().size(), 0u);
}

TEST_F(LibraryOption, AFileThatDoesNotLoadChangesNothingAndSaysWhich)
{
    const std::string before = FlareDigest(light_->flare, true);
    const std::string broken = ScratchPath("broken.lnz");
    WriteFile(broken, "quorix-lensflare 1.0\nglobals\n");
    for (const std::string &path : {std::string("no-such-preset.lnz"), broken}) {
        std::string error;
        EXPECT_FALSE(LoadLibraryFile(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_EQ(FlareDigest(light_->flare, true), before);
    EXPECT_EQ(HostReports().size(), 2u) << "the host said why, once per file";
}

// A save replaces the former file only once the new one is complete: when
// the writing fails (here the temporary file's name is taken by a folder),
// the former file stays byte for byte and nothing is left beside it.
TEST_F(LibraryOption, ASaveReplacesTheFileOnlyOnceItIsWritten)
{
    const QiToken light = Qi_Inquire_Token("light");
    const std::string path = ScratchPath("kept.lnz");
    WriteFile(path, "former");
    std::string error;
    ASSERT_TRUE(SaveLibraryFile(light, QIHOST_DEFAULT_LIGHT, path, error)) << error;
    const std::string saved = ReadFile(path);
    EXPECT_NE(saved, "former");
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));

    qi::MakeDefaultFlare(light_->flare);
    light_->flare.elements.pop_back();
    std::filesystem::create_directory(path + ".saving");
    EXPECT_FALSE(SaveLibraryFile(light, QIHOST_DEFAULT_LIGHT, path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(ReadFile(path), saved);
    std::filesystem::remove(path + ".saving");
}

}  // namespace
