// The plug-in's module-wide state, apart from the code that uses it, so that
// tests of a single subsystem link without the exports.
#include "frame/plugin_instance.h"

HINSTANCE moduleHandle = nullptr;
char *hostInitText = nullptr;
PluginInstance *currentInstance = nullptr;
