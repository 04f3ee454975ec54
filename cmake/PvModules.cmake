# A "module" is an ELF shared object that keeps its Windows file name (X.dll), so the
# profile's name rules work unchanged. Modules bind their own symbols first
# (-Bsymbolic) because the stand-in loads them RTLD_LOCAL, as Windows keeps each
# DLL's symbols to itself.
function(pv_windows_module target file_name)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${file_name}
    SUFFIX ".dll"
    NO_SONAME OFF)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined
                      -Wl,-soname,${file_name}.dll)
endfunction()

# One GoogleTest executable per tested folder; each test case becomes a CTest test.
function(pv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "PV_DRIVE_C=${CMAKE_BINARY_DIR}/drive_c"
               ENVIRONMENT_MODIFICATION "PV_BIN_DIR=set:${PV_BIN_DIR}")
endfunction()
