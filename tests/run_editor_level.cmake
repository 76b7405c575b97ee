# A level made in the editor and played by the game: SCRIPT drives the editor through the
# headless driver (its output must equal EXPECTED_OUT) and saves made.lvl, which must equal
# EXPECTED_LEVEL byte for byte; the solver then finds a way through that file, and the game's
# own driver plays the way from the main menu of a folder whose first level it is, to the exit.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder ${WORK}/game)
execute_process(
  COMMAND ${HEADLESS} --folder ${WORK}/folder --edit ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmere-headless --edit exited with ${rc}: ${err}")
endif()
file(WRITE ${WORK}/actual.out "${out}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED_OUT} ${WORK}/actual.out
  RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  execute_process(COMMAND diff -u ${EXPECTED_OUT} ${WORK}/actual.out)
  message(FATAL_ERROR "the editor's output differs from ${EXPECTED_OUT}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED_LEVEL} ${WORK}/folder/made.lvl
  RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "the saved level differs from ${EXPECTED_LEVEL}")
endif()

execute_process(COMMAND ${SOLVE} --out ${WORK}/way.script ${WORK}/folder/made.lvl
  OUTPUT_VARIABLE solved ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "no way through the saved level: ${solved} ${err}")
endif()
file(COPY_FILE ${WORK}/folder/made.lvl ${WORK}/game/Level1.cam)
execute_process(
  COMMAND ${HEADLESS} --folder ${WORK}/game --snapshot ${WORK}/snapshot.tmp ${WORK}/way.script
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE played ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT played MATCHES "screen=2 " OR played MATCHES "message ")
  message(FATAL_ERROR "the game did not reach the exit of the saved level:\n${played}${err}")
endif()
