#include "logger/AopLog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

#include "logger/AopLogCapture.h"
#include "platform/base/TextCodec.h"

namespace {

std::mutex g_fileMutex;

std::wstring Text(const wchar_t* text) {
    return text ? std::wstring(text) : std::wstring();
}

// Messages often end in "\n" or "\r\n"; the file keeps one line per call.
std::string OneLine(const std::wstring& text) {
    std::string out;
    for (char c : CTextCodec::ToUtf8(text)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// ISO 8601 local time with milliseconds: 2024-05-01T13:45:07.123
std::string LocalTimestamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    const size_t used = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    std::snprintf(text + used, sizeof text - used, ".%03d", static_cast<int>(millis));
    return text;
}

} // namespace

extern "C" void AopLog(int level, const wchar_t* message, const wchar_t* sourceFile, const wchar_t* function,
                       int line) {
    CAopLogCapture::Record record{level, Text(message), Text(sourceFile), Text(function), line};
    const char* path = std::getenv("PV_LOG_FILE");
    if (path && *path) {
        const std::string entry = LocalTimestamp() + "\t" + std::to_string(level) + "\t" +
                                  OneLine(record.function) + "\t" + OneLine(record.source) + ":" +
                                  std::to_string(line) + "\t" + OneLine(record.message) + "\n";
        std::lock_guard<std::mutex> lock(g_fileMutex);
        // A log that cannot be written is dropped: callers rely on nothing in return.
        if (std::FILE* file = std::fopen(path, "a")) {
            std::fwrite(entry.data(), 1, entry.size(), file);
            std::fclose(file);
        }
    }
    CAopLogCapture::Deliver(std::move(record));
}
