#include "platform/msxml/DOMNodeBase.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <utility>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/msxml/DOMAttribute.h"
#include "platform/msxml/DOMDocument.h"
#include "platform/msxml/DOMElement.h"
#include "platform/msxml/DOMNode.h"
#include "platform/msxml/DOMNodeList.h"
#include "platform/msxml/XmlTree.h"
#include "platform/msxml/XmlWriter.h"
#include "platform/oleaut/Bstr.h"

namespace {

HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (!out)
        return E_INVALIDARG;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerUtf8(const std::string& text, BSTR* out) {
    return Answer(CTextCodec::FromUtf8(text), out);
}

std::string Str(const xmlChar* text) {
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool IsXmlSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring Trimmed(const std::wstring& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsXmlSpace(text[begin]))
        ++begin;
    while (end > begin && IsXmlSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool CanHaveChildren(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE;
}

bool CanBeChild(const xmlNode* node) {
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
    case XML_ENTITY_REF_NODE:
        return true;
    default:
        return false;
    }
}

bool IsSelfOrAncestor(const xmlNode* candidate, const xmlNode* node) {
    // Only a node with children can be an ancestor: building a deep tree downwards stays linear.
    if (!candidate->children)
        return candidate == node;
    for (; node; node = node->parent)
        if (node == candidate)
            return true;
    return false;
}

// Links a node that has no parent under `parent`, before `before` (null: at the end).
// Done by hand: libxml2's own calls merge adjacent text nodes and free one of them,
// which would leave a node object pointing at freed memory.
void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before) {
    child->parent = parent;
    if (before) {
        child->next = before;
        child->prev = before->prev;
        if (before->prev)
            before->prev->next = child;
        else
            parent->children = child;
        before->prev = child;
    } else {
        child->next = nullptr;
        child->prev = parent->last;
        if (parent->last)
            parent->last->next = child;
        else
            parent->children = child;
        parent->last = child;
    }
}

// XPath errors are answered as E_FAIL; libxml2 is kept from printing them.
void IgnoreXPathError(void*, xmlErrorPtr) {}

} // namespace

CDOMNodeBase::CDOMNodeBase(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node)
    : m_document(document), m_tree(std::move(tree)), m_node(node) {
    if (node && node->type != XML_DOCUMENT_NODE)
        m_documentReference = static_cast<IXMLDOMDocument2*>(document);
}

CDOMNodeBase::~CDOMNodeBase() = default;

HRESULT CDOMNodeBase::Wrap(CDOMDocument* document, const std::shared_ptr<CXmlTree>& tree, _xmlNode* node,
                           REFIID riid, void** ppv) {
    if (!ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    if (!node)
        return S_FALSE;
    if (node->type == XML_DOCUMENT_NODE) {
        // The document node is the document object itself, as long as it shows that tree.
        if (document->CurrentTree() != tree)
            return S_FALSE;
        return document->QueryInterface(riid, ppv);
    }
    CComPtr<IUnknown> object;
    switch (node->type) {
    case XML_ELEMENT_NODE:
        object.Attach(static_cast<IXMLDOMElement*>(new CDOMElement(document, tree, node)));
        break;
    case XML_ATTRIBUTE_NODE:
        object.Attach(static_cast<IXMLDOMAttribute*>(new CDOMAttribute(document, tree, node)));
        break;
    default:
        object.Attach(static_cast<IXMLDOMNode*>(new CDOMNode(document, tree, node)));
        break;
    }
    return object->QueryInterface(riid, ppv);
}

HRESULT CDOMNodeBase::WrapRelated(_xmlNode* node, REFIID riid, void** ppv) {
    return Wrap(m_document, m_tree, node, riid, ppv);
}

_xmlNode* CDOMNodeBase::NodeOfThisTree(IUnknown* object) {
    if (!object)
        return nullptr;
    CComPtr<IXmlNodeAccess> access;
    if (FAILED(object->QueryInterface(IXmlNodeAccess::Iid, reinterpret_cast<void**>(&access))))
        return nullptr;
    return access->XmlTree() == m_tree.get() ? access->XmlNode() : nullptr;
}

HRESULT CDOMNodeBase::NodeName(BSTR* name) {
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return AnswerUtf8(CXmlWriter::QualifiedName(m_node), name);
    case XML_TEXT_NODE:
        return Answer(L"#text", name);
    case XML_CDATA_SECTION_NODE:
        return Answer(L"#cdata-section", name);
    case XML_COMMENT_NODE:
        return Answer(L"#comment", name);
    case XML_DOCUMENT_NODE:
        return Answer(L"#document", name);
    case XML_DOCUMENT_FRAG_NODE:
        return Answer(L"#document-fragment", name);
    default:
        return AnswerUtf8(Str(m_node->name), name);
    }
}

HRESULT CDOMNodeBase::NodeType(DOMNodeType* type) {
    if (!type)
        return E_INVALIDARG;
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
        *type = NODE_ELEMENT;
        break;
    case XML_ATTRIBUTE_NODE:
        *type = NODE_ATTRIBUTE;
        break;
    case XML_TEXT_NODE:
        *type = NODE_TEXT;
        break;
    case XML_CDATA_SECTION_NODE:
        *type = NODE_CDATA_SECTION;
        break;
    case XML_ENTITY_REF_NODE:
        *type = NODE_ENTITY_REFERENCE;
        break;
    case XML_PI_NODE:
        *type = NODE_PROCESSING_INSTRUCTION;
        break;
    case XML_COMMENT_NODE:
        *type = NODE_COMMENT;
        break;
    case XML_DOCUMENT_NODE:
        *type = NODE_DOCUMENT;
        break;
    case XML_DOCUMENT_FRAG_NODE:
        *type = NODE_DOCUMENT_FRAGMENT;
        break;
    default:
        *type = NODE_INVALID;
        break;
    }
    return S_OK;
}

HRESULT CDOMNodeBase::ParentNode(IXMLDOMNode** parent) {
    if (!parent)
        return E_INVALIDARG;
    // An attribute has an owner element, not a parent.
    if (m_node->type == XML_ATTRIBUTE_NODE) {
        *parent = nullptr;
        return S_FALSE;
    }
    return WrapRelated(m_node->parent, IXMLDOMNode::Iid, reinterpret_cast<void**>(parent));
}

HRESULT CDOMNodeBase::ChildNodes(IXMLDOMNodeList** children) {
    if (!children)
        return E_INVALIDARG;
    std::vector<xmlNodePtr> nodes;
    for (xmlNodePtr child = m_node->children; child; child = child->next)
        nodes.push_back(child);
    *children = new CDOMNodeList(m_document, m_tree, std::move(nodes));
    return S_OK;
}

HRESULT CDOMNodeBase::FirstChild(IXMLDOMNode** child) {
    return WrapRelated(m_node->children, IXMLDOMNode::Iid, reinterpret_cast<void**>(child));
}

HRESULT CDOMNodeBase::LastChild(IXMLDOMNode** child) {
    return WrapRelated(m_node->last, IXMLDOMNode::Iid, reinterpret_cast<void**>(child));
}

HRESULT CDOMNodeBase::PreviousSibling(IXMLDOMNode** sibling) {
    const bool attribute = m_node->type == XML_ATTRIBUTE_NODE;
    return WrapRelated(attribute ? nullptr : m_node->prev, IXMLDOMNode::Iid,
                       reinterpret_cast<void**>(sibling));
}

HRESULT CDOMNodeBase::NextSibling(IXMLDOMNode** sibling) {
    const bool attribute = m_node->type == XML_ATTRIBUTE_NODE;
    return WrapRelated(attribute ? nullptr : m_node->next, IXMLDOMNode::Iid,
                       reinterpret_cast<void**>(sibling));
}

HRESULT CDOMNodeBase::OwnerDocument(IXMLDOMDocument** document) {
    if (!document)
        return E_INVALIDARG;
    *document = nullptr;
    if (m_node->type == XML_DOCUMENT_NODE)
        return S_FALSE;
    return m_document->QueryInterface(IXMLDOMDocument::Iid, reinterpret_cast<void**>(document));
}

HRESULT CDOMNodeBase::InsertBefore(IXMLDOMNode* newChild, const VARIANT& refChild,
                                   IXMLDOMNode** outNewChild) {
    if (outNewChild)
        *outNewChild = nullptr;
    if (!newChild)
        return E_INVALIDARG;
    xmlNodePtr child = NodeOfThisTree(newChild);
    if (!child)
        return E_INVALIDARG;
    xmlNodePtr before = nullptr;
    if (refChild.vt == VT_UNKNOWN || refChild.vt == VT_DISPATCH) {
        before = NodeOfThisTree(refChild.punkVal);
        if (!before || before->parent != m_node)
            return E_INVALIDARG;
    } else if (refChild.vt != VT_EMPTY && refChild.vt != VT_NULL) {
        return E_INVALIDARG;
    }
    if (!CanHaveChildren(m_node) || !CanBeChild(child) || IsSelfOrAncestor(child, m_node))
        return E_FAIL;
    if (m_node->type == XML_DOCUMENT_NODE) {
        // A document holds one element and no text.
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            return E_FAIL;
        const xmlNodePtr root = xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(m_node));
        if (child->type == XML_ELEMENT_NODE && root && root != child)
            return E_FAIL;
    }
    if (child != before) {
        if (child->parent) {
            xmlUnlinkNode(child);
        } else {
            m_tree->ForgetDetached(child);
        }
        LinkChild(m_node, child, before);
    }
    if (!outNewChild)
        return S_OK;
    return WrapRelated(child, IXMLDOMNode::Iid, reinterpret_cast<void**>(outNewChild));
}

HRESULT CDOMNodeBase::RemoveChild(IXMLDOMNode* childNode, IXMLDOMNode** oldChild) {
    if (oldChild)
        *oldChild = nullptr;
    xmlNodePtr child = NodeOfThisTree(childNode);
    if (!child || child->parent != m_node || child->type == XML_ATTRIBUTE_NODE)
        return E_INVALIDARG;
    xmlUnlinkNode(child);
    m_tree->KeepDetached(child);
    if (!oldChild)
        return S_OK;
    return WrapRelated(child, IXMLDOMNode::Iid, reinterpret_cast<void**>(oldChild));
}

HRESULT CDOMNodeBase::HasChildNodes(VARIANT_BOOL* hasChild) {
    if (!hasChild)
        return E_INVALIDARG;
    *hasChild = m_node->children ? VARIANT_TRUE : VARIANT_FALSE;
    return m_node->children ? S_OK : S_FALSE;
}

HRESULT CDOMNodeBase::Text(BSTR* text) {
    std::wstring value = CTextCodec::FromUtf8(CXmlWriter::TextOf(m_node));
    const bool container = m_node->type == XML_ELEMENT_NODE || m_node->type == XML_DOCUMENT_NODE;
    if (container && !m_document->PreserveWhiteSpace())
        value = Trimmed(value);
    return Answer(value, text);
}

HRESULT CDOMNodeBase::Xml(BSTR* xml) {
    if (m_node->type == XML_DOCUMENT_NODE)
        return Answer(CXmlWriter::DocumentXml(*m_tree), xml);
    return Answer(CXmlWriter::NodeXml(m_node), xml);
}

HRESULT CDOMNodeBase::SelectNodes(BSTR query, IXMLDOMNodeList** result) {
    if (!result)
        return E_INVALIDARG;
    *result = nullptr;
    if (!query)
        return E_INVALIDARG;
    xmlXPathContextPtr context = xmlXPathNewContext(reinterpret_cast<xmlDocPtr>(m_node->doc));
    if (!context)
        return E_OUTOFMEMORY;
    context->node = m_node;
    context->error = IgnoreXPathError;
    for (const auto& [prefix, uri] : m_document->SelectionNamespaces())
        xmlXPathRegisterNs(context, BAD_CAST prefix.c_str(), BAD_CAST uri.c_str());
    const std::string expression = CTextCodec::ToUtf8(std::wstring(query, SysStringLen(query)));
    xmlXPathObjectPtr found = xmlXPathEvalExpression(BAD_CAST expression.c_str(), context);
    HRESULT hr = E_FAIL;
    // A query must give nodes: an expression of another type is as wrong as a bad one.
    if (found && found->type == XPATH_NODESET) {
        std::vector<xmlNodePtr> nodes;
        if (found->nodesetval) {
            for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
                xmlNodePtr node = found->nodesetval->nodeTab[i];
                if (node->type != XML_NAMESPACE_DECL)
                    nodes.push_back(node);
            }
        }
        *result = new CDOMNodeList(m_document, m_tree, std::move(nodes));
        hr = S_OK;
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    return hr;
}

HRESULT CDOMNodeBase::SelectSingleNode(BSTR query, IXMLDOMNode** result) {
    if (!result)
        return E_INVALIDARG;
    *result = nullptr;
    CComPtr<IXMLDOMNodeList> list;
    HRESULT hr = SelectNodes(query, &list);
    if (FAILED(hr))
        return hr;
    hr = list->get_item(0, result);
    return hr;
}

HRESULT CDOMNodeBase::NamespaceUri(BSTR* uri) {
    const bool named = m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE;
    return AnswerUtf8(named && m_node->ns ? Str(m_node->ns->href) : "", uri);
}

HRESULT CDOMNodeBase::Prefix(BSTR* prefix) {
    const bool named = m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE;
    return AnswerUtf8(named && m_node->ns ? Str(m_node->ns->prefix) : "", prefix);
}

HRESULT CDOMNodeBase::BaseName(BSTR* name) {
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_PI_NODE:
    case XML_ENTITY_REF_NODE: {
        // A name created with a prefix but no namespace keeps the prefix in its name.
        const std::string full = Str(m_node->name);
        const size_t colon = full.find(':');
        return AnswerUtf8(colon == std::string::npos ? full : full.substr(colon + 1), name);
    }
    default:
        return Answer(L"", name);
    }
}

void CDOMNodeBase::ReplaceChildrenWithText(const std::string& utf8) {
    while (xmlNodePtr child = m_node->children) {
        xmlUnlinkNode(child);
        m_tree->KeepDetached(child);
    }
    if (utf8.empty())
        return;
    xmlNodePtr text = xmlNewDocTextLen(m_node->doc, BAD_CAST utf8.data(), static_cast<int>(utf8.size()));
    if (text)
        LinkChild(m_node, text, nullptr);
}

HRESULT CDOMNodeBase::VariantText(const VARIANT& value, std::string* utf8) {
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, &value, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    *utf8 = CTextCodec::ToUtf8(std::wstring(text.bstrVal, SysStringLen(text.bstrVal)));
    VariantClear(&text);
    return S_OK;
}

HRESULT CDOMNodeBase::CheckedName(BSTR name, std::string* utf8) {
    if (!name)
        return E_INVALIDARG;
    *utf8 = CTextCodec::ToUtf8(std::wstring(name, SysStringLen(name)));
    if (utf8->empty() || utf8->find('\0') != std::string::npos ||
        xmlValidateQName(BAD_CAST utf8->c_str(), 0) != 0)
        return E_FAIL;
    return S_OK;
}
