// The host's default scene.
#include "host/core/flare_model.h"
#include "host/core/qi_host.h"

extern "C" void QiHost_Create_Default_Scene(void)
{
    qi::CreateObject(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT);
    qi::CreateObject(Qi_Inquire_Token("camera"), QIHOST_DEFAULT_CAMERA);
}
