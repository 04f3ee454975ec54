// The configuration edit boxes on the process and low-flow templates, bound to the
// host's default project, with its prompt servers registered: what the edit box tests
// share.
#pragma once

#include <memory>

#include "host/HostServers.h"
#include "platform/kernel/Clock.h"
#include "platform/user/UserRecorder.h"
#include "profile/controls/PVCtrlConfigDependEditFloat.h"
#include "profile/controls/PVCtrlConfigEditFloat.h"
#include "profile/controls/PVCtrlConfigEditInteger.h"
#include "profile/resources/ResourceIds.h"
#include "profile/values/PVGetSetFloat.h"
#include "profile/values/PVGetSetFloat2.h"
#include "tests/profile/controls/ControlPageSupport.h"

// The process page: "SystemDamping" (0 to 15) in an integer box and
// "ProcessConductivityDamping" (0 to 999.9) in a float box with one decimal.
struct ProcessEditPage : PageOnHost {
    CHostServers servers{context};
    CPVCtrlConfigEditInteger integer{IDC_PROCESS_DAMPING};
    CPVCtrlConfigEditFloat real{IDC_PROCESS_CONDUCTIVITY_DAMPING};

    // Text limit and sign flags of both boxes.
    explicit ProcessEditPage(UINT limit = 12, UINT flags = 3) : PageOnHost(IDD_PROCESS) {
        EXPECT_EQ(S_OK, servers.Register());
        Add(&integer);
        Add(&real);
        Create();
        Subclass(integer, IDC_PROCESS_DAMPING);
        Subclass(real, IDC_PROCESS_CONDUCTIVITY_DAMPING);
        EXPECT_EQ(S_OK, integer.Initialize(Long(L"SystemDamping"), limit, flags));
        EXPECT_EQ(S_OK, real.Initialize(Float(L"ProcessConductivityDamping"), limit, flags, 1));
    }
    CComPtr<IPVGetSetValue> Float(const wchar_t* member) {
        CComPtr<IPVGetSetValue> value;
        value.Attach(new CPVGetSetFloat(member, page->GetIPVGetSetAdapter()));
        return value;
    }
    const CTagValue& Stored(const wchar_t* member) {
        return context->Project().ConfigTag().Find(member)->Value();
    }
    // Gives the box the focus and sets its text and selection as a user left them.
    void Prepare(CWnd& box, const wchar_t* text, int start, int end) {
        EXPECT_TRUE(CUserHand::Instance().Focus(box.m_hWnd));
        box.SetWindowText(text);
        box.SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
};

// Every edit box test starts on a virtual clock with a free hand and no beeps.
class EditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClock::Instance().SetVirtual(true);
        hand.Reset();
        CUserRecorder::Instance().Clear();
    }
    CUserHand& hand = CUserHand::Instance();
};

inline CString TextOf(const CWnd& box) {
    CString text;
    box.GetWindowText(text);
    return text;
}
