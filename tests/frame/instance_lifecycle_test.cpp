// The plug-in frame's module-wide state, in process.
#include <gtest/gtest.h>

#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "tests/support/plugin_calls.h"

namespace {

PluginInstance *NewInstance()
{
    return LinkedPlugin().NewInstance(nullptr);
}

void Destroy(PluginInstance *instance)
{
    LinkedPlugin().Destroy(instance);
}

TEST(InstanceLifecycle, CurrentInstanceNamesTheLatestUntilDestroyed)
{
    PluginInstance *a = NewInstance();
    EXPECT_EQ(currentInstance, a);
    PluginInstance *b = NewInstance();
    EXPECT_EQ(currentInstance, b);
    Destroy(a);
    EXPECT_EQ(currentInstance, nullptr) << "destroying any instance clears it";
    Destroy(b);
    EXPECT_EQ(currentInstance, nullptr);
    Destroy(nullptr);
    EXPECT_EQ(currentInstance, nullptr);
}

TEST(InstanceLifecycle, DestroyReleasesTheWorkingFlareAndAllItOwns)
{
    int64_t before = QiHost_Live_Blocks();
    PluginInstance *instance = NewInstance();
    instance->workingFlare = static_cast<WorkingFlare *>(Qi_Alloc_Memory(0, 1, sizeof(WorkingFlare)));
    for (int e = 0; e < 3; ++e) {
        FlareElement *element = AppendElement(instance->workingFlare);
        for (int p = 0; p < 4; ++p) {
            FlareParameter *parameter = AppendParameter(element);
            parameter->gradientCount = 2;
            parameter->gradientColors = static_cast<float *>(Qi_Alloc_Memory(0, 1, 24));
            parameter->gradientOffsets = static_cast<float *>(Qi_Alloc_Memory(0, 1, 8));
            parameter->arbitraryDataSize = 5;
            parameter->arbitraryData = static_cast<char *>(Qi_Alloc_Memory(0, 1, 5));
        }
    }
    EXPECT_EQ(instance->workingFlare->numelements, 3);
    EXPECT_EQ(QiHost_Live_Blocks(), before + 1 + 1 + 3 * (1 + 4 * 4));
    Destroy(instance);
    EXPECT_EQ(QiHost_Live_Blocks(), before);
}

}  // namespace
