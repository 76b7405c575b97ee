# The Windows build (cross-built with cmake/mingw-w64.cmake): the Win32 back end and its tests,
# run under Wine in a prefix of the build tree.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${WINE_PREFIX})

# One self-contained .exe per program: no compiler run-time DLLs to ship beside it.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(quillmere_win32_seams STATIC
  game/cp1251.cpp
  view/surface.cpp
  platform/win32/wide_text.cpp
  platform/win32/file_system_win32.cpp
  platform/win32/text_raster_win32.cpp
  platform/win32/picture_codec_win32.cpp
  platform/win32/game_path.cpp
  platform/win32/taskbar.cpp
  platform/win32/win32_dialogs.cpp
  platform/win32/win32_platform.cpp
  game/random.cpp)
target_include_directories(quillmere_win32_seams PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quillmere_win32_seams PUBLIC windowscodecs ole32 uuid shell32 advapi32 gdi32 comdlg32 user32)

# GoogleTest from the sources Debian installs (there is no mingw build of it).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
enable_testing()

add_executable(quillmere-win32-tests tests/win32/seams_win32_test.cpp
  tests/win32/win32_platform_test.cpp)
add_dependencies(quillmere-win32-tests taskbar-crash)
target_link_libraries(quillmere-win32-tests PRIVATE quillmere_win32_seams GTest::gtest_main)
target_compile_definitions(quillmere-win32-tests PRIVATE QUILLMERE_ASSETS="${CMAKE_SOURCE_DIR}/assets/")
set_target_properties(quillmere-win32-tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
# Listed when the tests run, not when they build: building needs no Wine.
gtest_discover_tests(quillmere-win32-tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 60)

add_executable(taskbar-crash tests/win32/taskbar_crash.cpp)
target_link_libraries(taskbar-crash PRIVATE quillmere_win32_seams)
set_target_properties(taskbar-crash PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
