// The plug-in frame's module-wide state, in process. (What a destroyed
// instance gives back is the plug-in entry's and the working flare's part.)
#include <gtest/gtest.h>

#include "frame/plugin_instance.h"
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

}  // namespace
