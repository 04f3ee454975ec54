#include "profile/pages/PVPageBinding.h"

#include <new>

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlCmbDependStatic.h"
#include "profile/controls/PVCtrlCmbDependStaticPreset.h"
#include "profile/controls/PVCtrlConfigChkCmbBtnDependEditBox.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/controls/PVCtrlConfigComboBoxTot.h"
#include "profile/controls/PVCtrlConfigDependEditFloat.h"
#include "profile/controls/PVCtrlConfigEditFloat.h"
#include "profile/controls/PVCtrlConfigEditInteger.h"
#include "profile/controls/PVCtrlConfigStaticTextPages.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetEnum.h"
#include "profile/values/PVGetSetFloat.h"
#include "profile/values/PVGetSetFloat2.h"
#include "profile/values/PVGetSetLong.h"

namespace {

// A new value object, its first reference held by the caller's smart pointer.
template <class T> CComPtr<IPVGetSetValue> MakeValue(LPCWSTR member, IPVGetSetAdapter* adapter) {
    CComPtr<IPVGetSetValue> value;
    value.Attach(new (std::nothrow) T(member, adapter));
    return value;
}

// The float value class a row names: the first converter's or the second's.
CComPtr<IPVGetSetValue> MakeFloatValue(const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    return row.value == PVValue::Float2 ? MakeValue<CPVGetSetFloat2>(row.member, adapter)
                                        : MakeValue<CPVGetSetFloat>(row.member, adapter);
}

template <class T> T BuildDependentEdit(const CPVControlRow& row) {
    return T(row.item, row.follows[0], row.lowestSelection, row.highestSelection);
}

} // namespace

template <> CPVCtrlConfigDependEditFloat PVBuildControl(const CPVControlRow& row) {
    return BuildDependentEdit<CPVCtrlConfigDependEditFloat>(row);
}

template <> CPVCtrlConfigChkCmbBtnDependEditBox PVBuildControl(const CPVControlRow& row) {
    return BuildDependentEdit<CPVCtrlConfigChkCmbBtnDependEditBox>(row);
}

template <> CPVCtrlCmbDependStatic PVBuildControl(const CPVControlRow& row) {
    return CPVCtrlCmbDependStatic(row.item, row.follows[0]);
}

HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    return PVBind(box, row, adapter, nullptr);
}

// The totalizer page's controls. -------------------------------------------------

template <> CPVCtrlConfigComboBoxTot PVBuildControl<CPVCtrlConfigComboBoxTot>(const CPVControlRow& row) {
    return CPVCtrlConfigComboBoxTot(row.item, row.follows[0]);
}

template <>
CPVCtrlCmbDependStaticPreset PVBuildControl<CPVCtrlCmbDependStaticPreset>(const CPVControlRow& row) {
    return CPVCtrlCmbDependStaticPreset(row.item, row.follows[0], row.follows[1]);
}

HRESULT PVBind(CPVCtrlConfigComboBox& box, const CPVControlRow& row, IPVGetSetAdapter* adapter,
               CComPtr<IPVGetSetValue>* value) {
    const CComPtr<IPVGetSetValue> index = MakeValue<CPVGetSetEnum>(row.member, adapter);
    const CComPtr<IPVGetSetValue> strings = MakeValue<CPVGetEnumStrings>(row.member, adapter);
    if (value)
        *value = index;
    return box.Initialize(index, strings);
}

HRESULT PVBind(CPVCtrlConfigComboBoxTot& box, const CPVControlRow& row, IPVGetSetAdapter* adapter,
               IPVGetSetValue* assignment) {
    const CComPtr<IPVGetSetValue> unit = MakeValue<CPVGetSetEnum>(row.member, adapter);
    const CComPtr<IPVGetSetValue> strings = MakeValue<CPVGetEnumStrings>(row.member, adapter);
    return box.Initialize(unit, assignment, strings);
}

HRESULT PVBind(CPVCtrlCmbDependStaticPreset&, const CPVControlRow&, IPVGetSetAdapter*) {
    return S_OK;
}

HRESULT PVBind(CPVCtrlConfigEditInteger& box, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeValue<CPVGetSetLong>(row.member, adapter);
    return box.Initialize(value, static_cast<UINT>(row.textLimit), static_cast<UINT>(row.maskFlag));
}

HRESULT PVBind(CPVCtrlConfigEditFloat& box, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeFloatValue(row, adapter);
    return box.Initialize(value, static_cast<UINT>(row.textLimit), static_cast<UINT>(row.maskFlag),
                          static_cast<UINT>(row.decimals));
}

HRESULT PVBind(CPVCtrlConfigEditFloat2& box, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeFloatValue(row, adapter);
    return box.Initialize(value, static_cast<UINT>(row.textLimit), static_cast<UINT>(row.maskFlag),
                          static_cast<UINT>(row.decimals));
}

HRESULT PVBind(CPVCtrlConfigStaticTextPages& label, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    const CComPtr<IPVGetSetValue> value = MakeValue<CPVGetSetLong>(row.member, adapter);
    return label.Initialize(value, VT_I4);
}

HRESULT PVBind(CPVCtrlCmbDependStatic& label, const CPVControlRow& row, IPVGetSetAdapter* adapter) {
    CComPtr<IPVGetSetValue> units[3];
    const wchar_t* members[3] = {row.member, row.moreMembers[0], row.moreMembers[1]};
    for (int slot = 0; slot < 3; ++slot)
        if (members[slot])
            units[slot] = MakeValue<CPVGetSetLong>(members[slot], adapter);
    return label.Initialize(units[0], units[1], units[2], nullptr, nullptr, row.mode);
}
