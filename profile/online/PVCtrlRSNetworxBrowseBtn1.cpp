#include "profile/online/PVCtrlRSNetworxBrowseBtn1.h"

#include <cwchar>

#include "platform/mfc/FileDialog.h"
#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/Variant.h"
#include "platform/user/Controls.h"
#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"

namespace {

constexpr DWORD kBrowseFlags =
    OFN_EXPLORER | OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
// The device's selector of the option word; only passed through.
constexpr CHAR kOptionWordSelector = static_cast<CHAR>(0x8C);
constexpr LONG kReportOptionBits = 0xC000;

} // namespace

CPVCtrlRSNetworxBrowseBtn1::CPVCtrlRSNetworxBrowseBtn1(UINT buttonId, UINT editId)
    : CPVCtrl(buttonId), m_nEditId(editId) {
    if (buttonId < 1)
        PVLog(L"Button Control ID is 0.");
    if (editId < 1)
        PVLog(L"Edit Control ID is 0.");
}

HRESULT CPVCtrlRSNetworxBrowseBtn1::SetIModule(IModule* module) {
    HRESULT hr = CPVCtrl::SetIModule(module);
    if (FAILED(hr)) {
        PVLog(L"Failed to SetIModule.");
        return hr;
    }
    m_spIModuleServices.Release();
    hr = module->QueryInterface(IModuleServices::Iid, reinterpret_cast<void**>(&m_spIModuleServices));
    if (FAILED(hr)) {
        PVLog(L"Failed to obtain IRSNetWorx.");
        return hr;
    }
    // The button changes no configuration: what it reports must not dirty the page.
    SetTrackChanges(FALSE);
    m_strDefExt = L"pdf";
    return S_OK;
}

bool CPVCtrlRSNetworxBrowseBtn1::IsCtrlEnabled() const {
    if (!IsOnlineMode(GetLogixMode()) || GetRedundancyState() == kRedundantPartner || GetModuleStateFlag())
        return false;
    LONG options = 0;
    return SUCCEEDED(GetAttrStringSWOPT(&options)) && (options & kReportOptionBits) == kReportOptionBits;
}

HRESULT CPVCtrlRSNetworxBrowseBtn1::GetAttrStringSWOPT(LONG* value) const {
    if (!m_spIModuleServices)
        return E_NOINTERFACE;
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I1;
    argument.cVal = kOptionWordSelector;
    VARIANT result;
    VariantInit(&result);
    _bstr_t name(L"SWOPTEnabled");
    HRESULT hr = m_spIModuleServices->GetAttribute(name.GetBSTR(), argument, &result);
    if (SUCCEEDED(hr)) {
        switch (result.vt) {
        case VT_BSTR:
            *value = static_cast<LONG>(result.bstrVal ? std::wcstoll(result.bstrVal, nullptr, 10) : 0);
            break;
        case VT_I4:
            *value = result.lVal;
            break;
        case VT_I2:
            *value = result.iVal;
            break;
        case VT_UI1:
            *value = result.bVal;
            break;
        case VT_R4:
            *value = static_cast<LONG>(result.fltVal);
            break;
        default:
            hr = E_UNEXPECTED;
            break;
        }
    }
    if (FAILED(VariantClear(&result)) || FAILED(VariantClear(&argument)))
        PVLog(L"Failed to get VariantClear() return value.");
    return hr;
}

BOOL CPVCtrlRSNetworxBrowseBtn1::OnReflectedCommand(UINT code) {
    if (code != BN_CLICKED)
        return CButton::OnReflectedCommand(code);
    OnClicked();
    return TRUE;
}

void CPVCtrlRSNetworxBrowseBtn1::OnSetFocus(CWnd* oldWnd) {
    CButton::OnSetFocus(oldWnd);
    OnCtrlSetFocus();
}

void CPVCtrlRSNetworxBrowseBtn1::OnClicked() {
    CWnd* page = GetParent();
    CWnd* edit = page ? page->GetDlgItem(static_cast<int>(m_nEditId)) : nullptr;
    CString preset;
    if (edit)
        edit->GetWindowText(preset);
    CFileDialog dialog(TRUE, m_strDefExt, preset, kBrowseFlags,
                       m_strFilter.IsEmpty() ? nullptr : m_strFilter.GetString(), page, 0, TRUE);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    const int dot = path.ReverseFind(L'.');
    if (dot < 0 || path.Mid(dot).CompareNoCase(L".pdf") != 0)
        path += L".pdf";
    if (edit)
        edit->SetWindowText(path);
    IPVPropPageEnum* pageEnum = GetIPVPropPageEnum();
    if (!pageEnum) {
        PVLog(L"Unable to get pointer to IPVPropPageEnum");
        return;
    }
    if (FAILED(pageEnum->CtrlModified(this, GetDialogItemId(), VARIANT_FALSE)))
        PVLog(L"Failed to send ctrl modified to all controls.");
}
