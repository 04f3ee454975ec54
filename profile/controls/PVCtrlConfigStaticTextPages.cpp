#include "profile/controls/PVCtrlConfigStaticTextPages.h"

#include "profile/server/PVLog.h"

namespace {

struct DensityUnit {
    LONG code;
    LPCWSTR text;
};

// The device's density unit codes, in the order the label compares them.
constexpr DensityUnit kDensityUnits[] = {
    {12040, L"g/cm3"},          {2088, L"g/m3"},
    {2109, L"kg/dm3"},          {12048, L"kg/l"},
    {12039, L"kg/m3"},          {2204, L"SD4\u00B0C"},
    {2277, L"SD15\u00B0C"},     {2230, L"SD20\u00B0C"},
    {2228, L"SG4\u00B0C"},      {2226, L"SG15\u00B0C"},
    {2227, L"SG20\u00B0C"},     {12044, L"lb/ft3"},
    {12043, L"lb/gal (us)"},    {2174, L"lb/bbl (us;liq.)"},
    {2173, L"lb/bbl (us;beer)"}, {2175, L"lb/bbl (us;oil)"},
    {2176, L"lb/bbl (us;tank)"}, {2180, L"lb/bbl (imp)"},
    {2179, L"lb/gal (imp;oil)"},
};

constexpr LONG kMaxFloatDecimals = 9;

} // namespace

LPCWSTR CPVCtrlConfigStaticTextPages::DensityUnitText(LONG code) {
    for (const DensityUnit& unit : kDensityUnits)
        if (unit.code == code)
            return unit.text;
    return nullptr;
}

IPVGetSetValue* CPVCtrlConfigStaticTextPages::GetIPVGetSetValue() const {
    if (!m_spValue)
        PVLog(L"Invalid pointer to IPVGetSetValue");
    return m_spValue;
}

BOOL CPVCtrlConfigStaticTextPages::InitializationIsValid() {
    if (!m_hWnd) {
        PVLog(L"NULL window handler.");
        return FALSE;
    }
    if (!GetIPVGetSetValue()) {
        PVLog(L"Invalid interface IPVGetSetValue not initialized.");
        return FALSE;
    }
    switch (m_lValueType) {
    case VT_I4:
    case 0:
    case VT_R8:
        return TRUE;
    case VT_R4:
        if (m_lDecimals >= 0 && m_lDecimals <= kMaxFloatDecimals)
            return TRUE;
        PVLog(L"Invalid number of decimal places specified for RSLogix5000_Float data type.");
        return FALSE;
    default:
        PVLog(L"Invalid RSLogix data type for control.");
        return FALSE;
    }
}

HRESULT CPVCtrlConfigStaticTextPages::Initialize(IPVGetSetValue* value, VARTYPE type) {
    m_spValue = value;
    m_lValueType = type;
    if (!InitializationIsValid()) {
        PVLog(L"Fail to initialise.");
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CPVCtrlConfigStaticTextPages::Initialize(IPVGetSetValue* value, VARTYPE type, LONG decimals) {
    m_lDecimals = decimals;
    return Initialize(value, type);
}

HRESULT CPVCtrlConfigStaticTextPages::DoRefresh() {
    if (!InitializationIsValid()) {
        PVLog(L"Fail to initialise.");
        return E_FAIL;
    }
    LPCWSTR text = L" ";
    LONG code = 0;
    const HRESULT hr = m_spValue->GetValue(&code, nullptr);
    if (SUCCEEDED(hr) && m_nOwnId == kDensityUnitLabelId) {
        if (LPCWSTR unit = DensityUnitText(code))
            text = unit;
    }
    SetStaticWindowText(text);
    return hr;
}
