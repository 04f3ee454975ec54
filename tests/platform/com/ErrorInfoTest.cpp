#include <gtest/gtest.h>

#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ErrorInfo.h"
#include "platform/oleaut/Bstr.h"
#include "tests/platform/com/CountedObject.h"

namespace {

constexpr IID kFailingInterface{0x7A0E4C11, 0x1D2B, 0x4F3C, {0x8E, 0x5D, 0x6F, 0x70, 0x81, 0x92, 0xA3, 0xB4}};

CComPtr<IErrorInfo> MakeError(const wchar_t* description, DWORD context) {
    CComPtr<ICreateErrorInfo> create;
    EXPECT_EQ(S_OK, CreateErrorInfo(&create));
    create->SetDescription(const_cast<LPOLESTR>(description));
    create->SetSource(const_cast<LPOLESTR>(L"Device"));
    create->SetHelpFile(const_cast<LPOLESTR>(L"C:\\help.chm"));
    create->SetHelpContext(context);
    create->SetGUID(kFailingInterface);
    CComPtr<IErrorInfo> info;
    EXPECT_EQ(S_OK, create.QueryInterface(&info));
    return info;
}

TEST(ErrorInfo, GetHandsOverTheObjectOnceAndClearsIt) {
    ASSERT_EQ(S_OK, SetErrorInfo(0, MakeError(L"Service failed", 42)));
    CComPtr<IErrorInfo> first;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &first));
    ASSERT_TRUE(first);
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, first->GetDescription(&text));
    EXPECT_STREQ(L"Service failed", text);
    SysFreeString(text);
    CComPtr<IErrorInfo> second;
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &second));
    EXPECT_FALSE(second);
}

TEST(ErrorInfo, SetReplacesAndNullClears) {
    SetErrorInfo(0, MakeError(L"old", 1));
    SetErrorInfo(0, MakeError(L"new", 2));
    CComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    DWORD context = 0;
    info->GetHelpContext(&context);
    EXPECT_EQ(2u, context);
    SetErrorInfo(0, MakeError(L"gone", 3));
    SetErrorInfo(0, nullptr);
    CComPtr<IErrorInfo> none;
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &none));
    EXPECT_EQ(E_INVALIDARG, SetErrorInfo(1, nullptr));
}

TEST(ComError, CarriesTheErrorObjectFields) {
    _com_error error(E_FAIL, MakeError(L"Bad value", 7).Detach());
    EXPECT_EQ(E_FAIL, error.Error());
    EXPECT_EQ(L"Bad value", error.Description());
    EXPECT_EQ(L"Device", error.Source());
    EXPECT_EQ(L"C:\\help.chm", error.HelpFile());
    EXPECT_EQ(7u, error.HelpContext());
    EXPECT_TRUE(IsEqualGUID(kFailingInterface, error.GUID_()));
    _com_error copy = error;
    EXPECT_EQ(L"Bad value", copy.Description());
}

TEST(ComError, IssueErrorExTakesTheObjectOnlyWhenTheInterfaceSupportsIt) {
    auto* object = new CCountedObject;
    object->m_errorInterface = kFailingInterface;
    CComPtr<IUnknown> unknown(static_cast<IRunnableObject*>(object));
    struct Case {
        IID asked;
        bool expectInfo;
    } cases[] = {{kFailingInterface, true}, {IUnknown::Iid, false}};
    for (const Case& c : cases) {
        SetErrorInfo(0, MakeError(L"from device", 9));
        try {
            _com_issue_errorex(E_ACCESSDENIED, unknown, c.asked);
        } catch (const _com_error& error) {
            EXPECT_EQ(E_ACCESSDENIED, error.Error());
            EXPECT_EQ(c.expectInfo ? L"from device" : L"", error.Description());
        }
        SetErrorInfo(0, nullptr);
    }
}

TEST(ComError, MessageNamesTheCode) {
    EXPECT_EQ(L"IDispatch error #3", _com_error(MakeHResult(0x80040203)).ErrorMessage());
    EXPECT_EQ(L"Unknown error 0x80004005", _com_error(E_FAIL).ErrorMessage());
}

} // namespace
