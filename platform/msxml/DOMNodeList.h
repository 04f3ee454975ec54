// A list of nodes (child nodes, or the result of a selection), taken as a snapshot
// when it is asked for; it keeps its nodes' tree and document alive.
#pragma once

#include <memory>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/msxml/MsXml.h"

struct _xmlNode;
class CXmlTree;
class CDOMDocument;

class CDOMNodeList : public IXMLDOMNodeList {
public:
    CDOMNodeList(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, std::vector<_xmlNode*> nodes);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) override;
    HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) override;
    HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) override;
    HRESULT STDMETHODCALLTYPE reset() override;

private:
    virtual ~CDOMNodeList();

    LONG m_references = 1;
    CDOMDocument* m_document; // kept alive by m_documentReference
    CComPtr<IXMLDOMDocument2> m_documentReference;
    std::shared_ptr<CXmlTree> m_tree;
    std::vector<_xmlNode*> m_nodes;
    size_t m_next = 0;
};
