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

# example.cube, the file the READMEs try lutprep on: a warm look on 16
# points, a size the box does not take, so that check refuses it and
# convert has work to do. Red is raised by 5 % (at most 1), blue lowered
# by 10 %; values in millionths, written with six decimals.
set(points 16)
math(EXPR last "${points} - 1")
set(red "")
set(green "")
set(blue "")
foreach(i RANGE ${last})
  math(EXPR level "${i} * 1000000 / ${last}")
  math(EXPR r "${level} * 105 / 100")
  if(r GREATER 1000000)
    set(r 1000000)
  endif()
  math(EXPR b "${level} * 90 / 100")
  foreach(channel r level b)
    math(EXPR whole "${${channel}} / 1000000")
    math(EXPR fraction "${${channel}} % 1000000 + 1000000")
    string(SUBSTRING "${fraction}" 1 6 fraction)
    set(${channel} "${whole}.${fraction}")
  endforeach()
  list(APPEND red ${r})
  list(APPEND green ${level})
  list(APPEND blue ${b})
endforeach()
set(rows "")
# Red changes fastest, as the cube format has it.
foreach(k RANGE ${last})
  list(GET blue ${k} b)
  foreach(j RANGE ${last})
    list(GET green ${j} g)
    foreach(i RANGE ${last})
      list(GET red ${i} r)
      string(APPEND rows "${r} ${g} ${b}\r\n")
    endforeach()
  endforeach()
endforeach()
file(WRITE ${folder}/example.cube
  "TITLE \"lutbox example: a warm look, ${points} points\"\r\nLUT_3D_SIZE ${points}\r\n${rows}")

get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUTPUT} --format=zip ${NAME}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot write ${OUTPUT}")
endif()
message(STATUS "Wrote ${OUTPUT}")
