// One parsed (or empty) libxml2 document and every node created for it that is not
// linked into it. Nodes handed out as COM objects point into a tree and keep it alive,
// so a node stays valid after its document has loaded other text or dropped it.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>

#include "platform/base/WinTypes.h"

struct _xmlDoc;
struct _xmlNode;

// Why a text was refused, as the parse error object reports it.
struct XmlParseFailure {
    LONG code = 0;
    std::wstring reason;
    LONG line = 0;
    LONG linePosition = 0;
};

class CXmlTree {
public:
    // An empty document.
    CXmlTree();
    ~CXmlTree();
    CXmlTree(const CXmlTree&) = delete;
    CXmlTree& operator=(const CXmlTree&) = delete;

    // Parses without the network, without loading or expanding entities and without a
    // document type (a DOCTYPE refuses the text, as the 6.0 parser's default does);
    // nesting beyond the parser's depth limit refuses it too. Whitespace-only text
    // nodes are dropped unless preserveWhiteSpace (or xml:space="preserve") keeps them.
    static std::shared_ptr<CXmlTree> Parse(const wchar_t* text, size_t length, bool preserveWhiteSpace,
                                           XmlParseFailure* failure);

    _xmlDoc* Doc() const { return m_doc; }
    // What stood between "<?xml" and "?>" in the source, single-spaced; empty when the
    // source had no declaration (the serialised text then has none either).
    const std::wstring& Declaration() const { return m_declaration; }

    // Ownership of free-standing subtrees: a node just created or just unlinked is kept
    // here (and freed with the tree); one linked into a parent is no longer.
    void KeepDetached(_xmlNode* node);
    void ForgetDetached(_xmlNode* node);

private:
    _xmlDoc* m_doc = nullptr;
    std::wstring m_declaration;
    std::unordered_set<_xmlNode*> m_detached;
};
