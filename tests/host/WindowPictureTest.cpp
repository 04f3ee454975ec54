// Pictures of the properties dialog and of a page: their size, and pixels that show a
// control's state (a disabled button's grey text, a dropped list, the selected tab).
#include <filesystem>
#include <memory>
#include <unistd.h>

#include <cairo.h>

#include "host/WindowPicture.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/WindowDump.h"
#include "tests/host/PropertiesDialogTestSupport.h"

namespace {

// A PNG read back into memory.
class CPicture {
public:
    explicit CPicture(const std::string& path)
        : m_surface(cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy) {}
    bool Ok() const { return cairo_surface_status(m_surface.get()) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(m_surface.get()); }
    int Height() const { return cairo_image_surface_get_height(m_surface.get()); }
    uint32_t Pixel(int x, int y) const {
        const unsigned char* data = cairo_image_surface_get_data(m_surface.get());
        const int stride = cairo_image_surface_get_stride(m_surface.get());
        return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
    }
    // How many pixels of the rectangle are darker than `limit` in every channel.
    int DarkPixels(const RECT& r, int limit) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t p = Pixel(x, y);
                if (static_cast<int>(p & 0xFF) < limit && static_cast<int>((p >> 8) & 0xFF) < limit &&
                    static_cast<int>((p >> 16) & 0xFF) < limit)
                    ++count;
            }
        return count;
    }
    int Differences(const CPicture& other, const RECT& r) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += Pixel(x, y) != other.Pixel(x, y) ? 1 : 0;
        return count;
    }

private:
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> m_surface;
};

class WindowPictureTest : public PropertiesDialogFixture {
protected:
    void SetUp() override {
        PropertiesDialogFixture::SetUp();
        folder = std::filesystem::temp_directory_path() / ("props-pictures-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        PropertiesDialogFixture::TearDown();
    }

    std::string Draw(HWND hwnd, const std::string& name) {
        const std::string path = (folder / name).string();
        std::string error;
        EXPECT_TRUE(CWindowPicture::WritePng(hwnd, path, &error)) << error;
        return path;
    }

    // The control's rectangle in its page's picture.
    RECT InPage(HWND page, HWND control) const {
        RECT outer{}, inner{};
        GetWindowRect(page, &outer);
        GetWindowRect(control, &inner);
        return RECT{inner.left - outer.left, inner.top - outer.top, inner.right - outer.left,
                    inner.bottom - outer.top};
    }

    std::filesystem::path folder;
};

TEST_F(WindowPictureTest, APageIsDrawnAtItsSizeAndTheDialogWithItsTitleBar) {
    Open();
    RECT page{}, whole{};
    GetWindowRect(dialog->PageWindow(0), &page);
    GetWindowRect(dialog->Window(), &whole);
    struct Case {
        HWND window;
        int width;
        int height;
    } cases[] = {
        {dialog->PageWindow(0), page.right - page.left, page.bottom - page.top},
        {dialog->Window(), whole.right - whole.left,
         whole.bottom - whole.top + GetSystemMetrics(SM_CYCAPTION)},
    };
    for (const Case& c : cases) {
        CPicture picture(Draw(c.window, "size.png"));
        ASSERT_TRUE(picture.Ok());
        EXPECT_EQ(c.width, picture.Width());
        EXPECT_EQ(c.height, picture.Height());
    }
}

TEST_F(WindowPictureTest, ADisabledButtonIsGreyAndAnEnabledOneIsNot) {
    Open();
    HWND page = dialog->PageWindow(0);
    HWND reset = PageItem(0, kPageResetButton);
    ASSERT_FALSE(IsWindowEnabled(reset)) << "offline the reset button is disabled";
    CPicture disabled(Draw(page, "disabled.png"));
    ASSERT_EQ(S_OK, dialog->SetOnline(true));
    ASSERT_TRUE(IsWindowEnabled(reset));
    CPicture enabled(Draw(page, "enabled.png"));
    ASSERT_TRUE(disabled.Ok() && enabled.Ok());
    const RECT button = InPage(page, reset);
    // The button's text is black when enabled; the frame's dark shadow is the only dark
    // line when disabled.
    const RECT inside{button.left + 3, button.top + 3, button.right - 3, button.bottom - 3};
    EXPECT_GT(enabled.DarkPixels(inside, 60), 10);
    EXPECT_EQ(0, disabled.DarkPixels(inside, 60));
    EXPECT_GT(enabled.Differences(disabled, button), 10);
    // Nothing else changed.
    const RECT label = InPage(page, GetDlgItem(page, 1000));
    EXPECT_EQ(0, enabled.Differences(disabled, label));
    EXPECT_GT(enabled.DarkPixels(label, 60), 10) << "the label's text is drawn";
}

TEST_F(WindowPictureTest, EditTextReadOnlyShadeAndADroppedListShow) {
    Open();
    HWND page = dialog->PageWindow(0);
    CPicture before(Draw(page, "before.png"));
    const RECT value = InPage(page, PageItem(0, kPageValueEdit));
    const RECT serial = InPage(page, PageItem(0, kPageSerialEdit));
    // A writable edit is white inside, a read-only one has the face colour.
    const uint32_t white = 0xFFFFFF;
    EXPECT_EQ(white, before.Pixel(value.right - 5, value.top + 3));
    EXPECT_NE(white, before.Pixel(serial.right - 5, serial.top + 3));
    EXPECT_GT(before.DarkPixels(serial, 60), 10) << "the read-only edit's text is drawn";

    HWND combo = PageItem(0, kPageModeCombo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    CPicture dropped(Draw(page, "dropped.png"));
    const RECT box = InPage(page, combo);
    const RECT below{box.left, box.top + 30, box.right, box.top + 50};
    EXPECT_GT(dropped.Differences(before, below), 50) << "the open list covers what lies below the box";
}

TEST_F(WindowPictureTest, TheSelectedTabChangesWhereTheTabsAreDrawn) {
    Open();
    CPicture first(Draw(dialog->Window(), "first.png"));
    ASSERT_TRUE(CUserHand::Instance().ClickTab(dialog->Item(CPropertiesDialog::kTabId), 1));
    CPicture second(Draw(dialog->Window(), "second.png"));
    RECT tab{}, whole{};
    GetWindowRect(dialog->Item(CPropertiesDialog::kTabId), &tab);
    GetWindowRect(dialog->Window(), &whole);
    const int top = tab.top - whole.top + GetSystemMetrics(SM_CYCAPTION);
    const RECT strip{tab.left - whole.left, top, tab.right - whole.left, top + 22};
    EXPECT_GT(second.Differences(first, strip), 20);
}

TEST_F(WindowPictureTest, TheHandAnswersAMessageBoxOfAPageThatTheDumpAndThePictureShow) {
    Open();
    ASSERT_EQ(S_OK, dialog->SetOnline(true));
    HWND reset = PageItem(0, kPageResetButton);
    CPicture before(Draw(dialog->Window(), "before.png"));
    std::string dump;
    RECT box{}, whole{};
    HWND owner = nullptr;
    CUserHand& hand = CUserHand::Instance();
    hand.WhenNextDialogOpens([&](HWND shown) {
        dump = CWindowDump::Text(shown);
        owner = GetWindow(shown, GW_OWNER);
        GetWindowRect(shown, &box);
        Draw(dialog->Window(), "asked.png");
        hand.Click(GetDlgItem(shown, IDYES));
    });
    Take();
    ASSERT_TRUE(hand.Click(reset));
    EXPECT_EQ(std::vector<std::wstring>{L"A:Reset 6"}, Take());
    EXPECT_EQ(dialog->Window(), owner);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_TRUE(dump.starts_with("#32770 \"Reset device\" WS_POPUP WS_VISIBLE WS_BORDER (")) << dump;
    for (const char* line : {"\n  Static #20 \"\" WS_CHILD WS_VISIBLE SS_ICON (",
                             "\n  Static #65535 \"Reset the device to its factory settings?\" WS_CHILD",
                             "\n  Button #6 \"&Yes\" WS_CHILD WS_VISIBLE WS_TABSTOP WS_GROUP BS_DEFPUSHBUTTON "
                             "focused (",
                             "\n  Button #7 \"&No\" WS_CHILD WS_VISIBLE WS_TABSTOP ("})
        EXPECT_NE(std::string::npos, dump.find(line)) << line << "\n" << dump;

    // The box stands over the dialog in the picture taken while it was open, and is gone
    // from the next.
    CPicture asked((folder / "asked.png").string());
    CPicture after(Draw(dialog->Window(), "after.png"));
    ASSERT_TRUE(asked.Ok() && after.Ok());
    GetWindowRect(dialog->Window(), &whole);
    const RECT inPicture{box.left - whole.left, box.top - whole.top, box.right - whole.left,
                         box.bottom - whole.top + caption};
    EXPECT_GT(asked.Differences(before, inPicture), (inPicture.right - inPicture.left) * 10);
    EXPECT_EQ(0, after.Differences(before, RECT{0, 0, after.Width(), after.Height()}));
    EXPECT_EQ(reset, GetFocus()) << "the focus came back to the button";

    // With nothing armed the page's question is answered 0 at once, and no box is left.
    ASSERT_TRUE(hand.Click(reset));
    EXPECT_EQ(std::vector<std::wstring>{L"A:Reset 0"}, Take());
    EXPECT_EQ(std::string::npos, CWindowDump::Text().find("#32770 \"Reset device\""));
}

TEST_F(WindowPictureTest, FailuresNameWhatIsAtFault) {
    std::string error;
    EXPECT_FALSE(CWindowPicture::WritePng(nullptr, (folder / "x.png").string(), &error));
    EXPECT_EQ("there is no window to draw", error);
    Open();
    const std::string bad = (folder / "missing-folder" / "x.png").string();
    EXPECT_FALSE(CWindowPicture::WritePng(dialog->Window(), bad, &error));
    EXPECT_EQ(0u, error.find(bad)) << error;
}

} // namespace
