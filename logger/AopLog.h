// The log sink of AOPLogger2.dll. Each call appends one line (local time with
// milliseconds, level, function, source:line, message) to the file named by the
// environment variable PV_LOG_FILE, read at every call; nothing is written when it
// is unset. Null arguments are empty text.
#pragma once

extern "C" void AopLog(int level, const wchar_t* message, const wchar_t* sourceFile, const wchar_t* function,
                       int line);
