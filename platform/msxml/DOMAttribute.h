// An attribute node: free-standing after createAttribute, or on an element.
#pragma once

#include "platform/msxml/DOMNodeImpl.h"

class CDOMAttribute : public CDOMNodeImpl<IXMLDOMAttribute> {
public:
    CDOMAttribute(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node);

    HRESULT STDMETHODCALLTYPE get_name(BSTR* attributeName) override;
    HRESULT STDMETHODCALLTYPE get_value(VARIANT* attributeValue) override;
    HRESULT STDMETHODCALLTYPE put_value(VARIANT attributeValue) override;
};
