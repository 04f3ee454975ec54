#include "profile/panel/DOMUtility.h"

#include <cwchar>

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/VariantT.h"
#include "profile/server/PVLog.h"

bool DOMUtility::GetStringAttribute(IXMLDOMElement* element, const wchar_t* name, CString& text) {
    if (!element || !name)
        return false;
    _variant_t value;
    if (FAILED(element->getAttribute(_bstr_t(name).GetBSTR(), &value))) {
        PVLog(L"Failed to get string attribute.");
        return false;
    }
    // An absent attribute comes back as VT_NULL, which no conversion turns into text.
    _variant_t asText;
    if (FAILED(VariantChangeType(&asText, &value, 0, VT_BSTR)))
        return false;
    text =
        asText.bstrVal ? CString(asText.bstrVal, static_cast<int>(SysStringLen(asText.bstrVal))) : CString();
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
