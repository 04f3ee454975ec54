// CPVCtrlConfigStaticTextPages: a label bound to an integer member. On the density
// unit label of the compensation page it shows the text of the density unit code the
// member holds; anywhere else it shows a blank.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlStatic.h"
#include "profile/values/IPVGetSetValue.h"

class CPVCtrlConfigStaticTextPages : public CPVCtrlStatic {
public:
    // The label that shows density units.
    static constexpr UINT kDensityUnitLabelId = 9023;

    explicit CPVCtrlConfigStaticTextPages(UINT dialogItemId)
        : CPVCtrlStatic(dialogItemId), m_nOwnId(dialogItemId) {}

    // E_FAIL (logged) when the binding is not valid.
    HRESULT Initialize(IPVGetSetValue* value, VARTYPE type);
    HRESULT Initialize(IPVGetSetValue* value, VARTYPE type, LONG decimals);
    // A window, a value object, and VT_I4, 0 or VT_R8, or VT_R4 with 0 to 9 decimals.
    BOOL InitializationIsValid();
    // Reads the member and shows its unit text.
    HRESULT DoRefresh();

    HRESULT STDMETHODCALLTYPE OnActivate() override { return DoRefresh(); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return DoRefresh(); }

    // The density unit text of `code`, or null when the table lacks it.
    static LPCWSTR DensityUnitText(LONG code);

private:
    IPVGetSetValue* GetIPVGetSetValue() const;

    CComPtr<IPVGetSetValue> m_spValue;
    LONG m_lValueType = -1; // a VARTYPE, -1 until bound
    LONG m_lDecimals = -1;
    UINT m_nOwnId;
};
