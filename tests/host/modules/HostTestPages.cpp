// A page module for the properties dialog's tests: two page classes that implement the
// panel interfaces the host drives, each with a real child window holding a label, an
// edit bound to a REAL member, a combo box bound to an enumeration member, a button
// that only works online, a read-only edit and a group frame. Every call the host
// makes is recorded, so that tests compare the order with the one the host must keep.
#include <cwchar>
#include <string>
#include <vector>

#include "platform/base/Guid.h"
#include "platform/base/HResult.h"
#include "platform/com/ComPtr.h"
#include "platform/kernel/Module.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/Variant.h"
#include "platform/registry/Registry.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/PVParent.h"
#include "profile/interfaces/Panel.h"
#include "profile/interfaces/Tag.h"

namespace {

HINSTANCE g_instance = nullptr;
LONG g_livePages = 0;
std::vector<std::wstring> g_log;
std::wstring g_lastExtendedInfo;

constexpr int kLabelId = 1000;
constexpr int kValueId = 1001;
constexpr int kModeId = 1002;
constexpr int kResetId = 1003;
constexpr int kSerialId = 1004;
constexpr int kFrameId = 1005;
constexpr DWORD kGroupBoxStyle = 0x0007;
// A value the edit cannot convert: the page refuses to be left, as the profile's
// pages do with a failed conversion.
constexpr HRESULT kConversionFailed = static_cast<HRESULT>(0x80040200);
constexpr wchar_t kWindowClass[] = L"HostTestPageWindow";
constexpr wchar_t kValueMember[] = L"LowFlowCutOffLowFlowCutOnVal";
constexpr wchar_t kModeMember[] = L"ProcessFlowOverride";

struct CPageKind {
    const wchar_t* letter;
    const wchar_t* name;
    const wchar_t* clsid;
    const wchar_t* title;
};

const CPageKind kKinds[] = {
    {L"A", L"HostTestPageA Page", L"{6E1D0C4B-3A29-4F18-9D07-A1B2C3D4E5F6}", L"First Test Page"},
    {L"B", L"HostTestPageB Page", L"{7F2E1D5C-4B3A-4029-8E18-B2C3D4E5F607}", L"Second Test Page"},
};

class CHostTestPage : public IPVChild,
                      public IPVPanel3,
                      public IPVEventHandler2,
                      public IPVExtendedInfoXml2,
                      public IPVProvideHelp {
public:
    explicit CHostTestPage(const CPageKind& kind) : m_kind(kind) { ++g_livePages; }
    ~CHostTestPage() override { --g_livePages; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IUnknown::Iid || riid == IPVChild::Iid)
            *ppv = static_cast<IPVChild*>(this);
        else if (riid == IPVPanel::Iid || riid == IPVPanel2::Iid || riid == IPVPanel3::Iid)
            *ppv = static_cast<IPVPanel3*>(this);
        else if (riid == IPVEventHandler2::Iid)
            *ppv = static_cast<IPVEventHandler2*>(this);
        else if (riid == IPVExtendedInfoXml::Iid || riid == IPVExtendedInfoXml2::Iid)
            *ppv = static_cast<IPVExtendedInfoXml2*>(this);
        else if (riid == IPVProvideHelp::Iid)
            *ppv = static_cast<IPVProvideHelp*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) {
            Record(L"Release");
            delete this;
        }
        return left;
    }

    // IPVChild
    HRESULT STDMETHODCALLTYPE Init(IPVParent* parent) override {
        Record(L"Init");
        if (!parent)
            return E_INVALIDARG;
        m_parent = parent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Save() override {
        Record(L"Save");
        return WriteValues();
    }
    HRESULT STDMETHODCALLTYPE Refresh() override {
        Record(L"Refresh");
        LoadValues();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearDirty() override {
        Record(L"ClearDirty");
        m_dirty = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG, BSTR, IErrorInfo**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE ReservedA() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostModDefChange() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override {
        Record(L"SetLocale " + std::to_wstring(lcid));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnActivate() override {
        Record(L"OnActivate");
        if (!m_dirty)
            LoadValues();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeactivate() override {
        Record(L"OnDeactivate");
        return WriteValues();
    }
    HRESULT STDMETHODCALLTYPE ReservedB(LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TakeFocus() override { return S_OK; }

    // IPVPanel3
    HRESULT STDMETHODCALLTYPE Create(HWND parent) override {
        Record(L"Create");
        m_hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, m_kind.title, WS_CHILD | WS_CLIPSIBLINGS,
                                 0, 0, 280, 170, parent, nullptr, g_instance, nullptr);
        if (!m_hwnd)
            return E_FAIL;
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Control(0, WC_BUTTONW, L"Settings", kGroupBoxStyle, 4, 2, 272, 164, kFrameId);
        Control(0, WC_STATICW, L"Low flow cut on:", SS_LEFT, 12, 24, 110, 16, kLabelId);
        Control(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 130, 20, 120, 21, kValueId);
        HWND mode = Control(0, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST, 130, 52, 120, 120, kModeId);
        SendMessageW(mode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Off"));
        SendMessageW(mode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"On"));
        // Offline the device cannot be reset.
        Control(0, WC_BUTTONW, L"Reset device", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 130, 84, 120, 23,
                kResetId);
        Control(WS_EX_CLIENTEDGE, WC_EDITW, L"HT-0001", ES_READONLY, 130, 118, 120, 21, kSerialId);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Destroy() override {
        Record(L"Destroy");
        if (!m_hwnd || !IsWindow(m_hwnd))
            return S_FALSE;
        const BOOL destroyed = DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
        return destroyed ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Show(INT nCmdShow) override {
        Record(L"Show " + std::to_wstring(nCmdShow));
        if (!IsWindow(m_hwnd))
            return E_UNEXPECTED;
        EnableWindow(m_hwnd, nCmdShow == SW_SHOW);
        ShowWindow(m_hwnd, nCmdShow);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Move(const RECT* rect) override {
        Record(L"Move");
        if (!IsWindow(m_hwnd))
            return E_UNEXPECTED;
        if (!rect)
            return E_POINTER;
        MoveWindow(m_hwnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPanelTitle(BSTR* title) override {
        if (!title)
            return E_POINTER;
        if (!IsWindow(m_hwnd))
            return E_UNEXPECTED;
        *title = SysAllocString(m_kind.title);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSize(SIZE* size) override {
        Record(L"GetSize");
        if (!size)
            return E_POINTER;
        *size = SIZE{280, 170};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBannerTitle(BSTR* title) override { return GetPanelTitle(title); }
    HRESULT STDMETHODCALLTYPE GetPanelDefaultExpandedState(VARIANT_BOOL* expanded) override {
        if (!expanded)
            return E_POINTER;
        *expanded = VARIANT_TRUE;
        return S_OK;
    }

    // IPVEventHandler2
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override {
        Record(L"LogixStateChanged " + std::to_wstring(state));
        if (HWND reset = GetDlgItem(m_hwnd, kResetId))
            EnableWindow(reset, state >= 1 && state <= 6);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Flush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DataChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reverted() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override { return S_OK; }

    // IPVExtendedInfoXml2
    HRESULT STDMETHODCALLTYPE SetExtendedInfo(BSTR xml) override {
        Record(L"SetExtendedInfo");
        g_lastExtendedInfo = xml ? std::wstring(xml, SysStringLen(xml)) : std::wstring();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetExtendedInfo2(BSTR xml, LONG) override { return SetExtendedInfo(xml); }

    // IPVProvideHelp
    HRESULT STDMETHODCALLTYPE ShowHelp() override {
        Record(L"ShowHelp");
        return S_OK;
    }

    void OnCommand(int id, int code) {
        if ((id == kValueId && code == EN_CHANGE) || (id == kModeId && code == CBN_SELCHANGE)) {
            if (m_loading)
                return;
            m_dirty = true;
            if (m_parent)
                m_parent->SetProfileDirty(static_cast<IPVPanel3*>(this));
        }
        // Resetting asks first, as a page does before it acts on the device.
        if (id == kResetId && code == BN_CLICKED)
            Record(L"Reset " + std::to_wstring(MessageBoxW(m_hwnd, L"Reset the device to its factory settings?",
                                                           L"Reset device", MB_YESNO | MB_ICONQUESTION)));
    }

private:
    void Record(const std::wstring& call) { g_log.push_back(std::wstring(m_kind.letter) + L":" + call); }

    HWND Control(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx,
                 int cy, int id) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
    }

    CComPtr<ITag> ConfigTag() {
        CComPtr<IModule> module;
        CComPtr<ITag> tag;
        if (m_parent && SUCCEEDED(m_parent->GetModule(&module)) && module)
            module->GetConfigTag(&tag);
        return tag;
    }

    void LoadValues() {
        CComPtr<ITag> tag = ConfigTag();
        if (!tag || !IsWindow(m_hwnd))
            return;
        m_loading = true;
        VARIANT value;
        VariantInit(&value);
        BSTR member = SysAllocString(kValueMember);
        if (SUCCEEDED(tag->GetValue(member, &value)) && value.vt == VT_R4) {
            wchar_t text[64];
            std::swprintf(text, 64, L"%g", static_cast<double>(value.fltVal));
            SetDlgItemTextW(m_hwnd, kValueId, text);
        }
        VariantClear(&value);
        SysFreeString(member);
        member = SysAllocString(kModeMember);
        LONG index = -1;
        if (SUCCEEDED(tag->GetEnumIndex(member, &index)))
            SendDlgItemMessageW(m_hwnd, kModeId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SysFreeString(member);
        m_loading = false;
    }

    HRESULT WriteValues() {
        if (!m_dirty || !IsWindow(m_hwnd))
            return S_OK;
        wchar_t text[64] = {};
        GetDlgItemTextW(m_hwnd, kValueId, text, 64);
        wchar_t* end = nullptr;
        const double number = std::wcstod(text, &end);
        if (text[0] == L'\0' || (end && *end != L'\0')) {
            if (m_parent) {
                BSTR message = SysAllocString((std::wstring(L"Not a number: ") + text).c_str());
                m_parent->ShowError(message, nullptr, 0);
                SysFreeString(message);
            }
            return kConversionFailed;
        }
        CComPtr<ITag> tag = ConfigTag();
        if (!tag)
            return E_FAIL;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = static_cast<float>(number);
        BSTR member = SysAllocString(kValueMember);
        HRESULT hr = tag->SetValue(member, value);
        SysFreeString(member);
        const LRESULT mode = SendDlgItemMessageW(m_hwnd, kModeId, CB_GETCURSEL, 0, 0);
        if (SUCCEEDED(hr) && mode >= 0) {
            member = SysAllocString(kModeMember);
            hr = tag->SetEnumIndex(member, static_cast<LONG>(mode));
            SysFreeString(member);
        }
        return hr;
    }

    const CPageKind& m_kind;
    ULONG m_refs = 0;
    CComPtr<IPVParent> m_parent;
    HWND m_hwnd = nullptr;
    bool m_dirty = false;
    bool m_loading = false;
};

LRESULT CALLBACK PageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        if (auto* page = reinterpret_cast<CHostTestPage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            page->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class CHostTestFactory final : public IClassFactory {
public:
    explicit CHostTestFactory(const CPageKind& kind) : m_kind(kind) {}
    virtual ~CHostTestFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid != IUnknown::Iid && riid != IClassFactory::Iid)
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CComPtr<IPVChild> page(new CHostTestPage(m_kind));
        return page->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    const CPageKind& m_kind;
    ULONG m_refs = 0;
};

LONG SetDefault(HKEY key, const std::wstring& text) {
    return RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

} // namespace

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        WNDCLASSW wc{};
        wc.lpfnWndProc = &PageWindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kWindowClass;
        RegisterClassW(&wc);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterClassW(kWindowClass, instance);
    }
    return TRUE;
}

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    for (const CPageKind& kind : kKinds) {
        CLSID candidate{};
        if (SUCCEEDED(CLSIDFromString(kind.clsid, &candidate)) && candidate == clsid) {
            CComPtr<IClassFactory> factory(new CHostTestFactory(kind));
            return factory->QueryInterface(riid, ppv);
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT DllCanUnloadNow() {
    return g_livePages == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(g_instance, path, MAX_PATH) == 0)
        return E_FAIL;
    for (const CPageKind& kind : kKinds) {
        HKEY classKey = nullptr;
        HKEY serverKey = nullptr;
        const std::wstring name = std::wstring(L"CLSID\\") + kind.clsid;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &classKey, nullptr) != ERROR_SUCCESS)
            return E_FAIL;
        LONG status = SetDefault(classKey, kind.name);
        if (status == ERROR_SUCCESS)
            status = RegCreateKeyExW(classKey, L"InProcServer32", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                     &serverKey, nullptr);
        if (status == ERROR_SUCCESS) {
            status = SetDefault(serverKey, path);
            RegCloseKey(serverKey);
        }
        RegCloseKey(classKey);
        if (status != ERROR_SUCCESS)
            return E_FAIL;
    }
    return S_OK;
}

extern "C" HRESULT DllUnregisterServer() {
    for (const CPageKind& kind : kKinds) {
        const std::wstring name = std::wstring(L"CLSID\\") + kind.clsid;
        RegDeleteKeyW(HKEY_CLASSES_ROOT, (name + L"\\InProcServer32").c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, name.c_str());
    }
    return S_OK;
}

// What the tests read back: the calls in order ("A:Init", ...) and the last
// extended-info text a page received.
extern "C" std::vector<std::wstring>* HostTestPagesLog() {
    return &g_log;
}

extern "C" const std::wstring* HostTestPagesLastExtendedInfo() {
    return &g_lastExtendedInfo;
}
