// One entry of the page class registry: a page class's CLSID text, its name, the
// function that recognises its class and the one that makes its class factory.
#pragma once

#include "platform/base/Guid.h"

using PVIsPageClassFn = bool (*)(REFCLSID clsid);
using PVCreateFactoryFn = HRESULT (*)(REFCLSID clsid, void** factory);

class CPVPropPageRegData {
public:
    CPVPropPageRegData(const wchar_t* clsidText, const wchar_t* pageName, PVIsPageClassFn isPageClass,
                       PVCreateFactoryFn createFactory);
    virtual ~CPVPropPageRegData();
    CPVPropPageRegData(const CPVPropPageRegData&) = delete;
    CPVPropPageRegData& operator=(const CPVPropPageRegData&) = delete;

    wchar_t* m_pszClsid;
    wchar_t* m_pszPageName;
    PVIsPageClassFn m_pfnIsPageClass;
    PVCreateFactoryFn m_pfnCreateFactory;
    CPVPropPageRegData* m_pNext = nullptr;
};
