# The Windows tests, run under Wine: the unit tests, every scenario through
# quillmere-headless.exe with the same expected output as on Linux, the Win32 back end's own
# tests, and the game played in a real window on a virtual screen.

# GoogleTest from the sources Debian installs (there is no mingw build of it).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The unit tests of the game, but those of the Linux seams (POSIX files, libjpeg, libpng), whose
# Windows counterparts are the tests of tests/win32, those that play through the solver, and
# those of the player's folders, which the Windows installer's test covers.
add_executable(quillmere-tests
  tests/unit/board_drawing_test.cpp
  tests/unit/catalogue_test.cpp
  tests/unit/editor_model_test.cpp
  tests/unit/form_test.cpp
  tests/unit/fuzz_findings_test.cpp
  tests/unit/level_file_test.cpp
  tests/unit/level_names_test.cpp
  tests/unit/rules_explode_test.cpp
  tests/unit/rules_items_test.cpp
  tests/unit/rules_player_moves_test.cpp
  tests/unit/rules_world_update_test.cpp
  tests/unit/score_table_test.cpp
  tests/unit/shop_test.cpp
  tests/unit/sound_test.cpp
  tests/unit/text_file_test.cpp
  tests/unit/view_test.cpp)
target_link_libraries(quillmere-tests PRIVATE quillmere_scripted quillmere_mixer GTest::gtest
  GTest::gmock GTest::gtest_main)
target_compile_definitions(quillmere-tests PRIVATE QUILLMERE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_target_properties(quillmere-tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
# Listed when the tests run, not when they build: building needs no Wine.
gtest_discover_tests(quillmere-tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
  DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 60)

add_executable(quillmere-win32-tests tests/win32/seams_win32_test.cpp
  tests/win32/win32_platform_test.cpp)
target_link_libraries(quillmere-win32-tests PRIVATE quillmere_window GTest::gtest_main)
target_compile_definitions(quillmere-win32-tests PRIVATE QUILLMERE_ASSETS="${CMAKE_SOURCE_DIR}/assets/")
set_target_properties(quillmere-win32-tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
gtest_discover_tests(quillmere-win32-tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 60)

add_executable(taskbar-crash tests/win32/taskbar_crash.cpp)
target_link_libraries(taskbar-crash PRIVATE quillmere_window)
set_target_properties(taskbar-crash PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(quillmere-win32-tests taskbar-crash)

# The scenarios: the very scripts and expected outputs of the Linux build, the driver run
# through Wine.
set(HEADLESS_UNDER_WINE ${CMAKE_BINARY_DIR}/quillmere-headless-wine)
file(GENERATE OUTPUT ${HEADLESS_UNDER_WINE}
  CONTENT "#!/bin/sh\nexec '${CMAKE_SOURCE_DIR}/cmake/wine-run.sh' '${WINE_PREFIX}' '$<TARGET_FILE:quillmere-headless>' \"$@\"\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GLOB SCENARIO_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scenarios/*.script)
foreach(script ${SCENARIO_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  # A full disk and read-only folders are made with POSIX means (a file-size limit, file modes)
  # and their messages carry the system's own words: those scenarios are the Linux build's.
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/scenarios/${name}.limit OR
     EXISTS ${CMAKE_SOURCE_DIR}/tests/scenarios/${name}.readonly)
    continue()
  endif()
  add_test(NAME scenario_${name}
    COMMAND ${CMAKE_COMMAND}
      -DHEADLESS=${HEADLESS_UNDER_WINE}
      -DSCRIPT=${script}
      -DWORK=${CMAKE_BINARY_DIR}/scenarios/${name}
      -P ${CMAKE_SOURCE_DIR}/tests/run_scenario.cmake)
endforeach()

# The game in a real window under Wine on a virtual screen, in a Wine prefix of its own.
add_test(NAME e2e_wine_real_window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/run_wine_e2e.sh ${GAME_DIR}
    ${CMAKE_BINARY_DIR}/tests/wine-screenshots ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh
    ${CMAKE_BINARY_DIR}/wine-e2e)
# The two Wine windows never start side by side: two Wine sessions starting at once on two cores
# can keep the first window from the screen beyond the test's patience.
set_tests_properties(e2e_wine_real_window PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_window)

# The level editor under Wine: a level typed with its keys and saved through the system's dialog.
add_test(NAME e2e_wine_editor_real_window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/run_wine_editor_e2e.sh ${GAME_DIR}
    ${CMAKE_BINARY_DIR}/tests/wine-editor-screenshots ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh
    ${CMAKE_BINARY_DIR}/wine-editor-e2e ${CMAKE_SOURCE_DIR}/tests/e2e/editor_level.lvl)
set_tests_properties(e2e_wine_editor_real_window PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_window)
