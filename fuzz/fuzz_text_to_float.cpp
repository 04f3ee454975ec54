// Every text through both float converters, plain and rounded. The first byte picks
// the number of decimals (0 to 11, so that refused counts are reached too), the rest
// is the text. Properties: no crash; a failure leaves every out value untouched; a
// success lies within the limits of float; rounded text is the value given and
// rounding it again changes nothing.
#include <cfloat>
#include <cmath>
#include <cwchar>

#include "fuzz/FuzzSupport.h"
#include "profile/convert/CnvTextToFloat.h"
#include "profile/convert/CnvTextToFloat2.h"

namespace {

constexpr float kSentinel = -12345.0f;

bool WithinFloat(double value) {
    return std::isfinite(value) && value <= FLT_MAX && value >= -FLT_MAX;
}

bool IsParseFailure(HRESULT hr) {
    return hr == CNV_E_EMPTYTEXT || hr == CNV_E_INVALIDFLOAT || hr == CNV_E_ABOVEMAXIMUM ||
           hr == CNV_E_BELOWMINIMUM;
}

// A rounded text: optional '-', digits, and exactly `decimals` digits after a point.
bool IsFixedText(const CString& text, int decimals) {
    const std::wstring s = text.GetString();
    size_t at = !s.empty() && s[0] == L'-' ? 1 : 0;
    const size_t point = s.find(L'.');
    if (decimals == 0 ? point != std::wstring::npos : point == std::wstring::npos)
        return false;
    if (decimals > 0 && s.size() - point - 1 != static_cast<size_t>(decimals))
        return false;
    if (at == s.size() || s[at] == L'.')
        return false;
    for (; at < s.size(); ++at)
        if (at != point && (s[at] < L'0' || s[at] > L'9'))
            return false;
    return true;
}

void CheckFloat(const std::wstring& text) {
    float value = kSentinel;
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr = CCnvTextToFloat::GetInstance()->ConvertTextToValue(text.c_str(), &value, &prompt);
    CheckPrompt(hr, prompt, text);
    if (FAILED(hr)) {
        Require(IsParseFailure(hr), "float parse: only the documented codes", text);
        Require(value == kSentinel, "float parse: a failure leaves the value untouched", text);
    } else {
        Require(WithinFloat(value), "float parse: within the limits", text);
    }
}

void CheckFloat2(const std::wstring& text) {
    double value = kSentinel;
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr = CCnvTextToFloat2::GetInstance()->ConvertTextToValue(text.c_str(), &value, &prompt);
    CheckPrompt(hr, prompt, text);
    if (FAILED(hr)) {
        Require(IsParseFailure(hr), "float2 parse: only the documented codes", text);
        Require(value == kSentinel, "float2 parse: a failure leaves the value untouched", text);
    } else {
        Require(WithinFloat(value), "float2 parse: within the limits", text);
    }
}

void CheckRounded(const std::wstring& text, int decimals) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    float value = kSentinel;
    CString rounded(L"old");
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr =
        converter->ConvertTextToValueRounded(text.c_str(), decimals, &value, &rounded, &prompt);
    CheckPrompt(hr, prompt, text, decimals > 9);
    if (FAILED(hr)) {
        Require(hr == E_FAIL || IsParseFailure(hr), "rounded: only the documented codes", text);
        Require(decimals <= 9 || hr == E_FAIL, "rounded: refused decimals give E_FAIL", text);
        Require(value == kSentinel && rounded == L"old", "rounded: a failure leaves the outs untouched",
                text);
        return;
    }
    Require(decimals <= 9, "rounded: only 0 to 9 decimals succeed", text);
    Require(IsFixedText(rounded, decimals), "rounded: the text has exactly the decimals", text);
    Require(value == static_cast<float>(std::wcstod(rounded, nullptr)), "rounded: the value is the text's",
            text);
    float again = kSentinel;
    CString roundedAgain;
    Require(converter->ConvertTextToValueRounded(rounded, decimals, &again, &roundedAgain, nullptr) == S_OK,
            "rounded: the rounded text rounds again", text);
    Require(roundedAgain == rounded && again == value, "rounded: rounding is stable", text);
}

void CheckRounded2(const std::wstring& text, int decimals) {
    float value = kSentinel;
    CString rounded(L"old");
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr = CCnvTextToFloat2::GetInstance()->ConvertTextToValue(text.c_str(), decimals, &value,
                                                                           &rounded, &prompt);
    CheckPrompt(hr, prompt, text);
    if (FAILED(hr)) {
        Require(IsParseFailure(hr), "rounded2: only the parse's codes", text);
        Require(value == kSentinel && rounded == L"old", "rounded2: a failure leaves the outs untouched",
                text);
        return;
    }
    Require(IsFixedText(rounded, decimals), "rounded2: the text has exactly the decimals", text);
    Require(WithinFloat(value) && value == static_cast<float>(std::wcstod(rounded, nullptr)),
            "rounded2: the value is the text's", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPromptServer(); // registered before the first conversion asks for a prompt
    if (size == 0)
        return 0;
    const int decimals = data[0] % 12;
    const std::wstring text = WideText(data + 1, size - 1);
    CheckFloat(text);
    CheckFloat2(text);
    CheckRounded(text, decimals);
    CheckRounded2(text, decimals);
    return 0;
}
