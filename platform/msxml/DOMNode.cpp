#include "platform/msxml/DOMNode.h"

#include <utility>

CDOMNode::CDOMNode(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node)
    : CDOMNodeImpl(document, std::move(tree), node) {}
