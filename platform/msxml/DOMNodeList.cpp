#include "platform/msxml/DOMNodeList.h"

#include <utility>

#include "platform/msxml/DOMDocument.h"

CDOMNodeList::CDOMNodeList(CDOMDocument* document, std::shared_ptr<CXmlTree> tree,
                           std::vector<_xmlNode*> nodes)
    : m_document(document), m_documentReference(static_cast<IXMLDOMDocument2*>(document)),
      m_tree(std::move(tree)), m_nodes(std::move(nodes)) {}

CDOMNodeList::~CDOMNodeList() = default;

HRESULT STDMETHODCALLTYPE CDOMNodeList::get_item(LONG index, IXMLDOMNode** listItem) {
    if (!listItem)
        return E_INVALIDARG;
    *listItem = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_nodes.size())
        return S_FALSE;
    return CDOMNodeBase::Wrap(m_document, m_tree, m_nodes[static_cast<size_t>(index)], IXMLDOMNode::Iid,
                              reinterpret_cast<void**>(listItem));
}

HRESULT STDMETHODCALLTYPE CDOMNodeList::get_length(LONG* listLength) {
    if (!listLength)
        return E_INVALIDARG;
    *listLength = static_cast<LONG>(m_nodes.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMNodeList::nextNode(IXMLDOMNode** nextItem) {
    if (!nextItem)
        return E_INVALIDARG;
    *nextItem = nullptr;
    if (m_next >= m_nodes.size())
        return S_FALSE;
    return CDOMNodeBase::Wrap(m_document, m_tree, m_nodes[m_next++], IXMLDOMNode::Iid,
                              reinterpret_cast<void**>(nextItem));
}

HRESULT STDMETHODCALLTYPE CDOMNodeList::reset() {
    m_next = 0;
    return S_OK;
}
