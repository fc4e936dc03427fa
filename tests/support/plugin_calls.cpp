#include "tests/support/plugin_calls.h"

#include <gtest/gtest.h>

std::vector<int64_t> PluginCalls::Entry(std::vector<const char *> keywords,
                                        std::vector<int64_t> values,
                                        PluginInstance *instance) const
{
    keywords.push_back(nullptr);
    values.resize(keywords.size(), 0);
    int32_t status = -1;
    entry(keywords.data(), values.data(), &status, instance);
    EXPECT_EQ(status, 0);
    return values;
}

int64_t PluginCalls::Command(PluginInstance *instance, std::vector<const char *> keywords,
                             std::vector<int64_t> values) const
{
    keywords.push_back(nullptr);
    values.resize(keywords.size(), 0);
    return command(instance, nullptr, keywords.data(), values.data());
}

PluginInstance *PluginCalls::NewInstance(HostServices *services, const char *initText) const
{
    std::vector<const char *> keywords;
    std::vector<int64_t> values;
    if (services) {
        keywords.push_back("parent_hInstance");
        values.push_back(reinterpret_cast<int64_t>(services));
    }
    if (initText) {
        keywords.push_back("initialize");
        values.push_back(reinterpret_cast<int64_t>(initText));
    }
    keywords.push_back("new_instance");
    return reinterpret_cast<PluginInstance *>(Entry(keywords, values)[keywords.size() - 1]);
}

void PluginCalls::Destroy(PluginInstance *instance) const
{
    Entry({"destroy_instance"}, {}, instance);
}

PluginDll::PluginDll() : module_(LoadLibraryA("lensflare.dll"))
{
    if (!module_)
        return;
    calls_.entry =
        reinterpret_cast<QiPluginEntryFn>(GetProcAddress(module_, "Quorix_Plugin_EntryPoint"));
    calls_.command = reinterpret_cast<QiPluginCommandFn>(
        GetProcAddress(module_, "DLL_ExecuteLensFlareASCIICommand"));
}

PluginDll::~PluginDll()
{
    if (module_)
        FreeLibrary(module_);
}
