// The few services that differ between Windows and the other platforms.
// Win32 calls in platform_win32.cpp, POSIX equivalents in platform_posix.cpp;
// no other file looks at the platform.
#pragma once

#include <cstddef>
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

// The full path, in UTF-8, of fileName in the running program's own
// directory, where the ordinary search of PlatformLoadLibrary looks first;
// 0, or -1 when it cannot be told or does not fit in size bytes (out is
// then empty).
int PlatformPathBesideProgram(const char *fileName, char *out, size_t size);

// The command interpreter's key-press pause, after everything written to
// standard output so far. Where there is no such command the same prompt is
// printed and one key is awaited, without echo, when standard input is a
// terminal; otherwise no input is consumed.
void PlatformPause();

// Text to integer with hexadecimal allowed, as StrToIntExA with flag 1:
// leading blanks, tabs and line feeds, an optional sign, then "0x"/"0X" and
// hex digits (the sign ignored) or decimal digits, up to the first character
// that does not belong. Wraps to the low 32 bits. Text without a number
// gives 0. Windows: StrToIntExA itself, from shlwapi.dll loaded at the first
// call (a program that never reads such a number need not start the window
// system's libraries that shlwapi brings in), or WrittenHexTextToInt when it
// cannot be loaded.
int32_t PlatformHexTextToInt(const char *text);
// The same conversion written out, as the other platforms have it.
int32_t WrittenHexTextToInt(const char *text);

// Windows: when the program runs in a console, sets the console's output
// and input code pages to 936 (GBK), so that the tool's Chinese text reads
// correctly and "加载器测试" can be typed, and restores them when the
// process ends. The bytes written do not change: piped output is the same.
// Elsewhere nothing (a UTF-8 terminal shows GBK through luit).
void PlatformUseGbkConsole();

// ---- the console's text ---------------------------------------------------

// Writes the console's text, GBK bytes, to standard output: as they are to
// a file or a pipe, and everywhere on POSIX (a UTF-8 terminal shows them
// through luit); to a Windows console window as wide characters
// (WriteConsoleW), so that they read correctly whatever its code page. A
// GBK lead byte that ends one write waits for its second byte in the next.
void PlatformConsoleWrite(const char *bytes, size_t count);
// fputs and printf on PlatformConsoleWrite.
void PlatformConsolePuts(const char *text);
__attribute__((format(printf, 1, 2))) void PlatformConsolePrintf(const char *format, ...);

// ---- command lines and file names ----------------------------------------

// Puts the program's arguments in argc and argv as UTF-8, and makes every
// file name passed to platform/ from then on UTF-8. Windows: the wide
// command line, split as the C library splits it for wmain, so that any
// file name can be given; the converted arguments live to the end of the
// process.
// Without this call, file names are in the ANSI code page, as the typed
// words of the console are. POSIX: names are bytes, and nothing changes.
// 0, or -1 (argc and argv unchanged) when the command line cannot be read.
int PlatformUseUtf8Arguments(int &argc, char **&argv);

// ---- files --------------------------------------------------------------

// fopen and remove with the program's file names (see above).
FILE *PlatformOpenFile(const char *path, const char *mode);
int PlatformRemoveFile(const char *path);

// Opens path for binary reading only when it names a regular file, and
// never waits: a FIFO, a character device (/dev/zero, or Windows' CON,
// COM1, NUL, ... with any extension) or a directory gives nullptr at once,
// as does a file that cannot be opened. The caller closes the file.
FILE *PlatformOpenRegularFile(const char *path);

// Whether a and b name one existing file (through links, "./" or another
// letter case where the file system ignores it); false when either does
// not exist.
bool PlatformSameFile(const char *a, const char *b);

// Memory for a large table or buffer (a LUT's values, a file's blocks), to
// be released with free() like malloc's; nullptr when there is none. Where
// the kernel gives huge pages on request (Linux), the block is aligned to
// them and asks for them: a table of a few megabytes is then a handful of
// page faults instead of a thousand, and each of those is dear on a virtual
// machine. Elsewhere it is malloc.
void *PlatformAllocLarge(size_t size);
// Releases a block of PlatformAllocLarge (or of malloc), as free() would.
// Where blocks get huge pages, a large one is kept instead, for the next
// large block it holds (the one kept before is freed): a new block's pages
// are faulted in and zeroed by the kernel, some 0.3 ms a huge page on a
// virtual machine, and one process mostly wants blocks of a few sizes in
// turn. So a block may come back as another left it, not zeroed.
void PlatformFreeLarge(void *p);
// Whether PlatformFreeLarge keeps blocks here: not where blocks get no huge
// pages, nor under AddressSanitizer, which is to see every block freed.
bool PlatformKeepsLargeBlocks();
// A block grown to size bytes (p may be null), its first `used` bytes kept,
// as realloc does it but into memory of PlatformAllocLarge where that is
// large; nullptr, with p left as it was, when there is no memory.
void *PlatformGrowLarge(void *p, size_t used, size_t size);

// The size of an open file in bytes, from the file system, without reading
// it; -1 when it cannot be told.
int64_t PlatformFileSize(FILE *file);

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

// Flushes the temporary file to the disk and closes it; 0, or -1 when not
// every byte reached it (the temporary file is then removed). Its bytes can
// be read back at tempPath before the commit. A file it replaces keeps its
// permission bits (POSIX); a new one gets those of any new file.
int PlatformCloseReplacement(PlatformReplacement &replacement);

// Puts the closed temporary file in path's place; 0, or -1 (the temporary
// file is then removed and path is left as it was).
int PlatformCommitReplacement(PlatformReplacement &replacement);

// Closes the temporary file if it is open and removes it.
void PlatformDiscardReplacement(PlatformReplacement &replacement);

// Close and commit in one step, for a writer that needs no check between.
int PlatformFinishReplacement(PlatformReplacement &replacement);

// For a program that caught interrupts (PlatformCatchInterrupts): when one
// came, removes the temporary file and ends the process as the interrupt
// would have; 0 otherwise. Called while the temporary file exists, around
// its writing and before the commit, since the handler itself only notes the
// interrupt. Returns -1 after removing it where the platform's own handler
// ends the process (Windows, once the device use ends).
int PlatformEndReplacementIfInterrupted(PlatformReplacement &replacement);

// The primitives of the replacement, one per platform: creates path for
// binary writing only when no file of that name exists (with the usual
// permissions of a new file); moves from over to, replacing it; whether an
// existing path may be written (true when there is none).
FILE *PlatformCreateNewFile(const char *path);
int PlatformMoveOver(const char *from, const char *to);
// Gives file the permission bits of the file at path, when there is one
// (POSIX; Windows keeps no such bits beside the read-only attribute, which
// PlatformMayWrite refuses); 0, or -1.
int PlatformCopyPermissions(const char *path, FILE *file);
bool PlatformMayWrite(const char *path);
// A number that tells this process from others running at the same time.
unsigned long PlatformProcessId();

// Flushes file and makes sure that its bytes reached the disk (fsync,
// FlushFileBuffers); 0, or -1 when either step failed.
int PlatformSyncFile(FILE *file);

// A record file, appended to by several stations at once: opened for
// appending, created when missing, only when path names a regular file (or
// nothing yet), and never waits: a FIFO, a device (/dev/null, Windows' NUL,
// COM1, ...) or a directory gives nullptr at once. The caller closes it.
FILE *PlatformOpenAppendFile(const char *path);

// An exclusive lock on the whole of file against other processes (flock,
// LockFileEx), held until PlatformUnlockFile or the close; waits for the
// holder. 0, or -1 when the lock cannot be taken.
int PlatformLockFile(FILE *file);
void PlatformUnlockFile(FILE *file);

// The file's length in bytes, or -1; and the file cut back to length
// (0, or -1). Both act on the file itself: flush stdio's buffer first.
int64_t PlatformFileLength(FILE *file);
int PlatformTruncateFile(FILE *file, int64_t length);

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

// ---- sockets and the clock ----------------------------------------------

// A connected TCP socket; kPlatformNoSocket when there is none. Every wait
// below is bounded and ends early when an interrupt arrives.
typedef intptr_t PlatformSocket;
constexpr PlatformSocket kPlatformNoSocket = -1;

// What a connect or a receive came to, besides a count of bytes.
constexpr int kPlatformSocketClosed = 0;        // the peer closed the connection
constexpr int kPlatformSocketFailed = -1;       // refused, unreachable, reset, or no such host
constexpr int kPlatformSocketTimedOut = -2;     // nothing within the time allowed
constexpr int kPlatformSocketInterrupted = -3;  // an interrupt arrived while waiting

// Resolves host (a name or an address) and connects to port, trying each
// address in turn, within timeoutMs in all; 1 with *out set, or a negative
// outcome above with the system's reason in error (errorSize bytes, always
// terminated). The caller closes the socket.
int PlatformConnect(const char *host, const char *port, int timeoutMs, PlatformSocket *out, char *error,
                    size_t errorSize);

// Receives at most size bytes, waiting at most timeoutMs for the first of
// them: a count above 0, or an outcome above.
int PlatformReceive(PlatformSocket socket, void *buffer, int size, int timeoutMs);

void PlatformCloseSocket(PlatformSocket socket);

// A clock that only goes forward, in microseconds from an arbitrary start.
int64_t PlatformMonotonicMicros();

// ---- watching a file ----------------------------------------------------

// A watch on one file, through its directory, so that a file replaced by a
// rename (a new file moved over it) is seen as well as one written in place
// (POSIX: inotify; Windows: ReadDirectoryChangesW).
struct PlatformWatch;

enum PlatformWatchResult : int32_t {
    kPlatformWatchChanged,      // the file was written, created, replaced, renamed or removed
    kPlatformWatchTimeout,      // no change of the file within the time given
    kPlatformWatchInterrupted,  // an interrupt (PlatformInterrupted)
    kPlatformWatchError,        // the watch failed; it sees no more changes
};

// Starts watching the file at path (which need not exist yet; its
// directory must). nullptr when the directory cannot be watched or the path
// is too long.
PlatformWatch *PlatformWatchOpen(const char *path);

// Waits at most timeoutMs (0: only looks) for a change of the file and
// takes in every change that has arrived by then, so that one burst of
// writes is one result. Changes of other files in the directory do not end
// the wait. An interrupt is seen within a tenth of a second, whatever the
// timeout. On Windows an interrupt's close of the box may run during the
// wait, as during the wait for a key.
PlatformWatchResult PlatformWatchWait(PlatformWatch *watch, int32_t timeoutMs);

// Ends the watch and frees it; nothing for nullptr.
void PlatformWatchClose(PlatformWatch *watch);
