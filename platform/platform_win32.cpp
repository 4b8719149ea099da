// Win32 implementations of the platform services.
#include "platform/platform.h"

#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <shlwapi.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"

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
    const UINT kGbk = 936;
    DWORD mode;
    // Only a console has code pages; a pipe or a file takes the bytes as
    // they are.
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        SavedOutputCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(kGbk);
    }
    if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) {
        SavedInputCodePage = GetConsoleCP();
        SetConsoleCP(kGbk);
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

int32_t PlatformHexTextToInt(const char *text) {
    int value = 0;
    // A text without a number leaves 0.
    if (!StrToIntExA(text, STIF_SUPPORT_HEX, &value)) return 0;
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

FILE *PlatformOpenRegularFile(const char *path) {
    if (IsDeviceName(path)) return nullptr;
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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

FILE *PlatformCreateNewFile(const char *path) {
    int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd == -1) return nullptr;
    FILE *file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        remove(path);
    }
    return file;
}

int PlatformMoveOver(const char *from, const char *to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}

bool PlatformMayWrite(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

unsigned long PlatformProcessId() { return GetCurrentProcessId(); }

int PlatformSyncFile(FILE *file) {
    if (fflush(file) != 0) return -1;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) ? 0 : -1;
}

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
