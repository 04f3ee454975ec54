// The page classes of the shipped module, each joining the page class registry at
// static initialisation in catalogue order (the registry answers in reverse).
#include "profile/pages/PVPageTavrinCOMM.h"
#include "profile/pages/PVPageTavrinCOMP.h"
#include "profile/pages/PVPageTavrinLOWFLOW.h"
#include "profile/pages/PVPageTavrinPARTIALLY.h"
#include "profile/pages/PVPageTavrinPROCESS.h"
#include "profile/pages/PVPageTavrinSENSOR.h"
#include "profile/pages/PVPageTavrinSYSUNIT.h"
#include "profile/pages/PVPageTavrinTotalizerConfig.h"
#include "profile/server/PVPropPageClassFactory.h"
#include "profile/server/PVPropPageRegistration.h"

namespace {

template <class T> CPVPropPageRegistration RegisterPage() {
    return CPVPropPageRegistration(&PVIsPageClass<T>, &PVCreatePageClassFactory<T>, T::kPageName,
                                   T::PageClsidText());
}

} // namespace

CPVPropPageRegistration g_registerCOMM = RegisterPage<CPVPageTavrinCOMM>();
CPVPropPageRegistration g_registerCOMP = RegisterPage<CPVPageTavrinCOMP>();
CPVPropPageRegistration g_registerLOWFLOW = RegisterPage<CPVPageTavrinLOWFLOW>();
CPVPropPageRegistration g_registerPARTIALLY = RegisterPage<CPVPageTavrinPARTIALLY>();
CPVPropPageRegistration g_registerPROCESS = RegisterPage<CPVPageTavrinPROCESS>();
CPVPropPageRegistration g_registerSENSOR = RegisterPage<CPVPageTavrinSENSOR>();
CPVPropPageRegistration g_registerSYSUNIT = RegisterPage<CPVPageTavrinSYSUNIT>();
CPVPropPageRegistration g_registerTotalizerConfig = RegisterPage<CPVPageTavrinTotalizerConfig>();
