// A DLL with only the first of the plug-in's two exports, for the tests of
// a plug-in that does not start.
#include <cstdint>

extern "C" __declspec(dllexport) void Quorix_Plugin_EntryPoint(const char **, int64_t *,
                                                                int32_t *status, void *)
{
    *status = 0;
}
