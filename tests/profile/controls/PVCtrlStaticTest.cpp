// Labels with tooltips and the embedded label and button windows, on a page window the
// test builds, acted on through the user's hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/mfc/Wnd.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WindowDump.h"
#include "profile/controls/PVButtonCtrl.h"
#include "profile/controls/PVCtrlStatic.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

constexpr UINT kOneLineLabel = 700;
constexpr UINT kTwoLineLabel = 701;
constexpr UINT kButton = 702;
constexpr int kLabelWidth = 60;

// A page window with two labels and a button, on a host parent in the mode given.
struct LabelPage {
    std::shared_ptr<CHostContext> context = ContextFor(ProjectJson(true, false, false));
    CComPtr<CHostParent> parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    HWND window = CreateWindowExW(0, L"Static", L"Panel", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);

    explicit LabelPage(LONG mode = 1) {
        context->Project().Controller().mode = mode;
        context->Project().Controller().redundancyState = 0;
        Child(L"Static", kOneLineLabel, 10, 10, 16, 0);
        Child(L"Static", kTwoLineLabel, 10, 40, 40, 0);
        Child(L"Button", kButton, 10, 100, 20, BS_PUSHBUTTON | WS_TABSTOP);
    }
    ~LabelPage() {
        page->Destroy();
        if (IsWindow(window))
            DestroyWindow(window);
    }
    void Child(const wchar_t* cls, UINT id, int x, int y, int height, DWORD style) {
        CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, kLabelWidth, height, window,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    // The label joins the page as a page constructor adds it, then the page gets its
    // window and the label its item.
    void Start(CPVCtrlStatic& label) {
        EXPECT_EQ(S_OK, page->AddControlToList(&label));
        EXPECT_EQ(S_OK, page->Init(parent));
        page->AdoptWindow(window);
        EXPECT_TRUE(label.SubclassDlgItem(label.GetDialogItemId(), page.p()));
    }
    HWND Item(UINT id) const { return GetDlgItem(window, static_cast<int>(id)); }
};

std::wstring ToolText(HWND tip, HWND owner, UINT id) {
    wchar_t text[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = id;
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return text;
}

bool TipActive(HWND tip) {
    return CWindowDump::Json(tip)["state"]["active"].get<bool>();
}

bool HasEllipsis(HWND label) {
    return (static_cast<DWORD>(GetWindowLongW(label, GWL_STYLE)) & SS_ENDELLIPSIS) != 0;
}

TEST(LabelToolTip, IsMadeOverTheLabelWhenTheItemIsSubclassed) {
    LabelPage on;
    CPVCtrlStatic label(kOneLineLabel);
    on.Start(label);
    HWND tip = label.GetToolTipHwnd();
    ASSERT_TRUE(IsWindow(tip));
    EXPECT_EQ(0, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    EXPECT_EQ(32767, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    EXPECT_EQ(0, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0));
    EXPECT_TRUE(CWindowDump::Json(tip)["state"]["alwaysTip"].get<bool>());
    // No tool until a text needs one.
    EXPECT_EQ(0, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
}

struct TextCase {
    const char* name;
    UINT item;
    std::vector<std::wstring> texts; // set one after the other
    bool ellipsis;
    bool active;
    std::wstring tip; // the tool's text, empty: no tool
};

class LabelText : public ::testing::TestWithParam<TextCase> {};

TEST_P(LabelText, TheTooltipFollowsWhatFits) {
    const TextCase& c = GetParam();
    LabelPage on;
    CPVCtrlStatic label(c.item);
    on.Start(label);
    CAopLogCapture log;
    for (const std::wstring& text : c.texts)
        label.SetStaticWindowText(text.c_str());
    HWND tip = label.GetToolTipHwnd();
    EXPECT_EQ(c.ellipsis, HasEllipsis(on.Item(c.item)));
    EXPECT_EQ(c.active, TipActive(tip));
    EXPECT_EQ(c.tip, ToolText(tip, on.window, c.item));
    EXPECT_EQ(c.tip.empty() ? 0 : 1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    if (!c.tip.empty()) {
        EXPECT_EQ(kLabelWidth, SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    }
    wchar_t shown[256] = {};
    GetWindowTextW(on.Item(c.item), shown, 256);
    EXPECT_EQ(c.texts.back(), shown);
    EXPECT_TRUE(LogLines(log).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LabelText,
    ::testing::Values(TextCase{"ShortFits", kOneLineLabel, {L"Mass"}, false, false, L""},
                      TextCase{"LongGetsEllipsisAndTip",
                               kOneLineLabel,
                               {L"Corrected volume flow"},
                               true,
                               true,
                               L"Corrected volume flow"},
                      TextCase{"ShorteningRemovesBoth",
                               kOneLineLabel,
                               {L"Corrected volume flow", L"Mass"},
                               false,
                               false,
                               L"Corrected volume flow"},
                      TextCase{"LongerTextReplacesTheTool",
                               kOneLineLabel,
                               {L"Corrected volume flow", L"Totalizer overflow count"},
                               true,
                               true,
                               L"Totalizer overflow count"},
                      TextCase{"TwoLinesAlwaysTip", kTwoLineLabel, {L"Mass"}, false, true, L"Mass"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelToolTip, WithoutItsWindowNothingIsAdded) {
    LabelPage on;
    CPVCtrlStatic label(kOneLineLabel);
    EXPECT_EQ(S_OK, on.page->AddControlToList(&label));
    CAopLogCapture log;
    label.SetStaticWindowText(L"Mass");
    EXPECT_EQ(nullptr, label.GetToolTipHwnd());
    EXPECT_EQ(
        (Lines{
            L"CPVCtrl::GetCWnd | Failed to obtain PVCtrl's CWnd",
            L"CPVCtrlStatic::SetStaticWindowText | Pointer to control is NULL, hence ToolTips not Added."}),
        LogLines(log));
}

TEST(LabelToolTip, ALabelIsNeverGreyedByTheController) {
    for (LONG mode : {1, 4, 8}) {
        SCOPED_TRACE(mode);
        LabelPage on(mode);
        CPVCtrlStatic label(kOneLineLabel);
        on.Start(label);
        EXPECT_EQ(S_OK, on.page->PreInitialActivate());
        EXPECT_EQ(S_OK, on.page->LogixStateChanged(mode));
        EXPECT_TRUE(IsWindowEnabled(on.Item(kOneLineLabel)));
    }
}

// A composite control that records what its embedded windows report.
class CRecordingAggregate : public IPVAggregateCtrl {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnAggregateCommand(CWnd* ctrl, UINT id) override {
        calls.push_back({L"command", ctrl, id});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAggregateSetFocus(CWnd* ctrl) override {
        calls.push_back({L"focus", ctrl, 0});
        return S_OK;
    }
    struct Call {
        std::wstring what;
        CWnd* ctrl;
        UINT id;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
};

TEST(EmbeddedButton, ClicksAndFocusReachTheOwner) {
    struct Case {
        const char* name;
        bool withOwner;
        bool click; // else the focus is moved onto it
    };
    const Case cases[] = {{"Click", true, true}, {"Focus", true, false}, {"ClickWithoutOwner", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelPage on;
        CRecordingAggregate owner;
        CPVButtonCtrl button;
        if (c.withOwner)
            button.SetAggregateCtrl(&owner);
        on.page->AdoptWindow(on.window);
        ASSERT_TRUE(button.SubclassDlgItem(kButton, on.page.p()));
        SetFocus(on.Item(kOneLineLabel));
        if (c.click)
            EXPECT_TRUE(CUserHand::Instance().Click(on.Item(kButton)));
        else
            EXPECT_TRUE(CUserHand::Instance().Focus(on.Item(kButton)));
        std::vector<CRecordingAggregate::Call> expected;
        if (c.withOwner) {
            expected.push_back({L"focus", &button, 0});
            if (c.click)
                expected.push_back({L"command", &button, kButton});
        }
        EXPECT_EQ(expected, owner.calls);
        button.UnsubclassWindow();
    }
}

} // namespace
