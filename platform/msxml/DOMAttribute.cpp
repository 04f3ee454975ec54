#include "platform/msxml/DOMAttribute.h"

#include <libxml/tree.h>

#include <utility>

#include "platform/base/TextCodec.h"
#include "platform/msxml/XmlWriter.h"
#include "platform/oleaut/Bstr.h"

CDOMAttribute::CDOMAttribute(CDOMDocument* document, std::shared_ptr<CXmlTree> tree, _xmlNode* node)
    : CDOMNodeImpl(document, std::move(tree), node) {}

HRESULT STDMETHODCALLTYPE CDOMAttribute::get_name(BSTR* attributeName) {
    return NodeName(attributeName);
}

HRESULT STDMETHODCALLTYPE CDOMAttribute::get_value(VARIANT* attributeValue) {
    if (!attributeValue)
        return E_INVALIDARG;
    VariantInit(attributeValue);
    const std::wstring text =
        CTextCodec::FromUtf8(CXmlWriter::AttributeValue(reinterpret_cast<const xmlAttr*>(m_node)));
    attributeValue->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!attributeValue->bstrVal)
        return E_OUTOFMEMORY;
    attributeValue->vt = VT_BSTR;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMAttribute::put_value(VARIANT attributeValue) {
    std::string text;
    const HRESULT hr = VariantText(attributeValue, &text);
    if (FAILED(hr))
        return hr;
    ReplaceChildrenWithText(text);
    return S_OK;
}
