// Page classes for the module entry's tests: a module built from the profile's own
// entry code with two small pages registered, since the shipped module's list stays
// empty until the real pages arrive. The second page's CLSID text is in lower case.
#include "profile/interfaces/Panel.h"
#include "profile/server/PVModuleObject.h"
#include "profile/server/PVPropPageClassFactory.h"
#include "profile/server/PVPropPageRegistration.h"

namespace {

int g_livePages = 0;

// Counts references as a page does: alive, it holds a module lock.
class CTestPage : public CPVModuleObject<IPVChild> {
public:
    CTestPage() { ++g_livePages; }
    ~CTestPage() override { --g_livePages; }
    HRESULT STDMETHODCALLTYPE Init(IPVParent*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Save() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ClearDirty() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG, BSTR, IErrorInfo**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE ReservedA() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostModDefChange() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetLocale(LCID) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ReservedB(LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TakeFocus() override { return S_OK; }
};

class CTestPageUpper final : public CTestPage {
public:
    static const wchar_t* PageClsidText() { return L"{5B0F1E2A-9C3D-4E7F-8A1B-2C3D4E5F6A7B}"; }
};

class CTestPageLower final : public CTestPage {
public:
    static const wchar_t* PageClsidText() { return L"{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}"; }
};

CPVPropPageRegistration g_registerUpper(&PVIsPageClass<CTestPageUpper>,
                                        &PVCreatePageClassFactory<CTestPageUpper>, L"TestPageUpper Page",
                                        CTestPageUpper::PageClsidText());
CPVPropPageRegistration g_registerLower(&PVIsPageClass<CTestPageLower>,
                                        &PVCreatePageClassFactory<CTestPageLower>, L"TestPageLower Page",
                                        CTestPageLower::PageClsidText());

} // namespace

extern "C" int PvTestLivePages() {
    return g_livePages;
}
extern "C" int PvTestEntryCount() {
    return CPVPropPageRegistration::EntryCount();
}
extern "C" bool PvTestRegistryUsable() {
    return CPVPropPageRegistration::IsRegistryUsable();
}

// The language switch the panels reach through the application object, and a string
// read from whichever resource library is current.
#include "platform/kernel/Resource.h"
#include "profile/server/AopWinApp.h"
#include "profile/server/ResourceDllManager.h"

extern "C" bool PvTestLoadLocale(LCID lcid) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return static_cast<CAopWinApp*>(AfxGetApp())->LoadLocale(lcid);
}

extern "C" LCID PvTestLocale() {
    return CResourceDllManager::GetInstance()->GetLocale();
}

extern "C" HINSTANCE PvTestResourceLibrary() {
    return CResourceDllManager::GetInstance()->GetLibraryHandle();
}

extern "C" int PvTestLoadString(UINT id, wchar_t* buffer, int size) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return LoadStringW(AfxGetResourceHandle(), id, buffer, size);
}
