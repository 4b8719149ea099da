# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# The programs it builds run here under Wine (the emulator below), which is
# how the tests reach them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model
# of this compiler version lacks.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_STRIP ${MINGW_TRIPLET}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One Wine prefix per build tree, created on first use (make test prepares it
# and keeps one wineserver running for the whole leg); Wine's own debug
# channels would mix into the programs' output. Debian's Wine finds its
# server under TMPDIR, which each transcript gets anew: a fixed one lets
# every program reach the same server.
# Wine maps its shared user data page at 0x7ffe0000, inside the gigabyte
# above its loader (0x7d000000) where Linux puts the randomised start of
# the process heap: about one start in several thousand collides, and the
# process ends with status 1 before the program runs ("failed to map the
# shared user data"). setarch -R (util-linux) starts Wine without that
# randomisation, which leaves the heap right after the loader.
find_program(WINE_PROGRAM NAMES wine wine64)
find_program(SETARCH_PROGRAM setarch)
if(WINE_PROGRAM)
  set(WINE_LAYOUT "")
  if(SETARCH_PROGRAM)
    set(WINE_LAYOUT ${SETARCH_PROGRAM} -R)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all TMPDIR=/tmp ${WINE_LAYOUT} ${WINE_PROGRAM})
endif()
