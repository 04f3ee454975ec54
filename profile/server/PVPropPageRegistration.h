// The page class registry. Each page class joins it through one static object built
// with the registering constructor; the list and the flags are shared by every
// instance. A plain instance held on the stack keeps the list alive during a call.
#pragma once

#include "profile/server/PVPropPageRegData.h"

class CPVPropPageRegistration {
public:
    CPVPropPageRegistration();
    CPVPropPageRegistration(PVIsPageClassFn isPageClass, PVCreateFactoryFn createFactory,
                            const wchar_t* pageName, const wchar_t* clsidText);
    virtual ~CPVPropPageRegistration();
    CPVPropPageRegistration(const CPVPropPageRegistration&) = delete;
    CPVPropPageRegistration& operator=(const CPVPropPageRegistration&) = delete;

    // True when an entry answers its class test for `clsid`.
    bool IsRegisteredClass(REFCLSID clsid) const;
    // The first matching entry's factory; CLASS_E_CLASSNOTAVAILABLE with *factory
    // cleared when nothing matches.
    HRESULT CreateClassFactory(REFCLSID clsid, void** factory) const;

    HRESULT RegisterServer();
    HRESULT UnregisterServer();

    // For tests and the command line.
    static bool IsRegistryUsable();
    static int EntryCount();
    static int UserCount();
    static const wchar_t* ModulePath();
};
