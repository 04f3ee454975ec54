#include "profile/pages/PVPageBinding.h"

#include <new>

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetEnum.h"

namespace {

// A new value object, its first reference held by the caller's smart pointer.
template <class T> CComPtr<IPVGetSetValue> MakeValue(LPCWSTR member, IPVGetSetAdapter* adapter) {
    CComPtr<IPVGetSetValue> value;
    value.Attach(new (std::nothrow) T(member, adapter));
    return value;
}

} // namespace

HRESULT PVBindEnumeration(CPVCtrlConfigComboBox& box, LPCWSTR member, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeValue<CPVGetSetEnum>(member, adapter);
    const CComPtr<IPVGetSetValue> strings = MakeValue<CPVGetEnumStrings>(member, adapter);
    return box.Initialize(value, strings);
}
