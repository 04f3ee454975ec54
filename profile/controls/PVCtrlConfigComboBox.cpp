#include "profile/controls/PVCtrlConfigComboBox.h"

#include <algorithm>

#include "platform/gdi/SystemMetrics.h"

BOOL CPVCtrlConfigComboBox::InitializationIsValid() {
    return FirstValidity(m_spValue && m_spValue->InitializationIsValid() == S_OK && m_spStrings);
}

HRESULT CPVCtrlConfigComboBox::Initialize(IPVGetSetValue* value, IPVGetSetValue* strings,
                                          IUnknown* condition) {
    m_spValue = value;
    m_spStrings = strings;
    m_spCondition = condition;
    if (!InitializationIsValid())
        return E_FAIL;
    ResetContent();
    AppendStrings(m_spStrings);
    return S_OK;
}

HRESULT CPVCtrlConfigComboBox::LoadValue() {
    if (!IsBindingValid())
        return E_FAIL;
    LONG index = -1;
    const HRESULT hr = m_spValue->GetValue(&index, nullptr);
    if (FAILED(hr))
        return E_FAIL;
    SelectQuietly(static_cast<int>(index));
    return hr;
}

HRESULT CPVCtrlConfigComboBox::SaveValue() {
    if (!IsBindingValid())
        return E_FAIL;
    return FAILED(m_spValue->SetValue(static_cast<LONG>(GetCurSel()), nullptr)) ? E_FAIL : S_OK;
}

void CPVCtrlConfigComboBox::SizeDroppedList() {
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const int height = 2 * edgeY + 2 + GetItemHeight(0) * std::min(GetCount(), kVisibleItems);
    RECT client{};
    GetClientRect(&client);
    const int width = std::max<int>(WidestItemWidth() + 2 * (edgeX + 1), client.right - client.left);
    ApplyDroppedSize(height, width);
}
