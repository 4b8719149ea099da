// Win32 implementations of the platform services.
#include "platform/platform.h"

// Winsock 2 before windows.h, which would otherwise bring in the first one.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/ascii.h"

// The console's text is GBK.
static const UINT kGbkCodePage = 936;

// The code page of the file names handed to platform/: that of the ANSI
// functions (the console's typed words), until a program takes its
// arguments as UTF-8.
static UINT NameCodePage = 0;

// path as UTF-16 for the wide functions; false when it does not convert or
// does not fit.
static bool WidePath(const char *path, wchar_t (&out)[kPlatformPathBytes]) {
    UINT codePage = NameCodePage != 0 ? NameCodePage : AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    return MultiByteToWideChar(codePage, flags, path, -1, out, kPlatformPathBytes) > 0;
}

int PlatformPathBesideProgram(const char *fileName, char *out, size_t size) {
    if (size == 0) return -1;
    out[0] = '\0';
    wchar_t path[kPlatformPathBytes];
    DWORD length = GetModuleFileNameW(nullptr, path, kPlatformPathBytes);
    if (length == 0 || length >= static_cast<DWORD>(kPlatformPathBytes)) return -1;
    wchar_t *slash = wcsrchr(path, L'\\');
    if (slash == nullptr) return -1;
    int room = kPlatformPathBytes - static_cast<int>(slash + 1 - path);
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, fileName, -1, slash + 1, room) == 0 ||
        WideCharToMultiByte(CP_UTF8, 0, path, -1, out, static_cast<int>(size), nullptr, nullptr) == 0) {
        out[0] = '\0';
        return -1;
    }
    return 0;
}

PlatformLibrary PlatformLoadLibrary(const char *fileName) {
    return reinterpret_cast<PlatformLibrary>(LoadLibraryA(fileName));
}

PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<PlatformProc>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

void PlatformFreeLibrary(PlatformLibrary library) {
    if (library != nullptr) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

static UINT SavedOutputCodePage = 0;
static UINT SavedInputCodePage = 0;

static void RestoreConsoleCodePages() {
    if (SavedOutputCodePage != 0) SetConsoleOutputCP(SavedOutputCodePage);
    if (SavedInputCodePage != 0) SetConsoleCP(SavedInputCodePage);
}

void PlatformUseGbkConsole() {
    DWORD mode;
    // Only a console has code pages; a pipe or a file takes the bytes as
    // they are.
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        SavedOutputCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(kGbkCodePage);
    }
    if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) {
        SavedInputCodePage = GetConsoleCP();
        SetConsoleCP(kGbkCodePage);
    }
    atexit(RestoreConsoleCodePages);
}

// Held by the main thread while it uses the device library, and taken for
// good by the console-event handler before it closes the box.
struct DeviceUseLock {
    CRITICAL_SECTION section;
    DeviceUseLock() { InitializeCriticalSection(&section); }
};
static CRITICAL_SECTION *DeviceUse() {
    static DeviceUseLock lock;
    return &lock.section;
}
// Of the main thread only: how deep it is in uses (the waits for a key
// release the lock only inside one).
static int DeviceUseDepth = 0;

void PlatformBeginDeviceUse() {
    EnterCriticalSection(DeviceUse());
    DeviceUseDepth++;
}

void PlatformEndDeviceUse() {
    DeviceUseDepth--;
    LeaveCriticalSection(DeviceUse());
}

// Lets the handler in while the main thread waits for a key, then takes
// the lock back (or waits for ever once the handler has it: the process is
// ending).
static void AllowCloseWhileWaiting(bool waiting) {
    if (DeviceUseDepth == 0) return;
    if (waiting) {
        LeaveCriticalSection(DeviceUse());
    } else {
        EnterCriticalSection(DeviceUse());
    }
}

// cmd's "pause" command; cmd takes "Pause" and "pause" alike.
void PlatformPause() {
    fflush(stdout);
    AllowCloseWhileWaiting(true);
    (void)system("Pause");
    AllowCloseWhileWaiting(false);
}

// shlwapi's StrToIntExA. The programs do not import shlwapi (nor shell32):
// both bring in user32 and gdi32, whose start-up every process would pay
// for, and under Wine it connects each to the window system.
typedef BOOL(WINAPI *StrToIntExAType)(const char *text, DWORD flags, int *value);
static const DWORD kStrToIntSupportHex = 1;  // STIF_SUPPORT_HEX

static StrToIntExAType StrToIntExAOfShlwapi() {
    static StrToIntExAType function = nullptr;
    static bool looked = false;
    if (!looked) {
        looked = true;
        // System32 only: a shlwapi.dll beside the program is not taken.
        HMODULE shlwapi = LoadLibraryExW(L"shlwapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (shlwapi != nullptr) {
            function = reinterpret_cast<StrToIntExAType>(
                reinterpret_cast<PlatformProc>(GetProcAddress(shlwapi, "StrToIntExA")));
        }
    }
    return function;
}

int32_t PlatformHexTextToInt(const char *text) {
    StrToIntExAType strToIntExA = StrToIntExAOfShlwapi();
    if (strToIntExA == nullptr) return WrittenHexTextToInt(text);
    int value = 0;
    // A text without a number leaves 0.
    if (!strToIntExA(text, kStrToIntSupportHex, &value)) return 0;
    return value;
}

// Whether the last component of path is one of the names Windows gives its
// devices in every directory, with or without an extension ("COM1.cube"
// is the serial port): opening such a name reaches the device, not a file.
static bool IsDeviceName(const char *path) {
    const char *name = path;
    for (const char *p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':') name = p + 1;
    }
    size_t length = strcspn(name, ".");
    while (length > 0 && name[length - 1] == ' ') --length;
    static const char *const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char *device : kDevices) {
        if (length == strlen(device) && _strnicmp(name, device, length) == 0) return true;
    }
    // COM0 to COM9 and LPT0 to LPT9.
    return length == 4 && (_strnicmp(name, "COM", 3) == 0 || _strnicmp(name, "LPT", 3) == 0) &&
           IsAsciiDigit(static_cast<unsigned char>(name[3]));
}

// The C library's own splitting of the wide command line, as a wmain
// program gets it (shell32's CommandLineToArgvW would bring in user32; see
// StrToIntExAOfShlwapi). The arrays are the library's, kept to the end of
// the process; no wildcards are expanded, as for the narrow arguments.
struct MsvcrtStartupInfo {
    int newMode;
};
extern "C" int __wgetmainargs(int *argc, wchar_t ***argv, wchar_t ***environment, int expandWildcards,
                              MsvcrtStartupInfo *startup);

// Held to the end of the process, as the C library's own argv is.
static char **Utf8Arguments = nullptr;
static int Utf8ArgumentCount = 0;

static void FreeArguments(char **arguments, int count) {
    for (int i = 0; i < count; i++) free(arguments[i]);
    free(arguments);
}

int PlatformUseUtf8Arguments(int &argc, char **&argv) {
    int count = 0;
    wchar_t **wide = nullptr;
    wchar_t **environment = nullptr;
    MsvcrtStartupInfo startup = {0};
    if (__wgetmainargs(&count, &wide, &environment, 0, &startup) != 0 || wide == nullptr) return -1;
    char **utf8 = static_cast<char **>(calloc(static_cast<size_t>(count) + 1, sizeof(char *)));
    bool converted = utf8 != nullptr;
    for (int i = 0; converted && i < count; i++) {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        utf8[i] = bytes > 0 ? static_cast<char *>(malloc(static_cast<size_t>(bytes))) : nullptr;
        converted = utf8[i] != nullptr &&
                    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8[i], bytes, nullptr, nullptr) == bytes;
    }
    if (!converted) {
        if (utf8 != nullptr) FreeArguments(utf8, count);
        return -1;
    }
    if (Utf8Arguments != nullptr) FreeArguments(Utf8Arguments, Utf8ArgumentCount);
    Utf8Arguments = utf8;
    Utf8ArgumentCount = count;
    argc = count;
    argv = utf8;
    NameCodePage = CP_UTF8;
    return 0;
}

FILE *PlatformOpenFile(const char *path, const char *mode) {
    wchar_t widePath[kPlatformPathBytes];
    wchar_t wideMode[16];
    if (!WidePath(path, widePath) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 16) == 0) return nullptr;
    return _wfopen(widePath, wideMode);
}

int PlatformRemoveFile(const char *path) {
    wchar_t widePath[kPlatformPathBytes];
    return WidePath(path, widePath) && _wremove(widePath) == 0 ? 0 : -1;
}

FILE *PlatformOpenRegularFile(const char *path) {
    wchar_t widePath[kPlatformPathBytes];
    if (IsDeviceName(path) || !WidePath(path, widePath)) return nullptr;
    HANDLE handle = CreateFileW(widePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // A directory does not open this way; a pipe or a device is no disk file.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd == -1) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE *file = _fdopen(fd, "rb");
    if (file == nullptr) _close(fd);
    return file;
}

namespace {

// The volume and index that tell a file apart; false when it cannot be
// opened to ask.
bool FileIdentity(const char *path, BY_HANDLE_FILE_INFORMATION *info) {
    wchar_t widePath[kPlatformPathBytes];
    if (IsDeviceName(path) || !WidePath(path, widePath)) return false;
    // No access asked for: the attributes of any file, a folder too, open
    // while others hold it.
    HANDLE handle = CreateFileW(widePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, info) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

bool PlatformSameFile(const char *a, const char *b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!FileIdentity(a, &first) || !FileIdentity(b, &second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

FILE *PlatformCreateNewFile(const char *path) {
    wchar_t widePath[kPlatformPathBytes];
    if (!WidePath(path, widePath)) return nullptr;
    int fd = _wopen(widePath, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd == -1) return nullptr;
    FILE *file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        _wremove(widePath);
    }
    return file;
}

// Large pages need a privilege that a user's process does not have.
void *PlatformAllocLarge(size_t size) { return malloc(size); }

void PlatformFreeLarge(void *p) { free(p); }

bool PlatformKeepsLargeBlocks() { return false; }

void *PlatformGrowLarge(void *p, size_t, size_t size) { return realloc(p, size); }

int64_t PlatformFileSize(FILE *file) {
    // ftell's long ends at 2 GiB here.
    __int64 size = _filelengthi64(_fileno(file));
    return size >= 0 ? static_cast<int64_t>(size) : -1;
}

int PlatformMoveOver(const char *from, const char *to) {
    wchar_t wideFrom[kPlatformPathBytes];
    wchar_t wideTo[kPlatformPathBytes];
    if (!WidePath(from, wideFrom) || !WidePath(to, wideTo)) return -1;
    return MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}

// The read-only attribute, Windows' one permission bit, is refused by
// PlatformMayWrite; the access list of the new file is inherited from the
// directory, as the replaced file's was unless someone set one of its own.
int PlatformCopyPermissions(const char *, FILE *) { return 0; }

bool PlatformMayWrite(const char *path) {
    wchar_t widePath[kPlatformPathBytes];
    if (!WidePath(path, widePath)) return false;
    DWORD attributes = GetFileAttributesW(widePath);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

unsigned long PlatformProcessId() { return GetCurrentProcessId(); }

int PlatformSyncFile(FILE *file) {
    if (fflush(file) != 0) return -1;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) ? 0 : -1;
}

FILE *PlatformOpenAppendFile(const char *path) {
    wchar_t widePath[kPlatformPathBytes];
    if (IsDeviceName(path) || !WidePath(path, widePath)) return nullptr;
    HANDLE handle = CreateFileW(widePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // A pipe or a device is no disk file.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    // _O_APPEND: every write goes to the end, wherever others left it.
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_APPEND | _O_BINARY);
    if (fd == -1) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE *file = _fdopen(fd, "ab");
    if (file == nullptr) _close(fd);
    return file;
}

static HANDLE HandleOf(FILE *file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

int PlatformLockFile(FILE *file) {
    OVERLAPPED from = {};
    return LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from) ? 0 : -1;
}

void PlatformUnlockFile(FILE *file) {
    OVERLAPPED from = {};
    UnlockFileEx(HandleOf(file), 0, MAXDWORD, MAXDWORD, &from);
}

int64_t PlatformFileLength(FILE *file) {
    LARGE_INTEGER size;
    return GetFileSizeEx(HandleOf(file), &size) ? static_cast<int64_t>(size.QuadPart) : -1;
}

int PlatformTruncateFile(FILE *file, int64_t length) { return _chsize_s(_fileno(file), length) == 0 ? 0 : -1; }

// A console, not merely a character device: _isatty is true for NUL too.
static bool IsConsole(FILE *stream) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool PlatformStdinIsTerminal() { return IsConsole(stdin); }

// The console's input mode before a key read changed it, for the handler of
// a console event to put back while KeyReadChangedMode is 1.
static DWORD SavedKeyInputMode = 0;
static volatile LONG KeyReadChangedMode = 0;

// One key press from the console, not echoed. _getch would turn off the
// processing of Ctrl-C for the wait (the key would arrive as a byte, and
// the console event never), and leave the console without echo if the
// process ended during it; so the key is read here, with Ctrl-C still an
// event, and the mode before it kept for the handler.
static int ReadConsoleKey(HANDLE input) {
    DWORD saved = 0;
    if (!GetConsoleMode(input, &saved)) return -1;
    SavedKeyInputMode = saved;
    InterlockedExchange(&KeyReadChangedMode, 1);
    int key = -1;
    // ENABLE_PROCESSED_INPUT alone: no line editing, no echo.
    if (SetConsoleMode(input, ENABLE_PROCESSED_INPUT)) {
        INPUT_RECORD record;
        DWORD count = 0;
        while (ReadConsoleInputW(input, &record, 1, &count) && count == 1) {
            const KEY_EVENT_RECORD &event = record.Event.KeyEvent;
            if (record.EventType == KEY_EVENT && event.bKeyDown && event.uChar.UnicodeChar != 0) {
                key = event.uChar.UnicodeChar;
                break;
            }
        }
        SetConsoleMode(input, saved);
    }
    InterlockedExchange(&KeyReadChangedMode, 0);
    return key;
}

int PlatformReadKey() {
    AllowCloseWhileWaiting(true);
    unsigned char byte;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    int key = IsConsole(stdin) ? ReadConsoleKey(input) : _read(_fileno(stdin), &byte, 1) == 1 ? byte : -1;
    AllowCloseWhileWaiting(false);
    return key;
}

bool PlatformSystemLanguageIsChinese() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE; }

void PlatformWriteText(FILE *stream, const char *text) {
    if (!IsConsole(stream)) {
        fputs(text, stream);
        return;
    }
    int wideCount = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    wchar_t *wide =
        wideCount > 0 ? static_cast<wchar_t *>(malloc(sizeof(wchar_t) * static_cast<size_t>(wideCount))) : nullptr;
    if (wide == nullptr || MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, wideCount) != wideCount) {
        free(wide);
        fputs(text, stream);
        return;
    }
    // What stdio still holds goes first.
    fflush(stream);
    DWORD written = 0;
    WriteConsoleW(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), wide, static_cast<DWORD>(wideCount - 1),
                  &written, nullptr);
    free(wide);
}

static bool IsGbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
static bool IsGbkTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// How many bytes of chunk make whole characters: a lead byte whose second
// byte is not there yet is left over at the end (one byte at most); one
// followed by a byte that cannot be its second becomes '?', so that it
// takes no line end or letter with it.
static int WholeGbkCharacters(char *chunk, int length) {
    int i = 0;
    while (i < length) {
        if (!IsGbkLead(static_cast<unsigned char>(chunk[i]))) {
            i++;
        } else if (i + 1 == length) {
            return i;
        } else if (IsGbkTrail(static_cast<unsigned char>(chunk[i + 1]))) {
            i += 2;
        } else {
            chunk[i++] = '?';
        }
    }
    return length;
}

// A lead byte that ended the last write; 0 when none (never a lead byte).
static char PendingLead = 0;

void PlatformConsoleWrite(const char *bytes, size_t count) {
    if (!IsConsole(stdout)) {
        fwrite(bytes, 1, count, stdout);
        return;
    }
    // What stdio still holds goes first.
    fflush(stdout);
    HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
    size_t done = 0;
    while (done < count) {
        char chunk[512];
        int length = 0;
        if (PendingLead != 0) chunk[length++] = PendingLead;
        PendingLead = 0;
        while (length < static_cast<int>(sizeof chunk) && done < count) chunk[length++] = bytes[done++];
        int whole = WholeGbkCharacters(chunk, length);
        if (whole < length) PendingLead = chunk[whole];
        // GBK never takes more UTF-16 units than bytes.
        wchar_t wide[sizeof chunk];
        int wideCount = whole > 0 ? MultiByteToWideChar(kGbkCodePage, 0, chunk, whole, wide, sizeof chunk) : 0;
        DWORD written = 0;
        if (wideCount > 0) WriteConsoleW(console, wide, static_cast<DWORD>(wideCount), &written, nullptr);
    }
}

int PlatformLocalTimeText(char (&out)[kPlatformTimeTextSize]) {
    out[0] = '\0';
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    FILETIME utcFile;
    FILETIME localFile;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) || !SystemTimeToFileTime(&utc, &utcFile) ||
        !SystemTimeToFileTime(&local, &localFile)) {
        return -1;
    }
    // The offset in whole minutes from the two times' 100 ns counts.
    ULARGE_INTEGER u;
    ULARGE_INTEGER l;
    u.LowPart = utcFile.dwLowDateTime;
    u.HighPart = utcFile.dwHighDateTime;
    l.LowPart = localFile.dwLowDateTime;
    l.HighPart = localFile.dwHighDateTime;
    long long minutes = (static_cast<long long>(l.QuadPart) - static_cast<long long>(u.QuadPart)) / 600000000LL;
    char sign = minutes < 0 ? '-' : '+';
    if (minutes < 0) minutes = -minutes;
    int n = snprintf(out, sizeof out, "%04u-%02u-%02uT%02u:%02u:%02u%c%02lld:%02lld", local.wYear, local.wMonth,
                     local.wDay, local.wHour, local.wMinute, local.wSecond, sign, minutes / 60, minutes % 60);
    if (n < 0 || n >= kPlatformTimeTextSize) {
        out[0] = '\0';
        return -1;
    }
    return 0;
}

static volatile LONG Interrupted = 0;
static void (*CloseOnInterrupt)() = nullptr;

// Runs on a thread of its own. Every console event ends the tool here: a
// closed window or a logoff ends the process as soon as this returns, and
// a console read in progress need not see Ctrl-C. Once no device call is in
// progress the box is closed and the process ended; the lock is never given
// back, so the main thread makes no call after the close.
static BOOL WINAPI OnConsoleEvent(DWORD) {
    InterlockedExchange(&Interrupted, 1);
    EnterCriticalSection(DeviceUse());
    if (CloseOnInterrupt != nullptr) CloseOnInterrupt();
    fflush(stdout);
    // Ending the process here runs no exit handlers, nor the end of a key
    // read in progress.
    RestoreConsoleCodePages();
    if (InterlockedCompareExchange(&KeyReadChangedMode, 0, 0) != 0) {
        SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), SavedKeyInputMode);
    }
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    return TRUE;
}

void PlatformCatchInterrupts(void (*closeNow)()) {
    CloseOnInterrupt = closeNow;
    DeviceUse();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool PlatformInterrupted() { return InterlockedCompareExchange(&Interrupted, 0, 0) != 0; }

// Windows has no file-size signal: a write beyond a quota fails as such.
void PlatformIgnoreFileSizeSignal() {}

void PlatformEndAsInterrupted() {}

// ---- sockets and the clock ------------------------------------------------

// Winsock is started once, on the first connect, and left to the process's
// end: the socket of a run is closed before then.
static bool StartWinsock() {
    static bool started = false;
    static bool ok = false;
    if (!started) {
        WSADATA data;
        ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        started = true;
    }
    return ok;
}

static void SayWinsockError(int code, char *error, size_t errorSize) {
    wchar_t wide[256];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(code), 0, wide, 256, nullptr);
    while (n > 0 && (wide[n - 1] == L'\r' || wide[n - 1] == L'\n' || wide[n - 1] == L'.')) wide[--n] = L'\0';
    if (n == 0 || WideCharToMultiByte(CP_UTF8, 0, wide, -1, error, static_cast<int>(errorSize), nullptr, nullptr) == 0)
        snprintf(error, errorSize, "Winsock error %d", code);
}

// Waits for the socket to be readable (or writable) for at most timeoutMs,
// in slices short enough to notice an interrupt: 1 ready, or an outcome.
static int WaitForSocket(SOCKET s, bool write, int timeoutMs) {
    int64_t end = PlatformMonotonicMicros() + static_cast<int64_t>(timeoutMs) * 1000;
    for (;;) {
        if (PlatformInterrupted()) return kPlatformSocketInterrupted;
        int64_t left = (end - PlatformMonotonicMicros() + 999) / 1000;
        if (left <= 0) return kPlatformSocketTimedOut;
        fd_set ready;
        fd_set failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(s, &ready);
        FD_SET(s, &failed);
        int64_t slice = left < 100 ? left : 100;
        timeval wait = {0, static_cast<long>(slice * 1000)};
        int n = select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &wait);
        if (n == SOCKET_ERROR) return kPlatformSocketFailed;
        if (n > 0) return FD_ISSET(s, &failed) && !FD_ISSET(s, &ready) ? kPlatformSocketFailed : 1;
    }
}

static int ConnectOne(const ADDRINFOW *a, int64_t end, SOCKET *out, char *error, size_t errorSize) {
    SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) {
        SayWinsockError(WSAGetLastError(), error, errorSize);
        return kPlatformSocketFailed;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    int outcome = 1;
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == SOCKET_ERROR) {
        int code = WSAGetLastError();
        if (code != WSAEWOULDBLOCK) {
            SayWinsockError(code, error, errorSize);
            outcome = kPlatformSocketFailed;
        } else {
            int64_t left = (end - PlatformMonotonicMicros()) / 1000;
            outcome = WaitForSocket(s, true, left > 0 ? static_cast<int>(left) : 0);
            int soError = 0;
            int length = sizeof soError;
            getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&soError), &length);
            if (outcome == kPlatformSocketFailed || (outcome == 1 && soError != 0)) {
                SayWinsockError(soError != 0 ? soError : WSAECONNREFUSED, error, errorSize);
                outcome = kPlatformSocketFailed;
            }
        }
    }
    if (outcome != 1) {
        closesocket(s);
        return outcome;
    }
    BOOL one = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&one), sizeof one);
    *out = s;
    return 1;
}

int PlatformConnect(const char *host, const char *port, int timeoutMs, PlatformSocket *out, char *error,
                    size_t errorSize) {
    *out = kPlatformNoSocket;
    snprintf(error, errorSize, "no address");
    if (!StartWinsock()) {
        snprintf(error, errorSize, "Winsock cannot be started");
        return kPlatformSocketFailed;
    }
    wchar_t wideHost[256];
    wchar_t widePort[16];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, host, -1, wideHost, 256) == 0 ||
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, port, -1, widePort, 16) == 0) {
        snprintf(error, errorSize, "the host or port is too long");
        return kPlatformSocketFailed;
    }
    ADDRINFOW hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW *addresses = nullptr;
    int found = GetAddrInfoW(wideHost, widePort, &hints, &addresses);
    if (found != 0) {
        SayWinsockError(found, error, errorSize);
        return kPlatformSocketFailed;
    }
    int64_t end = PlatformMonotonicMicros() + static_cast<int64_t>(timeoutMs) * 1000;
    int outcome = kPlatformSocketFailed;
    for (const ADDRINFOW *a = addresses; a != nullptr; a = a->ai_next) {
        SOCKET s = INVALID_SOCKET;
        outcome = ConnectOne(a, end, &s, error, errorSize);
        if (outcome == 1) *out = static_cast<PlatformSocket>(s);
        if (outcome != kPlatformSocketFailed) break;
    }
    FreeAddrInfoW(addresses);
    if (outcome == kPlatformSocketTimedOut) snprintf(error, errorSize, "no answer within %d ms", timeoutMs);
    return outcome;
}

int PlatformReceive(PlatformSocket socket, void *buffer, int size, int timeoutMs) {
    SOCKET s = static_cast<SOCKET>(socket);
    for (;;) {
        int ready = WaitForSocket(s, false, timeoutMs);
        if (ready != 1) return ready;
        int got = recv(s, static_cast<char *>(buffer), size, 0);
        if (got > 0) return got;
        if (got == 0) return kPlatformSocketClosed;
        if (WSAGetLastError() != WSAEWOULDBLOCK) return kPlatformSocketFailed;
    }
}

void PlatformCloseSocket(PlatformSocket socket) {
    if (socket != kPlatformNoSocket) closesocket(static_cast<SOCKET>(socket));
}

int64_t PlatformMonotonicMicros() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<int64_t>(now.QuadPart / frequency.QuadPart * 1000000 +
                                now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart);
}

// ---- watching a file --------------------------------------------------------

struct PlatformWatch {
    HANDLE directory;
    OVERLAPPED overlapped;
    bool pending;  // a ReadDirectoryChangesW is outstanding
    wchar_t name[MAX_PATH];
    // Where the notifications land: DWORD-aligned, as the call needs.
    DWORD buffer[4096];
};

static const DWORD kWatchFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_CREATION;

static bool StartWatchRead(PlatformWatch *watch) {
    watch->pending = ReadDirectoryChangesW(watch->directory, watch->buffer, sizeof watch->buffer, FALSE, kWatchFilter,
                                           nullptr, &watch->overlapped, nullptr) != 0;
    return watch->pending;
}

PlatformWatch *PlatformWatchOpen(const char *path) {
    // The path as the narrow file calls of the programs read it: the ANSI
    // code page.
    wchar_t wide[kPlatformPathBytes];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kPlatformPathBytes) == 0 || wide[0] == L'\0') return nullptr;
    wchar_t *name = wide;
    for (wchar_t *p = wide; *p != L'\0'; p++) {
        if (*p == L'/' || *p == L'\\' || *p == L':') name = p + 1;
    }
    if (*name == L'\0' || wcslen(name) >= MAX_PATH) return nullptr;
    wchar_t directory[kPlatformPathBytes];
    if (name == wide) {
        wcscpy(directory, L".");
    } else {
        size_t length = static_cast<size_t>(name - wide);
        // "C:" alone is the drive's current directory; "\" and "C:\" keep
        // their separator.
        if (name[-1] != L':' && length > 1 && name[-2] != L':') length--;
        wmemcpy(directory, wide, length);
        directory[length] = L'\0';
    }
    PlatformWatch *watch = static_cast<PlatformWatch *>(calloc(1, sizeof(PlatformWatch)));
    if (watch == nullptr) return nullptr;
    wcscpy(watch->name, name);
    watch->directory =
        CreateFileW(directory, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    watch->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (watch->directory == INVALID_HANDLE_VALUE || watch->overlapped.hEvent == nullptr || !StartWatchRead(watch)) {
        PlatformWatchClose(watch);
        return nullptr;
    }
    return watch;
}

// Whether the notifications in the buffer (bytes of them) name the file; an
// empty buffer means more changes came than it holds, any of them ours.
static bool NamesWatchedFile(const PlatformWatch *watch, DWORD bytes) {
    if (bytes == 0) return true;
    const char *base = reinterpret_cast<const char *>(watch->buffer);
    for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
        const FILE_NOTIFY_INFORMATION *info = reinterpret_cast<const FILE_NOTIFY_INFORMATION *>(base + at);
        int length = static_cast<int>(info->FileNameLength / sizeof(wchar_t));
        if (at + offsetof(FILE_NOTIFY_INFORMATION, FileName) + info->FileNameLength > bytes) break;
        // Names are told apart without regard to letter case, as the file
        // system does.
        if (CompareStringOrdinal(info->FileName, length, watch->name, -1, TRUE) == CSTR_EQUAL) return true;
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
    }
    return false;
}

PlatformWatchResult PlatformWatchWait(PlatformWatch *watch, int32_t timeoutMs) {
    if (watch == nullptr || !watch->pending) return kPlatformWatchError;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs > 0 ? timeoutMs : 0);
    bool changed = false;
    for (;;) {
        if (PlatformInterrupted()) return kPlatformWatchInterrupted;
        ULONGLONG now = GetTickCount64();
        DWORD slice = 0;
        if (!changed && now < deadline) slice = deadline - now < 100 ? static_cast<DWORD>(deadline - now) : 100;
        AllowCloseWhileWaiting(true);
        DWORD waited = WaitForSingleObject(watch->overlapped.hEvent, slice);
        AllowCloseWhileWaiting(false);
        if (waited == WAIT_FAILED) return kPlatformWatchError;
        if (waited == WAIT_TIMEOUT) {
            if (changed) return kPlatformWatchChanged;
            if (GetTickCount64() >= deadline) return kPlatformWatchTimeout;
            continue;
        }
        DWORD bytes = 0;
        watch->pending = false;
        if (!GetOverlappedResult(watch->directory, &watch->overlapped, &bytes, FALSE)) return kPlatformWatchError;
        changed = NamesWatchedFile(watch, bytes) || changed;
        ResetEvent(watch->overlapped.hEvent);
        if (!StartWatchRead(watch)) return kPlatformWatchError;
    }
}

void PlatformWatchClose(PlatformWatch *watch) {
    if (watch == nullptr) return;
    if (watch->directory != INVALID_HANDLE_VALUE && watch->directory != nullptr) {
        if (watch->pending) {
            // The outstanding read must end before its buffer is freed.
            CancelIo(watch->directory);
            DWORD bytes = 0;
            GetOverlappedResult(watch->directory, &watch->overlapped, &bytes, TRUE);
        }
        CloseHandle(watch->directory);
    }
    if (watch->overlapped.hEvent != nullptr) CloseHandle(watch->overlapped.hEvent);
    free(watch);
}
