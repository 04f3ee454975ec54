#include <gtest/gtest.h>

#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "platform/com/ClassTable.h"
#include "platform/com/ComError.h"
#include "platform/oleaut/Bstr.h"
#include "platform/shell/ShellFolders.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/FilePath.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"
#include "profile/server/StringServerWrapper.h"

namespace {

struct SeparatorCase {
    const wchar_t* text;
    bool result;
    int first;
    int second;
};

TEST(FindTwoSeparators, Table) {
    const SeparatorCase cases[] = {
        {L"12:30:15", true, 2, 5}, {L"1:2:3:4", false, -1, -1}, {L"12:30", true, 2, -1},
        {L"1230", true, -1, -1},   {L"", true, -1, -1},         {L"::", true, 0, 1},
    };
    for (const SeparatorCase& c : cases) {
        int first = 99, second = 99;
        EXPECT_EQ(c.result, FindTwoSeparators(c.text, L':', &first, &second)) << c.text;
        EXPECT_EQ(c.first, first) << c.text;
        EXPECT_EQ(c.second, second) << c.text;
    }
}

TEST(FindSingleSeparator, Table) {
    const SeparatorCase cases[] = {{L"3.5", true, 1, 0}, {L"35", true, -1, 0}, {L"3.5.1", false, -1, 0}};
    for (const SeparatorCase& c : cases) {
        int pos = 99;
        EXPECT_EQ(c.result, FindSingleSeparator(c.text, L'.', &pos)) << c.text;
        EXPECT_EQ(c.first, pos) << c.text;
    }
}

TEST(SmallHelpers, OnlineModesAndAutomationTrue) {
    const struct {
        LONG mode;
        bool online;
    } modes[] = {{0, false}, {1, true}, {3, true}, {6, true}, {7, false}, {8, false}, {-1, false}};
    for (const auto& m : modes)
        EXPECT_EQ(m.online, IsOnlineMode(m.mode)) << m.mode;
    EXPECT_TRUE(IsVariantTrue(VARIANT_TRUE));
    EXPECT_FALSE(IsVariantTrue(1));
    EXPECT_FALSE(IsVariantTrue(VARIANT_FALSE));
    EXPECT_TRUE(IsSucceeded(S_FALSE));
    EXPECT_FALSE(IsSucceeded(E_FAIL));
}

TEST(InterfaceIsValid, LogsANullPointer) {
    CAopLogCapture capture;
    int object = 0;
    EXPECT_TRUE(InterfaceIsValid(&object));
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_FALSE(InterfaceIsValid(nullptr));
    ASSERT_EQ(1u, capture.Records().size());
    EXPECT_EQ(L"Error: Interface pointer check failed!", capture.Records()[0].message);
    EXPECT_EQ(L"PVComponentsGlobals", capture.Records()[0].source);
    EXPECT_EQ(L"InterfaceIsValid", capture.Records()[0].function);
}

TEST(PVLog, QualifiedNamesAsTheLogShowsThem) {
    const struct {
        const char* pretty;
        const wchar_t* expected;
    } cases[] = {
        {"virtual HRESULT CPVPanel::Init(IPVParent*)", L"CPVPanel::Init"},
        {"HRESULT CPVPropPageClassFactory<T>::CreateInstance(IUnknown*, REFIID, void**) [with T = X]",
         L"CPVPropPageClassFactory::CreateInstance"},
        {"bool InterfaceIsValid(const void*)", L"InterfaceIsValid"},
        {"CPVPanelEnum::~CPVPanelEnum()", L"CPVPanelEnum::~CPVPanelEnum"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, PVLogQualifiedName(c.pretty)) << c.pretty;
    EXPECT_EQ(L"PVPanelEnum", PVLogSourceName("/src/profile/panel/PVPanelEnum.cpp"));
}

TEST(PrefixPromptText, PrefixesTheMemberName) {
    CPromptInfo info(L"Value too large.", L"help.chm", 12);
    PrefixPromptText(&info, L"Totalizer");
    EXPECT_EQ(CString(L"Totalizer:  Value too large."), info.m_strText);
    PrefixPromptText(&info, nullptr);
    PrefixPromptText(nullptr, L"x");
    EXPECT_EQ(CString(L"Totalizer:  Value too large."), info.m_strText);
}

TEST(PromptInfo, EqualityComparesAllFieldsAndClearEmpties) {
    const CPromptInfo base(L"Text", L"file.chm", 5);
    EXPECT_EQ(base, CPromptInfo(L"Text", L"file.chm", 5));
    EXPECT_NE(base, CPromptInfo(L"text", L"file.chm", 5));
    EXPECT_NE(base, CPromptInfo(L"Text", L"other.chm", 5));
    EXPECT_NE(base, CPromptInfo(L"Text", L"file.chm", 6));
    CPromptInfo cleared = base;
    cleared.Clear();
    EXPECT_EQ(CPromptInfo(), cleared);
}

TEST(FilePath, Pieces) {
    const struct {
        const wchar_t* path;
        const wchar_t* directory;
        const wchar_t* name;
        const wchar_t* nameWithExtension;
        const wchar_t* extension;
    } cases[] = {
        {L"Z:\\a\\b\\PVZQTavrin100.dll", L"Z:\\a\\b", L"PVZQTavrin100", L"PVZQTavrin100.dll", L"dll"},
        {L"plain", L"", L"plain", L"plain", L""},
        {L"C:\\dir.x\\file", L"C:\\dir.x", L"file", L"file", L"x\\file"},
    };
    for (const auto& c : cases) {
        CFilePath path(c.path);
        EXPECT_EQ(CString(c.directory), path.GetDirectory()) << c.path;
        EXPECT_EQ(CString(c.name), path.GetFileName()) << c.path;
        EXPECT_EQ(CString(c.nameWithExtension), path.GetFileName(true)) << c.path;
        EXPECT_EQ(CString(c.extension), path.GetExtension()) << c.path;
    }
    EXPECT_FALSE(CFilePath().Exists());
    EXPECT_FALSE(CFilePath::Exists(L"Z:\\no\\such\\file"));
    EXPECT_TRUE(CFilePath::Exists(L"Z:\\"));
}

TEST(HelpFilePath, ProgramFilesNameLanguageAndExtension) {
    CShellFolders::SetFolder(0x26, L"C:\\Program Files");
    EXPECT_EQ(CString(L"C:\\Program Files\\Help\\Flow DEU.chm"), GetHelpFilePath(L"\\\\Help\\Flow ", 1031));
    CFaultInjector::Instance().Inject("SHGetFolderPathW", E_FAIL);
    EXPECT_EQ(CString(), GetHelpFilePath(L"Help", 1033));
    CFaultInjector::Instance().ClearAll();
}

// A host text server: prompts and strings by id, with a locale it records.
class CTextServer final : public IPVPromptServer, public IPVStringServer, public IPVLocale {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IUnknown::Iid) || IsEqualIID(riid, IPVPromptServer::Iid))
            *ppv = static_cast<IPVPromptServer*>(this);
        else if (IsEqualIID(riid, IPVStringServer::Iid))
            *ppv = static_cast<IPVStringServer*>(this);
        else if (IsEqualIID(riid, IPVLocale::Iid))
            *ppv = static_cast<IPVLocale*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override {
        locale = lcid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPrompt(LONG id, BSTR* helpFile, LONG* context, BSTR* text) override {
        if (id != 7)
            return E_INVALIDARG;
        *helpFile = SysAllocString(L"framework.chm");
        *context = 0x700;
        *text = SysAllocString(L"Enter a value from %1 to %2.");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetString(LONG id, BSTR* text) override {
        if (id != 3)
            return E_FAIL;
        *text = SysAllocString(accelerators ? L"&OK" : L"OK");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetWithAccelerators(VARIANT_BOOL with) override {
        accelerators = with == VARIANT_TRUE;
        return S_OK;
    }
    ULONG refs = 0;
    LCID locale = 0;
    bool accelerators = false;
};

class CServerFactory final : public IClassFactory {
public:
    explicit CServerFactory(CTextServer* server) : m_server(server) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** ppv) override {
        return m_server->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    CTextServer* m_server;
};

class TextServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoRegisterClassObject(CLSID_PVFrameworkPromptServer, &factory, CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &promptCookie);
        CoRegisterClassObject(CLSID_PVStringServer, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                              &stringCookie);
    }
    void TearDown() override {
        CoRevokeClassObject(promptCookie);
        CoRevokeClassObject(stringCookie);
        CFaultInjector::Instance().ClearAll();
        EXPECT_EQ(0u, server.refs) << "every server reference is released";
    }
    CTextServer server;
    CServerFactory factory{&server};
    DWORD promptCookie = 0;
    DWORD stringCookie = 0;
};

TEST_F(TextServerTest, FrameworkPromptFillsInsertsAndHelp) {
    CPromptInfo info(L"old", L"old.chm", 1);
    ASSERT_EQ(S_OK, GetFrameworkPrompt(7, L"0", L"100", &info));
    EXPECT_EQ(CString(L"Enter a value from 0 to 100."), info.m_strText);
    EXPECT_EQ(CString(L"framework.chm"), info.m_strHelpFile);
    EXPECT_EQ(0x700u, info.m_dwHelpContext);
}

TEST_F(TextServerTest, FailingLookUpIsReturnedAndLeavesTheRecordCleared) {
    CPromptInfo info(L"old", L"old.chm", 1);
    EXPECT_EQ(E_INVALIDARG, GetFrameworkPrompt(99, L"x", &info));
    EXPECT_EQ(CPromptInfo(), info);
    EXPECT_EQ(E_INVALIDARG, GetFrameworkPrompt(7, nullptr));
    CFaultInjector::Instance().Inject("CoCreateInstance", REGDB_E_CLASSNOTREG);
    info = CPromptInfo(L"old", L"old.chm", 1);
    EXPECT_EQ(E_UNEXPECTED, GetFrameworkPrompt(7, &info))
        << "without a server GetPrompt answers E_UNEXPECTED";
    EXPECT_EQ(CPromptInfo(), info);
}

TEST_F(TextServerTest, StringServerGivesTextsAndTellsTheLocale) {
    CStringServerWrapper strings;
    const LCID german = 1031;
    ASSERT_EQ(S_OK, strings.Create(CLSID_PVStringServer, &german));
    EXPECT_EQ(1031u, server.locale);
    EXPECT_EQ(CString(L"OK"), strings.GetString(3));
    strings.SetWithAccelerators(true);
    EXPECT_EQ(CString(L"&OK"), strings.GetString(3));
    EXPECT_EQ(CString(), strings.GetString(4)) << "a failing server gives empty text";
}

TEST_F(TextServerTest, StringServerWithoutServer) {
    CFaultInjector::Instance().Inject("CoCreateInstance", REGDB_E_CLASSNOTREG);
    CStringServerWrapper strings;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, strings.Create(CLSID_PVStringServer));
    EXPECT_EQ(CString(), strings.GetString(3));
    try {
        strings.SetWithAccelerators(true);
        FAIL() << "no COM error raised";
    } catch (const _com_error& error) {
        EXPECT_EQ(E_POINTER, error.Error());
    }
}

} // namespace
