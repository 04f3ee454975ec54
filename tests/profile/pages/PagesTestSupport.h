// The shipped profile module in the host's properties dialog: the module registered
// in the stand-in registry, the host's servers, a project, and the dialog that creates
// the pages by class. What the page tests, the cycle test and the benchmark share.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostContext.h"
#include "host/HostProject.h"
#include "host/HostServers.h"
#include "host/PropertiesDialog.h"
#include "platform/base/Guid.h"
#include "platform/hand/UserHand.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/registry/Registry.h"
#include "platform/user/WinUser.h"
#include "tests/profile/pages/CataloguePages.h"

inline CPropertyPageInfo PageInfo(const CPVPageTable& page) {
    CPropertyPageInfo info;
    CLSIDFromString(page.clsid, &info.clsid);
    info.className = page.className;
    return info;
}

// The members of the recorded calls of one host operation, in order.
inline std::vector<std::wstring> MembersOf(const CHostFaults& faults, const std::wstring& operation) {
    std::vector<std::wstring> members;
    for (const CHostCall& call : faults.CallsOf(operation))
        members.push_back(call.member);
    return members;
}

// The embedded project without some of the members the pages bind; a text no project
// loads from when the embedded one cannot be read.
inline std::string ProjectWithout(const std::vector<std::wstring>& missing) {
    CHostProject project;
    std::string error;
    if (!project.LoadDefault(&error))
        return "embedded project: " + error;
    auto parsed = nlohmann::json::parse(project.ToJson());
    auto& members = parsed["configTag"]["members"];
    for (auto it = members.begin(); it != members.end();) {
        const std::string name = it->at("name");
        bool drop = false;
        for (const std::wstring& m : missing)
            drop = drop || name == std::string(m.begin(), m.end());
        it = drop ? members.erase(it) : it + 1;
    }
    return parsed.dump();
}

// The profile module, loaded and registered for as long as the object lives. Empty
// `error` when it worked.
class CProfileModule {
public:
    CProfileModule() {
        CRegistry::Instance().Clear();
        const char* bin = std::getenv("PV_BIN_DIR");
        if (!bin) {
            error = "PV_BIN_DIR names the folder of the built modules";
            return;
        }
        m_module = LoadLibraryW(CDosPath::ToDos(std::string(bin) + "/PVZQTavrin100.dll").c_str());
        if (!m_module) {
            error = "PVZQTavrin100.dll cannot be loaded";
            return;
        }
        m_canUnloadNow = reinterpret_cast<HRESULT (*)()>(GetProcAddress(m_module, "DllCanUnloadNow"));
        auto registerServer = reinterpret_cast<HRESULT (*)()>(GetProcAddress(m_module, "DllRegisterServer"));
        if (!registerServer || !m_canUnloadNow || FAILED(registerServer()))
            error = "PVZQTavrin100.dll does not register";
    }
    ~CProfileModule() {
        if (m_module)
            FreeLibrary(m_module);
        CRegistry::Instance().Clear();
    }
    CProfileModule(const CProfileModule&) = delete;
    CProfileModule& operator=(const CProfileModule&) = delete;

    HRESULT CanUnloadNow() const { return m_canUnloadNow ? m_canUnloadNow() : E_FAIL; }

    std::string error;

private:
    HMODULE m_module = nullptr;
    HRESULT (*m_canUnloadNow)() = nullptr;
};

// A host with its servers on a project (the embedded one unless JSON is given).
class CProfileHost {
public:
    explicit CProfileHost(const std::string& projectJson = "") {
        CClock::Instance().SetVirtual(true);
        CUserHand::Instance().Reset();
        std::string failure;
        const bool loaded = projectJson.empty()
                                ? context->Project().LoadDefault(&failure)
                                : context->Project().LoadText(projectJson, "test project", &failure);
        if (!loaded)
            error = failure;
        servers = std::make_unique<CHostServers>(context);
        if (error.empty() && FAILED(servers->Register()))
            error = "the host's servers cannot be registered";
        dialog = std::make_unique<CPropertiesDialog>(context);
    }
    ~CProfileHost() {
        dialog.reset();
        servers.reset();
    }
    CProfileHost(const CProfileHost&) = delete;
    CProfileHost& operator=(const CProfileHost&) = delete;

    HRESULT Open(const std::vector<const CPVPageTable*>& pages) {
        m_pages = pages;
        std::vector<CPropertyPageInfo> infos;
        for (const CPVPageTable* page : pages)
            infos.push_back(PageInfo(*page));
        return dialog->Open(infos, L"Module Properties: Local:1:C");
    }
    HWND Item(size_t page, int id) const { return GetDlgItem(dialog->PageWindow(page), id); }
    // The control of page `page` that shows `member`, as the page's table says.
    HWND Control(size_t page, const std::wstring& member) const {
        const CPVControlRow* row = m_pages.at(page)->RowOf(member);
        return row ? Item(page, static_cast<int>(row->item)) : nullptr;
    }
    CTagMember* Member(const std::wstring& name) { return context->Project().ConfigTag().Find(name); }
    // The enumeration code at `index` of an enumeration member.
    LONGLONG CodeAt(const std::wstring& member, int index) {
        return Member(member)->Enumeration().at(static_cast<size_t>(index)).value;
    }
    LONGLONG Value(const std::wstring& member) { return std::get<LONGLONG>(Member(member)->Value()); }
    LONGLONG Stored(const std::wstring& member) { return std::get<LONGLONG>(Member(member)->StoredValue()); }

    std::shared_ptr<CHostContext> context = CHostContext::Create();
    std::unique_ptr<CHostServers> servers;
    std::unique_ptr<CPropertiesDialog> dialog;
    std::string error;

private:
    std::vector<const CPVPageTable*> m_pages;
};
