// pvhost as a user runs it: the built program from PV_BIN_DIR, its output and its
// exit code, in a scratch folder of its own per test.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

struct CRunResult {
    int exitCode = -1;
    std::string out; // stdout and stderr together
};

class PvHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("PV_BIN_DIR");
        ASSERT_NE(nullptr, bin) << "PV_BIN_DIR names the folder of the built programs";
        program = std::string(bin) + "/pvhost";
        folder = std::filesystem::temp_directory_path() /
                 ("pvhost-test-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        registry = (folder / "registry.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    CRunResult Pvhost(const std::string& arguments) {
        CRunResult run;
        const std::string command = "'" + program + "' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::array<char, 4096> buffer;
        size_t read = 0;
        while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            run.out.append(buffer.data(), read);
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    std::string program;
    std::filesystem::path folder;
    std::string registry;
};

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
