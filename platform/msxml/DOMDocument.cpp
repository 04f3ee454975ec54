#include "platform/msxml/DOMDocument.h"

#include <libxml/tree.h>

#include <atomic>

#include "platform/base/TextCodec.h"
#include "platform/msxml/DOMParseError.h"
#include "platform/msxml/XmlWriter.h"
#include "platform/oleaut/Bstr.h"

namespace {

std::atomic<LONG> g_liveDocuments{0};

bool IsXmlSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Reads "xmlns:p='uri' xmlns:q=\"uri\" ..." (a default "xmlns='uri'" is allowed and
// has no effect on XPath, which has no default namespace). False for any other text.
bool ParseNamespaces(const std::wstring& text, std::vector<std::pair<std::string, std::string>>* bindings) {
    size_t i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && IsXmlSpace(text[i]))
            ++i;
    };
    for (skipSpace(); i < text.size(); skipSpace()) {
        if (text.compare(i, 5, L"xmlns") != 0)
            return false;
        i += 5;
        std::wstring prefix;
        if (i < text.size() && text[i] == L':') {
            ++i;
            while (i < text.size() && text[i] != L'=' && !IsXmlSpace(text[i]))
                prefix += text[i++];
            if (prefix.empty())
                return false;
        }
        skipSpace();
        if (i >= text.size() || text[i] != L'=')
            return false;
        ++i;
        skipSpace();
        if (i >= text.size() || (text[i] != L'\'' && text[i] != L'"'))
            return false;
        const wchar_t quote = text[i++];
        const size_t end = text.find(quote, i);
        if (end == std::wstring::npos)
            return false;
        const std::wstring uri = text.substr(i, end - i);
        i = end + 1;
        if (i < text.size() && !IsXmlSpace(text[i]))
            return false;
        if (!prefix.empty())
            bindings->emplace_back(CTextCodec::ToUtf8(prefix), CTextCodec::ToUtf8(uri));
    }
    return true;
}

HRESULT AnswerText(const std::wstring& text, VARIANT* value) {
    VariantInit(value);
    value->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value->bstrVal)
        return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    return S_OK;
}

} // namespace

CDOMDocument::CDOMDocument() : CDOMNodeImpl(this, std::make_shared<CXmlTree>(), nullptr) {
    m_node = reinterpret_cast<xmlNodePtr>(m_tree->Doc());
    ++g_liveDocuments;
}

CDOMDocument::~CDOMDocument() {
    --g_liveDocuments;
}

LONG CDOMDocument::LiveCount() {
    return g_liveDocuments.load();
}

void CDOMDocument::ShowTree(std::shared_ptr<CXmlTree> tree) {
    m_tree = std::move(tree);
    m_node = reinterpret_cast<xmlNodePtr>(m_tree->Doc());
}

HRESULT CDOMDocument::WrapCreated(_xmlNode* node, REFIID riid, void** ppv) {
    if (!node)
        return E_OUTOFMEMORY;
    m_tree->KeepDetached(node);
    return WrapRelated(node, riid, ppv);
}

HRESULT STDMETHODCALLTYPE CDOMDocument::get_documentElement(IXMLDOMElement** element) {
    return WrapRelated(xmlDocGetRootElement(m_tree->Doc()), IXMLDOMElement::Iid,
                       reinterpret_cast<void**>(element));
}

HRESULT STDMETHODCALLTYPE CDOMDocument::createElement(BSTR tagName, IXMLDOMElement** element) {
    if (!element)
        return E_INVALIDARG;
    *element = nullptr;
    std::string name;
    const HRESULT hr = CheckedName(tagName, &name);
    if (FAILED(hr))
        return hr;
    return WrapCreated(xmlNewDocNode(m_tree->Doc(), nullptr, BAD_CAST name.c_str(), nullptr),
                       IXMLDOMElement::Iid, reinterpret_cast<void**>(element));
}

HRESULT STDMETHODCALLTYPE CDOMDocument::createTextNode(BSTR data, IXMLDOMNode** text) {
    if (!text)
        return E_INVALIDARG;
    *text = nullptr;
    const std::string utf8 = data ? CTextCodec::ToUtf8(std::wstring(data, SysStringLen(data))) : "";
    return WrapCreated(xmlNewDocTextLen(m_tree->Doc(), BAD_CAST utf8.data(), static_cast<int>(utf8.size())),
                       IXMLDOMNode::Iid, reinterpret_cast<void**>(text));
}

HRESULT STDMETHODCALLTYPE CDOMDocument::createAttribute(BSTR name, IXMLDOMAttribute** attribute) {
    if (!attribute)
        return E_INVALIDARG;
    *attribute = nullptr;
    std::string qualified;
    const HRESULT hr = CheckedName(name, &qualified);
    if (FAILED(hr))
        return hr;
    if (qualified == "xmlns" || qualified.compare(0, 6, "xmlns:") == 0)
        return E_INVALIDARG;
    xmlAttrPtr created = xmlNewDocProp(m_tree->Doc(), BAD_CAST qualified.c_str(), nullptr);
    return WrapCreated(reinterpret_cast<xmlNodePtr>(created), IXMLDOMAttribute::Iid,
                       reinterpret_cast<void**>(attribute));
}

HRESULT STDMETHODCALLTYPE CDOMDocument::loadXML(BSTR bstrXML, VARIANT_BOOL* isSuccessful) {
    if (!isSuccessful)
        return E_INVALIDARG;
    XmlParseFailure failure;
    std::shared_ptr<CXmlTree> parsed =
        CXmlTree::Parse(bstrXML, SysStringLen(bstrXML), m_preserveWhiteSpace, &failure);
    m_lastFailure = failure;
    if (!parsed) {
        // A refused text leaves an empty document, not the previous one.
        ShowTree(std::make_shared<CXmlTree>());
        *isSuccessful = VARIANT_FALSE;
        return S_FALSE;
    }
    ShowTree(std::move(parsed));
    *isSuccessful = VARIANT_TRUE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMDocument::get_parseError(IXMLDOMParseError** errorObj) {
    if (!errorObj)
        return E_INVALIDARG;
    *errorObj = new CDOMParseError(m_lastFailure);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMDocument::get_preserveWhiteSpace(VARIANT_BOOL* preserve) {
    if (!preserve)
        return E_INVALIDARG;
    *preserve = m_preserveWhiteSpace ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMDocument::put_preserveWhiteSpace(VARIANT_BOOL preserve) {
    m_preserveWhiteSpace = preserve != VARIANT_FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMDocument::setProperty(BSTR name, VARIANT value) {
    if (!name)
        return E_INVALIDARG;
    const std::wstring property(name, SysStringLen(name));
    if (property != L"SelectionNamespaces" && property != L"SelectionLanguage")
        return E_INVALIDARG;
    VARIANT text;
    VariantInit(&text);
    HRESULT hr = VariantChangeType(&text, &value, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    const std::wstring textValue(text.bstrVal, SysStringLen(text.bstrVal));
    VariantClear(&text);
    if (property == L"SelectionLanguage")
        return textValue == L"XPath" ? S_OK : E_FAIL;
    std::vector<std::pair<std::string, std::string>> bindings;
    if (!ParseNamespaces(textValue, &bindings))
        return E_FAIL;
    m_namespaces = std::move(bindings);
    m_namespacesText = textValue;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMDocument::getProperty(BSTR name, VARIANT* value) {
    if (!name || !value)
        return E_INVALIDARG;
    const std::wstring property(name, SysStringLen(name));
    if (property == L"SelectionNamespaces")
        return AnswerText(m_namespacesText, value);
    if (property == L"SelectionLanguage")
        return AnswerText(L"XPath", value);
    return E_INVALIDARG;
}
