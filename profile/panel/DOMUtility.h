// Reading attributes of the extended-info and sub-items XML.
#pragma once

#include "platform/mfc/String.h"
#include "platform/msxml/MsXml.h"

class DOMUtility {
public:
    // False for an absent attribute (without a log line) and for a failing read.
    static bool GetStringAttribute(IXMLDOMElement* element, const wchar_t* name, CString& text);
    // The attribute scanned as a decimal integer; false when absent or not a number.
    static bool GetLongAttribute(IXMLDOMElement* element, const wchar_t* name, LONG& value);
};
