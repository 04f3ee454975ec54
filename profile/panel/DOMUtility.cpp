#include "profile/panel/DOMUtility.h"

#include <cwchar>

#include "platform/oleaut/Bstr.h"
#include "profile/server/PVLog.h"

bool DOMUtility::GetStringAttribute(IXMLDOMElement* element, const wchar_t* name, CString& text) {
    if (!element || !name)
        return false;
    BSTR attributeName = SysAllocString(name);
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = element->getAttribute(attributeName, &value);
    SysFreeString(attributeName);
    if (FAILED(hr)) {
        PVLog(L"Failed to get string attribute.");
        VariantClear(&value);
        return false;
    }
    // An absent attribute comes back as VT_NULL, which no conversion turns into text.
    VARIANT asText;
    VariantInit(&asText);
    const HRESULT converted = VariantChangeType(&asText, &value, 0, VT_BSTR);
    VariantClear(&value);
    if (FAILED(converted)) {
        VariantClear(&asText);
        return false;
    }
    text =
        asText.bstrVal ? CString(asText.bstrVal, static_cast<int>(SysStringLen(asText.bstrVal))) : CString();
    VariantClear(&asText);
    return true;
}

bool DOMUtility::GetLongAttribute(IXMLDOMElement* element, const wchar_t* name, LONG& value) {
    CString text;
    if (!GetStringAttribute(element, name, text))
        return false;
    int scanned = 0;
    if (std::swscanf(text.GetString(), L"%d", &scanned) != 1) {
        PVLog(L"Failed to parse attribute value.");
        return false;
    }
    value = static_cast<LONG>(scanned);
    return true;
}
