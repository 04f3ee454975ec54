#include "profile/server/PVPropPageRegData.h"

#include <cwchar>

namespace {

wchar_t* CopyText(const wchar_t* text) {
    const size_t length = text ? std::wcslen(text) : 0;
    wchar_t* copy = new wchar_t[length + 1];
    if (length)
        std::wmemcpy(copy, text, length);
    copy[length] = L'\0';
    return copy;
}

} // namespace

CPVPropPageRegData::CPVPropPageRegData(const wchar_t* clsidText, const wchar_t* pageName,
                                       PVIsPageClassFn isPageClass, PVCreateFactoryFn createFactory)
    : m_pszClsid(CopyText(clsidText)), m_pszPageName(nullptr), m_pfnIsPageClass(isPageClass),
      m_pfnCreateFactory(createFactory) {
    try {
        m_pszPageName = CopyText(pageName);
    } catch (...) {
        delete[] m_pszClsid;
        throw;
    }
}

CPVPropPageRegData::~CPVPropPageRegData() {
    delete[] m_pszClsid;
    delete[] m_pszPageName;
}
