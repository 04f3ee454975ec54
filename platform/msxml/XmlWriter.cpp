#include "platform/msxml/XmlWriter.h"

#include <libxml/tree.h>

#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/msxml/XmlNodeOrder.h"
#include "platform/msxml/XmlTree.h"

namespace {

std::string Str(const xmlChar* text) {
    return text ? reinterpret_cast<const char*>(text) : "";
}

void AppendEscaped(std::string* out, const std::string& text, bool inAttribute) {
    for (char c : text) {
        switch (c) {
        case '&':
            *out += "&amp;";
            break;
        case '<':
            *out += "&lt;";
            break;
        case '>':
            *out += "&gt;";
            break;
        case '"':
            *out += inAttribute ? "&quot;" : "\"";
            break;
        default:
            *out += c;
        }
    }
}

// Namespace bindings in force while writing. Looked up by prefix, so that writing
// stays linear however deep the tree is.
class CScopes {
public:
    void Push() { m_frames.emplace_back(); }
    void Pop() {
        for (const std::string& prefix : m_frames.back())
            m_bound[prefix].pop_back();
        m_frames.pop_back();
    }
    void Bind(const std::string& prefix, const std::string& uri) {
        m_bound[prefix].push_back(uri);
        m_frames.back().push_back(prefix);
    }
    std::string Lookup(const std::string& prefix) const {
        auto it = m_bound.find(prefix);
        return it == m_bound.end() || it->second.empty() ? std::string() : it->second.back();
    }

private:
    std::unordered_map<std::string, std::vector<std::string>> m_bound;
    std::vector<std::vector<std::string>> m_frames; // the prefixes each open element bound
};

void WriteDeclaration(std::string* out, const std::string& prefix, const std::string& uri) {
    *out += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
    AppendEscaped(out, uri, true);
    *out += '"';
}

void WriteAttribute(std::string* out, const xmlAttr* attribute) {
    *out += ' ' + CXmlWriter::QualifiedName(reinterpret_cast<const xmlNode*>(attribute)) + "=\"";
    AppendEscaped(out, CXmlWriter::AttributeValue(attribute), true);
    *out += '"';
}

void WriteStartTag(std::string* out, CScopes* scopes, const xmlNode* element) {
    *out += '<' + CXmlWriter::QualifiedName(element);
    scopes->Push();
    for (const xmlNs* declaration = element->nsDef; declaration; declaration = declaration->next)
        scopes->Bind(Str(declaration->prefix), Str(declaration->href));
    // Declarations the element and its attributes need that neither the element nor an
    // ancestor written gives: a subtree written alone, or a node moved elsewhere.
    auto require = [&](const std::string& prefix, const std::string& uri) {
        if (scopes->Lookup(prefix) == uri)
            return;
        WriteDeclaration(out, prefix, uri);
        scopes->Bind(prefix, uri);
    };
    require(element->ns ? Str(element->ns->prefix) : "", element->ns ? Str(element->ns->href) : "");
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        if (attribute->ns && attribute->ns->prefix && Str(attribute->ns->prefix) != "xml")
            require(Str(attribute->ns->prefix), Str(attribute->ns->href));
    }
    const xmlNs* declaration = element->nsDef;
    const xmlAttr* attribute = element->properties;
    for (size_t position = 0; declaration || attribute; ++position) {
        if (declaration && (!attribute || CXmlNodeOrder::IsDeclarationAt(element, position))) {
            WriteDeclaration(out, Str(declaration->prefix), Str(declaration->href));
            declaration = declaration->next;
        } else {
            WriteAttribute(out, attribute);
            attribute = attribute->next;
        }
    }
}

void WriteLeaf(std::string* out, const xmlNode* node) {
    switch (node->type) {
    case XML_TEXT_NODE:
        AppendEscaped(out, Str(node->content), false);
        break;
    case XML_CDATA_SECTION_NODE:
        *out += "<![CDATA[" + Str(node->content) + "]]>";
        break;
    case XML_COMMENT_NODE:
        *out += "<!--" + Str(node->content) + "-->";
        break;
    case XML_PI_NODE:
        *out += "<?" + Str(node->name);
        if (node->content && *node->content)
            *out += ' ' + Str(node->content);
        *out += "?>";
        break;
    case XML_ENTITY_REF_NODE:
        *out += '&' + Str(node->name) + ';';
        break;
    case XML_ATTRIBUTE_NODE: {
        std::string attribute;
        WriteAttribute(&attribute, reinterpret_cast<const xmlAttr*>(node));
        *out += attribute.substr(1);
        break;
    }
    default:
        break;
    }
}

// Iterative, so that a tree built deeper than any parser allows cannot exhaust the stack.
void WriteSubtree(std::string* out, const xmlNode* root) {
    CScopes scopes;
    const xmlNode* node = root;
    for (;;) {
        if (node->type == XML_ELEMENT_NODE) {
            WriteStartTag(out, &scopes, node);
            if (node->children) {
                *out += '>';
                node = node->children;
                continue;
            }
            *out += "/>";
            scopes.Pop();
        } else {
            WriteLeaf(out, node);
        }
        for (;;) {
            if (node == root)
                return;
            if (node->next) {
                node = node->next;
                break;
            }
            node = node->parent;
            *out += "</" + CXmlWriter::QualifiedName(node) + '>';
            scopes.Pop();
        }
    }
}

} // namespace

std::string CXmlWriter::QualifiedName(const _xmlNode* node) {
    if (node->ns && node->ns->prefix)
        return Str(node->ns->prefix) + ':' + Str(node->name);
    return Str(node->name);
}

std::string CXmlWriter::AttributeValue(const _xmlAttr* attribute) {
    std::string value;
    for (const xmlNode* child = attribute->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE)
            value += Str(child->content);
    }
    return value;
}

std::string CXmlWriter::TextOf(const _xmlNode* node) {
    switch (node->type) {
    case XML_ATTRIBUTE_NODE:
        return AttributeValue(reinterpret_cast<const xmlAttr*>(node));
    case XML_ELEMENT_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
        break;
    case XML_ENTITY_REF_NODE:
        return {};
    default:
        return Str(node->content);
    }
    std::string text;
    const xmlNode* current = node->children;
    while (current) {
        if (current->type == XML_TEXT_NODE || current->type == XML_CDATA_SECTION_NODE)
            text += Str(current->content);
        if (current->type == XML_ELEMENT_NODE && current->children) {
            current = current->children;
            continue;
        }
        while (current != node && !current->next)
            current = current->parent;
        current = current == node ? nullptr : current->next;
    }
    return text;
}

std::wstring CXmlWriter::NodeXml(const _xmlNode* node) {
    if (node->type == XML_DOCUMENT_NODE)
        return {};
    std::string out;
    WriteSubtree(&out, node);
    return CTextCodec::FromUtf8(out);
}

std::wstring CXmlWriter::DocumentXml(const CXmlTree& tree) {
    std::string out;
    if (!tree.Declaration().empty())
        out += "<?xml " + CTextCodec::ToUtf8(tree.Declaration()) + "?>\r\n";
    for (const xmlNode* node = tree.Doc()->children; node; node = node->next) {
        WriteSubtree(&out, node);
        out += "\r\n";
    }
    return CTextCodec::FromUtf8(out);
}
