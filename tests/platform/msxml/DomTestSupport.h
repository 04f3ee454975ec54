// Small helpers for the DOM tests: a fresh document through the class table, loading
// text, reading the xml and text properties as std::wstring.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com/ClassTable.h"
#include "platform/com/ComPtr.h"
#include "platform/msxml/MsXml.h"
#include "platform/oleaut/BstrT.h"

inline CComPtr<IXMLDOMDocument2> NewDocument() {
    CComPtr<IXMLDOMDocument2> document;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_SERVER, IXMLDOMDocument2::Iid,
                                     reinterpret_cast<void**>(&document)));
    return document;
}

inline HRESULT Load(IXMLDOMDocument2* document, const std::wstring& text, VARIANT_BOOL* ok) {
    _bstr_t source(text.c_str());
    return document->loadXML(source.GetBSTR(), ok);
}

inline bool Loads(IXMLDOMDocument2* document, const std::wstring& text) {
    VARIANT_BOOL ok = VARIANT_FALSE;
    const HRESULT hr = Load(document, text, &ok);
    return hr == S_OK && ok == VARIANT_TRUE;
}

inline std::wstring XmlOf(IXMLDOMNode* node) {
    _bstr_t xml;
    EXPECT_EQ(S_OK, node->get_xml(xml.GetAddress()));
    return xml.GetBSTR() ? std::wstring(xml) : std::wstring();
}

inline std::wstring TextOf(IXMLDOMNode* node) {
    _bstr_t text;
    EXPECT_EQ(S_OK, node->get_text(text.GetAddress()));
    return text.GetBSTR() ? std::wstring(text) : std::wstring();
}

inline HRESULT SetNamespaces(IXMLDOMDocument2* document, const wchar_t* text) {
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    _bstr_t name(L"SelectionNamespaces");
    const HRESULT hr = document->setProperty(name.GetBSTR(), value);
    VariantClear(&value);
    return hr;
}

inline HRESULT SelectSingle(IXMLDOMNode* context, const wchar_t* query, IXMLDOMNode** node) {
    _bstr_t text(query);
    return context->selectSingleNode(text.GetBSTR(), node);
}

template <class Interface> CComPtr<Interface> As(IUnknown* object) {
    CComPtr<Interface> result;
    if (object)
        object->QueryInterface(Interface::Iid, reinterpret_cast<void**>(&result));
    return result;
}
