#include "platform/msxml/DOMElement.h"

#include <libxml/tree.h>

#include <utility>

#include "platform/base/TextCodec.h"
#include "platform/msxml/XmlTree.h"
#include "platform/msxml/XmlWriter.h"
#include "platform/oleaut/Bstr.h"

namespace {

bool IsDeclarationName(const std::string& name) {
    return name == "xmlns" || name.compare(0, 6, "xmlns:") == 0;
}

// Puts `attribute` (which has no owner) into the element's list: in place of
// `replaced` when given, else at the end.
void LinkAttribute(xmlNodePtr element, xmlAttrPtr attribute, xmlAttrPtr replaced) {
    attribute->parent = element;
    if (replaced) {
        attribute->prev = replaced->prev;
        attribute->next = replaced->next;
        if (replaced->prev)
            replaced->prev->next = attribute;
        else
            element->properties = attribute;
        if (replaced->next)
            replaced->next->prev = attribute;
        replaced->prev = replaced->next = nullptr;
        replaced->parent = nullptr;
        return;
    }
    attribute->next = nullptr;
    attribute->prev = nullptr;
    if (!element->properties) {
        element->properties = attribute;
        return;
    }
    xmlAttrPtr last = element->properties;
    while (last->next)
        last = last->next;
    last->next = attribute;
    attribute->prev = last;
}

} // namespace

CDOMElement::CDOMElement(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node)
    : CDOMNodeImpl(document, std::move(tree), node) {}

_xmlAttr* CDOMElement::FindAttribute(const std::string& name) const {
    for (xmlAttrPtr attribute = m_node->properties; attribute; attribute = attribute->next)
        if (CXmlWriter::QualifiedName(reinterpret_cast<xmlNodePtr>(attribute)) == name)
            return attribute;
    return nullptr;
}

bool CDOMElement::FindDeclaration(const std::string& name, std::string* uri) const {
    if (!IsDeclarationName(name))
        return false;
    const std::string prefix = name.size() > 6 ? name.substr(6) : "";
    for (xmlNsPtr declaration = m_node->nsDef; declaration; declaration = declaration->next) {
        const std::string declared =
            declaration->prefix ? reinterpret_cast<const char*>(declaration->prefix) : "";
        if (declared == prefix) {
            *uri = declaration->href ? reinterpret_cast<const char*>(declaration->href) : "";
            return true;
        }
    }
    return false;
}

HRESULT STDMETHODCALLTYPE CDOMElement::get_tagName(BSTR* tagName) {
    return NodeName(tagName);
}

HRESULT STDMETHODCALLTYPE CDOMElement::getAttribute(BSTR name, VARIANT* value) {
    if (!name || !value)
        return E_INVALIDARG;
    VariantInit(value);
    const std::string wanted = CTextCodec::ToUtf8(std::wstring(name, SysStringLen(name)));
    std::string text;
    if (xmlAttrPtr attribute = FindAttribute(wanted))
        text = CXmlWriter::AttributeValue(attribute);
    else if (!FindDeclaration(wanted, &text)) {
        value->vt = VT_NULL;
        return S_FALSE;
    }
    const std::wstring wide = CTextCodec::FromUtf8(text);
    value->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!value->bstrVal)
        return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMElement::setAttribute(BSTR name, VARIANT value) {
    std::string qualified;
    HRESULT hr = CheckedName(name, &qualified);
    if (FAILED(hr))
        return hr;
    // Declarations are made by the namespaces of nodes, not set as attributes here.
    if (IsDeclarationName(qualified))
        return E_INVALIDARG;
    std::string text;
    hr = VariantText(value, &text);
    if (FAILED(hr))
        return hr;
    xmlAttrPtr attribute = FindAttribute(qualified);
    if (!attribute) {
        attribute = xmlNewDocProp(m_node->doc, BAD_CAST qualified.c_str(), nullptr);
        if (!attribute)
            return E_OUTOFMEMORY;
        LinkAttribute(m_node, attribute, nullptr);
    }
    CComPtr<IXMLDOMNode> node;
    hr = WrapRelated(reinterpret_cast<xmlNodePtr>(attribute), IXMLDOMNode::Iid,
                     reinterpret_cast<void**>(&node));
    if (FAILED(hr))
        return hr;
    CComPtr<IXMLDOMAttribute> asAttribute;
    hr = node.QueryInterface(&asAttribute);
    if (FAILED(hr))
        return hr;
    VARIANT textValue;
    textValue.vt = VT_BSTR;
    const std::wstring wide = CTextCodec::FromUtf8(text);
    textValue.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!textValue.bstrVal)
        return E_OUTOFMEMORY;
    hr = asAttribute->put_value(textValue);
    VariantClear(&textValue);
    return hr;
}

HRESULT STDMETHODCALLTYPE CDOMElement::removeAttribute(BSTR name) {
    if (!name)
        return E_INVALIDARG;
    xmlAttrPtr attribute = FindAttribute(CTextCodec::ToUtf8(std::wstring(name, SysStringLen(name))));
    if (!attribute)
        return S_FALSE;
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(attribute));
    m_tree->KeepDetached(reinterpret_cast<xmlNodePtr>(attribute));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMElement::getAttributeNode(BSTR name, IXMLDOMAttribute** attributeNode) {
    if (!name || !attributeNode)
        return E_INVALIDARG;
    *attributeNode = nullptr;
    xmlAttrPtr attribute = FindAttribute(CTextCodec::ToUtf8(std::wstring(name, SysStringLen(name))));
    return WrapRelated(reinterpret_cast<xmlNodePtr>(attribute), IXMLDOMAttribute::Iid,
                       reinterpret_cast<void**>(attributeNode));
}

HRESULT STDMETHODCALLTYPE CDOMElement::setAttributeNode(IXMLDOMAttribute* domAttribute,
                                                        IXMLDOMAttribute** attributeNode) {
    if (attributeNode)
        *attributeNode = nullptr;
    if (!domAttribute)
        return E_INVALIDARG;
    xmlNodePtr node = NodeOfThisTree(domAttribute);
    if (!node || node->type != XML_ATTRIBUTE_NODE)
        return E_INVALIDARG;
    if (node->parent == m_node)
        return S_OK;
    // An attribute belongs to one element at a time.
    if (node->parent)
        return E_FAIL;
    xmlAttrPtr attribute = reinterpret_cast<xmlAttrPtr>(node);
    xmlAttrPtr replaced = FindAttribute(CXmlWriter::QualifiedName(node));
    m_tree->ForgetDetached(node);
    LinkAttribute(m_node, attribute, replaced);
    if (!replaced)
        return S_OK;
    m_tree->KeepDetached(reinterpret_cast<xmlNodePtr>(replaced));
    if (!attributeNode)
        return S_OK;
    return WrapRelated(reinterpret_cast<xmlNodePtr>(replaced), IXMLDOMAttribute::Iid,
                       reinterpret_cast<void**>(attributeNode));
}
