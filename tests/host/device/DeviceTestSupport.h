// Payloads as the pages build them, and a module on the embedded project with its
// controller online, for the device's tests.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "host/HostModule.h"
#include "platform/kernel/Clock.h"
#include "platform/oleaut/SafeArray.h"
#include "tests/host/HostTestSupport.h"

inline VARIANT Scalar(VARTYPE type, LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    if (type == VT_I1)
        v.cVal = static_cast<CHAR>(value);
    else if (type == VT_UI1)
        v.bVal = static_cast<BYTE>(value);
    else if (type == VT_I2)
        v.iVal = static_cast<SHORT>(value);
    else
        v.lVal = value;
    return v;
}

// VT_ARRAY | VT_VARIANT from index 0; the array owns copies of the elements.
inline VARIANT Vector(std::initializer_list<VARIANT> elements) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(elements.size()));
    LONG i = 0;
    for (VARIANT element : elements) {
        SafeArrayPutElement(v.parray, &i, &element);
        ++i;
    }
    return v;
}

// The character array of the customer and location requests: `count` I1 elements.
inline VARIANT Characters(const std::string& text, LONG count = 32) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count));
    for (LONG i = 0; i < count; ++i) {
        VARIANT element =
            Scalar(VT_I1, i < static_cast<LONG>(text.size()) ? text[static_cast<size_t>(i)] : 0);
        SafeArrayPutElement(v.parray, &i, &element);
    }
    return v;
}

struct CDeviceFixture {
    CDeviceFixture() {
        CClock::Instance().SetVirtual(true);
        context->Project().Controller().mode = 4;
    }
    std::shared_ptr<CHostContext> context = EmbeddedContext();
    CComPtr<CHostModule> module = MakeHostObject<CHostModule>(context);
};
