#include "platform/msxml/XmlTree.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/base/HResult.h"
#include "platform/base/TextCodec.h"
#include "platform/msxml/XmlInputLimits.h"
#include "platform/msxml/XmlNodeOrder.h"

namespace {

// What the parser callbacks report back to Parse.
struct ParseState {
    bool dtdRefused = false;
    std::string unboundPrefix;
    std::string duplicateAttribute;
};

bool IsXmlSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// A DOCTYPE is where entity declarations (and with them file and URL references)
// would come from; refusing it before anything in it is read keeps both out.
void RefuseDocumentType(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    static_cast<ParseState*>(parser->_private)->dtdRefused = true;
    xmlStopParser(parser);
}

// libxml2 only warns about a prefix that no declaration binds (and drops or
// half-binds it); the DOM refuses such a text. The unbound prefix, or empty.
std::string UnboundPrefix(xmlNodePtr element, const xmlChar** attributes) {
    // An unbound element prefix is recorded as a declaration without a URI.
    for (xmlNsPtr declaration = element->nsDef; declaration; declaration = declaration->next)
        if (!declaration->href && declaration->prefix)
            return reinterpret_cast<const char*>(declaration->prefix);
    for (size_t i = 0; attributes && attributes[i]; i += 2) {
        const std::string name = reinterpret_cast<const char*>(attributes[i]);
        const size_t colon = name.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string prefix = name.substr(0, colon);
        if (prefix == "xmlns" || prefix == "xml")
            continue;
        xmlNsPtr ns = xmlSearchNs(element->doc, element, BAD_CAST prefix.c_str());
        if (!ns || !ns->href)
            return prefix;
    }
    return {};
}

bool IsDeclaration(const xmlChar* name) {
    const char* text = reinterpret_cast<const char*>(name);
    return std::strcmp(text, "xmlns") == 0 || std::strncmp(text, "xmlns:", 6) == 0;
}

// Links the element's ordinary attributes in the order written, each at the end of
// the list kept so far (libxml2 walks the whole list for each one it adds). False
// when two of them are one name in one namespace (that name in `duplicate`).
bool AttachAttributes(xmlNodePtr element, const xmlChar** attributes, std::string* duplicate) {
    xmlAttrPtr last = nullptr;
    std::unordered_set<std::string> namespaced;
    for (size_t i = 0; attributes && attributes[i]; i += 2) {
        if (IsDeclaration(attributes[i]))
            continue;
        const std::string name = reinterpret_cast<const char*>(attributes[i]);
        const size_t colon = name.find(':');
        xmlNsPtr ns = nullptr;
        std::string local = name;
        if (colon != std::string::npos) {
            ns = xmlSearchNs(element->doc, element, BAD_CAST name.substr(0, colon).c_str());
            local = name.substr(colon + 1);
            if (ns && !namespaced.insert(std::string(reinterpret_cast<const char*>(ns->href)) + ' ' + local).second) {
                *duplicate = name;
                return false;
            }
        }
        // Character and entity references in the value become the attribute's nodes.
        xmlAttrPtr attribute = xmlNewDocProp(element->doc, BAD_CAST(ns ? local : name).c_str(), attributes[i + 1]);
        if (!attribute)
            return false;
        attribute->ns = ns;
        attribute->parent = element;
        attribute->prev = last;
        (last ? last->next : element->properties) = attribute;
        last = attribute;
    }
    return true;
}

// The DOM keeps namespace declarations among the attributes in source order; libxml2
// keeps them apart. libxml2 makes the element with its declarations only, the other
// attributes are linked here, and the interleaving is noted on the element so that
// serialising gives the attributes back in the order they were written.
void StartElementNotingOrder(void* context, const xmlChar* name, const xmlChar** attributes) {
    std::vector<const xmlChar*> declarations;
    std::vector<bool> isDeclaration;
    for (size_t i = 0; attributes && attributes[i]; i += 2) {
        isDeclaration.push_back(IsDeclaration(attributes[i]));
        if (isDeclaration.back())
            declarations.insert(declarations.end(), {attributes[i], attributes[i + 1]});
    }
    declarations.push_back(nullptr);
    xmlSAX2StartElement(context, name, declarations.size() > 1 ? declarations.data() : nullptr);
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    if (!parser->node)
        return;
    if (std::string prefix = UnboundPrefix(parser->node, attributes); !prefix.empty()) {
        static_cast<ParseState*>(parser->_private)->unboundPrefix = prefix;
        xmlStopParser(parser);
        return;
    }
    if (!AttachAttributes(parser->node, attributes, &static_cast<ParseState*>(parser->_private)->duplicateAttribute)) {
        parser->nsWellFormed = 0;
        xmlStopParser(parser);
        return;
    }
    if (!isDeclaration.empty())
        CXmlNodeOrder::Note(parser->node, isDeclaration);
}

bool IsBlank(const xmlChar* content) {
    if (!content)
        return true;
    for (const xmlChar* c = content; *c; ++c)
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n')
            return false;
    return true;
}

// The next node after `node` in document order below `root`, descending into elements only.
xmlNodePtr NextBelow(xmlNodePtr node, xmlNodePtr root) {
    if (node->type == XML_ELEMENT_NODE && node->children)
        return node->children;
    while (node != root && !node->next)
        node = node->parent;
    return node == root ? nullptr : node->next;
}

void DropBlankText(xmlDocPtr doc) {
    xmlNodePtr root = reinterpret_cast<xmlNodePtr>(doc);
    xmlNodePtr node = doc->children;
    while (node) {
        xmlNodePtr next = NextBelow(node, root);
        if (node->type == XML_TEXT_NODE && IsBlank(node->content) &&
            xmlNodeGetSpacePreserve(node->parent) != 1) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

std::wstring DeclarationOf(const wchar_t* text, size_t length) {
    // A declaration is short; only the text's start is looked at, whatever its length.
    const std::wstring source(text, std::min<size_t>(length, 1024));
    if (source.compare(0, 5, L"<?xml") != 0 || source.size() < 6 || !IsXmlSpace(source[5]))
        return {};
    const size_t end = source.find(L"?>", 5);
    if (end == std::wstring::npos)
        return {};
    std::wstring declaration;
    bool pendingSpace = false;
    for (size_t i = 5; i < end; ++i) {
        if (IsXmlSpace(source[i])) {
            pendingSpace = !declaration.empty();
            continue;
        }
        if (pendingSpace)
            declaration += L' ';
        pendingSpace = false;
        declaration += source[i];
    }
    return declaration;
}

std::wstring ReasonOf(const xmlError* error) {
    if (!error || !error->message)
        return L"The text is not well-formed XML.";
    std::wstring reason = CTextCodec::FromUtf8(error->message);
    while (!reason.empty() && IsXmlSpace(reason.back()))
        reason.pop_back();
    return reason;
}

} // namespace

CXmlTree::CXmlTree() : m_doc(xmlNewDoc(BAD_CAST "1.0")) {}

CXmlTree::~CXmlTree() {
    // Detached nodes first: freeing them consults the document's name dictionary.
    for (xmlNodePtr node : m_detached) {
        if (node->type == XML_ATTRIBUTE_NODE)
            xmlFreeProp(reinterpret_cast<xmlAttrPtr>(node));
        else
            xmlFreeNode(node);
    }
    if (m_doc) {
        xmlFreeDoc(m_doc);
    }
}

std::shared_ptr<CXmlTree> CXmlTree::Parse(const wchar_t* text, size_t length, bool preserveWhiteSpace,
                                          XmlParseFailure* failure) {
    *failure = {};
    if (!text)
        length = 0;
    if (!CXmlInputLimits::Check(text, length, failure))
        return nullptr;
    // In pieces, so that no second wide copy of a large text is made.
    constexpr size_t kPiece = 64 * 1024;
    std::string utf8;
    utf8.reserve(length);
    for (size_t at = 0; at < length; at += kPiece)
        utf8 += CTextCodec::ToUtf8(std::wstring(text + at, std::min(kPiece, length - at)));
    if (utf8.empty()) {
        // libxml2 makes no parser for no bytes; the answer is the one for no root element.
        failure->code = E_FAIL;
        failure->reason = L"The document has no root element.";
        failure->line = 1;
        failure->linePosition = 1;
        return nullptr;
    }
    xmlParserCtxtPtr parser = xmlCreateMemoryParserCtxt(utf8.data(), static_cast<int>(utf8.size()));
    if (!parser) {
        failure->code = E_OUTOFMEMORY;
        failure->reason = L"Out of memory.";
        return nullptr;
    }
    // The text is already Unicode: an encoding named in its declaration is not obeyed.
    xmlCtxtUseOptions(parser, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                  XML_PARSE_IGNORE_ENC | XML_PARSE_SAX1);
    ParseState state;
    parser->_private = &state;
    parser->sax->internalSubset = RefuseDocumentType;
    parser->sax->externalSubset = nullptr;
    parser->sax->startElement = StartElementNotingOrder;
    xmlParseDocument(parser);

    xmlDocPtr doc = parser->myDoc;
    parser->myDoc = nullptr;
    const bool ok =
        doc && parser->wellFormed && parser->nsWellFormed && !state.dtdRefused && state.unboundPrefix.empty();
    if (!ok) {
        failure->code = E_FAIL;
        if (state.dtdRefused) {
            failure->reason = L"DTD is prohibited.";
        } else if (!state.duplicateAttribute.empty()) {
            failure->reason = L"Attribute '" + CTextCodec::FromUtf8(state.duplicateAttribute) +
                              L"' names an attribute already given in the same namespace.";
        } else if (!state.unboundPrefix.empty()) {
            failure->reason = L"Reference to undeclared namespace prefix: '" +
                              CTextCodec::FromUtf8(state.unboundPrefix) + L"'.";
        } else {
            failure->reason = ReasonOf(&parser->lastError);
        }
        failure->line = parser->lastError.line;
        failure->linePosition = parser->lastError.int2;
        if (doc) {
            xmlFreeDoc(doc);
        }
        xmlFreeParserCtxt(parser);
        return nullptr;
    }
    xmlFreeParserCtxt(parser);

    auto tree = std::make_shared<CXmlTree>();
    xmlFreeDoc(tree->m_doc);
    tree->m_doc = doc;
    if (!preserveWhiteSpace)
        DropBlankText(doc);
    tree->m_declaration = DeclarationOf(text, length);
    return tree;
}

void CXmlTree::KeepDetached(_xmlNode* node) {
    m_detached.insert(node);
}

void CXmlTree::ForgetDetached(_xmlNode* node) {
    m_detached.erase(node);
}
