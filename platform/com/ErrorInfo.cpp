#include "platform/com/ErrorInfo.h"

#include <new>
#include <string>

#include "platform/com/ComPtr.h"
#include "platform/com/RuntimeClass.h"
#include "platform/oleaut/Bstr.h"

namespace {

// The error object CreateErrorInfo hands out: one object, both interfaces.
class CErrorObject final : public RuntimeClass<IErrorInfo, ICreateErrorInfo> {
public:
    HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
        if (!guid)
            return E_INVALIDARG;
        *guid = m_guid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* out) override { return CopyOut(m_source, out); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* out) override { return CopyOut(m_description, out); }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* out) override { return CopyOut(m_helpFile, out); }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* context) override {
        if (!context)
            return E_INVALIDARG;
        *context = m_helpContext;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override {
        m_guid = guid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override { return CopyIn(text, &m_source); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override { return CopyIn(text, &m_description); }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override { return CopyIn(text, &m_helpFile); }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override {
        m_helpContext = context;
        return S_OK;
    }

private:
    static HRESULT CopyOut(const std::wstring& text, BSTR* out) {
        if (!out)
            return E_INVALIDARG;
        *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT CopyIn(LPCOLESTR text, std::wstring* field) {
        field->assign(text ? text : L"");
        return S_OK;
    }

    GUID m_guid = GUID_NULL;
    std::wstring m_source;
    std::wstring m_description;
    std::wstring m_helpFile;
    DWORD m_helpContext = 0;
};

thread_local CComPtr<IErrorInfo> t_errorInfo;

} // namespace

extern "C" HRESULT CreateErrorInfo(ICreateErrorInfo** created) {
    if (!created)
        return E_INVALIDARG;
    CErrorObject* object = new (std::nothrow) CErrorObject;
    *created = object ? static_cast<ICreateErrorInfo*>(object) : nullptr;
    return object ? S_OK : E_OUTOFMEMORY;
}

extern "C" HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* errorInfo) {
    if (reserved != 0)
        return E_INVALIDARG;
    t_errorInfo = errorInfo;
    return S_OK;
}

extern "C" HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** errorInfo) {
    if (reserved != 0 || !errorInfo)
        return E_INVALIDARG;
    *errorInfo = t_errorInfo.Detach();
    return *errorInfo ? S_OK : S_FALSE;
}
