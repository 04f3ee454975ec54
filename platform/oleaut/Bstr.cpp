#include "platform/oleaut/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

#include "platform/base/FaultInjector.h"

namespace {

// The count sits in the four bytes before the text; the block starts four bytes
// earlier still, so that the text is pointer-aligned as Windows' BSTRs are.
constexpr size_t kHeader = 8;

DWORD* ByteCount(BSTR text) {
    return reinterpret_cast<DWORD*>(reinterpret_cast<char*>(text) - sizeof(DWORD));
}

BSTR Allocate(const OLECHAR* source, UINT chars) {
    constexpr UINT kMaxChars = (std::numeric_limits<DWORD>::max() - kHeader) / sizeof(OLECHAR) - 1;
    if (chars > kMaxChars)
        return nullptr;
    const size_t bytes = static_cast<size_t>(chars) * sizeof(OLECHAR);
    char* block = static_cast<char*>(std::malloc(kHeader + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    BSTR text = reinterpret_cast<BSTR>(block + kHeader);
    *ByteCount(text) = static_cast<DWORD>(bytes);
    if (source)
        std::memcpy(text, source, bytes);
    else
        std::memset(text, 0, bytes);
    text[chars] = L'\0';
    return text;
}

} // namespace

extern "C" BSTR SysAllocString(const OLECHAR* psz) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("SysAllocString", &code))
        return nullptr;
    if (!psz)
        return nullptr;
    return Allocate(psz, static_cast<UINT>(std::wcslen(psz)));
}

extern "C" BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("SysAllocStringLen", &code))
        return nullptr;
    return Allocate(strIn, ui);
}

extern "C" INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (!pbstr)
        return FALSE;
    BSTR copy = nullptr;
    if (psz) {
        // Copy before freeing: psz may point into the string being replaced.
        copy = SysAllocString(psz);
        if (!copy)
            return FALSE;
    }
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

extern "C" void SysFreeString(BSTR bstrString) {
    if (bstrString)
        std::free(reinterpret_cast<char*>(bstrString) - kHeader);
}

extern "C" UINT SysStringLen(BSTR pbstr) {
    return pbstr ? *ByteCount(pbstr) / sizeof(OLECHAR) : 0;
}

extern "C" UINT SysStringByteLen(BSTR bstr) {
    return bstr ? *ByteCount(bstr) : 0;
}
