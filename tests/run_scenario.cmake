# Runs one scenario: NAME.script through quillmere-headless, its output compared with NAME.out.
#   NAME.folder/  copied afresh as the program's folder (optional)
#   NAME.args     extra command-line arguments, e.g. --screen 1024x768 (optional)
#   NAME.after/   files that must be in the folder afterwards, byte for byte (optional)
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder)
if(EXISTS ${dir}/${name}.folder)
  file(COPY ${dir}/${name}.folder/ DESTINATION ${WORK}/folder)
endif()
set(extra "")
if(EXISTS ${dir}/${name}.args)
  file(READ ${dir}/${name}.args extra)
  string(STRIP "${extra}" extra)
  separate_arguments(extra UNIX_COMMAND "${extra}")
endif()
execute_process(
  COMMAND ${HEADLESS} ${extra} --folder ${WORK}/folder --snapshot ${WORK}/snapshot.tmp ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_FILE ${WORK}/actual.out
  ERROR_VARIABLE err
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmere-headless exited with ${rc}: ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/${name}.out ${WORK}/actual.out
  RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  execute_process(COMMAND diff -u ${dir}/${name}.out ${WORK}/actual.out)
  message(FATAL_ERROR "output differs from ${name}.out")
endif()
if(EXISTS ${dir}/${name}.after)
  file(GLOB_RECURSE expected RELATIVE ${dir}/${name}.after ${dir}/${name}.after/*)
  foreach(f ${expected})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/${name}.after/${f} ${WORK}/folder/${f}
      RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      message(FATAL_ERROR "file ${f} differs from ${name}.after/${f}")
    endif()
  endforeach()
endif()
