// Writing a file by replacement, on the primitives of each platform.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

FILE *PlatformCreateReplacement(PlatformReplacement &replacement, const char *path) {
    replacement.file = nullptr;
    replacement.tempPath[0] = '\0';
    int length = snprintf(replacement.path, sizeof replacement.path, "%s", path);
    if (length < 0 || length >= kPlatformPathBytes) return nullptr;
    // A file the user may not write (read-only, say) is not replaced behind
    // their back, though its directory would allow the rename.
    if (!PlatformMayWrite(path)) return nullptr;
    // The name keeps the whole original name in front, so a reader that
    // tells a file's kind by what its name contains still does; the suffix
    // holds no extension of its own.
    static unsigned attempt = 0;
    for (int tries = 0; tries < 100; tries++) {
        length = snprintf(replacement.tempPath, sizeof replacement.tempPath, "%s.%lu-%u.tmp", path, PlatformProcessId(),
                          attempt++);
        if (length < 0 || length >= kPlatformPathBytes) break;
        replacement.file = PlatformCreateNewFile(replacement.tempPath);
        if (replacement.file == nullptr) continue;
        // The file replaced keeps who may read it: a private file must not
        // become readable by others through a conversion.
        if (PlatformCopyPermissions(path, replacement.file) == 0) return replacement.file;
        PlatformDiscardReplacement(replacement);
        return nullptr;
    }
    replacement.tempPath[0] = '\0';
    return nullptr;
}

int PlatformCloseReplacement(PlatformReplacement &replacement) {
    if (replacement.file == nullptr) return -1;
    // Buffered bytes that do not reach the disk show up only when closing.
    // On the disk before the rename: after a crash or a power cut the name
    // holds either the old file or the whole new one, never an empty one.
    bool written = ferror(replacement.file) == 0 && PlatformSyncFile(replacement.file) == 0;
    written = fclose(replacement.file) == 0 && written;
    replacement.file = nullptr;
    if (written) return 0;
    PlatformDiscardReplacement(replacement);
    return -1;
}

int PlatformCommitReplacement(PlatformReplacement &replacement) {
    if (replacement.file != nullptr || replacement.tempPath[0] == '\0') return -1;
    if (PlatformMoveOver(replacement.tempPath, replacement.path) == 0) {
        replacement.tempPath[0] = '\0';
        return 0;
    }
    PlatformDiscardReplacement(replacement);
    return -1;
}

void PlatformDiscardReplacement(PlatformReplacement &replacement) {
    if (replacement.file != nullptr) fclose(replacement.file);
    replacement.file = nullptr;
    if (replacement.tempPath[0] != '\0') PlatformRemoveFile(replacement.tempPath);
    replacement.tempPath[0] = '\0';
}

int PlatformFinishReplacement(PlatformReplacement &replacement) {
    if (PlatformCloseReplacement(replacement) != 0) return -1;
    return PlatformCommitReplacement(replacement);
}

int PlatformEndReplacementIfInterrupted(PlatformReplacement &replacement) {
    if (!PlatformInterrupted()) return 0;
    PlatformDiscardReplacement(replacement);
    PlatformEndAsInterrupted();
    return -1;
}
