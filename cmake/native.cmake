# Native build: the platform-independent logic with GoogleTest and libFuzzer,
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set(WK_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(wk_core STATIC ${WK_CORE_SOURCES})
target_include_directories(wk_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(wk_core PUBLIC ${WK_SANITIZE} -Wall -Wextra)
target_link_options(wk_core PUBLIC ${WK_SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtest_target gtest gtest_main)
  target_compile_options(${gtest_target} PRIVATE ${WK_SANITIZE})
endforeach()

file(GLOB WK_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${WK_NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE wk_core gtest_main)
add_test(NAME native_tests COMMAND native_tests)

# Fuzz targets: fuzz_<name> runs the function <name> of tests/fuzz/fuzz_targets.cpp,
# with its seed corpus in tests/fuzz/corpus/<name>/. They link a second copy of the
# core compiled with libFuzzer's coverage instrumentation (wk_core itself has none,
# and a fuzzer without it gets no feedback from the code under test). The test
# command runs each briefly; scripts/fuzz runs a campaign.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_library(wk_core_fuzz STATIC ${WK_CORE_SOURCES})
  target_include_directories(wk_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(wk_core_fuzz PUBLIC ${WK_SANITIZE} -Wall -Wextra
                         PRIVATE -fsanitize=fuzzer-no-link)
  target_link_options(wk_core_fuzz PUBLIC ${WK_SANITIZE})

  foreach(fuzzer_name capture_commands capture_lines dotted_address line_reader network_lines
                      public_ip_page text_operations)
    add_executable(fuzz_${fuzzer_name} ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_targets.cpp)
    target_compile_definitions(fuzz_${fuzzer_name} PRIVATE FUZZ_TARGET=${fuzzer_name})
    target_link_libraries(fuzz_${fuzzer_name} PRIVATE wk_core_fuzz)
    target_compile_options(fuzz_${fuzzer_name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${fuzzer_name} PRIVATE -fsanitize=fuzzer)
    # New inputs go to the build tree; the seeds in the repository are only read.
    set(fuzzer_found ${CMAKE_BINARY_DIR}/fuzz-found/${fuzzer_name})
    file(MAKE_DIRECTORY ${fuzzer_found})
    add_test(NAME fuzz_${fuzzer_name}
             COMMAND fuzz_${fuzzer_name} -max_total_time=5 -rss_limit_mb=1024 -print_final_stats=1
                     ${fuzzer_found} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${fuzzer_name})
  endforeach()
endif()
