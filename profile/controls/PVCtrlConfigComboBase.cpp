#include "profile/controls/PVCtrlConfigComboBase.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/user/Controls.h"
#include "profile/values/IPVGetSetValue.h"

BOOL CPVCtrlConfigComboBase::FirstValidity(bool valid) {
    if (m_bInitialized)
        return FALSE;
    m_bInitialized = TRUE;
    m_bValid = valid;
    return valid ? TRUE : FALSE;
}

HRESULT CPVCtrlConfigComboBase::SaveIfDirty() {
    if (!IsDirty())
        return S_OK;
    const HRESULT hr = SaveValue();
    if (SUCCEEDED(hr))
        ClearDirty();
    return hr;
}

HRESULT CPVCtrlConfigComboBase::RefreshIfClean() {
    return IsDirty() ? S_OK : LoadValue();
}

HRESULT CPVCtrlConfigComboBase::ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) {
    IPVGetSetValue* value = GetValueObject();
    if (!m_bValid || !value || value->ContainsMemberName(memberName) != S_OK)
        return E_FAIL;
    return DefaultValidationErrorHandler(code, memberName, error);
}

void CPVCtrlConfigComboBase::SelectQuietly(int index) {
    const BOOL tracking = GetTrackChanges();
    SetTrackChanges(FALSE);
    SetCurSel(index);
    SetTrackChanges(tracking);
}

HRESULT CPVCtrlConfigComboBase::AppendStrings(IPVGetSetValue* strings, int first, int last) {
    CString text;
    const HRESULT hr = strings->GetValue(&text, kStringsSelector, nullptr);
    if (FAILED(hr))
        return hr;
    int index = 0;
    int start = 0;
    for (int end = text.Find(L'\n'); end >= 0; end = text.Find(L'\n', start), ++index) {
        if (index >= first && (last < 0 || index <= last))
            AddString(text.Mid(start, end - start));
        start = end + 1;
    }
    return S_OK;
}

int CPVCtrlConfigComboBase::WidestItemWidth() const {
    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return 0;
    HGDIOBJ oldFont = SelectObject(dc, GetFont());
    int widest = 0;
    CString text;
    for (int i = 0; i < GetCount(); ++i) {
        GetLBText(i, text);
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text, text.GetLength(), &size))
            widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    return widest;
}

void CPVCtrlConfigComboBase::ApplyDroppedSize(int height, int width) {
    const DWORD style = GetStyle();
    if (style & WS_HSCROLL)
        height += GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_VSCROLL)
        width += GetSystemMetrics(SM_CXVSCROLL);
    // A drop-down list's window height is its field and its list together.
    RECT closed{};
    CWnd::GetWindowRect(&closed);
    SetWindowPos(nullptr, 0, 0, closed.right - closed.left, (closed.bottom - closed.top) + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetDroppedWidth(static_cast<UINT>(width));
}

BOOL CPVCtrlConfigComboBase::OnReflectedCommand(UINT code) {
    switch (code) {
    case CBN_DROPDOWN:
        SizeDroppedList();
        m_nCommittedSel = GetCurSel();
        m_nPendingSel = m_nCommittedSel;
        return TRUE;
    case CBN_SELCHANGE:
        if (IsReadOnly())
            SetCurSel(m_nCommittedSel);
        else if (GetDroppedState())
            m_nPendingSel = GetCurSel();
        return TRUE;
    case CBN_SELENDCANCEL:
        if (GetDroppedState())
            m_nPendingSel = m_nCommittedSel;
        return TRUE;
    case CBN_SELENDOK:
        OnSelectionConfirmed();
        return TRUE;
    case CBN_CLOSEUP:
        SetCurSel(m_nPendingSel);
        return TRUE;
    default:
        return FALSE;
    }
}

void CPVCtrlConfigComboBase::OnSelectionConfirmed() {
    if (IsReadOnly()) {
        SetCurSel(m_nCommittedSel);
        return;
    }
    m_nPendingSel = GetCurSel();
    if (m_nPendingSel != m_nCommittedSel) {
        OnCtrlModified();
        m_nCommittedSel = m_nPendingSel;
    }
}

void CPVCtrlConfigComboBase::OnKeyDown(UINT vk, UINT repeat, UINT flags) {
    // Left and right would step through the items without opening the list.
    if (vk == VK_LEFT || vk == VK_RIGHT)
        return;
    if (vk >= 32 && vk != 127)
        ShowDropDown(TRUE);
    CComboBox::OnKeyDown(vk, repeat, flags);
}

void CPVCtrlConfigComboBase::OnSetFocus(CWnd* oldWnd) {
    CComboBox::OnSetFocus(oldWnd);
    OnCtrlSetFocus();
}
