# Windows builds (mingw-w64): wendelkamm.exe, its static checks and, in the
# test preset, the test programs that run under Wine.
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WK_BITS 64)
  # 64-bit Windows starts with XP x64 / Server 2003.
  set(WK_WINVER_DEFS _WIN32_WINNT=0x0502 WINVER=0x0502 _WIN32_IE=0x0600)
else()
  set(WK_BITS 32)
  # Keep out of the headers what Windows NT 4 does not have.
  set(WK_WINVER_DEFS _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0400)
endif()

# The exe links only these; every other system DLL is loaded by full path
# at first use (src/toolkit/system_library.h).
set(WK_SYSTEM_LIBS user32 gdi32 shell32 advapi32)
# The test programs call the other libraries directly.
set(WK_TEST_LIBS ${WK_SYSTEM_LIBS} comctl32 iphlpapi wsock32 netapi32 wininet)

add_library(wk_win STATIC ${WK_WIN_SOURCES})
target_include_directories(wk_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(wk_win PUBLIC ${WK_WINVER_DEFS} WIN32_LEAN_AND_MEAN NOMINMAX
                           WK_PUBLIC_IP_HOST="${WK_PUBLIC_IP_HOST}"
                           WK_PUBLIC_IP_PATH="${WK_PUBLIC_IP_PATH}")
target_compile_options(wk_win PUBLIC -Wall -Wextra -ffunction-sections -fdata-sections)
target_link_libraries(wk_win PUBLIC ${WK_SYSTEM_LIBS})
# Hardening: a stack guard in functions with arrays or address-taken locals
# (the shipped exe has its own guard in lean_runtime_win.cpp; the test
# programs take libssp's); no time stamp and no source paths in the exe, so
# that two builds of one commit give the same bytes.
target_compile_options(wk_win PUBLIC -fstack-protector-strong
                       -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_link_options(wk_win PUBLIC -static -fstack-protector-strong -Wl,--gc-sections
                    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--no-insert-timestamp)
if(WK_BITS EQUAL 64)
  target_link_options(wk_win PUBLIC -Wl,--high-entropy-va)
else()
  # This GCC unwinds with DWARF tables and nothing registers an SEH handler:
  # the flag lets Windows refuse any exception handler an attacker plants.
  target_link_options(wk_win PUBLIC -Wl,--no-seh)
endif()

if(NOT WK_WINE_TESTS)
  # The shipped program: one self-contained GUI exe. It throws nothing and
  # runs one thread, so it is built without exceptions, run-time type
  # information and thread-safe statics (their guard pulls in the whole
  # exception runtime); lean_runtime_win.cpp stands in for the library's
  # throwing helpers. The test programs keep the full runtime.
  target_compile_options(wk_win PUBLIC -fno-exceptions -fno-rtti -fno-threadsafe-statics)
  if(WK_BITS EQUAL 32)
    # 32-bit Windows unwinds by the frame chain; the DWARF tables (.eh_frame)
    # would serve only exceptions. 64-bit Windows needs its unwind tables.
    target_compile_options(wk_win PUBLIC -fno-asynchronous-unwind-tables)
  endif()
  if(WK_BITS EQUAL 64)
    set(WK_MANIFEST_ARCH amd64)
  else()
    set(WK_MANIFEST_ARCH x86)
  endif()
  configure_file(src/app/wendelkamm.manifest.in ${CMAKE_BINARY_DIR}/wendelkamm.manifest @ONLY)
  add_executable(wendelkamm WIN32 src/app/main_win.cpp src/app/lean_runtime_win.cpp src/app/wendelkamm.rc)
  # windres finds the generated manifest here.
  target_include_directories(wendelkamm PRIVATE ${CMAKE_BINARY_DIR})
  set_property(SOURCE src/app/wendelkamm.rc APPEND PROPERTY OBJECT_DEPENDS
               ${CMAKE_BINARY_DIR}/wendelkamm.manifest)
  target_link_libraries(wendelkamm PRIVATE wk_win)
  # No link time in the header: the same commit builds the same bytes.
  target_link_options(wendelkamm PRIVATE -s -Wl,--no-insert-timestamp)
  target_compile_options(wendelkamm PRIVATE -Os)

  find_program(WK_OBJDUMP NAMES ${CMAKE_CXX_COMPILER_TARGET}-objdump objdump
               HINTS ${CMAKE_FIND_ROOT_PATH} REQUIRED)
  add_test(NAME exe_static_checks
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/static/check_exe.sh
                   $<TARGET_FILE:wendelkamm> ${WK_OBJDUMP} ${WK_BITS}
                   ${CMAKE_SOURCE_DIR}/tests/static/imports-win${WK_BITS}.txt)
  return()
endif()

# Test preset: built with the -posix compiler, which GoogleTest needs. These
# programs run under Wine through tests/wine/run-under-wine.sh.
set(WK_PRODUCT_EXE "${CMAKE_SOURCE_DIR}/build/win64/wendelkamm.exe" CACHE FILEPATH
    "The shipped wendelkamm.exe that the end-to-end tests drive")
set(WK_WINE_RUNNER bash ${CMAKE_SOURCE_DIR}/tests/wine/run-under-wine.sh)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Small Windows programs that the tests start: each tests/stand-ins/<name>.cpp
# becomes <name>.exe.
file(GLOB WK_STAND_INS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/stand-ins/*.cpp)
foreach(stand_in_source ${WK_STAND_INS})
  get_filename_component(stand_in_name ${stand_in_source} NAME_WE)
  add_executable(${stand_in_name} ${stand_in_source})
  target_link_options(${stand_in_name} PRIVATE -static)
  target_link_libraries(${stand_in_name} PRIVATE ${WK_TEST_LIBS})
endforeach()

# The recorder DLL that the end-to-end tests plant beside the exe, for each
# processor: planted64.dll, planted32.dll.
set(WK_PLANTED_SOURCE ${CMAKE_SOURCE_DIR}/tests/stand-ins/planted/recorder_dll.cpp)
foreach(bits 64 32)
  if(bits EQUAL 64)
    set(planted_compiler x86_64-w64-mingw32-g++-win32)
  else()
    set(planted_compiler i686-w64-mingw32-g++-win32)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/planted${bits}.dll
    COMMAND ${planted_compiler} -shared -static -Os -s -o ${CMAKE_BINARY_DIR}/planted${bits}.dll
            ${WK_PLANTED_SOURCE}
    DEPENDS ${WK_PLANTED_SOURCE} VERBATIM)
endforeach()
add_custom_target(planted_dlls ALL DEPENDS ${CMAKE_BINARY_DIR}/planted64.dll ${CMAKE_BINARY_DIR}/planted32.dll)

file(GLOB WK_WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
add_executable(wine_tests ${WK_WINE_TEST_SOURCES})
target_link_libraries(wine_tests PRIVATE wk_win gtest_main ${WK_TEST_LIBS})
target_compile_definitions(wine_tests PRIVATE
  WK_STAND_IN_DIR="${CMAKE_BINARY_DIR}")
add_test(NAME wine_tests COMMAND ${WK_WINE_RUNNER} $<TARGET_FILE:wine_tests>)

file(GLOB WK_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(WK_E2E_SOURCES)
  add_executable(e2e_tests ${WK_E2E_SOURCES})
  target_link_libraries(e2e_tests PRIVATE gtest_main ${WK_TEST_LIBS})
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e)
  target_link_options(e2e_tests PRIVATE -static)
  add_test(NAME e2e_tests COMMAND ${WK_WINE_RUNNER} $<TARGET_FILE:e2e_tests>)
  set_tests_properties(e2e_tests PROPERTIES ENVIRONMENT
    "WK_PRODUCT_EXE=${WK_PRODUCT_EXE};WK_STAND_IN_DIR=${CMAKE_BINARY_DIR}")
endif()

# Benchmarks (scripts/bench-*), not tests: benchmarks.exe drives the exe like
# the end-to-end tests do; startup_bare.exe is a yardstick that builds the same
# windows by straight Win32 calls. The scripts time the 64-bit exe only.
if(WK_BITS EQUAL 64)
  file(GLOB WK_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  list(FILTER WK_BENCH_SOURCES EXCLUDE REGEX "startup_bare\\.cpp$")
  add_executable(benchmarks ${WK_BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
  target_link_libraries(benchmarks PRIVATE gtest_main ${WK_TEST_LIBS} ntdll)
  target_include_directories(benchmarks PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/bench)
  target_link_options(benchmarks PRIVATE -static)
  add_executable(startup_bare WIN32 ${CMAKE_SOURCE_DIR}/bench/startup_bare.cpp)
  target_link_options(startup_bare PRIVATE -static)
  target_link_libraries(startup_bare PRIVATE ${WK_TEST_LIBS})
endif()

# Checks that need network namespaces or their own Wine settings run as scripts.
file(GLOB WK_WINE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.sh)
list(FILTER WK_WINE_SCRIPTS EXCLUDE REGEX "run-under-wine\\.sh$")
foreach(script ${WK_WINE_SCRIPTS})
  get_filename_component(script_name ${script} NAME_WE)
  add_test(NAME ${script_name} COMMAND bash ${script})
  set_tests_properties(${script_name} PROPERTIES ENVIRONMENT
    "WK_PRODUCT_EXE=${WK_PRODUCT_EXE};WK_STAND_IN_DIR=${CMAKE_BINARY_DIR};WK_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endforeach()
