#include <gtest/gtest.h>

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pdfreport/PdfReport.h"
#include "pdfreport/ReportFields.h"
#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

// cairo and fontconfig keep their font caches for the life of the process; they are
// given back after the last test so that the leak checker sees only real leaks.
class CFontCachesRelease : public testing::Environment {
public:
    void TearDown() override {
        cairo_debug_reset_static_data();
        FcFini();
    }
};
const testing::Environment* const kFontCachesRelease = testing::AddGlobalTestEnvironment(new CFontCachesRelease);

using Bytes = std::array<unsigned char, CReportFields::kSize>;

void Put(Bytes& bytes, size_t offset, const std::string& text) {
    std::memcpy(bytes.data() + offset, text.data(), text.size());
}
void PutWord(Bytes& bytes, size_t offset, int value) {
    bytes[offset] = static_cast<unsigned char>(value & 0xFF);
    bytes[offset + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

// A report as the device stores it, every field at its offset; the customer and the
// serial number fill their fields to the last byte, without a terminator.
Bytes Report(std::array<int, 10> checks = {809, 275, 0x8189, 0x80E4, 7, 809, 809, 809, 809, 809}) {
    Bytes bytes{};
    Put(bytes, 0, "Riverside Water Works, Basin 12");
    Put(bytes, 32, "Pump station 3 outlet");
    Put(bytes, 64, "FT-301");
    Put(bytes, 96, "T100A7K2190ZZZZZ");
    Put(bytes, 112, "T100-EIP-DN80-A1");
    Put(bytes, 132, "S80B\xE9\x01X"); // Latin-1 and a control byte
    Put(bytes, 168, "12-Dec-2023");
    Put(bytes, 179, "09:41:00");
    Put(bytes, 187, std::string("\x52\xAB\x7F\x3F", 4)); // 0.99871570 as a little-endian single
    Put(bytes, 195, "VER-00003");
    Put(bytes, 209, "Service tool");
    PutWord(bytes, 229, 258);
    for (size_t i = 0; i < checks.size(); ++i)
        PutWord(bytes, 231 + 2 * i, checks[i]);
    return bytes;
}

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

std::string ReadAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PdfReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        CClock::Instance().SetVirtual(true);
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }

    int Create(const std::wstring& name,
               const std::wstring& comment = L"Flow tube cleaned before the check") {
        return CPdfReport().CreateReport(m_report.data(), m_folder.Dos(name).c_str(), comment.c_str(),
                                         CPdfReport::kVerificationReport);
    }
    static std::string MissingTool() {
        for (std::string tool : {"pdftotext", "qpdf", "pdfinfo"})
            if (Shell("command -v " + tool).empty())
                return tool;
        return {};
    }

    CTempFolder m_folder;
    Bytes m_report = Report();
};

TEST_F(PdfReportTest, ReadsBackEveryFieldResultAndComment) {
    if (const std::string tool = MissingTool(); !tool.empty())
        GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
    struct Case {
        std::wstring comment;
        std::vector<std::string> present, absent;
        const char* pages;
    } cases[] = {
        {L"Flow tube cleaned", {"Flow tube cleaned", "Page 1 of 1"}, {"(no comment)"}, "1\n"},
        {L" \r\n ", {"(no comment)"}, {}, "1\n"},
        // Outside Latin-1, outside the font, no character at all, a control character.
        {L"\u03A9 \u6F22\u5B57 tab\there \xD800 caf\u00E9",
         {"\u03A9 \u6F22\u5B57 tab here \uFFFD caf\u00E9"},
         {},
         "1\n"},
        {std::wstring(2000, L'x') + L" tail", {"tail", "Page 2 of 2"}, {"shortened"}, "2\n"},
        {std::wstring(40000, L'w'),
         {"[Comment shortened: the report holds the first", "of 40000 characters.]"},
         {},
         "2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.present.front());
        ASSERT_EQ(1, Create(L"report.pdf", c.comment));
        const std::string pdf = m_folder.Unix("report.pdf");
        EXPECT_NE(std::string::npos,
                  Shell("qpdf --check " + pdf).find("No syntax or stream encoding errors"));
        const std::string info = Shell("pdfinfo " + pdf);
        EXPECT_EQ(c.pages, info.substr(info.find_first_not_of(' ', info.find("Pages:") + 6), 2)) << info;
        const std::string text = Shell("pdftotext " + pdf + " -");
        for (const char* field :
             {"Riverside Water Works, Basin 12", "Pump station 3 outlet", "FT-301", "T100A7K2190ZZZZZ",
              "T100-EIP-DN80-A1", "S80B\u00E9 X", "12-Dec-2023", "09:41:00", "0.9987", "0.0000", "VER-00003",
              "Service tool", "258", "Overall result: Failed", "Passed", "Check not done", "Not used",
              "2024-01-01 00:00:00"})
            EXPECT_NE(std::string::npos, text.find(field)) << field;
        for (const std::string& word : c.present)
            EXPECT_NE(std::string::npos, text.find(word)) << word;
        for (const std::string& word : c.absent)
            EXPECT_EQ(std::string::npos, text.find(word)) << word;
    }
    EXPECT_EQ(std::vector<std::string>{"report.pdf"}, Listing(m_folder.Unix()));
}

TEST(ReportFieldsTest, OverallResultFromTheChecks) {
    const struct {
        std::array<int, 10> checks;
        const wchar_t* overall;
    } cases[] = {
        {{809, 809, 809, 809, 809, 809, 809, 809, 809, 809}, L"Passed"},
        {{809, 0x80E4, 0x80E4, 0x80E4, 0x80E4, 0x80E4, 0x80E4, 0x80E4, 0x80E4, 0x80E4}, L"Passed"},
        {{809, 809, 809, 809, 809, 809, 809, 809, 809, 275}, L"Failed"},
        {{0x8189, 275, 809, 809, 809, 809, 809, 809, 809, 809}, L"Failed"},
        {{809, 809, 809, 809, 0x8189, 809, 809, 809, 809, 809}, L"Check not done"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, L"Not used"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.overall, CReportFields(Report(c.checks).data()).Overall());
}

TEST_F(PdfReportTest, SameReportSameBytes) {
    ASSERT_EQ(1, Create(L"a.pdf"));
    ASSERT_EQ(1, Create(L"b.pdf"));
    EXPECT_EQ(ReadAll(m_folder.Unix("a.pdf")), ReadAll(m_folder.Unix("b.pdf")));
    CClock::Instance().Advance(1000);
    ASSERT_EQ(1, Create(L"b.pdf"));
    EXPECT_NE(ReadAll(m_folder.Unix("a.pdf")), ReadAll(m_folder.Unix("b.pdf")));
}

TEST_F(PdfReportTest, RefusesWithoutLeavingAFile) {
    const std::string kept = "kept";
    struct Case {
        const char* what;
        std::wstring name;
        DWORD error;
        const char* fault = nullptr;
    } cases[] = {
        {"bare name", L"report.pdf", ERROR_BAD_PATHNAME},
        {"drive-relative name", L"C:report.pdf", ERROR_BAD_PATHNAME},
        {"no file name", m_folder.Dos() + L"\\", ERROR_BAD_PATHNAME},
        {"missing folder", m_folder.Dos(L"none\\r.pdf"), ERROR_PATH_NOT_FOUND},
        {"unknown drive", L"Q:\\r.pdf", ERROR_PATH_NOT_FOUND},
        {"read-only file", m_folder.Dos(L"locked.pdf"), ERROR_ACCESS_DENIED},
        {"a folder", m_folder.Dos(L"sub"), ERROR_ACCESS_DENIED},
        {"folder without write access", m_folder.Dos(L"r.pdf"), ERROR_ACCESS_DENIED, "CreateFileW"},
        {"disk full while writing", m_folder.Dos(L"r.pdf"), ERROR_DISK_FULL, "WriteFile"},
        {"existing file, disk full", m_folder.Dos(L"old.pdf"), ERROR_DISK_FULL, "WriteFile"},
    };
    std::filesystem::create_directory(m_folder.Unix("sub"));
    for (const char* name : {"locked.pdf", "old.pdf"})
        std::ofstream(m_folder.Unix(name)) << kept;
    std::filesystem::permissions(m_folder.Unix("locked.pdf"), std::filesystem::perms::owner_read);
    const std::vector<std::string> before = Listing(m_folder.Unix());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.fault)
            CFaultInjector::Instance().Inject(c.fault, static_cast<LONG>(c.error));
        EXPECT_EQ(0, CPdfReport().CreateReport(m_report.data(), c.name.c_str(), L"", 4154));
        EXPECT_EQ(c.error, GetLastError());
        EXPECT_EQ(before, Listing(m_folder.Unix()));
        EXPECT_EQ(kept, ReadAll(m_folder.Unix("old.pdf")));
    }
    EXPECT_EQ(kept, ReadAll(m_folder.Unix("locked.pdf")));
    const std::wstring good = m_folder.Dos(L"r.pdf");
    EXPECT_EQ(0, CPdfReport().CreateReport(nullptr, good.c_str(), L"", 4154));
    EXPECT_EQ(0, CPdfReport().CreateReport(m_report.data(), good.c_str(), L"", 4153));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(before, Listing(m_folder.Unix()));
}

TEST_F(PdfReportTest, ReplacesAWritableFileAndSparesAStrangersTemporaryName) {
    std::ofstream(m_folder.Unix("r.pdf")) << "old";
    std::ofstream(m_folder.Unix("r.pdf.1.tmp")) << "someone else's";
    ASSERT_EQ(1, Create(L"r.pdf"));
    EXPECT_EQ(0u, ReadAll(m_folder.Unix("r.pdf")).rfind("%PDF-", 0));
    EXPECT_EQ("someone else's", ReadAll(m_folder.Unix("r.pdf.1.tmp")));
    EXPECT_EQ((std::vector<std::string>{"r.pdf", "r.pdf.1.tmp"}), Listing(m_folder.Unix()));
}

} // namespace
