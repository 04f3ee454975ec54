// The sanitizer runtime is a shared library in the fuzz preset, and clang's driver
// puts libFuzzer's C++ library ahead of it in the load order. That library defines
// no allocation functions, so the runtime still intercepts them all; its load-order
// check is switched off here rather than in every command line that runs a target.
extern "C" const char* __asan_default_options() {
    return "verify_asan_link_order=0";
}
