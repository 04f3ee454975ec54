// Small helpers shared by the host tests: owned BSTRs and VARIANTs, and a host
// context on the embedded project.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/HostContext.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/Variant.h"

// A BSTR that lives as long as the object.
class CTestBstr {
public:
    explicit CTestBstr(const std::wstring& text) : m_bstr(SysAllocString(text.c_str())) {}
    ~CTestBstr() { SysFreeString(m_bstr); }
    CTestBstr(const CTestBstr&) = delete;
    CTestBstr& operator=(const CTestBstr&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

// A VARIANT cleared when the object goes.
struct CTestVariant {
    CTestVariant() { VariantInit(&v); }
    ~CTestVariant() { VariantClear(&v); }
    CTestVariant(const CTestVariant&) = delete;
    CTestVariant& operator=(const CTestVariant&) = delete;
    VARIANT v;
};

inline VARIANT MakeI4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

inline VARIANT MakeR4(float value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R4;
    v.fltVal = value;
    return v;
}

inline std::shared_ptr<CHostContext> EmbeddedContext() {
    auto context = CHostContext::Create();
    std::string error;
    EXPECT_TRUE(context->Project().LoadDefault(&error)) << error;
    return context;
}

inline std::vector<std::wstring> BstrArray(SAFEARRAY* array) {
    std::vector<std::wstring> texts;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        BSTR text = nullptr;
        SafeArrayGetElement(array, &i, &text);
        texts.emplace_back(text ? text : L"");
        SysFreeString(text);
    }
    return texts;
}
