# expat, the XML reader, as the target lutbox_expat: Debian's libexpat1-dev
# on a native build; for Windows, where MinGW-w64 has no expat package, a
# static C library built from Debian's expat source package, which
# tools/fetch-expat-source fetches into the build tree once. Any reader of
# an XML format links lutbox_expat.
if(TARGET lutbox_expat)
  return()
endif()

if(NOT WIN32)
  find_package(EXPAT REQUIRED)
  add_library(lutbox_expat INTERFACE)
  # The package's static library, where it has one (Debian's does, built as
  # position-independent code), so that lutprep can be linked statically.
  find_library(LUTBOX_EXPAT_ARCHIVE NAMES libexpat.a)
  if(LUTBOX_EXPAT_ARCHIVE)
    target_include_directories(lutbox_expat SYSTEM INTERFACE ${EXPAT_INCLUDE_DIRS})
    target_link_libraries(lutbox_expat INTERFACE ${LUTBOX_EXPAT_ARCHIVE})
  else()
    target_link_libraries(lutbox_expat INTERFACE EXPAT::EXPAT)
  endif()
  return()
endif()

set(LUTBOX_EXPAT_SOURCE ${CMAKE_BINARY_DIR}/expat-source CACHE PATH "Debian's expat source, unpacked")
if(NOT EXISTS ${LUTBOX_EXPAT_SOURCE}/lib/xmlparse.c)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/fetch-expat-source ${LUTBOX_EXPAT_SOURCE}
                  RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0 OR NOT EXISTS ${LUTBOX_EXPAT_SOURCE}/lib/xmlparse.c)
    message(FATAL_ERROR "expat's source could not be fetched into ${LUTBOX_EXPAT_SOURCE} (tools/fetch-expat-source)")
  endif()
endif()

enable_language(C)
# expat's configuration for a little-endian Windows target; its other
# settings keep their defaults (UTF-8 XML_Char, no DTD-less build).
set(expat_config ${CMAKE_BINARY_DIR}/generated/expat/expat_config.h)
file(WRITE ${expat_config}.new
  "#define BYTEORDER 1234\n#define XML_CONTEXT_BYTES 1024\n#define XML_DTD 1\n#define XML_NS 1\n"
  "#define HAVE_MEMMOVE 1\n")
configure_file(${expat_config}.new ${expat_config} COPYONLY)
add_library(lutbox_expat_static STATIC
  ${LUTBOX_EXPAT_SOURCE}/lib/xmlparse.c
  ${LUTBOX_EXPAT_SOURCE}/lib/xmlrole.c
  ${LUTBOX_EXPAT_SOURCE}/lib/xmltok.c)
target_include_directories(lutbox_expat_static PRIVATE ${CMAKE_BINARY_DIR}/generated/expat)
target_include_directories(lutbox_expat_static SYSTEM PUBLIC ${LUTBOX_EXPAT_SOURCE}/lib)
target_compile_definitions(lutbox_expat_static PUBLIC XML_STATIC PRIVATE HAVE_EXPAT_CONFIG_H _CRT_RAND_S)
# Not this project's code: its own warnings are not ours to fail on.
target_compile_options(lutbox_expat_static PRIVATE -w)
add_library(lutbox_expat INTERFACE)
target_link_libraries(lutbox_expat INTERFACE lutbox_expat_static)
