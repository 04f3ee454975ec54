#include "platform/base/Guid.h"

#include <cwchar>

namespace {

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at text[pos]; false on any other character.
bool ReadHex(LPCOLESTR text, int pos, int digits, std::uint32_t* value) {
    std::uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexValue(text[pos + i]);
        if (d < 0) return false;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    *value = v;
    return true;
}

} // namespace

extern "C" int StringFromGUID2(REFGUID g, LPOLESTR text, int cchMax) {
    constexpr int kLength = 39;
    if (!text || cchMax < kLength) return 0;
    std::swprintf(text, kLength, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return kLength;
}

extern "C" HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    if (!clsid) return E_INVALIDARG;
    if (!text || std::wcslen(text) != 38 || text[0] != L'{' || text[37] != L'}' || text[9] != L'-' ||
        text[14] != L'-' || text[19] != L'-' || text[24] != L'-')
        return CO_E_CLASSSTRING;
    GUID g{};
    std::uint32_t v = 0;
    if (!ReadHex(text, 1, 8, &v)) return CO_E_CLASSSTRING;
    g.Data1 = v;
    if (!ReadHex(text, 10, 4, &v)) return CO_E_CLASSSTRING;
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!ReadHex(text, 15, 4, &v)) return CO_E_CLASSSTRING;
    g.Data3 = static_cast<std::uint16_t>(v);
    const int bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, bytePos[i], 2, &v)) return CO_E_CLASSSTRING;
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    *clsid = g;
    return S_OK;
}

extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid) {
    HRESULT hr = CLSIDFromString(text, iid);
    return hr == CO_E_CLASSSTRING ? E_INVALIDARG : hr;
}
