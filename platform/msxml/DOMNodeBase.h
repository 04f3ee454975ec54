// What every DOM node object shares: its place in a tree and the behaviour of the
// IXMLDOMNode members. The COM shapes are added by CDOMNodeImpl; this class holds
// the state and does the work once for elements, attributes, other nodes and the
// document alike.
#pragma once

#include <memory>
#include <string>

#include "platform/com/ComPtr.h"
#include "platform/msxml/MsXml.h"

struct _xmlNode;
class CXmlTree;
class CDOMDocument;

// Lets a node recognise the stand-in's own nodes when one is handed back to it
// (appendChild, setAttributeNode, ...). Not part of the published DOM.
struct IXmlNodeAccess : IUnknown {
    static constexpr IID Iid{0x5d3c1f0e, 0x7a41, 0x4b8e, {0x9c, 0x27, 0x31, 0x6e, 0x0b, 0x5a, 0x84, 0xd2}};
    virtual _xmlNode* XmlNode() = 0;
    virtual CXmlTree* XmlTree() = 0;

protected:
    ~IXmlNodeAccess() = default;
};

class CDOMNodeBase {
public:
    // A counted object for `node`, answering `riid`; the right class for the node's type
    // (the document's own object for the document node of its current tree).
    static HRESULT Wrap(CDOMDocument* document, const std::shared_ptr<CXmlTree>& tree, _xmlNode* node,
                        REFIID riid, void** ppv);

protected:
    // `document` is the document object the node belongs to; a node holds a counted
    // reference on it unless it is that document itself.
    CDOMNodeBase(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node);
    ~CDOMNodeBase();

    HRESULT NodeName(BSTR* name);
    HRESULT NodeType(DOMNodeType* type);
    HRESULT ParentNode(IXMLDOMNode** parent);
    HRESULT ChildNodes(IXMLDOMNodeList** children);
    HRESULT FirstChild(IXMLDOMNode** child);
    HRESULT LastChild(IXMLDOMNode** child);
    HRESULT PreviousSibling(IXMLDOMNode** sibling);
    HRESULT NextSibling(IXMLDOMNode** sibling);
    HRESULT OwnerDocument(IXMLDOMDocument** document);
    HRESULT InsertBefore(IXMLDOMNode* newChild, const VARIANT& refChild, IXMLDOMNode** outNewChild);
    HRESULT RemoveChild(IXMLDOMNode* childNode, IXMLDOMNode** oldChild);
    HRESULT HasChildNodes(VARIANT_BOOL* hasChild);
    HRESULT Text(BSTR* text);
    HRESULT Xml(BSTR* xml);
    HRESULT SelectNodes(BSTR query, IXMLDOMNodeList** result);
    HRESULT SelectSingleNode(BSTR query, IXMLDOMNode** result);
    HRESULT NamespaceUri(BSTR* uri);
    HRESULT Prefix(BSTR* prefix);
    HRESULT BaseName(BSTR* name);

    // A node object of the same document for another node of this tree; S_FALSE and
    // null for a null node.
    HRESULT WrapRelated(_xmlNode* node, REFIID riid, void** ppv);
    // The stand-in's node behind an interface, when it lives in this node's tree.
    _xmlNode* NodeOfThisTree(IUnknown* object);
    // Replaces the node's children with one text node (none for empty text); the old
    // children stay alive for node objects that may still point at them.
    void ReplaceChildrenWithText(const std::string& utf8);
    // A value given as a VARIANT, as text (UTF-8); DISP_E_TYPEMISMATCH and the like
    // when it has no text form.
    static HRESULT VariantText(const VARIANT& value, std::string* utf8);
    // The name as UTF-8 when it is a valid element or attribute name (optionally with
    // one prefix); E_FAIL otherwise, E_INVALIDARG for null.
    static HRESULT CheckedName(BSTR name, std::string* utf8);

    CDOMDocument* m_document;                      // not owned here: see m_documentReference
    CComPtr<IXMLDOMDocument2> m_documentReference; // null in the document itself
    std::shared_ptr<CXmlTree> m_tree;
    _xmlNode* m_node;
};
