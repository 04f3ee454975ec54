// Every float (its four bytes) and a number of decimals (the fifth byte) through both
// converters' value-to-text forms. Properties: no crash; a failure leaves the outs
// untouched and happens only where it must (not a number, or too large to scale to
// 64 bits); the text is within half a unit of the value; the first converter's text
// comes back unchanged through ConvertTextToValueRounded, and the second converter's
// through its own text-to-value form where a double holds all its digits.
#include <cfloat>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "profile/convert/CnvTextToFloat.h"
#include "profile/convert/CnvTextToFloat2.h"

namespace {

constexpr float kSentinel = -12345.0f;

std::wstring Describe(float value, int decimals) {
    return std::to_wstring(value) + L" with " + std::to_wstring(decimals) + L" decimals";
}

void CheckFloat(float value, int decimals) {
    const std::wstring what = Describe(value, decimals);
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    CString text(L"old");
    const HRESULT hr = converter->ConvertValueToText(value, decimals, &text);
    const double scaled = std::fabs(static_cast<double>(value)) * std::pow(10.0, decimals);
    if (FAILED(hr)) {
        Require(text == L"old", "value to text: a failure leaves the text untouched", what);
        Require(!std::isfinite(value) || scaled >= 9.2e18,
                "value to text: only NaN, infinity or huge values fail", what);
        return;
    }
    Require(std::isfinite(value), "value to text: NaN and infinity fail", what);
    const double back = std::wcstod(text, nullptr);
    const double unit = std::pow(10.0, -decimals);
    Require(std::fabs(back - value) <= 0.55 * unit + 1e-7 * std::fabs(value),
            "value to text: within half a unit", what);
    float rounded = kSentinel;
    CString again;
    const HRESULT hrAgain = converter->ConvertTextToValueRounded(text, decimals, &rounded, &again, nullptr);
    // Rounding up can carry a value just below the 64-bit scale limit over it.
    if (FAILED(hrAgain)) {
        Require(hrAgain == E_FAIL && scaled >= 9.2e18, "value to text: its text rounds again", what);
        return;
    }
    Require(again == text, "value to text: the text is stable through ConvertTextToValueRounded", what);
    Require(rounded == static_cast<float>(back), "value to text: the value is the text's", what);
}

void CheckFloat2(float value, int decimals) {
    const std::wstring what = Describe(value, decimals);
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    CString text(L"old");
    float rounded = kSentinel;
    CPromptInfo prompt = UntouchedPrompt();
    const HRESULT hr = converter->ConvertValueToText(value, decimals, &rounded, &text, &prompt);
    CheckPrompt(hr, prompt, what);
    if (FAILED(hr)) {
        Require(text == L"old" && rounded == kSentinel,
                "value to text 2: a failure leaves the outs untouched", what);
        Require(!std::isfinite(value), "value to text 2: only NaN and infinity fail", what);
        return;
    }
    const double back = std::wcstod(text, nullptr);
    Require(rounded == static_cast<float>(back), "value to text 2: the value is the text's", what);
    const double unit = std::pow(10.0, -decimals);
    Require(std::fabs(back - value) <= 0.55 * unit + 1e-7 * std::fabs(value),
            "value to text 2: within half a unit", what);
    if (std::fabs(value) < 1e6f) {
        float valueAgain = kSentinel;
        CString again;
        Require(converter->ConvertTextToValue(text, decimals, &valueAgain, &again, nullptr) == S_OK &&
                    again == text,
                "value to text 2: the text is stable through its text-to-value form", what);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPromptServer(); // registered before the first conversion asks for a prompt
    if (size < 5)
        return 0;
    float value = 0;
    std::memcpy(&value, data, sizeof value);
    const int decimals = data[4] % 10;
    CheckFloat(value, decimals);
    CheckFloat2(value, decimals);
    return 0;
}
