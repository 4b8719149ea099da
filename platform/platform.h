// The few services that differ between Windows and the other platforms.
// Win32 calls in platform_win32.cpp, POSIX equivalents in platform_posix.cpp;
// no other file looks at the platform.
#pragma once

#include <cstdint>

typedef void *PlatformLibrary;
// A generic function address; cast to the entry point's own type before use.
typedef void (*PlatformProc)(void);

// Loads a dynamic library by file name with the platform's ordinary search
// (Windows: the executable's directory first; POSIX: LD_LIBRARY_PATH, then
// the executable's own directory through its run path). Empty on failure.
PlatformLibrary PlatformLoadLibrary(const char *fileName);

// Exact, case-sensitive lookup; nullptr when the library has no such name.
PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name);

void PlatformFreeLibrary(PlatformLibrary library);

// The command interpreter's key-press pause, after everything written to
// standard output so far. Where there is no such command the same prompt is
// printed and one key is awaited, without echo, when standard input is a
// terminal; otherwise no input is consumed.
void PlatformPause();

// Text to integer with hexadecimal allowed, as StrToIntExA with flag 1:
// leading blanks, tabs and line feeds, an optional sign, then "0x"/"0X" and
// hex digits (the sign ignored) or decimal digits, up to the first character
// that does not belong. Wraps to the low 32 bits. Text without a number
// gives 0.
int32_t PlatformHexTextToInt(const char *text);
