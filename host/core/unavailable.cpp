// Host functions whose real implementations are not in this build yet. Each
// reports itself through the error channel and leaves every output in its
// "nothing there" state; none pretends to succeed.
#include <initializer_list>

#include "host/core/qi_host.h"

namespace {

void NotAvailable(const char *origin)
{
    Qi_Report_Error(3, "ERR_NOT_AVAILABLE", origin, "not available in this host yet");
}

}  // namespace

extern "C" {

int16_t Qi_Load_Gradient_Colormap(const char *, int32_t *count, float **offsets, float **colours,
                                  float **third, QiToken *)
{
    NotAvailable("Qi_Load_Gradient_Colormap()");
    if (count)
        *count = 0;
    for (float **array : {offsets, colours, third})
        if (array)
            *array = nullptr;
    return -1;
}
int16_t Qi_Save_Gradient_Colormap(const char *, int32_t, const float *, const float *,
                                  const float *, QiToken)
{
    NotAvailable("Qi_Save_Gradient_Colormap()");
    return -1;
}

void Qi_Enumerate(int64_t, const char *, int64_t, void *, int64_t, QiEnumFn, QiToken, ...)
{
    NotAvailable("Qi_Enumerate()");
}
int16_t Qi_Inquire_Colorname(const char *, float *, ...)
{
    NotAvailable("Qi_Inquire_Colorname()");
    return 0;
}
void Qi_Copy(QiToken, const void *, void *, ...) { NotAvailable("Qi_Copy()"); }

}  // extern "C"
