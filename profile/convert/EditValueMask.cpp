#include "profile/convert/EditValueMask.h"

#include <clocale>

#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"
#include "profile/convert/CnvErrors.h"
#include "profile/convert/CnvTextToValue.h"

namespace {

constexpr UINT kBackspace = 8;

// The C runtime's decimal point, as the float converter reads it.
wchar_t DecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && *point ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
}

HRESULT CheckSignFlags(wchar_t sign, UINT signFlags) {
    if (sign == L'+' && !(signFlags & EDITMASK_ALLOW_PLUS))
        return CNV_E_PLUSNOTALLOWED;
    if (sign == L'-' && !(signFlags & EDITMASK_ALLOW_MINUS))
        return CNV_E_MINUSNOTALLOWED;
    return S_OK;
}

} // namespace

HRESULT CEditValueMask::ValidateKeystroke(CWnd* edit, UINT ch, UINT signFlags) {
    const HRESULT valid = ValidateChar(static_cast<wchar_t>(ch));
    if (ch == kBackspace)
        return S_OK;
    if (FAILED(valid))
        return valid;

    CString text;
    edit->GetWindowText(text);
    DWORD start = 0;
    DWORD end = 0;
    edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int selStart = static_cast<int>(start);
    const int selEnd = static_cast<int>(end);
    const bool hasPlus = text.Find(L'+') >= 0;
    const bool hasMinus = text.Find(L'-') >= 0;
    // Replacing from the front takes the sign that stands there with it.
    const bool replacesFront = selStart == 0 && selEnd >= 1;

    if (ch == L'+' || ch == L'-') {
        const bool placed = (hasPlus || hasMinus) ? replacesFront : selStart == 0;
        if (!placed)
            return CNV_E_SIGNNOTFIRST;
        return CheckSignFlags(static_cast<wchar_t>(ch), signFlags);
    }

    const wchar_t point = DecimalPoint();
    if (ch == static_cast<UINT>(point)) {
        if (hasPlus)
            return S_OK;
        const int d = text.ReverseFind(point);
        if (d < 0 && (!hasMinus || selStart > 0))
            return S_OK;
        return (d >= 0 && selStart <= d && d < selEnd) ? S_OK : CNV_E_DECIMALPOINTPLACE;
    }

    if (!hasPlus && !hasMinus)
        return S_OK;
    if (text[0] == L'+' || text[0] == L'-')
        return (selStart > 0 || replacesFront) ? S_OK : CNV_E_CHARNOTALLOWED;
    return CNV_E_CHARNOTALLOWED;
}

HRESULT CEditValueMask::ValidatePaste(const CString& newText, CString& inserted, UINT signFlags) {
    CString whole(newText);
    whole.Remove(L' ');
    HRESULT hr = ValidateText(whole);
    if (FAILED(hr))
        return hr;
    if (!whole.IsEmpty()) {
        hr = CheckSignFlags(whole[0], signFlags);
        if (FAILED(hr))
            return hr;
    }
    CString trimmed(inserted);
    trimmed.Trim();
    hr = ValidateText(trimmed);
    if (FAILED(hr))
        return hr;
    inserted = trimmed;
    return S_OK;
}

HRESULT CEditValueMask::ValidateValue(CString& text, BOOL* zerosStripped, CPromptInfo* prompt, UINT) {
    *zerosStripped = FALSE;
    const HRESULT hr = ConvertText(text, prompt);
    if (FAILED(hr))
        return hr;
    *zerosStripped = Converter().StripLeadingZeros(text);
    return hr;
}

HRESULT CEditValueMask::ValidateChar(wchar_t ch) {
    return Converter().ValidateChar(ch);
}

HRESULT CEditValueMask::ValidateText(const CString& text) {
    return Converter().ValidateText(text);
}
