// clang 14 with GCC 12's library has no std::source_location (the library needs a
// builtin that clang gained in version 15). The fuzz preset force-includes this file
// so that the profile's logging compiles there; it stands back wherever the library
// provides the real one. Its function_name() is the bare function name, which only
// the log lines show and which no fuzz target checks.
#pragma once

#if defined(__cplusplus) && __cplusplus > 201703L && defined(__clang__) &&                                   \
    !__has_builtin(__builtin_source_location)
namespace std {
struct source_location {
    static constexpr source_location current(unsigned line = __builtin_LINE(),
                                             const char* file = __builtin_FILE(),
                                             const char* function = __builtin_FUNCTION()) noexcept {
        source_location where;
        where.m_line = line;
        where.m_file = file;
        where.m_function = function;
        return where;
    }
    constexpr unsigned line() const noexcept { return m_line; }
    constexpr unsigned column() const noexcept { return 0; }
    constexpr const char* file_name() const noexcept { return m_file; }
    constexpr const char* function_name() const noexcept { return m_function; }

    unsigned m_line = 0;
    const char* m_file = "";
    const char* m_function = "";
};
} // namespace std
#endif
