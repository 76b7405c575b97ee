# What `cmake --install` lays out, for the Debian package (scripts/package-deb.sh) and the
# Windows installer (scripts/package-windows.sh): the programs a player gets and the files they
# ship. Linux: the programs in games/, the shipped files in share/games/quillmere/, the menu
# entries, icons, metainfo and manual beside them. Windows: everything in one folder.
if(WIN32)
  set(QUILLMERE_PROGRAM_DIR .)
  set(QUILLMERE_DATA_DIR .)
else()
  set(QUILLMERE_PROGRAM_DIR games)
  set(QUILLMERE_DATA_DIR share/games/quillmere)
endif()
# Where an installed program finds the shipped files: relative to its own folder.
file(RELATIVE_PATH QUILLMERE_DATA_FROM_PROGRAM /${QUILLMERE_PROGRAM_DIR} /${QUILLMERE_DATA_DIR})
if(NOT QUILLMERE_DATA_FROM_PROGRAM STREQUAL "")
  string(APPEND QUILLMERE_DATA_FROM_PROGRAM /)
endif()

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(QUILLMERE_ICON_SIZES 16 32 48 64 128 256)

# An installed build's programs find the shipped files relative to their own folder
# (app/player_folder.cpp) and keep the player's files in the player's data folder.
if(QUILLMERE_INSTALLED)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/player_folder.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS "QUILLMERE_INSTALLED_DATA=\"${QUILLMERE_DATA_FROM_PROGRAM}\"")
endif()

# A program the player gets: TARGET, its NAME, PURPOSE, CATEGORIES and KEYWORDS in the desktops'
# menus. It is built with the version, installed, given a menu entry and its manual page
# (packaging/linux/FILE.6.in) on Linux, and on Windows the icon, the version information and the
# manifest; the Windows installer gives it a Start-menu entry. `player_programs` builds them all.
set_property(GLOBAL PROPERTY QUILLMERE_START_MENU "")
add_custom_target(player_programs)
function(player_program target name purpose categories keywords)
  target_compile_definitions(${target} PRIVATE QUILLMERE_VERSION="${PROJECT_VERSION}")
  add_dependencies(player_programs ${target})
  install(TARGETS ${target} RUNTIME DESTINATION ${QUILLMERE_PROGRAM_DIR})
  get_target_property(PROGRAM_FILE ${target} OUTPUT_NAME)
  if(NOT PROGRAM_FILE)
    set(PROGRAM_FILE ${target})
  endif()
  set(PROGRAM_NAME "${name}")
  set(PROGRAM_PURPOSE "${purpose}")
  set(PROGRAM_CATEGORIES "${categories}")
  set(PROGRAM_KEYWORDS "${keywords}")
  if(WIN32)
    configure_file(${PACKAGING_DIR}/windows/program.rc.in ${CMAKE_BINARY_DIR}/rc/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/rc/${target}.rc)
    set_property(SOURCE ${CMAKE_BINARY_DIR}/rc/${target}.rc APPEND PROPERTY OBJECT_DEPENDS
      ${PACKAGING_DIR}/icons/quillmere.ico ${PACKAGING_DIR}/windows/quillmere.manifest)
    set_property(GLOBAL APPEND_STRING PROPERTY QUILLMERE_START_MENU
      "!insertmacro PlayerProgram \"${PROGRAM_FILE}.exe\" \"${name}\"\n")
  else()
    configure_file(${PACKAGING_DIR}/linux/program.desktop.in
      ${CMAKE_BINARY_DIR}/desktop/${PROGRAM_FILE}.desktop @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/desktop/${PROGRAM_FILE}.desktop DESTINATION share/applications)
    configure_file(${PACKAGING_DIR}/linux/${PROGRAM_FILE}.6.in ${CMAKE_BINARY_DIR}/man/${PROGRAM_FILE}.6
      @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/man/${PROGRAM_FILE}.6 DESTINATION share/man/man6)
  endif()
endfunction()

# The programs a player gets, one line each. The headless driver, the tests and the tools are
# the developers' and stay out.
player_program(quillmere "Quillmere" "Dig for rubies, push rocks and dodge what falls and crawls"
  "Game;ArcadeGame;" "rubies;rocks;dig;cave;puzzle;")
player_program(quillmere-edit "Quillmere Level Editor" "Make and check levels for Quillmere"
  "Game;ArcadeGame;" "level;editor;map;rubies;rocks;")

# The shipped files: pictures and font, the campaign with its first table, the single levels.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${QUILLMERE_DATA_DIR}/assets)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/levels/campaign/ DESTINATION ${QUILLMERE_DATA_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/levels/single/ DESTINATION ${QUILLMERE_DATA_DIR}/levels)

if(WIN32)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/LICENSE.DejaVu
    DESTINATION ${QUILLMERE_DATA_DIR})
else()
  foreach(size IN LISTS QUILLMERE_ICON_SIZES)
    install(FILES ${PACKAGING_DIR}/icons/quillmere-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillmere.png)
  endforeach()
  configure_file(${PACKAGING_DIR}/linux/quillmere.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/metainfo/org.quillmere.Quillmere.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/metainfo/org.quillmere.Quillmere.metainfo.xml
    DESTINATION share/metainfo)
endif()

# For the Windows installer: the version, and the programs for their Start-menu entries.
if(WIN32)
  get_property(start_menu GLOBAL PROPERTY QUILLMERE_START_MENU)
  file(WRITE ${CMAKE_BINARY_DIR}/installer/version.nsh "!define VERSION \"${PROJECT_VERSION}\"\n")
  file(WRITE ${CMAKE_BINARY_DIR}/installer/programs.nsh "${start_menu}")
endif()
