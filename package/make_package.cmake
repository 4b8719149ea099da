cmake_minimum_required(VERSION 3.25)
# Builds the release package; run by the dist target with NAME, VERSION,
# STAGE, OUTPUT, PROGRAMS ("|"-separated), SIMULATOR, STRIP and SOURCE.
file(REMOVE_RECURSE ${STAGE})
set(folder ${STAGE}/${NAME})
file(MAKE_DIRECTORY ${folder}/simulator)

# The programs and the simulated box without their debug information. The
# simulated box goes into a folder of its own, never beside the programs,
# where it could be taken for the box maker's library.
string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
foreach(file ${PROGRAMS} ${SIMULATOR})
  get_filename_component(name ${file} NAME)
  set(target ${folder}/${name})
  if(file STREQUAL "${SIMULATOR}")
    set(target ${folder}/simulator/${name})
  endif()
  execute_process(COMMAND ${STRIP} --strip-all -o ${target} ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${file}")
  endif()
endforeach()

# The READMEs with the version, CR LF line ends and a byte-order mark, so
# that Notepad shows the Chinese text.
string(ASCII 239 187 191 bom)
foreach(readme README.txt README-zh.txt)
  file(READ ${SOURCE}/${readme} text)
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${folder}/${readme} "${bom}${text}")
endforeach()

get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUTPUT} --format=zip ${NAME}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot write ${OUTPUT}")
endif()
message(STATUS "Wrote ${OUTPUT}")
