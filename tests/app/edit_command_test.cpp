// quorix.exe edit with a plug-in that does not start: the file and the
// reason on stderr and exit code 1, for a missing file, a file that is no
// DLL, a DLL without the plug-in's exports and one with only the first.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "host/app/edit_command.h"
#include "host/core/qi_host.h"
#include "tests/support/scratch_files.h"

namespace {

std::string ModulePath(const char *name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA(name), path, sizeof path);
    return path;
}

TEST(EditCommand, APluginThatDoesNotStartIsNamedWithTheReasonAndExitCodeOne)
{
    QiHost_Create_Default_Scene();
    const std::string text = ScratchPath("lensflare.dll");
    WriteFile(text, "not a module");
    _putenv(("QX_SETTINGS_DIR=" + text.substr(0, text.rfind('\\'))).c_str());
    const std::string hostDll = ModulePath("qiimportio.dll");
    ASSERT_FALSE(hostDll.empty());

    const std::pair<std::string, std::string> cases[] = {
        {ScratchPath("missing.dll"), "no such file"},
        {text, "not a Windows x64 DLL"},
        {hostDll, "not a lens flare plug-in (it does not export Quorix_Plugin_EntryPoint and "
                  "DLL_ExecuteLensFlareASCIICommand)"},
        {HALF_PLUGIN_DLL,
         "not a lens flare plug-in (it does not export DLL_ExecuteLensFlareASCIICommand)"}};
    for (const auto &[path, reason] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunEditCommand({}, path), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "quorix: cannot start the Lens Flare Editor: " + path + ": " + reason + "\n");
    }
    _putenv("QX_SETTINGS_DIR=");
}

}  // namespace
