#include "profile/values/PVGetEnumStrings.h"

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "profile/server/PromptInfo.h"

CPVGetEnumStrings::CPVGetEnumStrings(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetMemberNameValue(memberName, adapter) {}

CPVGetEnumStrings::~CPVGetEnumStrings() = default;

namespace {

// Destroys the adapter's array however the read ends.
class CArrayGuard {
public:
    explicit CArrayGuard(SAFEARRAY* array) : m_pArray(array) {}
    ~CArrayGuard() {
        if (m_pArray)
            SafeArrayDestroy(m_pArray);
    }
    CArrayGuard(const CArrayGuard&) = delete;
    CArrayGuard& operator=(const CArrayGuard&) = delete;

private:
    SAFEARRAY* m_pArray;
};

} // namespace

HRESULT CPVGetEnumStrings::GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) {
    if (vt != EnumStringsSelector)
        return E_FAIL;
    if (!text)
        return E_POINTER;
    IPVGetSetAdapter* adapter = nullptr;
    CString member;
    HRESULT hr = BeginTypedOperation(adapter, member);
    if (FAILED(hr))
        return hr;

    SAFEARRAY* strings = nullptr;
    hr = adapter->GetEnumStrings(member, &strings);
    if (FAILED(hr)) {
        ErrorReadingValue(member);
        return hr;
    }
    const CArrayGuard guard(strings);
    if (!strings || SafeArrayGetDim(strings) != 1)
        return E_FAIL;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(hr = SafeArrayGetLBound(strings, 1, &lower)) ||
        FAILED(hr = SafeArrayGetUBound(strings, 1, &upper)))
        return hr;
    BSTR* data = nullptr;
    hr = SafeArrayAccessData(strings, reinterpret_cast<void**>(&data));
    if (FAILED(hr)) {
        if (prompt)
            prompt->m_strText.FormatMessage(
                L"Error: Obtaining enum strings from safearray for member %1!s!\n", member.GetString());
        return hr;
    }
    CString result;
    for (LONG i = lower; i <= upper; ++i) {
        const BSTR element = data[i - lower];
        result += CString(element, static_cast<int>(SysStringLen(element)));
        result += L"\n";
    }
    SafeArrayUnaccessData(strings);
    *text = result;
    return S_OK;
}
