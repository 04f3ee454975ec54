#include "profile/values/PVValueForcing.h"

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/VariantT.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/PVLog.h"
#include "profile/server/StringServerWrapper.h"
#include "profile/values/IPVGetValueForcing.h"

namespace {

// The string server's id of the tooltip format; its insert %1 is the forced value.
constexpr LONG ForceArrowTooltipFormatId = 33;

CComPtr<IPVGetValueForcing> ForcingOf(IPVGetSetValue* value) {
    CComPtr<IPVGetValueForcing> forcing;
    if (value)
        value->QueryInterface(&forcing);
    return forcing;
}

} // namespace

CPVValueForcing::CPVValueForcing(IPVGetSetValue* value) : m_spIPVGetSetValue(value) {}

int CPVValueForcing::GetForcingState() {
    CComPtr<IPVGetValueForcing> forcing = ForcingOf(m_spIPVGetSetValue);
    bool forced = false;
    if (!forcing || FAILED(forcing->GetIsForced(&forced)) || !forced)
        return 0;
    bool enabled = false;
    return SUCCEEDED(forcing->GetForcesEnabled(&enabled)) && enabled ? 2 : 1;
}

bool CPVValueForcing::IsForcingSupported() {
    CComPtr<IPVGetValueForcing> forcing = ForcingOf(m_spIPVGetSetValue);
    bool supported = false;
    return forcing && SUCCEEDED(forcing->GetIsForcingSupported(&supported)) && supported;
}

bool CPVValueForcing::GetForcesEnabled() {
    CComPtr<IPVGetValueForcing> forcing = ForcingOf(m_spIPVGetSetValue);
    bool enabled = false;
    return forcing && SUCCEEDED(forcing->GetForcesEnabled(&enabled)) && enabled;
}

bool CPVValueForcing::GetIsForced() {
    CComPtr<IPVGetValueForcing> forcing = ForcingOf(m_spIPVGetSetValue);
    bool forced = false;
    return forcing && SUCCEEDED(forcing->GetIsForced(&forced)) && forced;
}

VARIANT CPVValueForcing::GetForcedValue() {
    _variant_t value;
    CComPtr<IPVGetValueForcing> forcing = ForcingOf(m_spIPVGetSetValue);
    if (forcing && FAILED(forcing->GetForcedValue(&value)))
        value.Clear();
    return value.Detach();
}

CString CPVValueForcing::GetTooltipText() {
    if (GetForcingState() != 2)
        return CString();
    CStringServerWrapper strings;
    if (FAILED(strings.Create(CLSID_PVStringServer))) {
        PVLog(L"Failed to create string server.");
        return CString();
    }
    const CString format = strings.GetString(ForceArrowTooltipFormatId);
    if (format.IsEmpty()) {
        PVLog(L"Failed to load force arrow tooltip format string");
        return CString();
    }
    VARIANT given = GetForcedValue();
    const _variant_t forced(given, false);
    CString valueText;
    bool converted = true;
    if (forced.vt == VT_BOOL) {
        valueText = forced.boolVal == VARIANT_TRUE ? L"1" : L"0";
    } else {
        _variant_t text;
        converted = SUCCEEDED(VariantChangeType(&text, &forced, 0, VT_BSTR));
        if (converted) {
            valueText = CString(text.bstrVal, static_cast<int>(SysStringLen(text.bstrVal)));
            valueText.Trim(L" \t");
        }
    }
    if (!converted)
        return CString();
    CString tooltip;
    tooltip.FormatMessage(format, valueText.GetString());
    return tooltip;
}
