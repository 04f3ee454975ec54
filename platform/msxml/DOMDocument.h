// The document object behind CLSID_DOMDocument60. Its properties (white space,
// selection namespaces and language) outlive each load; every load replaces the tree,
// while node objects from an earlier tree keep that tree.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/msxml/DOMNodeImpl.h"
#include "platform/msxml/XmlTree.h"

class CDOMDocument : public CDOMNodeImpl<IXMLDOMDocument2, IXMLDOMDocument> {
public:
    CDOMDocument();

    HRESULT STDMETHODCALLTYPE get_documentElement(IXMLDOMElement** element) override;
    HRESULT STDMETHODCALLTYPE createElement(BSTR tagName, IXMLDOMElement** element) override;
    HRESULT STDMETHODCALLTYPE createTextNode(BSTR data, IXMLDOMNode** text) override;
    HRESULT STDMETHODCALLTYPE createAttribute(BSTR name, IXMLDOMAttribute** attribute) override;
    HRESULT STDMETHODCALLTYPE loadXML(BSTR bstrXML, VARIANT_BOOL* isSuccessful) override;
    HRESULT STDMETHODCALLTYPE get_parseError(IXMLDOMParseError** errorObj) override;
    HRESULT STDMETHODCALLTYPE get_preserveWhiteSpace(VARIANT_BOOL* preserve) override;
    HRESULT STDMETHODCALLTYPE put_preserveWhiteSpace(VARIANT_BOOL preserve) override;
    HRESULT STDMETHODCALLTYPE setProperty(BSTR name, VARIANT value) override;
    HRESULT STDMETHODCALLTYPE getProperty(BSTR name, VARIANT* value) override;

    // Prefix and URI pairs that XPath queries on this document's nodes may use.
    const std::vector<std::pair<std::string, std::string>>& SelectionNamespaces() const {
        return m_namespaces;
    }
    bool PreserveWhiteSpace() const { return m_preserveWhiteSpace; }
    // The tree the document shows now (node objects may hold earlier ones).
    const std::shared_ptr<CXmlTree>& CurrentTree() const { return m_tree; }

    // How many document objects exist now (for tests of reference counting).
    static LONG LiveCount();

private:
    ~CDOMDocument() override;
    void ShowTree(std::shared_ptr<CXmlTree> tree);
    // A free-standing node just made for this tree, as a counted object.
    HRESULT WrapCreated(_xmlNode* node, REFIID riid, void** ppv);

    bool m_preserveWhiteSpace = false;
    std::wstring m_namespacesText;
    std::vector<std::pair<std::string, std::string>> m_namespaces;
    XmlParseFailure m_lastFailure;
};
