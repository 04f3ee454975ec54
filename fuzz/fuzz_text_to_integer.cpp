// Every text through the four integer forms: no crash; a failure leaves the value and
// (for E_FAIL) the prompt record untouched; a success is the text's own number, which
// prints back as the text without blanks, '+' and leading zeros.
#include <type_traits>

#include "fuzz/FuzzSupport.h"
#include "profile/convert/CnvTextToInteger.h"

namespace {

// The text as the converter's printing would give it: trimmed, no '+', no leading
// zeros, and "-0" is 0.
std::wstring Canonical(const std::wstring& text) {
    CString trimmed(text.c_str());
    trimmed.Trim();
    std::wstring s = trimmed.GetString();
    bool negative = false;
    if (!s.empty() && (s[0] == L'+' || s[0] == L'-')) {
        negative = s[0] == L'-';
        s.erase(0, 1);
    }
    const size_t first = s.find_first_not_of(L'0');
    s = first == std::wstring::npos ? L"0" : s.substr(first);
    return negative && s != L"0" ? L"-" + s : s;
}

template <typename T> void Check(const std::wstring& text, T limitMin, T limitMax) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    constexpr T kSentinel = static_cast<T>(0x5EED);
    T value = kSentinel;
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr = converter->ConvertTextToValue(text.c_str(), &value, &prompt);
    CheckPrompt(hr, prompt, text);
    if (FAILED(hr)) {
        Require(value == kSentinel, "a failure leaves the value untouched", text);
        Require(hr == E_FAIL || hr == CNV_E_EMPTYTEXT || hr == CNV_E_INVALIDINTEGER ||
                    hr == CNV_E_ABOVEMAXIMUM || hr == CNV_E_BELOWMINIMUM,
                "only the documented codes", text);
        return;
    }
    Require(hr == S_OK, "success is S_OK", text);
    Require(value >= limitMin && value <= limitMax, "a success lies within the limits", text);
    CString printed;
    Require(converter->ConvertValueToText(value, &printed) == S_OK, "printing never fails", text);
    // Unsigned 64 bits saturate beyond the type; everything else prints back exactly.
    if (!(std::is_same_v<T, ULONGLONG> && value == limitMax))
        Require(Canonical(text) == printed.GetString(), "the value prints back as the text", text);
    T again = kSentinel;
    Require(converter->ConvertTextToValue(printed, &again, nullptr) == S_OK && again == value,
            "the printed value converts back to itself", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPromptServer(); // registered before the first conversion asks for a prompt
    const std::wstring text = WideText(data, size);
    Check<LONG>(text, -2147483647 - 1, 2147483647);
    Check<ULONG>(text, 0, 4294967295u);
    Check<LONGLONG>(text, INT64_MIN, INT64_MAX);
    Check<ULONGLONG>(text, 0, UINT64_MAX);
    return 0;
}
