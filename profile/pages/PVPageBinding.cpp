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

HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeValue<CPVGetSetEnum>(row.member, adapter);
    const CComPtr<IPVGetSetValue> strings = MakeValue<CPVGetEnumStrings>(row.member, adapter);
    return box.Initialize(value, strings);
}
