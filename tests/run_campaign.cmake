# Plays the whole shipped campaign in one run of quillmere-headless: New, then every level by
# its shipped replay (levels/replays/LevelN.script without its first key, which there enters
# the level from the menu), and at every shop a purchase of earth when the money allows and
# Play; after the last level Play ends the campaign and the score board shows the new entry.
# The output must equal EXPECTED and the table left behind EXPECTED_TABLE, byte for byte.
#   -DHEADLESS=... -DLEVELS=<source>/levels -DWORK=<scratch> -DEXPECTED=... -DEXPECTED_TABLE=...
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder)
file(GLOB levels ${LEVELS}/campaign/*)
file(COPY ${levels} DESTINATION ${WORK}/folder)
file(WRITE ${WORK}/folder/Player.cfg "Tester\r\n")

set(script "key down\nkey enter\n")
set(number 1)
while(EXISTS ${LEVELS}/campaign/Level${number}.cam)
  file(STRINGS ${LEVELS}/replays/Level${number}.script lines)
  set(entered FALSE)
  foreach(line ${lines})
    if(line MATCHES "^#" OR line STREQUAL "" OR line STREQUAL "dump")
      continue()
    endif()
    if(NOT entered)
      set(entered TRUE)
      continue()
    endif()
    string(APPEND script "${line}\n")
  endforeach()
  # The shop opens on Play: up three times to Ground, buy, down three times to Play, play on.
  string(APPEND script "key up\nkey up\nkey up\nkey enter\nkey down\nkey down\nkey down\nkey enter\n")
  math(EXPR number "${number} + 1")
endwhile()
string(APPEND script "dump\n")
file(WRITE ${WORK}/campaign.script "${script}")

execute_process(
  COMMAND ${HEADLESS} --folder ${WORK}/folder --snapshot ${WORK}/snapshot.tmp ${WORK}/campaign.script
  OUTPUT_FILE ${WORK}/actual.out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmere-headless exited with ${rc}: ${err}")
endif()
foreach(pair "${EXPECTED};${WORK}/actual.out" "${EXPECTED_TABLE};${WORK}/folder/High.scr")
  list(GET pair 0 want)
  list(GET pair 1 got)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${want} ${got} RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    execute_process(COMMAND diff -u ${want} ${got})
    message(FATAL_ERROR "${got} differs from ${want}")
  endif()
endforeach()
