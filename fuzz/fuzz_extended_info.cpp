// Any text as the host's extended info and as the module's sub-items fragment: no
// crash, no leak; a refused fragment is handed back untouched, and an accepted one
// becomes a ProfileViewDirectory document that reads back as XML.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/com/ClassTable.h"
#include "platform/com/ComPtr.h"
#include "platform/com/RuntimeClass.h"
#include "platform/msxml/MsXml.h"
#include "platform/oleaut/Bstr.h"
#include "profile/panel/PVPanelEnum.h"

namespace {

class CFuzzPage : public CPVPanelEnum {
public:
    CFuzzPage() : CPVPanelEnum(0) {}
};

void Require(bool holds, const char* property, const std::wstring& text) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s; text '%ls'\n", property, text.c_str());
    std::abort();
}

// Each byte is one character; a null ends the text, as it ends a BSTR's C string.
std::wstring WideText(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size && data[i] != 0; ++i)
        text += static_cast<wchar_t>(data[i]);
    return text;
}

bool ReadsAsXml(BSTR xml) {
    CComPtr<IXMLDOMDocument2> document;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_SERVER, IXMLDOMDocument2::Iid,
                                reinterpret_cast<void**>(&document))))
        return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    return SUCCEEDED(document->loadXML(xml, &loaded)) && loaded == VARIANT_TRUE;
}

void CheckFragment(CFuzzPage& page, const std::wstring& text) {
    BSTR xml = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    const BSTR before = xml;
    const HRESULT hr = page.AddPageClsidAndXMLHeader(&xml);
    if (FAILED(hr)) {
        Require(xml == before, "a refused fragment is the caller's own string", text);
        Require(std::wstring(xml, SysStringLen(xml)) == text, "a refused fragment is unchanged", text);
    } else {
        const std::wstring result(xml, SysStringLen(xml));
        Require(result.rfind(L"<ProfileViewDirectory", 0) == 0, "the document's root comes first", text);
        Require(ReadsAsXml(xml), "the document reads back", text);
    }
    SysFreeString(xml);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = WideText(data, size);
    CComPtr<CFuzzPage> page = Make<CFuzzPage>();
    BSTR info = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    page->SetExtendedInfo(info);
    SysFreeString(info);
    // With whatever map the text gave, then with one that covers every page.
    CheckFragment(*page, text);
    static const wchar_t kAnyPage[] =
        L"<ExtendedInfo xmlns:pv=\"xsdPV\"><pv:PVPageIdToClsidMap><pv:PVPageIdToClsidMapItem PageId=\"*\" "
        L"Clsid=\"{0A6E2B34-5C7D-4E8F-9A0B-1C2D3E4F5A6B}\"/></pv:PVPageIdToClsidMap></ExtendedInfo>";
    BSTR anyPage = SysAllocString(kAnyPage);
    page->SetExtendedInfo(anyPage);
    SysFreeString(anyPage);
    CheckFragment(*page, text);
    return 0;
}
