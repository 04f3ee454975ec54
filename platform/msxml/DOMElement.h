// An element node with its attribute members.
#pragma once

#include <string>

#include "platform/msxml/DOMNodeImpl.h"

struct _xmlAttr;

class CDOMElement : public CDOMNodeImpl<IXMLDOMElement> {
public:
    CDOMElement(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node);

    HRESULT STDMETHODCALLTYPE get_tagName(BSTR* tagName) override;
    HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value) override;
    HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name) override;
    HRESULT STDMETHODCALLTYPE getAttributeNode(BSTR name, IXMLDOMAttribute** attributeNode) override;
    HRESULT STDMETHODCALLTYPE setAttributeNode(IXMLDOMAttribute* domAttribute,
                                               IXMLDOMAttribute** attributeNode) override;

private:
    // The attribute whose qualified name is `name`, or null.
    _xmlAttr* FindAttribute(const std::string& name) const;
    // The URI a namespace declaration written as attribute `name` ("xmlns", "xmlns:p")
    // on this element gives; false when there is none.
    bool FindDeclaration(const std::string& name, std::string* uri) const;
};
