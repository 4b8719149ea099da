# Runs every file of the INPUTS directories through the fuzz target TARGET
# once (libFuzzer runs the files it is given and fuzzes nothing); fails on
# any crash, sanitizer report or failed check.
set(files "")
foreach(dir ${INPUTS})
  file(GLOB found LIST_DIRECTORIES false "${dir}/*")
  list(APPEND files ${found})
endforeach()
list(FILTER files EXCLUDE REGEX "/\\.gitkeep$")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "No inputs in ${INPUTS}")
endif()
execute_process(COMMAND ${TARGET} ${files} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${output}\n${TARGET} failed on one of ${count} inputs (exit ${result})")
endif()
message("${count} inputs replayed")
