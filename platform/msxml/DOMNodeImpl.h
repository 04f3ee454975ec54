// The COM shape shared by every DOM node object: reference counting, interface lookup
// and the IXMLDOMNode members, forwarded to CDOMNodeBase. `Interface` is the node's
// most derived DOM interface (IXMLDOMElement, IXMLDOMAttribute, IXMLDOMDocument2, ...),
// `Between` the interfaces between it and IXMLDOMNode, answered with it.
#pragma once

#include "platform/com/RuntimeClass.h"
#include "platform/msxml/DOMNodeBase.h"

template <class Interface, class... Between>
class CDOMNodeImpl : public RuntimeClass<Chain<Interface, Between..., IXMLDOMNode>, IXmlNodeAccess>,
                     protected CDOMNodeBase {
public:
    _xmlNode* XmlNode() override { return m_node; }
    CXmlTree* XmlTree() override { return m_tree.get(); }

    HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) override { return NodeName(name); }
    HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) override { return NodeType(type); }
    HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode** parent) override { return ParentNode(parent); }
    HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** children) override {
        return ChildNodes(children);
    }
    HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode** child) override { return FirstChild(child); }
    HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode** child) override { return LastChild(child); }
    HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode** sibling) override {
        return PreviousSibling(sibling);
    }
    HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode** sibling) override { return NextSibling(sibling); }
    HRESULT STDMETHODCALLTYPE get_ownerDocument(IXMLDOMDocument** document) override {
        return OwnerDocument(document);
    }
    HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode* newChild, VARIANT refChild,
                                           IXMLDOMNode** outNewChild) override {
        return InsertBefore(newChild, refChild, outNewChild);
    }
    HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode* childNode, IXMLDOMNode** oldChild) override {
        return RemoveChild(childNode, oldChild);
    }
    HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override {
        VARIANT end;
        end.vt = VT_EMPTY;
        return InsertBefore(newChild, end, outNewChild);
    }
    HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* hasChild) override {
        return HasChildNodes(hasChild);
    }
    HRESULT STDMETHODCALLTYPE get_text(BSTR* text) override { return Text(text); }
    HRESULT STDMETHODCALLTYPE get_xml(BSTR* xml) override { return Xml(xml); }
    HRESULT STDMETHODCALLTYPE selectNodes(BSTR query, IXMLDOMNodeList** result) override {
        return SelectNodes(query, result);
    }
    HRESULT STDMETHODCALLTYPE selectSingleNode(BSTR query, IXMLDOMNode** result) override {
        return SelectSingleNode(query, result);
    }
    HRESULT STDMETHODCALLTYPE get_namespaceURI(BSTR* uri) override { return NamespaceUri(uri); }
    HRESULT STDMETHODCALLTYPE get_prefix(BSTR* prefix) override { return Prefix(prefix); }
    HRESULT STDMETHODCALLTYPE get_baseName(BSTR* name) override { return BaseName(name); }

protected:
    using CDOMNodeBase::CDOMNodeBase;
    ~CDOMNodeImpl() override = default;
};
