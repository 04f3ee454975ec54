// The traits of the profile's objects that the host holds directly (class factories
// and pages, Parts 1.1 and 2.1): each keeps the module loaded while it lives (one
// module lock, taken at birth and given back when it is destroyed) and runs its
// IUnknown calls in this module's state.
#pragma once

#include "platform/com/RuntimeClass.h"
#include "platform/mfc/ModuleState.h"
#include "profile/server/PVModuleLock.h"

struct CPVModuleObjectTraits : RuntimeClassTraits {
    struct LifeScope {
        LifeScope() { CPVModuleLock::Lock(); }
        ~LifeScope() { CPVModuleLock::Unlock(); }
        LifeScope(const LifeScope&) = delete;
        LifeScope& operator=(const LifeScope&) = delete;
    };
    struct CallScope {
        AFX_MAINTAIN_STATE2 state{AfxGetStaticModuleState()};
    };
};

template <class... Interfaces>
using CPVModuleObject = RuntimeClass<RuntimeClassFlags<CPVModuleObjectTraits>, Interfaces...>;
