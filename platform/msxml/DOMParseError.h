// The reason the last load refused its text. Error codes: 0 after a successful load,
// E_FAIL for every refusal (the reason text tells them apart).
#pragma once

#include "platform/com/RuntimeClass.h"
#include "platform/msxml/MsXml.h"
#include "platform/msxml/XmlTree.h"

class CDOMParseError : public RuntimeClass<IXMLDOMParseError> {
public:
    explicit CDOMParseError(XmlParseFailure failure);

    HRESULT STDMETHODCALLTYPE get_errorCode(LONG* errorCode) override;
    HRESULT STDMETHODCALLTYPE get_reason(BSTR* reason) override;
    HRESULT STDMETHODCALLTYPE get_line(LONG* lineNumber) override;
    HRESULT STDMETHODCALLTYPE get_linepos(LONG* linePosition) override;

private:
    ~CDOMParseError() override = default;

    XmlParseFailure m_failure;
};
