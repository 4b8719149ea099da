// POSIX implementations of the platform services; loading the device
// library and the sockets are in files of their own, so that a program
// that uses neither links without them (lutprep is linked statically).
#include "platform/platform.h"

#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

int PlatformPathBesideProgram(const char *fileName, char *out, size_t size) {
    if (size == 0) return -1;
    out[0] = '\0';
    char path[kPlatformPathBytes];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return -1;
    path[length] = '\0';
    char *slash = strrchr(path, '/');
    if (slash == nullptr) return -1;
    slash[1] = '\0';
    int written = snprintf(out, size, "%s%s", path, fileName);
    if (written < 0 || static_cast<size_t>(written) >= size) {
        out[0] = '\0';
        return -1;
    }
    return 0;
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

int32_t PlatformHexTextToInt(const char *text) { return WrittenHexTextToInt(text); }

void PlatformConsoleWrite(const char *bytes, size_t count) { fwrite(bytes, 1, count, stdout); }

int PlatformUseUtf8Arguments(int &, char **&) { return 0; }

FILE *PlatformOpenFile(const char *path, const char *mode) { return fopen(path, mode); }

int PlatformRemoveFile(const char *path) { return remove(path) == 0 ? 0 : -1; }

// Opens path with access (and O_CREAT, say) as a stream in mode when it is
// a regular file. Without O_NONBLOCK, opening a FIFO would wait for its
// other end; the stream itself blocks as usual.
static FILE *OpenRegular(const char *path, int access, const char *mode) {
    int fd = open(path, access | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat status;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags == -1 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        close(fd);
        return nullptr;
    }
    FILE *file = fdopen(fd, mode);
    if (file == nullptr) close(fd);
    return file;
}

FILE *PlatformOpenRegularFile(const char *path) { return OpenRegular(path, O_RDONLY, "rb"); }

bool PlatformSameFile(const char *a, const char *b) {
    struct stat first, second;
    if (stat(a, &first) != 0 || stat(b, &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

namespace {

// Memory from an eighth of a huge page on asks for huge pages: the fault of
// one costs about what eight of small pages do (on a virtual machine; less
// elsewhere).
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kLargeBytes = kHugePage / 8;

bool TakesHugePages(size_t size) { return size >= kLargeBytes && size <= SIZE_MAX - kHugePage; }

// Under AddressSanitizer every block is freed, so that it sees a block used
// after it was given back.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepsBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kKeepsBlocks = false;
#else
constexpr bool kKeepsBlocks = true;
#endif
#else
constexpr bool kKeepsBlocks = true;
#endif

// The one block PlatformFreeLarge keeps. Atomic, since lutctl allocates
// from more than one thread.
std::atomic<void *> KeptBlock{nullptr};

}  // namespace

void *PlatformAllocLarge(size_t size) {
#ifdef MADV_HUGEPAGE
    if (TakesHugePages(size)) {
        // What a block holds is the allocator's to say, not its user's.
        void *kept = KeptBlock.exchange(nullptr);
        if (kept != nullptr && malloc_usable_size(kept) >= size) return kept;
        free(kept);
        size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        void *p = aligned_alloc(kHugePage, rounded);
        // Only advice: without huge pages the block is used as it is.
        if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
        return p;
    }
#endif
    return malloc(size);
}

bool PlatformKeepsLargeBlocks() {
#ifdef MADV_HUGEPAGE
    return kKeepsBlocks;
#else
    return false;
#endif
}

void PlatformFreeLarge(void *p) {
#ifdef MADV_HUGEPAGE
    if (PlatformKeepsLargeBlocks() && p != nullptr && TakesHugePages(malloc_usable_size(p))) {
        free(KeptBlock.exchange(p));
        return;
    }
#endif
    free(p);
}

void *PlatformGrowLarge(void *p, size_t used, size_t size) {
    if (size < kLargeBytes) return realloc(p, size);
    void *grown = PlatformAllocLarge(size);
    if (grown == nullptr) return nullptr;
    if (used > 0) memcpy(grown, p, used);
    free(p);
    return grown;
}

int64_t PlatformFileSize(FILE *file) {
    struct stat status;
    return fstat(fileno(file), &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
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

int PlatformCopyPermissions(const char *path, FILE *file) {
    struct stat status;
    if (stat(path, &status) != 0) return errno == ENOENT ? 0 : -1;
    // The permission bits alone: set-user-ID and the like are not carried
    // over to a file this process wrote.
    return fchmod(fileno(file), status.st_mode & 0777) == 0 ? 0 : -1;
}

bool PlatformMayWrite(const char *path) { return access(path, W_OK) == 0 || errno == ENOENT; }

unsigned long PlatformProcessId() { return static_cast<unsigned long>(getpid()); }

int PlatformSyncFile(FILE *file) {
    if (fflush(file) != 0) return -1;
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

FILE *PlatformOpenAppendFile(const char *path) { return OpenRegular(path, O_WRONLY | O_APPEND | O_CREAT, "ab"); }

int PlatformLockFile(FILE *file) {
    for (;;) {
        if (flock(fileno(file), LOCK_EX) == 0) return 0;
        // An interrupt ends the run's wait as it ends any other.
        if (errno != EINTR || PlatformInterrupted()) return -1;
    }
}

void PlatformUnlockFile(FILE *file) { flock(fileno(file), LOCK_UN); }

int64_t PlatformFileLength(FILE *file) {
    struct stat status;
    return fstat(fileno(file), &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
}

int PlatformTruncateFile(FILE *file, int64_t length) {
    return ftruncate(fileno(file), static_cast<off_t>(length)) == 0 ? 0 : -1;
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

// ---- the clock -----------------------------------------------------------

int64_t PlatformMonotonicMicros() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// ---- watching a file --------------------------------------------------------

struct PlatformWatch {
    int fd;
    char name[kPlatformPathBytes];
};

PlatformWatch *PlatformWatchOpen(const char *path) {
    size_t length = strlen(path);
    if (length == 0 || length >= static_cast<size_t>(kPlatformPathBytes)) return nullptr;
    const char *slash = strrchr(path, '/');
    char directory[kPlatformPathBytes];
    if (slash == nullptr) {
        snprintf(directory, sizeof directory, ".");
    } else {
        snprintf(directory, sizeof directory, "%.*s", static_cast<int>(slash == path ? 1 : slash - path), path);
    }
    const char *name = slash == nullptr ? path : slash + 1;
    if (*name == '\0') return nullptr;
    PlatformWatch *watch = static_cast<PlatformWatch *>(calloc(1, sizeof(PlatformWatch)));
    if (watch == nullptr) return nullptr;
    snprintf(watch->name, sizeof watch->name, "%s", name);
    watch->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // Everything that makes the name stand for other bytes: a write (each,
    // and its close), a new file of that name, a rename onto or away from it,
    // its removal.
    const uint32_t mask = IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                          IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (watch->fd < 0 || inotify_add_watch(watch->fd, directory, mask) < 0) {
        if (watch->fd >= 0) close(watch->fd);
        free(watch);
        return nullptr;
    }
    return watch;
}

static int64_t MonotonicMs() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Takes in the events that are there; 1 when one concerns the watched
// name (or the directory itself went), 0 when none, -1 on an error.
static int TakeEvents(PlatformWatch *watch) {
    alignas(struct inotify_event) char buffer[16384];
    int changed = 0;
    for (;;) {
        ssize_t n = read(watch->fd, buffer, sizeof buffer);
        if (n < 0) return errno == EAGAIN || errno == EINTR ? changed : -1;
        if (n == 0) return changed;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(struct inotify_event)) <= n;) {
            struct inotify_event event;
            memcpy(&event, buffer + at, sizeof event);
            if (at + static_cast<ssize_t>(sizeof event + event.len) > n) break;
            // The name is padded with NULs to event.len bytes.
            const char *name = buffer + at + sizeof event;
            size_t nameLength = strnlen(name, event.len);
            bool ours = nameLength == strlen(watch->name) && memcmp(name, watch->name, nameLength) == 0;
            // Lost events, or the directory moved or removed: the file may
            // have changed.
            if (ours || (event.mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) != 0) changed = 1;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

PlatformWatchResult PlatformWatchWait(PlatformWatch *watch, int32_t timeoutMs) {
    if (watch == nullptr) return kPlatformWatchError;
    const int64_t deadline = MonotonicMs() + (timeoutMs > 0 ? timeoutMs : 0);
    for (;;) {
        if (PlatformInterrupted()) return kPlatformWatchInterrupted;
        int taken = TakeEvents(watch);
        if (taken < 0) return kPlatformWatchError;
        if (taken > 0) return kPlatformWatchChanged;
        int64_t left = deadline - MonotonicMs();
        if (left <= 0) return kPlatformWatchTimeout;
        // A tenth of a second at most: a signal that came just before the
        // poll began does not wait out the whole timeout.
        struct pollfd pending = {watch->fd, POLLIN, 0};
        int ready = poll(&pending, 1, static_cast<int>(left < 100 ? left : 100));
        if (ready < 0 && errno != EINTR) return kPlatformWatchError;
    }
}

void PlatformWatchClose(PlatformWatch *watch) {
    if (watch == nullptr) return;
    close(watch->fd);
    free(watch);
}
