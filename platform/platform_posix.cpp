// POSIX implementations of the platform services.
#include "platform/platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

#include "platform/ascii.h"

PlatformLibrary PlatformLoadLibrary(const char *fileName) {
    PlatformLibrary library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr || strchr(fileName, '/') != nullptr) return library;
    // The executable's $ORIGIN run path covers its own directory, but an
    // interposed dlopen (as under AddressSanitizer) loses it; look there
    // explicitly, after the ordinary search.
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return nullptr;
    path[length] = '\0';
    char *slash = strrchr(path, '/');
    if (slash == nullptr) return nullptr;
    size_t dirLength = static_cast<size_t>(slash - path) + 1;
    size_t nameLength = strlen(fileName);
    if (dirLength + nameLength >= sizeof path) return nullptr;
    memcpy(slash + 1, fileName, nameLength + 1);
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<PlatformProc>(dlsym(library, name));
}

void PlatformFreeLibrary(PlatformLibrary library) {
    if (library != nullptr) dlclose(library);
}

void PlatformUseGbkConsole() {}

// One key from the terminal on standard input, without echo and without
// waiting for a line end; -1 when there is none (an interrupt, the end of
// the input). The terminal's settings are put back through a descriptor of
// its own, since an interrupt puts /dev/null in standard input's place.
static int ReadTerminalKey() {
    int terminal = dup(STDIN_FILENO);
    if (terminal < 0) return -1;
    int key = -1;
    struct termios saved;
    if (tcgetattr(terminal, &saved) == 0) {
        struct termios raw = saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        if (tcsetattr(terminal, TCSANOW, &raw) == 0) {
            unsigned char byte;
            if (read(STDIN_FILENO, &byte, 1) == 1) key = byte;
            tcsetattr(terminal, TCSANOW, &saved);
        }
    }
    close(terminal);
    return key;
}

void PlatformPause() {
    fputs("Press any key to continue . . . ", stdout);
    fflush(stdout);
    // A scripted session must not lose a byte of its commands to the pause,
    // so only a terminal is waited on.
    if (isatty(STDIN_FILENO)) ReadTerminalKey();
    fputs("\n", stdout);
    fflush(stdout);
}

// Written from the documented behaviour of StrToIntExA with STIF_SUPPORT_HEX.
int32_t PlatformHexTextToInt(const char *text) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    // StrToIntExA's white space is the blank, the tab and the line feed only.
    while (*p == ' ' || *p == '\t' || *p == '\n') p++;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        p++;
    } else if (*p == '+') {
        p++;
    }
    uint32_t value = 0;  // unsigned: the low 32 bits wrap without overflow
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        // The sign is not applied to a hexadecimal number.
        for (p += 2;; p++) {
            if (!IsAsciiHexDigit(*p)) break;
            int digit = IsAsciiDigit(*p) ? *p - '0' : AsciiLower(*p) - 'a' + 10;
            value = value * 16u + static_cast<unsigned>(digit);
        }
        return static_cast<int32_t>(value);
    }
    for (; IsAsciiDigit(*p); p++) value = value * 10u + static_cast<unsigned>(*p - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

FILE *PlatformOpenRegularFile(const char *path) {
    // Without O_NONBLOCK, opening a FIFO that has no writer waits for one.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat status;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags == -1 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        close(fd);
        return nullptr;
    }
    FILE *file = fdopen(fd, "rb");
    if (file == nullptr) close(fd);
    return file;
}

FILE *PlatformCreateNewFile(const char *path) {
    // 0666 less the umask: the permissions fopen gives a new file.
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    FILE *file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(path);
    }
    return file;
}

int PlatformMoveOver(const char *from, const char *to) { return rename(from, to) == 0 ? 0 : -1; }

bool PlatformMayWrite(const char *path) { return access(path, W_OK) == 0 || errno == ENOENT; }

unsigned long PlatformProcessId() { return static_cast<unsigned long>(getpid()); }

int PlatformSyncFile(FILE *file) {
    if (fflush(file) != 0) return -1;
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

bool PlatformStdinIsTerminal() { return isatty(STDIN_FILENO) != 0; }

int PlatformReadKey() {
    if (isatty(STDIN_FILENO)) return ReadTerminalKey();
    // read, not stdio: an interrupt must end the wait (EINTR) instead of
    // being retried.
    unsigned char key;
    return read(STDIN_FILENO, &key, 1) == 1 ? key : -1;
}

bool PlatformSystemLanguageIsChinese() {
    // The first of these that is set and not empty names the language of
    // messages, as setlocale would take it.
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = getenv(name);
        if (value != nullptr && *value != '\0') return strncmp(value, "zh", 2) == 0;
    }
    return false;
}

void PlatformWriteText(FILE *stream, const char *text) { fputs(text, stream); }

int PlatformLocalTimeText(char (&out)[kPlatformTimeTextSize]) {
    out[0] = '\0';
    time_t now = time(nullptr);
    struct tm local;
    if (now == static_cast<time_t>(-1) || localtime_r(&now, &local) == nullptr) return -1;
    char zone[8];
    // %z is "+hhmm"; ISO 8601's extended form wants "+hh:mm".
    if (strftime(zone, sizeof zone, "%z", &local) != 5) return -1;
    char stamp[24];
    if (strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local) == 0) return -1;
    int n = snprintf(out, sizeof out, "%s%.3s:%.2s", stamp, zone, zone + 3);
    if (n < 0 || n >= kPlatformTimeTextSize) {
        out[0] = '\0';
        return -1;
    }
    return 0;
}

static volatile sig_atomic_t InterruptSignal = 0;
// /dev/null, opened before any signal is caught.
static int NoInput = -1;

// Only async-signal-safe calls here. A read of standard input in progress
// fails with EINTR; one that has not begun yet would still wait for input,
// so /dev/null takes standard input's place and that read ends at once too.
static void OnInterrupt(int signal) {
    int savedErrno = errno;
    InterruptSignal = signal;
    if (NoInput >= 0) dup2(NoInput, STDIN_FILENO);
    errno = savedErrno;
}

void PlatformCatchInterrupts(void (*)()) {
    if (NoInput < 0) NoInput = open("/dev/null", O_RDONLY | O_CLOEXEC);
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the read the signal interrupts fails with EINTR, which
    // the console takes as the end of its input.
    action.sa_flags = 0;
    // SIGPIPE (standard output closed, as under "lutbox | head") and SIGQUIT
    // (Ctrl-\) end the tool as Ctrl-C does: by default they would kill it
    // with the box open and the terminal without echo.
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT}) {
        // A signal ignored from the start (nohup, a background job of a
        // script) stays ignored, as the one who started the tool asked.
        struct sigaction previous;
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

bool PlatformInterrupted() { return InterruptSignal != 0; }

// A write beyond the file-size limit then fails with EFBIG, which the
// writer reports, instead of killing the process with the box open.
void PlatformIgnoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }

// Nothing runs on another thread here: a signal's handler only sets the flag.
void PlatformBeginDeviceUse() {}
void PlatformEndDeviceUse() {}

void PlatformEndAsInterrupted() {
    int signal = InterruptSignal;
    if (signal == 0) return;
    fflush(nullptr);
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}
