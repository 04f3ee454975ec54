// One page's whole life as the host's properties dialog drives it, without the dialog:
// created by class through the registry, initialised, given a window, activated,
// saved, closed as OK closes it, destroyed and released. Beside it, what a page cannot
// avoid: the host calls (each bound enumeration member's index and strings, each other
// bound member's value, read straight from the host's configuration tag) and, when a
// resource library is given, the window system's part: the page's dialog template
// created bare, without the profile, and destroyed. The leak test and the benchmark
// share both.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/HostContext.h"
#include "host/HostParent.h"
#include "platform/base/Guid.h"
#include "platform/base/HResult.h"
#include "platform/com/ClassTable.h"
#include "platform/com/ComPtr.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/user/DialogApi.h"
#include "platform/user/WinUser.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/Panel.h"
#include "profile/interfaces/Tag.h"
#include "tests/profile/pages/CataloguePages.h"

// A plain top-level window to hold the pages' windows, as the host's page area does.
// The caller destroys it.
inline HWND MakeCycleParentWindow() {
    static const wchar_t kClass[] = L"PVPageCycleParent";
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.lpszClassName = kClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"Page cycle", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                           nullptr, nullptr, nullptr, nullptr);
}

// The direct children of `window`: a page leaves none behind once destroyed.
inline int ChildWindowCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

class CPageCycle {
public:
    // `parent` is the host's side of the page (its module hands out the configuration
    // tag); `window` receives the page's window.
    CPageCycle(CComPtr<CHostParent> parent, HWND window) : m_parent(std::move(parent)), m_window(window) {}
    CPageCycle(const CPageCycle&) = delete;
    CPageCycle& operator=(const CPageCycle&) = delete;
    ~CPageCycle() { FreeNames(); }

    // One cycle of the page of class `clsid`, in the host's order: CoCreateInstance,
    // Init, SetLocale, GetSize, Create, Show, OnActivate, then as OK closes the dialog
    // Save, ClearDirty, OnDeactivate, and Destroy and the final Release. The first
    // failure is answered and FailedStep() names its step.
    HRESULT Run(const CLSID& clsid, LCID locale = 1033) {
        m_failedStep.clear();
        m_failure = S_OK;
        CComPtr<IPVChild> child;
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IPVChild::Iid,
                                      reinterpret_cast<void**>(&child));
        if (FAILED(hr) || !child)
            return Fail("CoCreateInstance", FAILED(hr) ? hr : E_NOINTERFACE);
        CComPtr<IPVPanel3> panel;
        if (hr = child.QueryInterface(&panel); FAILED(hr))
            return Fail("QueryInterface(IPVPanel3)", hr);
        if (hr = child->Init(m_parent); FAILED(hr))
            return Fail("Init", hr);
        if (hr = child->SetLocale(locale); FAILED(hr))
            return Fail("SetLocale", hr);
        SIZE size{};
        if (hr = panel->GetSize(&size); FAILED(hr))
            return Fail("GetSize", hr);
        if (hr = panel->Create(m_window); FAILED(hr)) {
            panel->Destroy();
            return Fail("Create", hr);
        }
        // From here on the page has a window, and the host keeps the page whatever it
        // answers: a page that fails to show or activate is still saved and closed with
        // OK, one that fails to save is closed with Cancel. Every way out destroys it.
        Check("Show", panel->Show(SW_SHOW));
        Check("OnActivate", child->OnActivate());
        if (Check("Save", child->Save())) {
            Check("ClearDirty", child->ClearDirty());
            Check("OnDeactivate", child->OnDeactivate());
        }
        Check("Destroy", panel->Destroy());
        panel = nullptr;
        // The host's last reference, released by hand only to see that it was the last:
        // a page that outlives it has leaked a reference to itself.
        if (child.Detach()->Release() != 0)
            Check("Release", E_UNEXPECTED);
        return m_failure;
    }

    // The library whose dialog templates the floor creates bare; null: none are.
    void SetTemplateLibrary(HMODULE resources) { m_templates = resources; }

    // The floor of one cycle of `page`: on the host's configuration tag GetEnumIndex and
    // GetEnumStrings of each bound enumeration member (freeing the strings) and
    // GetValue of each other bound member, then its dialog template created bare and
    // destroyed.
    HRESULT RunFloor(const CPVPageTable& page) {
        m_failedStep.clear();
        const std::vector<std::wstring> enumerations = BoundMembers(page, true);
        std::vector<std::wstring> members = enumerations;
        for (const std::wstring& member : BoundMembers(page, false))
            members.push_back(member);
        if (HRESULT hr = UseNames(members); FAILED(hr))
            return hr;
        for (size_t i = 0; i < m_names.size(); ++i)
            if (HRESULT hr = i < enumerations.size() ? ReadEnumeration(m_names[i]) : ReadValue(m_names[i]);
                FAILED(hr))
                return hr;
        if (!m_templates)
            return S_OK;
        const HWND bare = CreateDialogParamW(m_templates, MAKEINTRESOURCEW(page.dialogTemplate), m_window,
                                             &BareDialogProc, 0);
        if (!bare)
            return Fail("CreateDialogParamW", E_FAIL);
        DestroyWindow(bare);
        return S_OK;
    }

    // The members `page` binds, in its binding order: its enumerations, or the others.
    static std::vector<std::wstring> BoundMembers(const CPVPageTable& page, bool enumerations) {
        std::vector<std::wstring> members;
        for (size_t i = 0; i < page.rows.size(); ++i) {
            const CPVControlRow& row = page.BoundRow(i);
            if (row.value != PVValue::None && (row.value == PVValue::Enumeration) == enumerations)
                members.push_back(row.member);
        }
        return members;
    }

    // The step that failed last; empty after a cycle that succeeded.
    const std::string& FailedStep() const { return m_failedStep; }
    // The floor's configuration tag (null before the first RunFloor).
    ITag* ConfigTag() const { return m_tag; }
    // Drops the floor's tag and names, so that the host's objects can be counted.
    void ReleaseFloor() {
        m_tag = nullptr;
        FreeNames();
        m_members.clear();
    }

private:
    static INT_PTR CALLBACK BareDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    // The tag and the members' names, had once: they are the caller's, not part of what
    // is measured.
    HRESULT UseNames(const std::vector<std::wstring>& members) {
        if (!m_tag) {
            CComPtr<IModule> module;
            if (HRESULT hr = m_parent->GetModule(&module); FAILED(hr))
                return Fail("GetModule", hr);
            if (HRESULT hr = module->GetConfigTag(&m_tag); FAILED(hr))
                return Fail("GetConfigTag", hr);
        }
        if (m_members != members) {
            FreeNames();
            m_members = members;
            for (const std::wstring& member : members)
                m_names.push_back(SysAllocStringLen(member.c_str(), static_cast<UINT>(member.size())));
        }
        return S_OK;
    }
    HRESULT ReadEnumeration(BSTR name) {
        LONG index = -1;
        if (HRESULT hr = m_tag->GetEnumIndex(name, &index); FAILED(hr))
            return Fail("GetEnumIndex", hr);
        SAFEARRAY* strings = nullptr;
        const HRESULT hr = m_tag->GetEnumStrings(name, &strings);
        if (strings)
            SafeArrayDestroy(strings);
        return FAILED(hr) ? Fail("GetEnumStrings", hr) : S_OK;
    }
    HRESULT ReadValue(BSTR name) {
        VARIANT value;
        VariantInit(&value);
        const HRESULT hr = m_tag->GetValue(name, &value);
        VariantClear(&value);
        return FAILED(hr) ? Fail("GetValue", hr) : S_OK;
    }
    HRESULT Fail(const char* step, HRESULT hr) {
        m_failedStep = step;
        return hr;
    }
    // Keeps the first failure of a cycle; true when `hr` succeeded.
    bool Check(const char* step, HRESULT hr) {
        if (SUCCEEDED(hr))
            return true;
        if (SUCCEEDED(m_failure)) {
            m_failure = hr;
            m_failedStep = step;
        }
        return false;
    }
    void FreeNames() {
        for (BSTR name : m_names)
            SysFreeString(name);
        m_names.clear();
    }

    CComPtr<CHostParent> m_parent;
    HWND m_window;
    CComPtr<ITag> m_tag;
    std::vector<std::wstring> m_members;
    std::vector<BSTR> m_names;
    HMODULE m_templates = nullptr;
    std::string m_failedStep;
    HRESULT m_failure = S_OK;
};
