// The few services that differ between Windows and the other platforms.
// Win32 calls in platform_win32.cpp, POSIX equivalents in platform_posix.cpp;
// no other file looks at the platform.
#pragma once

#include <cstdint>
#include <cstdio>

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

// Windows: when the program runs in a console, sets the console's output
// and input code pages to 936 (GBK), so that the tool's Chinese text reads
// correctly and "加载器测试" can be typed, and restores them when the
// process ends. The bytes written do not change: piped output is the same.
// Elsewhere nothing (a UTF-8 terminal shows GBK through luit).
void PlatformUseGbkConsole();

// ---- files --------------------------------------------------------------

// Opens path for binary reading only when it names a regular file, and
// never waits: a FIFO, a character device (/dev/zero, or Windows' CON,
// COM1, NUL, ... with any extension) or a directory gives nullptr at once,
// as does a file that cannot be opened. The caller closes the file.
FILE *PlatformOpenRegularFile(const char *path);

// A file written by replacement: the bytes go to a new temporary file in
// the same directory, which takes the file's place only once it is complete
// and closed, so a failure never leaves a broken or emptied file where a
// good one stood, and no temporary file is left behind.
constexpr int kPlatformPathBytes = 4096;
struct PlatformReplacement {
    FILE *file;  // open for binary writing between creating and closing
    char path[kPlatformPathBytes];
    char tempPath[kPlatformPathBytes];
};

// Creates the temporary file beside path; nullptr (nothing created) when
// path is too long, names an existing file that may not be written, or the
// temporary file cannot be created.
FILE *PlatformCreateReplacement(PlatformReplacement &replacement, const char *path);

// Closes the temporary file; 0, or -1 when not every byte reached it (the
// temporary file is then removed). Its bytes can be read back at tempPath
// before the commit.
int PlatformCloseReplacement(PlatformReplacement &replacement);

// Puts the closed temporary file in path's place; 0, or -1 (the temporary
// file is then removed and path is left as it was).
int PlatformCommitReplacement(PlatformReplacement &replacement);

// Closes the temporary file if it is open and removes it.
void PlatformDiscardReplacement(PlatformReplacement &replacement);

// Close and commit in one step, for a writer that needs no check between.
int PlatformFinishReplacement(PlatformReplacement &replacement);

// The primitives of the replacement, one per platform: creates path for
// binary writing only when no file of that name exists (with the usual
// permissions of a new file); moves from over to, replacing it; whether an
// existing path may be written (true when there is none).
FILE *PlatformCreateNewFile(const char *path);
int PlatformMoveOver(const char *from, const char *to);
bool PlatformMayWrite(const char *path);
// A number that tells this process from others running at the same time.
unsigned long PlatformProcessId();

// Flushes file and makes sure that its bytes reached the disk (fsync,
// FlushFileBuffers); 0, or -1 when either step failed.
int PlatformSyncFile(FILE *file);

// ---- the operator's terminal -------------------------------------------

// Whether standard input is an interactive terminal (a console window on
// Windows), where someone can answer a question.
bool PlatformStdinIsTerminal();

// One key of the operator: at a terminal one key press, taken at once and
// not echoed; otherwise the next byte of standard input. -1 at the end of
// the input, on a read error, or when an interrupt cut the read short.
int PlatformReadKey();

// Whether the user's language is Chinese (POSIX: the first set of LC_ALL,
// LC_MESSAGES and LANG begins with "zh"; Windows: the user's UI language).
bool PlatformSystemLanguageIsChinese();

// Writes UTF-8 text to stream: its bytes as they are, except to a Windows
// console window, which gets the text as wide characters (WriteConsoleW),
// so that it reads correctly whatever the console's code page.
void PlatformWriteText(FILE *stream, const char *text);

// The current local time in ISO 8601 with its offset from UTC,
// "2026-12-07T10:18:05+01:00" (25 characters and a terminator); 0, or -1
// when the clock or the time zone cannot be read (out is then empty).
constexpr int kPlatformTimeTextSize = 32;
int PlatformLocalTimeText(char (&out)[kPlatformTimeTextSize]);

// ---- interrupts ---------------------------------------------------------

// From this call on, an interrupt (POSIX: SIGINT, SIGTERM, SIGHUP, SIGPIPE,
// SIGQUIT; Windows: every console control event, Ctrl-C, Ctrl-Break, a
// closed console window, a logoff, a shutdown) makes PlatformInterrupted()
// true and ends a console read in progress as the end of input does, so
// that the tool shuts down through its usual path; a key read puts the
// terminal's mode back before it returns. Nothing else runs in a POSIX
// signal handler. Where the platform itself ends the process soon after an
// interrupt (Windows runs its handler on a thread of its own, and ends the
// process once a closed window's handler returns), closeNow is called on
// that thread, the console's input mode is put back, and the process then
// ends; closeNow must close only once, also when the usual shutdown runs at
// the same time.
void PlatformCatchInterrupts(void (*closeNow)());

bool PlatformInterrupted();

// POSIX: ignores SIGXFSZ, so that a write beyond the file-size limit
// (ulimit -f) fails with an error the program reports instead of killing
// it. Windows: nothing. Called first thing by each program.
void PlatformIgnoreFileSizeSignal();

// The device library is in use by this thread from here to
// PlatformEndDeviceUse (a console command, a lutctl run). On Windows the
// close of an interrupt, made on the handler's own thread, waits for the
// use to end, so that two threads never call the library at once; the waits
// for a key inside a use (PlatformPause, PlatformReadKey) let it in, since
// no call is in progress there. Elsewhere nothing.
void PlatformBeginDeviceUse();
void PlatformEndDeviceUse();

// Ends the process as the interrupt would have ended it without a handler
// (POSIX: the signal's own default action), once the tool has shut down.
// Returns only when there was no interrupt.
void PlatformEndAsInterrupted();
