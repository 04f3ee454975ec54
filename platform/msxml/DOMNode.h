// A node that is neither element, attribute nor document: text, CDATA, comment,
// processing instruction. Everything it offers is IXMLDOMNode's.
#pragma once

#include "platform/msxml/DOMNodeImpl.h"

class CDOMNode : public CDOMNodeImpl<IXMLDOMNode> {
public:
    CDOMNode(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node);
};
