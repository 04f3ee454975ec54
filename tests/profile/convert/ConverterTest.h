// The fixture of the converter tests: a framework prompt server for the whole test,
// and the checks every conversion row makes on the prompt record.
#pragma once

#include <gtest/gtest.h>

#include "profile/server/PromptInfo.h"
#include "tests/profile/convert/TestPromptServer.h"

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Status()); }
    void TearDown() override {
        EXPECT_EQ(0u, m_registration.Server().m_refs) << "every server reference released";
    }

    // A record filled before the call, to see whether the converter touched it.
    static CPromptInfo Untouched() { return CPromptInfo(L"untouched", L"old.chm", 99); }

    // `promptId` 0: no prompt was asked for and the record is as it was; otherwise
    // exactly that prompt was asked for and the record holds `text` with its help.
    void ExpectPrompt(const CPromptInfo& prompt, LONG promptId, const wchar_t* text) {
        std::vector<LONG>& requested = m_registration.Server().m_requested;
        if (promptId == 0) {
            EXPECT_TRUE(requested.empty()) << "prompt " << (requested.empty() ? 0 : requested[0]);
            EXPECT_EQ(Untouched(), prompt)
                << "text: " << testing::PrintToString(std::wstring(prompt.m_strText));
        } else {
            EXPECT_EQ(std::vector<LONG>{promptId}, requested);
            EXPECT_EQ(std::wstring(text), std::wstring(prompt.m_strText.GetString()));
            EXPECT_EQ(std::wstring(L"framework.chm"), std::wstring(prompt.m_strHelpFile.GetString()));
            EXPECT_EQ(static_cast<DWORD>(CTestPromptServer::HelpContext(promptId)), prompt.m_dwHelpContext);
        }
        requested.clear();
    }
    void ExpectNoPromptAsked() {
        EXPECT_TRUE(m_registration.Server().m_requested.empty());
        m_registration.Server().m_requested.clear();
    }

    CTestPromptServerRegistration m_registration;
};
