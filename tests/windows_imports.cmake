# cmake -DOBJDUMP=... -DPROGRAM=... -P windows_imports.cmake
#
# Fails when a program imports a DLL beyond kernel32, the C library and
# Winsock. shell32, shlwapi, user32 or gdi32 among the imports would start
# the window system's libraries in every process (under Wine, a connection
# to its desktop as well), for console programs that draw nothing; what
# they need of those is loaded where it is used.
cmake_minimum_required(VERSION 3.20)
set(allowed kernel32.dll msvcrt.dll ws2_32.dll)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM}: no imports found in objdump's output")
endif()
foreach(line ${lines})
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST allowed)
    message(FATAL_ERROR "${PROGRAM} imports ${name}")
  endif()
endforeach()
