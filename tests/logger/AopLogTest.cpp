#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "logger/AopLog.h"
#include "logger/AopLogCapture.h"

namespace {

using Record = CAopLogCapture::Record;

TEST(AopLogCapture, RecordsEveryCallWordForWord) {
    CAopLogCapture capture;
    AopLog(0, L"Failed to create panel.", L"PVPanel", L"CPVPanel::Create", 42);
    AopLog(3, L"Error: ITag interface is not valid!\n", L"PVGetSetAdapter", L"CPVGetSetAdapterITag::GetValue",
           7);
    const std::vector<Record> expected{{0, L"Failed to create panel.", L"PVPanel", L"CPVPanel::Create", 42},
                                       {3, L"Error: ITag interface is not valid!\n", L"PVGetSetAdapter",
                                        L"CPVGetSetAdapterITag::GetValue", 7}};
    EXPECT_EQ(expected, capture.Records());
    EXPECT_EQ(
        (std::vector<std::wstring>{L"Failed to create panel.", L"Error: ITag interface is not valid!\n"}),
        capture.Messages());
    capture.Clear();
    EXPECT_TRUE(capture.Records().empty());
    AopLog(0, L"after clear", L"S", L"F", 1);
    EXPECT_EQ(std::vector<std::wstring>{L"after clear"}, capture.Messages());
}

TEST(AopLogCapture, NullArgumentsAreEmptyText) {
    CAopLogCapture capture;
    AopLog(0, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ((std::vector<Record>{{0, L"", L"", L"", 0}}), capture.Records());
}

TEST(AopLogCapture, OnlyTheInnermostCaptureReceives) {
    CAopLogCapture outer;
    AopLog(0, L"one", L"S", L"F", 1);
    {
        CAopLogCapture inner;
        AopLog(0, L"two", L"S", L"F", 2);
        EXPECT_EQ(std::vector<std::wstring>{L"two"}, inner.Messages());
    }
    AopLog(0, L"three", L"S", L"F", 3);
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"three"}), outer.Messages());
}

TEST(AopLogCapture, CapturesEndingOutOfOrderLeaveTheOtherWorking) {
    std::optional<CAopLogCapture> first;
    first.emplace();
    CAopLogCapture second;
    first.reset();
    AopLog(0, L"still here", L"S", L"F", 1);
    EXPECT_EQ(std::vector<std::wstring>{L"still here"}, second.Messages());
}

TEST(AopLogCapture, NothingIsRecordedWithoutACapture) {
    AopLog(0, L"unseen", L"S", L"F", 1);
    CAopLogCapture capture;
    EXPECT_TRUE(capture.Records().empty());
}

// ---- The log file ----

class AopLogFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = ::testing::TempDir() + "aoplog_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
        std::filesystem::remove(m_path);
        Save("PV_LOG_FILE", m_savedLogFile);
        Save("TZ", m_savedTz);
        setenv("PV_LOG_FILE", m_path.c_str(), 1);
    }
    void TearDown() override {
        Restore("PV_LOG_FILE", m_savedLogFile);
        Restore("TZ", m_savedTz);
        tzset();
        std::filesystem::remove(m_path);
    }

    std::vector<std::string> Lines() const {
        std::ifstream in(m_path, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string m_path;

private:
    static void Save(const char* name, std::optional<std::string>& saved) {
        if (const char* value = std::getenv(name))
            saved = value;
    }
    static void Restore(const char* name, const std::optional<std::string>& saved) {
        if (saved)
            setenv(name, saved->c_str(), 1);
        else
            unsetenv(name);
    }
    std::optional<std::string> m_savedLogFile;
    std::optional<std::string> m_savedTz;
};

const std::regex kLine(R"(^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})\.\d{3}\t(.*)$)");

TEST_F(AopLogFile, AppendsOneLinePerCallWithTimeLevelFunctionSourceAndMessage) {
    {
        std::ofstream earlier(m_path);
        earlier << "earlier line\n";
    }
    AopLog(0, L"Failed to create panel.", L"PVPanel", L"CPVPanel::Create", 42);
    AopLog(2, L"second", L"PVPanelEnum", L"CPVPanelEnum::Save", 7);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("earlier line", lines[0]);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[1], m, kLine)) << lines[1];
    EXPECT_EQ("0\tCPVPanel::Create\tPVPanel:42\tFailed to create panel.", m[7].str());
    ASSERT_TRUE(std::regex_match(lines[2], m, kLine)) << lines[2];
    EXPECT_EQ("2\tCPVPanelEnum::Save\tPVPanelEnum:7\tsecond", m[7].str());
}

TEST_F(AopLogFile, WritesUtf8AndKeepsLineBreaksInsideTheLine) {
    AopLog(0, L"Gr\u00FC\u00DFe\r\nnext\n", L"S", L"F", 1);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(1u, lines.size());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, kLine)) << lines[0];
    EXPECT_EQ("0\tF\tS:1\tGr\xC3\xBC\xC3\x9F"
              "e\\r\\nnext\\n",
              m[7].str());
}

TEST_F(AopLogFile, NullArgumentsGiveEmptyFields) {
    AopLog(0, nullptr, nullptr, nullptr, 0);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(1u, lines.size());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, kLine)) << lines[0];
    EXPECT_EQ("0\t\t:0\t", m[7].str());
}

TEST_F(AopLogFile, TimeIsLocalTime) {
    // Three hours east of UTC: a UTC stamp would be three hours off.
    setenv("TZ", "XST-3", 1);
    tzset();
    // The bounds come from the clock the logger reads: glibc's time() reads the coarse
    // clock, which may still show the previous second when the fine clock has passed it.
    const auto now = [] { return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()); };
    const std::time_t before = now();
    AopLog(0, L"m", L"S", L"F", 1);
    const std::time_t after = now();
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(1u, lines.size());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, kLine)) << lines[0];
    std::tm local{};
    local.tm_year = std::stoi(m[1]) - 1900;
    local.tm_mon = std::stoi(m[2]) - 1;
    local.tm_mday = std::stoi(m[3]);
    local.tm_hour = std::stoi(m[4]);
    local.tm_min = std::stoi(m[5]);
    local.tm_sec = std::stoi(m[6]);
    local.tm_isdst = 0;
    const std::time_t stamped = std::mktime(&local);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, after);
}

TEST_F(AopLogFile, UnsetVariableWritesNothingButStillCaptures) {
    unsetenv("PV_LOG_FILE");
    CAopLogCapture capture;
    AopLog(0, L"nowhere", L"S", L"F", 1);
    EXPECT_FALSE(std::filesystem::exists(m_path));
    EXPECT_EQ(std::vector<std::wstring>{L"nowhere"}, capture.Messages());
    setenv("PV_LOG_FILE", "", 1);
    AopLog(0, L"nowhere either", L"S", L"F", 1);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(AopLogFile, FollowsTheVariableAtEachCall) {
    AopLog(0, L"first file", L"S", L"F", 1);
    const std::string second = m_path + ".2";
    setenv("PV_LOG_FILE", second.c_str(), 1);
    AopLog(0, L"second file", L"S", L"F", 2);
    EXPECT_EQ(1u, Lines().size());
    std::ifstream in(second);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(std::string::npos, text.str().find("\tS:2\tsecond file\n")) << text.str();
    std::filesystem::remove(second);
}

TEST_F(AopLogFile, UnwritablePathIsIgnored) {
    setenv("PV_LOG_FILE", ::testing::TempDir().c_str(), 1); // a folder
    CAopLogCapture capture;
    AopLog(0, L"dropped", L"S", L"F", 1);
    EXPECT_EQ(std::vector<std::wstring>{L"dropped"}, capture.Messages());
}

} // namespace
