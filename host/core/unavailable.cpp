// Host functions whose real implementations are not in this build yet. Each
// reports itself through the error channel and leaves every output in its
// "nothing there" state; none pretends to succeed.
#include "host/core/qi_host.h"

namespace {

void NotAvailable(const char *origin)
{
    Qi_Report_Error(3, "ERR_NOT_AVAILABLE", origin, "not available in this host yet");
}

}  // namespace

extern "C" {

void Qi_LensFlareApplyToGBuffer(QiGBuffer *, QiToken, const char *, int32_t, int32_t,
                                QiProgressFn)
{
    NotAvailable("Qi_LensFlareApplyToGBuffer()");
}

QiGBuffer *Qi_Alloc_Global_GBuffer(int32_t, int32_t, int32_t, int32_t)
{
    NotAvailable("Qi_Alloc_Global_GBuffer()");
    return nullptr;
}
void Qi_Free_Global_GBuffer(QiGBuffer *) { NotAvailable("Qi_Free_Global_GBuffer()"); }

void Qi_Compute_Colormap(int32_t, int32_t, int32_t, int32_t, float *)
{
    NotAvailable("Qi_Compute_Colormap()");
}
void Qi_Gamma_Correct(const float *, float *, int32_t, float) { NotAvailable("Qi_Gamma_Correct()"); }
void Qi_Dither_Image(uint8_t *, const float *, int32_t, int32_t, int32_t, int32_t, int32_t,
                     int32_t *)
{
    NotAvailable("Qi_Dither_Image()");
}

}  // extern "C"
