// Serialises nodes the way the DOM's `xml` property does: attributes in double
// quotes in source order, empty elements as "<a/>", no indentation added, and the
// namespace declarations a subtree needs to stand on its own. A document gives its
// declaration only when its source had one, and ends each top-level node with CR LF.
#pragma once

#include <string>

struct _xmlNode;
struct _xmlAttr;
class CXmlTree;

class CXmlWriter {
public:
    static std::wstring NodeXml(const _xmlNode* node);
    static std::wstring DocumentXml(const CXmlTree& tree);

    // The text content: a text-like node's own, an attribute's value, or the text and
    // CDATA below an element or document in document order (UTF-8).
    static std::string TextOf(const _xmlNode* node);
    static std::string AttributeValue(const _xmlAttr* attribute);
    // "prefix:name", or the name alone.
    static std::string QualifiedName(const _xmlNode* node);
};
