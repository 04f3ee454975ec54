// A list of nodes (child nodes, or the result of a selection), taken as a snapshot
// when it is asked for; it keeps its nodes' tree and document alive.
#pragma once

#include <memory>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/com/RuntimeClass.h"
#include "platform/msxml/MsXml.h"

struct _xmlNode;
class CXmlTree;
class CDOMDocument;

class CDOMNodeList : public RuntimeClass<IXMLDOMNodeList> {
public:
    CDOMNodeList(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, std::vector<_xmlNode*> nodes);

    HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) override;
    HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) override;
    HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) override;
    HRESULT STDMETHODCALLTYPE reset() override;

private:
    ~CDOMNodeList() override;

    CDOMDocument* m_document; // kept alive by m_documentReference
    CComPtr<IXMLDOMDocument2> m_documentReference;
    std::shared_ptr<CXmlTree> m_tree;
    std::vector<_xmlNode*> m_nodes;
    size_t m_next = 0;
};
