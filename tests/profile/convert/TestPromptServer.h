// A framework prompt server for converter tests and fuzz runs: registered in-process
// under the host's class id, it answers prompts 2 to 7, 14, 20 and 21 with texts that carry %1..%3,
// so that a test sees which prompt was asked for and what was inserted.
#pragma once

#include <vector>

#include "profile/interfaces/TextServers.h"

class CTestPromptServer final : public IPVPromptServer, public IPVLocale {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE GetPrompt(LONG id, BSTR* helpFile, LONG* helpContext, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override;

    // The message pattern of a prompt number, null for numbers the server lacks.
    static const wchar_t* PromptText(LONG id);
    static LONG HelpContext(LONG id) { return 0x100 + id; }

    // Prompt numbers asked for, in order.
    std::vector<LONG> m_requested;
    ULONG m_refs = 0;
};

// Registers a CTestPromptServer as the framework prompt server for its lifetime.
class CTestPromptServerRegistration {
public:
    CTestPromptServerRegistration();
    ~CTestPromptServerRegistration();
    CTestPromptServerRegistration(const CTestPromptServerRegistration&) = delete;
    CTestPromptServerRegistration& operator=(const CTestPromptServerRegistration&) = delete;

    CTestPromptServer& Server() { return m_server; }
    HRESULT Status() const { return m_status; }

private:
    class CFactory final : public IClassFactory {
    public:
        explicit CFactory(CTestPromptServer* server) : m_server(server) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        // The factory lives as long as the registration that owns it.
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
        HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    private:
        CTestPromptServer* m_server;
    };

    CTestPromptServer m_server;
    CFactory m_factory{&m_server};
    DWORD m_cookie = 0;
    HRESULT m_status = E_FAIL;
};
