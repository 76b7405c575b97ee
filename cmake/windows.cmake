# The Windows build, cross-built with cmake/mingw-w64.cmake: the seams and the window as Windows
# fills them, Quillmere.exe, quillmere-headless.exe and the portable zip. Programs of the build run
# under Wine, in a prefix of the build tree.
# The icon, the version information and the manifest are resources (cmake/install.cmake).
enable_language(RC)
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${WINE_PREFIX})

# Each .exe stands alone: no compiler run-time DLL to ship beside it, only the system's.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Files, letters and pictures: Win32 files, GDI, the Windows Imaging Component. The core links
# nothing. The core calls these seams and they call the core's code-page conversion, so whatever
# links the core links the two as one group that the linker reads until nothing is missing.
add_library(quillmere_win32 STATIC
  platform/win32/file_system_win32.cpp
  platform/win32/game_path.cpp
  platform/win32/picture_codec_win32.cpp
  platform/win32/single_instance_win32.cpp
  platform/win32/text_raster_win32.cpp
  platform/win32/wide_text.cpp)
target_include_directories(quillmere_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quillmere_win32 PUBLIC windowscodecs ole32 uuid shell32 advapi32 gdi32
  user32)
set(CORE_AND_SEAMS "$<LINK_GROUP:RESCAN,quillmere_core,quillmere_win32>")

# The window: message loop, timer, keys, message boxes, file dialogs, the task bar, and the
# sounds through our mixer and waveOut.
add_library(quillmere_mixer STATIC platform/mixer/mixer.cpp platform/mixer/wav_file.cpp)
target_link_libraries(quillmere_mixer PUBLIC ${CORE_AND_SEAMS})
add_library(quillmere_window STATIC
  platform/win32/taskbar.cpp
  platform/win32/waveout_sound.cpp
  platform/win32/win32_dialogs.cpp
  platform/win32/win32_platform.cpp)
target_link_libraries(quillmere_window PUBLIC ${CORE_AND_SEAMS} quillmere_mixer comdlg32 user32
  winmm)

add_library(quillmere_scripted STATIC platform/scripted/scripted_platform.cpp app/script_commands.cpp
  app/script_runner.cpp app/edit_script_runner.cpp app/state_dump.cpp game/json_text.cpp)
target_link_libraries(quillmere_scripted PUBLIC quillmere_editor ${CORE_AND_SEAMS})

# The game: a window program, no console.
add_executable(quillmere WIN32 app/main.cpp)
target_link_libraries(quillmere PRIVATE quillmere_window)
set_target_properties(quillmere PROPERTIES OUTPUT_NAME Quillmere)

# The level editor: a window program beside the game.
add_executable(quillmere-edit WIN32 app/edit_main.cpp)
target_link_libraries(quillmere-edit PRIVATE quillmere_editor quillmere_window)
set_target_properties(quillmere-edit PROPERTIES OUTPUT_NAME QuillmereEdit)

# The headless driver prints its replay byte for byte: binary standard streams.
add_executable(quillmere-headless app/headless_main.cpp platform/win32/binary_stdio.cpp)
target_link_libraries(quillmere-headless PRIVATE quillmere_scripted)

# The portable folder as players keep it, packed: Quillmere\ with the game, the pictures, the
# campaign, the table, the single levels, a short ReadMe.txt and the licences.
set(ZIP_ROOT ${CMAKE_BINARY_DIR}/zip)
configure_file(packaging/windows/ReadMe.txt.in ${CMAKE_BINARY_DIR}/ReadMe.txt @ONLY
  NEWLINE_STYLE CRLF)
add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZIP_ROOT} ${CMAKE_BINARY_DIR}/Quillmere-windows.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZIP_ROOT}/Quillmere/assets ${ZIP_ROOT}/Quillmere/levels
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillmere> $<TARGET_FILE:quillmere-edit> ${CMAKE_SOURCE_DIR}/LICENSE
    ${CMAKE_SOURCE_DIR}/LICENSE.DejaVu ${CMAKE_BINARY_DIR}/ReadMe.txt
    ${ZIP_ROOT}/Quillmere
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/assets ${ZIP_ROOT}/Quillmere/assets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/levels/campaign ${ZIP_ROOT}/Quillmere
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/levels/single ${ZIP_ROOT}/Quillmere/levels
  COMMAND ${CMAKE_COMMAND} -E chdir ${ZIP_ROOT}
    ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/Quillmere-windows.zip --format=zip Quillmere
  DEPENDS quillmere quillmere-edit
  COMMENT "Packing build-windows/Quillmere-windows.zip")

# The least a full-screen Win32 program does before its first frame (start-up comparison).
add_executable(quillmere-bare-window WIN32 bench/bare_window_win32.cpp)
target_link_libraries(quillmere-bare-window PRIVATE gdi32 user32)
set_target_properties(quillmere-bare-window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
