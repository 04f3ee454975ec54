// An in-process server for the class table's tests: one class, objects counted so
// that DllCanUnloadNow answers S_OK only when none is alive.
#include "platform/com/Unknown.h"

namespace {

constexpr CLSID kTestClass{0x6E1F0A52, 0x3C7B, 0x4D2E, {0x9A, 0x11, 0x50, 0x2C, 0x7E, 0x44, 0x81, 0x3F}};
int g_liveObjects = 0;

class CObject final : public IUnknown {
public:
    CObject() { ++g_liveObjects; }
    ~CObject() { --g_liveObjects; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IUnknown::Iid))
            return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --m_refs;
        if (!left)
            delete this;
        return left;
    }

private:
    ULONG m_refs = 0;
};

class CFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IUnknown::Iid) && !IsEqualIID(riid, IClassFactory::Iid))
            return E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* object = new CObject;
        object->AddRef();
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

CFactory g_factory;

} // namespace

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!IsEqualCLSID(clsid, kTestClass))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT DllCanUnloadNow() {
    return g_liveObjects == 0 ? S_OK : S_FALSE;
}

extern "C" int PvTestServerLiveObjects() {
    return g_liveObjects;
}
